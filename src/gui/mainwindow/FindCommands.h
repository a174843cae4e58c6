#pragma once
// Finding one's way in a large dictionary: the tree index, going to a
// record, comment search, the same position reached by other paths, and the
// joseki of a pasted game.
#include <string>
#include <vector>

#include "dictionary/TreeIndexCache.h"
#include "gui/mainwindow/ActionTable.h"

class QDockWidget;
class QLabel;
class QTimer;

namespace vxlo {

class TFindForm;
struct TCornerMatch;

class TFindCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    // Once the record grid is there: it goes to records through here too.
    void CreateWindows();
    // The same-position notice follows the position a moment later.
    void Update() override;

    // The tree index of the open dictionary, built on first use with
    // progress and again after the file changed.
    const TTreeIndex& TreeIndex();
    // Goes to a record as clicks along its path would (one move at a time).
    void GoTo(int record);
    void mnuFindClick();
    void SearchCommentsFor(const std::string& text);
    // Looks up the corners of a pasted game after upTo moves and goes to the
    // best match, turned to show it as in the game.
    void FindGame(const std::string& text, int upTo);
    // The same for an SGF file chosen in the open-file dialog.
    void FindGameFile(int upTo);
    // Goes to a match of a game's corner, turned to show it as the game does.
    void GoToMatch(const TCornerMatch& match);
    TFindForm& FindForm() { return *findForm_; }
    QDockWidget* FindDock() const { return findDock_; }
    // The other paths to the current position, or empty; found again a
    // moment after the position last changed (ShowSamePosition does it now),
    // so that imports and replays do not look for them at every move.
    const std::vector<TPositionMatch>& SamePositions() const { return samePositions_; }
    void ShowSamePosition();

private:
    void FindGameMoves(const std::vector<TPoint>& moves, int upTo);

    TTreeIndexCache treeIndex_;
    std::vector<TPositionMatch> samePositions_;
    TFindForm* findForm_ = nullptr;
    QDockWidget* findDock_ = nullptr;
    QLabel* samePositionLabel_ = nullptr;
    QTimer* samePositionTimer_ = nullptr;
};

}  // namespace vxlo
