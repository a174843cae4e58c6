#pragma once
// The tenuki spot and the board markup: the settings switch, the database
// connection that reads the markup, and the overlay on the board.
#include <memory>

#include "companion/MarkupStore.h"
#include "gui/mainwindow/ActionTable.h"

class QPainter;
class QWidget;

namespace vxlo {

class TTenukiSpot;

class TMarkupCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    ~TMarkupCommands() override;
    std::vector<TActionRow> Actions() override;
    void CreateTenukiSpot(QWidget* panel, int left);

    void mnuMarkupClick();
    bool MarkupShown() const { return markupShown_; }
    void SetMarkupShown(bool shown) { markupShown_ = shown; }
    void OpenMarkup();
    void CloseMarkup();
    // The markup of the position shown, from the database beside the dictionary.
    TMarkupList CurrentMarkup();
    TMarkupStore* Store() { return markupStore_.get(); }
    void PaintOverlay(QPainter& p);
    // The tenuki spot and the markup read the position when they paint.
    void RefreshBoardExtras();
    TTenukiSpot& TenukiSpot() { return *tenukiSpot_; }

private:
    bool markupShown_ = true;
    std::unique_ptr<TMarkupStore> markupStore_;  // read only; none without a dictionary
    TTenukiSpot* tenukiSpot_ = nullptr;
    TPoint orientationProbe_{1, 2};  // where board point (1, 2) was shown last
};

}  // namespace vxlo
