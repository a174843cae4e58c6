#pragma once
// TReviewCommands: the main window's engine review. Its menu reviews the
// shown position, or the lines below it to a depth, on a worker thread
// (TReviewWorker) behind a progress dialog that can cancel, and edits the
// engine's settings; the board shows each candidate's points lost beside
// its kana and the engine's moves the dictionary lacks, in the colours of
// the settings' limits, repainted as each batch lands. Closing the
// dictionary or the window stops the worker and its engine.
#include <QColor>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "gui/board/TenukiSpot.h"
#include "gui/mainwindow/ActionTable.h"
#include "settings/EngineSettings.h"
#include "companion/EngineReviewStore.h"
#include "companion/ReviewWorker.h"

class QAction;
class QMenu;
class QPainter;
class QProgressDialog;

namespace vxlo {

class TSDIAppForm;

// The colour of a figure on the board, for its band.
QColor ReviewBandColor(ELossBand band);
// Points lost with one decimal, rounded as the tool's figures are (printf).
QString PointsLostText(double pointsLost);

class TReviewCommands final : public QObject, public TWindowPart, private IReviewListener {
    Q_OBJECT
public:
    explicit TReviewCommands(TSDIAppForm& window);
    ~TReviewCommands() override;
    // The review menu's commands.
    std::vector<TActionRow> Actions() override;

    void ReviewPosition();  // mnuReviewPosition
    void ReviewLines();     // mnuReviewLines: asks the depth first
    // The shown position and every one up to depth moves below it.
    void ReviewBelow(int depth);
    void EditSettings();    // mnuEngineSettings
    // Ends a running review now (the batch under way is lost); the
    // dictionary's closing calls it.
    void Stop();
    bool Running() const { return worker_ != nullptr; }
    QProgressDialog* ProgressDialog() const { return progress_; }

    // The stored review of the shown position, if any.
    const std::optional<TStoredReview>& Shown();
    void PaintOverlay(QPainter& p);
    // The tenuki candidate's points lost in its colour, for the tenuki spot,
    // under the same conditions as the board's figures.
    std::optional<TTenukiSpot::TFigure> TenukiFigure();
    // The limits of the colours, read when first needed (the settings file
    // is known only once the window is made) and after each change.
    const TEngineIniSettings& Limits();

private:
    // IReviewListener, on the worker's thread: handed to this one.
    void Progress(int done, int total) override;
    void Ended(const TReviewOutcome& outcome) override;
    void OnProgress(int run, int done, int total);
    void OnEnded(int run, const TReviewOutcome& outcome);
    void CloseProgress();
    // The board's figures and the tenuki spot's are shown under the same rule.
    bool FiguresShown() const;

    std::optional<TEngineIniSettings> limits_;
    int lastDepth_ = 3;
    std::unique_ptr<TReviewWorker> worker_;
    int run_ = 0;  // the worker's number: news of an older one is dropped
    QProgressDialog* progress_ = nullptr;
    // What the board shows, read again when the position, the file or the
    // stored figures change.
    int landed_ = 0;
    struct TShownKey {
        std::string file;
        int rec = -1;
        int landed = -1;
        bool operator==(const TShownKey&) const = default;
    } shownKey_;
    std::optional<TStoredReview> shown_;
    // Whether the file holds any review, so that a dictionary without one
    // costs the moves of an import no query each.
    std::pair<std::string, int> anyKey_{std::string(), -1};
    bool any_ = false;
};

}  // namespace vxlo
