#include "gui/mainwindow/ExplorerPanel.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "board/Goban.h"
#include "gui/mainwindow/QtText.h"
#include "board/BoardGeometry.h"

namespace vxlo {

namespace {

constexpr const char* kCornerNames[] = {QT_TRANSLATE_NOOP("vxlo::TExplorerPanel", "左上"),
                                        QT_TRANSLATE_NOOP("vxlo::TExplorerPanel", "右上"),
                                        QT_TRANSLATE_NOOP("vxlo::TExplorerPanel", "左下"),
                                        QT_TRANSLATE_NOOP("vxlo::TExplorerPanel", "右下")};

enum ECandidateColumn { kLabel, kMove, kGames, kShare, kWins, kFirst, kLast, kYears, kCandidateColumns };
enum EGameColumn { kBlack, kWhite, kDate, kEvent, kResult, kCorner, kMoveNumber, kGameColumns };

// Black's wins against White's, by the games' real colours, as one bar.
class TWinBar : public QWidget {
public:
    TWinBar(long long black, long long white, QWidget* parent) : QWidget(parent), black_(black), white_(white) {
        setToolTip(TExplorerPanel::tr("黒勝 %1 / 白勝 %2").arg(black).arg(white));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect().adjusted(2, 4, -2, -4);
        p.fillRect(r, QColor(230, 230, 230));
        const long long decided = black_ + white_;
        if (decided > 0) {
            const int w = static_cast<int>(r.width() * black_ / decided);
            p.fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
            p.fillRect(QRect(r.left() + w, r.top(), r.width() - w, r.height()), Qt::white);
        }
        p.setPen(Qt::gray);
        p.drawRect(r);
    }

private:
    long long black_, white_;
};

QString Player(const std::string& name, const std::string& rank) {
    return rank.empty() ? ToQt(name) : ToQt(name) + " (" + ToQt(rank) + ")";
}

QString MoveName(const TPoint& move, const TGoban& board) {
    if (IsTenuki(move.x, move.y)) return TExplorerPanel::tr("手抜き");
    return ToQt(CellName(board.BoardToDisplay(move.x, move.y), kBoardSize));
}

QTableWidgetItem* Item(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align);
    return item;
}

QTableWidgetItem* Number(long long n) {
    auto* item = Item(QString::number(n), Qt::AlignRight | Qt::AlignVCenter);
    item->setData(Qt::UserRole, n);
    return item;
}

// The candidate's games of each year over the position's games that year.
QLineSeries* ShareByYear(const TPassCounts& candidate, const TPassCounts& position) {
    auto* series = new QLineSeries;
    for (const auto& [year, games] : position.byYear) {
        const auto it = candidate.byYear.find(year);
        const long long mine = it == candidate.byYear.end() ? 0 : it->second;
        series->append(year, games > 0 ? 100.0 * static_cast<double>(mine) / static_cast<double>(games) : 0.0);
    }
    return series;
}

}  // namespace

TExplorerPanel::TExplorerPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("ExplorerPanel");
    auto* layout = new QVBoxLayout(this);
    auto* filters = new QGridLayout;
    const auto field = [&](const char* name, const QString& caption, int row, int column) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setClearButtonEnabled(true);
        filters->addWidget(new QLabel(caption, this), row, column);
        filters->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::textChanged, this, [this] { filterTimer_->start(); });
        connect(edit, &QLineEdit::returnPressed, this, [this] { ApplyFilterNow(); });
        return edit;
    };
    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(kFilterPauseMs);
    connect(filterTimer_, &QTimer::timeout, this, [this] { ApplyFilterNow(); });
    from_ = field("edtFromYear", tr("年から"), 0, 0);
    to_ = field("edtToYear", tr("年まで"), 0, 2);
    player_ = field("edtPlayer", tr("対局者"), 1, 0);
    event_ = field("edtEvent", tr("棋戦"), 1, 2);
    from_->setMaxLength(4);
    to_->setMaxLength(4);
    layout->addLayout(filters);

    summary_ = new QLabel(this);
    summary_->setObjectName("lblExplorerSummary");
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    candidates_ = new QTableWidget(0, kCandidateColumns, this);
    candidates_->setObjectName("tblExplorerCandidates");
    candidates_->setHorizontalHeaderLabels({tr("記号"), tr("手"), tr("局数（隅）"), tr("割合"), tr("黒勝/白勝"),
                                            tr("初年"), tr("最終年"), tr("年別の割合")});
    candidates_->horizontalHeaderItem(kGames)->setToolTip(tr("ここでの1局は対局の隅の一つです"));
    candidates_->verticalHeader()->hide();
    candidates_->setSelectionBehavior(QAbstractItemView::SelectRows);
    candidates_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    candidates_->setColumnWidth(kYears, 120);
    layout->addWidget(candidates_, 1);

    chart_ = new QPushButton(tr("局面の年別グラフ..."), this);
    chart_->setObjectName("btnExplorerYearChart");
    connect(chart_, &QPushButton::clicked, this, [this] { ShowYearChart(); });
    layout->addWidget(chart_, 0, Qt::AlignLeft);

    gameTable_ = new QTableWidget(0, kGameColumns, this);
    gameTable_->setObjectName("tblExplorerGames");
    gameTable_->setHorizontalHeaderLabels(
        {tr("黒"), tr("白"), tr("日付"), tr("棋戦"), tr("結果"), tr("隅"), tr("手数")});
    gameTable_->horizontalHeaderItem(kDate)->setToolTip(tr("クリックで新しい順と古い順を切り替えます"));
    gameTable_->horizontalHeader()->setSortIndicatorShown(true);
    gameTable_->horizontalHeader()->setSortIndicator(kDate, Qt::DescendingOrder);
    gameTable_->verticalHeader()->hide();
    gameTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gameTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gameTable_->horizontalHeader()->setSectionsClickable(true);
    // The core sorts the whole list, so that every page follows the order.
    connect(gameTable_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortGamesBy(column); });
    connect(gameTable_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem* item = gameTable_->item(row, kBlack);
        if (item == nullptr || !open_) return;
        const std::size_t i = item->data(Qt::UserRole).toULongLong();
        if (i < games_.games.size()) open_(games_.games[i]);
    });
    layout->addWidget(gameTable_, 2);

    auto* paging = new QHBoxLayout;
    previous_ = new QPushButton(tr("前へ"), this);
    previous_->setObjectName("btnExplorerPrevious");
    next_ = new QPushButton(tr("次へ"), this);
    next_->setObjectName("btnExplorerNext");
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("lblExplorerPage");
    connect(previous_, &QPushButton::clicked, this, [this] { PreviousPage(); });
    connect(next_, &QPushButton::clicked, this, [this] { NextPage(); });
    paging->addWidget(previous_);
    paging->addWidget(pageLabel_, 1, Qt::AlignCenter);
    paging->addWidget(next_);
    layout->addLayout(paging);
}

TExplorerPanel::~TExplorerPanel() = default;

bool TExplorerPanel::Attach(TCompanion db) {
    query_.emplace(std::move(db));
    if (!query_->Any()) {
        query_.reset();
        return false;
    }
    return true;
}

void TExplorerPanel::Detach() {
    query_.reset();
    position_ = {};
    games_ = {};
}

bool TExplorerPanel::Filtered() const { return query_ && query_->Filter().Any(); }

std::vector<std::pair<TPoint, long long>> TExplorerPanel::CandidateGames() const {
    std::vector<std::pair<TPoint, long long>> counts;
    for (const TExplorerCandidate& c : position_.candidates)
        if (c.counts.games > 0 && !IsTenuki(c.move.x, c.move.y)) counts.emplace_back(c.move, c.counts.games);
    return counts;
}

void TExplorerPanel::ApplyFilterNow() {
    filterTimer_->stop();
    const TParsedFilter parsed =
        ParseFilterText({FromQt(from_->text()), FromQt(to_->text()), FromQt(player_->text()), FromQt(event_->text())});
    from_->setStyleSheet(parsed.fromValid ? QString() : QStringLiteral("color: red"));
    to_->setStyleSheet(parsed.toValid ? QString() : QStringLiteral("color: red"));
    if (!query_) return;
    query_->SetFilter(parsed.filter);
    if (filterChanged_) filterChanged_();
}

void TExplorerPanel::ShowPosition(const TLjsk& list, int record, const TGoban& board) {
    if (!query_) return;
    position_ = query_->Position(list, record);
    page_ = 0;
    ShowCandidates(board);
    ShowGames();
}

void TExplorerPanel::ShowCandidates(const TGoban& board) {
    const TPassCounts& here = position_.counts;
    summary_->setText(tr("この局面 %1 局（1局は対局の隅の一つ）、黒勝 %2、白勝 %3")
                          .arg(here.games)
                          .arg(here.blackWins)
                          .arg(here.whiteWins));
    candidates_->setRowCount(0);
    candidates_->setRowCount(static_cast<int>(position_.candidates.size()));
    for (int row = 0; row < static_cast<int>(position_.candidates.size()); ++row) {
        const TExplorerCandidate& c = position_.candidates[static_cast<std::size_t>(row)];
        candidates_->setItem(row, kLabel, Item(ToQt(c.label)));
        candidates_->setItem(row, kMove, Item(MoveName(c.move, board)));
        candidates_->setItem(row, kGames, Number(c.counts.games));
        candidates_->setItem(row, kShare, Item(QString::number(c.share * 100.0, 'f', 1) + "%", Qt::AlignRight | Qt::AlignVCenter));
        candidates_->setCellWidget(row, kWins, new TWinBar(c.counts.blackWins, c.counts.whiteWins, candidates_));
        candidates_->setItem(row, kFirst, Item(c.counts.firstYear ? QString::number(c.counts.firstYear) : QString("-")));
        candidates_->setItem(row, kLast, Item(c.counts.lastYear ? QString::number(c.counts.lastYear) : QString("-")));
        if (c.counts.byYear.empty()) continue;
        auto* chart = new QChart;
        chart->legend()->hide();
        chart->setMargins(QMargins(0, 0, 0, 0));
        chart->setBackgroundRoundness(0);
        QLineSeries* series = ShareByYear(c.counts, here);
        chart->addSeries(series);
        chart->createDefaultAxes();
        for (QAbstractAxis* axis : chart->axes()) axis->hide();
        auto* view = new QChartView(chart, candidates_);
        view->setRenderHint(QPainter::Antialiasing, false);
        view->setToolTip(tr("年ごとの局面の対局のうちこの手の割合"));
        candidates_->setCellWidget(row, kYears, view);
    }
}

void TExplorerPanel::ShowGames() {
    if (!query_) return;
    games_ = query_->Games(position_.record, page_, kPageSize, order_);
    page_ = ClampPage(page_, games_.total, kPageSize);
    gameTable_->setSortingEnabled(false);
    gameTable_->setRowCount(0);
    gameTable_->setRowCount(static_cast<int>(games_.games.size()));
    for (int row = 0; row < static_cast<int>(games_.games.size()); ++row) {
        const TGameListing& g = games_.games[static_cast<std::size_t>(row)];
        const TGameText& t = g.game.text;
        QTableWidgetItem* black = Item(Player(t.black, t.blackRank));
        black->setData(Qt::UserRole, static_cast<qulonglong>(row));
        black->setToolTip(PathToQt(t.file) + " #" + QString::number(t.index));
        gameTable_->setItem(row, kBlack, black);
        gameTable_->setItem(row, kWhite, Item(Player(t.white, t.whiteRank)));
        gameTable_->setItem(row, kDate, Item(ToQt(t.date)));
        gameTable_->setItem(row, kEvent, Item(ToQt(t.event)));
        gameTable_->setItem(row, kResult, Item(ToQt(t.result)));
        gameTable_->setItem(row, kCorner, Item(tr(kCornerNames[g.pass.corner & 3])));
        gameTable_->setItem(row, kMoveNumber, Number(g.pass.moveNumber));
    }
    ShowPageLabel();
}

void TExplorerPanel::SortGamesBy(int column) {
    static const std::pair<int, EGameSort> kSorts[] = {{kBlack, EGameSort::Black}, {kWhite, EGameSort::White},
                                                       {kDate, EGameSort::Date},   {kEvent, EGameSort::Event},
                                                       {kResult, EGameSort::Result}, {kMoveNumber, EGameSort::Move}};
    const auto found = std::find_if(std::begin(kSorts), std::end(kSorts), [column](const auto& s) { return s.first == column; });
    QHeaderView* header = gameTable_->horizontalHeader();
    if (found == std::end(kSorts)) {
        // The indicator stays on the column that orders the list.
        header->setSortIndicator(static_cast<int>(std::find_if(std::begin(kSorts), std::end(kSorts), [this](const auto& s) {
                                                       return s.second == order_.by;
                                                   })->first),
                                 header->sortIndicatorOrder());
        return;
    }
    order_.reversed = order_.by == found->second && !order_.reversed;
    order_.by = found->second;
    // The date's first order is newest first, the others' A to Z.
    const bool descending = (order_.by == EGameSort::Date) != order_.reversed;
    header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    page_ = 0;
    ShowGames();
}

void TExplorerPanel::ShowPageLabel() {
    const long long pages = PageCount(games_.total, kPageSize);
    pageLabel_->setText(tr("%1 / %2 ページ（%3 局）").arg(page_ + 1).arg(pages).arg(games_.total));
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < pages);
}

void TExplorerPanel::NextPage() {
    if (page_ + 1 >= PageCount(games_.total, kPageSize)) return;
    ++page_;
    ShowGames();
}

void TExplorerPanel::PreviousPage() {
    if (page_ == 0) return;
    --page_;
    ShowGames();
}

void TExplorerPanel::ShowYearChart() {
    auto* dialog = new QDialog(this);
    dialog->setObjectName("ExplorerYearChart");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("候補手の年別の対局数"));
    auto* chart = new QChart;
    for (const TExplorerCandidate& c : position_.candidates) {
        if (c.counts.games == 0) continue;
        auto* series = new QLineSeries;
        series->setName(ToQt(c.label.empty() ? std::string("-") : c.label));
        for (const auto& [year, games] : position_.counts.byYear) {
            const auto it = c.counts.byYear.find(year);
            series->append(year, it == c.counts.byYear.end() ? 0 : static_cast<double>(it->second));
        }
        chart->addSeries(series);
    }
    chart->createDefaultAxes();
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal))
        if (auto* years = qobject_cast<QValueAxis*>(axis)) years->setLabelFormat("%d");
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QChartView(chart, dialog));
    dialog->resize(640, 400);
    dialog->show();
}

}  // namespace vxlo
