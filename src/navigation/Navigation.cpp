#include "navigation/Navigation.h"

#include "navigation/RecordingHistory.h"

#include <algorithm>
#include <exception>

namespace vxlo {

namespace {
constexpr int kMaxRun = 99;  // moves one to-branch advance plays at most
}

TNavigation::TNavigation(IBoardView& view, IMessageSink& messages, ICommentStore& comments,
                         IMenuState& menus)
    : view_(view),
      messages_(messages),
      comments_(comments),
      menus_(menus),
      board_(path_, view),
      dictionary_(board_, view) {}

void TNavigation::SetData(bool enabled) {
    dataEnabled_ = enabled;
    menus_.SetDataEnabled(enabled);
}

void TNavigation::SetDelete1(bool enabled) {
    delete1Enabled_ = enabled;
    menus_.SetDelete1Enabled(enabled);
}

void TNavigation::OpenFile(const std::string& path) {
    // The open dictionary goes first, lock and all: a failed open must not
    // leave it open behind a reset board, and the same file may be reopened.
    if (fileOpen_ || dictionary_.IsOpen()) CloseFile();
    board_.Reset();
    path_.Clear();
    currentRecord_ = 0;
    dictionary_.Open(path);
    ShowRoot();
}

void TNavigation::OpenStore(std::unique_ptr<IRecordStore> store) {
    if (fileOpen_ || dictionary_.IsOpen()) CloseFile();
    board_.Reset();
    path_.Clear();
    dictionary_.Attach(std::move(store));
    ShowRoot();
}

void TNavigation::ShowRoot() {
    ClearTenukiNumbers();
    try {
        fileOpen_ = true;
        const int count = dictionary_.LoadRoot();
        SetData(count > 0);
        SetDelete1(false);
        if (labelMode_ == ELabelMode::Shown) dictionary_.DrawLabels();
        view_.FullRepaint();
        currentRecord_ = 0;
    } catch (...) {
        // Never half open: a root chain that cannot be read closes it again.
        // The read error is the one to report, not a close error after it.
        try {
            CloseFile();
        } catch (const EVxloError&) {
        }
        throw;
    }
    comments_.LocateComment(0);
    ReportOffBoard();
}

void TNavigation::CloseFile() {
    ClearTenukiNumbers();
    // The actions name lines of this dictionary only.
    if (history_) history_->Clear();
    // Closed in any case; a close error (a write the system could not
    // complete) is reported once the navigation is in its closed state.
    std::exception_ptr closeError;
    try {
        dictionary_.Close();
    } catch (const EVxloError&) {
        closeError = std::current_exception();
    }
    board_.Reset();
    path_.Clear();
    fileOpen_ = false;
    currentRecord_ = 0;
    SetData(false);
    SetDelete1(false);
    view_.FullRepaint();
    if (closeError) std::rethrow_exception(closeError);
}

void TNavigation::ResetToRoot() {
    ClearTenukiNumbers();
    board_.Reset();
    path_.Clear();
    // The reset took the old candidates' marks: the list goes with them, so
    // a root chain that fails to load leaves list and board in agreement.
    dictionary_.EmptyList(-1);
    dictionary_.LoadRoot();
    view_.FullRepaint();
    ReportOffBoard();
}

void TNavigation::ReportOffBoard() {
    for (int i = 0; i < dictionary_.Count(); ++i) {
        const TPoint p = dictionary_.GetMoveXY(i);
        if (IsMovePoint(p.x, p.y)) continue;
        messages_.ShowMessage(TMessage(kOffBoardRecordText).Arg(dictionary_.RecNoAt(i)).Arg(p.x).Arg(p.y));
    }
}

void TNavigation::ShowRefusal(EMoveResult result) {
    if (result == EMoveResult::Suicide) messages_.ShowMessage(kSuicideText);
    if (result == EMoveResult::Ko) messages_.ShowMessage(kKoText);
}

bool TNavigation::Deside(int x, int y) {
    const int state = board_.PointState(x, y);
    const int side = board_.GetTurn();
    const EMoveResult result = board_.TestMove(side, x, y);
    if (result != EMoveResult::Ok && state == Empty) {
        ShowRefusal(result);
        return false;
    }
    if (state != Empty && state != Candidate) return true;
    if (state == Empty) {
        // A move past the path's limit could be added but never followed.
        if (path_.Count() >= kMaxPathMoves) return false;
        dictionary_.AddMove(x, y);
        SetData(true);
        SetDelete1(false);
        if (history_ && inputMode_ == EInputMode::Record)
            history_->Record({TRecordingAction::EKind::Added, CurrentLine(*this), {x, y}});
        return true;
    }
    // A candidate that cannot be played (only in a hand-edited dictionary) is
    // refused like an empty point, so board and path never disagree.
    if (result != EMoveResult::Ok) {
        ShowRefusal(result);
        return result == EMoveResult::Occupied;
    }
    comments_.SaveComment(currentRecord_, inputMode_);
    AdvanceTo(x, y);
    return true;
}

TMoveEntry TNavigation::EnterMove(int x, int y, EEntryStep step, ERefusalMessages refusals,
                                  int candidateLimit) {
    TMoveEntry entry;
    const int state = board_.PointState(x, y);
    if (state != Empty && state != Candidate) {
        entry.outcome = EEntryOutcome::OnStone;
        return entry;
    }
    if (path_.Count() >= kMaxPathMoves) {
        entry.outcome = EEntryOutcome::PathFull;
        return entry;
    }
    const EMoveResult legal = board_.TestMove(board_.GetTurn(), x, y);
    if (legal != EMoveResult::Ok) {
        if (refusals == ERefusalMessages::Show) ShowRefusal(legal);
        entry.outcome = EEntryOutcome::Illegal;
        return entry;
    }
    if (state == Empty) {
        if (dictionary_.Count() >= std::min(candidateLimit, kCandidateSlots)) {
            entry.outcome = EEntryOutcome::ListFull;
            return entry;
        }
        dictionary_.AddMove(x, y, candidateLimit);
        SetData(true);
        SetDelete1(false);
        entry.added = true;
    }
    if (step == EEntryStep::AddOnly) return entry;
    // Path room and legality were tested above, so the step is taken.
    TOneMoveScope oneMove(*this);
    comments_.SaveComment(currentRecord_, inputMode_);
    AdvanceTo(x, y);
    return entry;
}

void TNavigation::ClearTenukiNumbers() {
    tenukiNumbers_.clear();
    tenukiDepths_.clear();
}

void TNavigation::AdvanceTo(int x, int y) {
    board_.ClearNumbers();
    ClearTenukiNumbers();
    int numbered = 0;
    int continuations = 0;
    do {
        continuations = StepTo(x, y);
        if (continuations < 0) break;  // refused: the run ends where it is
        SetData(continuations > 0);
        SetDelete1(continuations == 0);
        if (progressMode_ == EProgressMode::OneMove) continuations = 0;
        if (continuations == 1 || numbered > 0) {
            ++numbered;
            board_.SetNumber(x, y, numbered);
            board_.DrawNumber(x, y);
            if (IsTenuki(x, y)) {
                tenukiNumbers_.push_back(numbered);
                tenukiDepths_.push_back(path_.Count());
            }
            if (continuations == 1) {
                const TPoint next = dictionary_.GetMoveXY(0);
                x = next.x;
                y = next.y;
            }
            if (numbered >= kMaxRun) continuations = 0;
        }
    } while (continuations == 1);
    if (labelMode_ == ELabelMode::Shown) dictionary_.DrawLabels();
    comments_.LocateComment(currentRecord_);
    ReportOffBoard();
}

// Plays one known continuation; −1 when it cannot be played (the path is
// full, or the move is illegal here), else the continuations reached.
int TNavigation::StepTo(int x, int y) {
    // The single continuation of a run may be a record off the board.
    if (path_.Count() >= kMaxPathMoves || !IsMovePoint(x, y)) return -1;
    const int side = board_.GetTurn();
    const EMoveResult legal = board_.TestMove(side, x, y);
    if (legal != EMoveResult::Ok) {
        ShowRefusal(legal);
        return -1;
    }
    const int head = dictionary_.FirstRecNo();
    const int rec = dictionary_.FindRecNo(x, y);
    const int savedRecord = currentRecord_;
    int count = 0;
    try {
        count = dictionary_.SelectMove(x, y, currentRecord_);
    } catch (...) {
        // A failed read leaves the position where it was, with its own list.
        currentRecord_ = savedRecord;
        RestoreList(head);
        throw;
    }
    board_.PlayMove(x, y);
    if (!IsTenuki(x, y)) view_.DrawStone(side, x, y);
    RedrawCaptured();
    path_.Push(x, y, head, rec, board_);
    return count;
}

void TNavigation::RestoreList(int head) {
    try {
        dictionary_.ClearMarks();
        dictionary_.LoadList(head);
        if (labelMode_ == ELabelMode::Shown) dictionary_.DrawLabels();
    } catch (const EVxloError&) {
        // The first error is the one reported; a list read only in part still
        // has exactly its loaded entries marked.
    }
}

void TNavigation::RedrawCaptured() {
    for (int k = 1; k <= board_.CapturedCount(); ++k) {
        const TPoint p = board_.Captured(k);
        view_.ErasePoint(p.x, p.y);
    }
}

void TNavigation::MaeNoTe() {
    // Off before anything can fail: a step back that stops half way must not
    // leave the delete pointing at the wrong move.
    SetDelete1(false);
    int again = 0;
    do {
        if (path_.Count() == 0) {
            currentRecord_ = 0;
            break;
        }
        const int head = path_.LastListHead();
        // The candidates go first: one may stand where a captured stone is
        // about to come back.
        dictionary_.ClearMarks();
        const TPoint move = path_.Pop(board_, view_);
        currentRecord_ = path_.LastRecNo();
        board_.TakeBack(move.x, move.y);
        view_.ErasePoint(move.x, move.y);
        while (!tenukiDepths_.empty() && tenukiDepths_.back() > path_.Count()) {
            tenukiDepths_.pop_back();
            tenukiNumbers_.pop_back();
        }
        again = dictionary_.LoadList(head);
        if (progressMode_ == EProgressMode::OneMove) again = 0;
    } while (again == 1);
    if (labelMode_ == ELabelMode::Shown) dictionary_.DrawLabels();
    comments_.LocateComment(currentRecord_);
    SetData(true);
    SetDelete1(false);
    ReportOffBoard();
}

void TNavigation::MouseDown(EMouseButton button, int column, int row) {
    if (!fileOpen_) {
        messages_.ShowMessage(kOpenFirstText);
        return;
    }
    if (button == EMouseButton::Middle) return;
    if (column < 1 || column > kBoardSize || row < 1 || row > kBoardSize) return;
    const TPoint p = board_.DisplayToBoard(column, row);
    if (button == EMouseButton::Right) {
        RightClickAt(p.x, p.y);
        return;
    }
    if (board_.PointState(p.x, p.y) != Empty || inputMode_ == EInputMode::Record) Deside(p.x, p.y);
}

void TNavigation::TenukiDown(EMouseButton button) {
    if (!fileOpen_) {
        messages_.ShowMessage(kOpenFirstText);
        return;
    }
    if (button == EMouseButton::Middle) return;
    if (button == EMouseButton::Right) {
        RightClickAt(kTenuki.x, kTenuki.y);
        return;
    }
    if (board_.PointState(kTenuki.x, kTenuki.y) == Candidate || inputMode_ == EInputMode::Record) {
        Deside(kTenuki.x, kTenuki.y);
    }
}

void TNavigation::RightClickAt(int x, int y) {
    if (board_.PointState(x, y) == Candidate) {
        if (inputMode_ == EInputMode::Record) {
            dictionary_.CycleColor(x, y);
            if (history_) history_->Record({TRecordingAction::EKind::ColourStep, CurrentLine(*this), {x, y}});
        }
        return;
    }
    comments_.SaveComment(currentRecord_, inputMode_);
    MaeNoTe();
}

bool TNavigation::FollowLine(const std::vector<TPoint>& line) {
    if (CurrentLine(*this) == line) return true;
    ToFirst();
    TOneMoveScope oneMove(*this);
    for (const TPoint p : line) {
        if (board_.PointState(p.x, p.y) != Candidate) return false;
        const int before = path_.Count();
        Deside(p.x, p.y);
        if (path_.Count() != before + 1) return false;
    }
    return true;
}

void TNavigation::StepColor(TPoint move, int steps) { dictionary_.CycleColor(move.x, move.y, steps); }

void TNavigation::RemoveLeafCandidate(TPoint move) {
    {
        TOneMoveScope oneMove(*this);
        if (!Deside(move.x, move.y) || path_.Count() == 0 || path_.LastMove() != move) return;
    }
    DeleteLast();
}

void TNavigation::Back() {
    // With no dictionary the path is empty and there is no comment to keep.
    if (!fileOpen_) return;
    comments_.SaveComment(currentRecord_, inputMode_);
    MaeNoTe();
}

void TNavigation::ToFirst() {
    if (path_.Count() == 0 || !fileOpen_) return;
    comments_.SaveComment(currentRecord_, inputMode_);
    while (path_.Count() > 0) MaeNoTe();
}

void TNavigation::DeleteLast() {
    // Only a leaf reached by a forward step: anything else would unlink the
    // moves below it too.
    if (path_.Count() == 0 || !fileOpen_ || !delete1Enabled_) return;
    const TPoint move = path_.LastMove();
    const int head = path_.LastListHead();
    {
        TOneMoveScope oneMove(*this);
        MaeNoTe();
    }
    dictionary_.UnlinkMove(move.x, move.y, currentRecord_);
    board_.SetMark(move.x, move.y, 0);
    view_.ErasePoint(move.x, move.y);
    // The list in memory still holds the deleted entry: it tells whether the
    // move headed its chain and what followed it.
    const bool wasFirst = dictionary_.Count() > 0 &&
                          dictionary_.GetMoveXY(0) == move;
    if (!wasFirst) {
        dictionary_.EraseLabels();
        dictionary_.LoadList(head);
    } else {
        const int following = dictionary_.GetRecord(0).More;
        dictionary_.EraseLabels();
        if (following > 0) {
            dictionary_.LoadList(following);
        } else {
            dictionary_.EmptyList(currentRecord_);
        }
    }
    // The labels move up one place when an earlier entry goes.
    if (labelMode_ == ELabelMode::Shown) dictionary_.DrawLabels();
}

void TNavigation::SetLabelMode(ELabelMode mode) {
    labelMode_ = mode;
    if (labelMode_ == ELabelMode::Shown) {
        dictionary_.DrawLabels();
    } else {
        dictionary_.EraseLabels();
    }
}

void TNavigation::ToggleWhiteFirst() {
    whiteFirst_ = !whiteFirst_;
    view_.FullRepaint();
}

void TNavigation::Orient(EOrientation command) {
    switch (command) {
    case EOrientation::SwapXY: board_.ToggleSwapXY(); break;
    case EOrientation::RotateRight: board_.RotateRight(); break;
    case EOrientation::RotateLeft: board_.RotateLeft(); break;
    case EOrientation::MirrorUpDown: board_.ToggleMirrorUpDown(); break;
    case EOrientation::MirrorLeftRight: board_.ToggleMirrorLeftRight(); break;
    }
    view_.FullRepaint();
}

}  // namespace vxlo
