#pragma once
// A position from a game: the moves of a pasted SGF game or move list are
// replayed, and after each one the stones of every corner of the board are
// looked up among the dictionary's positions (the stones alone, in any
// orientation and either colour). This is how a player finds the joseki of
// the game in front of them.
#include <string>
#include <vector>

#include "board/Goban.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

// The main line of the first game of an SGF text (from "(;"), or else a move
// list: moves as "x,y" or "pass" between blanks. Points only: a game stops
// at its first pass, setup stones or board other than 19x19 are refused.
// EFileRefused naming sourceName for text that is neither.
std::vector<TPoint> ParseGameMoves(const std::string& text, const std::string& sourceName);
// The same for an SGF file (file errors as EInOutError).
std::vector<TPoint> ReadGameFile(const std::string& path);

struct TCornerMatch {
    TPositionMatch match;  // maps the corner's stones onto the record's
    int corner = 0;        // 0 (1,1)  1 (19,1)  2 (1,19)  3 (19,19)
    int stones = 0;        // stones in the corner then
    int moveNumber = 0;    // after this many moves of the game
};

// Replays moves 1..upTo (all when upTo is beyond them; an illegal move ends
// the game there). Each record once, best first: most stones, then the
// latest move, exact orientation, nearest the empty board.
std::vector<TCornerMatch> FindCorners(const TTreeIndex& index, const std::vector<TPoint>& moves,
                                      int upTo);

// The corner quarter of the board: the ten lines nearest a corner each way.
bool InCorner(int corner, int x, int y);

}  // namespace vxlo
