#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "core/VxloError.h"
#include "dictionary/Check.h"
#include "import/ReadInput.h"
#include "ImportFixture.h"
#include "RandomGame.h"
#include "support/FileSizeLimit.h"

namespace vxlo::testing {
namespace {

using ReadInputTest = TImportTest;

// A game whose writes cannot all reach the file (it may grow no further):
// the import reports it, the window is back at the empty board as the file
// holds it, and the dictionary stays sound and takes the game once there is
// room again.
TEST_F(ReadInputTest, AGameThatCannotBeWrittenLeavesASoundFileAndTheEmptyBoard) {
    ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04 Q16 D16 Q04\r\n"), 400);
    const std::string second = Ig1("b.IG1", "MOV\r\nK10 C03 R17 C17 R03 F03 O03 F17 O17 C06 R06 C14 R14\r\n");
    const std::uintmax_t before = std::filesystem::file_size(dictionary);

    {
        const TFileSizeLimit limit(before + 5 * kRecordSize + 4);
        ASSERT_TRUE(limit.Set());
        EXPECT_THROW(ReadInput(nav, second, 400), EInOutError);
    }

    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.Dictionary().Count(), 1);  // D04, the first game's move
    EXPECT_TRUE(CheckDictionary(nav.Dictionary().Store()).Sound());

    EXPECT_EQ(ReadInput(nav, second, 400), 13);
    EXPECT_TRUE(CheckDictionary(nav.Dictionary().Store()).Sound());
    nav.ResetToRoot();
    EXPECT_EQ(nav.Dictionary().Count(), 2);
    EXPECT_GE(nav.Dictionary().FindRecNo(10, 10), 0);
}

TEST_F(ReadInputTest, OnlyLinesAfterTheMarkerCarryMoves) {
    const std::string file = Ig1("a.IG1",
                                 "\x8a\xfc\x95\x88 D04\r\n"   // Shift-JIS header text
                                 "mov\r\n"
                                 "Q16 R16\r\n"
                                 " MOV\r\n"
                                 "MOVES 1 C03\r\n"
                                 "D04 D4 Q16x\r\n");
    EXPECT_EQ(ReadInput(nav, file, 400), 2);
    // D4 has two characters; Q16x is read as Q16.
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16)});
    EXPECT_EQ(nav.Path().Count(), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReadInputTest, ColumnLettersSkipIAndStrayIReadsAsJ) {
    EXPECT_EQ(ReadInput(nav, Ig1("a.IG1", "MOV\r\nI05 T19 A01 H08\r\n"), 400), 4);
    ExpectFile({TJskRecord{}, Move(9, 5, 2), Move(19, 19, 3), Move(1, 1, 4), Move(8, 8)});
    const std::string before = FileBytes(dictionary);
    // J05 is the point I05 entered: followed, nothing added.
    EXPECT_EQ(ReadInput(nav, Ig1("b.IG1", "MOV\r\nJ05\r\n"), 400), 1);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(nav.CurrentRecord(), 1);
}

TEST_F(ReadInputTest, TokensOffTheBoardEndOnlyTheirLine) {
    const std::string file = Ig1("a.ig1",
                                 "MOV\r\n"
                                 "D04 U01 Q16\r\n"      // column 20
                                 "C03 A00 D16\r\n"      // row 0
                                 "123 R17\r\n"          // '1' gives a column below 1
                                 "d05 R03\r\n"          // lower case is off the board
                                 "D04\tQ16 Q04\r\n");   // a tab does not separate
    EXPECT_EQ(ReadInput(nav, file, 400), 4);
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(3, 3, 3), Move(16, 4)});
    // D04<tab>Q16 hit the stone on D04: counted, nothing entered, so Q04 was
    // the third move, played by Black.
    EXPECT_EQ(nav.Board().GetStone(16, 4), Black);
}

TEST_F(ReadInputTest, EveryLineEndIsALineEnd) {
    // Lone LF and lone CR both end a line; 0x1A ends the data.
    const std::string file = Ig1("a.IG1", "INT\nMOV\nD04 U01 C03\nQ16\rR04 A00 R05\r\nC16\x1AQ03\r\n");
    EXPECT_EQ(ReadInput(nav, file, 400), 4);
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 3), Move(17, 4, 4), Move(3, 16)});
}

TEST_F(ReadInputTest, MoveOnAStoneCountsTowardsTheLimitAndKeepsTheTurn) {
    EXPECT_EQ(ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04 D04 Q16 C03\r\n"), 3), 3);
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16)});
    EXPECT_EQ(nav.Board().GetStone(16, 16), White);
    EXPECT_EQ(nav.Board().GetStone(3, 3), Empty);
}

TEST_F(ReadInputTest, LimitStopsAfterTheLimitMove) {
    // Tokens 2..399 fall on the first stone; token 400 is entered, 401 not.
    std::string text = "MOV\r\nD04";
    for (int i = 2; i <= 399; ++i) text += " D04";
    text += " Q16 C03\r\n";
    EXPECT_EQ(ReadInput(nav, Ig1("a.IG1", text), 400), 400);
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16)});
}

TEST_F(ReadInputTest, ALongGameStopsAtThe400thMoveWhateverTheLimit) {
    const std::vector<TPoint> game = RandomGame(7, 500);
    ASSERT_EQ(game.size(), 500u);
    const std::string file = Ig1("long.IG1", Ig1Text(game));
    EXPECT_EQ(ReadInput(nav, file, 400), 400);
    EXPECT_EQ(nav.Path().Count(), 400);
    EXPECT_EQ(nav.Path().LastMove(), game[399]);
    const std::vector<TJskRecord> records = Records();
    ASSERT_EQ(records.size(), 401u);
    EXPECT_EQ(records[400].X, game[399].x);
    EXPECT_EQ(records[400].Y, game[399].y);
    EXPECT_EQ(records[400].Next, 0);

    // A limit beyond the path's capacity would add a 401st record that can
    // never be followed; the import stops at 400 instead.
    const std::string before = FileBytes(dictionary);
    EXPECT_EQ(ReadInput(nav, file, 1000), 400);
    EXPECT_EQ(FileBytes(dictionary), before);
}

TEST_F(ReadInputTest, TheSameFileTwiceAddsNothing) {
    const std::string file = Ig1("a.IG1", Ig1Text(RandomGame(3, 120)));
    EXPECT_EQ(ReadInput(nav, file, 400), 120);
    const std::string once = FileBytes(dictionary);
    EXPECT_EQ(once.size(), 121u * kRecordSize);
    EXPECT_EQ(ReadInput(nav, file, 400), 120);
    EXPECT_EQ(FileBytes(dictionary), once);
}

TEST_F(ReadInputTest, KnownMovesAreFollowedOneAtATimeInToBranchMode) {
    ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04 Q16 C03\r\n"), 400);
    nav.SetProgressMode(EProgressMode::ToBranch);
    EXPECT_EQ(ReadInput(nav, Ig1("b.IG1", "MOV\r\nD04 R16\r\n"), 400), 2);
    // R16 is a second answer to D04, not a continuation of the forced line.
    ExpectFile({TJskRecord{}, Move(4, 4, 2), Move(16, 16, 3, 4), Move(3, 3), Move(17, 16)});
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(ReadInputTest, RowThatIsNotAnIntegerEndsTheImportWithTheConversionError) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    const std::string file = Ig1("a.IG1", "MOV\r\nD04 PASS Q16\r\n");
    try {
        ReadInput(nav, file, 400);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'AS' は整数ではありません（2 行目）");
        EXPECT_EQ(e.FileName(), file);
        EXPECT_EQ(e.Line(), 2);
    }
    ExpectFile({TJskRecord{}, Move(4, 4)});
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(ReadInputTest, IllegalMoveEndsTheFileWithDesidesMessage) {
    // White's A01 would have no liberty.
    const std::string file = Ig1("a.IG1", "MOV\r\nB01 T19 A02 A01 C03\r\n");
    EXPECT_EQ(ReadInput(nav, file, 400), 3);
    ExpectFile({TJskRecord{}, Move(2, 1, 2), Move(19, 19, 3), Move(1, 2)});
    EXPECT_EQ(messages.shown, std::vector<std::string>{kSuicideText});
}

TEST_F(ReadInputTest, FullCandidateListEndsTheFile) {
    // Thirty root moves, G04 among them.
    int added = 0;
    for (int x = 1; x <= 19 && added < 30; x += 2) {
        for (int y = 1; y <= 19 && added < 30; y += 3) {
            nav.Deside(x, y);
            ++added;
        }
    }
    ASSERT_EQ(nav.Dictionary().Count(), 30);
    ASSERT_EQ(nav.Board().PointState(7, 4), Candidate);
    const std::string before = FileBytes(dictionary);
    // K10 cannot be added; G04 must not then be entered as if it were the first move.
    EXPECT_EQ(ReadInput(nav, Ig1("a.IG1", "MOV\r\nK10 G04 Q16\r\n"), 400), 0);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(nav.Path().Count(), 0);
}

TEST_F(ReadInputTest, EveryCallStartsFromTheRoot) {
    ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04 Q16\r\n"), 400);
    nav.Orient(EOrientation::RotateRight);
    ASSERT_EQ(nav.Path().Count(), 2);
    const std::string before = FileBytes(dictionary);
    // Not an IG1 name: reset, nothing read.
    EXPECT_EQ(ReadInput(nav, Ig1("a.txt", "MOV\r\nC03\r\n"), 400), 0);
    EXPECT_EQ(ReadInput(nav, Ig1("a.jsk", "MOV\r\nC03\r\n"), 400), 0);
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.Board().SwapXY() + nav.Board().MirrorLeftRight() + nav.Board().MirrorUpDown(), 0);
    EXPECT_EQ(nav.Dictionary().Count(), 1);
    // No marker: nothing.
    EXPECT_EQ(ReadInput(nav, Ig1("b.IG1", "D04 Q16\r\nC03\r\n"), 400), 0);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_TRUE(HasIg1Extension("x.iG1"));
    EXPECT_TRUE(HasIg1Extension("IG1"));
    EXPECT_FALSE(HasIg1Extension("G1"));
    EXPECT_FALSE(HasIg1Extension("x.IG1 "));
}

TEST_F(ReadInputTest, FileThatCannotBeReadIsTheFileError) {
    ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04\r\n"), 400);
    try {
        ReadInput(nav, (dir / "missing.IG1").string(), 400);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "ファイルが見つかりません");
        EXPECT_EQ(e.FileName(), (dir / "missing.IG1").string());
    }
    EXPECT_EQ(nav.Path().Count(), 0);
    std::filesystem::create_directory(dir / "folder.IG1");
    EXPECT_THROW(ReadInput(nav, (dir / "folder.IG1").string(), 400), EInOutError);
    ASSERT_EQ(::mkfifo((dir / "pipe.IG1").c_str(), 0600), 0);
    EXPECT_THROW(ReadInput(nav, (dir / "pipe.IG1").string(), 400), EInOutError);
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(ReadInputTest, FixtureRecordFromTestData) {
    const std::string file = std::string(VXLO_TEST_DATA) + "/ig1/joseki.IG1";
    EXPECT_EQ(ReadInput(nav, file, 400), 6);
    ExpectFile({TJskRecord{}, Move(17, 4, 2), Move(18, 3, 3), Move(18, 4, 4), Move(17, 3, 5),
                Move(16, 3, 6), Move(15, 2)});
}

}  // namespace
}  // namespace vxlo::testing
