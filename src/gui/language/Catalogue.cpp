#include "gui/language/Catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

#include "core/VxloError.h"
#include "gui/language/SettingsPath.h"
#include "settings/IniFile.h"

// rcc names the initialiser after the resource; it lives outside any namespace.
static void InitTranslationResource() { Q_INIT_RESOURCE(vxlo_translations); }

namespace vxlo {

std::string TQtTranslator::Translate(const std::string& source) const {
    return QCoreApplication::translate("vxlo", source.c_str()).toStdString();
}

TLanguageCatalogue::TLanguageCatalogue(ELanguage language) : language_(language) {
    if (language == ELanguage::Japanese) {
        loaded_ = true;
        return;
    }
    // A static library's resources are only linked in when asked for.
    InitTranslationResource();
    translator_ = std::make_unique<QTranslator>();
    loaded_ = translator_->load(QStringLiteral(":/translations/vxlo_en.qm")) &&
              QCoreApplication::installTranslator(translator_.get());
}

TLanguageCatalogue::~TLanguageCatalogue() {
    if (translator_ && loaded_) QCoreApplication::removeTranslator(translator_.get());
}

ELanguage StartLanguage(const std::string& settingsPath) {
    ELanguageSetting setting = ELanguageSetting::Auto;
    try {
        setting = ReadLanguageSetting(TIniFile(settingsPath));
    } catch (const EVxloError&) {
        // A settings file that cannot be read (too large, say) holds no
        // setting: the locale decides. Nothing has been shown yet to report
        // it in; the window reports the file when it reads its settings.
    }
    return ChooseLanguage(setting, TLocaleEnvironment::FromProcess());
}

ELanguage StartLanguage() { return StartLanguage(SettingsFileLocation()); }

}  // namespace vxlo
