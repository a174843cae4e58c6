#include "board/BoardGeometry.h"

#include <algorithm>

namespace vxlo {

namespace {

constexpr int kLargestSeedPitch = 25;

int Pitch(int fit, bool scalable) {
    if (scalable && fit > kLargestSeedPitch) return fit;
    return fit >= 25 ? 25 : fit >= 21 ? 21 : 17;
}

// Seed sizes keep the seed's table; larger pitches scale the 25-pixel values.
int Scaled(int cell, int atPitch25, int seedValue) {
    if (cell <= kLargestSeedPitch) return seedValue;
    return (atPitch25 * cell + kLargestSeedPitch / 2) / kLargestSeedPitch;
}

int SeedTextOffset(int cell) {
    if (cell == 25) return 4;
    if (cell == 21) return 2;
    return 0;
}

}  // namespace

TBoardGeometry ComputeBoardGeometry(int clientWidth, int clientHeight, int boardSize,
                                    const TBoardOptions& options, int toolPanel, int statusBar) {
    TBoardGeometry g;
    const int n = std::max(1, boardSize);
    const int avail = clientHeight - toolPanel - statusBar;
    const int m = std::min(clientWidth, avail);
    // The band takes one pitch on either side.
    const int cells = options.coordinates ? n + 2 : n;
    g.size = n;
    g.cellSize = Pitch(m / cells, options.scalable);
    g.halfCell = g.cellSize / 2;
    g.boardPixels = g.cellSize * n;
    g.band = options.coordinates ? g.cellSize : 0;
    const int outer = g.boardPixels + 2 * g.band;
    g.boardLeft = (clientWidth > outer ? (clientWidth - outer) / 2 : 1) + g.band;
    g.boardTop = (avail > outer ? toolPanel + (avail - outer) / 2 : toolPanel + 1) + g.band;
    const int cell = g.cellSize;
    g.textPixels = Scaled(cell, kSeedTextPixels, kSeedTextPixels);
    g.textOffset = Scaled(cell, 4, SeedTextOffset(cell));
    g.digitIndent = Scaled(cell, 4, 4);
    g.starHalf = std::max(1, cell / 20);
    g.coordinateTextPixels = options.coordinates ? std::max(9, cell * 11 / 17) : 0;
    return g;
}

TPoint TBoardGeometry::HitTest(int clientX, int clientY) const {
    if (cellSize <= 0) return {};
    // Left of or above the board: plain division would round toward cell 1.
    if (clientX < boardLeft || clientY < boardTop) return {};
    const int column = (clientX - boardLeft) / cellSize + 1;
    const int row = (clientY - boardTop) / cellSize + 1;
    if (column > size || row > size) return {};
    return {column, row};
}

std::string ColumnName(int column, int size) {
    if (column < 1 || column > size || column > 25) return {};
    // I is left out: in print it is too easily taken for J or 1.
    const char letter = static_cast<char>('A' + column - 1 + (column >= 9 ? 1 : 0));
    return std::string(1, letter);
}

std::string RowName(int row, int size) {
    if (row < 1 || row > size) return {};
    return std::to_string(size + 1 - row);
}

std::string CellName(const TPoint& cell, int size) {
    const std::string column = ColumnName(cell.x, size);
    const std::string row = RowName(cell.y, size);
    if (column.empty() || row.empty()) return {};
    return column + row;
}

}  // namespace vxlo
