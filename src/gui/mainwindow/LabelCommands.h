#pragma once
// TLabelCommands: what the five label colours mean, on screen. The menu item
// that edits their names, a legend in the lines panel's header, and the tool
// tip of a candidate on the board (its point, colour name and game count).
// The names live in VXLO.INI only: every use reads them there, so the window,
// the practice and the export never disagree.
#include <QObject>
#include <QString>

#include "settings/LabelNames.h"

class QAction;
class QLabel;
class QMenu;

namespace vxlo {

class TLabelNamesDialog;
class TSDIAppForm;

class TLabelCommands final : public QObject {
    Q_OBJECT
public:
    // Adds mnuLabelNames to menu and the legend to the lines panel; the
    // window owns the result (findChild<TLabelCommands*>()).
    TLabelCommands(TSDIAppForm& form, QMenu* menu);

    TLabelNames Names() const;
    // Shows the dialog and stores what OK gives.
    void EditNames();
    TLabelNamesDialog& Dialog();
    QLabel* Legend() const { return legend_; }
    void RefreshLegend();
    // The tip at a client point of the board: empty off a candidate, while
    // practising (it would tell the answer) and while labels are hidden.
    QString ToolTipAt(int clientX, int clientY) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TSDIAppForm& form_;
    QAction* action_ = nullptr;
    QLabel* legend_ = nullptr;
    TLabelNamesDialog* dialog_ = nullptr;
};

}  // namespace vxlo
