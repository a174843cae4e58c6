#include "companion/ContinuationTable.h"

#include <gtest/gtest.h>

#include "import/ImportFixture.h"
#include "practice/Evidence.h"

namespace vxlo::testing {
namespace {

class ContinuationTableTest : public TImportTest {};

TEST_F(ContinuationTableTest, MostPlayedFirstWithShareAndWinRateOfTheSideToMove) {
    // Three candidates at the root (records 1, 2, 3 in chain order).
    for (TPoint p : {TPoint{16, 4}, TPoint{17, 3}, TPoint{17, 4}}) ASSERT_TRUE(nav.Deside(p.x, p.y));
    TEvidenceStore evidence(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadWrite));
    for (int i = 0; i < 3; ++i) evidence.Count(3, EStarterResult::Won, 2001);
    evidence.Count(3, EStarterResult::Lost, 2001);
    evidence.Count(1, EStarterResult::Unknown, 0);
    evidence.Flush();

    const auto black = ContinuationRows(nav.Dictionary(), Black, evidence);
    ASSERT_EQ(black.size(), 3u);
    EXPECT_EQ(black[0].record, 3);
    EXPECT_EQ(black[0].label, "は");
    EXPECT_EQ(black[0].games, 4);
    EXPECT_DOUBLE_EQ(black[0].share, 0.8);
    EXPECT_DOUBLE_EQ(*black[0].winRate, 0.75);
    EXPECT_EQ(black[1].record, 1);
    EXPECT_FALSE(black[1].winRate.has_value());  // no result known
    EXPECT_EQ(black[2].record, 2);               // no games: last, share 0
    EXPECT_DOUBLE_EQ(black[2].share, 0.0);

    // White to move wins where the starter lost.
    EXPECT_DOUBLE_EQ(*ContinuationRows(nav.Dictionary(), White, evidence)[0].winRate, 0.25);
}

// Practice weighs the program's choice by the same counts.
TEST_F(ContinuationTableTest, PracticeReadsTheGameCountsOfTheStore) {
    TEvidenceStore store(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadWrite));
    store.Count(5, EStarterResult::Won, 1990);
    store.Count(5, EStarterResult::Lost, 1991);
    store.Flush();
    const TStoredEvidence evidence(store);
    EXPECT_EQ(evidence.GameCount(5), 2);
    EXPECT_EQ(evidence.GameCount(6), std::nullopt);
}

}  // namespace
}  // namespace vxlo::testing
