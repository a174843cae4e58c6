#pragma once
// TExplorerPanel: the games explorer beside the board. Filters above,
// applied as one types; the shown position's candidates counted over the
// games they let through, with wins by colour and their share by year; the
// position's games below, a page at a time. The questions run in the core
// (TExplorerQuery); this is the glue that shows their answers.
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "companion/ExplorerQuery.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace vxlo {

class TGoban;

class TExplorerPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr long long kPageSize = 50;
    static constexpr int kFilterPauseMs = 300;

    explicit TExplorerPanel(QWidget* parent);
    ~TExplorerPanel() override;

    // The games of db (kept until Detach); false when it keeps none.
    bool Attach(TCompanion db);
    void Detach();
    bool Attached() const { return query_.has_value(); }

    // The position of record, its candidates in list; board names the points
    // as it shows them. The games' page goes back to the first.
    void ShowPosition(const TLjsk& list, int record, const TGoban& board);
    // The candidates' games under the filter, for the counts on the board.
    bool Filtered() const;
    std::vector<std::pair<TPoint, long long>> CandidateGames() const;

    // After a filter change took effect: the window shows the position again.
    void SetFilterHandler(std::function<void()> handler) { filterChanged_ = std::move(handler); }
    // A double click on a game.
    void SetOpenHandler(std::function<void(const TGameListing&)> handler) { open_ = std::move(handler); }

    // The filters take effect now, not after the pause (tests, Enter).
    void ApplyFilterNow();
    void NextPage();
    void PreviousPage();
    long long Page() const { return page_; }
    const TGamePage& GamesPage() const { return games_; }
    // A click on a column's heading orders the whole list by it (again: the
    // other way round) from the first page; the corner orders nothing.
    void SortGamesBy(int column);
    const TGameOrder& GameOrder() const { return order_; }
    const TExplorerPosition& Position() const { return position_; }
    // The chart of the whole position's candidates by year.
    void ShowYearChart();

    QTableWidget* Candidates() const { return candidates_; }
    QTableWidget* Games() const { return gameTable_; }

private:
    void ShowCandidates(const TGoban& board);
    void ShowGames();
    void ShowPageLabel();

    std::optional<TExplorerQuery> query_;
    TExplorerPosition position_;
    TGamePage games_;
    long long page_ = 0;
    TGameOrder order_;

    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* player_ = nullptr;
    QLineEdit* event_ = nullptr;
    QTimer* filterTimer_ = nullptr;
    QLabel* summary_ = nullptr;
    QTableWidget* candidates_ = nullptr;
    QTableWidget* gameTable_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* chart_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    std::function<void()> filterChanged_;
    std::function<void(const TGameListing&)> open_;
};

}  // namespace vxlo
