#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "core/FileIo.h"
#include "core/Message.h"
#include "core/VxloError.h"
#include "support/TableTranslator.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

using testing::TTableTranslator;

TEST(Message, RendersJapaneseWithoutATranslatorAndTheCatalogueWithOne) {
    const TTableTranslator english(std::map<std::string, std::string>{
        {"追加した手: %1（%2）", "Moves added: %1 (%2)"},
        {"うち手抜き %1", "%1 of them tenuki"},
        {"、コメント: %1", ", comments: %1"}});
    TMessage m("追加した手: %1（%2）");
    m.Arg(12).Arg(TMessage("うち手抜き %1").Arg(3));
    m.Then(TMessage("、コメント: %1").Arg(std::string("%1 stays")));
    EXPECT_EQ(m.Text(), "追加した手: 12（うち手抜き 3）、コメント: %1 stays");
    EXPECT_EQ(m.Text(&english), "Moves added: 12 (3 of them tenuki), comments: %1 stays");
    // A literal is never looked up, even when the catalogue knows its text.
    EXPECT_EQ(TMessage::Literal("うち手抜き %1").Text(&english), "うち手抜き %1");
    // A missing argument leaves its marker, so a fault in a catalogue shows.
    EXPECT_EQ(TMessage("%1 と %2").Arg("a").Text(), "a と %2");
}

TEST(Message, ErrorsShowTheirTextInTheLanguageOfTheHandler) {
    const TTableTranslator english(std::map<std::string, std::string>{{"コメントを保存できません", "Cannot save the comment"}});
    const EFileRefused refused("コメントを保存できません", "/tmp/a.jsk");
    EXPECT_STREQ(refused.what(), "コメントを保存できません");
    EXPECT_EQ(ErrorDisplayText(refused), "コメントを保存できません.\n/tmp/a.jsk");
    EXPECT_EQ(ErrorDisplayText(refused, &english), "Cannot save the comment.\n/tmp/a.jsk");
    // Text built at run time stays as it is in every language.
    const EVxloError built(std::string("コメントを保存できません"));
    EXPECT_EQ(ErrorDisplayText(built, &english), "コメントを保存できません.");
}

TEST(Message, ALiteralKeepsTheMessagesThatFollowIt) {
    const TTableTranslator english(std::map<std::string, std::string>{{"まずファイルを開いてください", "Open a file first"}});
    TMessage m = TMessage::Literal("record 5: ");
    m.Then("まずファイルを開いてください");
    EXPECT_EQ(m.Text(), "record 5: まずファイルを開いてください");
    EXPECT_EQ(m.Text(&english), "record 5: Open a file first");
}

const TTableTranslator& CoreEnglish() {
    static const TTableTranslator english(std::map<std::string, std::string>{
        {"ファイルが見つかりません", "File not found"},
        {"ディスクがいっぱいです", "The disk is full"},
        {"I/O エラー (%1)", "I/O error (%1)"},
        {"ファイルの末尾以降を読み込みました", "Read past the end of the file"},
        {"'%1' は整数ではありません", "'%1' is not an integer"},
        {"'%1' は整数ではありません（%2 行目）", "'%1' is not an integer (line %2)"},
        {"範囲チェックエラー", "Range check error"},
        {"%1（%2）", "%1 (%2)"},
        {"設定ファイルが大きすぎます", "The settings file is too large"}});
    return english;
}

TEST(Message, FileErrorsShowTheCauseInTheUsersLanguageAndTheFileAsItIs) {
    const EInOutError missing(ENOENT, "/tmp/%1.jsk");
    EXPECT_STREQ(missing.what(), "ファイルが見つかりません");
    EXPECT_EQ(ErrorDisplayText(missing), "ファイルが見つかりません.\n/tmp/%1.jsk");
    EXPECT_EQ(ErrorDisplayText(missing, &CoreEnglish()), "File not found.\n/tmp/%1.jsk");
    EXPECT_EQ(ErrorDisplayText(EInOutError(ENOSPC, "a"), &CoreEnglish()), "The disk is full.\na");
    // An errno without a text of its own shows its number in either language.
    const EInOutError odd(EPROTO, "b");
    EXPECT_EQ(ErrorDisplayText(odd), "I/O エラー (" + std::to_string(EPROTO) + ")\nb");
    EXPECT_EQ(ErrorDisplayText(odd, &CoreEnglish()), "I/O error (" + std::to_string(EPROTO) + ")\nb");
    EXPECT_EQ(ErrorDisplayText(EInOutError::ReadPastEnd("c"), &CoreEnglish()), "Read past the end of the file.\nc");
    EXPECT_EQ(ErrorDisplayText(ERangeError(), &CoreEnglish()), "Range check error.");

    // The size cap of the file layer throws the caller's template.
    testing::TTempDir dir;
    const std::string big = dir / "VXLO.INI";
    ReplaceFileAtomically(big, std::string(10, 'x'));
    try {
        ReadWholeFile(big, 5, QT_TRANSLATE_NOOP("vxlo", "設定ファイルが大きすぎます"));
        ADD_FAILURE() << "a file over the cap was read";
    } catch (const EFileRefused& e) {
        EXPECT_EQ(ErrorDisplayText(e), "設定ファイルが大きすぎます.\n" + big);
        EXPECT_EQ(ErrorDisplayText(e, &CoreEnglish()), "The settings file is too large.\n" + big);
    }
}

TEST(Message, AConversionErrorShowsTheEscapedTextAndTheLineInEitherLanguage) {
    // The bad text is shown as it stands, even when it looks like a template.
    const EConvertError plain("%2x");
    EXPECT_STREQ(plain.what(), "'%2x' は整数ではありません");
    EXPECT_EQ(ErrorDisplayText(plain, &CoreEnglish()), "'%2x' is not an integer.");
    const EConvertError atLine("4\x01\xFF", "/tmp/game.IG1", 12);
    EXPECT_STREQ(atLine.what(), "'4\\x01\\xFF' は整数ではありません（12 行目）");
    EXPECT_EQ(ErrorDisplayText(atLine), "'4\\x01\\xFF' は整数ではありません（12 行目）.\n/tmp/game.IG1");
    EXPECT_EQ(ErrorDisplayText(atLine, &CoreEnglish()), "'4\\x01\\xFF' is not an integer (line 12)\n/tmp/game.IG1");
    try {
        StrToInt("1O");
        ADD_FAILURE() << "StrToInt took a letter";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message().Text(&CoreEnglish()), "'1O' is not an integer");
    }
}

TEST(Message, AReasonFollowsTheFailureInBracketsAndIsNeverTranslated) {
    const TMessage m = WithReason("ファイルが見つかりません", "ディスクがいっぱいです");
    EXPECT_EQ(m.Text(), "ファイルが見つかりません（ディスクがいっぱいです）");
    EXPECT_EQ(m.Text(&CoreEnglish()), "File not found (ディスクがいっぱいです)");
}

}  // namespace
}  // namespace vxlo
