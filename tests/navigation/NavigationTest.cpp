// Move entry and navigation, driven like the main window drives it, with
// recording fakes: what is drawn, shown, saved and written after each step.
#include <gtest/gtest.h>

#include "navigation/NavigationFixture.h"

namespace vxlo::testing {
namespace {

TEST_F(Navigation, RecordingModeAddsOnTheFirstClickAndPlaysOnTheSecond) {
    nav.SetInputMode(EInputMode::Record);
    Click(16, 4);
    EXPECT_EQ(rig.view.At(16, 4).label, "い");
    EXPECT_EQ(nav.Board().GetStone(16, 4), Empty);
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(16, 4)}));
    EXPECT_TRUE(rig.menus.data);
    EXPECT_FALSE(rig.menus.delete1);
    ExpectSound();

    Click(16, 4);
    EXPECT_EQ(nav.Board().GetStone(16, 4), Black);
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(nav.CurrentRecord(), 1);
    EXPECT_FALSE(rig.menus.data);
    EXPECT_TRUE(rig.menus.delete1);
    EXPECT_EQ(rig.comments.calls.back(), (TRecordingComments::TCall{"locate", 1, 0}));
    ExpectSound();

    // The reply goes below the move just played.
    Click(17, 3);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(16, 4, 2, 0), MoveBytes(17, 3)}));
    ExpectSound();
}

TEST_F(Navigation, DisplayModeFollowsCandidatesOnlyButDesideStillAdds) {
    Record({{16, 4}});
    const TBytes before = Bytes();
    Click(4, 4);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(nav.Board().PointState(4, 4), Empty);

    // The importers call Deside whatever the mode.
    EXPECT_TRUE(nav.Deside(4, 4));
    EXPECT_EQ(Candidates(), (TLine{{16, 4}, {4, 4}}));

    Click(16, 4);
    EXPECT_EQ(nav.Board().GetStone(16, 4), Black);
    ExpectSound();
}

TEST_F(Navigation, AClickOnAStoneOrOutsideTheGridDoesNothing) {
    nav.SetInputMode(EInputMode::Record);
    Record({{16, 4}});
    Click(16, 4);
    const TBytes before = Bytes();
    rig.view.ClearLog();
    EXPECT_TRUE(nav.Deside(16, 4));
    for (const TPoint cell : TLine{{0, 5}, {5, 0}, {20, 5}, {5, 20}, {-3, 7}, {0, 0}}) {
        nav.MouseDown(Left, cell.x, cell.y);
        nav.MouseDown(Right, cell.x, cell.y);
    }
    nav.MouseDown(EMouseButton::Middle, 3, 3);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(rig.view.log.empty());
}

TEST_F(Navigation, WithoutADictionaryClicksAskForOneAndTheBackCommandsDoNothing) {
    nav.CloseFile();
    rig.comments.calls.clear();
    const int menuChanges = rig.menus.changes;
    nav.MouseDown(Left, 4, 4);
    nav.MouseDown(Right, 30, 30);
    nav.MouseDown(EMouseButton::Middle, 4, 4);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>(3, kOpenFirstText));
    nav.Back();
    nav.ToFirst();
    nav.DeleteLast();
    EXPECT_TRUE(rig.comments.calls.empty());
    EXPECT_EQ(rig.menus.changes, menuChanges);
    EXPECT_FALSE(rig.menus.data);
}

TEST_F(Navigation, FiveColourStepsAreEachWrittenAtOnce) {
    nav.SetInputMode(EInputMode::Record);
    Record({{16, 4}});
    for (int expected : {1, 2, 3, 4, 0}) {
        Click(16, 4, Right);
        EXPECT_EQ(Bytes()[12 + 2], expected);
        EXPECT_EQ(rig.view.At(16, 4).labelColor, expected);
    }
    EXPECT_EQ(nav.Path().Count(), 0);

    // In display mode a right click on a candidate does nothing.
    nav.SetInputMode(EInputMode::Display);
    const TBytes before = Bytes();
    Click(16, 4, Right);
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(rig.comments.calls.empty());
    ExpectSound();
}

TEST_F(Navigation, ARightClickOffTheCandidatesGoesBackOneStep) {
    Record({{16, 4}, {17, 3}, {16, 3}});
    nav.SetProgressMode(EProgressMode::OneMove);
    Walk({{16, 4}, {17, 3}});
    rig.comments.calls.clear();
    Click(10, 10, Right);
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(nav.CurrentRecord(), 1);
    EXPECT_EQ(rig.comments.calls, (std::vector<TRecordingComments::TCall>{{"save", 2, 0}, {"locate", 1, 0}}));
    Click(16, 4, Right);  // a stone is no candidate: back again
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.CurrentRecord(), 0);
    ExpectSound();
}

// --- To-branch runs -------------------------------------------------------

TEST_F(Navigation, AToBranchRunOfFiveIsNumberedAndOneBackClickReturnsToTheRoot) {
    const TLine line = {{16, 4}, {17, 3}, {16, 3}, {17, 4}, {17, 5}};
    Record(line);
    Click(16, 4);
    EXPECT_EQ(nav.Path().Count(), 5);
    EXPECT_EQ(NumbersAlong(line), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rig.view.Calls("number").size(), 5u);
    EXPECT_EQ(rig.view.At(17, 5), (TScreenPoint{Black, 5, "", 0}));
    EXPECT_TRUE(rig.menus.delete1);
    EXPECT_EQ(nav.CurrentRecord(), 5);
    ExpectSound();

    Click(10, 10, Right);
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(Candidates(), (TLine{{16, 4}}));
    EXPECT_EQ(NumbersAlong(line), std::vector<int>(5, 0));
    ExpectSound();
}

TEST_F(Navigation, RunsStopAtBranchesBothWays) {
    Record({{16, 4}, {17, 3}, {16, 3}});
    Record({{16, 4}, {17, 3}, {17, 4}, {10, 10}});
    Click(16, 4);  // 16,4 then 17,3, where the line branches
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_EQ(Candidates(), (TLine{{16, 3}, {17, 4}}));
    EXPECT_EQ(NumbersAlong({{16, 4}, {17, 3}}), (std::vector<int>{1, 2}));
    Click(17, 4);  // 17,4 then 10,10; the earlier numbers go
    EXPECT_EQ(nav.Path().Count(), 4);
    EXPECT_EQ(NumbersAlong({{16, 4}, {17, 3}, {17, 4}, {10, 10}}), (std::vector<int>{0, 0, 1, 2}));
    ExpectSound();
    nav.Back();  // back to the branch point
    EXPECT_EQ(nav.Path().Count(), 2);
    ExpectSound();
    nav.Back();
    EXPECT_EQ(nav.Path().Count(), 0);
    ExpectSound();
}

TEST_F(Navigation, OneMoveModePlaysOneMovePerClickWithoutNumbers) {
    const TLine line = {{16, 4}, {17, 3}, {16, 3}};
    Record(line);
    nav.SetProgressMode(EProgressMode::OneMove);
    for (int n = 1; n <= 3; ++n) {
        const TPoint p = line[static_cast<std::size_t>(n - 1)];
        Click(p.x, p.y);
        EXPECT_EQ(nav.Path().Count(), n);
    }
    EXPECT_EQ(NumbersAlong(line), std::vector<int>(3, 0));
    EXPECT_TRUE(rig.view.Calls("number").empty());
    ExpectSound();
}

TEST_F(Navigation, AForcedLineLongerThanNinetyNineStopsAfterMoveNinetyNine) {
    const TLine line = RowsLine(105);
    Record(line);
    Click(line[0].x, line[0].y);
    EXPECT_EQ(nav.Path().Count(), 99);
    EXPECT_EQ(nav.Board().GetNumber(line[98].x, line[98].y), 99);
    EXPECT_EQ(Candidates(), (TLine{line[99]}));
    EXPECT_EQ(rig.view.At(line[99].x, line[99].y).label, "い");
    ExpectSound();
    // The next click runs on to the end of the line.
    Click(line[99].x, line[99].y);
    EXPECT_EQ(nav.Path().Count(), 105);
    EXPECT_EQ(nav.Board().GetNumber(line[104].x, line[104].y), 6);
}

TEST_F(Navigation, AStepPastFourHundredMovesIsRefusedAndBoardAndPathAgree) {
    const TLine line = EndlessLine(401);
    Record(TLine(line.begin(), line.end() - 1));
    Walk(TLine(line.begin(), line.end() - 1));
    ASSERT_EQ(nav.Path().Count(), 400);
    const std::string beforeBoard = [&] {
        std::string s;
        for (int y = 1; y <= 19; ++y)
            for (int x = 1; x <= 19; ++x) s += static_cast<char>('0' + nav.Board().GetStone(x, y));
        return s;
    }();
    const TPoint last = line.back();
    // Neither added nor played: a 401st move could never be followed.
    EXPECT_FALSE(nav.Deside(last.x, last.y));
    EXPECT_EQ(nav.EnterMove(last.x, last.y).outcome, EEntryOutcome::PathFull);
    EXPECT_EQ(nav.Path().Count(), 400);
    EXPECT_EQ(nav.Board().PointState(last.x, last.y), Empty);
    std::string afterBoard;
    for (int y = 1; y <= 19; ++y)
        for (int x = 1; x <= 19; ++x) afterBoard += static_cast<char>('0' + nav.Board().GetStone(x, y));
    EXPECT_EQ(afterBoard, beforeBoard);
    ExpectSound();
    // To-branch runs from the root stop at the cap of 99 as usual.
    nav.ToFirst();
    Click(line[0].x, line[0].y);
    EXPECT_EQ(nav.Path().Count(), 99);
}

// --- Refusals -------------------------------------------------------------

TEST_F(Navigation, SuicideAndKoAreRefusedWithTheirMessagesAndChangeNothing) {
    // Black takes a ko at (7,6); White may not retake at (6,6) at once.
    const TLine koLine = {{6, 5}, {7, 5}, {5, 6}, {8, 6}, {6, 7}, {7, 7}, {15, 15}, {6, 6}, {7, 6}};
    Record(koLine);
    nav.SetInputMode(EInputMode::Record);
    Walk(koLine);
    ASSERT_EQ(nav.Board().GetStone(6, 6), Empty);
    const TBytes before = Bytes();
    rig.view.ClearLog();
    Click(6, 6);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{kKoText});
    EXPECT_FALSE(nav.Deside(6, 6));
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(nav.Path().Count(), 9);
    EXPECT_TRUE(rig.view.log.empty());

    // White in the corner between two black stones has no liberty.
    nav.ToFirst();
    Record({{2, 1}, {10, 10}, {1, 2}});
    Walk({{2, 1}, {10, 10}, {1, 2}});
    rig.messages.shown.clear();
    const TBytes before2 = Bytes();
    Click(1, 1);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{kSuicideText});
    EXPECT_EQ(Bytes(), before2);
    EXPECT_EQ(nav.Board().GetTurn(), White);
    ExpectSound();
}

TEST_F(Navigation, AnIllegalCandidateInAHandEditedFileIsRefusedLikeAnEmptyPoint) {
    nav.CloseFile();
    // Root (2,1), then (10,10), then (1,2); below that White's (1,1), a
    // suicide, and (2,1), an occupied point.
    WriteFileBytes(file, Concat({Placeholder(), MoveBytes(2, 1, 2, 0), MoveBytes(10, 10, 3, 0), MoveBytes(1, 2, 4, 0),
                                 MoveBytes(1, 1, 0, 5), MoveBytes(2, 1)}));
    Open();
    nav.SetProgressMode(EProgressMode::OneMove);
    Walk({{2, 1}, {10, 10}, {1, 2}});
    ASSERT_EQ(Candidates(), (TLine{{1, 1}, {2, 1}}));
    rig.comments.calls.clear();
    EXPECT_FALSE(nav.Deside(1, 1));
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{kSuicideText});
    EXPECT_TRUE(nav.Deside(2, 1));  // a stone: nothing, no message
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(nav.Path().Count(), 3);
    EXPECT_EQ(nav.CurrentRecord(), 3);
    EXPECT_TRUE(rig.comments.calls.empty());
    EXPECT_EQ(nav.Board().PointState(1, 1), Candidate);
    ExpectConsistent(nav, false);

    // A to-branch run that meets it stops in front of it.
    nav.ToFirst();
    nav.SetProgressMode(EProgressMode::ToBranch);
    nav.CloseFile();
    WriteFileBytes(file, Concat({Placeholder(), MoveBytes(2, 1, 2, 0), MoveBytes(10, 10, 3, 0), MoveBytes(1, 2, 4, 0), MoveBytes(1, 1)}));
    Open();
    rig.messages.shown.clear();
    Click(2, 1);
    EXPECT_EQ(nav.Path().Count(), 3);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{kSuicideText});
    EXPECT_EQ(NumbersAlong({{2, 1}, {10, 10}, {1, 2}}), (std::vector<int>{1, 2, 3}));
    ExpectSound();
}

// --- Deleting the last move ----------------------------------------------

TEST_F(Navigation, DeletingTheFirstOfThreeContinuationsKeepsTheOtherTwoInOrder) {
    Record({{10, 10}, {3, 3}});
    Record({{10, 10}, {4, 4}});
    Record({{10, 10}, {5, 5}});
    Click(10, 10);
    Click(3, 3);
    ASSERT_TRUE(rig.menus.delete1);
    const std::size_t size = Bytes().size();
    nav.DeleteLast();
    EXPECT_EQ(nav.Path().Count(), 1);
    EXPECT_EQ(Candidates(), (TLine{{4, 4}, {5, 5}}));
    EXPECT_EQ(rig.view.At(4, 4).label, "い");  // the labels move up
    EXPECT_EQ(rig.view.At(5, 5).label, "ろ");
    EXPECT_EQ(Bytes().size(), size);
    EXPECT_FALSE(rig.menus.delete1);
    ExpectSound();
    Reopen();
    Click(10, 10);
    EXPECT_EQ(Candidates(), (TLine{{4, 4}, {5, 5}}));
}

TEST_F(Navigation, DeletingAtTheEndOfAForcedLineTakesBackExactlyOneMove) {
    Record({{16, 4}, {17, 3}, {16, 3}});
    Click(16, 4);
    ASSERT_EQ(nav.Path().Count(), 3);
    nav.DeleteLast();
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_EQ(nav.Dictionary().Count(), 0);
    EXPECT_EQ(nav.Board().PointState(16, 3), Empty);
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
    ExpectSound();
    // Clicking the deleted point in display mode does nothing; a move added
    // here belongs to this position.
    Click(16, 3);
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_TRUE(nav.Deside(17, 4));
    ExpectConsistent(nav, false);
    Reopen();
    Click(16, 4);
    EXPECT_EQ(nav.Path().Count(), 3);
    EXPECT_EQ(nav.Path().LastMove(), (TPoint{17, 4}));
}

TEST_F(Navigation, DeletingTheFirstRootMoveLastsAfterReopening) {
    Record({{16, 4}});
    Record({{4, 4}});
    nav.SetProgressMode(EProgressMode::OneMove);
    Click(16, 4);
    nav.DeleteLast();
    EXPECT_EQ(Candidates(), (TLine{{4, 4}}));
    ExpectSound();
    Reopen();
    EXPECT_EQ(Candidates(), (TLine{{4, 4}}));
    // The last root move too; a new first move is then found again.
    Click(4, 4);
    nav.DeleteLast();
    EXPECT_EQ(nav.Dictionary().Count(), 0);
    Reopen();
    EXPECT_EQ(nav.Dictionary().Count(), 0);
    EXPECT_FALSE(rig.menus.data);
    nav.Deside(9, 9);
    Reopen();
    EXPECT_EQ(Candidates(), (TLine{{9, 9}}));
    ExpectSound();
}

TEST_F(Navigation, DeleteActsOnlyRightAfterAForwardStepToALeaf) {
    Record({{16, 4}});
    EXPECT_FALSE(nav.Delete1Enabled());
    const TBytes before = Bytes();
    nav.DeleteLast();  // empty path
    EXPECT_EQ(Bytes(), before);

    Click(16, 4);
    ASSERT_TRUE(nav.Delete1Enabled());
    Reopen();  // the path is gone and so is the command
    EXPECT_FALSE(nav.Delete1Enabled());
    nav.DeleteLast();
    EXPECT_EQ(Bytes(), before);

    // After adding a continuation the move is no leaf any more: deleting it
    // would drop the new move with it.
    Click(16, 4);
    nav.Deside(17, 3);
    EXPECT_FALSE(nav.Delete1Enabled());
    const TBytes withReply = Bytes();
    nav.DeleteLast();
    EXPECT_EQ(Bytes(), withReply);
    EXPECT_EQ(nav.Path().Count(), 1);

    nav.CloseFile();
    EXPECT_FALSE(nav.Delete1Enabled());
}

// --- Going back -----------------------------------------------------------

}  // namespace
}  // namespace vxlo::testing
