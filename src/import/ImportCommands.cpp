// The main window's import and merge commands.
#include <QString>

#include "import/FolderWalk.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "import/SelDir.h"
#include "mainwindow/QtText.h"
#include "mainwindow/Sdimain.h"

namespace vxlo {

namespace {

constexpr const char* kIg1Filter = "GOTERM (*.IG1 *.ig1);;すべてのﾌｧｲﾙ (*.*)";
constexpr const char* kMergeFilter = "定石(*.jsk);;すべてのﾌｧｲﾙ (*.*)";

void RunMerge(TSDIAppForm& window, EMergeFormat format) {
    if (!window.FileOpen()) return;
    const std::optional<QString> chosen = window.ChooseOpenFile(ToQt(kMergeFilter));
    if (!chosen || chosen->isEmpty()) return;
    Marge(window.Navigation(), PathFromQt(*chosen), format);
}

}  // namespace

void TSDIAppForm::ReadInput(const std::string& fileName, int moveLimit) {
    vxlo::ReadInput(nav_, fileName, moveLimit);
}

void TSDIAppForm::mnuFileInputClick() {
    if (!FileOpen()) return;
    const std::optional<QString> chosen = ChooseOpenFile(ToQt(kIg1Filter));
    if (!chosen || chosen->isEmpty()) return;
    TOneMoveScope oneMove(nav_);
    ReadInput(PathFromQt(*chosen), kMaxPathMoves);
}

void TSDIAppForm::mnuInputAllClick() {
    if (!FileOpen()) return;
    TOneMoveScope oneMove(nav_);
    // Made once and kept as the window's child, so that folder, mask, limit
    // and check box keep their values from one use to the next.
    auto* form = findChild<TDirForm*>("DirForm");
    if (!form) form = new TDirForm(nav_, *messages_, this);
    form->exec();
}

void TSDIAppForm::mnuMarge4Click() { RunMerge(*this, EMergeFormat::Ver4); }

void TSDIAppForm::Ver11Click() { RunMerge(*this, EMergeFormat::Ver1); }

}  // namespace vxlo
