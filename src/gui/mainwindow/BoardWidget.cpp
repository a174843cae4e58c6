#include "gui/mainwindow/BoardWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace vxlo {

TBoardWidget::TBoardWidget(TBoardRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
    setObjectName(QStringLiteral("BoardArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    renderer_.onChanged = [this] { update(); };
}

TBoardWidget::~TBoardWidget() { renderer_.onChanged = nullptr; }

QSize TBoardWidget::sizeHint() const {
    // Room for the smallest board with its margins.
    return {340, 375 - TBoardRenderer::kToolPanelHeight - TBoardRenderer::kStatusBarHeight};
}

void TBoardWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& canvas = renderer_.Canvas();
    p.drawImage(event->rect().topLeft(), canvas, event->rect());
    // Anything the canvas does not cover (between a resize and its event).
    const QRegion rest = QRegion(event->rect()).subtracted(QRegion(canvas.rect()));
    for (const QRect& r : rest) p.fillRect(r, ColorFromBgr(TBoardRenderer::kWindowColor));
    if (overlay) overlay(p);
}

void TBoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    renderer_.Resize(width(), height() + TBoardRenderer::kToolPanelHeight +
                                   TBoardRenderer::kStatusBarHeight);
}

void TBoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit boardMousePressed(event->button(), at.x(), at.y() + TBoardRenderer::kToolPanelHeight);
}

}  // namespace vxlo
