#pragma once
// TRecordingHistory: the recording actions of a session — a candidate added
// by a click, a colour step — in order, so that they can be taken back and
// done again one by one. Each action keeps the line from the empty board to
// its position, not a record number: the tree may change in between (an
// import, a deletion), and an action whose line or candidate is gone is
// refused by name instead of touching another record. The file is written at
// every step, as by the click itself.
#include <vector>

#include "board/Goban.h"

namespace vxlo {

class TNavigation;

struct TRecordingAction {
    enum class EKind { Added, ColourStep };
    EKind kind = EKind::Added;
    std::vector<TPoint> line;  // from the empty board to the position of the action
    TPoint move;               // the candidate added or stepped
};

enum class EHistoryStep {
    Done,
    Nothing,   // no action to take back or do again
    LineGone,  // the position or the candidate is no longer there (history cleared)
    HasMoves,  // the added candidate has moves below it now (history cleared)
    Refused,   // the move cannot be added there (the list is full, the path is long)
};

class TRecordingHistory {
public:
    // A new action: what was taken back can no longer be done again.
    void Record(TRecordingAction action);
    void Clear();
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }

    // Goes to the last action's position as clicks would (one move at a time)
    // and takes it back: an added candidate is unlinked as the delete of the
    // last move does, a colour step goes one colour back. The position shown
    // afterwards is the action's.
    EHistoryStep Undo(TNavigation& nav);
    EHistoryStep Redo(TNavigation& nav);

private:
    EHistoryStep Apply(TNavigation& nav, const TRecordingAction& action, bool forward);

    std::vector<TRecordingAction> done_;
    std::vector<TRecordingAction> undone_;
};

// The line of the position the navigation shows.
std::vector<TPoint> CurrentLine(const TNavigation& nav);

}  // namespace vxlo
