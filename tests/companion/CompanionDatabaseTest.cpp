// The one owner of the companion file: what it takes as its own, what it
// refuses and leaves alone, how stores of an earlier version keep their rows,
// and transactions nested across stores.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "RecordsSupport.h"
#include "core/VxloError.h"
#include "import/SgfCommentStore.h"
#include "practice/PracticeStore.h"
#include "companion/CommentSearch.h"
#include "companion/EvidenceStore.h"
#include "companion/MarkupStore.h"

namespace vxlo {
namespace {

using testing::FileBytes;
using testing::TTempDir;
using testing::WriteBytes;
using EAccess = TCompanionDatabase::EAccess;

class CompanionDatabaseTest : public ::testing::Test {
protected:
    std::string Dictionary() const { return dir / "main.jsk"; }
    std::string Store() const { return dir / "main.comments.sqlite"; }
    // Runs SQL on the file as another program would.
    void ByHand(const char* sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Store().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
        const std::string text = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << text;
    }
    int Count(const char* sql) const {
        sqlite3* db = nullptr;
        sqlite3_open_v2(Store().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        const int n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : -1;
        sqlite3_finalize(s);
        sqlite3_close(db);
        return n;
    }
    TTempDir dir;
};

// Every way in: opening for reading, for writing, and the first table a
// writer makes.
const std::vector<std::pair<const char*, std::function<void(const std::string&)>>>& Openers() {
    static const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> openers = {
        {"read", [](const std::string& d) { TEvidenceStore(OpenCompanion(d, EAccess::ReadOnly)).Any(); }},
        {"write", [](const std::string& d) { OpenCompanion(d, EAccess::ReadWrite); }},
        {"evidence", [](const std::string& d) { TEvidenceStore(OpenCompanion(d, EAccess::ReadWrite)).PrepareWrite(); }},
        {"practice", [](const std::string& d) { TPracticeStore store(OpenCompanion(d, EAccess::ReadWrite)); }},
        {"comments", [](const std::string& d) { TSgfCommentStore(OpenCompanion(d, EAccess::ReadWrite)).Commit(); }},
    };
    return openers;
}

TEST_F(CompanionDatabaseTest, AFileThatIsNotOursIsRefusedByNameAndLeftAsItIs) {
    struct TCase {
        const char* name;
        const char* sql;  // nullptr: the bytes below instead of a database
        std::vector<char> bytes;
    };
    const std::vector<TCase> cases = {
        {"no database", nullptr, std::vector<char>(4096, 0x5a)},
        {"text", nullptr, {'h', 'e', 'l', 'l', 'o', '\n'}},
        {"foreign tables only", "CREATE TABLE games (id INTEGER, sgf TEXT); INSERT INTO games VALUES (1, 'x')", {}},
        {"comments of another shape", "CREATE TABLE comments (id INTEGER, body TEXT)", {}},
        {"evidence without its key", "CREATE TABLE evidence (rec INTEGER, games INTEGER, starter_wins INTEGER, "
                                     "starter_losses INTEGER, first_year INTEGER, last_year INTEGER)", {}},
        {"a view of our name", "CREATE TABLE t (rec INTEGER, comment TEXT); CREATE VIEW comments AS SELECT * FROM t", {}},
        {"practice lacking a column", "CREATE TABLE practice (rec INTEGER PRIMARY KEY, reps INTEGER)", {}},
    };
    for (const TCase& c : cases) {
        std::filesystem::remove(Store());
        if (c.sql) {
            ByHand(c.sql);
        } else {
            WriteBytes(Store(), c.bytes);
        }
        const std::vector<char> before = FileBytes(Store());
        for (const auto& [how, open] : Openers()) {
            try {
                open(Dictionary());
                ADD_FAILURE() << c.name << ": taken by " << how;
            } catch (const EFileRefused& e) {
                EXPECT_EQ(e.FileName(), Store()) << c.name << ", " << how;
            }
            EXPECT_EQ(FileBytes(Store()), before) << c.name << ", " << how;
        }
    }
}

TEST_F(CompanionDatabaseTest, AZeroByteFileIsAnEmptyStoreOfOurs) {
    for (const auto& [how, open] : Openers()) {
        WriteBytes(Store(), {});
        EXPECT_NO_THROW(open(Dictionary())) << how;
    }
    // A reader finds it empty; a writer puts its table in.
    WriteBytes(Store(), {});
    TEvidenceStore reader(OpenCompanion(Dictionary(), EAccess::ReadOnly));
    EXPECT_FALSE(reader.Any());
    TEvidenceStore writer(OpenCompanion(Dictionary(), EAccess::ReadWrite));
    writer.Count(0, EStarterResult::Won, 2001);
    writer.Flush();
    EXPECT_EQ(Count("SELECT games FROM evidence WHERE rec = 0"), 1);
}

TEST_F(CompanionDatabaseTest, ReadersNeverMakeTheFileOrATable) {
    const TCompanion missing = OpenCompanion(Dictionary(), EAccess::ReadOnly);
    EXPECT_FALSE(TPracticeStore(missing).Find(0));
    EXPECT_FALSE(TEvidenceStore(missing).Get(0));
    EXPECT_TRUE(TMarkupStore(missing).GetMarkup(0).empty());
    EXPECT_FALSE(TSgfCommentStore(missing).GetComment(0));
    EXPECT_TRUE(TCommentSearch(missing).Find("abc").empty());
    EXPECT_FALSE(std::filesystem::exists(Store()));
    // A writer that only opens makes nothing either.
    OpenCompanion(Dictionary(), EAccess::ReadWrite);
    EXPECT_FALSE(std::filesystem::exists(Store()));

    ByHand("CREATE TABLE practice (rec INTEGER PRIMARY KEY, reps INTEGER, lapses INTEGER, "
           "interval_days REAL, due TEXT)");
    const TCompanion reader = OpenCompanion(Dictionary(), EAccess::ReadOnly);
    EXPECT_TRUE(TMarkupStore(reader).GetMarkup(0).empty());
    EXPECT_FALSE(TSgfCommentStore(reader).GetComment(0));
    EXPECT_THROW(reader->Ensure(ECompanionTable::Markup), EFileRefused);
    EXPECT_EQ(Count("SELECT count(*) FROM sqlite_schema WHERE type = 'table'"), 1);
}

// The tables as the previous version made them, each by its own statement,
// with rows: every row is there after every store has opened the file.
TEST_F(CompanionDatabaseTest, AStoreOfTheEarlierVersionKeepsEveryRow) {
    ByHand("CREATE TABLE comments (rec INTEGER PRIMARY KEY, comment TEXT);"
           "INSERT INTO comments VALUES (0, 'the empty board'), (3, '三々 invasion'), (7, '');"
           "CREATE TABLE markup (rec INTEGER NOT NULL, kind INTEGER NOT NULL, x INTEGER NOT NULL, "
           "  y INTEGER NOT NULL, label TEXT);"
           "INSERT INTO markup VALUES (3, 1, 16, 4, 'A'), (3, 2, 4, 4, NULL);"
           "CREATE TABLE evidence (rec INTEGER PRIMARY KEY, games INTEGER NOT NULL, "
           "  starter_wins INTEGER NOT NULL, starter_losses INTEGER NOT NULL, "
           "  first_year INTEGER NOT NULL, last_year INTEGER NOT NULL);"
           "INSERT INTO evidence VALUES (0, 12, 5, 6, 1990, 2020), (3, 4, 1, 2, 0, 0);"
           "CREATE TABLE practice (rec INTEGER PRIMARY KEY, reps INTEGER, lapses INTEGER, "
           "  interval_days REAL, due TEXT);"
           "INSERT INTO practice VALUES (3, 2, 1, 6.0, '2024-05-01');");
    const TCompanion db = OpenCompanion(Dictionary(), EAccess::ReadWrite);
    TSgfCommentStore comments(db);
    TMarkupStore markup(db);
    TEvidenceStore evidence(db);
    evidence.PrepareWrite();
    TPracticeStore practice(db);
    TCommentSearch search(db);
    comments.Commit();

    EXPECT_EQ(comments.GetComment(3), "三々 invasion");
    EXPECT_EQ(comments.GetComment(0), "the empty board");
    EXPECT_EQ(markup.GetMarkup(3), (TMarkupList{{EMarkupKind::Label, 16, 4, "A"}, {EMarkupKind::Triangle, 4, 4, ""}}));
    ASSERT_TRUE(evidence.Get(0));
    EXPECT_EQ(evidence.Get(0)->games, 12);
    EXPECT_EQ(evidence.Get(3)->lastYear, 0);
    ASSERT_TRUE(practice.Find(3));
    EXPECT_EQ(practice.Find(3)->lapses, 1);
    // The index the old store lacked is there, filled with what it held.
    ASSERT_EQ(search.Find("invasion").size(), 1u);
    EXPECT_EQ(search.Find("invasion")[0].record, 3);
    EXPECT_EQ(Count("SELECT count(*) FROM comments"), 3);
    EXPECT_EQ(Count("SELECT count(*) FROM markup"), 2);
    EXPECT_EQ(Count("SELECT count(*) FROM evidence"), 2);
    EXPECT_EQ(Count("SELECT count(*) FROM practice"), 1);
    // The index the old markup lacked comes with the first markup written.
    EXPECT_EQ(Count("SELECT count(*) FROM sqlite_schema WHERE name = 'markup_rec'"), 0);
    markup.PutMarkup(5, {{EMarkupKind::Cross, 1, 1, ""}});
    markup.Flush();
    EXPECT_EQ(Count("SELECT count(*) FROM sqlite_schema WHERE name = 'markup_rec'"), 1);
    EXPECT_EQ(Count("SELECT count(*) FROM markup"), 3);
}

// A trigger lost (another program's doing): the index is rebuilt, so writes
// that went by it are found again.
TEST_F(CompanionDatabaseTest, AMissingTriggerIsMadeAgainAndTheIndexRebuilt) {
    { TSgfCommentStore(OpenCompanion(Dictionary(), EAccess::ReadWrite)).Commit(); }
    ByHand("DROP TRIGGER comments_search_insert; INSERT INTO comments VALUES (5, 'hidden from the index')");
    TSgfCommentStore again(OpenCompanion(Dictionary(), EAccess::ReadWrite));
    again.Commit();
    TCommentSearch search(OpenCompanion(Dictionary(), EAccess::ReadOnly));
    ASSERT_EQ(search.Find("hidden").size(), 1u);
    EXPECT_EQ(Count("SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'"), 3);
}

// Two stores write under one transaction: one commit, or nothing at all.
TEST_F(CompanionDatabaseTest, StoresWritingInsideOneTransactionCommitOnce) {
    for (const bool commit : {false, true}) {
        std::filesystem::remove(Store());
        const TCompanion db = OpenCompanion(Dictionary(), EAccess::ReadWrite);
        {
            TCompanionTransaction outer(*db, "test");
            TSgfCommentStore comments(db);
            comments.PutComment(2, "nested");
            comments.Commit();
            TMarkupStore markup(db);
            markup.PutMarkup(2, {{EMarkupKind::Circle, 3, 3, ""}});
            markup.Flush();
            TEvidenceStore evidence(db);
            evidence.Count(2, EStarterResult::Lost, 0);
            evidence.Flush();
            // Nothing is in the file before the outer commit.
            EXPECT_EQ(Count("SELECT count(*) FROM sqlite_schema"), 0);
            if (commit) outer.Commit();
        }
        const TCompanion reader = OpenCompanion(Dictionary(), EAccess::ReadOnly);
        EXPECT_EQ(TSgfCommentStore(reader).GetComment(2).has_value(), commit);
        EXPECT_EQ(TMarkupStore(reader).GetMarkup(2).size(), commit ? 1u : 0u);
        EXPECT_EQ(TEvidenceStore(reader).Get(2).has_value(), commit);
    }
}

// A reader holding its snapshot blocks the commit: the commit throws, names
// the file, and the rows are not there.
TEST_F(CompanionDatabaseTest, AFailedCommitThrowsAndKeepsNothing) {
    const TCompanion db = OpenCompanion(Dictionary(), EAccess::ReadWrite);
    TEvidenceStore evidence(db);
    evidence.PrepareWrite();
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(Store().c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM evidence;", nullptr, nullptr, nullptr), SQLITE_OK);
    evidence.Count(1, EStarterResult::Won, 0);
    try {
        evidence.Flush();
        ADD_FAILURE() << "committed past a reader";
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), Store());
    }
    sqlite3_close(reader);
    EXPECT_FALSE(evidence.Get(1));
    // The connection is usable again (the next transaction is an outer
    // one), and the counts not stored are still to be written.
    evidence.Count(1, EStarterResult::Won, 0);
    evidence.Flush();
    EXPECT_EQ(Count("SELECT games FROM evidence WHERE rec = 1"), 2);
}

}  // namespace
}  // namespace vxlo
