// A position from a game: corners of a game found in the dictionary in any
// orientation and colour, the largest match first.
#include <gtest/gtest.h>

#include "core/VxloError.h"
#include "dictionary/TreeSupport.h"
#include "import/CornerMatch.h"
#include "import/ImportFixture.h"

namespace vxlo::testing {
namespace {

class CornerMatchTest : public TImportTest {
protected:
    TTreeIndex Index() { return TTreeIndex::Build(nav.Dictionary().Store()); }
};

TEST_F(CornerMatchTest, TheLargestCornerShapeOfTheGameIsTheBestMatch) {
    // A small-knight approach in the dictionary, upper left.
    const TLine joseki = {{4, 3}, {3, 5}, {6, 3}, {3, 3}};
    EnterLine(nav, joseki);
    const TTreeIndex index = Index();
    // The game plays it in the lower right corner, turned, with White's
    // colours (Black opens elsewhere first), and moves elsewhere between.
    // Two moves elsewhere between the joseki's second and third keep the
    // colours alternating.
    const TLine game = {{4, 16}, Transform(6, joseki[0]), Transform(6, joseki[1]), {12, 2}, {14, 2},
                        Transform(6, joseki[2]), Transform(6, joseki[3]), {16, 2}, {18, 2}};
    const std::vector<TCornerMatch> found = FindCorners(index, game, 100);
    ASSERT_FALSE(found.empty());
    const TCornerMatch best = found[0];
    EXPECT_EQ(index.MovesTo(best.match.record), joseki);
    EXPECT_EQ(best.corner, 3);
    EXPECT_EQ(best.stones, 4);
    EXPECT_TRUE(best.match.coloursExchanged);
    EXPECT_EQ(best.match.symmetry, 6);
    EXPECT_EQ(best.moveNumber, 9);  // the latest position that still shows it
    // Earlier stages of the joseki are found too, after it.
    for (std::size_t i = 1; i < found.size(); ++i) EXPECT_LT(found[i].stones, best.stones);
    // Up to move 4 only, the game has played two of the joseki's moves.
    EXPECT_EQ(FindCorners(index, game, 4)[0].stones, 2);
    EXPECT_EQ(FindCorners(index, game, 4)[0].moveNumber, 4);
}

TEST_F(CornerMatchTest, GamesFromSgfOrMoveLists) {
    EXPECT_EQ(ParseGameMoves("(;GM[1]SZ[19];B[pd];W[dp];B[tt];W[dd])", "paste"), (TLine{{16, 4}, {4, 16}}));
    EXPECT_EQ(ParseGameMoves(" 16,4  4,16\n17,3 pass 4,4", "paste"), (TLine{{16, 4}, {4, 16}, {17, 3}}));
    EXPECT_THROW(ParseGameMoves("(;SZ[9];B[cc])", "paste"), EFileRefused);
    try {
        ParseGameMoves("16,4 q16", "paste");
        FAIL();
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), "paste");
    }
    EXPECT_TRUE(InCorner(0, 10, 10));
    EXPECT_FALSE(InCorner(0, 11, 10));
    EXPECT_TRUE(InCorner(3, 10, 10));
    EXPECT_FALSE(InCorner(3, 9, 10));
}

}  // namespace
}  // namespace vxlo::testing
