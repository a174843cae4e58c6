#pragma once
// TGameViewer: one kept game on the whole board, read-only, opened at the
// move where it reached the explorer's position with that corner's square
// framed. Back and forward by buttons, arrow keys and the wheel; "go to"
// hands the moves shown to the main window's corner lookup.
#include <QDialog>
#include <functional>
#include <vector>

#include "companion/ExplorerQuery.h"

class QLabel;
class QPushButton;

namespace vxlo {

class TGameViewer : public QDialog {
    Q_OBJECT
public:
    // goTo(moves 1..shown as points, corner) takes the main window there.
    using TGoTo = std::function<void(const std::vector<TPoint>& moves, int corner)>;
    TGameViewer(const TGameListing& listing, std::vector<TReplayMove> moves, TGoTo goTo, QWidget* parent);

    int Shown() const { return shown_; }
    int MoveCount() const { return static_cast<int>(moves_.size()); }
    const TBoardStones& Stones() const { return stones_; }
    int Corner() const { return listing_.pass.corner; }
    void Step(int moves);
    void GoToDictionary();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Show(int n);

    TGameListing listing_;
    std::vector<TReplayMove> moves_;
    TGoTo goTo_;
    int shown_ = 0;
    TBoardStones stones_{};
    QWidget* board_ = nullptr;
    QLabel* moveLabel_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

}  // namespace vxlo
