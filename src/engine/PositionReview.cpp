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

// The engine's best move outside the corner's square, a pass included.
const TEngineMoveInfo* BestElsewhere(const TEngineAnswer& answer, int corner) {
    for (const TEngineMoveInfo& m : answer.moves) {
        if (!InCornerSquare(corner, m.move)) return &m;
    }
    return nullptr;
}

bool HasTenuki(const std::vector<TPoint>& moves) {
    return std::any_of(moves.begin(), moves.end(), [](TPoint p) { return IsTenuki(p.x, p.y); });
}

}  // namespace

int CornerOfLine(const std::vector<TPoint>& line) {
    int stones[4] = {0, 0, 0, 0};
    for (const TPoint p : line) {
        for (int c = 0; c < 4; ++c) stones[c] += InCornerSquare(c, p) ? 1 : 0;
    }
    int best = 1;
    for (const int c : {0, 2, 3}) {
        if (stones[c] > stones[best]) best = c;
    }
    return best;
}

bool InCornerSquare(int corner, TPoint p) {
    if (IsTenuki(p.x, p.y) || p.x < 1 || p.x > kBoardSize || p.y < 1 || p.y > kBoardSize) return false;
    const bool right = corner == 1 || corner == 3;
    const bool bottom = corner == 2 || corner == 3;
    const bool inX = right ? p.x > kBoardSize - kCornerSquare : p.x <= kCornerSquare;
    const bool inY = bottom ? p.y > kBoardSize - kCornerSquare : p.y <= kCornerSquare;
    return inX && inY;
}

std::vector<TPoint> CornerSquarePoints(int corner) {
    std::vector<TPoint> points;
    for (int y = 1; y <= kBoardSize; ++y) {
        for (int x = 1; x <= kBoardSize; ++x) {
            if (InCornerSquare(corner, {x, y})) points.push_back({x, y});
        }
    }
    return points;
}

std::vector<TPoint> UnsearchedMoves(const std::vector<TPoint>& line, const TEngineAnswer& answer,
                                    const std::vector<TPoint>& candidates) {
    const std::vector<int> symmetries = SelfSymmetries(line);
    const int corner = CornerOfLine(line);
    std::vector<TPoint> out;
    for (const TPoint c : candidates) {
        const bool found = IsTenuki(c.x, c.y) ? BestElsewhere(answer, corner) != nullptr
                                              : Searched(answer, symmetries, c) != nullptr;
        if (!found) out.push_back(c);
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
    const int corner = CornerOfLine(line);
    const auto lost = [&](double lead) { return std::max(0.0, bestLead - lead); };
    for (const TPoint c : candidates) {
        TMoveFigure figure;
        figure.move = c;
        const bool tenuki = IsTenuki(c.x, c.y);
        if (const TEngineMoveInfo* m = tenuki ? BestElsewhere(answer, corner) : Searched(answer, symmetries, c)) {
            figure.loss = lost(m->scoreLead);
            figure.visits = m->visits;
        } else {
            const auto after = std::find_if(followUps.begin(), followUps.end(),
                                            [&](const auto& f) { return f.first == c; });
            if (after == followUps.end()) throw EVxloError("no answer on the position after " + FormatMove(c));
            const TEngineAnswer& a = after->second;
            if (tenuki) {
                // The same side to move, the corner forbidden: its best move is the tenuki.
                figure.loss = lost(a.moves.empty() ? a.scoreLead : a.moves.front().scoreLead);
                figure.visits = a.moves.empty() ? a.visits : a.moves.front().visits;
            } else {
                // The answer after the move is the opponent's: its lead is ours turned round.
                figure.loss = lost(-a.scoreLead);
                figure.visits = a.visits;
            }
            figure.followUp = true;
        }
        review.candidates.push_back(figure);
    }
    const bool tenukiListed = HasTenuki(candidates);
    for (const TEngineMoveInfo& m : answer.moves) {
        if (static_cast<int>(review.missing.size()) >= kMissingMoves) break;
        if (tenukiListed && !InCornerSquare(corner, m.move)) continue;
        const auto same = [&](TPoint known) { return SameMove(symmetries, m.move, known); };
        if (std::any_of(candidates.begin(), candidates.end(), same)) continue;
        if (std::any_of(review.missing.begin(), review.missing.end(),
                        [&](const TMoveFigure& f) { return same(f.move); }))
            continue;
        review.missing.push_back({m.move, lost(m.scoreLead), m.visits, false});
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
                if (IsTenuki(c.x, c.y)) {
                    asked.emplace_back(c, client.Submit(requests[i].line, 0,
                                                        CornerSquarePoints(CornerOfLine(requests[i].line))));
                    continue;
                }
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
