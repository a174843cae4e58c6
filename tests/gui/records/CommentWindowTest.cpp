// The comment window: its FormComment settings, the font command, the close
// box, and its memo as the store sees it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "companion/RecordsSupport.h"
#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/records/Comment.h"

namespace vxlo {
namespace {

using testing::TTempDir;

class CommentWindowTest : public ::testing::Test {
protected:
    std::string Ini() const { return dir / "VXLO.INI"; }
    TTempDir dir;
};

TEST_F(CommentWindowTest, WithoutItsSectionTheWindowGetsUsableDefaults) {
    TfrmCmnt form(Ini(), false);
    EXPECT_EQ(form.windowTitle(), ToQt("Vexlo定石辞典コメント"));
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_EQ(form.size(), QSize(TfrmCmnt::kDefaultWidth, TfrmCmnt::kDefaultHeight));
    QPlainTextEdit* memo = form.findChild<QPlainTextEdit*>("memEdit");
    ASSERT_EQ(memo, form.Memo());
    EXPECT_EQ(memo->font().family(), ToQt("ＭＳ Ｐゴシック"));
    EXPECT_EQ(memo->font().pointSize(), 9);
    EXPECT_EQ(form.FontColor(), kSystemWindowTextColor);
    EXPECT_EQ(memo->palette().color(QPalette::Text), QPalette().color(QPalette::Text));
}

TEST_F(CommentWindowTest, SettingsAreAppliedAtCreationAndWrittenAtDestruction) {
    {
        TIniFile ini(Ini());
        ini.WriteInteger("FormComment", "Left", 30);
        ini.WriteInteger("FormComment", "Top", 40);
        ini.WriteInteger("FormComment", "Width", 500);
        ini.WriteInteger("FormComment", "Height", 260);
        ini.WriteInteger("FormComment", "FontColor", 0xFF0000);  // blue in 0x00BBGGRR
        ini.WriteInteger("FormComment", "FontSize", 14);
        ini.WriteString("FormComment", "FontName", "DejaVu Serif");
    }
    {
        TfrmCmnt form(Ini(), true);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.pos(), QPoint(30, 40));
        EXPECT_EQ(form.size(), QSize(500, 260));
        EXPECT_EQ(form.Memo()->font().pointSize(), 14);
        EXPECT_EQ(form.Memo()->font().family(), "DejaVu Serif");
        EXPECT_EQ(form.Memo()->palette().color(QPalette::Text), QColor(0, 0, 255));
        form.move(70, 80);
        form.resize(420, 210);
    }
    const TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadInteger("FormComment", "Left", -1), 70);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Top", -1), 80);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Width", -1), 420);
    EXPECT_EQ(ini.ReadInteger("FormComment", "Height", -1), 210);
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontColor", -1), 0xFF0000);
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontSize", -1), 14);
    EXPECT_EQ(ini.ReadString("FormComment", "FontName", ""), "DejaVu Serif");
}

TEST_F(CommentWindowTest, SystemColourIsWrittenBackAsItsOwnCode) {
    { TfrmCmnt form(Ini(), false); }
    const TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontColor", 0), kSystemWindowTextColor);
    EXPECT_EQ(ini.ReadString("FormComment", "FontName", ""), "ＭＳ Ｐゴシック");
    EXPECT_EQ(ini.ReadInteger("FormComment", "FontSize", 0), 9);
}

TEST_F(CommentWindowTest, FontCommandTakesTheChosenFontAndIgnoresACancel) {
    TfrmCmnt form(Ini(), true);
    QFont chosen("DejaVu Sans Mono");
    chosen.setPointSize(16);
    chosen.setBold(true);
    std::optional<QFont> answer = chosen;
    form.chooseFont = [&](const QFont&) { return answer; };
    form.findChild<QAction*>("Font")->trigger();
    EXPECT_EQ(form.Memo()->font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(form.Memo()->font().pointSize(), 16);
    EXPECT_TRUE(form.Memo()->font().bold());
    answer.reset();
    form.FontClick();
    EXPECT_EQ(form.Memo()->font().pointSize(), 16);
}

TEST_F(CommentWindowTest, CloseBoxOnlyHides) {
    TfrmCmnt form(Ini(), true);
    form.Load("残す");
    form.close();
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.Text(), "残す");
}

TEST_F(CommentWindowTest, TypingSetsModifiedAndLoadingClearsIt) {
    TfrmCmnt form(Ini(), true);
    form.Load("定石");
    EXPECT_FALSE(form.Modified());
    form.Memo()->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.Memo(), "abc");
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(form.Text(), "定石abc");
    form.ClearModified();
    EXPECT_FALSE(form.Modified());

    form.SetReadOnly(true);
    QTest::keyClicks(form.Memo(), "x");
    EXPECT_EQ(form.Text(), "定石abc");
    EXPECT_FALSE(form.Modified());
}

TEST_F(CommentWindowTest, StoreAndWindowTogether) {
    TfrmCmnt form(Ini(), true);
    TCommentStore store(form);
    store.SetCommentUse(true);
    EXPECT_TRUE(form.Memo()->isReadOnly());
    store.OpenCommentTable(OpenCompanion(dir / "main.jsk", TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_FALSE(form.Memo()->isReadOnly());
    store.LocateComment(0);
    form.Memo()->insertPlainText(ToQt("根"));
    store.SaveComment(0, EInputMode::Record);
    EXPECT_EQ(store.StoredComment(0), std::optional<std::string>("根"));
    store.LocateComment(7);
    EXPECT_EQ(form.Text(), "");
    store.LocateComment(0);
    EXPECT_EQ(form.Text(), "根");
}

}  // namespace
}  // namespace vxlo
