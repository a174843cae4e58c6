#include "gui/mainwindow/Sdimain.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLayout>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/dialogs/About.h"
#include "gui/board/BoardWidget.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/LabelCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/language/SettingsPath.h"
#include "gui/records/Comment.h"
#include "gui/records/frmJsk.h"
#include "practice/PracticeRun.h"

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


// A recent path shown as a menu caption: "&" is no mnemonic there.
QString PathCaption(const std::string& path) {
    QString caption = PathToQt(path);
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    return caption;
}

}  // namespace

TSDIAppForm::TSDIAppForm(IUserMessages* messages, QWidget* parent)
    : QMainWindow(parent),
      ownMessages_(messages ? nullptr : std::make_unique<TMessageBoxes>(this)),
      messages_(messages ? messages : ownMessages_.get()),
      messageSink_(*messages_),
      renderer_(nav_),
      nav_(renderer_, messageSink_, positionWatch_, *this) {
    setObjectName("SDIAppForm");
    setWindowIcon(ProgramIcon());

    client_ = new QWidget(this);
    client_->setObjectName("Client");
    auto* layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateActions();
    CreateLinesPanel();
    CreateMenus();
    CreateSpeedPanel();
    boardArea_ = new TBoardWidget(renderer_, client_);
    statusBar_ = new QStatusBar(client_);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setFixedHeight(TBoardRenderer::kStatusBarHeight);
    layout->addWidget(speedPanel_);
    layout->addWidget(boardArea_, 1);
    layout->addWidget(statusBar_);
    setCentralWidget(client_);

    boardArea_->overlay = [this](QPainter& p) {
        PaintMarkupOverlay(p);
        PaintEvidenceOverlay(p);
        review_->PaintOverlay(p);
        PaintSelectionOverlay(p);
    };
    connect(boardArea_, &TBoardWidget::boardWheel, this, [this](int steps) { BoardWheel(steps); });
    inputModeField_ = new QLabel(statusBar_);
    inputModeField_->setObjectName("InputModeField");
    statusBar_->addPermanentWidget(inputModeField_);
    connect(boardArea_, &TBoardWidget::boardMousePressed, this,
            [this](Qt::MouseButton button, int x, int y) {
                Guard([&] { BoardMousePressed(button, x, y); });
            });
    connect(boardArea_, &TBoardWidget::boardMouseMoved, this,
            [this](int x, int y) { BoardMouseMoved(x, y); });

    positionWatch_.SetListener([this](int) {
        RefreshEvidence();
        RefreshLines();
    });
    FormCreate();
    CreateWindows();
}

TSDIAppForm::~TSDIAppForm() {
    practice_.reset();
    renderer_.SetPaintEnabled(false);
    // The board area refers to the renderer: it goes before the members do.
    delete client_;
}

void TSDIAppForm::Guard(const std::function<void()>& command) {
    RunGuarded(*messages_, command);
    RefreshBoardExtras();
    UpdateKeyActions();
}

void TSDIAppForm::OnTriggered(QAction* action, std::function<void()> handler) {
    connect(action, &QAction::triggered, this, [this, action, handler = std::move(handler)] {
        Guard([&] { RunCommand(action, handler); });
    });
}

QAction* TSDIAppForm::MakeAction(const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!hint.isEmpty()) action->setStatusTip(LongHint(hint));
    return action;
}

std::vector<QAction*> TSDIAppForm::AddChoices(QMenu* menu, std::initializer_list<TMenuChoice> choices,
                                              const std::function<void(std::size_t)>& chosen) {
    auto* group = new QActionGroup(menu);
    std::vector<QAction*> actions;
    for (const TMenuChoice& c : choices) {
        QAction* action = MakeAction(c.name, c.caption);
        action->setCheckable(true);
        group->addAction(action);
        menu->addAction(action);
        OnTriggered(action, [chosen, i = actions.size()] { chosen(i); });
        actions.push_back(action);
    }
    return actions;
}

void TSDIAppForm::CreateActions() {
    mnuOpen_ = MakeAction("mnuOpen", tr("ﾌｧｲﾙ開く(&O)"), tr("定石ﾌｧｲﾙを指定する"));
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "mnuReopen" + std::to_string(n);
        mnuReopen_[n - 1] = MakeAction(name.c_str(), QString());
        OnTriggered(mnuReopen_[n - 1], [this, n] { mnuReopenClick(n); });
    }
    mnuData_ = MakeAction("mnuData", tr("データ表示"));
    mnuFileInput_ = MakeAction("mnuFileInput", tr("ﾌｧｲﾙ入力"), tr("ファイルからデータを入力する"));
    mnuInputAll_ = MakeAction("mnuInputAll", tr("一括入力"), tr("ディレクトリのある全てのファイルから一括入力する"));
    mnuCornerInput_ = MakeAction("mnuCornerInput", tr("隅の定形入力"),
                                 tr("棋譜の四隅の手順を対局数とともに入力する"));
    mnuMarge4_ = MakeAction("mnuMarge4", tr("Ver4"));
    Ver11_ = MakeAction("Ver11", tr("Ver1"));
    mnuMargeSgf_ = MakeAction("mnuMargeSgf", tr("SGF"));
    mnuSgfOut_ = MakeAction("mnuSgfOut", tr("SGF出力"), tr("定石ファイルをSGF形式で書き出す"));
    mnuClose_ = MakeAction("mnuClose", tr("ﾌｧｲﾙ閉じる(&C)"));
    ExitItem_ = MakeAction("ExitItem", tr("終了(&X)"), tr("vexlo定石辞典の終了"));
    ExitItem_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));

    mnuDsp_ = MakeAction("mnuDsp", tr("表示モード"));
    mnuReg_ = MakeAction("mnuReg", tr("登録モード"));
    mnuShow_ = MakeAction("mnuShow", tr("表示"));
    mnuHide_ = MakeAction("mnuHide", tr("非表示"));
    mnuIkki_ = MakeAction("mnuIkki", tr("分岐まで"));
    mnu1_ = MakeAction("mnu1", tr("１手づつ"));
    mnuDB_ = MakeAction("mnuDB", tr("ｺﾒﾝﾄ使用"), tr("Paradoxを使用しコメントの入力をします"));
    mnuSiroSen_ = MakeAction("mnuSiroSen", tr("白先"), tr("第１手を白石表示します"));
    for (QAction* a : {mnuDsp_, mnuReg_, mnuShow_, mnuHide_, mnuIkki_, mnu1_, mnuDB_, mnuSiroSen_})
        a->setCheckable(true);

    mnuXYchg_ = MakeAction("mnuXYchg", tr("反転"), tr("X座標とY座標を逆にする"));
    mnuRight_ = MakeAction("mnuRight", tr("右回転"), tr("右に90度回転して表示する"));
    mnuLeft_ = MakeAction("mnuLeft", tr("左回転"), tr("左に90度回転して表示する"));
    mnuUD_ = MakeAction("mnuUD", tr("上下反転"), tr("真ん中の横線を中心に上下逆にする"));
    mnuRL_ = MakeAction("mnuRL", tr("左右反転"), tr("真ん中の縦線を中心に左右逆にする"));
    mnuBanIsi_ = MakeAction("mnuBanIsi", tr("盤石の色"));

    mnuModoru_ = MakeAction("mnuModoru", tr("一手戻る"), tr("盤面を右クリックでも戻ります"));
    mnuDelete1_ = MakeAction("mnuDelete1", tr("一手削除"));
    mnu1st_ = MakeAction("mnu1st", tr("最初に戻る"));
    mnuFind_ = MakeAction("mnuFind", tr("検索"), tr("コメント・同じ局面・棋譜の定石を探す"));
    CreatePracticeAction();
    About1_ = MakeAction("About1", tr("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    CreateMarkupAction();

    OnTriggered(mnuOpen_, [this] { mnuOpenClick(); });
    OnTriggered(mnuData_, [this] { mnuDataClick(); });
    OnTriggered(mnuFileInput_, [this] { mnuFileInputClick(); });
    OnTriggered(mnuInputAll_, [this] { mnuInputAllClick(); });
    OnTriggered(mnuCornerInput_, [this] { mnuCornerInputClick(); });
    OnTriggered(mnuMarge4_, [this] { mnuMarge4Click(); });
    OnTriggered(Ver11_, [this] { Ver11Click(); });
    OnTriggered(mnuMargeSgf_, [this] { mnuMargeSgfClick(); });
    OnTriggered(mnuSgfOut_, [this] { mnuSgfOutClick(); });
    OnTriggered(mnuClose_, [this] { mnuCloseClick(); });
    OnTriggered(ExitItem_, [this] { ExitItemClick(); });

    OnTriggered(mnuDsp_, [this] { nav_.SetInputMode(EInputMode::Display); ShowInputMode(); });
    OnTriggered(mnuReg_, [this] { nav_.SetInputMode(EInputMode::Record); ShowInputMode(); });
    OnTriggered(mnuIkki_, [this] { nav_.SetProgressMode(EProgressMode::ToBranch); ShowProgressMode(); });
    OnTriggered(mnu1_, [this] { nav_.SetProgressMode(EProgressMode::OneMove); ShowProgressMode(); });
    OnTriggered(mnuShow_, [this] { nav_.SetLabelMode(ELabelMode::Shown); ShowLabelMode(); });
    OnTriggered(mnuHide_, [this] { nav_.SetLabelMode(ELabelMode::Hidden); ShowLabelMode(); });
    OnTriggered(mnuSiroSen_, [this] {
        nav_.ToggleWhiteFirst();
        UpdateActions();
    });
    OnTriggered(mnuDB_, [this] { mnuDBClick(); });

    OnTriggered(mnuXYchg_, [this] { nav_.Orient(EOrientation::SwapXY); });
    OnTriggered(mnuRight_, [this] { nav_.Orient(EOrientation::RotateRight); });
    OnTriggered(mnuLeft_, [this] { nav_.Orient(EOrientation::RotateLeft); });
    OnTriggered(mnuUD_, [this] { nav_.Orient(EOrientation::MirrorUpDown); });
    OnTriggered(mnuRL_, [this] { nav_.Orient(EOrientation::MirrorLeftRight); });
    OnTriggered(mnuBanIsi_, [this] { mnuBanIsiClick(); });

    OnTriggered(mnuModoru_, [this] { nav_.Back(); });
    OnTriggered(mnuDelete1_, [this] { nav_.DeleteLast(); });
    OnTriggered(mnu1st_, [this] { nav_.ToFirst(); });
    OnTriggered(mnuFind_, [this] { mnuFindClick(); });
    OnTriggered(About1_, [this] { About1Click(); });
    CreateKeyActions();
}

void TSDIAppForm::CreateMenus() {
    auto submenu = [](QMenu* owner, const char* name, const QString& caption,
                      const QString& hint = QString()) {
        QMenu* menu = owner->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        if (!hint.isEmpty()) menu->menuAction()->setStatusTip(hint);
        return menu;
    };
    auto top = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };
    menuBar()->setObjectName("MainMenu");

    QMenu* file = top("mnuFile", tr("ﾌｧｲﾙ(&F)"));
    file->addAction(mnuOpen_);
    mnuReOpen_ = submenu(file, "mnuReOpen", tr("開き直す(&R)"));
    for (QAction* a : mnuReopen_) mnuReOpen_->addAction(a);
    file->addAction(mnuData_);
    file->addAction(mnuFileInput_);
    file->addAction(mnuInputAll_);
    file->addAction(mnuCornerInput_);
    mnuMarge_ = submenu(file, "mnuMarge", tr("マージ"));
    mnuMarge_->addAction(mnuMarge4_);
    mnuMarge_->addAction(Ver11_);
    mnuMarge_->addAction(mnuMargeSgf_);
    file->addAction(mnuSgfOut_);
    file->addAction(mnuClose_);
    file->addSeparator();
    file->addAction(ExitItem_);

    QMenu* settings = top("mnuSetting", tr("設定(&S)"));
    mnuInput_ = submenu(settings, "mnuInput", tr("入力"), tr("登録しない場合は表示モードにしてください"));
    mnuInput_->addAction(mnuDsp_);
    mnuInput_->addAction(mnuReg_);
    mnuSelect_ = submenu(settings, "mnuSelect", tr("選択肢"), tr("いろはを表示するかしないか"));
    mnuSelect_->addAction(mnuShow_);
    mnuSelect_->addAction(mnuHide_);
    mnuSinko_ = submenu(settings, "mnuSinko", tr("進行"), tr("一手づつ進ませるか分岐点まで進ませるか"));
    mnuSinko_->addAction(mnuIkki_);
    mnuSinko_->addAction(mnu1_);
    settings->addAction(mnuDB_);
    settings->addAction(mnuSiroSen_);
    settings->addAction(mnuMarkup_);
    CreatePracticeColorMenu(submenu(settings, "mnuPracticeColor", tr("練習の手番")));
    CreateLanguageMenu(submenu(settings, "mnuLanguage", tr("言語")));

    QMenu* board = top("mnuBoard", tr("碁盤(&B)"));
    for (QAction* a : {mnuXYchg_, mnuRight_, mnuLeft_, mnuUD_, mnuRL_, mnuBanIsi_})
        board->addAction(a);
    new TLabelCommands(*this, board);  // owned by the window; mnuLabelNames follows mnuBanIsi
    CreateBoardOptionActions(board);

    QMenu* operation = top("mnuOperation", tr("操作"));
    for (QAction* a : {mnuModoru_, mnuDelete1_, mnu1st_, mnuFind_, mnuPractice_}) operation->addAction(a);

    review_ = std::make_unique<TReviewCommands>(*this, top("mnuReview", tr("検討")));

    QMenu* help = top("mnuHelp", tr("ﾍﾙﾌﾟ(&H)"));
    help->addAction(About1_);
    AddKeyActions(operation, help);
}

void TSDIAppForm::CreateWindows() {
    // Created in the program's order, each after the state it reads: the
    // version dialog first, the colour dialog last.
    aboutBox_ = new TAboutBox(this);
    jskForm_ = new TJskForm(nav_, *messages_, settingsPath_, this);
    CreateCommentWindow();
    banIsiColor_ = new TBanIsiColor(*this, *messages_, settingsPath_, this);
    CreateFindWindow();
    CreateExplorer();
}

// ---- start and exit ----

void TSDIAppForm::FormCreate() {
    renderer_.SetPaintEnabled(false);
    commentUse_ = 0;
    programFolder_ = PathFromQt(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    settingsPath_ = SettingsFilePath();
    ReadSettings();
    HideCommentMenu();
    UpdateActions();
    renderer_.SetPaintEnabled(true);
}

void TSDIAppForm::ReadSettings() {
    const TIniFile ini(settingsPath_);
    renderer_.SetColors(static_cast<std::uint32_t>(ini.ReadInteger("Goban", "BanColor", 32896)),
                        static_cast<std::uint32_t>(ini.ReadInteger("Goban", "KuroIsiColor", 0)),
                        static_cast<std::uint32_t>(ini.ReadInteger("Goban", "SiroIsiColor", 16777215)));
    ReadBoardOptions(ini);
    ShowLanguageSetting(ReadLanguageSetting(ini));

    move(ini.ReadInteger("Form", "Left", 0), ini.ReadInteger("Form", "Top", 0));
    // −1 (or no key) asks for the client size; anything else is the outer
    // size, which needs the frame and so waits for the first showing.
    const int width = ini.ReadInteger("Form", "Width", kNotSet);
    const int height = ini.ReadInteger("Form", "Height", kNotSet);
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

    if (const auto mode = ModeFromStored<EInputMode>(ini.ReadInteger("Mode", "入力", kNotSet))) {
        nav_.SetInputMode(*mode);
        ShowInputMode();
    }
    if (const auto mode = ModeFromStored<ELabelMode>(ini.ReadInteger("Mode", "選択肢", kNotSet))) {
        nav_.SetLabelMode(*mode);
        ShowLabelMode();
    }
    if (const auto mode = ModeFromStored<EProgressMode>(ini.ReadInteger("Mode", "進行", kNotSet))) {
        nav_.SetProgressMode(*mode);
        ShowProgressMode();
    }
    if (const auto mode = ModeValue(ini.ReadInteger("Mode", "DB", kNotSet))) {
        commentUse_ = *mode;
    }
    markupShown_ = ini.ReadInteger("Mode", "マーク", 1) != 0;
    ReadDockLayout(ini);
    RefreshBoardExtras();
    for (int n = 1; n <= 4; ++n)
        recentFiles_[n - 1] = ini.ReadString("Form", "File" + std::to_string(n), "");
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
        GrowToShowTheBoard();
        sizePending_ = false;
        // Once the frame is there: it is part of what the comments avoid.
        QMetaObject::invokeMethod(this, [this] { PlaceCommentWindow(); }, Qt::QueuedConnection);
    }
}

QSize TSDIAppForm::ClientSize() const { return client_->size(); }

void TSDIAppForm::HideCommentMenu() {
    commentMenuHidden_ = true;
    UpdateActions();
}

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
    Guard([this] {
        WriteSettings();
        if (frmCmnt_) frmCmnt_->FormDestroy();
    });
}

void TSDIAppForm::WriteSettings() {
    TIniFile ini(settingsPath_);
    const QRect frame = frameGeometry();
    ini.WriteInteger("Form", "Left", frame.x());
    ini.WriteInteger("Form", "Top", frame.y());
    ini.WriteInteger("Form", "Width", frame.width());
    ini.WriteInteger("Form", "Height", frame.height());
    ini.WriteString("Form", "File", currentFile_);
    ini.WriteInteger("Mode", "入力", StoredMode(nav_.InputMode()));
    ini.WriteInteger("Mode", "選択肢", StoredMode(nav_.LabelMode()));
    ini.WriteInteger("Mode", "進行", StoredMode(nav_.ProgressMode()));
    ini.WriteInteger("Mode", "DB", commentUse_);
    WriteBoardOptions(ini);
    ini.WriteInteger("Mode", "マーク", markupShown_ ? 1 : 0);
    WriteDockLayout(ini);
    for (int n = 1; n <= 4; ++n) {
        if (!recentFiles_[n - 1].empty())
            ini.WriteString("Form", "File" + std::to_string(n), recentFiles_[n - 1]);
    }
}

void TSDIAppForm::ExitItemClick() { close(); }

// ---- menu state ----

void TSDIAppForm::ShowInputMode() {
    inputModeShown_ = true;
    UpdateActions();
}

void TSDIAppForm::ShowProgressMode() {
    progressModeShown_ = true;
    UpdateActions();
}

void TSDIAppForm::ShowLabelMode() {
    labelModeShown_ = true;
    UpdateActions();
}

void TSDIAppForm::SetDataEnabled(bool) { UpdateActions(); }

void TSDIAppForm::SetDelete1Enabled(bool) { UpdateActions(); }

void TSDIAppForm::UpdateActions() {
    const bool open = nav_.FileOpen();
    const QString caption = tr("Vexlo定石辞典");
    const bool recording = nav_.InputMode() == EInputMode::Record;
    setWindowTitle(!open      ? caption
                   : recording ? caption + QLatin1Char('[') + ToQt(currentFile_) + QLatin1Char(']') + tr(" — 登録モード")
                               : caption + QLatin1Char('[') + ToQt(currentFile_) + QLatin1Char(']'));
    UpdateKeyActions();

    for (QAction* a : {mnuClose_, mnuFileInput_, mnuInputAll_, mnuCornerInput_, mnuSgfOut_}) a->setEnabled(open);
    mnuMarge_->menuAction()->setEnabled(open);
    mnuData_->setEnabled(open && nav_.DataEnabled());
    mnuDelete1_->setEnabled(nav_.Delete1Enabled());
    mnuDB_->setEnabled(!open);
    mnuDB_->setChecked(commentUse_ == 1);
    mnuDB_->setVisible(!commentMenuHidden_);

    // An empty entry ends the list; entries never become empty again, so an
    // item once shown stays shown.
    bool shown = true;
    for (int i = 0; i < 4; ++i) {
        shown = shown && !recentFiles_[i].empty();
        mnuReopen_[i]->setVisible(shown);
        if (shown) mnuReopen_[i]->setText(PathCaption(recentFiles_[i]));
    }

    mnuDsp_->setChecked(!recording);
    mnuReg_->setChecked(recording);
    mnuInput_->setTitle(!inputModeShown_ ? tr("入力")
                        : recording      ? tr("入力     登録モード")
                                         : tr("入力     表示モード"));
    const bool oneMove = nav_.ProgressMode() == EProgressMode::OneMove;
    mnuIkki_->setChecked(!oneMove);
    mnu1_->setChecked(oneMove);
    mnuSinko_->setTitle(!progressModeShown_ ? tr("進行")
                        : oneMove           ? tr("進行     一手づつ")
                                            : tr("進行     分岐まで"));
    const bool hidden = nav_.LabelMode() == ELabelMode::Hidden;
    mnuShow_->setChecked(!hidden);
    mnuHide_->setChecked(hidden);
    mnuSelect_->setTitle(!labelModeShown_ ? tr("選択肢")
                         : hidden         ? tr("選択肢  非表示")
                                          : tr("選択肢  表示"));
    mnuSiroSen_->setChecked(nav_.WhiteFirst());
    UpdateBoardOptionActions();
    mnuFind_->setEnabled(open);
    ScheduleSamePosition();
    UpdatePracticeAction();
}

// ---- board, colours, dialogs ----

void TSDIAppForm::RepaintBoard() {
    renderer_.FullRepaint();
    boardArea_->update();
}

TBoardColors TSDIAppForm::Colors() const {
    return {renderer_.BanColor(), renderer_.KuroIsiColor(), renderer_.SiroIsiColor()};
}

void TSDIAppForm::ApplyColors(const TBoardColors& colors) {
    renderer_.SetColors(colors.ban, colors.kuro, colors.siro);
    RepaintBoard();
}

void TSDIAppForm::mnuBanIsiClick() { banIsiColor_->exec(); }

void TSDIAppForm::About1Click() { aboutBox_->exec(); }

void TSDIAppForm::BoardMousePressed(Qt::MouseButton button, int clientX, int clientY) {
    const TPoint cell = renderer_.HitTest(clientX, clientY);
    if (PracticeTakesClick(button, cell)) return;
    const EMouseButton which = button == Qt::LeftButton    ? EMouseButton::Left
                               : button == Qt::RightButton ? EMouseButton::Right
                                                           : EMouseButton::Middle;
    if (which == EMouseButton::Left && nav_.FileOpen() && nav_.InputMode() == EInputMode::Display &&
        cell.x >= 1 && cell.x <= kBoardSize && cell.y >= 1 && cell.y <= kBoardSize) {
        const TPoint p = nav_.Board().DisplayToBoard(cell.x, cell.y);
        if (nav_.Board().PointState(p.x, p.y) == Empty) {
            statusBar_->showMessage(tr("表示モードなので手は加わりません。登録するには 設定 → 入力 → 登録 を選んでください"),
                                    8000);
            return;
        }
    }
    nav_.MouseDown(which, cell.x, cell.y);
}

void TSDIAppForm::ShowHint(const QString& longHint) {
    statusBar_->showMessage(HintOrPractice(longHint));
}

bool TSDIAppForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace vxlo
