// The main window's import and merge commands.
#include <QString>

#include "import/FolderWalk.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "gui/import/SelDir.h"
#include "import/SgfCommentStore.h"
#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/language/Catalogue.h"
#include "settings/LabelNames.h"

namespace vxlo {

namespace {

QString SgfFilter() { return TSDIAppForm::tr("SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"); }

void RunMerge(TSDIAppForm& window, EMergeFormat format) {
    if (!window.FileOpen()) return;
    const std::optional<QString> chosen =
        window.ChooseOpenFile(TSDIAppForm::tr("定石(*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    Marge(window.Navigation(), PathFromQt(*chosen), format);
}

}  // namespace

void TSDIAppForm::ReadInput(const std::string& fileName, int moveLimit) {
    vxlo::ReadInput(nav_, fileName, moveLimit);
}

void TSDIAppForm::mnuFileInputClick() {
    if (!FileOpen()) return;
    const std::optional<QString> chosen =
        ChooseOpenFile(tr("GOTERM (*.IG1 *.ig1);;SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
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
    if (!form) {
        form = new TDirForm(nav_, *messages_, this);
        form->SetCornerRun([this](const std::vector<std::string>& files, int limit,
                                  const TCornerImporter::TProgress& progress) {
            return ImportCornerSequences(files, limit, progress);
        });
    }
    form->exec();
}

void TSDIAppForm::mnuMarge4Click() { RunMerge(*this, EMergeFormat::Ver4); }

void TSDIAppForm::Ver11Click() { RunMerge(*this, EMergeFormat::Ver1); }

void TSDIAppForm::mnuMargeSgfClick() {
    if (!FileOpen()) return;
    const std::optional<QString> chosen = ChooseOpenFile(SgfFilter());
    if (!chosen || chosen->isEmpty()) return;
    // The markup is kept whether or not comments are in use; the file's
    // comments join the store only while they are.
    const TCompanion companion = Companion();
    TMarkupStore markup(companion);
    TSgfMergeResult result;
    {
        std::optional<TSgfCommentStore> store;
        if (CommentUse() == 1) store.emplace(companion);
        result = MergeSgfFile(nav_, PathFromQt(*chosen), store ? &*store : nullptr, &markup);
    }
    markup.Flush();
    OpenMarkup(CurrentFile());  // the viewer knew the markup before the merge
    messages_->Information(ToQt(SgfMergeSummary(result)));
}

void TSDIAppForm::mnuSgfOutClick() {
    if (!FileOpen()) return;
    const std::optional<QString> chosen = ChooseSaveFile(SgfFilter());
    if (!chosen || chosen->isEmpty()) return;
    std::optional<TSgfCommentStore> store;
    if (CommentUse() == 1) store.emplace(Companion(), TSgfCommentStore::EAccess::ReadOnly);
    const TQtTranslator translator;
    const TSgfColorNames names = ReadLabelNames(TIniFile(settingsPath_)).Texts(&translator);
    ExportSgf(nav_.Dictionary().Store(), PathFromQt(*chosen), store ? &*store : nullptr,
              markupStore_.get(), EExportOverwrite::OnlySgf, &names);
}

}  // namespace vxlo
