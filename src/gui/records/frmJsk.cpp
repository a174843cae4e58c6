#include "gui/records/frmJsk.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/VxloError.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/UserMessages.h"

namespace vxlo {

namespace {
constexpr const char* kSection = "GridForm";
constexpr const char* kOffBoardCellText = QT_TRANSLATE_NOOP(
    "vxlo", "%1 行目の %2 (%3) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です");
constexpr int kColumns = 8;
constexpr int kCreatedRows = 30;  // rows of the grid when the window is made
// Widths of columns 0..7; every cell also holds its grid line.
constexpr int kColumnWidths[kColumns] = {30, 40, 30, 30, 30, 30, 40, 41};
constexpr const char* kHeadings[kColumns] = {"", "Record", "  X", "  Y", "", "", "Next", "More"};

// A narrow scroll bar, so that ten rows and the bar fit the grid's width.
class TNarrowScrollBarStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent) return TJskForm::kScrollBarWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
}  // namespace

// Column 0 is the grid's vertical header and row 0 its horizontal header, so
// both stay in place while the rows scroll; cell (c, r) is item (r-1, c-1).
TJskForm::TJskForm(TNavigation& navigation, IUserMessages& messages, std::string settingsPath,
                   QWidget* parent)
    : QDialog(parent), navigation_(navigation), messages_(messages),
      settingsPath_(std::move(settingsPath)) {
    setObjectName("JskForm");
    setWindowTitle(tr("データ表示"));
    QFont font(ToQt("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(tr("ﾌｧｲﾙ(&F)"));
    mnuSave_ = file->addAction(tr("保存"));
    mnuSave_->setObjectName("mnuSave");
    file->addSeparator();
    mnuClose_ = file->addAction(tr("閉じる"));
    mnuClose_->setObjectName("mnuClose");
    connect(mnuSave_, &QAction::triggered, this,
            [this] { RunGuarded(messages_, [this] { mnuSaveClick(); }); });
    connect(mnuClose_, &QAction::triggered, this, [this] { mnuCloseClick(); });
    QMenu* go = menuBar->addMenu(tr("移動"));
    mnuGoNext_ = go->addAction(tr("Nextへ"));
    mnuGoNext_->setObjectName("mnuGoNext");
    mnuGoMore_ = go->addAction(tr("Moreへ"));
    mnuGoMore_->setObjectName("mnuGoMore");
    connect(mnuGoNext_, &QAction::triggered, this, [this] { mnuGoNextClick(); });
    connect(mnuGoMore_, &QAction::triggered, this, [this] { mnuGoMoreClick(); });

    grid_ = new QTableWidget(kCreatedRows - 1, kColumns - 1, this);
    grid_->setObjectName("GridJsk");
    grid_->setFrameShape(QFrame::NoFrame);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    scrollBarStyle_ = new TNarrowScrollBarStyle;
    scrollBarStyle_->setParent(this);
    grid_->verticalScrollBar()->setStyle(scrollBarStyle_);

    QHeaderView* top = grid_->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setMinimumSectionSize(1);
    top->setFixedHeight(kRowPitch);
    top->setHighlightSections(false);
    for (int c = 1; c < kColumns; ++c) {
        grid_->setColumnWidth(c - 1, kColumnWidths[c] + 1);
        grid_->setHorizontalHeaderItem(c - 1, new QTableWidgetItem(ToQt(kHeadings[c])));
    }
    QHeaderView* side = grid_->verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setMinimumSectionSize(1);
    side->setDefaultSectionSize(kRowPitch);
    side->setFixedWidth(kColumnWidths[0] + 1);
    side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    side->setHighlightSections(false);
    labelledRows_ = kCreatedRows - 1;
    for (int r = 1; r <= labelledRows_; ++r) {
        grid_->setVerticalHeaderItem(
            r - 1, new QTableWidgetItem(ToQt("  " + std::string(CandidateLabel(r - 1)))));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(grid_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    grid_->setFixedSize(kGridWidth, 189);

    const TIniFile ini(settingsPath_);
    move(ini.ReadInteger(kSection, "Left", 0), ini.ReadInteger(kSection, "Top", 0));
}

TJskForm::~TJskForm() = default;

QString TJskForm::Cell(int column, int row) const {
    if (row == 0) {
        const QTableWidgetItem* item =
            column > 0 ? grid_->horizontalHeaderItem(column - 1) : nullptr;
        return item ? item->text() : QString();
    }
    if (column == 0) {
        const QTableWidgetItem* item = grid_->verticalHeaderItem(row - 1);
        return item ? item->text() : QString();
    }
    const QTableWidgetItem* item = grid_->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

void TJskForm::SetCell(int column, int row, const QString& text) {
    if (column < 1 || row < 1) return;  // fixed cells are not edited
    QTableWidgetItem* item = grid_->item(row - 1, column - 1);
    if (item == nullptr) {
        grid_->setItem(row - 1, column - 1, new QTableWidgetItem(text));
    } else {
        item->setText(text);
    }
}

int TJskForm::RowCount() const { return grid_->rowCount() + 1; }

QSize TJskForm::ClientSize() const { return grid_->size(); }

void TJskForm::FormShow() {
    int n = navigation_.Dictionary().Count();
    int width = kGridWidth - kScrollBarWidth;
    if (n > kVisibleRows) {
        n = kVisibleRows;
        width = kGridWidth;
    }
    grid_->setFixedSize(width, (n + 1) * kRowPitch);
}

void TJskForm::FormPaint() {
    const TLjsk& list = navigation_.Dictionary();
    const int count = list.Count();
    grid_->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        const int row = i + 1;
        // Rows added after the window was made have no label; a list past
        // the kana shows those the board shows.
        const int kana = count > kLabelCount ? list.LabelIndex(i) : row <= labelledRows_ ? row - 1 : -1;
        const QString label = kana >= 0 ? ToQt("  " + std::string(CandidateLabel(kana))) : QString();
        grid_->setVerticalHeaderItem(i, new QTableWidgetItem(label));
        const TJskRecord r = list.GetRecord(i);
        SetCell(1, row, QString::number(list.RecNoAt(i)));
        SetCell(2, row, QString::number(r.X));
        SetCell(3, row, QString::number(r.Y));
        SetCell(4, row, QString::number(r.Color));
        SetCell(5, row, QString::number(r.Aux));
        SetCell(6, row, QString::number(r.Next));
        SetCell(7, row, QString::number(r.More));
    }
}

void TJskForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
    FormPaint();
}

void TJskForm::CommitEditor() {
    // Moving the current cell hands an open in-place editor's text to its cell.
    const QModelIndex current = grid_->currentIndex();
    grid_->setCurrentIndex(QModelIndex());
    grid_->setCurrentIndex(current);
}

int TJskForm::CellValue(int column, int row, bool byteField) const {
    const int value = StrToInt(FromQt(Cell(column, row)));
    if (byteField && (value < 0 || value > 255)) throw ERangeError();
    return value;
}

void TJskForm::RefuseOffBoard(TPoint p, int row) {
    if (IsMovePoint(p.x, p.y)) return;
    // The cell to name: a Y no point has, else an X no point has, else the
    // 0 of a tenuki whose other half is not 0.
    const bool inY = p.y < 0 || p.y > kBoardSize || (p.x >= 0 && p.x <= kBoardSize && p.y == 0);
    throw EVxloError(TMessage(kOffBoardCellText).Arg(row).Arg(inY ? "Y" : "X").Arg(inY ? p.y : p.x));
}

void TJskForm::mnuSaveClick() {
    CommitEditor();
    TLjsk& list = navigation_.Dictionary();
    const int count = list.Count();
    TCheckedArray<TJskRecord, 0, kCandidateSlots - 1> before;
    for (int i = 0; i < count; ++i) before[i] = list.GetRecord(i);
    // A save that stops at a bad cell must not leave half of its values in
    // the list, where the next colour step or addition would write them.
    try {
        for (int i = 0; i < count; ++i) {
            const int row = i + 1;
            list.SetX(i, CellValue(2, row, true));
            list.SetY(i, CellValue(3, row, true));
            list.SetColor(i, CellValue(4, row, true));
            list.SetAux(i, CellValue(5, row, true));
            list.SetNext(i, CellValue(6, row, false));
            list.SetMore(i, CellValue(7, row, false));
            RefuseOffBoard(list.GetMoveXY(i), row);
        }
    } catch (...) {
        for (int i = 0; i < count; ++i) {
            list.SetX(i, before[i].X);
            list.SetY(i, before[i].Y);
            list.SetColor(i, before[i].Color);
            list.SetAux(i, before[i].Aux);
            list.SetNext(i, before[i].Next);
            list.SetMore(i, before[i].More);
        }
        throw;
    }
    if (count == 0) return;
    try {
        list.WriteList();
    } catch (...) {
        // Part of the list may be in the file: show what the file now holds.
        try {
            ReloadCandidates(before, count);
        } catch (...) {
        }
        throw;
    }
    ReloadCandidates(before, count);
}

void TJskForm::ReloadCandidates(const TCheckedArray<TJskRecord, 0, kCandidateSlots - 1>& before,
                                int count) {
    TLjsk& list = navigation_.Dictionary();
    const int head = list.FirstRecNo();
    // The marks on the board are those of the points read before the edit.
    for (int i = 0; i < count; ++i) {
        list.SetX(i, before[i].X);
        list.SetY(i, before[i].Y);
    }
    list.ClearMarks();
    list.LoadList(head);
    if (navigation_.LabelMode() == ELabelMode::Shown) list.DrawLabels();
    FormPaint();
}

void TJskForm::mnuCloseClick() { close(); }

void TJskForm::done(int result) {
    RunGuarded(messages_, [this] {
        TIniFile ini(settingsPath_);
        ini.WriteInteger(kSection, "Left", pos().x());
        ini.WriteInteger(kSection, "Top", pos().y());
    });
    QDialog::done(result);
}

void TJskForm::mnuGoNextClick() { GoToLink(false); }

void TJskForm::mnuGoMoreClick() { GoToLink(true); }

void TJskForm::GoToLink(bool more) {
    const TLjsk& list = navigation_.Dictionary();
    const int slot = grid_->currentRow();
    if (!goTo_ || slot < 0 || slot >= list.Count()) return;
    const TJskRecord record = list.GetRecord(slot);
    const int target = more ? record.More : record.Next;
    if (target <= 0) return;
    goTo_(target);
    FormPaint();
}

}  // namespace vxlo
