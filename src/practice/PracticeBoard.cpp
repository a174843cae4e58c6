#include "practice/PracticeBoard.h"

#include "core/VxloError.h"

namespace vxlo {

TNavigationPracticeBoard::TNavigationPracticeBoard(TNavigation& nav, IBoardView& view)
    : nav_(nav),
      view_(view),
      startDepth_(nav.Path().Count()),
      savedInput_(nav.InputMode()),
      savedProgress_(nav.ProgressMode()),
      savedLabels_(nav.LabelMode()) {
    nav_.SetInputMode(EInputMode::Display);
    nav_.SetProgressMode(EProgressMode::OneMove);
    nav_.SetLabelMode(ELabelMode::Hidden);
    view_.FullRepaint();
}

TNavigationPracticeBoard::~TNavigationPracticeBoard() {
    nav_.SetInputMode(savedInput_);
    nav_.SetProgressMode(savedProgress_);
    nav_.SetLabelMode(savedLabels_);
    view_.FullRepaint();
}

void TNavigationPracticeBoard::ReturnToStart() {
    shown_.clear();
    while (nav_.Path().Count() > startDepth_) nav_.MaeNoTe();
    view_.FullRepaint();
}

void TNavigationPracticeBoard::Play(const TPracticeMove& move) {
    // The labels of the answers not taken would stay behind on the canvas.
    for (const TPracticeMove& m : shown_) view_.ErasePoint(m.x, m.y);
    shown_.clear();
    // Deside adds a move at an empty point: a board that went its own way
    // (stepped back behind the session) must be refused before it, never
    // written to.
    if (nav_.Board().PointState(move.x, move.y) != Candidate ||
        nav_.Dictionary().FindRecNo(move.x, move.y) != move.rec)
        throw EVxloError(kPracticeMoveRefusedText);
    const int before = nav_.Path().Count();
    nav_.Deside(move.x, move.y);
    if (nav_.Path().Count() != before + 1 || nav_.CurrentRecord() != move.rec)
        throw EVxloError(kPracticeMoveRefusedText);
}

void TNavigationPracticeBoard::ShowAnswers(const std::vector<TPracticeMove>& answers) {
    shown_ = answers;
    for (const TPracticeMove& m : answers) {
        if (m.index < kLabelCount) view_.DrawLabel(CandidateLabel(m.index), m.x, m.y, m.color);
    }
}

}  // namespace vxlo
