// The real main window, headless: the tenuki spot on the tool bar (drawn,
// clicked, coloured, run through, taken back, deleted) and the board markup
// of each kind drawn over points, stones and candidates, and hidden.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "gui/board/BoardWidget.h"
#include "gui/board/MarkupPainter.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "practice/PracticeRun.h"
#include "gui/board/TenukiSpot.h"
#include "settings/IniFile.h"
#include "companion/MarkupStore.h"
#include "gui/WindowFixture.h"
#include "support/FileBytes.h"

namespace vxlo {
namespace {

using TLine = std::vector<TPoint>;

class TenukiWindowTest : public testing::TWindowTest {
protected:
    // A dictionary holding the lines, made as the importers make one.
    void MakeDictionary(const std::vector<TLine>& lines) {
        TNullView view;
        TRecordedMessages none;
        TMessageSinkAdapter sink(none);
        TNullCommentStore comments;
        TNullMenuState menus;
        TNavigation nav(view, sink, comments, menus);
        nav.OpenFile(file_);
        for (const TLine& line : lines) {
            nav.ResetToRoot();
            TOneMoveScope oneMove(nav);
            for (const TPoint& p : line) {
                nav.Deside(p.x, p.y);
                nav.Deside(p.x, p.y);
            }
        }
        nav.CloseFile();
    }
    TSDIAppForm& Start() {
        TWindowTest::Start();
        Open(file_);
        return *window_;
    }
    TNavigation& Nav() { return window_->Navigation(); }
    void ClickSpot(Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&window_->Parts().markup->TenukiSpot(), button, {}, QPoint(60, 12));
    }
    QImage Spot() { return window_->Parts().markup->TenukiSpot().grab().toImage(); }
    QRgb TurnColour() { return Spot().pixel(TenukiSpot::TurnRect().center()) & 0xFFFFFF; }
    int SpotPixels(QRgb rgb) {
        const QImage image = Spot();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = TenukiSpot::TurnRect().right() + 2; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == rgb;
        return n;
    }
    // The board area as painted, markup overlay included.
    QImage Board() { return window_->BoardArea().grab().toImage(); }
    QRect Cell(const QImage&, int column, int row) const {
        const TBoardRenderer& r = window_->Renderer();
        return {r.BoardLeft() + (column - 1) * r.CellSize(),
                r.BoardTop() + (row - 1) * r.CellSize() - TBoardRenderer::kToolPanelHeight, r.CellSize(),
                r.CellSize()};
    }
    static int Count(const QImage& image, const QRect& area, QRgb rgb) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == rgb;
        return n;
    }
    static int Magenta(const QImage& image, const QRect& area) { return Count(image, area, kMarkupRgb & 0xFFFFFF); }

    using TenukiSpot = TTenukiSpot;
    std::string file_ = dir_.File("j.jsk");
};

TEST_F(TenukiWindowTest, TheSpotShowsTheTurnAndTheTenukiCandidateAndRunsGoThroughIt) {
    MakeDictionary({{{16, 4}, kTenuki, {17, 3}, {16, 3}}});
    Start();
    EXPECT_EQ(TurnColour(), 0x000000u);  // Black to move
    EXPECT_TRUE(window_->Parts().markup->TenukiSpot().LabelText().isEmpty());
    // To-branch: one click plays 16,4, White's tenuki and Black's 17,3 and
    // White's 16,3, numbered 1, 3, 4 with the tenuki as 2.
    ClickCell(16, 4);
    ASSERT_EQ(Nav().Path().Count(), 4);
    EXPECT_EQ(Nav().Board().GetNumber(16, 4), 1);
    EXPECT_EQ(Nav().Board().GetNumber(17, 3), 3);
    EXPECT_EQ(Nav().Board().GetNumber(16, 3), 4);
    EXPECT_EQ(Nav().TenukiNumbers(), std::vector<int>{2});
    EXPECT_EQ(Nav().Board().GetStone(17, 3), Black);
    EXPECT_EQ(TurnColour(), 0x000000u);
    EXPECT_GT(SpotPixels(0x0000FF), 0);  // the tenuki's number, in blue
    // Back to the root in one right click; the number goes.
    ClickCell(10, 10, Qt::RightButton);
    EXPECT_EQ(Nav().Path().Count(), 0);
    EXPECT_EQ(SpotPixels(0x0000FF), 0);

    // One move at a time: after 16,4 the tenuki is White's candidate い.
    Act("mnu1")->trigger();
    ClickCell(16, 4);
    EXPECT_EQ(TurnColour(), 0xFFFFFFu);
    EXPECT_EQ(window_->Parts().markup->TenukiSpot().LabelText(), ToQt("い"));
    const int blackText = SpotPixels(0x000000);
    EXPECT_GT(blackText, 0);
    // A right click on it does nothing in display mode; in recording mode
    // it steps the colour.
    ClickSpot(Qt::RightButton);
    EXPECT_EQ(Nav().Path().Count(), 1);
    EXPECT_EQ(window_->Parts().markup->TenukiSpot().LabelColor(), 0);
    Act("mnuReg")->trigger();
    ClickSpot(Qt::RightButton);
    EXPECT_EQ(window_->Parts().markup->TenukiSpot().LabelColor(), 1);
    EXPECT_GT(SpotPixels(0xFF0000), 0);  // red kana
    // A click plays it: Black to move again, the stone of 17,3 is next.
    ClickSpot();
    EXPECT_EQ(Nav().Path().Count(), 2);
    EXPECT_EQ(Nav().Path().LastMove(), kTenuki);
    EXPECT_EQ(TurnColour(), 0x000000u);
    EXPECT_TRUE(window_->Parts().markup->TenukiSpot().LabelText().isEmpty());
    EXPECT_EQ(Nav().Board().PointState(17, 3), Candidate);
    // Recording mode: Black plays elsewhere too; added, then played.
    ClickSpot();
    EXPECT_EQ(window_->Parts().markup->TenukiSpot().LabelText(), ToQt("ろ"));
    ClickSpot();
    EXPECT_EQ(Nav().Path().Count(), 3);
    EXPECT_EQ(TurnColour(), 0xFFFFFFu);
    // Delete it again: the position after White's tenuki has only 17,3.
    ASSERT_TRUE(Act("mnuDelete1")->isEnabled());
    Act("mnuDelete1")->trigger();
    EXPECT_EQ(Nav().Path().Count(), 2);
    EXPECT_EQ(Nav().Dictionary().Count(), 1);
    EXPECT_TRUE(window_->Parts().markup->TenukiSpot().LabelText().isEmpty());
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(TenukiWindowTest, MarkupOfEachKindIsDrawnOnPointsStonesAndCandidatesAndCanBeHidden) {
    MakeDictionary({{{16, 4}, {17, 3}}, {{4, 4}}});
    {
        TMarkupStore store(OpenCompanion(file_, TCompanionDatabase::EAccess::ReadWrite));
        store.PutMarkup(0, {{EMarkupKind::Label, 10, 10, "A"}, {EMarkupKind::Triangle, 3, 3, ""},
                            {EMarkupKind::Square, 16, 4, ""},  // on the candidate い
                            {EMarkupKind::Circle, 15, 15, ""}, {EMarkupKind::Cross, 9, 3, ""}});
        store.PutMarkup(1, {{EMarkupKind::Label, 16, 4, "b"},  // on the black stone
                            {EMarkupKind::Circle, 17, 3, ""}});
        store.Flush();
    }
    Start();
    QImage image = Board();
    for (const TPoint p : TLine{{10, 10}, {3, 3}, {16, 4}, {15, 15}, {9, 3}}) {
        EXPECT_GT(Magenta(image, Cell(image, p.x, p.y)), 4) << p.x << "," << p.y;
    }
    EXPECT_EQ(Magenta(image, Cell(image, 4, 4)), 0);  // a candidate without markup
    EXPECT_EQ(Magenta(image, Cell(image, 12, 12)), 0);
    // Each kind has its own shape: probes at the corners and middle of its box.
    const int s = window_->Renderer().CellSize();
    const int inset = s / 5;
    const auto at = [&](int column, int row, int dx, int dy) {
        const QRect c = Cell(image, column, row);
        return image.pixel(c.left() + dx, c.top() + dy) & 0xFFFFFF;
    };
    const QRgb magenta = kMarkupRgb & 0xFFFFFF;
    // On the candidate い the square goes small into the upper right corner:
    // the label keeps the rest of the point, free of markup.
    const int small = std::max(6, s * 2 / 5);
    EXPECT_EQ(at(16, 4, s - small + 1, 1), magenta);               // square: its corner
    const QRect label = Cell(image, 16, 4);
    EXPECT_EQ(Magenta(image, QRect(label.left(), label.top() + small, label.width(), label.height() - small)), 0);
    EXPECT_EQ(Magenta(image, QRect(label.left(), label.top(), label.width() - small, label.height())), 0);
    EXPECT_NE(at(15, 15, inset, inset), magenta);                 // circle: not the corner
    EXPECT_EQ(at(15, 15, s / 2, inset), magenta);                 //   but the top
    EXPECT_EQ(at(9, 3, s / 2, s / 2), magenta);                   // cross: the middle
    EXPECT_NE(at(3, 3, inset, inset), magenta);                   // triangle: not the top corner
    EXPECT_EQ(at(3, 3, inset, s - inset - 1), magenta);           //   but the bottom one
    EXPECT_GT(Count(image, Cell(image, 10, 10), 0xFFFFFF), 20);  // label: a white plate

    // Practice keeps the marks back while the user is to answer: they often
    // point at the answer.
    Act("mnuPractice")->trigger();
    ASSERT_NE(window_->Practice(), nullptr);
    ASSERT_EQ(window_->Practice()->Session().State(), EPracticeState::UserToAnswer);
    EXPECT_EQ(Magenta(Board(), image.rect()), 0);
    Act("mnuPractice")->trigger();
    ASSERT_EQ(window_->Practice(), nullptr);
    EXPECT_GT(Magenta(Board(), Cell(image, 10, 10)), 4);

    // The next position shows its own markup: a letter legible on a stone.
    Act("mnu1")->trigger();
    ClickCell(16, 4);
    image = Board();
    EXPECT_EQ(Magenta(image, Cell(image, 10, 10)), 0);
    EXPECT_GT(Magenta(image, Cell(image, 16, 4)), 4);
    EXPECT_GT(Count(image, Cell(image, 16, 4), 0xFFFFFF), 20);  // the plate over the black stone
    EXPECT_GT(Magenta(image, Cell(image, 17, 3)), 4);

    // Hidden by the settings switch, kept in VXLO.INI.
    Act("mnuMarkup")->trigger();
    EXPECT_FALSE(Act("mnuMarkup")->isChecked());
    image = Board();
    EXPECT_EQ(Magenta(image, image.rect()), 0);
    window_->close();
    EXPECT_EQ(TIniFile((config_ / "VXLO.INI").string()).ReadInteger("Mode", "マーク", 1), 0);
    window_.reset();
    Start();
    EXPECT_FALSE(Act("mnuMarkup")->isChecked());
    image = Board();
    EXPECT_EQ(Magenta(image, image.rect()), 0);
    Act("mnuMarkup")->trigger();
    image = Board();
    EXPECT_GT(Magenta(image, Cell(image, 3, 3)), 4);
}

TEST_F(TenukiWindowTest, AnUnreadableMarkupDatabaseIsReportedAndTheDictionaryStillOpens) {
    MakeDictionary({{{16, 4}}});
    const std::string database = dir_.File("j.comments.sqlite");
    std::ofstream(database, std::ios::binary) << std::string(100, 'x');
    Start();
    EXPECT_TRUE(Nav().FileOpen());
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_TRUE(messages_.entries[0].error);
    EXPECT_TRUE(messages_.entries[0].text.contains(PathToQt(database)));
    EXPECT_EQ(testing::ReadFileBytes(database), testing::TBytes(100, 'x'));  // never replaced
    const QImage image = Board();
    EXPECT_EQ(Magenta(image, image.rect()), 0);
}

}  // namespace
}  // namespace vxlo
