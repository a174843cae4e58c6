#pragma once
// The passes of kept games through one position, packed: the store keeps
// one blob per record and batch of games, and a position reached by a
// hundred thousand games reads as a few rows. Each pass is the game's id as
// the difference from the one before (the batch's first game to begin
// with), one byte of corner, colours and symmetry, and the move number, the
// numbers as unsigned LEB128.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vxlo {

// A corner sequence of a kept game passing through a position.
struct TGamePass {
    std::int64_t game = 0;
    int corner = 0;          // 0 (1,1)  1 (19,1)  2 (1,19)  3 (19,19)
    int moveNumber = 0;      // the last move of the game the line had entered there; 0 at the empty board
    int symmetry = 0;        // takes the game's corner onto the dictionary's orientation
    bool coloursExchanged = false;  // White played the corner's first move
    friend bool operator==(const TGamePass&, const TGamePass&) = default;
};

// Appends passes of games at or after firstGame, in the order of their games.
class TGamePassWriter {
public:
    explicit TGamePassWriter(std::int64_t firstGame) : previous_(firstGame) {}
    void Append(const TGamePass& pass);
    const std::string& Bytes() const { return bytes_; }

private:
    std::int64_t previous_;
    std::string bytes_;
};

// A game's sequence that made the records first..first + n - 1, one after
// another, passes each of them: one row of the store keeps it (most of a
// large collection's records are reached by the one game that made them).
// The move numbers, in order, as differences from the one before.
std::string EncodeTailMoves(const std::vector<int>& moveNumbers);
bool DecodeTailMoves(std::string_view bytes, std::vector<int>& moveNumbers);
// Corner, colours and symmetry of a pass in one small number.
int PassFlags(const TGamePass& pass);
void SetPassFlags(int flags, TGamePass& pass);

// The passes of one blob, appended to out; false (out unchanged past what
// was read whole) when the bytes end inside a pass or hold a value out of
// range: another program's damage never reads as games.
bool DecodeGamePasses(std::int64_t firstGame, std::string_view bytes, std::vector<TGamePass>& out);
// Adds the blob's passes to count, under the same rule.
bool CountGamePasses(std::string_view bytes, long long& count);

}  // namespace vxlo
