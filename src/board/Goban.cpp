#include "board/Goban.h"

#include <stdexcept>
#include <string>

namespace vxlo {
namespace {

// Up, right, down, left: the order of every neighbour scan.
constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};

}  // namespace

TGoban::TGoban(const IMoveHistory& history, IStonePainter& painter)
    : history_(history), painter_(painter) {
    Reset();
}

void TGoban::Reset() {
    size_ = kBoardSize;
    turn_ = Black;
    // The frame too: the tenuki point (0,0) carries a candidate's mark and a
    // number like any point, and one left over from the last list would make
    // a tenuki that is not there look like a candidate.
    marks_.Fill(0);
    numbers_.Fill(0);
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y) stones_.At(x, y) = Empty;
    for (int i = 0; i <= 20; ++i) {
        stones_.At(0, i) = Border;
        stones_.At(20, i) = Border;
    }
    for (int i = 0; i <= 20; ++i) {
        stones_.At(i, 0) = Border;
        stones_.At(i, 20) = Border;
    }
    swapXY_ = mirrorLeftRight_ = mirrorUpDown_ = 0;
    capturedCount_ = 0;
    mayHaveNumbers_ = false;
}

int TGoban::PointState(int x, int y) const {
    if (marks_.At(x, y) != 0) return Candidate;
    if (IsTenuki(x, y)) return Empty;
    return stones_.At(x, y);
}

void TGoban::SetMark(int x, int y, int flag) {
    marks_.At(x, y) = static_cast<std::uint8_t>(flag);
}

void TGoban::SetStone(int value, int x, int y) {
    stones_.At(x, y) = static_cast<std::uint8_t>(value);
}

void TGoban::SetNumber(int x, int y, int n) {
    if (n < 0 || n > 255) throw ERangeError();
    if (IsTenuki(x, y)) return;  // no stone to carry it
    numbers_.At(x, y) = static_cast<std::uint8_t>(n);
    if (n != 0) mayHaveNumbers_ = true;
}

TPoint TGoban::Captured(int k) const {
    if (k < 1 || k > capturedCount_) throw ERangeError();
    return captured_[k];
}

// Breadth-first by generations from the seed; a neighbour of another colour
// is marked visited too and never looked at again in this fill.
int TGoban::FloodGroup(int x, int y) {
    visited_.Fill(0);
    group_[1] = {x, y};
    groupCount_ = 1;
    visited_.At(x, y) = 1;
    int previousFirst = 1;
    int previousLast = 1;
    for (;;) {
        int found = 0;
        for (int i = previousFirst; i <= previousLast; ++i) {
            const TPoint p = group_[i];
            const int colour = stones_.At(p.x, p.y);
            for (int d = 0; d < 4; ++d) {
                const int qx = p.x + kDx[d];
                const int qy = p.y + kDy[d];
                if (visited_.At(qx, qy)) continue;
                visited_.At(qx, qy) = 1;
                if (stones_.At(qx, qy) == colour) generation_[++found] = {qx, qy};
            }
        }
        if (found == 0) break;
        previousFirst = groupCount_ + 1;
        for (int i = 1; i <= found; ++i) group_[++groupCount_] = generation_[i];
        previousLast = groupCount_;
    }
    return groupCount_;
}

bool TGoban::GroupHasNoLiberty() const {
    for (int i = 1; i <= groupCount_; ++i) {
        const TPoint p = group_[i];
        for (int d = 0; d < 4; ++d) {
            if (stones_.At(p.x + kDx[d], p.y + kDy[d]) == Empty) return false;
        }
    }
    return true;
}

EMoveResult TGoban::TestMove(int c, int x, int y) {
    if (IsTenuki(x, y)) {
        capturedCount_ = 0;
        return EMoveResult::Ok;
    }
    if (stones_.At(x, y) != Empty) return EMoveResult::Occupied;
    stones_.At(x, y) = static_cast<std::uint8_t>(c);
    const int opponent = c ^ 3;

    int emptyNeighbours = 0;
    for (int d = 0; d < 4; ++d) {
        if (stones_.At(x + kDx[d], y + kDy[d]) == Empty) ++emptyNeighbours;
    }

    alreadyCaptured_.Fill(0);
    capturedCount_ = 0;
    for (int d = 0; d < 4; ++d) {
        const int qx = x + kDx[d];
        const int qy = y + kDy[d];
        if (alreadyCaptured_.At(qx, qy) || stones_.At(qx, qy) != opponent) continue;
        FloodGroup(qx, qy);
        if (!GroupHasNoLiberty()) continue;
        for (int i = 1; i <= groupCount_; ++i) {
            const TPoint p = group_[i];
            alreadyCaptured_.At(p.x, p.y) = 1;
            captured_[++capturedCount_] = p;
        }
    }

    // With an empty neighbour or a capture the new stone has a liberty.
    if (emptyNeighbours == 0 && capturedCount_ == 0) {
        FloodGroup(x, y);
        if (GroupHasNoLiberty()) {
            stones_.At(x, y) = Empty;
            return EMoveResult::Suicide;
        }
    }

    // Ko: the opponent's last move took one stone on (x, y) by playing the
    // single stone this move would now take.
    if (emptyNeighbours == 0 && capturedCount_ == 1) {
        const int n = history_.Count();
        if (n > 1) {
            int mx = 0, my = 0;
            history_.GetMove(n, mx, my);
            const TPoint taken = captured_[1];
            if (taken.x == mx && taken.y == my && history_.GetCaptureCount(n) == 1) {
                int kx = 0, ky = 0;
                history_.GetCapture(n, 1, kx, ky);
                if (kx == x && ky == y) {
                    stones_.At(x, y) = Empty;
                    return EMoveResult::Ko;
                }
            }
        }
    }

    stones_.At(x, y) = Empty;
    return EMoveResult::Ok;
}

EMoveResult TGoban::PlayMove(int x, int y) {
    const EMoveResult r = TestMove(turn_, x, y);
    if (r != EMoveResult::Ok) return r;
    if (IsTenuki(x, y)) {
        turn_ ^= 3;
        return EMoveResult::Ok;
    }
    stones_.At(x, y) = static_cast<std::uint8_t>(turn_);
    for (int k = 1; k <= capturedCount_; ++k) {
        const TPoint p = captured_[k];
        stones_.At(p.x, p.y) = Empty;
        numbers_.At(p.x, p.y) = 0;
    }
    turn_ ^= 3;
    return EMoveResult::Ok;
}

void TGoban::TakeBack(int x, int y) {
    if (!IsTenuki(x, y)) {
        stones_.At(x, y) = Empty;
        numbers_.At(x, y) = 0;
    }
    turn_ ^= 3;
}

void TGoban::ClearNumbers() {
    if (!mayHaveNumbers_) return;
    mayHaveNumbers_ = false;
    for (int y = 1; y <= size_; ++y) {
        for (int x = 1; x <= size_; ++x) {
            if (numbers_.At(x, y) > 0) {
                numbers_.At(x, y) = 0;
                painter_.DrawStone(stones_.At(x, y), x, y);
            }
        }
    }
}

void TGoban::DrawNumber(int x, int y) {
    if (!IsTenuki(x, y) && stones_.At(x, y) != Empty && numbers_.At(x, y) != 0) {
        painter_.DrawStoneNumber(stones_.At(x, y), numbers_.At(x, y), x, y);
    }
}

TPoint TGoban::BoardToDisplay(int x, int y) const {
    TPoint cell = swapXY_ ? TPoint{y, x} : TPoint{x, y};
    if (mirrorLeftRight_) cell.x = size_ + 1 - cell.x;
    if (mirrorUpDown_) cell.y = size_ + 1 - cell.y;
    return cell;
}

TPoint TGoban::DisplayToBoard(int column, int row) const {
    const int c = mirrorLeftRight_ ? size_ + 1 - column : column;
    const int r = mirrorUpDown_ ? size_ + 1 - row : row;
    return swapXY_ ? TPoint{r, c} : TPoint{c, r};
}

void TGoban::ToggleSwapXY() { swapXY_ = 1 - swapXY_; }
void TGoban::ToggleMirrorUpDown() { mirrorUpDown_ = 1 - mirrorUpDown_; }
void TGoban::ToggleMirrorLeftRight() { mirrorLeftRight_ = 1 - mirrorLeftRight_; }

void TGoban::RotateRight() {
    swapXY_ = 1 - swapXY_;
    if (mirrorLeftRight_ == mirrorUpDown_) {
        ToggleMirrorLeftRight();
    } else {
        ToggleMirrorUpDown();
    }
}

void TGoban::RotateLeft() {
    swapXY_ = 1 - swapXY_;
    if (mirrorLeftRight_ == mirrorUpDown_) {
        ToggleMirrorUpDown();
    } else {
        ToggleMirrorLeftRight();
    }
}

void TGoban::CheckInvariants() const {
    auto fail = [](const std::string& what, int x, int y) {
        throw std::logic_error("board invariant: " + what + " at " + std::to_string(x) + "," +
                               std::to_string(y));
    };
    if (turn_ != Black && turn_ != White) fail("turn", 0, 0);
    for (int x = 0; x <= 20; ++x) {
        for (int y = 0; y <= 20; ++y) {
            const bool frame = x == 0 || x == 20 || y == 0 || y == 20;
            const int v = stones_.At(x, y);
            if (frame && v != Border) fail("frame", x, y);
            if (!frame && v > White) fail("value", x, y);
            if (!frame && numbers_.At(x, y) != 0 && v == Empty) fail("number on empty point", x, y);
            if (frame && numbers_.At(x, y) != 0) fail("number on the frame", x, y);
        }
    }
}

}  // namespace vxlo
