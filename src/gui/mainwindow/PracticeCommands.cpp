// The main window's practice: the menu command, the start argument, clicks
// and the status line. The practice itself is TPracticeRun, in the core.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QStringList>
#include <array>
#include <filesystem>
#include <random>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"
#include "practice/PracticeRun.h"

namespace vxlo {

namespace {
// The clock and the evidence of every practice in the window: neither holds
// state, so one each serves the window's lifetime.
const TSystemPracticeClock& Clock() {
    static const TSystemPracticeClock clock;
    return clock;
}
const TNoEvidence& Evidence() {
    static const TNoEvidence evidence;
    return evidence;
}
}  // namespace

void TSDIAppForm::OpenFromArguments(const QStringList& args) {
    const bool practise = args.size() > 1 && args.at(1) == "--practice";
    const int fileArg = practise ? 2 : 1;
    if (args.size() <= fileArg) return;
    const std::filesystem::path path(PathFromQt(args.at(fileArg)));
    ReopenFile(std::filesystem::absolute(path).string());
    if (practise && nav_.FileOpen()) StartPractice();
}

void TSDIAppForm::CreatePracticeAction() {
    mnuPractice_ = MakeAction("mnuPractice", tr("練習"), tr("この局面から先の手順を練習する"));
    mnuPractice_->setCheckable(true);
    OnTriggered(mnuPractice_, [this] { mnuPracticeClick(); });
}

void TSDIAppForm::UpdatePracticeAction() {
    mnuPractice_->setEnabled(nav_.FileOpen());
    mnuPractice_->setChecked(practice_ != nullptr);
}

QString TSDIAppForm::HintOrPractice(const QString& longHint) const {
    if (!longHint.isEmpty() || !practice_) return longHint;
    return ToQt(practice_->StatusText());
}

void TSDIAppForm::CreatePracticeColorMenu(QMenu* menu) {
    static constexpr std::array<EPracticeColor, 3> kColors = {EPracticeColor::Black, EPracticeColor::White,
                                                             EPracticeColor::Alternate};
    const std::vector<QAction*> actions = AddChoices(
        menu,
        {{"mnuPracticeBlack", tr("黒")}, {"mnuPracticeWhite", tr("白")}, {"mnuPracticeAlternate", tr("交互")}},
        [this](std::size_t i) {
            Guard([&] {
                TIniFile ini(settingsPath_);
                TPracticeSettings settings = ReadPracticeSettings(ini);
                settings.color = kColors[i];
                WritePracticeSettings(ini, settings);
            });
        });
    // The file is the one place the setting lives: the checks follow it.
    connect(menu, &QMenu::aboutToShow, this, [this, actions] {
        const EPracticeColor color = ReadPracticeSettings(TIniFile(settingsPath_)).color;
        for (std::size_t i = 0; i < actions.size(); ++i) actions[i]->setChecked(kColors[i] == color);
    });
}

void TSDIAppForm::mnuPracticeClick() {
    if (practice_) {
        StopPractice();
    } else {
        StartPractice();
    }
}

void TSDIAppForm::StartPractice() {
    if (!nav_.FileOpen() || practice_) {
        UpdateActions();
        return;
    }
    const TPracticeSettings settings = ReadPracticeSettings(TIniFile(settingsPath_));
    // The dictionary's game counts, when it has any, weight the program's choice.
    if (evidence_) practiceEvidence_ = std::make_unique<TStoredEvidence>(*evidence_);
    const IEvidence& evidence = practiceEvidence_ ? static_cast<const IEvidence&>(*practiceEvidence_) : Evidence();
    try {
        practice_ = std::make_unique<TPracticeRun>(nav_, renderer_, Companion(), settings,
                                                   evidence, Clock(), std::random_device{}());
        practice_->SetLabelNames(ReadLabelNames(TIniFile(settingsPath_)));
    } catch (...) {
        UpdateActions();
        RepaintBoard();
        throw;
    }
    UpdateActions();
    ShowPracticeStatus();
    RepaintBoard();
}

void TSDIAppForm::StopPractice() {
    if (!practice_) return;
    practice_.reset();
    practiceEvidence_.reset();
    statusBar_->clearMessage();
    UpdateActions();
    RepaintBoard();
}

void TSDIAppForm::RunCommand(const QAction* action, const std::function<void()>& handler) {
    // Turning and colouring the board change nothing practice relies on.
    bool keeps = action == mnuPractice_;
    for (const QAction* a : {mnuXYchg_, mnuRight_, mnuLeft_, mnuUD_, mnuRL_, mnuBanIsi_, About1_})
        keeps = keeps || a == action;
    if (practice_ && !keeps) StopPractice();
    handler();
    if (action != mnuPractice_) RedrawPractice();
}

void TSDIAppForm::RedrawPractice() {
    if (!practice_) return;
    // The repaint of a turned board drew no answer labels.
    practice_->Redraw();
    ShowPracticeStatus();
    boardArea_->update();
}

bool TSDIAppForm::PracticeTakesClick(Qt::MouseButton button, TPoint cell) {
    if (!practice_) return false;
    if (button != Qt::LeftButton) return true;
    if (cell.x < 1 || cell.x > kBoardSize || cell.y < 1 || cell.y > kBoardSize) return true;
    PracticeAnswer(nav_.Board().DisplayToBoard(cell.x, cell.y));
    return true;
}

bool TSDIAppForm::PracticeTakesTenuki(EMouseButton button) {
    if (!practice_) return false;
    if (button == EMouseButton::Left) PracticeAnswer(kTenuki);
    return true;
}

void TSDIAppForm::PracticeAnswer(TPoint p) {
    try {
        practice_->Click(p.x, p.y);
    } catch (...) {
        // A failed answer (its row not written) or a move the board refuses
        // ends the practice; the error says why.
        StopPractice();
        throw;
    }
    ShowPracticeStatus();
    boardArea_->update();
    RefreshBoardExtras();
}

void TSDIAppForm::ShowPracticeStatus() {
    if (practice_) statusBar_->showMessage(ToQt(practice_->StatusText()));
}

}  // namespace vxlo
