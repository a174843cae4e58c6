#include <gtest/gtest.h>

#include <sstream>

#include "import/SgfCommentStore.h"
#include "companion/MarkupStore.h"
#include "cli/VxloTool.h"
#include "import/ImportFixture.h"
#include "support/TempDir.h"
#include "import/SgfTreeDump.h"

namespace vxlo::testing {
namespace {

class SgfToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }
    std::string File(const std::string& name) const { return (dir.Path() / name).string(); }

    TTempDir dir;
    std::ostringstream out, err;
};

TEST_F(SgfToolTest, ImportExportAndMergeWithComments) {
    WriteBytes(File("games.SGF"),
               "(;SZ[19];B[pd];W[dd];B[pq])(;SZ[19];B[pd];W[qc];B[qd])(;SZ[19]AB[dd];W[pp])");
    ASSERT_EQ(Run({"import", File("a.jsk"), File("games.SGF")}), 0) << err.str();
    {
        TSgfCommentStore comments(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite));
        comments.PutComment(0, "全体");
        comments.PutComment(2, "three-four");
    }
    ASSERT_EQ(Run({"export-sgf", File("a.jsk"), File("a.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "5 moves written\n");
    EXPECT_EQ(FileBytes(File("a.sgf")),
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]VXN[1]LB[pd:い]C[全体];B[pd]LB[dd:い][qc:ろ]\n"
              "(;W[dd]LB[pq:い]C[three-four];B[pq])\n"
              "(;W[qc]LB[qd:い];B[qd]))\n");

    ASSERT_EQ(Run({"merge", "--sgf", File("b.jsk"), File("a.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF をマージしました。追加した手: 5、コメント: 2\n");
    TRecordFile a(File("a.jsk"), TRecordFile::Mode::ReadOnly);
    TRecordFile b(File("b.jsk"), TRecordFile::Mode::ReadOnly);
    TSgfCommentStore aComments(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite));
    TSgfCommentStore bComments(OpenCompanion(File("b.jsk"), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(TreeDump(b, bComments), TreeDump(a, aComments));
}

TEST_F(SgfToolTest, TenukiAndMarkupGoThroughMergeExportDumpAndCheck) {
    WriteBytes(File("j.sgf"),
               "(;SZ[19]C[start]TR[dd](;B[pd]LB[qc:a][qd:b];W[]C[elsewhere];B[qc]SQ[qc])(;B[dd];B[pp]))");
    ASSERT_EQ(Run({"merge", "--sgf", File("a.jsk"), File("j.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF をマージしました。追加した手: 6（うち手抜き 2）、コメント: 2、マーク: 3\n");
    // The markup sits in the companion database even with comments off.
    EXPECT_TRUE(std::filesystem::exists(File("a.comments.sqlite")));
    ASSERT_EQ(Run({"dump", File("a.jsk")}), 0);
    EXPECT_EQ(out.str(),
              "0 0 0 0 0 0 0\n1 16 4 0 100 2 4\n2 0 0 0 100 3 0 tenuki\n3 17 3 0 100 0 0\n"
              "4 4 4 0 100 5 0\n5 0 0 0 100 6 0 tenuki\n6 16 16 0 100 0 0\n");
    ASSERT_EQ(Run({"check", File("a.jsk")}), 0) << out.str();

    ASSERT_EQ(Run({"export-sgf", File("a.jsk"), File("a.sgf")}), 0) << err.str();
    EXPECT_EQ(out.str(), "6 moves written (2 tenuki)\n");
    EXPECT_EQ(FileBytes(File("a.sgf")),
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]VXN[1]LB[pd:い][dd:ろ]TR[dd]C[start]\n"
              "(;B[pd]LB[qc:a][qd:b];W[]LB[qc:い]C[elsewhere];B[qc]SQ[qc])\n"
              "(;B[dd];W[]LB[pp:い];B[pp]))\n");
    ASSERT_EQ(Run({"merge", "--sgf", File("b.jsk"), File("a.sgf")}), 0) << err.str();
    TRecordFile a(File("a.jsk"), TRecordFile::Mode::ReadOnly);
    TRecordFile b(File("b.jsk"), TRecordFile::Mode::ReadOnly);
    TMarkupStore aMarkup(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadOnly));
    TMarkupStore bMarkup(OpenCompanion(File("b.jsk"), TCompanionDatabase::EAccess::ReadOnly));
    TSgfCommentStore aComments(OpenCompanion(File("a.jsk"), TCompanionDatabase::EAccess::ReadWrite));
    const std::string expected = TreeDump(a, aComments, &aMarkup);
    TSgfCommentStore bComments(OpenCompanion(File("b.jsk"), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(TreeDump(b, bComments, &bMarkup), expected);
    EXPECT_NE(expected.find("0,0"), std::string::npos);
}

TEST_F(SgfToolTest, TheSampleNotesRegenerateTheSampleDatabaseAndAddNoMove) {
    const std::string data = VXLO_SAMPLE_DATA;
    std::filesystem::copy_file(data + "/sample.jsk", File("sample.jsk"));
    ASSERT_EQ(Run({"merge", "--sgf", File("sample.jsk"), data + "/sample-notes.sgf"}), 0) << err.str();
    EXPECT_EQ(out.str(), "SGF をマージしました。追加した手: 0、コメント: 4、マーク: 4\n");
    EXPECT_EQ(FileBytes(File("sample.jsk")), FileBytes(data + "/sample.jsk"));
    // The committed database holds what the notes give (the sample's tenuki
    // line carries a comment and a label).
    std::filesystem::copy_file(data + "/sample.comments.sqlite", File("shipped.comments.sqlite"));
    std::filesystem::copy_file(data + "/sample.jsk", File("shipped.jsk"));
    TRecordFile made(File("sample.jsk"), TRecordFile::Mode::ReadOnly);
    TMarkupStore madeMarkup(OpenCompanion(File("sample.jsk"), TCompanionDatabase::EAccess::ReadOnly));
    TMarkupStore shippedMarkup(OpenCompanion(File("shipped.jsk"), TCompanionDatabase::EAccess::ReadOnly));
    const std::string expected = [&] {
        TSgfCommentStore comments(OpenCompanion(File("sample.jsk"), TCompanionDatabase::EAccess::ReadWrite));
        return TreeDump(made, comments, &madeMarkup);
    }();
    TSgfCommentStore shippedComments(OpenCompanion(File("shipped.jsk"), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(TreeDump(made, shippedComments, &shippedMarkup), expected);
    EXPECT_NE(expected.find("0,0 0 Black has played elsewhere"), std::string::npos) << expected;
}

TEST_F(SgfToolTest, BrokenSgfIsAnErrorThatChangesNothing) {
    WriteBytes(File("bad.sgf"), "(;SZ[19];B[pd]C[open");
    ASSERT_EQ(Run({"import", File("a.jsk"), File("bad.sgf")}), 1);
    EXPECT_NE(err.str().find("バイト目"), std::string::npos);
    EXPECT_NE(err.str().find(File("bad.sgf")), std::string::npos);
    EXPECT_EQ(FileBytes(File("a.jsk")), "");
    EXPECT_EQ(Run({"export-sgf", File("missing.jsk"), File("x.sgf")}), 1);
    EXPECT_FALSE(std::filesystem::exists(File("x.sgf")));
    EXPECT_EQ(Run({"export-sgf", File("a.jsk")}), 2);
}

}  // namespace
}  // namespace vxlo::testing
