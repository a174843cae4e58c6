#pragma once
// The evidence beside the board: the continuation table of each position
// while the dictionary has game counts or the engine reviewed the position,
// and the number of games beside each candidate on the board.
#include <optional>
#include <utility>
#include <vector>

#include "board/Goban.h"
#include "companion/EvidenceStore.h"
#include "gui/mainwindow/ActionTable.h"

class QDockWidget;
class QPainter;

namespace vxlo {

class TEvidencePanel;

class TEvidenceCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    // The dock of the table, empty and hidden until there are counts to show.
    void CreateWindows();
    // Game counts of the open dictionary, shown beside the board when it has any.
    void OpenEvidence();
    void CloseEvidence();
    void RefreshEvidence();
    // The number of games beside each candidate of the shown position.
    void PaintOverlay(QPainter& p);

    // The counts of the open dictionary; none without any.
    std::optional<TEvidenceStore>& Store() { return evidence_; }
    TEvidencePanel* Panel() const { return evidencePanel_; }
    QDockWidget* Dock() const { return evidenceDock_; }
    using TCandidateGames = std::vector<std::pair<TPoint, long long>>;
    // The explorer's filters give the board its counts.
    void SetCandidateGames(TCandidateGames games) { candidateGames_ = std::move(games); }
    // The game counts of the shown position's candidates that have any.
    const TCandidateGames& CandidateGames() const { return candidateGames_; }
    // While a corner import runs, the position changes thousands of times.
    void SetImporting(bool importing) { importingCorners_ = importing; }
    bool Importing() const { return importingCorners_; }

private:
    std::optional<TEvidenceStore> evidence_;
    bool importingCorners_ = false;
    TCandidateGames candidateGames_;  // of the shown position
    TEvidencePanel* evidencePanel_ = nullptr;
    QDockWidget* evidenceDock_ = nullptr;
};

}  // namespace vxlo
