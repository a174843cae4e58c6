// Undo and redo of recording actions against the clicks they stand for: a
// second navigation on its own file does, for every undo and redo, what a
// user would click to get the same (walk the line, play the candidate and
// delete it, step the colour round, click the point again), from a model of
// the two stacks. Both files must agree byte for byte after every step.
#include <gtest/gtest.h>

#include <random>

#include "navigation/RecordingHistory.h"
#include "support/FileBytes.h"
#include "support/RecordingFakes.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

class RecordingHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        subject.nav.OpenFile(dir.File("subject.jsk"));
        reference.nav.OpenFile(dir.File("reference.jsk"));
        subject.nav.SetRecordingHistory(&history);
        for (TNavigation* nav : {&subject.nav, &reference.nav}) nav->SetInputMode(EInputMode::Record);
    }

    // What the reference clicks for one step of an action.
    void ClickAction(const TRecordingAction& a, bool forward) {
        TNavigation& nav = reference.nav;
        nav.ToFirst();
        {
            TOneMoveScope oneMove(nav);
            for (const TPoint p : a.line) nav.MouseDown(EMouseButton::Left, p.x, p.y);
        }
        if (a.kind == TRecordingAction::EKind::ColourStep) {
            for (int k = 0; k < (forward ? 1 : 4); ++k) nav.MouseDown(EMouseButton::Right, a.move.x, a.move.y);
        } else if (forward) {
            nav.MouseDown(EMouseButton::Left, a.move.x, a.move.y);
        } else {
            TOneMoveScope oneMove(nav);
            nav.MouseDown(EMouseButton::Left, a.move.x, a.move.y);
            nav.DeleteLast();
        }
    }

    TTempDir dir;
    TNavigationRig subject;
    TNavigationRig reference;
    TRecordingHistory history;
};

TEST_F(RecordingHistoryTest, UndoAndRedoLeaveTheFileAsTheClicksTheyStandForWould) {
    std::mt19937 random(7);
    std::vector<TRecordingAction> done, undone;  // the model
    // Points in one corner, so that lines meet and candidates repeat.
    const auto point = [&] { return TPoint{13 + static_cast<int>(random() % 5), 2 + static_cast<int>(random() % 5)}; };
    int undos = 0, redos = 0;
    for (int step = 0; step < 600; ++step) {
        const int what = static_cast<int>(random() % 10);
        const TPoint p = point();
        const int state = subject.nav.Board().PointState(p.x, p.y);
        if (what < 3 && state == Empty &&
            subject.nav.Board().TestMove(subject.nav.Board().GetTurn(), p.x, p.y) == EMoveResult::Ok) {
            done.push_back({TRecordingAction::EKind::Added, CurrentLine(subject.nav), p});
            undone.clear();
            for (TNavigationRig* rig : {&subject, &reference}) rig->nav.MouseDown(EMouseButton::Left, p.x, p.y);
        } else if (what == 3 && state == Candidate) {
            done.push_back({TRecordingAction::EKind::ColourStep, CurrentLine(subject.nav), p});
            undone.clear();
            for (TNavigationRig* rig : {&subject, &reference}) rig->nav.MouseDown(EMouseButton::Right, p.x, p.y);
        } else if (what == 4 && state == Candidate) {
            for (TNavigationRig* rig : {&subject, &reference}) rig->nav.MouseDown(EMouseButton::Left, p.x, p.y);
        } else if (what == 5) {
            for (TNavigationRig* rig : {&subject, &reference}) rig->nav.Back();
        } else if (what >= 6 && what <= 7) {
            const EHistoryStep result = history.Undo(subject.nav);
            ASSERT_EQ(result, done.empty() ? EHistoryStep::Nothing : EHistoryStep::Done) << step;
            if (!done.empty()) {
                ClickAction(done.back(), false);
                undone.push_back(done.back());
                done.pop_back();
                ++undos;
            }
        } else if (what >= 8) {
            const EHistoryStep result = history.Redo(subject.nav);
            ASSERT_EQ(result, undone.empty() ? EHistoryStep::Nothing : EHistoryStep::Done) << step;
            if (!undone.empty()) {
                ClickAction(undone.back(), true);
                done.push_back(undone.back());
                undone.pop_back();
                ++redos;
            }
        }
        ASSERT_EQ(ReadFileBytes(dir.File("subject.jsk")), ReadFileBytes(dir.File("reference.jsk"))) << "step " << step;
        ASSERT_EQ(CurrentLine(subject.nav), CurrentLine(reference.nav)) << "step " << step;
        ASSERT_EQ(history.CanUndo(), !done.empty());
        ASSERT_EQ(history.CanRedo(), !undone.empty());
        subject.ExpectScreenMatches();
    }
    EXPECT_GT(undos, 50);
    EXPECT_GT(redos, 30);
}

// Another program's change in between: an action whose line or candidate is
// gone is refused, and nothing else is touched.
TEST_F(RecordingHistoryTest, AnActionWhoseLineIsGoneIsRefusedAndTheHistoryCleared) {
    TNavigation& nav = subject.nav;
    nav.MouseDown(EMouseButton::Left, 16, 4);  // added
    nav.MouseDown(EMouseButton::Left, 16, 4);  // played
    nav.MouseDown(EMouseButton::Left, 17, 3);  // added below it
    nav.MouseDown(EMouseButton::Right, 17, 3);
    // The line is deleted by the delete of the last move, not through history.
    nav.MouseDown(EMouseButton::Left, 17, 3);
    nav.DeleteLast();
    const TBytes before = ReadFileBytes(dir.File("subject.jsk"));
    EXPECT_EQ(history.Undo(nav), EHistoryStep::LineGone);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(ReadFileBytes(dir.File("subject.jsk")), before);
    nav.CloseFile();
    EXPECT_EQ(history.Undo(nav), EHistoryStep::Nothing);
}

}  // namespace
}  // namespace vxlo::testing
