#pragma once
// TTreeIndex: where each record sits in the dictionary tree. Links in the
// file only point forward (Next, More), so the parent and depth of every
// record reached from the root are found by one walk from the root; a second
// walk replays the moves on a board and keeps a hash of every position, for
// finding the same position reached by other paths. Only the records the
// root reaches are read and kept: a huge file holding a small tree (a sparse
// or damaged one) costs what the tree costs.
#include <cstdint>
#include <functional>
#include <vector>

#include "board/Goban.h"
#include "board/PositionHash.h"
#include "core/Progress.h"
#include "dictionary/RecordFile.h"
#include "dictionary/RecordSet.h"

namespace vxlo {

// A record whose position is an image of the one asked for: after symmetry
// `symmetry` and, if coloursExchanged, with the colours exchanged, the
// position asked for is the record's position.
struct TPositionMatch {
    int record = 0;
    int symmetry = 0;
    bool coloursExchanged = false;
    bool Exact() const { return symmetry == 0 && !coloursExchanged; }
    friend bool operator==(const TPositionMatch&, const TPositionMatch&) = default;
};

class TTreeIndex {
public:
    // What a build walks: the links alone (paths, a fraction of the time) or
    // the positions too (a replay of every line).
    enum class EContent { Links, LinksAndPositions };

    TTreeIndex() = default;
    // Walks the tree of store from its root. File errors propagate; a tree
    // too large for the memory raises EFileRefused naming the store.
    // progress is told now and then of the work done (two walks of the
    // file's records); a stop asked there ends the build with ECancelled:
    // half an index would find half the positions.
    static TTreeIndex Build(IRecordStore& store, IProgress* progress = nullptr,
                            EContent content = EContent::LinksAndPositions);

    // Records in the file, reached or not.
    std::int64_t RecordCount() const { return recordCount_; }
    // Records the root reaches (record 0 included), each once.
    std::size_t ReachedCount() const { return nodes_.size(); }
    // Record 0 stands for the empty board and is always reachable in a
    // non-empty file.
    bool Reachable(std::int64_t record) const;
    // The record of the move before (0 on the root chain); -1 when unreachable.
    int Parent(std::int64_t record) const;
    // Moves from the empty board (record 0: 0); -1 when unreachable.
    int Depth(std::int64_t record) const;

    // The records of the moves from the empty board to record, record last.
    // EVxloError naming the record when it is unreachable or not in the file.
    std::vector<int> PathTo(std::int64_t record) const;
    std::vector<TPoint> MovesTo(std::int64_t record) const;
    TPoint MoveOf(std::int64_t record) const;

    // Every record whose position (stones and side to move) is an image of
    // position, exact ones first, then by depth and record number.
    std::vector<TPositionMatch> FindPosition(const TPositionHash& position) const;
    // Every record whose stones alone are an image of stones (side to move
    // not compared), in the same order.
    std::vector<TPositionMatch> FindStones(const TPositionHash& stones) const;
    // Positions hashed: the replayable records (legal moves, not below a
    // tenuki while the board cannot play one) and the empty board; none in
    // an index of the links alone.
    std::size_t PositionCount() const { return positions_.size(); }

private:
    // A record the root reaches.
    struct TNode {
        std::int32_t record = 0;
        std::int32_t parent = -1;  // the node of the move before; -1 for record 0
        std::int32_t depth = 0;
        std::uint8_t x = 0;
        std::uint8_t y = 0;
    };
    struct TEntry {
        std::uint64_t key = 0;     // the canonical hash the vector is sorted by
        std::uint64_t exact = 0;   // the position as it is
        std::int32_t record = 0;
        std::int32_t depth = 0;
    };
    class TBuilder;

    // nullptr when the root does not reach record.
    const TNode* Find(std::int64_t record) const;
    const TNode& ParentOf(const TNode& node) const;
    // The node of record; EVxloError naming it when the root does not reach it.
    const TNode& Reached(std::int64_t record) const;
    std::vector<TPositionMatch> Matches(const std::vector<TEntry>& entries, std::uint64_t key,
                                        const std::function<std::uint64_t(int, bool)>& variant) const;

    std::int64_t recordCount_ = 0;
    TRecordSet reached_;
    std::vector<TNode> nodes_;  // by record: node k is of the record of rank k in reached_
    std::vector<TEntry> positions_;  // by full position
    std::vector<TEntry> stones_;     // by stones alone
};

// The position after moves played from the empty board. EVxloError naming
// the move (by its number) that is illegal or cannot be played.
TPositionHash PositionAfter(const std::vector<TPoint>& moves);

}  // namespace vxlo
