#include "gui/language/Catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

#include "gui/language/SettingsPath.h"
#include "mainwindow/IniFile.h"

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
    // A settings file that cannot be read holds no setting: the locale decides.
    return ChooseLanguage(ReadLanguageSetting(TIniFile(settingsPath)), TLocaleEnvironment::FromProcess());
}

ELanguage StartLanguage() { return StartLanguage(SettingsFileLocation()); }

}  // namespace vxlo
