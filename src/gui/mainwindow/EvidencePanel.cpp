#include "gui/mainwindow/EvidencePanel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"

namespace vxlo {

namespace {
constexpr int kColumns = 6;
constexpr const char* kHeaders[kColumns] = {
    QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "候補"), QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "手"),
    QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "対局"), QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "割合"),
    QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "勝率"), QT_TRANSLATE_NOOP("vxlo::TEvidencePanel", "損")};

QTableWidgetItem* Cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString Percent(double share) { return QString::number(share * 100.0, 'f', 1) + QLatin1Char('%'); }
}  // namespace

TEvidencePanel::TEvidencePanel(QWidget* parent) : QWidget(parent) {
    setObjectName("EvidencePanel");
    setWindowTitle(tr("Vexlo定石辞典 対局数"));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName("EvidenceTable");
    QStringList headers;
    for (const char* h : kHeaders) headers << tr(h);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    resize(280, 240);
}

void TEvidencePanel::ShowRows(const std::vector<TContinuationRow>& rows, long long positionGames,
                              const TEngineIniSettings& limits) {
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TContinuationRow& row = rows[static_cast<std::size_t>(r)];
        QString move = pointName ? pointName(row.move) : QString();
        if (move.isEmpty())
            move = row.move.x == 0 ? tr("手抜き") : QString("%1-%2").arg(row.move.x).arg(row.move.y);
        table_->setItem(r, 0, Cell(ToQt(row.label), false));
        table_->setItem(r, 1, Cell(move, false));
        table_->setItem(r, 2, Cell(QString::number(row.games), true));
        table_->setItem(r, 3, Cell(Percent(row.share), true));
        table_->setItem(r, 4, Cell(row.winRate ? Percent(*row.winRate) : QString("-"), true));
        // The engine's points lost against its best move, one decimal as on the board.
        QTableWidgetItem* lost = Cell(row.pointsLost ? PointsLostText(*row.pointsLost) : QString("-"), true);
        if (row.pointsLost) lost->setForeground(ReviewBandColor(LossBand(*row.pointsLost, limits)));
        table_->setItem(r, 5, lost);
    }
    setWindowTitle(tr("Vexlo定石辞典 対局数") + QString("  %1").arg(positionGames));
}

}  // namespace vxlo
