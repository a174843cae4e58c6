// The schedules in the companion database: written at once, beside the
// comments, never at the cost of a file that is not ours.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "core/VxloError.h"
#include "practice/PracticeStore.h"
#include "companion/CommentStore.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

using testing::TTempDir;

// Rows as another connection sees them: rec reps lapses interval due.
std::vector<std::string> Rows(const std::string& path) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* s = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT rec, reps, lapses, interval_days, due FROM practice "
                                 "ORDER BY rec",
                                 -1, &s, nullptr),
              SQLITE_OK);
    while (sqlite3_step(s) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < 5; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
            row += (c ? " " : "") + std::string(text ? text : "NULL");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

TEST(PracticeStore, EveryPutIsVisibleAtOnceAndAReopenReadsItBack) {
    TTempDir dir;
    const std::string dictionary = dir / "main.jsk";
    const std::string path = dir / "main.comments.sqlite";
    {
        TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
        EXPECT_EQ(store.Path(), path);
        EXPECT_EQ(Rows(path), std::vector<std::string>{});
        store.Put({0, 1, 0, 1.0, 20431});
        // Another connection sees it while this one is still open.
        EXPECT_EQ(Rows(path), (std::vector<std::string>{"0 1 0 1.0 2025-12-09"}));
        store.Put({12, 0, 3, 0.0, 20432});
        store.Put({0, 2, 0, 6.0, 20437});
        EXPECT_EQ(Rows(path),
                  (std::vector<std::string>{"0 2 0 6.0 2025-12-15", "12 0 3 0.0 2025-12-10"}));
    }
    const TPracticeStore again(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(again.Count(), 2);
    EXPECT_EQ(again.Find(12), (TPracticeCard{12, 0, 3, 0.0, 20432}));
    EXPECT_EQ(again.Find(0), (TPracticeCard{0, 2, 0, 6.0, 20437}));
    EXPECT_FALSE(again.Find(5).has_value());
}

TEST(PracticeStore, SharesTheFileWithTheCommentsAndKeepsThem) {
    TTempDir dir;
    const std::string dictionary = dir / "main.jsk";
    TCommentStore comments;
    comments.SetCommentUse(true);
    comments.OpenCommentTable(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    TPracticeStore practice(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    practice.Put({3, 1, 0, 1.0, 100});
    comments.CloseCommentTable(0, EInputMode::Display);
    comments.OpenCommentTable(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));  // the store with both tables is still ours
    EXPECT_TRUE(comments.IsOpen());
    practice.Put({4, 1, 0, 1.0, 100});
    EXPECT_EQ(Rows(dir / "main.comments.sqlite").size(), 2u);
}

TEST(PracticeStore, CommentsSwitchedOnAfterPractisingFindTheFileTheirOwn) {
    TTempDir dir;
    const std::string dictionary = dir / "main.jsk";
    { TPracticeStore(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite)).Put({0, 1, 0, 1.0, 1}); }
    TCommentStore comments;
    comments.SetCommentUse(true);
    comments.OpenCommentTable(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_TRUE(comments.IsOpen());
    EXPECT_EQ(Rows(dir / "main.comments.sqlite").size(), 1u);
}

TEST(PracticeStore, ADateThatCannotBeReadMakesThePositionDue) {
    TTempDir dir;
    const std::string dictionary = dir / "main.jsk";
    { TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite)); }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(std::string(dir / "main.comments.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "INSERT INTO practice VALUES (5, 2, 0, 6.0, 'soon')", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_TRUE(IsDue(store.Find(5), -1));
}

TEST(PracticeStore, AFileThatIsNoDatabaseIsRefusedByNameAndLeftAsItWas) {
    TTempDir dir;
    const std::string path = dir / "main.comments.sqlite";
    const testing::TBytes junk(4096, 0x5a);
    testing::WriteFileBytes(path, junk);
    for (const auto mode : {TCompanionDatabase::EAccess::ReadWrite, TCompanionDatabase::EAccess::ReadOnly}) {
        try {
            TPracticeStore store(OpenCompanion(dir / "main.jsk", mode));
            ADD_FAILURE() << "opened";
        } catch (const EFileRefused& e) {
            EXPECT_EQ(e.FileName(), path);
        }
    }
    EXPECT_EQ(testing::ReadFileBytes(path), junk);

    // A folder in the database's place is refused the same way.
    std::filesystem::create_directory(dir / "other.comments.sqlite");
    try {
        TPracticeStore store(OpenCompanion(dir / "other.jsk", TCompanionDatabase::EAccess::ReadWrite));
        ADD_FAILURE() << "opened";
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), dir / "other.comments.sqlite");
    }
}

TEST(PracticeStore, ReadOnlyCreatesNothingAndRefusesToWrite) {
    TTempDir dir;
    TPracticeStore store(OpenCompanion(dir / "main.jsk", TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "main.comments.sqlite"));
    EXPECT_THROW(store.Put({1, 1, 0, 1.0, 0}), EFileRefused);
    EXPECT_FALSE(store.Find(1).has_value());
}

TEST(PracticeStore, AFailedWriteLeavesTheCardInMemoryAsItWas) {
    TTempDir dir;
    const std::string dictionary = dir / "main.jsk";
    TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    store.Put({1, 1, 0, 1.0, 10});
    // Another connection holds the write lock past the busy timeout.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(std::string(dir / "main.comments.sqlite").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(store.Put({1, 2, 0, 6.0, 15}), EFileRefused);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(store.Find(1), (TPracticeCard{1, 1, 0, 1.0, 10}));
}

// Rows another program wrote: every count is brought into bounds where the
// card is read, so that grading it can neither overflow nor go backwards.
TEST(PracticeStore, CountsAndIntervalsOutOfBoundsAreClampedWhereTheCardIsRead) {
    struct TCase {
        const char* values;  // reps, lapses, interval_days
        int reps;
        int lapses;
        double interval;
    };
    const TCase cases[] = {
        {"2147483647, 0, 6.0", static_cast<int>(kMaxCardCount), 0, 6.0},
        {"0, 2147483647, 0.0", 0, static_cast<int>(kMaxCardCount), 0.0},
        {"1099511627776, 1099511627776, 1.0", static_cast<int>(kMaxCardCount), static_cast<int>(kMaxCardCount), 1.0},
        {"-1, -2147483648, -3.0", 0, 0, 0.0},
        {"3, 1, 1e300", 3, 1, 3650.0},
        {"'many', NULL, 'long'", 0, 0, 0.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.values);
        TTempDir dir;
        const std::string dictionary = dir / "main.jsk";
        { TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite)); }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(std::string(dir / "main.comments.sqlite").c_str(), &db), SQLITE_OK);
        const std::string insert = std::string("INSERT INTO practice VALUES (5, ") + c.values + ", '2025-12-09')";
        ASSERT_EQ(sqlite3_exec(db, insert.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        const TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
        const std::optional<TPracticeCard> card = store.Find(5);
        ASSERT_TRUE(card);
        EXPECT_EQ(card->reps, c.reps);
        EXPECT_EQ(card->lapses, c.lapses);
        EXPECT_EQ(card->intervalDays, c.interval);
        const TPracticeCard right = GradeCorrect(*card, 20431);
        EXPECT_EQ(right.reps, c.reps + 1);
        EXPECT_GE(right.due, 20431 + 1);
        EXPECT_LE(right.due, 20431 + 3650);
        EXPECT_EQ(GradeMiss(*card, 20431).lapses, c.lapses + 1);
    }
}

}  // namespace
}  // namespace vxlo
