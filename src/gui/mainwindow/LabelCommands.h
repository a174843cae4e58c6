#pragma once
// TLabelCommands: what the five label colours mean, on screen. The menu item
// that edits their names, a legend in the lines panel's header, and the tool
// tip of a candidate on the board (its point, colour name and game count).
// The names live in VXLO.INI only: every use reads them there, so the window,
// the practice and the export never disagree.
#include <QObject>
#include <QString>

#include "gui/mainwindow/ActionTable.h"
#include "settings/LabelNames.h"

class QAction;
class QLabel;
class QMenu;

namespace vxlo {

class TLabelNamesDialog;
class TSDIAppForm;

class TLabelCommands final : public QObject, public TWindowPart {
    Q_OBJECT
public:
    // Puts the legend in the lines panel's header: the lines part comes first.
    explicit TLabelCommands(TSDIAppForm& form);
    std::vector<TActionRow> Actions() override;  // mnuLabelNames, after mnuBanIsi

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
    QLabel* legend_ = nullptr;
    TLabelNamesDialog* dialog_ = nullptr;
};

}  // namespace vxlo
