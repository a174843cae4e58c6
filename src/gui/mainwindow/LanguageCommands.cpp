#include "gui/mainwindow/LanguageCommands.h"

#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"

namespace vxlo {

std::vector<TActionRow> TLanguageCommands::Actions() {
    using R = TActionRow;
    std::vector<TActionRow> rows = {
        R::Menu("mnuLanguage", TSDIAppForm::tr("言語")).In("mnuSetting", place::kLanguage),
    };
    // In the order of the settings' values.
    const char* names[] = {"mnuLanguageAuto", "mnuLanguageJapanese", "mnuLanguageEnglish"};
    const QString texts[] = {TSDIAppForm::tr("自動"), TSDIAppForm::tr("日本語"), TSDIAppForm::tr("English")};
    for (int i = 0; i < 3; ++i) {
        const auto setting = static_cast<ELanguageSetting>(i);
        rows.push_back(R::Command(names[i], texts[i])
                           .In("mnuLanguage", i)
                           .InGroup("language")
                           .Runs([this, setting] { mnuLanguageClick(setting); })
                           .CheckedWhen([this, setting] { return shown_ == setting; }));
    }
    return rows;
}

void TLanguageCommands::mnuLanguageClick(ELanguageSetting setting) {
    TIniFile ini(w_.settingsPath_);
    const ELanguageSetting stored = ReadLanguageSetting(ini);
    // The check stays on the stored choice until the new one is written.
    ShowLanguageSetting(stored);
    if (stored == setting) return;
    WriteLanguageSetting(ini, setting);
    ShowLanguageSetting(setting);
    w_.messages_->Information(TSDIAppForm::tr("言語の設定は次の起動から有効になります"));
}

}  // namespace vxlo
