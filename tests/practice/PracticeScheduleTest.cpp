// Dates, the SM-2-like rule and the practice settings.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>

#include "practice/PracticeSchedule.h"
#include "practice/PracticeSettings.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

TEST(PracticeDates, EveryDayOfTwoCenturiesRoundTripsThroughItsText) {
    const int from = *ParseDay("1950-01-01");
    const int to = *ParseDay("2150-12-31");
    EXPECT_EQ(from, -7305);
    EXPECT_EQ(*ParseDay("1970-01-01"), 0);
    EXPECT_EQ(DayText(20431), "2025-12-09");
    for (int day = from; day <= to; ++day) ASSERT_EQ(ParseDay(DayText(day)), day) << DayText(day);
    EXPECT_EQ(to - from + 1, 73414);
}

TEST(PracticeDates, TextsThatAreNoDateAreRefused) {
    for (const char* bad : {"", "2026-02-29", "2026-13-01", "2026-00-10", "2026-1-01", "2026/01/01",
                            "2026-01-01 ", "abcd-ef-gh", "2026-01-0x"})
        EXPECT_FALSE(ParseDay(bad).has_value()) << bad;
    EXPECT_TRUE(ParseDay("2024-02-29").has_value());
}

TEST(PracticeSchedule, CorrectAnswersGrowTheIntervalAndAMissResetsIt) {
    const int today = 1000;
    TPracticeCard card{7, 0, 0, 0, 0};
    std::vector<double> intervals;
    std::vector<int> dues;
    for (int i = 0; i < 4; ++i) {
        card = GradeCorrect(card, today);
        intervals.push_back(card.intervalDays);
        dues.push_back(card.due);
    }
    EXPECT_EQ(intervals, (std::vector<double>{1, 6, 15, 37.5}));
    EXPECT_EQ(dues, (std::vector<int>{1001, 1006, 1015, 1038}));
    EXPECT_EQ(card.reps, 4);

    card = GradeMiss(card, today);
    EXPECT_EQ(card, (TPracticeCard{7, 0, 1, 0, 1000}));
    // After a lapse the interval starts again and grows more slowly.
    card = GradeCorrect(GradeCorrect(GradeCorrect(card, today), today), today);
    EXPECT_EQ(card.reps, 3);
    EXPECT_DOUBLE_EQ(card.intervalDays, 6 * 2.3);
    EXPECT_EQ(card.due, 1014);
}

TEST(PracticeSchedule, TheFactorNeverDropsBelowItsFloorNorTheIntervalPastTenYears) {
    TPracticeCard card{1, 2, 9, 6, 0};
    EXPECT_DOUBLE_EQ(GradeCorrect(card, 0).intervalDays, 6 * 1.3);
    card = {1, 2, 0, 6, 0};
    for (int i = 0; i < 20; ++i) card = GradeCorrect(card, 0);
    EXPECT_DOUBLE_EQ(card.intervalDays, 3650);
    EXPECT_EQ(card.due, 3650);
    // A row damaged to a zero interval still grows.
    EXPECT_DOUBLE_EQ(GradeCorrect({1, 5, 0, 0, 0}, 0).intervalDays, 2.5);
}

TEST(PracticeSchedule, NewAndOverduePositionsAreDue) {
    EXPECT_TRUE(IsDue(std::nullopt, 50));
    EXPECT_TRUE(IsDue(TPracticeCard{1, 1, 0, 1, 50}, 50));
    EXPECT_TRUE(IsDue(TPracticeCard{1, 1, 0, 1, 49}, 50));
    EXPECT_FALSE(IsDue(TPracticeCard{1, 1, 0, 1, 51}, 50));
}

TEST(PracticeSettingsFile, DefaultsRoundTripAndUnreadableValuesFallBackOneKeyAtATime) {
    testing::TTempDir dir;
    TIniFile ini(dir / "VXLO.INI");
    const TPracticeSettings defaults;
    EXPECT_EQ(ReadPracticeSettings(ini), defaults);
    EXPECT_FALSE(defaults.CountsAsCorrect(1));
    EXPECT_TRUE(defaults.CountsAsCorrect(0));
    EXPECT_FALSE(defaults.CountsAsCorrect(5));
    EXPECT_FALSE(defaults.CountsAsCorrect(-1));

    TPracticeSettings custom;
    custom.color = EPracticeColor::Alternate;
    custom.correct = {false, true, false, false, true};
    WritePracticeSettings(ini, custom);
    EXPECT_EQ(ReadPracticeSettings(ini), custom);
    EXPECT_EQ(ini.ReadString("Practice", "Correct", ""), "1,4");

    for (const char* bad : {"", "1,,4", "1,9", "red", "1,"}) {
        ini.WriteString("Practice", "Correct", bad);
        ini.WriteInteger("Practice", "Color", 7);
        EXPECT_EQ(ReadPracticeSettings(ini), defaults) << bad;
    }
    ini.WriteString("Practice", "Correct", " 0 , 2 ");
    ini.WriteInteger("Practice", "Color", 2);
    const TPracticeSettings read = ReadPracticeSettings(ini);
    EXPECT_EQ(read.color, EPracticeColor::White);
    EXPECT_EQ(read.correct, (std::array<bool, 5>{true, false, true, false, false}));
}

}  // namespace
}  // namespace vxlo
