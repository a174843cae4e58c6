#pragma once
// TSDIAppForm: the main window, the frame of the program. It owns the one
// navigation (board, move path, dictionary) for the whole run and the
// database beside the open dictionary, reads the settings at creation and
// writes them when it closes, and opens and closes dictionaries. Each
// feature's commands live in a part of their own (TParts), which declares
// its actions in a table; one loop keeps all of them in line with the state.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "companion/CommentStore.h"
#include "gui/board/BoardRenderer.h"
#include "gui/mainwindow/ActionTable.h"
#include "gui/mainwindow/UserMessages.h"
#include "navigation/Navigation.h"
#include "navigation/PositionWatch.h"
#include "navigation/RecordingHistory.h"

class QLabel;
class QStatusBar;

namespace vxlo {

class TBoardCommands;
class TBoardWidget;
class TEvidenceCommands;
class TExplorerCommands;
class TExplorerPanel;
class TFileCommands;
class TFindCommands;
class TImportCommands;
class TKeyCommands;
class TLanguageCommands;
class TLabelCommands;
class TLinesCommands;
class TLinesPanel;
class TMarkupCommands;
class TModeCommands;
class TPracticeCommands;
class TPracticeRun;
class TRecordCommands;
class TReviewCommands;

// The navigation's menu news: every change brings the actions in line.
class TMenuStateRelay final : public IMenuState {
public:
    std::function<void()> changed;
    void SetDataEnabled(bool) override { changed(); }
    void SetDelete1Enabled(bool) override { changed(); }
};

class TSDIAppForm : public QMainWindow {
    Q_OBJECT
public:
    // messages: where message boxes go (not owned); the window's own modal
    // boxes when null. Creation reads the settings and then creates the
    // other windows of the program.
    explicit TSDIAppForm(IUserMessages* messages = nullptr, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    TNavigation& Navigation() { return nav_; }
    bool FileOpen() const { return nav_.FileOpen(); }
    const std::string& CurrentFile() const { return currentFile_; }
    IUserMessages& Messages() { return *messages_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    TBoardRenderer& Renderer() { return renderer_; }
    TBoardWidget& BoardArea() { return *boardArea_; }
    QSize ClientSize() const;
    void RepaintBoard();  // FormPaint
    // What the status bar shows: a hint, the practice, or the point under the mouse.
    QString StatusText() const;

    // Opens path as the open dialog and the recent list do: the one open
    // of a dictionary, with its companion database, or none at all.
    void OpenChosenFile(const std::string& path);
    void CloseDictionary();
    // The companion database, opened again when the open had refused it
    // (EFileRefused, naming it, when it still cannot be used).
    TCompanion Companion();

    // Runs a command of the window: an error is shown and ends it there;
    // after it the actions follow the state.
    void Guard(const std::function<void()>& command);
    // The panels that follow the shown position: the count table and the lines.
    void RefreshPositionPanels();
    // The one place that brings captions, enabled, checked and visible
    // states of every command in line with the program's state.
    void UpdateActions();

    // The feature parts. Declared in the order they are made; the review
    // last of all, so that it goes first: its worker stops while everything
    // it uses is still there.
    struct TParts {
        std::unique_ptr<TFileCommands> files;
        std::unique_ptr<TRecordCommands> records;
        std::unique_ptr<TModeCommands> modes;
        std::unique_ptr<TBoardCommands> board;
        std::unique_ptr<TMarkupCommands> markup;
        std::unique_ptr<TEvidenceCommands> evidence;
        std::unique_ptr<TImportCommands> import;
        std::unique_ptr<TFindCommands> find;
        std::unique_ptr<TPracticeCommands> practice;
        std::unique_ptr<TKeyCommands> keys;
        std::unique_ptr<TLinesCommands> lines;
        std::unique_ptr<TExplorerCommands> explorer;
        std::unique_ptr<TLanguageCommands> language;
        std::unique_ptr<TLabelCommands> labels;
        std::unique_ptr<TReviewCommands> review;
    };
    TParts& Parts() { return parts_; }
    // The parts the tests reach most.
    TReviewCommands& Review() { return *parts_.review; }
    TPracticeRun* Practice() const;
    TLinesPanel* LinesPanel() const;
    TExplorerPanel* ExplorerPanel() const;
    std::optional<TPoint> SelectedCandidate() const;
    void mnuOpenClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TBoardCommands;
    friend class TEvidenceCommands;
    friend class TExplorerCommands;
    friend class TFileCommands;
    friend class TFindCommands;
    friend class TImportCommands;
    friend class TKeyCommands;
    friend class TLanguageCommands;
    friend class TLinesCommands;
    friend class TMarkupCommands;
    friend class TModeCommands;
    friend class TPracticeCommands;
    friend class TRecordCommands;
    friend class TReviewCommands;

    void FormCreate();
    void FormClose();
    void ReadSettings();
    void WriteSettings();
    void FitWindowSize();
    // Every part's table, in the order of the parts.
    void AddActions(TWindowPart& part);

    std::unique_ptr<TMessageBoxes> ownMessages_;
    IUserMessages* messages_;
    TMessageSinkAdapter messageSink_;
    TMenuStateRelay menuState_;
    // The database beside the open dictionary, lent to every store; none
    // while no dictionary is open, or after it was refused at the open.
    TCompanion companion_;
    TCommentStore comments_;  // its memo is the comment window's
    TPositionWatch positionWatch_{comments_};
    // Outlives the navigation, which records into it.
    TRecordingHistory history_;
    // The renderer only keeps a reference to the navigation, which needs the
    // renderer as its view: so it comes first.
    TBoardRenderer renderer_;
    TNavigation nav_;

    std::string settingsPath_;
    std::string currentFile_;
    bool closed_ = false;
    // The size asked for by the settings, applied again once shown.
    bool sizePending_ = false;
    int pendingClientWidth_ = 0;
    int pendingClientHeight_ = 0;
    int pendingOuterWidth_ = 0;
    int pendingOuterHeight_ = 0;

    QWidget* client_ = nullptr;
    TBoardWidget* boardArea_ = nullptr;
    QStatusBar* statusBar_ = nullptr;

    // Made before the parts, whose rows it holds; the parts outlive none of
    // the members above.
    std::unique_ptr<TActionTable> actions_;
    std::vector<TWindowPart*> partList_;  // the parts in the order they were made
    TParts parts_;
};

}  // namespace vxlo
