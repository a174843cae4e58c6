#pragma once
// TPositionHash: a Zobrist hash of a position (its stones and the side to
// move), kept at once for all eight symmetries of the board and with the
// colours exchanged, so that the same shape in another orientation or with
// the other colour is recognised by comparing numbers.
#include <array>
#include <cstdint>

#include "board/Goban.h"

namespace vxlo {

constexpr int kSymmetries = 8;

// Symmetry s (0..7) of the board, as the display orientation composes it:
// bit 1 exchanges x and y, then bit 2 mirrors left-right (x -> 20 - x) and
// bit 4 mirrors up-down (y -> 20 - y). 0 is the identity.
TPoint Transform(int symmetry, TPoint p);
// The symmetry that undoes s.
int InverseSymmetry(int symmetry);

class TPositionHash {
public:
    // The empty board, black to move.
    TPositionHash() = default;
    // Stones and side to move of a board.
    static TPositionHash Of(const TGoban& board);

    // A stone of colour (Black or White) put on or taken off (x, y).
    void Toggle(int colour, int x, int y);
    void SetWhiteToMove(bool white) { whiteToMove_ = white; }
    bool WhiteToMove() const { return whiteToMove_; }

    // The hash of this position after symmetry s and, when exchanged, with
    // every stone's colour and the side to move exchanged.
    std::uint64_t Variant(int symmetry, bool coloursExchanged) const;
    std::uint64_t Exact() const { return Variant(0, false); }
    // The least of the sixteen variants: equal for positions that are one
    // another's image.
    std::uint64_t Canonical() const;
    // The same for the stones alone, side to move left out (a corner of a
    // game, whose turn says nothing of the corner).
    std::uint64_t StonesVariant(int symmetry, bool coloursExchanged) const;
    std::uint64_t StonesCanonical() const;

private:
    static int Slot(int symmetry, bool coloursExchanged) {
        return symmetry * 2 + (coloursExchanged ? 1 : 0);
    }
    std::array<std::uint64_t, 2 * kSymmetries> stones_{};
    bool whiteToMove_ = false;
};

}  // namespace vxlo
