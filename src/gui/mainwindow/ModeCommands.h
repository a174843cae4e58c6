#pragma once
// The navigation's modes in the settings menu: display or recording, kana
// shown or hidden, one move or to the branch, and white to play first. The
// submenus name the mode once it has been set.
#include "gui/mainwindow/ActionTable.h"

namespace vxlo {

class TModeCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    void ShowInputMode();
    void ShowProgressMode();
    void ShowLabelMode();

private:
    // The mode captions stay plain until the mode has been set once.
    bool inputModeShown_ = false;
    bool progressModeShown_ = false;
    bool labelModeShown_ = false;
};

}  // namespace vxlo
