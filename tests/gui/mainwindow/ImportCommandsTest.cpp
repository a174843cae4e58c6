// The import and merge commands of the real main window, headless.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include <sqlite3.h>

#include "gui/dialogs/ProgressWindow.h"
#include "gui/import/SelDir.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "companion/CommentStore.h"

namespace vxlo::testing {
namespace {

class ImportCommandsTest : public TOpenWindowTest {
protected:
    // Runs the bulk-import command; fill sets up the dialog once it shows.
    void BulkImport(const std::function<void(TDirForm&)>& fill) {
        QTimer::singleShot(0, window.get(), [this, fill] {
            auto* form = qobject_cast<TDirForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            fill(*form);
        });
        Act("mnuInputAll")->trigger();
    }
    template <class T>
    static T* Child(TDirForm& form, const char* name) {
        T* child = form.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    std::vector<QString> Texts(bool errors) const {
        std::vector<QString> texts;
        for (const auto& e : recorded.entries)
            if (e.error == errors) texts.push_back(e.text);
        return texts;
    }
};

TEST_F(ImportCommandsTest, FileInputImportsOneMoveAtATimeAndRestoresTheMode) {
    window->Navigation().SetProgressMode(EProgressMode::ToBranch);
    Choose(Ig1("a.IG1", "MOV\r\nD04 Q16 C03\r\n"));
    Act("mnuFileInput")->trigger();
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 3), Move(3, 3)});
    EXPECT_EQ(filters.back(), ToQt("GOTERM (*.IG1 *.ig1);;SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::ToBranch);
    EXPECT_EQ(window->Navigation().Path().Count(), 3);

    // The published operation, as the bulk import uses it.
    window->Parts().import->ReadInput(Ig1("b.IG1", "MOV\r\nD04 R16\r\n"), 1);
    EXPECT_EQ(window->Navigation().Path().Count(), 1);
    Choose("");  // cancelled: nothing at all
    Act("mnuFileInput")->trigger();
    EXPECT_EQ(window->Navigation().Path().Count(), 1);
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 3), Move(3, 3)});
}

TEST_F(ImportCommandsTest, FileInputShowsRefusalsAndErrorsAsMessages) {
    Choose(Ig1("a.IG1", "MOV\r\nB01 T19 A02 A01\r\n"));
    Act("mnuFileInput")->trigger();
    EXPECT_EQ(Texts(false), std::vector<QString>{ToQt(kSuicideText)});
    window->Navigation().SetProgressMode(EProgressMode::ToBranch);
    Choose(Ig1("b.IG1", "MOV\r\nD04 PASS\r\n"));
    Act("mnuFileInput")->trigger();
    EXPECT_EQ(Texts(true), std::vector<QString>{ToQt("'AS' は整数ではありません（2 行目）.\n") +
                                                PathToQt((dir / "b.IG1").string())});
    EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(ImportCommandsTest, BulkImportWalksTheChosenFolderAndTheDialogKeepsItsChoices) {
    WriteBytes(dir / "games/a.IG1", "MOV\r\nD04 Q16\r\n");
    WriteBytes(dir / "games/sub/b.ig1", "MOV\r\nC03\r\n");
    WriteBytes(dir / "games/notes.txt", "MOV\r\nC16\r\n");
    window->Navigation().SetProgressMode(EProgressMode::ToBranch);
    BulkImport([this](TDirForm& form) {
        EXPECT_EQ(form.windowTitle(), ToQt("一括入力"));
        EXPECT_EQ(form.size(), QSize(392, 156));
        EXPECT_EQ(Child<QLabel>(form, "Label1")->text(), ToQt("手まで"));
        EXPECT_EQ(Child<QCheckBox>(form, "chkDir")->text(), ToQt("下位のディレクトリ"));
        EXPECT_FALSE(Child<QCheckBox>(form, "chkDir")->isChecked());
        EXPECT_TRUE(Child<QLineEdit>(form, "edtTesu")->text().isEmpty());
        EXPECT_GE(Child<QComboBox>(form, "DriveComboBox1")->count(), 1);
        QComboBox* filter = Child<QComboBox>(form, "FilterComboBox1");
        ASSERT_EQ(filter->count(), 3);
        EXPECT_EQ(filter->itemText(0), ToQt("GOTERM(*.IG1)"));
        EXPECT_EQ(filter->itemText(1), ToQt("SGF(*.sgf)"));
        EXPECT_EQ(filter->itemText(2), ToQt("すべてのﾌｧｲﾙ (*.*)"));
        EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::OneMove);

        form.SetDirectory((dir / "games").string());
        QListWidget* files = Child<QListWidget>(form, "FileListBox1");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), "a.IG1");
        filter->setCurrentIndex(2);
        EXPECT_EQ(files->count(), 2);
        filter->setCurrentIndex(0);
        // The folder list offers the subfolder; activating it shows it.
        QListWidget* folders = Child<QListWidget>(form, "DirectoryListBox1");
        const auto sub = folders->findItems("sub", Qt::MatchEndsWith);
        ASSERT_EQ(sub.size(), 1);
        folders->setCurrentItem(sub[0]);
        emit folders->itemActivated(sub[0]);
        EXPECT_EQ(form.Directory(), (dir / "games/sub/").string());
        ASSERT_EQ(files->count(), 1);  // the mask ignores case
        EXPECT_EQ(files->item(0)->text(), "b.ig1");
        form.SetDirectory((dir / "games").string());

        Child<QLineEdit>(form, "edtTesu")->setText("1");
        Child<QCheckBox>(form, "chkDir")->setChecked(true);
        Child<QPushButton>(form, "btnOK")->click();
    });
    EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::ToBranch);
    // A limit of one move: D04 from a.IG1, C03 from b.ig1.
    std::multiset<std::pair<int, int>> points;
    for (const TJskRecord& r : Records()) points.insert({r.X, r.Y});
    EXPECT_EQ(points, (std::multiset<std::pair<int, int>>{{0, 0}, {4, 4}, {3, 3}}));

    // Cancel imports nothing; the dialog still holds the choices of last time.
    const std::string before = FileBytes(dictionary);
    BulkImport([this](TDirForm& form) {
        EXPECT_EQ(form.Directory(), (dir / "games/").string());
        EXPECT_EQ(Child<QLineEdit>(form, "edtTesu")->text(), "1");
        EXPECT_TRUE(Child<QCheckBox>(form, "chkDir")->isChecked());
        Child<QLineEdit>(form, "edtTesu")->setText("");
        Child<QPushButton>(form, "Button2")->click();
    });
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(ImportCommandsTest, BulkImportLimitThatIsNotANumberIsAnErrorAndImportsNothing) {
    WriteBytes(dir / "games/a.IG1", "MOV\r\nD04\r\n");
    BulkImport([this](TDirForm& form) {
        form.SetDirectory((dir / "games").string());
        Child<QLineEdit>(form, "edtTesu")->setText("ten");
        Child<QPushButton>(form, "btnOK")->click();
    });
    EXPECT_EQ(Texts(true), std::vector<QString>{ToQt("'ten' は整数ではありません.")});
    EXPECT_EQ(FileBytes(dictionary), "");
    EXPECT_EQ(window->findChild<TDirForm*>("DirForm")->result(), QDialog::Accepted);
    EXPECT_FALSE(window->findChild<TDirForm*>("DirForm")->isVisible());
}

TEST_F(ImportCommandsTest, CancelInTheProgressDialogStopsAfterTheCurrentFile) {
    for (const char* name : {"a.IG1", "b.IG1", "c.IG1"}) WriteBytes(dir / "games" / name, "MOV\r\nD04\r\n");
    window->setProperty(TProgressWindow::kDelayProperty, 0);
    TDirForm form(window->Navigation(), recorded, window.get());
    form.SetDirectory((dir / "games").string());
    std::int64_t shown = 0;
    // Runs inside the first progress update, while the first file is next.
    QTimer::singleShot(0, &form, [&] {
        ASSERT_NE(form.Progress(), nullptr);
        shown = form.Progress()->LastStep().total;
        form.Progress()->Cancel();
    });
    form.btnOKClick();
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(form.Progress(), nullptr);
    EXPECT_EQ(Records().size(), 2u);  // the first file's one move
}

TEST_F(ImportCommandsTest, MergeCommandsReadBothFormatsAndReportFileErrors) {
    WriteBytes(dir / "v4.jsk", RecordBytes({TJskRecord{}, Move(4, 4, 2), Move(16, 16)}));
    WriteBytes(dir / "v1.jsk", std::string("\x03\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12));
    window->Navigation().SetProgressMode(EProgressMode::ToBranch);
    Choose((dir / "v4.jsk").string());
    Act("mnuMarge4")->trigger();
    EXPECT_EQ(filters.back(), ToQt("定石(*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
    Choose((dir / "v1.jsk").string());
    Act("Ver11")->trigger();
    ExpectFile({TJskRecord{}, Move(4, 4, 2, 3), Move(16, 16), Move(3, 3)});
    EXPECT_EQ(window->Navigation().Path().Count(), 0);
    EXPECT_EQ(window->Navigation().ProgressMode(), EProgressMode::ToBranch);

    WriteBytes(dir / "empty.jsk", "");
    Choose((dir / "empty.jsk").string());
    Act("mnuMarge4")->trigger();
    ASSERT_EQ(Texts(true).size(), 1u);
    EXPECT_TRUE(Texts(true)[0].startsWith(ToQt("ファイルの末尾以降を読み込みました.")));

    // Without a dictionary the handlers do nothing, not even ask for a file.
    Act("mnuClose")->trigger();
    filters.clear();
    window->Parts().import->mnuMarge4Click();
    window->Parts().import->Ver11Click();
    window->Parts().import->mnuFileInputClick();
    window->Parts().import->mnuInputAllClick();
    EXPECT_TRUE(filters.empty());
    EXPECT_EQ(window->findChild<TDirForm*>("DirForm"), nullptr);
}

TEST_F(ImportCommandsTest, SgfMergeReportsOnceAndTheExportReadsBack) {
    WriteBytes(dir / "tree.sgf", "(;GM[1]FF[4]SZ[19];B[pd];W[qc](;B[qd])(;B[pc]))");
    Choose((dir / "tree.sgf").string());
    Act("mnuMargeSgf")->trigger();
    ExpectFile({TJskRecord{}, Move(16, 4, 2), Move(17, 3, 3), Move(17, 4, 0, 4), Move(16, 3)});
    ASSERT_EQ(Texts(false).size(), 1u);  // the one summary
    EXPECT_TRUE(Texts(true).empty());
    EXPECT_EQ(window->Navigation().Path().Count(), 0);

    const auto out = dir / "out.sgf";
    Choose(out.string());
    Act("mnuSgfOut")->trigger();
    const std::string text = FileBytes(out);
    EXPECT_EQ(text.rfind("(;GM[1]FF[4]CA[UTF-8]SZ[19]", 0), 0u) << text;
    EXPECT_NE(text.find(";B[pd]"), std::string::npos) << text;
    EXPECT_LT(text.find("(;B[qd])"), text.find("(;B[pc])")) << text;
    EXPECT_NE(text.find("(;B[pc])"), std::string::npos) << text;

    Act("mnuClose")->trigger();
    EXPECT_FALSE(Act("mnuSgfOut")->isEnabled());
}

// The window's merge shares the tool's rule: a commit that fails is an error
// naming the store, and no summary says the comments were added.
TEST_F(ImportCommandsTest, SgfMergeWhoseCommentsCannotBeCommittedSaysSo) {
    window.reset();
    std::filesystem::create_directories(dir / "config");
    WriteBytes(dir / "config" / "VXLO.INI", "[Mode]\nDB=1\n");
    window = std::make_unique<TSDIAppForm>(&recorded);
    window->show();
    Choose(dictionary.string());
    Act("mnuOpen")->trigger();
    ASSERT_TRUE(window->FileOpen());
    ASSERT_EQ(window->Parts().records->CommentUse(), 1);
    const std::string store = TCompanionDatabase::PathFor(dictionary.string());
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM comments;", nullptr, nullptr, nullptr), SQLITE_OK);

    WriteBytes(dir / "c.sgf", "(;SZ[19]C[root];B[pd]C[hoshi])");
    Choose((dir / "c.sgf").string());
    Act("mnuMargeSgf")->trigger();
    sqlite3_close(reader);
    EXPECT_TRUE(Texts(false).empty());  // no summary
    ASSERT_EQ(Texts(true).size(), 1u);
    EXPECT_TRUE(Texts(true)[0].contains(PathToQt(store))) << Texts(true)[0].toStdString();
    EXPECT_TRUE(Texts(true)[0].contains(ToQt("コメントは保存されませんでした")));
    EXPECT_EQ(Records().size(), 2u);  // the moves stay, as the message says
}

}  // namespace
}  // namespace vxlo::testing
