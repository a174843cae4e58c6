#include "navigation/RecordingHistory.h"

#include "navigation/Navigation.h"

namespace vxlo {

void TRecordingHistory::Record(TRecordingAction action) {
    done_.push_back(std::move(action));
    undone_.clear();
}

void TRecordingHistory::Clear() {
    done_.clear();
    undone_.clear();
}

std::vector<TPoint> CurrentLine(const TNavigation& nav) {
    std::vector<TPoint> line;
    for (int n = 1; n <= nav.Path().Count(); ++n) line.push_back(nav.Path().GetMove(n));
    return line;
}

EHistoryStep TRecordingHistory::Undo(TNavigation& nav) {
    if (done_.empty()) return EHistoryStep::Nothing;
    const EHistoryStep step = Apply(nav, done_.back(), false);
    if (step == EHistoryStep::Done) {
        undone_.push_back(std::move(done_.back()));
        done_.pop_back();
    } else if (step != EHistoryStep::Refused) {
        Clear();
    }
    return step;
}

EHistoryStep TRecordingHistory::Redo(TNavigation& nav) {
    if (undone_.empty()) return EHistoryStep::Nothing;
    const EHistoryStep step = Apply(nav, undone_.back(), true);
    if (step == EHistoryStep::Done) {
        done_.push_back(std::move(undone_.back()));
        undone_.pop_back();
    } else if (step != EHistoryStep::Refused) {
        Clear();
    }
    return step;
}

EHistoryStep TRecordingHistory::Apply(TNavigation& nav, const TRecordingAction& action, bool forward) {
    if (!nav.FollowLine(action.line)) return EHistoryStep::LineGone;
    const TLjsk& list = nav.Dictionary();
    const int i = [&] {
        for (int k = 0; k < list.Count(); ++k)
            if (list.GetMoveXY(k) == action.move) return k;
        return -1;
    }();
    if (action.kind == TRecordingAction::EKind::ColourStep) {
        if (i < 0) return EHistoryStep::LineGone;
        nav.StepColor(action.move, forward ? 1 : -1);
        return EHistoryStep::Done;
    }
    if (forward) {
        if (i >= 0) return EHistoryStep::LineGone;  // there again by other means
        return nav.EnterMove(action.move.x, action.move.y, EEntryStep::AddOnly).added ? EHistoryStep::Done
                                                                                     : EHistoryStep::Refused;
    }
    if (i < 0) return EHistoryStep::LineGone;
    if (list.GetRecord(i).Next != 0) return EHistoryStep::HasMoves;
    nav.RemoveLeafCandidate(action.move);
    return EHistoryStep::Done;
}

}  // namespace vxlo
