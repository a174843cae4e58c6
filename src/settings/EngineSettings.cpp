#include "settings/EngineSettings.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace vxlo {

namespace {

constexpr const char* kSection = "Engine";
constexpr double kMaxKomi = 150.0;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// A decimal number whatever the process's locale (the window's may write
// "6,5").
std::optional<double> Number(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string NumberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

bool RulesName(std::string_view text) {
    if (text.empty() || text.size() > 64) return false;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_';
        if (!plain) return false;
    }
    return true;
}

double ReadNumber(const TIniFile& ini, const char* key, double fallback) {
    return Number(ini.ReadString(kSection, key, "")).value_or(fallback);
}

}  // namespace

ELossBand LossBand(double pointsLost, const TEngineIniSettings& settings) {
    if (pointsLost < settings.goodLoss) return ELossBand::Good;
    if (pointsLost < settings.doubtfulLoss) return ELossBand::Doubtful;
    return ELossBand::Bad;
}

TEngineIniSettings ReadEngineSettings(const TIniFile& ini) {
    TEngineIniSettings s;
    s.command = std::string(Trimmed(ini.ReadString(kSection, "Command", "")));
    const int visits = ini.ReadInteger(kSection, "Visits", s.visits);
    if (visits >= 1 && visits <= kMaxEngineVisits) s.visits = visits;
    const std::string rules(Trimmed(ini.ReadString(kSection, "Rules", s.rules)));
    if (RulesName(rules)) s.rules = rules;
    // Engines take komi in half points only.
    const double komi = ReadNumber(ini, "Komi", s.komi);
    if (std::abs(komi) <= kMaxKomi && komi * 2 == std::round(komi * 2)) s.komi = komi;
    const double good = ReadNumber(ini, "Good", s.goodLoss);
    const double doubtful = ReadNumber(ini, "Doubtful", s.doubtfulLoss);
    // The limits go together: one alone out of order would leave a band empty or upside down.
    if (good > 0 && doubtful >= good && doubtful <= kMaxKomi) {
        s.goodLoss = good;
        s.doubtfulLoss = doubtful;
    }
    return s;
}

void WriteEngineSettings(TIniFile& ini, const TEngineIniSettings& s) {
    ini.WriteString(kSection, "Command", s.command);
    ini.WriteInteger(kSection, "Visits", s.visits);
    ini.WriteString(kSection, "Rules", s.rules);
    ini.WriteString(kSection, "Komi", NumberText(s.komi));
    ini.WriteString(kSection, "Good", NumberText(s.goodLoss));
    ini.WriteString(kSection, "Doubtful", NumberText(s.doubtfulLoss));
}

}  // namespace vxlo
