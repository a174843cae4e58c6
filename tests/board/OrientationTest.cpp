// Display orientation: the eight symmetries of the square, each command as a
// motion of the picture, and the tabled rotations.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "board/Goban.h"
#include "dictionary/Tejun.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {
namespace {

using TFlags = std::tuple<int, int, int>;  // SwapXY, MirrorLeftRight, MirrorUpDown

class Orientation : public ::testing::Test {
protected:
    TFlags Flags() const { return {board.SwapXY(), board.MirrorLeftRight(), board.MirrorUpDown()}; }
    void SetFlags(TFlags f) {
        board.Reset();
        if (std::get<0>(f)) board.ToggleSwapXY();
        if (std::get<1>(f)) board.ToggleMirrorLeftRight();
        if (std::get<2>(f)) board.ToggleMirrorUpDown();
        ASSERT_EQ(Flags(), f);
    }
    static std::vector<TFlags> AllStates() {
        std::vector<TFlags> all;
        for (int s = 0; s < 2; ++s)
            for (int lr = 0; lr < 2; ++lr)
                for (int ud = 0; ud < 2; ++ud) all.push_back({s, lr, ud});
        return all;
    }
    // For every board point: where the command moves its display cell must
    // be `motion` of where it was.
    template <typename Command, typename Motion>
    void ExpectPictureMoves(Command command, Motion motion) {
        for (const TFlags& state : AllStates()) {
            SetFlags(state);
            TPoint before[20][20];
            for (int x = 1; x <= 19; ++x)
                for (int y = 1; y <= 19; ++y) before[x][y] = board.BoardToDisplay(x, y);
            command();
            for (int x = 1; x <= 19; ++x)
                for (int y = 1; y <= 19; ++y)
                    ASSERT_EQ(board.BoardToDisplay(x, y), motion(before[x][y]))
                        << "state " << std::get<0>(state) << std::get<1>(state) << std::get<2>(state) << " point "
                        << x << "," << y;
        }
    }

    TTejun path;
    TNullView paint;
    TGoban board{path, paint};
};

TEST_F(Orientation, EveryStateIsABijectionWithAnExactInverse) {
    std::set<std::vector<int>> mappings;
    for (const TFlags& state : AllStates()) {
        SetFlags(state);
        std::vector<int> mapping;
        std::set<std::pair<int, int>> cells;
        for (int x = 1; x <= 19; ++x) {
            for (int y = 1; y <= 19; ++y) {
                const TPoint cell = board.BoardToDisplay(x, y);
                ASSERT_GE(cell.x, 1);
                ASSERT_LE(cell.x, 19);
                ASSERT_GE(cell.y, 1);
                ASSERT_LE(cell.y, 19);
                cells.insert({cell.x, cell.y});
                EXPECT_EQ(board.DisplayToBoard(cell.x, cell.y), (TPoint{x, y}));
                mapping.push_back(cell.x * 32 + cell.y);
            }
        }
        EXPECT_EQ(cells.size(), 361u);
        const TPoint corner = board.DisplayToBoard(1, 1);
        EXPECT_TRUE((corner.x == 1 || corner.x == 19) && (corner.y == 1 || corner.y == 19));
        mappings.insert(mapping);
    }
    EXPECT_EQ(mappings.size(), 8u);  // each symmetry reached in exactly one way
}

TEST_F(Orientation, FourRightRotationsFollowTheTable) {
    const std::vector<TFlags> states = {{0, 0, 0}, {1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {0, 0, 0}};
    auto expected = [](int after, int x, int y) {
        switch (after % 4) {
        case 1: return TPoint{20 - y, x};
        case 2: return TPoint{20 - x, 20 - y};
        case 3: return TPoint{y, 20 - x};
        default: return TPoint{x, y};
        }
    };
    for (int after = 0; after <= 4; ++after) {
        EXPECT_EQ(Flags(), states[static_cast<std::size_t>(after)]) << "after " << after;
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y) ASSERT_EQ(board.BoardToDisplay(x, y), expected(after, x, y));
        board.RotateRight();
    }
}

TEST_F(Orientation, RightRotationFromAMirroredPictureCyclesTheOtherFourStates) {
    SetFlags({0, 1, 0});
    const std::vector<TFlags> cycle = {{1, 1, 1}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    for (const TFlags& next : cycle) {
        board.RotateRight();
        EXPECT_EQ(Flags(), next);
    }
}

TEST_F(Orientation, EachCommandMovesThePictureAsItsNameSays) {
    ExpectPictureMoves([&] { board.RotateRight(); }, [](TPoint c) { return TPoint{20 - c.y, c.x}; });
    ExpectPictureMoves([&] { board.RotateLeft(); }, [](TPoint c) { return TPoint{c.y, 20 - c.x}; });
    ExpectPictureMoves([&] { board.ToggleMirrorUpDown(); }, [](TPoint c) { return TPoint{c.x, 20 - c.y}; });
    ExpectPictureMoves([&] { board.ToggleMirrorLeftRight(); }, [](TPoint c) { return TPoint{20 - c.x, c.y}; });
}

TEST_F(Orientation, SwapReflectsInTheMainDiagonalOrInTheOtherWhenTheMirrorsDiffer) {
    for (const TFlags& state : AllStates()) {
        SetFlags(state);
        const bool same = std::get<1>(state) == std::get<2>(state);
        const TPoint before = board.BoardToDisplay(3, 5);
        board.ToggleSwapXY();
        const TPoint after = board.BoardToDisplay(3, 5);
        const TPoint expected = same ? TPoint{before.y, before.x} : TPoint{20 - before.y, 20 - before.x};
        EXPECT_EQ(after, expected);
    }
}

TEST_F(Orientation, CommandsUndoThemselvesAndEachOther) {
    for (const TFlags& state : AllStates()) {
        SetFlags(state);
        board.RotateRight();
        board.RotateLeft();
        EXPECT_EQ(Flags(), state);
        board.RotateLeft();
        board.RotateRight();
        EXPECT_EQ(Flags(), state);
        for (int i = 0; i < 4; ++i) board.RotateLeft();
        EXPECT_EQ(Flags(), state);
        board.ToggleSwapXY();
        board.ToggleSwapXY();
        board.ToggleMirrorUpDown();
        board.ToggleMirrorUpDown();
        board.ToggleMirrorLeftRight();
        board.ToggleMirrorLeftRight();
        EXPECT_EQ(Flags(), state);
    }
}

TEST_F(Orientation, AfterARightRotationTheTopRightCellIsBoardPointOneOne) {
    board.RotateRight();
    EXPECT_EQ(board.BoardToDisplay(1, 1), (TPoint{19, 1}));
    EXPECT_EQ(board.DisplayToBoard(19, 1), (TPoint{1, 1}));
}

TEST_F(Orientation, MovesLeaveTheOrientationAloneAndResetRestoresTheDefault) {
    board.RotateRight();
    board.ToggleMirrorUpDown();
    const TFlags chosen = Flags();
    ASSERT_EQ(board.PlayMove(4, 4), EMoveResult::Ok);
    board.TakeBack(4, 4);
    board.SetMark(5, 5, 1);
    EXPECT_EQ(Flags(), chosen);
    board.Reset();
    EXPECT_EQ(Flags(), (TFlags{0, 0, 0}));
}

}  // namespace
}  // namespace vxlo::testing
