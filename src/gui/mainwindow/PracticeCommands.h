#pragma once
// Practice of the lines below the current position: the menu command and
// the colour practised, the start argument, clicks and the status line. The
// practice itself is TPracticeRun, in the core.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "gui/mainwindow/ActionTable.h"
#include "navigation/Navigation.h"

namespace vxlo {

class TPracticeRun;
class TStoredEvidence;

class TPracticeCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    ~TPracticeCommands() override;
    std::vector<TActionRow> Actions() override;

    // The start arguments: DICTIONARY, or --practice DICTIONARY.
    void OpenFromArguments(const QStringList& args);
    void mnuPracticeClick();  // starts, or stops a running practice
    void StartPractice();
    void StopPractice();
    TPracticeRun* Practice() const { return practice_.get(); }

    // Runs a command of the window as a running practice allows: commands
    // that move or change the tree end it first; after the others it is
    // shown again.
    void Run(EDuringPractice during, const std::function<void()>& command);
    // After a command that repainted the board: the answers shown after a
    // miss are drawn again.
    void RedrawPractice();
    // A menu hint ending gives the status line back to the practice.
    QString HintOrPractice(const QString& longHint) const;
    // While practising every board click is an answer: true when taken.
    bool PracticeTakesClick(Qt::MouseButton button, TPoint cell);
    // A press on the tenuki spot while practising: tenuki is an answer too.
    bool PracticeTakesTenuki(EMouseButton button);

private:
    void PracticeAnswer(TPoint boardPoint);
    void ShowPracticeStatus();

    // Refers to the navigation and its dictionary: it goes first.
    std::unique_ptr<TStoredEvidence> practiceEvidence_;  // outlives practice_, declared first
    std::unique_ptr<TPracticeRun> practice_;
};

}  // namespace vxlo
