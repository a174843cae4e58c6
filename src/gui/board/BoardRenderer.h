#pragma once
// TBoardRenderer: draws the board of the main window onto a QImage canvas,
// GDI-style and pixel exact. Every operation paints the cells it touches at
// once; FullRepaint redraws everything from the board state. Rectangles are
// left, top, right, bottom with right and bottom exclusive. The geometry is in
// logical pixels; the canvas has the device pixel ratio's pixels, so that at
// ratio 2 lines and stone outlines are drawn sharp rather than scaled up.
#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <string_view>

#include "board/BoardGeometry.h"
#include "navigation/Navigation.h"

class QPainter;

namespace vxlo {

class TBoardRenderer final : public IBoardView {
public:
    // Only keeps the reference: the navigation may be constructed after the
    // renderer (it needs the renderer as its view).
    explicit TBoardRenderer(const TNavigation& nav);

    // Colours are 0x00BBGGRR. The caller repaints afterwards.
    void SetColors(std::uint32_t ban, std::uint32_t kuro, std::uint32_t siro);
    std::uint32_t BanColor() const { return banColor_; }
    std::uint32_t KuroIsiColor() const { return kuroIsiColor_; }
    std::uint32_t SiroIsiColor() const { return siroIsiColor_; }

    // False at first: nothing is drawn until start-up is complete. Turning it
    // on repaints the board, as the window's first paint event would.
    void SetPaintEnabled(bool enabled);
    bool PaintEnabled() const { return paintEnabled_; }

    // The main window's client size (below the menu bar). The canvas is the
    // board area between tool panel and status bar; it is cleared to the
    // window colour and fully repainted.
    void Resize(int clientWidth, int clientHeight);
    // Board area pixels; canvas y = (client y - kToolPanelHeight) times the
    // device pixel ratio, x = client x times the ratio.
    const QImage& Canvas() const { return canvas_; }
    // Both repaint everything when they change something.
    void SetDevicePixelRatio(double ratio);
    double DevicePixelRatio() const { return ratio_; }
    void SetOptions(const TBoardOptions& options);
    const TBoardOptions& Options() const { return options_; }
    static constexpr int kToolPanelHeight = 29;
    static constexpr int kStatusBarHeight = 23;
    static constexpr std::uint32_t kWindowColor = 0xC0FFFF;

    // Geometry of the last full repaint, in client coordinates.
    const TBoardGeometry& Geometry() const { return geom_; }
    int CellSize() const { return geom_.cellSize; }
    int HalfCell() const { return geom_.halfCell; }
    int BoardPixels() const { return geom_.boardPixels; }
    int BoardLeft() const { return geom_.boardLeft; }
    int BoardTop() const { return geom_.boardTop; }

    // Client pixel -> display cell (column, row 1..19), {0, 0} outside the
    // 19x19 cells or before the first full repaint.
    TPoint HitTest(int clientX, int clientY) const;

    // Called after every drawing operation that touched the canvas.
    std::function<void()> onChanged;

    // IBoardView; points are board points, off-board points are ignored.
    void DrawStone(int value, int x, int y) override;
    void DrawStoneNumber(int value, int number, int x, int y) override;
    void DrawLabel(std::string_view text, int x, int y, int colorCode) override;
    void ErasePoint(int x, int y) override;
    void FullRepaint() override;  // FormPaint
    // Takes a display cell, not a board point.
    void DrawStarPoint(int column, int row);

    // The face chosen for labels and numbers.
    const QFont& TextFont() const { return font_; }

private:
    bool CanDraw() const;
    void Changed();
    // Display cell of a board point; false for points off the board.
    bool CellOf(int x, int y, TPoint& cell) const;
    int CellLeft(int column) const { return geom_.CellLeft(column); }
    int CellTop(int row) const { return geom_.CellTop(row); }
    void ComputeGeometry();
    // Device pixel of a logical client coordinate.
    int Device(int logical) const;
    // A painter on the canvas that takes client coordinates.
    void BeginPaint(QPainter& p);

    void PaintStone(QPainter& p, int value, int x, int y);
    void PaintStoneNumber(QPainter& p, int value, int number, int x, int y);
    void PaintLabel(QPainter& p, std::string_view text, int x, int y, int colorCode);
    void PaintErase(QPainter& p, int x, int y);
    void PaintStarPoint(QPainter& p, int column, int row);
    void PaintCoordinates(QPainter& p);
    void PaintText(QPainter& p, int clientX, int clientY, const QString& text,
                   std::uint32_t color, const QRect& clip);

    const TNavigation& nav_;
    QImage canvas_;
    QFont font_;
    QFont coordinateFont_;
    double ratio_ = 1.0;
    TBoardOptions options_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool paintEnabled_ = false;

    std::uint32_t banColor_ = 0x008080;
    std::uint32_t kuroIsiColor_ = 0x000000;
    std::uint32_t siroIsiColor_ = 0xFFFFFF;

    TBoardGeometry geom_;  // cellSize 0 until the first full repaint
};

// 0x00BBGGRR -> QColor.
QColor ColorFromBgr(std::uint32_t bgr);

// The candidate label colours, 0x00BBGGRR, as the board draws them.
std::uint32_t CandidateLabelColor(int code);
// Around the blue and green labels.
inline constexpr std::uint32_t kLabelOutlineColor = 0xE0FFFF;

}  // namespace vxlo
