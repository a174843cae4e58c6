#pragma once
// The record grid and the comment panel (docked beside the board): their menu commands, the choice
// of comments (kept in VXLO.INI, Mode/DB) and the comment store's hooks at
// the open and close of a dictionary.
#include <string>

#include "gui/mainwindow/ActionTable.h"

class QDockWidget;

namespace vxlo {

class TJskForm;
class TfrmCmnt;

class TRecordCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    void CreateWindows();

    void mnuDataClick();
    void mnuDBClick();
    int CommentUse() const { return commentUse_; }
    void SetCommentUse(int use) { commentUse_ = use; }
    void HideCommentMenu();
    // Open step 4, before the dictionary file: a store that cannot be used
    // ends the open there, with no dictionary open.
    void OpenCommentTable();
    void CloseCommentTable();
    TJskForm& JskForm() { return *jskForm_; }
    TfrmCmnt& CommentForm() { return *frmCmnt_; }
    TfrmCmnt* CommentWindow() const { return frmCmnt_; }
    QDockWidget* CommentDock() const { return commentDock_; }

private:
    int commentUse_ = 0;
    bool commentMenuHidden_ = false;
    TJskForm* jskForm_ = nullptr;
    TfrmCmnt* frmCmnt_ = nullptr;
    QDockWidget* commentDock_ = nullptr;
};

}  // namespace vxlo
