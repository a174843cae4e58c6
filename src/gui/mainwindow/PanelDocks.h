#pragma once
// The panels beside the board (comments, counts, search) as docks of the
// main window: where the saved layout put them, else on the right; a panel
// floated for the first time goes where its old window used to be.
#include <QRect>
#include <QString>
#include <functional>

class QDockWidget;
class QWidget;

namespace vxlo {

class TSDIAppForm;

struct TDockPlace {
    // In a tab with this dock on first start; else under the docks already on the right.
    QDockWidget* tabWith = nullptr;
    // Where the panel goes when it floats and the layout has no place for
    // it, as windows keep their place: the frame's top left, the inner size.
    // Given the floating dock, whose frame is known by then.
    std::function<QRect(const QWidget& floating)> floatingBounds;
};

// Takes panel into a new dock named name (panel stays the widget the tests find).
QDockWidget* AddPanelDock(TSDIAppForm& window, QWidget* panel, const QString& title, const char* name,
                          const TDockPlace& place);
// Shows the dock; the window grows when the board would be left too small.
void ShowPanelDock(TSDIAppForm& window, QDockWidget* dock);

}  // namespace vxlo
