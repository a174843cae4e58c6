// Navigation at the edges: capture and back, comments, orientation, tenuki,
// long and damaged chains, a second dictionary over the first.
#include <gtest/gtest.h>

#include "navigation/NavigationFixture.h"

namespace vxlo::testing {
namespace {

TEST_F(Navigation, GoingBackRestoresCapturedStonesWhereACandidateStood) {
    // Black's (2,2) takes the two white stones in the corner; White's answer
    // at (1,1) is a candidate on one of the captured points.
    const TLine line = {{3, 1}, {1, 1}, {1, 2}, {2, 1}, {2, 2}, {1, 1}};
    Record(line);
    nav.SetProgressMode(EProgressMode::OneMove);
    Walk(TLine(line.begin(), line.end() - 1));
    ASSERT_EQ(nav.Board().GetStone(1, 1), Empty);
    ASSERT_EQ(nav.Board().PointState(1, 1), Candidate);
    nav.Back();
    EXPECT_EQ(nav.Board().GetStone(1, 1), White);
    EXPECT_EQ(nav.Board().GetStone(2, 1), White);
    ExpectSound();
}

TEST_F(Navigation, BackToTheStartSavesOneCommentAndDoesNothingAtTheRoot) {
    Record({{16, 4}, {17, 3}, {16, 3}});
    nav.ToFirst();
    EXPECT_TRUE(rig.comments.calls.empty());
    nav.SetProgressMode(EProgressMode::OneMove);
    Walk({{16, 4}, {17, 3}, {16, 3}});
    rig.comments.calls.clear();
    nav.ToFirst();
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.CurrentRecord(), 0);
    ASSERT_FALSE(rig.comments.calls.empty());
    EXPECT_EQ(rig.comments.calls.front(), (TRecordingComments::TCall{"save", 3, 0}));
    int saves = 0;
    for (const auto& c : rig.comments.calls) saves += c.what == "save";
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(rig.comments.calls.back(), (TRecordingComments::TCall{"locate", 0, 0}));
    ExpectSound();
}

TEST_F(Navigation, SeededRandomWalkKeepsBoardPathListAndScreenInStep) {
    // Record, follow, go back, delete and step colours at random, tenuki
    // among the moves; after every step the whole state is checked.
    std::mt19937 rng(7u);
    nav.SetInputMode(EInputMode::Record);
    int deletes = 0, plays = 0, backs = 0, tenukiClicks = 0;
    for (int step = 0; step < 600; ++step) {
        const unsigned what = rng() % 10u;
        if (what < 4) {
            // Now and then tenuki, through its spot.
            if (rng() % 4u == 0) {
                nav.TenukiDown(Left);
                ++tenukiClicks;
            } else {
                Click(1 + static_cast<int>(rng() % 7u), 1 + static_cast<int>(rng() % 7u));
            }
            plays += nav.Path().Count() > 0;
        } else if (what < 6 && nav.Dictionary().Count() > 0) {
            const TPoint p = nav.Dictionary().GetMoveXY(static_cast<int>(rng() % static_cast<unsigned>(nav.Dictionary().Count())));
            const EMouseButton button = rng() % 4u == 0 ? Right : Left;
            if (p == kTenuki) {
                nav.TenukiDown(button);
                ++tenukiClicks;
            } else {
                Click(p.x, p.y, button);
            }
        } else if (what == 6) {
            nav.Back();
            ++backs;
        } else if (what == 7 && nav.Delete1Enabled()) {
            nav.DeleteLast();
            ++deletes;
        } else if (what == 8) {
            nav.SetProgressMode(rng() % 2u != 0 ? EProgressMode::OneMove : EProgressMode::ToBranch);
        } else {
            nav.ToFirst();
        }
        rig.ExpectScreenMatches();
        ExpectConsistent(nav, false);
        if (HasFailure()) {
            ADD_FAILURE() << "at step " << step;
            return;
        }
    }
    EXPECT_GT(deletes, 5);
    EXPECT_GT(plays, 50);
    EXPECT_GT(backs, 20);
    EXPECT_GT(tenukiClicks, 20);
}

// --- Menus, comments, modes -------------------------------------------------

TEST_F(Navigation, MenusFollowTheTable) {
    EXPECT_FALSE(rig.menus.data);  // an empty dictionary's root has nothing
    nav.Deside(16, 4);
    EXPECT_TRUE(rig.menus.data);
    EXPECT_FALSE(rig.menus.delete1);
    nav.Deside(16, 4);
    EXPECT_FALSE(rig.menus.data);
    EXPECT_TRUE(rig.menus.delete1);
    nav.Back();
    EXPECT_TRUE(rig.menus.data);
    EXPECT_FALSE(rig.menus.delete1);
    Reopen();
    EXPECT_TRUE(rig.menus.data);
    nav.CloseFile();
    EXPECT_FALSE(rig.menus.data);
    EXPECT_FALSE(rig.menus.delete1);
}

TEST_F(Navigation, CommentsAreSavedOnLeavingAndLocatedOnArrival) {
    Record({{16, 4}, {17, 3}});
    Record({{16, 4}, {16, 3}});
    nav.SetInputMode(EInputMode::Record);
    Click(16, 4);
    Click(17, 3);
    nav.Back();
    using C = TRecordingComments::TCall;
    EXPECT_EQ(rig.comments.calls, (std::vector<C>{{"save", 0, 1}, {"locate", 1, 0}, {"save", 1, 1}, {"locate", 2, 0},
                                                  {"save", 2, 1}, {"locate", 1, 0}}));
    rig.comments.calls.clear();
    nav.Deside(10, 10);  // adding is no leaving
    EXPECT_TRUE(rig.comments.calls.empty());
    Reopen();
    EXPECT_EQ(rig.comments.calls.back(), (C{"locate", 0, 0}));
}

TEST_F(Navigation, HiddenLabelsLeaveCandidatesClickable) {
    Record({{16, 4}, {17, 3}});
    Record({{4, 4}});
    nav.SetLabelMode(ELabelMode::Hidden);
    EXPECT_EQ(rig.view.At(16, 4), TScreenPoint{});
    ExpectSound();
    Click(16, 4);
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_TRUE(rig.view.Calls("label").empty());
    ExpectSound();
    nav.Back();
    nav.SetLabelMode(ELabelMode::Shown);
    EXPECT_EQ(rig.view.At(4, 4).label, "ろ");
    ExpectSound();
}

TEST_F(Navigation, ClicksFollowTheOrientation) {
    nav.SetInputMode(EInputMode::Record);
    nav.Orient(EOrientation::RotateRight);
    EXPECT_EQ(rig.view.log.back(), "repaint");
    nav.MouseDown(Left, 19, 1);
    EXPECT_EQ(Candidates(), (TLine{{1, 1}}));
    nav.Orient(EOrientation::MirrorUpDown);
    nav.MouseDown(Left, 19, 1);  // now board point (19, 1)
    EXPECT_EQ(Candidates(), (TLine{{1, 1}, {19, 1}}));
    Reopen();
    EXPECT_EQ(nav.Board().SwapXY() + nav.Board().MirrorLeftRight() + nav.Board().MirrorUpDown(), 0);
}

TEST_F(Navigation, WhiteFirstOnlyRepaints) {
    Record({{16, 4}});
    const int repaints = rig.view.repaints;
    nav.ToggleWhiteFirst();
    EXPECT_TRUE(nav.WhiteFirst());
    EXPECT_EQ(rig.view.repaints, repaints + 1);
    nav.ToggleWhiteFirst();
    EXPECT_FALSE(nav.WhiteFirst());
    EXPECT_EQ(nav.Board().GetTurn(), Black);
}

// --- Tenuki ---------------------------------------------------------------

TEST_F(Navigation, TenukiIsAddedPlayedColouredAndAnsweredLikeAPoint) {
    nav.SetInputMode(EInputMode::Record);
    Click(16, 4);
    Click(16, 4);
    nav.TenukiDown(Left);  // White plays elsewhere: first a candidate
    EXPECT_EQ(rig.view.At(0, 0).label, "い");
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(16, 4, 2, 0), MoveBytes(0, 0)}));
    ExpectSound();
    nav.TenukiDown(Right);  // recording mode: the colour steps
    EXPECT_EQ(rig.view.At(0, 0).labelColor, 1);
    EXPECT_EQ(nav.Path().Count(), 1);
    nav.TenukiDown(Left);  // then played
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_EQ(nav.Path().LastMove(), kTenuki);
    EXPECT_EQ(nav.CurrentRecord(), 2);
    EXPECT_EQ(nav.Board().GetTurn(), Black);
    EXPECT_EQ(rig.comments.calls.back(), (TRecordingComments::TCall{"locate", 2, 0}));
    ExpectSound();
    // Black answers below the tenuki; a second tenuki in a row is White's.
    Click(17, 3);
    Click(17, 3);
    EXPECT_EQ(nav.Board().GetStone(17, 3), Black);
    nav.TenukiDown(Left);
    nav.TenukiDown(Left);
    EXPECT_EQ(nav.Board().GetTurn(), Black);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(16, 4, 2, 0), Rec(0, 0, 1, 100, 3, 0), MoveBytes(17, 3, 4, 0),
                               MoveBytes(0, 0)}));
    ExpectSound();
    // In display mode a click on an empty tenuki spot adds nothing.
    nav.SetInputMode(EInputMode::Display);
    const TBytes before = Bytes();
    nav.TenukiDown(Left);
    EXPECT_EQ(Bytes(), before);
    // A right click there goes back, as on an empty point of the board: in
    // to-branch mode through the single continuations to the root.
    nav.TenukiDown(Right);
    EXPECT_EQ(nav.Path().Count(), 0);
    ExpectSound();
}

TEST_F(Navigation, AToBranchRunThroughTenukiNumbersTheStonesAroundIt) {
    const TLine line = {{16, 4}, kTenuki, {17, 3}, {16, 3}, kTenuki, kTenuki, {17, 4}};
    Record(line);
    Click(16, 4);
    ASSERT_EQ(nav.Path().Count(), 7);
    EXPECT_EQ(NumbersAlong({{16, 4}, {17, 3}, {16, 3}, {17, 4}}), (std::vector<int>{1, 3, 4, 7}));
    EXPECT_EQ(nav.TenukiNumbers(), (std::vector<int>{2, 5, 6}));
    EXPECT_EQ(nav.Board().GetTurn(), White);
    EXPECT_EQ(nav.Board().GetStone(17, 4), Black);  // the colours follow the passes
    EXPECT_EQ(nav.Board().GetStone(16, 3), White);
    EXPECT_EQ(rig.view.At(17, 4), (TScreenPoint{Black, 7, "", 0}));
    EXPECT_TRUE(rig.menus.delete1);
    ExpectSound();
    // Back: one click returns to the root, numbers and tenuki numbers gone.
    Click(10, 10, Right);
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_TRUE(nav.TenukiNumbers().empty());
    EXPECT_EQ(nav.Board().GetTurn(), Black);
    ExpectSound();
    // One move at a time: tenuki is a step of its own, taken back alone.
    nav.SetProgressMode(EProgressMode::OneMove);
    Walk({{16, 4}, kTenuki});
    EXPECT_EQ(nav.Board().GetTurn(), Black);
    EXPECT_TRUE(nav.TenukiNumbers().empty());
    nav.Back();
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(nav.Board().GetTurn(), White);
    EXPECT_EQ(Candidates(), (TLine{kTenuki}));
    ExpectSound();
}

TEST_F(Navigation, DeletingATenukiLeafUnlinksItAndKeepsItsSiblings) {
    Record({{16, 4}, {17, 3}});
    Record({{16, 4}, kTenuki});
    Click(16, 4);  // a branch: both replies are candidates
    EXPECT_EQ(Candidates(), (TLine{{17, 3}, kTenuki}));
    EXPECT_EQ(rig.view.At(0, 0).label, "ろ");
    nav.TenukiDown(Left);
    ASSERT_TRUE(rig.menus.delete1);
    nav.DeleteLast();
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(Candidates(), (TLine{{17, 3}}));
    EXPECT_EQ(nav.Board().PointState(0, 0), Empty);
    ExpectSound();
    Reopen();
    Click(16, 4);
    EXPECT_EQ(nav.Path().Count(), 2);  // a single reply again: the run goes on
    EXPECT_EQ(nav.Path().LastMove(), (TPoint{17, 3}));
}

TEST_F(Navigation, TenukiAtTheRootIsBlacks) {
    Record({kTenuki, {4, 4}});
    EXPECT_EQ(Candidates(), (TLine{kTenuki}));
    nav.TenukiDown(Left);
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_EQ(nav.Board().GetStone(4, 4), White);
    EXPECT_EQ(nav.CurrentRecord(), 2);
    ExpectConsistent(nav, false);
}

TEST_F(Navigation, TheOneMoveScopeRestoresTheModeOnAnError) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    try {
        TOneMoveScope scope(nav);
        EXPECT_EQ(nav.ProgressMode(), EProgressMode::OneMove);
        throw ERangeError();
    } catch (const ERangeError&) {
    }
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

// --- Damaged dictionaries ---------------------------------------------------


TEST_F(Navigation, AThirtyFirstCandidateHasTheUnlabelledMarkAndPlays) {
    nav.CloseFile();
    WriteFileBytes(file, LongRootChain(31));
    Open();
    EXPECT_EQ(nav.Dictionary().Count(), 31);
    EXPECT_EQ(rig.view.At(12, 2).label, kUnlabelledMark);
    EXPECT_EQ(rig.view.At(11, 2).label, "ま");
    ExpectSound();
    Click(12, 2);
    EXPECT_EQ(nav.Path().Count(), 1);
    nav.Back();
    ExpectSound();
}

TEST_F(Navigation, ARootChainTooLongToLoadLeavesTheDictionaryClosed) {
    nav.CloseFile();
    WriteFileBytes(file, LongRootChain(kCandidateSlots + 1));
    EXPECT_THROW(Open(), ERangeError);
    EXPECT_FALSE(nav.FileOpen());
    // The file is free again.
    EXPECT_NO_THROW(TRecordFile(file, TRecordFile::Mode::ReadWriteCreate));
}

TEST_F(Navigation, ALoopingChainBelowACandidateLeavesThePositionAsItWas) {
    nav.CloseFile();
    // (16,4) continues with (17,3) and (16,3), whose More leads back.
    const TBytes bytes = Concat({Placeholder(), MoveBytes(16, 4, 2, 4), MoveBytes(17, 3, 0, 3), MoveBytes(16, 3, 0, 2), MoveBytes(4, 4)});
    WriteFileBytes(file, bytes);
    Open();
    EXPECT_THROW(nav.Deside(16, 4), ERangeError);
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.CurrentRecord(), 0);
    EXPECT_EQ(Candidates(), (TLine{{16, 4}, {4, 4}}));
    ExpectSound();
    EXPECT_EQ(Bytes(), bytes);
    Click(4, 4);
    EXPECT_EQ(nav.Path().Count(), 1);
}

TEST_F(Navigation, AChainDamagedBehindTheWalkStopsGoingBackWithoutLeavingDeleteOn) {
    Record({{16, 4}, {17, 3}});
    Record({{16, 4}, {16, 3}});
    nav.SetProgressMode(EProgressMode::OneMove);
    Click(16, 4);
    // An edit of the links in the record grid: the last continuation now
    // leads back to the first.
    nav.Dictionary().SetMore(1, nav.Dictionary().RecNoAt(0));
    nav.Dictionary().WriteList();
    Click(17, 3);
    ASSERT_TRUE(nav.Delete1Enabled());
    EXPECT_THROW(nav.Back(), ERangeError);
    EXPECT_FALSE(nav.Delete1Enabled());
    EXPECT_EQ(nav.Path().Count(), 1);
    const TBytes before = Bytes();
    nav.DeleteLast();
    EXPECT_EQ(Bytes(), before);
}

TEST_F(Navigation, AfterAChainWasReadOnlyInPartNoEditDropsItsRest) {
    Record({{16, 4}});
    Record({{4, 4}});
    Record({{16, 16}});
    nav.CloseFile();
    auto store = std::make_unique<TFaultyRecordStore>(
        std::make_unique<TRecordFile>(file, TRecordFile::Mode::ReadWriteCreate));
    TFaultyRecordStore* faulty = store.get();
    nav.OpenStore(std::move(store));
    nav.SetProgressMode(EProgressMode::OneMove);
    nav.SetInputMode(EInputMode::Record);
    Click(16, 4);
    // Going back reads the root chain again; its third record fails once.
    faulty->Arm(0, 3);
    EXPECT_THROW(nav.Back(), EInOutError);
    faulty->Arm(0, 0);
    ASSERT_EQ(Candidates(), (TLine{{16, 4}, {4, 4}}));
    EXPECT_FALSE(nav.Dictionary().ListComplete());
    // Linking behind (4,4) would cut (16,16) off: refused with an error.
    try {
        nav.Deside(10, 10);
        ADD_FAILURE() << "added to a list read in part";
    } catch (const EVxloError& e) {
        EXPECT_STREQ(e.what(), kPartialListText);
    }
    EXPECT_EQ(nav.Board().PointState(10, 10), Empty);
    // Once the chain reads again, everything works as before.
    Click(4, 4);
    nav.DeleteLast();
    EXPECT_EQ(Candidates(), (TLine{{16, 4}, {16, 16}}));
    nav.Deside(10, 10);
    EXPECT_EQ(Candidates(), (TLine{{16, 4}, {16, 16}, {10, 10}}));
    nav.CloseFile();
    TRecordFile reopened(file, TRecordFile::Mode::ReadOnly);
    const std::set<std::string> lines = ReachableLines(reopened);
    EXPECT_EQ(lines, (std::set<std::string>{"16,4", "16,16", "10,10"}));
}

TEST_F(Navigation, OpeningAnotherDictionaryOverAnOpenOneNeverMixesTheTwo) {
    Record({{16, 4}, {17, 3}});
    Click(16, 4);
    ASSERT_EQ(nav.Path().Count(), 2);
    // The same file again: the old handle and its lock go first.
    EXPECT_NO_THROW(Open());
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(Candidates(), (TLine{{16, 4}}));
    Click(16, 4);

    // A dictionary held by another program: refused, and nothing of the old
    // one is left open to write into.
    const std::string other = dir.File("other.jsk");
    TRecordFile holder(other, TRecordFile::Mode::ReadWriteCreate);
    EXPECT_THROW(nav.OpenFile(other), EFileRefused);
    EXPECT_FALSE(nav.FileOpen());
    EXPECT_FALSE(nav.Dictionary().IsOpen());
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_FALSE(rig.menus.data);
    const TBytes before = Bytes();
    EXPECT_THROW(nav.Deside(3, 3), EInOutError);  // no file to add to
    EXPECT_EQ(Bytes(), before);
}

// --- Records whose point no move can have ------------------------------

// A record off the board (made by a hand edit or another program) stays in
// its chain, unmarked and unlabelled, and is named in a notice; everything
// around it works, and an addition keeps it linked.
TEST_F(Navigation, ACandidateOffTheBoardIsReportedAndTheRestIsShown) {
    // Root chain: 1 (16,4) -> 2 (4,25) -> 3 (3,3); below 3 only 4 (0,7).
    WriteFileBytes(file, Concat({Placeholder(), MoveBytes(16, 4, 0, 2), MoveBytes(4, 25, 0, 3), MoveBytes(3, 3, 4, 0),
                                 MoveBytes(0, 7)}));
    nav.OpenFile(file);
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{16, 4}, {4, 25}, {3, 3}}));
    EXPECT_EQ(rig.messages.shown,
              std::vector<std::string>{"記録 2 の点 (4, 25) は盤の外にあるため、候補に表示しません"});
    EXPECT_EQ(nav.Board().PointState(16, 4), Candidate);
    EXPECT_EQ(nav.Board().PointState(3, 3), Candidate);
    EXPECT_EQ(rig.view.At(3, 3).label, "は");
    ExpectSound();

    // To the branch: the single continuation of 3,3 is off the board, so the
    // run stops at 3,3 with the notice, and back returns to the root.
    rig.messages.shown.clear();
    nav.Deside(3, 3);
    EXPECT_EQ(nav.CurrentRecord(), 3);
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(rig.messages.shown,
              std::vector<std::string>{"記録 4 の点 (0, 7) は盤の外にあるため、候補に表示しません"});
    ExpectSound();
    nav.MaeNoTe();
    EXPECT_EQ(nav.Path().Count(), 0);
    ExpectSound();

    // A new root move goes behind record 3; record 2 keeps its place.
    nav.SetInputMode(EInputMode::Record);
    ASSERT_TRUE(nav.Deside(10, 10));
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{16, 4}, {4, 25}, {3, 3}, {10, 10}}));
    const TBytes bytes = Bytes();
    EXPECT_EQ(TBytes(bytes.begin() + 12, bytes.begin() + 36), Concat({MoveBytes(16, 4, 0, 2), MoveBytes(4, 25, 0, 3)}));
    ExpectSound();
}

}  // namespace
}  // namespace vxlo::testing
