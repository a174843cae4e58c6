#include "gui/mainwindow/PanelDocks.h"

#include <QDockWidget>
#include <QLayout>
#include <memory>

#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"

namespace vxlo {

QDockWidget* AddPanelDock(TSDIAppForm& window, QWidget* panel, const QString& title, const char* name,
                          const TDockPlace& place) {
    // A window of its own until now: inside the dock it is a plain widget.
    panel->setWindowFlags(Qt::Widget);
    auto* dock = new QDockWidget(title, &window);
    dock->setObjectName(name);
    dock->setWidget(panel);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    panel->show();  // the dock alone is shown and hidden from now on
    dock->hide();
    // The layout was read before this dock was made: it keeps the dock's
    // place by name until the dock asks for it.
    const bool restored = window.restoreDockWidget(dock);
    if (!restored) {
        window.addDockWidget(Qt::RightDockWidgetArea, dock);
        if (place.tabWith) window.tabifyDockWidget(place.tabWith, dock);
        dock->hide();
    }
    // A floating dock in the saved layout has its own place already.
    if (place.floatingBounds && !(restored && dock->isFloating())) {
        auto placed = std::make_shared<bool>(false);
        QObject::connect(dock, &QDockWidget::topLevelChanged, dock,
                         [dock, placed, bounds = place.floatingBounds](bool floating) {
                             if (!floating || *placed) return;
                             *placed = true;
                             const QRect place = bounds(*dock);
                             dock->resize(place.size());
                             dock->move(place.topLeft());
                         });
    }
    return dock;
}

void ShowPanelDock(TSDIAppForm& window, QDockWidget* dock) {
    if (!dock->isHidden()) return;
    dock->show();
    if (dock->isFloating() || !window.isVisible()) return;  // the first showing fits the board itself
    // The board's area follows the dock at once, not at the next event.
    if (QLayout* l = window.layout()) l->activate();
    window.Parts().board->GrowToShowTheBoard();
}

}  // namespace vxlo
