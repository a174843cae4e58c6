#pragma once
// The lines panel: docked beside the board, following every position the
// board shows; its clicks walk the tree as board clicks do.
#include <QString>

#include "board/Goban.h"
#include "gui/mainwindow/ActionTable.h"

class QDockWidget;

namespace vxlo {

class TLinesPanel;

class TLinesCommands final : public TWindowPart {
public:
    // Makes the panel and its dock, hidden until asked for.
    explicit TLinesCommands(TSDIAppForm& window);
    std::vector<TActionRow> Actions() override;

    void RefreshLines();
    TLinesPanel* LinesPanel() const { return linesPanel_; }
    QDockWidget* LinesDock() const { return linesDock_; }
    // A point as the board names it (Q16 in the board's orientation).
    QString PointName(TPoint move) const;

private:
    TLinesPanel* linesPanel_ = nullptr;
    QDockWidget* linesDock_ = nullptr;
};

}  // namespace vxlo
