#pragma once
// TPositionReview: what the engine thinks of one dictionary position, all
// from the side to move's view. Each candidate of the dictionary gets the
// points it loses against the engine's best move, by the score lead after
// the move: from the position's own answer when the engine searched it
// there, else from an answer on the position after it. The engine's best
// moves that the dictionary lacks are its missing moves; a move that is the
// mirror image of a candidate (or of a missing move already named) on a
// position that looks the same mirrored is not missing.
//
// A tenuki candidate plays elsewhere, not a pass: it is worth the engine's
// best move outside the corner's square (the 10x10 square of the corner
// that holds most of the line's stones). When the position's answer names
// no such move, the position is asked again with the square forbidden for
// the first move. While the dictionary lists tenuki, the engine's moves
// outside the square are that tenuki and never missing. Points lost are
// never below 0: a candidate ahead of the engine's best by score is as good.
#include <optional>
#include <utility>
#include <vector>

#include "board/Goban.h"
#include "engine/EngineAnswer.h"

namespace vxlo {

class TEngineClient;

struct TMoveFigure {
    TPoint move;           // kTenuki for a pass
    double loss = 0;       // points behind the best move, at least 0
    int visits = 0;        // behind the figure
    bool followUp = false; // read from the answer on the position after the move
};

struct TPositionReview {
    std::vector<TPoint> line;
    double scoreLead = 0;  // of the side to move
    double winrate = 0;    // its chance, 0..1
    int visits = 0;
    std::optional<TPoint> best;           // none when the engine named no move
    std::vector<TMoveFigure> candidates;  // in the order asked
    std::vector<TMoveFigure> missing;     // best first, at most kMissingMoves
};

inline constexpr int kMissingMoves = 3;
inline constexpr int kCornerSquare = 10;

// The corner of the line's position, numbered as the corner search does:
// 0 (1,1), 1 (19,1), 2 (1,19), 3 (19,19). The one with most of the line's
// stones; on a tie the upper right (1), where lines are usually kept, then
// the lower number.
int CornerOfLine(const std::vector<TPoint>& line);
// Whether p is a point of the corner's 10x10 square (a tenuki is not).
bool InCornerSquare(int corner, TPoint p);
// Every point of the corner's square.
std::vector<TPoint> CornerSquarePoints(int corner);

// The candidates that the answer on the position after line gives no
// figure for, neither for them nor for their mirror image; a tenuki when
// the answer names no move outside the corner's square.
std::vector<TPoint> UnsearchedMoves(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                    const std::vector<TPoint>& candidates);
// The review of the position after line. followUps holds, for every
// unsearched candidate, the answer on the position after it (for a tenuki:
// on the position itself, its corner's square forbidden); EVxloError when
// one is missing.
TPositionReview MakePositionReview(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                   const std::vector<TPoint>& candidates,
                                   const std::vector<std::pair<TPoint, TEngineAnswer>>& followUps);

struct TReviewRequest {
    std::vector<TPoint> line;        // from the empty board
    std::vector<TPoint> candidates;  // the dictionary's continuations
};
// Reviews the positions through the engine, several queries in flight.
// EEngineError as the client raises it; nothing is returned then.
std::vector<TPositionReview> ReviewPositions(TEngineClient& client, const std::vector<TReviewRequest>& requests);

}  // namespace vxlo
