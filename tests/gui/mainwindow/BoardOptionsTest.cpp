// The board options in the real window: kept in VXLO.INI, switched from the
// board menu, the point under the mouse in the status bar, and the comment
// window beside the main window when it has no saved place.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMouseEvent>
#include <QTest>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/records/Comment.h"
#include "gui/WindowFixture.h"
#include "settings/IniFile.h"

namespace vxlo {
namespace {

class BoardOptionsTest : public testing::TWindowTest {
protected:
    // A mouse move without buttons to the middle of display cell (column, row).
    void MoveToCell(int column, int row) {
        const TBoardGeometry& g = window_->Renderer().Geometry();
        MoveTo(g.CellLeft(column) + g.halfCell, g.CellTop(row) + g.halfCell);
    }
    void MoveTo(int clientX, int clientY) {
        const QPointF at(clientX, clientY - TBoardRenderer::kToolPanelHeight);
        QMouseEvent move(QEvent::MouseMove, at, window_->BoardArea().mapToGlobal(at),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window_->BoardArea(), &move);
    }
};

TEST_F(BoardOptionsTest, BothAreOffByDefaultAndWrittenAtExit) {
    TSDIAppForm& w = Start();
    EXPECT_EQ(w.Renderer().Options(), TBoardOptions{});
    EXPECT_FALSE(Act("mnuCoordinates")->isChecked());
    EXPECT_FALSE(Act("mnuScalable")->isChecked());
    EXPECT_EQ(w.Renderer().CellSize(), 17);
    EXPECT_EQ(w.Renderer().BoardLeft(), 8);
    // Without coordinates the mouse leaves the status bar alone.
    MoveToCell(4, 4);
    EXPECT_EQ(w.StatusText(), QString());
    Act("ExitItem")->trigger();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("Goban", "Coordinates", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Goban", "Scalable", -1), 0);
}

TEST_F(BoardOptionsTest, SavedOptionsApplyAtStartAndTheMenuTogglesThem) {
    PutIni("[Goban]\nCoordinates=1\nScalable=1\n");
    TSDIAppForm& w = Start();
    EXPECT_EQ(w.Renderer().Options(), (TBoardOptions{true, true}));
    EXPECT_TRUE(Act("mnuCoordinates")->isChecked());
    EXPECT_TRUE(Act("mnuScalable")->isChecked());
    EXPECT_EQ(w.Renderer().Geometry().band, w.Renderer().CellSize());

    Act("mnuCoordinates")->trigger();
    EXPECT_FALSE(Act("mnuCoordinates")->isChecked());
    EXPECT_EQ(w.Renderer().Geometry().band, 0);
    w.resize(1100, 1200);
    QApplication::processEvents();
    EXPECT_GT(w.Renderer().CellSize(), 25);
    Act("mnuScalable")->trigger();
    EXPECT_EQ(w.Renderer().CellSize(), 25);
    Act("mnuCoordinates")->trigger();
    Act("ExitItem")->trigger();
    const TIniFile ini(ini_);
    EXPECT_EQ(ini.ReadInteger("Goban", "Coordinates", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Goban", "Scalable", -1), 0);
}

TEST_F(BoardOptionsTest, TheStatusBarNamesThePointUnderTheMouse) {
    PutIni("[Goban]\nCoordinates=1\n");
    TSDIAppForm& w = Start();
    MoveToCell(16, 4);
    EXPECT_EQ(w.StatusText(), ToQt("Q16"));
    MoveToCell(1, 19);
    EXPECT_EQ(w.StatusText(), ToQt("A1"));
    MoveToCell(19, 1);
    EXPECT_EQ(w.StatusText(), ToQt("T19"));
    // The names are the drawn ones: a turned board keeps its letters.
    Act("mnuRight")->trigger();
    MoveToCell(9, 11);
    EXPECT_EQ(w.StatusText(), ToQt("J9"));
    // The band is no point.
    const TBoardGeometry& g = w.Renderer().Geometry();
    MoveTo(g.boardLeft - 2, g.CellTop(5) + 3);
    EXPECT_EQ(w.StatusText(), QString());
    // A click on a point of the bordered board plays that point.
    w.Navigation().SetInputMode(EInputMode::Record);
    Open(dir_ / "new.jsk");
    ASSERT_TRUE(w.FileOpen());
    QTest::mouseClick(&w.BoardArea(), Qt::LeftButton, {},
                      QPoint(g.CellLeft(3) + 1, g.CellTop(17) + 1 - TBoardRenderer::kToolPanelHeight));
    const TPoint point = w.Navigation().Board().DisplayToBoard(3, 17);
    EXPECT_EQ(w.Navigation().Dictionary().Count(), 1);
    EXPECT_EQ(w.Navigation().Dictionary().GetRecord(0).X, point.x);
    EXPECT_EQ(w.Navigation().Dictionary().GetRecord(0).Y, point.y);
    // Switching coordinates off takes the name away.
    MoveToCell(4, 4);
    EXPECT_EQ(w.StatusText(), ToQt("D16"));
    Act("mnuCoordinates")->trigger();
    EXPECT_EQ(w.StatusText(), QString());
}

// The window of the seed's smallest size, then coordinates on, off the
// settings and from the menu: the whole board with its band is drawn.
TEST_F(BoardOptionsTest, CoordinatesOnShowTheWholeBoardWithItsBand) {
    for (const bool fromSettings : {false, true}) {
        SCOPED_TRACE(fromSettings);
        PutIni(std::string("[Form]\nWidth=340\nHeight=420\n") + (fromSettings ? "[Goban]\nCoordinates=1\n" : ""));
        TSDIAppForm& w = Start();
        QApplication::processEvents();
        if (!fromSettings) Act("mnuCoordinates")->trigger();
        QApplication::processEvents();
        const TBoardGeometry& g = w.Renderer().Geometry();
        ASSERT_GT(g.band, 0);
        EXPECT_LE(g.boardLeft + g.boardPixels + g.band, w.BoardArea().width());
        EXPECT_LE(g.boardTop + g.boardPixels + g.band - TBoardRenderer::kToolPanelHeight, w.BoardArea().height());
        EXPECT_GE(g.boardLeft - g.band, 0);
        EXPECT_GE(g.boardTop - g.band, TBoardRenderer::kToolPanelHeight);
        window_.reset();
    }
}

// Docked, the comments sit beside the board; floated the first time, they go
// where the seed's window went: beside the main window, or the saved place.
TEST_F(BoardOptionsTest, TheCommentPanelFloatedWithoutSavedBoundsGoesBesideTheMainWindow) {
    PutIni("[Mode]\nDB=1\n");
    TSDIAppForm& w = Start();
    QApplication::processEvents();
    TfrmCmnt& comments = w.Parts().records->CommentForm();
    ASSERT_TRUE(comments.isVisible());
    EXPECT_FALSE(comments.HasSavedBounds());
    QDockWidget* dock = w.Parts().records->CommentDock();
    dock->setFloating(true);
    QApplication::processEvents();
    // The window grew to keep the board as the panel docked: beside it or
    // below it, as the screen has room.
    EXPECT_FALSE(dock->frameGeometry().intersects(w.frameGeometry()));
    EXPECT_TRUE(dock->frameGeometry().left() == w.frameGeometry().right() + 1 ||
                dock->frameGeometry().top() == w.frameGeometry().bottom() + 1);
    EXPECT_GE(dock->width(), TfrmCmnt::kReadableWidth - 20);
    EXPECT_GE(dock->height(), TfrmCmnt::kReadableHeight - 40);
}

TEST_F(BoardOptionsTest, SavedCommentBoundsAreUsedAsTheyAreWhenThePanelFloats) {
    PutIni("[Mode]\nDB=1\n[FormComment]\nLeft=20\nTop=30\nWidth=300\nHeight=200\n");
    TSDIAppForm& w = Start();
    QApplication::processEvents();
    TfrmCmnt& comments = w.Parts().records->CommentForm();
    EXPECT_TRUE(comments.HasSavedBounds());
    QDockWidget* dock = w.Parts().records->CommentDock();
    EXPECT_FALSE(dock->isFloating());
    dock->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(dock->pos(), QPoint(20, 30));
    EXPECT_EQ(dock->size(), QSize(300, 200));
}

}  // namespace
}  // namespace vxlo
