#pragma once
// What the commands of finding one's way in a dictionary (path, search,
// find, corner) share: the dictionary's index and moves as they are shown.
#include <string>
#include <vector>

#include "board/Goban.h"
#include "cli/Json.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

// The moves as a JSON array of "x,y" and "pass".
TJson JsonMoves(const std::vector<TPoint>& moves);

// The moves on one line, "(empty board)" for none.
std::string PlainMoves(const std::vector<TPoint>& moves);

// The index of the dictionary, read without a lock: a dictionary open in the
// window can be asked too.
TTreeIndex IndexOf(const std::string& dictionary, TTreeIndex::EContent content);

// The moves among operands from first on; one that is not a move is a usage error.
std::vector<TPoint> MovesOperands(const std::vector<std::string>& operands, std::size_t first);

}  // namespace vxlo
