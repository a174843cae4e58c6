// The games that come with the sample: made again they are the committed
// file, and imported by corners into a copy of the sample they follow its
// lines, so the explorer shows them and the dictionary stays as shipped.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>

#include "cli/ToolFixture.h"

namespace vxlo::testing {
namespace {

using nlohmann::json;

const std::string kData = VXLO_SAMPLE_DATA;

// The first move of each corner of each game, read from the SGF text alone
// and told apart by its distance from the corner: "4-4" or "3-4".
std::map<std::string, int> CornerOpenings(const std::string& sgf) {
    std::map<std::string, int> openings;
    const std::regex game(R"(\(;[^(]*\))");
    const std::regex move(R"(;[BW]\[([a-s])([a-s])\])");
    for (auto g = std::sregex_iterator(sgf.begin(), sgf.end(), game); g != std::sregex_iterator(); ++g) {
        const std::string text = g->str();
        std::set<int> seen;
        for (auto m = std::sregex_iterator(text.begin(), text.end(), move); m != std::sregex_iterator(); ++m) {
            const int x = (*m)[1].str()[0] - 'a' + 1;
            const int y = (*m)[2].str()[0] - 'a' + 1;
            const int corner = (x > 10 ? 1 : 0) + (y > 10 ? 2 : 0);
            if (!seen.insert(corner).second) continue;
            const int dx = x > 10 ? 20 - x : x;
            const int dy = y > 10 ? 20 - y : y;
            ++openings[dx == 4 && dy == 4 ? "4-4" : (dx + dy == 7 && dx * dy == 12) ? "3-4" : "other"];
        }
    }
    return openings;
}

class SampleGamesTest : public TToolTest {
protected:
    json Answer(const std::vector<std::string>& args) {
        EXPECT_EQ(Run(args), 0) << err.str();
        return json::parse(out.str());
    }
    static int GamesAt(const json& stats, int x, int y) {
        for (const json& c : stats["candidates"])
            if (c["x"] == x && c["y"] == y) return c["games"];
        return 0;
    }
};

TEST_F(SampleGamesTest, MadeAgainTheyAreTheCommittedFile) {
    const std::string made = (dir / "games.sgf").string();
    const std::string command = std::string(VXLO_MAKE_SAMPLE) + " --games '" + kData + "/sample-sequences.txt' '" +
                                made + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(FileBytes(made), FileBytes(kData + "/sample-games.sgf"));
}

TEST_F(SampleGamesTest, ImportedIntoTheSampleTheyFollowItsLines) {
    const std::filesystem::path copy = dir / "sample.jsk";
    const std::filesystem::path games = dir / "sample-games.sgf";
    std::filesystem::copy_file(kData + "/sample.jsk", copy);
    std::filesystem::copy_file(kData + "/sample.comments.sqlite", dir / "sample.comments.sqlite");
    std::filesystem::copy_file(kData + "/sample-games.sgf", games);
    const std::string d = copy.string();

    ASSERT_EQ(Run({"import", "--corners", d, games.string()}), 0) << err.str();
    EXPECT_NE(out.str().find("moves added 0, cut 0"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("duplicates 0"), std::string::npos) << out.str();
    EXPECT_EQ(FileBytes(copy), FileBytes(kData + "/sample.jsk"));
    EXPECT_EQ(Run({"check", d}), 0) << out.str() << err.str();

    const std::map<std::string, int> openings = CornerOpenings(FileBytes(games));
    EXPECT_EQ(openings.count("other"), 0u);
    const json root = Answer({"stats", "--json", d});
    EXPECT_EQ(root["games_kept"], true);
    EXPECT_EQ(root["games"], openings.at("4-4") + openings.at("3-4"));
    EXPECT_EQ(GamesAt(root, 16, 4), openings.at("4-4"));
    EXPECT_EQ(GamesAt(root, 17, 4), openings.at("3-4"));
    EXPECT_GT(GamesAt(root, 17, 4), 0);
    // At the 4-4 point both the approach and the 3-3 invasion have games.
    const json star = Answer({"stats", "--json", d, "16,4"});
    EXPECT_GT(GamesAt(star, 17, 6), 0);
    EXPECT_GT(GamesAt(star, 17, 3), 0);

    const json page = Answer({"games", "--json", d, "16,4"});
    EXPECT_EQ(page["total"], openings.at("4-4"));
    ASSERT_EQ(page["games"].size(), 50u);
    std::set<int> years;
    for (const json& g : page["games"]) {
        EXPECT_EQ(g["file"], games.string());
        EXPECT_NE(g["black"], "");
        EXPECT_NE(g["white"], "");
        EXPECT_NE(g["black_rank"], "");
        EXPECT_NE(g["event"], "");
        EXPECT_NE(g["result"], "");
        ASSERT_TRUE(g["year"].is_number()) << g;
        years.insert(g["year"].get<int>());
    }
    EXPECT_GE(years.size(), 5u);
}

}  // namespace
}  // namespace vxlo::testing
