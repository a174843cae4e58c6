#pragma once
// The names of the five candidate label colours (0 black, 1 red, 2 blue,
// 3 yellow, 4 green), kept in VXLO.INI as [Label] Name0..Name4. An empty or
// missing key stands for the default of the language shown, so a change of
// language changes it too; a name the user set is kept as typed.
#include <array>
#include <string>

#include "core/Message.h"
#include "settings/IniFile.h"

namespace vxlo {

inline constexpr int kLabelNameCount = 5;
inline constexpr const char* kLabelSection = "Label";

// The default name of a colour, its Japanese source text (marked for the
// catalogue); the black one for a colour outside 0..4.
const char* DefaultLabelName(int color);

struct TLabelNames {
    // What the user set, "" where the default applies.
    std::array<std::string, kLabelNameCount> set;

    // The name as the user reads it: the one set, or the default translated.
    TMessage Name(int color) const;
    std::string Text(int color, const ITranslator* translator) const { return Name(color).Text(translator); }
    std::array<std::string, kLabelNameCount> Texts(const ITranslator* translator) const;
    friend bool operator==(const TLabelNames&, const TLabelNames&) = default;
};

TLabelNames ReadLabelNames(const TIniFile& ini);
// Line breaks in a name become blanks: a key holds one line. EInOutError
// (naming the file) when it cannot be written.
void WriteLabelNames(TIniFile& ini, const TLabelNames& names);

}  // namespace vxlo
