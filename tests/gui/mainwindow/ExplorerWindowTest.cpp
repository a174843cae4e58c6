// The games explorer in the window: after a corner import its dock follows
// the position and the filters, pages the games, and its viewer shows a game
// where it reached the position and goes from there to the dictionary.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>

#include "cli/VxloTool.h"
#include "import/SgfReader.h"
#include "gui/board/BoardRenderer.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/ExplorerPanel.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "gui/records/GameViewer.h"

namespace vxlo::testing {
namespace {

using nlohmann::json;

// By hand: the 4-4 point (Q16) is reached by game 1 in the upper right and
// lower left and by game 2 (White first) in the lower left; the 3-4 point
// (R16) by game 3 alone. Game 2's second move follows game 1's line.
constexpr const char* kGames =
    "(;SZ[19]PB[Sato Ken]BR[9d]PW[Lee]DT[2001-03-04]EV[Meijin]RE[B+R];B[pd];W[qf];B[dp])"
    "(;SZ[19]PB[Cho]PW[SATO Yuki]DT[2005]EV[NHK Cup]RE[W+R];W[dp];B[cn])"
    "(;SZ[19]PB[Lee]PW[Cho]DT[1999]RE[B+R];B[cp])";

class ExplorerWindowTest : public TOpenWindowTest {
protected:
    TExplorerPanel* Panel() const { return window->ExplorerPanel(); }
    QString Cell(QTableWidget* t, int row, int column) const { return t->item(row, column)->text(); }
    void Import(const std::string& text) {
        WriteBytes(dir / "games.sgf", text);
        Choose((dir / "games.sgf").string());
        Act("mnuCornerInput")->trigger();
        recorded.entries.clear();
        Act("mnu1")->trigger();  // one move a click, whatever follows
        // The window holds the dictionary: the tool answers from a copy.
        std::filesystem::create_directories(dir / "copy");
        for (const char* name : {"test.jsk", "test.comments.sqlite"})
            std::filesystem::copy_file(dir / name, dir / "copy" / name, std::filesystem::copy_options::overwrite_existing);
        copy = (dir / "copy" / "test.jsk").string();
    }
    std::string copy;
    void Filter(const char* field, const QString& text) {
        Panel()->findChild<QLineEdit*>(field)->setText(text);
        Panel()->ApplyFilterNow();
    }
    json Tool(std::vector<std::string> args) {
        std::ostringstream out, err;
        EXPECT_EQ(RunVxloTool(args, out, err), 0) << err.str();
        return json::parse(out.str());
    }
    TGameViewer* OpenRow(int row) {
        QTableWidget* games = Panel()->Games();
        emit games->cellDoubleClicked(row, 0);
        return window->findChild<TGameViewer*>();
    }
};

TEST_F(ExplorerWindowTest, CandidatesAndGamesFollowThePositionAndTheFiltersByHand) {
    Import(kGames);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(window->findChild<QDockWidget*>("ExplorerDock")->isVisible());
    QTableWidget* c = Panel()->Candidates();
    ASSERT_EQ(c->rowCount(), 2);
    EXPECT_EQ(Cell(c, 0, 1), "Q16");
    EXPECT_EQ(Cell(c, 0, 2), "3");
    EXPECT_EQ(Cell(c, 0, 3), "75.0%");
    EXPECT_EQ(Cell(c, 0, 5), "2001");
    EXPECT_EQ(Cell(c, 0, 6), "2005");
    EXPECT_EQ(Cell(c, 1, 1), "R16");
    const TExplorerCandidate& q16 = Panel()->Position().candidates[0];
    EXPECT_EQ(q16.counts.blackWins, 2);
    EXPECT_EQ(q16.counts.whiteWins, 1);
    EXPECT_EQ(q16.counts.starterWins, 3);  // game 2's starter, White, won too

    // Only games after 2002: game 2; the 3-4 point leaves the board's counts.
    EXPECT_GT(CountPixels(17, 4), 0);
    Filter("edtFromYear", "2002");
    EXPECT_EQ(Cell(c, 0, 2), "1");
    EXPECT_EQ(Cell(c, 1, 2), "0");
    EXPECT_GT(CountPixels(16, 4), 0);
    EXPECT_EQ(CountPixels(17, 4), 0);
    Filter("edtFromYear", "");
    Filter("edtPlayer", "sato");  // games 1 and 2, either colour, either case
    EXPECT_EQ(Cell(c, 0, 2), "3");
    EXPECT_EQ(Cell(c, 1, 2), "0");
    Filter("edtPlayer", "");

    // After Q16: newest first, game 2 then game 1's two corners.
    window->Navigation().Deside(16, 4);
    QTableWidget* g = Panel()->Games();
    ASSERT_EQ(g->rowCount(), 3);
    EXPECT_EQ(Cell(g, 0, 0), "Cho");
    EXPECT_EQ(Cell(g, 0, 1), "SATO Yuki");
    EXPECT_EQ(Cell(g, 1, 0), "Sato Ken (9d)");
    EXPECT_EQ(Cell(g, 1, 2), "2001-03-04");
    EXPECT_EQ(Cell(g, 1, 3), "Meijin");
    EXPECT_EQ(Cell(g, 1, 4), "B+R");
    EXPECT_EQ(Cell(g, 1, 6), "1");
    EXPECT_EQ(Cell(g, 2, 6), "3");  // game 1's lower left: its third move
    // The date's header turns the order of every page.
    QHeaderView* header = g->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(2) + 5, 5));
    EXPECT_EQ(Cell(g, 0, 0), "Sato Ken (9d)");
    EXPECT_EQ(Cell(g, 2, 0), "Cho");
}

TEST_F(ExplorerWindowTest, TheViewerOpensWhereTheGameReachedThePositionStepsAndGoesToTheDictionary) {
    Import(kGames);
    const int q16 = Tool({"stats", "--json", copy})["candidates"][0]["record"];
    const int r17f6 = Tool({"stats", "--json", copy, "16,4"})["candidates"][0]["record"];
    window->Navigation().Deside(16, 4);
    TGameViewer* viewer = OpenRow(0);  // game 2, lower left, White's 4-4 at move 1
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(recorded.entries.empty());
    EXPECT_EQ(viewer->Shown(), 1);
    EXPECT_EQ(viewer->MoveCount(), 2);
    const auto at = [viewer](int x, int y) { return viewer->Stones()[static_cast<std::size_t>((y - 1) * 19 + x - 1)]; };
    EXPECT_EQ(at(4, 16), White);
    EXPECT_EQ(at(3, 14), Empty);
    viewer->findChild<QPushButton*>("btnViewerForward")->click();
    EXPECT_EQ(at(3, 14), Black);
    QTest::keyClick(viewer, Qt::Key_Left);
    QTest::keyClick(viewer, Qt::Key_Left);
    EXPECT_EQ(viewer->Shown(), 0);
    EXPECT_EQ(at(4, 16), Empty);
    QTest::keyClick(viewer, Qt::Key_Right);
    EXPECT_EQ(viewer->Shown(), 1);
    QWheelEvent back(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer, &back);  // towards the user: forward
    EXPECT_EQ(viewer->Shown(), 2);

    window->Navigation().ResetToRoot();
    viewer->findChild<QPushButton*>("btnViewerGoTo")->click();
    EXPECT_EQ(window->Navigation().CurrentRecord(), r17f6);
    viewer->findChild<QPushButton*>("btnViewerBack")->click();
    viewer->GoToDictionary();
    EXPECT_EQ(window->Navigation().CurrentRecord(), q16);
    // Shown as the game shows it: the 4-4 point in the lower left.
    EXPECT_EQ(window->Navigation().Board().BoardToDisplay(16, 4), (TPoint{4, 16}));
    viewer->close();
}

TEST_F(ExplorerWindowTest, AGameFileThatMovedOrChangedIsReportedByName) {
    Import(kGames);
    window->Navigation().Deside(16, 4);
    const std::string file = (dir / "games.sgf").string();
    std::filesystem::rename(file, dir / "elsewhere.sgf");
    EXPECT_EQ(OpenRow(0), nullptr);
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_TRUE(recorded.entries[0].error);
    EXPECT_TRUE(recorded.entries[0].text.contains(PathToQt(file))) << recorded.entries[0].text.toStdString();
    // The same name, another game in the place of game 2.
    recorded.entries.clear();
    WriteBytes(file, std::string(kGames).replace(std::string(kGames).find("B[cn]"), 5, "B[cm]"));
    EXPECT_EQ(OpenRow(0), nullptr);
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_TRUE(recorded.entries[0].text.contains(PathToQt(file)));
    // Game 1 is as it was.
    recorded.entries.clear();
    TGameViewer* viewer = OpenRow(1);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(recorded.entries.empty());
    viewer->close();
}

// Generated games: the panel's rows and pages against the tool's answers.
std::string GeneratedGames(int count) {
    std::mt19937 random(4711);
    const char* names[] = {"Sato Ken", "Lee", "Cho Chikun", "坂田栄男", "Park"};
    const char* events[] = {"Meijin", "Honinbo Cup", "", "NHK CUP"};
    std::vector<std::vector<TPoint>> lines;
    for (int l = 0; l < 12; ++l) {
        std::vector<TPoint> line = l >= 4 ? lines[random() % 4] : std::vector<TPoint>{};
        line.resize(std::min<std::size_t>(line.size(), 1 + random() % 3));
        while (line.size() < 3 + random() % 4) line.push_back({12 + static_cast<int>(random() % 7), 2 + static_cast<int>(random() % 7)});
        lines.push_back(line);
    }
    std::string sgf;
    for (int g = 0; g < count; ++g) {
        sgf += "(;SZ[19]PB[" + std::string(names[random() % 5]) + "]PW[" + names[random() % 5] + "]";
        if (random() % 4) sgf += "DT[" + std::to_string(1970 + random() % 50) + "]";
        sgf += "EV[" + std::string(events[random() % 4]) + "]RE[" + (random() % 2 ? "B+R" : "W+R") + "]";
        std::vector<std::vector<TPoint>> queues;
        const int corners = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < corners; ++k) {
            std::vector<TPoint> q = lines[random() % lines.size()];
            for (TPoint& p : q) {
                if (k & 1) p.x = 20 - p.x;
                if (k & 2) p.y = 20 - p.y;
            }
            queues.push_back(q);
        }
        bool black = true;
        for (std::size_t step = 0;; ++step) {
            bool any = false;
            for (auto& q : queues) {
                if (step >= q.size()) continue;
                any = true;
                const TPoint p = q[step];
                sgf += std::string(black ? ";B[" : ";W[") + static_cast<char>('a' + p.x - 1) + static_cast<char>('a' + p.y - 1) + "]";
                black = !black;
            }
            if (!any) break;
        }
        sgf += ")\n";
    }
    return sgf;
}

TEST_F(ExplorerWindowTest, GeneratedGamesRowsAndPagesAgreeWithTheTool) {
    Import(GeneratedGames(400));
    ASSERT_TRUE(Panel()->Attached());
    const std::vector<std::vector<std::string>> filters = {
        {}, {"--from", "1990"}, {"--player", "sato"}, {"--event", "cup", "--to", "2000"}};
    const std::vector<std::pair<const char*, QString>> fields[] = {
        {}, {{"edtFromYear", "1990"}}, {{"edtPlayer", "sato"}}, {{"edtEvent", "cup"}, {"edtToYear", "2000"}}};
    double slowestMs = 0;
    for (std::size_t f = 0; f < filters.size(); ++f) {
        for (const char* name : {"edtFromYear", "edtToYear", "edtPlayer", "edtEvent"})
            Panel()->findChild<QLineEdit*>(name)->clear();
        for (const auto& [name, text] : fields[f]) Panel()->findChild<QLineEdit*>(name)->setText(text);
        window->Navigation().ResetToRoot();
        Panel()->ApplyFilterNow();
        std::vector<std::string> moves;
        for (int depth = 0; depth < 3; ++depth) {
            SCOPED_TRACE(::testing::PrintToString(filters[f]) + ::testing::PrintToString(moves));
            std::vector<std::string> args{"stats", "--json"};
            args.insert(args.end(), filters[f].begin(), filters[f].end());
            args.push_back(copy);
            args.insert(args.end(), moves.begin(), moves.end());
            const json stats = Tool(args);
            const TExplorerPosition& p = Panel()->Position();
            EXPECT_EQ(p.counts.games, stats["games"]);
            ASSERT_EQ(p.candidates.size(), stats["candidates"].size());
            for (const json& sc : stats["candidates"]) {
                const auto it = std::find_if(p.candidates.begin(), p.candidates.end(),
                                             [&](const TExplorerCandidate& c) { return c.record == sc["record"]; });
                ASSERT_NE(it, p.candidates.end());
                EXPECT_EQ(it->counts.games, sc["games"]);
                EXPECT_EQ(it->counts.blackWins, sc["black_wins"]);
                EXPECT_EQ(it->counts.whiteWins, sc["white_wins"]);
                EXPECT_EQ(it->counts.firstYear, sc["first_year"]);
                EXPECT_EQ(it->counts.lastYear, sc["last_year"]);
            }
            // Every page against the tool's page at the same offset.
            args[0] = "games";
            const long long total = Panel()->GamesPage().total;
            const long long pages = PageCount(total, TExplorerPanel::kPageSize);
            for (long long page = 0; page < pages; ++page) {
                std::vector<std::string> list = args;
                list.insert(list.begin() + 2, {"--offset", std::to_string(page * 50)});
                const json answer = Tool(list);
                EXPECT_EQ(answer["total"], total);
                EXPECT_EQ(Panel()->Page(), page);
                ASSERT_EQ(Panel()->Games()->rowCount(), static_cast<int>(answer["games"].size()));
                for (std::size_t i = 0; i < answer["games"].size(); ++i)
                    EXPECT_EQ(Panel()->GamesPage().games[i].game.id, answer["games"][i]["game"]);
                EXPECT_EQ(Panel()->findChild<QPushButton*>("btnExplorerNext")->isEnabled(), page + 1 < pages);
                Panel()->findChild<QPushButton*>("btnExplorerNext")->click();
            }
            if (p.candidates.empty() || p.candidates[0].counts.games == 0) break;
            const TPoint next = p.candidates[0].move;
            moves.push_back(std::to_string(next.x) + "," + std::to_string(next.y));
            const auto start = std::chrono::steady_clock::now();
            window->Navigation().Deside(next.x, next.y);
            slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            EXPECT_EQ(Panel()->Page(), 0);
        }
    }
    // Some position has more than one page.
    window->Navigation().ResetToRoot();
    Panel()->findChild<QLineEdit*>("edtEvent")->clear();
    Panel()->findChild<QLineEdit*>("edtToYear")->clear();
    Panel()->ApplyFilterNow();
    EXPECT_GT(Panel()->GamesPage().total, 100);
    std::cout << "explorer follows a click in " << slowestMs << " ms at most (400 games)\n";
}

// A heading's click orders the whole list: every page in the order the
// tool gives with --sort, again the other way round on a second click.
TEST_F(ExplorerWindowTest, AHeadingSortsEveryPageAsTheToolDoes) {
    Import(GeneratedGames(400));
    ASSERT_TRUE(Panel()->Attached());
    window->Navigation().ResetToRoot();
    QTableWidget* g = Panel()->Games();
    QHeaderView* header = g->horizontalHeader();
    const struct {
        int column;
        std::vector<std::string> options;
    } cases[] = {{0, {"--sort", "black"}}, {0, {"--sort", "black", "--reverse"}}, {3, {"--sort", "event"}},
                 {6, {"--sort", "move"}},  {2, {}},                               {2, {"--oldest"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c.column) + 5, 5));
        EXPECT_EQ(Panel()->Page(), 0);
        const long long pages = PageCount(Panel()->GamesPage().total, TExplorerPanel::kPageSize);
        ASSERT_GT(pages, 1);
        for (long long page = 0; page < pages; ++page) {
            std::vector<std::string> args{"games", "--json", "--offset", std::to_string(page * 50)};
            args.insert(args.end(), c.options.begin(), c.options.end());
            args.push_back(copy);
            const json answer = Tool(args);
            ASSERT_EQ(Panel()->GamesPage().games.size(), answer["games"].size());
            for (std::size_t i = 0; i < answer["games"].size(); ++i) {
                EXPECT_EQ(Panel()->GamesPage().games[i].game.id, answer["games"][i]["game"]);
                EXPECT_EQ(Panel()->GamesPage().games[i].pass.corner, answer["games"][i]["corner"]);
            }
            Panel()->NextPage();
        }
    }
}

// The bar of wins is painted: black for Black's share of the decided games,
// white for White's, across its width.
TEST_F(ExplorerWindowTest, TheWinBarPaintsBlackAndWhiteInProportion) {
    Import(kGames);
    QTableWidget* c = Panel()->Candidates();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const TExplorerCandidate& q16 = Panel()->Position().candidates[0];
    ASSERT_EQ(q16.counts.blackWins, 2);
    ASSERT_EQ(q16.counts.whiteWins, 1);
    QWidget* bar = c->cellWidget(0, 4);
    ASSERT_NE(bar, nullptr);
    bar->resize(90, 20);
    const QImage image = bar->grab().toImage();
    const int y = image.height() / 2;
    int black = 0, white = 0, inside = 0;
    for (int x = 3; x < image.width() - 3; ++x) {
        const QColor p = image.pixelColor(x, y);
        ++inside;
        if (p == QColor(Qt::black)) ++black;
        if (p == QColor(Qt::white)) ++white;
    }
    EXPECT_EQ(black + white, inside);
    EXPECT_NEAR(static_cast<double>(black) / inside, 2.0 / 3.0, 0.05);
    // The first pixels black, the last white: Black's share on the left.
    EXPECT_EQ(image.pixelColor(3, y), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 4, y), QColor(Qt::white));
}

// Past 30 candidates: every one is in the dictionary and the panel; the kana
// go to the 30 most played, the others carry the unlabelled mark, which a
// click still plays.
TEST_F(ExplorerWindowTest, PastThirtyCandidatesTheMostPlayedGetTheKanaAndTheRestPlay) {
    std::string sgf;
    int game = 0;
    // 45 openings of the upper right, the later ones played more often, so
    // that chain order and the counts disagree.
    for (int x = 11; x <= 19; ++x) {
        // The half the import keeps them in: not one of them is reflected.
        for (int y = 20 - x; y <= 9; ++y) {
            const int times = 1 + game / 9;
            for (int t = 0; t < times; ++t)
                sgf += "(;SZ[19]DT[" + std::to_string(1990 + t) + "]RE[B+R];B[" + EncodeSgfPoint({x, y}) + "];W[" +
                       EncodeSgfPoint({11 + t, 8}) + "])";
            ++game;
        }
    }
    Import(sgf);
    window->Navigation().ResetToRoot();
    const TLjsk& list = window->Navigation().Dictionary();
    ASSERT_EQ(list.Count(), game);
    ASSERT_GT(game, 40);
    EXPECT_EQ(Panel()->Candidates()->rowCount(), game);
    // The model: opening i (chain order) was played 1 + i / 9 times; the 30
    // most played, the earlier first among equals, get the kana in chain order.
    std::vector<std::pair<int, int>> ranked;
    for (int i = 0; i < game; ++i) ranked.push_back({-(1 + i / 9), i});
    std::sort(ranked.begin(), ranked.end());
    std::vector<bool> most(static_cast<std::size_t>(game), false);
    for (int k = 0; k < 30; ++k) most[static_cast<std::size_t>(ranked[static_cast<std::size_t>(k)].second)] = true;
    int labelled = 0;
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.LabelIndex(i), most[static_cast<std::size_t>(i)] ? labelled++ : -1) << "candidate " << i;
    }
    const TPoint unlabelled = list.GetMoveXY(0);
    const TPoint labelledPoint = list.GetMoveXY(game - 1);
    ASSERT_EQ(list.LabelIndex(0), -1);
    // The mark and the kana are both ink of the label's colour; the mark less.
    const auto ink = [&](TPoint p) {
        const QImage& image = window->Renderer().Canvas();
        const TBoardRenderer& r = window->Renderer();
        const TPoint cell = window->Navigation().Board().BoardToDisplay(p.x, p.y);
        const QColor colour = ColorFromBgr(CandidateLabelColor(0));
        int count = 0;
        for (int py = 0; py < r.CellSize(); ++py)
            for (int px = 0; px < r.CellSize(); ++px)
                if (image.pixelColor(r.BoardLeft() + (cell.x - 1) * r.CellSize() + px,
                                     r.BoardTop() + (cell.y - 1) * r.CellSize() - TBoardRenderer::kToolPanelHeight + py) == colour)
                    ++count;
        return count;
    };
    EXPECT_GT(ink(unlabelled), 0) << "the unlabelled mark is drawn";
    EXPECT_GT(ink(labelledPoint), ink(unlabelled));
    window->Navigation().Deside(unlabelled.x, unlabelled.y);
    EXPECT_EQ(window->Navigation().Path().Count(), 1);
}

}  // namespace
}  // namespace vxlo::testing
