#include "cli/ReviewCommand.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/Tejun.h"
#include "engine/EngineMoves.h"
#include "companion/ReviewRun.h"

namespace vxlo {

namespace {

TJson FigureJson(const TStoredMoveFigure& f) {
    TJson j;
    j["x"] = f.move.x;
    j["y"] = f.move.y;
    j["points_lost"] = JsonFigure(f.pointsLost);
    j["engine_visits"] = f.visits;
    return j;
}

// Points lost as the comments show them: one decimal, a minus sign before
// a loss.
std::string LossText(double loss) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", loss);
    return std::string(text) == "0.0" ? "0.0" : "\u2212" + std::string(text);
}

}  // namespace

void AddPositionReview(TJson& answer, const std::optional<TStoredReview>& review) {
    if (!review) return;
    answer["engine_score_lead"] = JsonFigure(review->scoreLead);
    answer["engine_winrate"] = JsonFigure(review->winrate);
    answer["engine_visits"] = review->visits;
    TJson missing = TJson::array();
    for (const TStoredMoveFigure& f : review->missing) missing.push_back(FigureJson(f));
    answer["missing"] = std::move(missing);
}

void AddCandidateReview(TJson& candidate, const std::optional<TStoredReview>& review, TPoint move) {
    if (!review) return;
    for (const TStoredMoveFigure& f : review->candidates) {
        if (f.move == move) {
            candidate["points_lost"] = JsonFigure(f.pointsLost);
            candidate["engine_visits"] = f.visits;
            return;
        }
    }
}

TEngineSgfComments::TEngineSgfComments(ISgfComments* comments, TEngineReviewStore& reviews, IRecordStore& dictionary)
    : comments_(comments), reviews_(reviews) {
    nodes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(1, dictionary.RecordCount())));
    nodes_[0].side = Black;
    for (const TReviewPosition& p : PositionsBelow(dictionary, 0, {}, kMaxPathMoves)) {
        for (std::size_t i = 0; i < p.candidates.size(); ++i) {
            TNode& n = nodes_[static_cast<std::size_t>(p.candidateRecs[i])];
            n.parent = p.rec;
            n.move = p.candidates[i];
            n.side = p.line.size() % 2 == 0 ? White : Black;
        }
    }
}

std::optional<std::string> TEngineSgfComments::EngineText(int rec) {
    if (rec < 0 || static_cast<std::size_t>(rec) >= nodes_.size()) return std::nullopt;
    const TNode& node = nodes_[static_cast<std::size_t>(rec)];
    std::string text;
    if (rec > 0 && node.parent >= 0) {
        if (const std::optional<TStoredReview> before = reviews_.Get(node.parent)) {
            for (const TStoredMoveFigure& f : before->candidates) {
                if (f.move == node.move)
                    text += "Engine: " + EngineMoveName(f.move) + " " + LossText(f.pointsLost) + " (" +
                            std::to_string(f.visits) + " visits)";
            }
        }
    }
    if (rec == 0 || node.parent >= 0) {
        if (const std::optional<TStoredReview> here = reviews_.Get(rec)) {
            char figures[96];
            std::snprintf(figures, sizeof figures, "%s to move, lead %+.1f, win rate %.0f%% (%d visits)",
                          node.side == Black ? "Black" : "White", here->scoreLead, here->winrate * 100, here->visits);
            if (!text.empty()) text += '\n';
            text += "Engine: " + std::string(figures);
            for (std::size_t i = 0; i < here->missing.size(); ++i) {
                text += (i ? ", " : "; missing ") + EngineMoveName(here->missing[i].move) + " " +
                        LossText(here->missing[i].pointsLost);
            }
        }
    }
    if (text.empty()) return std::nullopt;
    return text;
}

bool TEngineSgfComments::HasComment(int rec) { return GetComment(rec).has_value(); }

void TEngineSgfComments::PutComment(int rec, const std::string& text) {
    if (comments_) comments_->PutComment(rec, text);
}

std::optional<std::string> TEngineSgfComments::GetComment(int rec) {
    const std::optional<std::string> own = comments_ ? comments_->GetComment(rec) : std::nullopt;
    const std::optional<std::string> engine = EngineText(rec);
    if (!engine) return own;
    if (!own || own->empty()) return engine;
    return *own + "\n" + *engine;
}

}  // namespace vxlo
