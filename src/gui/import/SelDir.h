#pragma once
// TDirForm: the bulk-import dialog. Chooses the folder, the file mask, the
// move limit and whether subfolders are walked; OK runs the walk with a
// progress window. Kept for the whole run, so its choices stay between uses.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "import/CornerImport.h"
#include "import/FolderWalk.h"
#include "navigation/Navigation.h"
#include "gui/mainwindow/UserMessages.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vxlo {

class TProgressWindow;

class TDirForm : public QDialog {
    Q_OBJECT
public:
    TDirForm(TNavigation& nav, IUserMessages& messages, QWidget* parent = nullptr);

    // The folder shown (and imported); ends in "/".
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& folder);
    // The mask of the chosen file type: "*.IG1" or "*.*".
    std::string Mask() const;

    // Hides the dialog, walks the folder and closes it with OK, also when an
    // error (shown as a message) has ended the walk.
    void btnOKClick();
    // Runs the corner-sequence import of the chosen files; without it the
    // dialog offers no corner mode.
    using TCornerRun = std::function<TCornerImportSummary(const std::vector<std::string>& files, int limit,
                                                          IProgress* progress)>;
    void SetCornerRun(TCornerRun run);
    // The progress window of the running walk, null otherwise.
    TProgressWindow* Progress() const { return progress_; }

private:
    void DirectoryListBox1Change();
    void DriveComboBox1Change();
    void FilterComboBox1Change();
    void FillDirectoryList();
    void FillFileList();
    void FillDrives();
    void RunWalk();
    void RunCorners();

    TNavigation& nav_;
    IUserMessages& messages_;
    std::string directory_;
    TProgressWindow* progress_ = nullptr;

    QListWidget* FileListBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QLineEdit* edtTesu = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* chkDir = nullptr;
    QCheckBox* chkCorners = nullptr;
    TCornerRun cornerRun_;
    QPushButton* btnOK = nullptr;
    QPushButton* Button2 = nullptr;
};

}  // namespace vxlo
