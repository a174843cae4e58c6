#pragma once
// TLinesPanel: the moves from the empty board to the position shown, and a
// tree of the lines below it. The tree reads a position's candidates only
// when its row is opened, so that it costs what is on screen. A click on a
// move of the path goes back to it, a click on a row of the tree goes down
// to it, as clicks on the board would.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <QColor>
#include <vector>

#include "navigation/LineTree.h"

class QCheckBox;
class QDoubleSpinBox;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vxlo {

class TLinesPanel final : public QWidget {
    Q_OBJECT
public:
    struct TSource {
        std::function<std::vector<TLineEntry>(std::int64_t record)> children;
        std::function<QString(TPoint move)> name;
        // Games and the first words of the comment of a record.
        std::function<QString(std::int64_t record)> games;
        std::function<QString(std::int64_t record)> comment;
        // The engine's points lost of a candidate of the position after
        // record, and its colour; none when not reviewed.
        std::function<std::optional<double>(std::int64_t record, TPoint move)> lost;
        std::function<QColor(double pointsLost)> lostColour;
    };
    explicit TLinesPanel(TSource source, QWidget* parent = nullptr);

    // The position: its path from the empty board and its record (0 for the
    // empty board); nothing without a dictionary (record < 0).
    void Show(const std::vector<TPoint>& path, std::int64_t record);
    QTreeWidget* Tree() const { return tree_; }
    // A widget above the filter (the legend of the label colours).
    void SetHeader(QWidget* header);
    QListWidget* Path() const { return path_; }

signals:
    void pathChosen(int moves);                    // back to after that many moves
    void lineChosen(std::vector<TPoint> below);    // down these moves from here

private:
    void Fill(QTreeWidgetItem* parent, std::int64_t record);
    // The filter "losing more than X points": rows not reviewed or losing
    // less are hidden while it is on.
    void ApplyLossFilter();
    bool Hidden(const QTreeWidgetItem* item) const;
    void Opened(QTreeWidgetItem* item);
    std::vector<TPoint> MovesTo(QTreeWidgetItem* item) const;

    TSource source_;
    QListWidget* path_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QCheckBox* lossFilter_ = nullptr;
    QDoubleSpinBox* lossLimit_ = nullptr;
};

}  // namespace vxlo
