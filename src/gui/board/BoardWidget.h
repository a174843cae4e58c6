#pragma once
// TBoardWidget: the board area of the main window. It shows the renderer's
// canvas, keeps the canvas sized to itself and its screen's density, and
// reports mouse presses and moves in the main window's client coordinates
// (the tool panel lies above it).
#include <QWidget>
#include <functional>

#include "gui/board/BoardRenderer.h"

namespace vxlo {

class TBoardWidget : public QWidget {
    Q_OBJECT
public:
    explicit TBoardWidget(TBoardRenderer& renderer, QWidget* parent = nullptr);
    ~TBoardWidget() override;
    QSize sizeHint() const override;

    // Drawn over the canvas on every paint (the position's markup).
    std::function<void(QPainter&)> overlay;

signals:
    void boardMousePressed(Qt::MouseButton button, int clientX, int clientY);
    // Also when the mouse leaves the board area, with (-1, -1).
    void boardMouseMoved(int clientX, int clientY);
    // Whole notches of the wheel, positive away from the user.
    void boardWheel(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TBoardRenderer& renderer_;
    int wheelRest_ = 0;
};

}  // namespace vxlo
