// Corner-sequence import in the window and the continuation table it shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <memory>

#include "gui/import/SelDir.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"

namespace vxlo::testing {
namespace {

// Two games that open the upper-right corner with the 4-4 point and one that
// opens the lower-left with a 3-4 point, all won by the side that started.
constexpr const char* kGames =
    "(;SZ[19]RE[B+R]DT[2001];B[pd];W[qf];B[dp])"
    "(;SZ[19]RE[W+R]DT[2005];W[dp];B[cn])"
    "(;SZ[19]RE[B+R]DT[1999];B[cp])";

class EvidenceWindowTest : public TOpenWindowTest {
protected:
    QTableWidget* Table() const {
        return window->Parts().evidence->Panel() ? window->Parts().evidence->Panel()->Table() : nullptr;
    }
    QString Cell(int row, int column) const { return Table()->item(row, column)->text(); }
};

TEST_F(EvidenceWindowTest, ADictionaryWithoutCountsShowsNoPanelAndNoCounts) {
    EXPECT_EQ(window->Parts().evidence->Panel(), nullptr);
    window->Navigation().Deside(16, 4);
    EXPECT_EQ(window->Parts().evidence->Panel(), nullptr);
    EXPECT_EQ(CountPixels(16, 4), 0);
}

TEST_F(EvidenceWindowTest, CornerInputShowsTheContinuationsByFrequencyAndFollowsTheBoard) {
    WriteBytes(dir / "games.sgf", kGames);
    Choose((dir / "games.sgf").string());
    Act("mnuCornerInput")->trigger();
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_EQ(recorded.entries[0].text,
              ToQt("games 3 (skipped: 0 setup, 0 size), sequences 4, moves added 3, cut 0, duplicates 0"));
    ASSERT_NE(Table(), nullptr);
    EXPECT_TRUE(window->Parts().evidence->Panel()->isVisible());
    // At the root: the 4-4 point in three sequences, the 3-4 point in one.
    ASSERT_EQ(Table()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 1), "16-4");
    EXPECT_EQ(Cell(0, 2), "3");
    EXPECT_EQ(Cell(0, 3), "75.0%");
    EXPECT_EQ(Cell(0, 4), "100.0%");
    EXPECT_EQ(Cell(1, 1), "17-4");
    EXPECT_EQ(Cell(1, 2), "1");
    // Beside each candidate on the board, its number of games.
    EXPECT_GT(CountPixels(16, 4), 0);
    EXPECT_GT(CountPixels(17, 4), 0);
    EXPECT_EQ(CountPixels(4, 4), 0);

    // Following the 4-4 point shows its continuation, White to move: the side
    // that answered never won.
    window->Navigation().SetProgressMode(EProgressMode::OneMove);
    window->Navigation().Deside(16, 4);
    ASSERT_EQ(Table()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 1), "17-6");
    EXPECT_EQ(Cell(0, 2), "2");
    EXPECT_EQ(Cell(0, 4), "0.0%");
}

// The table is read again after the command, not at the step back inside it,
// when the move was still in the list.
TEST_F(EvidenceWindowTest, AMoveDeletedUnderThePositionLeavesTheTable) {
    WriteBytes(dir / "games.sgf", kGames);
    Choose((dir / "games.sgf").string());
    Act("mnuCornerInput")->trigger();
    ASSERT_NE(Table(), nullptr);
    ASSERT_EQ(Table()->rowCount(), 2);
    window->Navigation().SetInputMode(EInputMode::Record);
    ClickPoint(4, 4);
    ClickPoint(4, 4);
    ASSERT_EQ(window->Navigation().Path().Count(), 1);
    ASSERT_TRUE(Act("mnuDelete1")->isEnabled());
    Act("mnuDelete1")->trigger();
    EXPECT_EQ(window->Navigation().Path().Count(), 0);
    ASSERT_EQ(Table()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 1), "16-4");
    EXPECT_EQ(Cell(1, 1), "17-4");
}

TEST_F(EvidenceWindowTest, BulkInputInCornerModeUsesTheLimitAndCountsTheGames) {
    WriteBytes(dir / "games/a.sgf", kGames);
    QTimer::singleShot(0, window.get(), [this] {
        auto* form = qobject_cast<TDirForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->SetDirectory((dir / "games").string());
        QCheckBox* corners = form->findChild<QCheckBox*>("chkCorners");
        ASSERT_NE(corners, nullptr);
        EXPECT_TRUE(corners->isVisible());
        corners->setChecked(true);
        form->findChild<QLineEdit*>("edtTesu")->setText("1");
        form->findChild<QPushButton*>("btnOK")->click();
    });
    Act("mnuInputAll")->trigger();
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_EQ(recorded.entries[0].text,
              ToQt("games 3 (skipped: 0 setup, 0 size), sequences 4, moves added 2, cut 0, duplicates 0"));
    EXPECT_EQ(FileRecords(dictionary).size(), 3u);
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Cell(0, 2), "3");
}

}  // namespace
}  // namespace vxlo::testing
