#include "gui/mainwindow/RecordCommands.h"

#include <QDockWidget>
#include <QScreen>
#include <algorithm>

#include "gui/mainwindow/PanelDocks.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/records/Comment.h"
#include "gui/records/frmJsk.h"
#include "settings/WindowPlacement.h"

namespace vxlo {

std::vector<TActionRow> TRecordCommands::Actions() {
    using R = TActionRow;
    return {
        R::Command("mnuData", TSDIAppForm::tr("データ表示"))
            .In("mnuFile", place::kData)
            .Runs([this] { mnuDataClick(); })
            .EnabledWhen([this] { return w_.FileOpen() && w_.nav_.DataEnabled(); }),
        R::Command("mnuDB", TSDIAppForm::tr("ｺﾒﾝﾄ使用"), TSDIAppForm::tr("Paradoxを使用しコメントの入力をします"))
            .In("mnuSetting", place::kComments)
            .Runs([this] { mnuDBClick(); })
            .EnabledWhen([this] { return !w_.FileOpen(); })
            .CheckedWhen([this] { return commentUse_ == 1; })
            .VisibleWhen([this] { return !commentMenuHidden_; }),
    };
}

void TRecordCommands::CreateWindows() {
    jskForm_ = new TJskForm(w_.nav_, *w_.messages_, w_.settingsPath_, &w_);
    w_.comments_.SetCommentUse(commentUse_ == 1);
    frmCmnt_ = new TfrmCmnt(w_.settingsPath_, commentUse_ == 1, &w_);
    w_.comments_.AttachMemo(*frmCmnt_);
    TDockPlace place;
    place.floatingBounds = [this](const QWidget& floating) {
        if (frmCmnt_->HasSavedBounds()) return frmCmnt_->SavedBounds();
        // Never over the board.
        const QRect main = w_.frameGeometry();
        const QRect area = w_.screen() ? w_.screen()->availableGeometry() : main;
        const TScreenRect beside =
            PlaceBesideMain({main.x(), main.y(), main.width(), main.height()},
                            {area.x(), area.y(), area.width(), area.height()}, TfrmCmnt::kReadableWidth,
                            TfrmCmnt::kReadableHeight);
        const QSize frame = floating.frameGeometry().size() - floating.size();
        return QRect(beside.left, beside.top, std::max(1, beside.width - frame.width()),
                     std::max(1, beside.height - frame.height()));
    };
    commentDock_ = AddPanelDock(w_, frmCmnt_, TSDIAppForm::tr("コメント"), "CommentDock", place);
    commentDock_->setVisible(commentUse_ == 1);
}

void TRecordCommands::HideCommentMenu() {
    commentMenuHidden_ = true;
    w_.UpdateActions();
}

void TRecordCommands::mnuDataClick() {
    if (!w_.FileOpen()) return;
    jskForm_->exec();
    w_.UpdateActions();
}

void TRecordCommands::mnuDBClick() {
    if (!w_.FileOpen()) {
        commentUse_ = commentUse_ == 1 ? 0 : 1;
        w_.comments_.SetCommentUse(commentUse_ == 1);
        if (commentUse_ == 1) {
            ShowPanelDock(w_, commentDock_);
        } else {
            commentDock_->hide();
        }
    }
    w_.UpdateActions();
}

void TRecordCommands::OpenCommentTable() {
    if (w_.companion_) w_.comments_.OpenCommentTable(w_.companion_);
}

void TRecordCommands::CloseCommentTable() {
    // Closing keeps a comment typed in recording mode at the current
    // position; after a failed open there is nothing to keep.
    // A comment that cannot be stored is reported; the close goes on, so the
    // command that closes is never left half done.
    try {
        if (w_.FileOpen()) {
            w_.comments_.CloseCommentTable(w_.nav_.CurrentRecord(), w_.nav_.InputMode());
        } else {
            w_.comments_.Discard();
        }
    } catch (const std::exception& error) {
        ShowError(*w_.messages_, error);
    }
}

}  // namespace vxlo
