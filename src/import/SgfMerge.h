#pragma once
// Merge of an SGF variation tree into the open dictionary, as the merge of
// another dictionary does it: pre-order through EnterMove and MaeNoTe, new moves
// at the end of their chains, known ones followed, the board in step with the
// source and empty again at the end.
#include <string>

#include "core/Message.h"
#include "core/Progress.h"
#include "import/SgfComments.h"
#include "import/SgfReader.h"
#include "navigation/Navigation.h"
#include "companion/Markup.h"

namespace vxlo {

struct TSgfMergeResult {
    int movesAdded = 0;     // records added, tenuki included
    int tenukiAdded = 0;    // of them tenuki: passes, and where one side moved twice
    int commentsAdded = 0;
    int markupAdded = 0;    // positions that got markup
    int colorsSet = 0;
    // Variations not followed past their first node, by cause.
    int leftSetup = 0;    // AB/AW/AE: the position no longer follows from the moves
    int leftIllegal = 0;  // occupied, suicide, ko, a point off the board
    int leftLimits = 0;   // 30 candidates in a position, or the path's 400 moves
    bool wrongSize = false;  // SZ other than 19: nothing merged
    bool textGuessed = false;  // no CA and not UTF-8: comments read by a guessed charset
    bool cancelled = false;    // stopped between two batches of nodes; the board at the root
    int LeftOut() const { return leftSetup + leftIllegal + leftLimits; }
};

// Merges the first game tree of sgf at the current position (normally the
// root). comments and markup may be null; a C[] text becomes the comment of
// the position after its node's move when that position has none yet, and
// LB/TR/SQ/CR/MA its markup the same way (the kana labels an export writes
// for the candidates are not markup and are left out). VXC[1..4] gives a
// label colour to a record that has none. A pass enters tenuki; a move of the
// side that has just moved enters the other side's tenuki before it. No
// message is shown for refused moves: the result counts them. progress is
// told of the nodes done every few hundred; a stop asked there ends the
// merge at the root with what it merged so far.
TSgfMergeResult MergeSgfTree(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments,
                             IPositionMarkup* markup = nullptr, IProgress* progress = nullptr);

// Resets to the root and merges the collection read before (another board
// size changes nothing) with ProgressMode 1, restored on every exit. The
// comments are committed before the result is returned.
TSgfMergeResult MergeSgf(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments,
                         IPositionMarkup* markup = nullptr, IProgress* progress = nullptr);
// The same after reading the file (a malformed file changes nothing).
TSgfMergeResult MergeSgfFile(TNavigation& nav, const std::string& path, ISgfComments* comments,
                             IPositionMarkup* markup = nullptr, IProgress* progress = nullptr);

// The markup of an SGF node, without the kana labels that name the node's
// children (as the export writes them); false when a value is no point.
TMarkupList SgfNodeMarkup(const TSgfCollection& sgf, const TSgfNode& node);

// The one message that reports a merge.
TMessage SgfMergeSummary(const TSgfMergeResult& result);

// The private property for label colours, read back by the merge.
inline constexpr const char* kSgfColorProperty = "VXC";
// On the root: the comment of each node with VXC[1..4] starts with a line
// "[colour name]" that the export added; the merge takes it off.
inline constexpr const char* kSgfColorNamesProperty = "VXN";

}  // namespace vxlo
