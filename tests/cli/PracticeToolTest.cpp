// vxlo-tool practice-status, run in-process.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "board/Goban.h"
#include "cli/VxloTool.h"
#include "practice/PracticeFakes.h"
#include "practice/PracticeStore.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

class PracticeToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }
    testing::TTempDir dir;
    std::string dictionary = dir / "tree.jsk";
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PracticeToolTest, StatusCountsUserPositionsDueAndPractisedWithoutWritingAnything) {
    const testing::TBytes bytes = testing::BranchingTree();
    testing::WriteFileBytes(dictionary, bytes);
    ASSERT_EQ(Run({"practice-status", "--json", dictionary}), 0);
    EXPECT_EQ(out.str(),
              "{\"color\": \"black\", \"positions\": 3, \"due\": 3, \"practised\": 0, \"lapses\": 0}\n");
    // A question creates no database beside the dictionary.
    EXPECT_FALSE(std::filesystem::exists(dir / "tree.comments.sqlite"));

    const int today = TSystemPracticeClock().Today();
    {
        TPracticeStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
        store.Put({0, 0, 2, 0.0, today});
        store.Put({3, 1, 0, 1.0, today + 1});
        store.Put({1, 1, 1, 1.0, today - 1});  // White's position
    }
    ASSERT_EQ(Run({"practice-status", "--json", dictionary}), 0);
    EXPECT_EQ(out.str(),
              "{\"color\": \"black\", \"positions\": 3, \"due\": 2, \"practised\": 2, \"lapses\": 2}\n");
    ASSERT_EQ(Run({"practice-status", "--white", dictionary}), 0);
    EXPECT_EQ(out.str(), "1 positions for white, 1 due, 1 practised, 1 lapses\n");
    EXPECT_EQ(testing::ReadFileBytes(dictionary), bytes);
    EXPECT_TRUE(err.str().empty());
}

TEST_F(PracticeToolTest, MissingFilesFailByNameAndBadUseIsAUsageError) {
    EXPECT_EQ(Run({"practice-status", "--json", dictionary}), 1);
    EXPECT_NE(err.str().find(dictionary), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(dictionary));

    testing::WriteFileBytes(dictionary, testing::ForcedLine());
    testing::WriteFileBytes(dir / "tree.comments.sqlite", testing::TBytes(100, 'x'));
    EXPECT_EQ(Run({"practice-status", dictionary}), 1);
    EXPECT_NE(err.str().find(dir / "tree.comments.sqlite"), std::string::npos) << err.str();

    EXPECT_EQ(Run({"practice-status"}), 2);
    EXPECT_EQ(Run({"practice-status", "--limit", "3", dictionary}), 2);
    EXPECT_EQ(Run({"dump", "--json", dictionary}), 2);
}

}  // namespace
}  // namespace vxlo
