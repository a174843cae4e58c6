#pragma once
// Keys, the mouse and undo of recording: the arrows walk the tree as clicks
// do, Up and Down choose the candidate that Right plays, Ctrl+Z and Ctrl+Y
// take back and do again the recording clicks of the session; the board's
// clicks and wheel, and the mode field of the status bar.
#include <optional>
#include <vector>

#include "board/Goban.h"
#include "gui/mainwindow/ActionTable.h"

class QLabel;
class QPainter;

namespace vxlo {

class TRecordingHistory;

class TKeyCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    // The undo state, the mode field, and Up and Down's choice forgotten
    // once the position changed.
    void Update() override;

    // The candidate that Right plays: the one chosen by Up and Down at this
    // position, else the first; none without candidates.
    std::optional<TPoint> SelectedCandidate() const;
    // Notches of the wheel over the board: away from the user goes back.
    void BoardWheel(int steps);
    void BoardMousePressed(Qt::MouseButton button, int clientX, int clientY);
    void PaintSelectionOverlay(QPainter& p);
    // The session's recording clicks, kept by the window for the navigation.
    TRecordingHistory& RecordingHistory();

private:
    void PlaySelected();
    void SelectCandidate(int step);
    void UndoRecording(bool redo);
    void ShowKeysHelp();

    int selected_ = 0;  // Up and Down's choice, at selectedLine_
    std::vector<TPoint> selectedLine_;
    bool selectionShown_ = false;
    QLabel* inputModeField_ = nullptr;
};

}  // namespace vxlo
