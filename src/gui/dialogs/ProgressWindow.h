#pragma once
// TProgressWindow: the one progress of every long command of the window.
// It stays hidden for the first half second, so quick commands never flash
// it; then it shows how far the operation got and offers Cancel, which the
// operation reads at its next step and stops there, keeping what it did
// (the step on screen when the button was pressed still runs).
// Modal: while it pumps events, nothing else of the window can be used.
// A command hides it (Finish, or its end of scope) before any summary, so
// no progress ever stays behind the box that reports the result.
#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>

#include "core/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vxlo {

class TProgressWindow final : public QDialog, public IProgress {
    Q_OBJECT
public:
    // The delay before it shows is 500 ms, and events are handled at most
    // every 30 ms; a top-level window with the integer property
    // kDelayProperty or kPumpProperty gives another (tests give 0 to see the
    // window and press its button at a step they choose).
    static constexpr const char* kDelayProperty = "vxloProgressDelayMs";
    static constexpr const char* kPumpProperty = "vxloProgressPumpMs";
    static constexpr int kShowDelayMs = 500;
    static constexpr int kPumpIntervalMs = 30;

    TProgressWindow(const QString& title, QWidget* parent);
    ~TProgressWindow() override;

    bool Step(const TProgressStep& step) override;
    // Hides the window for good; steps after it update nothing.
    void Finish();
    // What the button (and the close box, and Escape) does.
    void Cancel();
    bool Cancelled() const { return cancelled_; }
    const TProgressStep& LastStep() const { return last_; }
    void reject() override { Cancel(); }

private:
    void Show(const TProgressStep& step);

    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QElapsedTimer started_;
    QElapsedTimer sincePump_;
    int delayMs_ = kShowDelayMs;
    int pumpMs_ = kPumpIntervalMs;
    bool cancelled_ = false;
    bool finished_ = false;
    TProgressStep last_;
};

}  // namespace vxlo
