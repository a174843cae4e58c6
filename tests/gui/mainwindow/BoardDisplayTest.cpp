// The board beyond the seed's look: coordinates on the margins, drawing at a
// device pixel ratio of 2, and a pitch above 25 pixels. With the options off
// and ratio 1, stones are checked pixel by pixel against the seed's disc.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gui/board/BoardRenderer.h"
#include "gui/board/BoardWidget.h"

namespace vxlo {
namespace {

class TNoMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

constexpr std::uint32_t kBan = 0x008080;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;

QRgb Rgb(std::uint32_t bgr) { return ColorFromBgr(bgr).rgb(); }

struct TBoard {
    TBoardRenderer renderer{nav};
    TNoMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{renderer, messages, comments, menus};

    TBoard(int width, int height, TBoardOptions options = {}, double ratio = 1.0) {
        renderer.SetOptions(options);
        renderer.SetDevicePixelRatio(ratio);
        renderer.Resize(width, height);
        renderer.SetPaintEnabled(true);
        nav.OpenStore(std::make_unique<TMemoryRecordStore>());
    }
    void Play(int x, int y) {
        ASSERT_TRUE(nav.Deside(x, y));
        ASSERT_TRUE(nav.Deside(x, y));
    }
    const TBoardGeometry& G() const { return renderer.Geometry(); }
    // Logical client pixel at ratio 1.
    QRgb Px(int x, int y) const {
        return renderer.Canvas().pixel(x, y - TBoardRenderer::kToolPanelHeight);
    }
    // Logical client rectangle of the canvas, in device pixels.
    QImage Area(int left, int top, int width, int height) const {
        const double r = renderer.DevicePixelRatio();
        return renderer.Canvas().copy(
            int(std::lround(left * r)),
            int(std::lround((top - TBoardRenderer::kToolPanelHeight) * r)),
            int(std::lround(width * r)), int(std::lround(height * r)));
    }
};

// Pixels of colour bgr in an image, and the bounding box of them.
int Count(const QImage& image, std::uint32_t bgr, QRect* box = nullptr) {
    int n = 0;
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != Rgb(bgr)) continue;
            ++n;
            bounds |= QRect(x, y, 1, 1);
        }
    }
    if (box) *box = bounds;
    return n;
}

// The seed's stone: a disc of the pitch's pixels across (pixel centres within
// half the pitch plus a half of the centre), its pixels with a neighbour
// outside in the outline colour.
TEST(BoardDisplaySeedLook, StonesAtEverySeedPitchMatchTheSeedsDiscPixelForPixel) {
    for (int side : {340, 474, 475}) {
        TBoard board(side, side + 52);
        board.renderer.SetColors(kBan, kRed, 0xFFFFFF);
        board.Play(7, 9);
        const int cell = board.G().cellSize, half = cell / 2;
        SCOPED_TRACE(cell);
        const auto inside = [&](int dx, int dy) {
            return dx * dx + dy * dy <= (half + 0.5) * (half + 0.5);
        };
        const int left = board.G().CellLeft(7), top = board.G().CellTop(9);
        // The edge is smoothed: the probes keep two pixels away from it,
        // where the seed's fill and board colours are exact.
        const auto nearEdge = [&](int dx, int dy) {
            for (int j = -2; j <= 2; ++j)
                for (int i = -2; i <= 2; ++i)
                    if (inside(dx + i, dy + j) != inside(dx, dy)) return true;
            return false;
        };
        for (int dy = -half; dy <= half; ++dy) {
            for (int dx = -half; dx <= half; ++dx) {
                if (nearEdge(dx, dy)) continue;
                const QRgb want = Rgb(inside(dx, dy) ? kRed : kBan);
                ASSERT_EQ(board.Px(left + half + dx, top + half + dy), want) << dx << "," << dy;
            }
        }
    }
}

TEST(BoardDisplaySeedLook, OptionsSwitchedOnAndOffAgainGiveTheSameCanvas) {
    TBoard plain(500, 552);
    plain.Play(16, 4);
    TBoard toggled(500, 552);
    toggled.Play(16, 4);
    toggled.renderer.SetOptions({true, true});
    toggled.renderer.SetDevicePixelRatio(2);
    EXPECT_NE(toggled.renderer.Canvas().size(), plain.renderer.Canvas().size());
    toggled.renderer.SetOptions({});
    toggled.renderer.SetDevicePixelRatio(1);
    EXPECT_EQ(toggled.renderer.Canvas(), plain.renderer.Canvas());
}

TEST(BoardDisplayCoordinates, LettersAboveAndBelowNumbersLeftAndRight) {
    TBoard board(560, 612, {.coordinates = true});
    const TBoardGeometry& g = board.G();
    ASSERT_EQ(g.cellSize, 25);
    ASSERT_EQ(g.band, 25);
    const int cell = g.cellSize, bottom = g.boardTop + g.boardPixels + 1,
              right = g.boardLeft + g.boardPixels + 1;
    std::vector<QImage> letters, numbers;
    for (int i = 1; i <= 19; ++i) {
        SCOPED_TRACE(i);
        const QImage above = board.Area(g.CellLeft(i), g.boardTop - cell, cell, cell);
        const QImage below = board.Area(g.CellLeft(i), bottom, cell, cell);
        const QImage leftOf = board.Area(g.boardLeft - cell, g.CellTop(i), cell, cell);
        const QImage rightOf = board.Area(right, g.CellTop(i), cell, cell);
        // Black ink on the board colour, nothing else; centred in its cell.
        QRect ink;
        ASSERT_GT(Count(above, kBlack, &ink), 5);
        EXPECT_EQ(Count(above, kBlack) + Count(above, kBan), cell * cell);
        EXPECT_LE(std::abs(ink.center().x() - cell / 2), 2);
        EXPECT_LE(std::abs(ink.center().y() - cell / 2), 3);
        EXPECT_EQ(above, below);
        EXPECT_EQ(leftOf, rightOf);
        ASSERT_GT(Count(leftOf, kBlack, &ink), 5);
        EXPECT_LE(std::abs(ink.center().x() - cell / 2), 2);
        letters.push_back(above);
        numbers.push_back(leftOf);
    }
    // Nineteen different letters and numbers.
    for (int i = 0; i < 19; ++i) {
        for (int j = i + 1; j < 19; ++j) {
            EXPECT_NE(letters[i], letters[j]) << i << " " << j;
            EXPECT_NE(numbers[i], numbers[j]) << i << " " << j;
        }
    }
    // Rows count from the bottom: "19" at the top is wider than "1" at the bottom.
    QRect top, low;
    Count(numbers[0], kBlack, &top);
    Count(numbers[18], kBlack, &low);
    EXPECT_GT(top.width(), low.width() + 3);
    // The corners of the band stay empty.
    EXPECT_EQ(Count(board.Area(g.boardLeft - cell, g.boardTop - cell, cell, cell), kBan),
              cell * cell);
    // The lines sit inside the band exactly as without it, one pitch further in.
    TBoard plain(560 - 2 * cell, 612 - 2 * cell);
    ASSERT_EQ(plain.G().cellSize, 25);
    EXPECT_EQ(board.Area(g.boardLeft, g.boardTop, g.boardPixels, g.boardPixels),
              plain.Area(plain.G().boardLeft, plain.G().boardTop, g.boardPixels, g.boardPixels));
    // A stone drawn beside the band.
    board.Play(1, 1);
    EXPECT_EQ(board.Px(g.CellLeft(1) + 12, g.CellTop(1) + 12), Rgb(kBlack));
    EXPECT_EQ(board.G().HitTest(g.boardLeft - 3, g.CellTop(1) + 3), (TPoint{}));
}

TEST(BoardDisplayHiDpi, AtRatioTwoLinesAndOutlinesAreSharpAndStonesRounder) {
    TBoard one(340, 375);
    TBoard two(340, 375, {}, 2.0);
    for (TBoard* b : {&one, &two}) {
        b->renderer.SetColors(kBan, kRed, 0xFFFFFF);
        b->Play(5, 5);
    }
    // The geometry stays in logical pixels; the canvas has twice the pixels.
    EXPECT_EQ(two.G().cellSize, 17);
    EXPECT_EQ(two.G().boardLeft, one.G().boardLeft);
    EXPECT_EQ(two.renderer.Canvas().size(), one.renderer.Canvas().size() * 2);
    const QImage& canvas = two.renderer.Canvas();
    const int lineX = 2 * (two.G().CellLeft(3) + 8);
    const int y = 2 * (two.G().CellTop(3) + 3 - TBoardRenderer::kToolPanelHeight);
    // A line is two device pixels of pure black between board colour.
    EXPECT_EQ(canvas.pixel(lineX - 1, y), Rgb(kBan));
    EXPECT_EQ(canvas.pixel(lineX, y), Rgb(kBlack));
    EXPECT_EQ(canvas.pixel(lineX + 1, y), Rgb(kBlack));
    EXPECT_EQ(canvas.pixel(lineX + 2, y), Rgb(kBan));
    // The stone: a disc of 34 device pixels with a two-pixel outline,
    // smoothed at its edge, symmetric in both axes.
    const QImage stone = two.Area(two.G().CellLeft(5), two.G().CellTop(5), 17, 17);
    ASSERT_EQ(stone.size(), QSize(34, 34));
    for (int py = 0; py < 34; ++py) {
        for (int px = 0; px < 34; ++px) {
            const QRgb c = stone.pixel(px, py);
            // Smoothing may round a mirrored pixel by a step or two.
            for (const QRgb m : {stone.pixel(33 - px, py), stone.pixel(px, 33 - py)}) {
                ASSERT_LE(std::abs(qRed(c) - qRed(m)) + std::abs(qGreen(c) - qGreen(m)) +
                              std::abs(qBlue(c) - qBlue(m)), 6)
                    << px << "," << py;
            }
        }
    }
    // The outline's inner pixel is pure black, its outer one smoothed to
    // near black; the fill is exact a pixel further in.
    for (const QRgb c : {stone.pixel(0, 16), stone.pixel(16, 0)})
        EXPECT_TRUE(qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80) << std::hex << c;
    EXPECT_EQ(stone.pixel(1, 16), Rgb(kBlack));
    EXPECT_EQ(stone.pixel(4, 16), Rgb(kRed));
    EXPECT_EQ(stone.pixel(0, 0), Rgb(kBan));
    // Not the ratio-1 stone blown up: its steps are finer.
    const QImage blownUp = one.Area(one.G().CellLeft(5), one.G().CellTop(5), 17, 17)
                               .scaled(34, 34, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_NE(stone, blownUp);
    // Away from stones and text, ratio 2 is ratio 1 with every pixel doubled.
    const QImage emptyTwo = two.Area(two.G().CellLeft(10), two.G().CellTop(12), 51, 51);
    const QImage emptyOne = one.Area(one.G().CellLeft(10), one.G().CellTop(12), 51, 51)
                                .scaled(102, 102, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(emptyTwo.convertToFormat(QImage::Format_RGB32),
              emptyOne.convertToFormat(QImage::Format_RGB32));
}

TEST(BoardDisplayHiDpi, LabelsAtRatioTwoHaveTheResolutionOfTheScreen) {
    TBoard two(340, 375, {}, 2.0);
    ASSERT_TRUE(two.nav.Deside(12, 3));  // a candidate with the label い
    const QImage label = two.Area(two.G().CellLeft(12), two.G().CellTop(3), 17, 17);
    QRect ink;
    const int pixels = Count(label, kBlack, &ink);
    TBoard one(340, 375);
    ASSERT_TRUE(one.nav.Deside(12, 3));
    QRect inkOne;
    const int pixelsOne = Count(one.Area(one.G().CellLeft(12), one.G().CellTop(3), 17, 17), kBlack,
                                &inkOne);
    // About four times the ink, in a box twice as large; drawn, not doubled:
    // some ink pixel has no twin in its 2x2 block.
    EXPECT_GT(pixels, 2 * pixelsOne);
    EXPECT_NEAR(ink.height(), 2 * inkOne.height(), 3);
    bool finer = false;
    for (int y = 0; y + 1 < label.height(); y += 2)
        for (int x = 0; x + 1 < label.width(); x += 2)
            finer = finer || label.pixel(x, y) != label.pixel(x + 1, y + 1);
    EXPECT_TRUE(finer);
}

TEST(BoardDisplayScalable, PitchAbove25ScalesStonesLabelsNumbersAndStarPoints) {
    TBoard big(1000, 1052, {.scalable = true});
    const TBoardGeometry& g = big.G();
    ASSERT_EQ(g.cellSize, 52);
    big.renderer.SetColors(kBan, kRed, 0xFFFFFF);
    // Star point: a 5 x 5 square.
    const int sx = g.CellLeft(4) + g.halfCell, sy = g.CellTop(4) + g.halfCell;
    EXPECT_EQ(big.Px(sx - 2, sy - 2), Rgb(kBlack));
    EXPECT_EQ(big.Px(sx + 2, sy + 2), Rgb(kBlack));
    EXPECT_EQ(big.Px(sx - 3, sy - 2), Rgb(kBan));
    // A stone fills its 52-pixel cell: a disc touching all four sides.
    big.Play(3, 3);
    const QImage stone = big.Area(g.CellLeft(3), g.CellTop(3), 52, 52);
    QRect disc;
    Count(stone, kRed, &disc);
    // Its edge is smoothed: the fill reaches to within a pixel of the
    // outline, which is near black where it meets the cell's sides.
    EXPECT_LE(std::abs(disc.left() - 1), 1);
    EXPECT_GE(disc.width(), 48);
    EXPECT_EQ(disc.center(), QRect(1, 1, 50, 50).center());
    for (const QRgb c : {stone.pixel(0, 26), stone.pixel(51, 26)})
        EXPECT_TRUE(qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80) << std::hex << c;
    // The label is as much larger as the pitch.
    TBoard seed(475, 527);
    ASSERT_EQ(seed.G().cellSize, 25);
    ASSERT_TRUE(big.nav.Deside(12, 3));
    ASSERT_TRUE(seed.nav.Deside(12, 3));
    QRect bigInk, seedInk;
    Count(big.Area(g.CellLeft(12), g.CellTop(3), 51, 51), kBlack, &bigInk);
    Count(seed.Area(seed.G().CellLeft(12), seed.G().CellTop(3), 24, 24), kBlack, &seedInk);
    EXPECT_NEAR(bigInk.height(), seedInk.height() * 52.0 / 25, 4);
    EXPECT_NEAR(bigInk.left(), seedInk.left() * 52.0 / 25, 4);
    // The hit test takes exactly the drawn cells.
    EXPECT_EQ(big.renderer.HitTest(g.CellLeft(12), g.CellTop(3)), (TPoint{12, 3}));
    EXPECT_EQ(big.renderer.HitTest(g.CellLeft(12) + 51, g.CellTop(3) + 51), (TPoint{12, 3}));
    EXPECT_EQ(big.renderer.HitTest(g.CellLeft(12) + 52, g.CellTop(3)), (TPoint{13, 3}));
    // Without the option the same window keeps the seed's 25.
    TBoard snapped(1000, 1052);
    EXPECT_EQ(snapped.G().cellSize, 25);
}

TEST(BoardDisplayScalable, NumbersGrowWithThePitch) {
    TBoard big(1000, 1052, {.scalable = true});
    big.renderer.SetColors(kBan, kRed, 0x00FF00);
    big.Play(3, 3);
    big.Play(4, 3);
    big.nav.ToFirst();
    ASSERT_TRUE(big.nav.Deside(3, 3));
    ASSERT_EQ(big.nav.Board().GetNumber(3, 3), 1);
    QRect ink;
    const int g = big.G().cellSize;
    const int white = Count(big.Area(big.G().CellLeft(3), big.G().CellTop(3), g, g), 0xFFFFFF, &ink);
    EXPECT_GT(white, 40);
    EXPECT_GT(ink.height(), 20);
}

// Drawing point by point must leave the canvas a full repaint would draw,
// with the band around the board, at ratios 2 and 1.5 and at a large pitch.
// The play is in the corners (a capture at the fourth move), so erased points
// touch the band.
TEST(BoardDisplayIncremental, PlayCaptureAndBackMatchAFullRepaintInEveryMode) {
    const TPoint line[] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}, {3, 1}, {19, 19}, {1, 1},
                           {18, 19}, {19, 18}, {17, 19}, {10, 1}, {1, 10}};
    const struct {
        int width, height;
        TBoardOptions options;
        double ratio;
    } cases[] = {{560, 612, {true, false}, 1.0}, {560, 612, {true, false}, 2.0},
                 {1000, 1052, {false, true}, 1.0}, {900, 952, {true, true}, 2.0},
                 {700, 752, {true, true}, 1.5}};
    for (const auto& c : cases) {
        TBoard board(c.width, c.height, c.options, c.ratio);
        SCOPED_TRACE(testing::Message() << "pitch " << board.G().cellSize << " ratio " << c.ratio);
        board.renderer.SetColors(kBan, kRed, 0x00FF00);
        const auto matches = [&board] {
            const QImage incremental = board.renderer.Canvas().copy();
            board.renderer.FullRepaint();
            return board.renderer.Canvas() == incremental;
        };
        for (const TPoint p : line) {
            board.Play(p.x, p.y);
            ASSERT_TRUE(matches()) << p.x << "," << p.y;
        }
        board.nav.SetProgressMode(EProgressMode::OneMove);
        board.nav.ToFirst();
        ASSERT_TRUE(matches());
        for (const TPoint p : line) {
            ASSERT_TRUE(board.nav.Deside(p.x, p.y));
            ASSERT_TRUE(matches()) << p.x << "," << p.y;
        }
        for (int i = 0; i < 12; ++i) {
            board.nav.Back();
            ASSERT_TRUE(matches()) << i;
        }
    }
}

// Run a second time with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt): the
// widget takes the screen's ratio and shows the canvas one pixel for one.
TEST(BoardDisplayWidget, ShowsTheCanvasAtTheScreensRatio) {
    TBoard board(340, 375);
    TBoardWidget widget(board.renderer);
    widget.resize(340, 375 - 52);
    widget.show();
    QCoreApplication::processEvents();
    const double ratio = widget.devicePixelRatioF();
    EXPECT_EQ(board.renderer.DevicePixelRatio(), ratio);
    EXPECT_EQ(board.renderer.CellSize(), 17);
    board.Play(5, 2);
    EXPECT_EQ(board.renderer.Canvas().size(), QSize(340, 323) * ratio);
    QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    shown.setDevicePixelRatio(1);
    EXPECT_EQ(shown, board.renderer.Canvas());
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
        EXPECT_EQ(ratio, 2.0);
    }
}

}  // namespace
}  // namespace vxlo
