#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "core/VxloError.h"
#include "import/CornerImport.h"
#include "import/FolderWalk.h"
#include "ImportFixture.h"
#include "support/TableTranslator.h"

namespace vxlo::testing {
namespace {

class FolderWalkTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        tree = dir / "tree";
        std::filesystem::create_directories(tree);
    }
    void Put(const std::string& relative, const std::string& move) {
        WriteBytes(tree / relative, "MOV\r\n" + move + "\r\n");
    }
    // The points of the records in the file, in any order.
    std::multiset<std::pair<int, int>> Points() const {
        std::multiset<std::pair<int, int>> points;
        const std::vector<TJskRecord> records = Records();
        for (std::size_t i = 1; i < records.size(); ++i) points.insert({records[i].X, records[i].Y});
        return points;
    }
    TFolderWalkOptions Options(bool subfolders, const std::string& mask = "*.IG1") const {
        TFolderWalkOptions options;
        options.folder = tree.string();
        options.mask = mask;
        options.subfolders = subfolders;
        options.moveLimit = 400;
        return options;
    }
    std::vector<std::string> Relative(const std::vector<std::string>& files) const {
        std::vector<std::string> names;
        for (const std::string& f : files) names.push_back(std::filesystem::path(f).lexically_relative(tree).string());
        return names;
    }
    std::filesystem::path tree;
};

TEST(MaskTest, WildcardsIgnoreCase) {
    EXPECT_TRUE(MatchesMask("a.IG1", "*.IG1"));
    EXPECT_TRUE(MatchesMask("b.ig1", "*.IG1"));
    EXPECT_TRUE(MatchesMask(".IG1", "*.IG1"));
    EXPECT_FALSE(MatchesMask("a.ig1x", "*.IG1"));
    EXPECT_FALSE(MatchesMask("aIG1", "*.IG1"));
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
    EXPECT_TRUE(MatchesMask("x.y.z", "*.*"));
    EXPECT_TRUE(MatchesMask("a.IG1", "?.ig1"));
    EXPECT_FALSE(MatchesMask("ab.IG1", "?.ig1"));
    EXPECT_TRUE(MatchesMask("game-01-final.IG1", "game*final*"));
    EXPECT_FALSE(MatchesMask("game-01-fina.IG1", "game*final*"));
}

TEST(BulkLimitTest, EmptyAndZeroMean400AndTheLimitIsCapped) {
    EXPECT_EQ(BulkMoveLimit(""), 400);
    EXPECT_EQ(BulkMoveLimit("0"), 400);
    EXPECT_EQ(BulkMoveLimit("60"), 60);
    EXPECT_EQ(BulkMoveLimit("401"), 400);
    EXPECT_EQ(BulkMoveLimit("-3"), -3);
    try {
        BulkMoveLimit("6O");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'6O' は整数ではありません");
    }
}

TEST_F(FolderWalkTest, WithoutSubfoldersTheMaskChoosesAndFoldersAreSkipped) {
    Put("a.IG1", "D04");
    Put("b.ig1", "Q16");
    Put("c.txt", "C03");
    Put("sub.IG1/x.IG1", "C16");
    TFolderWalk walk(nav);
    const TFolderWalkResult result = walk.Run(Options(false));
    EXPECT_EQ(result.filesFound, 2);
    EXPECT_EQ(result.filesDone, 2);
    EXPECT_EQ(Points(), (std::multiset<std::pair<int, int>>{{4, 4}, {16, 16}}));

    // "*.*" hands every file over; ReadInput skips c.txt by its name.
    std::vector<std::string> all = Relative(CollectWalkFiles(Options(false, "*.*")));
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{"a.IG1", "b.ig1", "c.txt"}));
}

// The corner import walks as the import does, taking the game records only.
TEST_F(FolderWalkTest, TheCornerImportTakesTheGameRecordsOfTheSameWalk) {
    Put("a.IG1", "D04");
    Put("b.sgf", "D04");
    Put("notes.txt", "D04");
    Put("sub/c.SGF", "Q16");
    Put(".old/d.IG1", "D16");
    std::filesystem::create_directory_symlink("..", tree / "sub/up");
    for (const bool recursive : {false, true}) {
        SCOPED_TRACE(recursive);
        TFolderWalkOptions options = Options(recursive);
        options.gameRecords = true;
        std::vector<std::string> walked = CollectWalkFiles(options);
        std::sort(walked.begin(), walked.end());
        EXPECT_EQ(CornerGameFiles({tree.string()}, recursive), walked);
        const std::vector<std::string> expected =
            recursive ? std::vector<std::string>{"a.IG1", "b.sgf", "sub/c.SGF"} : std::vector<std::string>{"a.IG1", "b.sgf"};
        EXPECT_EQ(Relative(walked), expected);
    }
    Put("empty/notes.txt", "D04");
    EXPECT_THROW(static_cast<void>(CornerGameFiles({(tree / "empty").string()}, true)), EFileRefused);
}

TEST_F(FolderWalkTest, SubfoldersAreWalkedDepthFirstExceptDotFolders) {
    Put("a.IG1", "D04");
    Put("game.txt", "C03");
    Put("sub/b.IG1", "Q16");
    Put("sub/deeper/c.IG1", "Q04");
    Put("sub/deeper/e.IG1", "R04");
    Put(".old/d.IG1", "D16");
    ASSERT_EQ(::mkfifo((tree / "sub/pipe.IG1").c_str(), 0600), 0);
    // A link back up must not walk for ever.
    std::filesystem::create_directory_symlink("..", tree / "sub/deeper/up");

    const std::vector<std::string> files = Relative(CollectWalkFiles(Options(true)));
    std::vector<std::string> sorted = files;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"a.IG1", "game.txt", "sub/b.IG1", "sub/deeper/c.IG1",
                                                "sub/deeper/e.IG1"}));
    // A subfolder is imported whole where its entry is met.
    auto at = [&](const std::string& name) { return std::find(files.begin(), files.end(), name) - files.begin(); };
    EXPECT_EQ(std::abs(at("sub/deeper/c.IG1") - at("sub/deeper/e.IG1")), 1);
    const auto subFirst = std::min({at("sub/b.IG1"), at("sub/deeper/c.IG1"), at("sub/deeper/e.IG1")});
    const auto subLast = std::max({at("sub/b.IG1"), at("sub/deeper/c.IG1"), at("sub/deeper/e.IG1")});
    EXPECT_EQ(subLast - subFirst, 2);

    std::vector<std::string> seen;
    TFolderWalk walk(nav);
    TProgressFunction progress([&](const TProgressStep& step) {
        EXPECT_EQ(step.total, 5);
        EXPECT_EQ(step.done, static_cast<int>(seen.size()));
        if (!step.what.empty()) seen.push_back(step.what);
        return false;
    });
    walk.SetProgress(&progress);
    const TFolderWalkResult result = walk.Run(Options(true, "nothing"));
    EXPECT_EQ(result.filesDone, 5);
    EXPECT_EQ(Relative(seen), files);
    EXPECT_EQ(Points(), (std::multiset<std::pair<int, int>>{{4, 4}, {16, 16}, {16, 4}, {17, 4}}));
}

TEST_F(FolderWalkTest, FilesWithoutRecordsLeaveTheDictionaryAndAnEmptyWalkLeavesTheBoard) {
    nav.Deside(4, 4);
    nav.Deside(4, 4);
    const std::string before = FileBytes(dictionary);
    TFolderWalk walk(nav);
    walk.Run(Options(true));  // no file at all
    EXPECT_EQ(nav.Path().Count(), 1);
    Put("notes.txt", "C03");
    Put("sub/readme", "C03");
    walk.Run(Options(true));
    EXPECT_EQ(nav.Path().Count(), 0);
    EXPECT_EQ(FileBytes(dictionary), before);
}

TEST_F(FolderWalkTest, IllegalMoveEndsOnlyItsFileAndANegativeLimitTakesOneMove) {
    Put("illegal.IG1", "B01 T19 A02 A01 C03");
    Put("fine.IG1", "Q16 D04");
    TFolderWalkOptions options = Options(false);
    options.moveLimit = BulkMoveLimit("-1");
    TFolderWalk walk(nav);
    EXPECT_EQ(walk.Run(options).filesDone, 2);
    EXPECT_EQ(Points(), (std::multiset<std::pair<int, int>>{{2, 1}, {16, 16}}));
    EXPECT_TRUE(messages.shown.empty());
    options.moveLimit = 400;
    walk.Run(options);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kSuicideText});
    EXPECT_EQ(Points(), (std::multiset<std::pair<int, int>>{{2, 1}, {19, 19}, {1, 2}, {16, 16}, {4, 4}}));
}

TEST_F(FolderWalkTest, ConversionErrorEndsTheWholeWalkAndKeepsWhatWasImported) {
    Put("a.IG1", "D04");
    Put("b.IG1", "Q16 PASS");
    Put("c.IG1", "C03");
    const std::vector<std::string> order = Relative(CollectWalkFiles(Options(false)));
    TFolderWalk walk(nav);
    EXPECT_THROW(walk.Run(Options(false)), EConvertError);
    std::multiset<std::pair<int, int>> expected{{16, 16}};
    const std::map<std::string, std::pair<int, int>> point{{"a.IG1", {4, 4}}, {"c.IG1", {3, 3}}};
    for (const std::string& name : order) {
        if (name == "b.IG1") break;
        expected.insert(point.at(name));
    }
    EXPECT_EQ(Points(), expected);
    EXPECT_EQ(nav.ProgressMode(), EProgressMode::ToBranch);
}

TEST_F(FolderWalkTest, DamagedSgfFilesAreListedInTheSummaryWithTheirReasonsInEitherLanguage) {
    Put("a.IG1", "D04");
    WriteBytes(tree / "b.sgf", "(;GM[1]C[no end");
    WriteBytes(tree / "c.sgf", "(;GM[1](;B[pd]");
    const TFolderWalkResult result = TFolderWalk(nav).Run(Options(false, "*.*"));
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(Points(), (std::multiset<std::pair<int, int>>{{4, 4}}));
    const std::map<std::string, std::pair<std::string, std::string>> reasons{
        {"b.sgf", {"SGF の形式が正しくありません（9 バイト目）: 値を閉じる ']' がありません",
                   "The SGF file is damaged (byte 9): no ']' closes the value"}},
        {"c.sgf", {"SGF の形式が正しくありません（8 バイト目）: ')' がありません",
                   "The SGF file is damaged (byte 8): ')' is missing"}}};
    std::string japanese = "取り込めなかったファイル: 2";
    std::string english = "Files not imported: 2";
    for (const TWalkFailure& f : result.failures) {
        const auto& reason = reasons.at(std::filesystem::path(f.file).filename().string());
        japanese += "\n" + f.file + ": " + reason.first;
        english += "\n" + f.file + ": " + reason.second;
    }
    const TTableTranslator catalogue(std::map<std::string, std::string>{
        {"取り込めなかったファイル: %1", "Files not imported: %1"},
        {"SGF の形式が正しくありません（%1 バイト目）: %2", "The SGF file is damaged (byte %1): %2"},
        {"値を閉じる ']' がありません", "no ']' closes the value"},
        {"')' がありません", "')' is missing"}});
    EXPECT_EQ(WalkFailureSummary(result).Text(), japanese);
    EXPECT_EQ(WalkFailureSummary(result).Text(&catalogue), english);
    EXPECT_TRUE(WalkFailureSummary(TFolderWalkResult{}).Empty());
}

TEST_F(FolderWalkTest, CancelStopsBeforeTheNextFileAndUnlistableFoldersAreSkipped) {
    Put("a.IG1", "D04");
    Put("b.IG1", "Q16");
    Put("c.IG1", "C03");
    int asked = 0;
    TFolderWalk walk(nav);
    TProgressFunction progress([&](const TProgressStep&) { return ++asked > 1; });
    walk.SetProgress(&progress);
    const TFolderWalkResult result = walk.Run(Options(false));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.filesFound, 3);
    EXPECT_EQ(result.filesDone, 1);
    EXPECT_EQ(Records().size(), 2u);

    TFolderWalkOptions missing = Options(true);
    missing.folder = (dir / "no-such-folder").string();
    EXPECT_EQ(TFolderWalk(nav).Run(missing).filesFound, 0);
    if (::geteuid() != 0) {  // root reads any folder
        Put("locked/d.IG1", "D16");
        std::filesystem::permissions(tree / "locked", std::filesystem::perms::none);
        EXPECT_EQ(CollectWalkFiles(Options(true)).size(), 3u);
        std::filesystem::permissions(tree / "locked", std::filesystem::perms::owner_all);
    }
}

}  // namespace
}  // namespace vxlo::testing
