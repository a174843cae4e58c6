// Practice in the real main window: started by the argument or the menu,
// answered by mouse clicks on the board, recorded in the companion database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QAction>
#include <QApplication>
#include <QStatusTipEvent>
#include <QImage>
#include <QMenu>
#include <QStatusBar>
#include <QStringList>
#include <QToolButton>
#include <QTest>
#include <map>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/board/TenukiSpot.h"
#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"
#include "practice/PracticeFakes.h"
#include "practice/PracticeRun.h"
#include "gui/WindowFixture.h"

namespace vxlo {
namespace {

struct TRow {
    int reps = 0;
    int lapses = 0;
};

// The practice rows of a companion database, read with a connection of its own.
std::map<int, TRow> PracticeRows(const std::string& path) {
    std::map<int, TRow> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        ADD_FAILURE() << "cannot open " << path;
        return rows;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rec, reps, lapses FROM practice", -1, &s, nullptr) == SQLITE_OK) {
        while (sqlite3_step(s) == SQLITE_ROW)
            rows[sqlite3_column_int(s, 0)] = {sqlite3_column_int(s, 1), sqlite3_column_int(s, 2)};
    } else {
        ADD_FAILURE() << "no practice table in " << path;
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

class PracticeWindowTest : public testing::TWindowTest {
protected:
    void SetUp() override {
        TWindowTest::SetUp();
        testing::WriteFileBytes(dictionary, testing::ForcedLine());
    }
    TSDIAppForm& StartWith(const QStringList& args) {
        Start().Parts().practice->OpenFromArguments(args);
        return *window_;
    }
    QStringList PracticeArgs() const {
        return {"vxlo", "--practice", PathToQt(dictionary)};
    }
    // The canvas square of the cell where board point (x, y) is shown.
    QImage CellImage(int x, int y) const {
        const TPoint cell = window_->Navigation().Board().BoardToDisplay(x, y);
        const TBoardRenderer& r = window_->Renderer();
        const int left = r.BoardLeft() + (cell.x - 1) * r.CellSize();
        const int top = r.BoardTop() + (cell.y - 1) * r.CellSize() - TBoardRenderer::kToolPanelHeight;
        return r.Canvas().copy(left, top, r.CellSize(), r.CellSize());
    }
    QString Status() const { return window_->findChild<QStatusBar*>("StatusBar")->currentMessage(); }
    bool NoErrors() const {
        for (const auto& e : messages_.entries) {
            if (e.error) {
                ADD_FAILURE() << e.text.toStdString();
                return false;
            }
        }
        return true;
    }

    std::string dictionary = dir_ / "line.jsk";
    std::string store = dir_ / "line.comments.sqlite";
};

TEST_F(PracticeWindowTest, ThePracticeArgumentOpensIntoPracticeAndCorrectClicksGrowTheSchedule) {
    TSDIAppForm& w = StartWith(PracticeArgs());
    ASSERT_TRUE(w.FileOpen());
    ASSERT_NE(w.Practice(), nullptr);
    EXPECT_TRUE(Act("mnuPractice")->isChecked());
    EXPECT_EQ(Status(), ToQt("練習 黒  今日 0問  ミス 0  期限 2局面  次の一手は？"));

    ClickPoint(16, 4);
    EXPECT_EQ(w.Navigation().Path().Count(), 2);  // the answer and White's reply
    ClickPoint(17, 4);
    EXPECT_EQ(w.Practice()->Session().State(), EPracticeState::LineEnded);
    EXPECT_TRUE(Status().contains(ToQt("手順終了：ミスなし")));
    // A menu hint takes the line for a while; its end gives it back.
    const QString practiceStatus = Status();
    QStatusTipEvent hint(ToQt("ヒント"));
    QApplication::sendEvent(&w, &hint);
    EXPECT_EQ(Status(), ToQt("ヒント"));
    QStatusTipEvent hintEnds{QString()};
    QApplication::sendEvent(&w, &hintEnds);
    EXPECT_EQ(Status(), practiceStatus);
    EXPECT_TRUE(NoErrors());

    // Written as answered: visible before the window closes.
    const std::map<int, TRow> rows = PracticeRows(store);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GE(rows.at(0).reps, 1);
    EXPECT_GE(rows.at(2).reps, 1);
    EXPECT_EQ(rows.at(0).lapses, 0);

    // The menu command ends it; the board is the window's again.
    Act("mnuPractice")->trigger();
    EXPECT_EQ(w.Practice(), nullptr);
    EXPECT_FALSE(Act("mnuPractice")->isChecked());
    EXPECT_EQ(w.Navigation().LabelMode(), ELabelMode::Shown);
    window_.reset();
    EXPECT_EQ(testing::ReadFileBytes(dictionary), testing::ForcedLine());
}

TEST_F(PracticeWindowTest, AWrongClickCountsALapseAndShowsTheAnswer) {
    TSDIAppForm& w = StartWith(PracticeArgs());
    ASSERT_NE(w.Practice(), nullptr);
    const QImage hidden = CellImage(16, 4);
    ClickPoint(3, 3);
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    // The answer's label is drawn, and drawn again after turning the board.
    const QImage shown = CellImage(16, 4);
    EXPECT_NE(shown, hidden);
    Act("mnuRight")->trigger();
    EXPECT_EQ(CellImage(16, 4), shown);
    w.findChild<QToolButton*>("btnLeft")->click();
    EXPECT_EQ(CellImage(16, 4), shown);
    EXPECT_EQ(w.Practice()->Session().State(), EPracticeState::ShowingAnswers);
    EXPECT_TRUE(Status().contains(ToQt("ミス 1")));
    EXPECT_GE(PracticeRows(store).at(0).lapses, 1);
    // The shown answer is played by a click, and the line goes on.
    ClickPoint(16, 4);
    EXPECT_EQ(w.Navigation().Path().Count(), 2);
    // The back button ends the practice before it steps back, in the user's
    // own mode again: to the last branch, here the empty board.
    w.findChild<QToolButton*>("btnReturn")->click();
    EXPECT_EQ(w.Practice(), nullptr);
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    EXPECT_TRUE(NoErrors());
    window_.reset();
    EXPECT_EQ(testing::ReadFileBytes(dictionary), testing::ForcedLine());
}

TEST_F(PracticeWindowTest, ThePracticeArgumentWithoutADictionaryOpensNothing) {
    TSDIAppForm& w = StartWith({"vxlo", "--practice"});
    EXPECT_FALSE(w.FileOpen());
    EXPECT_EQ(w.Practice(), nullptr);
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(PracticeWindowTest, TheColourMenuKeepsItsChoiceInTheSettingsFile) {
    PutIni("[Practice]\nCorrect=0,1\n");
    TSDIAppForm& w = StartWith({"vxlo"});
    QMenu* menu = w.findChild<QMenu*>("mnuPracticeColor");
    ASSERT_NE(menu, nullptr);
    QMetaObject::invokeMethod(menu, "aboutToShow");
    EXPECT_TRUE(Act("mnuPracticeBlack")->isChecked());
    Act("mnuPracticeAlternate")->trigger();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("Practice", "Color", 0), 3);
    EXPECT_EQ(ini.ReadString("Practice", "Correct", ""), "0,1");  // the other key kept
    Act("mnuPracticeWhite")->trigger();
    QMetaObject::invokeMethod(menu, "aboutToShow");
    EXPECT_TRUE(Act("mnuPracticeWhite")->isChecked());
    EXPECT_FALSE(Act("mnuPracticeAlternate")->isChecked());
    EXPECT_TRUE(NoErrors());
}

TEST_F(PracticeWindowTest, TheColourComesFromTheSettingsAndOtherCommandsEndThePractice) {
    PutIni("[Practice]\nColor=2\n");
    TSDIAppForm& w = StartWith({"vxlo", PathToQt(dictionary)});
    ASSERT_TRUE(w.FileOpen());
    EXPECT_EQ(w.Practice(), nullptr);
    Act("mnuPractice")->trigger();
    ASSERT_NE(w.Practice(), nullptr);
    // White answers: the program opened with Black's move.
    EXPECT_EQ(w.Practice()->Session().UserColor(), White);
    EXPECT_EQ(w.Navigation().Path().Count(), 1);
    Act("mnuRight")->trigger();  // turning the board keeps the practice
    ASSERT_NE(w.Practice(), nullptr);
    ClickPoint(17, 3);
    EXPECT_EQ(w.Practice()->Session().State(), EPracticeState::LineEnded);
    Act("mnu1st")->trigger();
    EXPECT_EQ(w.Practice(), nullptr);
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    Act("mnuClose")->trigger();
    EXPECT_FALSE(Act("mnuPractice")->isEnabled());
    EXPECT_TRUE(NoErrors());
    EXPECT_EQ(PracticeRows(store).at(1).reps, 1);
}

// Tenuki is an answer like any other: the user plays it on the tenuki spot.
TEST_F(PracticeWindowTest, ATenukiAnswerIsGivenOnTheTenukiSpot) {
    // Black 16,4, White 17,3, Black plays elsewhere, White 17,4.
    testing::WriteFileBytes(dictionary, testing::Concat({testing::Placeholder(), testing::MoveBytes(16, 4, 2),
                                                         testing::MoveBytes(17, 3, 3), testing::MoveBytes(0, 0, 4),
                                                         testing::MoveBytes(17, 4)}));
    TSDIAppForm& w = StartWith(PracticeArgs());
    ASSERT_NE(w.Practice(), nullptr);
    ClickPoint(16, 4);
    ASSERT_EQ(w.Navigation().Path().Count(), 2);
    auto* spot = w.findChild<TTenukiSpot*>("TenukiSpot");
    ASSERT_NE(spot, nullptr);
    QTest::mouseClick(spot, Qt::LeftButton, {}, spot->rect().center());
    EXPECT_EQ(w.Navigation().Path().Count(), 4);  // the tenuki and White's reply
    EXPECT_EQ(w.Practice()->Session().State(), EPracticeState::LineEnded);
    EXPECT_TRUE(NoErrors());
    const std::map<int, TRow> rows = PracticeRows(store);
    EXPECT_GE(rows.at(2).reps, 1);  // the position where tenuki was the answer
    EXPECT_EQ(rows.at(2).lapses, 0);
}

}  // namespace
}  // namespace vxlo
