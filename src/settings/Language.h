#pragma once
// Which language the window and the tool speak. Japanese is the program as
// it always was; English is the catalogue translations/vxlo_en.ts.
#include <string>
#include <string_view>

namespace vxlo {

class TIniFile;

enum class ELanguage { Japanese, English };

// The user's choice, as VXLO.INI keeps it in [Form] Language (the numbers
// are what a hand-edited file may hold as well: 0 auto, 1 ja, 2 en).
enum class ELanguageSetting { Auto = 0, Japanese = 1, English = 2 };

inline constexpr const char* kLanguageSection = "Form";
inline constexpr const char* kLanguageKey = "Language";

// The locale variables as the C library reads them; null when not set.
struct TLocaleEnvironment {
    const char* lcAll = nullptr;
    const char* lcMessages = nullptr;
    const char* lang = nullptr;
    // The process's own variables.
    static TLocaleEnvironment FromProcess();
};

// LC_ALL, then LC_MESSAGES, then LANG: the first that is not empty names the
// locale. Japanese for "ja…", for C, POSIX (with any .codeset) and for no
// locale at all; English for every other.
ELanguage LanguageOfLocale(const TLocaleEnvironment& environment);

// "auto", "ja", "en" in any case, or 0, 1, 2, blanks around allowed;
// anything else is Auto.
ELanguageSetting ParseLanguageSetting(std::string_view text);
// What WriteLanguageSetting stores: "auto", "ja" or "en".
const char* LanguageSettingText(ELanguageSetting setting);

ELanguageSetting ReadLanguageSetting(const TIniFile& ini);
// EInOutError (naming the file) when it cannot be written.
void WriteLanguageSetting(TIniFile& ini, ELanguageSetting setting);

// The setting when it names a language, the locale's otherwise.
ELanguage ChooseLanguage(ELanguageSetting setting, const TLocaleEnvironment& environment);

}  // namespace vxlo
