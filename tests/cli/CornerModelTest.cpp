// The corner import against a model written from the rules in the README,
// not through the navigation: the model keeps its own tree of points and
// counts, and only borrows the board for what is legal. Games are generated
// the way collections look: a few joseki lines played in interleaved corners
// (so tenuki falls in different places and lines share tenuki prefixes),
// whole games repeated, several files read in different orders.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <sstream>

#include "cli/VxloTool.h"
#include "dictionary/Tejun.h"
#include "cli/ToolFixture.h"
#include "import/CornerGames.h"
#include "import/CornerSequence.h"
#include "import/SgfReader.h"
#include "companion/CompanionDatabase.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {
namespace {

using TModelMove = TColouredMove;

struct TModelGame {
    std::vector<TModelMove> moves;
    int winner = Black;
    int year = 2000;
};

struct TModelNode {
    TPoint move;
    std::vector<int> children;  // in the order they arrived
    long long games = 0, wins = 0, losses = 0;
    int first = 0, last = 0;
};

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

class TCornerModel {
public:
    std::vector<TModelNode> nodes{TModelNode{}};
    long long sequences = 0, cutFull = 0, cutIllegal = 0;
    long long added = 0;
    long long duplicates = 0;

    // A game whose moves were imported already adds nothing.
    void Import(const TModelGame& game, int limit) {
        std::vector<std::tuple<int, int, int>> line;
        for (const TModelMove& m : game.moves) line.emplace_back(m.color, m.point.x, m.point.y);
        if (!seen_.insert(line).second) {
            ++duplicates;
            return;
        }
        for (const auto& sequence : Sequences(game, limit)) Enter(sequence, game);
    }

private:
    std::set<std::vector<std::tuple<int, int, int>>> seen_;

    // The corners as `corner --json` numbers them: 0 (1,1), 1 (19,1), 2 (1,19), 3 (19,19).
    static bool InSquare(int corner, TPoint p) {
        if (p.x == 0) return false;
        const bool column = corner & 1 ? p.x >= 10 : p.x <= 10;
        const bool row = corner & 2 ? p.y >= 10 : p.y <= 10;
        return column && row;
    }

    // (the starter, the normalised line) of each corner, by their first moves.
    static std::vector<std::pair<int, std::vector<TPoint>>> Sequences(const TModelGame& game, int limit) {
        std::vector<std::tuple<int, int, int, std::vector<TPoint>>> found;  // first index, corner, starter, line
        for (int corner = 0; corner < 4; ++corner) {
            std::vector<TPoint> line;
            int first = -1, starter = 0, last = 0, quiet = 0;
            for (int i = 0; i < static_cast<int>(game.moves.size()); ++i) {
                const TModelMove& m = game.moves[i];
                if (!InSquare(corner, m.point)) {
                    if (first >= 0 && ++quiet == 12) break;
                    continue;
                }
                quiet = 0;
                if (first < 0) {
                    first = i;
                    starter = m.color;
                } else if (m.color == last) {
                    line.push_back({0, 0});
                    if (static_cast<int>(line.size()) == limit) break;
                }
                line.push_back(m.point);
                last = m.color;
                if (static_cast<int>(line.size()) == limit) break;
            }
            if (first < 0) continue;
            for (TPoint& p : line) {
                if (p.x == 0) continue;
                if (!(corner & 1)) p.x = 20 - p.x;
                if (corner & 2) p.y = 20 - p.y;
            }
            const auto off = std::find_if(line.begin(), line.end(), [](TPoint p) { return p.x && 20 - p.x != p.y; });
            if (off != line.end() && 20 - off->x > off->y) {
                for (TPoint& p : line)
                    if (p.x) p = {20 - p.y, 20 - p.x};
            }
            found.emplace_back(first, corner, starter, std::move(line));
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
        });
        std::vector<std::pair<int, std::vector<TPoint>>> result;
        for (auto& f : found) result.emplace_back(std::get<2>(f), std::move(std::get<3>(f)));
        return result;
    }

    void Count(int node, int starter, const TModelGame& game) {
        TModelNode& n = nodes[static_cast<std::size_t>(node)];
        ++n.games;
        (game.winner == starter ? n.wins : n.losses) += 1;
        n.first = n.first ? std::min(n.first, game.year) : game.year;
        n.last = std::max(n.last, game.year);
    }

    void Enter(const std::pair<int, std::vector<TPoint>>& sequence, const TModelGame& game) {
        TTejun path;
        TSilentPainter painter;
        TGoban board(path, painter);
        int node = 0;
        bool entered = false;
        for (const TPoint p : sequence.second) {
            int child = -1;
            for (const int c : nodes[static_cast<std::size_t>(node)].children)
                if (nodes[static_cast<std::size_t>(c)].move == p) child = c;
            if (child < 0) {
                if (board.TestMove(board.GetTurn(), p.x, p.y) != EMoveResult::Ok) {
                    ++cutIllegal;
                    return;
                }
                // Every continuation played is kept: no position is ever full
                // (a position holds at most every point and the tenuki).
                child = static_cast<int>(nodes.size());
                nodes.push_back(TModelNode{p, {}});
                nodes[static_cast<std::size_t>(node)].children.push_back(child);
                ++added;
            }
            board.PlayMove(p.x, p.y);
            path.Push(p.x, p.y, 0, child, board);
            if (!entered) {
                entered = true;
                ++sequences;
                Count(0, sequence.first, game);
            }
            Count(child, sequence.first, game);
            node = child;
        }
    }
};

// Joseki-like lines in the upper-right corner, none on a 10th line, sharing
// prefixes; games place two to four of them in distinct corners and
// interleave their moves, with a pass now and then.
std::vector<TModelGame> GenerateGames(std::mt19937& random, int count) {
    std::vector<std::vector<TPoint>> lines;
    for (int l = 0; l < 70; ++l) {
        std::vector<TPoint> line;
        if (l >= 35) line = lines[random() % 35];  // a variation of an earlier line
        line.resize(std::min<std::size_t>(line.size(), 1 + random() % 6));
        const int length = 4 + static_cast<int>(random() % 9);
        while (static_cast<int>(line.size()) < length)
            line.push_back({11 + static_cast<int>(random() % 8), 2 + static_cast<int>(random() % 8)});
        lines.push_back(line);
    }
    std::vector<TModelGame> games;
    for (int g = 0; g < count; ++g) {
        if (g > 5 && random() % 4 == 0) {  // the same game again, from another source
            games.push_back(games[random() % games.size()]);
            continue;
        }
        TModelGame game;
        game.winner = random() % 2 ? Black : White;
        game.year = 1990 + static_cast<int>(random() % 30);
        game.moves = InterleavedCorners(random, lines, 2, 3, 5, 12);
        games.push_back(game);
    }
    return games;
}

std::string Sgf(const std::vector<TModelGame>& games) {
    std::string sgf;
    for (const TModelGame& game : games) {
        sgf += "(;GM[1]FF[4]SZ[19]RE[" + std::string(game.winner == Black ? "B" : "W") + "+R]DT[" +
               std::to_string(game.year) + "-05-02]";
        for (const TModelMove& m : game.moves)
            sgf += std::string(";") + (m.color == Black ? "B[" : "W[") + (m.point.x ? EncodeSgfPoint(m.point) : "") + "]";
        // A move after the last pass, so that no game ends on it.
        sgf += ")\n";
    }
    return sgf;
}

class CornerModelTest : public TToolTest {
protected:

    // The file's tree, chain order and all, equals the model's; every count too.
    void ExpectModel(const std::filesystem::path& dictionary, const TCornerModel& model) {
        const std::vector<TJskRecord> records = FileRecords(dictionary);
        ASSERT_EQ(records.size(), model.nodes.size());  // placeholder and root alike: no record is left over
        std::map<int, int> recordOf;  // model node -> record
        std::vector<std::pair<int, std::int32_t>> todo{{0, records.size() > 1 ? 1 : 0}};
        while (!todo.empty()) {
            const auto [node, head] = todo.back();
            todo.pop_back();
            std::int32_t rec = head;
            for (const int child : model.nodes[static_cast<std::size_t>(node)].children) {
                ASSERT_GT(rec, 0) << "chain of node " << node << " ends early";
                const TJskRecord& r = records[static_cast<std::size_t>(rec)];
                ASSERT_EQ(TPoint(r.X, r.Y), model.nodes[static_cast<std::size_t>(child)].move);
                recordOf[child] = rec;
                todo.emplace_back(child, r.Next);
                rec = r.More;
            }
            ASSERT_EQ(rec, 0) << "chain of node " << node << " is longer than the model's";
        }
        std::map<int, std::vector<long long>> stored;
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(TCompanionDatabase::PathFor(dictionary.string()).c_str(), &db, SQLITE_OPEN_READONLY,
                                  nullptr), SQLITE_OK);
        sqlite3_stmt* rows = nullptr;
        sqlite3_prepare_v2(db, "SELECT rec, games, starter_wins, starter_losses, first_year, last_year FROM evidence",
                           -1, &rows, nullptr);
        while (sqlite3_step(rows) == SQLITE_ROW) {
            std::vector<long long>& v = stored[sqlite3_column_int(rows, 0)];
            for (int c = 1; c < 6; ++c) v.push_back(sqlite3_column_int64(rows, c));
        }
        sqlite3_finalize(rows);
        sqlite3_close(db);
        std::map<int, std::vector<long long>> expected;
        for (std::size_t n = 0; n < model.nodes.size(); ++n) {
            const TModelNode& m = model.nodes[n];
            if (m.games > 0) expected[n == 0 ? 0 : recordOf[static_cast<int>(n)]] = {m.games, m.wins, m.losses, m.first, m.last};
        }
        EXPECT_EQ(stored, expected);
    }

};

TEST_F(CornerModelTest, TreeAndCountsFollowTheRulesInEveryFileOrderAndAgainOnReimport) {
    std::mt19937 random(20261210);
    const std::vector<TModelGame> games = GenerateGames(random, 420);
    std::vector<std::string> files;
    for (int f = 0; f < 4; ++f) {
        const std::vector<TModelGame> part(games.begin() + f * 105, games.begin() + (f + 1) * 105);
        files.push_back((dir / ("part" + std::to_string(f) + ".sgf")).string());
        WriteBytes(files.back(), Sgf(part));
    }
    struct TCase {
        const char* name;
        std::vector<int> order;
        int limit;
    };
    const TCase cases[] = {{"forward", {0, 1, 2, 3}, 30}, {"backward", {3, 2, 1, 0}, 30}, {"mixed", {2, 0, 3, 1}, 7}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path target = dir / (std::string(c.name) + ".jsk");
        std::vector<std::string> args{"import", "--corners", "--limit", std::to_string(c.limit), target.string()};
        TCornerModel model;
        for (const int f : c.order) {
            args.push_back(files[static_cast<std::size_t>(f)]);
            for (int g = f * 105; g < (f + 1) * 105; ++g) model.Import(games[static_cast<std::size_t>(g)], c.limit);
        }
        ASSERT_EQ(Run(args), 0) << err.str();
        const long long cut = model.cutFull + model.cutIllegal;
        std::string summary = "games 420 (skipped: 0 setup, 0 size), sequences " + std::to_string(model.sequences) +
                              ", moves added " + std::to_string(model.added) + ", cut " + std::to_string(cut);
        if (cut > 0)
            summary += " (full " + std::to_string(model.cutFull) + ", illegal " + std::to_string(model.cutIllegal) + ")";
        summary += ", duplicates " + std::to_string(model.duplicates);
        EXPECT_GT(model.duplicates, 50);  // the collection repeats games
        EXPECT_EQ(out.str(), summary + "\n");
        ExpectModel(target, model);
        EXPECT_EQ(Run({"check", target.string()}), 0) << out.str();

        // The same files again: every game a duplicate, nothing changes.
        const std::string dictionaryBefore = FileBytes(target);
        ASSERT_EQ(Run(args), 0) << err.str();
        EXPECT_EQ(out.str(), "games 420 (skipped: 0 setup, 0 size), sequences 0, moves added 0, cut 0, duplicates 420\n");
        EXPECT_EQ(FileBytes(target), dictionaryBefore);
        ExpectModel(target, model);
    }
}

class TQuietSink final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

// Shallow positions of a collection play far more than 30 continuations: the
// empty board, and the 4-4 point that half of the lines open with. Every one
// is kept with its counts, chain order as the games brought them; check
// notes the long chains without calling them damage, and reading and
// writing them back leaves the file as it was.
TEST_F(CornerModelTest, EveryContinuationIsKeptPastThirtyAndLongChainsRoundTrip) {
    std::mt19937 random(4041);
    std::vector<std::vector<TPoint>> lines;
    for (int l = 0; l < 200; ++l) {
        std::vector<TPoint> line;
        if (l % 2) line.push_back({16, 4});
        const std::size_t length = 2 + random() % 6;
        while (line.size() < length)
            line.push_back({11 + static_cast<int>(random() % 9), 1 + static_cast<int>(random() % 9)});
        lines.push_back(line);
    }
    std::vector<TModelGame> games;
    for (int g = 0; g < 500; ++g) {
        if (g > 5 && random() % 5 == 0) {
            games.push_back(games[random() % games.size()]);
            continue;
        }
        TModelGame game;
        game.winner = random() % 3 ? Black : White;
        game.year = 1980 + static_cast<int>(random() % 45);
        game.moves = InterleavedCorners(random, lines, 2, 3, 5, 12);
        games.push_back(game);
    }
    const std::string first = (dir / "a.sgf").string(), second = (dir / "b.sgf").string();
    WriteBytes(first, Sgf({games.begin(), games.begin() + 250}));
    WriteBytes(second, Sgf({games.begin() + 250, games.end()}));
    TCornerModel model;
    for (const TModelGame& game : games) model.Import(game, kDefaultCornerLimit);
    const TModelNode& root = model.nodes[0];
    ASSERT_GE(root.children.size(), 40u);
    const auto star = std::find_if(root.children.begin(), root.children.end(), [&](int c) {
        return model.nodes[static_cast<std::size_t>(c)].move == TPoint{16, 4};
    });
    ASSERT_NE(star, root.children.end());
    ASSERT_GE(model.nodes[static_cast<std::size_t>(*star)].children.size(), 40u);

    ASSERT_EQ(Run({"import", "--corners", dictionary.string(), first, second}), 0) << err.str();
    EXPECT_NE(out.str().find("moves added " + std::to_string(model.added) + ", cut " +
                             std::to_string(model.cutIllegal)), std::string::npos) << out.str();
    EXPECT_EQ(model.cutFull, 0);
    ExpectModel(dictionary, model);
    EXPECT_EQ(Run({"check", dictionary.string()}), 0) << out.str();
    EXPECT_NE(out.str().find("note: chain of more than 30 alternatives"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find(" 0 problems, "), std::string::npos) << out.str();

    const std::string before = FileBytes(dictionary);
    {
        TNullView view;
        TQuietSink sink;
        TNullCommentStore comments;
        TNullMenuState menus;
        TNavigation nav(view, sink, comments, menus);
        nav.OpenFile(dictionary.string());
        ASSERT_EQ(nav.Dictionary().Count(), static_cast<int>(root.children.size()));
        nav.Dictionary().WriteList();
        ASSERT_TRUE(nav.Deside(16, 4));
        ASSERT_EQ(nav.Dictionary().Count(), static_cast<int>(model.nodes[static_cast<std::size_t>(*star)].children.size()));
        nav.Dictionary().WriteList();
        // Entry by hand keeps the limit of 30 where the import went past it.
        nav.SetInputMode(EInputMode::Record);
        for (int x = 1; x <= 9; ++x) nav.Deside(x, 18);
        EXPECT_EQ(nav.Dictionary().Count(), static_cast<int>(model.nodes[static_cast<std::size_t>(*star)].children.size()));
        nav.CloseFile();
    }
    EXPECT_EQ(FileBytes(dictionary), before);
}

// The whole-game import through an existing tenuki: the second game follows
// the tenuki the first one entered, and nothing is added below it twice.
TEST_F(CornerModelTest, PlainImportFollowsAnExistingTenukiOnce) {
    const std::string sgf = (dir / "two.sgf").string();
    WriteBytes(sgf, "(;SZ[19];B[pd];W[];B[qc];W[qd])(;SZ[19];B[pd];W[];B[qf])");
    for (int run = 0; run < 3; ++run) ASSERT_EQ(Run({"import", dictionary.string(), sgf}), 0) << err.str();
    EXPECT_EQ(Records(), (std::vector<TJskRecord>{TJskRecord{}, {16, 4, 0, 100, 2, 0}, {0, 0, 0, 100, 3, 0},
                                                  {17, 3, 0, 100, 4, 5}, {17, 4, 0, 100, 0, 0},
                                                  {17, 6, 0, 100, 0, 0}}));
}

// What importers left before: a tenuki after a tenuki with nothing below it.
// check names it; --repair unlinks it with its counts and writes nothing else.
TEST_F(CornerModelTest, CheckReportsATenukiLeftAfterATenukiAndRepairUnlinksIt) {
    const std::vector<TJskRecord> damaged{TJskRecord{}, {16, 4, 0, 100, 2, 0}, {0, 0, 0, 100, 3, 0},
                                          {0, 0, 0, 100, 0, 4},  {17, 3, 0, 100, 5, 0}, {0, 0, 0, 100, 6, 0},
                                          {0, 0, 0, 100, 7, 0},  {15, 3, 0, 100, 0, 0}};
    WriteBytes(dictionary, RecordBytes(damaged));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(TCompanionDatabase::PathFor(dictionary.string()).c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE evidence (rec INTEGER PRIMARY KEY, games INTEGER, starter_wins INTEGER, "
                           "starter_losses INTEGER, first_year INTEGER, last_year INTEGER);"
                           "INSERT INTO evidence VALUES (2, 5, 1, 1, 0, 0), (3, 2, 0, 0, 0, 0), (4, 3, 0, 0, 0, 0)",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    EXPECT_EQ(Run({"check", dictionary.string()}), 1);
    EXPECT_NE(out.str().find("record 3: tenuki right after a tenuki"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("record 6:"), std::string::npos) << "a tenuki pair with a continuation is sound\n" << out.str();
    EXPECT_EQ(Records(), damaged);

    EXPECT_EQ(Run({"check", "--repair", dictionary.string()}), 0) << out.str() << err.str();
    EXPECT_EQ(out.str().substr(0, 21), "record 3: unlinked\n8 ");
    std::vector<TJskRecord> repaired = damaged;
    repaired[2].Next = 4;
    EXPECT_EQ(Records(), repaired);
    ASSERT_EQ(sqlite3_open(TCompanionDatabase::PathFor(dictionary.string()).c_str(), &db), SQLITE_OK);
    sqlite3_stmt* rows = nullptr;
    sqlite3_prepare_v2(db, "SELECT group_concat(rec) FROM (SELECT rec FROM evidence ORDER BY rec)", -1, &rows, nullptr);
    ASSERT_EQ(sqlite3_step(rows), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(rows, 0)), "2,4");
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

// A malformed file among good ones is passed over and named at the end; the
// games before and after it keep their moves and their counts.
TEST_F(CornerModelTest, AMalformedFileInAFolderIsPassedOverAndTheRestCounted) {
    const std::filesystem::path folder = dir / "games";
    std::filesystem::create_directories(folder);
    WriteBytes((folder / "a.sgf").string(), "(;SZ[19]RE[B+R]DT[2001];B[pd];W[qc])");
    WriteBytes((folder / "b.sgf").string(), "(;SZ[19];B[pd];W[q");
    WriteBytes((folder / "c.sgf").string(), "(;SZ[19]RE[W+R]DT[2003];B[pd];W[qc];B[qd])");
    EXPECT_EQ(Run({"import", "--corners", dictionary.string(), folder.string()}), 1);
    EXPECT_EQ(out.str(), "games 2 (skipped: 0 setup, 0 size), sequences 2, moves added 3, cut 0, duplicates 0\n");
    EXPECT_NE(err.str().find("b.sgf"), std::string::npos) << err.str();
    TCornerModel model;
    model.Import({{{Black, {16, 4}}, {White, {17, 3}}}, Black, 2001}, 30);
    model.Import({{{Black, {16, 4}}, {White, {17, 3}}, {Black, {17, 4}}}, White, 2003}, 30);
    ExpectModel(dictionary, model);
}

}  // namespace
}  // namespace vxlo::testing
