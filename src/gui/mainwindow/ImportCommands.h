#pragma once
// The file menu's import and merge: game records, a folder of them, the
// corner sequences with their counts, the merge of another dictionary or an
// SGF tree, and the export of the whole tree as SGF.
#include <string>
#include <vector>

#include "gui/mainwindow/ActionTable.h"
#include "import/CornerImport.h"

namespace vxlo {

class TImportCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;

    void ReadInput(const std::string& fileName, int moveLimit);
    void mnuFileInputClick();
    void mnuInputAllClick();
    void mnuMarge4Click();
    void Ver11Click();
    void mnuMargeSgfClick();     // merge of an SGF variation tree
    void mnuSgfOutClick();       // export of the whole tree as SGF
    void mnuCornerInputClick();  // a game file's corner sequences with their counts
    // Imports the corner sequences of files with their evidence and shows the
    // counts; the bulk-import dialog runs its corner mode through here.
    TCornerImportSummary ImportCornerSequences(const std::vector<std::string>& files, int limit,
                                               IProgress* progress);
};

}  // namespace vxlo
