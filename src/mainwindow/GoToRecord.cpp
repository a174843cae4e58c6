#include "mainwindow/GoToRecord.h"

#include <string>

#include "board/Tenuki.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"

namespace vxlo {

void GoToRecord(TNavigation& nav, const TTreeIndex& index, int record) {
    const std::vector<TPoint> moves = index.MovesTo(record);
    auto refuse = [&](const std::string& why) {
        throw EVxloError("record " + std::to_string(record) + ": " + why);
    };
    if (!nav.FileOpen()) refuse(kOpenFirstText);
    nav.ToFirst();
    TOneMoveScope oneMove(nav);
    for (const TPoint move : moves) {
        if (IsTenuki(move.x, move.y)) {
            // Tenuki: see board/Tenuki.h. Wire the navigation's tenuki entry
            // here once the board plays one.
            static_assert(!kBoardPlaysTenuki, "enter the tenuki here");
            refuse("a tenuki on the way cannot be replayed yet");
        }
        // Deside adds a move at an empty point: only a candidate is entered.
        if (nav.Board().PointState(move.x, move.y) != Candidate) {
            refuse("the dictionary no longer leads there");
        }
        nav.Deside(move.x, move.y);
    }
    if (nav.CurrentRecord() != record) refuse("the dictionary no longer leads there");
}

}  // namespace vxlo
