#pragma once
// Games as collections play joseki: a few lines of the upper-right corner
// placed in distinct corners and orientations, their moves interleaved so
// that tenuki falls between them, a pass now and then. For the tests'
// independent models of the corner import.
#include <algorithm>
#include <random>
#include <vector>

#include "board/Goban.h"

namespace vxlo::testing {

struct TColouredMove {
    int color;
    TPoint point;  // {0, 0}: a pass
};

// minPlaced + random() % placedChoices lines; Black moves first unless
// random() % blackOdds is 0; a move is a pass when random() % passOdds is 0.
inline std::vector<TColouredMove> InterleavedCorners(std::mt19937& random, const std::vector<std::vector<TPoint>>& lines,
                                                     int minPlaced, int placedChoices, int blackOdds, int passOdds) {
    int corners[4] = {0, 1, 2, 3};
    std::shuffle(std::begin(corners), std::end(corners), random);
    std::vector<std::vector<TPoint>> queues;
    for (int k = 0, placed = minPlaced + static_cast<int>(random() % placedChoices); k < placed; ++k) {
        std::vector<TPoint> q = lines[random() % lines.size()];
        const bool flip = random() % 2;
        for (TPoint& p : q) {
            if (flip) p = {20 - p.y, 20 - p.x};
            if (!(corners[k] & 1)) p.x = 20 - p.x;
            if (corners[k] & 2) p.y = 20 - p.y;
        }
        queues.push_back(q);
    }
    std::vector<TColouredMove> moves;
    int color = random() % blackOdds ? Black : White;
    std::vector<std::size_t> next(queues.size(), 0);
    for (;;) {
        std::vector<std::size_t> open;
        for (std::size_t k = 0; k < queues.size(); ++k)
            if (next[k] < queues[k].size()) open.push_back(k);
        if (open.empty()) break;
        TPoint p{0, 0};
        if (random() % passOdds != 0) {
            const std::size_t k = open[random() % open.size()];
            p = queues[k][next[k]++];
        }
        moves.push_back({color, p});
        color = color == Black ? White : Black;
    }
    return moves;
}

}  // namespace vxlo::testing
