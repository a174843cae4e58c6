#include "gui/mainwindow/ImportCommands.h"

#include <QString>

#include "gui/dialogs/ProgressWindow.h"
#include "gui/import/SelDir.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/FileCommands.h"
#include "gui/mainwindow/MarkupCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/RecordCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "import/FolderWalk.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "import/SgfCommentStore.h"
#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "gui/language/Catalogue.h"
#include "settings/IniFile.h"
#include "settings/LabelNames.h"

namespace vxlo {

namespace {

QString SgfFilter() { return TSDIAppForm::tr("SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"); }

void RunMerge(TSDIAppForm& window, EMergeFormat format) {
    if (!window.FileOpen()) return;
    const std::optional<QString> chosen =
        window.Parts().files->ChooseOpenFile(TSDIAppForm::tr("定石(*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    TProgressWindow progress(TSDIAppForm::tr("マージ"), &window);
    const TMergeResult result = Marge(window.Navigation(), PathFromQt(*chosen), format, &progress);
    progress.Finish();
    if (result.cancelled) window.Messages().Information(ToQt(TMessage(kCancelledText)));
}

}  // namespace

std::vector<TActionRow> TImportCommands::Actions() {
    using R = TActionRow;
    const auto open = [this] { return w_.FileOpen(); };
    return {
        R::Command("mnuFileInput", TSDIAppForm::tr("ﾌｧｲﾙ入力"), TSDIAppForm::tr("ファイルからデータを入力する"))
            .In("mnuFile", place::kFileInput)
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_I)})
            .Runs([this] { mnuFileInputClick(); })
            .EnabledWhen(open),
        R::Command("mnuInputAll", TSDIAppForm::tr("一括入力"),
                   TSDIAppForm::tr("ディレクトリのある全てのファイルから一括入力する"))
            .In("mnuFile", place::kInputAll)
            .Runs([this] { mnuInputAllClick(); })
            .EnabledWhen(open),
        R::Command("mnuCornerInput", TSDIAppForm::tr("隅の定形入力"),
                   TSDIAppForm::tr("棋譜の四隅の手順を対局数とともに入力する"))
            .In("mnuFile", place::kCornerInput)
            .Runs([this] { mnuCornerInputClick(); })
            .EnabledWhen(open),
        R::Menu("mnuMarge", TSDIAppForm::tr("マージ")).In("mnuFile", place::kMerge).EnabledWhen(open),
        R::Command("mnuMarge4", TSDIAppForm::tr("Ver4")).In("mnuMarge", 1).Runs([this] { mnuMarge4Click(); }),
        R::Command("Ver11", TSDIAppForm::tr("Ver1")).In("mnuMarge", 2).Runs([this] { Ver11Click(); }),
        R::Command("mnuMargeSgf", TSDIAppForm::tr("SGF")).In("mnuMarge", 3).Runs([this] { mnuMargeSgfClick(); }),
        R::Command("mnuSgfOut", TSDIAppForm::tr("SGF出力"), TSDIAppForm::tr("定石ファイルをSGF形式で書き出す"))
            .In("mnuFile", place::kSgfOut)
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_E)})
            .Runs([this] { mnuSgfOutClick(); })
            .EnabledWhen(open),
    };
}

void TImportCommands::ReadInput(const std::string& fileName, int moveLimit) {
    vxlo::ReadInput(w_.nav_, fileName, moveLimit);
}

void TImportCommands::mnuFileInputClick() {
    if (!w_.FileOpen()) return;
    const std::optional<QString> chosen = w_.parts_.files->ChooseOpenFile(
        TSDIAppForm::tr("GOTERM (*.IG1 *.ig1);;SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    TOneMoveScope oneMove(w_.nav_);
    TProgressWindow progress(TSDIAppForm::tr("棋譜の入力"), &w_);
    vxlo::ReadInput(w_.nav_, PathFromQt(*chosen), kMaxPathMoves, &progress);
    progress.Finish();
    if (progress.Cancelled()) w_.messages_->Information(ToQt(TMessage(kCancelledText)));
}

void TImportCommands::mnuInputAllClick() {
    if (!w_.FileOpen()) return;
    TOneMoveScope oneMove(w_.nav_);
    // Made once and kept as the window's child, so that folder, mask, limit
    // and check box keep their values from one use to the next.
    auto* form = w_.findChild<TDirForm*>("DirForm");
    if (!form) {
        form = new TDirForm(w_.nav_, *w_.messages_, &w_);
        form->SetCornerRun([this](const std::vector<std::string>& files, int limit,
                                  IProgress* progress) {
            return ImportCornerSequences(files, limit, progress);
        });
    }
    form->exec();
}

void TImportCommands::mnuMarge4Click() { RunMerge(w_, EMergeFormat::Ver4); }

void TImportCommands::Ver11Click() { RunMerge(w_, EMergeFormat::Ver1); }

void TImportCommands::mnuMargeSgfClick() {
    if (!w_.FileOpen()) return;
    const std::optional<QString> chosen = w_.parts_.files->ChooseOpenFile(SgfFilter());
    if (!chosen || chosen->isEmpty()) return;
    // The markup is kept whether or not comments are in use; the file's
    // comments join the store only while they are.
    const TCompanion companion = w_.Companion();
    TMarkupStore markup(companion);
    TSgfMergeResult result;
    {
        std::optional<TSgfCommentStore> store;
        if (w_.parts_.records->CommentUse() == 1) store.emplace(companion);
        TProgressWindow progress(TSDIAppForm::tr("SGF のマージ"), &w_);
        result = MergeSgfFile(w_.nav_, PathFromQt(*chosen), store ? &*store : nullptr, &markup, &progress);
    }
    markup.Flush();
    w_.parts_.markup->OpenMarkup();  // the viewer knew the markup before the merge
    w_.messages_->Information(ToQt(SgfMergeSummary(result)));
}

void TImportCommands::mnuSgfOutClick() {
    if (!w_.FileOpen()) return;
    const std::optional<QString> chosen = w_.parts_.files->ChooseSaveFile(SgfFilter());
    if (!chosen || chosen->isEmpty()) return;
    std::optional<TSgfCommentStore> store;
    if (w_.parts_.records->CommentUse() == 1)
        store.emplace(w_.Companion(), TSgfCommentStore::EAccess::ReadOnly);
    const TQtTranslator translator;
    const TSgfColorNames names = ReadLabelNames(TIniFile(w_.SettingsPath())).Texts(&translator);
    TProgressWindow progress(TSDIAppForm::tr("SGF の書き出し"), &w_);
    const TSgfExportResult result = ExportSgf(w_.nav_.Dictionary().Store(), PathFromQt(*chosen),
                                              store ? &*store : nullptr, w_.parts_.markup->Store(),
                                              EExportOverwrite::OnlySgf, &progress, &names);
    progress.Finish();
    if (result.cancelled) w_.messages_->Information(ToQt(TMessage(kExportCancelledText)));
}

TCornerImportSummary TImportCommands::ImportCornerSequences(const std::vector<std::string>& files, int limit,
                                                            IProgress* progress) {
    TOneMoveScope oneMove(w_.nav_);
    TEvidenceCommands& evidence = *w_.parts_.evidence;
    evidence.SetImporting(true);
    struct TEnd {
        TEvidenceCommands& e;
        ~TEnd() { e.SetImporting(false); }
    } end{evidence};
    TEvidenceStore store(w_.Companion());
    // A store that cannot take the counts stops the import before its first move.
    store.PrepareWrite();
    TCornerImporter importer(w_.nav_, &store, limit);
    importer.ImportFiles(files, progress);
    evidence.SetImporting(false);
    // The sequences came from many corners and games: the counts are read
    // best from the empty board.
    w_.nav_.ResetToRoot();
    evidence.OpenEvidence();
    return importer.Summary();
}

void TImportCommands::mnuCornerInputClick() {
    if (!w_.FileOpen()) return;
    const std::optional<QString> chosen = w_.parts_.files->ChooseOpenFile(
        TSDIAppForm::tr("棋譜 (*.IG1 *.ig1 *.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    const std::vector<std::string> files = CornerGameFiles({PathFromQt(*chosen)}, false);
    TProgressWindow progress(TSDIAppForm::tr("隅の定形を取り込む"), &w_);
    const TCornerImportSummary summary = ImportCornerSequences(files, kDefaultCornerLimit, &progress);
    progress.Finish();
    w_.messages_->Information(ToQt(CornerSummaryMessage(summary)));
    if (!summary.failures.empty()) w_.messages_->Error(ToQt(WalkFailureSummary(summary.failures)));
}

}  // namespace vxlo
