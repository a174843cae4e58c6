#pragma once
// The engine's review of a part of the dictionary: the positions from a
// start down to a depth, each with the candidates the dictionary lists,
// given to the engine a few at a time and stored after each few, so a run
// that fails or is stopped keeps what was done and a later run goes on
// from there. Shared by vxlo-tool and the window (vxlo_review, on the
// engine's client and the core).
#include <optional>
#include <string>
#include <vector>

#include "dictionary/RecordFile.h"
#include "engine/EngineClient.h"
#include "engine/PositionReview.h"
#include "companion/EngineReviewStore.h"

namespace vxlo {

struct TReviewPosition {
    int rec = 0;                     // the record leading to it, 0 for the empty board
    std::vector<TPoint> line;        // from the empty board
    std::vector<TPoint> candidates;  // the dictionary's continuations, in list order
    std::vector<int> candidateRecs;  // their records
};

// The record that line reaches from the empty board. EFileRefused naming
// the dictionary and the move for a move the dictionary lacks.
int FindLine(IRecordStore& dictionary, const std::vector<TPoint>& line);
// The position reached by rec (its line from the empty board given) and
// every position up to depth moves below it, each once, shallower first.
std::vector<TReviewPosition> PositionsBelow(IRecordStore& dictionary, int rec, const std::vector<TPoint>& line,
                                            int depth);

// True when the stored review needs no new one at visits: it had as many
// or more, and has a figure for every candidate the position lists now.
bool ReviewedEnough(const std::optional<TStoredReview>& stored, const TReviewPosition& position, int visits);

struct TReviewIdentity {
    std::string engine;   // the program's file name
    std::string network;  // the file after -model, when there is one
    std::string date;     // YYYY-MM-DD
};
// From the engine's command line, dated today.
TReviewIdentity IdentityOf(const std::vector<std::string>& command);

TStoredReview ToStored(int rec, const TPositionReview& review, int visits, const TReviewIdentity& identity);

class TReviewRun {
public:
    // The positions to review (those reviewed enough already left out by
    // the caller).
    TReviewRun(TEngineClient& client, TEngineReviewStore& store, std::vector<TReviewPosition> positions,
               TReviewIdentity identity);
    // Reviews the next few positions and stores them; false, doing
    // nothing, once none is left. EEngineError as the client raises it (nothing of those few is
    // stored), EFileRefused when the store cannot take them.
    bool Step();
    int Done() const { return static_cast<int>(next_); }
    int Total() const { return static_cast<int>(positions_.size()); }
    int Stored() const { return stored_; }

private:
    TEngineClient& client_;
    TEngineReviewStore& store_;
    std::vector<TReviewPosition> positions_;
    TReviewIdentity identity_;
    std::size_t next_ = 0;
    int stored_ = 0;
};

}  // namespace vxlo
