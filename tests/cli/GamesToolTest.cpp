// What the corner import keeps of games whose records say little or say it
// oddly, and how stats tells counts that have no games behind them.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "board/PositionHash.h"
#include "cli/VxloTool.h"
#include "cli/ToolFixture.h"
#include "companion/CompanionDatabase.h"
#include "import/SgfReader.h"

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

// Every order of the games list is the whole list's: pages of seven, one
// after another, give the model's sort of all the games, for each key both
// ways round. Names differ in case only now and then, some are empty.
TEST_F(GamesToolTest, SortedPagesFollowTheWholeListInEveryOrder) {
    std::mt19937 random(2417);
    const char* const names[] = {"abe", "Abe", "cho", "Cho U", "kato", "", "坂田", "Zhou", "ito"};
    const char* const events[] = {"Honinbo", "honinbo", "Kisei", "", "Meijin", "LG Cup"};
    const char* const results[] = {"B+R", "W+R", "B+2.5", "W+0.5", "", "Void"};
    const TPoint away[] = {{3, 17}, {5, 16}, {2, 14}, {6, 18}, {4, 13}, {7, 15}};
    std::string sgf;
    for (int g = 0; g < 90; ++g) {
        const auto pick = [&](const auto& from) { return std::string(from[random() % std::size(from)]); };
        const int year = 1985 + static_cast<int>(random() % 30);
        const std::string date = random() % 6 == 0 ? "" : std::to_string(year) + "-0" + std::to_string(1 + random() % 9) + "-1" + std::to_string(random() % 10);
        sgf += "(;SZ[19]PB[" + pick(names) + "]PW[" + pick(names) + "]EV[" + pick(events) + "]RE[" + pick(results) +
               "]DT[" + date + "]";
        // A few moves in the lower left first, so that the game reaches the
        // 4-4 point at different move numbers; the last move differs every game.
        const int before = static_cast<int>(random() % 5);
        for (int m = 0; m < before; ++m) sgf += std::string(m % 2 ? ";W[" : ";B[") + EncodeSgfPoint(away[m]) + "]";
        sgf += std::string(before % 2 ? ";W[" : ";B[") + "pd]";
        sgf += std::string(before % 2 ? ";B[" : ";W[") + EncodeSgfPoint({1 + g % 9, 1 + g / 9}) + "])";
    }
    const std::string d = dictionary.string();
    WriteBytes(dir / "g.sgf", sgf);
    ASSERT_EQ(Run({"import", "--corners", d, (dir / "g.sgf").string()}), 0) << err.str();
    ASSERT_EQ(Run({"games", "--json", "--limit", "1000", d, "16,4"}), 0) << err.str();
    const json all = json::parse(out.str())["games"];
    // A last move on the upper left's 4-4 point reaches it a second time.
    ASSERT_GE(all.size(), 90u);

    const auto fold = [](std::string t) {
        for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    struct TCase {
        std::vector<std::string> options;
        std::string field;  // "date": newest first; others lowest first
        bool reversed;
    };
    const TCase cases[] = {
        {{}, "date", false},
        {{"--oldest"}, "date", true},
        {{"--sort", "date", "--reverse"}, "date", true},
        {{"--sort", "black"}, "black", false},
        {{"--sort", "white", "--reverse"}, "white", true},
        {{"--sort", "event"}, "event", false},
        {{"--sort", "result", "--reverse"}, "result", true},
        {{"--sort", "move"}, "move_number", false},
        {{"--sort", "move", "--reverse"}, "move_number", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.field + (c.reversed ? " reversed" : ""));
        std::vector<json> expected(all.begin(), all.end());
        // Empty values last either way; equals newest first, then by game.
        const auto value = [&](const json& g) -> std::pair<bool, json> {
            if (c.field == "move_number") return {true, g["move_number"]};
            const std::string text = g[c.field];
            return {!text.empty(), json(c.field == "date" ? text : fold(text))};
        };
        std::stable_sort(expected.begin(), expected.end(), [&](const json& a, const json& b) {
            const auto [aHas, aKey] = value(a);
            const auto [bHas, bKey] = value(b);
            if (aHas != bHas) return aHas;
            const bool descending = (c.field == "date") != c.reversed;
            if (aHas && aKey != bKey) return descending ? bKey < aKey : aKey < bKey;
            const std::string aDate = a["date"], bDate = b["date"];
            if (aDate.empty() != bDate.empty()) return !aDate.empty();
            if (aDate != bDate) return aDate > bDate;
            return a["game"] < b["game"];
        });
        std::vector<json> paged;
        for (std::size_t offset = 0; offset < all.size(); offset += 7) {
            std::vector<std::string> args{"games", "--json", "--limit", "7", "--offset", std::to_string(offset)};
            args.insert(args.end(), c.options.begin(), c.options.end());
            args.insert(args.end(), {d, "16,4"});
            ASSERT_EQ(Run(args), 0) << err.str();
            const json page = json::parse(out.str());
            EXPECT_EQ(page["total"], all.size());
            for (const json& g : page["games"]) paged.push_back(g);
        }
        ASSERT_EQ(paged.size(), expected.size());
        for (std::size_t i = 0; i < paged.size(); ++i)
            EXPECT_EQ(paged[i]["game"], expected[i]["game"]) << "place " << i << ": " << paged[i].dump();
    }
    EXPECT_EQ(Run({"games", "--sort", "colour", d}), 2);
    EXPECT_EQ(Run({"games", "--sort", "black", "--oldest", d}), 2);
}

}  // namespace
}  // namespace vxlo::testing
