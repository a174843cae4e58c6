// The window "検索" and going to records inside the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "dictionary/MoveText.h"
#include "dictionary/TreeSupport.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/FindForm.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/records/frmJsk.h"
#include "gui/WindowFixture.h"
#include "import/ImportFixture.h"
#include "import/SgfReader.h"
#include "import/SgfCommentStore.h"

namespace vxlo::testing {
namespace {

const TLine kTransposedA = {{4, 4}, {16, 16}, {16, 4}};
const TLine kTransposedB = {{16, 4}, {16, 16}, {4, 4}};
const TLine kDeep = {{16, 4}, {17, 3}, {17, 4}, {16, 3}, {15, 3}, {15, 2}};

class FindWindowTest : public TWindowTest {
protected:
    void SetUp() override {
        TWindowTest::SetUp();
        TNullView view;
        TRecordingMessages quiet;
        TNullCommentStore none;
        TNullMenuState menus;
        TNavigation nav(view, quiet, none, menus);
        nav.OpenFile(Dictionary());
        a_ = EnterLine(nav, kTransposedA);
        b_ = EnterLine(nav, kTransposedB);
        deep_ = EnterLine(nav, kDeep);
        EnterLine(nav, {{16, 4}, {17, 3}, {15, 3}});
        EnterLine(nav, {{3, 4}, {5, 3}});
        nav.CloseFile();
        TSgfCommentStore comments(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        comments.PutComment(deep_, "ハネ継ぎ定石 (hane joseki)");
        comments.PutComment(b_, "Three corners");
    }
    TSDIAppForm& Start() {
        TWindowTest::Start();
        Open(Dictionary());
        EXPECT_TRUE(window_->FileOpen());
        return *window_;
    }
    std::string Dictionary() const { return dir_ / "find.jsk"; }

    // Everything the window shows of a position, to compare two ways there.
    struct TShown {
        QImage canvas;
        std::vector<TPoint> path;
        std::vector<int> list;
        int record = 0;
        bool data = false;
        bool delete1 = false;
    };
    TShown Shown() const {
        TShown s;
        const TNavigation& nav = window_->Navigation();
        s.canvas = window_->Renderer().Canvas().copy();
        for (int n = 1; n <= nav.Path().Count(); ++n) s.path.push_back(nav.Path().GetMove(n));
        for (int i = 0; i < nav.Dictionary().Count(); ++i) s.list.push_back(nav.Dictionary().RecNoAt(i));
        s.record = nav.CurrentRecord();
        s.data = Act("mnuData")->isEnabled();
        s.delete1 = Act("mnuDelete1")->isEnabled();
        return s;
    }
    void ExpectSame(const TShown& a, const TShown& b) const {
        EXPECT_TRUE(a.canvas == b.canvas);
        EXPECT_EQ(a.path, b.path);
        EXPECT_EQ(a.list, b.list);
        EXPECT_EQ(a.record, b.record);
        EXPECT_EQ(a.data, b.data);
        EXPECT_EQ(a.delete1, b.delete1);
    }

    int a_ = 0, b_ = 0, deep_ = 0;
};

TEST_F(FindWindowTest, GoingToARecordShowsWhatClickingThereShows) {
    TSDIAppForm& w = Start();
    Act("mnuRight")->trigger();  // a turned board: clicks land on display cells
    Act("mnu1")->trigger();      // one move a click
    const std::vector<int> deepPath = w.Parts().find->TreeIndex().PathTo(deep_);
    const std::vector<std::pair<int, TLine>> targets = {
        {deep_, kDeep}, {b_, kTransposedB}, {deepPath[1], {kDeep[0], kDeep[1]}}, {0, {}}};
    for (const auto& [record, line] : targets) {
        w.Parts().find->GoTo(record);
        const TShown gone = Shown();
        EXPECT_EQ(gone.record, record);
        Act("mnu1st")->trigger();
        for (const TPoint p : line) ClickPoint(p);
        ExpectSame(gone, Shown());
    }
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(FindWindowTest, TheSearchFieldListsPathsAndSnippetsAndGoesThere) {
    TSDIAppForm& w = Start();
    Act("mnuFind")->trigger();
    TFindForm& find = w.Parts().find->FindForm();
    ASSERT_TRUE(find.isVisible());
    find.SearchEdit()->setText(ToQt("定石"));
    QTest::keyClick(find.SearchEdit(), Qt::Key_Return);
    ASSERT_EQ(find.Results()->count(), 1);
    EXPECT_EQ(FromQt(find.Results()->item(0)->text()), "16,4 17,3 17,4 16,3 15,3 15,2　ハネ継ぎ定石 (hane joseki)");
    find.Choose(find.Results()->item(0));
    EXPECT_EQ(w.Navigation().CurrentRecord(), deep_);
    find.SearchEdit()->setText(ToQt("CORNERS"));
    find.SearchClick();
    ASSERT_EQ(find.Results()->count(), 1);
    find.Choose(find.Results()->item(0));
    EXPECT_EQ(w.Navigation().CurrentRecord(), b_);
}

TEST_F(FindWindowTest, AnotherPathToThePositionIsAnnouncedAndListed) {
    TSDIAppForm& w = Start();
    Act("mnuFind")->trigger();
    w.Parts().find->GoTo(a_);
    ASSERT_EQ(w.Parts().find->SamePositions().size(), 1u);
    EXPECT_EQ(w.Parts().find->SamePositions()[0].record, b_);
    auto* notice = w.findChild<QLabel*>("lblSamePosition");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(FromQt(notice->text()), "この局面はほかの手順でも現れます（1）");
    QListWidget* same = w.Parts().find->FindForm().SamePositions();
    ASSERT_EQ(same->count(), 1);
    EXPECT_EQ(FromQt(same->item(0)->text()), "16,4 16,16 4,4");
    w.Parts().find->FindForm().Choose(same->item(0));
    EXPECT_EQ(w.Navigation().CurrentRecord(), b_);
    EXPECT_EQ(w.Parts().find->SamePositions()[0].record, a_);
    Act("mnu1st")->trigger();
    w.Parts().find->ShowSamePosition();  // what the window does a moment later
    EXPECT_TRUE(w.Parts().find->SamePositions().empty());
    EXPECT_EQ(FromQt(notice->text()), "");
}

TEST_F(FindWindowTest, TheRecordGridGoesToTheRecordsItShows) {
    TSDIAppForm& w = Start();
    TJskForm& grid = w.Parts().records->JskForm();
    grid.FormPaint();
    // The root list: 4,4 (a), 16,4 (b and the deep line), 3,4.
    ASSERT_EQ(w.Navigation().Dictionary().GetMoveXY(1), (TPoint{16, 4}));
    grid.GridJsk()->setCurrentCell(1, 0);
    const TJskRecord row = w.Navigation().Dictionary().GetRecord(1);
    grid.mnuGoNextClick();
    EXPECT_EQ(w.Navigation().CurrentRecord(), row.Next);
    EXPECT_EQ(w.Navigation().Path().Count(), 2);
    w.Navigation().ToFirst();
    grid.FormPaint();
    grid.GridJsk()->setCurrentCell(1, 0);
    grid.mnuGoMoreClick();
    EXPECT_EQ(w.Navigation().CurrentRecord(), row.More);
    EXPECT_EQ(w.Navigation().Path().Count(), 1);
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(FindWindowTest, APastedGameGoesToItsCornerTurnedAsInTheGame) {
    TSDIAppForm& w = Start();
    Act("mnuFind")->trigger();
    TFindForm& find = w.Parts().find->FindForm();
    // The deep line's first four moves, mirrored left-right into the upper
    // left corner, between other moves far away.
    TLine moves = {{10, 19}};
    const TLine far = {{16, 17}, {17, 17}, {18, 17}};
    for (int i = 0; i < 4; ++i) {
        moves.push_back(Transform(2, kDeep[static_cast<std::size_t>(i)]));
        if (i % 2 == 1) moves.push_back(far[static_cast<std::size_t>(i / 2)]);
        if (i == 1) moves.push_back(far[2]);  // two between: the colours keep alternating
    }
    std::string game;
    for (const TPoint p : moves) game += FormatMove(p) + " ";
    find.GameText()->setPlainText(ToQt(game));
    find.GameClick();
    ASSERT_GT(find.CornerMatches()->count(), 0);
    const std::vector<int> path = w.Parts().find->TreeIndex().PathTo(deep_);
    EXPECT_EQ(w.Navigation().CurrentRecord(), path[3]);
    // The stone of 16,4 shows where the game has it: display cell 4,4.
    EXPECT_EQ(w.Navigation().Board().BoardToDisplay(16, 4), (TPoint{4, 4}));
    find.GameText()->setPlainText(ToQt("(;SZ[19];B[jj])"));
    find.GameClick();
    ASSERT_EQ(messages_.entries.size(), 1u);

    // The same game from an SGF file: the same corner again.
    std::string sgf = "(;GM[1]FF[4]SZ[19]";
    for (std::size_t i = 0; i < moves.size(); ++i) sgf += std::string(i % 2 ? ";W[" : ";B[") + EncodeSgfPoint(moves[i]) + "]";
    const std::string file = dir_ / "game.sgf";
    WriteBytes(file, sgf + ")");
    w.Navigation().ToFirst();
    w.Parts().files->SetFileChooser([file](const QString&) { return std::optional(PathToQt(file)); });
    QTest::mouseClick(find.findChild<QPushButton*>("btnGameFile"), Qt::LeftButton);
    EXPECT_EQ(w.Navigation().CurrentRecord(), path[3]);
    EXPECT_EQ(messages_.entries.size(), 1u);
}

}  // namespace
}  // namespace vxlo::testing
