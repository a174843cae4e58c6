#include "dictionary/TreeIndex.h"

#include <algorithm>
#include <string>

#include "core/VxloError.h"
#include "dictionary/Fjsk.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"

namespace vxlo {

namespace {

constexpr std::int64_t kProgressStep = 1 << 16;

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

// Next and More of record n, straight from its bytes.
std::int32_t Link(const TRecordBytes& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}
std::int32_t NextOf(const TRecordBytes& b) { return Link(b, 4); }
std::int32_t MoreOf(const TRecordBytes& b) { return Link(b, 8); }

// Record 0's bytes decide where the root chain starts (its root role), by the
// dictionary's own rule.
int RootOf(const std::vector<TRecordBytes>& records) {
    TMemoryRecordStore zero;
    zero.Write(0, records[0]);
    return TLjsk::RootRecNoOf(zero);
}

bool OnBoard(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }

}  // namespace

TTreeIndex TTreeIndex::Build(IRecordStore& store, const TProgress& progress, EContent content) {
    TTreeIndex index;
    const std::int64_t count = store.RecordCount();
    if (count <= 0) return index;
    // 12 bytes a record: a million-record file is read in one go.
    std::vector<TRecordBytes> records(static_cast<std::size_t>(count));
    store.ReadRange(0, records);
    index.LinkTree(records, progress);
    if (content == EContent::LinksAndPositions) index.HashPositions(records, progress);
    return index;
}

// Depth-first over the sibling chains, each record taking the first parent
// that reaches it: a loop or a shared record in a damaged file is walked once.
void TTreeIndex::LinkTree(const std::vector<TRecordBytes>& records, const TProgress& progress) {
    const std::size_t count = records.size();
    parent_.assign(count, -1);
    depth_.assign(count, -1);
    x_.assign(count, 0);
    y_.assign(count, 0);
    depth_[0] = 0;
    auto valid = [&](std::int64_t n) { return n > 0 && n < static_cast<std::int64_t>(count); };
    struct TChain {
        std::int32_t head;
        std::int32_t parent;
        std::int32_t depth;
    };
    std::vector<TChain> stack;
    std::int64_t done = 0;
    const int root = RootOf(records);
    if (valid(root)) stack.push_back({root, 0, 1});
    while (!stack.empty()) {
        const TChain chain = stack.back();
        stack.pop_back();
        for (std::int32_t rec = chain.head; valid(rec) && depth_[static_cast<std::size_t>(rec)] < 0;) {
            const auto at = static_cast<std::size_t>(rec);
            parent_[at] = chain.parent;
            depth_[at] = chain.depth;
            x_[at] = records[at][0];
            y_[at] = records[at][1];
            // Two walks: the first reports the first half of the work.
            if (progress && ++done % kProgressStep == 0) progress(done, 2 * static_cast<std::int64_t>(count));
            const std::int32_t next = NextOf(records[at]);
            if (valid(next)) stack.push_back({next, rec, chain.depth + 1});
            rec = MoreOf(records[at]);
        }
    }
}

// Replays every line on one board, depth first, keeping the hash of each
// position reached. A move the window could not play (off the board,
// illegal, past the move path's length) ends its line here as there.
void TTreeIndex::HashPositions(const std::vector<TRecordBytes>& records, const TProgress& progress) {
    TSilentPainter painter;
    TTejun path;
    TGoban board(path, painter);
    positions_.clear();
    stones_.clear();
    AddPosition(TPositionHash{}, 0);
    const auto count = static_cast<std::int64_t>(records.size());
    // A record belongs to the line walked here only if the first walk gave
    // it this parent, and it is walked once: a loop in a chain ends there.
    std::vector<bool> walked(records.size(), false);
    auto childOf = [&](std::int64_t n, std::int32_t parent) {
        const auto at = static_cast<std::size_t>(n);
        return n > 0 && n < count && parent_[at] == parent && !walked[at];
    };
    struct TFrame {
        std::int32_t rec;
        std::int32_t parent;
        TPositionHash before;
        bool played = false;
    };
    std::vector<TFrame> stack;
    const int root = RootOf(records);
    if (childOf(root, 0)) stack.push_back({root, 0, TPositionHash{}});
    std::int64_t done = 0;
    while (!stack.empty()) {
        TFrame& frame = stack.back();
        if (frame.played) {
            const TPoint p = path.Pop(board, painter);
            board.TakeBack(p.x, p.y);
            frame.played = false;
            const std::int32_t more = MoreOf(records[static_cast<std::size_t>(frame.rec)]);
            frame.rec = childOf(more, frame.parent) ? more : 0;
        }
        if (frame.rec == 0) {
            stack.pop_back();
            continue;
        }
        const auto at = static_cast<std::size_t>(frame.rec);
        walked[at] = true;
        const int x = records[at][0];
        const int y = records[at][1];
        if (progress && ++done % kProgressStep == 0) progress(count + done, 2 * count);
        const int side = board.GetTurn();
        // A tenuki only passes the turn: the same stones, the other side to move.
        const bool tenuki = IsTenuki(x, y);
        if (!(tenuki || OnBoard(x, y)) || path.Count() >= kMaxPathMoves || board.PlayMove(x, y) != EMoveResult::Ok) {
            const std::int32_t more = MoreOf(records[at]);
            frame.rec = childOf(more, frame.parent) ? more : 0;
            continue;
        }
        path.Push(x, y, 0, frame.rec, board);
        frame.played = true;
        TPositionHash hash = frame.before;
        if (!tenuki) hash.Toggle(side, x, y);
        for (int k = 1; k <= board.CapturedCount(); ++k) {
            const TPoint c = board.Captured(k);
            hash.Toggle(side == Black ? White : Black, c.x, c.y);
        }
        hash.SetWhiteToMove(board.GetTurn() == White);
        AddPosition(hash, frame.rec);
        const std::int32_t next = NextOf(records[at]);
        const std::int32_t self = frame.rec;
        // frame is invalidated by the push.
        if (childOf(next, self)) stack.push_back({next, self, hash});
    }
    auto byKey = [](const TEntry& a, const TEntry& b) {
        return a.key != b.key ? a.key < b.key : a.record < b.record;
    };
    std::sort(positions_.begin(), positions_.end(), byKey);
    std::sort(stones_.begin(), stones_.end(), byKey);
}

void TTreeIndex::AddPosition(const TPositionHash& hash, int record) {
    positions_.push_back({hash.Canonical(), hash.Exact(), record});
    stones_.push_back({hash.StonesCanonical(), hash.StonesVariant(0, false), record});
}

bool TTreeIndex::Reachable(std::int64_t record) const {
    return record >= 0 && record < RecordCount() && depth_[static_cast<std::size_t>(record)] >= 0;
}

int TTreeIndex::Parent(std::int64_t record) const {
    return Reachable(record) && record > 0 ? parent_[static_cast<std::size_t>(record)] : -1;
}

int TTreeIndex::Depth(std::int64_t record) const {
    return Reachable(record) ? depth_[static_cast<std::size_t>(record)] : -1;
}

TPoint TTreeIndex::MoveOf(std::int64_t record) const {
    if (!Reachable(record) || record == 0) return {};
    const auto at = static_cast<std::size_t>(record);
    return {x_[at], y_[at]};
}

std::vector<int> TTreeIndex::PathTo(std::int64_t record) const {
    if (!Reachable(record)) {
        throw EVxloError(record >= 0 && record < RecordCount()
                             ? "record " + std::to_string(record) + " is not reached from the root"
                             : "record " + std::to_string(record) + " is not in the dictionary");
    }
    std::vector<int> path(static_cast<std::size_t>(Depth(record)));
    auto rec = static_cast<int>(record);
    for (std::size_t i = path.size(); i > 0; --i) {
        path[i - 1] = rec;
        rec = parent_[static_cast<std::size_t>(rec)];
    }
    return path;
}

std::vector<TPoint> TTreeIndex::MovesTo(std::int64_t record) const {
    std::vector<TPoint> moves;
    for (const int rec : PathTo(record)) moves.push_back(MoveOf(rec));
    return moves;
}

std::vector<TPositionMatch> TTreeIndex::Matches(
    const std::vector<TEntry>& entries, std::uint64_t key,
    const std::function<std::uint64_t(int, bool)>& variant) const {
    std::vector<TPositionMatch> found;
    auto first = std::lower_bound(entries.begin(), entries.end(), key,
                                  [](const TEntry& e, std::uint64_t k) { return e.key < k; });
    for (auto it = first; it != entries.end() && it->key == key; ++it) {
        // The first image that gives the record's own position names the
        // symmetry; identity first, so a symmetric shape counts as exact.
        for (int c = 0; c < 2; ++c) {
            bool named = false;
            for (int s = 0; s < kSymmetries && !named; ++s) {
                if (variant(s, c == 1) == it->exact) {
                    found.push_back({it->record, s, c == 1});
                    named = true;
                }
            }
            if (named) break;
        }
    }
    std::sort(found.begin(), found.end(), [this](const TPositionMatch& a, const TPositionMatch& b) {
        if (a.Exact() != b.Exact()) return a.Exact();
        if (Depth(a.record) != Depth(b.record)) return Depth(a.record) < Depth(b.record);
        return a.record < b.record;
    });
    return found;
}

std::vector<TPositionMatch> TTreeIndex::FindPosition(const TPositionHash& position) const {
    return Matches(positions_, position.Canonical(),
                   [&](int s, bool c) { return position.Variant(s, c); });
}

std::vector<TPositionMatch> TTreeIndex::FindStones(const TPositionHash& stones) const {
    return Matches(stones_, stones.StonesCanonical(),
                   [&](int s, bool c) { return stones.StonesVariant(s, c); });
}

TPositionHash PositionAfter(const std::vector<TPoint>& moves) {
    TSilentPainter painter;
    TTejun path;
    TGoban board(path, painter);
    int n = 0;
    for (const TPoint p : moves) {
        ++n;
        auto refuse = [&](const std::string& why) {
            throw EVxloError("move " + std::to_string(n) + " (" + FormatMove(p) + "): " + why);
        };
        if (!IsTenuki(p.x, p.y) && !OnBoard(p.x, p.y)) refuse("off the board");
        if (n > kMaxPathMoves) refuse("past the longest line");
        if (board.PlayMove(p.x, p.y) != EMoveResult::Ok) refuse("illegal here");
        path.Push(p.x, p.y, 0, 0, board);
    }
    return TPositionHash::Of(board);
}

}  // namespace vxlo
