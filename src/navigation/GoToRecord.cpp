#include "navigation/GoToRecord.h"

#include <string>

#include "core/VxloError.h"
#include "dictionary/MoveText.h"

namespace vxlo {

void GoToRecord(TNavigation& nav, const TTreeIndex& index, int record) {
    const std::vector<TPoint> moves = index.MovesTo(record);
    auto refuse = [&](TMessage why) {
        throw EVxloError(TMessage::Literal("record " + std::to_string(record) + ": ").Then(std::move(why)));
    };
    if (!nav.FileOpen()) refuse(kOpenFirstText);
    nav.ToFirst();
    TOneMoveScope oneMove(nav);
    for (const TPoint move : moves) {
        // Deside adds a move at an empty point: only a candidate is entered.
        if (nav.Board().PointState(move.x, move.y) != Candidate) {
            refuse(TMessage::Literal("the dictionary no longer leads there"));
        }
        nav.Deside(move.x, move.y);
    }
    if (nav.CurrentRecord() != record) refuse(TMessage::Literal("the dictionary no longer leads there"));
}

}  // namespace vxlo
