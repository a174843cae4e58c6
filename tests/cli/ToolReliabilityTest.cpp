// The tool tried as a hostile or unlucky user would: nothing is reported as
// done that was not done.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sstream>

#include "cli/VxloTool.h"
#include "import/ImportFixture.h"
#include "import/SgfCommentStore.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

class ToolReliabilityTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }
    std::string File(const std::string& name) const { return dir / name; }
    bool ErrorNames(const std::string& path) const { return err.str().find(path) != std::string::npos; }
    bool Says(const std::string& text) const { return err.str().find(text) != std::string::npos; }
    std::string Store() const { return TCommentStore::StorePathFor(File("a.jsk")); }
    // Three moves, two of them with comments.
    std::string CommentedGame() const {
        WriteBytes(File("c.sgf"), "(;SZ[19]C[root];B[pd]C[hoshi];W[dd])");
        return File("c.sgf");
    }
    int StoredComments() const {
        TSgfCommentStore store(File("a.jsk"));
        int n = 0;
        for (int rec = 0; rec < 4; ++rec) n += store.HasComment(rec) ? 1 : 0;
        return n;
    }

    TTempDir dir;
    std::ostringstream out, err;
};

TEST_F(ToolReliabilityTest, CheckReadsTheRootChainAsTheMergeDoes) {
    // Record 0 holds the root role (Aux 1) and points past the end.
    WriteBytes(File("bad.jsk"), RecordBytes({TJskRecord{0, 0, 0, 1, 5, 0}, Move(4, 4)}));
    EXPECT_EQ(Run({"merge", File("a.jsk"), File("bad.jsk")}), 1);
    EXPECT_EQ(Run({"check", File("bad.jsk")}), 1);
    EXPECT_NE(out.str().find("record 0: the root chain starts at record 5, past the end of the file"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find(" 1 problems"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace vxlo::testing
