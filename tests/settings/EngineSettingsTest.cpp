// [Engine] of VXLO.INI: what a hand-edited file gives, key by key, and what
// the program writes reads back the same.
#include "settings/EngineSettings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

TEngineIniSettings Made(std::string command, int visits, std::string rules, double komi, double good,
                        double doubtful) {
    return {std::move(command), visits, std::move(rules), komi, good, doubtful};
}

TEST(EngineSettings, AHandEditedSectionGivesEachKeyOrItsDefault) {
    const TEngineIniSettings d;
    struct TCase {
        const char* name;
        const char* text;
        TEngineIniSettings expected;
    };
    const TCase cases[] = {
        {"no section", "[Form]\nLanguage=ja\n", d},
        {"all set", "[Engine]\nCommand= /opt/k analysis -model 'a b.gz' \nVisits=800\nRules=chinese\nKomi=7.5\n"
                    "Good=0.3\nDoubtful=2\n",
         Made("/opt/k analysis -model 'a b.gz'", 800, "chinese", 7.5, 0.3, 2.0)},
        {"any case of names", "[engine]\nvisits=64\nkomi=-3\n", Made("", 64, "japanese", -3.0, 0.5, 1.5)},
        {"visits out of range", "[Engine]\nVisits=0\n", d},
        {"visits too many", "[Engine]\nVisits=1000001\n", d},
        {"visits not a number", "[Engine]\nVisits=many\n", d},
        {"komi not in half points", "[Engine]\nKomi=6.25\n", d},
        {"komi with a comma", "[Engine]\nKomi=6,5\n", d},
        {"komi far off", "[Engine]\nKomi=400\n", d},
        {"rules with a blank", "[Engine]\nRules=tromp taylor\n", d},
        {"rules empty", "[Engine]\nRules=\n", d},
        {"limits upside down", "[Engine]\nGood=2\nDoubtful=1\n", d},
        {"limit zero", "[Engine]\nGood=0\n", d},
        {"limits equal", "[Engine]\nGood=1\nDoubtful=1\n", Made("", 200, "japanese", 6.5, 1.0, 1.0)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTempDir dir;
        std::ofstream(dir / "VXLO.INI", std::ios::binary) << c.text;
        EXPECT_EQ(ReadEngineSettings(TIniFile(dir / "VXLO.INI")), c.expected);
    }
}

TEST(EngineSettings, WrittenSettingsReadBackAndKeepOtherSections) {
    TTempDir dir;
    std::ofstream(dir / "VXLO.INI", std::ios::binary) << "[Form]\nLanguage=en\n";
    TIniFile ini(dir / "VXLO.INI");
    const TEngineIniSettings s = Made("katago analysis -config \"my cfg\"", 1600, "aga", -0.5, 0.25, 3.5);
    WriteEngineSettings(ini, s);
    EXPECT_EQ(ReadEngineSettings(ini), s);
    EXPECT_EQ(ini.ReadString("Form", "Language", ""), "en");
}

TEST(EngineSettings, TheBandsFollowTheLimits) {
    const TEngineIniSettings d;
    EXPECT_EQ(LossBand(0.0, d), ELossBand::Good);
    EXPECT_EQ(LossBand(0.49, d), ELossBand::Good);
    EXPECT_EQ(LossBand(0.5, d), ELossBand::Doubtful);
    EXPECT_EQ(LossBand(1.49, d), ELossBand::Doubtful);
    EXPECT_EQ(LossBand(1.5, d), ELossBand::Bad);
    EXPECT_EQ(LossBand(1.0, Made("", 200, "japanese", 6.5, 1.0, 1.0)), ELossBand::Bad);
}

}  // namespace
}  // namespace vxlo::testing
