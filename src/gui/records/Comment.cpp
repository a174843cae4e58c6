#include "gui/records/Comment.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFontDialog>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>

#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
constexpr const char* kSection = "FormComment";
constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";

// 0x00BBGGRR as stored in the settings file.
QColor ColorFromBgr(int value) {
    const auto v = static_cast<unsigned>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}
}  // namespace

TfrmCmnt::TfrmCmnt(std::string settingsPath, bool commentUse, QWidget* parent)
    : QMainWindow(parent, Qt::Window), settingsPath_(std::move(settingsPath)) {
    setObjectName("frmCmnt");
    setWindowTitle(tr("Vexlo定石辞典コメント"));
    QFont windowFont(ToQt(kDefaultFontName));
    windowFont.setPixelSize(12);
    setFont(windowFont);

    memEdit_ = new QPlainTextEdit(this);
    memEdit_->setObjectName("memEdit");
    memEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCentralWidget(memEdit_);
    fontAction_ = menuBar()->addAction(tr("フォント"));
    fontAction_->setObjectName("Font");
    connect(fontAction_, &QAction::triggered, this, [this] { FontClick(); });

    chooseFont = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, this);
        if (!ok) return std::nullopt;
        return chosen;
    };

    const TIniFile ini(settingsPath_);
    move(ReadSetting(ini, kSection, "Left"), ReadSetting(ini, kSection, "Top"));
    const int width = ReadSetting(ini, kSection, "Width");
    const int height = ReadSetting(ini, kSection, "Height");
    // A size never saved (0) would give a window nobody can use.
    resize(width > 0 ? width : kDefaultWidth, height > 0 ? height : kDefaultHeight);
    hasSavedBounds_ = width > 0 && height > 0;
    savedBounds_ = QRect(pos(), size());
    QFont memoFont(ToQt(ReadSettingText(ini, kSection, "FontName")));
    memoFont.setPointSize(ReadSetting(ini, kSection, "FontSize"));
    memEdit_->setFont(memoFont);
    SetFontColor(ReadSetting(ini, kSection, "FontColor"));

    if (commentUse) show();
}

TfrmCmnt::~TfrmCmnt() {
    // A settings file that cannot be written must not end the program here.
    try {
        TIniFile ini(settingsPath_);
        FormDestroy(ini);
    } catch (const std::exception&) {
    }
}

void TfrmCmnt::FormDestroy(TIniFile& ini) {
    if (settingsWritten_) return;
    settingsWritten_ = true;
    QRect bounds = savedBounds_;
    if (isWindow()) {
        bounds = QRect(pos(), size());
    } else if (const auto* dock = qobject_cast<const QDockWidget*>(parentWidget()); dock && dock->isFloating()) {
        bounds = QRect(dock->pos(), dock->size());
    }
    ini.WriteInteger(kSection, "Left", bounds.x());
    ini.WriteInteger(kSection, "Top", bounds.y());
    ini.WriteInteger(kSection, "Width", bounds.width());
    ini.WriteInteger(kSection, "Height", bounds.height());
    ini.WriteInteger(kSection, "FontColor", fontColor_);
    ini.WriteInteger(kSection, "FontSize", memEdit_->font().pointSize());
    ini.WriteString(kSection, "FontName", FromQt(memEdit_->font().family()));
}

void TfrmCmnt::SetFontColor(int color) {
    fontColor_ = color;
    QPalette palette = memEdit_->palette();
    const QPalette system = QPalette();
    palette.setColor(QPalette::Text, color == kSystemWindowTextColor
                                         ? system.color(QPalette::Text)
                                         : ColorFromBgr(color));
    memEdit_->setPalette(palette);
}

void TfrmCmnt::FontClick() {
    const std::optional<QFont> chosen = chooseFont(memEdit_->font());
    if (chosen) memEdit_->setFont(*chosen);
}

void TfrmCmnt::closeEvent(QCloseEvent* event) {
    hide();
    event->ignore();
}

std::string TfrmCmnt::Text() const { return FromQt(memEdit_->toPlainText()); }

void TfrmCmnt::Load(const std::string& text) {
    memEdit_->setPlainText(ToQt(text));
    memEdit_->document()->setModified(false);
}

bool TfrmCmnt::Modified() const { return memEdit_->document()->isModified(); }

void TfrmCmnt::ClearModified() { memEdit_->document()->setModified(false); }

void TfrmCmnt::SetReadOnly(bool readOnly) { memEdit_->setReadOnly(readOnly); }

}  // namespace vxlo
