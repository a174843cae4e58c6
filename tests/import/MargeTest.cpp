#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/VxloError.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "ImportFixture.h"
#include "RandomGame.h"
#include "reliability/Consistency.h"

namespace vxlo::testing {
namespace {

// A source record with a colour and Aux that the merge must not carry over.
TJskRecord Src(int x, int y, int next = 0, int more = 0) {
    return TJskRecord{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 3, 7, next, more};
}

struct TV1Record {
    int x, y, next, more;
};

std::string V1Bytes(const std::vector<TV1Record>& records) {
    std::string bytes;
    auto put = [&](std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    for (const TV1Record& r : records) {
        put(static_cast<std::uint32_t>(r.x), 2);
        put(static_cast<std::uint32_t>(r.y), 2);
        put(static_cast<std::uint32_t>(r.next), 4);
        put(static_cast<std::uint32_t>(r.more), 4);
    }
    return bytes;
}

class MargeTest : public TImportTest {
protected:
    std::string Source(const std::string& name, const std::string& bytes) {
        WriteBytes(dir / name, bytes);
        return (dir / name).string();
    }
    std::string V4(const std::vector<TJskRecord>& records) { return Source("source.jsk", RecordBytes(records)); }
    std::set<std::string> Lines(const std::string& path) {
        TRecordFile file(path, TRecordFile::Mode::ReadOnly);
        return ReachableLines(file);
    }
};

TEST_F(MargeTest, Ver4CopiesTenukiWithWhatFollowsIt) {
    // pd; White tenuki; Black qc. A second tenuki in the chain is refused.
    const std::string source =
        V4({TJskRecord{}, Src(16, 4, 2), Src(0, 0, 3, 4), Src(17, 3), Src(0, 0)});
    Marge(nav, source, EMergeFormat::Ver4);
    ExpectFile({TJskRecord{}, Move(16, 4, 2), Move(0, 0, 3), Move(17, 3)});
    EXPECT_EQ(Lines(dictionary.string()), (std::set<std::string>{"16,4", "16,4 0,0", "16,4 0,0 17,3"}));
    // Merging it again adds nothing.
    const std::string before = FileBytes(dictionary);
    Marge(nav, source, EMergeFormat::Ver4);
    EXPECT_EQ(FileBytes(dictionary), before);
    ExpectConsistent(nav, false);
}

TEST_F(MargeTest, Ver1SingleRecordAndVer4SingleMove) {
    EXPECT_EQ(Marge(nav, Source("one.jsk", V1Bytes({{4, 4, 0, 0}})), EMergeFormat::Ver1).recordsRead, 1);
    ExpectFile({TJskRecord{}, Move(4, 4)});
    Marge(nav, V4({TJskRecord{}, Src(16, 16)}), EMergeFormat::Ver4);
    ExpectFile({TJskRecord{}, Move(4, 4, 0, 2), Move(16, 16)});
    // Ver1 reads a placeholder as the move (0, 0): off the board, nothing.
    const std::string before = FileBytes(dictionary);
    Marge(nav, V4({TJskRecord{}, Src(3, 3)}), EMergeFormat::Ver1);
    // A negative first coordinate ends the root chain.
    Marge(nav, Source("neg.jsk", V1Bytes({{-1, 4, 0, 0}})), EMergeFormat::Ver1);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(nav.Path().Count(), 0);
}

TEST_F(MargeTest, NewLinesAreAddedDepthFirstPreOrderAndTheBoardEndsAtTheRoot) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    // Root: D04 (with Q16, R16 below it), then C03.
    Marge(nav, V4({TJskRecord{}, Src(4, 4, 2, 4), Src(16, 16, 0, 3), Src(17, 16), Src(3, 3)}), EMergeFormat::Ver4);
    ExpectFile({TJskRecord{}, Move(4, 4, 2, 4), Move(16, 16, 0, 3), Move(17, 16), Move(3, 3)});
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(nav.Dictionary().Count(), 2);
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(MargeTest, OnlyTheNewLastMoveOfALineIsAdded) {
    ReadInput(nav, Ig1("a.IG1", "MOV\r\nD04 Q16 C03\r\n"), 400);
    ReadInput(nav, Ig1("b.IG1", "MOV\r\nD04 Q16 R04\r\n"), 400);
    const std::vector<TJskRecord> before = Records();
    Marge(nav, V4({TJskRecord{}, Src(4, 4, 2), Src(16, 16, 3), Src(3, 16)}), EMergeFormat::Ver4);
    std::vector<TJskRecord> expected = before;
    expected[4].More = 5;  // R04 now has a sibling
    expected.push_back(Move(3, 16));
    ExpectFile(expected);
}

TEST_F(MargeTest, MergingIntoItselfAddsNothingAndIntoAnEmptyDictionaryCopiesEveryLine) {
    // Lines of their own, and lines that share the first moves of one game.
    const std::vector<TPoint> opening = RandomGame(1, 40);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        ReadInput(nav, Ig1("g" + std::to_string(seed) + ".IG1", Ig1Text(RandomGame(seed * 11, 50))), 400);
        const std::vector<TPoint> prefix(opening.begin(), opening.begin() + 5 * seed);
        ReadInput(nav, Ig1("h" + std::to_string(seed) + ".IG1", Ig1Text(prefix)), 400);
    }
    const std::string before = FileBytes(dictionary);
    const std::set<std::string> lines = Lines(dictionary.string());
    const TMergeResult self = Marge(nav, dictionary.string(), EMergeFormat::Ver4);
    EXPECT_EQ(FileBytes(dictionary), before);
    EXPECT_EQ(self.movesSkipped, 0);
    EXPECT_EQ(self.recordsRead + 1, static_cast<int>(before.size() / kRecordSize));

    nav.CloseFile();
    const std::string copy = (dir / "copy.jsk").string();
    nav.OpenFile(copy);
    Marge(nav, dictionary.string(), EMergeFormat::Ver4);
    EXPECT_EQ(Lines(copy), lines);
    EXPECT_EQ(FileBytes(copy).size(), before.size());
    nav.CloseFile();
    nav.OpenFile(dictionary.string());
}

TEST_F(MargeTest, EmptyOrMissingSourceIsTheFileError) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    for (const std::string& bytes : {std::string(), RecordBytes({TJskRecord{}})}) {
        try {
            Marge(nav, Source("empty.jsk", bytes), EMergeFormat::Ver4);
            FAIL() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "ファイルの末尾以降を読み込みました");
        }
    }
    EXPECT_THROW(Marge(nav, (dir / "missing.jsk").string(), EMergeFormat::Ver1), EInOutError);
    ASSERT_EQ(::mkfifo((dir / "pipe.jsk").c_str(), 0600), 0);
    EXPECT_THROW(Marge(nav, (dir / "pipe.jsk").string(), EMergeFormat::Ver4), EInOutError);
    // A link past the end: what was merged before it stays.
    EXPECT_THROW(Marge(nav, V4({TJskRecord{}, Src(4, 4, 0, 9)}), EMergeFormat::Ver4), EInOutError);
    ExpectFile({TJskRecord{}, Move(4, 4)});
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(MargeTest, RootRoleOfRecordZeroIsHonoured) {
    Marge(nav, V4({TJskRecord{0, 0, 0, TLjsk::kRootRoleAux, 2, 0}, Src(4, 4), Src(16, 16)}), EMergeFormat::Ver4);
    ExpectFile({TJskRecord{}, Move(16, 16)});
}

TEST_F(MargeTest, LoopingSiblingChainEndsWithTheRangeErrorKeepingWhatWasMerged) {
    nav.SetProgressMode(EProgressMode::ToBranch);
    try {
        Marge(nav, V4({TJskRecord{}, Src(4, 4, 0, 2), Src(16, 16, 0, 1)}), EMergeFormat::Ver4);
        FAIL() << "no error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "範囲チェックエラー");
    }
    ExpectFile({TJskRecord{}, Move(4, 4, 0, 2), Move(16, 16)});
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(MargeTest, SharedBranchesCannotMakeTheWalkExplode) {
    // Thirty levels of two moves, both leading to the next level: 2^30 lines.
    std::vector<TJskRecord> records{TJskRecord{}};
    for (int level = 0; level < 30; ++level) {
        const int first = static_cast<int>(records.size());
        const int next = level < 29 ? first + 2 : 0;
        const int x = 1 + level % 15;
        const int y = 1 + 4 * (level / 15);
        records.push_back(Src(x, y, next, first + 1));
        records.push_back(Src(x, y + 2, next, 0));
    }
    EXPECT_THROW(Marge(nav, V4(records), EMergeFormat::Ver4), ERangeError);
    // A record that continues itself only meets its own stone.
    const TMergeResult self = Marge(nav, Source("self.jsk", RecordBytes({TJskRecord{}, Src(4, 4, 1)})),
                                    EMergeFormat::Ver4);
    EXPECT_EQ(self.movesSkipped, 1);
    EXPECT_EQ(nav.Path().Count(), 0);
}

TEST_F(MargeTest, MovesThatCannotBeFollowedAreSkippedWithTheirContinuations) {
    // Root: B01 T19 A02, then A01 (suicide for White, with C03 below it) or K10.
    // Root sibling Q04; a sibling off the board (0, 5) with a subtree; D04
    // whose continuation chain starts off the board; Q16 whose continuation
    // is a stone already on the board.
    const std::vector<TJskRecord> source{
        TJskRecord{},
        Src(2, 1, 2, 7),        // 1 B01
        Src(19, 19, 3),         // 2 T19
        Src(1, 2, 4),           // 3 A02
        Src(1, 1, 5, 6),        // 4 A01, illegal
        Src(3, 3),              // 5 C03 under A01
        Src(10, 10),            // 6 K10
        Src(0, 5, 8, 9),        // 7 off the board, subtree 8
        Src(5, 5),              // 8
        Src(4, 4, 10, 11),      // 9 D04
        Src(25, 1, 0, 0),       // 10 chain head off the frame
        Src(16, 16, 12),        // 11 Q16
        Src(16, 16, 13, 14),    // 12 Q16 again: a stone
        Src(3, 4),              // 13 under it
        Src(17, 4),             // 14 R04, a fine sibling
    };
    const TMergeResult result = Marge(nav, V4(source), EMergeFormat::Ver4);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kSuicideText});
    EXPECT_EQ(result.movesSkipped, 3);
    EXPECT_EQ(nav.Path().Count(), 0);
    const std::set<std::string> lines = Lines(dictionary.string());
    EXPECT_EQ(lines, (std::set<std::string>{"2,1", "2,1 19,19", "2,1 19,19 1,2", "2,1 19,19 1,2 10,10", "4,4",
                                            "16,16", "16,16 17,4"}));
    ExpectFile({TJskRecord{}, Move(2, 1, 2, 5), Move(19, 19, 3), Move(1, 2, 4), Move(10, 10), Move(4, 4, 0, 6),
                Move(16, 16, 7), Move(17, 4)});
}

TEST_F(MargeTest, NoBranchIsFollowedPastThe400thMove) {
    const std::vector<TPoint> game = RandomGame(9, 450);
    ASSERT_EQ(game.size(), 450u);
    std::vector<TJskRecord> records{TJskRecord{}};
    for (std::size_t i = 0; i < game.size(); ++i) {
        const int next = i + 1 < game.size() ? static_cast<int>(i) + 2 : 0;
        records.push_back(Src(game[i].x, game[i].y, next));
    }
    Marge(nav, V4(records), EMergeFormat::Ver4);
    EXPECT_EQ(Records().size(), 401u);
    EXPECT_EQ(nav.Path().Count(), 0);
}

}  // namespace
}  // namespace vxlo::testing
