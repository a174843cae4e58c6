#pragma once
// Merge of another dictionary file into the open one: every move sequence of
// the source enters through EnterMove, new moves added, known ones followed,
// depth-first and pre-order. The source is only read.
#include <string>

#include "core/Progress.h"
#include "navigation/Navigation.h"

namespace vxlo {

enum class EMergeFormat {
    Ver4,  // the current format: record 0 the placeholder
    Ver1,  // 16-bit coordinates, no placeholder: record 0 the first root move
};

struct TMergeResult {
    int recordsRead = 0;
    // Source moves that could be neither added nor followed (illegal, a full
    // candidate list, a stone on the point, a point off the board), each
    // dropped together with its continuations.
    int movesSkipped = 0;
    bool cancelled = false;  // stopped between two batches of source records
};

// Resets to the root and merges with ProgressMode 1 (restored on every exit).
// The board ends at the root. A source that cannot be opened or is too short
// raises its file error; a source whose links reach more records than it
// holds (a loop) ends with the range error. What was merged stays.
// progress is told of the source records read every few hundred; a stop
// asked there ends the merge with what it merged so far written.
TMergeResult Marge(TNavigation& nav, const std::string& sourcePath, EMergeFormat format,
                   IProgress* progress = nullptr);

}  // namespace vxlo
