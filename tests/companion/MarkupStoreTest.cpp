// The markup table in the companion database: created when needed beside
// comments or without them, read back in order, never replacing a file that
// is not ours, and written only by Flush.
#include <gtest/gtest.h>

#include "RecordsSupport.h"
#include "core/VxloError.h"
#include "companion/MarkupStore.h"

namespace vxlo {
namespace {

using testing::FileBytes;
using testing::TTempDir;
using testing::TTestMemo;
using testing::WriteBytes;

class MarkupStoreTest : public ::testing::Test {
protected:
    std::string Dictionary() const { return dir / "main.jsk"; }
    std::string Database() const { return dir / "main.comments.sqlite"; }
    TTempDir dir;
};

const TMarkupList kAll = {{EMarkupKind::Label, 16, 4, "a"},  {EMarkupKind::Triangle, 3, 3, ""},
                          {EMarkupKind::Square, 19, 19, ""}, {EMarkupKind::Circle, 1, 1, ""},
                          {EMarkupKind::Cross, 10, 10, ""},  {EMarkupKind::Label, 4, 4, "正解 'b'"}};

TEST_F(MarkupStoreTest, PutFlushAndReadBackEveryKindInOrder) {
    {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        EXPECT_FALSE(store.HasMarkup(0));
        store.PutMarkup(0, kAll);
        store.PutMarkup(7, {{EMarkupKind::Cross, 2, 2, ""}});
        EXPECT_TRUE(store.HasMarkup(0));  // pending counts
        EXPECT_EQ(store.GetMarkup(0), kAll);
        store.Flush();
        EXPECT_EQ(store.PendingCount(), 0);
        // Replacing the markup of a position replaces all of it.
        store.PutMarkup(7, {{EMarkupKind::Circle, 5, 5, ""}});
        store.Flush();
    }
    TMarkupStore reader(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(reader.GetMarkup(0), kAll);
    EXPECT_EQ(reader.GetMarkup(7), (TMarkupList{{EMarkupKind::Circle, 5, 5, ""}}));
    EXPECT_TRUE(reader.GetMarkup(3).empty());
    EXPECT_THROW(reader.PutMarkup(1, kAll), EFileRefused);
}

TEST_F(MarkupStoreTest, WithoutFlushNothingIsWrittenAndReadingMakesNoFile) {
    {
        TMarkupStore reader(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadOnly));
        EXPECT_TRUE(reader.GetMarkup(0).empty());
    }
    EXPECT_FALSE(std::filesystem::exists(Database()));
    {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutMarkup(0, kAll);
    }
    // The file is made only for markup to keep.
    EXPECT_FALSE(std::filesystem::exists(Database()));
    {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutMarkup(0, {});
        store.Flush();
    }
    EXPECT_FALSE(std::filesystem::exists(Database()));
    {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutMarkup(2, kAll);
        store.Flush();
        store.PutMarkup(0, kAll);
    }
    TMarkupStore reader(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_TRUE(reader.GetMarkup(0).empty());
    EXPECT_EQ(reader.GetMarkup(2), kAll);
}

TEST_F(MarkupStoreTest, SharesTheFileWithTheCommentsEitherWayRound) {
    {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutMarkup(0, kAll);
        store.Flush();
    }
    // The comments accept the file the markup made, and keep their rows.
    TTestMemo memo;
    TCommentStore comments(memo);
    comments.SetCommentUse(true);
    comments.OpenCommentTable(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    comments.LocateComment(0);
    memo.Type("root");
    comments.SaveComment(0, EInputMode::Record);
    comments.CloseCommentTable(0, EInputMode::Record);
    TMarkupStore again(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(again.GetMarkup(0), kAll);
    comments.OpenCommentTable(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(comments.StoredComment(0), std::optional<std::string>("root"));
}

TEST_F(MarkupStoreTest, AFileThatIsNotOursIsRefusedByNameAndLeftAsItIs) {
    const std::string text = "not a database at all, just text that is long enough to look like one";
    WriteBytes(Database(), std::vector<char>(text.begin(), text.end()));
    const std::vector<char> before = FileBytes(Database());
    try {
        TMarkupStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        FAIL() << "opened";
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), Database());
    }
    EXPECT_THROW(TMarkupStore(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadOnly)), EFileRefused);
    EXPECT_EQ(FileBytes(Database()), before);
}

}  // namespace
}  // namespace vxlo
