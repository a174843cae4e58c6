#pragma once
// TFindForm: the window "検索" for finding one's way in a large dictionary:
// comment search with its results, the other paths to the current position,
// and a position from a pasted game. Choosing an entry of a list asks the
// main window to go to its record; the finding itself is in the core.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "board/Goban.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QSpinBox;

namespace vxlo {

// One line of a result list: a record, its moves and what to say of it.
struct TListedRecord {
    int record = 0;
    std::vector<TPoint> moves;
    std::string note;
};

class TFindForm final : public QDialog {
    Q_OBJECT
public:
    explicit TFindForm(QWidget* parent = nullptr);

    // Handlers of the main window: a search asked for, a game to look up
    // (text, up to which move), a record chosen.
    void SetSearchHandler(std::function<void(const std::string&)> handler) { search_ = std::move(handler); }
    void SetGameHandler(std::function<void(const std::string&, int)> handler) { game_ = std::move(handler); }
    void SetGoToHandler(std::function<void(int)> handler) { goTo_ = std::move(handler); }
    // An SGF file to look up instead of the pasted text (up to which move).
    void SetGameFileHandler(std::function<void(int)> handler) { gameFile_ = std::move(handler); }

    void ShowResults(const std::vector<TListedRecord>& results);
    void ShowSamePositions(const std::vector<TListedRecord>& others);
    void ShowCornerMatches(const std::vector<TListedRecord>& matches);

    QLineEdit* SearchEdit() const { return searchEdit_; }
    QListWidget* Results() const { return results_; }
    QListWidget* SamePositions() const { return same_; }
    QPlainTextEdit* GameText() const { return gameText_; }
    QSpinBox* MoveNumber() const { return moveNumber_; }
    QListWidget* CornerMatches() const { return corners_; }

    void SearchClick();
    void GameClick();
    void GameFileClick();
    // What choosing an entry does (a double click, Enter).
    void Choose(QListWidgetItem* item);

private:
    static void Fill(QListWidget* list, const std::vector<TListedRecord>& entries);

    std::function<void(const std::string&)> search_;
    std::function<void(const std::string&, int)> game_;
    std::function<void(int)> goTo_;
    std::function<void(int)> gameFile_;
    QLineEdit* searchEdit_ = nullptr;
    QListWidget* results_ = nullptr;
    QLabel* sameLabel_ = nullptr;
    QListWidget* same_ = nullptr;
    QPlainTextEdit* gameText_ = nullptr;
    QSpinBox* moveNumber_ = nullptr;
    QListWidget* corners_ = nullptr;
};

}  // namespace vxlo
