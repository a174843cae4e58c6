#include "gui/mainwindow/ExplorerCommands.h"

#include <QAction>
#include <QDockWidget>
#include <filesystem>

#include "board/PositionHash.h"
#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/ExplorerPanel.h"
#include "gui/mainwindow/FindCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/records/GameViewer.h"
#include "import/CornerImport.h"
#include "import/CornerMatch.h"

namespace vxlo {

TExplorerCommands::TExplorerCommands(TSDIAppForm& window) : TWindowPart(window) {
    auto* dock = new QDockWidget(TSDIAppForm::tr("対局"), &w_);
    dock->setObjectName("ExplorerDock");
    explorerPanel_ = new TExplorerPanel(dock);
    dock->setWidget(explorerPanel_);
    // Made after the layout was read: it asks for its saved place by name.
    if (!w_.restoreDockWidget(dock)) w_.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    explorerDock_ = dock;
    // Past 30 candidates the kana go to the most played; during an import
    // the counts are still in memory, and chain order does.
    w_.nav_.Dictionary().SetPlayedCounts([this](int rec) -> long long {
        TEvidenceCommands& evidence = *w_.parts_.evidence;
        if (!evidence.Store() || evidence.Importing()) return 0;
        try {
            const std::optional<TEvidence> e = evidence.Store()->Get(rec);
            return e ? e->games : 0;
        } catch (const EVxloError&) {
            return 0;
        }
    });
    explorerPanel_->SetFilterHandler([this] { w_.Guard([this] { w_.parts_.evidence->RefreshEvidence(); }); });
    explorerPanel_->SetOpenHandler([this](const TGameListing& listing) {
        w_.Guard([&] {
            if (TGameViewer* viewer = OpenGameViewer(listing)) viewer->show();
        });
    });
}

std::vector<TActionRow> TExplorerCommands::Actions() {
    // Closed by hand, it comes back from the menu, beside the lines panel.
    return {TActionRow::Command("mnuExplorerPanel", TSDIAppForm::tr("対局パネル"))
                .In("mnuOperation", place::kExplorerPanel)
                .Adopting(explorerDock_->toggleViewAction())};
}

void TExplorerCommands::RefreshExplorer() {
    if (explorerPanel_ == nullptr) return;
    TNavigation& nav = w_.nav_;
    TEvidenceCommands& evidence = *w_.parts_.evidence;
    // The counts may have come after the list was read (an open, an import).
    if (nav.FileOpen() && nav.Dictionary().RankLabels() && nav.LabelMode() == ELabelMode::Shown)
        nav.Dictionary().DrawLabels();
    if (!evidence.Store() || !nav.FileOpen()) {
        explorerPanel_->Detach();
        explorerDock_->hide();
        return;
    }
    if (!explorerPanel_->Attached()) {
        try {
            if (!explorerPanel_->Attach(w_.Companion())) {
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
            w_.resize(w_.width() + explorerPanel_->sizeHint().width(), w_.height());
        }
        explorerDock_->show();
    }
    // Back at the root the navigation keeps the record it came from.
    const int record = nav.Path().Count() == 0 ? 0 : nav.CurrentRecord();
    explorerPanel_->ShowPosition(nav.Dictionary(), record, nav.Board());
    if (explorerPanel_->Filtered()) evidence.SetCandidateGames(explorerPanel_->CandidateGames());
}

TGameViewer* TExplorerCommands::OpenGameViewer(const TGameListing& listing) {
    const std::string& file = listing.game.text.file;
    IUserMessages& messages = *w_.messages_;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        messages.Error(TSDIAppForm::tr("棋譜ファイルが見つかりません（移動または削除されました）: %1").arg(PathToQt(file)));
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
        messages.Error(TSDIAppForm::tr("棋譜ファイルが取り込んだ後に変わりました: %1").arg(PathToQt(file)));
        return nullptr;
    }
    std::vector<TReplayMove> moves;
    for (const TGameMove& m : game->moves) moves.push_back({m.color, m.x, m.y});
    return new TGameViewer(listing, std::move(moves),
                           [this](const std::vector<TPoint>& shown, int corner) {
                               w_.Guard([&] { GoToGameCorner(shown, corner); });
                           },
                           &w_);
}

void TExplorerCommands::GoToGameCorner(const std::vector<TPoint>& moves, int corner) {
    TFindCommands& find = *w_.parts_.find;
    const TTreeIndex& index = find.TreeIndex();
    const std::vector<TCornerMatch> matches = FindCorners(index, moves, static_cast<int>(moves.size()));
    // Best first: the first of the viewer's corner is the one to show.
    const TCornerMatch* found = nullptr;
    for (const TCornerMatch& m : matches)
        if (m.corner == corner && found == nullptr) found = &m;
    if (found == nullptr) {
        w_.messages_->Information(TSDIAppForm::tr("一致する定石はありません"));
        return;
    }
    find.GoToMatch(*found);
    w_.raise();
    w_.activateWindow();
}

}  // namespace vxlo
