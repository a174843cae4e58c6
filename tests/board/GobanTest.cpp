// The rules of the board: occupied points, captures, suicide, ko, take-back,
// marks and numbers. Positions come from diagrams; the move history is a real
// move path.
#include <gtest/gtest.h>

#include <random>

#include "board/Goban.h"
#include "dictionary/Tejun.h"
#include "navigation/Navigation.h"
#include "support/BoardDiagram.h"

namespace vxlo::testing {
namespace {

class TPaintLog final : public IStonePainter {
public:
    void DrawStone(int value, int x, int y) override {
        calls.push_back("stone " + std::to_string(value) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void DrawStoneNumber(int value, int number, int x, int y) override {
        calls.push_back("number " + std::to_string(value) + " " + std::to_string(number) + " " +
                        std::to_string(x) + "," + std::to_string(y));
    }
    std::vector<std::string> calls;
};

class Goban : public ::testing::Test {
protected:
    // Plays a move for the side to move and records it on the path, as the
    // navigation does.
    EMoveResult Play(int x, int y) {
        const EMoveResult r = board.PlayMove(x, y);
        if (r == EMoveResult::Ok) path.Push(x, y, 0, 0, board);
        board.CheckInvariants();
        return r;
    }
    EMoveResult Play(TPoint p) { return Play(p.x, p.y); }
    // Takes the last move back, as the navigation does.
    void Undo() {
        const TPoint p = path.Pop(board, paint);
        board.TakeBack(p.x, p.y);
        board.CheckInvariants();
    }

    TTejun path;
    TPaintLog paint;
    TGoban board{path, paint};
};

TEST_F(Goban, ResetGivesAnEmptyFramedBoardWithBlackToMove) {
    Play(4, 4);
    board.SetMark(10, 10, 1);
    board.SetNumber(4, 4, 7);
    board.RotateRight();
    board.Reset();
    EXPECT_EQ(board.GetSize(), 19);
    EXPECT_EQ(board.GetTurn(), Black);
    for (int x = 0; x <= 20; ++x) {
        for (int y = 0; y <= 20; ++y) {
            const bool frame = x == 0 || x == 20 || y == 0 || y == 20;
            // The frame's corner (0, 0) is tenuki, always open to play.
            const int expected = frame && !IsTenuki(x, y) ? Border : Empty;
            EXPECT_EQ(board.PointState(x, y), expected) << x << "," << y;
            EXPECT_EQ(board.GetNumber(x, y), 0);
        }
    }
    EXPECT_EQ(board.SwapXY() + board.MirrorLeftRight() + board.MirrorUpDown(), 0);
    board.CheckInvariants();
}

TEST_F(Goban, OccupiedAndFramePointsAreRefusedWithoutChange) {
    Play(3, 3);
    const std::string before = Diagram(board);
    EXPECT_EQ(board.TestMove(White, 3, 3), EMoveResult::Occupied);
    EXPECT_EQ(board.PlayMove(3, 3), EMoveResult::Occupied);
    EXPECT_EQ(board.PlayMove(0, 5), EMoveResult::Occupied);
    EXPECT_EQ(board.PlayMove(20, 20), EMoveResult::Occupied);
    EXPECT_EQ(board.GetTurn(), White);
    EXPECT_EQ(Diagram(board), before);
    board.CheckInvariants();
}

TEST_F(Goban, CoordinatesOffTheGridAreRangeErrors) {
    EXPECT_THROW(board.TestMove(Black, 21, 1), ERangeError);
    EXPECT_THROW(board.PointState(-1, 3), ERangeError);
    EXPECT_THROW(board.SetNumber(3, 3, 256), ERangeError);
    EXPECT_THROW(board.Captured(1), ERangeError);
}

TEST_F(Goban, SuicideInTheCornerIsRefusedAndCapturingThereIsNot) {
    SetUpPosition(board, R"(
        a O
        O . )");
    EXPECT_EQ(board.PlayMove(1, 1), EMoveResult::Suicide);
    EXPECT_EQ(board.GetTurn(), Black);
    EXPECT_EQ(board.GetStone(1, 1), Empty);

    // Now both white stones hang on the corner point: two stones taken, each
    // a group of its own.
    SetUpPosition(board, R"(
        . O X
        O X .
        X . . )");
    EXPECT_EQ(board.PlayMove(1, 1), EMoveResult::Ok);
    ASSERT_EQ(board.CapturedCount(), 2);
    EXPECT_EQ(board.Captured(1), (TPoint{2, 1}));
    EXPECT_EQ(board.Captured(2), (TPoint{1, 2}));
    EXPECT_EQ(Diagram(board, 1, 1, 3, 3), Normalized(R"(
        X . X
        . X .
        X . . )"));
}

TEST_F(Goban, FillingTheLastLibertyOfAGroupIsSuicideUnlessItCaptures) {
    const char* position = R"(
        X X a O .
        O O O . . )";
    SetUpPosition(board, position);
    EXPECT_EQ(board.TestMove(Black, 3, 1), EMoveResult::Suicide);
    EXPECT_EQ(Diagram(board, 1, 1, 5, 2), Normalized("XX.O.\nOOO.."));

    // The white stone at (4,1) has (3,1) as its last liberty.
    SetUpPosition(board, R"(
        X X a O X
        O O O X . )");
    EXPECT_EQ(board.PlayMove(3, 1), EMoveResult::Ok);
    ASSERT_EQ(board.CapturedCount(), 1);
    EXPECT_EQ(board.Captured(1), (TPoint{4, 1}));
    EXPECT_EQ(board.GetStone(4, 1), Empty);
}

TEST_F(Goban, AGroupTouchingTheNewStoneTwiceIsCapturedOnce) {
    const char* position = R"(
        X O O X
        . a O X
        . . X . )";
    SetUpPosition(board, position);
    ASSERT_EQ(board.PlayMove(PointOf(position, 'a').x, PointOf(position, 'a').y), EMoveResult::Ok);
    // Found from the upper neighbour, breadth-first.
    ASSERT_EQ(board.CapturedCount(), 3);
    EXPECT_EQ(board.Captured(1), (TPoint{2, 1}));
    EXPECT_EQ(board.Captured(2), (TPoint{3, 1}));
    EXPECT_EQ(board.Captured(3), (TPoint{3, 2}));
    EXPECT_EQ(Diagram(board, 1, 1, 4, 3), Normalized(R"(
        X . . X
        . X . X
        . . X . )"));
}

// Black takes at b; White retaking at a at once is the ko.
const char* const kKo = R"(
    . X O .
    X a b O
    . X O . )";

TEST_F(Goban, ImmediateKoRecaptureIsRefused) {
    SetUpPosition(board, kKo, 5, 5);
    board.SetStone(White, 6, 6);  // the stone Black will take
    Play(15, 15);
    Play(16, 16);
    ASSERT_EQ(Play(7, 6), EMoveResult::Ok);  // Black takes one stone
    ASSERT_EQ(board.CapturedCount(), 1);
    const std::string before = Diagram(board);
    EXPECT_EQ(board.TestMove(White, 6, 6), EMoveResult::Ko);
    EXPECT_EQ(board.PlayMove(6, 6), EMoveResult::Ko);
    EXPECT_EQ(board.GetTurn(), White);
    EXPECT_EQ(Diagram(board), before);

    // After a pair of moves elsewhere the recapture is an ordinary capture.
    Play(1, 19);
    Play(19, 1);
    EXPECT_EQ(Play(6, 6), EMoveResult::Ok);
    EXPECT_EQ(board.GetStone(7, 6), Empty);
}

TEST_F(Goban, WithOneMoveOnThePathTheKoTestNeverFires) {
    SetUpPosition(board, kKo, 5, 5);
    board.SetStone(White, 6, 6);
    ASSERT_EQ(Play(7, 6), EMoveResult::Ok);
    ASSERT_EQ(path.Count(), 1);
    EXPECT_EQ(Play(6, 6), EMoveResult::Ok);
    EXPECT_EQ(board.GetStone(7, 6), Empty);
}

TEST_F(Goban, RetakingTwoStonesIsNeverKo) {
    // Black takes one stone at (2,2) by playing b; White's answer at (2,2)
    // then takes b together with the stone beside it.
    SetUpPosition(board, R"(
        . X O O .
        X O b X O
        . X O O . )");
    Play(15, 15);
    Play(16, 16);
    ASSERT_EQ(Play(3, 2), EMoveResult::Ok);
    ASSERT_EQ(board.CapturedCount(), 1);
    EXPECT_EQ(Play(2, 2), EMoveResult::Ok);
    EXPECT_EQ(board.CapturedCount(), 2);
    EXPECT_EQ(Diagram(board, 1, 1, 5, 3), Normalized(R"(
        . X O O .
        X O . . O
        . X O O . )"));
}

TEST_F(Goban, TenukiPassesTheTurnAndLeavesTheStonesAsTheyWere) {
    SetUpPosition(board, kKo, 5, 5);
    const std::string before = Diagram(board);
    EXPECT_EQ(board.TestMove(Black, 0, 0), EMoveResult::Ok);
    ASSERT_EQ(Play(kTenuki), EMoveResult::Ok);
    EXPECT_EQ(board.CapturedCount(), 0);
    EXPECT_EQ(board.GetTurn(), White);
    EXPECT_EQ(Diagram(board), before);
    EXPECT_EQ(board.GetStone(0, 0), Border);
    // A second tenuki in a row is just as legal; numbers never stick to it.
    board.SetNumber(0, 0, 5);
    board.DrawNumber(0, 0);
    EXPECT_EQ(board.GetNumber(0, 0), 0);
    ASSERT_EQ(Play(kTenuki), EMoveResult::Ok);
    EXPECT_EQ(board.GetTurn(), Black);
    EXPECT_EQ(path.Count(), 2);
    EXPECT_EQ(path.LastMove(), kTenuki);
    Undo();
    EXPECT_EQ(board.GetTurn(), White);
    Undo();
    EXPECT_EQ(board.GetTurn(), Black);
    EXPECT_EQ(Diagram(board), before);
    EXPECT_TRUE(paint.calls.empty());
}

TEST_F(Goban, TenukiAsCandidateIsMarkedLikeAnyPoint) {
    EXPECT_EQ(board.PointState(0, 0), Empty);
    board.SetMark(0, 0, 1);
    EXPECT_EQ(board.PointState(0, 0), Candidate);
    board.CheckInvariants();
    board.SetMark(0, 0, 0);
    EXPECT_EQ(board.PointState(0, 0), Empty);
    // The rest of the frame stays closed.
    EXPECT_EQ(board.PointState(0, 1), Border);
    EXPECT_EQ(board.PointState(20, 20), Border);
}

// After a tenuki the ko rule looks at the tenuki as the last move: it took
// nothing, so a ko taken before it may be retaken, as after any move elsewhere.
TEST_F(Goban, KoAfterTenukiBehavesAsAfterAMoveElsewhere) {
    SetUpPosition(board, kKo, 5, 5);
    board.SetStone(White, 6, 6);
    Play(15, 15);
    Play(16, 16);
    ASSERT_EQ(Play(7, 6), EMoveResult::Ok);  // Black takes the ko
    EXPECT_EQ(board.TestMove(White, 6, 6), EMoveResult::Ko);
    ASSERT_EQ(Play(kTenuki), EMoveResult::Ok);  // White plays elsewhere
    ASSERT_EQ(Play(kTenuki), EMoveResult::Ok);  // and Black too
    EXPECT_EQ(Play(6, 6), EMoveResult::Ok);     // White retakes
    EXPECT_EQ(board.GetStone(7, 6), Empty);
    // Black, straight after the retake, is refused as ever.
    EXPECT_EQ(board.TestMove(Black, 7, 6), EMoveResult::Ko);
    // Taking the retake and the tenukis back restores the ko position exactly.
    Undo();
    Undo();
    Undo();
    EXPECT_EQ(board.GetTurn(), White);
    EXPECT_EQ(board.GetStone(7, 6), Black);
    EXPECT_EQ(board.GetStone(6, 6), Empty);
    EXPECT_EQ(board.TestMove(White, 6, 6), EMoveResult::Ko);
}

TEST_F(Goban, TakeBackFlipsTheTurnAndRestoresCapturedStonesThroughThePath) {
    SetUpPosition(board, kKo, 5, 5);
    board.SetStone(White, 6, 6);
    const std::string before = Diagram(board);
    Play(7, 6);
    EXPECT_EQ(board.GetTurn(), White);
    paint.calls.clear();
    Undo();
    EXPECT_EQ(board.GetTurn(), Black);
    EXPECT_EQ(Diagram(board), before);
    EXPECT_EQ(paint.calls, std::vector<std::string>{"stone 2 6,6"});
}

TEST_F(Goban, CapturedStonesLoseTheirNumbersButKeepTheirMarks) {
    SetUpPosition(board, R"(
        X O X
        . a . )");
    board.SetNumber(2, 1, 5);
    board.SetMark(2, 1, 1);
    EXPECT_EQ(board.PointState(2, 1), Candidate);  // the mark wins over the stone
    ASSERT_EQ(board.PlayMove(2, 2), EMoveResult::Ok);
    EXPECT_EQ(board.GetStone(2, 1), Empty);
    EXPECT_EQ(board.GetNumber(2, 1), 0);
    EXPECT_EQ(board.PointState(2, 1), Candidate);
    board.SetMark(2, 1, 0);
    EXPECT_EQ(board.PointState(2, 1), Empty);
    board.CheckInvariants();
}

TEST_F(Goban, NumbersAreDrawnOnStonesOnlyAndClearedRowByRow) {
    Play(5, 3);
    Play(2, 7);
    board.SetNumber(5, 3, 1);
    board.SetNumber(2, 7, 2);
    board.DrawNumber(5, 3);
    board.DrawNumber(9, 9);  // no stone, no number: nothing drawn
    EXPECT_EQ(paint.calls, std::vector<std::string>{"number 1 1 5,3"});
    paint.calls.clear();
    board.ClearNumbers();
    EXPECT_EQ(paint.calls, (std::vector<std::string>{"stone 1 5,3", "stone 2 2,7"}));
    EXPECT_EQ(board.GetNumber(5, 3), 0);
    paint.calls.clear();
    board.ClearNumbers();
    EXPECT_TRUE(paint.calls.empty());
}

// --- Seeded random play against an independent rule oracle ---------------

// Straightforward rules written apart from the board: recursive groups,
// liberties counted after the captures.
struct TOracle {
    int stones[21][21] = {};

    bool HasLiberty(int x, int y, bool seen[21][21]) const {
        seen[x][y] = true;
        static constexpr int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        for (int d = 0; d < 4; ++d) {
            const int qx = x + dx[d], qy = y + dy[d];
            if (qx < 1 || qx > 19 || qy < 1 || qy > 19 || seen[qx][qy]) continue;
            if (stones[qx][qy] == Empty) return true;
            if (stones[qx][qy] == stones[x][y] && HasLiberty(qx, qy, seen)) return true;
        }
        return false;
    }
    bool Dead(int x, int y) const {
        bool seen[21][21] = {};
        return !HasLiberty(x, y, seen);
    }
    void RemoveGroup(int x, int y, int colour, std::vector<TPoint>& removed) {
        if (x < 1 || x > 19 || y < 1 || y > 19 || stones[x][y] != colour) return;
        stones[x][y] = Empty;
        removed.push_back({x, y});
        RemoveGroup(x, y - 1, colour, removed);
        RemoveGroup(x + 1, y, colour, removed);
        RemoveGroup(x, y + 1, colour, removed);
        RemoveGroup(x - 1, y, colour, removed);
    }
    // Result of the move for colour c, given the last move of the path and
    // the stones it took; plays it when legal.
    EMoveResult Play(int c, int x, int y, int pathCount, TPoint last, const std::vector<TPoint>& lastTaken,
             std::vector<TPoint>& taken) {
        taken.clear();
        if (stones[x][y] != Empty) return EMoveResult::Occupied;
        const TOracle saved = *this;
        stones[x][y] = c;
        static constexpr int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        for (int d = 0; d < 4; ++d) {
            const int qx = x + dx[d], qy = y + dy[d];
            if (qx >= 1 && qx <= 19 && qy >= 1 && qy <= 19 && stones[qx][qy] == (c ^ 3) && Dead(qx, qy)) {
                RemoveGroup(qx, qy, c ^ 3, taken);
            }
        }
        if (taken.empty() && Dead(x, y)) {
            *this = saved;
            return EMoveResult::Suicide;
        }
        // Ko: one stone taken, the last move's, which itself took one stone
        // here; and the new stone has no liberty but the point it emptied.
        if (taken.size() == 1 && pathCount > 1 && taken[0] == last && lastTaken.size() == 1 &&
            lastTaken[0] == TPoint{x, y}) {
            int liberties = 0;
            for (int d = 0; d < 4; ++d) {
                const int qx = x + dx[d], qy = y + dy[d];
                if (qx >= 1 && qx <= 19 && qy >= 1 && qy <= 19 && saved.stones[qx][qy] == Empty) ++liberties;
            }
            if (liberties == 0) {
                *this = saved;
                return EMoveResult::Ko;
            }
        }
        return EMoveResult::Ok;
    }
};

TEST_F(Goban, SeededRandomPlayAgreesWithTheOracleAndTakesBackExactly) {
    std::mt19937 rng(20240611u);
    int results[4] = {};  // ok, occupied, suicide, ko
    int captures = 0;
    for (int game = 0; game < 12; ++game) {
        board.Reset();
        path.Clear();
        TOracle oracle;
        std::vector<std::vector<TPoint>> takenByMove(1);
        for (int attempt = 0; attempt < 1000 && path.Count() < kMaxPathMoves; ++attempt) {
            // Mostly an empty point (random play fills the board and fights
            // over its last liberties); now and then any point, occupied or not.
            std::vector<TPoint> empty;
            for (int yy = 1; yy <= 19; ++yy)
                for (int xx = 1; xx <= 19; ++xx)
                    if (board.GetStone(xx, yy) == Empty) empty.push_back({xx, yy});
            TPoint p{1 + static_cast<int>(rng() % 19u), 1 + static_cast<int>(rng() % 19u)};
            if (rng() % 8u != 0 && !empty.empty()) p = empty[rng() % empty.size()];
            // Half the time, try to retake at once where one stone was just taken.
            if (takenByMove.back().size() == 1 && rng() % 2u == 0) p = takenByMove.back()[0];
            const int x = p.x;
            const int y = p.y;
            const int turn = board.GetTurn();
            const TPoint last = path.Count() > 0 ? path.LastMove() : TPoint{};
            std::vector<TPoint> taken;
            const EMoveResult expected = oracle.Play(turn, x, y, path.Count(), last, takenByMove.back(), taken);
            const std::string before = Diagram(board);
            const EMoveResult got = Play(x, y);
            ASSERT_EQ(got, expected) << "game " << game << " attempt " << attempt << " at " << x << "," << y
                                     << "\n" << before;
            ++results[-static_cast<int>(got)];
            if (got != EMoveResult::Ok) {
                ASSERT_EQ(board.GetTurn(), turn);
                ASSERT_EQ(Diagram(board), before);
                continue;
            }
            captures += static_cast<int>(taken.size());
            ASSERT_EQ(path.GetCaptureCount(path.Count()), static_cast<int>(taken.size()));
            for (int yy = 1; yy <= 19; ++yy) {
                for (int xx = 1; xx <= 19; ++xx) ASSERT_EQ(board.GetStone(xx, yy), oracle.stones[xx][yy]);
            }
            takenByMove.push_back(taken);
            // Every fourth move: take it back, check the exact position, replay.
            if (attempt % 4 == 0) {
                Undo();
                ASSERT_EQ(Diagram(board), before);
                ASSERT_EQ(board.GetTurn(), turn);
                ASSERT_EQ(Play(x, y), EMoveResult::Ok);
            }
        }
        // Unwinding the whole game gives the empty board with Black to move.
        while (path.Count() > 0) Undo();
        EXPECT_EQ(Diagram(board), Diagram(TGoban(path, paint)));
        EXPECT_EQ(board.GetTurn(), Black);
    }
    // Pinned so that the rare cases stay exercised when the test changes.
    EXPECT_EQ(results[0], 12 * kMaxPathMoves);
    EXPECT_EQ(results[-static_cast<int>(EMoveResult::Occupied)], 353);
    EXPECT_EQ(results[-static_cast<int>(EMoveResult::Suicide)], 571);
    EXPECT_EQ(results[-static_cast<int>(EMoveResult::Ko)], 29);
    EXPECT_EQ(captures, 933);
}

}  // namespace
}  // namespace vxlo::testing
