#include "companion/GamePasses.h"

#include <algorithm>

namespace vxlo {

namespace {

constexpr int kCornerBits = 0x3;
constexpr int kExchangedBit = 0x4;
constexpr int kSymmetryShift = 3;
constexpr int kSymmetryBits = 0x7;
constexpr int kMaxMoveNumber = 1 << 20;

void PutVarint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7f) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

bool GetVarint(std::string_view bytes, std::size_t& at, std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 63; shift += 7) {
        if (at >= bytes.size()) return false;
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

}  // namespace

int PassFlags(const TGamePass& pass) {
    return (pass.corner & kCornerBits) | (pass.coloursExchanged ? kExchangedBit : 0) |
           ((pass.symmetry & kSymmetryBits) << kSymmetryShift);
}

void SetPassFlags(int flags, TGamePass& pass) {
    pass.corner = flags & kCornerBits;
    pass.coloursExchanged = (flags & kExchangedBit) != 0;
    pass.symmetry = (flags >> kSymmetryShift) & kSymmetryBits;
}

std::string EncodeTailMoves(const std::vector<int>& moveNumbers) {
    std::string bytes;
    int previous = 0;
    for (const int m : moveNumbers) {
        PutVarint(bytes, static_cast<std::uint64_t>(std::max(m - previous, 0)));
        previous = std::max(m, previous);
    }
    return bytes;
}

bool DecodeTailMoves(std::string_view bytes, std::vector<int>& moveNumbers) {
    std::size_t at = 0;
    std::uint64_t value = 0;
    std::uint64_t previous = 0;
    while (at < bytes.size()) {
        if (!GetVarint(bytes, at, value) || value > kMaxMoveNumber) return false;
        previous += value;
        if (previous > kMaxMoveNumber) return false;
        moveNumbers.push_back(static_cast<int>(previous));
    }
    return true;
}

void TGamePassWriter::Append(const TGamePass& pass) {
    PutVarint(bytes_, static_cast<std::uint64_t>(pass.game - previous_));
    previous_ = pass.game;
    bytes_ += static_cast<char>(PassFlags(pass));
    PutVarint(bytes_, static_cast<std::uint64_t>(pass.moveNumber));
}

namespace {

// Calls visit for each pass of the blob; false at the first pass that does
// not read whole.
template <class Visit>
bool ForEachPass(std::int64_t firstGame, std::string_view bytes, Visit visit) {
    std::size_t at = 0;
    std::int64_t game = firstGame;
    while (at < bytes.size()) {
        std::uint64_t delta = 0;
        std::uint64_t moveNumber = 0;
        if (!GetVarint(bytes, at, delta) || delta > (1ull << 40) || at >= bytes.size()) return false;
        const auto flags = static_cast<unsigned char>(bytes[at++]);
        if (!GetVarint(bytes, at, moveNumber) || moveNumber > kMaxMoveNumber || (flags >> 6) != 0) return false;
        game += static_cast<std::int64_t>(delta);
        visit(game, flags, static_cast<int>(moveNumber));
    }
    return true;
}

}  // namespace

bool DecodeGamePasses(std::int64_t firstGame, std::string_view bytes, std::vector<TGamePass>& out) {
    // A pass takes three bytes at least; growing by doubling still, so that
    // many short blobs after one another stay linear.
    const std::size_t most = out.size() + bytes.size() / 3;
    if (most > out.capacity()) out.reserve(std::max(most, 2 * out.capacity()));
    return ForEachPass(firstGame, bytes, [&](std::int64_t game, int flags, int moveNumber) {
        TGamePass pass;
        pass.game = game;
        SetPassFlags(flags, pass);
        pass.moveNumber = moveNumber;
        out.push_back(pass);
    });
}

bool CountGamePasses(std::string_view bytes, long long& count) {
    return ForEachPass(0, bytes, [&](std::int64_t, int, int) { ++count; });
}

}  // namespace vxlo
