#include "gui/mainwindow/EvidencePanel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr int kColumns = 5;
constexpr const char* kHeaders[kColumns] = {"候補", "手", "対局", "割合", "勝率"};
constexpr const char* kTenukiText = "手抜き";

QTableWidgetItem* Cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString Percent(double share) { return QString::number(share * 100.0, 'f', 1) + QLatin1Char('%'); }
}  // namespace

TEvidencePanel::TEvidencePanel(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("EvidencePanel");
    setWindowTitle(ToQt(kEvidenceCaption));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName("EvidenceTable");
    QStringList headers;
    for (const char* h : kHeaders) headers << ToQt(h);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    resize(280, 240);
}

void TEvidencePanel::ShowRows(const std::vector<TContinuationRow>& rows, long long positionGames) {
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TContinuationRow& row = rows[static_cast<std::size_t>(r)];
        const QString move = row.move.x == 0 ? ToQt(kTenukiText)
                                             : QString("%1-%2").arg(row.move.x).arg(row.move.y);
        table_->setItem(r, 0, Cell(ToQt(row.label), false));
        table_->setItem(r, 1, Cell(move, false));
        table_->setItem(r, 2, Cell(QString::number(row.games), true));
        table_->setItem(r, 3, Cell(Percent(row.share), true));
        table_->setItem(r, 4, Cell(row.winRate ? Percent(*row.winRate) : QString("-"), true));
    }
    setWindowTitle(ToQt(kEvidenceCaption) + QString("  %1").arg(positionGames));
}

}  // namespace vxlo
