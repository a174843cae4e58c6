#include "gui/mainwindow/LinesPanel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/board/BoardRenderer.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr int kMoveRole = Qt::UserRole;        // the row's point, x * 100 + y
constexpr int kRecordRole = Qt::UserRole + 1;  // its record; -1 for a row not yet read
constexpr int kLostRole = Qt::UserRole + 2;    // the points it loses, when reviewed
constexpr int kLostColumn = 4;
}  // namespace

TLinesPanel::TLinesPanel(TSource source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
    setObjectName("LinesPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* split = new QSplitter(Qt::Vertical, this);
    path_ = new QListWidget(split);
    path_->setObjectName("PathList");
    tree_ = new QTreeWidget(split);
    tree_->setObjectName("LinesTree");
    tree_->setHeaderLabels({tr("候補"), tr("手"), tr("対局"), tr("コメント"), tr("損")});
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(true);
    split->addWidget(path_);
    split->addWidget(tree_);
    split->setStretchFactor(1, 3);
    auto* filter = new QHBoxLayout;
    lossFilter_ = new QCheckBox(tr("損がこれより大きい手だけ"), this);
    lossFilter_->setObjectName("LossFilter");
    lossLimit_ = new QDoubleSpinBox(this);
    lossLimit_->setObjectName("LossLimit");
    lossLimit_->setRange(0, 99);
    lossLimit_->setDecimals(1);
    lossLimit_->setSingleStep(0.5);
    lossLimit_->setValue(1.5);
    filter->addWidget(lossFilter_);
    filter->addWidget(lossLimit_);
    filter->addStretch();
    layout->addLayout(filter);
    layout->addWidget(split);
    connect(lossFilter_, &QCheckBox::toggled, this, [this] { ApplyLossFilter(); });
    connect(lossLimit_, &QDoubleSpinBox::valueChanged, this, [this] { ApplyLossFilter(); });
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Opened(item); });
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        if (item->data(0, kRecordRole).toLongLong() >= 0) emit lineChosen(MovesTo(item));
    });
    connect(path_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit pathChosen(path_->row(item)); });
}

void TLinesPanel::SetHeader(QWidget* header) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, header);
}

void TLinesPanel::Show(const std::vector<TPoint>& path, std::int64_t record) {
    path_->clear();
    tree_->clear();
    if (record < 0) return;
    path_->addItem(tr("空の盤"));
    for (std::size_t i = 0; i < path.size(); ++i)
        path_->addItem(QStringLiteral("%1. %2").arg(i + 1).arg(source_.name(path[i])));
    path_->setCurrentRow(path_->count() - 1);
    Fill(tree_->invisibleRootItem(), record);
}

void TLinesPanel::Fill(QTreeWidgetItem* parent, std::int64_t record) {
    for (const TLineEntry& e : source_.children(record)) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, ToQt(e.label));
        item->setText(1, source_.name(e.move));
        item->setText(2, source_.games(e.record));
        item->setText(3, source_.comment(e.record));
        item->setData(0, Qt::DecorationRole, ColorFromBgr(CandidateLabelColor(e.color)));
        item->setData(0, kMoveRole, e.move.x * 100 + e.move.y);
        item->setData(0, kRecordRole, static_cast<qlonglong>(e.record));
        if (const std::optional<double> lost = source_.lost ? source_.lost(record, e.move) : std::nullopt) {
            item->setText(kLostColumn, QString::asprintf("%.1f", *lost));
            item->setForeground(kLostColumn, source_.lostColour(*lost));
            item->setData(0, kLostRole, *lost);
        }
        item->setHidden(Hidden(item));
        if (e.hasMoves) {
            // Read when opened: a placeholder gives the row its arrow.
            auto* placeholder = new QTreeWidgetItem(item);
            placeholder->setData(0, kRecordRole, -1);
        }
    }
}

void TLinesPanel::Opened(QTreeWidgetItem* item) {
    if (item->childCount() != 1 || item->child(0)->data(0, kRecordRole).toLongLong() >= 0) return;
    delete item->takeChild(0);
    Fill(item, item->data(0, kRecordRole).toLongLong());
}

bool TLinesPanel::Hidden(const QTreeWidgetItem* item) const {
    if (!lossFilter_->isChecked()) return false;
    const QVariant lost = item->data(0, kLostRole);
    return !lost.isValid() || lost.toDouble() <= lossLimit_->value();
}

void TLinesPanel::ApplyLossFilter() {
    std::vector<QTreeWidgetItem*> todo{tree_->invisibleRootItem()};
    while (!todo.empty()) {
        QTreeWidgetItem* parent = todo.back();
        todo.pop_back();
        for (int i = 0; i < parent->childCount(); ++i) {
            QTreeWidgetItem* child = parent->child(i);
            if (child->data(0, kRecordRole).toLongLong() < 0) continue;  // not read yet
            child->setHidden(Hidden(child));
            todo.push_back(child);
        }
    }
}

std::vector<TPoint> TLinesPanel::MovesTo(QTreeWidgetItem* item) const {
    std::vector<TPoint> moves;
    for (QTreeWidgetItem* i = item; i != nullptr; i = i->parent()) {
        const int code = i->data(0, kMoveRole).toInt();
        moves.insert(moves.begin(), TPoint{code / 100, code % 100});
    }
    return moves;
}

}  // namespace vxlo
