// The kept games against a model written from the rules, not through the
// navigation or the store: generated games with players, dates, events and
// results in every shape a collection has them; the model keeps its own tree
// of points with the passes of every game, and the tool must give the same
// games per position, the same filtered counts, wins and years, count
// duplicates, and change nothing on a second import.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "board/PositionHash.h"
#include "cli/VxloTool.h"
#include "dictionary/Tejun.h"
#include "import/CornerGames.h"
#include "import/ImportFixture.h"
#include "import/SgfReader.h"

namespace vxlo::testing {
namespace {

using nlohmann::json;

using TMove = TColouredMove;

struct TGame {
    std::vector<TMove> moves;
    std::string black, white, date, event, result;
    int year = 0;    // read from the date by the rule: its first four digits in a row
    int winner = 0;  // from the result
    int file = 0, index = 0;
};

struct TPass {
    int file, index, corner, move, symmetry;
    bool exchanged;
    auto operator<=>(const TPass&) const = default;
};

struct TNode {
    TPoint move;
    std::vector<int> children;
    std::vector<std::pair<const TGame*, TPass>> passes;
};

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

bool InSquare(int corner, TPoint p) {
    if (p.x == 0) return false;
    return (corner & 1 ? p.x >= 10 : p.x <= 10) && (corner & 2 ? p.y >= 10 : p.y <= 10);
}

struct TSequence {
    int first, corner, starter, symmetry;
    std::vector<TPoint> line;
    std::vector<int> moveNumbers;
};

// The corner rules of the README, with where in the game each move was.
std::vector<TSequence> Sequences(const TGame& game) {
    std::vector<TSequence> found;
    for (int corner = 0; corner < 4; ++corner) {
        TSequence s{-1, corner, 0, 0, {}, {}};
        int last = 0, quiet = 0;
        for (int i = 0; i < static_cast<int>(game.moves.size()) && static_cast<int>(s.line.size()) < 30; ++i) {
            const TMove& m = game.moves[static_cast<std::size_t>(i)];
            if (!InSquare(corner, m.point)) {
                if (s.first >= 0 && ++quiet == 12) break;
                continue;
            }
            quiet = 0;
            if (s.first < 0) {
                s.first = i;
                s.starter = m.color;
            } else if (m.color == last) {
                s.line.push_back({0, 0});
                s.moveNumbers.push_back(s.moveNumbers.back());
                if (s.line.size() == 30) break;
            }
            s.line.push_back(m.point);
            s.moveNumbers.push_back(i + 1);
            last = m.color;
        }
        if (s.first < 0) continue;
        const auto mirror = [corner](TPoint p) {
            return TPoint{corner & 1 ? p.x : 20 - p.x, corner & 2 ? 20 - p.y : p.y};
        };
        bool reflect = false;
        for (const TPoint p : s.line) {
            const TPoint q = mirror(p);
            if (p.x == 0 || 20 - q.x == q.y) continue;
            reflect = 20 - q.x > q.y;
            break;
        }
        const auto normal = [&](TPoint p) {
            const TPoint q = mirror(p);
            return reflect ? TPoint{20 - q.y, 20 - q.x} : q;
        };
        for (TPoint& p : s.line)
            if (p.x) p = normal(p);
        // The symmetry is the one of the eight that moves every point so.
        for (int k = 0; k < 8; ++k) {
            bool all = true;
            for (int x = 1; x <= 19 && all; ++x)
                for (int y = 1; y <= 19 && all; ++y) all = Transform(k, {x, y}) == normal({x, y});
            if (all) s.symmetry = k;
        }
        found.push_back(std::move(s));
    }
    std::sort(found.begin(), found.end(),
              [](const TSequence& a, const TSequence& b) { return std::tie(a.first, a.corner) < std::tie(b.first, b.corner); });
    return found;
}

class TModel {
public:
    std::vector<TNode> nodes{TNode{}};
    int duplicates = 0;

    void Import(const TGame& game) {
        std::vector<std::tuple<int, int, int>> key;
        for (const TMove& m : game.moves) key.emplace_back(m.color, m.point.x, m.point.y);
        if (!seen_.insert(key).second) {
            ++duplicates;
            return;
        }
        for (const TSequence& s : Sequences(game)) Enter(s, game);
    }

private:
    void Enter(const TSequence& s, const TGame& game) {
        TTejun path;
        TSilentPainter painter;
        TGoban board(path, painter);
        int node = 0;
        for (std::size_t m = 0; m < s.line.size(); ++m) {
            const TPoint p = s.line[m];
            int child = -1;
            for (const int c : nodes[static_cast<std::size_t>(node)].children)
                if (nodes[static_cast<std::size_t>(c)].move == p) child = c;
            if (child < 0) {
                if (board.TestMove(board.GetTurn(), p.x, p.y) != EMoveResult::Ok) return;
                if (nodes[static_cast<std::size_t>(node)].children.size() >= 30) return;
                child = static_cast<int>(nodes.size());
                nodes.push_back(TNode{p, {}, {}});
                nodes[static_cast<std::size_t>(node)].children.push_back(child);
            }
            board.PlayMove(p.x, p.y);
            path.Push(p.x, p.y, 0, child, board);
            const TPass pass{game.file, game.index, s.corner, 0, s.symmetry, s.starter == White};
            if (m == 0) nodes[0].passes.emplace_back(&game, pass);
            TPass here = pass;
            here.move = s.moveNumbers[m];
            nodes[static_cast<std::size_t>(child)].passes.emplace_back(&game, here);
            node = child;
        }
    }
    std::set<std::vector<std::tuple<int, int, int>>> seen_;
};

struct TFilter {
    std::vector<std::string> args;
    int from = 0, to = 0;
    std::string player, event;
};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool Passes(const TFilter& f, const TGame& g) {
    if ((f.from || f.to) && g.year == 0) return false;
    if (f.from && g.year < f.from) return false;
    if (f.to && g.year > f.to) return false;
    if (!f.player.empty() && Lower(g.black).find(Lower(f.player)) == std::string::npos &&
        Lower(g.white).find(Lower(f.player)) == std::string::npos)
        return false;
    return f.event.empty() || Lower(g.event).find(Lower(f.event)) != std::string::npos;
}

// What stats says of a position, from the model's passes.
json Figures(const TNode& node, const TFilter& f) {
    long long games = 0, starterWins = 0, starterLosses = 0, black = 0, white = 0;
    int first = 0, last = 0;
    json years = json::object();
    for (const auto& [g, p] : node.passes) {
        if (!Passes(f, *g)) continue;
        ++games;
        const int starter = p.exchanged ? White : Black;
        if (g->winner) {
            (g->winner == starter ? starterWins : starterLosses) += 1;
            (g->winner == Black ? black : white) += 1;
        }
        if (g->year) {
            const std::string y = std::to_string(g->year);
            years[y] = years.value(y, 0) + 1;
            first = first ? std::min(first, g->year) : g->year;
            last = std::max(last, g->year);
        }
    }
    return {{"games", games}, {"starter_wins", starterWins}, {"starter_losses", starterLosses},
            {"first_year", first}, {"last_year", last}, {"black_wins", black}, {"white_wins", white},
            {"by_year", years}};
}

const char* const kNames[] = {"Sato Ken", "SATO Yuki", "Lee Changho", "坂田栄男", "Cho Chikun", "", "Park Junghwan"};
const char* const kEvents[] = {"Meijin", "Honinbo Cup", "", "NHK CUP", "名人戦"};
const char* const kDates[] = {"1998-01-29,30", "2016", "平成10年", "", "2003-05", "1971-11-02", "about 1850"};
const char* const kResults[] = {"B+R", "W+3.5", "", "Void", "W+T", "b+2.5"};

std::vector<TGame> Generate(std::mt19937& random, int count, int files) {
    std::vector<std::vector<TPoint>> lines;
    for (int l = 0; l < 40; ++l) {
        std::vector<TPoint> line;
        if (l >= 20) line = lines[random() % 20];
        line.resize(std::min<std::size_t>(line.size(), 1 + random() % 5));
        const int length = 3 + static_cast<int>(random() % 8);
        while (static_cast<int>(line.size()) < length)
            line.push_back({11 + static_cast<int>(random() % 8), 2 + static_cast<int>(random() % 8)});
        lines.push_back(line);
    }
    std::vector<TGame> games;
    for (int g = 0; g < count; ++g) {
        TGame game;
        if (g > 5 && random() % 5 == 0) {
            game = games[random() % games.size()];  // the same moves, from another source
        } else {
            game.moves = InterleavedCorners(random, lines, 1, 3, 4, 10);
        }
        game.black = kNames[random() % std::size(kNames)];
        game.white = kNames[random() % std::size(kNames)];
        game.event = kEvents[random() % std::size(kEvents)];
        game.date = random() % 3 ? std::to_string(1960 + random() % 60) + "-0" + std::to_string(1 + random() % 9) + "-1" +
                                       std::to_string(random() % 10)
                                 : kDates[random() % std::size(kDates)];
        game.result = kResults[random() % std::size(kResults)];
        game.year = 0;  // a copy's own date decides
        int run = 0;
        for (std::size_t i = 0; i < game.date.size() && !game.year; ++i) {
            run = std::isdigit(static_cast<unsigned char>(game.date[i])) ? run + 1 : 0;
            if (run == 4) game.year = std::stoi(game.date.substr(i - 3, 4));
        }
        const char w = static_cast<char>(std::toupper(static_cast<unsigned char>(game.result.empty() ? ' ' : game.result[0])));
        game.winner = game.result.size() > 1 && game.result[1] == '+' ? (w == 'B' ? Black : w == 'W' ? White : 0) : 0;
        game.file = g % files;
        games.push_back(game);
    }
    return games;
}

std::string Property(const char* name, const std::string& value) {
    return value.empty() ? "" : std::string(name) + "[" + value + "]";
}

class GamesModelTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();
    }
    json Tool(std::vector<std::string> args) {
        out.str("");
        err.str("");
        EXPECT_EQ(RunVxloTool(args, out, err), 0) << err.str();
        return json::parse(out.str());
    }
    std::ostringstream out, err;
};

TEST_F(GamesModelTest, GamesPerPositionFilteredCountsWinsAndYearsFollowTheRules) {
    std::mt19937 random(20270101);
    constexpr int kFiles = 3;
    std::vector<TGame> games = Generate(random, 240, kFiles);
    std::vector<std::string> files, texts(kFiles);
    std::vector<int> inFile(kFiles, 0);
    for (TGame& g : games) {
        g.index = inFile[static_cast<std::size_t>(g.file)]++;
        std::string& sgf = texts[static_cast<std::size_t>(g.file)];
        sgf += "(;GM[1]FF[4]CA[UTF-8]SZ[19]" + Property("PB", g.black) + Property("PW", g.white) +
               Property("DT", g.date) + Property("EV", g.event) + Property("RE", g.result);
        for (const TMove& m : g.moves)
            sgf += std::string(";") + (m.color == Black ? "B[" : "W[") + (m.point.x ? EncodeSgfPoint(m.point) : "") + "]";
        sgf += ")\n";
    }
    std::vector<std::string> args{"import", "--corners", dictionary.string()};
    for (int f = 0; f < kFiles; ++f) {
        files.push_back(std::filesystem::absolute(dir / ("part" + std::to_string(f) + ".sgf")).string());
        WriteBytes(files.back(), texts[static_cast<std::size_t>(f)]);
        args.push_back(files.back());
    }
    TModel model;
    for (int f = 0; f < kFiles; ++f)
        for (const TGame& g : games)
            if (g.file == f) model.Import(g);
    ASSERT_EQ(RunVxloTool(args, out, err), 0) << err.str();
    ASSERT_GT(model.duplicates, 20);
    EXPECT_NE(out.str().find(", duplicates " + std::to_string(model.duplicates) + "\n"), std::string::npos) << out.str();

    const std::vector<TFilter> filters = {
        {{}, 0, 0, "", ""},
        {{"--from", "1990"}, 1990, 0, "", ""},
        {{"--to", "1998"}, 0, 1998, "", ""},
        {{"--from", "1980", "--to", "2000"}, 1980, 2000, "", ""},
        {{"--player", "sato"}, 0, 0, "sato", ""},
        {{"--player", "坂田"}, 0, 0, "坂田", ""},
        {{"--event", "cup", "--from", "1970"}, 1970, 0, "", "cup"},
    };
    // Positions from the empty board down, each with its moves.
    std::vector<std::pair<int, std::vector<std::string>>> todo{{0, {}}};
    int visited = 0;
    while (!todo.empty()) {
        const auto [node, moves] = todo.back();
        todo.pop_back();
        const TNode& n = model.nodes[static_cast<std::size_t>(node)];
        if (n.children.empty()) continue;
        if (++visited > 60) break;
        for (const int c : n.children) {
            std::vector<std::string> next = moves;
            const TPoint p = model.nodes[static_cast<std::size_t>(c)].move;
            next.push_back(p.x ? std::to_string(p.x) + "," + std::to_string(p.y) : "pass");
            todo.emplace_back(c, next);
        }
        for (const TFilter& f : filters) {
            SCOPED_TRACE(::testing::PrintToString(moves) + " " + ::testing::PrintToString(f.args));
            std::vector<std::string> stats{"stats", "--json"};
            stats.insert(stats.end(), f.args.begin(), f.args.end());
            stats.push_back(dictionary.string());
            stats.insert(stats.end(), moves.begin(), moves.end());
            const json answer = Tool(stats);
            EXPECT_EQ(answer["games_kept"], true);
            EXPECT_EQ(answer["games"], Figures(n, f)["games"]);
            ASSERT_EQ(answer["candidates"].size(), n.children.size());
            for (std::size_t i = 0; i < n.children.size(); ++i) {
                json c = answer["candidates"][i];
                const TNode& child = model.nodes[static_cast<std::size_t>(n.children[i])];
                EXPECT_EQ(TPoint(c["x"], c["y"]), child.move);
                for (const std::string key : {"x", "y", "label", "record"}) c.erase(key);
                EXPECT_EQ(c, Figures(child, f));
            }
            std::vector<std::string> list{"games", "--json", "--limit", "100000"};
            list.insert(list.end(), stats.begin() + 2, stats.end());
            const json page = Tool(list);
            std::multiset<TPass> expected, found;
            for (const auto& [g, p] : n.passes)
                if (Passes(f, *g)) expected.insert(p);
            EXPECT_EQ(page["total"], expected.size());
            long long previous = 99999999;
            bool undated = false;
            for (const json& g : page["games"]) {
                const int file = static_cast<int>(std::find(files.begin(), files.end(), g["file"]) - files.begin());
                found.insert({file, g["index"], g["corner"], g["move_number"], g["symmetry"], g["colours_exchanged"]});
                const TGame* game = nullptr;
                for (const TGame& candidate : games)
                    if (candidate.file == file && candidate.index == g["index"]) game = &candidate;
                ASSERT_NE(game, nullptr);
                EXPECT_EQ(g["black"], game->black);
                EXPECT_EQ(g["white"], game->white);
                EXPECT_EQ(g["date"], game->date);
                EXPECT_EQ(g["event"], game->event);
                EXPECT_EQ(g["result"], game->result);
                EXPECT_EQ(g["year"], game->year ? json(game->year) : json(nullptr)) << g.dump();
                // Newest first by year, games without one last.
                if (game->year == 0) {
                    undated = true;
                } else {
                    EXPECT_FALSE(undated) << "a dated game after an undated one";
                    EXPECT_LE(game->year, previous);
                    previous = game->year;
                }
            }
            EXPECT_EQ(found, expected);
        }
    }
    EXPECT_GT(visited, 30);

    // The same files again: every game a duplicate, every answer as it was.
    const json before = Tool({"stats", "--json", dictionary.string()});
    const std::string bytes = FileBytes(dictionary);
    out.str("");
    ASSERT_EQ(RunVxloTool(args, out, err), 0) << err.str();
    EXPECT_NE(out.str().find(", sequences 0, moves added 0, cut 0, duplicates 240\n"), std::string::npos) << out.str();
    EXPECT_EQ(FileBytes(dictionary), bytes);
    EXPECT_EQ(Tool({"stats", "--json", dictionary.string()}), before);

    // clear-evidence takes the games with the counts.
    out.str("");
    ASSERT_EQ(RunVxloTool({"clear-evidence", dictionary.string()}, out, err), 0);
    EXPECT_EQ(Tool({"games", "--json", dictionary.string()})["total"], 0);
}

}  // namespace
}  // namespace vxlo::testing
