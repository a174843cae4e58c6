// A large generated joseki tree in SGF, shaped like the public ones (passes,
// moves of the side that has just moved, comments, markup, a few setup nodes),
// merged into a file dictionary: every move and comment outside the setup
// subtrees arrives, the summary's counts are exact, and export then merge
// gives the same tree, colours, comments and markup.
#include <gtest/gtest.h>

#include "cli/JosekiTreeGenerator.h"
#include "import/ImportFixture.h"
#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "import/SgfTreeDump.h"
#include "reliability/Consistency.h"

namespace vxlo::testing {
namespace {

using JosekiTreeTest = TImportTest;

TEST_F(JosekiTreeTest, ALargeTreeMergesWholeWithExactCounts) {
    const TJosekiTree tree = GenerateJosekiTree(20000, 62700);
    // The generator makes what it says it makes.
    EXPECT_GT(tree.nodes, 19000);
    EXPECT_GT(tree.tenukiRecords, 200);
    EXPECT_GT(tree.commentNodes, 2500);
    EXPECT_GT(tree.markupNodes, 2000);
    EXPECT_GE(tree.setupNodes, 5);
    const std::string file = Ig1("joseki.sgf", tree.sgf);
    ASSERT_EQ(ParseSgf(tree.sgf, "joseki.sgf").NodeCount(), tree.nodes);

    TMemorySgfComments comments;
    TMemoryMarkup markup;
    const TSgfMergeResult r = MergeSgfFile(nav, file, &comments, &markup);
    EXPECT_EQ(r.movesAdded, tree.records);
    EXPECT_EQ(r.tenukiAdded, tree.tenukiRecords);
    EXPECT_EQ(r.commentsAdded, tree.commentedPositions);
    EXPECT_EQ(r.markupAdded, tree.markedPositions);
    EXPECT_EQ(r.leftSetup, tree.setupNodes);
    EXPECT_EQ(r.leftIllegal, 0);
    EXPECT_EQ(r.leftLimits, 0);
    EXPECT_EQ(SgfMergeSummary(r).Text(), "SGF をマージしました。追加した手: " + std::to_string(tree.records) +
                                      "（うち手抜き " + std::to_string(tree.tenukiRecords) + "）、コメント: " +
                                      std::to_string(tree.commentedPositions) + "、マーク: " +
                                      std::to_string(tree.markedPositions) + "\n取り込まなかった変化: " +
                                      std::to_string(tree.setupNodes) + "（置き石・配置 " +
                                      std::to_string(tree.setupNodes) + "）");
    // Every line outside the setup subtrees is in the dictionary, and no other.
    IRecordStore& store = nav.Dictionary().Store();
    EXPECT_EQ(ReachableLines(store), tree.lines);
    EXPECT_TRUE(CheckDictionary(store).Sound());
    // So all the moves are kept (each SGF move node is one of those lines'
    // last moves) and the comments of distinct positions all arrive.
    EXPECT_GE(static_cast<long>(tree.lines.size()) * 100, 99L * (tree.moveNodes));
    EXPECT_GE(static_cast<long>(comments.All().size()) * 100, 99L * tree.commentNodes);
    EXPECT_EQ(static_cast<int>(markup.All().size()), tree.markedPositions);

    // Export, then merge into an empty dictionary: the same tree with everything on it.
    const std::string expected = TreeDump(store, comments, &markup);
    const std::string exported = (dir / "exported.sgf").string();
    ExportSgf(store, exported, &comments, &markup);
    nav.CloseFile();
    nav.OpenFile((dir / "copy.jsk").string());
    TMemorySgfComments copiedComments;
    TMemoryMarkup copiedMarkup;
    const TSgfMergeResult again = MergeSgfFile(nav, exported, &copiedComments, &copiedMarkup);
    EXPECT_EQ(again.LeftOut(), 0);
    EXPECT_EQ(again.movesAdded, tree.records);
    EXPECT_EQ(TreeDump(nav.Dictionary().Store(), copiedComments, &copiedMarkup), expected);
}

TEST(JosekiTreeGenerator, TheSameSeedGivesTheSameTree) {
    const TJosekiTree a = GenerateJosekiTree(3000, 5);
    const TJosekiTree b = GenerateJosekiTree(3000, 5);
    EXPECT_EQ(a.sgf, b.sgf);
    EXPECT_NE(GenerateJosekiTree(3000, 6).sgf, a.sgf);
}

}  // namespace
}  // namespace vxlo::testing
