#pragma once
// Going to any record of the dictionary: the moves from the empty board are
// entered one by one through Deside, as clicks on the candidates would be,
// so board, move path, candidate list, comment and menus come out exactly as
// after clicking there in one-move mode.
#include "dictionary/TreeIndex.h"
#include "navigation/Navigation.h"

namespace vxlo {

// The record is not reached (index), or the file no longer leads there (a
// move of the path is not a candidate where it should be): EVxloError naming
// the record, and the window stays on the position reached so far. Nothing
// is ever added to the dictionary on the way.
void GoToRecord(TNavigation& nav, const TTreeIndex& index, int record);

}  // namespace vxlo
