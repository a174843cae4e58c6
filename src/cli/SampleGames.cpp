#include "cli/SampleGames.h"

#include <array>
#include <cstdio>
#include <random>
#include <set>

#include "core/VxloError.h"

namespace vxlo {

namespace {

constexpr int kMirror = 20;  // x → 20 − x mirrors a 19-line board

int Opponent(int colour) { return colour == Black ? White : Black; }

struct TPlayer {
    const char* name;
    const char* rank;
};

// Made-up players, professionals and amateurs, named in both scripts.
constexpr std::array kPlayers{
    TPlayer{"青木 蓮", "9段"},  TPlayer{"星野 芽衣", "7段"}, TPlayer{"黒田 翔", "9段"},
    TPlayer{"石井 結衣", "4段"}, TPlayer{"村瀬 大地", "8段"}, TPlayer{"小野寺 葵", "6段"},
    TPlayer{"Lena Hart", "6d"}, TPlayer{"Tomas Brenner", "5d"}, TPlayer{"Mira Castell", "7d"},
    TPlayer{"Jun Okafor", "4d"}, TPlayer{"Ilse Varga", "2p"},  TPlayer{"Daniel Reyes", "5d"},
};
constexpr std::array kEvents{"青葉杯", "北辰リーグ", "若鷹戦", "Kestrel Open", "Harbor Cup", "Lakeside Weekend"};

// std::mt19937's numbers are the same everywhere, its distributions are not:
// the committed file has to come out again from the same seed.
class TDraw {
public:
    explicit TDraw(std::uint32_t seed) : random_(seed) {}
    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::mt19937 random_;
};

// One corner of a game being made: the part of a line it plays, placed.
struct TCornerPlay {
    std::vector<TPoint> moves;  // in the game's orientation, kTenuki kept
    std::size_t next = 0;
    bool started = false;
    int starter = Black;  // the real colour of the line's Black

    int NextColour() const {
        std::size_t i = next;
        while (i < moves.size() && moves[i] == kTenuki) ++i;
        if (i >= moves.size()) return Empty;
        const int lineColour = i % 2 == 0 ? Black : White;
        return lineColour == Black ? starter : Opponent(starter);
    }
    TPoint Play() {
        while (moves[next] == kTenuki) ++next;
        return moves[next++];
    }
};

bool InUpperRight(TPoint p) { return p.x >= 11 && p.y <= 9; }

// Corner 0 (1,1), 1 (19,1), 2 (1,19), 3 (19,19), as the corner import numbers them.
TPoint Placed(TPoint p, int corner, bool reflect) {
    if (p == kTenuki) return p;
    if (reflect) p = {kMirror - p.y, kMirror - p.x};
    if (corner == 0 || corner == 2) p.x = kMirror - p.x;
    if (corner >= 2) p.y = kMirror - p.y;
    return p;
}

TCornerPlay CornerOf(const std::vector<TPoint>& line, int corner, TDraw& draw) {
    std::size_t length = line.size();
    // Most games play the whole line; some leave it early.
    if (draw.Chance(35)) length = 2 + draw.Below(static_cast<int>(line.size()) - 1);
    while (length > 1 && line[length - 1] == kTenuki) --length;
    const bool reflect = draw.Chance(50);
    TCornerPlay play;
    for (std::size_t i = 0; i < length; ++i) play.moves.push_back(Placed(line[i], corner, reflect));
    return play;
}

// The corners take turns as a game would: each move is the colour's to
// play, in the corner just played where it can, else in any corner whose
// line has it to move (a line's tenuki is a move in another corner). The
// game ends when the colour to move has no corner left.
std::vector<TPoint> GameOf(std::vector<TCornerPlay>& corners, TDraw& draw) {
    std::vector<TPoint> game;
    int colour = Black;
    int last = -1;
    for (;;) {
        std::vector<int> open;
        for (int c = 0; c < static_cast<int>(corners.size()); ++c)
            if (!corners[c].started || corners[c].NextColour() == colour) open.push_back(c);
        if (open.empty()) break;
        int chosen = open[draw.Below(static_cast<int>(open.size()))];
        for (int c : open)
            if (c == last && draw.Chance(60)) chosen = c;
        TCornerPlay& play = corners[chosen];
        if (!play.started) {
            play.started = true;
            play.starter = colour;
        }
        game.push_back(play.Play());
        last = chosen;
        colour = Opponent(colour);
    }
    return game;
}

std::string SgfPoint(TPoint p) {
    return {static_cast<char>('a' + p.x - 1), static_cast<char>('a' + p.y - 1)};
}

std::string Result(TDraw& draw) {
    const std::string winner = draw.Chance(50) ? "B+" : "W+";
    if (draw.Chance(40)) return winner + "R";
    return winner + std::to_string(draw.Below(12)) + ".5";
}

std::string Header(TDraw& draw) {
    const int black = draw.Below(static_cast<int>(kPlayers.size()));
    const int white = (black + 1 + draw.Below(static_cast<int>(kPlayers.size()) - 1)) % kPlayers.size();
    char date[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", 1998 + draw.Below(26), 1 + draw.Below(12), 1 + draw.Below(28));
    return std::string("GM[1]FF[4]CA[UTF-8]SZ[19]KM[6.5]") + "PB[" + kPlayers[black].name + "]BR[" +
           kPlayers[black].rank + "]PW[" + kPlayers[white].name + "]WR[" + kPlayers[white].rank + "]DT[" + date +
           "]EV[" + kEvents[draw.Below(static_cast<int>(kEvents.size()))] + "]RE[" + Result(draw) + "]";
}

}  // namespace

std::string SampleGamesSgf(const std::vector<std::vector<TPoint>>& lines, int count, std::uint32_t seed) {
    std::vector<const std::vector<TPoint>*> playable;
    for (const auto& line : lines)
        if (!line.empty() && InUpperRight(line.front())) playable.push_back(&line);
    if (playable.empty()) throw EVxloError("no sequence starts in the upper right corner");
    TDraw draw(seed);
    std::set<std::vector<std::pair<int, int>>> made;
    std::string sgf;
    for (int attempts = 0; static_cast<int>(made.size()) < count; ++attempts) {
        if (attempts > count * 100) throw EVxloError("too few different games from these sequences");
        constexpr std::array kCornerCounts{2, 3, 4, 4, 3, 2, 4, 1};
        std::array order{0, 1, 2, 3};
        std::vector<TCornerPlay> corners;
        const int used = kCornerCounts[draw.Below(static_cast<int>(kCornerCounts.size()))];
        for (int i = 0; i < used; ++i) {
            std::swap(order[i], order[i + draw.Below(4 - i)]);
            const auto& line = *playable[draw.Below(static_cast<int>(playable.size()))];
            corners.push_back(CornerOf(line, order[i], draw));
        }
        const std::vector<TPoint> game = GameOf(corners, draw);
        std::vector<std::pair<int, int>> key;
        for (TPoint p : game) key.emplace_back(p.x, p.y);
        // A game equal to one made already would be a duplicate to the import.
        if (!made.insert(key).second) continue;
        sgf += "(;" + Header(draw) + "\n";
        for (std::size_t i = 0; i < game.size(); ++i)
            sgf += std::string(i % 2 == 0 ? ";B[" : ";W[") + SgfPoint(game[i]) + "]";
        sgf += ")\n";
    }
    return sgf;
}

}  // namespace vxlo
