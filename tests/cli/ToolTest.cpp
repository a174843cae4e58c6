#include <gtest/gtest.h>

#include <sstream>

#include "cli/VxloTool.h"
#include "import/ImportFixture.h"
#include "support/TableTranslator.h"

namespace vxlo::testing {
namespace {

class ToolTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();  // the tool opens the dictionary itself
        tool = (dir / "tool.jsk").string();
    }
    int Run(const std::vector<std::string>& args, const ITranslator* translator = nullptr) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err, translator);
    }
    std::string tool;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ToolTest, ImportThenDumpWithRefusalsOnStderr) {
    const std::string a = Ig1("a.IG1", "MOV\r\nD04 Q16 B01 T19 A02 A01 C03\r\n");
    EXPECT_EQ(Run({"import", tool, a}), 0);
    EXPECT_EQ(err.str(), std::string(kSuicideText) + "\n");
    EXPECT_EQ(FileBytes(tool), RecordBytes({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 3), Move(2, 1, 4),
                                            Move(19, 19, 5), Move(1, 2)}));
    EXPECT_EQ(Run({"import", "--limit", "1", tool, Ig1("b.IG1", "MOV\r\nQ04 C16\r\n")}), 0);
    EXPECT_EQ(Run({"dump", tool}), 0);
    EXPECT_EQ(out.str(),
              "0 0 0 0 0 0 0\n1 4 4 0 100 2 6\n2 16 16 0 100 3 0\n3 2 1 0 100 4 0\n"
              "4 19 19 0 100 5 0\n5 1 2 0 100 0 0\n6 16 4 0 100 0 0\n");
}

TEST_F(ToolTest, FoldersAreWalkedWithMaskOrRecursively) {
    Ig1("games/a.IG1", "MOV\r\nD04\r\n");
    Ig1("games/b.sgf1", "MOV\r\nQ16\r\n");
    Ig1("games/sub/c.IG1", "MOV\r\nC03\r\n");
    // b.sgf1 is no IG1 name: a folder that offers nothing to import is an error.
    EXPECT_EQ(Run({"import", "--mask=*.sgf1", tool, (dir / "games").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(tool));
    EXPECT_EQ(Run({"import", tool, (dir / "games").string()}), 0);
    EXPECT_EQ(FileRecords(tool).size(), 2u);
    EXPECT_EQ(Run({"import", "--recursive", "--limit", "0", tool, (dir / "games").string()}), 0);
    EXPECT_EQ(FileRecords(tool).size(), 3u);
}

TEST_F(ToolTest, MergeBothFormats) {
    WriteBytes(dir / "v4.jsk", RecordBytes({TJskRecord{}, Move(4, 4, 2), Move(16, 16)}));
    EXPECT_EQ(Run({"merge", tool, (dir / "v4.jsk").string()}), 0);
    WriteBytes(dir / "v1.jsk", std::string("\x03\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12));
    EXPECT_EQ(Run({"merge", "--v1", tool, (dir / "v1.jsk").string()}), 0);
    EXPECT_EQ(FileBytes(tool), RecordBytes({TJskRecord{}, Move(4, 4, 2, 3), Move(16, 16), Move(3, 3)}));
    EXPECT_TRUE(err.str().empty());
}

TEST_F(ToolTest, ErrorsEndWithStatusOneAndUsageErrorsWithTwo) {
    EXPECT_EQ(Run({"import", tool, (dir / "missing.IG1").string()}), 1);
    EXPECT_EQ(err.str(), "ファイルが見つかりません. " + (dir / "missing.IG1").string() + "\n");
    EXPECT_EQ(Run({"import", tool, Ig1("bad.IG1", "MOV\r\nD04 PASS\r\n")}), 1);
    EXPECT_EQ(err.str(), "'AS' は整数ではありません（2 行目）. " + (dir / "bad.IG1").string() + "\n");
    WriteBytes(dir / "empty.jsk", "");
    EXPECT_EQ(Run({"merge", tool, (dir / "empty.jsk").string()}), 1);
    EXPECT_EQ(err.str().rfind("ファイルの末尾以降を読み込みました.", 0), 0u);
    // The window holds the dictionary: the tool is refused, the file untouched.
    const std::string before = FileBytes(tool);
    nav.OpenFile(tool);
    EXPECT_EQ(Run({"import", tool, Ig1("c.IG1", "MOV\r\nC03\r\n")}), 1);
    EXPECT_NE(err.str().find("この定石ファイルは他のプログラムが開いています"), std::string::npos);
    nav.CloseFile();
    EXPECT_EQ(FileBytes(tool), before);

    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"frobnicate", tool}), 2);
    EXPECT_EQ(Run({"import", tool}), 2);
    EXPECT_EQ(Run({"import", "--limit", "many", tool, "x.IG1"}), 2);
    EXPECT_EQ(Run({"import", "--limit"}), 2);
    EXPECT_EQ(Run({"merge", "--recursive", tool, "x.jsk"}), 2);
    EXPECT_EQ(Run({"dump"}), 2);
    EXPECT_NE(err.str().find("usage:"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("vxlo-tool merge [--v1] DICTIONARY SOURCE"), std::string::npos);
}

TEST_F(ToolTest, TheCoresMessagesAreShownInTheTranslatorsLanguageAndTheToolsOwnStayEnglish) {
    const TTableTranslator english(std::map<std::string, std::string>{
        {"禁じ手：打ったと同時に取られてしまう手", "Illegal move: it would be captured at once"},
        {"ファイルが見つかりません", "File not found"},
        {"'%1' は整数ではありません", "'%1' is not an integer"},
        {"'%1' は整数ではありません（%2 行目）", "'%1' is not an integer (line %2)"},
        {"SGF をマージしました。追加した手: %1", "SGF merged. Moves added: %1"},
        {"、コメント: %1", ", comments: %1"},
        {"取り込める棋譜ファイル（IG1、SGF）ではありません", "Not a game record file that can be imported (IG1, SGF)"}});
    EXPECT_EQ(Run({"import", tool, Ig1("a.IG1", "MOV\r\nD04 Q16 B01 T19 A02 A01 C03\r\n")}, &english), 0);
    EXPECT_EQ(err.str(), "Illegal move: it would be captured at once\n");
    EXPECT_EQ(Run({"import", tool, (dir / "missing.IG1").string()}, &english), 1);
    EXPECT_EQ(err.str(), "File not found. " + (dir / "missing.IG1").string() + "\n");
    EXPECT_EQ(Run({"import", tool, Ig1("bad.IG1", "MOV\r\nD04 PASS\r\n")}, &english), 1);
    EXPECT_EQ(err.str(), "'AS' is not an integer (line 2) " + (dir / "bad.IG1").string() + "\n");
    EXPECT_EQ(Run({"import", tool, Ig1("notes.txt", "MOV\r\nD04\r\n")}, &english), 1);
    EXPECT_EQ(err.str(), "Not a game record file that can be imported (IG1, SGF) " + (dir / "notes.txt").string() + "\n");
    // A usage error names the core's reason in the user's language, then the tool's own usage.
    EXPECT_EQ(Run({"import", "--limit", "many", tool, "x.IG1"}, &english), 2);
    EXPECT_EQ(err.str().rfind("vxlo-tool: 'many' is not an integer\nusage:\n", 0), 0u) << err.str();
    EXPECT_EQ(Run({"path", tool, "first"}, &english), 2);
    EXPECT_EQ(err.str().rfind("vxlo-tool: 'first' is not an integer\nusage:\n", 0), 0u) << err.str();

    const std::string sgf = (dir / "tree.sgf").string();
    WriteBytes(sgf, "(;GM[1]SZ[19]C[root note](;B[pd]C[hoshi];W[qc])(;B[dd]))");
    const std::string fresh = (dir / "fresh.jsk").string();
    EXPECT_EQ(Run({"merge", "--sgf", fresh, sgf}, &english), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF merged. Moves added: 3, comments: 2\n");
    EXPECT_EQ(Run({"merge", "--sgf", fresh, sgf}), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF をマージしました。追加した手: 0\n");
}

TEST_F(ToolTest, CheckReportsDamageWithRecordNumbersAndItsExitStatus) {
    EXPECT_EQ(Run({"import", tool, Ig1("a.IG1", "MOV\r\nD04 Q16\r\n")}), 0);
    EXPECT_EQ(Run({"check", tool}), 0);
    EXPECT_EQ(out.str(), "3 records, 2 reachable, 0 unreachable, 0 problems\n");
    // A hand edit: the reply links back to the first move, and a More past the end.
    WriteBytes(tool, RecordBytes({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 1, 9)}));
    EXPECT_EQ(Run({"check", tool}), 1);
    EXPECT_NE(out.str().find("record 2: More 9 is past the end of the file"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("record 1: reached twice"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"check", (dir / "missing.jsk").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.jsk"));
    EXPECT_EQ(Run({"check"}), 2);
}

}  // namespace
}  // namespace vxlo::testing
