#include "gui/board/BoardRenderer.h"

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
constexpr int kTextPixelHeight = kSeedTextPixels;
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

}  // namespace

std::uint32_t CandidateLabelColor(int code) {
    switch (code) {
    case 1: return 0x0000FF;  // red
    case 2: return 0xFF0000;  // blue
    case 3: return 0x00FFFF;  // yellow
    case 4: return 0x008000;  // green
    default: return 0x000000;
    }
}

namespace {

// Fills [left, right-1] x [top, bottom-1], as a GDI rectangle drawn with a
// clear pen.
void FillBox(QPainter& p, int left, int top, int right, int bottom, std::uint32_t bgr) {
    if (right <= left || bottom <= top) return;
    p.fillRect(QRect(left, top, right - left, bottom - top), ColorFromBgr(bgr));
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
    coordinateFont_ = font_;
}

void TBoardRenderer::SetDevicePixelRatio(double ratio) {
    ratio = ratio > 0 ? ratio : 1.0;
    if (ratio == ratio_) return;
    ratio_ = ratio;
    Resize(clientWidth_, clientHeight_);
}

void TBoardRenderer::SetOptions(const TBoardOptions& options) {
    if (options == options_) return;
    options_ = options;
    Resize(clientWidth_, clientHeight_);
}

void TBoardRenderer::BeginPaint(QPainter& p) {
    // Client coordinates on the canvas's device pixels.
    p.scale(ratio_, ratio_);
    p.translate(0, -kToolPanelHeight);
}

int TBoardRenderer::Device(int logical) const {
    return static_cast<int>(std::lround(logical * ratio_));
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
    const int width = Device(clientWidth_);
    const int height = Device(areaHeight);
    if (canvas_.width() != width || canvas_.height() != height) {
        canvas_ = QImage(width, height, QImage::Format_RGB32);
    }
    // The window's own colour also lies under the board; the fill is not
    // subject to PaintEnabled.
    if (!canvas_.isNull()) canvas_.fill(ColorFromBgr(kWindowColor));
    FullRepaint();
    if (!paintEnabled_) Changed();
}

bool TBoardRenderer::CanDraw() const {
    return paintEnabled_ && !canvas_.isNull() && geom_.cellSize > 0;
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

void TBoardRenderer::ComputeGeometry() {
    geom_ = ComputeBoardGeometry(clientWidth_, clientHeight_, nav_.Board().GetSize(), options_,
                                 kToolPanelHeight, kStatusBarHeight);
    font_.setPixelSize(geom_.textPixels);
    if (geom_.coordinateTextPixels > 0) coordinateFont_.setPixelSize(geom_.coordinateTextPixels);
}

TPoint TBoardRenderer::HitTest(int clientX, int clientY) const {
    return geom_.HitTest(clientX, clientY);
}

void TBoardRenderer::FullRepaint() {
    if (!paintEnabled_) return;
    ComputeGeometry();
    if (canvas_.isNull()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
        const int n = nav_.Board().GetSize();
        const TBoardGeometry& g = geom_;
        FillBox(p, g.boardLeft - g.band, g.boardTop - g.band,
                g.boardLeft + g.boardPixels + g.band + 1, g.boardTop + g.boardPixels + g.band + 1,
                banColor_);
        const int first = g.halfCell;
        const int last = g.halfCell + (n - 1) * g.cellSize;  // inclusive
        for (int i = 0; i < n; ++i) {
            const int x = g.boardLeft + g.halfCell + i * g.cellSize;
            FillBox(p, x, g.boardTop + first, x + 1, g.boardTop + last + 1, kLineColor);
        }
        for (int i = 0; i < n; ++i) {
            const int y = g.boardTop + g.halfCell + i * g.cellSize;
            FillBox(p, g.boardLeft + first, y, g.boardLeft + last + 1, y + 1, kLineColor);
        }
        if (g.band > 0) PaintCoordinates(p);
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
        if (nav_.LabelMode() == ELabelMode::Shown) {
            // As the dictionary's DrawLabels: its kana, the unlabelled mark
            // past them, nothing off the board.
            const TLjsk& dictionary = nav_.Dictionary();
            for (int i = 0; i < dictionary.Count(); ++i) {
                const TJskRecord record = dictionary.GetRecord(i);
                if (!IsMovePoint(record.X, record.Y)) continue;
                const int label = dictionary.LabelIndex(i);
                PaintLabel(p, label >= 0 ? CandidateLabel(label) : kUnlabelledMark, record.X, record.Y,
                           record.Color);
            }
        }
    }
    Changed();
}

void TBoardRenderer::DrawStarPoint(int column, int row) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
        PaintStarPoint(p, column, row);
    }
    Changed();
}

void TBoardRenderer::PaintStarPoint(QPainter& p, int column, int row) {
    const int n = nav_.Board().GetSize();
    if (column < 1 || column > n || row < 1 || row > n) return;
    const int cx = CellLeft(column) + geom_.halfCell;
    const int cy = CellTop(row) + geom_.halfCell;
    const int h = geom_.starHalf;
    FillBox(p, cx - h, cy - h, cx + h + 1, cy + h + 1, kLineColor);
}

void TBoardRenderer::PaintCoordinates(QPainter& p) {
    const TBoardGeometry& g = geom_;
    const int n = g.size;
    p.setFont(coordinateFont_);
    p.setPen(ColorFromBgr(kLineColor));
    p.setBackgroundMode(Qt::TransparentMode);
    const int below = g.boardTop + g.boardPixels;
    const int right = g.boardLeft + g.boardPixels;
    for (int i = 1; i <= n; ++i) {
        const QString column = QString::fromStdString(ColumnName(i, n));
        const int x = CellLeft(i);
        p.drawText(QRect(x, g.boardTop - g.band, g.cellSize, g.band), Qt::AlignCenter, column);
        p.drawText(QRect(x, below + 1, g.cellSize, g.band), Qt::AlignCenter, column);
        const QString row = QString::fromStdString(RowName(i, n));
        const int y = CellTop(i);
        p.drawText(QRect(g.boardLeft - g.band, y, g.band, g.cellSize), Qt::AlignCenter, row);
        p.drawText(QRect(right + 1, y, g.band, g.cellSize), Qt::AlignCenter, row);
    }
}

void TBoardRenderer::DrawStone(int value, int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
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
    const int pitch = geom_.cellSize;
    FillBox(p, left, top, left + pitch, top + pitch, banColor_);
    const bool firstPlayer = (value == Black) != nav_.WhiteFirst();
    const std::uint32_t fill = firstPlayer ? kuroIsiColor_ : siroIsiColor_;
    // GDI's Ellipse in the box (left, top, left + CellSize, top + CellSize):
    // a disc of CellSize pixels across with an outline one logical pixel
    // wide, its edge smoothed so that the stone is round at every pitch and
    // density rather than stepped. Its inside keeps the stone's colour.
    // Kept to the pixels of its own box, which it has just filled: whatever
    // the order cells are drawn in, a smoothed edge never blends into a
    // neighbour's pixels.
    p.save();
    p.setClipRect(QRect(left, top, pitch, pitch));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ColorFromBgr(kLineColor), 1.0));
    p.setBrush(ColorFromBgr(fill));
    p.drawEllipse(QRectF(left + 0.5, top + 0.5, pitch - 1.0, pitch - 1.0));
    p.restore();
}

void TBoardRenderer::DrawStoneNumber(int value, int number, int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
        PaintStoneNumber(p, value, number, x, y);
    }
    Changed();
}

void TBoardRenderer::PaintStoneNumber(QPainter& p, int value, int number, int x, int y) {
    TPoint cell;
    if (!CellOf(x, y, cell)) return;
    const int d = geom_.textOffset;
    const int left = CellLeft(cell.x) + d + (number < 10 ? geom_.digitIndent : 0);
    const int top = CellTop(cell.y) + d;
    // The colour follows the stone's value, not the chosen stone colours.
    const bool firstPlayer = value == Black;
    const std::uint32_t color =
        firstPlayer != nav_.WhiteFirst() ? kNumberWhite : kNumberBlue;
    // Kept to the stone's cell: redrawing the stone must remove the number
    // without leaving digits on a neighbour.
    const QRect clip(CellLeft(cell.x), CellTop(cell.y), geom_.cellSize, geom_.cellSize);
    PaintText(p, left, top, QString::number(number), color, clip);
}

void TBoardRenderer::DrawLabel(std::string_view text, int x, int y, int colorCode) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
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
    const int cellSize = geom_.cellSize;
    FillBox(p, left, top, left + cellSize - 1, top + cellSize - 1, banColor_);
    const int d = geom_.textOffset;
    // Kept to what ErasePoint restores, so erasing a label leaves no ink.
    const QRect clip(left, top, cellSize + 1, cellSize + 1);
    // Blue and green are dark on the olive board: a pale outline of one
    // pixel sets them off, as it does on stones of either colour.
    if (colorCode == 2 || colorCode == 4) {
        for (const QPoint o : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            PaintText(p, left + d + o.x(), top + d + o.y(), ToQt(text), kLabelOutlineColor, clip);
    }
    PaintText(p, left + d, top + d, ToQt(text), CandidateLabelColor(colorCode), clip);
}

void TBoardRenderer::ErasePoint(int x, int y) {
    if (!CanDraw()) return;
    {
        QPainter p(&canvas_);
        BeginPaint(p);
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
    const int cellSize = geom_.cellSize;
    const int cx = left + geom_.halfCell;
    const int cy = top + geom_.halfCell;
    FillBox(p, left, top, left + cellSize + 1, top + cellSize + 1, banColor_);
    // On the board's edge the lines stop at the intersection, which itself
    // stays drawn (also in the bottom-right corner, where both would end
    // just short of it).
    const int y0 = cell.y == 1 ? cy : top;
    const int y1 = cell.y == n ? cy + 1 : top + cellSize + 1;
    FillBox(p, cx, y0, cx + 1, y1, kLineColor);
    const int x0 = cell.x == 1 ? cx : left;
    const int x1 = cell.x == n ? cx + 1 : left + cellSize + 1;
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
