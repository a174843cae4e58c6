#include "gui/dialogs/ProgressWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr int kBarSteps = 1000;

// The integer property name of the top-level window, or fallback.
int WindowSetting(const QWidget* parent, const char* name, int fallback) {
    if (!parent) return fallback;
    bool ok = false;
    const int value = parent->window()->property(name).toInt(&ok);
    return ok ? value : fallback;
}
}  // namespace

TProgressWindow::TProgressWindow(const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName("ProgressWindow");
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    label_->setObjectName("ProgressText");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, kBarSteps);
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(tr("中止"), this);
    cancel_->setObjectName("CancelButton");
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
    delayMs_ = WindowSetting(parent, kDelayProperty, kShowDelayMs);
    // A step per game of a huge file must not cost an event loop each.
    pumpMs_ = WindowSetting(parent, kPumpProperty, kPumpIntervalMs);
    started_.start();
}

TProgressWindow::~TProgressWindow() { Finish(); }

void TProgressWindow::Show(const TProgressStep& step) {
    const QString name = PathToQt(std::filesystem::path(step.what).filename().string());
    QString text = step.total > 0 ? QString("%1 / %2").arg(step.done).arg(step.total) : QString::number(step.done);
    if (!name.isEmpty()) text += "\n" + name;
    label_->setText(text);
    if (step.total > 0) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(static_cast<int>(std::min<std::int64_t>(kBarSteps, step.done * kBarSteps / step.total)));
    } else {
        bar_->setRange(0, 0);  // how much is left is not known
    }
}

bool TProgressWindow::Step(const TProgressStep& step) {
    last_ = step;
    if (cancelled_ || finished_) return cancelled_;
    const bool first = !isVisible();
    if (first && started_.elapsed() < delayMs_) return false;
    if (first) {
        Show(step);
        show();
    } else if (sincePump_.isValid() && sincePump_.elapsed() < pumpMs_) {
        return false;
    }
    Show(step);
    // The Cancel button works only while events are handled. A press seen
    // now stops the operation at its next step: the step shown goes on.
    QCoreApplication::processEvents();
    sincePump_.start();
    return false;
}

void TProgressWindow::Cancel() {
    if (cancelled_) return;
    cancelled_ = true;
    cancel_->setEnabled(false);
    label_->setText(tr("中止しています…"));
}

void TProgressWindow::Finish() {
    finished_ = true;
    hide();
}

}  // namespace vxlo
