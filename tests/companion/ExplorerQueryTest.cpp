// The explorer's questions that need no store: the filter as typed, paging,
// the replay the viewer shows and the corner's square.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/Goban.h"
#include "companion/ExplorerQuery.h"

namespace vxlo::testing {
namespace {

TEST(ExplorerQueryTest, FilterTextGivesTheFilterAndMarksWhatIsNoYear) {
    struct TCase {
        TFilterText text;
        std::optional<int> from, to;
        bool fromValid, toValid;
        std::string player, event;
    };
    const std::vector<TCase> cases = {
        {{"", "", "", ""}, {}, {}, true, true, "", ""},
        {{" 1990 ", "2001", " Sato ", "cup"}, 1990, 2001, true, true, "Sato", "cup"},
        {{"19x", "", "", ""}, {}, {}, false, true, "", ""},
        {{"", "20011", "", ""}, {}, {}, true, false, "", ""},
        {{"-5", "0", "坂田", " 名人戦"}, {}, 0, false, true, "坂田", "名人戦"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text.from + "|" + c.text.to);
        const TParsedFilter p = ParseFilterText(c.text);
        EXPECT_EQ(p.filter.from, c.from);
        EXPECT_EQ(p.filter.to, c.to);
        EXPECT_EQ(p.fromValid, c.fromValid);
        EXPECT_EQ(p.toValid, c.toValid);
        EXPECT_EQ(p.filter.player, c.player);
        EXPECT_EQ(p.filter.event, c.event);
    }
}

TEST(ExplorerQueryTest, PagesCoverTheTotalAndAPageIsClampedIntoThem) {
    struct TCase {
        long long total, size, page, pages, clamped;
    };
    const std::vector<TCase> cases = {
        {0, 50, 0, 1, 0},   {0, 50, 3, 1, 0},   {1, 50, 0, 1, 0},    {50, 50, 1, 1, 0},
        {51, 50, 1, 2, 1},  {120, 50, 9, 3, 2}, {120, 50, -1, 3, 0}, {7, 0, 3, 7, 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + "/" + std::to_string(c.size) + " page " + std::to_string(c.page));
        EXPECT_EQ(PageCount(c.total, c.size), c.pages);
        EXPECT_EQ(ClampPage(c.page, c.total, c.size), c.clamped);
    }
}

// The board as rows of . X O, the top row first.
std::string Diagram(const TBoardStones& s, int right, int bottom) {
    std::string out;
    for (int y = 1; y <= bottom; ++y) {
        for (int x = 1; x <= right; ++x) {
            const int v = s[static_cast<std::size_t>((y - 1) * kBoardSize + x - 1)];
            out += v == Black ? 'X' : v == White ? 'O' : '.';
        }
        out += '\n';
    }
    return out;
}

TEST(ExplorerQueryTest, TheReplayTakesCapturesPassesOverPassesAndStonesOnStones) {
    // White captures the black stone at (1,1), then Black's stone onto a
    // stone is passed over; a pass changes nothing; White first is kept.
    const std::vector<TReplayMove> moves = {
        {Black, 1, 1}, {White, 2, 1}, {Black, 0, 0}, {White, 1, 2}, {Black, 2, 1}, {White, 3, 3}, {Black, 2, 2},
    };
    EXPECT_EQ(Diagram(StonesAfter(moves, 0), 3, 3), "...\n...\n...\n");
    EXPECT_EQ(Diagram(StonesAfter(moves, 2), 3, 3), "XO.\n...\n...\n");
    EXPECT_EQ(Diagram(StonesAfter(moves, 4), 3, 3), ".O.\nO..\n...\n");
    EXPECT_EQ(Diagram(StonesAfter(moves, 5), 3, 3), ".O.\nO..\n...\n");
    EXPECT_EQ(Diagram(StonesAfter(moves, 99), 3, 3), ".O.\nOX.\n..O\n");
    EXPECT_EQ(Diagram(StonesAfter(moves, -3), 3, 3), "...\n...\n...\n");
    // Black fills its own last liberty: the record's suicide takes the group.
    const std::vector<TReplayMove> suicide = {{White, 2, 1}, {White, 1, 2}, {Black, 1, 1}};
    EXPECT_EQ(Diagram(StonesAfter(suicide, 3), 2, 2), ".O\nO.\n");
}

TEST(ExplorerQueryTest, TheViewerOpensWhereTheGameReachedThePositionInsideTheGame) {
    TGamePass pass;
    pass.moveNumber = 12;
    EXPECT_EQ(ShownMove(pass, 200), 12);
    EXPECT_EQ(ShownMove(pass, 7), 7);
    pass.moveNumber = 0;
    EXPECT_EQ(ShownMove(pass, 7), 0);
    const struct {
        int corner;
        TSquare square;
    } squares[] = {{0, {1, 1, 10, 10}}, {1, {10, 1, 19, 10}}, {2, {1, 10, 10, 19}}, {3, {10, 10, 19, 19}}};
    for (const auto& s : squares) {
        const TSquare q = CornerSquare(s.corner);
        EXPECT_EQ(std::vector<int>({q.left, q.top, q.right, q.bottom}),
                  std::vector<int>({s.square.left, s.square.top, s.square.right, s.square.bottom}));
    }
}

}  // namespace
}  // namespace vxlo::testing
