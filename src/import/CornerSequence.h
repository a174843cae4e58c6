#pragma once
// Corner sequences of a game: the moves played in each 10×10 corner square,
// brought to the upper-right corner in one orientation and to Black first, so
// that the same joseki played anywhere on the board meets itself in the
// dictionary. Pure: no board, no file; legality is the caller's move entry.
//
// The rules, in the order they apply:
// - Squares are columns 1..10 or 10..19 by rows 1..10 or 10..19; a move on a
//   10th line lies in two squares, the centre point in all four.
// - A corner's sequence starts at its first move and ends at the end of the
//   game, when it holds the move limit (tenuki included), or once 12 moves
//   in a row went outside the square (a pass is outside every square); the
//   corner has then gone quiet and later moves there are middle game.
// - Two consecutive moves of one colour get a tenuki of the other between.
// - When White played first, colours are exchanged.
// - The square is mirrored onto the upper-right one (corner point (19, 1));
//   with dx = 20 − x and dy = y, the first move off the diagonal must have
//   dx < dy, else the whole sequence is reflected in the diagonal.
#include <vector>

#include "board/Goban.h"

namespace vxlo {

// A move of a game record; x = y = 0 is a pass.
struct TGameMove {
    int color = Black;
    int x = 0;
    int y = 0;
};

enum class ECorner : int { UpperLeft = 0, UpperRight = 1, LowerLeft = 2, LowerRight = 3 };

struct TCornerSequence {
    ECorner corner = ECorner::UpperRight;
    int firstMoveIndex = 0;   // index in the game of the corner's first move
    int starter = Black;      // who really played the corner's first move
    // The normalised line from the empty board, Black first; {0, 0} is tenuki.
    std::vector<TPoint> moves;
    // For each move of the line, the game's move number (1 for its first
    // move) of the last game move the line holds once it is entered: a
    // tenuki put between two moves of one colour has the earlier one's.
    std::vector<int> moveNumbers;
    // The symmetry (as Transform numbers it) that takes the game's points
    // onto the line's.
    int symmetry = 0;
};

constexpr int kDefaultCornerLimit = 30;
constexpr int kCornerQuietMoves = 12;

// Every corner's sequence of the game, ordered by their first moves in the
// game. limit ≥ 1 is the most moves (tenuki included) a sequence holds.
std::vector<TCornerSequence> ExtractCornerSequences(const std::vector<TGameMove>& game,
                                                    int limit = kDefaultCornerLimit);

// True when (x, y) lies in the corner's square.
bool InCornerSquare(ECorner corner, int x, int y);

}  // namespace vxlo
