// What the corner import keeps of games whose records say little or say it
// oddly, and how stats tells counts that have no games behind them.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <sstream>

#include "board/PositionHash.h"
#include "cli/VxloTool.h"
#include "cli/ToolFixture.h"
#include "companion/CompanionDatabase.h"

namespace vxlo::testing {
namespace {

using nlohmann::json;

class GamesToolTest : public TToolTest {
};

TEST_F(GamesToolTest, ScarceOddAndForeignRecordsAreKeptAsText) {
    struct TCase {
        const char* name;
        std::string file;
        std::string bytes;
        json expected;  // the fields of the one game listed at the empty board
    };
    const json none = nullptr;
    const TCase cases[] = {
        {"nothing but moves", "bare.sgf", "(;SZ[19];B[pd];W[qf])",
         {{"black", ""}, {"white", ""}, {"date", ""}, {"year", none}, {"result", ""}, {"winner", ""}, {"index", 0}}},
        {"an era date and a void result", "era.sgf", "(;SZ[19]DT[平成10年]RE[Void];B[pd];W[qf])",
         {{"date", "平成10年"}, {"year", none}, {"result", "Void"}, {"winner", ""}}},
        {"a date of two days", "days.sgf", "(;SZ[19]DT[1998-01-29,30]RE[W+3.5]PW[Cho];B[pd];W[qf])",
         {{"date", "1998-01-29,30"}, {"year", 1998}, {"winner", "white"}, {"white", "Cho"}}},
        {"Shift_JIS names", "sjis.sgf", "(;CA[Shift_JIS]SZ[19]PB[\x8d\xe2\x93\x63]BR[9\x92\x69];B[pd];W[qf])",
         {{"black", "坂田"}, {"black_rank", "9段"}}},
        {"Latin-1 names", "latin.sgf", "(;CA[ISO-8859-1]SZ[19]PW[M\xfcller]EV[Europe Cup];B[pd];W[qf])",
         {{"white", "Müller"}, {"event", "Europe Cup"}}},
        {"the second game of a collection", "two.sgf", "(;SZ[19]AB[aa];B[pd])(;SZ[19]PB[Kato];B[dp];W[fq])",
         {{"black", "Kato"}, {"index", 1}, {"corner", 2}}},
        {"an IG1 record", "g.IG1", "INT 1\r\nMOV\r\nD16 C14\r\n",
         {{"black", ""}, {"date", ""}, {"index", 0}, {"corner", 2}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = (dir / (std::string(c.name) + ".jsk")).string();
        const std::filesystem::path file = dir / c.file;
        WriteBytes(file, c.bytes);
        ASSERT_EQ(Run({"import", "--corners", d, file.string()}), 0) << err.str();
        ASSERT_EQ(Run({"games", "--json", d}), 0) << err.str();
        const json page = json::parse(out.str());
        ASSERT_EQ(page["total"], 1);
        const json& game = page["games"][0];
        EXPECT_EQ(game["file"], std::filesystem::absolute(file).lexically_normal().string());
        for (const auto& [key, value] : c.expected.items()) EXPECT_EQ(game[key], value) << key;
        ASSERT_EQ(Run({"games", d}), 0) << err.str();
        const std::string lines = out.str();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    }
}

TEST_F(GamesToolTest, MoveNumbersSymmetryAndColoursOfEachPass) {
    // White opens the lower-left corner; Black answers twice there, so a
    // tenuki of White's is put between, with the move number before it.
    const std::string d = dictionary.string();
    WriteBytes(dir / "g.sgf", "(;SZ[19]DT[2001];W[dp];B[pd];B[fq];W[pp];B[cn])");
    ASSERT_EQ(Run({"import", "--corners", d, (dir / "g.sgf").string()}), 0) << err.str();
    struct TStep {
        std::vector<std::string> moves;
        int corner, moveNumber;
    };
    // Brought to the upper right, (4,16) (6,17) (3,14) are (16,4) (17,6) (14,3).
    const TStep steps[] = {{{}, 2, 0}, {{"16,4"}, 2, 1}, {{"16,4", "17,6"}, 2, 3},
                           {{"16,4", "17,6", "pass"}, 2, 3}, {{"16,4", "17,6", "pass", "14,3"}, 2, 5}};
    for (const TStep& s : steps) {
        SCOPED_TRACE(::testing::PrintToString(s.moves));
        std::vector<std::string> args{"games", "--json", d};
        args.insert(args.end(), s.moves.begin(), s.moves.end());
        ASSERT_EQ(Run(args), 0) << err.str();
        const json page = json::parse(out.str());
        const json* pass = nullptr;
        for (const json& g : page["games"])
            if (g["corner"] == s.corner) pass = &g;
        ASSERT_NE(pass, nullptr) << out.str();
        EXPECT_EQ((*pass)["move_number"], s.moveNumber);
        EXPECT_EQ((*pass)["colours_exchanged"], true);
        // The symmetry takes the game's points onto the line's.
        const int symmetry = (*pass)["symmetry"];
        EXPECT_EQ(Transform(symmetry, {4, 16}), TPoint(16, 4));
        EXPECT_EQ(Transform(symmetry, {6, 17}), TPoint(17, 6));
        EXPECT_EQ(Transform(symmetry, {3, 14}), TPoint(14, 3));
    }
}

TEST_F(GamesToolTest, CountsOfAnEarlierVersionSayTheyHaveNoGamesBehindThem) {
    const std::string d = dictionary.string();
    WriteBytes(dir / "g.sgf", "(;SZ[19]RE[B+R];B[pd];W[qf])");
    ASSERT_EQ(Run({"import", "--corners", d, (dir / "g.sgf").string()}), 0) << err.str();
    ASSERT_EQ(Run({"stats", "--json", d}), 0);
    EXPECT_EQ(json::parse(out.str())["games_kept"], true);
    // As a store of the earlier version holds it: the counts alone.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(TCompanionDatabase::PathFor(d).c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DROP TABLE game_tails; DROP TABLE game_passes; DROP TABLE games", nullptr, nullptr,
                           nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(Run({"stats", "--json", d}), 0) << err.str();
    EXPECT_EQ(out.str().rfind("{\"record\": 0, \"games\": 1, \"games_kept\": false, \"candidates\": [", 0), 0u)
        << out.str();
    ASSERT_EQ(Run({"stats", d}), 0);
    EXPECT_NE(out.str().find("no games behind them"), std::string::npos) << out.str();
    // The same game again is kept now and counted on top of the old count.
    ASSERT_EQ(Run({"import", "--corners", d, (dir / "g.sgf").string()}), 0) << err.str();
    ASSERT_EQ(Run({"stats", "--json", d}), 0);
    const json mixed = json::parse(out.str());
    EXPECT_EQ(mixed["games"], 2);
    EXPECT_EQ(mixed["games_kept"], false);
    ASSERT_EQ(Run({"stats", "--json", "--from", "1900", d}), 0);
    EXPECT_EQ(json::parse(out.str())["games"], 0);
    ASSERT_EQ(Run({"stats", "--json", "--player", "", d}), 0);
    EXPECT_EQ(Run({"games", "--limit", "-1", d}), 2);
    EXPECT_EQ(Run({"games", "--from", "x", d}), 2);
    EXPECT_EQ(Run({"games", "--oldest"}), 2);
    EXPECT_EQ(Run({"stats", "--oldest", d}), 2);
}

}  // namespace
}  // namespace vxlo::testing
