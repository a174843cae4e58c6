#pragma once
// The language submenu of the settings. The window speaks the language
// chosen at its start; a new choice is written to VXLO.INI and taken at the
// next.
#include "gui/mainwindow/ActionTable.h"
#include "settings/Language.h"

namespace vxlo {

class TLanguageCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    void ShowLanguageSetting(ELanguageSetting setting) { shown_ = setting; }
    void mnuLanguageClick(ELanguageSetting setting);

private:
    ELanguageSetting shown_ = ELanguageSetting::Auto;
};

}  // namespace vxlo
