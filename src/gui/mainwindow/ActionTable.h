#pragma once
// The window's commands as rows of tables. Each feature part declares its
// actions once (name, text, hint, menu and place, keys, handler, when enabled,
// when checked); TActionTable makes them, puts them in their menus in the
// order of their places, and brings all of them in line with the program's
// state in one loop.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <deque>
#include <map>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

namespace vxlo {

class TSDIAppForm;

// Places in the shared menus, so that parts that fill one menu keep the
// seed's order: a new command takes a number between its neighbours.
namespace place {
// ﾌｧｲﾙ
constexpr int kOpen = 10, kReopen = 20, kData = 30, kFileInput = 40, kInputAll = 50, kCornerInput = 60,
              kMerge = 70, kSgfOut = 80, kClose = 90, kExitSeparator = 95, kExit = 100;
// 設定
constexpr int kInput = 10, kSelect = 20, kProgress = 30, kComments = 40, kWhiteFirst = 50, kMarkup = 60,
              kPracticeColor = 70, kLanguage = 80;
// 操作
constexpr int kBack = 10, kForward = 11, kPreviousCandidate = 12, kNextCandidate = 13, kDeleteLast = 20,
              kFirst = 30, kFind = 40, kPractice = 50, kUndoSeparator = 60, kUndo = 61, kRedo = 62,
              kPanelSeparator = 70, kLinesPanel = 71, kExplorerPanel = 72;
// ﾍﾙﾌﾟ
constexpr int kKeys = 10, kAbout = 20;
// The menu bar
constexpr int kFileMenu = 10, kSettingMenu = 20, kBoardMenu = 30, kOperationMenu = 40, kReviewMenu = 50,
              kHelpMenu = 60;
}  // namespace place

// How a command meets a running practice.
enum class EDuringPractice {
    Ends,     // it moves or changes the tree: the practice ends first
    Goes,     // turning and colouring the board: the practice goes on, drawn again
    Toggles,  // the practice command itself
};

struct TActionRow {
    enum class EKind { Action, Menu, Separator };
    EKind kind = EKind::Action;
    // The object name: tests, menus and places find the command by it.
    std::string name;
    QString text;
    QString hint;  // "short|long" or the long hint alone; the status tip
    // The object name of the menu it goes in; empty for the menu bar (menus only).
    std::string menu;
    int place = 0;
    QList<QKeySequence> keys;
    std::function<void()> run;
    EDuringPractice practice = EDuringPractice::Ends;
    std::function<bool()> enabled;   // always enabled when empty
    std::function<bool()> checked;   // checkable when set
    std::function<bool()> visible;   // always visible when empty
    std::function<QString()> caption;  // a text that follows the state
    // Rows of one group are choices: one of them is checked.
    std::string group;
    // State that only a file holds is read when its menu opens, not after
    // every command of an import.
    bool readOnShow = false;
    // An action made elsewhere (a dock's toggle): placed, named and kept in
    // line, not made.
    QAction* adopt = nullptr;

    // A row reads as a sentence: Command(...).In(menu, place).Runs(...).
    static TActionRow Command(std::string name, QString text, QString hint = QString());
    static TActionRow Menu(std::string name, QString text, QString hint = QString());
    static TActionRow Separator(std::string menu, int place);
    TActionRow& In(std::string menu, int place);
    TActionRow& Keys(QList<QKeySequence> keys);
    TActionRow& Runs(std::function<void()> run, EDuringPractice practice = EDuringPractice::Ends);
    TActionRow& EnabledWhen(std::function<bool()> when);
    TActionRow& CheckedWhen(std::function<bool()> when);
    TActionRow& VisibleWhen(std::function<bool()> when);
    TActionRow& Captioned(std::function<QString()> text);
    TActionRow& InGroup(std::string name);
    TActionRow& ReadOnShow();
    TActionRow& Adopting(QAction* action);
};

class TActionTable {
public:
    // trigger runs a row's command: the window guards it and meets practice.
    using TTrigger = std::function<void(const TActionRow&)>;
    TActionTable(QObject& owner, QMenuBar& bar, TTrigger trigger);

    // Makes the rows' actions and menus and puts them in place; rows of a
    // menu made earlier go among its actions by their places.
    void Add(std::vector<TActionRow> rows);
    // Enabled, checked, visible and captions of every row from the state.
    void Update();

    QAction* Action(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;

private:
    struct TEntry {
        TActionRow row;
        QAction* action = nullptr;  // a menu's own action for menus
        QMenu* menu = nullptr;
    };
    void Place(QAction* action, const std::string& menu, int place);
    static void UpdateEntry(const TEntry& entry);

    QObject& owner_;
    QMenuBar& bar_;
    TTrigger trigger_;
    std::deque<TEntry> entries_;  // the actions' connections refer to them
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, QActionGroup*> groups_;
    // The place of every action put in a menu, to find where the next goes.
    std::map<const QAction*, int> places_;
};

// A feature part of the window: its state, its commands and its table.
class TWindowPart {
public:
    explicit TWindowPart(TSDIAppForm& window) : w_(window) {}
    virtual ~TWindowPart() = default;
    TWindowPart(const TWindowPart&) = delete;
    TWindowPart& operator=(const TWindowPart&) = delete;
    // The part's commands, each declared once.
    virtual std::vector<TActionRow> Actions() { return {}; }
    // State beyond its actions, brought in line after every command.
    virtual void Update() {}

protected:
    TSDIAppForm& w_;
};

}  // namespace vxlo
