// The record grid and the comment store inside the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QTimer>
#include <fstream>
#include <functional>
#include <optional>

#include "companion/RecordsSupport.h"
#include "dictionary/RecordFile.h"
#include "companion/CompanionDatabase.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/records/Comment.h"
#include "gui/records/frmJsk.h"
#include "gui/WindowFixture.h"

namespace vxlo {
namespace {

using testing::FileBytes;
using testing::StoredRows;

class RecordsMainWindowTest : public testing::TWindowTest {
protected:
    void CommentsOn() { PutIni("[Mode]\nDB=1\n"); }
    void Type(const char* text) {
        window_->Parts().records->CommentForm().Memo()->moveCursor(QTextCursor::End);
        window_->Parts().records->CommentForm().Memo()->insertPlainText(ToQt(text));
    }
    std::string Dictionary() const { return dir_ / "main.jsk"; }
    std::string Store() const { return dir_ / "main.comments.sqlite"; }
};

TEST_F(RecordsMainWindowTest, CommentsOnShowTheWindowAndKeepCommentsPerPosition) {
    CommentsOn();
    TSDIAppForm& w = Start();
    EXPECT_TRUE(w.Parts().records->CommentForm().isVisible());
    EXPECT_FALSE(Act("mnuDB")->isVisible());
    EXPECT_TRUE(Act("mnuDB")->isChecked());
    EXPECT_TRUE(w.Parts().records->CommentForm().Memo()->isReadOnly());

    Open(Dictionary());
    ASSERT_TRUE(w.FileOpen());
    EXPECT_TRUE(StoredRows(Store()).empty());
    EXPECT_FALSE(w.Parts().records->CommentForm().Memo()->isReadOnly());
    w.Navigation().SetInputMode(EInputMode::Record);
    ASSERT_TRUE(w.Navigation().Deside(16, 4));
    Type("星の定石");
    ASSERT_TRUE(w.Navigation().Deside(16, 4));
    EXPECT_EQ(StoredRows(Store()), (std::map<int, std::string>{{0, "星の定石"}}));
    Act("mnuModoru")->trigger();
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "星の定石");
    EXPECT_TRUE(ErrorTexts().empty());
}

TEST_F(RecordsMainWindowTest, ClosingOpeningAnotherAndExitingSaveThePendingComment) {
    CommentsOn();
    TSDIAppForm& w = Start();
    Open(Dictionary());
    w.Navigation().SetInputMode(EInputMode::Record);
    Type("閉じる");
    Act("mnuClose")->trigger();
    EXPECT_EQ(StoredRows(Store()), (std::map<int, std::string>{{0, "閉じる"}}));
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "");

    Open(Dictionary());
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "閉じる");
    Type("、次へ");
    Open(dir_ / "other.jsk");
    EXPECT_EQ(StoredRows(Store()).at(0), "閉じる、次へ");

    Type("終了");
    Act("ExitItem")->trigger();
    EXPECT_EQ(StoredRows(dir_ / "other.comments.sqlite"), (std::map<int, std::string>{{0, "終了"}}));
    EXPECT_TRUE(ErrorTexts().empty());
}

TEST_F(RecordsMainWindowTest, DamagedStoreIsReportedAndNoDictionaryIsOpened) {
    CommentsOn();
    const std::string junk = "not a database, but somebody's notes\n";
    testing::WriteBytes(Store(), {junk.begin(), junk.end()});
    TSDIAppForm& w = Start();
    Open(Dictionary());
    EXPECT_FALSE(w.FileOpen());
    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    EXPECT_FALSE(Act("mnuClose")->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(Dictionary()));
    EXPECT_EQ(FileBytes(Store()), std::vector<char>(junk.begin(), junk.end()));
    const std::vector<QString> errors = ErrorTexts();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(PathToQt(Store()))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].startsWith(ToQt("コメントファイルを開けません"))) << errors[0].toStdString();
}

TEST_F(RecordsMainWindowTest, CommentsOffLeaveNoStoreBehind) {
    TSDIAppForm& w = Start();
    EXPECT_FALSE(w.Parts().records->CommentForm().isVisible());
    Open(Dictionary());
    w.Navigation().SetInputMode(EInputMode::Record);
    ASSERT_TRUE(w.Navigation().Deside(16, 4));
    ASSERT_TRUE(w.Navigation().Deside(16, 4));
    Act("ExitItem")->trigger();
    EXPECT_FALSE(std::filesystem::exists(Store()));
}

TEST_F(RecordsMainWindowTest, CommentWindowSettingsAreWrittenAtProgramEnd) {
    Start();
    QDockWidget* dock = window_->Parts().records->CommentDock();
    dock->setFloating(true);
    dock->move(15, 25);
    Act("ExitItem")->trigger();
    window_.reset();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Left", -1), 15);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Top", -1), 25);
    EXPECT_EQ(ini.ReadString("FormComment", "FontName", ""), "ＭＳ Ｐゴシック");
}

TEST_F(RecordsMainWindowTest, DataCommandEditsTheCurrentCandidatesModally) {
    TSDIAppForm& w = Start();
    Open(Dictionary());
    w.Navigation().SetInputMode(EInputMode::Record);
    ASSERT_TRUE(w.Navigation().Deside(16, 4));
    ASSERT_TRUE(w.Navigation().Deside(4, 4));
    ASSERT_TRUE(Act("mnuData")->isEnabled());
    TJskForm& grid = w.Parts().records->JskForm();
    bool ran = false;
    QTimer::singleShot(0, &grid, [&] {
        ran = grid.isVisible() && grid.isModal();
        EXPECT_EQ(grid.RowCount(), 3);
        grid.SetCell(2, 1, "300");
        grid.findChild<QAction*>("mnuSave")->trigger();
        grid.SetCell(2, 1, "17");
        grid.findChild<QAction*>("mnuSave")->trigger();
        grid.findChild<QAction*>("mnuClose")->trigger();
    });
    Act("mnuData")->trigger();
    EXPECT_TRUE(ran);
    EXPECT_EQ(ErrorTexts(), std::vector<QString>{ToQt("範囲チェックエラー.")});
    EXPECT_EQ(w.Navigation().Board().PointState(16, 4), Empty);
    EXPECT_EQ(w.Navigation().Board().PointState(17, 4), Candidate);
    const std::vector<char> bytes = FileBytes(Dictionary());
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(bytes[12], 17);
}

// A dictionary the window refuses to open leaves nothing beside it: no store
// of comments, and no dictionary that was not there before.
TEST_F(RecordsMainWindowTest, ARefusedOpenLeavesNoStoreAndNoNewFile) {
    CommentsOn();
    TSDIAppForm& w = Start();
    struct TCase {
        const char* name;
        std::function<std::optional<TRecordFile>(const std::string&)> prepare;
    };
    const TCase cases[] = {
        {"held by another program",
         [](const std::string& path) { return std::optional<TRecordFile>(std::in_place, path, TRecordFile::Mode::ReadWriteCreate); }},
        {"a folder", [](const std::string& path) {
             std::filesystem::create_directory(path);
             return std::optional<TRecordFile>();
         }},
        {"a root record past the end", [](const std::string& path) {
             // The root chain's second record is past the end of the file.
             std::ofstream(path, std::ios::binary).write("\0\0\0\0\0\0\0\0\0\0\0\0\x10\x04\0\0\0\0\0\0\x09\0\0\0", 24);
             return std::optional<TRecordFile>();
         }},
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir_ / ("case" + std::to_string(++n) + ".jsk");
        const std::optional<TRecordFile> holder = c.prepare(path);
        messages_.entries.clear();
        Open(path);
        EXPECT_FALSE(w.FileOpen());
        EXPECT_EQ(ErrorTexts().size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(TCompanionDatabase::PathFor(path)));
    }
}

}  // namespace
}  // namespace vxlo
