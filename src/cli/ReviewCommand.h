#pragma once
// vxlo-tool review: the analysis engine's figures for a position of the
// dictionary and the lines below it, stored in its companion database; and
// the engine's figures where other commands show them (stats --json, the
// SGF export's comments).
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Message.h"
#include "dictionary/RecordFile.h"
#include "import/SgfComments.h"
#include "companion/EngineReviewStore.h"

namespace vxlo {

extern const char* const kReviewUsage;

// args after "review". settingsPath: the VXLO.INI whose [Engine] gives what
// the options do not (empty: only the options). Prints progress on err and
// the summary on out; 0 done, 1 failed (the engine's message names its
// command, a file error the file), 2 usage.
int RunReviewCommand(const std::vector<std::string>& args, const std::string& settingsPath, std::ostream& out,
                     std::ostream& err, const ITranslator* translator);

// The review's fields of stats --json: of a position (with a leading ", "),
// and of one of its candidates. Nothing when not reviewed.
std::string PositionReviewJson(const std::optional<TStoredReview>& review);
std::string CandidateReviewJson(const std::optional<TStoredReview>& review, TPoint candidate);

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
