#pragma once
// The lines below a position as the lines panel shows them: the candidates
// of one record read from the file on demand, so that a panel over a
// dictionary of ten million records costs what the rows on screen cost.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "dictionary/RecordFile.h"

namespace vxlo {

struct TLineEntry {
    TPoint move;              // {0, 0}: tenuki
    std::int64_t record = 0;
    int color = 0;            // the label colour code of the record
    std::string label;        // the candidate's kana, empty past the 30th
    bool hasMoves = false;    // the record has candidates of its own
};

// The candidates of the position after record (0: the empty board), in
// chain order. A chain that loops or leaves the file ends where it does;
// at most `limit` entries.
std::vector<TLineEntry> LineEntries(IRecordStore& store, std::int64_t record, int limit = 1000);

// The first words of a comment for a row of the panel: its first line, cut
// at about `length` characters (UTF-8 kept whole), with an ellipsis.
std::string CommentHead(const std::string& comment, std::size_t length = 24);

}  // namespace vxlo
