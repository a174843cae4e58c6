#include <gtest/gtest.h>

#include "core/VxloError.h"
#include "import/ReadInput.h"
#include "import/SgfImport.h"
#include "import/SgfReader.h"
#include "ImportFixture.h"
#include "RandomGame.h"

namespace vxlo::testing {
namespace {

using SgfImportTest = TImportTest;

std::string DataFile(const std::string& name) { return std::string(VXLO_TEST_DATA) + "/sgf/" + name; }

std::string SgfGame(const std::vector<TPoint>& moves, const std::string& root = "GM[1]FF[4]SZ[19]") {
    std::string text = "(;" + root + "\n";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        text += i % 2 == 0 ? ";B[" : ";W[";
        text += EncodeSgfPoint(moves[i]) + "]";
        if (i % 10 == 9) text += "\n";
    }
    return text + ")\n";
}

std::vector<TPoint> Prefix(const std::vector<TPoint>& moves, std::size_t n) {
    return {moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(std::min(n, moves.size()))};
}

TEST_F(SgfImportTest, SameBytesAsTheEquivalentIg1Import) {
    // Random legal games with captures and ko fights, some sharing a prefix,
    // one on a stone, one past a limit: both readers must leave the same file.
    const std::vector<TPoint> a = RandomGame(11, 180);
    const std::vector<TPoint> b = RandomGame(12, 120);
    std::vector<TPoint> onStone = Prefix(a, 6);
    onStone.push_back(a[2]);  // a point that holds a stone: counted, nothing entered
    onStone.push_back({10, 10});
    struct TRecord {
        std::vector<TPoint> moves;
        int limit;
    };
    const std::vector<TRecord> records = {{a, 400}, {Prefix(a, 40), 400}, {b, 60}, {onStone, 400},
                                          {b, 400}, {Prefix(a, 3), -5}};

    for (std::size_t i = 0; i < records.size(); ++i) {
        ReadInput(nav, Ig1("g" + std::to_string(i) + ".IG1", Ig1Text(records[i].moves)), records[i].limit);
    }
    const std::string ig1Bytes = FileBytes(dictionary);
    const int ig1Path = nav.Path().Count();
    ASSERT_GT(ig1Bytes.size(), 300u * kRecordSize);

    nav.CloseFile();
    const auto sgfDictionary = dir / "sgf.jsk";
    nav.OpenFile(sgfDictionary.string());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string file = Ig1("g" + std::to_string(i) + ".sgf", SgfGame(records[i].moves));
        ImportSgfGames(nav, file, records[i].limit);
    }
    EXPECT_EQ(FileBytes(sgfDictionary), ig1Bytes);
    EXPECT_EQ(nav.Path().Count(), ig1Path);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SgfImportTest, CollectionSkipsSetupAndOtherSizesAndEntersAPassAsTenuki) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    const TSgfImportResult result = ImportSgfGames(nav, DataFile("collection.sgf"), 400);
    EXPECT_EQ(result.games, 4);
    EXPECT_EQ(result.gamesImported, 2);
    EXPECT_EQ(result.skippedSetup, 1);
    EXPECT_EQ(result.skippedSize, 1);
    EXPECT_EQ(result.movesEntered, 8);
    // pd dd pq dp from the first game; qd dc, Black's pass and pp from the last.
    ExpectFile({TJskRecord{}, Move(16, 4, 2, 5), Move(4, 4, 3), Move(16, 17, 4), Move(4, 16),
                Move(17, 4, 6), Move(4, 3, 7), Move(0, 0, 8), Move(16, 16)});
    EXPECT_EQ(nav.Path().Count(), 4);
    EXPECT_EQ(nav.Board().GetStone(16, 16), White);
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(SgfImportTest, JapaneseServerFileAndFf3Names) {
    EXPECT_EQ(ImportSgfGames(nav, DataFile("japanese_server.sgf"), 400).movesEntered, 7);
    EXPECT_EQ(ImportSgfGames(nav, DataFile("ff3_long_names.sgf"), 400).movesEntered, 5);
    // A comment-only node in the middle does not end the main line.
    EXPECT_EQ(nav.Board().GetStone(3, 16), Black);
    EXPECT_EQ(nav.Path().Count(), 5);
}

TEST_F(SgfImportTest, TwoPassesInARowOrAPassAtTheEndEndTheGame) {
    const std::string file = Ig1("p.sgf",
                                 "(;SZ[19];B[pd];W[];C[x];B[dd];W[tt];B[];W[pp])"
                                 "(;SZ[19];B[qd];W[dc];B[])");
    const TSgfImportResult result = ImportSgfGames(nav, file, 400);
    EXPECT_EQ(result.movesEntered, 3 + 2);
    ExpectFile({TJskRecord{}, Move(16, 4, 2, 4), Move(0, 0, 3), Move(4, 4), Move(17, 4, 5), Move(4, 3)});
    // The move limit counts tenuki as a move.
    nav.ResetToRoot();
    EXPECT_EQ(ImportSgfGames(nav, Ig1("q.sgf", "(;SZ[19];B[pd];W[];B[dd])"), 2).movesEntered, 2);
    EXPECT_EQ(nav.Path().Count(), 2);
}

TEST_F(SgfImportTest, SetupLaterInTheGameEndsItsImport) {
    const std::string file = Ig1("s.sgf", "(;SZ[19];B[pd];W[dd];AB[qq];B[dp])");
    EXPECT_EQ(ImportSgfGames(nav, file, 400).movesEntered, 2);
    EXPECT_EQ(nav.Path().Count(), 2);
}

TEST_F(SgfImportTest, MalformedFileChangesNothing) {
    ImportSgfGames(nav, Ig1("a.sgf", "(;B[pd];W[dd])"), 400);
    const std::string before = FileBytes(dictionary);
    try {
        ImportSgfGames(nav, Ig1("bad.sgf", "(;B[qq];W[dd"), 400);
        FAIL() << "no error";
    } catch (const ESgfError& e) {
        EXPECT_EQ(e.FileName(), (dir / "bad.sgf").string());
        EXPECT_EQ(e.Offset(), 9);
    }
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(nav.Path().Count(), 2);  // the position was not even reset

    nav.CloseFile();
    EXPECT_THROW(ImportSgfGames(nav, DataFile("collection.sgf"), 400), EVxloError);
}

TEST_F(SgfImportTest, ReadInputHandsSgfFilesToTheSgfImport) {
    EXPECT_EQ(ReadInput(nav, Ig1("Game.SGF", "(;SZ[19];B[pd];W[dd];B[pq])"), 2), 2);
    ExpectFile({TJskRecord{}, Move(16, 4, 2), Move(4, 4)});
    EXPECT_THROW(ReadInput(nav, Ig1("broken.sgf", "(;B[pd]"), 400), ESgfError);
    EXPECT_EQ(nav.Path().Count(), 2);
}

TEST_F(SgfImportTest, ExtensionTestIgnoresCase) {
    EXPECT_TRUE(HasSgfExtension("/x/game.SGF"));
    EXPECT_TRUE(HasSgfExtension("a.Sgf"));
    EXPECT_FALSE(HasSgfExtension("sgf"));
    EXPECT_FALSE(HasSgfExtension("a.sgf.bak"));
}

}  // namespace
}  // namespace vxlo::testing
