#pragma once
// Every key of VXLO.INI in one table: its section, its default and its
// range, so that the readers, the writers and the README's table of keys
// cannot drift apart. Keys are matched without regard to ASCII case, as the
// file does.
#include <span>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace vxlo {

struct TSettingKey {
    // A Mode key reads -1 (and a missing key) as "leave the mode as it is",
    // 0 as the first mode and any other number as the second.
    enum class EKind { Integer, Flag, Colour, Text, Number, Mode };
    std::string_view section;
    std::string_view key;
    EKind kind;
    // As written in the file; empty for a key that has no value until set.
    std::string_view defaultText;
    // Of Integer and Colour keys; a stored value outside gives the default.
    int min = 0;
    int max = 0;
    std::string_view meaning;  // one line for the README, in English

    int DefaultInteger() const;
};

std::span<const TSettingKey> SettingKeys();

// The row of section/key; std::logic_error for a key the table does not
// have, since that is a fault of the program, not of the file.
const TSettingKey& SettingKey(std::string_view section, std::string_view key);

// The stored value of an Integer, Flag, Colour or Mode key, or its default when
// missing, unreadable or out of range.
int ReadSetting(const TIniFile& ini, std::string_view section, std::string_view key);
// A Text key: the stored text, or the default when missing.
std::string ReadSettingText(const TIniFile& ini, std::string_view section, std::string_view key);

// The README's table: one Markdown row per key, in the table's order.
std::string SettingKeysMarkdown();

}  // namespace vxlo
