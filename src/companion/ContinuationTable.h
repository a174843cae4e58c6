#pragma once
// The continuation table of a position: its candidates ordered by how often
// the imported games chose them, with their share and the win rate of the
// side that plays them. Drawn by the evidence panel, printed by the tool.
#include <optional>
#include <string>
#include <vector>

#include "dictionary/Fjsk.h"
#include "companion/EngineReviewStore.h"
#include "companion/EvidenceStore.h"

namespace vxlo {

struct TContinuationRow {
    TPoint move;               // {0, 0}: tenuki
    std::string label;         // the candidate's kana, empty past the 30th
    int record = 0;
    long long games = 0;
    double share = 0;          // of the games of all candidates, 0..1
    std::optional<double> winRate;  // of the side to move, when results are known
    std::optional<double> pointsLost;  // by the engine's review of the position
};

// Rows of every candidate of list, most games first (chain order among equal
// counts). sideToMove is Black or White in the dictionary's colours, where
// Black is always the player who started the corner.
std::vector<TContinuationRow> ContinuationRows(const TLjsk& list, int sideToMove,
                                               TEvidenceStore& evidence);
// Gives each row the points lost that the review names for its move.
void AddPointsLost(std::vector<TContinuationRow>& rows, const TStoredReview& review);

}  // namespace vxlo
