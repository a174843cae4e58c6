// Going to a record replays its path through the same move entry as clicks:
// everything the window shows must come out as after clicking there.
#include <gtest/gtest.h>

#include <random>

#include "core/VxloError.h"
#include "dictionary/TreeSupport.h"
#include "navigation/GoToRecord.h"
#include "support/RecordingFakes.h"

namespace vxlo::testing {
namespace {

constexpr unsigned kSeed = 4242;

// Two windows on equal dictionaries: one goes to records, one is clicked.
class GoToRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (TNavigationRig* rig : {&gone, &clicked}) {
            rig->nav.OpenStore(std::make_unique<TMemoryRecordStore>());
            std::mt19937 rng(kSeed);
            for (int i = 0; i < 150; ++i) {
                EnterLine(rig->nav, RandomLine(rng, 1 + static_cast<int>(rng() % 10)), rig == &gone ? &model : nullptr);
            }
            rig->nav.ResetToRoot();
        }
        index = TTreeIndex::Build(gone.nav.Dictionary().Store());
    }

    // What the user would do: back to the empty board, then a left click on
    // the display cell of each move, one move at a time.
    void Click(const TLine& moves) {
        TNavigation& nav = clicked.nav;
        nav.ToFirst();
        TOneMoveScope oneMove(nav);
        for (const TPoint p : moves) {
            const TPoint cell = nav.Board().BoardToDisplay(p.x, p.y);
            nav.MouseDown(EMouseButton::Left, cell.x, cell.y);
        }
    }

    void ExpectSame() {
        const TNavigation& a = gone.nav;
        const TNavigation& b = clicked.nav;
        ASSERT_EQ(a.CurrentRecord(), b.CurrentRecord());
        ASSERT_EQ(a.Path().Count(), b.Path().Count());
        for (int n = 1; n <= a.Path().Count(); ++n) {
            EXPECT_EQ(a.Path().GetMove(n), b.Path().GetMove(n));
            EXPECT_EQ(a.Path().RecNoAt(n), b.Path().RecNoAt(n));
            EXPECT_EQ(a.Path().ListHeadAt(n), b.Path().ListHeadAt(n));
        }
        ASSERT_EQ(a.Dictionary().Count(), b.Dictionary().Count());
        for (int i = 0; i < a.Dictionary().Count(); ++i) EXPECT_EQ(a.Dictionary().RecNoAt(i), b.Dictionary().RecNoAt(i));
        EXPECT_EQ(a.Dictionary().FirstRecNo(), b.Dictionary().FirstRecNo());
        EXPECT_EQ(a.Dictionary().ParentRecNo(), b.Dictionary().ParentRecNo());
        for (int x = 1; x <= 19; ++x) {
            for (int y = 1; y <= 19; ++y) {
                ASSERT_EQ(a.Board().PointState(x, y), b.Board().PointState(x, y)) << x << "," << y;
                ASSERT_EQ(a.Board().GetNumber(x, y), b.Board().GetNumber(x, y)) << x << "," << y;
                ASSERT_EQ(gone.view.At(x, y), clicked.view.At(x, y)) << x << "," << y;
            }
        }
        EXPECT_EQ(a.Board().GetTurn(), b.Board().GetTurn());
        EXPECT_EQ(gone.menus.data, clicked.menus.data);
        EXPECT_EQ(gone.menus.delete1, clicked.menus.delete1);
        EXPECT_EQ(gone.comments.calls.back(), clicked.comments.calls.back());
        gone.ExpectScreenMatches();
    }

    TNavigationRig gone;
    TNavigationRig clicked;
    TTreeModel model;
    TTreeIndex index;
};

TEST_F(GoToRecordTest, EveryRecordComesOutAsClickingThere) {
    ASSERT_GT(model.moves.size(), 300u);
    // From wherever the last one left the window, and in a turned view.
    gone.nav.Orient(EOrientation::RotateRight);
    clicked.nav.Orient(EOrientation::RotateRight);
    for (const auto& [record, moves] : model.moves) {
        GoToRecord(gone.nav, index, record);
        Click(moves);
        ASSERT_EQ(gone.nav.CurrentRecord(), record);
        ExpectSame();
        if (HasFailure()) return;
    }
    GoToRecord(gone.nav, index, 0);
    Click({});
    ExpectSame();
    EXPECT_TRUE(gone.messages.shown.empty());
}

TEST_F(GoToRecordTest, AStaleIndexIsRefusedWithoutAddingAnything) {
    // The last record entered is a leaf: go there and delete it, so the
    // index built before still names it.
    const int leaf = model.moves.rbegin()->first;
    const TLine moves = model.moves[leaf];
    GoToRecord(gone.nav, index, leaf);
    ASSERT_TRUE(gone.nav.Delete1Enabled());
    gone.nav.DeleteLast();
    gone.nav.SetInputMode(EInputMode::Record);  // recording: entering an empty point would add it
    const std::int64_t records = gone.nav.Dictionary().Store().RecordCount();
    try {
        GoToRecord(gone.nav, index, leaf);
        FAIL();
    } catch (const EVxloError& e) {
        EXPECT_EQ(std::string(e.what()), "record " + std::to_string(leaf) + ": the dictionary no longer leads there");
    }
    EXPECT_EQ(gone.nav.Dictionary().Store().RecordCount(), records);
    EXPECT_EQ(gone.nav.Path().Count(), static_cast<int>(moves.size()) - 1);
    EXPECT_THROW(GoToRecord(gone.nav, index, 100000), EVxloError);
}

TEST(GoToRecordTenukiTest, ATenukiOnTheWayIsPlayedAsAClickOnTheTenukiSpotWould) {
    TNavigationRig rig;
    auto store = std::make_unique<TMemoryRecordStore>();
    // 16,4, then a tenuki (a record at 0,0), then 4,4.
    for (const TJskRecord& r : {TJskRecord{}, TJskRecord{16, 4, 0, 100, 2, 0}, TJskRecord{0, 0, 0, 100, 3, 0},
                                TJskRecord{4, 4, 0, 100, 0, 0}}) {
        store->Write(store->RecordCount(), EncodeRecord(r));
    }
    rig.nav.OpenStore(std::move(store));
    const TTreeIndex index = TTreeIndex::Build(rig.nav.Dictionary().Store());
    EXPECT_EQ(index.MovesTo(3), (TLine{{16, 4}, {0, 0}, {4, 4}}));
    EXPECT_EQ(index.PositionCount(), 4u);  // the empty board, 16,4, the tenuki and 4,4
    GoToRecord(rig.nav, index, 3);
    EXPECT_EQ(rig.nav.CurrentRecord(), 3);
    EXPECT_EQ(rig.nav.Path().Count(), 3);
    EXPECT_EQ(rig.nav.Board().GetStone(4, 4), Black);  // Black again after White's tenuki
    EXPECT_EQ(rig.nav.Dictionary().Store().RecordCount(), 4);
}

}  // namespace
}  // namespace vxlo::testing
