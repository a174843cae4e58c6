#pragma once
// TTejun: the move path from the root to the current position, as a stack.
// Each move keeps the chain it was chosen from (so going back reloads it),
// its own record and the stones it captured (so going back restores them).
#include <cstdint>
#include <vector>

#include "board/Goban.h"
#include "core/CheckedArray.h"

namespace vxlo {

constexpr int kMaxPathMoves = 400;

class TTejun final : public IMoveHistory {
public:
    TTejun() { Clear(); }

    void Clear();
    int Count() const override { return count_; }
    TPoint LastMove() const;  // range error on an empty path
    void GetMove(int n, int& x, int& y) const override;
    TPoint GetMove(int n) const;
    int GetCaptureCount(int n) const override { return captureCount_[n]; }
    void GetCapture(int n, int k, int& x, int& y) const override;
    int LastListHead() const { return count_ > 0 ? listHead_[count_] : 0; }
    int LastRecNo() const { return count_ > 0 ? recNo_[count_] : 0; }
    int RecNoAt(int n) const { return recNo_[n]; }
    int ListHeadAt(int n) const { return listHead_[n]; }

    // Appends a move with a copy of the board's captured list; call it right
    // after the board played the move. −1 on a full path, nothing stored.
    int Push(int x, int y, int listHead, int recNo, const TGoban& board);
    // Removes the last move and puts its captured stones back in the colour
    // to move, drawing them. The caller then takes the stone back. (0, 0) on
    // an empty path.
    TPoint Pop(TGoban& board, IStonePainter& painter);

private:
    int count_ = 0;
    TCheckedArray<int, 1, kMaxPathMoves> x_;
    TCheckedArray<int, 1, kMaxPathMoves> y_;
    TCheckedArray<int, 1, kMaxPathMoves> listHead_;
    TCheckedArray<int, 1, kMaxPathMoves> recNo_;
    TCheckedArray<int, 1, kMaxPathMoves> captureCount_;
    // Columns and rows of the captured stones, zero-terminated; empty when the
    // move captured nothing.
    TCheckedArray<std::vector<std::uint8_t>, 1, kMaxPathMoves> capturedX_;
    TCheckedArray<std::vector<std::uint8_t>, 1, kMaxPathMoves> capturedY_;
};

}  // namespace vxlo
