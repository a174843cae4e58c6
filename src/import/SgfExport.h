#pragma once
// Export of the whole dictionary tree as one SGF game: each record a node,
// B and W by depth, alternatives as variations in chain order (the first one
// the main line), the candidates of each position labelled with their kana
// (LB) on the node before them, comments in C[], markup (LB, TR, SQ, CR, MA)
// on the node of its position, tenuki as a pass (B[] or W[]), and label
// colours in the private property VXC, which the SGF merge reads back.
// With colour names, a coloured move's comment starts with its colour's name
// in brackets on a line of its own, for programs that do not read VXC; the
// root then carries VXN[1], and the merge takes that line off again.
#include <array>
#include <string>

#include "core/Progress.h"
#include "dictionary/RecordFile.h"
#include "import/SgfComments.h"
#include "companion/Markup.h"

namespace vxlo {

struct TSgfExportResult {
    int nodes = 0;          // records written as nodes
    int tenuki = 0;         // of the nodes, passes
    int skippedPoints = 0;  // records off the board (not tenuki), left out with what follows them
    int skippedLoops = 0;   // records reached a second time (a loop, or two parents)
    int brokenLinks = 0;    // links past the end of the file
    bool cancelled = false; // stopped: nothing written, any old file as it was
};

// The names of the label colours 0..4 as the user reads them. Black, the
// colour of a move without a label, is never written: every move has it.
using TSgfColorNames = std::array<std::string, 5>;

// The SGF text of the tree in store (read only). comments, markup and
// colorNames may be null.
std::string SgfExportText(IRecordStore& store, ISgfComments* comments, TSgfExportResult* result = nullptr,
                          IPositionMarkup* markup = nullptr, const TSgfColorNames* colorNames = nullptr);

enum class EExportOverwrite {
    OnlySgf,  // an existing file is replaced only when it is an SGF text (or empty)
    Force,    // any existing file but the dictionary's own
};

// Writes the text to path through a temporary file in the same folder that
// is renamed into place: a failed export leaves any old file as it was and no
// half-written one. Refuses (EFileRefused naming path), through links too,
// to overwrite the dictionary itself or its comment store and the store's
// journals, and with OnlySgf any existing file the SGF reader does not take.
// progress is told of the records written every few thousand; a stop asked
// there ends the export without writing (a cut tree would pass for the whole).
TSgfExportResult ExportSgf(IRecordStore& store, const std::string& path, ISgfComments* comments,
                           IPositionMarkup* markup = nullptr,
                           EExportOverwrite overwrite = EExportOverwrite::OnlySgf,
                           IProgress* progress = nullptr, const TSgfColorNames* colorNames = nullptr);

}  // namespace vxlo
