#include "dictionary/Tejun.h"

namespace vxlo {

void TTejun::Clear() {
    count_ = 0;
    for (int i = 1; i <= kMaxPathMoves; ++i) {
        x_[i] = y_[i] = listHead_[i] = captureCount_[i] = 0;
        recNo_[i] = 0;
        std::vector<std::uint8_t>().swap(capturedX_[i]);
        std::vector<std::uint8_t>().swap(capturedY_[i]);
    }
}

TPoint TTejun::LastMove() const { return GetMove(count_); }

TPoint TTejun::GetMove(int n) const { return {x_[n], y_[n]}; }

void TTejun::GetMove(int n, int& x, int& y) const {
    x = x_[n];
    y = y_[n];
}

void TTejun::GetCapture(int n, int k, int& x, int& y) const {
    if (k < 1 || k > captureCount_[n]) throw ERangeError();
    const auto index = static_cast<std::size_t>(k - 1);
    x = capturedX_[n][index];
    y = capturedY_[n][index];
}

int TTejun::Push(int x, int y, int listHead, int recNo, const TGoban& board) {
    if (count_ == kMaxPathMoves) return -1;
    ++count_;
    x_[count_] = x;
    y_[count_] = y;
    listHead_[count_] = listHead;
    recNo_[count_] = recNo;
    const int n = board.CapturedCount();
    if (n > 0) {
        captureCount_[count_] = n;
        auto& xs = capturedX_[count_];
        auto& ys = capturedY_[count_];
        xs.assign(static_cast<std::size_t>(n) + 1, 0);
        ys.assign(static_cast<std::size_t>(n) + 1, 0);
        for (int k = 1; k <= n; ++k) {
            const TPoint p = board.Captured(k);
            xs[static_cast<std::size_t>(k - 1)] = static_cast<std::uint8_t>(p.x);
            ys[static_cast<std::size_t>(k - 1)] = static_cast<std::uint8_t>(p.y);
        }
    }
    return count_;
}

TPoint TTejun::Pop(TGoban& board, IStonePainter& painter) {
    if (count_ == 0) return {0, 0};
    const TPoint move = GetMove(count_);
    // The side to move now is the side whose stones the move captured.
    const int colour = board.GetTurn();
    for (int k = 1; k <= captureCount_[count_]; ++k) {
        int cx = 0, cy = 0;
        GetCapture(count_, k, cx, cy);
        board.SetStone(colour, cx, cy);
        painter.DrawStone(colour, cx, cy);
    }
    std::vector<std::uint8_t>().swap(capturedX_[count_]);
    std::vector<std::uint8_t>().swap(capturedY_[count_]);
    captureCount_[count_] = 0;
    --count_;
    return move;
}

}  // namespace vxlo
