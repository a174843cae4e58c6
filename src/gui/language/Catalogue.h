#pragma once
// The translation catalogue of the language the user reads, for the window
// and the tool alike. Japanese is the source text and needs none; English
// is translations/vxlo_en.ts, compiled into the program.
#include <memory>
#include <string>

#include "core/Message.h"
#include "settings/Language.h"

class QTranslator;

namespace vxlo {

// The core's messages through Qt's catalogue (context "vxlo"). Holds no
// state: the catalogue installed in the application decides.
class TQtTranslator final : public ITranslator {
public:
    std::string Translate(const std::string& source) const override;
};

// Installs the catalogue of one language in the application for its
// lifetime. Needs a QCoreApplication; without a catalogue (Japanese) it
// installs nothing.
class TLanguageCatalogue {
public:
    explicit TLanguageCatalogue(ELanguage language);
    ~TLanguageCatalogue();
    TLanguageCatalogue(const TLanguageCatalogue&) = delete;
    TLanguageCatalogue& operator=(const TLanguageCatalogue&) = delete;

    ELanguage Language() const { return language_; }
    // False when the program lacks the compiled catalogue of its language.
    bool Loaded() const { return loaded_; }

private:
    ELanguage language_;
    bool loaded_ = false;
    std::unique_ptr<QTranslator> translator_;
};

// The language this start of the program speaks: the setting in VXLO.INI
// when it names one, the locale otherwise (also when the file cannot be read).
ELanguage StartLanguage();
// The same with the setting read from the given settings file.
ELanguage StartLanguage(const std::string& settingsPath);

}  // namespace vxlo
