#include "engine/PositionReview.h"

#include <algorithm>

#include "board/PositionHash.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/TreeIndex.h"
#include "engine/EngineClient.h"

namespace vxlo {

namespace {

// Enough positions in flight to keep an engine with several search threads
// busy, few enough that a failure wastes little.
constexpr std::size_t kPositionsInFlight = 8;

// The figures of move, or of its image on a position that looks the same
// mirrored (the engine may search only one of them).
const TEngineMoveInfo* Searched(const TEngineAnswer& answer, const std::vector<int>& symmetries, TPoint move);

// The symmetries that leave the position as it is (the identity included).
std::vector<int> SelfSymmetries(const std::vector<TPoint>& line) {
    const TPositionHash position = PositionAfter(line);
    std::vector<int> same;
    for (int s = 0; s < kSymmetries; ++s) {
        if (position.Variant(s, false) == position.Exact()) same.push_back(s);
    }
    return same;
}

bool SameMove(const std::vector<int>& symmetries, TPoint a, TPoint b) {
    if (IsTenuki(a.x, a.y) || IsTenuki(b.x, b.y)) return a == b;
    return std::any_of(symmetries.begin(), symmetries.end(), [&](int s) { return Transform(s, a) == b; });
}

const TEngineMoveInfo* Searched(const TEngineAnswer& answer, const std::vector<int>& symmetries, TPoint move) {
    for (const TEngineMoveInfo& m : answer.moves) {
        if (m.move == move) return &m;
    }
    for (const TEngineMoveInfo& m : answer.moves) {
        if (SameMove(symmetries, m.move, move)) return &m;
    }
    return nullptr;
}

}  // namespace

std::vector<TPoint> UnsearchedMoves(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                    const std::vector<TPoint>& candidates) {
    const std::vector<int> symmetries = SelfSymmetries(line);
    std::vector<TPoint> out;
    for (const TPoint c : candidates) {
        if (!Searched(answer, symmetries, c)) out.push_back(c);
    }
    return out;
}

TPositionReview MakePositionReview(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                   const std::vector<TPoint>& candidates,
                                   const std::vector<std::pair<TPoint, TEngineAnswer>>& followUps) {
    TPositionReview review;
    review.line = line;
    review.scoreLead = answer.scoreLead;
    review.winrate = answer.winrate;
    review.visits = answer.visits;
    // Without a move searched the position's own lead stands for the best.
    double bestLead = answer.scoreLead;
    if (!answer.moves.empty()) {
        review.best = answer.moves.front().move;
        bestLead = answer.moves.front().scoreLead;
    }
    const std::vector<int> symmetries = SelfSymmetries(line);
    for (const TPoint c : candidates) {
        TMoveFigure figure;
        figure.move = c;
        if (const TEngineMoveInfo* m = Searched(answer, symmetries, c)) {
            figure.loss = bestLead - m->scoreLead;
            figure.visits = m->visits;
        } else {
            const auto after = std::find_if(followUps.begin(), followUps.end(),
                                            [&](const auto& f) { return f.first == c; });
            if (after == followUps.end()) throw EVxloError("no answer on the position after " + FormatMove(c));
            // The answer after the move is the opponent's: its lead is ours turned round.
            figure.loss = bestLead + after->second.scoreLead;
            figure.visits = after->second.visits;
            figure.followUp = true;
        }
        review.candidates.push_back(figure);
    }
    for (const TEngineMoveInfo& m : answer.moves) {
        if (static_cast<int>(review.missing.size()) >= kMissingMoves) break;
        const auto same = [&](TPoint known) { return SameMove(symmetries, m.move, known); };
        if (std::any_of(candidates.begin(), candidates.end(), same)) continue;
        if (std::any_of(review.missing.begin(), review.missing.end(),
                        [&](const TMoveFigure& f) { return same(f.move); }))
            continue;
        review.missing.push_back({m.move, bestLead - m.scoreLead, m.visits, false});
    }
    return review;
}

std::vector<TPositionReview> ReviewPositions(TEngineClient& client, const std::vector<TReviewRequest>& requests) {
    std::vector<TPositionReview> reviews;
    reviews.reserve(requests.size());
    for (std::size_t first = 0; first < requests.size(); first += kPositionsInFlight) {
        const std::size_t end = std::min(requests.size(), first + kPositionsInFlight);
        std::vector<std::string> ids;
        for (std::size_t i = first; i < end; ++i) ids.push_back(client.Submit(requests[i].line));
        std::vector<TEngineAnswer> answers;
        std::vector<std::vector<std::pair<TPoint, std::string>>> followUpIds;
        for (std::size_t i = first; i < end; ++i) {
            answers.push_back(client.Await(ids[i - first]));
            auto& asked = followUpIds.emplace_back();
            for (const TPoint c : UnsearchedMoves(requests[i].line, answers.back(), requests[i].candidates)) {
                std::vector<TPoint> after = requests[i].line;
                after.push_back(c);
                asked.emplace_back(c, client.Submit(after));
            }
        }
        for (std::size_t i = first; i < end; ++i) {
            std::vector<std::pair<TPoint, TEngineAnswer>> followUps;
            for (const auto& [move, id] : followUpIds[i - first]) followUps.emplace_back(move, client.Await(id));
            reviews.push_back(MakePositionReview(requests[i].line, answers[i - first], requests[i].candidates, followUps));
        }
    }
    return reviews;
}

}  // namespace vxlo
