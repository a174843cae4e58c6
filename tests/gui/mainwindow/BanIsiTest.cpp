// The colour dialog and the version dialog, on the real main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "gui/dialogs/About.h"
#include "gui/dialogs/BanIsi.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/WindowFixture.h"

namespace vxlo {
namespace {

class BanIsiTest : public testing::TWindowTest {
protected:
    TSDIAppForm& Start(const std::string& settings = "") {
        if (!settings.empty()) PutIni(settings);
        return TWindowTest::Start();
    }
    QRadioButton* Radio(const char* name) {
        auto* button = window_->Parts().board->BanIsiColor().findChild<QRadioButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    void Press(const char* swatch) {
        auto* shape = window_->Parts().board->BanIsiColor().findChild<QWidget*>(swatch);
        ASSERT_NE(shape, nullptr) << swatch;
        QTest::mouseClick(shape, Qt::LeftButton);
    }
    void ClickOk() {
        QTest::mouseClick(window_->Parts().board->BanIsiColor().findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    }
    // Board colour inside the square, off every line.
    QRgb BoardPixel() const {
        const TBoardRenderer& r = window_->Renderer();
        return r.Canvas().pixel(r.BoardLeft() + 3, r.BoardTop() + 3 - TBoardRenderer::kToolPanelHeight) &
               0xFFFFFF;
    }
    QRgb StoneFill(int x, int y) const {
        const TBoardRenderer& r = window_->Renderer();
        const TPoint cell = window_->Navigation().Board().BoardToDisplay(x, y);
        return r.Canvas().pixel(r.BoardLeft() + (cell.x - 1) * r.CellSize() + r.HalfCell() + 3,
                                r.BoardTop() + (cell.y - 1) * r.CellSize() + r.HalfCell() + 3 -
                                    TBoardRenderer::kToolPanelHeight) &
               0xFFFFFF;
    }
};

TEST_F(BanIsiTest, LayoutAndPreselectionWithoutSettings) {
    Start();
    TBanIsiColor& dialog = window_->Parts().board->BanIsiColor();
    EXPECT_EQ(dialog.windowTitle(), ToQt("盤石の色"));
    EXPECT_EQ(dialog.findChild<QGroupBox*>("gbBan")->geometry(), QRect(8, 8, 129, 145));
    EXPECT_EQ(dialog.findChild<QGroupBox*>("gbBan")->title(), ToQt("盤の色"));
    EXPECT_EQ(dialog.findChild<QGroupBox*>("gbIsi")->geometry(), QRect(144, 8, 97, 81));
    EXPECT_EQ(dialog.findChild<QGroupBox*>("gbIsi")->title(), ToQt("石の色"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOK")->geometry(), QRect(160, 112, 65, 25));
    EXPECT_EQ(Radio("rbBan3")->geometry(), QRect(8, 80, 17, 25));
    EXPECT_EQ(dialog.findChild<QWidget*>("shpBan4")->geometry(), QRect(32, 112, 81, 25));
    EXPECT_EQ(dialog.findChild<QWidget*>("shpSiro2")->geometry(), QRect(56, 48, 24, 24));
    EXPECT_TRUE(Radio("rbBan1")->isChecked());
    EXPECT_TRUE(Radio("rbIsi1")->isChecked());
    EXPECT_FALSE(Radio("rbIsi2")->isChecked());
    EXPECT_EQ(BoardPixel(), 0x808000u);  // olive 0x008080
}

TEST_F(BanIsiTest, OkAppliesRepaintsAndWritesTheThreeKeys) {
    Start("[Form]\nLeft=3\n");
    window_->Parts().files->ReopenFile(dir_.File("c.jsk"));
    window_->Navigation().SetInputMode(EInputMode::Record);
    window_->Navigation().Deside(4, 4);
    window_->Navigation().Deside(4, 4);
    window_->Navigation().Deside(16, 16);
    window_->Navigation().Deside(16, 16);

    Radio("rbBan4")->click();
    Radio("rbIsi2")->click();
    ClickOk();
    EXPECT_EQ(window_->Renderer().BanColor(), 10079487u);
    EXPECT_EQ(window_->Renderer().KuroIsiColor(), 32768u);
    EXPECT_EQ(window_->Renderer().SiroIsiColor(), 65280u);
    EXPECT_EQ(IniText(),
              "[Form]\nLeft=3\n[Goban]\nBanColor=10079487\nKuroIsiColor=32768\nSiroIsiColor=65280\n");
    EXPECT_EQ(BoardPixel(), 0xFFCC99u);    // light wood 0x99CCFF
    EXPECT_EQ(StoneFill(4, 4), 0x008000u);    // green
    EXPECT_EQ(StoneFill(16, 16), 0x00FF00u);  // lime
    EXPECT_FALSE(window_->Parts().board->BanIsiColor().isVisible());
    EXPECT_TRUE(messages_.entries.empty());

    // Read back at the next start.
    window_.reset();
    Start();
    EXPECT_EQ(window_->Renderer().BanColor(), 10079487u);
    EXPECT_TRUE(Radio("rbBan4")->isChecked());
    EXPECT_TRUE(Radio("rbIsi2")->isChecked());
}

TEST_F(BanIsiTest, AHandEditedBoardColourChecksNoneAndOkKeepsIt) {
    Start("[Goban]\nBanColor=12345\n");
    for (const char* name : {"rbBan1", "rbBan2", "rbBan3", "rbBan4"})
        EXPECT_FALSE(Radio(name)->isChecked()) << name;
    ClickOk();
    EXPECT_EQ(IniText(), "[Goban]\nBanColor=12345\nKuroIsiColor=0\nSiroIsiColor=16777215\n");
    EXPECT_EQ(window_->Renderer().BanColor(), 12345u);
}

TEST_F(BanIsiTest, SwatchesCheckTheirRowAndTheCloseBoxAppliesNothing) {
    Start();
    Press("shpBan3");
    EXPECT_TRUE(Radio("rbBan3")->isChecked());
    EXPECT_FALSE(Radio("rbBan1")->isChecked());
    Press("shpKuro2");  // stone swatches select nothing
    EXPECT_TRUE(Radio("rbIsi1")->isChecked());

    // Shown from the menu and closed with the close box.
    QTimer::singleShot(0, window_.get(), [this] { window_->Parts().board->BanIsiColor().close(); });
    window_->findChild<QAction*>("mnuBanIsi")->trigger();
    EXPECT_FALSE(std::filesystem::exists(ini_));
    EXPECT_EQ(window_->Renderer().BanColor(), 32896u);
    EXPECT_EQ(BoardPixel(), 0x808000u);
    EXPECT_TRUE(Radio("rbBan3")->isChecked());  // kept for the next showing
}

TEST_F(BanIsiTest, AFailedWriteIsReportedAndTheBoardKeepsTheChosenColour) {
    std::filesystem::create_directories(ini_);  // cannot be written
    Start();
    Radio("rbBan2")->click();
    ClickOk();
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_TRUE(messages_.entries[0].error);
    EXPECT_NE(messages_.entries[0].text.indexOf(PathToQt(ini_)), -1);
    EXPECT_EQ(BoardPixel(), 0xFF8000u);  // orange 0x0080FF
}

TEST_F(BanIsiTest, VersionDialogTexts) {
    Start();
    TAboutBox& about = window_->Parts().files->AboutBox();
    EXPECT_EQ(about.windowTitle(), ToQt("ﾊﾞｰｼﾞｮﾝ情報"));
    const double scale = about.logicalDpiX() / 96.0;
    EXPECT_EQ(about.width(), static_cast<int>(221 * scale));
    auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(text("ProductName"), ToQt("Vexlo定石辞典"));
    EXPECT_EQ(text("Version"), ToQt("Version 5.0"));
    EXPECT_EQ(text("Comments"), ToQt("このソフトはフリーです。"));
    EXPECT_EQ(about.findChild<QLabel*>("Comments")->width(), static_cast<int>(177 * scale));
    QTimer::singleShot(0, &about, [&about] {
        QTest::mouseClick(about.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    });
    window_->findChild<QAction*>("About1")->trigger();
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace vxlo
