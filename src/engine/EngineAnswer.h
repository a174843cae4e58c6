#pragma once
// The figures of one answer of the analysis engine. The engine reports
// them from Black's view, White's or the side to move's, as its
// configuration says (reportAnalysisWinratesAs); everything past the client
// sees them from the side to move's.
#include <nlohmann/json_fwd.hpp>

#include <string>
#include <vector>

#include "board/Goban.h"

namespace vxlo {

enum class EReportedView : int { Black = 1, White = 2, SideToMove = 3 };

struct TEngineMoveInfo {
    TPoint move;           // kTenuki for a pass
    int visits = 0;
    double scoreLead = 0;  // points the player of this move leads by after it
    double winrate = 0;    // that player's chance, 0..1
    int order = 0;         // the engine's rank, 0 the best
};

struct TEngineAnswer {
    int sideToMove = Black;
    int visits = 0;
    double scoreLead = 0;
    double winrate = 0;
    std::vector<TEngineMoveInfo> moves;  // best first
};

// The figures of a final analysis answer as the engine reports them. Empty
// when they are the protocol's, else what is wrong, in words for a message.
std::string ReadAnswerFigures(const nlohmann::json& answer, TEngineAnswer& out);
// The same figures from the side to move's view.
TEngineAnswer FromSideToMove(TEngineAnswer reported, EReportedView view);

}  // namespace vxlo
