#pragma once
// A generator of SGF joseki trees shaped like the public joseki dictionaries:
// one game tree of variations with passes (B[], W[] and tt) standing for
// tenuki, moves of the side that has just moved where the other side played
// elsewhere, comments, LB labels and TR/SQ/CR/MA marks, and now and then a
// setup node (AB/AW) with a subtree below it. Every move is legal in its
// position. Alongside the text it works out what a merge into an empty
// dictionary must give, so tests can pin the merge's counts exactly and
// vxlo-bench has a realistic input.
#include <set>
#include <string>

namespace vxlo {

struct TJosekiTree {
    std::string sgf;
    int nodes = 0;           // SGF nodes, root included
    int moveNodes = 0;       // nodes with B or W outside setup subtrees (passes included)
    int commentNodes = 0;    // C[] outside setup subtrees
    int markupNodes = 0;     // nodes with markup outside setup subtrees
    int setupNodes = 0;      // setup nodes the merge reaches (its subtree is left out)
    int setupSubtreeNodes = 0;  // nodes at or below them
    // What a merge into an empty dictionary gives: records, of them tenuki,
    // positions with a comment and positions with markup (the first one in
    // the file's order wins where two nodes reach the same position).
    int records = 0;
    int tenukiRecords = 0;
    int commentedPositions = 0;
    int markedPositions = 0;
    // Every line of the resulting tree as "x,y x,y ..." (tenuki 0,0).
    std::set<std::string> lines;
};

// About `targetNodes` nodes, the same tree for the same seed.
TJosekiTree GenerateJosekiTree(int targetNodes, unsigned seed);

}  // namespace vxlo
