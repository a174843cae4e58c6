#include "gui/mainwindow/BoardCommands.h"

#include <QStatusBar>
#include <algorithm>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/EvidencePanel.h"

namespace vxlo {

std::vector<TActionRow> TBoardCommands::Actions() {
    using R = TActionRow;
    TNavigation* const nav = &w_.nav_;
    const auto orient = [nav](EOrientation how) { return [nav, how] { nav->Orient(how); }; };
    constexpr EDuringPractice kGoes = EDuringPractice::Goes;
    const auto toggle = [this](bool TBoardOptions::*option) {
        return [this, option] {
            TBoardOptions options = w_.renderer_.Options();
            options.*option = !(options.*option);
            SetBoardOptions(options);
        };
    };
    return {
        R::Command("mnuXYchg", TSDIAppForm::tr("反転"), TSDIAppForm::tr("X座標とY座標を逆にする"))
            .In("mnuBoard", 10)
            .Runs(orient(EOrientation::SwapXY), kGoes),
        R::Command("mnuRight", TSDIAppForm::tr("右回転"), TSDIAppForm::tr("右に90度回転して表示する"))
            .In("mnuBoard", 20)
            .Runs(orient(EOrientation::RotateRight), kGoes),
        R::Command("mnuLeft", TSDIAppForm::tr("左回転"), TSDIAppForm::tr("左に90度回転して表示する"))
            .In("mnuBoard", 30)
            .Runs(orient(EOrientation::RotateLeft), kGoes),
        R::Command("mnuUD", TSDIAppForm::tr("上下反転"), TSDIAppForm::tr("真ん中の横線を中心に上下逆にする"))
            .In("mnuBoard", 40)
            .Runs(orient(EOrientation::MirrorUpDown), kGoes),
        R::Command("mnuRL", TSDIAppForm::tr("左右反転"), TSDIAppForm::tr("真ん中の縦線を中心に左右逆にする"))
            .In("mnuBoard", 50)
            .Runs(orient(EOrientation::MirrorLeftRight), kGoes),
        R::Command("mnuBanIsi", TSDIAppForm::tr("盤石の色"))
            .In("mnuBoard", 60)
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_Comma)})
            .Runs([this] { banIsiColor_->exec(); }, kGoes),
        R::Command("mnuCoordinates", TSDIAppForm::tr("座標表示"), TSDIAppForm::tr("盤の周りに座標を表示する"))
            .In("mnuBoard", 70)
            .Runs(toggle(&TBoardOptions::coordinates))
            .CheckedWhen([this] { return w_.renderer_.Options().coordinates; }),
        R::Command("mnuScalable", TSDIAppForm::tr("盤を窓に合わせる"), TSDIAppForm::tr("窓の大きさに合わせて盤を拡大する"))
            .In("mnuBoard", 80)
            .Runs(toggle(&TBoardOptions::scalable))
            .CheckedWhen([this] { return w_.renderer_.Options().scalable; }),
    };
}

void TBoardCommands::CreateWindows() {
    banIsiColor_ = new TBanIsiColor(*this, *w_.messages_, w_.settingsPath_, &w_);
}

TBoardColors TBoardCommands::Colors() const {
    const TBoardRenderer& renderer = w_.renderer_;
    return {renderer.BanColor(), renderer.KuroIsiColor(), renderer.SiroIsiColor()};
}

void TBoardCommands::ApplyColors(const TBoardColors& colors) {
    w_.renderer_.SetColors(colors.ban, colors.kuro, colors.siro);
    w_.RepaintBoard();
}

void TBoardCommands::SetBoardOptions(const TBoardOptions& options) {
    w_.renderer_.SetOptions(options);
    GrowToShowTheBoard();
    if (pointShown_ && !options.coordinates) {
        w_.statusBar_->clearMessage();
        pointShown_ = false;
    }
    // The count table names points as the board does.
    if (TEvidencePanel* panel = w_.parts_.evidence->Panel(); panel && panel->isVisible())
        w_.parts_.evidence->RefreshEvidence();
    w_.UpdateActions();
}

void TBoardCommands::GrowToShowTheBoard() {
    if (!w_.boardArea_ || !w_.isVisible()) return;
    // The smallest pitch with the coordinate band on either side, and then
    // the pixel the board keeps from the edge when it does not fit (the
    // seed's own size fits its board exactly and stays as it was).
    constexpr int kSmallestPitch = 17;
    const bool band = w_.renderer_.Options().coordinates;
    const int need = (kBoardSize + (band ? 2 : 0)) * kSmallestPitch + (band ? 2 : 0);
    const int dw = std::max(0, need - w_.boardArea_->width());
    const int dh = std::max(0, need - w_.boardArea_->height());
    if (dw > 0 || dh > 0) w_.resize(w_.width() + dw, w_.height() + dh);
}

void TBoardCommands::ReadBoardOptions(const TIniFile& ini) {
    TBoardOptions options;
    options.coordinates = ini.ReadInteger("Goban", "Coordinates", 0) > 0;
    options.scalable = ini.ReadInteger("Goban", "Scalable", 0) > 0;
    SetBoardOptions(options);
}

void TBoardCommands::WriteBoardOptions(TIniFile& ini) const {
    ini.WriteInteger("Goban", "Coordinates", w_.renderer_.Options().coordinates ? 1 : 0);
    ini.WriteInteger("Goban", "Scalable", w_.renderer_.Options().scalable ? 1 : 0);
}

void TBoardCommands::BoardMouseMoved(int clientX, int clientY) {
    const TBoardRenderer& renderer = w_.renderer_;
    if (!renderer.Options().coordinates) return;
    const std::string name = CellName(renderer.HitTest(clientX, clientY), renderer.Geometry().size);
    if (name.empty()) {
        if (pointShown_) w_.statusBar_->clearMessage();
        pointShown_ = false;
        return;
    }
    w_.statusBar_->showMessage(ToQt(name));
    pointShown_ = true;
}

}  // namespace vxlo
