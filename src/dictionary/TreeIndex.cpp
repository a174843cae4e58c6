#include "dictionary/TreeIndex.h"

#include <algorithm>
#include <new>
#include <string>
#include <unordered_map>

#include "core/VxloError.h"
#include "dictionary/Fjsk.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"

namespace vxlo {

namespace {

constexpr std::int64_t kProgressStep = 1 << 12;

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

constexpr const char* kTooLargeText =
    QT_TRANSLATE_NOOP("vxlo", "この定石ファイルの木は大きすぎて、メモリに収まりません");

// Next and More of record n, straight from its bytes.
std::int32_t Link(const TRecordBytes& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}
std::int32_t NextOf(const TRecordBytes& b) { return Link(b, 4); }
std::int32_t MoreOf(const TRecordBytes& b) { return Link(b, 8); }

bool OnBoard(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }

// Records read a page at a time into a bounded number of slots, each page
// in the slot of its number, whatever the store caches: a walk reads each
// page the tree touches about once, and never more of the file than the
// tree touches.
class TPageReader {
public:
    explicit TPageReader(IRecordStore& store) : store_(store), count_(store.RecordCount()), slots_(kSlots) {}
    TRecordBytes At(std::int64_t n) {
        const std::int64_t page = n / kPageRecords;
        TSlot& slot = slots_[static_cast<std::size_t>(page % static_cast<std::int64_t>(kSlots))];
        if (slot.page != page) {
            slot.page = -1;
            const std::int64_t first = page * kPageRecords;
            slot.records.resize(static_cast<std::size_t>(std::min(kPageRecords, count_ - first)));
            store_.ReadRange(first, slot.records);
            slot.page = page;
        }
        return slot.records[static_cast<std::size_t>(n - page * kPageRecords)];
    }

private:
    static constexpr std::int64_t kPageRecords = 1024;
    static constexpr std::size_t kSlots = 2048;  // 24 MiB at most
    struct TSlot {
        std::int64_t page = -1;
        std::vector<TRecordBytes> records;
    };
    IRecordStore& store_;
    std::int64_t count_;
    std::vector<TSlot> slots_;
};

}  // namespace

// The walks of one build. Nodes are kept in the order the first walk reaches
// them, with the first child and next sibling each got, so the replay needs
// no file and no look-up; at the end they are put in record order.
class TTreeIndex::TBuilder {
public:
    TBuilder(TTreeIndex& index, IRecordStore& store, IProgress* progress)
        : index_(index), store_(store), reader_(store), progress_(progress), count_(store.RecordCount()) {}

    // With children, the first child and next sibling of each node are kept
    // for HashPositions.
    void LinkTree(bool children);
    void HashPositions();
    void SortByRecord();

private:
    void AddPosition(const TPositionHash& hash, const TNode& node);

    TTreeIndex& index_;
    IRecordStore& store_;
    TPageReader reader_;
    IProgress* progress_;
    std::int64_t count_;
    std::vector<TNode> walk_;
    std::vector<std::int32_t> firstChild_;
    std::vector<std::int32_t> nextSibling_;
};

TTreeIndex TTreeIndex::Build(IRecordStore& store, IProgress* progress, EContent content) {
    TTreeIndex index;
    index.recordCount_ = store.RecordCount();
    if (index.recordCount_ <= 0) return index;
    try {
        TBuilder builder(index, store, progress);
        builder.LinkTree(content == EContent::LinksAndPositions);
        if (content == EContent::LinksAndPositions) builder.HashPositions();
        builder.SortByRecord();
    } catch (const std::bad_alloc&) {
        throw EFileRefused(kTooLargeText, store.Name());
    }
    return index;
}

// Depth-first over the sibling chains, each record taking the first parent
// that reaches it: a loop or a shared record in a damaged file is walked once.
void TTreeIndex::TBuilder::LinkTree(bool children) {
    auto valid = [&](std::int64_t n) { return n > 0 && n < count_; };
    struct TChain {
        std::int32_t head;
        std::int32_t parent;  // node
        std::int32_t depth;
    };
    TRecordSet& visited = index_.reached_;
    visited = TRecordSet(count_);
    visited.Insert(0);
    // A guess that spares the copies of growing for most dictionaries, and
    // never more than a few MiB for a file that only looks large.
    walk_.reserve(static_cast<std::size_t>(std::min<std::int64_t>(count_, 1 << 20)));
    walk_.push_back({0, -1, 0, 0, 0});
    if (children) {
        firstChild_.push_back(-1);
        nextSibling_.push_back(-1);
    }
    std::vector<TChain> stack;
    std::int64_t done = 0;
    // Record 0's bytes decide where the root chain starts (its root role), by
    // the dictionary's own rule.
    const int root = TLjsk::RootRecNoOf(store_);
    if (valid(root)) stack.push_back({root, 0, 1});
    while (!stack.empty()) {
        const TChain chain = stack.back();
        stack.pop_back();
        std::int32_t previous = -1;
        for (std::int32_t rec = chain.head; valid(rec) && visited.Insert(rec);) {
            const TRecordBytes bytes = reader_.At(rec);
            const auto node = static_cast<std::int32_t>(walk_.size());
            walk_.push_back({rec, chain.parent, chain.depth, bytes[0], bytes[1]});
            if (children) {
                firstChild_.push_back(-1);
                nextSibling_.push_back(-1);
                (previous < 0 ? firstChild_[static_cast<std::size_t>(chain.parent)]
                              : nextSibling_[static_cast<std::size_t>(previous)]) = node;
            }
            previous = node;
            // Two walks: the first reports the first half of the work.
            if (++done % kProgressStep == 0 && StopAsked(progress_, done, 2 * count_)) throw ECancelled();
            const std::int32_t next = NextOf(bytes);
            if (valid(next)) stack.push_back({next, node, chain.depth + 1});
            rec = MoreOf(bytes);
        }
    }
}

// Replays every line on one board, depth first, keeping the hash of each
// position reached. A move the window could not play (off the board,
// illegal, past the move path's length) ends its line here as there.
void TTreeIndex::TBuilder::HashPositions() {
    TSilentPainter painter;
    TTejun path;
    TGoban board(path, painter);
    AddPosition(TPositionHash{}, walk_[0]);
    struct TFrame {
        std::int32_t node;
        TPositionHash before;
        bool played = false;
    };
    std::vector<TFrame> stack;
    if (firstChild_[0] >= 0) stack.push_back({firstChild_[0], TPositionHash{}});
    std::int64_t done = 0;
    while (!stack.empty()) {
        TFrame& frame = stack.back();
        if (frame.played) {
            const TPoint p = path.Pop(board, painter);
            board.TakeBack(p.x, p.y);
            frame.played = false;
            frame.node = nextSibling_[static_cast<std::size_t>(frame.node)];
        }
        if (frame.node < 0) {
            stack.pop_back();
            continue;
        }
        const TNode& node = walk_[static_cast<std::size_t>(frame.node)];
        if (++done % kProgressStep == 0 && StopAsked(progress_, count_ + done, 2 * count_)) throw ECancelled();
        const int side = board.GetTurn();
        // A tenuki only passes the turn: the same stones, the other side to move.
        const bool tenuki = IsTenuki(node.x, node.y);
        if (!(tenuki || OnBoard(node.x, node.y)) || path.Count() >= kMaxPathMoves ||
            board.PlayMove(node.x, node.y) != EMoveResult::Ok) {
            frame.node = nextSibling_[static_cast<std::size_t>(frame.node)];
            continue;
        }
        path.Push(node.x, node.y, 0, node.record, board);
        frame.played = true;
        TPositionHash hash = frame.before;
        if (!tenuki) hash.Toggle(side, node.x, node.y);
        for (int k = 1; k <= board.CapturedCount(); ++k) {
            const TPoint c = board.Captured(k);
            hash.Toggle(side == Black ? White : Black, c.x, c.y);
        }
        hash.SetWhiteToMove(board.GetTurn() == White);
        AddPosition(hash, node);
        const std::int32_t child = firstChild_[static_cast<std::size_t>(frame.node)];
        // frame is invalidated by the push.
        if (child >= 0) stack.push_back({child, hash});
    }
    auto byKey = [](const TEntry& a, const TEntry& b) {
        return a.key != b.key ? a.key < b.key : a.record < b.record;
    };
    std::sort(index_.positions_.begin(), index_.positions_.end(), byKey);
    std::sort(index_.stones_.begin(), index_.stones_.end(), byKey);
}

void TTreeIndex::TBuilder::AddPosition(const TPositionHash& hash, const TNode& node) {
    index_.positions_.push_back({hash.Canonical(), hash.Exact(), node.record, node.depth});
    index_.stones_.push_back({hash.StonesCanonical(), hash.StonesVariant(0, false), node.record, node.depth});
}

// The nodes in record order for the look-ups, each at the rank of its
// record, their parents renumbered.
void TTreeIndex::TBuilder::SortByRecord() {
    std::vector<std::int32_t>().swap(firstChild_);
    std::vector<std::int32_t>().swap(nextSibling_);
    TRecordSet& reached = index_.reached_;
    reached.Complete();
    std::vector<std::int32_t> place(walk_.size());
    for (std::size_t i = 0; i < walk_.size(); ++i) place[i] = static_cast<std::int32_t>(reached.Rank(walk_[i].record));
    std::vector<TNode>& nodes = index_.nodes_;
    nodes.resize(walk_.size());
    for (std::size_t i = 0; i < walk_.size(); ++i) {
        TNode& node = nodes[static_cast<std::size_t>(place[i])];
        node = walk_[i];
        if (node.parent >= 0) node.parent = place[static_cast<std::size_t>(node.parent)];
    }
}

const TTreeIndex::TNode* TTreeIndex::Find(std::int64_t record) const {
    return reached_.Contains(record) ? &nodes_[static_cast<std::size_t>(reached_.Rank(record))] : nullptr;
}

const TTreeIndex::TNode& TTreeIndex::ParentOf(const TNode& node) const {
    return nodes_[static_cast<std::size_t>(node.parent)];
}

bool TTreeIndex::Reachable(std::int64_t record) const { return Find(record) != nullptr; }

int TTreeIndex::Parent(std::int64_t record) const {
    const TNode* node = Find(record);
    return node && node->parent >= 0 ? ParentOf(*node).record : -1;
}

int TTreeIndex::Depth(std::int64_t record) const {
    const TNode* node = Find(record);
    return node ? node->depth : -1;
}

TPoint TTreeIndex::MoveOf(std::int64_t record) const {
    const TNode* node = Find(record);
    if (!node || record == 0) return {};
    return {node->x, node->y};
}

const TTreeIndex::TNode& TTreeIndex::Reached(std::int64_t record) const {
    const TNode* node = Find(record);
    if (!node) {
        throw EVxloError(record >= 0 && record < RecordCount()
                             ? "record " + std::to_string(record) + " is not reached from the root"
                             : "record " + std::to_string(record) + " is not in the dictionary");
    }
    return *node;
}

std::vector<int> TTreeIndex::PathTo(std::int64_t record) const {
    const TNode* node = &Reached(record);
    std::vector<int> path(static_cast<std::size_t>(node->depth));
    for (std::size_t i = path.size(); i > 0; --i) {
        path[i - 1] = node->record;
        if (i > 1) node = &ParentOf(*node);
    }
    return path;
}

std::vector<TPoint> TTreeIndex::MovesTo(std::int64_t record) const {
    const TNode* node = &Reached(record);
    std::vector<TPoint> moves(static_cast<std::size_t>(node->depth));
    for (std::size_t i = moves.size(); i > 0; --i) {
        moves[i - 1] = {node->x, node->y};
        if (i > 1) node = &ParentOf(*node);
    }
    return moves;
}

std::vector<TPositionMatch> TTreeIndex::Matches(
    const std::vector<TEntry>& entries, std::uint64_t key,
    const std::function<std::uint64_t(int, bool)>& variant) const {
    std::vector<std::pair<TPositionMatch, std::int32_t>> found;  // with the depth
    auto first = std::lower_bound(entries.begin(), entries.end(), key,
                                  [](const TEntry& e, std::uint64_t k) { return e.key < k; });
    for (auto it = first; it != entries.end() && it->key == key; ++it) {
        // The first image that gives the record's own position names the
        // symmetry; identity first, so a symmetric shape counts as exact.
        for (int c = 0; c < 2; ++c) {
            bool named = false;
            for (int s = 0; s < kSymmetries && !named; ++s) {
                if (variant(s, c == 1) == it->exact) {
                    found.push_back({{it->record, s, c == 1}, it->depth});
                    named = true;
                }
            }
            if (named) break;
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.Exact() != b.first.Exact()) return a.first.Exact();
        if (a.second != b.second) return a.second < b.second;
        return a.first.record < b.first.record;
    });
    std::vector<TPositionMatch> matches;
    matches.reserve(found.size());
    for (const auto& [match, depth] : found) matches.push_back(match);
    return matches;
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
