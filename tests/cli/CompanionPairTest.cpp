// Every feature that keeps data beside a dictionary, after every other, on
// one dictionary: none refuses a store that another has made.
#include <gtest/gtest.h>

#include <fstream>

#include "support/CompanionFeatures.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

// A dictionary of the empty board alone, with no store beside it.
std::string EmptyDictionary(const TTempDir& dir) {
    const std::string path = dir / "d.jsk";
    std::ofstream(path, std::ios::binary) << std::string(12, '\0');
    return path;
}

struct TPair {
    const TCompanionFeature* first;
    const TCompanionFeature* then;
};

std::vector<TPair> Pairs() {
    std::vector<TPair> pairs;
    for (const TCompanionFeature& a : Features()) {
        for (const TCompanionFeature& b : Features()) pairs.push_back({&a, &b});
    }
    return pairs;
}

class CompanionPairTest : public ::testing::TestWithParam<TPair> {};

TEST_P(CompanionPairTest, TheSecondWorksOnWhatTheFirstLeft) {
    TTempDir dir;
    const std::string dictionary = EmptyDictionary(dir);
    const TPair pair = GetParam();
    ASSERT_EQ(pair.first->run(dictionary), "") << pair.first->name;
    EXPECT_EQ(pair.then->run(dictionary), "") << pair.then->name << " after " << pair.first->name;
    // And the first once more, on what both left.
    EXPECT_EQ(pair.first->run(dictionary), "") << pair.first->name << " after " << pair.then->name;
}

INSTANTIATE_TEST_SUITE_P(Features, CompanionPairTest, ::testing::ValuesIn(Pairs()),
                         [](const ::testing::TestParamInfo<TPair>& info) {
                             return std::string(info.param.first->name) + "Then" + info.param.then->name;
                         });

// Each creator alone leaves a store that every feature takes, and a reader
// alone makes no file.
TEST(CompanionFeatures, ReadersAloneMakeNoStore) {
    for (const TCompanionFeature& f : Features()) {
        if (f.createsStore) continue;
        TTempDir dir;
        const std::string dictionary = EmptyDictionary(dir);
        EXPECT_EQ(f.run(dictionary), "") << f.name;
        EXPECT_FALSE(TCompanionDatabase::ExistsFor(dictionary)) << f.name;
    }
}

// A store that cannot take the counts stops the corner import before its
// first move: the dictionary keeps only the empty board.
TEST(CompanionFeatures, TheCornerImportChecksTheStoreBeforeTheFirstMove) {
    struct TCase {
        const char* name;
        const char* sql;
        bool holdReader;  // another program reads through the import
    };
    for (const TCase& c : {TCase{"foreign", "CREATE TABLE games (id INTEGER)", false},
                           TCase{"read by another program", "CREATE TABLE evidence (rec INTEGER PRIMARY KEY, "
                                 "games INTEGER NOT NULL, starter_wins INTEGER NOT NULL, starter_losses INTEGER NOT NULL, "
                                 "first_year INTEGER NOT NULL, last_year INTEGER NOT NULL)", true}}) {
        TTempDir dir;
        const std::string dictionary = EmptyDictionary(dir);
        const std::string store = TCompanionDatabase::PathFor(dictionary);
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(store.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, c.sql, nullptr, nullptr, nullptr), SQLITE_OK);
        if (c.holdReader) {
            ASSERT_EQ(sqlite3_exec(other, "BEGIN; SELECT count(*) FROM evidence;", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        std::ostringstream out, err;
        EXPECT_EQ(RunVxloTool({"import", "--corners", dictionary, GameFile(dictionary)}, out, err), 1) << c.name;
        sqlite3_close(other);
        EXPECT_NE(err.str().find(store), std::string::npos) << c.name << ": " << err.str();
        EXPECT_EQ(std::filesystem::file_size(dictionary), 12u) << c.name;
    }
}

}  // namespace
}  // namespace vxlo::testing
