#pragma once
// TEngineReviewStore: what the analysis engine said of the dictionary's
// positions, in the companion database: the table `engine_review` keyed by
// the record that leads to a position (0 for the empty board) holds the
// position's figures, `engine_candidate` the points lost of each candidate
// and of the engine's moves the dictionary lacks. A review of as many visits
// as the stored one, or more, replaces it whole; one of fewer leaves it.
#include <optional>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "companion/CompanionDatabase.h"

namespace vxlo {

struct TStoredMoveFigure {
    TPoint move;             // kTenuki for a tenuki
    double pointsLost = 0;   // at least 0
    int visits = 0;          // behind the figure
    friend bool operator==(const TStoredMoveFigure&, const TStoredMoveFigure&) = default;
};

struct TStoredReview {
    int rec = 0;
    double scoreLead = 0;  // of the side to move
    double winrate = 0;    // its chance, 0..1
    int visits = 0;        // asked for the position
    std::string engine;    // the engine's program, as named on its command line
    std::string network;   // the network's file, when the command line names one
    std::string date;      // YYYY-MM-DD
    std::vector<TStoredMoveFigure> candidates;  // in the order of the dictionary's list
    std::vector<TStoredMoveFigure> missing;     // best first
    friend bool operator==(const TStoredReview&, const TStoredReview&) = default;
};

class TEngineReviewStore {
public:
    // A missing table reads as empty; nothing is made until Put.
    explicit TEngineReviewStore(TCompanion db);

    std::optional<TStoredReview> Get(int rec);
    // Stores the reviews in one transaction, each unless the stored one has
    // more visits; the number stored. EFileRefused naming the store when it
    // cannot be written, and then nothing of them is kept.
    int Put(const std::vector<TStoredReview>& reviews);
    bool Any();

    const std::string& Path() const { return db_->Path(); }

private:
    bool HasTable();

    TCompanion db_;
    bool hasTable_ = false;
};

}  // namespace vxlo
