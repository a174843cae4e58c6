#include <gtest/gtest.h>

#include <algorithm>

#include "dictionary/Check.h"

namespace vxlo {
namespace {

// Builds a store from records given as {X, Y, Next, More}; record 0 first.
struct TRec {
    int x, y, next, more, aux = 100;
};

TMemoryRecordStore Store(std::initializer_list<TRec> records) {
    TMemoryRecordStore store;
    std::int64_t n = 0;
    for (const TRec& r : records) {
        TJskRecord rec{static_cast<std::uint8_t>(r.x), static_cast<std::uint8_t>(r.y), 0,
                       static_cast<std::uint8_t>(r.aux), r.next, r.more};
        store.Write(n++, EncodeRecord(rec));
    }
    return store;
}

int CountOf(const TCheckReport& report, TCheckFinding::Kind kind) {
    return static_cast<int>(std::count_if(report.findings.begin(), report.findings.end(),
                                          [kind](const TCheckFinding& f) { return f.kind == kind; }));
}

TEST(CheckDictionary, SoundTreeHasNoFindings) {
    // (16,4) with replies (17,3) and (16,3); second root move (4,4).
    auto store = Store({{0, 0, 0, 0, 0}, {16, 4, 3, 2}, {4, 4, 0, 0}, {17, 3, 0, 4}, {16, 3, 0, 0}});
    const TCheckReport report = CheckDictionary(store);
    EXPECT_TRUE(report.Sound());
    EXPECT_EQ(report.records, 5);
    EXPECT_EQ(report.reachable, 4);
    EXPECT_EQ(report.unreachable, 0);
}

TEST(CheckDictionary, EmptyFilesAreSound) {
    TMemoryRecordStore empty;
    EXPECT_TRUE(CheckDictionary(empty).Sound());
    auto placeholder = Store({{0, 0, 0, 0, 0}});
    EXPECT_TRUE(CheckDictionary(placeholder).Sound());
}

TEST(CheckDictionary, FindsLoopsAndLinksPastTheEnd) {
    auto loop = Store({{0, 0, 0, 0, 0}, {16, 4, 0, 2}, {4, 4, 0, 1}});
    const TCheckReport looped = CheckDictionary(loop);
    EXPECT_EQ(CountOf(looped, TCheckFinding::Kind::ReachedTwice), 1);

    auto pastEnd = Store({{0, 0, 0, 0, 0}, {16, 4, 9, 7}});
    const TCheckReport report = CheckDictionary(pastEnd);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::LinkPastEnd), 2);
    EXPECT_FALSE(report.Sound());
}

TEST(CheckDictionary, FindsBadPointsAndIllegalMoves) {
    // Root (16,4); its reply is the same point (occupied); a second root move
    // off the board; a third root move repeating (16,4) in the chain.
    auto store = Store({{0, 0, 0, 0, 0}, {16, 4, 2, 3}, {16, 4, 0, 0}, {0, 25, 0, 4}, {16, 4, 0, 0}});
    const TCheckReport report = CheckDictionary(store);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::IllegalMove), 1);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::PointOutside), 1);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::PointTwice), 1);
    EXPECT_NE(report.findings.front().text.find("record"), std::string::npos);
}

TEST(CheckDictionary, AcceptsTenukiOnceAChainAndStillFlagsTheRestOfTheFrame) {
    // Root (16,4) then tenuki then White (4,16); tenuki also as a second root
    // move. Both sides playing elsewhere is a position like any other.
    auto sound = Store({{0, 0, 0, 0, 0}, {16, 4, 2, 3}, {0, 0, 4, 0}, {0, 0, 5, 0}, {4, 16, 0, 0},
                        {0, 0, 6, 0}, {16, 4, 0, 0}});
    const TCheckReport ok = CheckDictionary(sound);
    EXPECT_TRUE(ok.Sound()) << (ok.findings.empty() ? "" : ok.findings.front().text);
    EXPECT_EQ(ok.reachable, 6);

    // Tenuki twice in one chain; (0, 5) and (20, 20) are frame, not tenuki.
    auto bad = Store({{0, 0, 0, 0, 0}, {0, 0, 0, 2}, {0, 0, 0, 3}, {0, 5, 0, 4}, {20, 20, 0, 0}});
    const TCheckReport report = CheckDictionary(bad);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::PointTwice), 1);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::PointOutside), 2);
    EXPECT_EQ(CountOf(report, TCheckFinding::Kind::IllegalMove), 0);
}

TEST(CheckDictionary, CountsUnreachableRecordsAndFollowsTheRootRole) {
    // Record 0 carries the root role: the root chain starts at record 2, so
    // record 1 (a deleted first move) is unreachable.
    auto store = Store({{0, 0, 2, 0, 1}, {16, 4, 0, 2}, {4, 4, 0, 0}});
    const TCheckReport report = CheckDictionary(store);
    EXPECT_TRUE(report.Sound());
    EXPECT_EQ(report.reachable, 1);
    EXPECT_EQ(report.unreachable, 1);
}

TEST(CheckDictionary, NotesChainsOverThirtyAlternativesWithoutCallingThemDamage) {
    TMemoryRecordStore store;
    store.Write(0, EncodeRecord({}));
    for (int i = 1; i <= 32; ++i) {
        TJskRecord r{static_cast<std::uint8_t>((i - 1) % 19 + 1), static_cast<std::uint8_t>((i - 1) / 19 + 1),
                     0, 100, 0, i < 32 ? i + 1 : 0};
        store.Write(i, EncodeRecord(r));
    }
    const TCheckReport report = CheckDictionary(store);
    EXPECT_TRUE(report.Sound());
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].kind, TCheckFinding::Kind::LongChain);
    EXPECT_EQ(report.notes[0].record, 1);
    EXPECT_EQ(report.reachable, 32);
}

}  // namespace
}  // namespace vxlo
