#include "gui/import/SelDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "gui/dialogs/ProgressWindow.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {

struct TFilterEntry {
    const char* caption;
    const char* mask;
};
constexpr TFilterEntry kFilters[] = {
    {"GOTERM(*.IG1)", "*.IG1"}, {"SGF(*.sgf)", "*.sgf"},
    {QT_TRANSLATE_NOOP("vxlo::TDirForm", "すべてのﾌｧｲﾙ (*.*)"), "*.*"}};

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::vector<std::string> SortedEntries(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    for (const TFolderEntry& entry : ListFolder(folder)) {
        if (entry.folder == folders) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Points progress_ at the window of the running walk, and at nothing after it.
struct TCurrentProgress {
    TCurrentProgress(TProgressWindow*& slot, TProgressWindow& window) : slot_(slot) { slot_ = &window; }
    ~TCurrentProgress() { slot_ = nullptr; }
    TCurrentProgress(const TCurrentProgress&) = delete;
    TCurrentProgress& operator=(const TCurrentProgress&) = delete;

private:
    TProgressWindow*& slot_;
};

}  // namespace

TDirForm::TDirForm(TNavigation& nav, IUserMessages& messages, QWidget* parent)
    : QDialog(parent), nav_(nav), messages_(messages) {
    setObjectName("DirForm");
    setWindowTitle(tr("一括入力"));
    setFixedSize(392, 156);
    QFont font(ToQt("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);

    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName("FileListBox1");
    FileListBox1->setGeometry(8, 8, 145, 97);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setGeometry(160, 8, 145, 97);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setGeometry(160, 112, 145, DriveComboBox1->sizeHint().height());

    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName("FilterComboBox1");
    FilterComboBox1->setGeometry(8, 112, 145, FilterComboBox1->sizeHint().height());
    for (const TFilterEntry& f : kFilters) FilterComboBox1->addItem(tr(f.caption), ToQt(f.mask));

    edtTesu = new QLineEdit(this);
    edtTesu->setObjectName("edtTesu");
    edtTesu->setGeometry(312, 8, 33, edtTesu->sizeHint().height());

    Label1 = new QLabel(tr("手まで"), this);
    Label1->setObjectName("Label1");
    Label1->move(344, 8);
    QFont labelFont = font;
    labelFont.setPixelSize(15);
    Label1->setFont(labelFont);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);
    Label1->adjustSize();

    chkDir = new QCheckBox(tr("下位のディレクトリ"), this);
    chkDir->setObjectName("chkDir");
    chkDir->setGeometry(160, 136, 121, 17);

    // Corner sequences: each corner of each game, with the games' counts; an
    // empty move limit then means 30.
    chkCorners = new QCheckBox(tr("隅の定形"), this);
    chkCorners->setObjectName("chkCorners");
    chkCorners->setGeometry(312, 40, 78, 17);
    chkCorners->hide();

    btnOK = new QPushButton("OK", this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(312, 72, 75, 25);
    btnOK->setDefault(true);
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(312, 104, 75, 25);

    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DirectoryListBox1, &QListWidget::itemActivated, this, [this] { DirectoryListBox1Change(); });
    connect(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { FilterComboBox1Change(); });

    SetDirectory(PathFromQt(QDir::currentPath()));
}

void TDirForm::SetDirectory(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(folder, ec);
    if (ec) path = folder;
    std::string normal = path.lexically_normal().string();
    if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    directory_ = WithSlash(normal);
    FillDrives();
    FillDirectoryList();
    FillFileList();
}

std::string TDirForm::Mask() const { return FromQt(FilterComboBox1->currentData().toString()); }

void TDirForm::DirectoryListBox1Change() {
    const QListWidgetItem* item = DirectoryListBox1->currentItem();
    if (!item) return;
    SetDirectory(PathFromQt(item->data(Qt::UserRole).toString()));
}

void TDirForm::DriveComboBox1Change() {
    SetDirectory(PathFromQt(DriveComboBox1->currentData().toString()));
}

void TDirForm::FilterComboBox1Change() { FillFileList(); }

// The folder's ancestors from the root down, indented, then its subfolders.
void TDirForm::FillDirectoryList() {
    const QSignalBlocker blocker(DirectoryListBox1);
    DirectoryListBox1->clear();
    std::vector<std::string> chain;
    std::filesystem::path p(directory_.size() > 1 ? directory_.substr(0, directory_.size() - 1) : directory_);
    for (;;) {
        chain.push_back(p.string());
        if (!p.has_relative_path()) break;
        p = p.parent_path();
    }
    std::reverse(chain.begin(), chain.end());
    int depth = 0;
    for (const std::string& folder : chain) {
        const std::string name = depth == 0 ? folder : std::filesystem::path(folder).filename().string();
        auto* item = new QListWidgetItem(QString(depth, ' ') + PathToQt(name), DirectoryListBox1);
        item->setData(Qt::UserRole, PathToQt(folder));
        ++depth;
    }
    DirectoryListBox1->setCurrentRow(DirectoryListBox1->count() - 1);
    for (const std::string& name : SortedEntries(directory_, true)) {
        auto* item = new QListWidgetItem(QString(depth, ' ') + PathToQt(name), DirectoryListBox1);
        item->setData(Qt::UserRole, PathToQt(directory_ + name));
    }
}

void TDirForm::FillFileList() {
    FileListBox1->clear();
    const std::string mask = Mask();
    for (const std::string& name : SortedEntries(directory_, false)) {
        if (MatchesMask(name, mask)) FileListBox1->addItem(PathToQt(name));
    }
}

void TDirForm::FillDrives() {
    const QSignalBlocker blocker(DriveComboBox1);
    DriveComboBox1->clear();
    const QString current = QStorageInfo(PathToQt(directory_)).rootPath();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        DriveComboBox1->addItem(volume.rootPath(), volume.rootPath());
    }
    if (DriveComboBox1->findData(current) < 0 && !current.isEmpty()) DriveComboBox1->addItem(current, current);
    DriveComboBox1->setCurrentIndex(std::max(0, DriveComboBox1->findData(current)));
}

void TDirForm::btnOKClick() {
    hide();
    RunGuarded(messages_, [this] { RunWalk(); });
    accept();
}

void TDirForm::SetCornerRun(TCornerRun run) {
    cornerRun_ = std::move(run);
    chkCorners->setVisible(static_cast<bool>(cornerRun_));
}

void TDirForm::RunWalk() {
    if (cornerRun_ && chkCorners->isChecked()) {
        RunCorners();
        return;
    }
    TFolderWalkOptions options;
    options.moveLimit = BulkMoveLimit(FromQt(edtTesu->text()));
    options.folder = directory_;
    options.mask = Mask();
    options.subfolders = chkDir->isChecked();

    TProgressWindow progress(tr("一括入力"), parentWidget());
    const TCurrentProgress current(progress_, progress);
    TFolderWalk walk(nav_);
    walk.SetProgress(&progress);
    const TFolderWalkResult result = walk.Run(options);
    progress.Finish();
    if (result.cancelled) messages_.Information(ToQt(WalkCancelledSummary(result)));
    // Each malformed file was passed over; one box names them all.
    if (!result.failures.empty()) messages_.Error(ToQt(WalkFailureSummary(result)));
}

void TDirForm::RunCorners() {
    const std::string limitText = FromQt(edtTesu->text());
    const int limit = limitText.empty() ? kDefaultCornerLimit : std::max(1, StrToInt(limitText));
    const std::vector<std::string> files = CornerGameFiles({directory_}, chkDir->isChecked());

    TProgressWindow progress(tr("一括入力"), parentWidget());
    const TCurrentProgress current(progress_, progress);
    const TCornerImportSummary summary = cornerRun_(files, limit, &progress);
    progress.Finish();
    messages_.Information(ToQt(CornerSummaryMessage(summary)));
    if (!summary.failures.empty()) messages_.Error(ToQt(WalkFailureSummary(summary.failures)));
}

}  // namespace vxlo
