#include "gui/mainwindow/FileCommands.h"

#include <QFileDialog>

#include "gui/dialogs/About.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

namespace {

// A recent path shown as a menu caption: "&" is no mnemonic there.
QString PathCaption(const std::string& path) {
    QString caption = PathToQt(path);
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    return caption;
}

}  // namespace

std::vector<TActionRow> TFileCommands::Actions() {
    using R = TActionRow;
    std::vector<TActionRow> rows = {
        R::Command("mnuOpen", TSDIAppForm::tr("ﾌｧｲﾙ開く(&O)"), TSDIAppForm::tr("定石ﾌｧｲﾙを指定する"))
            .In("mnuFile", place::kOpen)
            .Keys({QKeySequence::Open})
            .Runs([this] { mnuOpenClick(); }),
        R::Menu("mnuReOpen", TSDIAppForm::tr("開き直す(&R)")).In("mnuFile", place::kReopen),
    };
    // An empty entry ends the list; entries never become empty again, so an
    // item once shown stays shown.
    for (int n = 1; n <= 4; ++n) {
        rows.push_back(R::Command("mnuReopen" + std::to_string(n), QString())
                           .In("mnuReOpen", n)
                           .Runs([this, n] { mnuReopenClick(n); })
                           .VisibleWhen([this, n] {
                               for (int i = 0; i < n; ++i)
                                   if (recentFiles_[i].empty()) return false;
                               return true;
                           })
                           .Captioned([this, n] { return PathCaption(recentFiles_[n - 1]); }));
    }
    rows.push_back(R::Command("mnuClose", TSDIAppForm::tr("ﾌｧｲﾙ閉じる(&C)"))
                       .In("mnuFile", place::kClose)
                       .Runs([this] { mnuCloseClick(); })
                       .EnabledWhen([this] { return w_.FileOpen(); }));
    rows.push_back(R::Separator("mnuFile", place::kExitSeparator));
    rows.push_back(R::Command("ExitItem", TSDIAppForm::tr("終了(&X)"), TSDIAppForm::tr("vexlo定石辞典の終了"))
                       .In("mnuFile", place::kExit)
                       .Keys({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)})
                       .Runs([this] { w_.close(); }));
    rows.push_back(R::Command("About1", TSDIAppForm::tr("ﾊﾞｰｼﾞｮﾝ情報(&A)..."))
                       .In("mnuHelp", place::kAbout)
                       .Runs([this] { aboutBox_->exec(); }, EDuringPractice::Goes));
    return rows;
}

void TFileCommands::CreateWindows() { aboutBox_ = new TAboutBox(&w_); }

std::optional<QString> TFileCommands::ChooseOpenFile(const QString& filter) {
    if (fileChooser_) return fileChooser_(filter);
    QFileDialog dialog(&w_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A new name is how a new dictionary is made.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix("jsk");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> TFileCommands::ChooseSaveFile(const QString& filter) {
    if (fileChooser_) return fileChooser_(filter);
    QFileDialog dialog(&w_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix("sgf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

void TFileCommands::mnuOpenClick() {
    const std::optional<QString> chosen = ChooseOpenFile(TSDIAppForm::tr("定石 (*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    w_.OpenChosenFile(PathFromQt(*chosen));
}

void TFileCommands::mnuReopenClick(int n) { ReopenFile(recentFiles_[n - 1]); }

void TFileCommands::ReopenFile(const std::string& path) {
    if (path.empty()) return;
    w_.OpenChosenFile(path);
}

void TFileCommands::mnuCloseClick() {
    if (!w_.FileOpen()) return;
    w_.CloseDictionary();
    w_.currentFile_.clear();
    w_.UpdateActions();
}

void TFileCommands::AddRecentFile(const std::string& path) {
    int found = 4;  // past the end: the oldest entry drops out
    for (int i = 0; i < 4; ++i) {
        if (recentFiles_[i] == path) {
            found = i;
            break;
        }
    }
    for (int i = std::min(found, 3); i > 0; --i) recentFiles_[i] = recentFiles_[i - 1];
    recentFiles_[0] = path;
    w_.UpdateActions();
}

}  // namespace vxlo
