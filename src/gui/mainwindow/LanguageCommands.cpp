// The main window's language setting. The window speaks the language chosen
// at its start; a new choice is written to VXLO.INI and taken at the next.
#include <QActionGroup>
#include <QMenu>

#include "gui/mainwindow/Sdimain.h"
#include "mainwindow/IniFile.h"

namespace vxlo {

void TSDIAppForm::CreateLanguageMenu(QMenu* menu) {
    auto* group = new QActionGroup(menu);
    struct TChoice {
        const char* name;
        QString caption;
        ELanguageSetting setting;
    };
    const TChoice choices[] = {{"mnuLanguageAuto", tr("自動"), ELanguageSetting::Auto},
                               {"mnuLanguageJapanese", tr("日本語"), ELanguageSetting::Japanese},
                               {"mnuLanguageEnglish", tr("English"), ELanguageSetting::English}};
    for (const TChoice& c : choices) {
        QAction* action = MakeAction(c.name, c.caption);
        action->setCheckable(true);
        group->addAction(action);
        menu->addAction(action);
        mnuLanguage_[static_cast<std::size_t>(c.setting)] = action;
        OnTriggered(action, [this, setting = c.setting] { mnuLanguageClick(setting); });
    }
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
