#pragma once
// The engine's figures of a review where other commands show them: stats
// --json and the SGF export's comments.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Json.h"
#include "dictionary/RecordFile.h"
#include "import/SgfComments.h"
#include "companion/EngineReviewStore.h"

namespace vxlo {

// The review's fields of stats --json: of a position, and of one of its
// candidates. Nothing when not reviewed.
void AddPositionReview(TJson& answer, const std::optional<TStoredReview>& review);
void AddCandidateReview(TJson& candidate, const std::optional<TStoredReview>& review, TPoint move);

// The comments of an export with the engine's figures appended: on a move's
// node what the review of the position before it says of the move, and
// what the review of the position after it says of that position.
class TEngineSgfComments final : public ISgfComments {
public:
    // comments may be null; the dictionary is read once, for each record's
    // position before it.
    TEngineSgfComments(ISgfComments* comments, TEngineReviewStore& reviews, IRecordStore& dictionary);
    bool HasComment(int rec) override;
    void PutComment(int rec, const std::string& text) override;
    std::optional<std::string> GetComment(int rec) override;

private:
    std::optional<std::string> EngineText(int rec);

    ISgfComments* comments_;
    TEngineReviewStore& reviews_;
    struct TNode {
        int parent = -1;  // -1: not reached from the empty board
        TPoint move;
        int side = 0;     // to move at the position the record reaches
    };
    std::vector<TNode> nodes_;  // by record
};

}  // namespace vxlo
