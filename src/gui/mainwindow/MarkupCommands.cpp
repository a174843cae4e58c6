// The main window's tenuki spot and board markup: the settings switch, the
// database connection that reads the markup, and the overlay on the board.
#include <QAction>
#include <QPainter>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/board/MarkupPainter.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "practice/PracticeRun.h"
#include "gui/board/TenukiSpot.h"

namespace vxlo {

void TSDIAppForm::CreateMarkupAction() {
    mnuMarkup_ = MakeAction("mnuMarkup", tr("盤上のマーク"), tr("棋譜から取り込んだ記号と文字を盤上に表示する"));
    mnuMarkup_->setCheckable(true);
    OnTriggered(mnuMarkup_, [this] { mnuMarkupClick(); });
}

void TSDIAppForm::CreateTenukiSpot(int left) {
    tenukiSpot_ = new TTenukiSpot(nav_, renderer_, speedPanel_);
    tenukiSpot_->move(left, 2);
    tenukiSpot_->onPressed = [this](EMouseButton button) {
        Guard([&] {
            if (!PracticeTakesTenuki(button)) nav_.TenukiDown(button);
        });
    };
}

void TSDIAppForm::mnuMarkupClick() {
    markupShown_ = !markupShown_;
    RefreshBoardExtras();
}

void TSDIAppForm::OpenMarkup(const std::string&) {
    markupStore_.reset();
    // Markup that cannot be read is reported by name; the dictionary still
    // opens, without it (a refused database was reported at its open).
    try {
        if (companion_) markupStore_ = std::make_unique<TMarkupStore>(companion_);
    } catch (const EVxloError& e) {
        ShowError(*messages_, e);
    }
    RefreshBoardExtras();
}

void TSDIAppForm::CloseMarkup() {
    markupStore_.reset();
    RefreshBoardExtras();
}

TMarkupList TSDIAppForm::CurrentMarkup() {
    if (!markupStore_ || !nav_.FileOpen()) return {};
    return markupStore_->GetMarkup(nav_.CurrentRecord());
}

void TSDIAppForm::PaintMarkupOverlay(QPainter& p) {
    if (!markupShown_ || !renderer_.PaintEnabled()) return;
    // The marks of a line often point at its answer: practice shows them
    // only once the answers are shown.
    if (practice_ && practice_->Session().State() == EPracticeState::UserToAnswer) return;
    // A paint must not throw: a database that fails to read shows no markup.
    try {
        PaintMarkup(p, renderer_, nav_.Board(), CurrentMarkup(), nav_.LabelMode() == ELabelMode::Shown);
    } catch (const EVxloError&) {
    }
}

void TSDIAppForm::RefreshBoardExtras() {
    if (mnuMarkup_) mnuMarkup_->setChecked(markupShown_);
    if (tenukiSpot_) tenukiSpot_->update();
    if (boardArea_) boardArea_->update();
    // The panels name points in the board's orientation (the eight of them
    // take (1, 2) to eight places): a turned board renames them.
    const TPoint probe = nav_.Board().BoardToDisplay(1, 2);
    if (probe != orientationProbe_) {
        orientationProbe_ = probe;
        RefreshEvidence();
        RefreshLines();
    }
}

}  // namespace vxlo
