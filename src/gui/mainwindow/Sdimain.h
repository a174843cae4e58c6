#pragma once
// TSDIAppForm: the main window. It owns the one navigation (board, move path,
// dictionary) for the whole run, reads the settings at creation and writes
// them when it closes, opens and closes dictionaries and carries every menu
// command. Move entry itself lives in TNavigation; this is the Qt glue.
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialogs/BanIsi.h"
#include "gui/board/BoardRenderer.h"
#include "dictionary/TreeIndexCache.h"
#include "settings/Language.h"
#include "navigation/Navigation.h"
#include "gui/mainwindow/UserMessages.h"
#include "import/CornerImport.h"
#include "navigation/PositionWatch.h"
#include "navigation/RecordingHistory.h"
#include "companion/CommentStore.h"
#include "companion/EvidenceStore.h"
#include "companion/MarkupStore.h"

class QAction;
class QDockWidget;
class QPainter;
class QLabel;
class QMenu;
class QTimer;
class QStatusBar;
class QToolButton;

namespace vxlo {

class TAboutBox;
class TIniFile;
class TBoardWidget;
class TEvidencePanel;
class TFindForm;
class TJskForm;
class TLinesPanel;
class TTenukiSpot;
class TfrmCmnt;
class TPracticeRun;
class TReviewCommands;
class TStoredEvidence;

class TSDIAppForm : public QMainWindow, private IMenuState, public IBoardColors {
    Q_OBJECT
public:
    // messages: where message boxes go (not owned); the window's own modal
    // boxes when null. Creation runs FormCreate and then creates the other
    // windows of the program.
    explicit TSDIAppForm(IUserMessages* messages = nullptr, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    TNavigation& Navigation() { return nav_; }
    bool Deside(int x, int y) { return nav_.Deside(x, y); }
    void MaeNoTe() { nav_.MaeNoTe(); }
    void RepaintBoard();  // FormPaint
    bool FileOpen() const { return nav_.FileOpen(); }
    const std::string& CurrentFile() const { return currentFile_; }
    IUserMessages& Messages() { return *messages_; }
    std::string SettingsPath() const { return settingsPath_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    int CommentUse() const { return commentUse_; }

    // The open-file dialog (default suffix jsk; the file need not exist).
    // Nothing when cancelled. Tests script it with SetFileChooser.
    std::optional<QString> ChooseOpenFile(const QString& filter);
    // The save-file dialog (default suffix sgf); scripted by the same chooser.
    std::optional<QString> ChooseSaveFile(const QString& filter);
    using TFileChooser = std::function<std::optional<QString>(const QString& filter)>;
    void SetFileChooser(TFileChooser chooser) { fileChooser_ = std::move(chooser); }

    // Opens path as a recent-list entry would: nothing for an empty path.
    void ReopenFile(const std::string& path);
    const std::array<std::string, 4>& RecentFiles() const { return recentFiles_; }

    TBoardRenderer& Renderer() { return renderer_; }
    TBoardWidget& BoardArea() { return *boardArea_; }
    TBanIsiColor& BanIsiColor() { return *banIsiColor_; }
    TAboutBox& AboutBox() { return *aboutBox_; }
    QSize ClientSize() const;

    // IBoardColors (the colour dialog).
    TBoardColors Colors() const override;
    void ApplyColors(const TBoardColors& colors) override;

    // Game-record import and merge (src/import/ImportCommands.cpp).
    void ReadInput(const std::string& fileName, int moveLimit);
    void mnuFileInputClick();
    void mnuInputAllClick();
    void mnuMarge4Click();
    void Ver11Click();
    void mnuMargeSgfClick();  // merge of an SGF variation tree
    void mnuSgfOutClick();    // export of the whole tree as SGF
    void mnuCornerInputClick();  // a game file's corner sequences with their counts
    // Imports the corner sequences of files with their evidence and shows the
    // counts; the bulk-import dialog runs its corner mode through here.
    TCornerImportSummary ImportCornerSequences(const std::vector<std::string>& files, int limit,
                                               const TCornerImporter::TProgress& progress);
    TEvidencePanel* EvidencePanel() const { return evidencePanel_; }
    // The record grid and the comment store (src/records/RecordCommands.cpp).
    void mnuDataClick();
    void mnuDBClick();
    TCommentStore& Comments() { return comments_; }
    // Tenuki and board markup (src/gui/mainwindow/MarkupCommands.cpp).
    TTenukiSpot& TenukiSpot() { return *tenukiSpot_; }
    void mnuMarkupClick();
    bool MarkupShown() const { return markupShown_; }
    // The markup of the position shown, from the database beside the dictionary.
    TMarkupList CurrentMarkup();
    TJskForm& JskForm() { return *jskForm_; }
    TfrmCmnt& CommentForm() { return *frmCmnt_; }
    // Finding one's way (src/gui/mainwindow/FindCommands.cpp). The tree index
    // of the open dictionary, built on first use with progress and again
    // after the file changed.
    const TTreeIndex& TreeIndex();
    // Goes to a record as clicks along its path would (one move at a time).
    void GoTo(int record);
    void mnuFindClick();
    void SearchCommentsFor(const std::string& text);
    // Looks up the corners of a pasted game after upTo moves and goes to the
    // best match, turned to show it as in the game.
    void FindGame(const std::string& text, int upTo);
    // The same for an SGF file chosen in the open-file dialog.
    void FindGameFile(int upTo);
    TFindForm& FindForm() { return *findForm_; }
    // The other paths to the current position, or empty; found again a
    // moment after the position last changed (ShowSamePosition does it now),
    // so that imports and replays do not look for them at every move.
    const std::vector<TPositionMatch>& SamePositions() const { return samePositions_; }
    void ShowSamePosition();

    // Practice of the lines below the current position (PracticeCommands.cpp).
    // The start arguments: DICTIONARY, or --practice DICTIONARY.
    void OpenFromArguments(const QStringList& args);
    void mnuPracticeClick();  // starts, or stops a running practice
    void StartPractice();
    void StopPractice();
    TPracticeRun* Practice() { return practice_.get(); }

    // Commands of this window, as the menus and tool buttons call them.
    void mnuOpenClick();
    void mnuReopenClick(int n);  // n = 1..4
    void mnuCloseClick();
    void ExitItemClick();
    void About1Click();
    void mnuBanIsiClick();
    // Board options (src/gui/mainwindow/BoardOptions.cpp); the menu items
    // call it, and it keeps them checked.
    void SetBoardOptions(const TBoardOptions& options);
    // What the status bar shows: a hint, or the point under the mouse.
    QString StatusText() const;
    void BoardMouseMoved(int clientX, int clientY);

    // Keys, the wheel and undo of recording (KeyCommands.cpp).
    // The candidate that Right plays: the one chosen by Up and Down at this
    // position, else the first; none without candidates.
    std::optional<TPoint> SelectedCandidate() const;
    // Notches of the wheel over the board: away from the user goes back.
    void BoardWheel(int steps);
    TRecordingHistory& RecordingHistory() { return history_; }
    // The lines panel (LinesCommands.cpp): the path here and the lines below.
    TLinesPanel* LinesPanel() const { return linesPanel_; }
    QDockWidget* LinesDock() const { return linesDock_; }
    // A point as the board names it (Q16 in the board's orientation).
    QString PointName(TPoint move) const;
    // The game counts of the shown position's candidates that have any.
    const std::vector<std::pair<TPoint, long long>>& CandidateGames() const { return candidateGames_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void CreateWindows();
    void CreateActions();
    void CreateMenus();
    void CreateSpeedPanel();
    QAction* MakeAction(const char* name, const QString& caption, const QString& hint = QString());
    // One checkable action per choice, in one group so that one is checked,
    // added to menu; chosen(i) runs on a click of the i-th.
    struct TMenuChoice {
        const char* name;
        QString caption;
    };
    std::vector<QAction*> AddChoices(QMenu* menu, std::initializer_list<TMenuChoice> choices,
                                     const std::function<void(std::size_t)>& chosen);
    void OnTriggered(QAction* action, std::function<void()> handler);
    void Guard(const std::function<void()>& command);

    // The one place that brings caption, enabled, checked and visible states
    // of every command in line with the program's state.
    void UpdateActions();
    void ShowInputMode();
    void ShowProgressMode();
    void ShowLabelMode();

    void ReadSettings();
    void WriteSettings();
    void FitWindowSize();

    void OpenChosenFile(const std::string& path);
    void OpenDictionary();
    void CloseDictionary();
    void AddRecentFile(const std::string& path);
    void HideCommentMenu();
    // Comment store hooks: open step 4 and CloseDictionary.
    // Opens the companion database at the open of a dictionary. A refused
    // file ends the open while comments are in use, else it is reported and
    // the dictionary opens without it.
    void OpenCompanionFile();
    // The companion database, opened again when the open had refused it
    // (EFileRefused, naming it, when it still cannot be used).
    TCompanion Companion();
    void OpenCommentTable(const std::string& dictionaryPath);
    void CloseCommentTable();
    void CreateCommentWindow();
    // Game counts of the open dictionary, shown beside the board when it has any.
    void OpenEvidence();
    void CloseEvidence();
    void RefreshEvidence();
    // The number of games beside each candidate of the shown position.
    void PaintEvidenceOverlay(QPainter& p);

    void CreateBoardOptionActions(QMenu* board);
    void ReadBoardOptions(const TIniFile& ini);
    void WriteBoardOptions(TIniFile& ini) const;
    void UpdateBoardOptionActions();
    // A window too small for the board at the smallest pitch (with its
    // coordinate band) grows: the last row and column are never cut off.
    void GrowToShowTheBoard();
    // On the first showing, when the settings held no place for it.
    void PlaceCommentWindow();
    void CreateMarkupAction();
    void CreateTenukiSpot(int left);
    void OpenMarkup(const std::string& dictionaryPath);
    void CloseMarkup();
    void PaintMarkupOverlay(QPainter& p);
    // The tenuki spot and the markup read the position when they paint.
    void RefreshBoardExtras();
    void CreateFindWindow();
    void ScheduleSamePosition();
    void FindGameMoves(const std::vector<TPoint>& moves, int upTo);

    // The language submenu of the settings (LanguageCommands.cpp): the
    // choice is kept in VXLO.INI and taken at the next start.
    void CreateLanguageMenu(QMenu* menu);
    void ShowLanguageSetting(ELanguageSetting setting);
    void mnuLanguageClick(ELanguageSetting setting);

    void CreatePracticeAction();  // mnuPractice
    // After a command that repainted the board: the answers shown after a
    // miss are drawn again.
    void RedrawPractice();
    void UpdatePracticeAction();
    // A menu hint ending gives the status line back to the practice.
    QString HintOrPractice(const QString& longHint) const;
    // The colour the user practises, kept in the settings file; a practice
    // already running goes on as it began.
    void CreatePracticeColorMenu(QMenu* menu);
    // While practising every board click is an answer: true when taken.
    bool PracticeTakesClick(Qt::MouseButton button, TPoint cell);
    // A press on the tenuki spot while practising: tenuki is an answer too.
    bool PracticeTakesTenuki(EMouseButton button);
    void PracticeAnswer(TPoint boardPoint);
    // Runs a menu command. Commands that move or change the tree end a
    // practice first; after the others it is shown again.
    void RunCommand(const QAction* action, const std::function<void()>& handler);
    void ShowPracticeStatus();

    void CreateKeyActions();
    void AddKeyActions(QMenu* operation, QMenu* help);
    void PlaySelected();
    void SelectCandidate(int step);
    void PaintSelectionOverlay(QPainter& p);
    void UndoRecording(bool redo);
    // After every command and click: the undo state, the mode field, and
    // Up and Down's choice forgotten once the position changed.
    void UpdateKeyActions();
    void ShowKeysHelp();
    void CreateLinesPanel();
    void RefreshLines();
    // Where the panels are docked, kept in VXLO.INI ([Form] Docks).
    void ReadDockLayout(const TIniFile& ini);
    void WriteDockLayout(TIniFile& ini) const;

    void ShowHint(const QString& longHint);
    void BoardMousePressed(Qt::MouseButton button, int clientX, int clientY);

    // IMenuState
    void SetDataEnabled(bool enabled) override;
    void SetDelete1Enabled(bool enabled) override;

    std::unique_ptr<TMessageBoxes> ownMessages_;
    IUserMessages* messages_;
    TMessageSinkAdapter messageSink_;
    // The database beside the open dictionary, lent to every store; none
    // while no dictionary is open, or after it was refused at the open.
    TCompanion companion_;
    TCommentStore comments_;  // its memo is the comment window's
    TPositionWatch positionWatch_{comments_};
    std::optional<TEvidenceStore> evidence_;
    bool importingCorners_ = false;
    std::vector<std::pair<TPoint, long long>> candidateGames_;  // of the shown position
    // Outlives the navigation, which records into it.
    TRecordingHistory history_;
    int selected_ = 0;                 // Up and Down's choice, at selectedLine_
    std::vector<TPoint> selectedLine_;
    bool selectionShown_ = false;
    TPoint orientationProbe_{1, 2};  // where board point (1, 2) was shown last
    // The renderer only keeps a reference to the navigation, which needs the
    // renderer as its view: so it comes first.
    TBoardRenderer renderer_;
    TNavigation nav_;
    // Refers to the navigation and its dictionary: it goes first.
    std::unique_ptr<TStoredEvidence> practiceEvidence_;  // outlives practice_, declared first
    std::unique_ptr<TPracticeRun> practice_;

    std::string settingsPath_;
    std::string programFolder_;
    std::string currentFile_;
    std::array<std::string, 4> recentFiles_;
    int commentUse_ = 0;
    // The mode captions stay plain until the mode has been set once.
    bool inputModeShown_ = false;
    bool progressModeShown_ = false;
    bool labelModeShown_ = false;
    bool commentMenuHidden_ = false;
    bool closed_ = false;
    bool pointShown_ = false;  // the status bar shows a coordinate
    // The size asked for by the settings, applied again once shown.
    bool sizePending_ = false;
    int pendingClientWidth_ = 0;
    int pendingClientHeight_ = 0;
    int pendingOuterWidth_ = 0;
    int pendingOuterHeight_ = 0;
    TFileChooser fileChooser_;
    bool markupShown_ = true;
    std::unique_ptr<TMarkupStore> markupStore_;  // read only; none without a dictionary
    TTreeIndexCache treeIndex_;
    std::vector<TPositionMatch> samePositions_;

    QWidget* client_ = nullptr;
    QWidget* speedPanel_ = nullptr;
    TBoardWidget* boardArea_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    TJskForm* jskForm_ = nullptr;
    TfrmCmnt* frmCmnt_ = nullptr;
    TBanIsiColor* banIsiColor_ = nullptr;
    TEvidencePanel* evidencePanel_ = nullptr;
    TTenukiSpot* tenukiSpot_ = nullptr;
    TFindForm* findForm_ = nullptr;
    QLabel* samePositionLabel_ = nullptr;
    QTimer* samePositionTimer_ = nullptr;

    QAction* mnuOpen_ = nullptr;
    QMenu* mnuReOpen_ = nullptr;
    std::array<QAction*, 4> mnuReopen_{};
    QAction* mnuData_ = nullptr;
    QAction* mnuFileInput_ = nullptr;
    QAction* mnuInputAll_ = nullptr;
    QAction* mnuCornerInput_ = nullptr;
    QMenu* mnuMarge_ = nullptr;
    QAction* mnuMarge4_ = nullptr;
    QAction* Ver11_ = nullptr;
    QAction* mnuMargeSgf_ = nullptr;
    QAction* mnuSgfOut_ = nullptr;
    QAction* mnuClose_ = nullptr;
    QAction* ExitItem_ = nullptr;
    QMenu* mnuInput_ = nullptr;
    QAction* mnuDsp_ = nullptr;
    QAction* mnuReg_ = nullptr;
    QMenu* mnuSelect_ = nullptr;
    QAction* mnuShow_ = nullptr;
    QAction* mnuHide_ = nullptr;
    QMenu* mnuSinko_ = nullptr;
    QAction* mnuIkki_ = nullptr;
    QAction* mnu1_ = nullptr;
    QAction* mnuDB_ = nullptr;
    QAction* mnuSiroSen_ = nullptr;
    QAction* mnuMarkup_ = nullptr;
    QAction* mnuXYchg_ = nullptr;
    QAction* mnuRight_ = nullptr;
    QAction* mnuLeft_ = nullptr;
    QAction* mnuUD_ = nullptr;
    QAction* mnuRL_ = nullptr;
    QAction* mnuBanIsi_ = nullptr;
    QAction* mnuCoordinates_ = nullptr;
    QAction* mnuScalable_ = nullptr;
    QAction* mnuModoru_ = nullptr;
    QAction* mnuDelete1_ = nullptr;
    QAction* mnu1st_ = nullptr;
    QAction* mnuFind_ = nullptr;
    QAction* mnuPractice_ = nullptr;
    QAction* About1_ = nullptr;
    QAction* mnuForward_ = nullptr;
    QAction* mnuPreviousCandidate_ = nullptr;
    QAction* mnuNextCandidate_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuRedo_ = nullptr;
    QAction* mnuKeys_ = nullptr;
    QLabel* inputModeField_ = nullptr;
    TLinesPanel* linesPanel_ = nullptr;
    QDockWidget* linesDock_ = nullptr;
    QAction* mnuLinesPanel_ = nullptr;
    std::array<QAction*, 3> mnuLanguage_{};  // auto, Japanese, English

    // The games explorer beside the board and its game viewer (ExplorerCommands.cpp).
public:
    class TExplorerPanel* ExplorerPanel() const { return explorerPanel_; }
    // The viewer of a listed game, read from its file; a file that moved or
    // changed since the import is reported by name. Null then.
    class TGameViewer* OpenGameViewer(const struct TGameListing& listing);
    // The dictionary position of a game's corner after moves, turned to
    // show it as the game does.
    void GoToGameCorner(const std::vector<TPoint>& moves, int corner);

private:
    void CreateExplorer();
    // Follows the shown position; the board's counts follow its filters.
    void RefreshExplorer();
    class TExplorerPanel* explorerPanel_ = nullptr;
    QWidget* explorerDock_ = nullptr;  // its dock
    bool explorerShownOnce_ = false;

public:
    // The engine's review (ReviewCommands.cpp): its menu, worker and the
    // figures on the board. Last, so that it goes first: its worker stops
    // while everything it uses is still there.
    TReviewCommands& Review() { return *review_; }

private:
    friend class TReviewCommands;
    std::unique_ptr<TReviewCommands> review_;
};

}  // namespace vxlo
