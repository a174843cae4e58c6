#pragma once
// TEvidencePanel: the continuation table of the shown position in a small
// window beside the board, shown while the dictionary has game counts or
// the position has the engine's figures.
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "companion/ContinuationTable.h"
#include "settings/EngineSettings.h"

class QTableWidget;

namespace vxlo {


class TEvidencePanel : public QWidget {
    Q_OBJECT
public:
    explicit TEvidencePanel(QWidget* parent);
    // One row per candidate, most played first; the engine's points lost in
    // the colour of their band under limits, as on the board.
    void ShowRows(const std::vector<TContinuationRow>& rows, long long positionGames,
                  const TEngineIniSettings& limits = {});
    QTableWidget* Table() const { return table_; }
    // The point as the board names it while it shows coordinates; empty
    // keeps the panel's own x-y of the dictionary's points.
    std::function<QString(TPoint move)> pointName;

private:
    QTableWidget* table_ = nullptr;
};

}  // namespace vxlo
