#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/VxloError.h"

namespace vxlo {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vxlo-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "VXLO.INI").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Form", "Width", -1), -1);
    EXPECT_EQ(ini.ReadString("Form", "File1", ""), "");
    Put("[Form]\nLeft=12\n");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 12);
    EXPECT_EQ(ini.ReadInteger("Form", "Top", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Goban", "Left", 3), 3);
}

TEST_F(IniFileTest, ValuesAreReadLikeTheProfileApi) {
    Put("; settings\n[form]\n  left = 42  \nTop=abc\nWidth=\nFile1=\"/a b/c.jsk\"\n"
        "Height=-7\n[FormComment]\nFontColor=0x80000008\nFontSize=0x\n");
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Form", "LEFT", 0), 42);
    EXPECT_EQ(ini.ReadInteger("Form", "Top", 5), 5);      // not a number
    EXPECT_EQ(ini.ReadInteger("Form", "Width", -1), -1);  // empty
    EXPECT_EQ(ini.ReadInteger("Form", "Height", -1), -7);
    EXPECT_EQ(ini.ReadString("Form", "File1", ""), "/a b/c.jsk");
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontColor", 0), static_cast<int>(0x80000008u));
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontSize", 9), 9);
}

TEST_F(IniFileTest, WritesCreateReplaceAndInsertKeepingEveryOtherLine) {
    TIniFile ini(path_);
    ini.WriteInteger("Form", "Left", 5);
    EXPECT_EQ(Bytes(), "[Form]\nLeft=5\n");
    ini.WriteString("Mode", "入力", "1");
    ini.WriteInteger("Form", "Top", -3);
    ini.WriteInteger("Form", "Left", 100);
    EXPECT_EQ(Bytes(), "[Form]\nLeft=100\nTop=-3\n[Mode]\n入力=1\n");

    Put("[GridForm]\nLeft=1\n\n; mine\n[Form]\nFile=x\n\n[Goban]\nBanColor=1\n");
    ini.WriteString("Form", "File1", "/d/a.jsk");
    ini.WriteInteger("goban", "bancolor", 2);
    EXPECT_EQ(Bytes(),
              "[GridForm]\nLeft=1\n\n; mine\n[Form]\nFile=x\nFile1=/d/a.jsk\n\n[Goban]\nbancolor=2\n");
    EXPECT_EQ(ini.ReadInteger("Goban", "BanColor", 0), 2);
}

TEST_F(IniFileTest, ShiftJisKeysFromWindowsAreReadAndReplaced) {
    // 入力=1, 選択肢=0, 進行=1 and a font name, all in code page 932.
    const std::string sjis =
        "[Mode]\r\n\x93\xfc\x97\xcd=1\r\n\x91\x49\x91\xf0\x8e\x88=0\r\n\x90\x69\x8d\x73=1\r\n"
        "[FormComment]\r\nFontName=\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e\r\n";
    Put(sjis);
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Mode", "入力", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Mode", "選択肢", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Mode", "進行", -1), 1);
    EXPECT_EQ(ini.ReadString("FormComment", "FontName", ""), "ＭＳ Ｐゴシック");

    ini.WriteInteger("Mode", "入力", 0);
    // The key line is rewritten in UTF-8; the others keep their bytes and the
    // file keeps its line ends.
    EXPECT_EQ(Bytes(),
              "[Mode]\r\n入力=0\r\n\x91\x49\x91\xf0\x8e\x88=0\r\n\x90\x69\x8d\x73=1\r\n"
              "[FormComment]\r\nFontName=\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e\r\n");
    EXPECT_EQ(ini.ReadInteger("Mode", "入力", -1), 0);
}

TEST_F(IniFileTest, AFailedWriteIsAFileErrorAndLeavesTheFileAsItWas) {
    TIniFile missingFolder((dir_ / "none" / "VXLO.INI").string());
    try {
        missingFolder.WriteInteger("Form", "Left", 1);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.FileName(), missingFolder.Path());
        EXPECT_EQ(std::string(e.what()), "ファイルが見つかりません");
    }

    // A folder where the file should be cannot be replaced.
    fs::create_directory(path_);
    TIniFile onFolder(path_);
    EXPECT_THROW(onFolder.WriteInteger("Form", "Left", 1), EInOutError);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST_F(IniFileTest, WritesThroughALinkAndKeepsThePermissions) {
    const std::string real = (dir_ / "real.ini").string();
    std::ofstream(real) << "[Form]\nLeft=1\n";
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, path_);
    TIniFile ini(path_);
    ini.WriteInteger("Form", "Left", 2);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 2);
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(IniFileTest, ALineBreakInAValueCannotStartANewKey) {
    TIniFile ini(path_);
    ini.WriteString("Form", "File", "a\nLeft=9");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 0);
    EXPECT_EQ(Bytes(), "[Form]\nFile=a Left=9\n");
}

}  // namespace
}  // namespace vxlo
