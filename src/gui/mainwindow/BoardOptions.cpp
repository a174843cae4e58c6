// The main window's board options: coordinates on the margins and a pitch
// that follows the window. Both are kept in VXLO.INI, section Goban, and are
// off unless the file says otherwise.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <algorithm>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"

namespace vxlo {

void TSDIAppForm::CreateBoardOptionActions(QMenu* board) {
    mnuCoordinates_ = MakeAction("mnuCoordinates", tr("座標表示"), tr("盤の周りに座標を表示する"));
    mnuScalable_ = MakeAction("mnuScalable", tr("盤を窓に合わせる"), tr("窓の大きさに合わせて盤を拡大する"));
    for (QAction* a : {mnuCoordinates_, mnuScalable_}) {
        a->setCheckable(true);
        board->addAction(a);
    }
    OnTriggered(mnuCoordinates_, [this] {
        TBoardOptions options = renderer_.Options();
        options.coordinates = !options.coordinates;
        SetBoardOptions(options);
    });
    OnTriggered(mnuScalable_, [this] {
        TBoardOptions options = renderer_.Options();
        options.scalable = !options.scalable;
        SetBoardOptions(options);
    });
}

void TSDIAppForm::SetBoardOptions(const TBoardOptions& options) {
    renderer_.SetOptions(options);
    GrowToShowTheBoard();
    if (pointShown_ && !options.coordinates) {
        statusBar_->clearMessage();
        pointShown_ = false;
    }
    // The count table names points as the board does.
    if (evidencePanel_ && evidencePanel_->isVisible()) RefreshEvidence();
    UpdateActions();
}

void TSDIAppForm::GrowToShowTheBoard() {
    if (!boardArea_ || !isVisible()) return;
    // The smallest pitch with the coordinate band on either side, and then
    // the pixel the board keeps from the edge when it does not fit (the
    // seed's own size fits its board exactly and stays as it was).
    constexpr int kSmallestPitch = 17;
    const bool band = renderer_.Options().coordinates;
    const int need = (kBoardSize + (band ? 2 : 0)) * kSmallestPitch + (band ? 2 : 0);
    const int dw = std::max(0, need - boardArea_->width());
    const int dh = std::max(0, need - boardArea_->height());
    if (dw > 0 || dh > 0) resize(width() + dw, height() + dh);
}

void TSDIAppForm::ReadBoardOptions(const TIniFile& ini) {
    TBoardOptions options;
    options.coordinates = ini.ReadInteger("Goban", "Coordinates", 0) > 0;
    options.scalable = ini.ReadInteger("Goban", "Scalable", 0) > 0;
    SetBoardOptions(options);
}

void TSDIAppForm::WriteBoardOptions(TIniFile& ini) const {
    ini.WriteInteger("Goban", "Coordinates", renderer_.Options().coordinates ? 1 : 0);
    ini.WriteInteger("Goban", "Scalable", renderer_.Options().scalable ? 1 : 0);
}

void TSDIAppForm::UpdateBoardOptionActions() {
    mnuCoordinates_->setChecked(renderer_.Options().coordinates);
    mnuScalable_->setChecked(renderer_.Options().scalable);
}

void TSDIAppForm::BoardMouseMoved(int clientX, int clientY) {
    if (!renderer_.Options().coordinates) return;
    const std::string name =
        CellName(renderer_.HitTest(clientX, clientY), renderer_.Geometry().size);
    if (name.empty()) {
        if (pointShown_) statusBar_->clearMessage();
        pointShown_ = false;
        return;
    }
    statusBar_->showMessage(ToQt(name));
    pointShown_ = true;
}

QString TSDIAppForm::StatusText() const { return statusBar_->currentMessage(); }

}  // namespace vxlo
