#include "companion/ContinuationTable.h"

#include <algorithm>

namespace vxlo {

std::vector<TContinuationRow> ContinuationRows(const TLjsk& list, int sideToMove,
                                               TEvidenceStore& evidence) {
    std::vector<TContinuationRow> rows;
    long long total = 0;
    for (int i = 0; i < list.Count(); ++i) {
        TContinuationRow row;
        row.move = list.GetMoveXY(i);
        row.label = list.LabelIndex(i) >= 0 ? std::string(CandidateLabel(list.LabelIndex(i))) : std::string();
        row.record = list.RecNoAt(i);
        if (const auto e = evidence.Get(row.record)) {
            row.games = e->games;
            const long long decided = e->starterWins + e->starterLosses;
            if (decided > 0) {
                const long long won = sideToMove == Black ? e->starterWins : e->starterLosses;
                row.winRate = static_cast<double>(won) / static_cast<double>(decided);
            }
        }
        total += row.games;
        rows.push_back(std::move(row));
    }
    for (TContinuationRow& row : rows)
        row.share = total > 0 ? static_cast<double>(row.games) / static_cast<double>(total) : 0.0;
    std::stable_sort(rows.begin(), rows.end(), [](const TContinuationRow& a, const TContinuationRow& b) {
        return a.games > b.games;
    });
    return rows;
}

void AddPointsLost(std::vector<TContinuationRow>& rows, const TStoredReview& review) {
    for (TContinuationRow& row : rows) {
        for (const TStoredMoveFigure& f : review.candidates)
            if (f.move == row.move) row.pointsLost = f.pointsLost;
    }
}

}  // namespace vxlo
