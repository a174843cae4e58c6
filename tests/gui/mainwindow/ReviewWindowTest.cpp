// The engine's review in the window, through the fake engine: the figures
// beside the candidates (pixel probes in the colours of the limits) and in
// the continuation table, against the fake's world (FakeReviewModel.h);
// lines reviewed in batches that a cancel keeps; a dying engine reported
// once; the event loop running while the engine thinks; the worker and its
// engine gone when the dictionary or the window closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

#include "engine/FakeReviewModel.h"
#include "gui/board/BoardWidget.h"
#include "gui/board/TenukiSpot.h"
#include "gui/dialogs/EngineSettingsDialog.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "settings/IniFile.h"
#include "companion/ReviewRun.h"

namespace vxlo::testing {
namespace {

constexpr int kVisits = 40;
constexpr int kWait = 30000;  // ms; the fake answers at once unless told to wait

// The 3-4 point in the upper right, which no mirror maps onto itself, with
// three answers; the fake searches two of them, the third is asked after.
const TPoint r16{17, 4}, q16{16, 4}, q17{16, 3}, o16{14, 4};
const std::vector<TPoint> kCandidates = {q16, q17, o16};

// Children of this process still running the fake engine.
int FakeEnginesRunning() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state, parent;
        if (!(stat >> pid >> name >> state >> parent)) continue;
        if (parent == std::to_string(::getpid()) && name.find("vxlo-fake") != std::string::npos) ++count;
    }
    return count;
}

class ReviewWindowTest : public TOpenWindowTest {
protected:
    void SetUp() override {
        TOpenWindowTest::SetUp();
        Record({r16, q16});
        Record({r16, q17});
        Record({r16, o16});
        Engine("");
    }
    // Enters a line from the root as the importers do, and goes back.
    void Record(const std::vector<TPoint>& line) {
        TNavigation& nav = window->Navigation();
        nav.SetInputMode(EInputMode::Record);
        nav.ToFirst();
        {
            TOneMoveScope oneMove(nav);
            for (const TPoint p : line) {
                ASSERT_TRUE(nav.Deside(p.x, p.y));
                ASSERT_TRUE(nav.Deside(p.x, p.y));
            }
        }
        nav.SetInputMode(EInputMode::Display);
        nav.ToFirst();
    }
    void Engine(const std::string& arguments, double good = 0.5, double doubtful = 1.5) {
        TIniFile ini(window->SettingsPath());
        TEngineIniSettings s;
        s.command = std::string(VXLO_FAKE_ENGINE) + (arguments.empty() ? "" : " " + arguments);
        s.visits = kVisits;
        s.goodLoss = good;
        s.doubtfulLoss = doubtful;
        WriteEngineSettings(ini, s);
    }
    void GoTo(const std::vector<TPoint>& line) {
        TNavigation& nav = window->Navigation();
        nav.ToFirst();
        TOneMoveScope oneMove(nav);
        for (const TPoint p : line) ASSERT_TRUE(nav.Deside(p.x, p.y));
    }
    bool WaitForEnd() {
        return QTest::qWaitFor([this] { return !window->Review().Running(); }, kWait);
    }
    // Answers the depth dialog of the next "review the lines below".
    void AnswerDepth(int depth) {
        QTimer::singleShot(0, window.get(), [depth] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setIntValue(depth);
            dialog->accept();
        });
    }
    std::vector<ELossBand> BandsAt(TPoint p) const {
        std::vector<ELossBand> found;
        for (const ELossBand band : {ELossBand::Good, ELossBand::Doubtful, ELossBand::Bad})
            if (Pixels(p, ReviewBandColor(band)) > 0) found.push_back(band);
        return found;
    }
    int Stored() {
        TEngineReviewStore store(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadOnly));
        TRecordFile file(dictionary.string(), TRecordFile::Mode::ReadOnly);
        int n = 0;
        for (const TReviewPosition& p : PositionsBelow(file, 0, {}, kMaxPathMoves)) n += store.Get(p.rec) ? 1 : 0;
        return n;
    }
    int Errors() const {
        return static_cast<int>(std::count_if(recorded.entries.begin(), recorded.entries.end(),
                                              [](const auto& e) { return e.error; }));
    }
};

TEST_F(ReviewWindowTest, ThePositionsReviewShowsEachFigureBesideItsCandidateAndInTheTable) {
    const TExpected e = Expect({r16}, kCandidates, kVisits);
    // Limits between the three losses, so that each has a colour of its own.
    std::vector<double> losses;
    for (const TExpectedFigure& f : e.candidates) losses.push_back(f.loss);
    std::sort(losses.begin(), losses.end());
    ASSERT_LT(losses[0], losses[1]);
    ASSERT_LT(losses[1], losses[2]);
    const double good = std::max(0.1, (losses[0] + losses[1]) / 2);
    Engine("", good, (losses[1] + losses[2]) / 2);
    GoTo({r16});
    for (const TPoint c : kCandidates) EXPECT_EQ(BandsAt(c), std::vector<ELossBand>{}) << Name(c);
    EXPECT_EQ(window->Parts().evidence->Panel(), nullptr);

    window->findChild<QAction*>("mnuReviewPosition")->trigger();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(recorded.entries.size(), 0u);
    const TEngineIniSettings limits = ReadEngineSettings(TIniFile(window->SettingsPath()));
    ASSERT_DOUBLE_EQ(limits.goodLoss, good);
    std::set<ELossBand> seen;
    for (std::size_t i = 0; i < kCandidates.size(); ++i) {
        const ELossBand band = LossBand(e.candidates[i].loss, limits);
        seen.insert(band);
        EXPECT_EQ(BandsAt(kCandidates[i]), std::vector<ELossBand>{band}) << Name(kCandidates[i]);
    }
    EXPECT_EQ(seen.size(), 3u);
    // The engine's moves the dictionary lacks are marked on their points.
    ASSERT_FALSE(e.missing.empty());
    for (const std::string& m : e.missing) {
        const int column = static_cast<int>(std::string("ABCDEFGHJKLMNOPQRST").find(m[0])) + 1;
        const TPoint p{column, 20 - std::stoi(m.substr(1))};
        EXPECT_EQ(BandsAt(p).size(), 1u) << m;
    }

    // The table: the candidates in list order (no game counts), points lost one decimal.
    ASSERT_NE(window->Parts().evidence->Panel(), nullptr);
    EXPECT_TRUE(window->Parts().evidence->Panel()->isVisible());
    QTableWidget* table = window->Parts().evidence->Panel()->Table();
    ASSERT_EQ(table->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const TPoint c = kCandidates[static_cast<std::size_t>(r)];
        EXPECT_EQ(table->item(r, 1)->text(), QString("%1-%2").arg(c.x).arg(c.y));
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.1f", e.candidates[static_cast<std::size_t>(r)].loss);
        EXPECT_EQ(table->item(r, 5)->text(), figure);
    }
    // The empty board was not reviewed: no figures there, no table.
    window->Navigation().ToFirst();
    EXPECT_EQ(BandsAt(r16), std::vector<ELossBand>{});
    EXPECT_FALSE(window->Parts().evidence->Panel()->isVisible());
}

// Tenuki has no point on the board: its figure goes on the tenuki spot, in
// the colour of its band, and the table's figures take the same colours.
TEST_F(ReviewWindowTest, TheTenukiFigureShowsOnTheSpotAndTheTableCellsInTheirColours) {
    Record({r16, kTenuki});
    const std::vector<TPoint> candidates = {q16, q17, o16, kTenuki};
    const TExpected e = Expect({r16}, candidates, kVisits);
    GoTo({r16});
    EXPECT_FALSE(window->Parts().markup->TenukiSpot().ShownFigure());
    window->findChild<QAction*>("mnuReviewPosition")->trigger();
    ASSERT_TRUE(WaitForEnd());
    const TEngineIniSettings limits = ReadEngineSettings(TIniFile(window->SettingsPath()));
    const auto text = [](double loss) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.1f", loss);
        return QString(figure);
    };
    const std::optional<TTenukiSpot::TFigure> shown = window->Parts().markup->TenukiSpot().ShownFigure();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, text(e.candidates[3].loss));
    EXPECT_EQ(shown->colour, ReviewBandColor(LossBand(e.candidates[3].loss, limits)));
    const QImage spot = window->Parts().markup->TenukiSpot().grab().toImage();
    int coloured = 0;
    for (int y = 0; y < spot.height(); ++y)
        for (int x = 0; x < spot.width(); ++x) coloured += spot.pixelColor(x, y) == shown->colour;
    EXPECT_GT(coloured, 0);

    QTableWidget* table = window->Parts().evidence->Panel()->Table();
    ASSERT_EQ(table->rowCount(), 4);
    for (int r = 0; r < 4; ++r) {
        const double loss = e.candidates[static_cast<std::size_t>(r)].loss;
        EXPECT_EQ(table->item(r, 5)->text(), text(loss)) << r;
        EXPECT_EQ(table->item(r, 5)->foreground().color(), ReviewBandColor(LossBand(loss, limits))) << r;
    }
    // Hidden labels take the figure with them, as on the board.
    window->Navigation().SetLabelMode(ELabelMode::Hidden);
    EXPECT_FALSE(window->Parts().markup->TenukiSpot().ShownFigure());
}

TEST_F(ReviewWindowTest, ReviewingTheLinesBelowStopsAtACancelKeepingTheBatchesDoneAndGoesOnLater) {
    // A line of twenty moves beside the 3-4 point and its three answers:
    // twenty-five positions, four batches.
    std::vector<TPoint> line;
    for (int i = 0; i < 20; ++i) line.push_back({1 + i % 19, 10 + i / 19});
    Record(line);
    const int positions = 1 + 20 + 1 + 3;
    Engine("--delay-ms 15");
    AnswerDepth(30);
    window->findChild<QAction*>("mnuReviewLines")->trigger();
    ASSERT_TRUE(window->Review().Running());
    QProgressDialog* progress = window->Review().ProgressDialog();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 8; }, kWait));
    QPushButton* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Errors(), 0);
    const int kept = Stored();
    EXPECT_GE(kept, 8);
    EXPECT_LT(kept, positions);
    EXPECT_EQ(kept % 8, 0);  // whole batches

    // Again: it passes over what was kept and reviews the rest.
    Engine("");
    AnswerDepth(30);
    window->findChild<QAction*>("mnuReviewLines")->trigger();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Errors(), 0);
    EXPECT_EQ(Stored(), positions);
}

TEST_F(ReviewWindowTest, AnEngineThatDiesIsReportedOnceByNameAndTheWindowGoesOn) {
    Engine("--die-after 5");
    AnswerDepth(3);
    window->findChild<QAction*>("mnuReviewLines")->trigger();
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_TRUE(recorded.entries[0].error);
    EXPECT_TRUE(recorded.entries[0].text.contains(VXLO_FAKE_ENGINE)) << FromQt(recorded.entries[0].text);
    EXPECT_EQ(window->Review().ProgressDialog(), nullptr);
    EXPECT_EQ(FakeEnginesRunning(), 0);

    // The board still follows clicks, and a sound engine reviews.
    GoTo({r16});
    EXPECT_EQ(window->Navigation().CurrentRecord(), 1);
    Engine("");
    window->findChild<QAction*>("mnuReviewPosition")->trigger();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(recorded.entries.size(), 1u);
    EXPECT_EQ(BandsAt(q16).size(), 1u);
}

TEST_F(ReviewWindowTest, TheEventLoopRunsWhileTheEngineThinks) {
    Engine("--delay-ms 150");
    GoTo({r16});
    int ticksWhileRunning = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticksWhileRunning += window->Review().Running() ? 1 : 0; });
    timer.start(10);
    window->findChild<QAction*>("mnuReviewPosition")->trigger();
    ASSERT_TRUE(WaitForEnd());
    // A dozen answers of 150 ms each: a worker on the window's thread would
    // have let the timer fire not once.
    EXPECT_GT(ticksWhileRunning, 20);
    EXPECT_EQ(recorded.entries.size(), 0u);
}

TEST_F(ReviewWindowTest, ClosingTheDictionaryOrTheWindowEndsTheWorkerAndItsEngine) {
    Engine("--hang-after 0");
    for (const bool wholeWindow : {false, true}) {
        window->findChild<QAction*>("mnuReviewPosition")->trigger();
        ASSERT_TRUE(window->Review().Running());
        ASSERT_TRUE(QTest::qWaitFor([] { return FakeEnginesRunning() == 1; }, kWait));
        if (wholeWindow) {
            window->close();
        } else {
            window->findChild<QAction*>("mnuClose")->trigger();
        }
        EXPECT_FALSE(window->Review().Running());
        EXPECT_EQ(FakeEnginesRunning(), 0);
        EXPECT_EQ(recorded.entries.size(), 0u);
        if (!wholeWindow) {
            Choose(dictionary.string());
            window->findChild<QAction*>("mnuOpen")->trigger();
            ASSERT_TRUE(window->FileOpen());
        }
    }
}

TEST_F(ReviewWindowTest, FiguresStoredWhileTheDictionaryWasClosedShowAtTheNextOpenInTheDefaultColours) {
    GoTo({r16});
    const int rec = window->Navigation().CurrentRecord();
    window->findChild<QAction*>("mnuClose")->trigger();
    {
        TStoredReview review;
        review.rec = rec;
        review.visits = kVisits;
        review.candidates = {{q16, 0.2, 10}, {q17, 1.0, 10}, {o16, 3.25, 40}};
        review.missing = {{{15, 4}, 0.7, 10}};
        TEngineReviewStore store(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadWrite));
        ASSERT_EQ(store.Put({review}), 1);
    }
    Choose(dictionary.string());
    window->findChild<QAction*>("mnuOpen")->trigger();
    GoTo({r16});
    // Good 0.5 and Doubtful 1.5 unless the settings say otherwise.
    Engine("", 0.5, 1.5);
    EXPECT_EQ(BandsAt(q16), std::vector<ELossBand>{ELossBand::Good});
    EXPECT_EQ(BandsAt(q17), std::vector<ELossBand>{ELossBand::Doubtful});
    EXPECT_EQ(BandsAt(o16), std::vector<ELossBand>{ELossBand::Bad});
    EXPECT_EQ(BandsAt({15, 4}), std::vector<ELossBand>{ELossBand::Doubtful});
    ASSERT_NE(window->Parts().evidence->Panel(), nullptr);
    QTableWidget* table = window->Parts().evidence->Panel()->Table();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 5)->text(), "0.2");
    EXPECT_EQ(table->item(1, 5)->text(), "1.0");
    EXPECT_EQ(table->item(2, 5)->text(), "3.2");  // one decimal, as printf rounds (and the tool)
    EXPECT_EQ(recorded.entries.size(), 0u);
}

TEST_F(ReviewWindowTest, TheSettingsDialogWritesTheEngineSection) {
    QTimer::singleShot(0, window.get(), [] {
        auto* dialog = qobject_cast<TEngineSettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("edtEngineCommand")->setText("katago analysis -model 'my net.bin.gz'");
        dialog->findChild<QSpinBox*>("spnVisits")->setValue(800);
        dialog->findChild<QDoubleSpinBox*>("spnKomi")->setValue(7.5);
        dialog->findChild<QDoubleSpinBox*>("spnGood")->setValue(1.0);
        dialog->findChild<QDoubleSpinBox*>("spnDoubtful")->setValue(3.0);
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
    window->findChild<QAction*>("mnuEngineSettings")->trigger();
    const TEngineIniSettings s = ReadEngineSettings(TIniFile(window->SettingsPath()));
    EXPECT_EQ(s.command, "katago analysis -model 'my net.bin.gz'");
    EXPECT_EQ(s.visits, 800);
    EXPECT_EQ(s.rules, "japanese");
    EXPECT_DOUBLE_EQ(s.komi, 7.5);
    EXPECT_DOUBLE_EQ(s.goodLoss, 1.0);
    EXPECT_DOUBLE_EQ(s.doubtfulLoss, 3.0);
    EXPECT_EQ(recorded.entries.size(), 0u);
}

TEST_F(ReviewWindowTest, WithoutAnEngineTheReviewSaysWhereToSetOneUp) {
    TIniFile ini(window->SettingsPath());
    ini.WriteString("Engine", "Command", "");
    window->findChild<QAction*>("mnuReviewPosition")->trigger();
    EXPECT_FALSE(window->Review().Running());
    ASSERT_EQ(recorded.entries.size(), 1u);
    EXPECT_FALSE(recorded.entries[0].error);
}

}  // namespace
}  // namespace vxlo::testing
