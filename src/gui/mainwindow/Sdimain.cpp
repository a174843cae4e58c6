#include "gui/mainwindow/Sdimain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "companion/CompanionDatabase.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/About.h"
#include "gui/language/SettingsPath.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/records/Comment.h"
#include "practice/PracticeRun.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

namespace vxlo {

namespace {

constexpr int kDefaultClientWidth = 340;
constexpr int kDefaultBoardHeight = 323;
constexpr int kNotSet = -1;

// Mode/DB is only ever written as 0 or 1; a hand-edited value above 0 is
// taken as 1, anything below 0 as "not set".
std::optional<int> ModeValue(int stored) {
    if (stored < 0) return std::nullopt;
    return stored > 0 ? 1 : 0;
}

}  // namespace

TSDIAppForm::TSDIAppForm(IUserMessages* messages, QWidget* parent)
    : QMainWindow(parent),
      ownMessages_(messages ? nullptr : std::make_unique<TMessageBoxes>(this)),
      messages_(messages ? messages : ownMessages_.get()),
      messageSink_(*messages_),
      renderer_(nav_),
      nav_(renderer_, messageSink_, positionWatch_, menuState_) {
    setObjectName("SDIAppForm");
    setWindowIcon(ProgramIcon());
    menuState_.changed = [this] { UpdateActions(); };
    nav_.SetRecordingHistory(&history_);

    client_ = new QWidget(this);
    client_->setObjectName("Client");
    boardArea_ = new TBoardWidget(renderer_, client_);
    statusBar_ = new QStatusBar(client_);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setFixedHeight(TBoardRenderer::kStatusBarHeight);

    menuBar()->setObjectName("MainMenu");
    actions_ = std::make_unique<TActionTable>(*this, *menuBar(), [this](const TActionRow& row) {
        Guard([&] { parts_.practice->Run(row.practice, row.run); });
    });
    // The menus of the bar; the parts fill them.
    using R = TActionRow;
    actions_->Add({
        R::Menu("mnuFile", tr("ﾌｧｲﾙ(&F)")).In("", place::kFileMenu),
        R::Menu("mnuSetting", tr("設定(&S)")).In("", place::kSettingMenu),
        R::Menu("mnuBoard", tr("碁盤(&B)")).In("", place::kBoardMenu),
        R::Menu("mnuOperation", tr("操作")).In("", place::kOperationMenu),
        R::Menu("mnuReview", tr("検討")).In("", place::kReviewMenu),
        R::Menu("mnuHelp", tr("ﾍﾙﾌﾟ(&H)")).In("", place::kHelpMenu),
    });
    parts_.files = std::make_unique<TFileCommands>(*this);
    AddActions(*parts_.files);
    parts_.records = std::make_unique<TRecordCommands>(*this);
    AddActions(*parts_.records);
    parts_.modes = std::make_unique<TModeCommands>(*this);
    AddActions(*parts_.modes);
    parts_.board = std::make_unique<TBoardCommands>(*this);
    AddActions(*parts_.board);
    parts_.markup = std::make_unique<TMarkupCommands>(*this);
    AddActions(*parts_.markup);
    parts_.evidence = std::make_unique<TEvidenceCommands>(*this);
    AddActions(*parts_.evidence);
    parts_.import = std::make_unique<TImportCommands>(*this);
    AddActions(*parts_.import);
    parts_.find = std::make_unique<TFindCommands>(*this);
    AddActions(*parts_.find);
    parts_.practice = std::make_unique<TPracticeCommands>(*this);
    AddActions(*parts_.practice);
    parts_.keys = std::make_unique<TKeyCommands>(*this);
    AddActions(*parts_.keys);
    parts_.lines = std::make_unique<TLinesCommands>(*this);
    AddActions(*parts_.lines);
    parts_.language = std::make_unique<TLanguageCommands>(*this);
    AddActions(*parts_.language);
    parts_.labels = std::make_unique<TLabelCommands>(*this);
    AddActions(*parts_.labels);
    parts_.review = std::make_unique<TReviewCommands>(*this);
    AddActions(*parts_.review);

    auto* layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(parts_.board->CreateSpeedPanel(client_));
    layout->addWidget(boardArea_, 1);
    layout->addWidget(statusBar_);
    setCentralWidget(client_);

    boardArea_->overlay = [this](QPainter& p) {
        parts_.markup->PaintOverlay(p);
        parts_.evidence->PaintOverlay(p);
        parts_.review->PaintOverlay(p);
        parts_.keys->PaintSelectionOverlay(p);
    };
    connect(boardArea_, &TBoardWidget::boardWheel, this, [this](int steps) { parts_.keys->BoardWheel(steps); });
    connect(boardArea_, &TBoardWidget::boardMousePressed, this, [this](Qt::MouseButton button, int x, int y) {
        Guard([&] { parts_.keys->BoardMousePressed(button, x, y); });
    });
    connect(boardArea_, &TBoardWidget::boardMouseMoved, this,
            [this](int x, int y) { parts_.board->BoardMouseMoved(x, y); });
    positionWatch_.SetListener([this](int) { RefreshPositionPanels(); });
    FormCreate();
    // The other windows, in the program's order, each after the state it
    // reads: the version dialog first, the colour dialog after the records.
    parts_.files->CreateWindows();
    parts_.records->CreateWindows();
    parts_.evidence->CreateWindows();
    parts_.board->CreateWindows();
    parts_.find->CreateWindows();
    parts_.explorer = std::make_unique<TExplorerCommands>(*this);
    AddActions(*parts_.explorer);
}

TSDIAppForm::~TSDIAppForm() {
    parts_.practice->StopPractice();
    // The parts go before the navigation: its last news finds no one.
    menuState_.changed = [] {};
    positionWatch_.SetListener([](int) {});
    renderer_.SetPaintEnabled(false);
    // The board area refers to the renderer: it goes before the members do.
    delete client_;
    client_ = nullptr;
    boardArea_ = nullptr;
    statusBar_ = nullptr;
}

void TSDIAppForm::AddActions(TWindowPart& part) {
    actions_->Add(part.Actions());
    partList_.push_back(&part);
}

void TSDIAppForm::Guard(const std::function<void()>& command) {
    RunGuarded(*messages_, command);
    // A command may change what the position shows without moving: a move
    // deleted under it, comments merged into it.
    if (nav_.FileOpen()) {
        RunGuarded(*messages_, [this] {
            comments_.ReadAgain(nav_.CurrentRecord());
            RefreshPositionPanels();
        });
    }
    parts_.markup->RefreshBoardExtras();
    UpdateActions();
}

void TSDIAppForm::RefreshPositionPanels() {
    parts_.evidence->RefreshEvidence();
    parts_.lines->RefreshLines();
}

TPracticeRun* TSDIAppForm::Practice() const { return parts_.practice ? parts_.practice->Practice() : nullptr; }
TLinesPanel* TSDIAppForm::LinesPanel() const { return parts_.lines->LinesPanel(); }
TExplorerPanel* TSDIAppForm::ExplorerPanel() const {
    return parts_.explorer ? parts_.explorer->ExplorerPanel() : nullptr;
}
std::optional<TPoint> TSDIAppForm::SelectedCandidate() const { return parts_.keys->SelectedCandidate(); }
void TSDIAppForm::mnuOpenClick() { parts_.files->mnuOpenClick(); }

// ---- start and exit ----

void TSDIAppForm::FormCreate() {
    renderer_.SetPaintEnabled(false);
    settingsPath_ = SettingsFilePath();
    ReadSettings();
    parts_.records->HideCommentMenu();
    UpdateActions();
    renderer_.SetPaintEnabled(true);
}

void TSDIAppForm::ReadSettings() {
    const TIniFile ini(settingsPath_);
    renderer_.SetColors(static_cast<std::uint32_t>(ReadSetting(ini, "Goban", "BanColor")),
                        static_cast<std::uint32_t>(ReadSetting(ini, "Goban", "KuroIsiColor")),
                        static_cast<std::uint32_t>(ReadSetting(ini, "Goban", "SiroIsiColor")));
    parts_.board->ReadBoardOptions(ini);
    parts_.language->ShowLanguageSetting(ReadLanguageSetting(ini));

    move(ReadSetting(ini, "Form", "Left"), ReadSetting(ini, "Form", "Top"));
    // −1 (or no key) asks for the client size; anything else is the outer
    // size, which needs the frame and so waits for the first showing.
    const int width = ReadSetting(ini, "Form", "Width");
    const int height = ReadSetting(ini, "Form", "Height");
    pendingClientWidth_ = width == kNotSet ? kDefaultClientWidth : 0;
    pendingClientHeight_ = height == kNotSet ? TBoardRenderer::kToolPanelHeight +
                                                   TBoardRenderer::kStatusBarHeight +
                                                   kDefaultBoardHeight
                                             : 0;
    pendingOuterWidth_ = width == kNotSet ? 0 : width;
    pendingOuterHeight_ = height == kNotSet ? 0 : height;
    resize(width == kNotSet ? kDefaultClientWidth : std::max(1, width),
           height == kNotSet ? pendingClientHeight_ + menuBar()->sizeHint().height()
                             : std::max(1, height));
    sizePending_ = true;
    FitWindowSize();

    TModeCommands& modes = *parts_.modes;
    if (const auto mode = ModeFromStored<EInputMode>(ReadSetting(ini, "Mode", "入力"))) {
        nav_.SetInputMode(*mode);
        modes.ShowInputMode();
    }
    if (const auto mode = ModeFromStored<ELabelMode>(ReadSetting(ini, "Mode", "選択肢"))) {
        nav_.SetLabelMode(*mode);
        modes.ShowLabelMode();
    }
    if (const auto mode = ModeFromStored<EProgressMode>(ReadSetting(ini, "Mode", "進行"))) {
        nav_.SetProgressMode(*mode);
        modes.ShowProgressMode();
    }
    parts_.records->SetCommentUse(ModeValue(ReadSetting(ini, "Mode", "DB")).value_or(0));
    parts_.markup->SetMarkupShown(ReadSetting(ini, "Mode", "マーク") != 0);
    // Where the panels are docked ([Form] Docks).
    const std::string docks = ReadSettingText(ini, "Form", "Docks");
    if (!docks.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(docks)));
    parts_.markup->RefreshBoardExtras();
    for (int n = 1; n <= 4; ++n)
        parts_.files->RecentFiles()[n - 1] = ReadSettingText(ini, "Form", "File" + std::to_string(n));
}

void TSDIAppForm::FitWindowSize() {
    // The client is the area below the menu bar, whose height, like the
    // frame, is only sure once the window is laid out and shown.
    if (QLayout* l = layout()) l->activate();
    const QSize client = client_->size();
    const QSize frame = frameGeometry().size() - size();
    int w = width();
    int h = height();
    if (pendingClientWidth_ > 0) w += pendingClientWidth_ - client.width();
    if (pendingClientHeight_ > 0) h += pendingClientHeight_ - client.height();
    if (pendingOuterWidth_ > 0) w = std::max(1, pendingOuterWidth_ - frame.width());
    if (pendingOuterHeight_ > 0) h = std::max(1, pendingOuterHeight_ - frame.height());
    if (w != width() || h != height()) resize(w, h);
}

void TSDIAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (sizePending_) {
        FitWindowSize();
        parts_.board->GrowToShowTheBoard();
        sizePending_ = false;
    }
}

QSize TSDIAppForm::ClientSize() const { return client_->size(); }

void TSDIAppForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();  // the close cannot be refused
}

void TSDIAppForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    renderer_.SetPaintEnabled(false);
    Guard([this] {
        if (nav_.FileOpen()) CloseDictionary();
    });
    // A settings file that cannot be written is reported once; the program
    // still ends. The comment window's keys are written here too, where an
    // error can still be shown, not left to its destructor, which cannot.
    Guard([this] { WriteSettings(); });
}

void TSDIAppForm::WriteSettings() {
    // Every key of the window and of the comment window in one replacement
    // of the file, not one per key.
    TIniFile ini = TIniFile::Deferred(settingsPath_);
    const QRect frame = frameGeometry();
    ini.WriteInteger("Form", "Left", frame.x());
    ini.WriteInteger("Form", "Top", frame.y());
    ini.WriteInteger("Form", "Width", frame.width());
    ini.WriteInteger("Form", "Height", frame.height());
    ini.WriteString("Form", "File", currentFile_);
    ini.WriteInteger("Mode", "入力", StoredMode(nav_.InputMode()));
    ini.WriteInteger("Mode", "選択肢", StoredMode(nav_.LabelMode()));
    ini.WriteInteger("Mode", "進行", StoredMode(nav_.ProgressMode()));
    ini.WriteInteger("Mode", "DB", parts_.records->CommentUse());
    parts_.board->WriteBoardOptions(ini);
    ini.WriteInteger("Mode", "マーク", parts_.markup->MarkupShown() ? 1 : 0);
    ini.WriteString("Form", "Docks", saveState().toBase64().toStdString());
    const std::array<std::string, 4>& recent = parts_.files->RecentFiles();
    for (int n = 1; n <= 4; ++n) {
        if (!recent[n - 1].empty()) ini.WriteString("Form", "File" + std::to_string(n), recent[n - 1]);
    }
    if (TfrmCmnt* comments = parts_.records->CommentWindow()) comments->FormDestroy(ini);
    ini.Commit();
}

// ---- opening and closing ----

void TSDIAppForm::OpenChosenFile(const std::string& path) {
    if (nav_.FileOpen()) CloseDictionary();
    currentFile_ = path;
    // What this open may make, so that a failed one takes it away again.
    std::error_code ignored;
    const bool dictionaryExisted = std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
    const std::string storePath = TCompanionDatabase::PathFor(path);
    const bool storeExisted = std::filesystem::exists(std::filesystem::symlink_status(storePath, ignored));
    try {
        // The dictionary first: one that cannot be opened ends the open
        // before its companion store is touched. Opening loads the root
        // list, draws the labels and repaints, at the root with record 0.
        nav_.OpenFile(currentFile_);
        // A companion database that is refused ends the open while comments
        // are in use, else it is reported and the dictionary opens without it.
        companion_.reset();
        try {
            companion_ = OpenCompanion(currentFile_, TCompanionDatabase::EAccess::ReadWrite);
        } catch (const EVxloError& e) {
            if (comments_.CommentUse()) throw;
            ShowError(*messages_, e);
        }
        parts_.records->OpenCommentTable();
        parts_.markup->OpenMarkup();
        parts_.evidence->OpenEvidence();
        // The root was shown before its comment could be read.
        comments_.LocateComment(nav_.CurrentRecord());
        UpdateActions();
    } catch (...) {
        // Never half open: the error is reported and the program is left
        // with no dictionary, caption and menus in step.
        currentFile_.clear();
        try {
            parts_.records->CloseCommentTable();
            parts_.markup->CloseMarkup();
            nav_.CloseFile();
            parts_.evidence->CloseEvidence();
            companion_.reset();
        } catch (...) {
        }
        // Only what this open made, and a dictionary only while still empty.
        if (!dictionaryExisted && std::filesystem::is_regular_file(path, ignored) &&
            std::filesystem::file_size(path, ignored) == 0) {
            std::filesystem::remove(path, ignored);
        }
        if (!storeExisted) {
            for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::filesystem::remove(storePath + suffix, ignored);
        }
        UpdateActions();
        throw;
    }
    // Only a path that opened goes on the recent list.
    parts_.files->AddRecentFile(currentFile_);
}

void TSDIAppForm::CloseDictionary() {
    // Its worker writes beside this dictionary: it ends first.
    parts_.review->Stop();
    parts_.practice->StopPractice();
    parts_.records->CloseCommentTable();
    parts_.markup->CloseMarkup();
    nav_.CloseFile();
    parts_.evidence->CloseEvidence();
    companion_.reset();
    UpdateActions();
}

TCompanion TSDIAppForm::Companion() {
    if (!companion_) companion_ = OpenCompanion(currentFile_, TCompanionDatabase::EAccess::ReadWrite);
    return companion_;
}

// ---- the state of the commands ----

void TSDIAppForm::UpdateActions() {
    if (!actions_) return;  // the navigation tells of changes before the parts are made
    const bool open = nav_.FileOpen();
    const QString caption = tr("Vexlo定石辞典");
    const bool recording = nav_.InputMode() == EInputMode::Record;
    setWindowTitle(!open      ? caption
                   : recording ? caption + QLatin1Char('[') + ToQt(currentFile_) + QLatin1Char(']') + tr(" — 登録モード")
                               : caption + QLatin1Char('[') + ToQt(currentFile_) + QLatin1Char(']'));
    for (TWindowPart* part : partList_) part->Update();
    actions_->Update();
}

// ---- the board and the status bar ----

void TSDIAppForm::RepaintBoard() {
    renderer_.FullRepaint();
    boardArea_->update();
}

QString TSDIAppForm::StatusText() const { return statusBar_->currentMessage(); }

bool TSDIAppForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip && statusBar_ && parts_.practice) {
        statusBar_->showMessage(parts_.practice->HintOrPractice(static_cast<QStatusTipEvent*>(event)->tip()));
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace vxlo
