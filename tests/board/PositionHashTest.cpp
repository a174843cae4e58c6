// Position hashes under the board's symmetries, checked against positions
// built directly in their transformed form.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "board/PositionHash.h"

namespace vxlo {
namespace {

struct TStone {
    int colour;
    TPoint p;
};

TPositionHash HashOf(const std::vector<TStone>& stones, bool whiteToMove) {
    TPositionHash hash;
    for (const TStone& s : stones) hash.Toggle(s.colour, s.p.x, s.p.y);
    hash.SetWhiteToMove(whiteToMove);
    return hash;
}

std::vector<TStone> RandomStones(std::mt19937& rng, int fewest = 0) {
    std::set<std::pair<int, int>> used;
    std::vector<TStone> stones;
    const int count = fewest + static_cast<int>(rng() % 30);
    while (static_cast<int>(stones.size()) < count) {
        const TPoint p{1 + static_cast<int>(rng() % 19), 1 + static_cast<int>(rng() % 19)};
        if (!used.insert({p.x, p.y}).second) continue;
        stones.push_back({rng() % 2 ? Black : White, p});
    }
    return stones;
}

TEST(PositionHashTest, TheEightSymmetriesAreDistinctAndUndoneByTheirInverse) {
    std::set<std::pair<int, int>> images;
    for (int s = 0; s < kSymmetries; ++s) {
        const TPoint q = Transform(s, {4, 3});
        images.insert({q.x, q.y});
        for (int x = 1; x <= 19; ++x) {
            for (int y = 1; y <= 19; ++y) {
                EXPECT_EQ(Transform(InverseSymmetry(s), Transform(s, {x, y})), (TPoint{x, y})) << s;
            }
        }
    }
    EXPECT_EQ(images.size(), 8u);
    EXPECT_EQ(Transform(1, {4, 3}), (TPoint{3, 4}));
    EXPECT_EQ(Transform(2, {4, 3}), (TPoint{16, 3}));
    EXPECT_EQ(Transform(4, {4, 3}), (TPoint{4, 17}));
    EXPECT_EQ(Transform(3, {4, 3}), (TPoint{17, 4}));  // exchange first, then mirror
}

TEST(PositionHashTest, EveryVariantIsTheHashOfTheImageBuiltDirectly) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        const std::vector<TStone> stones = RandomStones(rng);
        const bool white = rng() % 2;
        const TPositionHash hash = HashOf(stones, white);
        for (int s = 0; s < kSymmetries; ++s) {
            for (const bool exchanged : {false, true}) {
                std::vector<TStone> image;
                for (const TStone& st : stones) {
                    image.push_back({exchanged ? (st.colour == Black ? White : Black) : st.colour, Transform(s, st.p)});
                }
                const TPositionHash direct = HashOf(image, white != exchanged);
                ASSERT_EQ(hash.Variant(s, exchanged), direct.Exact()) << round << " " << s << " " << exchanged;
                ASSERT_EQ(hash.StonesVariant(s, exchanged), direct.StonesVariant(0, false));
                ASSERT_EQ(hash.Canonical(), direct.Canonical());
                ASSERT_EQ(hash.StonesCanonical(), direct.StonesCanonical());
            }
        }
    }
}

TEST(PositionHashTest, SideToMoveAndEachStoneCount) {
    TPositionHash black;
    black.Toggle(Black, 4, 4);
    TPositionHash white = black;
    white.SetWhiteToMove(true);
    EXPECT_NE(black.Exact(), white.Exact());
    EXPECT_EQ(black.StonesVariant(0, false), white.StonesVariant(0, false));
    // Black at 4,4 with Black to move is White at 4,4 with White to move, exchanged.
    TPositionHash other;
    other.Toggle(White, 16, 4);
    other.SetWhiteToMove(true);
    EXPECT_EQ(black.Canonical(), other.Canonical());
    // Taking a stone off gives the position before.
    TPositionHash back = black;
    back.Toggle(Black, 16, 16);
    back.Toggle(Black, 16, 16);
    EXPECT_EQ(back.Exact(), black.Exact());
    // Distinct random positions (of ten stones or more, so that no two are
    // one another's image), distinct canonical hashes.
    std::mt19937 rng(3);
    std::set<std::uint64_t> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(HashOf(RandomStones(rng, 10), false).Canonical());
    EXPECT_EQ(seen.size(), 2000u);
}

}  // namespace
}  // namespace vxlo
