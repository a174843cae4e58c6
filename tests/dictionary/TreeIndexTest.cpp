// The tree index against the navigation that grew the tree, and the same
// position found by other move orders, orientations and colours.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>

#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"
#include "dictionary/TreeIndex.h"
#include "dictionary/TreeIndexCache.h"
#include "dictionary/TreeSupport.h"
#include "import/ImportFixture.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

class TreeIndexTest : public ::testing::Test {
protected:
    void SetUp() override { nav.OpenStore(std::make_unique<TMemoryRecordStore>()); }
    TTreeIndex Index() { return TTreeIndex::Build(nav.Dictionary().Store()); }

    // The stones of the position after line, by an independent replay.
    static TCheckedGrid<int, 0, 20> Stones(const TLine& line) {
        TNullView view;
        TRecordingMessages quiet;
        TNullCommentStore comments;
        TNullMenuState menus;
        TNavigation scratch(view, quiet, comments, menus);
        scratch.OpenStore(std::make_unique<TMemoryRecordStore>());
        EnterLine(scratch, line);
        TCheckedGrid<int, 0, 20> stones;
        for (int x = 1; x <= 19; ++x) {
            for (int y = 1; y <= 19; ++y) stones.At(x, y) = scratch.Board().GetStone(x, y);
        }
        return stones;
    }

    // The match's claim checked on the boards: symmetry s with colours
    // exchanged or not takes the asked position's stones onto the record's.
    void ExpectImage(const TLine& asked, const TTreeIndex& index, const TPositionMatch& m) {
        const auto from = Stones(asked);
        const auto to = Stones(index.MovesTo(m.record));
        for (int x = 1; x <= 19; ++x) {
            for (int y = 1; y <= 19; ++y) {
                int stone = from.At(x, y);
                if (m.coloursExchanged && stone != Empty) stone ^= 3;
                const TPoint q = Transform(m.symmetry, {x, y});
                ASSERT_EQ(to.At(q.x, q.y), stone) << "record " << m.record << " at " << q.x << "," << q.y;
            }
        }
    }

    TNullView view;
    TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

TEST_F(TreeIndexTest, ParentsDepthsAndPathsMatchTheNavigationThatGrewTheTree) {
    std::mt19937 rng(1807);
    TTreeModel model;
    for (int i = 0; i < 400; ++i) EnterLine(nav, RandomLine(rng, 1 + static_cast<int>(rng() % 12)), &model);
    ASSERT_GT(model.moves.size(), 500u);
    const TTreeIndex index = Index();
    EXPECT_EQ(index.RecordCount(), nav.Dictionary().Store().RecordCount());
    for (const auto& [record, moves] : model.moves) {
        ASSERT_TRUE(index.Reachable(record)) << record;
        EXPECT_EQ(index.Depth(record), static_cast<int>(moves.size())) << record;
        EXPECT_EQ(index.Parent(record), model.parent[record]) << record;
        const std::vector<TPoint> path = index.MovesTo(record);
        ASSERT_EQ(path, moves) << record;
        const std::vector<int> records = index.PathTo(record);
        ASSERT_EQ(records.back(), record);
        for (std::size_t i = 1; i < records.size(); ++i) EXPECT_EQ(index.Parent(records[i]), records[i - 1]);
    }
    EXPECT_TRUE(index.Reachable(0));
    EXPECT_EQ(index.Depth(0), 0);
    EXPECT_TRUE(index.MovesTo(0).empty());
    // Every record entered was legal, so each is replayed and hashed, and
    // the empty board too.
    EXPECT_EQ(index.PositionCount(), model.moves.size() + 1);
}

TEST_F(TreeIndexTest, EveryRecordIsFoundAtItsOwnPositionCapturesIncluded) {
    // Long legal lines crowded into a 5x5 corner capture again and again;
    // the walk's incremental hashes must agree with hashes of the boards.
    std::mt19937 rng(12);
    TTreeModel model;
    int captures = 0;
    for (int line = 0; line < 60; ++line) {
        TTejun path;
        TNullView painter;
        TGoban board(path, painter);
        TLine moves;
        for (int step = 0; step < 40; ++step) {
            TPoint p{};
            bool found = false;
            for (int attempt = 0; attempt < 60 && !found; ++attempt) {
                p = {1 + static_cast<int>(rng() % 5), 1 + static_cast<int>(rng() % 5)};
                found = board.TestMove(board.GetTurn(), p.x, p.y) == EMoveResult::Ok;
            }
            if (!found) break;
            board.PlayMove(p.x, p.y);
            captures += board.CapturedCount() > 0 ? 1 : 0;
            path.Push(p.x, p.y, 0, 0, board);
            moves.push_back(p);
        }
        EnterLine(nav, moves, &model);
        ASSERT_EQ(nav.Path().Count(), static_cast<int>(moves.size()));  // every move entered
    }
    EXPECT_GT(captures, 50);
    const TTreeIndex index = Index();
    for (const auto& [record, moves] : model.moves) {
        const std::vector<TPositionMatch> found = index.FindPosition(PositionAfter(moves));
        ASSERT_NE(std::find(found.begin(), found.end(), TPositionMatch{record, 0, false}), found.end()) << record;
        for (const TPositionMatch& m : found) {
            if (m.record != record) ExpectImage(moves, index, m);
        }
    }
}

TEST_F(TreeIndexTest, DeletedLinesAndRecordsPastTheEndAreNamedAsNotReached) {
    const int kept = EnterLine(nav, {{4, 4}, {16, 16}});
    const int gone = EnterLine(nav, {{4, 4}, {3, 3}});
    nav.DeleteLast();
    const TTreeIndex index = Index();
    EXPECT_TRUE(index.Reachable(kept));
    EXPECT_FALSE(index.Reachable(gone));
    EXPECT_EQ(index.Parent(gone), -1);
    try {
        index.PathTo(gone);
        FAIL();
    } catch (const EVxloError& e) {
        EXPECT_EQ(std::string(e.what()), "record " + std::to_string(gone) + " is not reached from the root");
    }
    EXPECT_THROW(index.PathTo(99), EVxloError);
    EXPECT_THROW(index.PathTo(-1), EVxloError);
}

TEST(TreeIndexFileTest, LoopsAndLinksPastTheEndEndTheWalk) {
    TMemoryRecordStore store;
    // Root chain 1 -> 2 -> 1 (a loop); 2's Next is past the end; 1's Next is
    // record 2 again (a record with two parents).
    for (const TJskRecord& r : {TJskRecord{}, Move(4, 4, 2, 2), Move(16, 16, 40, 1)}) {
        store.Write(store.RecordCount(), EncodeRecord(r));
    }
    const TTreeIndex index = TTreeIndex::Build(store);
    EXPECT_EQ(index.Depth(1), 1);
    EXPECT_EQ(index.Depth(2), 1);
    EXPECT_EQ(index.Parent(2), 0);
    EXPECT_EQ(index.MovesTo(2), (TLine{{16, 16}}));
    EXPECT_EQ(TTreeIndex::Build(*std::make_unique<TMemoryRecordStore>()).RecordCount(), 0);
}

TEST_F(TreeIndexTest, TransposedLinesAreFoundFromBothSides) {
    const TLine a = {{4, 4}, {16, 16}, {16, 4}, {4, 16}};
    const TLine b = {{16, 4}, {16, 16}, {4, 4}, {4, 16}};
    EnterLine(nav, a);
    EnterLine(nav, b);
    EnterLine(nav, {{16, 4}, {4, 16}, {4, 4}});  // shares b's first move only
    const TTreeIndex index = Index();
    for (const int length : {3, 4}) {
        const TLine ta(a.begin(), a.begin() + length);
        const TLine tb(b.begin(), b.begin() + length);
        for (const TLine& asked : {ta, tb}) {
            std::vector<TPositionMatch> found = index.FindPosition(PositionAfter(asked));
            std::vector<TLine> lines;
            for (const TPositionMatch& m : found) {
                if (m.Exact()) lines.push_back(index.MovesTo(m.record));
            }
            std::sort(lines.begin(), lines.end(), [](const TLine& x, const TLine& y) {
                return FormatMove(x[0]) < FormatMove(y[0]);
            });
            EXPECT_EQ(lines, (std::vector<TLine>{tb, ta})) << "after " << length << " moves";
        }
    }
    // After two moves the orders differ in stones: no transposition there.
    const auto two = index.FindPosition(PositionAfter({a[0], a[1]}));
    for (const TPositionMatch& m : two) ExpectImage({a[0], a[1]}, index, m);
}

TEST_F(TreeIndexTest, ALineInEightOrientationsIsFoundFromAnyOne) {
    // Not symmetric in itself: each orientation is a position of its own.
    const TLine line = {{4, 3}, {3, 5}, {6, 3}, {3, 3}, {3, 2}, {2, 2}, {4, 2}};
    std::vector<int> records;
    for (int s = 0; s < kSymmetries; ++s) records.push_back(EnterLine(nav, Transformed(s, line)));
    const TTreeIndex index = Index();
    for (int s = 0; s < kSymmetries; ++s) {
        const TLine asked = Transformed(s, line);
        const std::vector<TPositionMatch> found = index.FindPosition(PositionAfter(asked));
        ASSERT_EQ(found.size(), 8u);
        EXPECT_EQ(found[0], (TPositionMatch{records[static_cast<std::size_t>(s)], 0, false}));
        std::vector<int> got;
        for (const TPositionMatch& m : found) {
            got.push_back(m.record);
            EXPECT_FALSE(m.coloursExchanged);
            ExpectImage(asked, index, m);
        }
        std::sort(got.begin(), got.end());
        std::vector<int> all = records;
        std::sort(all.begin(), all.end());
        EXPECT_EQ(got, all);
    }
}

TEST_F(TreeIndexTest, StonesAloneMatchWithColoursExchanged) {
    // The same corner shape, Black's stones in one line White's in the other
    // (a first move elsewhere hands the corner to White).
    const int black = EnterLine(nav, {{4, 3}, {3, 5}, {6, 3}});
    const int white = EnterLine(nav, {{16, 16}, {4, 3}, {3, 5}, {6, 3}});
    const TTreeIndex index = Index();
    TPositionHash corner;
    corner.Toggle(White, 4, 3);
    corner.Toggle(Black, 3, 5);
    corner.Toggle(White, 6, 3);
    const auto found = index.FindStones(corner);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].record, black);
    EXPECT_TRUE(found[0].coloursExchanged);
    EXPECT_EQ(found[0].symmetry, 0);
    EXPECT_TRUE(index.FindPosition(PositionAfter({{4, 3}, {3, 5}, {6, 3}})).size() == 1);
    EXPECT_GT(white, black);
}

TEST_F(TreeIndexTest, PositionAfterNamesTheMoveItCannotPlayAndPlaysTenuki) {
    try {
        PositionAfter({{4, 4}, {4, 4}});
        FAIL();
    } catch (const EVxloError& e) {
        EXPECT_EQ(std::string(e.what()), "move 2 (4,4): illegal here");
    }
    // A tenuki passes the turn: Black's two stones in either order, White to move.
    EXPECT_EQ(PositionAfter({{4, 4}, {0, 0}, {16, 4}}).Exact(),
              PositionAfter({{16, 4}, {0, 0}, {4, 4}}).Exact());
    EXPECT_NE(PositionAfter({{4, 4}, {0, 0}}).Exact(), PositionAfter({{4, 4}}).Exact());
}

TEST_F(TreeIndexTest, TheCacheBuildsAgainOnlyAfterAWrite) {
    TTreeIndexCache cache;
    EnterLine(nav, {{4, 4}});
    const TTreeIndex* first = &cache.For(nav.Dictionary());
    EXPECT_EQ(first->RecordCount(), 2);
    EXPECT_TRUE(cache.Current(nav.Dictionary()));
    nav.ResetToRoot();  // reads only
    EXPECT_TRUE(cache.Current(nav.Dictionary()));
    EnterLine(nav, {{4, 4}, {16, 16}});
    EXPECT_FALSE(cache.Current(nav.Dictionary()));
    EXPECT_EQ(cache.For(nav.Dictionary()).RecordCount(), 3);
    nav.OpenStore(std::make_unique<TMemoryRecordStore>());
    EXPECT_FALSE(cache.Current(nav.Dictionary()));
}

// A small tree at the start of a 2 GB file whose rest is a hole, as a
// damaged copy or a hostile file may be: the index holds the tree alone and
// fits in far less memory than the file's size.
TEST(TreeIndexFileTest, AHugeSparseFileCostsWhatItsTreeCosts) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#else
    TTempDir dir;
    const std::string path = dir / "sparse.jsk";
    {
        std::ofstream out(path, std::ios::binary);
        // Root chain 1 (16,4) -> 3 (4,4); below 1: 2 (17,3).
        for (const TJskRecord& r : {TJskRecord{}, Move(16, 4, 2, 3), Move(17, 3), Move(4, 4)}) {
            const TRecordBytes b = EncodeRecord(r);
            out.write(reinterpret_cast<const char*>(b.data()), kRecordSize);
        }
    }
    std::filesystem::resize_file(path, std::uintmax_t{2} << 30);
    for (const auto content : {TTreeIndex::EContent::Links, TTreeIndex::EContent::LinksAndPositions}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The old index needed more than 3 GB for this file.
            const rlimit limit{rlim_t{768} << 20, rlim_t{768} << 20};
            int status = 3;
            try {
                if (::setrlimit(RLIMIT_AS, &limit) == 0) {
                    TRecordFile file(path, TRecordFile::Mode::ReadOnly);
                    const TTreeIndex index = TTreeIndex::Build(file, {}, content);
                    const bool right = index.RecordCount() == (std::int64_t{2} << 30) / kRecordSize &&
                                       index.ReachedCount() == 4 && index.MovesTo(2) == TLine{{16, 4}, {17, 3}} &&
                                       index.Depth(3) == 1 && !index.Reachable(4) && !index.Reachable(100000000);
                    status = right ? 0 : 1;
                }
            } catch (...) {
                status = 2;
            }
            ::_exit(status);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong answers, 2: failed, 3: no limit";
    }
#endif
}

// A store whose reads fail for want of memory: the build names the store.
class TOutOfMemoryStore final : public IRecordStore {
public:
    std::int64_t RecordCount() override { return 3; }
    TRecordBytes Read(std::int64_t n) override {
        if (n == 0) return EncodeRecord({});
        throw std::bad_alloc();
    }
    void ReadRange(std::int64_t, std::vector<TRecordBytes>&) override { throw std::bad_alloc(); }
    void Write(std::int64_t, const TRecordBytes&) override {}
    const std::string& Name() const override { return name_; }

private:
    std::string name_ = "/data/huge.jsk";
};

TEST(TreeIndexFileTest, ATreeTooLargeForTheMemoryIsAnErrorNamingTheFile) {
    TOutOfMemoryStore store;
    try {
        TTreeIndex::Build(store);
        FAIL();
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), "/data/huge.jsk");
        EXPECT_EQ(std::string(e.what()), "この定石ファイルの木は大きすぎて、メモリに収まりません");
    }
}

}  // namespace
}  // namespace vxlo::testing
