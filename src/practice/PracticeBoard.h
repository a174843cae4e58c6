#pragma once
// TNavigationPracticeBoard: the session's moves on the main window's board,
// through the navigation's own move entry. For its lifetime labels are hidden
// (they would give the answers away), moves are played one at a time and
// clicks never record; the modes the user had come back at the end.
#include "core/Message.h"
#include "navigation/Navigation.h"
#include "practice/PracticeSession.h"

namespace vxlo {

// Shown when the board refuses a move the dictionary lists (a damaged file).
inline constexpr const char* kPracticeMoveRefusedText = QT_TRANSLATE_NOOP("vxlo", "練習：この手は盤上に打てません");

class TNavigationPracticeBoard final : public IPracticeBoard {
public:
    // The start is the position the navigation shows now.
    TNavigationPracticeBoard(TNavigation& nav, IBoardView& view);
    ~TNavigationPracticeBoard() override;
    TNavigationPracticeBoard(const TNavigationPracticeBoard&) = delete;
    TNavigationPracticeBoard& operator=(const TNavigationPracticeBoard&) = delete;

    void ReturnToStart() override;
    // EVxloError when the move is not a candidate of the position shown or
    // the board does not take it; nothing is then added or played.
    void Play(const TPracticeMove& move) override;
    void ShowAnswers(const std::vector<TPracticeMove>& answers) override;

    int StartDepth() const { return startDepth_; }

private:
    TNavigation& nav_;
    IBoardView& view_;
    int startDepth_;
    EInputMode savedInput_;
    EProgressMode savedProgress_;
    ELabelMode savedLabels_;
    std::vector<TPracticeMove> shown_;  // answers labelled after a miss
};

}  // namespace vxlo
