#include "gui/mainwindow/LinesCommands.h"

#include <QAction>
#include <QDockWidget>
#include <QTreeWidget>

#include "board/BoardGeometry.h"
#include "companion/EngineReviewStore.h"
#include "core/VxloError.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/LinesPanel.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

TLinesCommands::TLinesCommands(TSDIAppForm& window) : TWindowPart(window) {
    TLinesPanel::TSource source;
    source.children = [this](std::int64_t record) {
        TNavigation& nav = w_.nav_;
        return nav.FileOpen() ? LineEntries(nav.Dictionary().Store(), record) : std::vector<TLineEntry>{};
    };
    source.name = [this](TPoint move) { return PointName(move); };
    source.games = [this](std::int64_t record) {
        std::optional<TEvidenceStore>& evidence = w_.parts_.evidence->Store();
        if (!evidence) return QString();
        try {
            const std::optional<TEvidence> e = evidence->Get(static_cast<int>(record));
            return e && e->games > 0 ? QString::number(e->games) : QString();
        } catch (const EVxloError&) {
            return QString();  // the panel reads on; the count window reports the store
        }
    };
    source.comment = [this](std::int64_t record) {
        try {
            const std::optional<std::string> text = w_.comments_.StoredComment(static_cast<int>(record));
            return text ? ToQt(CommentHead(*text)) : QString();
        } catch (const EVxloError&) {
            return QString();
        }
    };
    source.lost = [this](std::int64_t record, TPoint move) -> std::optional<double> {
        if (!w_.companion_) return std::nullopt;
        try {
            const std::optional<TStoredReview> review =
                TEngineReviewStore(w_.companion_).Get(static_cast<int>(record));
            if (review)
                for (const TStoredMoveFigure& f : review->candidates)
                    if (f.move == move) return f.pointsLost;
        } catch (const EVxloError&) {
        }
        return std::nullopt;
    };
    source.lostColour = [this](double lost) { return ReviewBandColor(LossBand(lost, w_.Review().Limits())); };
    linesPanel_ = new TLinesPanel(std::move(source), &w_);
    linesDock_ = new QDockWidget(TSDIAppForm::tr("手順"), &w_);
    linesDock_->setObjectName("LinesDock");
    linesDock_->setWidget(linesPanel_);
    linesDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    w_.addDockWidget(Qt::RightDockWidgetArea, linesDock_);
    // Off until asked for: the window keeps the size and place the settings
    // give it, and the seed's windows theirs.
    linesDock_->hide();
    QObject::connect(linesDock_, &QDockWidget::visibilityChanged, &w_, [this](bool shown) {
        if (shown) RefreshLines();
    });
    // The panel's clicks end a practice as the keys that walk the tree do.
    QObject::connect(linesPanel_, &TLinesPanel::pathChosen, &w_, [this](int moves) {
        TNavigation& nav = w_.nav_;
        w_.Guard([&] {
            w_.parts_.practice->Run(EDuringPractice::Ends, [&] {
                TOneMoveScope oneMove(nav);
                while (nav.Path().Count() > moves) nav.Back();
            });
        });
    });
    QObject::connect(linesPanel_, &TLinesPanel::lineChosen, &w_, [this](const std::vector<TPoint>& below) {
        TNavigation& nav = w_.nav_;
        w_.Guard([&] {
            w_.parts_.practice->Run(EDuringPractice::Ends, [&] {
                std::vector<TPoint> line = CurrentLine(nav);
                line.insert(line.end(), below.begin(), below.end());
                nav.FollowLine(line);
            });
        });
    });
}

std::vector<TActionRow> TLinesCommands::Actions() {
    return {TActionRow::Command("mnuLinesPanel", TSDIAppForm::tr("手順パネル"),
                                TSDIAppForm::tr("初手からの手順とこの先の変化を盤の横に表示する"))
                .In("mnuOperation", place::kLinesPanel)
                .Keys({QKeySequence(Qt::CTRL | Qt::Key_L)})
                .Adopting(linesDock_->toggleViewAction())};
}

QString TLinesCommands::PointName(TPoint move) const {
    if (IsTenuki(move.x, move.y)) return TSDIAppForm::tr("手抜き");
    return ToQt(CellName(w_.nav_.Board().BoardToDisplay(move.x, move.y), kBoardSize));
}

void TLinesCommands::RefreshLines() {
    if (!linesPanel_) return;
    // A hidden panel reads nothing; it is filled when shown again.
    if (!linesDock_->isVisible() && w_.isVisible()) return;
    TNavigation& nav = w_.nav_;
    try {
        linesPanel_->Show(CurrentLine(nav), nav.FileOpen() ? nav.CurrentRecord() : -1);
    } catch (const EVxloError&) {
        linesPanel_->Show({}, -1);  // a read the board has reported already
    }
}

}  // namespace vxlo
