#include "practice/PracticeSettings.h"

#include <string>

namespace vxlo {

namespace {
constexpr const char* kSection = "Practice";
constexpr const char* kColorKey = "Color";
constexpr const char* kCorrectKey = "Correct";
}  // namespace

bool TPracticeSettings::CountsAsCorrect(int labelColor) const {
    return labelColor >= 0 && labelColor < kLabelColorCount &&
           correct[static_cast<std::size_t>(labelColor)];
}

TPracticeSettings ReadPracticeSettings(const TIniFile& ini) {
    TPracticeSettings settings;
    const int color = ini.ReadInteger(kSection, kColorKey, static_cast<int>(settings.color));
    if (color >= 1 && color <= 3) settings.color = static_cast<EPracticeColor>(color);

    const std::string list = ini.ReadString(kSection, kCorrectKey, "");
    std::array<bool, kLabelColorCount> correct{};
    bool valid = !list.empty();
    bool expectDigit = true;
    for (const char c : list) {
        if (c == ' ') continue;
        if (expectDigit && c >= '0' && c < '0' + kLabelColorCount) {
            correct[static_cast<std::size_t>(c - '0')] = true;
            expectDigit = false;
        } else if (!expectDigit && c == ',') {
            expectDigit = true;
        } else {
            valid = false;
            break;
        }
    }
    // "Correct=" with no colour would make every answer a miss: the default wins.
    if (valid && !expectDigit) settings.correct = correct;
    return settings;
}

void WritePracticeSettings(TIniFile& ini, const TPracticeSettings& settings) {
    ini.WriteInteger(kSection, kColorKey, static_cast<int>(settings.color));
    std::string list;
    for (int c = 0; c < kLabelColorCount; ++c) {
        if (!settings.CountsAsCorrect(c)) continue;
        if (!list.empty()) list += ',';
        list += static_cast<char>('0' + c);
    }
    ini.WriteString(kSection, kCorrectKey, list);
}

}  // namespace vxlo
