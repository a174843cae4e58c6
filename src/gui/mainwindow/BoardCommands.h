#pragma once
// The board menu: turning and mirroring the board, its colours, coordinates
// on the margins and a pitch that follows the window (both kept in
// VXLO.INI, section Goban, off unless the file says otherwise); the tool
// panel above the board and the point under the mouse.
#include <QString>

#include "gui/board/BoardRenderer.h"
#include "gui/dialogs/BanIsi.h"
#include "gui/mainwindow/ActionTable.h"

class QWidget;

namespace vxlo {

class TIniFile;

class TBoardCommands final : public TWindowPart, public IBoardColors {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    void CreateWindows();
    // The open, orientation and back buttons, and the tenuki spot after them
    // (SpeedPanel.cpp).
    QWidget* CreateSpeedPanel(QWidget* parent);

    // The menu items call it, and it keeps them checked.
    void SetBoardOptions(const TBoardOptions& options);
    void ReadBoardOptions(const TIniFile& ini);
    void WriteBoardOptions(TIniFile& ini) const;
    // A window too small for the board at the smallest pitch (with its
    // coordinate band) grows: the last row and column are never cut off.
    void GrowToShowTheBoard();
    void BoardMouseMoved(int clientX, int clientY);
    TBanIsiColor& BanIsiColor() { return *banIsiColor_; }

    // IBoardColors (the colour dialog).
    TBoardColors Colors() const override;
    void ApplyColors(const TBoardColors& colors) override;

private:
    TBanIsiColor* banIsiColor_ = nullptr;
    bool pointShown_ = false;  // the status bar shows a coordinate
};

}  // namespace vxlo
