#pragma once
// TDictionaryCheck: reads a whole dictionary tree and lists what is wrong
// with it. Hand-edited files (the record grid) are the common source of
// damage; the check never writes.
#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/RecordFile.h"

namespace vxlo {

struct TCheckFinding {
    enum class Kind {
        LinkPastEnd,     // Next or More names a record the file does not hold
        ReachedTwice,    // a loop, or two parents sharing one record
        // More than 30 alternatives in one position: whole for this program,
        // the old reader sees the first 30. A note, not damage.
        LongChain,
        PointOutside,    // X or Y outside 1..19
        PointTwice,      // one point twice in one sibling chain
        IllegalMove,     // occupied, suicide or ko in the position it continues
        TooDeep,         // a line longer than the move path's 400 moves
        // A tenuki right after a tenuki, with nothing below it: what importers
        // before the one move entry left where a line went through a tenuki.
        TenukiAfterTenuki,
    };
    Kind kind;
    std::int64_t record;  // the record the finding is about
    std::string text;     // one line for people
    std::int64_t parent = -1;  // TenukiAfterTenuki: the record whose Next heads its chain
};

struct TCheckReport {
    std::vector<TCheckFinding> findings;
    std::vector<TCheckFinding> notes;  // what is sound but worth knowing (LongChain)
    std::int64_t records = 0;      // whole records in the file
    std::int64_t reachable = 0;    // moves reached from the root
    std::int64_t unreachable = 0;  // records other than 0 that no link reaches
    bool Sound() const { return findings.empty(); }
};

TCheckReport CheckDictionary(IRecordStore& store);

// Unlinks every TenukiAfterTenuki record of the report from its chain, as
// deleting the last move of a line does (the record stays in the file,
// unreachable); nothing else is written. The records unlinked, in order.
std::vector<std::int64_t> RepairTenukiAfterTenuki(IRecordStore& store, const TCheckReport& report);

}  // namespace vxlo
