// The comment store driven through the real navigation, the way the main
// window drives it: open the store, then the dictionary; leave positions by
// following candidates and stepping back; close.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "RecordsSupport.h"
#include "core/VxloError.h"

namespace vxlo {
namespace {

using testing::FileBytes;
using testing::StoredRows;
using testing::TTempDir;
using testing::TTestMemo;
using testing::WriteBytes;

constexpr TPoint kLine[] = {{16, 4}, {17, 3}, {3, 16}, {4, 17}, {10, 10}};
constexpr TPoint kSixth{16, 16};

class CommentStoreTest : public ::testing::Test {
protected:
    CommentStoreTest() { store.SetCommentUse(true); }

    void Open(const std::string& path) {
        store.OpenCommentTable(OpenCompanion(path, TCompanionDatabase::EAccess::ReadWrite));
        nav.OpenFile(path);
    }
    void Close() {
        store.CloseCommentTable(nav.CurrentRecord(), nav.InputMode());
        nav.CloseFile();
    }
    // Records 1..5 as one line, played down to record 5, and a sixth move
    // added below it as the only candidate there.
    void PlayLineToRecordFive() {
        nav.SetInputMode(EInputMode::Record);
        nav.SetProgressMode(EProgressMode::OneMove);
        for (const TPoint p : kLine) {
            ASSERT_TRUE(nav.Deside(p.x, p.y));
            ASSERT_TRUE(nav.Deside(p.x, p.y));
        }
        ASSERT_EQ(nav.CurrentRecord(), 5);
        ASSERT_TRUE(nav.Deside(kSixth.x, kSixth.y));
    }
    std::string DictionaryPath() const { return dir / "main.jsk"; }
    std::string StorePath() const { return dir / "main.comments.sqlite"; }

    TTempDir dir;
    TTestMemo memo;
    TCommentStore store{memo};
    TNullView view;
    testing::TRecordedMessages messages;
    TNullMenuState menus;
    TNavigation nav{view, messages, store, menus};
};

TEST_F(CommentStoreTest, NewDictionaryGetsEmptyStoreNamedAfterIt) {
    Open(DictionaryPath());
    EXPECT_EQ(store.StorePath(), StorePath());
    EXPECT_TRUE(std::filesystem::exists(StorePath()));
    EXPECT_TRUE(StoredRows(StorePath()).empty());
    // The root was located at once: an empty new row, nothing typed.
    EXPECT_EQ(memo.text, "");
    EXPECT_FALSE(memo.modified);
    EXPECT_FALSE(memo.readOnly);
}

TEST_F(CommentStoreTest, StorePathDropsOnlyTheExtension) {
    EXPECT_EQ(TCompanionDatabase::PathFor("/d/main.jsk"), "/d/main.comments.sqlite");
    EXPECT_EQ(TCompanionDatabase::PathFor("/d/main.old"), "/d/main.comments.sqlite");
    EXPECT_EQ(TCompanionDatabase::PathFor("/d/a.b.jsk"), "/d/a.b.comments.sqlite");
    EXPECT_EQ(TCompanionDatabase::PathFor("/d/plain"), "/d/plain.comments.sqlite");
}

TEST_F(CommentStoreTest, RecordingModeCommentIsStoredUnderThePositionLeftAndShownOnReturn) {
    Open(DictionaryPath());
    PlayLineToRecordFive();
    memo.Type("五手目の後\n二行目");
    ASSERT_TRUE(nav.Deside(kSixth.x, kSixth.y));  // leaves record 5
    EXPECT_EQ(nav.CurrentRecord(), 6);
    EXPECT_EQ(memo.text, "");
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{5, "五手目の後\n二行目"}}));

    nav.Back();
    EXPECT_EQ(nav.CurrentRecord(), 5);
    EXPECT_EQ(memo.text, "五手目の後\n二行目");
    EXPECT_FALSE(memo.modified);

    // Editing the found row updates it; there is still one row.
    memo.Type("書き直し");
    nav.Back();
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{5, "書き直し"}}));
}

TEST_F(CommentStoreTest, DisplayModeDiscardsTypedTextForNewAndFoundRows) {
    Open(DictionaryPath());
    PlayLineToRecordFive();
    nav.SetInputMode(EInputMode::Display);
    memo.Type("消える");
    nav.Back();
    EXPECT_TRUE(StoredRows(StorePath()).empty());
    ASSERT_TRUE(nav.Deside(kLine[4].x, kLine[4].y));
    EXPECT_EQ(memo.text, "");

    nav.SetInputMode(EInputMode::Record);
    memo.Type("残る");
    nav.Back();
    nav.SetInputMode(EInputMode::Display);
    ASSERT_TRUE(nav.Deside(kLine[4].x, kLine[4].y));
    memo.Type("上書きされない");
    nav.Back();
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{5, "残る"}}));
}

TEST_F(CommentStoreTest, MovingWithoutTypingStoresNoRow) {
    Open(DictionaryPath());
    PlayLineToRecordFive();
    ASSERT_TRUE(nav.Deside(kSixth.x, kSixth.y));
    nav.ToFirst();
    Close();
    EXPECT_TRUE(StoredRows(StorePath()).empty());
}

TEST_F(CommentStoreTest, EmptyBoardHasKeyZeroAndIsLocatedRightAfterOpening) {
    Open(DictionaryPath());
    nav.SetInputMode(EInputMode::Record);
    ASSERT_TRUE(nav.Deside(16, 4));
    memo.Type("空の盤");
    ASSERT_TRUE(nav.Deside(16, 4));
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{0, "空の盤"}}));
    Close();
    EXPECT_EQ(memo.text, "");
    EXPECT_TRUE(memo.readOnly);

    Open(DictionaryPath());
    EXPECT_EQ(memo.text, "空の盤");
}

TEST_F(CommentStoreTest, MainJskAndMainOldShareOneStore) {
    Open(DictionaryPath());
    nav.SetInputMode(EInputMode::Record);
    ASSERT_TRUE(nav.Deside(16, 4));
    memo.Type("共有");
    ASSERT_TRUE(nav.Deside(16, 4));
    Close();

    Open(dir / "main.old");
    EXPECT_EQ(store.StorePath(), StorePath());
    EXPECT_EQ(memo.text, "共有");
    Close();
    std::vector<std::string> stores;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        if (entry.path().string().find(".comments.sqlite") != std::string::npos) {
            stores.push_back(entry.path().filename().string());
        }
    }
    EXPECT_EQ(stores, std::vector<std::string>{"main.comments.sqlite"});
}

TEST_F(CommentStoreTest, ClosingSavesACommentTypedInRecordingModeOnly) {
    Open(DictionaryPath());
    PlayLineToRecordFive();
    memo.Type("閉じる前");
    Close();
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{5, "閉じる前"}}));

    Open(DictionaryPath());
    nav.SetInputMode(EInputMode::Display);
    memo.Type("表示モード");
    Close();
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{5, "閉じる前"}}));
}

TEST_F(CommentStoreTest, PendingTextSurvivesAResetAndIsStoredByTheNextSave) {
    // An import starts with a reset that neither saves nor locates.
    Open(DictionaryPath());
    PlayLineToRecordFive();
    nav.Back();  // record 4
    memo.Type("取り込み前");
    nav.ResetToRoot();
    ASSERT_TRUE(nav.Deside(kLine[0].x, kLine[0].y));
    EXPECT_EQ(StoredRows(StorePath()), (std::map<int, std::string>{{4, "取り込み前"}}));
}

TEST_F(CommentStoreTest, LongUtf8TextRoundTripsExactly) {
    Open(DictionaryPath());
    std::string text;
    for (int i = 0; i < 50000; ++i) text += i % 7 == 0 ? "\n" : "定石";
    text += std::string("\0tail", 5);
    nav.SetInputMode(EInputMode::Record);
    ASSERT_TRUE(nav.Deside(16, 4));
    memo.Type(text);
    ASSERT_TRUE(nav.Deside(16, 4));
    nav.Back();
    EXPECT_EQ(memo.text, text);
    EXPECT_EQ(StoredRows(StorePath()).at(0), text);
}

TEST_F(CommentStoreTest, CommentsOffTouchesNothing) {
    store.SetCommentUse(false);
    Open(DictionaryPath());
    nav.SetInputMode(EInputMode::Record);
    ASSERT_TRUE(nav.Deside(16, 4));
    memo.Type("無視");
    ASSERT_TRUE(nav.Deside(16, 4));
    Close();
    EXPECT_FALSE(std::filesystem::exists(StorePath()));
    EXPECT_EQ(memo.text, "untouched");
}

TEST_F(CommentStoreTest, NoTableOpenMeansNoTyping) {
    EXPECT_TRUE(memo.readOnly || !store.IsOpen());
    store.LocateComment(3);
    store.SaveComment(3, EInputMode::Record);
    EXPECT_FALSE(store.IsOpen());
}

// A file that is there but unusable is reported by name and left alone.
class DamagedStoreTest : public CommentStoreTest {
protected:
    void ExpectRefusedAndUnchanged(const std::vector<char>& bytes) {
        WriteBytes(StorePath(), bytes);
        try {
            store.OpenCommentTable(OpenCompanion(DictionaryPath(), TCompanionDatabase::EAccess::ReadWrite));
            FAIL() << "an unusable store was opened";
        } catch (const EFileRefused& e) {
            EXPECT_EQ(e.FileName(), StorePath());
            EXPECT_NE(std::string(e.what()).find("コメントファイル"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(store.IsOpen());
        EXPECT_EQ(FileBytes(StorePath()), bytes);
        EXPECT_FALSE(std::filesystem::exists(StorePath() + "-journal"));
    }
};

TEST_F(DamagedStoreTest, RandomBytesAreRefusedAndKeptByteIdentical) {
    std::mt19937 random(20240611);
    std::vector<char> bytes(8192);
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    ExpectRefusedAndUnchanged(bytes);
}

TEST_F(DamagedStoreTest, TextFileIsRefused) {
    const std::string text = "これはコメントファイルではありません\n";
    ExpectRefusedAndUnchanged({text.begin(), text.end()});
}

TEST_F(DamagedStoreTest, TruncatedDatabaseIsRefused) {
    Open(DictionaryPath());
    nav.SetInputMode(EInputMode::Record);
    for (int i = 0; i < 20; ++i) {
        store.LocateComment(i);
        memo.Type(std::string(3000, 'a' + static_cast<char>(i % 26)));
        store.SaveComment(i, EInputMode::Record);
    }
    Close();
    std::vector<char> bytes = FileBytes(StorePath());
    ASSERT_GT(bytes.size(), 8192u);
    bytes.resize(bytes.size() / 2);
    ExpectRefusedAndUnchanged(bytes);
}

TEST_F(DamagedStoreTest, ForeignDatabaseWithoutOurTableIsRefused) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(StorePath().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE other (a)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ExpectRefusedAndUnchanged(FileBytes(StorePath()));
}

TEST_F(DamagedStoreTest, StoreLockedByAnotherProgramIsRefused) {
    Open(DictionaryPath());
    Close();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(StorePath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(store.OpenCommentTable(OpenCompanion(DictionaryPath(), TCompanionDatabase::EAccess::ReadWrite)), EFileRefused);
    EXPECT_FALSE(store.IsOpen());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_NO_THROW(store.OpenCommentTable(OpenCompanion(DictionaryPath(), TCompanionDatabase::EAccess::ReadWrite)));
}

TEST_F(DamagedStoreTest, EmptyFileBecomesAnEmptyStore) {
    WriteBytes(StorePath(), {});
    Open(DictionaryPath());
    EXPECT_TRUE(store.IsOpen());
    EXPECT_TRUE(StoredRows(StorePath()).empty());
}

TEST_F(DamagedStoreTest, UncreatableStoreIsReportedAndNothingIsLeftBehind) {
    const std::string missing = dir / "no-such-folder/main.jsk";
    EXPECT_THROW(store.OpenCommentTable(OpenCompanion(missing, TCompanionDatabase::EAccess::ReadWrite)), EFileRefused);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

TEST_F(DamagedStoreTest, ReadOnlyStoreIsRefused) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    Open(DictionaryPath());
    Close();
    ::chmod(StorePath().c_str(), 0444);
    EXPECT_THROW(store.OpenCommentTable(OpenCompanion(DictionaryPath(), TCompanionDatabase::EAccess::ReadWrite)), EFileRefused);
}

}  // namespace
}  // namespace vxlo
