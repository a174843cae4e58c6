// Keys, the mouse wheel and undo of recording: the arrows walk the tree as
// clicks do, Up and Down choose the candidate that Right plays, Ctrl+Z and
// Ctrl+Y take back and do again the recording clicks of the session.
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

void TSDIAppForm::CreateKeyActions() {
    mnuForward_ = MakeAction("mnuForward", tr("一手進む"), tr("選んだ候補手を打ちます（→キー、ホイール）"));
    mnuPreviousCandidate_ = MakeAction("mnuPreviousCandidate", tr("前の候補手を選ぶ"));
    mnuNextCandidate_ = MakeAction("mnuNextCandidate", tr("次の候補手を選ぶ"));
    mnuUndo_ = MakeAction("mnuUndo", tr("登録を取り消す"), tr("この回の登録・色の変更を一つずつ取り消します"));
    mnuRedo_ = MakeAction("mnuRedo", tr("登録をやり直す"));
    mnuKeys_ = MakeAction("mnuKeys", tr("キーとマウス..."));
    mnuForward_->setShortcut(Qt::Key_Right);
    mnuModoru_->setShortcut(Qt::Key_Left);
    mnuPreviousCandidate_->setShortcut(Qt::Key_Up);
    mnuNextCandidate_->setShortcut(Qt::Key_Down);
    mnu1st_->setShortcut(Qt::Key_Home);
    mnuUndo_->setShortcut(QKeySequence::Undo);
    mnuRedo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuOpen_->setShortcut(QKeySequence::Open);
    mnuFind_->setShortcut(QKeySequence::Find);
    mnuFileInput_->setShortcut(Qt::CTRL | Qt::Key_I);
    mnuSgfOut_->setShortcut(Qt::CTRL | Qt::Key_E);
    mnuBanIsi_->setShortcut(Qt::CTRL | Qt::Key_Comma);
    ExitItem_->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    OnTriggered(mnuForward_, [this] { PlaySelected(); });
    OnTriggered(mnuPreviousCandidate_, [this] { SelectCandidate(-1); });
    OnTriggered(mnuNextCandidate_, [this] { SelectCandidate(1); });
    OnTriggered(mnuUndo_, [this] { UndoRecording(false); });
    OnTriggered(mnuRedo_, [this] { UndoRecording(true); });
    OnTriggered(mnuKeys_, [this] { ShowKeysHelp(); });
    nav_.SetRecordingHistory(&history_);
}

void TSDIAppForm::AddKeyActions(QMenu* operation, QMenu* help) {
    QAction* first = operation->actions().value(1);  // after the step back
    operation->insertActions(first, {mnuForward_, mnuPreviousCandidate_, mnuNextCandidate_});
    operation->addSeparator();
    operation->addActions({mnuUndo_, mnuRedo_});
    operation->addSeparator();
    operation->addAction(mnuLinesPanel_);
    help->insertAction(About1_, mnuKeys_);
}

std::optional<TPoint> TSDIAppForm::SelectedCandidate() const {
    const TLjsk& list = nav_.Dictionary();
    if (!nav_.FileOpen() || list.Count() == 0) return std::nullopt;
    const bool here = selectionShown_ && selectedLine_ == CurrentLine(nav_);
    return list.GetMoveXY(here && selected_ < list.Count() ? selected_ : 0);
}

void TSDIAppForm::PlaySelected() {
    const std::optional<TPoint> p = SelectedCandidate();
    if (!p) return;
    nav_.Deside(p->x, p->y);
}

void TSDIAppForm::SelectCandidate(int step) {
    const int count = nav_.Dictionary().Count();
    if (!nav_.FileOpen() || count == 0) return;
    const std::vector<TPoint> line = CurrentLine(nav_);
    if (selectedLine_ != line) {
        selectedLine_ = line;
        selected_ = 0;
    }
    selected_ = ((selected_ + step) % count + count) % count;
    selectionShown_ = true;
    boardArea_->update();
}

void TSDIAppForm::PaintSelectionOverlay(QPainter& p) {
    if (!selectionShown_ || selectedLine_ != CurrentLine(nav_) || practice_) return;
    const std::optional<TPoint> move = SelectedCandidate();
    const int s = renderer_.CellSize();
    if (!move || IsTenuki(move->x, move->y) || s <= 0) return;
    const TPoint cell = nav_.Board().BoardToDisplay(move->x, move->y);
    const int left = renderer_.BoardLeft() + (cell.x - 1) * s;
    const int top = renderer_.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0xFF, 0x8C, 0x00), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(left + 1, top + 1, s - 2, s - 2));
    p.restore();
}

void TSDIAppForm::BoardWheel(int steps) {
    // Away from the user goes back, towards the user forward, one move a notch.
    for (int k = 0; k < steps; ++k) Guard([&] { RunCommand(mnuModoru_, [this] { nav_.Back(); }); });
    for (int k = 0; k < -steps; ++k) Guard([&] { RunCommand(mnuForward_, [this] { PlaySelected(); }); });
}

void TSDIAppForm::UndoRecording(bool redo) {
    switch (redo ? history_.Redo(nav_) : history_.Undo(nav_)) {
    case EHistoryStep::Done:
    case EHistoryStep::Nothing: break;
    case EHistoryStep::LineGone: messages_->Information(tr("その手の局面がもうないので、取り消し・やり直しの記録を消しました")); break;
    case EHistoryStep::HasMoves: messages_->Information(tr("その手の先に手が登録されているので取り消せません")); break;
    case EHistoryStep::Refused: messages_->Information(tr("候補手が30手あるか手順が400手に達しているので、やり直せません")); break;
    }
    UpdateActions();
}

void TSDIAppForm::UpdateKeyActions() {
    const bool open = nav_.FileOpen();
    mnuUndo_->setEnabled(open && history_.CanUndo());
    mnuRedo_->setEnabled(open && history_.CanRedo());
    mnuForward_->setEnabled(open && nav_.Dictionary().Count() > 0);
    if (selectionShown_ && selectedLine_ != CurrentLine(nav_)) {
        selectionShown_ = false;
        selectedLine_.clear();
        selected_ = 0;
    }
    const bool recording = nav_.InputMode() == EInputMode::Record;
    inputModeField_->setText(recording ? tr("登録モード") : tr("表示モード"));
    // Recording stands out: a click adds to the file.
    inputModeField_->setStyleSheet(recording ? QStringLiteral("QLabel { color: white; background: #b00000; padding: 0 6px; }")
                                             : QStringLiteral("QLabel { padding: 0 6px; }"));
}

void TSDIAppForm::ShowKeysHelp() {
    messages_->Information(tr("→ / ホイールを手前へ：選んだ候補手を打つ（分岐までモードでは分岐まで）\n"
                              "← / ホイールを奥へ / 右クリック：一手戻る\n"
                              "↑ ↓：→で打つ候補手を選ぶ（盤上に丸で示します）\n"
                              "Home：最初に戻る\n"
                              "左クリック：候補手を打つ。登録モードでは空いた点に候補手を加える\n"
                              "右クリック（登録モード）：候補手の色を変える\n"
                              "Ctrl+Z / Ctrl+Y：この回の登録・色の変更を取り消す / やり直す\n"
                              "Ctrl+O 開く　Ctrl+F 検索　Ctrl+I ファイル入力　Ctrl+E SGF出力\n"
                              "Ctrl+, 盤石の色　Ctrl+Q 終了"));
}

}  // namespace vxlo
