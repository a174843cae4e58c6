// The record grid "データ表示" on a real dictionary file: sizing, refill,
// "保存" byte for byte, its errors, and the board after a save.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "companion/RecordsSupport.h"
#include "core/VxloError.h"
#include "dictionary/RecordFile.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/UserMessages.h"
#include "gui/records/frmJsk.h"
#include "support/RecordingFakes.h"
#include "support/RecordingStore.h"

namespace vxlo {
namespace {

using testing::FileBytes;
using testing::TTempDir;

constexpr TPoint kRootMoves[] = {{16, 4}, {4, 4}, {17, 16}, {3, 16}, {10, 10}, {16, 10},
                                 {10, 16}, {4, 10}, {10, 4}, {14, 14}, {6, 6}, {14, 6}};

class RecordGridTest : public ::testing::Test {
protected:
    RecordGridTest() { view.Attach(&nav); }

    // A dictionary whose root has `count` candidates, opened through a store
    // that logs its writes.
    void OpenWithRootMoves(int count) {
        {
            TNavigation maker(view, messages, comments, menus);
            maker.OpenFile(DictionaryPath());
            for (int i = 0; i < count; ++i) ASSERT_TRUE(maker.Deside(kRootMoves[i].x, kRootMoves[i].y));
            maker.CloseFile();
        }
        auto file = std::make_unique<TRecordFile>(DictionaryPath(), TRecordFile::Mode::ReadWriteCreate);
        auto recording = std::make_unique<testing::TRecordingStore>(std::move(file));
        store = recording.get();
        nav.OpenStore(std::move(recording));
        ASSERT_EQ(nav.Dictionary().Count(), count);
        store->ClearLog();
        view.ClearLog();
    }
    std::unique_ptr<TJskForm> MakeForm() {
        return std::make_unique<TJskForm>(nav, shown, dir / "VXLO.INI");
    }
    std::string DictionaryPath() const { return dir / "main.jsk"; }

    TTempDir dir;
    testing::TRecordingView view;
    testing::TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
    testing::TRecordingStore* store = nullptr;
    TRecordedMessages shown;
};

TEST_F(RecordGridTest, ThreeCandidatesGiveHeadingAndThreeRowsIn279By68) {
    OpenWithRootMoves(3);
    auto form = MakeForm();
    form->show();
    EXPECT_EQ(form->ClientSize(), QSize(279, 68));
    EXPECT_EQ(form->RowCount(), 4);
    EXPECT_EQ(form->windowTitle(), ToQt("データ表示"));
    EXPECT_EQ(form->Cell(1, 0), "Record");
    EXPECT_EQ(form->Cell(2, 0), "  X");
    EXPECT_EQ(form->Cell(3, 0), "  Y");
    EXPECT_EQ(form->Cell(4, 0), "");
    EXPECT_EQ(form->Cell(6, 0), "Next");
    EXPECT_EQ(form->Cell(7, 0), "More");
    EXPECT_EQ(form->Cell(0, 1), ToQt("  い"));
    EXPECT_EQ(form->Cell(0, 3), ToQt("  は"));
    // Row 2: record 2, the point 4,4, colour 0, Aux 100, no continuation,
    // followed by record 3.
    const QStringList row2 = {form->Cell(1, 2), form->Cell(2, 2), form->Cell(3, 2), form->Cell(4, 2),
                              form->Cell(5, 2), form->Cell(6, 2), form->Cell(7, 2)};
    EXPECT_EQ(row2, QStringList({"2", "4", "4", "0", "100", "0", "3"}));
    // Nothing needs scrolling: ten rows and fewer fit without the bar.
    QApplication::processEvents();
    EXPECT_FALSE(form->GridJsk()->verticalScrollBar()->isVisible());
}

TEST_F(RecordGridTest, TwelveCandidatesShowTenRowsAndScroll) {
    OpenWithRootMoves(12);
    auto form = MakeForm();
    form->show();
    EXPECT_EQ(form->ClientSize(), QSize(289, 187));
    EXPECT_EQ(form->RowCount(), 13);
    QApplication::processEvents();
    EXPECT_TRUE(form->GridJsk()->verticalScrollBar()->isVisible());
    EXPECT_EQ(form->GridJsk()->verticalScrollBar()->width(), TJskForm::kScrollBarWidth);
    EXPECT_EQ(form->Cell(2, 12), "14");
    EXPECT_EQ(form->Cell(0, 12), ToQt("  を"));
}

TEST_F(RecordGridTest, NoCandidatesShowTheHeadingOnlyAndSaveWritesNothing) {
    OpenWithRootMoves(0);
    const std::vector<char> before = FileBytes(DictionaryPath());
    auto form = MakeForm();
    form->show();
    EXPECT_EQ(form->ClientSize(), QSize(279, 17));
    EXPECT_EQ(form->RowCount(), 1);
    form->mnuSaveClick();
    EXPECT_TRUE(store->writes.empty());
    EXPECT_EQ(FileBytes(DictionaryPath()), before);
}

TEST_F(RecordGridTest, SaveWithoutEditsRewritesEveryRecordWithItsOwnBytes) {
    OpenWithRootMoves(3);
    const std::vector<char> before = FileBytes(DictionaryPath());
    auto form = MakeForm();
    form->show();
    form->SetCell(1, 2, "99");  // the record number is never read back
    form->findChild<QAction*>("mnuSave")->trigger();
    EXPECT_TRUE(shown.entries.empty());
    EXPECT_EQ(store->writes, (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(FileBytes(DictionaryPath()), before);
    EXPECT_EQ(form->Cell(1, 2), "2");  // refilled from the list
}

TEST_F(RecordGridTest, ByteOutOfRangeStopsTheSaveAndLeavesFileAndListAsTheyWere) {
    OpenWithRootMoves(3);
    const std::vector<char> before = FileBytes(DictionaryPath());
    const TJskRecord first = nav.Dictionary().GetRecord(0);
    auto form = MakeForm();
    form->show();
    form->SetCell(3, 1, "5");     // an earlier row, accepted on its own
    form->SetCell(2, 2, "300");
    EXPECT_THROW(form->mnuSaveClick(), ERangeError);
    EXPECT_TRUE(store->writes.empty());
    EXPECT_EQ(FileBytes(DictionaryPath()), before);
    // A later colour step writes the list: it must not carry half a save.
    EXPECT_EQ(nav.Dictionary().GetRecord(0), first);

    form->findChild<QAction*>("mnuSave")->trigger();
    ASSERT_EQ(shown.entries.size(), 1u);
    EXPECT_TRUE(shown.entries[0].error);
    EXPECT_EQ(shown.entries[0].text, ToQt("範囲チェックエラー."));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(RecordGridTest, TextThatIsNoIntegerNamesTheCell) {
    OpenWithRootMoves(2);
    const std::vector<char> before = FileBytes(DictionaryPath());
    auto form = MakeForm();
    form->show();
    form->SetCell(6, 2, "abc");
    try {
        form->mnuSaveClick();
        FAIL() << "saved a text";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' は整数ではありません");
    }
    form->SetCell(6, 2, "");
    form->findChild<QAction*>("mnuSave")->trigger();
    ASSERT_EQ(shown.entries.size(), 1u);
    EXPECT_EQ(shown.entries[0].text, ToQt("'' は整数ではありません."));
    EXPECT_EQ(FileBytes(DictionaryPath()), before);
}

TEST_F(RecordGridTest, LinksTakeAnyIntegerAndAreWrittenLittleEndian) {
    OpenWithRootMoves(1);
    auto form = MakeForm();
    form->show();
    form->SetCell(4, 1, "255");
    form->SetCell(5, 1, "0");
    form->SetCell(6, 1, "-2147483648");
    form->mnuSaveClick();
    const std::vector<char> bytes = FileBytes(DictionaryPath());
    ASSERT_EQ(bytes.size(), 24u);
    const std::vector<char> record1(bytes.begin() + 12, bytes.end());
    EXPECT_EQ(record1, (std::vector<char>{16, 4, char(255), 0, 0, 0, 0, char(0x80), 0, 0, 0, 0}));
}

TEST_F(RecordGridTest, SavedPointMovesTheCandidateMarkAndLabel) {
    OpenWithRootMoves(3);
    auto form = MakeForm();
    form->show();
    form->SetCell(2, 2, "5");  // candidate ろ from 4,4 to 5,4
    form->SetCell(4, 2, "2");  // and blue
    form->mnuSaveClick();
    EXPECT_EQ(nav.Board().PointState(4, 4), Empty);
    EXPECT_EQ(nav.Board().PointState(5, 4), Candidate);
    EXPECT_EQ(view.At(4, 4), testing::TScreenPoint{});
    EXPECT_EQ(view.At(5, 4), (testing::TScreenPoint{0, 0, "ろ", 2}));
    EXPECT_EQ(view.At(16, 4).label, "い");
    EXPECT_EQ(nav.Dictionary().FindRecNo(5, 4), 2);
    // The board follows the file: a left click there plays record 2.
    nav.Deside(5, 4);
    EXPECT_EQ(nav.CurrentRecord(), 2);
}

TEST_F(RecordGridTest, TenukiShowsAsPointZeroAndAnyCandidateCanBecomeTenuki) {
    OpenWithRootMoves(2);
    ASSERT_TRUE(nav.Deside(kTenuki.x, kTenuki.y));  // tenuki as the third root candidate
    auto form = MakeForm();
    form->show();
    EXPECT_EQ(form->Cell(0, 3), ToQt("  は"));
    EXPECT_EQ((QStringList{form->Cell(2, 3), form->Cell(3, 3)}), QStringList({"0", "0"}));
    form->SetCell(4, 3, "4");  // green
    form->SetCell(2, 3, "10");  // and the tenuki becomes the point 10,10 ...
    form->SetCell(3, 3, "10");
    form->SetCell(2, 2, "0");  // ... while 4,4 becomes tenuki
    form->SetCell(3, 2, "0");
    form->mnuSaveClick();
    EXPECT_TRUE(shown.entries.empty());
    EXPECT_EQ(nav.Board().PointState(4, 4), Empty);
    EXPECT_EQ(nav.Board().PointState(10, 10), Candidate);
    EXPECT_EQ(nav.Board().PointState(0, 0), Candidate);
    EXPECT_EQ(view.At(0, 0), (testing::TScreenPoint{0, 0, "ろ", 0}));
    EXPECT_EQ(view.At(10, 10), (testing::TScreenPoint{0, 0, "は", 4}));
    nav.Deside(kTenuki.x, kTenuki.y);
    EXPECT_EQ(nav.CurrentRecord(), 2);
    EXPECT_EQ(nav.Board().GetTurn(), White);
}

TEST_F(RecordGridTest, HiddenLabelsStayHiddenAfterASave) {
    OpenWithRootMoves(2);
    nav.SetLabelMode(ELabelMode::Hidden);
    auto form = MakeForm();
    form->show();
    form->SetCell(2, 1, "15");
    view.ClearLog();
    form->mnuSaveClick();
    EXPECT_TRUE(view.Calls("label").empty());
    EXPECT_EQ(nav.Board().PointState(15, 4), Candidate);
}

TEST_F(RecordGridTest, TypingInTheCellEditorIsSavedWithoutLeavingTheCell) {
    OpenWithRootMoves(1);
    auto form = MakeForm();
    form->show();
    QTableWidget* grid = form->GridJsk();
    QTableWidgetItem* y = grid->item(0, 2);  // cell (3, 1)
    grid->setCurrentItem(y);
    grid->editItem(y);
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("7");
    form->mnuSaveClick();
    EXPECT_EQ(nav.Dictionary().GetRecord(0).Y, 7);
    EXPECT_EQ(store->Record(1).Y, 7);
}

TEST_F(RecordGridTest, UnsavedEditsAreReplacedWhenShownAgain) {
    OpenWithRootMoves(2);
    auto form = MakeForm();
    form->show();
    form->SetCell(2, 1, "1");
    form->findChild<QAction*>("mnuClose")->trigger();
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(form->Cell(2, 1), "16");
}

TEST_F(RecordGridTest, PositionIsKeptInSectionGridForm) {
    OpenWithRootMoves(1);
    {
        auto form = MakeForm();
        EXPECT_EQ(form->pos(), QPoint(0, 0));
        form->show();
        form->move(40, 50);
        form->close();
    }
    const TIniFile ini(dir / "VXLO.INI");
    EXPECT_EQ(ini.ReadInteger("GridForm", "Left", -1), 40);
    EXPECT_EQ(ini.ReadInteger("GridForm", "Top", -1), 50);
    auto again = MakeForm();
    EXPECT_EQ(again->pos(), QPoint(40, 50));
}

TEST_F(RecordGridTest, ModalRunSavesAndClosesThroughTheMenu) {
    OpenWithRootMoves(2);
    auto form = MakeForm();
    QTimer::singleShot(0, form.get(), [&] {
        form->SetCell(7, 2, "0");
        form->SetCell(7, 1, "0");  // the chain now ends after its head
        form->findChild<QAction*>("mnuSave")->trigger();
        form->findChild<QAction*>("mnuClose")->trigger();
    });
    form->exec();
    EXPECT_EQ(nav.Dictionary().Count(), 1);
    EXPECT_EQ(nav.Board().PointState(4, 4), Empty);
    EXPECT_EQ(store->Record(1).More, 0);
}

// A point that is neither on the board nor the tenuki point would leave a
// dictionary whose root list no longer loads: the save refuses it, naming
// the cell, before anything is written.
TEST_F(RecordGridTest, APointOffTheBoardIsRefusedNamingItsCell) {
    struct TCase {
        const char* x;
        const char* y;
        const char* refusal;  // empty: saved
    };
    const TCase cases[] = {
        {"16", "25", "2 行目の Y (25) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です"},
        {"20", "4", "2 行目の X (20) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です"},
        {"0", "5", "2 行目の X (0) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です"},
        {"5", "0", "2 行目の Y (0) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です"},
        {"0", "0", ""},
        {"19", "1", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "," + c.y);
        if (nav.FileOpen()) nav.CloseFile();
        std::filesystem::remove(DictionaryPath());
        OpenWithRootMoves(3);
        const std::vector<char> before = FileBytes(DictionaryPath());
        const TJskRecord second = nav.Dictionary().GetRecord(1);
        shown.entries.clear();
        auto form = MakeForm();
        form->show();
        form->SetCell(2, 2, c.x);
        form->SetCell(3, 2, c.y);
        form->findChild<QAction*>("mnuSave")->trigger();
        if (*c.refusal == '\0') {
            EXPECT_TRUE(shown.entries.empty());
            EXPECT_EQ(nav.Dictionary().GetMoveXY(1), (TPoint{std::stoi(c.x), std::stoi(c.y)}));
            continue;
        }
        ASSERT_EQ(shown.entries.size(), 1u);
        EXPECT_TRUE(shown.entries[0].error);
        EXPECT_EQ(shown.entries[0].text, ToQt(std::string(c.refusal) + "."));
        EXPECT_TRUE(store->writes.empty());
        EXPECT_EQ(FileBytes(DictionaryPath()), before);
        EXPECT_EQ(nav.Dictionary().GetRecord(1), second);
        EXPECT_EQ(nav.Board().PointState(4, 4), Candidate);
    }
}

}  // namespace
}  // namespace vxlo
