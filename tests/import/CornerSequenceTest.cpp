#include "import/CornerSequence.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vxlo {
namespace {

using TLine = std::vector<TPoint>;

// A 4-4 point line in the normal corner: its first move off the diagonal,
// (17, 6), has dx = 3 < dy = 6, so the normal form is the line itself.
const TLine kNormalLine = {{16, 4}, {17, 6}, {17, 7}, {16, 7}, {18, 4}, {17, 3}, {15, 6}, {14, 3}};

// The eight symmetries of the board as independent formulas.
const std::vector<std::function<TPoint(TPoint)>> kSymmetries = {
    [](TPoint p) { return p; },
    [](TPoint p) { return TPoint{20 - p.x, p.y}; },
    [](TPoint p) { return TPoint{p.x, 20 - p.y}; },
    [](TPoint p) { return TPoint{20 - p.x, 20 - p.y}; },
    [](TPoint p) { return TPoint{p.y, p.x}; },
    [](TPoint p) { return TPoint{20 - p.y, p.x}; },
    [](TPoint p) { return TPoint{p.y, 20 - p.x}; },
    [](TPoint p) { return TPoint{20 - p.y, 20 - p.x}; },
};

int Other(int color) { return color == Black ? White : Black; }

std::vector<TGameMove> Alternating(const TLine& line, int first) {
    std::vector<TGameMove> game;
    int color = first;
    for (TPoint p : line) {
        game.push_back({color, p.x, p.y});
        color = Other(color);
    }
    return game;
}

TGameMove Pass(int color) { return {color, 0, 0}; }

TEST(CornerSequenceTest, EveryOrientationAndStarterGivesTheNormalLine) {
    for (std::size_t s = 0; s < kSymmetries.size(); ++s) {
        for (int starter : {Black, White}) {
            TLine placed;
            for (TPoint p : kNormalLine) placed.push_back(kSymmetries[s](p));
            const auto sequences = ExtractCornerSequences(Alternating(placed, starter));
            ASSERT_EQ(sequences.size(), 1u) << "symmetry " << s;
            EXPECT_EQ(sequences[0].moves, kNormalLine) << "symmetry " << s;
            EXPECT_EQ(sequences[0].starter, starter);
            EXPECT_EQ(sequences[0].firstMoveIndex, 0);
        }
    }
}

TEST(CornerSequenceTest, TwoCornersInterleavedComeOutSeparatelyInGameOrder) {
    // Lower-left rotated, upper-right as it is; moves alternate between them,
    // each corner seeing its own colours alternate.
    TLine lowerLeft, upperRight = kNormalLine;
    for (TPoint p : kNormalLine) lowerLeft.push_back(kSymmetries[3](p));
    std::vector<TGameMove> game;
    int color = Black;
    for (std::size_t i = 0; i < kNormalLine.size(); i += 2) {
        game.push_back({color, lowerLeft[i].x, lowerLeft[i].y});
        game.push_back({Other(color), upperRight[i].x, upperRight[i].y});
        game.push_back({color, upperRight[i + 1].x, upperRight[i + 1].y});
        game.push_back({Other(color), lowerLeft[i + 1].x, lowerLeft[i + 1].y});
    }
    const auto sequences = ExtractCornerSequences(game);
    ASSERT_EQ(sequences.size(), 2u);
    EXPECT_EQ(sequences[0].corner, ECorner::LowerLeft);
    EXPECT_EQ(sequences[0].firstMoveIndex, 0);
    EXPECT_EQ(sequences[1].corner, ECorner::UpperRight);
    EXPECT_EQ(sequences[1].firstMoveIndex, 1);
    EXPECT_EQ(sequences[1].starter, White);
    // The upper-right corner's colours alternate B W B W … from White, and
    // the lower-left's from Black, so neither needs a tenuki.
    EXPECT_EQ(sequences[0].moves, kNormalLine);
    EXPECT_EQ(sequences[1].moves, kNormalLine);
}

TEST(CornerSequenceTest, PlayingElsewhereBecomesTenukiOfTheOtherColour) {
    std::vector<TGameMove> game = Alternating({{16, 4}, {17, 6}}, Black);
    game.push_back(Pass(Black));            // Black plays elsewhere
    game.push_back({White, 17, 7});         // White twice in the corner
    game.push_back({Black, 16, 7});
    const auto sequences = ExtractCornerSequences(game);
    ASSERT_EQ(sequences.size(), 1u);
    EXPECT_EQ(sequences[0].moves, (TLine{{16, 4}, {17, 6}, {0, 0}, {17, 7}, {16, 7}}));
}

TEST(CornerSequenceTest, TwelveMovesElsewhereCloseTheCornerElevenDoNot) {
    for (int away : {11, 12}) {
        std::vector<TGameMove> game = Alternating({{16, 4}, {17, 6}}, Black);
        int color = Black;
        for (int i = 0; i < away; ++i, color = Other(color)) game.push_back(Pass(color));
        game.push_back({color, 17, 7});
        const auto sequences = ExtractCornerSequences(game);
        ASSERT_EQ(sequences.size(), 1u);
        // After eleven passes White is to play again in the corner: a tenuki first.
        const TLine expected = away == 11 ? TLine{{16, 4}, {17, 6}, {0, 0}, {17, 7}}
                                          : TLine{{16, 4}, {17, 6}};
        EXPECT_EQ(sequences[0].moves, expected) << away << " moves away";
    }
}

TEST(CornerSequenceTest, TheLimitCountsTenukiAndEndsTheSequence) {
    std::vector<TGameMove> game = Alternating({{16, 4}, {17, 6}}, Black);
    game.push_back({White, 17, 7});  // needs a tenuki first: it fills the limit of 3
    EXPECT_EQ(ExtractCornerSequences(game, 3)[0].moves, (TLine{{16, 4}, {17, 6}, {0, 0}}));
    EXPECT_EQ(ExtractCornerSequences(game, 2)[0].moves, (TLine{{16, 4}, {17, 6}}));
    EXPECT_EQ(ExtractCornerSequences(game, 1)[0].moves, (TLine{{16, 4}}));
}

TEST(CornerSequenceTest, TenthLineMovesBelongToEverySquareTheyTouch) {
    // (10, 4) is on the 10th column: upper-left and upper-right; (10, 10) in all four.
    const auto edge = ExtractCornerSequences({{Black, 10, 4}});
    ASSERT_EQ(edge.size(), 2u);
    EXPECT_EQ(edge[0].corner, ECorner::UpperLeft);
    EXPECT_EQ(edge[1].corner, ECorner::UpperRight);
    // Mirrored onto the upper-right both read (10, 4): dx = 10 > dy = 4, so
    // reflected in the diagonal to (16, 10).
    EXPECT_EQ(edge[0].moves, (TLine{{16, 10}}));
    EXPECT_EQ(edge[1].moves, (TLine{{16, 10}}));
    EXPECT_EQ(ExtractCornerSequences({{Black, 10, 10}}).size(), 4u);
}

TEST(CornerSequenceTest, ALineOnTheDiagonalStaysAsItIs) {
    const TLine diagonal = {{16, 4}, {17, 3}, {15, 5}};
    const auto sequences = ExtractCornerSequences(Alternating(diagonal, Black));
    ASSERT_EQ(sequences.size(), 1u);
    EXPECT_EQ(sequences[0].moves, diagonal);
}

}  // namespace
}  // namespace vxlo
