#include "gui/mainwindow/EvidenceCommands.h"

#include <QDockWidget>
#include <QPainter>
#include <QTableWidget>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/ExplorerCommands.h"
#include "gui/mainwindow/ExplorerPanel.h"
#include "gui/mainwindow/LinesCommands.h"
#include "gui/mainwindow/PanelDocks.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "import/CornerImport.h"

namespace vxlo {

void TEvidenceCommands::CreateWindows() {
    auto* empty = new QWidget(&w_);
    evidenceDock_ = AddPanelDock(w_, empty, TSDIAppForm::tr("対局数"), "EvidenceDock", {});
}

void TEvidenceCommands::OpenEvidence() {
    evidence_.reset();
    if (TExplorerPanel* explorer = w_.ExplorerPanel()) explorer->Detach();  // the games may have changed
    try {
        if (w_.companion_) {
            evidence_.emplace(w_.companion_);
            if (!evidence_->Any()) evidence_.reset();
        }
    } catch (const EVxloError&) {
        // The dictionary is usable without its counts. The same file was
        // reported by name when it was opened: once is enough.
        evidence_.reset();
    }
    RefreshEvidence();
}

void TEvidenceCommands::CloseEvidence() {
    evidence_.reset();
    candidateGames_.clear();
    RefreshEvidence();
}

void TEvidenceCommands::RefreshEvidence() {
    if (importingCorners_) return;
    TNavigation& nav = w_.nav_;
    const auto refreshExplorer = [this] {
        if (w_.parts_.explorer) w_.parts_.explorer->RefreshExplorer();
    };
    const bool reviewed = nav.FileOpen() && w_.Review().Shown().has_value();
    if ((!evidence_ && !reviewed) || !nav.FileOpen()) {
        if (evidenceDock_) evidenceDock_->hide();
        candidateGames_.clear();
        refreshExplorer();
        return;
    }
    if (!evidencePanel_) {
        evidencePanel_ = new TEvidencePanel(evidenceDock_);
        evidencePanel_->pointName = [this](TPoint move) {
            return w_.renderer_.Options().coordinates ? w_.parts_.lines->PointName(move) : QString();
        };
        delete evidenceDock_->widget();
        evidenceDock_->setWidget(evidencePanel_);
    }
    std::optional<TEvidence> here;
    std::vector<TContinuationRow> rows;
    if (evidence_) {
        here = evidence_->Get(nav.CurrentRecord());
        rows = ContinuationRows(nav.Dictionary(), nav.Board().GetTurn(), *evidence_);
    } else {
        TEvidenceStore none(w_.companion_);  // no counts: the rows in list order
        rows = ContinuationRows(nav.Dictionary(), nav.Board().GetTurn(), none);
    }
    if (reviewed) AddPointsLost(rows, *w_.Review().Shown());
    evidencePanel_->ShowRows(rows, here ? here->games : 0, w_.Review().Limits());
    ShowPanelDock(w_, evidenceDock_);
    candidateGames_.clear();
    for (const TContinuationRow& row : rows)
        if (row.games > 0 && !IsTenuki(row.move.x, row.move.y)) candidateGames_.push_back({row.move, row.games});
    refreshExplorer();
    if (w_.boardArea_) w_.boardArea_->update();
}

void TEvidenceCommands::PaintOverlay(QPainter& p) {
    const TBoardRenderer& renderer = w_.renderer_;
    TNavigation& nav = w_.nav_;
    if (candidateGames_.empty() || !evidence_ || !renderer.PaintEnabled() || nav.LabelMode() != ELabelMode::Shown) return;
    const int s = renderer.CellSize();
    p.save();
    QFont font = renderer.TextFont();
    // Small, in the lower right of the cell: the kana stays the thing to read.
    font.setPixelSize(std::max(7, s * 2 / 5));
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    for (const auto& [move, games] : candidateGames_) {
        const TPoint cell = nav.Board().BoardToDisplay(move.x, move.y);
        const QRect box(renderer.BoardLeft() + (cell.x - 1) * s,
                        renderer.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight, s, s);
        p.drawText(box.adjusted(0, 0, 1, 2), Qt::AlignRight | Qt::AlignBottom, QString::number(games));
    }
    p.restore();
}

}  // namespace vxlo
