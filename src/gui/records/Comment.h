#pragma once
// TfrmCmnt: the comment window. Its memo shows the comment of the current
// position; the store (TCommentStore) loads and reads it through IMemo.
#include <QFont>
#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>

#include "companion/CommentStore.h"

class QAction;
class QPlainTextEdit;

namespace vxlo {

class TIniFile;

// FontColor value meaning the system's window-text colour.
inline constexpr int kSystemWindowTextColor = static_cast<int>(0x80000008u);

class TfrmCmnt final : public QMainWindow, public IMemo {
    Q_OBJECT
public:
    // Reads section FormComment of the settings file; shown at once when
    // commentUse is set. With the main window as parent it never keeps the
    // program running on its own.
    TfrmCmnt(std::string settingsPath, bool commentUse, QWidget* parent = nullptr);
    // FormDestroy: writes FormComment back. In a dock, the place written is
    // the floating dock's, or the one read while it stays docked, so that
    // the old program finds its window where it left it.
    ~TfrmCmnt() override;

    std::string Text() const override;
    void Load(const std::string& text) override;
    bool Modified() const override;
    void ClearModified() override;
    void SetReadOnly(bool readOnly) override;

    // False when the settings held no size: floated, the panel then goes
    // beside the main window instead of where it would cover the board.
    bool HasSavedBounds() const { return hasSavedBounds_; }
    // The place read from the settings, in screen pixels.
    QRect SavedBounds() const { return savedBounds_; }

    QPlainTextEdit* Memo() const { return memEdit_; }
    int FontColor() const { return fontColor_; }
    void SetFontColor(int color);

    void FontClick();
    // Writes the seven FormComment keys, once: the main window calls it as it
    // closes and reports an error; the destructor only covers a window that
    // was never closed.
    void FormDestroy(TIniFile& ini);

    // The font chooser; tests replace it. Empty when the user cancels.
    std::function<std::optional<QFont>(const QFont& current)> chooseFont;

    static constexpr int kDefaultWidth = 320;
    static constexpr int kDefaultHeight = 240;
    // The smallest size the panel gets when it floats beside the main window.
    static constexpr int kReadableWidth = 360;
    static constexpr int kReadableHeight = 240;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::string settingsPath_;
    QPlainTextEdit* memEdit_ = nullptr;
    QAction* fontAction_ = nullptr;
    int fontColor_ = kSystemWindowTextColor;
    bool settingsWritten_ = false;
    bool hasSavedBounds_ = false;
    QRect savedBounds_;
};

}  // namespace vxlo
