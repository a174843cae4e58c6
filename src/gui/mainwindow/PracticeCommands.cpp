#include "gui/mainwindow/PracticeCommands.h"

#include <QStatusBar>
#include <array>
#include <filesystem>
#include <random>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/FileCommands.h"
#include "gui/mainwindow/MarkupCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "practice/PracticeRun.h"
#include "settings/IniFile.h"
#include "settings/LabelNames.h"

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
constexpr std::array<EPracticeColor, 3> kColors = {EPracticeColor::Black, EPracticeColor::White,
                                                  EPracticeColor::Alternate};
}  // namespace

TPracticeCommands::~TPracticeCommands() = default;

std::vector<TActionRow> TPracticeCommands::Actions() {
    using R = TActionRow;
    std::vector<TActionRow> rows = {
        R::Command("mnuPractice", TSDIAppForm::tr("練習"), TSDIAppForm::tr("この局面から先の手順を練習する"))
            .In("mnuOperation", place::kPractice)
            .Runs([this] { mnuPracticeClick(); }, EDuringPractice::Toggles)
            .EnabledWhen([this] { return w_.FileOpen(); })
            .CheckedWhen([this] { return practice_ != nullptr; }),
        // The colour the user practises, kept in the settings file; a
        // practice already running goes on as it began.
        R::Menu("mnuPracticeColor", TSDIAppForm::tr("練習の手番")).In("mnuSetting", place::kPracticeColor),
    };
    const QString names[] = {TSDIAppForm::tr("黒"), TSDIAppForm::tr("白"), TSDIAppForm::tr("交互")};
    const char* objects[] = {"mnuPracticeBlack", "mnuPracticeWhite", "mnuPracticeAlternate"};
    for (std::size_t i = 0; i < kColors.size(); ++i) {
        rows.push_back(R::Command(objects[i], names[i])
                           .In("mnuPracticeColor", static_cast<int>(i))
                           .InGroup("practiceColor")
                           .Runs([this, i] {
                               TIniFile ini(w_.settingsPath_);
                               TPracticeSettings settings = ReadPracticeSettings(ini);
                               settings.color = kColors[i];
                               WritePracticeSettings(ini, settings);
                           })
                           // The file is the one place the setting lives: the checks follow it.
                           .CheckedWhen([this, i] {
                               return ReadPracticeSettings(TIniFile(w_.settingsPath_)).color == kColors[i];
                           })
                           .ReadOnShow());
    }
    return rows;
}

void TPracticeCommands::OpenFromArguments(const QStringList& args) {
    const bool practise = args.size() > 1 && args.at(1) == "--practice";
    const int fileArg = practise ? 2 : 1;
    if (args.size() <= fileArg) return;
    const std::filesystem::path path(PathFromQt(args.at(fileArg)));
    w_.parts_.files->ReopenFile(std::filesystem::absolute(path).string());
    if (practise && w_.FileOpen()) StartPractice();
}

QString TPracticeCommands::HintOrPractice(const QString& longHint) const {
    if (!longHint.isEmpty() || !practice_) return longHint;
    return ToQt(practice_->StatusText());
}

void TPracticeCommands::mnuPracticeClick() {
    if (practice_) {
        StopPractice();
    } else {
        StartPractice();
    }
}

void TPracticeCommands::StartPractice() {
    if (!w_.FileOpen() || practice_) {
        w_.UpdateActions();
        return;
    }
    const TPracticeSettings settings = ReadPracticeSettings(TIniFile(w_.settingsPath_));
    // The dictionary's game counts, when it has any, weight the program's choice.
    if (auto& counts = w_.parts_.evidence->Store()) practiceEvidence_ = std::make_unique<TStoredEvidence>(*counts);
    const IEvidence& evidence = practiceEvidence_ ? static_cast<const IEvidence&>(*practiceEvidence_) : Evidence();
    try {
        practice_ = std::make_unique<TPracticeRun>(w_.nav_, w_.renderer_, w_.Companion(), settings, evidence, Clock(),
                                                   std::random_device{}());
        practice_->SetLabelNames(ReadLabelNames(TIniFile(w_.SettingsPath())));
    } catch (...) {
        w_.UpdateActions();
        w_.RepaintBoard();
        throw;
    }
    w_.UpdateActions();
    ShowPracticeStatus();
    w_.RepaintBoard();
}

void TPracticeCommands::StopPractice() {
    if (!practice_) return;
    practice_.reset();
    practiceEvidence_.reset();
    w_.statusBar_->clearMessage();
    w_.UpdateActions();
    w_.RepaintBoard();
}

void TPracticeCommands::Run(EDuringPractice during, const std::function<void()>& command) {
    // Turning and colouring the board change nothing practice relies on.
    if (practice_ && during == EDuringPractice::Ends) StopPractice();
    command();
    if (during != EDuringPractice::Toggles) RedrawPractice();
}

void TPracticeCommands::RedrawPractice() {
    if (!practice_) return;
    // The repaint of a turned board drew no answer labels.
    practice_->Redraw();
    ShowPracticeStatus();
    w_.boardArea_->update();
}

bool TPracticeCommands::PracticeTakesClick(Qt::MouseButton button, TPoint cell) {
    if (!practice_) return false;
    if (button != Qt::LeftButton) return true;
    if (cell.x < 1 || cell.x > kBoardSize || cell.y < 1 || cell.y > kBoardSize) return true;
    PracticeAnswer(w_.nav_.Board().DisplayToBoard(cell.x, cell.y));
    return true;
}

bool TPracticeCommands::PracticeTakesTenuki(EMouseButton button) {
    if (!practice_) return false;
    if (button == EMouseButton::Left) PracticeAnswer(kTenuki);
    return true;
}

void TPracticeCommands::PracticeAnswer(TPoint p) {
    try {
        practice_->Click(p.x, p.y);
    } catch (...) {
        // A failed answer (its row not written) or a move the board refuses
        // ends the practice; the error says why.
        StopPractice();
        throw;
    }
    ShowPracticeStatus();
    w_.boardArea_->update();
    w_.parts_.markup->RefreshBoardExtras();
}

void TPracticeCommands::ShowPracticeStatus() {
    if (practice_) w_.statusBar_->showMessage(ToQt(practice_->StatusText()));
}

}  // namespace vxlo
