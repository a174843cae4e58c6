// The window in English and in Japanese, headless: every text a user can
// read in English is English, and the Japanese window is the seed's.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dictionary/Fjsk.h"
#include "gui/import/SelDir.h"
#include "gui/language/Catalogue.h"
#include "gui/dialogs/About.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/EngineSettingsDialog.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/WindowFixture.h"
#include "companion/ContinuationTable.h"
#include "settings/IniFile.h"

namespace vxlo {
namespace {

// Kana, kanji, CJK punctuation and the full- and half-width forms.
bool IsJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x4DBF) ||
           (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

bool HasJapanese(const QString& text) {
    for (QChar c : text)
        if (IsJapanese(c)) return true;
    return false;
}

// What a user of the window can read, each text with where it is.
class TTextCollector {
public:
    void Widget(QWidget* w) {
        const QString where = Where(w);
        Add(where + " title", w->windowTitle());
        Add(where + " tool tip", w->toolTip());
        Add(where + " status tip", w->statusTip());
        Add(where + " what's this", w->whatsThis());
        if (auto* label = qobject_cast<QLabel*>(w)) Add(where, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) Add(where, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) Add(where, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) Add(where + " placeholder", edit->placeholderText());
        if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) Add(where + " placeholder", edit->placeholderText());
        if (auto* menu = qobject_cast<QMenu*>(w)) Add(where, menu->title());
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) Add(where + " item", combo->itemText(i));
        }
        if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (const QTableWidgetItem* item = table->horizontalHeaderItem(c)) Add(where + " heading", item->text());
            }
            // The row headings are the candidate labels, which are the
            // dictionary's own in every language, as on the board.
            for (int r = 0; r < table->rowCount(); ++r) {
                if (const QTableWidgetItem* item = table->verticalHeaderItem(r)) {
                    if (!IsCandidateLabel(item->text().trimmed())) Add(where + " row heading", item->text());
                }
            }
        }
        for (QAction* action : w->actions()) Action(action);
    }
    void Action(QAction* action) {
        const QString where = "action " + action->objectName() + " (" + action->text() + ")";
        Add(where, action->text());
        Add(where + " tool tip", action->toolTip());
        Add(where + " status tip", action->statusTip());
        Add(where + " icon text", action->iconText());
        if (QMenu* menu = action->menu()) Widget(menu);
    }
    void Everything() {
        for (QWidget* w : QApplication::allWidgets()) Widget(w);
    }
    // The texts with any Japanese character in them.
    std::vector<std::string> Japanese() const {
        std::vector<std::string> found;
        for (const auto& [where, text] : texts_)
            if (HasJapanese(text)) found.push_back(FromQt(where) + ": " + FromQt(text));
        return found;
    }
    std::size_t Count() const { return texts_.size(); }

private:
    static QString Where(QWidget* w) {
        return QString::fromLatin1(w->metaObject()->className()) + " " + w->objectName();
    }
    static bool IsCandidateLabel(const QString& text) {
        for (int i = 0; i < kLabelCount; ++i)
            if (text == ToQt(std::string(CandidateLabel(i)))) return true;
        return false;
    }
    void Add(const QString& where, const QString& text) {
        if (!text.isEmpty()) texts_.insert({where, text});
    }
    std::set<std::pair<QString, QString>> texts_;
};

// The menu bar as lines "menu/item", separators left out.
void MenuLines(const QList<QAction*>& actions, const QString& prefix, std::vector<std::string>& lines) {
    for (QAction* a : actions) {
        if (a->isSeparator() || (a->text().isEmpty() && !a->menu())) continue;
        lines.push_back(FromQt(prefix + a->text()));
        if (QMenu* menu = a->menu()) MenuLines(menu->actions(), prefix + a->text() + "/", lines);
    }
}

class LanguageWindowTest : public testing::TWindowTest {
protected:
    void TearDown() override {
        TWindowTest::TearDown();
        catalogue_.reset();  // only after the window: its texts come from the catalogue to its end
    }
    TSDIAppForm& Start(ELanguage language) {
        catalogue_ = std::make_unique<TLanguageCatalogue>(language);
        EXPECT_TRUE(catalogue_->Loaded());
        return TWindowTest::Start();
    }

    std::unique_ptr<TLanguageCatalogue> catalogue_;
};

TEST_F(LanguageWindowTest, EveryTextOfTheEnglishWindowAndItsDialogsIsEnglish) {
    TSDIAppForm& w = Start(ELanguage::English);
    EXPECT_EQ(w.windowTitle(), "Vexlo Joseki Dictionary");

    // Every mode caption once, a dictionary open, and the windows made only
    // on demand.
    Open(dir_.File("english.jsk"));
    for (const char* mode : {"mnuReg", "mnuDsp", "mnu1", "mnuIkki", "mnuHide", "mnuShow"})
        Act(mode)->trigger();
    TDirForm dirForm(w.Navigation(), messages_, &w);
    TEvidencePanel evidence(&w);
    TContinuationRow tenuki;
    tenuki.label = CandidateLabel(0);
    tenuki.games = 3;
    tenuki.share = 0.5;
    tenuki.pointsLost = 0.25;
    evidence.ShowRows({tenuki}, 6);
    TEngineSettingsDialog engineSettings(TEngineIniSettings{}, &w);
    EXPECT_EQ(evidence.findChild<QTableWidget*>("EvidenceTable")->item(0, 1)->text(), "Tenuki");

    TTextCollector texts;
    texts.Everything();
    for (QAction* a : w.menuBar()->actions()) texts.Action(a);
    EXPECT_GT(texts.Count(), 150u);
    const std::vector<std::string> japanese = texts.Japanese();
    EXPECT_TRUE(japanese.empty()) << [&] {
        std::string list;
        for (const std::string& t : japanese) list += t + "\n";
        return list;
    }();
    EXPECT_EQ(w.windowTitle(), PathToQt("Vexlo Joseki Dictionary[" + dir_.File("english.jsk") + "]"));
    EXPECT_EQ(Act("mnuInput")->text(), "Input: Browse mode");

    // The longer English name is not cut off in the version box.
    const QLabel* name = w.Parts().files->AboutBox().findChild<QLabel*>("ProductName");
    EXPECT_EQ(name->text(), "Vexlo Joseki Dictionary");
    EXPECT_GE(name->width(), name->sizeHint().width());
    EXPECT_LE(name->geometry().right(), w.Parts().files->AboutBox().width());
}

TEST_F(LanguageWindowTest, EnglishMessagesAndHintsOfWholeFlows) {
    TSDIAppForm& w = Start(ELanguage::English);
    // A navigation refusal, a core error through the top-level handler and a
    // window's own message.
    ClickCell(4, 4);
    QTest::mouseClick(w.findChild<QPushButton*>("btnSearch"), Qt::LeftButton);
    ASSERT_EQ(messages_.entries.size(), 2u);
    EXPECT_EQ(messages_.entries[0].text, "Open a dictionary first");
    EXPECT_FALSE(messages_.entries[0].error);
    EXPECT_EQ(messages_.entries[1].text, "Open a dictionary first.");
    EXPECT_TRUE(messages_.entries[1].error);

    auto* status = w.findChild<QStatusBar*>("StatusBar");
    Act("mnuRight")->showStatusText(&w);
    EXPECT_EQ(status->currentMessage(), "Rotate 90 degrees to the right");
    EXPECT_EQ(w.findChild<QWidget*>("btnRight")->toolTip(), "Rotate right");

    // The language is chosen for the next start, in VXLO.INI.
    Act("mnuLanguageJapanese")->trigger();
    ASSERT_EQ(messages_.entries.size(), 3u);
    EXPECT_EQ(messages_.entries[2].text, "The language setting takes effect at the next start");
    EXPECT_TRUE(Act("mnuLanguageJapanese")->isChecked());
    EXPECT_EQ(TIniFile(w.SettingsPath()).ReadString("Form", "Language", ""), "ja");
    EXPECT_EQ(StartLanguage(w.SettingsPath()), ELanguage::Japanese);
    Act("mnuLanguageJapanese")->trigger();  // no change, no message
    EXPECT_EQ(messages_.entries.size(), 3u);
    EXPECT_EQ(w.windowTitle(), "Vexlo Joseki Dictionary");  // still English until the next start
}

TEST_F(LanguageWindowTest, TheJapaneseWindowIsTheSeeds) {
    TSDIAppForm& w = Start(ELanguage::Japanese);
    EXPECT_EQ(w.windowTitle(), ToQt("Vexlo定石辞典"));
    std::vector<std::string> lines;
    MenuLines(w.menuBar()->actions(), QString(), lines);
    const std::vector<std::string> expected = {
        "ﾌｧｲﾙ(&F)", "ﾌｧｲﾙ(&F)/ﾌｧｲﾙ開く(&O)", "ﾌｧｲﾙ(&F)/開き直す(&R)", "ﾌｧｲﾙ(&F)/データ表示",
        "ﾌｧｲﾙ(&F)/ﾌｧｲﾙ入力", "ﾌｧｲﾙ(&F)/一括入力", "ﾌｧｲﾙ(&F)/隅の定形入力", "ﾌｧｲﾙ(&F)/マージ",
        "ﾌｧｲﾙ(&F)/マージ/Ver4", "ﾌｧｲﾙ(&F)/マージ/Ver1", "ﾌｧｲﾙ(&F)/マージ/SGF", "ﾌｧｲﾙ(&F)/SGF出力",
        "ﾌｧｲﾙ(&F)/ﾌｧｲﾙ閉じる(&C)", "ﾌｧｲﾙ(&F)/終了(&X)",
        "設定(&S)", "設定(&S)/入力", "設定(&S)/入力/表示モード", "設定(&S)/入力/登録モード",
        "設定(&S)/選択肢", "設定(&S)/選択肢/表示", "設定(&S)/選択肢/非表示",
        "設定(&S)/進行", "設定(&S)/進行/分岐まで", "設定(&S)/進行/１手づつ",
        "設定(&S)/ｺﾒﾝﾄ使用", "設定(&S)/白先", "設定(&S)/盤上のマーク",
        "設定(&S)/練習の手番", "設定(&S)/練習の手番/黒", "設定(&S)/練習の手番/白", "設定(&S)/練習の手番/交互",
        "設定(&S)/言語", "設定(&S)/言語/自動", "設定(&S)/言語/日本語", "設定(&S)/言語/English",
        "碁盤(&B)", "碁盤(&B)/反転", "碁盤(&B)/右回転", "碁盤(&B)/左回転", "碁盤(&B)/上下反転",
        "碁盤(&B)/左右反転", "碁盤(&B)/盤石の色", "碁盤(&B)/ラベルの色の名前...", "碁盤(&B)/座標表示", "碁盤(&B)/盤を窓に合わせる",
        "操作", "操作/一手戻る", "操作/一手進む", "操作/前の候補手を選ぶ", "操作/次の候補手を選ぶ",
        "操作/一手削除", "操作/最初に戻る", "操作/検索", "操作/練習", "操作/登録を取り消す", "操作/登録をやり直す", "操作/手順パネル", "操作/対局パネル",
        "検討", "検討/この局面を検討", "検討/この先の手順を検討...", "検討/エンジンの設定...",
        "ﾍﾙﾌﾟ(&H)", "ﾍﾙﾌﾟ(&H)/キーとマウス...", "ﾍﾙﾌﾟ(&H)/ﾊﾞｰｼﾞｮﾝ情報(&A)..."};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(Act("ExitItem")->statusTip(), ToQt("vexlo定石辞典の終了"));
    EXPECT_EQ(Act("mnuInput")->statusTip(), ToQt("登録しない場合は表示モードにしてください"));
    EXPECT_TRUE(Act("mnuLanguageAuto")->isChecked());

    ClickCell(4, 4);
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_EQ(messages_.entries[0].text, ToQt("まずファイルを開いてください"));
    Open(dir_.File("seed.jsk"));
    Act("mnuReg")->trigger();
    EXPECT_EQ(Act("mnuInput")->text(), ToQt("入力     登録モード"));
}

TEST_F(LanguageWindowTest, TheSettingChosenLastTimeIsCheckedAtStart) {
    {
        std::filesystem::create_directories(dir_.Path() / "config");
        TIniFile ini((dir_.Path() / "config" / "VXLO.INI").string());
        ini.WriteString("Form", "Language", "2");
    }
    Start(ELanguage::English);
    EXPECT_TRUE(Act("mnuLanguageEnglish")->isChecked());
    EXPECT_FALSE(Act("mnuLanguageAuto")->isChecked());
}

}  // namespace
}  // namespace vxlo
