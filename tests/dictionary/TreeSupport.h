#pragma once
// Dictionaries grown through the navigation for the tree index tests: lines
// entered as the importers enter them, and the record and path of every
// position as the navigation saw it when it was there (the model the index
// is checked against).
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "board/PositionHash.h"
#include "dictionary/TreeIndex.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {

using TLine = std::vector<TPoint>;

struct TTreeModel {
    std::map<int, TLine> moves;   // record -> moves from the empty board
    std::map<int, int> parent;    // record -> record of the move before
};

// Enters line from the empty board, adding what is missing; returns the
// record of its last move. Every position passed is noted in model.
inline int EnterLine(TNavigation& nav, const TLine& line, TTreeModel* model = nullptr) {
    TOneMoveScope oneMove(nav);
    nav.ResetToRoot();
    TLine sofar;
    int parent = 0;
    for (const TPoint p : line) {
        if (nav.Board().PointState(p.x, p.y) == Empty) {
            if (!nav.Deside(p.x, p.y)) break;  // illegal: the line ends
        }
        const int before = nav.Path().Count();
        nav.Deside(p.x, p.y);
        if (nav.Path().Count() != before + 1) break;
        sofar.push_back(p);
        if (model) {
            model->moves[nav.CurrentRecord()] = sofar;
            model->parent[nav.CurrentRecord()] = parent;
        }
        parent = nav.CurrentRecord();
    }
    return nav.CurrentRecord();
}

inline TLine Transformed(int symmetry, const TLine& line) {
    TLine out;
    for (const TPoint p : line) out.push_back(Transform(symmetry, p));
    return out;
}

// A random corner line: mostly near (1,1)..(10,10), legal or not.
inline TLine RandomLine(std::mt19937& rng, int length) {
    TLine line;
    for (int i = 0; i < length; ++i) {
        line.push_back({1 + static_cast<int>(rng() % 9), 1 + static_cast<int>(rng() % 9)});
    }
    return line;
}

}  // namespace vxlo::testing
