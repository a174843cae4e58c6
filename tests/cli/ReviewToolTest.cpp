// vxlo-tool review through the fake engine: which positions it reviews, the
// figures it stores (against the fake's world, FakeReviewModel.h), that it
// goes on where it stopped, that a broken engine stores nothing of its
// answer, and where the figures show (stats --json, the SGF export).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <dlfcn.h>

#include <sstream>

#include "cli/VxloTool.h"
#include "engine/EngineMoves.h"
#include "engine/FakeReviewModel.h"
#include "import/ImportFixture.h"
#include "companion/EngineReviewStore.h"
#include "companion/ReviewRun.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

namespace fs = std::filesystem;

// Joseki from the 4-4 point in the upper right, with tenuki as a candidate
// and as a leaf, and a line in the lower left.
constexpr const char* kHoshi = "(;SZ[19];B[pd](;W[qc](;B[qd];W[pc])(;B[pc]))(;W[qf];B[])(;W[]))";
constexpr const char* kLowerLeft = "(;SZ[19];B[dp](;W[fq];B[])(;W[]))";

class ReviewToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args, const std::string& settings = {}) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err, nullptr, settings);
    }
    std::string Dictionary(const char* sgf, const std::string& name = "d") {
        WriteBytes(dir / (name + ".sgf"), sgf);
        const std::string path = dir / (name + ".jsk");
        EXPECT_EQ(Run({"merge", "--sgf", path, dir / (name + ".sgf")}), 0) << err.str();
        return path;
    }
    int Review(const std::string& dictionary, std::vector<std::string> extra, std::vector<std::string> moves = {},
               std::vector<std::string> engineArgs = {}) {
        std::string engine = VXLO_FAKE_ENGINE;
        for (const std::string& a : engineArgs) engine += " " + a;
        std::vector<std::string> args = {"review", "--engine", engine};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(dictionary);
        args.insert(args.end(), moves.begin(), moves.end());
        return Run(args);
    }
    // The rows of the review table, counted beside the store's own reading.
    int Rows(const std::string& dictionary) {
        sqlite3* db = nullptr;
        int rows = -1;
        if (sqlite3_open_v2(TCompanionDatabase::PathFor(dictionary).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK) {
            sqlite3_exec(
                db, "SELECT count(*) FROM engine_review",
                [](void* n, int, char** v, char**) { return *static_cast<int*>(n) = std::atoi(v[0]), 0; }, &rows,
                nullptr);
        }
        sqlite3_close(db);
        return rows;
    }
    std::optional<TStoredReview> Stored(const std::string& dictionary, const std::vector<TPoint>& line) {
        TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
        TEngineReviewStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
        return store.Get(FindLine(file, line));
    }
    // The model knows no mirror images: on a position that looks the same
    // mirrored only what they do not change is compared.
    void ExpectModel(const std::string& dictionary, const std::vector<TPoint>& line,
                     const std::vector<TPoint>& candidates, int visits, bool symmetric = false) {
        const std::string where = PositionText(line).Text();
        const std::optional<TStoredReview> r = Stored(dictionary, line);
        ASSERT_TRUE(r) << where;
        const TExpected e = Expect(line, candidates, visits);
        EXPECT_NEAR(r->scoreLead, e.lead, 1e-9) << where;
        EXPECT_NEAR(r->winrate, e.winrate, 1e-9) << where;
        EXPECT_EQ(r->visits, visits) << where;
        EXPECT_EQ(r->engine, "vxlo-fake-engine");
        EXPECT_EQ(r->date.size(), 10u);
        ASSERT_EQ(r->candidates.size(), candidates.size()) << where;
        if (symmetric) {
            for (const TStoredMoveFigure& f : r->candidates) EXPECT_GE(f.pointsLost, 0.0) << where;
            return;
        }
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            EXPECT_EQ(r->candidates[i].move, candidates[i]) << where;
            EXPECT_NEAR(r->candidates[i].pointsLost, e.candidates[i].loss, 1e-9) << where << " " << Name(candidates[i]);
            EXPECT_EQ(r->candidates[i].visits, e.candidates[i].visits) << where << " " << Name(candidates[i]);
        }
        std::vector<std::string> missing;
        for (const TStoredMoveFigure& m : r->missing) missing.push_back(Name(m.move));
        EXPECT_EQ(missing, e.missing) << where;
    }

    TTempDir dir;
    std::ostringstream out, err;
};

struct TPositionCase {
    std::vector<TPoint> line;
    std::vector<TPoint> candidates;
    bool symmetric = false;  // looks the same mirrored in a diagonal
};

const TPoint pd{16, 4}, qc{17, 3}, qd{17, 4}, pc{16, 3}, qf{17, 6}, tenuki{0, 0}, dp{4, 16}, fq{6, 17};

TEST_F(ReviewToolTest, ReviewsThePositionAndTheLinesBelowToTheDepth) {
    const std::vector<TPositionCase> hoshi = {
        {{}, {pd}, true},
        {{pd}, {qc, qf, tenuki}, true},
        {{pd, qc}, {qd, pc}, true},
        {{pd, qf}, {tenuki}},
        {{pd, tenuki}, {}, true},
        {{pd, qc, qd}, {pc}},
        {{pd, qc, pc}, {}},
        {{pd, qf, tenuki}, {}},
        {{pd, qc, qd, pc}, {}},
    };
    const std::vector<TPositionCase> lowerLeft = {
        {{}, {dp}, true}, {{dp}, {fq, tenuki}, true}, {{dp, fq}, {tenuki}}, {{dp, tenuki}, {}, true},
        {{dp, fq, tenuki}, {}}};
    struct TCase {
        const char* name;
        const char* sgf;
        const std::vector<TPositionCase>* positions;
        std::vector<std::string> moves;
        int depth;
        std::vector<std::size_t> reviewed;  // of positions
    };
    const TCase cases[] = {
        {"the empty board alone", kHoshi, &hoshi, {}, 0, {0}},
        {"two moves deep", kHoshi, &hoshi, {}, 2, {0, 1, 2, 3, 4}},
        {"below the first move", kHoshi, &hoshi, {"16,4"}, 1, {1, 2, 3, 4}},
        {"deeper than the tree", kHoshi, &hoshi, {"16,4", "17,3"}, 9, {2, 5, 6, 8}},
        {"a leaf after tenuki", kHoshi, &hoshi, {"16,4", "pass"}, 3, {4}},
        {"the lower left, whole", kLowerLeft, &lowerLeft, {}, 5, {0, 1, 2, 3, 4}},
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = Dictionary(c.sgf, "case" + std::to_string(n++));
        ASSERT_EQ(Review(d, {"--visits", "40", "--depth", std::to_string(c.depth), "--json"}, c.moves), 0)
            << err.str();
        const nlohmann::json summary = nlohmann::json::parse(out.str());
        EXPECT_EQ(summary["positions"], c.reviewed.size());
        EXPECT_EQ(summary["reviewed"], c.reviewed.size());
        EXPECT_EQ(summary["skipped"], 0);
        EXPECT_EQ(Rows(d), static_cast<int>(c.reviewed.size()));
        for (std::size_t i = 0; i < c.positions->size(); ++i) {
            const TPositionCase& p = (*c.positions)[i];
            if (std::find(c.reviewed.begin(), c.reviewed.end(), i) == c.reviewed.end()) {
                EXPECT_FALSE(Stored(d, p.line)) << PositionText(p.line).Text();
            } else {
                ExpectModel(d, p.line, p.candidates, 40, p.symmetric);
            }
        }
    }
}

TEST_F(ReviewToolTest, AReviewGoesOnWhereTheLastStoppedAndFewerVisitsLeaveWhatIsThere) {
    const std::string d = Dictionary(kHoshi);
    ASSERT_EQ(Review(d, {"--depth", "1", "--visits", "80", "--json"}), 0) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["reviewed"], 2);
    // Deeper: the two reviewed already are passed over.
    ASSERT_EQ(Review(d, {"--depth", "3", "--visits", "80", "--json"}), 0) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str()), nlohmann::json::parse(
        "{\"positions\": 8, \"reviewed\": 6, \"skipped\": 2, \"visits\": 80, \"engine\": \"" +
        std::string(VXLO_FAKE_ENGINE) + "\"}"));
    // Fewer visits: nothing to do, the figures of 80 stay.
    ASSERT_EQ(Review(d, {"--depth", "3", "--visits", "20"}), 0) << err.str();
    EXPECT_EQ(out.str(), "positions 8: reviewed 0, skipped 8 (reviewed before with 20 visits or more)\n");
    ExpectModel(d, {pd, qf}, {tenuki}, 80);
    // The store itself keeps the review of more visits whoever asks.
    {
        TEngineReviewStore store(OpenCompanion(d, TCompanionDatabase::EAccess::ReadWrite));
        TStoredReview fewer = *Stored(d, {pd, qf});
        fewer.visits = 10;
        fewer.scoreLead = 99;
        EXPECT_EQ(store.Put({fewer}), 0);
    }
    ExpectModel(d, {pd, qf}, {tenuki}, 80);
    // As many or more replace.
    ASSERT_EQ(Review(d, {"--depth", "3", "--visits", "120"}), 0) << err.str();
    EXPECT_EQ(out.str(), "positions 8: reviewed 8, skipped 0 (reviewed before with 120 visits or more)\n");
    ExpectModel(d, {pd, qc, qd}, {pc}, 120);
    // A candidate added since its review makes the position due again.
    WriteBytes(dir / "more.sgf", "(;SZ[19];B[pd];W[qc];B[qd];W[oc])");
    ASSERT_EQ(Run({"merge", "--sgf", d, dir / "more.sgf"}), 0) << err.str();
    ASSERT_EQ(Review(d, {"--depth", "3", "--visits", "120", "--json"}), 0) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["reviewed"], 1);
    ExpectModel(d, {pd, qc, qd}, {pc, {15, 3}}, 120);
}

TEST_F(ReviewToolTest, ADyingEngineStoresNothingOfItsAnswerAndIsNamed) {
    const std::string d = Dictionary(kHoshi);
    // The first batch of eight is kept; the engine dies in the second.
    WriteBytes(dir / "wide.sgf", "(;SZ[19];B[pd](;W[qc])(;W[qd])(;W[pc])(;W[oc])(;W[od])(;W[qf])(;W[pf])(;W[nc]))");
    ASSERT_EQ(Run({"merge", "--sgf", d, dir / "wide.sgf"}), 0) << err.str();
    ASSERT_EQ(Review(d, {"--depth", "1", "--visits", "40"}), 0) << err.str();
    const std::optional<TStoredReview> before = Stored(d, {pd});
    // A review of more visits by an engine that dies at its 5th query.
    EXPECT_EQ(Review(d, {"--depth", "2", "--visits", "60"}, {}, {"--die-after", "5"}), 1);
    EXPECT_NE(err.str().find(VXLO_FAKE_ENGINE), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--die-after 5"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("kept before the error: 0 positions"), std::string::npos) << err.str();
    EXPECT_EQ(Stored(d, {pd}), before);
    EXPECT_EQ(Rows(d), 2);
    // Dying in the second batch keeps the first: the first asks 16 queries
    // (the view's two, eight positions, six follow-ups), the second three.
    EXPECT_EQ(Review(d, {"--depth", "2", "--visits", "60"}, {}, {"--die-after", "18"}), 1);
    EXPECT_NE(err.str().find("kept before the error: 8 positions"), std::string::npos) << err.str();
    // And the next review goes on from there.
    ASSERT_EQ(Review(d, {"--depth", "2", "--visits", "60", "--json"}), 0) << err.str();
    const nlohmann::json summary = nlohmann::json::parse(out.str());
    EXPECT_EQ(summary["skipped"], 8);
    EXPECT_EQ(summary["reviewed"], summary["positions"].get<int>() - 8);
}

TEST_F(ReviewToolTest, UsageSettingsAndLocks) {
    const std::string d = Dictionary(kHoshi);
    EXPECT_EQ(Run({"review", d}), 2);  // no engine anywhere
    EXPECT_NE(err.str().find("no engine"), std::string::npos);
    EXPECT_EQ(Review(d, {"--depth", "-1"}), 2);
    EXPECT_EQ(Review(d, {"--visits", "0"}), 2);
    EXPECT_EQ(Review(d, {"--colour"}), 2);
    EXPECT_EQ(Review(d, {}, {"16,4", "20,1"}), 2);
    EXPECT_EQ(Review(d, {}, {"16,16"}), 1);  // not in the dictionary
    EXPECT_NE(err.str().find(d), std::string::npos) << err.str();
    EXPECT_EQ(Review(dir / "none.jsk", {}), 1);
    EXPECT_FALSE(fs::exists(dir / "none.jsk"));
    EXPECT_FALSE(fs::exists(TCompanionDatabase::PathFor(dir / "none.jsk")));
    {
        // The window (or an import) holds the dictionary.
        TRecordFile held(d, TRecordFile::Mode::ReadWriteCreate);
        EXPECT_EQ(Review(d, {}), 1);
        EXPECT_NE(err.str().find(d), std::string::npos) << err.str();
    }
    // The engine and visits from VXLO.INI.
    WriteBytes(dir / "VXLO.INI", std::string("[Engine]\nCommand=") + VXLO_FAKE_ENGINE + " --view black\nVisits=24\n");
    ASSERT_EQ(Run({"review", "--json", d}, dir / "VXLO.INI"), 0) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["visits"], 24);
    ExpectModel(d, {}, {pd}, 24, true);
    // The options win over the file.
    ASSERT_EQ(Run({"review", "--visits", "30", d}, dir / "VXLO.INI"), 0) << err.str();
    ExpectModel(d, {}, {pd}, 30, true);
}

TEST_F(ReviewToolTest, StatsAndTheExportShowTheFigures) {
    const std::string d = Dictionary(kHoshi);
    const std::vector<std::string> at = {"stats", "--json", d, "16,4", "17,3", "17,4"};
    ASSERT_EQ(Run(at), 0) << err.str();
    EXPECT_FALSE(nlohmann::json::parse(out.str()).contains("engine_score_lead"));
    ASSERT_EQ(Review(d, {"--depth", "3", "--visits", "40"}), 0) << err.str();
    const TExpected e = Expect({pd, qc, qd}, {pc}, 40);
    ASSERT_EQ(Run(at), 0) << err.str();
    const nlohmann::json stats = nlohmann::json::parse(out.str());
    EXPECT_NEAR(stats["engine_score_lead"].get<double>(), e.lead, 1e-4);
    EXPECT_NEAR(stats["engine_winrate"].get<double>(), e.winrate, 1e-4);
    ASSERT_EQ(stats["candidates"].size(), 1u);
    for (std::size_t i = 0; i < 1; ++i) {
        EXPECT_NEAR(stats["candidates"][i]["points_lost"].get<double>(), e.candidates[i].loss, 1e-4);
        EXPECT_EQ(stats["candidates"][i]["engine_visits"], e.candidates[i].visits);
    }
    ASSERT_EQ(stats["missing"].size(), e.missing.size());
    for (std::size_t i = 0; i < e.missing.size(); ++i) {
        const TPoint p{stats["missing"][i]["x"].get<int>(), stats["missing"][i]["y"].get<int>()};
        EXPECT_EQ(Name(p), e.missing[i]);
        EXPECT_GE(stats["missing"][i]["points_lost"].get<double>(), 0.0);
    }

    // The export appends the figures to a comment and writes them alone
    // where there is none; without the switch it is as before.
    WriteBytes(dir / "c.sgf", "(;SZ[19];B[pd]C[hoshi])");
    ASSERT_EQ(Run({"merge", "--sgf", d, dir / "c.sgf"}), 0) << err.str();
    ASSERT_EQ(Run({"export-sgf", d, dir / "plain.sgf"}), 0) << err.str();
    EXPECT_EQ(FileBytes(dir / "plain.sgf").find("Engine"), std::string::npos);
    ASSERT_EQ(Run({"export-sgf", "--engine-comments", d, dir / "e.sgf"}), 0) << err.str();
    const std::string sgf = FileBytes(dir / "e.sgf");
    char loss[32];
    std::snprintf(loss, sizeof loss, "%.1f", Expect({}, {pd}, 40).candidates[0].loss);
    const std::string move = std::string(loss) == "0.0" ? "0.0" : "\u2212" + std::string(loss);
    EXPECT_NE(sgf.find("C[hoshi\nEngine: Q16 " + move + " (10 visits)\nEngine: White to move"), std::string::npos)
        << sgf;
    EXPECT_NE(sgf.find("C[Engine: Black to move, lead "), std::string::npos) << sgf;
}

// The real KataGo with its small network, when the build names one.
TEST(ReviewKataGo, ReviewsASmallLine) {
    const fs::path k = VXLO_KATAGO_DIR;
    void* zip = ::dlopen("libzip.so.4", RTLD_LAZY | RTLD_LOCAL);
    if (!fs::exists(k / "katago") || !fs::exists(k / "g170-b6c96.bin.gz") || !zip) GTEST_SKIP() << "no KataGo";
    ::dlclose(zip);
    TTempDir dir;
    WriteBytes(dir / "k.sgf", kHoshi);
    std::ostringstream out, err;
    ASSERT_EQ(RunVxloTool({"merge", "--sgf", dir / "k.jsk", dir / "k.sgf"}, out, err), 0) << err.str();
    const std::string command = (k / "katago").string() + " analysis -config " + (k / "analysis.cfg").string() +
                                " -model " + (k / "g170-b6c96.bin.gz").string();
    ASSERT_EQ(RunVxloTool({"review", "--engine", command, "--visits", "16", dir / "k.jsk", "16,4"}, out, err), 0)
        << err.str();
    TRecordFile file(dir / "k.jsk", TRecordFile::Mode::ReadOnly);
    TEngineReviewStore store(OpenCompanion(dir / "k.jsk", TCompanionDatabase::EAccess::ReadOnly));
    const std::optional<TStoredReview> r = store.Get(FindLine(file, {pd}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->engine, "katago");
    EXPECT_EQ(r->network, "g170-b6c96.bin.gz");
    ASSERT_EQ(r->candidates.size(), 3u);
    for (const TStoredMoveFigure& f : r->candidates) {
        EXPECT_GE(f.pointsLost, 0.0);
        EXPECT_LT(f.pointsLost, 60.0);
        EXPECT_GT(f.visits, 0);
    }
    for (const TStoredMoveFigure& f : r->missing) EXPECT_NE(f.move, tenuki);
}

}  // namespace
}  // namespace vxlo::testing
