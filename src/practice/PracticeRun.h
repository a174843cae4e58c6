#pragma once
// TPracticeRun: one practice in the main window, everything but the widgets.
// It opens the schedules of the dictionary the navigation shows, starts at
// the position shown now, turns board clicks into answers and says what the
// status line shows. Ending the run (destroying it) gives the board back.
#include <memory>
#include <string>

#include "core/Message.h"
#include "practice/PracticeBoard.h"
#include "practice/PracticeSession.h"
#include "settings/LabelNames.h"

namespace vxlo {

class TPracticeRun {
public:
    // EFileRefused (naming the file) when the schedules cannot be opened in
    // the dictionary's companion database.
    TPracticeRun(TNavigation& nav, IBoardView& view, TCompanion companion,
                 TPracticeSettings settings, const IEvidence& evidence,
                 const IPracticeClock& clock, std::uint64_t seed);

    // A left click on board point (x, y): an answer while one is expected,
    // the next line once a line has ended.
    void Click(int x, int y);
    // Shows the correct answers again after a repaint, when they are shown.
    void Redraw();
    // Today's count, misses and due positions, what the last answer was
    // (right or not, and the colour name of the candidate played), and what
    // happens next.
    TMessage StatusText() const;
    // The names the status uses for the label colours (the defaults at first).
    void SetLabelNames(TLabelNames names) { names_ = std::move(names); }

    TPracticeSession& Session() { return session_; }
    const TPracticeStore& Store() const { return store_; }

private:
    TPracticeStore store_;
    TStorePracticeTree tree_;
    TNavigationPracticeBoard board_;
    TPracticeSession session_;
    TLabelNames names_;
    // The user's last answer while its position is on the board: Ignored
    // when there is none to tell; the colour of the candidate played, -1 for
    // a point that is none.
    EAnswer lastAnswer_ = EAnswer::Ignored;
    int lastColor_ = -1;
};

}  // namespace vxlo
