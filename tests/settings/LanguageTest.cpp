#include "settings/Language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

ELanguage Of(const char* lcAll, const char* lcMessages, const char* lang) {
    return LanguageOfLocale({lcAll, lcMessages, lang});
}

TEST(Language, JapaneseForJapaneseAndTheCLocaleEnglishForEveryOther) {
    const ELanguage ja = ELanguage::Japanese;
    const ELanguage en = ELanguage::English;
    struct TCase {
        const char* lang;
        ELanguage expected;
    };
    for (const TCase& c : {TCase{"ja_JP.UTF-8", ja}, TCase{"ja_JP.eucJP", ja}, TCase{"ja", ja},
                           TCase{"C", ja}, TCase{"C.UTF-8", ja}, TCase{"C.utf8", ja},
                           TCase{"POSIX", ja}, TCase{"", ja}, TCase{"en_US.UTF-8", en},
                           TCase{"en_GB", en}, TCase{"de_DE.UTF-8", en}, TCase{"fr_FR@euro", en},
                           TCase{"zh_CN.UTF-8", en}, TCase{"Japanese", en}, TCase{"CA", en}}) {
        EXPECT_EQ(Of(nullptr, nullptr, c.lang), c.expected) << c.lang;
    }
    EXPECT_EQ(Of(nullptr, nullptr, nullptr), ja);
}

TEST(Language, TheFirstLocaleVariableThatIsSetDecides) {
    EXPECT_EQ(Of("en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8"), ELanguage::English);
    EXPECT_EQ(Of("ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8"), ELanguage::Japanese);
    EXPECT_EQ(Of("", "en_US.UTF-8", "ja_JP.UTF-8"), ELanguage::English);
    EXPECT_EQ(Of(nullptr, "C", "en_US.UTF-8"), ELanguage::Japanese);
    EXPECT_EQ(Of("", "", "de_DE.UTF-8"), ELanguage::English);
    EXPECT_EQ(Of("", "", ""), ELanguage::Japanese);
}

TEST(Language, TheSettingOverridesTheLocale) {
    const TLocaleEnvironment english{nullptr, nullptr, "en_US.UTF-8"};
    const TLocaleEnvironment c{nullptr, nullptr, "C.UTF-8"};
    EXPECT_EQ(ChooseLanguage(ELanguageSetting::Auto, english), ELanguage::English);
    EXPECT_EQ(ChooseLanguage(ELanguageSetting::Auto, c), ELanguage::Japanese);
    EXPECT_EQ(ChooseLanguage(ELanguageSetting::Japanese, english), ELanguage::Japanese);
    EXPECT_EQ(ChooseLanguage(ELanguageSetting::English, c), ELanguage::English);
}

TEST(Language, SettingTextsAndNumbersAreRead) {
    struct TCase {
        const char* text;
        ELanguageSetting expected;
    };
    for (const TCase& c : {TCase{"auto", ELanguageSetting::Auto}, TCase{"0", ELanguageSetting::Auto},
                           TCase{"ja", ELanguageSetting::Japanese}, TCase{"JA", ELanguageSetting::Japanese},
                           TCase{" 1 ", ELanguageSetting::Japanese}, TCase{"en", ELanguageSetting::English},
                           TCase{"En\r", ELanguageSetting::English}, TCase{"2", ELanguageSetting::English},
                           TCase{"", ELanguageSetting::Auto}, TCase{"english", ELanguageSetting::Auto},
                           TCase{"3", ELanguageSetting::Auto}, TCase{"日本語", ELanguageSetting::Auto}}) {
        EXPECT_EQ(ParseLanguageSetting(c.text), c.expected) << c.text;
    }
}

TEST(Language, TheSettingIsAnAsciiKeyOfTheFormSection) {
    testing::TTempDir dir;
    const std::string path = dir / "VXLO.INI";
    {
        std::ofstream(path, std::ios::binary) << "[Form]\r\nLeft=3\r\n[Mode]\r\n入力=1\r\n";
    }
    TIniFile ini(path);
    EXPECT_EQ(ReadLanguageSetting(ini), ELanguageSetting::Auto);
    WriteLanguageSetting(ini, ELanguageSetting::English);
    EXPECT_EQ(ReadLanguageSetting(ini), ELanguageSetting::English);
    WriteLanguageSetting(ini, ELanguageSetting::Japanese);
    EXPECT_EQ(ReadLanguageSetting(ini), ELanguageSetting::Japanese);
    EXPECT_EQ(ini.ReadString("Form", "Language", ""), "ja");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 3);
    EXPECT_EQ(ini.ReadInteger("Mode", "入力", 0), 1);
    WriteLanguageSetting(ini, ELanguageSetting::Auto);
    EXPECT_EQ(ini.ReadString("Form", "Language", ""), "auto");
    // A hand-written number is honoured.
    ini.WriteString("Form", "Language", "2");
    EXPECT_EQ(ReadLanguageSetting(ini), ELanguageSetting::English);
}

}  // namespace
}  // namespace vxlo
