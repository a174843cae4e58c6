#include "gui/records/GameViewer.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "board/Goban.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {

// The board as the game shows it, in its own orientation: the viewer shows
// the record, not the dictionary.
class TViewerBoard : public QWidget {
public:
    TViewerBoard(const TGameViewer& viewer, QWidget* parent) : QWidget(parent), viewer_(viewer) {
        setObjectName("ViewerBoard");
        setMinimumSize(19 * 20 + 20, 19 * 20 + 20);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const int cell = std::max(8, std::min(width(), height()) / (kBoardSize + 1));
        const int left = (width() - cell * kBoardSize) / 2, top = (height() - cell * kBoardSize) / 2;
        const auto centre = [&](int x, int y) {
            return QPoint(left + (x - 1) * cell + cell / 2, top + (y - 1) * cell + cell / 2);
        };
        p.fillRect(rect(), QColor(220, 180, 100));
        p.setPen(Qt::black);
        for (int i = 1; i <= kBoardSize; ++i) {
            p.drawLine(centre(i, 1), centre(i, kBoardSize));
            p.drawLine(centre(1, i), centre(kBoardSize, i));
        }
        const TBoardStones& stones = viewer_.Stones();
        for (int y = 1; y <= kBoardSize; ++y) {
            for (int x = 1; x <= kBoardSize; ++x) {
                const int s = stones[static_cast<std::size_t>((y - 1) * kBoardSize + x - 1)];
                if (s != Black && s != White) continue;
                p.setBrush(s == Black ? Qt::black : Qt::white);
                p.setPen(Qt::black);
                p.drawEllipse(centre(x, y), cell / 2 - 1, cell / 2 - 1);
            }
        }
        const TSquare q = CornerSquare(viewer_.Corner());
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawRect(QRect(left + (q.left - 1) * cell, top + (q.top - 1) * cell, (q.right - q.left + 1) * cell,
                         (q.bottom - q.top + 1) * cell));
    }

private:
    const TGameViewer& viewer_;
};

QString Side(const std::string& name, const std::string& rank) {
    return rank.empty() ? ToQt(name) : ToQt(name) + " " + ToQt(rank);
}

}  // namespace

TGameViewer::TGameViewer(const TGameListing& listing, std::vector<TReplayMove> moves, TGoTo goTo, QWidget* parent)
    : QDialog(parent), listing_(listing), moves_(std::move(moves)), goTo_(std::move(goTo)) {
    setObjectName("GameViewer");
    setAttribute(Qt::WA_DeleteOnClose);
    const TGameText& t = listing_.game.text;
    setWindowTitle(tr("棋譜 %1").arg(PathToQt(t.file)));
    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(tr("黒 %1　白 %2\n%3　%4　%5")
                                  .arg(Side(t.black, t.blackRank), Side(t.white, t.whiteRank), ToQt(t.date),
                                       ToQt(t.event), ToQt(t.result)),
                              this);
    header->setObjectName("lblViewerHeader");
    layout->addWidget(header);
    board_ = new TViewerBoard(*this, this);
    layout->addWidget(board_, 1);
    auto* buttons = new QHBoxLayout;
    back_ = new QPushButton(tr("◀ 戻る"), this);
    back_->setObjectName("btnViewerBack");
    forward_ = new QPushButton(tr("進む ▶"), this);
    forward_->setObjectName("btnViewerForward");
    moveLabel_ = new QLabel(this);
    moveLabel_->setObjectName("lblViewerMove");
    auto* goButton = new QPushButton(tr("この隅の定石へ"), this);
    goButton->setObjectName("btnViewerGoTo");
    for (QPushButton* b : {back_, forward_, goButton}) b->setAutoDefault(false);
    connect(back_, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(forward_, &QPushButton::clicked, this, [this] { Step(1); });
    connect(goButton, &QPushButton::clicked, this, [this] { GoToDictionary(); });
    buttons->addWidget(back_);
    buttons->addWidget(moveLabel_, 1, Qt::AlignCenter);
    buttons->addWidget(forward_);
    buttons->addWidget(goButton);
    layout->addLayout(buttons);
    Show(ShownMove(listing_.pass, moves_.size()));
}

void TGameViewer::Show(int n) {
    shown_ = std::clamp(n, 0, MoveCount());
    stones_ = StonesAfter(moves_, shown_);
    moveLabel_->setText(tr("%1 / %2 手").arg(shown_).arg(MoveCount()));
    back_->setEnabled(shown_ > 0);
    forward_->setEnabled(shown_ < MoveCount());
    board_->update();
}

void TGameViewer::Step(int moves) { Show(shown_ + moves); }

void TGameViewer::GoToDictionary() {
    if (!goTo_) return;
    std::vector<TPoint> points;
    for (int i = 0; i < shown_; ++i) {
        const TReplayMove& m = moves_[static_cast<std::size_t>(i)];
        points.push_back({m.x, m.y});
    }
    goTo_(points, listing_.pass.corner);
}

void TGameViewer::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: Step(-1); return;
    case Qt::Key_Right: Step(1); return;
    case Qt::Key_Home: Show(0); return;
    case Qt::Key_End: Show(MoveCount()); return;
    default: QDialog::keyPressEvent(event);
    }
}

void TGameViewer::wheelEvent(QWheelEvent* event) {
    // Away from the user goes back, as on the main board.
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) Step(-notches);
    event->accept();
}

}  // namespace vxlo
