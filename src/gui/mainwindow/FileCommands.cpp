// The main window's dictionary commands: open, reopen, close and the list of
// recently opened files.
#include <QFileDialog>

#include <filesystem>
#include <system_error>

#include "core/VxloError.h"
#include "companion/CompanionDatabase.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

// ---- dictionaries ----

std::optional<QString> TSDIAppForm::ChooseOpenFile(const QString& filter) {
    if (fileChooser_) return fileChooser_(filter);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A new name is how a new dictionary is made.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix("jsk");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> TSDIAppForm::ChooseSaveFile(const QString& filter) {
    if (fileChooser_) return fileChooser_(filter);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix("sgf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

void TSDIAppForm::mnuOpenClick() {
    const std::optional<QString> chosen = ChooseOpenFile(tr("定石 (*.jsk);;すべてのﾌｧｲﾙ (*.*)"));
    if (!chosen || chosen->isEmpty()) return;
    OpenChosenFile(PathFromQt(*chosen));
}

void TSDIAppForm::mnuReopenClick(int n) { ReopenFile(recentFiles_[n - 1]); }

void TSDIAppForm::ReopenFile(const std::string& path) {
    if (path.empty()) return;
    OpenChosenFile(path);
}

void TSDIAppForm::OpenChosenFile(const std::string& path) {
    if (nav_.FileOpen()) CloseDictionary();
    currentFile_ = path;
    // What this open may make, so that a failed one takes it away again.
    std::error_code ignored;
    const bool dictionaryExisted = std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
    const std::string storePath = TCompanionDatabase::PathFor(path);
    const bool storeExisted = std::filesystem::exists(std::filesystem::symlink_status(storePath, ignored));
    try {
        // The dictionary first: one that cannot be opened ends the open
        // before its companion store is touched.
        OpenDictionary();
        OpenCompanionFile();
        OpenCommentTable(currentFile_);
        OpenMarkup(currentFile_);
        OpenEvidence();
        // The root was shown before its comment could be read.
        comments_.LocateComment(nav_.CurrentRecord());
        UpdateActions();
    } catch (...) {
        // Never half open: the error is reported and the program is left
        // with no dictionary, caption and menus in step.
        currentFile_.clear();
        try {
            CloseCommentTable();
            CloseMarkup();
            nav_.CloseFile();
            CloseEvidence();
            companion_.reset();
        } catch (...) {
        }
        // Only what this open made, and a dictionary only while still empty.
        if (!dictionaryExisted && std::filesystem::is_regular_file(path, ignored) &&
            std::filesystem::file_size(path, ignored) == 0) {
            std::filesystem::remove(path, ignored);
        }
        if (!storeExisted) {
            for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::filesystem::remove(storePath + suffix, ignored);
        }
        UpdateActions();
        throw;
    }
    // Only a path that opened goes on the recent list.
    AddRecentFile(currentFile_);
}

void TSDIAppForm::OpenDictionary() {
    // Opens or creates the file, loads the root list, draws the labels and
    // repaints, at the root with CurrentRecord 0.
    nav_.OpenFile(currentFile_);
}

void TSDIAppForm::CloseDictionary() {
    // Its worker writes beside this dictionary: it ends first.
    review_->Stop();
    StopPractice();
    CloseCommentTable();
    CloseMarkup();
    nav_.CloseFile();
    CloseEvidence();
    companion_.reset();
    UpdateActions();
}

void TSDIAppForm::OpenCompanionFile() {
    companion_.reset();
    try {
        companion_ = OpenCompanion(currentFile_, TCompanionDatabase::EAccess::ReadWrite);
    } catch (const EVxloError& e) {
        if (comments_.CommentUse()) throw;
        ShowError(*messages_, e);
    }
}

TCompanion TSDIAppForm::Companion() {
    if (!companion_) companion_ = OpenCompanion(currentFile_, TCompanionDatabase::EAccess::ReadWrite);
    return companion_;
}

void TSDIAppForm::mnuCloseClick() {
    if (!nav_.FileOpen()) return;
    CloseDictionary();
    currentFile_.clear();
    UpdateActions();
}

void TSDIAppForm::AddRecentFile(const std::string& path) {
    int found = 4;  // past the end: the oldest entry drops out
    for (int i = 0; i < 4; ++i) {
        if (recentFiles_[i] == path) {
            found = i;
            break;
        }
    }
    for (int i = std::min(found, 3); i > 0; --i) recentFiles_[i] = recentFiles_[i - 1];
    recentFiles_[0] = path;
    UpdateActions();
}

}  // namespace vxlo
