// The main window's commands for finding its way in a large dictionary: the
// tree index, going to a record, comment search, the same position reached
// by other paths, and the joseki of a pasted game.
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/ProgressWindow.h"
#include "gui/mainwindow/FindForm.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/records/frmJsk.h"
#include "import/CornerMatch.h"
#include "navigation/GoToRecord.h"
#include "companion/CommentSearch.h"

namespace vxlo {

namespace {
// Up to this size the index is built again without asking, after every
// change, so the window can say at once when a position has other paths.
constexpr std::int64_t kQuietIndexRecords = 50000;
// The pause after the last change of position before its other paths are
// looked for: an import or a replay changes it thousands of times.
constexpr int kSamePositionPauseMs = 150;
constexpr const char* kCornerNames[] = {QT_TRANSLATE_NOOP("vxlo::TSDIAppForm", "左上"),
                                        QT_TRANSLATE_NOOP("vxlo::TSDIAppForm", "右上"),
                                        QT_TRANSLATE_NOOP("vxlo::TSDIAppForm", "左下"),
                                        QT_TRANSLATE_NOOP("vxlo::TSDIAppForm", "右下")};
}  // namespace

void TSDIAppForm::CreateFindWindow() {
    findForm_ = new TFindForm(this);
    findForm_->SetSearchHandler([this](const std::string& text) { Guard([&] { SearchCommentsFor(text); }); });
    findForm_->SetGameHandler([this](const std::string& text, int upTo) { Guard([&] { FindGame(text, upTo); }); });
    findForm_->SetGoToHandler([this](int record) { Guard([&] { GoTo(record); }); });
    findForm_->SetGameFileHandler([this](int upTo) { Guard([&] { FindGameFile(upTo); }); });
    samePositionTimer_ = new QTimer(this);
    samePositionTimer_->setSingleShot(true);
    samePositionTimer_->setInterval(kSamePositionPauseMs);
    connect(samePositionTimer_, &QTimer::timeout, this, [this] { ShowSamePosition(); });
    jskForm_->SetGoToHandler([this](int record) { Guard([&] { GoTo(record); }); });
}

const TTreeIndex& TSDIAppForm::TreeIndex() {
    if (!nav_.FileOpen()) throw EVxloError(kOpenFirstText);
    TLjsk& dictionary = nav_.Dictionary();
    if (treeIndex_.Current(dictionary)) return treeIndex_.For(dictionary);
    TProgressWindow progress(tr("索引を作成しています"), this);
    return treeIndex_.For(dictionary, &progress);
}

void TSDIAppForm::GoTo(int record) {
    GoToRecord(nav_, TreeIndex(), record);
    boardArea_->update();
    UpdateActions();
    ShowSamePosition();
}

void TSDIAppForm::ScheduleSamePosition() {
    if (samePositionTimer_ != nullptr) samePositionTimer_->start();
}

void TSDIAppForm::mnuFindClick() {
    if (!nav_.FileOpen()) return;
    TreeIndex();
    findForm_->show();
    findForm_->raise();
    UpdateActions();
}

void TSDIAppForm::SearchCommentsFor(const std::string& text) {
    const TTreeIndex& index = TreeIndex();
    TCommentSearch search(Companion());
    std::vector<TListedRecord> listed;
    for (TSearchResult& r : SearchComments(search, index, text)) {
        listed.push_back({r.record, std::move(r.moves), std::move(r.snippet)});
    }
    findForm_->ShowResults(listed);
    statusBar_->showMessage(tr("%1 件").arg(listed.size()));
}

void TSDIAppForm::FindGame(const std::string& text, int upTo) {
    FindGameMoves(ParseGameMoves(text, FromQt(tr("貼り付けた棋譜"))), upTo);
}

void TSDIAppForm::FindGameFile(int upTo) {
    const std::optional<QString> path = ChooseOpenFile(tr("SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    if (!path) return;
    FindGameMoves(ReadGameFile(PathFromQt(*path)), upTo);
}

void TSDIAppForm::FindGameMoves(const std::vector<TPoint>& moves, int upTo) {
    const TTreeIndex& index = TreeIndex();
    const std::vector<TCornerMatch> matches = FindCorners(index, moves, upTo);
    std::vector<TListedRecord> listed;
    for (const TCornerMatch& m : matches) {
        listed.push_back({m.match.record, index.MovesTo(m.match.record),
                          FromQt(tr("%1 %2子 %3手目")
                                     .arg(tr(kCornerNames[m.corner]))
                                     .arg(m.stones)
                                     .arg(m.moveNumber))});
    }
    findForm_->ShowCornerMatches(listed);
    if (matches.empty()) {
        messages_->Information(tr("一致する定石はありません"));
        return;
    }
    GoTo(matches[0].match.record);
    // Shown as the game shows it: the display undoes the symmetry that took
    // the game's corner onto the dictionary's position.
    const int display = InverseSymmetry(matches[0].match.symmetry);
    TGoban& board = nav_.Board();
    if (board.SwapXY() != (display & 1)) board.ToggleSwapXY();
    if (board.MirrorLeftRight() != ((display >> 1) & 1)) board.ToggleMirrorLeftRight();
    if (board.MirrorUpDown() != ((display >> 2) & 1)) board.ToggleMirrorUpDown();
    RepaintBoard();
}

void TSDIAppForm::ShowSamePosition() {
    samePositions_.clear();
    try {
        TLjsk& dictionary = nav_.Dictionary();
        const bool asked = findForm_ != nullptr && findForm_->isVisible();
        if (nav_.FileOpen() &&
            (treeIndex_.Current(dictionary) || asked || dictionary.Store().RecordCount() <= kQuietIndexRecords)) {
            const TTreeIndex& index = treeIndex_.For(dictionary);
            for (const TPositionMatch& m : index.FindPosition(TPositionHash::Of(nav_.Board()))) {
                if (m.record != nav_.CurrentRecord()) samePositions_.push_back(m);
            }
        }
    } catch (const std::exception&) {
        // A file that cannot be read says so when the user asks for the
        // index; here the notice is only left out.
        samePositions_.clear();
    }
    QString notice;
    if (!samePositions_.empty())
        notice = tr("この局面はほかの手順でも現れます（%1）").arg(samePositions_.size());
    if (samePositionLabel_ == nullptr && !notice.isEmpty()) {
        samePositionLabel_ = new QLabel(statusBar_);
        samePositionLabel_->setObjectName("lblSamePosition");
        statusBar_->addPermanentWidget(samePositionLabel_);
    }
    if (samePositionLabel_ != nullptr) samePositionLabel_->setText(notice);
    if (findForm_ == nullptr) return;
    std::vector<TListedRecord> listed;
    if (!samePositions_.empty()) {
        const TTreeIndex& index = treeIndex_.For(nav_.Dictionary());
        for (const TPositionMatch& m : samePositions_) {
            QString note = m.Exact() ? QString() : tr("向き %1").arg(m.symmetry);
            if (m.coloursExchanged) note += note.isEmpty() ? tr("白黒逆") : tr("・白黒逆");
            listed.push_back({m.record, index.MovesTo(m.record), FromQt(note)});
        }
    }
    findForm_->ShowSamePositions(listed);
}

}  // namespace vxlo
