#include "settings/SettingsKeys.h"

#include <array>
#include <limits>
#include <stdexcept>

#include "core/Text.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {

using K = TSettingKey::EKind;
constexpr int kAny = std::numeric_limits<int>::min();
constexpr int kAnyMax = std::numeric_limits<int>::max();
constexpr int kColourMax = 0xFFFFFF;

// The seed's keys first, in the order the seed's window writes them.
constexpr std::array kKeys = {
    TSettingKey{"Form", "Left", K::Integer, "0", kAny, kAnyMax, "left edge of the main window"},
    TSettingKey{"Form", "Top", K::Integer, "0", kAny, kAnyMax, "top edge of the main window"},
    TSettingKey{"Form", "Width", K::Integer, "-1", kAny, kAnyMax, "outer width; -1 asks for the default client size"},
    TSettingKey{"Form", "Height", K::Integer, "-1", kAny, kAnyMax, "outer height; -1 asks for the default client size"},
    TSettingKey{"Form", "File", K::Text, "", 0, 0, "the dictionary open at the last close"},
    TSettingKey{"Form", "File1", K::Text, "", 0, 0, "recent file 1 (the newest)"},
    TSettingKey{"Form", "File2", K::Text, "", 0, 0, "recent file 2"},
    TSettingKey{"Form", "File3", K::Text, "", 0, 0, "recent file 3"},
    TSettingKey{"Form", "File4", K::Text, "", 0, 0, "recent file 4"},
    TSettingKey{"Form", "Language", K::Text, "auto", 0, 0, "auto (or 0), ja (1) or en (2), taken at the next start"},
    TSettingKey{"Form", "Docks", K::Text, "", 0, 0, "where the panels are docked (Qt's saved state, base64)"},
    TSettingKey{"Mode", "入力", K::Mode, "-1", 0, 0, "0 display, 1 recording"},
    TSettingKey{"Mode", "選択肢", K::Mode, "-1", 0, 0, "0 all candidates labelled, 1 none"},
    TSettingKey{"Mode", "進行", K::Mode, "-1", 0, 0, "0 to the branch, 1 one move"},
    TSettingKey{"Mode", "DB", K::Mode, "-1", 0, 0, "1 uses comments (the companion database)"},
    TSettingKey{"Mode", "マーク", K::Integer, "1", kAny, kAnyMax, "0 hides the board markup"},
    TSettingKey{"Goban", "BanColor", K::Colour, "32896", 0, kColourMax, "board colour (0xBBGGRR)"},
    TSettingKey{"Goban", "KuroIsiColor", K::Colour, "0", 0, kColourMax, "black stones' colour"},
    TSettingKey{"Goban", "SiroIsiColor", K::Colour, "16777215", 0, kColourMax, "white stones' colour"},
    TSettingKey{"Goban", "Coordinates", K::Flag, "0", 0, 1, "coordinates A-T and 1-19 around the board"},
    TSettingKey{"Goban", "Scalable", K::Flag, "0", 0, 1, "the board follows the window's size"},
    TSettingKey{"FormComment", "Left", K::Integer, "0", kAny, kAnyMax, "comment window, when floating"},
    TSettingKey{"FormComment", "Top", K::Integer, "0", kAny, kAnyMax, "comment window, when floating"},
    TSettingKey{"FormComment", "Width", K::Integer, "0", kAny, kAnyMax, "comment window; 0 its own size"},
    TSettingKey{"FormComment", "Height", K::Integer, "0", kAny, kAnyMax, "comment window; 0 its own size"},
    TSettingKey{"FormComment", "FontName", K::Text, "ＭＳ Ｐゴシック", 0, 0, "comment text font"},
    TSettingKey{"FormComment", "FontSize", K::Integer, "9", 1, kAnyMax, "comment text size in points"},
    TSettingKey{"FormComment", "FontColor", K::Integer, "-2147483640", kAny, kAnyMax, "comment text colour (0xBBGGRR; negative: a system colour)"},
    TSettingKey{"GridForm", "Left", K::Integer, "0", kAny, kAnyMax, "record grid window"},
    TSettingKey{"GridForm", "Top", K::Integer, "0", kAny, kAnyMax, "record grid window"},
    TSettingKey{"Practice", "Color", K::Integer, "1", 1, 3, "1 Black, 2 White, 3 alternate by line"},
    TSettingKey{"Practice", "Correct", K::Text, "0,2,3,4", 0, 0, "label colours that count as correct (0 black .. 4 green)"},
    TSettingKey{"Label", "Name0", K::Text, "", 0, 0, "name of the black label colour; empty: 定石 / joseki"},
    TSettingKey{"Label", "Name1", K::Text, "", 0, 0, "red; empty: 悪手 / mistake"},
    TSettingKey{"Label", "Name2", K::Text, "", 0, 0, "blue; empty: 変化 / variation"},
    TSettingKey{"Label", "Name3", K::Text, "", 0, 0, "yellow; empty: はめ手 / trick"},
    TSettingKey{"Label", "Name4", K::Text, "", 0, 0, "green; empty: 研究 / question"},
    TSettingKey{"Engine", "Command", K::Text, "", 0, 0, "the analysis engine's program and arguments"},
    TSettingKey{"Engine", "Visits", K::Integer, "200", 1, 1000000, "visits per position"},
    TSettingKey{"Engine", "Rules", K::Text, "japanese", 0, 0, "rules as the engine names them"},
    TSettingKey{"Engine", "Komi", K::Number, "6.5", 0, 0, "-150..150 in half points"},
    TSettingKey{"Engine", "Good", K::Number, "0.5", 0, 0, "points lost below which a candidate is green"},
    TSettingKey{"Engine", "Doubtful", K::Number, "1.5", 0, 0, "below which yellow, else red"},
};

std::string_view KindName(K kind) {
    switch (kind) {
    case K::Integer: return "integer";
    case K::Flag: return "0 or 1";
    case K::Colour: return "colour";
    case K::Text: return "text";
    case K::Number: return "number";
    case K::Mode: return "mode";
    }
    return "";
}

}  // namespace

int TSettingKey::DefaultInteger() const {
    return defaultText.empty() ? 0 : StrToInt(std::string(defaultText));
}

std::span<const TSettingKey> SettingKeys() { return kKeys; }

const TSettingKey& SettingKey(std::string_view section, std::string_view key) {
    for (const TSettingKey& k : kKeys)
        if (EqualsIgnoringAsciiCase(k.section, section) && EqualsIgnoringAsciiCase(k.key, key)) return k;
    throw std::logic_error("settings key not in the table: [" + std::string(section) + "] " +
                           std::string(key));
}

int ReadSetting(const TIniFile& ini, std::string_view section, std::string_view key) {
    const TSettingKey& k = SettingKey(section, key);
    if (k.kind == K::Text || k.kind == K::Number)
        throw std::logic_error("not an integer setting: " + std::string(key));
    const int fallback = k.DefaultInteger();
    const int value = ini.ReadInteger(k.section, k.key, fallback);
    // A flag is true for any positive number, as the seed read it.
    if (k.kind == K::Flag) return value > 0 ? 1 : 0;
    if (k.kind == K::Mode) return value;
    return value < k.min || value > k.max ? fallback : value;
}

std::string ReadSettingText(const TIniFile& ini, std::string_view section, std::string_view key) {
    const TSettingKey& k = SettingKey(section, key);
    return ini.ReadString(k.section, k.key, k.defaultText);
}

std::string SettingKeysMarkdown() {
    std::string out = "| section | key | kind | default | meaning |\n| --- | --- | --- | --- | --- |\n";
    for (const TSettingKey& k : kKeys) {
        std::string kind(KindName(k.kind));
        if (k.kind == K::Integer && (k.min != kAny || k.max != kAnyMax))
            kind += " " + (k.min == kAny ? std::string("..") : std::to_string(k.min) + "..") + std::to_string(k.max);
        out += "| `[" + std::string(k.section) + "]` | `" + std::string(k.key) + "` | " + kind + " | " +
               (k.defaultText.empty() ? std::string("(none)") : "`" + std::string(k.defaultText) + "`") +
               " | " + std::string(k.meaning) + " |\n";
    }
    return out;
}

}  // namespace vxlo
