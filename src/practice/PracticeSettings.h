#pragma once
// What the user practises: the colour played and which label colours count as
// correct answers. Kept in the section [Practice] of VXLO.INI:
//   Color=1 (Black), 2 (White) or 3 (alternate by line)
//   Correct=0,2,3,4 (label colours: 0 black, 1 red, 2 blue, 3 yellow, 4 green)
#include <array>

#include "settings/IniFile.h"

namespace vxlo {

enum class EPracticeColor : int { Black = 1, White = 2, Alternate = 3 };

constexpr int kLabelColorCount = 5;

struct TPracticeSettings {
    EPracticeColor color = EPracticeColor::Black;
    // By label colour; red is off because many users mark mistakes red.
    std::array<bool, kLabelColorCount> correct = {true, false, true, true, true};

    // A colour outside 0..4 (a hand-edited file) never counts.
    bool CountsAsCorrect(int labelColor) const;
    friend bool operator==(const TPracticeSettings&, const TPracticeSettings&) = default;
};

// Unreadable values fall back to the defaults, one key at a time.
TPracticeSettings ReadPracticeSettings(const TIniFile& ini);
void WritePracticeSettings(TIniFile& ini, const TPracticeSettings& settings);

}  // namespace vxlo
