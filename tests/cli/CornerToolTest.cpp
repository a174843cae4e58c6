#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "cli/VxloTool.h"
#include "cli/ToolFixture.h"
#include "import/SgfReader.h"
#include "companion/EvidenceStore.h"

namespace vxlo::testing {
namespace {

using TLine = std::vector<TPoint>;

// Lines in the normal corner (upper right, first move off the diagonal with
// dx < dy), all within 8 lines of the corner so no move lies on a 10th line.
const std::vector<TLine> kNormalLines = {
    {{16, 4}, {17, 6}, {17, 7}, {16, 7}, {18, 4}},
    {{16, 4}, {17, 6}, {15, 6}},
    {{16, 4}, {16, 8}, {14, 3}, {17, 3}},
    {{17, 4}, {15, 3}, {14, 4}},
    {{17, 3}, {17, 4}, {16, 3}, {16, 5}, {15, 4}, {16, 6}},
};

// The eight symmetries of the board; each corner receives the upper-right
// one twice, once in each orientation (checked below).
const std::array<std::function<TPoint(TPoint)>, 8> kPlacements = {
    [](TPoint p) { return p; },
    [](TPoint p) { return TPoint{20 - p.y, 20 - p.x}; },
    [](TPoint p) { return TPoint{20 - p.x, p.y}; },
    [](TPoint p) { return TPoint{p.y, p.x}; },
    [](TPoint p) { return TPoint{p.x, 20 - p.y}; },
    [](TPoint p) { return TPoint{p.y, 20 - p.x}; },
    [](TPoint p) { return TPoint{20 - p.x, 20 - p.y}; },
    [](TPoint p) { return TPoint{20 - p.y, p.x}; },
};

struct TPlacedLine {
    int line = 0;
    int placement = 0;
    int firstColor = Black;
};

struct TGamePlan {
    std::vector<TPlacedLine> lines;  // played one after the other
    char winner = 'B';
    int year = 2000;
};

// The corner a placement lands in, from where it puts the 4-4 point.
int CornerOf(int placement) {
    const TPoint p = kPlacements[static_cast<std::size_t>(placement)]({16, 4});
    return (p.x > 10 ? 1 : 0) + (p.y > 10 ? 2 : 0);
}

std::string GameSgf(const TGamePlan& plan) {
    std::string sgf = "(;GM[1]FF[4]SZ[19]RE[" + std::string(1, plan.winner) + "+R]DT[" +
                      std::to_string(plan.year) + "-04-01]";
    for (const TPlacedLine& placed : plan.lines) {
        int color = placed.firstColor;
        for (TPoint p : kNormalLines[static_cast<std::size_t>(placed.line)]) {
            sgf += std::string(";") + (color == Black ? "B[" : "W[") +
                   EncodeSgfPoint(kPlacements[static_cast<std::size_t>(placed.placement)](p)) + "]";
            color = color == Black ? White : Black;
        }
    }
    return sgf + ")";
}

class CornerToolTest : public TToolTest {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        WriteBytes(dir / name, text);
        return (dir / name).string();
    }
};

TEST_F(CornerToolTest, PlacementsCoverEveryCornerTwice) {
    std::map<int, int> corners;
    for (int p = 0; p < 8; ++p) ++corners[CornerOf(p)];
    EXPECT_EQ(corners, (std::map<int, int>{{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
}

// Games of known lines in random corners, orientations and starting colours
// give the same bytes as the normal lines imported one by one from the empty
// board by the whole-game import, and the counts of an independent model.
TEST_F(CornerToolTest, GamesGiveExactlyTheNormalLinesAndTheirCounts) {
    std::mt19937 random(20261209);
    std::vector<TGamePlan> games;
    std::string expectedLines;  // one SGF game per sequence, in entry order
    struct TCounts { TLine line; long long games = 0, wins = 0, losses = 0; int first = 0, last = 0; };
    std::map<std::vector<int>, TCounts> model;  // keyed by the line's coordinates
    std::set<std::string> movesSeen;  // a game played twice would be kept once
    for (int g = 0; g < 60; ++g) {
        std::mt19937 retry = random;
        for (;;) {
            std::mt19937 probe = retry;
            TGamePlan plan;
            plan.winner = probe() % 2 ? 'B' : 'W';
            plan.year = 1990 + static_cast<int>(probe() % 30);
            const int first = static_cast<int>(probe() % 8);
            int second = static_cast<int>(probe() % 8);
            while (CornerOf(second) == CornerOf(first)) second = static_cast<int>(probe() % 8);
            int color = probe() % 2 ? Black : White;
            for (int placement : {first, second}) {
                const int line = static_cast<int>(probe() % kNormalLines.size());
                plan.lines.push_back({line, placement, color});
                if (kNormalLines[static_cast<std::size_t>(line)].size() % 2) color = color == Black ? White : Black;
            }
            const std::string sgf = GameSgf(plan);
            if (movesSeen.insert(sgf.substr(sgf.find("-04-01]"))).second) break;
            retry();  // the same moves again: draw this game anew
        }
        random = retry;
        TGamePlan plan;
        plan.winner = random() % 2 ? 'B' : 'W';
        plan.year = 1990 + static_cast<int>(random() % 30);
        const int first = static_cast<int>(random() % 8);
        int second = static_cast<int>(random() % 8);
        while (CornerOf(second) == CornerOf(first)) second = static_cast<int>(random() % 8);
        int color = random() % 2 ? Black : White;
        for (int placement : {first, second}) {
            const int line = static_cast<int>(random() % kNormalLines.size());
            plan.lines.push_back({line, placement, color});
            const TLine& normal = kNormalLines[static_cast<std::size_t>(line)];
            if (normal.size() % 2) color = color == Black ? White : Black;
            std::string one = "(;SZ[19]";
            int c = Black;
            TLine prefix;
            const bool starterWon = (plan.lines.back().firstColor == Black) == (plan.winner == 'B');
            auto count = [&](const TLine& line) {
                std::vector<int> key;
                for (TPoint p : line) key.insert(key.end(), {p.x, p.y});
                TCounts& m = model[key];
                m.line = line;
                ++m.games;
                (starterWon ? m.wins : m.losses)++;
                m.first = m.first ? std::min(m.first, plan.year) : plan.year;
                m.last = std::max(m.last, plan.year);
            };
            count({});
            for (TPoint p : normal) {
                one += std::string(";") + (c == Black ? "B[" : "W[") + EncodeSgfPoint(p) + "]";
                c = c == Black ? White : Black;
                prefix.push_back(p);
                count(prefix);
            }
            expectedLines += one + ")";
        }
        games.push_back(plan);
    }
    std::string collection;
    for (const TGamePlan& plan : games) collection += GameSgf(plan) + "\n";
    const std::string corners = (dir / "corners.jsk").string();
    ASSERT_EQ(Run({"import", "--corners", corners, Write("games.sgf", collection)}), 0) << err.str();
    EXPECT_EQ(out.str(), "games 60 (skipped: 0 setup, 0 size), sequences 120, moves added " +
                             std::to_string(FileRecords(corners).size() - 1) + ", cut 0, duplicates 0\n");

    const std::string plain = (dir / "plain.jsk").string();
    ASSERT_EQ(Run({"import", plain, Write("lines.sgf", expectedLines)}), 0) << err.str();
    EXPECT_EQ(FileBytes(corners), FileBytes(plain));

    nav.OpenFile(corners);
    TOneMoveScope oneMove(nav);
    TEvidenceStore evidence(OpenCompanion(corners, TCompanionDatabase::EAccess::ReadOnly));
    for (const auto& [key, counts] : model) {
        nav.ResetToRoot();
        for (TPoint p : counts.line) ASSERT_TRUE(nav.Deside(p.x, p.y));
        const auto stored = evidence.Get(nav.CurrentRecord());
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->games, counts.games);
        EXPECT_EQ(stored->starterWins, counts.wins);
        EXPECT_EQ(stored->starterLosses, counts.losses);
        EXPECT_EQ(stored->firstYear, counts.first);
        EXPECT_EQ(stored->lastYear, counts.last);
    }
    nav.CloseFile();

    // Importing the same games again adds nothing: every game is kept already.
    const std::string before = FileBytes(corners);
    ASSERT_EQ(Run({"import", "--corners", corners, (dir / "games.sgf").string()}), 0);
    EXPECT_EQ(out.str(), "games 60 (skipped: 0 setup, 0 size), sequences 0, moves added 0, cut 0, duplicates 60\n");
    EXPECT_EQ(FileBytes(corners), before);
    TEvidenceStore again(OpenCompanion(corners, TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(again.Get(0)->games, model[std::vector<int>{}].games);
}

TEST_F(CornerToolTest, StatsListsCandidatesWithTheirCountsAndErrorsNameUnknownMoves) {
    const std::string d = (dir / "s.jsk").string();
    const std::string games = Write("g.sgf",
        "(;SZ[19]RE[B+R]DT[1999];B[pd];W[qf])(;SZ[19]RE[W+2.5]DT[2003];W[pd];B[qf];W[qg])"
        "(;SZ[19]RE[B+R]DT[2001];B[qd])(;SZ[19]AB[aa];B[pd])(;SZ[13];B[dd])");
    ASSERT_EQ(Run({"import", "--corners", d, games}), 0) << err.str();
    EXPECT_EQ(out.str(), "games 5 (skipped: 1 setup, 1 size), sequences 3, moves added 4, cut 0, duplicates 0\n");
    ASSERT_EQ(Run({"stats", "--json", d}), 0) << err.str();
    // 16,4 twice: once won by its Black starter, once won by White who started
    // (colours exchanged for the dictionary).
    EXPECT_EQ(nlohmann::json::parse(out.str()), nlohmann::json::parse(
              "{\"record\": 0, \"games\": 3, \"games_kept\": true, \"black_wins\": 2, \"white_wins\": 1, "
              "\"by_year\": {\"1999\": 1, \"2001\": 1, \"2003\": 1}, \"candidates\": ["
              "{\"x\": 16, \"y\": 4, \"label\": \"い\", \"record\": 1, \"games\": 2, \"starter_wins\": 2, "
              "\"starter_losses\": 0, \"first_year\": 1999, \"last_year\": 2003, \"black_wins\": 1, "
              "\"white_wins\": 1, \"by_year\": {\"1999\": 1, \"2003\": 1}}, "
              "{\"x\": 17, \"y\": 4, \"label\": \"ろ\", \"record\": 4, \"games\": 1, \"starter_wins\": 1, "
              "\"starter_losses\": 0, \"first_year\": 2001, \"last_year\": 2001, \"black_wins\": 1, "
              "\"white_wins\": 0, \"by_year\": {\"2001\": 1}}]}"));
    ASSERT_EQ(Run({"stats", "--json", d, "16,4", "17,6"}), 0) << err.str();
    const nlohmann::json deeper = nlohmann::json::parse(out.str());
    EXPECT_EQ(deeper["record"], 2);
    EXPECT_EQ(deeper["games"], 2);
    EXPECT_EQ(deeper["candidates"][0]["x"], 17);
    EXPECT_EQ(deeper["candidates"][0]["y"], 7);
    EXPECT_EQ(Run({"stats", "--json", d, "3,3"}), 1);
    EXPECT_NE(err.str().find("3,3"), std::string::npos);
    EXPECT_NE(err.str().find(d), std::string::npos);
    EXPECT_EQ(Run({"stats", "--jsn", d}), 2);
    ASSERT_EQ(Run({"stats", d}), 0);
    EXPECT_EQ(out.str().substr(0, 18), "record 0: 3 games\n");

    ASSERT_EQ(Run({"clear-evidence", d}), 0);
    ASSERT_EQ(Run({"stats", "--json", d}), 0);
    EXPECT_NE(out.str().find("{\"record\": 0, \"games\": 0,"), std::string::npos);
    EXPECT_EQ(out.str().find("games_kept"), std::string::npos) << out.str();
}

TEST_F(CornerToolTest, ASidePlayingElsewhereEntersTenukiThatStatsReadsAsPass) {
    const std::string d = (dir / "t.jsk").string();
    // White answers in the upper right twice while Black played at 4,4.
    ASSERT_EQ(Run({"import", "--corners", d, Write("t.sgf", "(;SZ[19];B[pd];W[qf];B[dd];W[qh])")}), 0)
        << err.str();
    EXPECT_EQ(FileBytes(d), RecordBytes({TJskRecord{}, Move(16, 4, 2), Move(17, 6, 3), Move(0, 0, 4),
                                         Move(17, 8)}));
    ASSERT_EQ(Run({"stats", "--json", d, "16,4", "17,6", "pass"}), 0) << err.str();
    const nlohmann::json after = nlohmann::json::parse(out.str());
    EXPECT_EQ(after["record"], 3);
    EXPECT_EQ(after["games"], 1);
    EXPECT_EQ(after["candidates"][0]["x"], 17);
    EXPECT_EQ(after["candidates"][0]["y"], 8);
    ASSERT_EQ(Run({"stats", "--json", d, "16,4", "17,6"}), 0) << err.str();
    const nlohmann::json tenuki = nlohmann::json::parse(out.str())["candidates"][0];
    EXPECT_EQ(tenuki["x"], 0);
    EXPECT_EQ(tenuki["y"], 0);
    EXPECT_EQ(tenuki["label"], "い");
    EXPECT_EQ(tenuki["record"], 3);
    EXPECT_EQ(tenuki["games"], 1);
}

TEST_F(CornerToolTest, Ig1RecordsGiveTheirCornersWithoutResults) {
    const std::string d = (dir / "ig1.jsk").string();
    // The lower-left corner, White's reply on the 3rd line: the 4-4 point and
    // a low approach once brought to the upper right.
    ASSERT_EQ(Run({"import", "--corners", d, Write("g.IG1", "INT 1\r\nMOV\r\nD16 C14\r\n")}), 0) << err.str();
    EXPECT_EQ(FileBytes(d), RecordBytes({TJskRecord{}, Move(16, 4, 2), Move(17, 6)}));
    TEvidenceStore evidence(OpenCompanion(d, TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(evidence.Get(2)->games, 1);
    EXPECT_EQ(evidence.Get(2)->starterWins + evidence.Get(2)->starterLosses, 0);
}

TEST_F(CornerToolTest, MissingAndUnimportableInputsAreErrorsNamingThem) {
    const std::string d = (dir / "e.jsk").string();
    EXPECT_EQ(Run({"import", "--corners", d, (dir / "nothing.sgf").string()}), 1);
    EXPECT_NE(err.str().find("nothing.sgf"), std::string::npos);
    EXPECT_EQ(Run({"import", "--corners", d, Write("notes.txt", "hello")}), 1);
    EXPECT_NE(err.str().find("notes.txt"), std::string::npos);
    std::filesystem::create_directories(dir / "empty");
    EXPECT_EQ(Run({"import", "--corners", d, (dir / "empty").string()}), 1);
    EXPECT_EQ(Run({"import", "--corners", "--limit", "0", d, (dir / "empty").string()}), 2);
}

}  // namespace
}  // namespace vxlo::testing
