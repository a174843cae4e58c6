#include "gui/board/BoardWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace vxlo {

TBoardWidget::TBoardWidget(TBoardRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
    setObjectName(QStringLiteral("BoardArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The status bar names the point under the mouse without a button down.
    setMouseTracking(true);
    renderer_.onChanged = [this] { update(); };
}

TBoardWidget::~TBoardWidget() { renderer_.onChanged = nullptr; }

QSize TBoardWidget::sizeHint() const {
    // Room for the smallest board with its margins.
    return {340, 375 - TBoardRenderer::kToolPanelHeight - TBoardRenderer::kStatusBarHeight};
}

void TBoardWidget::paintEvent(QPaintEvent* event) {
    // A move to a screen of another density: the canvas follows it first.
    if (devicePixelRatioF() != renderer_.DevicePixelRatio())
        renderer_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter p(this);
    const QImage& canvas = renderer_.Canvas();
    const double ratio = renderer_.DevicePixelRatio();
    const QRectF target(event->rect());
    // The canvas holds device pixels: one canvas pixel per screen pixel.
    const QRectF source(target.x() * ratio, target.y() * ratio, target.width() * ratio,
                        target.height() * ratio);
    p.drawImage(target, canvas, source);
    // Anything the canvas does not cover (between a resize and its event).
    const QRect covered(0, 0, static_cast<int>(canvas.width() / ratio),
                        static_cast<int>(canvas.height() / ratio));
    const QRegion rest = QRegion(event->rect()).subtracted(QRegion(covered));
    for (const QRect& r : rest) p.fillRect(r, ColorFromBgr(TBoardRenderer::kWindowColor));
    if (overlay) overlay(p);
}

void TBoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    renderer_.SetDevicePixelRatio(devicePixelRatioF());
    renderer_.Resize(width(), height() + TBoardRenderer::kToolPanelHeight +
                                   TBoardRenderer::kStatusBarHeight);
}

void TBoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit boardMouseMoved(at.x(), at.y() + TBoardRenderer::kToolPanelHeight);
}

void TBoardWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit boardMouseMoved(-1, -1);
}

void TBoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit boardMousePressed(event->button(), at.x(), at.y() + TBoardRenderer::kToolPanelHeight);
}

void TBoardWidget::wheelEvent(QWheelEvent* event) {
    // Whole notches only; a touchpad's small steps add up to one.
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ -= steps * 120;
    if (steps != 0) emit boardWheel(steps);
    event->accept();
}

}  // namespace vxlo
