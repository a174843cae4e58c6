#include "practice/PracticeSchedule.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace vxlo {

namespace {
constexpr double kFirstInterval = 1;
constexpr double kSecondInterval = 6;
constexpr double kStartFactor = 2.5;
constexpr double kFactorDropPerLapse = 0.2;
constexpr double kMinFactor = 1.3;
constexpr double kMaxInterval = 3650;

int DayOf(int year, unsigned month, unsigned day) {
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{day}};
    return static_cast<int>(std::chrono::sys_days{date}.time_since_epoch().count());
}
}  // namespace

TPracticeCard StoredCard(int rec, std::int64_t reps, std::int64_t lapses, double intervalDays, int due) {
    TPracticeCard card;
    card.rec = rec;
    card.reps = static_cast<int>(std::clamp<std::int64_t>(reps, 0, kMaxCardCount));
    card.lapses = static_cast<int>(std::clamp<std::int64_t>(lapses, 0, kMaxCardCount));
    card.intervalDays = std::isnan(intervalDays) ? 0 : std::clamp(intervalDays, 0.0, kMaxInterval);
    card.due = due;
    return card;
}

std::optional<int> ParseDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int fields[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f) {
        for (std::size_t i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            fields[f] = fields[f] * 10 + (text[i] - '0');
        }
    }
    const std::chrono::year_month_day date{std::chrono::year{fields[0]},
                                           std::chrono::month{static_cast<unsigned>(fields[1])},
                                           std::chrono::day{static_cast<unsigned>(fields[2])}};
    if (!date.ok()) return std::nullopt;
    return DayOf(fields[0], static_cast<unsigned>(fields[1]), static_cast<unsigned>(fields[2]));
}

std::string DayText(int day) {
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

int TSystemPracticeClock::Today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayOf(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                 static_cast<unsigned>(local.tm_mday));
}

bool IsDue(const std::optional<TPracticeCard>& card, int today) {
    return !card || card->due <= today;
}

TPracticeCard GradeCorrect(TPracticeCard card, int today) {
    ++card.reps;
    if (card.reps == 1) {
        card.intervalDays = kFirstInterval;
    } else if (card.reps == 2) {
        card.intervalDays = kSecondInterval;
    } else {
        const double factor = std::max(kMinFactor, kStartFactor - kFactorDropPerLapse * card.lapses);
        card.intervalDays = std::max(card.intervalDays, kFirstInterval) * factor;
    }
    card.intervalDays = std::min(card.intervalDays, kMaxInterval);
    card.due = today + static_cast<int>(std::lround(card.intervalDays));
    return card;
}

TPracticeCard GradeMiss(TPracticeCard card, int today) {
    card.reps = 0;
    ++card.lapses;
    card.intervalDays = 0;
    card.due = today;
    return card;
}

}  // namespace vxlo
