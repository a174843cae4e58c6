#pragma once
// The engine's names of the dictionary's moves. A dictionary point (x, y)
// counts x from the left and y from the top, 1..19; the engine names a point
// GTP-style by its column letter (A..T without I) and its row counted from
// the bottom, so (16, 4) is Q16 and (1, 19) is A1. A tenuki is a pass.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/Goban.h"
#include "core/Message.h"

namespace vxlo {

// "Q16" for (16, 4), "pass" for a tenuki; EVxloError for a point off the board.
std::string EngineMoveName(TPoint p);
// The point of an engine's move name (letters in either case, "pass" for a
// tenuki); nothing for any other text.
std::optional<TPoint> ParseEngineMove(std::string_view name);

// A dictionary line from the empty board as the engine's moves: Black first,
// colours alternating, a tenuki the pass of the side to move. EVxloError
// naming the move that cannot be played.
std::vector<std::pair<std::string, std::string>> EngineMoves(const std::vector<TPoint>& line);
// Black or White: who moves after the line.
int SideToMoveAfter(const std::vector<TPoint>& line);

// The position for messages: the line in the program's move text
// ("16,4 17,3 pass"), or the empty board.
TMessage PositionText(const std::vector<TPoint>& line);

}  // namespace vxlo
