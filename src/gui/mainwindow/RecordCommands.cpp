// The main window's commands and hooks of the record grid and the comment
// store.
#include "gui/mainwindow/Sdimain.h"

#include <QScreen>

#include "gui/records/Comment.h"
#include "gui/records/frmJsk.h"

namespace vxlo {

void TSDIAppForm::mnuDataClick() {
    if (!nav_.FileOpen()) return;
    jskForm_->exec();
    UpdateActions();
}

void TSDIAppForm::CreateCommentWindow() {
    comments_.SetCommentUse(commentUse_ == 1);
    frmCmnt_ = new TfrmCmnt(settingsPath_, commentUse_ == 1, this);
    comments_.AttachMemo(*frmCmnt_);
}

void TSDIAppForm::PlaceCommentWindow() {
    if (frmCmnt_->HasSavedBounds()) return;
    const QScreen* where = screen();
    if (!where) return;
    frmCmnt_->PlaceBeside(frameGeometry(), where->availableGeometry());
}

void TSDIAppForm::mnuDBClick() {
    if (!nav_.FileOpen()) {
        commentUse_ = commentUse_ == 1 ? 0 : 1;
        comments_.SetCommentUse(commentUse_ == 1);
        frmCmnt_->setVisible(commentUse_ == 1);
    }
    UpdateActions();
}

// Open step 4, before the dictionary file: a store that cannot be used ends
// the open there, with no dictionary open.
void TSDIAppForm::OpenCommentTable(const std::string&) {
    if (companion_) comments_.OpenCommentTable(companion_);
}

void TSDIAppForm::CloseCommentTable() {
    // Closing keeps a comment typed in recording mode at the current
    // position; after a failed open there is nothing to keep.
    // A comment that cannot be stored is reported; the close goes on, so the
    // command that closes is never left half done.
    try {
        if (nav_.FileOpen()) {
            comments_.CloseCommentTable(nav_.CurrentRecord(), nav_.InputMode());
        } else {
            comments_.Discard();
        }
    } catch (const std::exception& error) {
        ShowError(*messages_, error);
    }
}

}  // namespace vxlo
