#pragma once
// The three modes of move entry. Their numbers are what VXLO.INI stores in
// section Mode, so they never change.
#include <optional>
#include <type_traits>

namespace vxlo {

// Display mode (表示モード) only follows known continuations; recording mode
// (登録モード) also adds a clicked empty point and cycles label colours.
enum class EInputMode : int { Display = 0, Record = 1 };
// To-branch (分岐まで) keeps stepping while there is exactly one
// continuation; one move (１手づつ) steps once.
enum class EProgressMode : int { ToBranch = 0, OneMove = 1 };
// Hidden labels leave the candidates marked and clickable.
enum class ELabelMode : int { Shown = 0, Hidden = 1 };

template <class T>
concept NavigationMode = std::is_same_v<T, EInputMode> || std::is_same_v<T, EProgressMode> ||
                         std::is_same_v<T, ELabelMode>;

// The number VXLO.INI stores for a mode.
template <NavigationMode EMode>
constexpr int StoredMode(EMode mode) {
    return static_cast<int>(mode);
}

// The mode a stored number asks for; nullopt for −1 ("leave as is", also what
// a missing key reads as). The program only ever writes 0 and 1; any other
// number was always shown by the menus as the second mode (their captions
// test "≠ 0"), so it reads as that.
template <NavigationMode EMode>
constexpr std::optional<EMode> ModeFromStored(int stored) {
    if (stored == -1) return std::nullopt;
    return stored == 0 ? EMode{0} : EMode{1};
}

}  // namespace vxlo
