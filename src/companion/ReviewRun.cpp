#include "companion/ReviewRun.h"

#include <algorithm>
#include <ctime>
#include <deque>
#include <filesystem>
#include <set>

#include "core/VxloError.h"
#include "dictionary/Fjsk.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"

namespace vxlo {

namespace {

constexpr const char* kUnknownMoveText = QT_TRANSLATE_NOOP("vxlo", "辞書にない手です：%1");
// As many as the client keeps in flight: one store transaction per batch.
constexpr std::size_t kPositionsPerStep = 8;

struct TChild {
    int rec;
    TPoint move;
};

// A link past the end of the file ends the list there (check reports it).
std::vector<TChild> Children(IRecordStore& dictionary, int rec) {
    std::vector<TChild> out;
    const std::int64_t count = dictionary.RecordCount();
    if (rec < 0 || rec >= count) return out;
    int n = rec == 0 ? TLjsk::RootRecNoOf(dictionary) : DecodeRecord(dictionary.Read(rec)).Next;
    while (n > 0 && n < count && static_cast<int>(out.size()) < kCandidateSlots) {
        const TJskRecord r = DecodeRecord(dictionary.Read(n));
        out.push_back({n, {r.X, r.Y}});
        n = r.More;
    }
    return out;
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

int FindLine(IRecordStore& dictionary, const std::vector<TPoint>& line) {
    int rec = 0;
    for (const TPoint move : line) {
        const std::vector<TChild> children = Children(dictionary, rec);
        const auto found = std::find_if(children.begin(), children.end(), [&](const TChild& c) { return c.move == move; });
        if (found == children.end())
            throw EFileRefused(TMessage(kUnknownMoveText).Arg(FormatMove(move)), dictionary.Name());
        rec = found->rec;
    }
    return rec;
}

std::vector<TReviewPosition> PositionsBelow(IRecordStore& dictionary, int rec, const std::vector<TPoint>& line,
                                            int depth) {
    struct TNode {
        int rec;
        std::vector<TPoint> line;
        int depth;
    };
    std::vector<TReviewPosition> out;
    std::deque<TNode> queue{{rec, line, 0}};
    std::set<int> seen{rec};
    while (!queue.empty()) {
        TNode node = std::move(queue.front());
        queue.pop_front();
        const std::vector<TChild> children = Children(dictionary, node.rec);
        TReviewPosition position{node.rec, node.line, {}, {}};
        for (const TChild& c : children) {
            position.candidates.push_back(c.move);
            position.candidateRecs.push_back(c.rec);
        }
        out.push_back(position);
        if (node.depth >= depth || static_cast<int>(node.line.size()) >= kMaxPathMoves) continue;
        for (const TChild& c : children) {
            if (!seen.insert(c.rec).second) continue;  // a damaged file's loop
            std::vector<TPoint> after = node.line;
            after.push_back(c.move);
            queue.push_back({c.rec, std::move(after), node.depth + 1});
        }
    }
    return out;
}

bool ReviewedEnough(const std::optional<TStoredReview>& stored, const TReviewPosition& position, int visits) {
    if (!stored || stored->visits < visits) return false;
    return std::all_of(position.candidates.begin(), position.candidates.end(), [&](TPoint c) {
        return std::any_of(stored->candidates.begin(), stored->candidates.end(),
                           [&](const TStoredMoveFigure& f) { return f.move == c; });
    });
}

TReviewIdentity IdentityOf(const std::vector<std::string>& command) {
    TReviewIdentity identity;
    if (!command.empty()) identity.engine = FileName(command.front());
    for (std::size_t i = 1; i + 1 < command.size(); ++i) {
        if (command[i] == "-model" || command[i] == "--model") identity.network = FileName(command[i + 1]);
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[16] = "";
    if (::localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    identity.date = date;
    return identity;
}

TStoredReview ToStored(int rec, const TPositionReview& review, int visits, const TReviewIdentity& identity) {
    TStoredReview s;
    s.rec = rec;
    s.scoreLead = review.scoreLead;
    s.winrate = review.winrate;
    s.visits = visits;
    s.engine = identity.engine;
    s.network = identity.network;
    s.date = identity.date;
    for (const TMoveFigure& f : review.candidates) s.candidates.push_back({f.move, f.loss, f.visits});
    for (const TMoveFigure& f : review.missing) s.missing.push_back({f.move, f.loss, f.visits});
    return s;
}

TReviewRun::TReviewRun(TEngineClient& client, TEngineReviewStore& store, std::vector<TReviewPosition> positions,
                       TReviewIdentity identity)
    : client_(client), store_(store), positions_(std::move(positions)), identity_(std::move(identity)) {}

bool TReviewRun::Step() {
    if (next_ >= positions_.size()) return false;
    const std::size_t end = std::min(positions_.size(), next_ + kPositionsPerStep);
    std::vector<TReviewRequest> requests;
    for (std::size_t i = next_; i < end; ++i) requests.push_back({positions_[i].line, positions_[i].candidates});
    const std::vector<TPositionReview> reviews = ReviewPositions(client_, requests);
    std::vector<TStoredReview> stored;
    for (std::size_t i = 0; i < reviews.size(); ++i)
        stored.push_back(ToStored(positions_[next_ + i].rec, reviews[i], client_.Settings().visits, identity_));
    stored_ += store_.Put(stored);
    next_ = end;
    return true;
}

}  // namespace vxlo
