// The keys and the wheel walk the tree as clicks do, undo and redo of
// recording go through their shortcuts, and recording mode shows plainly.
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QListWidget>
#include <QTreeWidget>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include "companion/EngineReviewStore.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/LinesPanel.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "navigation/RecordingHistory.h"
#include "support/FileBytes.h"

namespace vxlo::testing {
namespace {

class KeysWindowTest : public TOpenWindowTest {
protected:
    void SetUp() override {
        TOpenWindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    TNavigation& Nav() { return window->Navigation(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void Wheel(int notches) {
        TBoardWidget& board = window->BoardArea();
        const QPointF at(board.width() / 2.0, board.height() / 2.0);
        QWheelEvent event(at, board.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&board, &event);
    }
    // A click on a board point as the user makes it (default orientation).
    void ClickPoint(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        const TBoardRenderer& r = window->Renderer();
        const QPoint at(r.BoardLeft() + (x - 1) * r.CellSize() + r.CellSize() / 2,
                        r.BoardTop() + (y - 1) * r.CellSize() + r.CellSize() / 2 - TBoardRenderer::kToolPanelHeight);
        QTest::mouseClick(&window->BoardArea(), button, Qt::NoModifier, at);
    }
    // Records lines from the root by clicks in recording mode.
    void RecordLines(const std::vector<std::vector<TPoint>>& lines) {
        Nav().SetInputMode(EInputMode::Record);
        for (const auto& line : lines) {
            Nav().ToFirst();
            TOneMoveScope oneMove(Nav());
            for (const TPoint p : line) {
                Nav().Deside(p.x, p.y);
                Nav().Deside(p.x, p.y);
            }
        }
        Nav().ToFirst();
        Nav().SetInputMode(EInputMode::Display);
        window->Parts().keys->RecordingHistory().Clear();
    }
};

TEST_F(KeysWindowTest, ArrowsHomeAndTheWheelWalkTheTreeAsClicksDo) {
    RecordLines({{{16, 4}, {17, 3}, {16, 3}}, {{16, 4}, {17, 6}}, {{17, 3}}});
    struct TStep {
        const char* what;
        std::function<void()> act;
        std::vector<TPoint> line;
    };
    const std::vector<TStep> steps = {
        {"Right plays the first candidate", [&] { Key(Qt::Key_Right); }, {{16, 4}}},
        {"Right again: a branch point, so one move", [&] { Key(Qt::Key_Right); }, {{16, 4}, {17, 3}, {16, 3}}},
        {"Left takes back to the branch", [&] { Key(Qt::Key_Left); }, {{16, 4}}},
        {"Down chooses the second candidate", [&] { Key(Qt::Key_Down); }, {{16, 4}}},
        {"Right plays it", [&] { Key(Qt::Key_Right); }, {{16, 4}, {17, 6}}},
        {"Home returns to the empty board", [&] { Key(Qt::Key_Home); }, {}},
        {"Up from the first wraps to the last", [&] { Key(Qt::Key_Up); }, {}},
        {"Right plays it", [&] { Key(Qt::Key_Right); }, {{17, 3}}},
        {"the wheel away goes back", [&] { Wheel(1); }, {}},
        {"the wheel towards the user goes forward", [&] { Wheel(-1); }, {{16, 4}}},
    };
    for (const TStep& s : steps) {
        s.act();
        EXPECT_EQ(CurrentLine(Nav()), s.line) << s.what;
    }
    // The same walk by clicks, in the to-branch mode both use: a click on a
    // candidate plays what Right played.
    Nav().ToFirst();
    Nav().MouseDown(EMouseButton::Left, 16, 4);
    const std::vector<TPoint> clicked = CurrentLine(Nav());
    Nav().ToFirst();
    Key(Qt::Key_Right);
    EXPECT_EQ(CurrentLine(Nav()), clicked);
    EXPECT_TRUE(recorded.entries.empty());
}

TEST_F(KeysWindowTest, CtrlZAndCtrlYTakeBackAndRedoRecordingAndTheModeShows) {
    auto* field = window->findChild<QLabel*>("InputModeField");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), ToQt("表示モード"));
    // A click on an empty point in display mode says why nothing happened.
    const TBytes empty = ReadFileBytes(dictionary.string());
    ClickPoint(16, 4);
    EXPECT_TRUE(window->StatusText().contains(ToQt("表示モード"))) << window->StatusText().toStdString();
    EXPECT_EQ(ReadFileBytes(dictionary.string()), empty);

    Act("mnuReg")->trigger();
    EXPECT_EQ(field->text(), ToQt("登録モード"));
    EXPECT_TRUE(window->windowTitle().endsWith(ToQt(" — 登録モード"))) << window->windowTitle().toStdString();
    EXPECT_FALSE(Act("mnuUndo")->isEnabled());
    ClickPoint(16, 4);                  // added
    ClickPoint(16, 4, Qt::RightButton);  // coloured
    const TBytes recordedBytes = ReadFileBytes(dictionary.string());
    ASSERT_TRUE(Act("mnuUndo")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Nav().Dictionary().Count(), 1);
    EXPECT_EQ(Nav().Dictionary().GetRecord(0).Color, 0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Nav().Dictionary().Count(), 0);
    EXPECT_FALSE(Act("mnuUndo")->isEnabled());
    EXPECT_TRUE(Act("mnuRedo")->isEnabled());
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(Nav().Dictionary().Count(), 1);
    EXPECT_EQ(Nav().Dictionary().GetMoveXY(0), TPoint(16, 4));
    EXPECT_EQ(Nav().Dictionary().GetRecord(0).Color, 1);
    // Redo appends the record again: the old one stays unlinked, as after a delete.
    EXPECT_GT(ReadFileBytes(dictionary.string()).size(), recordedBytes.size());
    EXPECT_FALSE(Act("mnuRedo")->isEnabled());
    EXPECT_TRUE(recorded.entries.empty());
}

// The lines panel: off until asked for, then the path here and the lines
// below, read as rows are opened; its clicks go where board clicks would.
TEST_F(KeysWindowTest, TheLinesPanelShowsThePathAndTheLinesBelowAndItsClicksWalkThere) {
    RecordLines({{{16, 4}, {17, 3}, {16, 3}}, {{16, 4}, {17, 6}}, {{17, 3}}});
    EXPECT_FALSE(window->Parts().lines->LinesDock()->isVisible());
    Act("mnuLinesPanel")->trigger();
    ASSERT_TRUE(window->Parts().lines->LinesDock()->isVisible());
    QTreeWidget* tree = window->LinesPanel()->Tree();
    QListWidget* path = window->LinesPanel()->Path();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), ToQt("い"));
    EXPECT_EQ(tree->topLevelItem(0)->text(1), "Q16");
    EXPECT_EQ(tree->topLevelItem(1)->text(1), "R17");
    EXPECT_EQ(path->count(), 1);
    // Opened on demand: the first row's placeholder becomes its candidates.
    QTreeWidgetItem* q16 = tree->topLevelItem(0);
    q16->setExpanded(true);
    ASSERT_EQ(q16->childCount(), 2);
    EXPECT_EQ(q16->child(0)->text(1), "R17");
    EXPECT_EQ(q16->child(1)->text(1), "R14");
    EXPECT_EQ(q16->child(1)->childCount(), 0);  // a leaf has no arrow
    // A click on a row goes there; the panel follows with the new position.
    const QRect row = tree->visualItemRect(q16->child(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(CurrentLine(Nav()), (std::vector<TPoint>{{16, 4}, {17, 6}}));
    ASSERT_EQ(path->count(), 3);
    EXPECT_EQ(path->item(2)->text(), "2. R14");
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    // A click on the path goes back to it.
    QTest::mouseClick(path->viewport(), Qt::LeftButton, {}, path->visualItemRect(path->item(1)).center());
    EXPECT_EQ(CurrentLine(Nav()), (std::vector<TPoint>{{16, 4}}));
    QTest::mouseClick(path->viewport(), Qt::LeftButton, {}, path->visualItemRect(path->item(0)).center());
    EXPECT_TRUE(CurrentLine(Nav()).empty());
    EXPECT_TRUE(recorded.entries.empty());
}

// The engine's figures in the lines panel, and its filter of the moves that
// lose more than a number of points.
TEST_F(KeysWindowTest, TheLinesPanelShowsPointsLostAndFiltersTheMovesThatLoseMore) {
    RecordLines({{{16, 4}, {17, 3}}, {{17, 3}}});
    Act("mnuClose")->trigger();
    {
        TEngineReviewStore store(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadWrite));
        TStoredReview review;
        review.rec = 0;
        review.visits = 200;
        review.candidates = {{{16, 4}, 0.3, 200}, {{17, 3}, 2.5, 150}};
        ASSERT_EQ(store.Put({review}), 1);
    }
    Choose(dictionary.string());
    Act("mnuOpen")->trigger();
    ASSERT_TRUE(window->FileOpen());
    Act("mnuLinesPanel")->trigger();
    QTreeWidget* tree = window->LinesPanel()->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(4), "0.3");
    EXPECT_EQ(tree->topLevelItem(1)->text(4), "2.5");
    tree->topLevelItem(0)->setExpanded(true);
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(4), "");  // not reviewed
    window->findChild<QCheckBox*>("LossFilter")->setChecked(true);  // more than 1.5
    EXPECT_TRUE(tree->topLevelItem(0)->isHidden());
    EXPECT_FALSE(tree->topLevelItem(1)->isHidden());
    window->findChild<QCheckBox*>("LossFilter")->setChecked(false);
    EXPECT_FALSE(tree->topLevelItem(0)->isHidden());
}

}  // namespace
}  // namespace vxlo::testing
