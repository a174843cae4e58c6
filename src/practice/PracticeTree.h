#pragma once
// The dictionary's tree as practice sees it: positions named by the record of
// the move that reached them (0 for the empty board), their continuations as
// record numbers. A move is a record like any other, whatever its point, so
// scheduling never needs to know what kind of move it is.
#include <cstdint>
#include <optional>
#include <vector>

#include "dictionary/RecordFile.h"
#include "practice/PracticeSchedule.h"
#include "practice/PracticeSettings.h"

namespace vxlo {

class IPracticeCards;

struct TPracticeMove {
    int rec = 0;
    int x = 0;
    int y = 0;
    int color = 0;  // label colour
    int index = 0;  // place in the candidate list, for its label
    friend bool operator==(const TPracticeMove&, const TPracticeMove&) = default;
};

class IPracticeTree {
public:
    virtual ~IPracticeTree() = default;
    // The candidates of the position reached by record rec, in list order.
    virtual std::vector<TPracticeMove> Continuations(int rec) const = 0;
};

// Reads the tree from the dictionary file and never writes it. A link past
// the end of the file ends the list there (the check command reports it).
class TStorePracticeTree final : public IPracticeTree {
public:
    explicit TStorePracticeTree(IRecordStore& store) : store_(store) {}
    std::vector<TPracticeMove> Continuations(int rec) const override;
private:
    IRecordStore& store_;
};

int OtherColor(int color);  // Black <-> White

// The positions below a start where the user answers: those with the user's
// colour to move and at least one candidate that counts as correct.
struct TPracticeScope {
    int startRec = 0;
    int startColor = 1;  // colour to move at the start (Black 1, White 2)
    int userColor = 1;
};
struct TPositionCounts {
    int total = 0;
    int due = 0;
    int practised = 0;  // with a schedule
    std::int64_t lapses = 0;  // summed over the positions
    friend bool operator==(const TPositionCounts&, const TPositionCounts&) = default;
};

// Counts every user position below the start, the start included. A position
// reached twice (a damaged file) is counted once, and the walk stops at the
// depth of the longest move path.
TPositionCounts CountPositions(const IPracticeTree& tree, const IPracticeCards& cards,
                               const TPracticeSettings& settings, const TPracticeScope& scope,
                               int today);
// True when a due user position lies at or below rec, whose side to move is
// color; stops at the first found.
bool HasDuePosition(const IPracticeTree& tree, const IPracticeCards& cards,
                    const TPracticeSettings& settings, int rec, int color, int userColor,
                    int today);

}  // namespace vxlo
