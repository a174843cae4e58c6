// A small line reviewed by the real KataGo with its small test network, when
// the build names a folder that holds one (VXLO_KATAGO_DIR) and its library
// libzip is installed; skipped otherwise. The network is weak and its
// figures vary from run to run, so only what any sound review shows is
// checked, and that the view of the configuration does not change the
// figures' sign.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/EngineClient.h"
#include "engine/PositionReview.h"

namespace vxlo::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool HaveKataGo(const fs::path& dir) {
    if (!fs::exists(dir / "katago") || !fs::exists(dir / "analysis.cfg") || !fs::exists(dir / "g170-b6c96.bin.gz"))
        return false;
    void* zip = ::dlopen("libzip.so.4", RTLD_LAZY | RTLD_LOCAL);
    if (!zip) return false;
    ::dlclose(zip);
    return true;
}

TEngineSettings KataGo(const fs::path& dir, const fs::path& config) {
    TEngineSettings s;
    s.command = {(dir / "katago").string(), "analysis", "-config", config.string(), "-model",
                 (dir / "g170-b6c96.bin.gz").string()};
    s.visits = 32;
    s.startTimeout = 60s;
    s.answerTimeout = 60s;
    return s;
}

class KataGoTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveKataGo(dir)) GTEST_SKIP() << "no KataGo with libzip4 in " << dir;
    }
    const fs::path dir = VXLO_KATAGO_DIR;
};

TEST_F(KataGoTest, ReviewsASmallLineWithAFigureForEveryCandidate) {
    TEngineClient client(KataGo(dir, dir / "analysis.cfg"));
    // After the 4-4 point and a low approach: the one-space and the knight's
    // move answers, the 3-3 invasion's cousin, and tenuki.
    const TReviewRequest request{{{16, 4}, {17, 6}}, {{16, 6}, {15, 6}, {17, 3}, {0, 0}}};
    const std::vector<TPositionReview> reviews = ReviewPositions(client, {request, {{}, {{16, 4}}}});
    ASSERT_EQ(reviews.size(), 2u);
    for (const TPositionReview& r : reviews) {
        EXPECT_GT(r.visits, 0);
        EXPECT_GE(r.winrate, 0.0);
        EXPECT_LE(r.winrate, 1.0);
        ASSERT_TRUE(r.best);
        EXPECT_LE(r.missing.size(), 3u);
        for (const TMoveFigure& c : r.candidates) {
            EXPECT_GT(c.visits, 0);
            EXPECT_LT(std::abs(c.loss), 150.0);
        }
    }
    ASSERT_EQ(reviews[0].candidates.size(), 4u);
    // Tenuki is a move elsewhere, not a pass: what the engine finds best
    // outside the corner, with the visits of that search.
    EXPECT_GE(reviews[0].candidates[3].loss, 0.0);
    EXPECT_LT(reviews[0].candidates[3].loss, 30.0);
    EXPECT_EQ(client.ReportedView(), EReportedView::Black);  // as analysis.cfg says
}

TEST_F(KataGoTest, FiguresKeepTheirSideWhateverTheConfigurationReports) {
    // A copy of the configuration that reports from the side to move.
    const fs::path temp = fs::temp_directory_path() / ("vxlo-katago-" + std::to_string(::getpid()));
    fs::create_directories(temp);
    std::ifstream in(dir / "analysis.cfg");
    std::stringstream text;
    text << in.rdbuf();
    std::string config = text.str();
    const std::string from = "reportAnalysisWinratesAs = BLACK";
    ASSERT_NE(config.find(from), std::string::npos);
    config.replace(config.find(from), from.size(), "reportAnalysisWinratesAs = SIDETOMOVE");
    std::ofstream(temp / "side.cfg") << config;
    for (const fs::path& cfg : {dir / "analysis.cfg", temp / "side.cfg"}) {
        SCOPED_TRACE(cfg.string());
        TEngineSettings settings = KataGo(dir, cfg);
        settings.komi = -25;  // Black far ahead; after Black's first move White is to move
        TEngineClient client(settings);
        const TEngineAnswer a = client.Await(client.Submit({{16, 4}}, 16));
        EXPECT_EQ(a.sideToMove, White);
        EXPECT_LT(a.scoreLead, -5.0);
        EXPECT_LT(a.winrate, 0.5);
    }
    fs::remove_all(temp);
}

}  // namespace
}  // namespace vxlo::testing
