#pragma once
// What a review through the fake engine must say, worked out from the fake's
// rules (FakeEngineModel.h) and the review's, without the code under test.
#include <algorithm>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "engine/FakeEngineModel.h"

namespace vxlo::testing {

// The test's own names of points, from the rules: letters without I, rows
// from the bottom.
inline std::string Name(TPoint p) {
    if (p.x == 0 && p.y == 0) return "pass";
    return std::string(1, "ABCDEFGHJKLMNOPQRST"[p.x - 1]) + std::to_string(20 - p.y);
}

inline std::vector<std::string> Names(const std::vector<TPoint>& line) {
    std::vector<std::string> out;
    for (const TPoint p : line) out.push_back(Name(p));
    return out;
}

struct TExpectedFigure {
    double loss = 0;
    int visits = 0;
    bool followUp = false;
};

struct TExpected {
    double lead = 0;
    double winrate = 0;
    std::string best;
    std::vector<TExpectedFigure> candidates;
    std::vector<std::string> missing;
};

// The 10x10 square of a corner, by the engine's names: columns from the
// left, rows from the bottom.
struct TSquare {
    bool right = true;
    bool top = true;
    bool Holds(const std::string& m) const {
        if (m == "pass") return false;
        const int column = static_cast<int>(std::string("ABCDEFGHJKLMNOPQRST").find(m[0])) + 1;
        const int row = std::stoi(m.substr(1));
        return (right ? column >= 10 : column <= 10) && (top ? row >= 10 : row <= 10);
    }
    std::vector<std::string> Points() const {
        std::vector<std::string> out;
        for (int column = 1; column <= 19; ++column) {
            for (int row = 1; row <= 19; ++row) {
                const std::string m = Name({column, 20 - row});
                if (Holds(m)) out.push_back(m);
            }
        }
        return out;
    }
};

// The square with most of the line's stones; the upper right on a tie, then
// upper left, lower left, lower right.
inline TSquare SquareOf(const std::vector<std::string>& moves) {
    const TSquare order[] = {{true, true}, {false, true}, {false, false}, {true, false}};
    TSquare best = order[0];
    long most = -1;
    for (const TSquare& q : order) {
        const long n = std::count_if(moves.begin(), moves.end(), [&](const std::string& m) { return q.Holds(m); });
        if (n > most) best = q, most = n;
    }
    return best;
}

// What the fake's world says of a position that has no mirror symmetry. A
// tenuki is worth the best move outside the square, asked again with the
// square forbidden when the first answer has none; no loss is below 0.
inline TExpected Expect(const std::vector<TPoint>& line, const std::vector<TPoint>& candidates, int visits) {
    const std::vector<std::string> moves = Names(line);
    const bool black = line.size() % 2 == 0;
    TExpected e;
    e.lead = fake::SideLead(moves, black, 6.5);
    e.winrate = fake::Chance(e.lead);
    const auto leadAfter = [&](const std::string& m) {
        std::vector<std::string> after = moves;
        after.push_back(m);
        return -fake::SideLead(after, !black, 6.5);
    };
    const auto byLead = [&](std::vector<std::string> list) {
        std::stable_sort(list.begin(), list.end(),
                         [&](const std::string& a, const std::string& b) { return leadAfter(a) > leadAfter(b); });
        return list;
    };
    const std::vector<std::string> searched = byLead(fake::SearchedMoves(moves));
    e.best = searched.front();
    const double best = leadAfter(e.best);
    const auto lost = [&](double lead) { return std::max(0.0, best - lead); };
    const TSquare square = SquareOf(moves);
    bool tenukiListed = false;
    for (const TPoint c : candidates) {
        if (Name(c) == "pass") {
            tenukiListed = true;
            std::vector<std::string> elsewhere;
            for (const std::string& m : searched)
                if (!square.Holds(m)) elsewhere.push_back(m);
            const bool followUp = elsewhere.empty();
            if (followUp) elsewhere = byLead(fake::SearchedMoves(moves, square.Points()));
            e.candidates.push_back({lost(leadAfter(elsewhere.front())), fake::MoveVisits(visits), followUp});
            continue;
        }
        const bool wasSearched = std::find(searched.begin(), searched.end(), Name(c)) != searched.end();
        e.candidates.push_back({lost(leadAfter(Name(c))), wasSearched ? fake::MoveVisits(visits) : visits, !wasSearched});
    }
    for (const std::string& m : searched) {
        const bool isCandidate = std::any_of(candidates.begin(), candidates.end(), [&](TPoint c) { return Name(c) == m; });
        if (tenukiListed && !square.Holds(m)) continue;
        if (!isCandidate && e.missing.size() < 3) e.missing.push_back(m);
    }
    return e;
}

}  // namespace vxlo::testing
