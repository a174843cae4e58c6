#include "gui/mainwindow/FindCommands.h"

#include <QDockWidget>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "companion/CommentSearch.h"
#include "core/VxloError.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/ProgressWindow.h"
#include "gui/mainwindow/FileCommands.h"
#include "gui/mainwindow/FindForm.h"
#include "gui/mainwindow/PanelDocks.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/RecordCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/records/frmJsk.h"
#include "import/CornerMatch.h"
#include "navigation/GoToRecord.h"

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

std::vector<TActionRow> TFindCommands::Actions() {
    return {TActionRow::Command("mnuFind", TSDIAppForm::tr("検索"), TSDIAppForm::tr("コメント・同じ局面・棋譜の定石を探す"))
                .In("mnuOperation", place::kFind)
                .Keys({QKeySequence::Find})
                .Runs([this] { mnuFindClick(); })
                .EnabledWhen([this] { return w_.FileOpen(); })};
}

void TFindCommands::CreateWindows() {
    findForm_ = new TFindForm(&w_);
    TDockPlace place;
    place.tabWith = w_.parts_.records->CommentDock();
    findDock_ = AddPanelDock(w_, findForm_, TSDIAppForm::tr("検索"), "FindDock", place);
    // Escape closes the search as it closed its window: the dock goes, the form stays in it.
    QObject::connect(findForm_, &QDialog::finished, &w_, [this] {
        findDock_->hide();
        findForm_->show();
    });
    findForm_->SetSearchHandler([this](const std::string& text) { w_.Guard([&] { SearchCommentsFor(text); }); });
    findForm_->SetGameHandler([this](const std::string& text, int upTo) { w_.Guard([&] { FindGame(text, upTo); }); });
    findForm_->SetGoToHandler([this](int record) { w_.Guard([&] { GoTo(record); }); });
    findForm_->SetGameFileHandler([this](int upTo) { w_.Guard([&] { FindGameFile(upTo); }); });
    samePositionTimer_ = new QTimer(&w_);
    samePositionTimer_->setSingleShot(true);
    samePositionTimer_->setInterval(kSamePositionPauseMs);
    QObject::connect(samePositionTimer_, &QTimer::timeout, &w_, [this] { ShowSamePosition(); });
    w_.parts_.records->JskForm().SetGoToHandler([this](int record) { w_.Guard([&] { GoTo(record); }); });
}

void TFindCommands::Update() {
    if (samePositionTimer_ != nullptr) samePositionTimer_->start();
}

const TTreeIndex& TFindCommands::TreeIndex() {
    TNavigation& nav = w_.nav_;
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    TLjsk& dictionary = nav.Dictionary();
    if (treeIndex_.Current(dictionary)) return treeIndex_.For(dictionary);
    TProgressWindow progress(TSDIAppForm::tr("索引を作成しています"), &w_);
    return treeIndex_.For(dictionary, &progress);
}

void TFindCommands::GoTo(int record) {
    GoToRecord(w_.nav_, TreeIndex(), record);
    w_.boardArea_->update();
    w_.UpdateActions();
    ShowSamePosition();
}

void TFindCommands::mnuFindClick() {
    if (!w_.FileOpen()) return;
    TreeIndex();
    ShowPanelDock(w_, findDock_);
    findDock_->raise();
    w_.UpdateActions();
}

void TFindCommands::SearchCommentsFor(const std::string& text) {
    const TTreeIndex& index = TreeIndex();
    TCommentSearch search(w_.Companion());
    std::vector<TListedRecord> listed;
    for (TSearchResult& r : SearchComments(search, index, text)) {
        listed.push_back({r.record, std::move(r.moves), std::move(r.snippet)});
    }
    findForm_->ShowResults(listed);
    w_.statusBar_->showMessage(TSDIAppForm::tr("%1 件").arg(listed.size()));
}

void TFindCommands::FindGame(const std::string& text, int upTo) {
    FindGameMoves(ParseGameMoves(text, FromQt(TSDIAppForm::tr("貼り付けた棋譜"))), upTo);
}

void TFindCommands::FindGameFile(int upTo) {
    const std::optional<QString> path =
        w_.parts_.files->ChooseOpenFile(TSDIAppForm::tr("SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)"));
    if (!path) return;
    FindGameMoves(ReadGameFile(PathFromQt(*path)), upTo);
}

void TFindCommands::FindGameMoves(const std::vector<TPoint>& moves, int upTo) {
    const TTreeIndex& index = TreeIndex();
    const std::vector<TCornerMatch> matches = FindCorners(index, moves, upTo);
    std::vector<TListedRecord> listed;
    for (const TCornerMatch& m : matches) {
        listed.push_back({m.match.record, index.MovesTo(m.match.record),
                          FromQt(TSDIAppForm::tr("%1 %2子 %3手目")
                                     .arg(TSDIAppForm::tr(kCornerNames[m.corner]))
                                     .arg(m.stones)
                                     .arg(m.moveNumber))});
    }
    findForm_->ShowCornerMatches(listed);
    if (matches.empty()) {
        w_.messages_->Information(TSDIAppForm::tr("一致する定石はありません"));
        return;
    }
    GoToMatch(matches[0]);
}

void TFindCommands::GoToMatch(const TCornerMatch& match) {
    GoTo(match.match.record);
    // Shown as the game shows it: the display undoes the symmetry that took
    // the game's corner onto the dictionary's position.
    const int display = InverseSymmetry(match.match.symmetry);
    TGoban& board = w_.nav_.Board();
    if (board.SwapXY() != (display & 1)) board.ToggleSwapXY();
    if (board.MirrorLeftRight() != ((display >> 1) & 1)) board.ToggleMirrorLeftRight();
    if (board.MirrorUpDown() != ((display >> 2) & 1)) board.ToggleMirrorUpDown();
    w_.RepaintBoard();
}

void TFindCommands::ShowSamePosition() {
    TNavigation& nav = w_.nav_;
    samePositions_.clear();
    try {
        TLjsk& dictionary = nav.Dictionary();
        const bool asked = findForm_ != nullptr && findForm_->isVisible();
        if (nav.FileOpen() &&
            (treeIndex_.Current(dictionary) || asked || dictionary.Store().RecordCount() <= kQuietIndexRecords)) {
            const TTreeIndex& index = treeIndex_.For(dictionary);
            for (const TPositionMatch& m : index.FindPosition(TPositionHash::Of(nav.Board()))) {
                if (m.record != nav.CurrentRecord()) samePositions_.push_back(m);
            }
        }
    } catch (const std::exception&) {
        // A file that cannot be read says so when the user asks for the
        // index; here the notice is only left out.
        samePositions_.clear();
    }
    QString notice;
    if (!samePositions_.empty())
        notice = TSDIAppForm::tr("この局面はほかの手順でも現れます（%1）").arg(samePositions_.size());
    if (samePositionLabel_ == nullptr && !notice.isEmpty()) {
        samePositionLabel_ = new QLabel(w_.statusBar_);
        samePositionLabel_->setObjectName("lblSamePosition");
        w_.statusBar_->addPermanentWidget(samePositionLabel_);
    }
    if (samePositionLabel_ != nullptr) samePositionLabel_->setText(notice);
    if (findForm_ == nullptr) return;
    std::vector<TListedRecord> listed;
    if (!samePositions_.empty()) {
        const TTreeIndex& index = treeIndex_.For(nav.Dictionary());
        for (const TPositionMatch& m : samePositions_) {
            QString note = m.Exact() ? QString() : TSDIAppForm::tr("向き %1").arg(m.symmetry);
            if (m.coloursExchanged) note += note.isEmpty() ? TSDIAppForm::tr("白黒逆") : TSDIAppForm::tr("・白黒逆");
            listed.push_back({m.record, index.MovesTo(m.record), FromQt(note)});
        }
    }
    findForm_->ShowSamePositions(listed);
}

}  // namespace vxlo
