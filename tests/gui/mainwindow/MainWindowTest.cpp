// The real main window, headless: settings at start and exit, opening and
// closing dictionaries, menus in step, clicks on the board.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/language/SettingsPath.h"
#include "gui/WindowFixture.h"
#include "support/FileBytes.h"

namespace vxlo {
namespace {

using testing::Concat;
using testing::MoveBytes;
using testing::Placeholder;
using testing::ReadFileBytes;


class MainWindowTest : public testing::TWindowTest {
protected:
    void Exit() { window_->findChild<QAction*>("ExitItem")->trigger(); }
    QString Caption(const char* name) const { return Act(name)->text(); }
    // Canvas colour at the intersection of a display cell, or dx, dy from it.
    QRgb CanvasAtCell(int column, int row, int dx = 0, int dy = 0) const {
        const TBoardRenderer& r = window_->Renderer();
        const int x = r.BoardLeft() + (column - 1) * r.CellSize() + r.HalfCell() + dx;
        const int y = r.BoardTop() + (row - 1) * r.CellSize() + r.HalfCell() + dy;
        return r.Canvas().pixel(x, y - TBoardRenderer::kToolPanelHeight) & 0xFFFFFF;
    }
};

TEST_F(MainWindowTest, FirstStartWithoutSettingsUsesEveryDefault) {
    TSDIAppForm& w = Start();
    EXPECT_EQ(w.SettingsPath(), ini_);
    EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(w.ClientSize(), QSize(340, 375));
    EXPECT_EQ(w.Renderer().CellSize(), 17);
    EXPECT_EQ(w.Renderer().BoardLeft(), 8);
    EXPECT_EQ(w.Renderer().BoardTop(), 30);
    EXPECT_EQ(w.Renderer().BanColor(), 32896u);
    EXPECT_EQ(w.Renderer().KuroIsiColor(), 0u);
    EXPECT_EQ(w.Renderer().SiroIsiColor(), 16777215u);

    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    EXPECT_EQ(Caption("mnuInput"), ToQt("入力"));
    EXPECT_EQ(Caption("mnuSelect"), ToQt("選択肢"));
    EXPECT_EQ(Caption("mnuSinko"), ToQt("進行"));
    EXPECT_EQ(w.Navigation().InputMode(), EInputMode::Display);
    EXPECT_EQ(w.Navigation().LabelMode(), ELabelMode::Shown);
    EXPECT_EQ(w.Navigation().ProgressMode(), EProgressMode::ToBranch);
    EXPECT_FALSE(w.Navigation().WhiteFirst());

    for (const char* enabled : {"mnuOpen", "ExitItem", "mnuInput", "mnuSelect", "mnuSinko",
                                "mnuSiroSen", "mnuXYchg", "mnuBanIsi", "mnuModoru", "mnu1st", "About1"})
        EXPECT_TRUE(Act(enabled)->isEnabled()) << enabled;
    for (const char* disabled : {"mnuClose", "mnuData", "mnuFileInput", "mnuInputAll", "mnuMarge",
                                 "mnuDelete1"})
        EXPECT_FALSE(Act(disabled)->isEnabled()) << disabled;
    EXPECT_FALSE(Act("mnuDB")->isVisible());
    for (const char* hidden : {"mnuReopen1", "mnuReopen2", "mnuReopen3", "mnuReopen4"})
        EXPECT_FALSE(Act(hidden)->isVisible()) << hidden;
    EXPECT_EQ(Act("ExitItem")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    EXPECT_EQ(Act("mnuOpen")->statusTip(), ToQt("定石ﾌｧｲﾙを指定する"));
    EXPECT_TRUE(messages_.entries.empty());

    Exit();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("Form", "Left", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Form", "Top", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Form", "Width", -9), w.frameGeometry().width());
    EXPECT_EQ(ini.ReadInteger("Form", "Height", -9), w.frameGeometry().height());
    EXPECT_EQ(ini.ReadString("Form", "File", "none"), "");
    EXPECT_EQ(ini.ReadString("Form", "File1", "none"), "none");
    for (const char* key : {"入力", "選択肢", "進行", "DB"})
        EXPECT_EQ(ini.ReadInteger("Mode", key, -9), 0) << key;
}

TEST_F(MainWindowTest, SavedModesSizeAndColoursApplyAtStart) {
    PutIni("[Form]\nLeft=20\nTop=30\nWidth=520\nHeight=600\n"
           "[Mode]\n入力=1\n選択肢=5\n進行=-3\nDB=1\n[Goban]\nBanColor=49601\nKuroIsiColor=32768\n");
    TSDIAppForm& w = Start();
    // The comments dock beside the board now: the window is only ever wider
    // than it was, by what the board needs to stay whole.
    EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(20, 30));
    EXPECT_EQ(w.frameGeometry().height(), 600);
    EXPECT_GE(w.frameGeometry().width(), 520);
    EXPECT_GE(w.BoardArea().width(), 19 * 17);
    EXPECT_EQ(w.Navigation().InputMode(), EInputMode::Record);
    EXPECT_EQ(Caption("mnuInput"), ToQt("入力     登録モード"));
    EXPECT_TRUE(Act("mnuReg")->isChecked());
    EXPECT_FALSE(Act("mnuDsp")->isChecked());
    EXPECT_EQ(w.Navigation().LabelMode(), ELabelMode::Hidden);  // 5 is read as 1
    EXPECT_EQ(Caption("mnuSelect"), ToQt("選択肢  非表示"));
    // Only -1 leaves a mode as it is: -3, like any other number, shows as the second mode.
    EXPECT_EQ(w.Navigation().ProgressMode(), EProgressMode::OneMove);
    EXPECT_EQ(Caption("mnuSinko"), ToQt("進行     一手づつ"));
    EXPECT_TRUE(Act("mnu1")->isChecked());
    EXPECT_EQ(w.Parts().records->CommentUse(), 1);
    EXPECT_TRUE(Act("mnuDB")->isChecked());
    EXPECT_FALSE(Act("mnuDB")->isVisible());
    EXPECT_EQ(w.Renderer().BanColor(), 49601u);
    EXPECT_EQ(w.Renderer().KuroIsiColor(), 32768u);
    EXPECT_EQ(w.Renderer().SiroIsiColor(), 16777215u);

    // The user's changes are what the exit writes.
    Act("mnu1")->trigger();
    EXPECT_EQ(Caption("mnuSinko"), ToQt("進行     一手づつ"));
    Act("mnuDsp")->trigger();
    EXPECT_EQ(Caption("mnuInput"), ToQt("入力     表示モード"));
    Act("mnuShow")->trigger();
    EXPECT_EQ(Caption("mnuSelect"), ToQt("選択肢  表示"));
    const int width = w.frameGeometry().width();
    Exit();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("Mode", "入力", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Mode", "選択肢", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Mode", "進行", -9), 1);
    EXPECT_EQ(ini.ReadInteger("Mode", "DB", -9), 1);
    EXPECT_EQ(ini.ReadInteger("Goban", "BanColor", -9), 49601);  // only the dialog writes colours
    EXPECT_EQ(ini.ReadInteger("Form", "Left", -9), 20);
    EXPECT_EQ(ini.ReadInteger("Form", "Width", -9), width);
}

TEST_F(MainWindowTest, ShiftJisModesFromWindowsAreRead) {
    // [Mode] 入力=1 進行=1 in code page 932, CR LF.
    PutIni("[Mode]\r\n\x93\xfc\x97\xcd=1\r\n\x90\x69\x8d\x73=1\r\n");
    TSDIAppForm& w = Start();
    EXPECT_EQ(w.Navigation().InputMode(), EInputMode::Record);
    EXPECT_EQ(w.Navigation().ProgressMode(), EProgressMode::OneMove);
    EXPECT_EQ(Caption("mnuSinko"), ToQt("進行     一手づつ"));
    EXPECT_EQ(Caption("mnuSelect"), ToQt("選択肢"));
}

TEST_F(MainWindowTest, RecentListKeepsTheFourLatestPathsInOrder) {
    TSDIAppForm& w = Start();
    auto path = [&](const char* name) { return dir_.File(name); };
    for (const char* name : {"A.jsk", "B.jsk", "A.jsk"}) Open(path(name));
    EXPECT_EQ(w.Parts().files->RecentFiles(), (std::array<std::string, 4>{path("A.jsk"), path("B.jsk"), "", ""}));
    EXPECT_TRUE(Act("mnuReopen2")->isVisible());
    EXPECT_FALSE(Act("mnuReopen3")->isVisible());
    for (const char* name : {"C.jsk", "D.jsk", "E.jsk"}) Open(path(name));
    EXPECT_EQ(w.Parts().files->RecentFiles(), (std::array<std::string, 4>{path("E.jsk"), path("D.jsk"),
                                                           path("C.jsk"), path("A.jsk")}));
    EXPECT_EQ(Caption("mnuReopen4"), PathToQt(path("A.jsk")));
    EXPECT_TRUE(Act("mnuReopen4")->isVisible());

    // Letter case matters: a.jsk is another entry.
    Open(path("a.jsk"));
    EXPECT_EQ(w.Parts().files->RecentFiles()[0], path("a.jsk"));
    EXPECT_EQ(w.Parts().files->RecentFiles()[3], path("C.jsk"));

    // Reopen entry 3 (D): it moves to the top.
    Act("mnuReopen3")->trigger();
    EXPECT_EQ(w.CurrentFile(), path("D.jsk"));
    EXPECT_EQ(w.Parts().files->RecentFiles(), (std::array<std::string, 4>{path("D.jsk"), path("a.jsk"),
                                                           path("E.jsk"), path("C.jsk")}));
    Act("mnuClose")->trigger();
    Exit();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadString("Form", "File", "none"), "");
    EXPECT_EQ(ini.ReadString("Form", "File1", ""), path("D.jsk"));
    EXPECT_EQ(ini.ReadString("Form", "File4", ""), path("C.jsk"));

    // The next start shows them again; a deleted one is created anew on reopen.
    window_.reset();
    std::filesystem::remove(path("E.jsk"));
    TSDIAppForm& again = Start();
    EXPECT_EQ(Caption("mnuReopen3"), PathToQt(path("E.jsk")));
    Act("mnuReopen3")->trigger();
    EXPECT_TRUE(again.FileOpen());
    EXPECT_TRUE(std::filesystem::exists(path("E.jsk")));
}

TEST_F(MainWindowTest, OpenAndCloseKeepCaptionAndMenusInStep) {
    TSDIAppForm& w = Start();
    const std::string fresh = dir_.File("new.jsk");
    Open(fresh);
    EXPECT_TRUE(w.FileOpen());
    EXPECT_EQ(w.windowTitle(), PathToQt("Vexlo定石辞典[" + fresh + "]"));
    for (const char* enabled : {"mnuClose", "mnuFileInput", "mnuInputAll", "mnuMarge"})
        EXPECT_TRUE(Act(enabled)->isEnabled()) << enabled;
    EXPECT_FALSE(Act("mnuData")->isEnabled());  // a new dictionary has no candidates
    EXPECT_TRUE(std::filesystem::exists(fresh));

    // Cancelling the dialog changes nothing.
    w.Parts().files->SetFileChooser([](const QString& filter) {
        EXPECT_EQ(filter, ToQt("定石 (*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
        return std::optional<QString>();
    });
    Act("mnuOpen")->trigger();
    EXPECT_EQ(w.CurrentFile(), fresh);

    Act("mnuClose")->trigger();
    EXPECT_FALSE(w.FileOpen());
    EXPECT_EQ(w.CurrentFile(), "");
    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    for (const char* disabled : {"mnuClose", "mnuData", "mnuFileInput", "mnuInputAll", "mnuMarge",
                                 "mnuDelete1"})
        EXPECT_FALSE(Act(disabled)->isEnabled()) << disabled;
    EXPECT_FALSE(Act("mnuDB")->isVisible());
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(MainWindowTest, RecordAndPlayByClickingTheBoard) {
    TSDIAppForm& w = Start();
    const std::string path = dir_.File("lines.jsk");

    ClickCell(4, 4);  // no dictionary yet
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_EQ(messages_.entries[0].text, ToQt("まずファイルを開いてください"));
    EXPECT_FALSE(messages_.entries[0].error);

    Open(path);
    Act("mnuReg")->trigger();
    ClickCell(16, 4);  // adds the candidate, not played
    EXPECT_EQ(ReadFileBytes(path), Concat({Placeholder(), MoveBytes(16, 4)}));
    EXPECT_EQ(w.Navigation().Board().PointState(16, 4), Candidate);
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    EXPECT_TRUE(Act("mnuData")->isEnabled());

    ClickCell(16, 4);  // plays it
    EXPECT_EQ(w.Navigation().Board().GetStone(16, 4), Black);
    EXPECT_EQ(CanvasAtCell(16, 4), 0x000000u);  // black stone fill
    EXPECT_TRUE(Act("mnuDelete1")->isEnabled());
    ClickCell(17, 3);
    EXPECT_EQ(ReadFileBytes(path), Concat({Placeholder(), MoveBytes(16, 4, 2), MoveBytes(17, 3)}));

    // A rotated board still plays where the user clicked.
    Act("mnuRight")->trigger();
    ClickCell(20 - 3, 17);  // board (17, 3) is shown at (20 - y, x)
    EXPECT_EQ(w.Navigation().Board().GetStone(17, 3), White);
    EXPECT_EQ(CanvasAtCell(17, 17, 3, 3), 0xFFFFFFu);

    // Right click on a stone goes back; in to-branch mode past the single
    // continuations, to the root.
    ClickCell(17, 17, Qt::RightButton);
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    EXPECT_EQ(w.Navigation().Board().PointState(16, 4), Candidate);
    EXPECT_EQ(CanvasAtCell(17, 17, 3, 3), 0x808000u);  // board colour 0x008080 again

    // Reopening resets the orientation and starts at the root.
    Act("mnuReopen1")->trigger();
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    EXPECT_EQ(w.Navigation().Board().BoardToDisplay(1, 1), (TPoint{1, 1}));
    EXPECT_EQ(w.Navigation().Board().PointState(16, 4), Candidate);
    EXPECT_FALSE(Act("mnuDelete1")->isEnabled());
    EXPECT_TRUE(Act("mnuData")->isEnabled());
    EXPECT_EQ(messages_.entries.size(), 1u);
}

TEST_F(MainWindowTest, AFailedOpenReportsTheFileAndLeavesNoDictionaryOpen) {
    TSDIAppForm& w = Start();
    const std::string good = dir_.File("good.jsk");
    Open(good);
    ASSERT_TRUE(w.FileOpen());

    const std::string missingFolder = dir_.File("none/x.jsk");
    Open(missingFolder);
    ASSERT_EQ(ErrorTexts().size(), 1u);
    EXPECT_EQ(ErrorTexts()[0], PathToQt("ファイルが見つかりません.\n" + missingFolder));
    EXPECT_FALSE(w.FileOpen());
    EXPECT_EQ(w.CurrentFile(), "");
    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    for (const char* disabled : {"mnuClose", "mnuData", "mnuFileInput", "mnuInputAll", "mnuMarge"})
        EXPECT_FALSE(Act(disabled)->isEnabled()) << disabled;
    EXPECT_EQ(w.Parts().files->RecentFiles()[0], good);  // a path that did not open is not listed
    EXPECT_EQ(w.Parts().files->RecentFiles()[1], "");

    // Locked by another program.
    const int other = ::open(good.c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    Act("mnuReopen1")->trigger();
    EXPECT_EQ(ErrorTexts().size(), 2u);
    EXPECT_NE(ErrorTexts().back().indexOf(PathToQt(good)), -1);
    EXPECT_FALSE(w.FileOpen());
    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    ::close(other);

    Act("mnuReopen1")->trigger();
    EXPECT_TRUE(w.FileOpen());
    EXPECT_EQ(ErrorTexts().size(), 2u);
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAndTheProgramEnds) {
    std::filesystem::create_directories(ini_);  // a folder where the file should be
    TSDIAppForm& w = Start();
    Open(dir_.File("d.jsk"));
    Exit();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.FileOpen());
    ASSERT_EQ(ErrorTexts().size(), 1u);
    EXPECT_NE(ErrorTexts()[0].indexOf(PathToQt(ini_)), -1);
    EXPECT_TRUE(std::filesystem::is_directory(ini_));
}

TEST_F(MainWindowTest, HintsGoToTheStatusBarAndToolTipsShowTheShortPart) {
    TSDIAppForm& w = Start();
    auto* statusBar = w.findChild<QStatusBar*>("StatusBar");
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(statusBar->height(), 23);
    auto* panel = w.findChild<QWidget*>("SpeedPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 340, 29));

    auto* rotate = w.findChild<QToolButton*>("btnRight");
    ASSERT_NE(rotate, nullptr);
    EXPECT_EQ(rotate->toolTip(), ToQt("右回転"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(rotate, &enter);
    EXPECT_EQ(statusBar->currentMessage(), ToQt("右に90度回転して表示する"));

    Act("mnuSiroSen")->showStatusText(&w);
    EXPECT_EQ(statusBar->currentMessage(), ToQt("第１手を白石表示します"));
    Act("mnuModoru")->showStatusText(&w);
    EXPECT_EQ(statusBar->currentMessage(), ToQt("盤面を右クリックでも戻ります"));
    EXPECT_EQ(w.findChild<QToolButton*>("btnReturn")->toolTip(), ToQt("戻る"));

    const char* order[] = {"OpenBtn", "btnXY", "btnRight", "btnLeft", "btnUpDown", "btnRigthLeft",
                           "btnReturn"};
    int left = -1;
    for (const char* name : order) {
        auto* button = w.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_GT(button->x(), left) << name;
        left = button->x();
    }

    // A refused move goes to a message box, never to the status bar.
    statusBar->clearMessage();
    Open(dir_.File("h.jsk"));
    EXPECT_EQ(statusBar->currentMessage(), QString());
}

TEST_F(MainWindowTest, WhiteFirstToggleIsCheckedAndRepaints) {
    TSDIAppForm& w = Start();
    Open(dir_.File("w.jsk"));
    Act("mnuReg")->trigger();
    ClickCell(4, 4);
    ClickCell(4, 4);
    EXPECT_EQ(CanvasAtCell(4, 4), 0x000000u);
    Act("mnuSiroSen")->trigger();
    EXPECT_TRUE(Act("mnuSiroSen")->isChecked());
    EXPECT_TRUE(w.Navigation().WhiteFirst());
    EXPECT_EQ(CanvasAtCell(4, 4), 0xFFFFFFu);
}

TEST_F(MainWindowTest, SampleDictionaryRegeneratesByteForByteAndOpens) {
    const std::string sample = std::string(VXLO_SAMPLE_DATA) + "/sample.jsk";
    const std::string made = dir_.File("sample.jsk");
    const std::string command = std::string(VXLO_MAKE_SAMPLE) + " '" + VXLO_SAMPLE_DATA +
                                "/sample-sequences.txt' '" + made + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(ReadFileBytes(made), ReadFileBytes(sample));
    // Recording adds to a file: the tool refuses one that exists.
    EXPECT_NE(std::system((command + " 2>/dev/null").c_str()), 0);

    TSDIAppForm& w = Start();
    Open(made);
    EXPECT_TRUE(Act("mnuData")->isEnabled());
    EXPECT_EQ(w.Navigation().Board().PointState(16, 4), Candidate);
    EXPECT_EQ(w.Navigation().Board().PointState(17, 4), Candidate);
    EXPECT_EQ(w.Navigation().Board().PointState(4, 16), Candidate);
    // To-branch mode: the 4-4 point has two replies, so one move is played.
    ClickCell(16, 4);
    EXPECT_EQ(w.Navigation().Path().Count(), 1);
    EXPECT_EQ(w.Navigation().Board().PointState(17, 3), Candidate);
    EXPECT_EQ(w.Navigation().Board().PointState(17, 6), Candidate);
    EXPECT_EQ(w.Navigation().Board().PointState(14, 3), Candidate);
    // The 3-4 point line has no branch: one click plays all six, numbered.
    Act("mnu1st")->trigger();
    ClickCell(17, 4);
    EXPECT_EQ(w.Navigation().Path().Count(), 6);
    EXPECT_EQ(w.Navigation().Board().GetNumber(13, 3), 6);
    EXPECT_EQ(ReadFileBytes(made), ReadFileBytes(sample));  // browsing writes nothing
}

TEST(TopLevelHandler, ShowsTheErrorTextAndEndsOnlyTheCommand) {
    TRecordedMessages messages;
    bool after = false;
    EXPECT_FALSE(RunGuarded(messages, [&] {
        throw EInOutError(ENOENT, "/d/x.jsk");
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(RunGuarded(messages, [] {}));
    EXPECT_FALSE(RunGuarded(messages, [] { throw ERangeError(); }));
    EXPECT_FALSE(RunGuarded(messages, [] { StrToInt("1x"); }));
    ASSERT_EQ(messages.entries.size(), 3u);
    for (const auto& e : messages.entries) EXPECT_TRUE(e.error);
    EXPECT_EQ(messages.entries[0].text, ToQt("ファイルが見つかりません.\n/d/x.jsk"));
    EXPECT_EQ(messages.entries[1].text, ToQt("範囲チェックエラー."));
    EXPECT_EQ(messages.entries[2].text, ToQt("'1x' は整数ではありません."));
}

}  // namespace
}  // namespace vxlo
