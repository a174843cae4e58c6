// The move path: moves with their captures, the 400-move limit, clearing.
#include <gtest/gtest.h>

#include "dictionary/Tejun.h"
#include "support/BoardDiagram.h"
#include "support/RecordingFakes.h"

namespace vxlo::testing {
namespace {

class Tejun : public ::testing::Test {
protected:
    TTejun path;
    TRecordingView view;
    TGoban board{path, view};
};

TEST_F(Tejun, AnEmptyPathAnswersZerosAndHasNoLastMove) {
    EXPECT_EQ(path.Count(), 0);
    EXPECT_EQ(path.Pop(board, view), (TPoint{0, 0}));
    EXPECT_EQ(path.Count(), 0);
    EXPECT_EQ(path.LastListHead(), 0);
    EXPECT_EQ(path.LastRecNo(), 0);
    EXPECT_THROW(path.LastMove(), ERangeError);
    EXPECT_THROW(path.GetMove(0), ERangeError);
    EXPECT_THROW(path.GetMove(401), ERangeError);
    EXPECT_TRUE(view.log.empty());
}

TEST_F(Tejun, AMoveKeepsItsChainItsRecordAndItsCapturesInOrder) {
    SetUpPosition(board, R"(
        X O O X
        . a O X
        . . X . )");
    ASSERT_EQ(board.PlayMove(2, 2), EMoveResult::Ok);
    EXPECT_EQ(path.Push(2, 2, 7, 12, board), 1);
    EXPECT_EQ(path.LastMove(), (TPoint{2, 2}));
    EXPECT_EQ(path.LastListHead(), 7);
    EXPECT_EQ(path.LastRecNo(), 12);
    ASSERT_EQ(path.GetCaptureCount(1), 3);
    const std::vector<TPoint> expected = {{2, 1}, {3, 1}, {3, 2}};
    for (int k = 1; k <= 3; ++k) {
        int x = 0, y = 0;
        path.GetCapture(1, k, x, y);
        EXPECT_EQ((TPoint{x, y}), expected[static_cast<std::size_t>(k - 1)]);
    }
    int x = 0, y = 0;
    EXPECT_THROW(path.GetCapture(1, 4, x, y), ERangeError);

    // Pop restores them in the colour to move, drawing each; the caller takes
    // the stone back.
    EXPECT_EQ(path.Pop(board, view), (TPoint{2, 2}));
    EXPECT_EQ(view.log, (std::vector<std::string>{"stone 2 2,1", "stone 2 3,1", "stone 2 3,2"}));
    board.TakeBack(2, 2);
    EXPECT_EQ(Diagram(board, 1, 1, 4, 3), Normalized(R"(
        X O O X
        . . O X
        . . X . )"));
    EXPECT_EQ(path.GetCaptureCount(1), 0);
    EXPECT_THROW(path.GetCapture(1, 1, x, y), ERangeError);
}

TEST_F(Tejun, AMoveThatCapturedNothingRestoresNothing) {
    ASSERT_EQ(board.PlayMove(4, 4), EMoveResult::Ok);
    path.Push(4, 4, 1, 1, board);
    EXPECT_EQ(path.GetCaptureCount(1), 0);
    EXPECT_EQ(path.Pop(board, view), (TPoint{4, 4}));
    EXPECT_TRUE(view.log.empty());
}

TEST_F(Tejun, TheFourHundredAndFirstPushIsRefused) {
    for (int i = 1; i <= kMaxPathMoves; ++i) ASSERT_EQ(path.Push(1 + i % 19, 1 + i / 19 % 19, i, i, board), i);
    EXPECT_EQ(path.Push(5, 5, 999, 999, board), -1);
    EXPECT_EQ(path.Count(), kMaxPathMoves);
    EXPECT_EQ(path.LastRecNo(), kMaxPathMoves);
    EXPECT_EQ(path.LastMove(), (TPoint{1 + 400 % 19, 1 + 400 / 19 % 19}));
}

TEST_F(Tejun, ClearEmptiesThePathAndItsCaptures) {
    SetUpPosition(board, R"(
        . O X
        O X . )");
    ASSERT_EQ(board.PlayMove(1, 1), EMoveResult::Ok);
    path.Push(1, 1, 3, 4, board);
    path.Push(9, 9, 5, 6, board);  // the captured list still holds the two stones
    path.Clear();
    EXPECT_EQ(path.Count(), 0);
    EXPECT_EQ(path.LastRecNo(), 0);
    for (int n : {1, 2}) {
        EXPECT_EQ(path.GetCaptureCount(n), 0);
        EXPECT_EQ(path.GetMove(n), (TPoint{0, 0}));
    }
    EXPECT_EQ(path.Pop(board, view), (TPoint{0, 0}));
}

}  // namespace
}  // namespace vxlo::testing
