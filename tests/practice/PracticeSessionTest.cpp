// The practice session on recording fakes: lines played end to end, misses,
// the program's choice by due dates and evidence, and the counts.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "board/Goban.h"
#include "practice/PracticeFakes.h"

namespace vxlo {
namespace {

using testing::BranchingTree;
using testing::ForcedLine;
using testing::MemoryDictionary;
using testing::TFakeEvidence;
using testing::TFixedClock;
using testing::TMemoryCards;
using testing::TRecordingPracticeBoard;

constexpr int kToday = 20000;

struct Rig {
    explicit Rig(const testing::TBytes& dictionary, TPracticeSettings settings = {},
                 int startRec = 0, int startColor = Black, std::uint64_t seed = 1)
        : store(MemoryDictionary(dictionary)),
          tree(*store),
          session(tree, cards, board, evidence, clock, settings, startRec, startColor, seed) {}

    std::unique_ptr<TMemoryRecordStore> store;
    TStorePracticeTree tree;
    TMemoryCards cards;
    TRecordingPracticeBoard board;
    TFakeEvidence evidence;
    TFixedClock clock{kToday};
    TPracticeSession session;
};

using Log = std::vector<std::string>;

TEST(PracticeSession, ForcedLineIsPractisedEndToEndAndScheduledPerUserPosition) {
    Rig rig(ForcedLine());
    rig.session.NextLine();
    EXPECT_EQ(rig.session.State(), EPracticeState::UserToAnswer);
    EXPECT_EQ(rig.session.CurrentRecord(), 0);
    EXPECT_EQ(rig.session.RecordAt(16, 4), 1);
    EXPECT_EQ(rig.session.Answer(1), EAnswer::Correct);
    // The program's reply follows at once; the user answers again after it.
    EXPECT_EQ(rig.session.CurrentRecord(), 2);
    EXPECT_EQ(rig.session.Answer(rig.session.RecordAt(17, 4)), EAnswer::Correct);
    EXPECT_EQ(rig.session.State(), EPracticeState::LineEnded);
    EXPECT_EQ(rig.board.log, (Log{"start", "play 1", "play 2", "play 3"}));

    const TPracticeCard first{0, 1, 0, 1.0, kToday + 1};
    const TPracticeCard second{2, 1, 0, 1.0, kToday + 1};
    EXPECT_EQ(rig.cards.cards, (std::map<int, TPracticeCard>{{0, first}, {2, second}}));
    EXPECT_EQ(rig.cards.writes, 2);
    const TPracticeCounts counts = rig.session.Counts();
    EXPECT_EQ(counts.answered, 2);
    EXPECT_EQ(counts.misses, 0);
    EXPECT_EQ(counts.lines, 1);
    EXPECT_EQ(counts.due, 0);

    // Nothing is due until tomorrow; then the same line comes back and grows.
    rig.session.NextLine();
    EXPECT_EQ(rig.session.State(), EPracticeState::NothingDue);
    EXPECT_EQ(rig.session.Answer(1), EAnswer::Ignored);
    rig.clock.today = kToday + 1;
    EXPECT_EQ(rig.session.Counts().due, 2);
    rig.session.NextLine();
    rig.session.Answer(1);
    rig.session.Answer(3);
    EXPECT_EQ(rig.cards.cards[0], (TPracticeCard{0, 2, 0, 6.0, kToday + 7}));
}

TEST(PracticeSession, MissRecordsALapseShowsTheCorrectAnswersAndTheLineGoesOn) {
    Rig rig(BranchingTree());
    rig.cards.cards[0] = {0, 3, 0, 15.0, kToday};
    rig.session.NextLine();
    // 2 is a candidate, but red: a miss.
    EXPECT_EQ(rig.session.Answer(2), EAnswer::Miss);
    EXPECT_EQ(rig.session.State(), EPracticeState::ShowingAnswers);
    EXPECT_EQ(rig.cards.cards[0], (TPracticeCard{0, 0, 1, 0.0, kToday}));
    EXPECT_EQ(rig.board.log.back(), "answers 1");
    // A click on no candidate after the miss shows them again, no new lapse.
    EXPECT_EQ(rig.session.Answer(0), EAnswer::Miss);
    EXPECT_EQ(rig.cards.cards[0].lapses, 1);
    EXPECT_EQ(rig.cards.writes, 1);
    EXPECT_EQ(rig.session.Answer(1), EAnswer::Correct);
    EXPECT_EQ(rig.cards.writes, 1);  // the miss was this position's grade
    EXPECT_EQ(rig.session.State(), EPracticeState::UserToAnswer);
    const int after = rig.session.CurrentRecord();
    ASSERT_TRUE(after == 3 || after == 4);
    EXPECT_EQ(rig.board.log, (Log{"start", "answers 1", "answers 1", "play 1",
                                  "play " + std::to_string(after)}));
    const TPracticeCounts counts = rig.session.Counts();
    EXPECT_EQ(counts.answered, 1);
    EXPECT_EQ(counts.misses, 1);
    EXPECT_EQ(counts.lineMisses, 1);
    // The missed position is due again today.
    EXPECT_EQ(counts.due, 3);
}

TEST(PracticeSession, EveryColourButRedCountsByDefaultAndSettingsChangeIt) {
    Rig rig(BranchingTree());
    rig.evidence.games = {{3, 0}, {4, 1'000'000}};  // the program answers 4 nearly always
    rig.session.NextLine();
    rig.session.Answer(1);
    ASSERT_EQ(rig.session.CurrentRecord(), 4);
    std::vector<int> shown;
    for (const TPracticeMove& m : rig.session.CorrectAnswers()) shown.push_back(m.rec);
    EXPECT_EQ(shown, (std::vector<int>{6, 7}));
    EXPECT_EQ(rig.session.Answer(6), EAnswer::Correct);  // blue

    TPracticeSettings blackOnly;
    blackOnly.correct = {true, false, false, false, false};
    Rig strict(BranchingTree(), blackOnly);
    strict.evidence.games = rig.evidence.games;
    strict.session.NextLine();
    strict.session.Answer(1);
    EXPECT_EQ(strict.session.Answer(6), EAnswer::Miss);
    EXPECT_EQ(strict.board.log.back(), "answers 7");
}

TEST(PracticeSession, AnswersAreRecordsSoAMoveOffTheBoardNeedsNoSpecialCase) {
    // Black 16,4, then White's only reply is a record at 0,0 (a move
    // elsewhere), then Black answers it with either of two moves.
    Rig rig(testing::Concat({testing::Placeholder(), testing::MoveBytes(16, 4, 2), testing::MoveBytes(0, 0, 3),
                             testing::MoveBytes(0, 0, 0, 4), testing::MoveBytes(17, 3)}));
    rig.session.NextLine();
    rig.session.Answer(1);
    EXPECT_EQ(rig.session.CurrentRecord(), 2);
    EXPECT_EQ(rig.session.RecordAt(0, 0), 3);
    EXPECT_EQ(rig.session.Answer(3), EAnswer::Correct);
    EXPECT_EQ(rig.session.State(), EPracticeState::LineEnded);
    EXPECT_EQ(rig.board.log, (Log{"start", "play 1", "play 2", "play 3"}));
    EXPECT_EQ(rig.cards.cards.count(2), 1u);
}

TEST(PracticeSession, ALineEndsWhereEveryAnswerIsMarkedWrong) {
    // After 1 and White's 2, Black's only continuation is red.
    Rig rig(testing::Concat({testing::Placeholder(), testing::MoveBytes(16, 4, 2), testing::MoveBytes(17, 3, 3),
                             testing::Rec(17, 4, 1, 100, 0, 0)}));
    rig.session.NextLine();
    rig.session.Answer(1);
    EXPECT_EQ(rig.session.State(), EPracticeState::LineEnded);
    EXPECT_EQ(rig.session.Counts().due, 0);
}

// The program's choice at record 1 (White to move), between 3 and 4, over
// many lines started by NextLine.
std::map<int, int> ProgramChoices(Rig& rig, int lines) {
    std::map<int, int> chosen;
    for (int i = 0; i < lines; ++i) {
        rig.board.log.clear();
        rig.session.NextLine();
        if (rig.session.State() == EPracticeState::NothingDue) break;
        ++chosen[rig.session.CurrentRecord()];
    }
    return chosen;
}

TEST(PracticeSession, TheProgramPrefersLinesWithADuePosition) {
    Rig rig(BranchingTree(), {}, 1, White);
    rig.cards.cards[3] = {3, 2, 0, 6.0, kToday + 3};  // answered, not due
    EXPECT_EQ(ProgramChoices(rig, 200), (std::map<int, int>{{4, 200}}));

    rig.cards.cards[4] = {4, 2, 0, 6.0, kToday + 5};
    EXPECT_EQ(ProgramChoices(rig, 10), (std::map<int, int>{}));
    EXPECT_EQ(rig.session.State(), EPracticeState::NothingDue);

    rig.clock.today = kToday + 3;
    EXPECT_EQ(ProgramChoices(rig, 50), (std::map<int, int>{{3, 50}}));
}

TEST(PracticeSession, AmongDueLinesTheChoiceIsUniformWithoutEvidenceAndWeightedWithIt) {
    Rig uniform(BranchingTree(), {}, 1, White, 7);
    const std::map<int, int> plain = ProgramChoices(uniform, 4000);
    EXPECT_NEAR(plain.at(3) / 4000.0, 0.5, 0.03);

    Rig weighted(BranchingTree(), {}, 1, White, 7);
    weighted.evidence.games = {{3, 899}, {4, 99}};  // weights 900 : 100
    const std::map<int, int> byGames = ProgramChoices(weighted, 4000);
    EXPECT_NEAR(byGames.at(3) / 4000.0, 0.9, 0.02);

    // Evidence for one move only: the other weighs as a move of no games.
    Rig partial(BranchingTree(), {}, 1, White, 7);
    partial.evidence.games = {{4, 3}};  // weights 1 : 4
    EXPECT_NEAR(ProgramChoices(partial, 4000).at(4) / 4000.0, 0.8, 0.03);

    // Due first, then evidence: heavy games cannot pull the choice to a line
    // with nothing due.
    Rig dueFirst(BranchingTree(), {}, 1, White, 7);
    dueFirst.evidence.games = {{3, 1'000'000}, {4, 0}};
    dueFirst.cards.cards[3] = {3, 1, 0, 1.0, kToday + 1};
    EXPECT_EQ(ProgramChoices(dueFirst, 100), (std::map<int, int>{{4, 100}}));
}

TEST(PracticeSession, AlternatingColoursSwitchTheUserEveryLine) {
    TPracticeSettings settings;
    settings.color = EPracticeColor::Alternate;
    Rig rig(BranchingTree(), settings);
    rig.session.NextLine();
    EXPECT_EQ(rig.session.UserColor(), Black);
    EXPECT_EQ(rig.session.State(), EPracticeState::UserToAnswer);
    rig.session.NextLine();
    // White answers at record 1, after the program's (only correct) 1.
    EXPECT_EQ(rig.session.UserColor(), White);
    EXPECT_EQ(rig.session.CurrentRecord(), 1);
    EXPECT_EQ(rig.session.Answer(4), EAnswer::Correct);
    EXPECT_EQ(rig.cards.cards.at(1).reps, 1);
    // The program played one of Black's two answers and the line ended.
    EXPECT_EQ(rig.session.State(), EPracticeState::LineEnded);
    // Black's turn again; and with nothing due for White, Black keeps it.
    rig.session.NextLine();
    EXPECT_EQ(rig.session.UserColor(), Black);
    rig.session.NextLine();
    EXPECT_EQ(rig.session.UserColor(), Black);
    EXPECT_EQ(rig.session.State(), EPracticeState::UserToAnswer);
}

TEST(PracticeSession, TheKeptDueCountAgreesWithAFreshCountAfterEveryAnswer) {
    Rig rig(BranchingTree(), {}, 0, Black, 11);
    std::mt19937 answers(5);
    int checked = 0;
    for (int line = 0; line < 300; ++line) {
        if (line % 10 == 9) ++rig.clock.today;  // days pass: positions fall due again
        rig.session.NextLine();
        while (rig.session.State() == EPracticeState::UserToAnswer ||
               rig.session.State() == EPracticeState::ShowingAnswers) {
            // Any candidate or a click beside them, right or wrong.
            const std::vector<TPracticeMove> moves = rig.tree.Continuations(rig.session.CurrentRecord());
            const std::size_t pick = answers() % (moves.size() + 1);
            rig.session.Answer(pick < moves.size() ? moves[pick].rec : 0);
            const int fresh =
                CountPositions(rig.tree, rig.cards, {}, {0, Black, Black}, rig.clock.today).due;
            ASSERT_EQ(rig.session.Counts().due, fresh) << "line " << line;
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
    EXPECT_GT(rig.session.Counts().misses, 20);
}

TEST(PracticeSession, CountsWalkEveryUserPositionOnceEvenInADamagedFile) {
    TMemoryCards cards;
    cards.cards[3] = {3, 1, 2, 1.0, kToday + 1};
    auto store = MemoryDictionary(BranchingTree());
    const TStorePracticeTree tree(*store);
    EXPECT_EQ(CountPositions(tree, cards, {}, {0, Black, Black}, kToday),
              (TPositionCounts{3, 2, 1, 2}));
    EXPECT_EQ(CountPositions(tree, cards, {}, {0, Black, White}, kToday),
              (TPositionCounts{1, 1, 0, 0}));
    EXPECT_EQ(CountPositions(tree, cards, {}, {4, Black, Black}, kToday),
              (TPositionCounts{1, 1, 0, 0}));

    // Record 5 links back to record 1: a loop; and 7's More points past the end.
    testing::TBytes looped = BranchingTree();
    const testing::TBytes five = testing::MoveBytes(17, 4, 1);
    std::copy(five.begin(), five.end(), looped.begin() + 5 * kRecordSize);
    const testing::TBytes seven = testing::MoveBytes(13, 3, 0, 99);
    std::copy(seven.begin(), seven.end(), looped.begin() + 7 * kRecordSize);
    auto damaged = MemoryDictionary(looped);
    const TStorePracticeTree damagedTree(*damaged);
    EXPECT_EQ(CountPositions(damagedTree, cards, {}, {0, Black, Black}, kToday).total, 3);
    // Record 5 now continues with 1 and 2: a White position, found once.
    EXPECT_TRUE(HasDuePosition(damagedTree, cards, {}, 3, Black, White, kToday));
    EXPECT_EQ(CountPositions(damagedTree, cards, {}, {0, Black, White}, kToday).total, 2);
}

TEST(PracticeSession, LapsesAreSummedPastTheRangeOfAnInt) {
    TMemoryCards cards;
    constexpr int kMost = std::numeric_limits<int>::max();
    cards.cards[0] = {0, 0, kMost, 0.0, kToday};
    cards.cards[3] = {3, 0, kMost, 0.0, kToday};
    auto store = MemoryDictionary(BranchingTree());
    const TStorePracticeTree tree(*store);
    const TPositionCounts counts = CountPositions(tree, cards, {}, {0, Black, Black}, kToday);
    EXPECT_EQ(counts.practised, 2);
    EXPECT_EQ(counts.lapses, 2 * static_cast<std::int64_t>(kMost));
}

}  // namespace
}  // namespace vxlo
