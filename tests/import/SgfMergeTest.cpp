#include <gtest/gtest.h>

#include "import/SgfMerge.h"
#include "ImportFixture.h"
#include "support/TableTranslator.h"

namespace vxlo::testing {
namespace {

class SgfMergeTest : public TImportTest {
protected:
    TSgfMergeResult Merge(const std::string& text, IPositionMarkup* withMarkup = nullptr) {
        return MergeSgfFile(nav, Ig1("tree.sgf", text), &notes, withMarkup);
    }
    void ExpectEmptyBoard() {
        EXPECT_EQ(nav.Path().Count(), 0);
        for (int x = 1; x <= kBoardSize; ++x) {
            for (int y = 1; y <= kBoardSize; ++y) EXPECT_EQ(nav.Board().GetStone(x, y), Empty);
        }
    }
    TJskRecord Colored(TJskRecord r, int color) {
        r.Color = static_cast<std::uint8_t>(color);
        return r;
    }
    TMemorySgfComments notes;
    TMemoryMarkup markup;
};

TEST_F(SgfMergeTest, PreOrderNewMovesAtTheEndOfTheirChainsWithComments) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    const TSgfMergeResult r =
        Merge("(;GM[1]SZ[19]C[root note](;B[pd]C[hoshi](;W[qc];B[qd]C[a\\]b])(;W[dd]))(;B[dd]))");
    EXPECT_EQ(r.movesAdded, 5);
    EXPECT_EQ(r.LeftOut(), 0);
    ExpectFile({TJskRecord{}, Move(16, 4, 2, 5), Move(17, 3, 3, 4), Move(17, 4), Move(4, 4), Move(4, 4)});
    EXPECT_EQ(notes.All(), (std::map<int, std::string>{{0, "root note"}, {1, "hoshi"}, {3, "a]b"}}));
    ExpectEmptyBoard();
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
    EXPECT_EQ(nav.Dictionary().Count(), 2);  // the root's candidates again
    EXPECT_EQ(SgfMergeSummary(r).Text(), "SGF をマージしました。追加した手: 5、コメント: 3");
}

TEST_F(SgfMergeTest, SetupAndIllegalMovesEndTheirVariationsOnlyAndAPassIsTenuki) {
    const TSgfMergeResult r = Merge(
        "(;SZ[19]"
        "(;B[pd];W[pd];B[qq])"         // W on a stone: nothing below it either
        "(;B[dd];W[];B[qq])"           // a pass: tenuki, with the move below it
        "(;B[dp]AB[aa];W[qq])"         // setup on the move's node
        "(;B[zz];W[cc])"               // off the board
        "(;B[pp](;W[qq])(;W[pp]))"     // the second reply is on a stone
        "(;B[cd]))");
    EXPECT_EQ(r.movesAdded, 7);
    EXPECT_EQ(r.tenukiAdded, 1);
    EXPECT_EQ(r.leftSetup, 1);
    EXPECT_EQ(r.leftIllegal, 3);
    EXPECT_EQ(r.leftLimits, 0);
    ExpectFile({TJskRecord{}, Move(16, 4, 0, 2), Move(4, 4, 3, 5), Move(0, 0, 4), Move(17, 17),
                Move(16, 16, 6, 7), Move(17, 17), Move(3, 4)});
    EXPECT_TRUE(messages.shown.empty());  // one summary instead of a box per move
    ExpectEmptyBoard();
    EXPECT_EQ(SgfMergeSummary(r).Text(),
              "SGF をマージしました。追加した手: 7（うち手抜き 1）\n"
              "取り込まなかった変化: 4（置き石・配置 1、着手禁止 3）");
}

TEST_F(SgfMergeTest, AMoveOfTheSideThatJustMovedGetsATenukiBeforeItAndMarkupIsKept) {
    const std::string tree =
        "(;SZ[19]LB[pd:い][dd:b]TR[aa:bb]"
        "(;B[pd];B[qc]C[again](;W[tt];B[qd]SQ[qd]CR[cc]MA[ee]LB[qd:x]))"
        "(;B[dd]))";
    const TSgfMergeResult r = Merge(tree, &markup);
    EXPECT_EQ(r.movesAdded, 6);
    EXPECT_EQ(r.tenukiAdded, 2);
    EXPECT_EQ(r.commentsAdded, 1);
    EXPECT_EQ(r.markupAdded, 2);
    EXPECT_EQ(r.LeftOut(), 0);
    ExpectFile({TJskRecord{}, Move(16, 4, 2, 6), Move(0, 0, 3), Move(17, 3, 4), Move(0, 0, 5), Move(17, 4),
                Move(4, 4)});
    EXPECT_EQ(notes.All(), (std::map<int, std::string>{{3, "again"}}));
    // The kana of the first root move is the export's candidate label, not markup.
    const TMarkupList root = {{EMarkupKind::Label, 4, 4, "b"},    {EMarkupKind::Triangle, 1, 1, ""},
                              {EMarkupKind::Triangle, 1, 2, ""},  {EMarkupKind::Triangle, 2, 1, ""},
                              {EMarkupKind::Triangle, 2, 2, ""}};
    const TMarkupList leaf = {{EMarkupKind::Square, 17, 4, ""}, {EMarkupKind::Circle, 3, 3, ""},
                              {EMarkupKind::Cross, 5, 5, ""}, {EMarkupKind::Label, 17, 4, "x"}};
    EXPECT_EQ(markup.All(), (std::map<int, TMarkupList>{{0, root}, {5, leaf}}));
    ExpectEmptyBoard();

    // Again: nothing new, and markup already there is never replaced.
    markup.PutMarkup(0, {{EMarkupKind::Cross, 10, 10, ""}});
    const std::string before = FileBytes(dictionary);
    const TSgfMergeResult again = Merge(tree, &markup);
    EXPECT_EQ(again.movesAdded + again.markupAdded + again.commentsAdded, 0);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(markup.GetMarkup(0), (TMarkupList{{EMarkupKind::Cross, 10, 10, ""}}));
}

TEST_F(SgfMergeTest, AFirstMoveOfEitherColourIsNeverPrecededByTenuki) {
    // Nobody has moved before the first move, so White's first move is
    // entered as the first move, as it always was.
    const TSgfMergeResult r = Merge("(;SZ[19];W[pd];B[qc])");
    EXPECT_EQ(r.movesAdded, 2);
    EXPECT_EQ(r.tenukiAdded, 0);
    ExpectFile({TJskRecord{}, Move(16, 4, 2), Move(17, 3)});
}

TEST_F(SgfMergeTest, SuicideAndKoAreRefusedInThePositionReached) {
    // First line: White at ba and ab make aa suicide for Black. Second line:
    // Black takes the ko at cb, White's retake at bb is refused, so qq after
    // it is never entered. The root move dd afterwards lands at the root.
    const TSgfMergeResult r = Merge(
        "(;SZ[19]"
        "(;B[ss];W[ba];B[rs];W[ab];B[aa])"
        "(;B[ba];W[ca];B[ab];W[bb];B[bc];W[db];B[pp];W[cc];B[cb];W[bb];B[qq])"
        "(;B[dd]))");
    EXPECT_EQ(r.leftIllegal, 2);
    EXPECT_EQ(r.movesAdded, 4 + 9 + 1);
    const std::vector<TJskRecord> records = Records();
    ASSERT_EQ(records.size(), 15u);
    EXPECT_EQ(records[14], Move(4, 4));
    EXPECT_EQ(records[5].More, 14);  // the second root move's next alternative
    EXPECT_TRUE(messages.shown.empty());
    ExpectEmptyBoard();
}

TEST_F(SgfMergeTest, NeverOverwritesCommentsOrColoursAndAddsNothingTheSecondTime) {
    nav.Deside(16, 4);
    for (int i = 0; i < 4; ++i) nav.Dictionary().CycleColor(16, 4);
    notes.PutComment(0, "old root");
    const std::string tree = "(;SZ[19]C[new root](;B[pd]VXC[2]C[first](;W[qc]VXC[9]))(;B[dd]VXC[3]))";
    const TSgfMergeResult r = Merge(tree);
    EXPECT_EQ(r.movesAdded, 2);
    EXPECT_EQ(r.colorsSet, 1);
    EXPECT_EQ(r.commentsAdded, 1);
    ExpectFile({TJskRecord{}, Colored(Move(16, 4, 2, 3), 4), Move(17, 3), Colored(Move(4, 4), 3)});
    EXPECT_EQ(notes.All(), (std::map<int, std::string>{{0, "old root"}, {1, "first"}}));

    const std::string before = FileBytes(dictionary);
    const TSgfMergeResult again = Merge(tree);
    EXPECT_EQ(again.movesAdded, 0);
    EXPECT_EQ(again.commentsAdded, 0);
    EXPECT_EQ(FileBytes(dictionary), before);
}

TEST_F(SgfMergeTest, FullCandidateListNeverStepsBackAMoveNotFollowed) {
    for (int y = 1; y <= 3; ++y) {
        for (int x = 1; x <= 10; ++x) nav.Deside(x, y);
    }
    const TSgfMergeResult r = Merge("(;(;B[ss];W[ab])(;B[aa];W[ss]))");
    EXPECT_EQ(r.leftLimits, 1);
    EXPECT_EQ(r.movesAdded, 1);
    const std::vector<TJskRecord> records = Records();
    ASSERT_EQ(records.size(), 32u);
    EXPECT_EQ(records[31], Move(19, 19));
    EXPECT_EQ(records[1].Next, 31);  // under aa, not under a move left out
    ExpectEmptyBoard();
}

TEST_F(SgfMergeTest, OtherBoardSizesAndBrokenFilesChangeNothing) {
    nav.Deside(16, 4);
    nav.Deside(16, 4);
    const std::string before = FileBytes(dictionary);
    const TSgfMergeResult r = Merge("(;SZ[13];B[dd])");
    EXPECT_TRUE(r.wrongSize);
    EXPECT_EQ(SgfMergeSummary(r).Text(), "19路盤の棋譜ではないため、マージしませんでした");
    EXPECT_EQ(FileBytes(dictionary), before);

    nav.Deside(4, 4);
    nav.Deside(4, 4);
    EXPECT_THROW(Merge("(;B[dd](;W[pp]"), ESgfError);
    EXPECT_EQ(nav.Path().Count(), 2);  // not even reset, by either refusal
}

TEST(SgfMergeSummaryTest, EveryOptionalPartIsAMessageOfItsOwnInEitherLanguage) {
    const TTableTranslator english(std::map<std::string, std::string>{
        {"SGF をマージしました。追加した手: %1", "SGF merged. Moves added: %1"},
        {"（うち手抜き %1）", " (%1 of them tenuki)"},
        {"、コメント: %1", ", comments: %1"},
        {"、マーク: %1", ", marks: %1"},
        {"文字コードの指定がないため、コメントなどの文字は推測して読みました",
         "The file names no character set: comments and other text were read by a guess"},
        {"取り込まなかった変化: %1（%2）", "Variations left out: %1 (%2)"},
        {"置き石・配置 %1", "setup stones %1"},
        {"着手禁止 %1", "illegal moves %1"},
        {"候補手30・400手の上限 %1", "the limits of 30 candidates and 400 moves %1"},
        {"、%1", ", %1"},
        {"19路盤の棋譜ではないため、マージしませんでした", "Not merged: the game is not on a 19x19 board"}});
    TSgfMergeResult r;
    r.movesAdded = 12;
    r.tenukiAdded = 2;
    r.commentsAdded = 3;
    r.markupAdded = 4;
    r.textGuessed = true;
    r.leftSetup = 1;
    r.leftIllegal = 5;
    r.leftLimits = 6;
    EXPECT_EQ(SgfMergeSummary(r).Text(),
              "SGF をマージしました。追加した手: 12（うち手抜き 2）、コメント: 3、マーク: 4\n"
              "文字コードの指定がないため、コメントなどの文字は推測して読みました\n"
              "取り込まなかった変化: 12（置き石・配置 1、着手禁止 5、候補手30・400手の上限 6）");
    EXPECT_EQ(SgfMergeSummary(r).Text(&english),
              "SGF merged. Moves added: 12 (2 of them tenuki), comments: 3, marks: 4\n"
              "The file names no character set: comments and other text were read by a guess\n"
              "Variations left out: 12 (setup stones 1, illegal moves 5, the limits of 30 candidates and 400 moves 6)");
    r.leftSetup = 0;
    r.leftIllegal = 0;
    r.tenukiAdded = 0;
    r.textGuessed = false;
    EXPECT_EQ(SgfMergeSummary(r).Text(&english),
              "SGF merged. Moves added: 12, comments: 3, marks: 4\n"
              "Variations left out: 6 (the limits of 30 candidates and 400 moves 6)");
    r.wrongSize = true;
    EXPECT_EQ(SgfMergeSummary(r).Text(&english), "Not merged: the game is not on a 19x19 board");
}

}  // namespace
}  // namespace vxlo::testing
