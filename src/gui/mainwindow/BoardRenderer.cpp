#include "gui/mainwindow/BoardRenderer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {

constexpr std::uint32_t kLineColor = 0x000000;
constexpr std::uint32_t kNumberWhite = 0xFFFFFF;
constexpr std::uint32_t kNumberBlue = 0xFF0000;
constexpr int kTextPixelHeight = 19;
constexpr char32_t kKanaProbe = U'い';

bool SupportsKana(const QString& family) {
    QFont font(family);
    font.setPixelSize(kTextPixelHeight);
    return QRawFont::fromFont(font).supportsCharacter(static_cast<uint>(kKanaProbe));
}

// A face that can draw the いろは labels: the IPA Gothic faces when
// installed, else the first family that has the kana.
QString ChooseFamily() {
    for (const char* preferred : {"IPAGothic", "IPAPGothic"}) {
        const QString family = QString::fromLatin1(preferred);
        if (QFontDatabase::hasFamily(family) && SupportsKana(family)) return family;
    }
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (SupportsKana(family)) return family;
    }
    for (const QString& family : QFontDatabase::families()) {
        if (SupportsKana(family)) return family;
    }
    return QFont().family();
}

std::uint32_t LabelColor(int code) {
    switch (code) {
    case 1: return 0x0000FF;  // red
    case 2: return 0xFF0000;  // blue
    case 3: return 0x00FFFF;  // yellow
    case 4: return 0x008000;  // green
    default: return 0x000000;
    }
}

// Fills [left, right-1] x [top, bottom-1], as a GDI rectangle drawn with a
// clear pen.
void FillBox(QPainter& p, int left, int top, int right, int bottom, std::uint32_t bgr) {
    if (right <= left || bottom <= top) return;
    p.fillRect(QRect(left, top, right - left, bottom - top), ColorFromBgr(bgr));
}

// Half width of the disc of diameter 2*half+1 in row dy, -1 outside it.
int DiscHalfWidth(int half, int dy) {
    if (dy < -half || dy > half) return -1;
    const double r = half + 0.5;
    return static_cast<int>(std::floor(std::sqrt(r * r - double(dy) * dy)));
}

}  // namespace

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

TBoardRenderer::TBoardRenderer(const TNavigation& nav) : nav_(nav) {
    font_ = QFont(ChooseFamily());
    font_.setPixelSize(kTextPixelHeight);
    // Pixel-exact text: a label has exactly its colour code's colour.
    font_.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
}

void TBoardRenderer::SetColors(std::uint32_t ban, std::uint32_t kuro, std::uint32_t siro) {
    banColor_ = ban & 0xFFFFFF;
    kuroIsiColor_ = kuro & 0xFFFFFF;
    siroIsiColor_ = siro & 0xFFFFFF;
}

void TBoardRenderer::SetPaintEnabled(bool enabled) {
    const bool wasEnabled = paintEnabled_;
    paintEnabled_ = enabled;
    // Stands in for the window's paint event that follows start-up.
    if (enabled && !wasEnabled) FullRepaint();
}

void TBoardRenderer::Resize(int clientWidth, int clientHeight) {
    clientWidth_ = std::max(0, clientWidth);
    clientHeight_ = std::max(0, clientHeight);
    const int areaHeight = std::max(0, clientHeight_ - kToolPanelHeight - kStatusBarHeight);
    if (canvas_.width() != clientWidth_ || canvas_.height() != areaHeight) {
        canvas_ = QImage(clientWidth_, areaHeight, QImage::Format_RGB32);
    }
    // The window's own colour also lies under the board; the fill is not
    // subject to PaintEnabled.
    if (!canvas_.isNull()) canvas_.fill(ColorFromBgr(kWindowColor));
    FullRepaint();
    if (!paintEnabled_) Changed();
}

bool TBoardRenderer::CanDraw() const {
    return paintEnabled_ && !canvas_.isNull() && cellSize_ > 0;
}

void TBoardRenderer::Changed() {
    if (onChanged) onChanged();
}

bool TBoardRenderer::CellOf(int x, int y, TPoint& cell) const {
    const int n = nav_.Board().GetSize();
    if (x < 1 || x > n || y < 1 || y > n) return false;
    cell = nav_.Board().BoardToDisplay(x, y);
    return cell.x >= 1 && cell.x <= n && cell.y >= 1 && cell.y <= n;
}

int TBoardRenderer::CellLeft(int column) const { return boardLeft_ + (column - 1) * cellSize_; }

int TBoardRenderer::CellTop(int row) const { return boardTop_ + (row - 1) * cellSize_; }

int TBoardRenderer::TextOffset() const {
    if (cellSize_ == 25) return 4;
    if (cellSize_ == 21) return 2;
    return 0;
}

void TBoardRenderer::ComputeGeometry() {
    const int n = nav_.Board().GetSize();
    const int avail = clientHeight_ - kToolPanelHeight - kStatusBarHeight;
    const int m = std::min(clientWidth_, avail);
    const int fit = m / n;
    cellSize_ = fit >= 25 ? 25 : fit >= 21 ? 21 : 17;
    halfCell_ = cellSize_ / 2;
    boardPixels_ = cellSize_ * n;
    boardLeft_ = clientWidth_ > boardPixels_ ? (clientWidth_ - boardPixels_) / 2 : 1;
    boardTop_ = avail > boardPixels_ ? kToolPanelHeight + (avail - boardPixels_) / 2
                                     : kToolPanelHeight + 1;
}

TPoint TBoardRenderer::HitTest(int clientX, int clientY) const {
    if (cellSize_ <= 0) return {};
    // Left of or above the board: plain division would round toward cell 1.
    if (clientX < boardLeft_ || clientY < boardTop_) return {};
    const int column = (clientX - boardLeft_) / cellSize_ + 1;
    const int row = (clientY - boardTop_) / cellSize_ + 1;
    const int n = boardPixels_ / cellSize_;
    if (column > n || row > n) return {};
    return {column, row};
}

void TBoardRenderer::FullRepaint() {
    if (!paintEnabled_) return;
    ComputeGeometry();
    if (canvas_.isNull()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        const int n = nav_.Board().GetSize();
        FillBox(p, boardLeft_, boardTop_, boardLeft_ + boardPixels_ + 1,
                boardTop_ + boardPixels_ + 1, banColor_);
        const int first = halfCell_;
        const int last = halfCell_ + (n - 1) * cellSize_;  // inclusive
        for (int i = 0; i < n; ++i) {
            const int x = boardLeft_ + halfCell_ + i * cellSize_;
            FillBox(p, x, boardTop_ + first, x + 1, boardTop_ + last + 1, kLineColor);
        }
        for (int i = 0; i < n; ++i) {
            const int y = boardTop_ + halfCell_ + i * cellSize_;
            FillBox(p, boardLeft_ + first, y, boardLeft_ + last + 1, y + 1, kLineColor);
        }
        for (int row : {4, 10, 16}) {
            for (int column : {4, 10, 16}) PaintStarPoint(p, column, row);
        }
        const TGoban& board = nav_.Board();
        for (int y = 1; y <= n; ++y) {
            for (int x = 1; x <= n; ++x) {
                const int state = board.PointState(x, y);
                if (state == Black || state == White) PaintStone(p, state, x, y);
            }
        }
        for (int y = 1; y <= n; ++y) {
            for (int x = 1; x <= n; ++x) {
                const int stone = board.GetStone(x, y);
                const int number = board.GetNumber(x, y);
                if (stone != Empty && number != 0) PaintStoneNumber(p, stone, number, x, y);
            }
        }
        if (nav_.LabelMode() == 0) {
            // As the dictionary's DrawLabels: list order, and no label for a
            // candidate past the table.
            const TLjsk& dictionary = nav_.Dictionary();
            const int count = std::min(dictionary.Count(), kLabelCount);
            for (int i = 0; i < count; ++i) {
                const TJskRecord record = dictionary.GetRecord(i);
                PaintLabel(p, CandidateLabel(i), record.X, record.Y, record.Color);
            }
        }
    }
    Changed();
}

void TBoardRenderer::DrawStarPoint(int column, int row) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        PaintStarPoint(p, column, row);
    }
    Changed();
}

void TBoardRenderer::PaintStarPoint(QPainter& p, int column, int row) {
    const int n = nav_.Board().GetSize();
    if (column < 1 || column > n || row < 1 || row > n) return;
    const int cx = CellLeft(column) + halfCell_;
    const int cy = CellTop(row) + halfCell_;
    FillBox(p, cx - 1, cy - 1, cx + 2, cy + 2, kLineColor);
}

void TBoardRenderer::DrawStone(int value, int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        PaintStone(p, value, x, y);
    }
    Changed();
}

void TBoardRenderer::PaintStone(QPainter& p, int value, int x, int y) {
    if (value != Black && value != White) {
        // Nothing to show on this point but the bare intersection.
        PaintErase(p, x, y);
        return;
    }
    TPoint cell;
    if (!CellOf(x, y, cell)) return;
    const int left = CellLeft(cell.x);
    const int top = CellTop(cell.y);
    FillBox(p, left, top, left + cellSize_, top + cellSize_, banColor_);
    const bool firstPlayer = (value == Black) != nav_.WhiteFirst();
    const std::uint32_t fill = firstPlayer ? kuroIsiColor_ : siroIsiColor_;
    // GDI's Ellipse in the box (left, top, left + CellSize, top + CellSize):
    // a disc of CellSize pixels across, its border pixels in the pen colour.
    const int half = halfCell_;
    const int cx = left + half;
    const int cy = top + half;
    for (int dy = -half; dy <= half; ++dy) {
        const int w = DiscHalfWidth(half, dy);
        // Border pixels have a neighbour outside the disc: beside them in the
        // row (|dx| = w) or above or below (beyond the narrower next row).
        const int inner = std::min(DiscHalfWidth(half, dy - 1), DiscHalfWidth(half, dy + 1));
        const int rim = std::min(inner + 1, w);
        const int py = cy + dy;
        FillBox(p, cx - w, py, cx + w + 1, py + 1, fill);
        FillBox(p, cx - w, py, cx - rim + 1, py + 1, kLineColor);
        FillBox(p, cx + rim, py, cx + w + 1, py + 1, kLineColor);
    }
}

void TBoardRenderer::DrawStoneNumber(int value, int number, int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        PaintStoneNumber(p, value, number, x, y);
    }
    Changed();
}

void TBoardRenderer::PaintStoneNumber(QPainter& p, int value, int number, int x, int y) {
    TPoint cell;
    if (!CellOf(x, y, cell)) return;
    const int d = TextOffset();
    const int left = CellLeft(cell.x) + d + (number < 10 ? 4 : 0);
    const int top = CellTop(cell.y) + d;
    // The colour follows the stone's value, not the chosen stone colours.
    const bool firstPlayer = value == Black;
    const std::uint32_t color =
        firstPlayer != nav_.WhiteFirst() ? kNumberWhite : kNumberBlue;
    // Kept to the stone's cell: redrawing the stone must remove the number
    // without leaving digits on a neighbour.
    const QRect clip(CellLeft(cell.x), CellTop(cell.y), cellSize_, cellSize_);
    PaintText(p, left, top, QString::number(number), color, clip);
}

void TBoardRenderer::DrawLabel(std::string_view text, int x, int y, int colorCode) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        PaintLabel(p, text, x, y, colorCode);
    }
    Changed();
}

void TBoardRenderer::PaintLabel(QPainter& p, std::string_view text, int x, int y,
                                int colorCode) {
    TPoint cell;
    if (!CellOf(x, y, cell)) return;
    const int left = CellLeft(cell.x);
    const int top = CellTop(cell.y);
    // Clears the line crossing under the label.
    FillBox(p, left, top, left + cellSize_ - 1, top + cellSize_ - 1, banColor_);
    const int d = TextOffset();
    // Kept to what ErasePoint restores, so erasing a label leaves no ink.
    const QRect clip(left, top, cellSize_ + 1, cellSize_ + 1);
    PaintText(p, left + d, top + d, ToQt(text), LabelColor(colorCode), clip);
}

void TBoardRenderer::ErasePoint(int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        p.translate(0, -kToolPanelHeight);
        PaintErase(p, x, y);
    }
    Changed();
}

void TBoardRenderer::PaintErase(QPainter& p, int x, int y) {
    TPoint cell;
    if (!CellOf(x, y, cell)) return;
    const int n = nav_.Board().GetSize();
    const int left = CellLeft(cell.x);
    const int top = CellTop(cell.y);
    const int cx = left + halfCell_;
    const int cy = top + halfCell_;
    FillBox(p, left, top, left + cellSize_ + 1, top + cellSize_ + 1, banColor_);
    // On the board's edge the lines stop at the intersection, which itself
    // stays drawn (also in the bottom-right corner, where both would end
    // just short of it).
    const int y0 = cell.y == 1 ? cy : top;
    const int y1 = cell.y == n ? cy + 1 : top + cellSize_ + 1;
    FillBox(p, cx, y0, cx + 1, y1, kLineColor);
    const int x0 = cell.x == 1 ? cx : left;
    const int x1 = cell.x == n ? cx + 1 : left + cellSize_ + 1;
    FillBox(p, x0, cy, x1, cy + 1, kLineColor);
    const auto star = [](int v) { return v == 4 || v == 10 || v == 16; };
    if (star(cell.x) && star(cell.y)) PaintStarPoint(p, cell.x, cell.y);
    // The fill reaches one pixel into the cells to the right and below,
    // where a stone's outline touches its box: redraw those stones.
    const TGoban& board = nav_.Board();
    for (const TPoint& next : {TPoint{cell.x + 1, cell.y}, TPoint{cell.x, cell.y + 1},
                               TPoint{cell.x + 1, cell.y + 1}}) {
        if (next.x > n || next.y > n) continue;
        const TPoint point = board.DisplayToBoard(next.x, next.y);
        const int stone = board.GetStone(point.x, point.y);
        if (stone != Black && stone != White) continue;
        PaintStone(p, stone, point.x, point.y);
        const int number = board.GetNumber(point.x, point.y);
        if (number != 0) PaintStoneNumber(p, stone, number, point.x, point.y);
    }
}

void TBoardRenderer::PaintText(QPainter& p, int clientX, int clientY, const QString& text,
                               std::uint32_t color, const QRect& clip) {
    p.setClipRect(clip);
    p.setFont(font_);
    p.setPen(ColorFromBgr(color));
    p.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font_);
    // GDI places the text's cell at the point; Qt takes the baseline.
    p.drawText(QPoint(clientX, clientY + metrics.ascent()), text);
    p.setClipping(false);
}

}  // namespace vxlo
