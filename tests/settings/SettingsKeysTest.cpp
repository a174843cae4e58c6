#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "core/VxloError.h"
#include "practice/PracticeSettings.h"
#include "settings/EngineSettings.h"
#include "settings/LabelNames.h"
#include "settings/Language.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

namespace fs = std::filesystem;

class SettingsKeysTest : public ::testing::Test {
protected:
    void Put(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    testing::TTempDir temp_;
    fs::path dir_ = temp_.Path();
    std::string path_ = temp_.File("VXLO.INI");
};

// The readers and writers that keep their own structs write, for their
// defaults, exactly the table's default texts, and no key the table lacks.
TEST_F(SettingsKeysTest, TheWritersOfDefaultsAgreeWithTheTable) {
    {
        TIniFile ini = TIniFile::Deferred(path_);
        WriteEngineSettings(ini, ReadEngineSettings(ini));
        WritePracticeSettings(ini, ReadPracticeSettings(ini));
        WriteLanguageSetting(ini, ReadLanguageSetting(ini));
        WriteLabelNames(ini, ReadLabelNames(ini));
        ini.Commit();
    }
    std::string section;
    std::ifstream in(path_);
    int keys = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('[')) {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::string key = line.substr(0, line.find('='));
        const TSettingKey& row = SettingKey(section, key);  // throws for a key not in the table
        EXPECT_EQ(line.substr(line.find('=') + 1), row.defaultText) << section << " " << key;
        ++keys;
    }
    EXPECT_EQ(keys, 14);
}

TEST_F(SettingsKeysTest, StoredValuesOutOfTheirRangeGiveTheDefault) {
    struct TCase {
        const char* section;
        const char* key;
        const char* stored;  // nullptr: no key
        int read;
    } const cases[] = {
        {"Goban", "BanColor", nullptr, 32896},     {"Goban", "BanColor", "255", 255},
        {"Goban", "BanColor", "0x1000000", 32896}, {"Goban", "BanColor", "-1", 32896},
        {"Goban", "BanColor", "red", 32896},       {"Goban", "Coordinates", "5", 1},
        {"Goban", "Coordinates", "-3", 0},         {"Mode", "入力", nullptr, -1},
        {"Mode", "入力", "7", 7},                  {"Mode", "マーク", nullptr, 1},
        {"Mode", "マーク", "-2", -2},              {"Practice", "Color", "4", 1},
        {"Form", "Width", nullptr, -1},            {"FormComment", "FontSize", "0", 9},
        {"FormComment", "FontSize", "300", 300},
        {"engine", "visits", "1000001", 200},      {"ENGINE", "Visits", "300", 300},
    };
    for (const TCase& c : cases) {
        Put(c.stored ? "[" + std::string(c.section) + "]\n" + c.key + "=" + c.stored + "\n" : "");
        EXPECT_EQ(ReadSetting(TIniFile(path_), c.section, c.key), c.read)
            << c.section << " " << c.key << " " << (c.stored ? c.stored : "(none)");
    }
    EXPECT_EQ(ReadSettingText(TIniFile(path_), "FormComment", "FontName"), "ＭＳ Ｐゴシック");
    EXPECT_THROW(SettingKey("Goban", "NoSuchKey"), std::logic_error);
    EXPECT_THROW(ReadSetting(TIniFile(path_), "Engine", "Rules"), std::logic_error);
}

TEST_F(SettingsKeysTest, ADeferredFileIsWrittenOnceAtCommit) {
    Put("; kept\r\n[Form]\r\nLeft=3\r\n");
    TIniFile ini = TIniFile::Deferred(path_);
    ini.WriteInteger("Form", "Left", 10);
    ini.WriteString("Goban", "BanColor", "255");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 10);  // reads see the pending writes
    EXPECT_EQ(Bytes(), "; kept\r\n[Form]\r\nLeft=3\r\n");
    ini.Commit();
    EXPECT_EQ(Bytes(), "; kept\r\n[Form]\r\nLeft=10\r\n[Goban]\r\nBanColor=255\r\n");
    // The same keys written through a plain file give the same bytes.
    const std::string deferred = Bytes();
    Put("; kept\r\n[Form]\r\nLeft=3\r\n");
    TIniFile plain(path_);
    plain.WriteInteger("Form", "Left", 10);
    plain.WriteString("Goban", "BanColor", "255");
    EXPECT_EQ(Bytes(), deferred);

    // A commit that fails keeps its writes for another try and names the file.
    TIniFile lost = TIniFile::Deferred((dir_ / "gone" / "VXLO.INI").string());
    lost.WriteInteger("Form", "Left", 1);
    try {
        lost.Commit();
        FAIL() << "a commit into a missing folder succeeded";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.FileName().ends_with("VXLO.INI")) << e.FileName();
    }
    EXPECT_EQ(lost.ReadInteger("Form", "Left", 0), 1);
}

TEST(SettingsKeysReadme, TheReadmeListsEveryKey) {
    std::ifstream in(std::string(VXLO_TEST_DATA) + "/../../README.md");
    const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(readme.find(SettingKeysMarkdown()), std::string::npos)
        << "the README's table of settings keys should read:\n" << SettingKeysMarkdown();
    std::set<std::pair<std::string, std::string>> seen;
    for (const TSettingKey& k : SettingKeys())
        EXPECT_TRUE(seen.emplace(std::string(k.section), std::string(k.key)).second) << k.key;
}

}  // namespace
}  // namespace vxlo
