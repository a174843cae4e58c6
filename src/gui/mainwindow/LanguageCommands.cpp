// The main window's language setting. The window speaks the language chosen
// at its start; a new choice is written to VXLO.INI and taken at the next.
#include <QMenu>

#include <algorithm>

#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"

namespace vxlo {

void TSDIAppForm::CreateLanguageMenu(QMenu* menu) {
    // In the order of the settings' values.
    const std::vector<QAction*> actions =
        AddChoices(menu,
                   {{"mnuLanguageAuto", tr("自動")}, {"mnuLanguageJapanese", tr("日本語")},
                    {"mnuLanguageEnglish", tr("English")}},
                   [this](std::size_t i) { mnuLanguageClick(static_cast<ELanguageSetting>(i)); });
    std::copy(actions.begin(), actions.end(), mnuLanguage_.begin());
}

void TSDIAppForm::ShowLanguageSetting(ELanguageSetting setting) {
    mnuLanguage_[static_cast<std::size_t>(setting)]->setChecked(true);
}

void TSDIAppForm::mnuLanguageClick(ELanguageSetting setting) {
    TIniFile ini(settingsPath_);
    const ELanguageSetting stored = ReadLanguageSetting(ini);
    // The check stays on the stored choice until the new one is written.
    ShowLanguageSetting(stored);
    if (stored == setting) return;
    WriteLanguageSetting(ini, setting);
    ShowLanguageSetting(setting);
    messages_->Information(tr("言語の設定は次の起動から有効になります"));
}

}  // namespace vxlo
