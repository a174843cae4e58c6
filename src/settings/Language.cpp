#include "settings/Language.h"

#include <cstdlib>

#include "settings/IniFile.h"

namespace vxlo {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// "C", "POSIX", "C.UTF-8", "POSIX@euro": the locale without its codeset
// and modifier.
std::string_view LocaleName(std::string_view locale) {
    const std::size_t end = locale.find_first_of(".@");
    return end == std::string_view::npos ? locale : locale.substr(0, end);
}

// Lower case without the blanks around it.
std::string Normalised(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

TLocaleEnvironment TLocaleEnvironment::FromProcess() {
    return {std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
}

ELanguage LanguageOfLocale(const TLocaleEnvironment& environment) {
    std::string_view locale;
    for (const char* value : {environment.lcAll, environment.lcMessages, environment.lang}) {
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    const std::string_view name = LocaleName(locale);
    if (name.empty() || name == "C" || name == "POSIX" || StartsWith(locale, "ja"))
        return ELanguage::Japanese;
    return ELanguage::English;
}

ELanguageSetting ParseLanguageSetting(std::string_view text) {
    const std::string value = Normalised(text);
    if (value == "ja" || value == "1") return ELanguageSetting::Japanese;
    if (value == "en" || value == "2") return ELanguageSetting::English;
    return ELanguageSetting::Auto;
}

const char* LanguageSettingText(ELanguageSetting setting) {
    switch (setting) {
    case ELanguageSetting::Japanese: return "ja";
    case ELanguageSetting::English: return "en";
    case ELanguageSetting::Auto: break;
    }
    return "auto";
}

ELanguageSetting ReadLanguageSetting(const TIniFile& ini) {
    return ParseLanguageSetting(ini.ReadString(kLanguageSection, kLanguageKey, "auto"));
}

void WriteLanguageSetting(TIniFile& ini, ELanguageSetting setting) {
    ini.WriteString(kLanguageSection, kLanguageKey, LanguageSettingText(setting));
}

ELanguage ChooseLanguage(ELanguageSetting setting, const TLocaleEnvironment& environment) {
    switch (setting) {
    case ELanguageSetting::Japanese: return ELanguage::Japanese;
    case ELanguageSetting::English: return ELanguage::English;
    case ELanguageSetting::Auto: break;
    }
    return LanguageOfLocale(environment);
}

}  // namespace vxlo
