#pragma once
// Where the board lies in the main window's client area, for a given client
// size and the two board options. All values are logical pixels in client
// coordinates (the tool panel lies above the board area). With both options
// off this is the seed's geometry: a pitch of 17, 21 or 25 pixels.
#include <string>

#include "board/Goban.h"

namespace vxlo {

struct TBoardOptions {
    // Column letters and row numbers in a band of one pitch around the board.
    bool coordinates = false;
    // The pitch follows the window beyond 25 pixels instead of stopping there.
    bool scalable = false;
    friend bool operator==(const TBoardOptions&, const TBoardOptions&) = default;
};

struct TBoardGeometry {
    int cellSize = 0;  // 0: nothing to draw yet
    int halfCell = 0;
    int boardPixels = 0;
    int boardLeft = 0;  // the board square, inside the coordinate band
    int boardTop = 0;
    int band = 0;       // width of the coordinate band on each side, 0 without
    int size = 0;       // lines on the board
    // Labels and numbers: face height, offset of the text cell into its board
    // cell, extra indent of a one-digit number; all scale with the pitch.
    int textPixels = 19;
    int textOffset = 0;
    int digitIndent = 4;
    int coordinateTextPixels = 0;
    int starHalf = 1;  // a star point is a square of 2 * starHalf + 1

    int CellLeft(int column) const { return boardLeft + (column - 1) * cellSize; }
    int CellTop(int row) const { return boardTop + (row - 1) * cellSize; }
    // Client pixel -> display cell (column, row 1..size), {0, 0} outside the
    // cells (the coordinate band included) or before the first layout.
    TPoint HitTest(int clientX, int clientY) const;
};

inline constexpr int kSeedTextPixels = 19;

// toolPanel and statusBar: the heights above and below the board area.
TBoardGeometry ComputeBoardGeometry(int clientWidth, int clientHeight, int boardSize,
                                    const TBoardOptions& options, int toolPanel, int statusBar);

// Coordinates as Go players read them: columns A, B, ... skipping I, rows
// numbered from the bottom. Takes a display cell; empty outside 1..size
// (columns up to 25).
std::string ColumnName(int column, int size);
std::string RowName(int row, int size);
std::string CellName(const TPoint& cell, int size);  // "Q16"

}  // namespace vxlo
