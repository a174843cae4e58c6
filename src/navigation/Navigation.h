#pragma once
// TNavigation: move entry and navigation of the main window, free of any UI
// toolkit. Deside and MaeNoTe are the only ways moves enter or leave the
// position, for the mouse, the importers and the merge alike. It owns the one
// board, move path and dictionary access object of the program.
#include <string>
#include <vector>

#include "board/Goban.h"
#include "core/Message.h"
#include "dictionary/Fjsk.h"
#include "dictionary/Tejun.h"
#include "navigation/NavigationModes.h"

namespace vxlo {

// The drawing operations of the board renderer.
class IBoardView : public IStonePainter, public ILabelView {
public:
    // Redraws the board square and everything on it from the board state.
    virtual void FullRepaint() = 0;
};

// Modal messages for refusals the user can cause.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const TMessage& message) = 0;
};

// The comment store as move entry uses it.
class ICommentStore {
public:
    virtual ~ICommentStore() = default;
    // Saves or discards the edited comment of the position being left.
    virtual void SaveComment(int currentRecord, EInputMode inputMode) = 0;
    // Shows the comment kept under record n.
    virtual void LocateComment(int n) = 0;
};

// Enabled state of the commands that navigation steers.
class IMenuState {
public:
    virtual ~IMenuState() = default;
    virtual void SetDataEnabled(bool enabled) = 0;     // mnuData
    virtual void SetDelete1Enabled(bool enabled) = 0;  // mnuDelete1
};

// Do-nothing implementations for a front end without a window.
class TNullView final : public IBoardView {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
    void DrawLabel(std::string_view, int, int, int) override {}
    void ErasePoint(int, int) override {}
    void FullRepaint() override {}
};
class TNullCommentStore final : public ICommentStore {
public:
    void SaveComment(int, EInputMode) override {}
    void LocateComment(int) override {}
};
class TNullMenuState final : public IMenuState {
public:
    void SetDataEnabled(bool) override {}
    void SetDelete1Enabled(bool) override {}
};

enum class EMouseButton { Left, Right, Middle };

// What EnterMove did with a move.
enum class EEntryOutcome {
    Entered,   // on the path (or, with EEntryStep::AddOnly, a candidate of the position)
    OnStone,   // the point holds a stone: nothing changed
    Illegal,   // suicide or ko here
    ListFull,  // new, and the position already has its limit of candidates
    PathFull,  // the line already has its 400 moves
};

struct TMoveEntry {
    EEntryOutcome outcome = EEntryOutcome::Entered;
    bool added = false;  // a record was appended for it
    bool Entered() const { return outcome == EEntryOutcome::Entered; }
};

enum class EEntryStep { Follow, AddOnly };
enum class ERefusalMessages { Show, Quiet };

enum class EOrientation { SwapXY, RotateRight, RotateLeft, MirrorUpDown, MirrorLeftRight };

// Refusal texts shown by Deside.
inline constexpr const char* kSuicideText =
    QT_TRANSLATE_NOOP("vxlo", "禁じ手：打ったと同時に取られてしまう手");
inline constexpr const char* kKoText =
    QT_TRANSLATE_NOOP("vxlo", "禁じ手：コウはすぐ取り返せません");
// The notice of a candidate record whose point no move can have.
inline constexpr const char* kOffBoardRecordText =
    QT_TRANSLATE_NOOP("vxlo", "記録 %1 の点 (%2, %3) は盤の外にあるため、候補に表示しません");
inline constexpr const char* kOpenFirstText =
    QT_TRANSLATE_NOOP("vxlo", "まずファイルを開いてください");

class TRecordingHistory;

class TNavigation {
public:
    TNavigation(IBoardView& view, IMessageSink& messages, ICommentStore& comments,
                IMenuState& menus);
    TNavigation(const TNavigation&) = delete;
    TNavigation& operator=(const TNavigation&) = delete;

    TGoban& Board() { return board_; }
    const TGoban& Board() const { return board_; }
    TTejun& Path() { return path_; }
    const TTejun& Path() const { return path_; }
    TLjsk& Dictionary() { return dictionary_; }
    const TLjsk& Dictionary() const { return dictionary_; }

    // Opens (or creates) a dictionary and shows its root. On failure the
    // dictionary is closed again and the error propagates.
    void OpenFile(const std::string& path);
    // Same, on a store that is already open (memory, fault injection).
    void OpenStore(std::unique_ptr<IRecordStore> store);
    void CloseFile();
    bool FileOpen() const { return fileOpen_; }
    // Board reset, path cleared, root list loaded, repaint: the start of every
    // import and merge.
    void ResetToRoot();

    // Adds the move at an empty legal point (without playing it) or plays the
    // candidate there. False only when the move is illegal.
    bool Deside(int x, int y);
    // The one entry of a known line for every importer and merge: the move is
    // added when it is not yet a candidate, then followed exactly one step
    // (AddOnly leaves it a candidate). A move that exists is followed, never
    // added again, and nothing is added where it could not be followed: a
    // tenuki, whose point is never occupied, cannot be entered twice. A
    // position takes new moves up to candidateLimit (the corner import keeps
    // all that was played).
    TMoveEntry EnterMove(int x, int y, EEntryStep step = EEntryStep::Follow,
                         ERefusalMessages refusals = ERefusalMessages::Quiet,
                         int candidateLimit = kMaxCandidates);
    // Takes one move back (in to-branch mode back to the last branch point).
    void MaeNoTe();

    // The mouse on display cell (column, row); cells outside 1..19 are ignored.
    void MouseDown(EMouseButton button, int column, int row);
    // The mouse on the tenuki spot: as on a board point, a left click plays
    // the tenuki candidate (or adds it in recording mode), a right click steps
    // its colour in recording mode and otherwise goes back.
    void TenukiDown(EMouseButton button);
    // Numbers that tenuki moves took in the current to-branch run, in order
    // (tenuki has no stone to carry its number).
    const std::vector<int>& TenukiNumbers() const { return tenukiNumbers_; }
    void RightClickAt(int x, int y);

    // Recording actions of the user's clicks go to history (not owned; none
    // by default). Imports and merges enter no action.
    void SetRecordingHistory(TRecordingHistory* history) { history_ = history; }
    // Goes to the position after line as clicks on its candidates would,
    // from the empty board; false where a move of it is not a candidate (the
    // board then shows the position reached).
    bool FollowLine(const std::vector<TPoint>& line);
    // The colour of a candidate of the current position, steps on (−1 back).
    void StepColor(TPoint move, int steps);
    // Unlinks a candidate without continuation of the current position as
    // the delete of the last move would after playing it.
    void RemoveLeafCandidate(TPoint move);

    void Back();         // mnuModoruClick, btnReturnClick
    void ToFirst();      // mnu1stClick
    void DeleteLast();   // mnuDelete1Click
    bool Delete1Enabled() const { return delete1Enabled_; }
    bool DataEnabled() const { return dataEnabled_; }

    EInputMode InputMode() const { return inputMode_; }
    EProgressMode ProgressMode() const { return progressMode_; }
    ELabelMode LabelMode() const { return labelMode_; }
    bool WhiteFirst() const { return whiteFirst_; }
    void SetInputMode(EInputMode mode) { inputMode_ = mode; }
    void SetProgressMode(EProgressMode mode) { progressMode_ = mode; }
    void SetLabelMode(ELabelMode mode);  // draws or erases the labels
    void ToggleWhiteFirst();
    void Orient(EOrientation command);

    int CurrentRecord() const { return currentRecord_; }

private:
    void AdvanceTo(int x, int y);
    void ClearTenukiNumbers();
    int StepTo(int x, int y);
    void RedrawCaptured();
    void RestoreList(int head);
    void ShowRefusal(EMoveResult result);
    // A notice for each candidate of the list that is off the board.
    void ReportOffBoard();
    void SetData(bool enabled);
    void SetDelete1(bool enabled);
    void ShowRoot();

    IBoardView& view_;
    IMessageSink& messages_;
    ICommentStore& comments_;
    IMenuState& menus_;

    TTejun path_;
    TGoban board_;
    TLjsk dictionary_;

    bool fileOpen_ = false;
    EInputMode inputMode_ = EInputMode::Display;
    EProgressMode progressMode_ = EProgressMode::ToBranch;
    ELabelMode labelMode_ = ELabelMode::Shown;
    bool whiteFirst_ = false;
    int currentRecord_ = 0;
    std::vector<int> tenukiNumbers_;
    std::vector<int> tenukiDepths_;  // path length after each numbered tenuki
    bool dataEnabled_ = false;
    bool delete1Enabled_ = false;
    TRecordingHistory* history_ = nullptr;
};

// Sets ProgressMode to one move for a scope and restores it on every exit,
// errors included (imports and merges).
class TOneMoveScope {
public:
    explicit TOneMoveScope(TNavigation& nav) : nav_(nav), saved_(nav.ProgressMode()) {
        nav_.SetProgressMode(EProgressMode::OneMove);
    }
    ~TOneMoveScope() { nav_.SetProgressMode(saved_); }
    TOneMoveScope(const TOneMoveScope&) = delete;
    TOneMoveScope& operator=(const TOneMoveScope&) = delete;
private:
    TNavigation& nav_;
    EProgressMode saved_;
};

}  // namespace vxlo
