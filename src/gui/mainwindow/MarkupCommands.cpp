#include "gui/mainwindow/MarkupCommands.h"

#include <QPainter>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/board/MarkupPainter.h"
#include "gui/board/TenukiSpot.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/LinesCommands.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "practice/PracticeRun.h"

namespace vxlo {

TMarkupCommands::~TMarkupCommands() = default;

std::vector<TActionRow> TMarkupCommands::Actions() {
    return {TActionRow::Command("mnuMarkup", TSDIAppForm::tr("盤上のマーク"),
                                TSDIAppForm::tr("棋譜から取り込んだ記号と文字を盤上に表示する"))
                .In("mnuSetting", place::kMarkup)
                .Runs([this] { mnuMarkupClick(); })
                .CheckedWhen([this] { return markupShown_; })};
}

void TMarkupCommands::CreateTenukiSpot(QWidget* panel, int left) {
    tenukiSpot_ = new TTenukiSpot(w_.nav_, w_.renderer_, panel);
    tenukiSpot_->move(left, 2);
    tenukiSpot_->onPressed = [this](EMouseButton button) {
        w_.Guard([&] {
            if (!w_.parts_.practice->PracticeTakesTenuki(button)) w_.nav_.TenukiDown(button);
        });
    };
    tenukiSpot_->reviewFigure = [this]() -> std::optional<TTenukiSpot::TFigure> {
        return w_.parts_.review ? w_.parts_.review->TenukiFigure() : std::nullopt;
    };
}

void TMarkupCommands::mnuMarkupClick() {
    markupShown_ = !markupShown_;
    RefreshBoardExtras();
}

void TMarkupCommands::OpenMarkup() {
    markupStore_.reset();
    // Markup that cannot be read is reported by name; the dictionary still
    // opens, without it (a refused database was reported at its open).
    try {
        if (w_.companion_) markupStore_ = std::make_unique<TMarkupStore>(w_.companion_);
    } catch (const EVxloError& e) {
        ShowError(*w_.messages_, e);
    }
    RefreshBoardExtras();
}

void TMarkupCommands::CloseMarkup() {
    markupStore_.reset();
    RefreshBoardExtras();
}

TMarkupList TMarkupCommands::CurrentMarkup() {
    if (!markupStore_ || !w_.FileOpen()) return {};
    return markupStore_->GetMarkup(w_.nav_.CurrentRecord());
}

void TMarkupCommands::PaintOverlay(QPainter& p) {
    if (!markupShown_ || !w_.renderer_.PaintEnabled()) return;
    // The marks of a line often point at its answer: practice shows them
    // only once the answers are shown.
    TPracticeRun* practice = w_.Practice();
    if (practice && practice->Session().State() == EPracticeState::UserToAnswer) return;
    // A paint must not throw: a database that fails to read shows no markup.
    try {
        PaintMarkup(p, w_.renderer_, w_.nav_.Board(), CurrentMarkup(), w_.nav_.LabelMode() == ELabelMode::Shown);
    } catch (const EVxloError&) {
    }
}

void TMarkupCommands::RefreshBoardExtras() {
    if (tenukiSpot_) tenukiSpot_->update();
    if (w_.boardArea_) w_.boardArea_->update();
    // The panels name points in the board's orientation (the eight of them
    // take (1, 2) to eight places): a turned board renames them.
    const TPoint probe = w_.nav_.Board().BoardToDisplay(1, 2);
    if (probe != orientationProbe_) {
        orientationProbe_ = probe;
        if (w_.parts_.evidence) w_.parts_.evidence->RefreshEvidence();
        if (w_.parts_.lines) w_.parts_.lines->RefreshLines();
    }
}

}  // namespace vxlo
