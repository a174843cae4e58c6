#pragma once
// TGoban: the one Go position the main window shows, with its candidate marks,
// stone numbers and display orientation. It decides legality (occupied point,
// suicide, immediate ko recapture) and plays and takes back moves.
#include <cstdint>

#include "core/CheckedArray.h"

namespace vxlo {

enum PointValue : int { Empty = 0, Black = 1, White = 2, Border = 3, Candidate = 4 };
// Whether a move may be played, and if not why (the refusal shown).
enum class EMoveResult : int { Ok = 0, Occupied = -1, Suicide = -2, Ko = -3 };

constexpr int kBoardSize = 19;

// What the ko test needs to know of the moves played so far (the move path).
class IMoveHistory {
public:
    virtual ~IMoveHistory() = default;
    virtual int Count() const = 0;
    virtual void GetMove(int n, int& x, int& y) const = 0;
    virtual int GetCaptureCount(int n) const = 0;
    virtual void GetCapture(int n, int k, int& x, int& y) const = 0;
};

// Drawing of one stone, plain or with its sequence number (the renderer).
class IStonePainter {
public:
    virtual ~IStonePainter() = default;
    virtual void DrawStone(int value, int x, int y) = 0;
    virtual void DrawStoneNumber(int value, int number, int x, int y) = 0;
};

// The board as the dictionary access sees it: state of a point and its mark.
class IBoardMarks {
public:
    virtual ~IBoardMarks() = default;
    virtual int PointState(int x, int y) const = 0;
    virtual void SetMark(int x, int y, int flag) = 0;
};

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Tenuki, "plays elsewhere": the corner (0, 0) of the board's frame, never a
// board point, stands for it in the dictionary, the move path and the board.
inline constexpr TPoint kTenuki{0, 0};
constexpr bool IsTenuki(int x, int y) { return x == kTenuki.x && y == kTenuki.y; }
// A point a move can be: on the board, or the tenuki point.
constexpr bool IsMovePoint(int x, int y) {
    return IsTenuki(x, y) || (x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize);
}

class TGoban final : public IBoardMarks {
public:
    TGoban(const IMoveHistory& history, IStonePainter& painter);

    void Reset();
    int GetSize() const { return size_; }
    int GetTurn() const { return turn_; }

    // 4 for a marked point (the mark wins over a stone), else the stone value.
    // Tenuki is Empty until it is marked as a candidate: it is always playable.
    int PointState(int x, int y) const override;
    void SetMark(int x, int y, int flag) override;
    int GetStone(int x, int y) const { return stones_.At(x, y); }
    void SetStone(int value, int x, int y);
    int GetNumber(int x, int y) const { return numbers_.At(x, y); }
    void SetNumber(int x, int y, int n);

    // Legality for colour c at (x, y); fills the captured list and leaves the
    // stones as they were. Tenuki is always legal and captures nothing.
    EMoveResult TestMove(int c, int x, int y);
    // TestMove for the side to move, then the stone, the captures and the turn
    // (tenuki only passes the turn).
    EMoveResult PlayMove(int x, int y);
    // Removes the stone at (x, y) and its number, flips the turn; the caller
    // has already restored the stones the move captured.
    void TakeBack(int x, int y);

    int CapturedCount() const { return capturedCount_; }
    TPoint Captured(int k) const;  // k = 1..CapturedCount()

    void ClearNumbers();
    void DrawNumber(int x, int y);

    // Orientation: board point <-> display cell.
    TPoint BoardToDisplay(int x, int y) const;
    TPoint DisplayToBoard(int column, int row) const;
    void ToggleSwapXY();
    void RotateRight();
    void RotateLeft();
    void ToggleMirrorUpDown();
    void ToggleMirrorLeftRight();
    int SwapXY() const { return swapXY_; }
    int MirrorLeftRight() const { return mirrorLeftRight_; }
    int MirrorUpDown() const { return mirrorUpDown_; }

    // Throws std::logic_error when the frame, the values or the numbers are
    // out of line; tests call it after every mutation.
    void CheckInvariants() const;

private:
    int FloodGroup(int x, int y);
    bool GroupHasNoLiberty() const;

    using Grid = TCheckedGrid<std::uint8_t, 0, 20>;
    using PointList361 = TCheckedArray<TPoint, 1, 361>;

    const IMoveHistory& history_;
    IStonePainter& painter_;

    int size_ = kBoardSize;
    int turn_ = Black;
    Grid stones_;
    Grid marks_;
    Grid numbers_;
    // False while no stone carries a number: ClearNumbers, called on every
    // step, then has nothing to scan.
    bool mayHaveNumbers_ = false;
    int swapXY_ = 0;
    int mirrorLeftRight_ = 0;
    int mirrorUpDown_ = 0;

    TCheckedArray<TPoint, 1, 360> captured_;
    int capturedCount_ = 0;
    PointList361 group_;
    int groupCount_ = 0;
    PointList361 generation_;  // sized to the board: one layer can never overflow
    Grid visited_;
    Grid alreadyCaptured_;
};

}  // namespace vxlo
