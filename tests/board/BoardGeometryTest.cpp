// The board's place in the window: the seed's snapped pitches, the coordinate
// band, the pitch that follows the window, the hit test against an
// independent pixel model, and the names Go players read.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "board/BoardGeometry.h"

namespace vxlo {
namespace {

constexpr int kPanel = 29;
constexpr int kStatus = 23;

TBoardGeometry Layout(int width, int height, TBoardOptions options = {}) {
    return ComputeBoardGeometry(width, height, 19, options, kPanel, kStatus);
}

TEST(BoardGeometry, WithBothOptionsOffTheSeedsTableHolds) {
    const struct {
        int width, height, cell, left, top, textOffset;
    } cases[] = {
        {340, 375, 17, 8, 30, 0},
        {474, 474 + 52, 21, 37, 29 + 37, 2},
        {475, 475 + 52, 25, 1, 30, 4},
        {300, 300 + 52, 17, 1, 30, 0},
        {1000, 474 + 52, 21, 300, 29 + 37, 2},
        {2000, 2000, 25, 762, 29 + 736, 4},  // a large window stays at 25
        {323, 375, 17, 1, 30, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const TBoardGeometry g = Layout(c.width, c.height);
        EXPECT_EQ(g.cellSize, c.cell);
        EXPECT_EQ(g.halfCell, c.cell / 2);
        EXPECT_EQ(g.boardPixels, 19 * c.cell);
        EXPECT_EQ(g.boardLeft, c.left);
        EXPECT_EQ(g.boardTop, c.top);
        EXPECT_EQ(g.band, 0);
        EXPECT_EQ(g.textPixels, 19);
        EXPECT_EQ(g.textOffset, c.textOffset);
        EXPECT_EQ(g.digitIndent, 4);
        EXPECT_EQ(g.starHalf, 1);
    }
}

TEST(BoardGeometry, CoordinatesTakeABandOfOnePitchOnEverySide) {
    // 21 pitches across: 500 / 21 = 23, snapped to 21.
    const TBoardGeometry g = Layout(500, 500 + 52, {.coordinates = true});
    EXPECT_EQ(g.cellSize, 21);
    EXPECT_EQ(g.band, 21);
    const int outer = 21 * 21;
    EXPECT_EQ(g.boardLeft, (500 - outer) / 2 + 21);
    EXPECT_EQ(g.boardTop, 29 + (500 - outer) / 2 + 21);
    // The band is no cell.
    EXPECT_EQ(g.HitTest(g.boardLeft - 1, g.boardTop + 5), (TPoint{}));
    EXPECT_EQ(g.HitTest(g.boardLeft + 5, g.boardTop - 1), (TPoint{}));
    EXPECT_EQ(g.HitTest(g.boardLeft, g.boardTop), (TPoint{1, 1}));
    EXPECT_EQ(g.HitTest(g.boardLeft + g.boardPixels, g.boardTop + 5), (TPoint{}));
    // The same window without coordinates has room for the next pitch up.
    EXPECT_EQ(Layout(500, 500 + 52).cellSize, 25);
    // Too small a window: the band still starts inside it.
    const TBoardGeometry small = Layout(340, 375, {.coordinates = true});
    EXPECT_EQ(small.cellSize, 17);
    EXPECT_EQ(small.boardLeft, 1 + 17);
    EXPECT_EQ(small.boardTop, 30 + 17);
    EXPECT_GT(small.coordinateTextPixels, 8);
}

TEST(BoardGeometry, ScalablePitchFollowsTheWindowAndScalesTheText) {
    const TBoardGeometry g = Layout(1000, 1000 + 52, {.scalable = true});
    EXPECT_EQ(g.cellSize, 1000 / 19);
    EXPECT_EQ(g.boardLeft, (1000 - 19 * 52) / 2);
    EXPECT_EQ(g.textPixels, (19 * 52 + 12) / 25);
    EXPECT_EQ(g.textOffset, (4 * 52 + 12) / 25);
    EXPECT_EQ(g.digitIndent, 8);
    EXPECT_EQ(g.starHalf, 2);
    // Up to 25 the seed's pitches stay.
    EXPECT_EQ(Layout(474, 474 + 52, {.scalable = true}).cellSize, 21);
    EXPECT_EQ(Layout(499, 499 + 52, {.scalable = true}).cellSize, 26);
    const TBoardGeometry both = Layout(1000, 1000 + 52, {true, true});
    EXPECT_EQ(both.cellSize, 1000 / 21);
    EXPECT_EQ(both.band, both.cellSize);
}

// Every client pixel of random layouts: the hit test names the cell whose
// square holds the pixel, and nothing outside the 19 x 19 squares.
TEST(BoardGeometry, HitTestMatchesThePixelSquaresOfEveryCell) {
    std::mt19937 random(17);
    std::uniform_int_distribution<int> side(200, 1400);
    for (int round = 0; round < 40; ++round) {
        const TBoardOptions options{round % 2 == 0, round % 3 != 0};
        const int width = side(random), height = side(random);
        const TBoardGeometry g = Layout(width, height, options);
        SCOPED_TRACE(testing::Message() << width << "x" << height << " cell " << g.cellSize);
        int hits = 0;
        for (int y = g.boardTop - 30; y < g.boardTop + g.boardPixels + 30; ++y) {
            for (int x = g.boardLeft - 30; x < g.boardLeft + g.boardPixels + 30; ++x) {
                TPoint want;
                for (int c = 1; c <= 19; ++c) {
                    if (x >= g.CellLeft(c) && x < g.CellLeft(c) + g.cellSize) want.x = c;
                    if (y >= g.CellTop(c) && y < g.CellTop(c) + g.cellSize) want.y = c;
                }
                if (want.x == 0 || want.y == 0) want = {};
                const TPoint got = g.HitTest(x, y);
                ASSERT_EQ(got, want) << x << "," << y;
                if (got.x != 0) ++hits;
            }
        }
        EXPECT_EQ(hits, 19 * 19 * g.cellSize * g.cellSize);
    }
}

TEST(BoardGeometry, ColumnsSkipIAndRowsCountFromTheBottom) {
    std::string columns;
    for (int c = 1; c <= 19; ++c) columns += ColumnName(c, 19);
    EXPECT_EQ(columns, "ABCDEFGHJKLMNOPQRST");
    EXPECT_EQ(RowName(1, 19), "19");
    EXPECT_EQ(RowName(19, 19), "1");
    EXPECT_EQ(CellName({16, 4}, 19), "Q16");
    EXPECT_EQ(CellName({4, 16}, 19), "D4");
    EXPECT_EQ(CellName({1, 19}, 19), "A1");
    EXPECT_EQ(CellName({19, 1}, 19), "T19");
    EXPECT_EQ(CellName({10, 10}, 19), "K10");  // tengen
    std::set<std::string> names;
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 19; ++c) names.insert(CellName({c, r}, 19));
    EXPECT_EQ(names.size(), 361u);
    for (const TPoint& off : {TPoint{0, 1}, TPoint{1, 0}, TPoint{20, 5}, TPoint{5, 20}, TPoint{}})
        EXPECT_EQ(CellName(off, 19), "") << off.x << "," << off.y;
    EXPECT_EQ(ColumnName(9, 9), "J");
    EXPECT_EQ(RowName(9, 9), "1");
}

}  // namespace
}  // namespace vxlo
