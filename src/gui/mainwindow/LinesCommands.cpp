// The lines panel of the main window: docked beside the board, following
// every position the board shows; its clicks walk the tree as board clicks do.
#include <QAction>
#include <QDockWidget>
#include <QTreeWidget>

#include "companion/EngineReviewStore.h"
#include "gui/mainwindow/LinesPanel.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "board/BoardGeometry.h"
#include "settings/IniFile.h"

namespace vxlo {

void TSDIAppForm::CreateLinesPanel() {
    TLinesPanel::TSource source;
    source.children = [this](std::int64_t record) {
        return nav_.FileOpen() ? LineEntries(nav_.Dictionary().Store(), record) : std::vector<TLineEntry>{};
    };
    source.name = [this](TPoint move) { return PointName(move); };
    source.games = [this](std::int64_t record) {
        if (!evidence_) return QString();
        try {
            const std::optional<TEvidence> e = evidence_->Get(static_cast<int>(record));
            return e && e->games > 0 ? QString::number(e->games) : QString();
        } catch (const EVxloError&) {
            return QString();  // the panel reads on; the count window reports the store
        }
    };
    source.comment = [this](std::int64_t record) {
        try {
            const std::optional<std::string> text = comments_.StoredComment(static_cast<int>(record));
            return text ? ToQt(CommentHead(*text)) : QString();
        } catch (const EVxloError&) {
            return QString();
        }
    };
    source.lost = [this](std::int64_t record, TPoint move) -> std::optional<double> {
        if (!companion_) return std::nullopt;
        try {
            const std::optional<TStoredReview> review = TEngineReviewStore(companion_).Get(static_cast<int>(record));
            if (review)
                for (const TStoredMoveFigure& f : review->candidates)
                    if (f.move == move) return f.pointsLost;
        } catch (const EVxloError&) {
        }
        return std::nullopt;
    };
    source.lostColour = [this](double lost) { return ReviewBandColor(LossBand(lost, Review().Limits())); };
    linesPanel_ = new TLinesPanel(std::move(source), this);
    linesDock_ = new QDockWidget(tr("手順"), this);
    linesDock_->setObjectName("LinesDock");
    linesDock_->setWidget(linesPanel_);
    linesDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, linesDock_);
    // Off until asked for: the window keeps the size and place the settings
    // give it, and the seed's windows theirs.
    linesDock_->hide();
    mnuLinesPanel_ = linesDock_->toggleViewAction();
    mnuLinesPanel_->setObjectName("mnuLinesPanel");
    mnuLinesPanel_->setText(tr("手順パネル"));
    mnuLinesPanel_->setStatusTip(LongHint(tr("初手からの手順とこの先の変化を盤の横に表示する")));
    mnuLinesPanel_->setShortcut(Qt::CTRL | Qt::Key_L);
    connect(linesDock_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown) RefreshLines();
    });
    connect(linesPanel_, &TLinesPanel::pathChosen, this, [this](int moves) {
        Guard([&] {
            RunCommand(mnuModoru_, [&] {
                TOneMoveScope oneMove(nav_);
                while (nav_.Path().Count() > moves) nav_.Back();
            });
        });
    });
    connect(linesPanel_, &TLinesPanel::lineChosen, this, [this](const std::vector<TPoint>& below) {
        Guard([&] {
            RunCommand(mnuForward_, [&] {
                std::vector<TPoint> line = CurrentLine(nav_);
                line.insert(line.end(), below.begin(), below.end());
                nav_.FollowLine(line);
            });
        });
    });
}

QString TSDIAppForm::PointName(TPoint move) const {
    if (IsTenuki(move.x, move.y)) return tr("手抜き");
    return ToQt(CellName(nav_.Board().BoardToDisplay(move.x, move.y), kBoardSize));
}

void TSDIAppForm::ReadDockLayout(const TIniFile& ini) {
    const std::string state = ini.ReadString("Form", "Docks", "");
    if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void TSDIAppForm::WriteDockLayout(TIniFile& ini) const {
    ini.WriteString("Form", "Docks", saveState().toBase64().toStdString());
}

void TSDIAppForm::RefreshLines() {
    if (!linesPanel_) return;
    // A hidden panel reads nothing; it is filled when shown again.
    if (!linesDock_->isVisible() && isVisible()) return;
    try {
        linesPanel_->Show(CurrentLine(nav_), nav_.FileOpen() ? nav_.CurrentRecord() : -1);
    } catch (const EVxloError&) {
        linesPanel_->Show({}, -1);  // a read the board has reported already
    }
}

}  // namespace vxlo
