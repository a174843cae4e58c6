// The main window's corner-sequence import and the evidence it shows: the
// continuation table of each position while the dictionary has game counts
// or the engine reviewed the position.
#include <QPainter>
#include <QTableWidget>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/ExplorerPanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "import/CornerImport.h"

namespace vxlo {

void TSDIAppForm::OpenEvidence() {
    evidence_.reset();
    if (explorerPanel_) explorerPanel_->Detach();  // the games may have changed
    try {
        if (companion_) {
            evidence_.emplace(companion_);
            if (!evidence_->Any()) evidence_.reset();
        }
    } catch (const EVxloError&) {
        // The dictionary is usable without its counts. The same file was
        // reported by name when it was opened: once is enough.
        evidence_.reset();
    }
    RefreshEvidence();
}

void TSDIAppForm::CloseEvidence() {
    evidence_.reset();
    candidateGames_.clear();
    RefreshEvidence();
}

void TSDIAppForm::RefreshEvidence() {
    if (importingCorners_) return;
    const bool reviewed = nav_.FileOpen() && review_->Shown().has_value();
    if ((!evidence_ && !reviewed) || !nav_.FileOpen()) {
        if (evidencePanel_) evidencePanel_->hide();
        candidateGames_.clear();
        RefreshExplorer();
        return;
    }
    if (!evidencePanel_) {
        evidencePanel_ = new TEvidencePanel(this);
        evidencePanel_->pointName = [this](TPoint move) {
            return renderer_.Options().coordinates ? PointName(move) : QString();
        };
        // Beside the board, never over it.
        evidencePanel_->move(frameGeometry().topRight() + QPoint(4, 0));
    }
    std::optional<TEvidence> here;
    std::vector<TContinuationRow> rows;
    if (evidence_) {
        here = evidence_->Get(nav_.CurrentRecord());
        rows = ContinuationRows(nav_.Dictionary(), nav_.Board().GetTurn(), *evidence_);
    } else {
        TEvidenceStore none(companion_);  // no counts: the rows in list order
        rows = ContinuationRows(nav_.Dictionary(), nav_.Board().GetTurn(), none);
    }
    if (reviewed) AddPointsLost(rows, *review_->Shown());
    evidencePanel_->ShowRows(rows, here ? here->games : 0);
    evidencePanel_->show();
    candidateGames_.clear();
    for (const TContinuationRow& row : rows)
        if (row.games > 0 && !IsTenuki(row.move.x, row.move.y)) candidateGames_.push_back({row.move, row.games});
    RefreshExplorer();
    if (boardArea_) boardArea_->update();
}

void TSDIAppForm::PaintEvidenceOverlay(QPainter& p) {
    if (candidateGames_.empty() || !evidence_ || !renderer_.PaintEnabled() || nav_.LabelMode() != ELabelMode::Shown) return;
    const int s = renderer_.CellSize();
    p.save();
    QFont font = renderer_.TextFont();
    // Small, in the lower right of the cell: the kana stays the thing to read.
    font.setPixelSize(std::max(7, s * 2 / 5));
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    for (const auto& [move, games] : candidateGames_) {
        const TPoint cell = nav_.Board().BoardToDisplay(move.x, move.y);
        const QRect box(renderer_.BoardLeft() + (cell.x - 1) * s,
                        renderer_.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight, s, s);
        p.drawText(box.adjusted(0, 0, 1, 2), Qt::AlignRight | Qt::AlignBottom, QString::number(games));
    }
    p.restore();
}

TCornerImportSummary TSDIAppForm::ImportCornerSequences(const std::vector<std::string>& files, int limit,
                                                        const TCornerImporter::TProgress& progress) {
    TOneMoveScope oneMove(nav_);
    importingCorners_ = true;
    struct TEnd {
        TSDIAppForm& w;
        ~TEnd() { w.importingCorners_ = false; }
    } end{*this};
    TEvidenceStore store(Companion());
    // A store that cannot take the counts stops the import before its first move.
    store.PrepareWrite();
    TCornerImporter importer(nav_, &store, limit);
    importer.ImportFiles(files, progress);
    importingCorners_ = false;
    // The sequences came from many corners and games: the counts are read
    // best from the empty board.
    nav_.ResetToRoot();
    OpenEvidence();
    return importer.Summary();
}

void TSDIAppForm::mnuCornerInputClick() {
    if (!FileOpen()) return;
    const std::optional<QString> chosen = ChooseOpenFile(tr("棋譜 (*.IG1 *.ig1 *.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    const std::vector<std::string> files = CornerGameFiles({PathFromQt(*chosen)}, false);
    const TCornerImportSummary summary = ImportCornerSequences(files, kDefaultCornerLimit, {});
    messages_->Information(ToQt(CornerSummaryText(summary)));
    if (!summary.failures.empty()) messages_->Error(ToQt(WalkFailureSummary(summary.failures)));
}

}  // namespace vxlo
