// Dictionary access on real files: the bytes after each operation, the order
// of the writes, the candidate list and its marks and labels, damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "dictionary/Fjsk.h"
#include "dictionary/Tejun.h"
#include "reliability/FaultInjection.h"
#include "support/FileBytes.h"
#include "support/RecordingFakes.h"
#include "support/RecordingStore.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

class Fjsk : public ::testing::Test {
protected:
    // Opens the test file the way the main window does, logging the store.
    void Open() {
        auto store = std::make_unique<TRecordingStore>(
            std::make_unique<TRecordFile>(file, TRecordFile::Mode::ReadWriteCreate));
        log = store.get();
        dict.Attach(std::move(store));
        dict.LoadRoot();
    }
    void Reopen() {
        dict.Close();
        board.Reset();
        Open();
    }
    TBytes Bytes() const { return ReadFileBytes(file); }
    void Write(const TBytes& bytes) const { WriteFileBytes(file, bytes); }
    int Select(int x, int y) { return dict.SelectMove(x, y, currentRecord); }
    std::vector<TPoint> Candidates() const {
        std::vector<TPoint> points;
        for (int i = 0; i < dict.Count(); ++i) points.push_back(dict.GetMoveXY(i));
        return points;
    }

    TTempDir dir;
    std::string file = dir.File("test.jsk");
    TTejun path;
    TRecordingView view;
    TGoban board{path, view};
    TLjsk dict{board, view};
    TRecordingStore* log = nullptr;
    int currentRecord = 0;
};

TEST_F(Fjsk, TheWorkedExampleGivesFortyEightBytesInTheTabledOrder) {
    Open();
    dict.AddMove(16, 4);
    dict.AddMove(17, 3);
    EXPECT_EQ(Select(16, 4), 0);
    EXPECT_EQ(currentRecord, 1);
    dict.AddMove(17, 3);
    EXPECT_EQ(HexRecords(Bytes()), HexRecords(Concat({Placeholder(), MoveBytes(16, 4, 3, 2), MoveBytes(17, 3), MoveBytes(17, 3)})));
    EXPECT_EQ(Bytes().size(), 48u);
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{0, 1, 2, 1, 3, 1}));
    // Only the reply is a candidate now.
    EXPECT_EQ(board.PointState(16, 4), Empty);
    EXPECT_EQ(board.PointState(17, 3), Candidate);
    EXPECT_EQ(dict.FirstRecNo(), 3);
}

TEST_F(Fjsk, AnEmptyFileTakesAPlaceholderAndTheFirstMove) {
    Write({});
    Open();
    EXPECT_EQ(dict.Count(), 0);
    dict.AddMove(4, 4);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(4, 4)}));
    EXPECT_EQ(dict.FirstRecNo(), 1);
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{0, 1}));
    EXPECT_EQ(view.Calls("label"), std::vector<std::string>{"label い 4,4 0"});
}

TEST_F(Fjsk, AMissingFileIsCreatedEmpty) {
    Open();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(Bytes().size(), 0u);
    EXPECT_EQ(dict.Count(), 0);
}

TEST_F(Fjsk, APlaceholderOnlyFileOpensEmptyAndItsFirstMoveHeadsTheRoot) {
    Write(Placeholder());
    Open();
    EXPECT_EQ(dict.Count(), 0);
    dict.AddMove(3, 16);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(3, 16)}));
    Reopen();
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{3, 16}}));
}

TEST_F(Fjsk, AnIncompleteTailIsOverwrittenByTheNextRecord) {
    Write(Concat({Placeholder(), TBytes{0xAB}}));
    Open();
    EXPECT_EQ(dict.Count(), 0);
    dict.AddMove(5, 5);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(5, 5)}));
}

TEST_F(Fjsk, TheThirtyFirstCandidateIsRefusedSilently) {
    Open();
    for (int i = 0; i < 30; ++i) dict.AddMove(1 + i % 19, 1 + i / 19);
    ASSERT_EQ(dict.Count(), 30);
    const TBytes before = Bytes();
    view.ClearLog();
    log->ClearLog();
    dict.AddMove(10, 10);
    EXPECT_EQ(dict.Count(), 30);
    EXPECT_EQ(board.PointState(10, 10), Empty);
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(log->writes.empty());
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(CandidateLabel(29), "ま");
    EXPECT_EQ(view.At(11, 2).label, "ま");  // the 30th went to (11,2)
}

TEST_F(Fjsk, AddingAtACandidateOrAStoneDoesNothing) {
    Open();
    dict.AddMove(4, 4);
    board.SetStone(Black, 5, 5);
    const TBytes before = Bytes();
    dict.AddMove(4, 4);
    dict.AddMove(5, 5);
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(Fjsk, AThirdAlternativeRewritesOnlyTheSecond) {
    Open();
    dict.AddMove(4, 4);
    dict.AddMove(16, 4);
    log->ClearLog();
    dict.AddMove(16, 16);
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{3, 2}));
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 0, 3), MoveBytes(16, 16)}));
}

TEST_F(Fjsk, SelectingFollowsTheCandidateAndSetsTheParent) {
    // Root 1 (4,4) and 2 (16,4); under 2: 3 (17,3) and 4 (16,3).
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 3, 0), MoveBytes(17, 3, 0, 4), MoveBytes(16, 3)}));
    Open();
    ASSERT_EQ(Candidates(), (std::vector<TPoint>{{4, 4}, {16, 4}}));
    EXPECT_EQ(dict.FindRecNo(16, 4), 2);
    EXPECT_EQ(dict.FindRecNo(9, 9), -1);
    EXPECT_EQ(Select(16, 4), 2);
    EXPECT_EQ(currentRecord, 2);
    EXPECT_EQ(dict.ParentRecNo(), 2);  // from the first candidate's More
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{17, 3}, {16, 3}}));
    EXPECT_EQ(board.PointState(4, 4), Empty);
    EXPECT_EQ(board.PointState(16, 3), Candidate);
    EXPECT_EQ(view.Calls("erase"), (std::vector<std::string>{"erase 4,4", "erase 16,4"}));

    // A candidate without continuations: the list empties and a move added
    // now hangs below it.
    EXPECT_EQ(Select(16, 3), 0);
    EXPECT_EQ(currentRecord, 4);
    EXPECT_EQ(dict.ParentRecNo(), 4);
    log->ClearLog();
    dict.AddMove(17, 4);
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{5, 4}));
    EXPECT_EQ(log->Record(4), DecodeRecord(EncodeRecord({16, 3, 0, 100, 5, 0})));

    // Not a candidate: marks cleared, list kept.
    EXPECT_EQ(Select(1, 1), 0);
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_EQ(board.PointState(17, 4), Empty);
}

TEST_F(Fjsk, LoadingPastTheEndGivesAnEmptyListAndKeepsTheHead) {
    Write(Concat({Placeholder(), MoveBytes(4, 4)}));
    Open();
    ASSERT_EQ(dict.FirstRecNo(), 1);
    EXPECT_EQ(dict.LoadList(2), 0);
    EXPECT_EQ(dict.LoadList(99), 0);
    EXPECT_EQ(dict.FirstRecNo(), 1);
    for (int i = 0; i < kCandidateSlots; ++i) EXPECT_EQ(dict.RecNoAt(i), -1);
}

TEST_F(Fjsk, FiveColourStepsComeBackAndEachIsWrittenAtOnce) {
    Open();
    dict.AddMove(4, 4);
    view.ClearLog();
    log->ClearLog();
    for (int expected : {1, 2, 3, 4, 0}) {
        dict.CycleColor(4, 4);
        EXPECT_EQ(log->Record(1).Color, expected);
        EXPECT_EQ(dict.GetRecord(0).Color, expected);
    }
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(view.Calls("label"), (std::vector<std::string>{"label い 4,4 1", "label い 4,4 2", "label い 4,4 3",
                                                             "label い 4,4 4", "label い 4,4 0"}));
    dict.CycleColor(9, 9);  // no candidate there
    EXPECT_EQ(log->writes.size(), 5u);

    // A colour beyond the table (set in the record grid) starts over.
    dict.SetColor(0, 7);
    dict.WriteList();
    dict.CycleColor(4, 4);
    EXPECT_EQ(log->Record(1).Color, 0);
}

TEST_F(Fjsk, WriteListWritesEditedSlotsAndNothingForAnEmptyList) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4)}));
    Open();
    dict.SetAux(1, 7);
    dict.SetNext(1, 9);
    log->ClearLog();
    dict.WriteList();
    EXPECT_EQ(log->writes, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(4, 4, 0, 2), Rec(16, 4, 0, 7, 9, 0)}));
    Select(4, 4);
    log->ClearLog();
    dict.WriteList();
    EXPECT_TRUE(log->writes.empty());
}

// Position below record 1 with the three continuations 2, 3 and 4.
TBytes ThreeContinuations() {
    return Concat({Placeholder(), MoveBytes(10, 10, 2, 0), MoveBytes(3, 3, 0, 3), MoveBytes(4, 4, 0, 4), MoveBytes(5, 5)});
}

TEST_F(Fjsk, UnlinkingRewritesOnlyTheLinkThatSkipsTheMove) {
    struct TCase {
        TPoint point;
        TBytes expected;
    };
    const std::vector<TCase> cases = {
        {{5, 5}, Concat({Placeholder(), MoveBytes(10, 10, 2, 0), MoveBytes(3, 3, 0, 3), MoveBytes(4, 4), MoveBytes(5, 5)})},
        {{4, 4}, Concat({Placeholder(), MoveBytes(10, 10, 2, 0), MoveBytes(3, 3, 0, 4), MoveBytes(4, 4, 0, 4), MoveBytes(5, 5)})},
        {{3, 3}, Concat({Placeholder(), MoveBytes(10, 10, 3, 0), MoveBytes(3, 3, 0, 3), MoveBytes(4, 4, 0, 4), MoveBytes(5, 5)})},
    };
    for (const TCase& c : cases) {
        Write(ThreeContinuations());
        Reopen();
        Select(10, 10);
        ASSERT_EQ(dict.Count(), 3);
        log->ClearLog();
        dict.UnlinkMove(c.point.x, c.point.y, 1);
        EXPECT_EQ(log->writes.size(), 1u);
        EXPECT_EQ(HexRecords(Bytes()), HexRecords(c.expected));
        // The list stays as it was until it is reloaded.
        EXPECT_EQ(dict.Count(), 3);
        EXPECT_EQ(board.PointState(c.point.x, c.point.y), Candidate);
    }
    log->ClearLog();
    dict.UnlinkMove(9, 9, 1);
    EXPECT_TRUE(log->writes.empty());
}

TEST_F(Fjsk, DeletingTheFirstRootMoveGivesRecordZeroTheRootRoleForGood) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 0, 3), MoveBytes(16, 16)}));
    Open();
    EXPECT_EQ(dict.ParentRecNo(), -1);
    dict.UnlinkMove(4, 4, 0);
    EXPECT_EQ(HexRecords(Bytes()),
              HexRecords(Concat({Rec(0, 0, 0, 1, 2, 0), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 0, 3), MoveBytes(16, 16)})));
    Reopen();
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{16, 4}, {16, 16}}));
    EXPECT_EQ(dict.RootRecNo(), 2);
    EXPECT_EQ(dict.ParentRecNo(), 0);

    // The new head goes too: record 0 moves on again.
    dict.UnlinkMove(16, 4, 0);
    Reopen();
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{16, 16}}));

    // An emptied root takes its next first move below record 0.
    dict.UnlinkMove(16, 16, 0);
    Reopen();
    EXPECT_EQ(dict.Count(), 0);
    EXPECT_EQ(dict.RootRecNo(), 0);
    dict.AddMove(3, 3);
    EXPECT_EQ(log->Record(0), DecodeRecord(EncodeRecord({0, 0, 0, 1, 4, 0})));
    Reopen();
    EXPECT_EQ(Candidates(), (std::vector<TPoint>{{3, 3}}));
}

TEST_F(Fjsk, EmptyListLetsTheNextMoveHangBelowTheGivenParent) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4)}));
    Open();
    dict.EmptyList(2);
    EXPECT_EQ(dict.Count(), 0);
    dict.AddMove(17, 3);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 3, 0), MoveBytes(17, 3)}));
}

TEST_F(Fjsk, LabelsFollowTheListOrderAndErasingKeepsTheMarks) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), Rec(16, 4, 2, 100, 0, 0)}));
    Open();
    dict.DrawLabels();
    EXPECT_EQ(view.Calls("label"), (std::vector<std::string>{"label い 4,4 0", "label ろ 16,4 2"}));
    dict.EraseLabels();
    EXPECT_EQ(view.At(16, 4), TScreenPoint{});
    EXPECT_EQ(board.PointState(16, 4), Candidate);
    dict.ClearMarks();
    EXPECT_EQ(board.PointState(16, 4), Empty);
}

TEST_F(Fjsk, TheLabelTableIsIrohaWithIRepeatedAtTwentyFour) {
    const std::string all = [] {
        std::string s;
        for (int i = 0; i < kLabelCount; ++i) s += CandidateLabel(i);
        return s;
    }();
    EXPECT_EQ(all, "いろはにほへとちりぬるをわかよたれそつねならむういのおくやま");
    EXPECT_THROW(CandidateLabel(30), ERangeError);
    EXPECT_THROW(CandidateLabel(-1), ERangeError);
}

// --- Damaged files -------------------------------------------------------

TEST_F(Fjsk, ANextPastTheEndGivesNoContinuations) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 7, 0)}));
    Open();
    EXPECT_EQ(Select(4, 4), 0);
    EXPECT_EQ(dict.Count(), 0);
    // A move added there repairs the link.
    dict.AddMove(3, 3);
    EXPECT_EQ(Bytes(), Concat({Placeholder(), MoveBytes(4, 4, 2, 0), MoveBytes(3, 3)}));
}

TEST_F(Fjsk, AMorePastTheEndIsTheReadPastEndError) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 9)}));
    try {
        Open();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "ファイルの末尾以降を読み込みました");
        EXPECT_EQ(e.FileName(), file);
    }
}

TEST_F(Fjsk, ALoopingChainStopsWithTheRangeErrorAndWritesNothing) {
    const TBytes bytes = Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 0, 1)});
    Write(bytes);
    EXPECT_THROW(Open(), ERangeError);
    EXPECT_TRUE(log->writes.empty());
    EXPECT_LE(log->reads.size(), 40u);
    EXPECT_EQ(Bytes(), bytes);
}


TEST_F(Fjsk, AThirtyFirstCandidateLoadsWithTheUnlabelledMark) {
    Write(LongRootChain(31));
    Open();
    ASSERT_EQ(dict.Count(), 31);
    EXPECT_EQ(board.PointState(12, 2), Candidate);
    dict.DrawLabels();
    EXPECT_EQ(view.Calls("label").size(), 31u);
    EXPECT_EQ(view.At(12, 2).label, kUnlabelledMark);
    EXPECT_EQ(dict.LabelIndex(30), -1);
    dict.CycleColor(12, 2);
    EXPECT_EQ(log->Record(31).Color, 1);
    EXPECT_EQ(view.At(12, 2).labelColor, 1);
    // By hand the list stays at what it holds; the corner import goes on.
    dict.AddMove(10, 10);
    EXPECT_EQ(dict.Count(), 31);
    dict.AddMove(10, 10, kCandidateSlots);
    EXPECT_EQ(dict.Count(), 32);
    EXPECT_EQ(view.At(10, 10).label, kUnlabelledMark);
}

TEST_F(Fjsk, AChainPastEveryPointOfTheBoardIsTheRangeError) {
    Write(LongRootChain(kCandidateSlots));
    Open();
    EXPECT_EQ(dict.Count(), kCandidateSlots);
    dict.Close();
    Write(LongRootChain(kCandidateSlots + 1));
    EXPECT_THROW(Open(), ERangeError);
}

// The kana go to the 30 most played (ties in chain order), and among those in
// chain order: a model of that rule against the list, over several counts.
TEST_F(Fjsk, PastThirtyCandidatesTheKanaGoToTheMostPlayed) {
    constexpr int n = 45;
    Write(LongRootChain(n));
    const std::vector<std::function<long long(int)>> countings = {
        [](int) { return 0LL; },
        [](int rec) { return static_cast<long long>(rec); },
        [](int rec) { return static_cast<long long>(n - rec); },
        [](int rec) { return static_cast<long long>((rec * 7) % 11); },
        [](int rec) { return rec % 3 == 0 ? 100LL : 1LL; },
    };
    for (std::size_t c = 0; c < countings.size(); ++c) {
        SCOPED_TRACE(c);
        dict.SetPlayedCounts(countings[c]);
        dict.Close();
        Open();
        ASSERT_EQ(dict.Count(), n);
        // Record i + 1 is candidate i; equal counts sort by chain index.
        std::vector<std::pair<long long, int>> ranked;
        for (int i = 0; i < n; ++i) ranked.push_back({-countings[c](i + 1), i});
        std::sort(ranked.begin(), ranked.end());
        std::vector<bool> labelled(n, false);
        for (int k = 0; k < kLabelCount; ++k) labelled[static_cast<std::size_t>(ranked[static_cast<std::size_t>(k)].second)] = true;
        int next = 0;
        dict.DrawLabels();
        for (int i = 0; i < n; ++i) {
            const int expected = labelled[static_cast<std::size_t>(i)] ? next++ : -1;
            EXPECT_EQ(dict.LabelIndex(i), expected) << "candidate " << i;
            const TPoint p = dict.GetMoveXY(i);
            EXPECT_EQ(view.At(p.x, p.y).label,
                      expected >= 0 ? std::string(CandidateLabel(expected)) : std::string(kUnlabelledMark));
        }
    }
}

TEST_F(Fjsk, AListReadOnlyInPartRefusesLinksUntilItIsReadWhole) {
    Write(Concat({Placeholder(), MoveBytes(4, 4, 0, 2), MoveBytes(16, 4, 0, 3), MoveBytes(16, 16)}));
    auto store = std::make_unique<TFaultyRecordStore>(
        std::make_unique<TRecordFile>(file, TRecordFile::Mode::ReadWriteCreate));
    TFaultyRecordStore* faulty = store.get();
    dict.Attach(std::move(store));
    faulty->Arm(0, 3);  // the third record of the chain
    EXPECT_THROW(dict.LoadList(1), EInOutError);
    ASSERT_EQ(dict.Count(), 2);
    EXPECT_FALSE(dict.ListComplete());
    const TBytes before = Bytes();
    EXPECT_THROW(dict.AddMove(10, 10), EVxloError);
    EXPECT_THROW(dict.UnlinkMove(16, 4, 0), EVxloError);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(board.PointState(10, 10), Empty);
    dict.CycleColor(4, 4);  // rewrites only its own record: allowed
    EXPECT_EQ(dict.LoadList(1), 3);
    EXPECT_TRUE(dict.ListComplete());
    dict.AddMove(10, 10);
    EXPECT_EQ(dict.Count(), 4);
}

}  // namespace
}  // namespace vxlo::testing
