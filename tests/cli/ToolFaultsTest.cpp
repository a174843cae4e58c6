// vxlo-tool against what a hostile user does: run beside the window, on
// read-only files, on bytes no program of ours wrote, on inputs that fail.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/VxloTool.h"
#include "dictionary/RecordFile.h"
#include "import/ImportFixture.h"
#include "import/RandomGame.h"
#include "companion/CommentStore.h"
#include "companion/CompanionDatabase.h"

namespace vxlo::testing {
namespace {

namespace fs = std::filesystem;

class ToolFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vxlo-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        WriteBytes(dir / name, text);
        return Path(name);
    }
    // The files of the folder with a hash of their bytes: what a command
    // left behind.
    std::map<std::string, std::size_t> Folder() const {
        std::map<std::string, std::size_t> files;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const bool file = entry.is_regular_file();
            files[entry.path().filename()] = file ? std::hash<std::string>{}(FileBytes(entry.path())) : 0;
        }
        return files;
    }
    // A dictionary with one corner line and its game count, and a comment.
    std::string CountedDictionary() {
        const std::string d = Path("d.jsk");
        EXPECT_EQ(Run({"merge", "--sgf", d, Write("c.sgf", "(;SZ[19]C[the empty board])")}), 0) << err.str();
        EXPECT_EQ(Run({"import", "--corners", d, Write("g.sgf", "(;SZ[19];B[pd];W[qc];B[qd])")}), 0) << err.str();
        return d;
    }
    fs::path dir;
    std::ostringstream out;
    std::ostringstream err;
};

const std::vector<std::vector<std::string>> kReaders = {
    {"stats", "--json", "D"},    {"stats", "--json", "D", "16,4"}, {"path", "--json", "D", "1"},
    {"search", "--json", "D", "empty"}, {"find", "--json", "D", "16,4"}, {"corner", "--json", "D", "16,4"},
    {"practice-status", "--json", "D"}, {"dump", "D"}, {"check", "D"}, {"export-sgf", "D", "OUT"},
};

std::vector<std::string> WithDictionary(std::vector<std::string> args, const std::string& d, const std::string& o) {
    for (std::string& a : args) {
        if (a == "D") a = d;
        if (a == "OUT") a = o;
    }
    return args;
}

TEST_F(ToolFaultsTest, ReadersWorkBesideAnotherReaderAndChangeNothing) {
    const std::string d = CountedDictionary();
    const std::string exported = (dir.parent_path() / (dir.filename().string() + "-out.sgf")).string();
    const auto before = Folder();
    TRecordFile reader(d, TRecordFile::Mode::ReadShared);
    for (const auto& args : kReaders) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(Run(WithDictionary(args, d, exported)), 0) << err.str();
        EXPECT_EQ(Folder(), before);
    }
    fs::remove(exported);
}

TEST_F(ToolFaultsTest, ReadersWorkOnReadOnlyFiles) {
    const std::string d = CountedDictionary();
    const std::string exported = (dir.parent_path() / (dir.filename().string() + "-out.sgf")).string();
    for (const auto& entry : fs::directory_iterator(dir)) ::chmod(entry.path().c_str(), 0444);
    const auto before = Folder();
    for (const auto& args : kReaders) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(Run(WithDictionary(args, d, exported)), 0) << err.str();
        EXPECT_EQ(Folder(), before);
    }
    fs::remove(exported);
    // A reader never makes a dictionary that is not there.
    EXPECT_EQ(Run({"stats", "--json", Path("none.jsk")}), 1);
    EXPECT_NE(err.str().find("none.jsk"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(Path("none.jsk")));
}

TEST_F(ToolFaultsTest, WritersAreRefusedWhileTheWindowHoldsTheDictionary) {
    const std::string d = CountedDictionary();
    const std::string game = Write("more.sgf", "(;SZ[19];B[dd];W[cc])");
    const std::string other = Path("other.jsk");
    ASSERT_EQ(Run({"import", other, game}), 0) << err.str();
    const std::vector<std::vector<std::string>> writers = {
        {"clear-evidence", d},          {"import", d, game},   {"import", "--corners", d, game},
        {"merge", "--sgf", d, game},    {"merge", d, other},   {"check", "--repair", d},
    };
    const auto before = Folder();
    {
        TRecordFile window(d, TRecordFile::Mode::ReadWriteCreate);
        for (const auto& args : writers) {
            SCOPED_TRACE(args[0] + " " + args[1]);
            EXPECT_EQ(Run(args), 1) << out.str();
            EXPECT_NE(err.str().find("d.jsk"), std::string::npos) << err.str();
            EXPECT_EQ(Folder(), before);
        }
    }
    ASSERT_EQ(Run({"stats", "--json", d}), 0) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["games"], 1) << out.str();
}

// Bytes that are not UTF-8, as another program may have stored them.
void StoreRawComment(const std::string& dictionary, int rec, const std::string& bytes) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(TCompanionDatabase::PathFor(dictionary).c_str(), &db), SQLITE_OK);
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO comments (rec, comment) VALUES (?1, ?2)", -1, &s, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_bind_int(s, 1, rec);
    sqlite3_bind_text(s, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(s), SQLITE_DONE) << sqlite3_errmsg(db);
    sqlite3_finalize(s);
    sqlite3_close(db);
}

TEST_F(ToolFaultsTest, CommentBytesThatAreNotUtf8ComeOutAsReplacementCharacters) {
    const std::string d = CountedDictionary();
    struct TCase {
        std::string stored;
        std::string shown;  // as the JSON and the SGF text give it
    };
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD
    const TCase cases[] = {
        {"joseki \xFF end", "joseki " + r + " end"},
        {"joseki \xC3", "joseki " + r},                                  // cut off
        {"joseki \xE3\x81 \xE3\x81\x82", "joseki " + r + r + " \xE3\x81\x82"},
        {"joseki \xC0\xAF", "joseki " + r + r},                          // overlong "/"
        {"joseki \xED\xA0\x80", "joseki " + r + r + r},                  // a surrogate
        {"joseki \"]\\ \x01", "joseki \"]\\ \x01"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.shown);
        StoreRawComment(d, 1, c.stored);
        ASSERT_EQ(Run({"search", "--json", d, "joseki"}), 0) << err.str();
        const nlohmann::json found = nlohmann::json::parse(out.str());  // throws on bytes that are not UTF-8
        ASSERT_EQ(found.size(), 1u) << out.str();
        EXPECT_EQ(found[0]["snippet"], c.shown);
        const std::string sgf = Path("out.sgf");
        ASSERT_EQ(Run({"export-sgf", "--force", d, sgf}), 0) << err.str();
        const std::string text = FileBytes(sgf);
        EXPECT_NO_THROW(static_cast<void>(nlohmann::json(text).dump())) << "the SGF text is not UTF-8";
        std::string escaped;
        for (const char ch : c.shown) {
            if (ch == ']' || ch == '\\') escaped += '\\';
            escaped += ch;
        }
        EXPECT_NE(text.find("C[" + escaped + "]"), std::string::npos) << text;
    }
}

std::string SgfPoint(TPoint p) {
    return {static_cast<char>('a' + p.x - 1), static_cast<char>('a' + p.y - 1)};
}

std::string SgfGame(const std::vector<std::string>& moves) {
    std::string text = "(;SZ[19]";
    for (const std::string& m : moves) text += ";" + m;
    return text + ")";
}

// A line of 401 moves, made of legal moves or of passes between two moves.
std::vector<std::string> LongLine(bool passes) {
    std::vector<std::string> moves;
    const std::vector<TPoint> game = RandomGame(7, 401);
    for (int i = 0; i < 401; ++i) {
        const std::string colour = i % 2 == 0 ? "B" : "W";
        const bool pass = passes && i > 0 && i < 400;
        moves.push_back(colour + "[" + (pass ? "" : SgfPoint(game[static_cast<std::size_t>(i)])) + "]");
    }
    return moves;
}

// The dictionary's records, each followed through Next from the root, at
// most 400 deep: a line longer than the move path would be cut.
TEST_F(ToolFaultsTest, NoEntryPathGoesPastTheMovePathAndEveryResultChecksSound) {
    ASSERT_EQ(RandomGame(7, 401).size(), 401u);
    const std::vector<TPoint> game = RandomGame(7, 401);
    std::string ig1 = "INT 1\r\nMOV\r\n";
    for (const TPoint p : game) ig1 += Ig1Token(p) + " ";
    // A source dictionary whose one line is 401 moves deep (no program of
    // ours writes one).
    std::vector<TJskRecord> deep = {TJskRecord{0, 0, 0, 0, 1, 0}};
    for (int i = 0; i < 401; ++i) {
        const TPoint p = game[static_cast<std::size_t>(i)];
        deep.push_back(Move(p.x, p.y, i < 400 ? i + 2 : 0));
    }
    struct TCase {
        const char* name;
        std::vector<std::string> args;  // D is the dictionary, S the source
        std::string source;
        std::string sourceName;
        std::int64_t records;  // what the dictionary holds after it
    };
    const std::vector<TCase> cases = {
        {"merge of 401 moves", {"merge", "--sgf", "D", "S"}, SgfGame(LongLine(false)), "s.sgf", 401},
        {"merge of a move, 399 passes and a move", {"merge", "--sgf", "D", "S"}, SgfGame(LongLine(true)), "s.sgf", 3},
        {"merge of two passes after the 398th move",
         {"merge", "--sgf", "D", "S"},
         SgfGame([] {
             std::vector<std::string> m = LongLine(false);
             m.resize(398);
             m.insert(m.end(), {"B[]", "W[]", "B[aa]"});
             return m;
         }()),
         "s.sgf",
         400},
        {"import of 401 moves", {"import", "D", "S"}, SgfGame(LongLine(false)), "s.sgf", 401},
        {"import of 401 moves of IG1", {"import", "D", "S"}, ig1, "s.IG1", 401},
        {"merge of a dictionary 401 moves deep", {"merge", "D", "S"}, RecordBytes(deep), "s.jsk", 401},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = Path("d.jsk");
        const std::string source = Write(c.sourceName, c.source);
        std::vector<std::string> args = c.args;
        for (std::string& a : args) {
            if (a == "D") a = d;
            if (a == "S") a = source;
        }
        ASSERT_EQ(Run(args), 0) << err.str();
        EXPECT_EQ(static_cast<std::int64_t>(FileRecords(d).size()), c.records);
        EXPECT_EQ(Run({"check", d}), 0) << out.str();
        fs::remove(d);
        fs::remove(Path("d.comments.sqlite"));
    }
}

TEST_F(ToolFaultsTest, AFailedMergeOrImportCreatesNothing) {
    fs::create_directory(dir / "folder");
    Write("big.sgf", "(;SZ[52];B[pd];W[qc])");
    Write("broken.sgf", "(;SZ[19];B[pd];W[qc]");
    struct TCase {
        std::vector<std::string> args;
        int status;
    };
    const std::string d = Path("new.jsk");
    const std::vector<TCase> cases = {
        {{"merge", "--sgf", d, Path("missing.sgf")}, 1}, {{"merge", "--sgf", d, Path("folder")}, 1},
        {{"merge", "--sgf", d, Path("big.sgf")}, 0},     {{"merge", "--sgf", d, Path("broken.sgf")}, 1},
        {{"merge", d, Path("missing.jsk")}, 1},          {{"merge", d, Path("folder")}, 1},
        {{"import", d, Path("broken.sgf")}, 1},
    };
    const auto before = Folder();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        EXPECT_EQ(Run(c.args), c.status) << err.str();
        if (c.status != 0) {
            EXPECT_NE(err.str().find(fs::path(c.args.back()).filename().string()), std::string::npos) << err.str();
        }
        EXPECT_EQ(Folder(), before);
    }
}

}  // namespace
}  // namespace vxlo::testing
