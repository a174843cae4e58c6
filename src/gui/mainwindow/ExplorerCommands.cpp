// The main window's games explorer: the dock that follows the shown
// position, the counts on the board under its filters, and the game viewer
// with its way back to the dictionary.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

#include "board/PositionHash.h"
#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/ExplorerPanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/records/GameViewer.h"
#include "import/CornerImport.h"
#include "import/CornerMatch.h"

namespace vxlo {

void TSDIAppForm::CreateExplorer() {
    auto* dock = new QDockWidget(tr("対局"), this);
    dock->setObjectName("ExplorerDock");
    explorerPanel_ = new TExplorerPanel(dock);
    dock->setWidget(explorerPanel_);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    explorerDock_ = dock;
    // Closed by hand, it comes back from the menu, beside the lines panel.
    QAction* toggle = dock->toggleViewAction();
    toggle->setObjectName("mnuExplorerPanel");
    toggle->setText(tr("対局パネル"));
    if (QMenu* operation = menuBar()->findChild<QMenu*>("mnuOperation")) operation->addAction(toggle);
    // Past 30 candidates the kana go to the most played; during an import
    // the counts are still in memory, and chain order does.
    nav_.Dictionary().SetPlayedCounts([this](int rec) -> long long {
        if (!evidence_ || importingCorners_) return 0;
        try {
            const std::optional<TEvidence> e = evidence_->Get(rec);
            return e ? e->games : 0;
        } catch (const EVxloError&) {
            return 0;
        }
    });
    explorerPanel_->SetFilterHandler([this] { Guard([this] { RefreshEvidence(); }); });
    explorerPanel_->SetOpenHandler([this](const TGameListing& listing) {
        Guard([&] {
            if (TGameViewer* viewer = OpenGameViewer(listing)) viewer->show();
        });
    });
}

void TSDIAppForm::RefreshExplorer() {
    if (explorerPanel_ == nullptr) return;
    // The counts may have come after the list was read (an open, an import).
    if (nav_.FileOpen() && nav_.Dictionary().RankLabels() && nav_.LabelMode() == ELabelMode::Shown)
        nav_.Dictionary().DrawLabels();
    if (!evidence_ || !nav_.FileOpen()) {
        explorerPanel_->Detach();
        explorerDock_->hide();
        return;
    }
    if (!explorerPanel_->Attached()) {
        try {
            if (!explorerPanel_->Attach(Companion())) {
                explorerDock_->hide();
                return;
            }
        } catch (const EVxloError&) {
            // The counts came from the same file; it was reported at the open.
            explorerDock_->hide();
            return;
        }
        if (!explorerShownOnce_) {
            explorerShownOnce_ = true;
            // The board keeps its size: the window grows by the dock.
            resize(width() + explorerPanel_->sizeHint().width(), height());
        }
        explorerDock_->show();
    }
    // Back at the root the navigation keeps the record it came from.
    const int record = nav_.Path().Count() == 0 ? 0 : nav_.CurrentRecord();
    explorerPanel_->ShowPosition(nav_.Dictionary(), record, nav_.Board());
    if (explorerPanel_->Filtered()) candidateGames_ = explorerPanel_->CandidateGames();
}

TGameViewer* TSDIAppForm::OpenGameViewer(const TGameListing& listing) {
    const std::string& file = listing.game.text.file;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        messages_->Error(tr("棋譜ファイルが見つかりません（移動または削除されました）: %1").arg(PathToQt(file)));
        return nullptr;
    }
    std::vector<TCornerGame> games;
    try {
        TCornerImportSummary summary;
        games = ReadCornerGames(file, summary);
    } catch (const EVxloError&) {
        games.clear();
    }
    const TCornerGame* game = nullptr;
    for (const TCornerGame& g : games)
        if (g.text.index == listing.game.text.index) game = &g;
    if (game == nullptr || MainLineHash(game->moves) != listing.game.lineHash) {
        messages_->Error(tr("棋譜ファイルが取り込んだ後に変わりました: %1").arg(PathToQt(file)));
        return nullptr;
    }
    std::vector<TReplayMove> moves;
    for (const TGameMove& m : game->moves) moves.push_back({m.color, m.x, m.y});
    return new TGameViewer(listing, std::move(moves),
                           [this](const std::vector<TPoint>& shown, int corner) {
                               Guard([&] { GoToGameCorner(shown, corner); });
                           },
                           this);
}

void TSDIAppForm::GoToGameCorner(const std::vector<TPoint>& moves, int corner) {
    const TTreeIndex& index = TreeIndex();
    const std::vector<TCornerMatch> matches = FindCorners(index, moves, static_cast<int>(moves.size()));
    // Best first: the first of the viewer's corner is the one to show.
    const TCornerMatch* found = nullptr;
    for (const TCornerMatch& m : matches)
        if (m.corner == corner && found == nullptr) found = &m;
    if (found == nullptr) {
        messages_->Information(tr("一致する定石はありません"));
        return;
    }
    GoTo(found->match.record);
    const int display = InverseSymmetry(found->match.symmetry);
    TGoban& board = nav_.Board();
    if (board.SwapXY() != (display & 1)) board.ToggleSwapXY();
    if (board.MirrorLeftRight() != ((display >> 1) & 1)) board.ToggleMirrorLeftRight();
    if (board.MirrorUpDown() != ((display >> 2) & 1)) board.ToggleMirrorUpDown();
    RepaintBoard();
    raise();
    activateWindow();
}

}  // namespace vxlo
