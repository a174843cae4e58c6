#include "gui/mainwindow/FindForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dictionary/MoveText.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr int kMaxMoveNumber = 400;
}  // namespace

TFindForm::TFindForm(QWidget* parent) : QDialog(parent) {
    setObjectName("frmFind");
    setWindowTitle(tr("検索"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName("edtSearch");
    searchEdit_->setPlaceholderText(tr("コメントを検索"));
    auto* searchButton = new QPushButton(tr("検索"), this);
    searchButton->setObjectName("btnSearch");
    searchButton->setAutoDefault(false);
    searchRow->addWidget(searchEdit_);
    searchRow->addWidget(searchButton);
    layout->addLayout(searchRow);
    results_ = new QListWidget(this);
    results_->setObjectName("lstResults");
    layout->addWidget(results_);

    sameLabel_ = new QLabel(tr("同じ局面：ほかの手順はありません"), this);
    sameLabel_->setObjectName("lblSame");
    layout->addWidget(sameLabel_);
    same_ = new QListWidget(this);
    same_->setObjectName("lstSame");
    layout->addWidget(same_);

    layout->addWidget(new QLabel(tr("棋譜（SGFまたは x,y の並び）から定石を探す"), this));
    gameText_ = new QPlainTextEdit(this);
    gameText_->setObjectName("edtGame");
    layout->addWidget(gameText_);
    auto* gameRow = new QHBoxLayout;
    gameRow->addWidget(new QLabel(tr("手数"), this));
    moveNumber_ = new QSpinBox(this);
    moveNumber_->setObjectName("spnMove");
    moveNumber_->setRange(1, kMaxMoveNumber);
    moveNumber_->setValue(kMaxMoveNumber);
    gameRow->addWidget(moveNumber_);
    auto* gameButton = new QPushButton(tr("照合"), this);
    gameButton->setObjectName("btnGame");
    gameButton->setAutoDefault(false);
    gameRow->addWidget(gameButton);
    auto* gameFileButton = new QPushButton(tr("SGFを開く..."), this);
    gameFileButton->setObjectName("btnGameFile");
    gameFileButton->setAutoDefault(false);
    gameRow->addWidget(gameFileButton);
    layout->addLayout(gameRow);
    corners_ = new QListWidget(this);
    corners_->setObjectName("lstCorners");
    layout->addWidget(corners_);

    connect(searchButton, &QPushButton::clicked, this, [this] { SearchClick(); });
    connect(searchEdit_, &QLineEdit::returnPressed, this, [this] { SearchClick(); });
    connect(gameButton, &QPushButton::clicked, this, [this] { GameClick(); });
    connect(gameFileButton, &QPushButton::clicked, this, [this] { GameFileClick(); });
    for (QListWidget* list : {results_, same_, corners_}) {
        connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Choose(item); });
    }
    resize(420, 560);
}

void TFindForm::SearchClick() {
    if (search_) search_(FromQt(searchEdit_->text()));
}

void TFindForm::GameClick() {
    if (game_) game_(FromQt(gameText_->toPlainText()), moveNumber_->value());
}

void TFindForm::GameFileClick() {
    if (gameFile_) gameFile_(moveNumber_->value());
}

void TFindForm::Choose(QListWidgetItem* item) {
    if (item && goTo_) goTo_(item->data(Qt::UserRole).toInt());
}

void TFindForm::Fill(QListWidget* list, const std::vector<TListedRecord>& entries) {
    list->clear();
    for (const TListedRecord& e : entries) {
        std::string path;
        for (const TPoint p : e.moves) path += (path.empty() ? "" : " ") + FormatMove(p);
        const QString moves = path.empty() ? tr("（空の盤）") : ToQt(path);
        auto* item = new QListWidgetItem(e.note.empty() ? moves : tr("%1　%2").arg(moves, ToQt(e.note)), list);
        item->setData(Qt::UserRole, e.record);
    }
}

void TFindForm::ShowResults(const std::vector<TListedRecord>& results) { Fill(results_, results); }

void TFindForm::ShowSamePositions(const std::vector<TListedRecord>& others) {
    Fill(same_, others);
    sameLabel_->setText(others.empty() ? tr("同じ局面：ほかの手順はありません")
                                       : tr("同じ局面：ほかに %1 通りの手順").arg(others.size()));
}

void TFindForm::ShowCornerMatches(const std::vector<TListedRecord>& matches) { Fill(corners_, matches); }

}  // namespace vxlo
