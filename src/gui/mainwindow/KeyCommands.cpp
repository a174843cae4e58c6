#include "gui/mainwindow/KeyCommands.h"

#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

std::vector<TActionRow> TKeyCommands::Actions() {
    using R = TActionRow;
    TNavigation* const nav = &w_.nav_;
    const auto open = [nav] { return nav->FileOpen(); };
    return {
        R::Command("mnuModoru", TSDIAppForm::tr("一手戻る"), TSDIAppForm::tr("盤面を右クリックでも戻ります"))
            .In("mnuOperation", place::kBack)
            .Keys({Qt::Key_Left})
            .Runs([nav] { nav->Back(); }),
        R::Command("mnuForward", TSDIAppForm::tr("一手進む"), TSDIAppForm::tr("選んだ候補手を打ちます（→キー、ホイール）"))
            .In("mnuOperation", place::kForward)
            .Keys({Qt::Key_Right})
            .Runs([this] { PlaySelected(); })
            .EnabledWhen([nav] { return nav->FileOpen() && nav->Dictionary().Count() > 0; }),
        R::Command("mnuPreviousCandidate", TSDIAppForm::tr("前の候補手を選ぶ"))
            .In("mnuOperation", place::kPreviousCandidate)
            .Keys({Qt::Key_Up})
            .Runs([this] { SelectCandidate(-1); }),
        R::Command("mnuNextCandidate", TSDIAppForm::tr("次の候補手を選ぶ"))
            .In("mnuOperation", place::kNextCandidate)
            .Keys({Qt::Key_Down})
            .Runs([this] { SelectCandidate(1); }),
        R::Command("mnuDelete1", TSDIAppForm::tr("一手削除"))
            .In("mnuOperation", place::kDeleteLast)
            .Runs([nav] { nav->DeleteLast(); })
            .EnabledWhen([nav] { return nav->Delete1Enabled(); }),
        R::Command("mnu1st", TSDIAppForm::tr("最初に戻る"))
            .In("mnuOperation", place::kFirst)
            .Keys({Qt::Key_Home})
            .Runs([nav] { nav->ToFirst(); }),
        R::Separator("mnuOperation", place::kUndoSeparator),
        R::Command("mnuUndo", TSDIAppForm::tr("登録を取り消す"), TSDIAppForm::tr("この回の登録・色の変更を一つずつ取り消します"))
            .In("mnuOperation", place::kUndo)
            .Keys({QKeySequence::Undo})
            .Runs([this] { UndoRecording(false); })
            .EnabledWhen([this, open] { return open() && w_.history_.CanUndo(); }),
        R::Command("mnuRedo", TSDIAppForm::tr("登録をやり直す"))
            .In("mnuOperation", place::kRedo)
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
            .Runs([this] { UndoRecording(true); })
            .EnabledWhen([this, open] { return open() && w_.history_.CanRedo(); }),
        R::Separator("mnuOperation", place::kPanelSeparator),
        R::Command("mnuKeys", TSDIAppForm::tr("キーとマウス..."))
            .In("mnuHelp", place::kKeys)
            .Runs([this] { ShowKeysHelp(); }),
    };
}

std::optional<TPoint> TKeyCommands::SelectedCandidate() const {
    const TNavigation& nav = w_.nav_;
    const TLjsk& list = nav.Dictionary();
    if (!nav.FileOpen() || list.Count() == 0) return std::nullopt;
    const bool here = selectionShown_ && selectedLine_ == CurrentLine(nav);
    return list.GetMoveXY(here && selected_ < list.Count() ? selected_ : 0);
}

TRecordingHistory& TKeyCommands::RecordingHistory() { return w_.history_; }

void TKeyCommands::PlaySelected() {
    const std::optional<TPoint> p = SelectedCandidate();
    if (!p) return;
    w_.nav_.Deside(p->x, p->y);
}

void TKeyCommands::SelectCandidate(int step) {
    TNavigation& nav = w_.nav_;
    const int count = nav.Dictionary().Count();
    if (!nav.FileOpen() || count == 0) return;
    const std::vector<TPoint> line = CurrentLine(nav);
    if (selectedLine_ != line) {
        selectedLine_ = line;
        selected_ = 0;
    }
    selected_ = ((selected_ + step) % count + count) % count;
    selectionShown_ = true;
    w_.boardArea_->update();
}

void TKeyCommands::PaintSelectionOverlay(QPainter& p) {
    const TNavigation& nav = w_.nav_;
    if (!selectionShown_ || selectedLine_ != CurrentLine(nav) || w_.Practice()) return;
    const std::optional<TPoint> move = SelectedCandidate();
    const TBoardRenderer& renderer = w_.renderer_;
    const int s = renderer.CellSize();
    if (!move || IsTenuki(move->x, move->y) || s <= 0) return;
    const TPoint cell = nav.Board().BoardToDisplay(move->x, move->y);
    const int left = renderer.BoardLeft() + (cell.x - 1) * s;
    const int top = renderer.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0xFF, 0x8C, 0x00), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(left + 1, top + 1, s - 2, s - 2));
    p.restore();
}

void TKeyCommands::BoardWheel(int steps) {
    TPracticeCommands& practice = *w_.parts_.practice;
    // Away from the user goes back, towards the user forward, one move a notch.
    for (int k = 0; k < steps; ++k)
        w_.Guard([&] { practice.Run(EDuringPractice::Ends, [this] { w_.nav_.Back(); }); });
    for (int k = 0; k < -steps; ++k)
        w_.Guard([&] { practice.Run(EDuringPractice::Ends, [this] { PlaySelected(); }); });
}

void TKeyCommands::BoardMousePressed(Qt::MouseButton button, int clientX, int clientY) {
    TNavigation& nav = w_.nav_;
    const TPoint cell = w_.renderer_.HitTest(clientX, clientY);
    if (w_.parts_.practice->PracticeTakesClick(button, cell)) return;
    const EMouseButton which = button == Qt::LeftButton    ? EMouseButton::Left
                               : button == Qt::RightButton ? EMouseButton::Right
                                                           : EMouseButton::Middle;
    if (which == EMouseButton::Left && nav.FileOpen() && nav.InputMode() == EInputMode::Display &&
        cell.x >= 1 && cell.x <= kBoardSize && cell.y >= 1 && cell.y <= kBoardSize) {
        const TPoint p = nav.Board().DisplayToBoard(cell.x, cell.y);
        if (nav.Board().PointState(p.x, p.y) == Empty) {
            w_.statusBar_->showMessage(
                TSDIAppForm::tr("表示モードなので手は加わりません。登録するには 設定 → 入力 → 登録 を選んでください"),
                8000);
            return;
        }
    }
    nav.MouseDown(which, cell.x, cell.y);
}

void TKeyCommands::UndoRecording(bool redo) {
    TRecordingHistory& history = w_.history_;
    IUserMessages& messages = *w_.messages_;
    switch (redo ? history.Redo(w_.nav_) : history.Undo(w_.nav_)) {
    case EHistoryStep::Done:
    case EHistoryStep::Nothing: break;
    case EHistoryStep::LineGone: messages.Information(TSDIAppForm::tr("その手の局面がもうないので、取り消し・やり直しの記録を消しました")); break;
    case EHistoryStep::HasMoves: messages.Information(TSDIAppForm::tr("その手の先に手が登録されているので取り消せません")); break;
    case EHistoryStep::Refused: messages.Information(TSDIAppForm::tr("候補手が30手あるか手順が400手に達しているので、やり直せません")); break;
    }
    w_.UpdateActions();
}

void TKeyCommands::Update() {
    const TNavigation& nav = w_.nav_;
    if (selectionShown_ && selectedLine_ != CurrentLine(nav)) {
        selectionShown_ = false;
        selectedLine_.clear();
        selected_ = 0;
    }
    // Made at the first update: the status bar is the frame's, there from the start.
    if (!inputModeField_) {
        inputModeField_ = new QLabel(w_.statusBar_);
        inputModeField_->setObjectName("InputModeField");
        w_.statusBar_->addPermanentWidget(inputModeField_);
    }
    const bool recording = nav.InputMode() == EInputMode::Record;
    inputModeField_->setText(recording ? TSDIAppForm::tr("登録モード") : TSDIAppForm::tr("表示モード"));
    // Recording stands out: a click adds to the file.
    inputModeField_->setStyleSheet(recording ? QStringLiteral("QLabel { color: white; background: #b00000; padding: 0 6px; }")
                                             : QStringLiteral("QLabel { padding: 0 6px; }"));
}

void TKeyCommands::ShowKeysHelp() {
    w_.messages_->Information(TSDIAppForm::tr("→ / ホイールを手前へ：選んだ候補手を打つ（分岐までモードでは分岐まで）\n"
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
