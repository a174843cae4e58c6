// Practice on the real navigation over a dictionary file: clicks become
// answers, the board shows the line, the schedules reach the database, and
// the dictionary's bytes never change.
#include <gtest/gtest.h>

#include "practice/PracticeFakes.h"
#include "practice/PracticeRun.h"
#include "practice/PracticeStore.h"
#include "support/RecordingFakes.h"
#include "support/TableTranslator.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

using testing::TBytes;

constexpr int kToday = 20431;

struct RunRig {
    explicit RunRig(const TBytes& bytes) {
        testing::WriteFileBytes(path, bytes);
        rig.nav.OpenFile(path);
    }
    std::unique_ptr<TPracticeRun> Start(TPracticeSettings settings = {}) {
        return std::make_unique<TPracticeRun>(rig.nav, rig.view, OpenCompanion(path, TCompanionDatabase::EAccess::ReadWrite), settings, evidence, clock, 3);
    }
    testing::TTempDir dir;
    std::string path = dir / "line.jsk";
    testing::TNavigationRig rig;
    testing::TFakeEvidence evidence;
    testing::TFixedClock clock{kToday};
};

TEST(PracticeRun, ClicksPlayTheLineOnTheBoardAndLeaveTheDictionaryByteForByte) {
    const TBytes bytes = testing::BranchingTree();
    RunRig r(bytes);
    r.evidence.games = {{3, 1'000'000}, {4, 0}};
    {
        auto run = r.Start();
        // Labels are hidden while practising: they would give the answer.
        EXPECT_EQ(r.rig.view.At(16, 4).label, "");
        EXPECT_EQ(run->StatusText().Text(), "練習 黒  今日 0問  ミス 0  期限 3局面  次の一手は？");

        run->Click(17, 4);  // red: a miss
        EXPECT_EQ(run->Session().State(), EPracticeState::ShowingAnswers);
        EXPECT_EQ(r.rig.view.At(16, 4).label, "い");
        EXPECT_EQ(r.rig.view.At(17, 4).label, "");
        EXPECT_EQ(r.rig.nav.Path().Count(), 0);

        run->Click(16, 4);
        // Black's answer and White's reply are on the board; the shown label went.
        EXPECT_EQ(r.rig.view.At(16, 4).stone, Black);
        EXPECT_EQ(r.rig.view.At(17, 3).stone, White);
        EXPECT_EQ(r.rig.nav.CurrentRecord(), 3);
        run->Click(17, 4);
        EXPECT_EQ(run->Session().State(), EPracticeState::LineEnded);
        EXPECT_EQ(run->StatusText().Text(),
                  "練習 黒  今日 2問  ミス 1  期限 2局面  正解（定石）  手順終了：ミス1（クリックで次の手順）");
        r.rig.ExpectScreenMatches();

        // The next line starts from the empty board again.
        run->Click(1, 1);
        EXPECT_EQ(r.rig.nav.Path().Count(), 0);
        EXPECT_EQ(run->Session().State(), EPracticeState::UserToAnswer);
    }
    // Ending the practice gives the labels back.
    EXPECT_EQ(r.rig.nav.LabelMode(), ELabelMode::Shown);
    EXPECT_EQ(r.rig.nav.ProgressMode(), EProgressMode::ToBranch);
    EXPECT_EQ(r.rig.view.At(16, 4).label, "い");
    r.rig.nav.CloseFile();
    EXPECT_EQ(testing::ReadFileBytes(r.path), bytes);

    const TPracticeStore store(OpenCompanion(r.path, TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(store.Find(0), (TPracticeCard{0, 0, 1, 0.0, kToday}));
    EXPECT_EQ(store.Find(3), (TPracticeCard{3, 1, 0, 1.0, kToday + 1}));
    EXPECT_EQ(store.Count(), 2);
}

TEST(PracticeRun, TheStatusLineIsOneSentenceAndItsStateInEitherLanguage) {
    const testing::TTableTranslator english(std::map<std::string, std::string>{
        {"練習 黒  今日 %1問  ミス %2  期限 %3局面  ", "Practice as Black  today %1 answered  %2 missed  %3 due  "},
        {"次の一手は？", "Your move?"},
        {"正解のどれかを打ってください", "Play one of the correct moves"},
        {"手順終了：ミス%1", "Line done: %1 missed"},
        {"（クリックで次の手順）", " (click for the next line)"},
        {"正解（%1）  ", "Correct (%1)  "}, {"ミス（%1）  ", "Miss (%1)  "}, {"定石", "joseki"}, {"悪手", "mistake"}});
    RunRig r(testing::BranchingTree());
    r.evidence.games = {{3, 1'000'000}, {4, 0}};
    auto run = r.Start();
    EXPECT_EQ(run->StatusText().Text(&english), "Practice as Black  today 0 answered  0 missed  3 due  Your move?");
    run->Click(17, 4);  // a miss
    EXPECT_EQ(run->StatusText().Text(), "練習 黒  今日 1問  ミス 1  期限 3局面  ミス（悪手）  正解のどれかを打ってください");
    EXPECT_EQ(run->StatusText().Text(&english),
              "Practice as Black  today 1 answered  1 missed  3 due  Miss (mistake)  Play one of the correct moves");
    // A name the user gave is shown as typed, in either language.
    TLabelNames own;
    own.set[1] = "ダメ";
    run->SetLabelNames(own);
    EXPECT_EQ(run->StatusText().Text(&english),
              "Practice as Black  today 1 answered  1 missed  3 due  Miss (ダメ)  Play one of the correct moves");
    run->SetLabelNames({});
    run->Click(16, 4);
    run->Click(17, 4);
    EXPECT_EQ(run->StatusText().Text(&english),
              "Practice as Black  today 2 answered  1 missed  2 due  Correct (joseki)  Line done: 1 missed (click for the next line)");
}

TEST(PracticeRun, PractiseFromTheCurrentPositionAndKeepTheUsersModes) {
    RunRig r(testing::BranchingTree());
    r.rig.nav.SetInputMode(EInputMode::Record);
    r.rig.nav.SetProgressMode(EProgressMode::ToBranch);
    r.rig.nav.Deside(16, 4);  // down to record 1, White to move
    ASSERT_EQ(r.rig.nav.CurrentRecord(), 1);
    {
        auto run = r.Start();
        // The program plays White's move first; Black answers below it.
        EXPECT_EQ(run->Session().State(), EPracticeState::UserToAnswer);
        EXPECT_EQ(r.rig.nav.Path().Count(), 2);
        const int reply = r.rig.nav.CurrentRecord();
        run->Click(reply == 3 ? 17 : 13, reply == 3 ? 4 : 3);
        EXPECT_EQ(run->Session().State(), EPracticeState::LineEnded);
        run->Click(1, 1);
        EXPECT_EQ(r.rig.nav.Path().Count(), 2);  // the start, and White's next choice
    }
    EXPECT_EQ(r.rig.nav.InputMode(), EInputMode::Record);
    // A click in recording mode would have added a move: nothing was added.
    EXPECT_EQ(r.rig.nav.Dictionary().Store().RecordCount(), 8);
}

TEST(PracticeRun, ABoardSteppedBackBehindThePracticeIsRefusedAndNeverWrittenTo) {
    RunRig r(testing::ForcedLine());
    auto run = r.Start();
    run->Click(16, 4);
    ASSERT_EQ(r.rig.nav.CurrentRecord(), 2);
    r.rig.nav.Back();  // the board now shows the position after record 1
    // 17,4 is empty there: playing it would have added a move.
    EXPECT_THROW(run->Click(17, 4), EVxloError);
    EXPECT_EQ(r.rig.nav.Path().Count(), 1);
    run.reset();
    r.rig.nav.CloseFile();
    EXPECT_EQ(testing::ReadFileBytes(r.path), testing::ForcedLine());
}

TEST(PracticeRun, AMoveTheBoardRefusesEndsInAnErrorNotADisagreement) {
    // Record 2 repeats Black's own point 16,4: occupied when White would play it.
    RunRig r(testing::Concat({testing::Placeholder(), testing::MoveBytes(16, 4, 2),
                              testing::MoveBytes(16, 4, 3), testing::MoveBytes(17, 4)}));
    auto run = r.Start();
    EXPECT_THROW(run->Click(16, 4), EVxloError);
}

}  // namespace
}  // namespace vxlo
