#include "cli/JosekiTreeGenerator.h"

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "board/Goban.h"
#include "dictionary/Tejun.h"
#include "import/SgfReader.h"

namespace vxlo {

namespace {

constexpr int kMaxDepth = 48;
constexpr int kRootMoves = 12;
constexpr int kMaxRootMoves = 28;

class TQuietPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

class TGenerator {
public:
    TGenerator(int target, unsigned seed) : rng_(seed), budget_(target) {}

    TJosekiTree Run() {
        tree_.sgf = "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[joseki-generator:1]";
        ++tree_.nodes;
        Notes(0);
        // The root has many first moves, the corner's openings, each with a
        // share of the nodes.
        const int share = std::max(1, budget_ / kRootMoves);
        const int total = budget_;
        // A line that dies out early leaves its share to more first moves.
        for (int c = 0; c < kMaxRootMoves && tree_.nodes < total; ++c) {
            budget_ = std::min(share, total - tree_.nodes);
            bool passUsed = true;  // no tenuki as the very first move
            tree_.sgf += "\n(";
            Child(0, "", 0, passUsed);
            tree_.sgf += ")";
        }
        tree_.sgf += ")\n";
        tree_.records = static_cast<int>(trie_.size());
        return std::move(tree_);
    }

private:
    int Roll(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    // The position below parent reached by (x, y), added when new.
    int Enter(int parent, TPoint p, const std::string& line, std::string& childLine) {
        childLine = line + (line.empty() ? "" : " ") + std::to_string(p.x) + "," + std::to_string(p.y);
        const auto key = std::make_tuple(parent, p.x, p.y);
        const auto it = trie_.find(key);
        if (it != trie_.end()) return it->second;
        const int id = static_cast<int>(trie_.size()) + 1;
        trie_.emplace(key, id);
        tree_.lines.insert(childLine);
        if (IsTenuki(p.x, p.y)) ++tree_.tenukiRecords;
        return id;
    }

    bool Known(int parent, TPoint p) const { return trie_.count(std::make_tuple(parent, p.x, p.y)) > 0; }

    // A point for the side to move: mostly near the corner, always legal.
    bool PickPoint(int parent, TPoint& p) {
        for (int attempt = 0; attempt < 40; ++attempt) {
            const bool corner = Roll(10) < 8;
            p = corner ? TPoint{9 + Roll(11), 1 + Roll(11)} : TPoint{1 + Roll(19), 1 + Roll(19)};
            if (board_.GetStone(p.x, p.y) != Empty || Known(parent, p)) continue;
            if (board_.TestMove(board_.GetTurn(), p.x, p.y) == EMoveResult::Ok) return true;
        }
        return false;
    }

    void Play(TPoint p) {
        board_.PlayMove(p.x, p.y);
        path_.Push(p.x, p.y, 0, 0, board_);
    }
    void Undo() {
        const TPoint p = path_.Pop(board_, painter_);
        board_.TakeBack(p.x, p.y);
    }

    static std::string Point(TPoint p) { return EncodeSgfPoint(p); }

    // Comment and markup of the node just written, for position `position`
    // (-1 inside a setup subtree, where nothing counts).
    void Notes(int position) {
        const bool counted = position >= 0;
        if (Roll(100) < 17) {
            tree_.sgf += "C[" + EscapeSgfText("変化 " + std::to_string(tree_.nodes) + ": 'a' is correct]") + "]";
            if (counted) {
                ++tree_.commentNodes;
                if (commented_.insert(position).second) ++tree_.commentedPositions;
            }
        }
        std::string markup;
        if (Roll(100) < 11) {
            markup += "LB";
            std::set<std::pair<int, int>> used;
            const int n = 1 + Roll(3);
            for (int i = 0; i < n; ++i) {
                const TPoint p{1 + Roll(19), 1 + Roll(19)};
                if (!used.insert({p.x, p.y}).second) continue;
                markup += "[" + Point(p) + ":" + std::string(1, static_cast<char>('a' + i)) + "]";
            }
        }
        for (const char* sign : {"TR", "SQ", "CR", "MA"}) {
            if (Roll(100) < 3) markup += std::string(sign) + "[" + Point({1 + Roll(19), 1 + Roll(19)}) + "]";
        }
        if (markup.empty()) return;
        tree_.sgf += markup;
        if (counted) {
            ++tree_.markupNodes;
            if (marked_.insert(position).second) ++tree_.markedPositions;
        }
    }

    // A subtree below a setup node: moves anywhere, never merged.
    void SetupSubtree(int depth) {
        const int n = 1 + Roll(4);
        for (int i = 0; i < n && budget_ > 0; ++i) {
            --budget_;
            ++tree_.nodes;
            ++tree_.setupSubtreeNodes;
            tree_.sgf += std::string(";") + (depth % 2 == 0 ? "W" : "B") + "[" + Point({1 + Roll(19), 1 + Roll(19)}) + "]";
            Notes(-1);
            ++depth;
        }
    }

    // Writes the children of the position `position` (line `line`). A
    // position a pass led to gets no pass: two in a row end a joseki, and
    // the check reports such a tenuki as what importers used to leave behind.
    void Children(int position, const std::string& line, int depth, int count, bool afterPass) {
        const bool wrap = count > 1;
        bool passUsed = afterPass;
        for (int c = 0; c < count && budget_ > 0; ++c) {
            if (wrap) tree_.sgf += "\n(";
            Child(position, line, depth, passUsed);
            if (wrap) tree_.sgf += ")";
        }
    }

    void Child(int position, const std::string& line, int depth, bool& passUsed) {
        --budget_;
        ++tree_.nodes;
        const int roll = Roll(1000);
        // The colour the file gives the move: normally the side to move.
        const int toMove = board_.GetTurn();
        const char* colour = toMove == Black ? "B" : "W";
        const char* other = toMove == Black ? "W" : "B";
        if (roll < 8 && depth > 0) {
            // Setup stones: the position no longer follows from the moves.
            ++tree_.setupNodes;
            ++tree_.setupSubtreeNodes;
            tree_.sgf += ";AB[" + Point({1 + Roll(19), 1 + Roll(19)}) + "]AW[" + Point({1 + Roll(19), 1 + Roll(19)}) + "]";
            Notes(-1);
            SetupSubtree(depth);
            return;
        }
        std::string childLine;
        int child = 0;
        int played = 0;
        bool passed = false;
        if (roll < 60 && !passUsed) {
            passed = true;
            passUsed = true;
            ++tree_.moveNodes;
            const bool tt = Roll(3) == 0;
            tree_.sgf += std::string(";") + colour + (tt ? "[tt]" : "[]");
            child = Enter(position, kTenuki, line, childLine);
            Play(kTenuki);
            played = 1;
        } else {
            int parent = position;
            std::string parentLine = line;
            // The side that has just moved moves again: the other side's
            // tenuki in between.
            const bool again = roll < 110 && depth > 0 && !passUsed;
            if (again) {
                Play(kTenuki);
                played = 1;
                colour = other;
            }
            TPoint p;
            if (!PickPoint(again ? -1 : parent, p)) {
                // No legal point left: a comment on the position instead.
                if (played) Undo();
                tree_.sgf += ";C[終わり]";
                ++tree_.commentNodes;
                if (commented_.insert(position).second) ++tree_.commentedPositions;
                return;
            }
            if (again) {
                passUsed = true;
                parent = Enter(position, kTenuki, line, parentLine);
            }
            ++tree_.moveNodes;
            tree_.sgf += std::string(";") + colour + "[" + Point(p) + "]";
            child = Enter(parent, p, parentLine, childLine);
            Play(p);
            ++played;
        }
        Notes(child);
        if (depth + 1 < kMaxDepth && budget_ > 0) {
            const int r = Roll(100);
            const int kids = r < 8 ? 0 : r < 68 ? 1 : r < 90 ? 2 : 3;
            Children(child, childLine, depth + 1, kids, passed);
        }
        for (int k = 0; k < played; ++k) Undo();
    }

    std::mt19937 rng_;
    int budget_;
    TJosekiTree tree_;
    TTejun path_;
    TQuietPainter painter_;
    TGoban board_{path_, painter_};
    std::map<std::tuple<int, int, int>, int> trie_;
    std::set<int> commented_;
    std::set<int> marked_;
};

}  // namespace

TJosekiTree GenerateJosekiTree(int targetNodes, unsigned seed) { return TGenerator(targetNodes, seed).Run(); }

}  // namespace vxlo
