// The tool tried as a hostile or unlucky user would: nothing is reported as
// done that was not done.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sstream>

#include "cli/VxloTool.h"
#include "import/ImportFixture.h"
#include "import/SgfCommentStore.h"
#include "support/FaultySqliteVfs.h"
#include "support/TableTranslator.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

class ToolReliabilityTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args, const ITranslator* translator = nullptr) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err, translator);
    }
    std::string File(const std::string& name) const { return dir / name; }
    bool ErrorNames(const std::string& path) const { return err.str().find(path) != std::string::npos; }
    bool Says(const std::string& text) const { return err.str().find(text) != std::string::npos; }
    std::string Store() const { return TCompanionDatabase::PathFor(File("a.jsk")); }
    // Three moves, two of them with comments.
    std::string CommentedGame() const {
        WriteBytes(File("c.sgf"), "(;SZ[19]C[root];B[pd]C[hoshi];W[dd])");
        return File("c.sgf");
    }
    int StoredComments() const {
        TSgfCommentStore store(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite));
        int n = 0;
        for (int rec = 0; rec < 4; ++rec) n += store.HasComment(rec) ? 1 : 0;
        return n;
    }

    TTempDir dir;
    std::ostringstream out, err;
};

// Another program reading the store holds its read transaction across the
// commit: after the bounded wait the merge says the comments were not stored.
TEST_F(ToolReliabilityTest, MergeCommitBlockedByAReaderIsAnErrorNotASummary) {
    { TSgfCommentStore create(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite)); create.Commit(); }
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(Store().c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM comments;", nullptr, nullptr, nullptr), SQLITE_OK);

    EXPECT_EQ(Run({"merge", "--sgf", File("a.jsk"), CommentedGame()}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(ErrorNames(Store())) << err.str();
    EXPECT_EQ(err.str(), "コメントファイルは他のプログラムが使用中です。SGF のコメントは保存されませんでした"
                         "（マージした手は定石ファイルに残っています）. " + Store() + "\n");
    // The store's own reason is part of the one sentence in another language too.
    const TTableTranslator english(std::map<std::string, std::string>{
        {"コメントファイルは他のプログラムが使用中です", "The comment file is in use by another program"},
        {"%1。SGF のコメントは保存されませんでした（マージした手は定石ファイルに残っています）",
         "%1. The SGF comments were not saved (the merged moves are in the dictionary)"}});
    EXPECT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("c.sgf")}, &english), 1);
    EXPECT_EQ(err.str(), "The comment file is in use by another program. The SGF comments were not saved "
                         "(the merged moves are in the dictionary) " + Store() + "\n");
    sqlite3_close(reader);

    EXPECT_EQ(FileRecords(File("a.jsk")).size(), 3u);  // the moves stay
    EXPECT_EQ(StoredComments(), 0);
    // Once the reader is gone the same merge stores them.
    EXPECT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("c.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF をマージしました。追加した手: 0、コメント: 2\n");
    EXPECT_EQ(StoredComments(), 2);
}

// Every write of the store's database, or every sync of its journal, fails
// from the k-th on, for each k until the merge no longer meets a fault:
// either the tool fails naming the store, or it succeeds with every comment
// stored; never a success past a fault.
TEST_F(ToolReliabilityTest, InjectedStoreFailuresAreReportedWithTheStoreName) {
    struct TCase {
        TFaultySqliteVfs::EOperation operation;
        const char* suffix;
        int code;
    };
    const TCase cases[] = {
        {TFaultySqliteVfs::EOperation::Write, ".comments.sqlite", SQLITE_FULL},
        {TFaultySqliteVfs::EOperation::Sync, ".comments.sqlite-journal", SQLITE_IOERR_FSYNC},
        {TFaultySqliteVfs::EOperation::Write, ".comments.sqlite-journal", SQLITE_IOERR_WRITE},
    };
    int failures = 0;
    for (const TCase& c : cases) {
        for (int k = 1; k < 50; ++k) {
            std::filesystem::remove(File("a.jsk"));
            std::filesystem::remove(Store());
            { TSgfCommentStore create(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite)); create.Commit(); }
            int status = 0;
            int faults = 0;
            {
                TFaultySqliteVfs vfs;
                vfs.Arm(c.operation, c.suffix, k, c.code);
                status = Run({"merge", "--sgf", File("a.jsk"), CommentedGame()});
                faults = vfs.Faults();
            }
            if (faults == 0) {
                EXPECT_EQ(status, 0) << err.str();
                EXPECT_EQ(StoredComments(), 2);
                break;
            }
            ++failures;
            EXPECT_EQ(status, 1) << "k=" << k << " " << out.str();
            EXPECT_EQ(out.str(), "") << "k=" << k;
            EXPECT_TRUE(ErrorNames(Store())) << "k=" << k << " " << err.str();
        }
    }
    EXPECT_GE(failures, 3);  // each kind of fault was met at least once
}

TEST_F(ToolReliabilityTest, ExportRefusesTheCompanionFilesAndForeignFiles) {
    WriteBytes(File("g.sgf"), "(;SZ[19];B[pd]C[note];W[dd])");
    ASSERT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("g.sgf")}), 0) << err.str();
    const std::string storeBytes = FileBytes(Store());
    std::filesystem::create_symlink(Store(), File("link.sgf"));
    for (const std::string& target : {Store(), File("link.sgf"), Store() + "-journal"}) {
        for (const bool force : {false, true}) {
            std::vector<std::string> args{"export-sgf"};
            if (force) args.push_back("--force");
            args.insert(args.end(), {File("a.jsk"), target});
            EXPECT_EQ(Run(args), 1) << target;
            EXPECT_TRUE(Says("コメントファイル")) << err.str();
            EXPECT_TRUE(ErrorNames(target)) << err.str();
        }
    }
    EXPECT_EQ(FileBytes(Store()), storeBytes);
    EXPECT_FALSE(std::filesystem::exists(Store() + "-journal"));

    // Another SQLite file, or any file the SGF reader does not take, only with --force.
    WriteBytes(File("other.db"), std::string("SQLite format 3\0rest", 20));
    EXPECT_EQ(Run({"export-sgf", File("a.jsk"), File("other.db")}), 1);
    EXPECT_TRUE(ErrorNames(File("other.db"))) << err.str();
    EXPECT_EQ(FileBytes(File("other.db")), std::string("SQLite format 3\0rest", 20));
    EXPECT_EQ(Run({"export-sgf", "--force", File("a.jsk"), File("other.db")}), 0) << err.str();
    EXPECT_EQ(FileBytes(File("other.db")).rfind("(;GM[1]", 0), 0u);
    // An SGF text, or an empty file, is replaced as before.
    EXPECT_EQ(Run({"export-sgf", File("a.jsk"), File("g.sgf")}), 0) << err.str();
    EXPECT_NE(FileBytes(File("g.sgf")).find("C[note]"), std::string::npos);
}

// A Latin-1 file without CA: the Shift_JIS guess would swallow the "]"
// after "é". The moves must be those of an ASCII reading; only text differs.
TEST_F(ToolReliabilityTest, AGuessedCharsetNeverChangesTheMoves) {
    const std::string latin = "(;SZ[19]PB[Jos\xE9]PW[Ren\xE9];B[pd]C[caf\xE9];W[dd];B[pq])";
    const std::string ascii = "(;SZ[19]PB[Jose]PW[Rene];B[pd]C[cafe];W[dd];B[pq])";
    WriteBytes(File("latin.sgf"), latin);
    WriteBytes(File("ascii.sgf"), ascii);
    ASSERT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("latin.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "SGF をマージしました。追加した手: 3、コメント: 1 "
              "文字コードの指定がないため、コメントなどの文字は推測して読みました\n");
    ASSERT_EQ(Run({"merge", "--sgf", File("b.jsk"), File("ascii.sgf")}), 0) << err.str();
    EXPECT_EQ(FileBytes(File("a.jsk")), FileBytes(File("b.jsk")));
    {
        TSgfCommentStore comments(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite));
        EXPECT_EQ(comments.GetComment(1), "café");
    }
    ASSERT_EQ(Run({"import", File("c.jsk"), File("latin.sgf")}), 0) << err.str();
    EXPECT_EQ(FileBytes(File("c.jsk")), FileBytes(File("b.jsk")));
}

// Random files of ASCII structure with random high bytes in their texts:
// whatever the bytes, the moves are those of the ASCII reading.
TEST_F(ToolReliabilityTest, RandomHighBytesInTextsLeaveTheMovesAsAsciiReadsThem) {
    unsigned seed = 7;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    int guessed = 0;
    for (int round = 0; round < 200; ++round) {
        std::string text, plain;
        text = plain = "(;SZ[19]";
        for (int move = 0; move < 6; ++move) {
            const std::string point{static_cast<char>('a' + next(19)), static_cast<char>('a' + next(19))};
            text += std::string(move % 2 ? ";W[" : ";B[") + point + "]C[";
            plain += std::string(move % 2 ? ";W[" : ";B[") + point + "]C[";
            for (unsigned k = next(4); k > 0; --k) {
                const char c = static_cast<char>(next(3) == 0 ? 0x80 + next(128) : 'a' + next(26));
                text += c;
                plain += (c & 0x80) ? 'x' : c;
            }
            text += "]";
            plain += "]";
        }
        text += ")";
        plain += ")";
        std::filesystem::remove(File("r.jsk"));
        std::filesystem::remove(File("p.jsk"));
        WriteBytes(File("r.sgf"), text);
        WriteBytes(File("p.sgf"), plain);
        ASSERT_EQ(Run({"import", File("r.jsk"), File("r.sgf")}), 0) << err.str();
        ASSERT_EQ(Run({"import", File("p.jsk"), File("p.sgf")}), 0) << err.str();
        ASSERT_EQ(FileBytes(File("r.jsk")), FileBytes(File("p.jsk"))) << text;
        guessed += text != plain ? 1 : 0;
    }
    EXPECT_GT(guessed, 150);
}

TEST_F(ToolReliabilityTest, CheckReadsTheRootChainAsTheMergeDoes) {
    // Record 0 holds the root role (Aux 1) and points past the end.
    WriteBytes(File("bad.jsk"), RecordBytes({TJskRecord{0, 0, 0, 1, 5, 0}, Move(4, 4)}));
    EXPECT_EQ(Run({"merge", File("a.jsk"), File("bad.jsk")}), 1);
    EXPECT_EQ(Run({"check", File("bad.jsk")}), 1);
    EXPECT_NE(out.str().find("record 0: the root chain starts at record 5, past the end of the file"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find(" 1 problems"), std::string::npos) << out.str();

    // A lone placeholder (and a partial record after it) is an empty
    // dictionary to check and the export alike (the merge keeps the old
    // program's read past the end for it).
    WriteBytes(File("empty.jsk"), RecordBytes({TJskRecord{}}) + std::string(8, '\0'));
    EXPECT_EQ(Run({"check", File("empty.jsk")}), 0) << out.str();
    EXPECT_EQ(Run({"export-sgf", File("empty.jsk"), File("empty.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "0 moves written\n");
}

TEST_F(ToolReliabilityTest, NamedInputsThatImportNothingAreErrors) {
    EXPECT_EQ(Run({"import", File("a.jsk"), File("no/such/folder")}), 1);
    EXPECT_TRUE(ErrorNames(File("no/such/folder"))) << err.str();
    WriteBytes(File("typo.txt"), "MOV\r\nD04\r\n");
    EXPECT_EQ(Run({"import", File("a.jsk"), File("typo.txt")}), 1);
    EXPECT_TRUE(ErrorNames(File("typo.txt"))) << err.str();
    WriteBytes(File("notes/readme.txt"), "x");
    EXPECT_EQ(Run({"import", File("a.jsk"), File("notes")}), 1);
    EXPECT_TRUE(ErrorNames(File("notes"))) << err.str();
    EXPECT_FALSE(std::filesystem::exists(File("a.jsk")));  // refused before anything was done
}

TEST_F(ToolReliabilityTest, Ig1RowThatIsNoNumberNamesFileAndLineAndEscapesBytes) {
    WriteBytes(File("bad.IG1"), "MOV\r\nD04 Q16\r\nC03 D\x8A\x01 Q04\r\n");
    EXPECT_EQ(Run({"import", File("a.jsk"), File("bad.IG1")}), 1);
    EXPECT_EQ(err.str(), "'\\x8A\\x01' は整数ではありません（3 行目）. " + File("bad.IG1") + "\n");
    EXPECT_EQ(FileRecords(File("a.jsk")).size(), 4u);  // the moves before it stay
}

TEST_F(ToolReliabilityTest, BulkWalkPassesOverMalformedSgfAndListsItAtTheEnd) {
    WriteBytes(File("games/a.sgf"), "(;SZ[19];B[pd];W[dd])");
    WriteBytes(File("games/b.sgf"), "(;SZ[19];B[pd]C[open");
    WriteBytes(File("games/c.IG1"), "MOV\r\nC03\r\n");
    EXPECT_EQ(Run({"import", "--mask", "*.*", File("a.jsk"), File("games")}), 1);
    EXPECT_EQ(FileRecords(File("a.jsk")).size(), 4u);  // a and c, b passed over
    const std::string e = err.str();
    EXPECT_EQ(e.rfind("取り込めなかったファイル: 1\n", 0), 0u) << e;
    EXPECT_NE(e.find(File("games/b.sgf") + ": SGF の形式が正しくありません"), std::string::npos) << e;
    EXPECT_EQ(e.find("a.sgf"), std::string::npos) << e;

    // An IG1 conversion error still ends the whole walk.
    WriteBytes(File("games/b.sgf"), "(;SZ[19];B[qq])");
    WriteBytes(File("games/c.IG1"), "MOV\r\nC0X\r\n");
    EXPECT_EQ(Run({"import", "--mask", "*.*", File("d.jsk"), File("games")}), 1);
    EXPECT_NE(err.str().find("'0X' は整数ではありません"), std::string::npos) << err.str();
}

// dump, check and export-sgf take no write access: they work on read-only
// files, beside each other, and a writer excludes them.
TEST_F(ToolReliabilityTest, ReadOnlyCommandsNeedNoWriteAccess) {
    WriteBytes(File("g.sgf"), "(;SZ[19];B[pd]C[note];W[dd])");
    ASSERT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("g.sgf")}), 0) << err.str();
    const std::string before = FileBytes(File("a.jsk"));
    const std::string storeBefore = FileBytes(Store());
    std::filesystem::permissions(File("a.jsk"), std::filesystem::perms::owner_read);
    std::filesystem::permissions(Store(), std::filesystem::perms::owner_read);
    {
        TRecordFile otherReader(File("a.jsk"), TRecordFile::Mode::ReadShared);
        EXPECT_EQ(Run({"dump", File("a.jsk")}), 0) << err.str();
        EXPECT_EQ(out.str(), "0 0 0 0 0 0 0\n1 16 4 0 100 2 0\n2 4 4 0 100 0 0\n");
        EXPECT_EQ(Run({"check", File("a.jsk")}), 0) << err.str();
        EXPECT_EQ(Run({"export-sgf", File("a.jsk"), File("out.sgf")}), 0) << err.str();
        EXPECT_NE(FileBytes(File("out.sgf")).find("C[note]"), std::string::npos);
    }
    EXPECT_EQ(FileBytes(File("a.jsk")), before);
    EXPECT_EQ(FileBytes(Store()), storeBefore);
    EXPECT_EQ(Run({"dump", File("missing.jsk")}), 1);
    EXPECT_FALSE(std::filesystem::exists(File("missing.jsk")));

    std::filesystem::permissions(File("a.jsk"), std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_write);
    TRecordFile writer(File("a.jsk"), TRecordFile::Mode::ReadWriteCreate);
    EXPECT_EQ(Run({"dump", File("a.jsk")}), 1);
    EXPECT_TRUE(ErrorNames(File("a.jsk"))) << err.str();
}

}  // namespace
}  // namespace vxlo::testing
