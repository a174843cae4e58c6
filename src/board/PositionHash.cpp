#include "board/PositionHash.h"

#include <algorithm>

namespace vxlo {

namespace {

constexpr std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// One fixed random number per colour and point, and one for white to move.
// Fixed at compile time, so a hash means the same in every run.
struct TKeys {
    std::array<std::uint64_t, 2 * 20 * 20> stone{};
    std::uint64_t whiteToMove = 0;
};

constexpr TKeys MakeKeys() {
    TKeys keys;
    std::uint64_t state = 0x766C786F2D686173ull;
    for (auto& k : keys.stone) k = SplitMix(state);
    keys.whiteToMove = SplitMix(state);
    return keys;
}

constexpr TKeys kKeys = MakeKeys();

std::uint64_t StoneKey(int colour, TPoint p) {
    const int c = colour == White ? 1 : 0;
    return kKeys.stone[static_cast<std::size_t>((c * 20 + p.x) * 20 + p.y)];
}

}  // namespace

TPoint Transform(int symmetry, TPoint p) {
    TPoint q = (symmetry & 1) ? TPoint{p.y, p.x} : p;
    if (symmetry & 2) q.x = kBoardSize + 1 - q.x;
    if (symmetry & 4) q.y = kBoardSize + 1 - q.y;
    return q;
}

int InverseSymmetry(int symmetry) {
    // Mirrors after an exchange of axes are undone by the exchange first,
    // which turns a left-right mirror into an up-down one.
    if ((symmetry & 1) == 0) return symmetry;
    return 1 | ((symmetry & 2) << 1) | ((symmetry & 4) >> 1);
}

TPositionHash TPositionHash::Of(const TGoban& board) {
    TPositionHash hash;
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            const int stone = board.GetStone(x, y);
            if (stone == Black || stone == White) hash.Toggle(stone, x, y);
        }
    }
    hash.whiteToMove_ = board.GetTurn() == White;
    return hash;
}

void TPositionHash::Toggle(int colour, int x, int y) {
    const int other = colour == White ? Black : White;
    for (int s = 0; s < kSymmetries; ++s) {
        const TPoint q = Transform(s, {x, y});
        stones_[static_cast<std::size_t>(Slot(s, false))] ^= StoneKey(colour, q);
        stones_[static_cast<std::size_t>(Slot(s, true))] ^= StoneKey(other, q);
    }
}

std::uint64_t TPositionHash::StonesVariant(int symmetry, bool coloursExchanged) const {
    return stones_[static_cast<std::size_t>(Slot(symmetry, coloursExchanged))];
}

std::uint64_t TPositionHash::Variant(int symmetry, bool coloursExchanged) const {
    const bool white = whiteToMove_ != coloursExchanged;
    return StonesVariant(symmetry, coloursExchanged) ^ (white ? kKeys.whiteToMove : 0);
}

std::uint64_t TPositionHash::Canonical() const {
    std::uint64_t least = Variant(0, false);
    for (int s = 0; s < kSymmetries; ++s) {
        least = std::min({least, Variant(s, false), Variant(s, true)});
    }
    return least;
}

std::uint64_t TPositionHash::StonesCanonical() const {
    return *std::min_element(stones_.begin(), stones_.end());
}

}  // namespace vxlo
