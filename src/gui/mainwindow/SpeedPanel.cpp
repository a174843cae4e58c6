// The main window's tool panel: the open, orientation and back buttons with
// their drawn icons, and the tenuki spot after them.
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <cmath>

#include "gui/mainwindow/BoardCommands.h"
#include "gui/mainwindow/MarkupCommands.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

namespace {

enum class EIcon { Open, SwapXY, RotateRight, RotateLeft, UpDown, RightLeft, Return };

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << to << to - d * 4 + n * 3 << to - d * 4 - n * 3;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
}

QIcon ToolIcon(EIcon kind) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0, 0, 128), 1.5);
    p.setPen(pen);
    switch (kind) {
    case EIcon::Open:
        p.setPen(QColor(96, 64, 0));
        p.setBrush(QColor(255, 214, 96));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        break;
    case EIcon::SwapXY:
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawLine(1, 1, 15, 15);
        p.setPen(pen);
        Arrow(p, {3, 11}, {11, 3});
        Arrow(p, {11, 3}, {3, 11});
        break;
    case EIcon::RotateRight:
    case EIcon::RotateLeft: {
        QPainterPath arc;
        arc.arcMoveTo(QRectF(2, 2, 12, 12), 200);
        arc.arcTo(QRectF(2, 2, 12, 12), 200, -270);
        if (kind == EIcon::RotateLeft) arc = QTransform(-1, 0, 0, 1, 16, 0).map(arc);
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        const QPointF end = arc.currentPosition();
        const double dx = kind == EIcon::RotateRight ? -1 : 1;
        Arrow(p, end + QPointF(dx * 2, -2), end + QPointF(dx * 0.5, 0.5));
        break;
    }
    case EIcon::UpDown:
        Arrow(p, {8, 8}, {8, 1.5});
        Arrow(p, {8, 8}, {8, 14.5});
        p.drawLine(2, 8, 14, 8);
        break;
    case EIcon::RightLeft:
        Arrow(p, {8, 8}, {1.5, 8});
        Arrow(p, {8, 8}, {14.5, 8});
        p.drawLine(8, 2, 8, 14);
        break;
    case EIcon::Return:
        p.setPen(QPen(QColor(0, 96, 0), 2));
        Arrow(p, {14, 8}, {2, 8});
        break;
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace

QWidget* TBoardCommands::CreateSpeedPanel(QWidget* parent) {
    TSDIAppForm* const w = &w_;
    auto* panel = new QWidget(parent);
    panel->setObjectName("SpeedPanel");
    panel->setFixedHeight(TBoardRenderer::kToolPanelHeight);
    struct TButton {
        const char* name;
        EIcon icon;
        QString hint;
        std::function<void()> handler;
    };
    const TButton buttons[] = {
        {"OpenBtn", EIcon::Open, TSDIAppForm::tr("開く|"), [w] { w->mnuOpenClick(); }},
        {"btnXY", EIcon::SwapXY, TSDIAppForm::tr("反転|X座標とY座標を逆にする"),
         [w] { w->Navigation().Orient(EOrientation::SwapXY); }},
        {"btnRight", EIcon::RotateRight, TSDIAppForm::tr("右回転|右に90度回転して表示する"),
         [w] { w->Navigation().Orient(EOrientation::RotateRight); }},
        {"btnLeft", EIcon::RotateLeft, TSDIAppForm::tr("左回転|左に90度回転して表示する"),
         [w] { w->Navigation().Orient(EOrientation::RotateLeft); }},
        {"btnUpDown", EIcon::UpDown, TSDIAppForm::tr("上下反転|真ん中の横線を中心に上下逆にする"),
         [w] { w->Navigation().Orient(EOrientation::MirrorUpDown); }},
        {"btnRigthLeft", EIcon::RightLeft, TSDIAppForm::tr("左右反転|真ん中の縦線を中心に左右逆にする"),
         [w] { w->Navigation().Orient(EOrientation::MirrorLeftRight); }},
        {"btnReturn", EIcon::Return, TSDIAppForm::tr("戻る|盤面を右クリックでも戻ります"),
         [w] { w->Parts().practice->StopPractice(); w->Navigation().Back(); }},
    };
    int left = 4;
    for (const TButton& b : buttons) {
        auto* button = new QToolButton(panel);
        button->setObjectName(b.name);
        button->setAutoRaise(true);
        button->setIcon(ToolIcon(b.icon));
        button->setIconSize(QSize(16, 16));
        const QString& hint = b.hint;
        button->setToolTip(ShortHint(hint));
        button->setStatusTip(LongHint(hint));
        button->setGeometry(left, 2, 25, 25);
        // A gap between the open button, the orientation group and back.
        left += std::string_view(b.name) == "OpenBtn" || std::string_view(b.name) == "btnRigthLeft"
                    ? 33
                    : 25;
        QObject::connect(button, &QToolButton::clicked, w, [w, handler = b.handler] {
            w->Guard([&] {
                handler();
                w->Parts().practice->RedrawPractice();
            });
        });
    }
    w->Parts().markup->CreateTenukiSpot(panel, left + 8);
    return panel;
}

}  // namespace vxlo
