#pragma once
// The file menu's own commands: open, reopen from the recent list, close,
// exit, and the version box of the help menu; the dialogs that choose files
// for every part.
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "gui/mainwindow/ActionTable.h"

namespace vxlo {

class TAboutBox;

class TFileCommands final : public TWindowPart {
public:
    using TWindowPart::TWindowPart;
    std::vector<TActionRow> Actions() override;
    void CreateWindows();

    // The open-file dialog (default suffix jsk; the file need not exist).
    // Nothing when cancelled. Tests script it with SetFileChooser.
    std::optional<QString> ChooseOpenFile(const QString& filter);
    // The save-file dialog (default suffix sgf); scripted by the same chooser.
    std::optional<QString> ChooseSaveFile(const QString& filter);
    using TFileChooser = std::function<std::optional<QString>(const QString& filter)>;
    void SetFileChooser(TFileChooser chooser) { fileChooser_ = std::move(chooser); }

    void mnuOpenClick();
    void mnuReopenClick(int n);  // n = 1..4
    // Opens path as a recent-list entry would: nothing for an empty path.
    void ReopenFile(const std::string& path);
    void mnuCloseClick();
    void AddRecentFile(const std::string& path);
    std::array<std::string, 4>& RecentFiles() { return recentFiles_; }
    TAboutBox& AboutBox() { return *aboutBox_; }

private:
    TFileChooser fileChooser_;
    std::array<std::string, 4> recentFiles_;
    TAboutBox* aboutBox_ = nullptr;
};

}  // namespace vxlo
