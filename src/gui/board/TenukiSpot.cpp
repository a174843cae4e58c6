#include "gui/board/TenukiSpot.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr std::uint32_t kTextColor = 0x000000;
constexpr std::uint32_t kIdleColor = 0x808080;   // no tenuki candidate here
constexpr std::uint32_t kNumberColor = 0xFF0000; // blue, as numbers on stones
}  // namespace

TTenukiSpot::TTenukiSpot(const TNavigation& nav, const TBoardRenderer& renderer, QWidget* parent)
    : QWidget(parent), nav_(nav), renderer_(renderer) {
    setObjectName(QStringLiteral("TenukiSpot"));
    setFixedSize(kWidth, kHeight);
    setToolTip(tr("手抜き（他の場所に打つ）"));
    setStatusTip(tr("手抜き：クリックで打ち、登録モードでは候補に加えます。左の石は手番です"));
}

int TTenukiSpot::CandidateIndex() const {
    const TLjsk& dictionary = nav_.Dictionary();
    if (!nav_.FileOpen() || nav_.Board().PointState(kTenuki.x, kTenuki.y) != Candidate) return -1;
    for (int i = 0; i < dictionary.Count(); ++i) {
        if (dictionary.GetMoveXY(i) == kTenuki) return i;
    }
    return -1;
}

QString TTenukiSpot::LabelText() const {
    const int i = CandidateIndex();
    if (i < 0 || nav_.LabelMode() != ELabelMode::Shown) return {};
    const int label = nav_.Dictionary().LabelIndex(i);
    return ToQt(std::string(label >= 0 ? CandidateLabel(label) : kUnlabelledMark));
}

int TTenukiSpot::LabelColor() const {
    const int i = CandidateIndex();
    return i < 0 ? 0 : nav_.Dictionary().GetRecord(i).Color;
}

std::optional<TTenukiSpot::TFigure> TTenukiSpot::ShownFigure() const {
    if (!reviewFigure || CandidateIndex() < 0) return std::nullopt;
    return reviewFigure();
}

void TTenukiSpot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (nav_.FileOpen()) {
        // The stone of the side to move, in the colours the board uses.
        const bool firstPlayer = (nav_.Board().GetTurn() == Black) != nav_.WhiteFirst();
        p.setPen(ColorFromBgr(0x000000));
        p.setBrush(ColorFromBgr(firstPlayer ? renderer_.KuroIsiColor() : renderer_.SiroIsiColor()));
        p.drawEllipse(TurnRect().adjusted(0, 0, -1, -1));
    }
    QFont font = renderer_.TextFont();
    font.setPixelSize(15);
    p.setFont(font);
    const QString label = LabelText();
    const bool candidate = CandidateIndex() >= 0;
    p.setPen(ColorFromBgr(candidate ? kTextColor : kIdleColor));
    int x = TurnRect().right() + 6;
    const QString word = tr("手抜き");
    p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, word);
    x += p.fontMetrics().horizontalAdvance(word) + 4;
    if (!label.isEmpty()) {
        p.setFont(renderer_.TextFont());
        p.setPen(ColorFromBgr(CandidateLabelColor(LabelColor())));
        p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, label);
        x += p.fontMetrics().horizontalAdvance(label) + 4;
    }
    if (const std::optional<TFigure> figure = ShownFigure()) {
        QFont small = renderer_.TextFont();
        small.setPixelSize(11);
        p.setFont(small);
        p.setPen(figure->colour);
        p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, figure->text);
        x += p.fontMetrics().horizontalAdvance(figure->text) + 4;
    }
    QString numbers;
    for (int n : nav_.TenukiNumbers()) numbers += (numbers.isEmpty() ? "" : ",") + QString::number(n);
    if (!numbers.isEmpty()) {
        p.setFont(font);
        p.setPen(ColorFromBgr(kNumberColor));
        p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, numbers);
    }
}

void TTenukiSpot::mousePressEvent(QMouseEvent* event) {
    if (!onPressed) return;
    switch (event->button()) {
    case Qt::LeftButton: onPressed(EMouseButton::Left); break;
    case Qt::RightButton: onPressed(EMouseButton::Right); break;
    default: break;
    }
}

}  // namespace vxlo
