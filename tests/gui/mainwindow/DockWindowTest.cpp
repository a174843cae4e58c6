// The comment, count and search panels as docks of the main window: where
// they start, that their layout is kept, and that they follow commands that
// change the shown position without moving.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <fstream>

#include "gui/WindowFixture.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/records/Comment.h"
#include "settings/IniFile.h"

namespace vxlo::testing {
namespace {

constexpr const char* kDocks[] = {"CommentDock", "EvidenceDock", "FindDock"};

class DockWindowTest : public TWindowTest {
protected:
    QDockWidget* Dock(const char* name) const {
        auto* dock = window_->findChild<QDockWidget*>(name);
        EXPECT_NE(dock, nullptr) << name;
        return dock;
    }
    std::string Dictionary() const { return dir_ / "main.jsk"; }
};

TEST_F(DockWindowTest, OnFirstStartThePanelsAreDockedRightOfTheBoard) {
    PutIni("[Mode]\nDB=1\n");
    TSDIAppForm& w = Start();
    QApplication::processEvents();
    for (const char* name : kDocks) {
        QDockWidget* dock = Dock(name);
        ASSERT_NE(dock, nullptr);
        EXPECT_FALSE(dock->isFloating()) << name;
        EXPECT_EQ(w.dockWidgetArea(dock), Qt::RightDockWidgetArea) << name;
    }
    // The comments are on: their panel is beside the board, never over it,
    // and the board keeps room for every line.
    QDockWidget* comments = Dock("CommentDock");
    ASSERT_TRUE(comments->isVisible());
    EXPECT_TRUE(w.Parts().records->CommentForm().isVisible());
    const QRect board(w.BoardArea().mapTo(&w, QPoint(0, 0)), w.BoardArea().size());
    EXPECT_GE(comments->geometry().left(), board.right());
    EXPECT_GE(w.BoardArea().width(), 19 * 17);
    EXPECT_FALSE(Dock("EvidenceDock")->isVisible());
    EXPECT_FALSE(Dock("FindDock")->isVisible());
}

// Each panel moved to the left side stays there in the next window; the
// other two stay where they were.
TEST_F(DockWindowTest, APanelMovedToTheLeftIsThereAtTheNextStart) {
    for (const char* moved : kDocks) {
        SCOPED_TRACE(moved);
        std::filesystem::remove(ini_);
        TSDIAppForm& w = Start();
        w.addDockWidget(Qt::LeftDockWidgetArea, Dock(moved));
        Act("ExitItem")->trigger();
        TSDIAppForm& again = Start();
        for (const char* name : kDocks) {
            EXPECT_EQ(again.dockWidgetArea(Dock(name)),
                      std::string(name) == moved ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea)
                << name;
        }
    }
}

TEST_F(DockWindowTest, AFloatingCommentPanelWritesWhereItWent) {
    PutIni("[Mode]\nDB=1\n[FormComment]\nLeft=20\nTop=30\nWidth=300\nHeight=200\n");
    Start();
    QDockWidget* comments = Dock("CommentDock");
    comments->setFloating(true);
    QApplication::processEvents();
    comments->move(15, 25);
    Act("ExitItem")->trigger();
    EndWindow();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Left", -1), 15);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Top", -1), 25);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Width", -1), 300);
}

TEST_F(DockWindowTest, DockedTheCommentPanelLeavesTheSavedPlaceAsItWas) {
    PutIni("[Mode]\nDB=1\n[FormComment]\nLeft=20\nTop=30\nWidth=300\nHeight=200\n");
    Start();
    Act("ExitItem")->trigger();
    EndWindow();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Left", -1), 20);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Top", -1), 30);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Width", -1), 300);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Height", -1), 200);
}

TEST_F(DockWindowTest, AMergeShowsTheCommentOfTheShownPositionAtOnce) {
    PutIni("[Mode]\nDB=1\n");
    TSDIAppForm& w = Start();
    Open(Dictionary());
    ASSERT_TRUE(w.FileOpen());
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "");
    std::ofstream(dir_ / "c.sgf", std::ios::binary) << "(;SZ[19]C[root note];B[pd]C[hoshi])";
    Choose(dir_ / "c.sgf");
    Act("mnuMargeSgf")->trigger();
    EXPECT_TRUE(ErrorTexts().empty());
    EXPECT_EQ(w.Navigation().Path().Count(), 0);
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "root note");
}

TEST_F(DockWindowTest, TextBeingTypedIsKeptAfterACommand) {
    PutIni("[Mode]\nDB=1\n");
    TSDIAppForm& w = Start();
    Open(Dictionary());
    w.Navigation().SetInputMode(EInputMode::Record);
    w.Parts().records->CommentForm().Memo()->insertPlainText(ToQt("書きかけ"));
    Act("mnu1")->trigger();
    EXPECT_EQ(w.Parts().records->CommentForm().Text(), "書きかけ");
}

}  // namespace
}  // namespace vxlo::testing
