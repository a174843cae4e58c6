#pragma once
// The made-up world of the fake engine: the figures it gives every position,
// written from the rules so that the tests can work out what a review must
// say without asking the code under test. Positions are lists of the
// engine's move names from the empty board.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vxlo::fake {

// The moves the fake searches at a position: the first kSearched of this
// list that are not on the board yet.
inline const std::vector<std::string> kSearchOrder = {"Q16", "R16", "Q17", "R17", "P16",
                                                      "Q15", "R15", "P17", "O16", "R14"};
inline constexpr std::size_t kSearched = 4;
// Searched after kSearchOrder, when its moves are played or forbidden: the
// other three corners (D16, D4, Q4, C17, ...), none in the upper right's
// 10x10 square.
inline const std::vector<std::string> kElsewhereOrder = {"D16", "D4", "Q4", "C17", "C3", "R3", "K10", "D10"};

// Black's lead after moves, -5.0 .. 5.0 in tenths at komi 6.5, one point
// less for every point of komi more.
inline double BlackLead(const std::vector<std::string>& moves, double komi) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::string& m : moves) {
        for (const char c : m + ";") h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return static_cast<double>(static_cast<int>(h % 101) - 50) / 10.0 - (komi - 6.5);
}

// Lead and chance of the side to move (true: Black).
inline double SideLead(const std::vector<std::string>& moves, bool blackToMove, double komi) {
    return blackToMove ? BlackLead(moves, komi) : -BlackLead(moves, komi);
}
inline double Chance(double lead) { return 1.0 / (1.0 + std::exp(-lead / 4.0)); }

// avoid: the moves the side to move may not play (a query's avoidMoves).
inline std::vector<std::string> SearchedMoves(const std::vector<std::string>& moves,
                                              const std::vector<std::string>& avoid = {}) {
    std::vector<std::string> out;
    const auto among = [](const std::vector<std::string>& list, const std::string& m) {
        for (const std::string& p : list)
            if (p == m) return true;
        return false;
    };
    for (const auto* order : {&kSearchOrder, &kElsewhereOrder}) {
        for (const std::string& m : *order) {
            if (!among(moves, m) && !among(avoid, m) && out.size() < kSearched) out.push_back(m);
        }
    }
    return out;
}

// Visits the fake gives each searched move of a search of maxVisits.
inline int MoveVisits(int maxVisits) { return maxVisits / static_cast<int>(kSearched) > 0 ? maxVisits / 4 : 1; }

}  // namespace vxlo::fake
