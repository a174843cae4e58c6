#include "gui/mainwindow/ReviewCommands.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QProgressDialog>
#include <QStatusBar>
#include <algorithm>
#include <cstdio>

#include "core/VxloError.h"
#include "engine/EngineProcess.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/EngineSettingsDialog.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"

namespace vxlo {

QString PointsLostText(double pointsLost) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", pointsLost);
    return QString::fromLatin1(text);
}

QColor ReviewBandColor(ELossBand band) {
    switch (band) {
    case ELossBand::Good:
        return QColor(0, 190, 0);
    case ELossBand::Doubtful:
        return QColor(240, 200, 0);
    case ELossBand::Bad:
        break;
    }
    return QColor(230, 30, 30);
}

TReviewCommands::TReviewCommands(TSDIAppForm& window) : TWindowPart(window) {}

TReviewCommands::~TReviewCommands() {
    if (worker_) worker_->Stop();
}

std::vector<TActionRow> TReviewCommands::Actions() {
    using R = TActionRow;
    const auto idle = [this] { return w_.FileOpen() && !worker_; };
    return {
        R::Command("mnuReviewPosition", tr("この局面を検討"), tr("解析エンジンにこの局面の候補手を評価させる"))
            .In("mnuReview", 10)
            .Runs([this] { ReviewPosition(); })
            .EnabledWhen(idle),
        R::Command("mnuReviewLines", tr("この先の手順を検討..."),
                   tr("この局面から指定した手数先までの局面を解析エンジンで評価する"))
            .In("mnuReview", 20)
            .Runs([this] { ReviewLines(); })
            .EnabledWhen(idle),
        R::Separator("mnuReview", 30),
        R::Command("mnuEngineSettings", tr("エンジンの設定..."),
                   tr("解析エンジンのコマンドと探索数、色分けの境目を設定する"))
            .In("mnuReview", 40)
            .Runs([this] { EditSettings(); }),
    };
}

const TEngineIniSettings& TReviewCommands::Limits() {
    if (!limits_) limits_ = ReadEngineSettings(TIniFile(w_.SettingsPath()));
    return *limits_;
}

void TReviewCommands::ReviewPosition() { ReviewBelow(0); }

void TReviewCommands::ReviewLines() {
    if (!w_.FileOpen() || worker_) return;
    QInputDialog dialog(&w_);
    dialog.setObjectName("ReviewDepthDialog");
    dialog.setWindowTitle(tr("この先の手順を検討"));
    dialog.setLabelText(tr("何手先までの局面を検討しますか"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, kMaxPathMoves);
    dialog.setIntValue(lastDepth_);
    dialog.setOkButtonText(tr("OK"));
    dialog.setCancelButtonText(tr("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return;
    lastDepth_ = dialog.intValue();
    ReviewBelow(lastDepth_);
}

void TReviewCommands::ReviewBelow(int depth) {
    if (!w_.FileOpen() || worker_) return;
    const TEngineIniSettings ini = ReadEngineSettings(TIniFile(w_.SettingsPath()));
    limits_ = ini;
    // An unclosed quote is the user's to mend: the error says so.
    std::vector<std::string> command = SplitCommandLine(ini.command);
    if (command.empty()) {
        w_.Messages().Information(tr("解析エンジンが設定されていません。検討 → エンジンの設定 でコマンドを入れてください"));
        return;
    }
    TNavigation& nav = w_.Navigation();
    std::vector<TPoint> line;
    for (int n = 1; n <= nav.Path().Count(); ++n) line.push_back(nav.Path().GetMove(n));
    std::vector<TReviewPosition> positions =
        PositionsBelow(nav.Dictionary().Store(), nav.CurrentRecord(), line, depth);
    const int count = static_cast<int>(positions.size());
    // The window reads what the worker stores through its own connection,
    // which sees the tables only when they were there before it.
    w_.Companion()->Ensure(ECompanionTable::EngineCandidate);
    TEngineSettings engine;
    engine.command = std::move(command);
    engine.visits = ini.visits;
    engine.rules = ini.rules;
    engine.komi = ini.komi;
    ++run_;
    worker_ = std::make_unique<TReviewWorker>(w_.CurrentFile(), std::move(engine), std::move(positions),
                                             static_cast<IReviewListener&>(*this));

    progress_ = new QProgressDialog(tr("検討しています：0 / %1 局面").arg(count), tr("中止"), 0, std::max(1, count),
                                    &w_);
    progress_->setObjectName("ReviewProgress");
    progress_->setWindowTitle(tr("エンジンの検討"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumDuration(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] {
        if (!worker_) return;
        worker_->Cancel();
        w_.statusBar_->showMessage(tr("検討を中止しています。いまの組の局面を保存して止まります"));
    });
    progress_->show();
    w_.UpdateActions();
}

void TReviewCommands::Progress(int done, int total) {
    const int run = run_;  // set before this worker started, not changed while it runs
    QMetaObject::invokeMethod(
        this, [this, run, done, total] { OnProgress(run, done, total); }, Qt::QueuedConnection);
}

void TReviewCommands::Ended(const TReviewOutcome& outcome) {
    const int run = run_;
    QMetaObject::invokeMethod(
        this, [this, run, outcome] { OnEnded(run, outcome); }, Qt::QueuedConnection);
}

void TReviewCommands::OnProgress(int run, int done, int total) {
    if (run != run_ || !worker_) return;
    ++landed_;
    w_.Parts().evidence->RefreshEvidence();
    w_.BoardArea().update();
    // Last: a modal progress dialog handles events while it takes a value.
    if (progress_ && !progress_->wasCanceled()) {
        progress_->setLabelText(tr("検討しています：%1 / %2 局面").arg(done).arg(total));
        progress_->setMaximum(std::max(1, total));
        progress_->setValue(done);
    }
}

void TReviewCommands::OnEnded(int run, const TReviewOutcome& outcome) {
    if (run != run_ || !worker_) return;
    worker_.reset();  // its thread has told its end: the join is at hand
    CloseProgress();
    ++landed_;
    w_.Parts().evidence->RefreshEvidence();
    w_.BoardArea().update();
    w_.UpdateActions();
    const QString text = outcome.error ? tr("検討は途中で終わりました：%1 局面を保存しました").arg(outcome.stored)
                         : outcome.cancelled
                             ? tr("検討を中止しました：%1 局面を保存しました").arg(outcome.stored)
                             : tr("検討しました：%1 局面（検討済みの %2 局面は飛ばしました）")
                                   .arg(outcome.stored)
                                   .arg(outcome.skipped);
    w_.statusBar_->showMessage(text, 10000);
    // Once, by the engine's name; the window goes on without it.
    if (outcome.error) {
        RunGuarded(w_.Messages(), [&] { std::rethrow_exception(outcome.error); });
    }
}

void TReviewCommands::CloseProgress() {
    if (!progress_) return;
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
}

void TReviewCommands::Stop() {
    // The dictionary closes: what is known of its file is read again at the next open.
    ++landed_;
    if (!worker_) return;
    worker_->Stop();
    worker_.reset();
    CloseProgress();
    w_.UpdateActions();
}

void TReviewCommands::EditSettings() {
    TIniFile ini(w_.SettingsPath());
    TEngineSettingsDialog dialog(ReadEngineSettings(ini), &w_);
    if (dialog.exec() != QDialog::Accepted) return;
    WriteEngineSettings(ini, dialog.Settings());
    limits_ = ReadEngineSettings(ini);
    w_.BoardArea().update();
}

const std::optional<TStoredReview>& TReviewCommands::Shown() {
    const TNavigation& nav = w_.Navigation();
    const TShownKey key{w_.CurrentFile(), nav.FileOpen() ? nav.CurrentRecord() : -1, landed_};
    if (key == shownKey_) return shown_;
    shownKey_ = key;
    shown_.reset();
    if (!nav.FileOpen() || !w_.companion_) return shown_;
    try {
        TEngineReviewStore store(w_.companion_);
        if (anyKey_ != std::pair(key.file, key.landed)) {
            anyKey_ = {key.file, key.landed};
            any_ = store.Any();
        }
        if (any_) shown_ = store.Get(key.rec);
    } catch (const EVxloError&) {
        // The figures are an extra: a store that cannot be read was
        // reported at the open, and the board shows without them.
    }
    return shown_;
}

bool TReviewCommands::FiguresShown() const {
    // Practice hides the candidates, and their figures would give them away.
    return w_.Renderer().PaintEnabled() && w_.Navigation().LabelMode() == ELabelMode::Shown && !w_.Practice();
}

void TReviewCommands::PaintOverlay(QPainter& p) {
    TNavigation& nav = w_.Navigation();
    const TBoardRenderer& renderer = w_.Renderer();
    if (!FiguresShown()) return;
    const std::optional<TStoredReview>& review = Shown();
    if (!review) return;
    const int s = renderer.CellSize();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont font = renderer.TextFont();
    // Small, in the upper left of the point: the kana stays the thing to read.
    font.setPixelSize(std::max(7, s * 2 / 5));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias));
    p.setFont(font);
    const auto box = [&](TPoint move) {
        const TPoint cell = nav.Board().BoardToDisplay(move.x, move.y);
        return QRect(renderer.BoardLeft() + (cell.x - 1) * s,
                     renderer.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight, s, s);
    };
    const auto figure = [&](const TStoredMoveFigure& f, const QRect& cell) {
        p.setPen(ReviewBandColor(LossBand(f.pointsLost, Limits())));
        p.drawText(cell.adjusted(0, -1, 2, 0), Qt::AlignLeft | Qt::AlignTop, PointsLostText(f.pointsLost));
    };
    for (const TStoredMoveFigure& f : review->candidates) {
        if (IsTenuki(f.move.x, f.move.y) || nav.Board().PointState(f.move.x, f.move.y) != Candidate) continue;
        figure(f, box(f.move));
    }
    // The engine's moves the dictionary lacks: a ring on the empty point.
    for (const TStoredMoveFigure& f : review->missing) {
        if (IsTenuki(f.move.x, f.move.y) || nav.Board().PointState(f.move.x, f.move.y) != Empty) continue;
        const QRect cell = box(f.move);
        p.setPen(QPen(ReviewBandColor(LossBand(f.pointsLost, Limits())), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(cell.center(), s / 3, s / 3);
        figure(f, cell);
    }
    p.restore();
}

std::optional<TTenukiSpot::TFigure> TReviewCommands::TenukiFigure() {
    if (!FiguresShown()) return std::nullopt;
    const std::optional<TStoredReview>& review = Shown();
    if (!review) return std::nullopt;
    for (const TStoredMoveFigure& f : review->candidates)
        if (IsTenuki(f.move.x, f.move.y))
            return TTenukiSpot::TFigure{PointsLostText(f.pointsLost), ReviewBandColor(LossBand(f.pointsLost, Limits()))};
    return std::nullopt;
}

}  // namespace vxlo
