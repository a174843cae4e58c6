#include "practice/PracticeTree.h"

#include <algorithm>
#include <set>

#include "board/Goban.h"
#include "dictionary/Fjsk.h"
#include "dictionary/Tejun.h"
#include "practice/PracticeStore.h"

namespace vxlo {

std::vector<TPracticeMove> TStorePracticeTree::Continuations(int rec) const {
    std::vector<TPracticeMove> moves;
    const std::int64_t count = store_.RecordCount();
    if (rec < 0 || rec >= count) return moves;
    int n = rec == 0 ? TLjsk::RootRecNoOf(store_) : DecodeRecord(store_.Read(rec)).Next;
    while (n > 0 && n < count && static_cast<int>(moves.size()) < kCandidateSlots) {
        const TJskRecord r = DecodeRecord(store_.Read(n));
        moves.push_back({n, r.X, r.Y, r.Color, static_cast<int>(moves.size())});
        n = r.More;
    }
    return moves;
}

int OtherColor(int color) { return color == Black ? White : Black; }

namespace {

bool HasCorrect(const std::vector<TPracticeMove>& moves, const TPracticeSettings& settings) {
    return std::any_of(moves.begin(), moves.end(),
                       [&](const TPracticeMove& m) { return settings.CountsAsCorrect(m.color); });
}

// Depth-first over the positions below a start, with an explicit stack so a
// deep tree cannot exhaust the call stack. visit returns false to stop.
template <class Visit>
void Walk(const IPracticeTree& tree, int startRec, int startColor, Visit visit) {
    struct TNode { int rec; int color; int depth; };
    std::vector<TNode> stack{{startRec, startColor, 0}};
    std::set<int> seen{startRec};
    while (!stack.empty()) {
        const TNode node = stack.back();
        stack.pop_back();
        const std::vector<TPracticeMove> moves = tree.Continuations(node.rec);
        if (moves.empty()) continue;
        if (!visit(node.rec, node.color, moves)) return;
        if (node.depth >= kMaxPathMoves) continue;
        for (auto m = moves.rbegin(); m != moves.rend(); ++m) {
            if (!seen.insert(m->rec).second) continue;
            stack.push_back({m->rec, OtherColor(node.color), node.depth + 1});
        }
    }
}

}  // namespace

TPositionCounts CountPositions(const IPracticeTree& tree, const IPracticeCards& cards,
                               const TPracticeSettings& settings, const TPracticeScope& scope,
                               int today) {
    TPositionCounts counts;
    Walk(tree, scope.startRec, scope.startColor,
         [&](int rec, int color, const std::vector<TPracticeMove>& moves) {
             if (color != scope.userColor || !HasCorrect(moves, settings)) return true;
             const std::optional<TPracticeCard> card = cards.Find(rec);
             ++counts.total;
             if (IsDue(card, today)) ++counts.due;
             if (card) {
                 ++counts.practised;
                 counts.lapses += card->lapses;
             }
             return true;
         });
    return counts;
}

bool HasDuePosition(const IPracticeTree& tree, const IPracticeCards& cards,
                    const TPracticeSettings& settings, int rec, int color, int userColor,
                    int today) {
    bool found = false;
    Walk(tree, rec, color, [&](int at, int side, const std::vector<TPracticeMove>& moves) {
        found = side == userColor && HasCorrect(moves, settings) && IsDue(cards.Find(at), today);
        return !found;
    });
    return found;
}

}  // namespace vxlo
