#pragma once
// The games explorer: the dock that follows the shown position, the counts
// on the board under its filters, and the game viewer with its way back to
// the dictionary.
#include <vector>

#include "board/Goban.h"
#include "gui/mainwindow/ActionTable.h"

class QDockWidget;

namespace vxlo {

class TExplorerPanel;
class TGameViewer;
struct TGameListing;

class TExplorerCommands final : public TWindowPart {
public:
    // Makes the panel and its dock, hidden until the dictionary has games.
    explicit TExplorerCommands(TSDIAppForm& window);
    std::vector<TActionRow> Actions() override;

    // Follows the shown position; the board's counts follow its filters.
    void RefreshExplorer();
    TExplorerPanel* ExplorerPanel() const { return explorerPanel_; }
    // The viewer of a listed game, read from its file; a file that moved or
    // changed since the import is reported by name. Null then.
    TGameViewer* OpenGameViewer(const TGameListing& listing);
    // The dictionary position of a game's corner after moves, turned to
    // show it as the game does.
    void GoToGameCorner(const std::vector<TPoint>& moves, int corner);

private:
    TExplorerPanel* explorerPanel_ = nullptr;
    QDockWidget* explorerDock_ = nullptr;
    bool explorerShownOnce_ = false;
};

}  // namespace vxlo
