#pragma once
// TEvidencePanel: the continuation table of the shown position in a small
// window beside the board, shown while the dictionary has game counts or
// the position has the engine's figures.
#include <QWidget>
#include <vector>

#include "companion/ContinuationTable.h"

class QTableWidget;

namespace vxlo {


class TEvidencePanel : public QWidget {
    Q_OBJECT
public:
    explicit TEvidencePanel(QWidget* parent);
    // One row per candidate, most played first.
    void ShowRows(const std::vector<TContinuationRow>& rows, long long positionGames);
    QTableWidget* Table() const { return table_; }

private:
    QTableWidget* table_ = nullptr;
};

}  // namespace vxlo
