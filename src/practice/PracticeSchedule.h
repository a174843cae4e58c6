#pragma once
// The schedule of one user-decision position: how often it was answered
// right in a row, how often missed, and when it is asked again. Days are
// counted from 1970-01-01 in the user's calendar and stored as "YYYY-MM-DD".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vxlo {

struct TPracticeCard {
    int rec = 0;               // record of the position the user answers (0: empty board)
    int reps = 0;              // correct first answers since the last miss
    int lapses = 0;            // misses ever
    double intervalDays = 0;   // days from the last answer to the next
    int due = 0;               // day number on which it is asked again
    friend bool operator==(const TPracticeCard&, const TPracticeCard&) = default;
};

// A card from the values a store holds, which any program may have written:
// counts below zero read as zero and above kMaxCardCount as that bound, an
// interval that is no number or negative as none and past ten years as ten
// years, so that grading never overflows whatever the row held.
inline constexpr std::int64_t kMaxCardCount = 1'000'000;
TPracticeCard StoredCard(int rec, std::int64_t reps, std::int64_t lapses, double intervalDays, int due);

// Day number of a date text "YYYY-MM-DD"; nothing for any other text or an
// impossible date.
std::optional<int> ParseDay(std::string_view text);
std::string DayText(int day);

// Today in the user's local calendar; tests give fixed days.
class IPracticeClock {
public:
    virtual ~IPracticeClock() = default;
    virtual int Today() const = 0;
};
class TSystemPracticeClock final : public IPracticeClock {
public:
    int Today() const override;
};

// A position never answered is due at once; so is one whose stored date
// could not be read.
bool IsDue(const std::optional<TPracticeCard>& card, int today);

// The SM-2-like rule. A correct first answer grows the interval: one day,
// then six, then by a factor that starts at 2.5 and drops 0.2 per lapse (never
// below 1.3), capped at ten years. A miss counts a lapse and asks again today.
TPracticeCard GradeCorrect(TPracticeCard card, int today);
TPracticeCard GradeMiss(TPracticeCard card, int today);

}  // namespace vxlo
