#include "dictionary/Check.h"

#include "board/Goban.h"
#include "dictionary/Fjsk.h"
#include "dictionary/Tejun.h"

namespace vxlo {
namespace {

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

// One sibling chain being walked: its records in order, and where we are.
struct TFrame {
    std::vector<std::int64_t> chain;
    std::size_t index = 0;
    bool played = false;  // the move at index is on the board
};

class TChecker {
public:
    explicit TChecker(IRecordStore& store)
        : store_(store), board_(path_, painter_) {}

    TCheckReport Run() {
        report_.records = store_.RecordCount();
        seen_.assign(static_cast<std::size_t>(report_.records), false);
        const int root = TLjsk::RootRecNoOf(store_);
        std::vector<TFrame> stack;
        // The root chain is read as the merge and the export read it: a head
        // that record 0 names past the end is a fault, not an empty
        // dictionary. A lone placeholder (no root role) is an empty one.
        const bool rootRole = report_.records >= 1 && Read(0).Aux == TLjsk::kRootRoleAux;
        if (root > 0 && !Exists(root) && rootRole) {
            Add(TCheckFinding::Kind::LinkPastEnd, 0,
                "the root chain starts at record " + std::to_string(root) + ", past the end of the file");
        } else if (root > 0 && Exists(root)) {
            stack.push_back(ReadChain(root));
        }
        // Depth-first over an explicit stack, so a deep or damaged file cannot
        // overflow the call stack.
        while (!stack.empty()) {
            TFrame& frame = stack.back();
            if (frame.played) {
                UndoMove();
                frame.played = false;
                ++frame.index;
            }
            if (frame.index >= frame.chain.size()) {
                stack.pop_back();
                continue;
            }
            const std::int64_t rec = frame.chain[frame.index];
            const TJskRecord r = Read(rec);
            if (!PlayMove(rec, r)) {
                ++frame.index;
                continue;
            }
            frame.played = true;
            if (r.Next <= 0) {
                // The move itself is the path's last; the one before it led here.
                const int depth = path_.Count();
                if (IsTenuki(r.X, r.Y) && depth >= 2) {
                    const TPoint before = path_.GetMove(depth - 1);
                    if (IsTenuki(before.x, before.y)) {
                        Add(TCheckFinding::Kind::TenukiAfterTenuki, rec,
                            "tenuki right after a tenuki, with nothing below it");
                        report_.findings.back().parent = path_.RecNoAt(depth - 1);
                    }
                }
                continue;
            }
            if (path_.Count() >= kMaxPathMoves) {
                Add(TCheckFinding::Kind::TooDeep, rec, "line longer than 400 moves");
                continue;
            }
            if (!Exists(r.Next)) {
                Add(TCheckFinding::Kind::LinkPastEnd, rec,
                    "Next " + std::to_string(r.Next) + " is past the end of the file");
                continue;
            }
            TFrame child = ReadChain(r.Next);
            stack.push_back(std::move(child));
        }
        for (std::int64_t n = 1; n < report_.records; ++n) {
            if (!seen_[static_cast<std::size_t>(n)]) ++report_.unreachable;
        }
        return report_;
    }

private:
    bool Exists(std::int64_t n) const { return n > 0 && n < report_.records; }
    TJskRecord Read(std::int64_t n) { return DecodeRecord(store_.Read(n)); }

    void Add(TCheckFinding::Kind kind, std::int64_t rec, std::string text) {
        report_.findings.push_back({kind, rec, "record " + std::to_string(rec) + ": " + text});
    }

    // The records of one sibling chain, stopping at the first bad link and
    // at a record already reached.
    TFrame ReadChain(std::int64_t head) {
        TFrame frame;
        std::int64_t rec = head;
        bool pointSeen[20][20] = {};  // [0][0]: tenuki
        while (rec > 0) {
            if (seen_[static_cast<std::size_t>(rec)]) {
                Add(TCheckFinding::Kind::ReachedTwice, rec, "reached twice (a loop or a shared record)");
                break;
            }
            seen_[static_cast<std::size_t>(rec)] = true;
            ++report_.reachable;
            frame.chain.push_back(rec);
            const TJskRecord r = Read(rec);
            if ((r.X >= 1 && r.X <= 19 && r.Y >= 1 && r.Y <= 19) || IsTenuki(r.X, r.Y)) {
                if (pointSeen[r.X][r.Y]) {
                    Add(TCheckFinding::Kind::PointTwice, rec,
                        "point " + Point(r) + " twice in one chain");
                }
                pointSeen[r.X][r.Y] = true;
            }
            if (frame.chain.size() == static_cast<std::size_t>(kLabelCount) + 1) {
                report_.notes.push_back({TCheckFinding::Kind::LongChain, head,
                                         "record " + std::to_string(head) +
                                             ": note: chain of more than 30 alternatives (the old reader sees the first 30)"});
            }
            if (r.More > 0 && !Exists(r.More)) {
                Add(TCheckFinding::Kind::LinkPastEnd, rec,
                    "More " + std::to_string(r.More) + " is past the end of the file");
                break;
            }
            rec = r.More;
        }
        return frame;
    }

    static std::string Point(const TJskRecord& r) {
        if (IsTenuki(r.X, r.Y)) return "tenuki";
        return "(" + std::to_string(r.X) + ", " + std::to_string(r.Y) + ")";
    }

    bool PlayMove(std::int64_t rec, const TJskRecord& r) {
        const bool tenuki = IsTenuki(r.X, r.Y);
        if (!tenuki && (r.X < 1 || r.X > 19 || r.Y < 1 || r.Y > 19)) {
            Add(TCheckFinding::Kind::PointOutside, rec, "point " + Point(r) + " is off the board");
            return false;
        }
        const EMoveResult result = board_.PlayMove(r.X, r.Y);
        if (result != EMoveResult::Ok) {
            const char* why = result == EMoveResult::Occupied ? "occupied"
                              : result == EMoveResult::Suicide ? "suicide"
                                                      : "ko recaptured at once";
            Add(TCheckFinding::Kind::IllegalMove, rec, "move " + Point(r) + " is illegal (" + why + ")");
            return false;
        }
        path_.Push(r.X, r.Y, 0, static_cast<int>(rec), board_);
        return true;
    }

    void UndoMove() {
        const TPoint p = path_.Pop(board_, painter_);
        board_.TakeBack(p.x, p.y);
    }

    IRecordStore& store_;
    TSilentPainter painter_;
    TTejun path_;
    TGoban board_;
    std::vector<bool> seen_;
    TCheckReport report_;
};

}  // namespace

TCheckReport CheckDictionary(IRecordStore& store) { return TChecker(store).Run(); }

std::vector<std::int64_t> RepairTenukiAfterTenuki(IRecordStore& store, const TCheckReport& report) {
    std::vector<std::int64_t> unlinked;
    TWriteBatch batch(store);
    const auto read = [&](std::int64_t n) { return DecodeRecord(store.Read(n)); };
    for (const TCheckFinding& finding : report.findings) {
        if (finding.kind != TCheckFinding::Kind::TenukiAfterTenuki || finding.parent <= 0) continue;
        const TJskRecord gone = read(finding.record);
        TJskRecord parent = read(finding.parent);
        if (parent.Next == finding.record) {
            parent.Next = gone.More;
            store.Write(finding.parent, EncodeRecord(parent));
        } else {
            // The check read this chain whole, so the walk ends at the record.
            std::int64_t n = parent.Next;
            TJskRecord r = read(n);
            while (r.More != finding.record) r = read(n = r.More);
            r.More = gone.More;
            store.Write(n, EncodeRecord(r));
        }
        unlinked.push_back(finding.record);
    }
    batch.Commit();
    return unlinked;
}

}  // namespace vxlo
