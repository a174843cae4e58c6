#pragma once
// TPositionReview: what the engine thinks of one dictionary position, all
// from the side to move's view. Each candidate of the dictionary gets the
// points it loses against the engine's best move, by the score lead after
// the move: from the position's own answer when the engine searched it
// there, else from an answer on the position after it. The engine's best
// moves that the dictionary lacks are its missing moves; a move that is the
// mirror image of a candidate (or of a missing move already named) on a
// position that looks the same mirrored is not missing.
#include <optional>
#include <utility>
#include <vector>

#include "board/Goban.h"
#include "engine/EngineAnswer.h"

namespace vxlo {

class TEngineClient;

struct TMoveFigure {
    TPoint move;           // kTenuki for a pass
    double loss = 0;       // points behind the best move; below 0 when ahead of it by score
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

// The candidates that the answer on the position after line gives no
// figure for, neither for them nor for their mirror image.
std::vector<TPoint> UnsearchedMoves(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                    const std::vector<TPoint>& candidates);
// The review of the position after line. followUps holds, for every
// unsearched candidate, the answer on the position after it; EVxloError
// when one is missing.
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
