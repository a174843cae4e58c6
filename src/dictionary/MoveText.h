#pragma once
// The one text form of a move in every move list the program prints or
// reads: "x,y" for a board point (1..19 each), "pass" for a tenuki, which the
// file keeps as a record with X = 0 and Y = 0.
#include <optional>
#include <string>
#include <string_view>

#include "board/Goban.h"

namespace vxlo {

inline constexpr const char* kPassText = "pass";


std::string FormatMove(int x, int y);
inline std::string FormatMove(TPoint p) { return FormatMove(p.x, p.y); }

// "x,y" or "pass" (case ignored, no blanks); nothing for any other text,
// a point off the board included. A tenuki comes back as (0, 0).
std::optional<TPoint> ParseMove(std::string_view text);

}  // namespace vxlo
