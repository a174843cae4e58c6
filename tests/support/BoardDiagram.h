#pragma once
// Positions written as pictures. A diagram is one line per row, top row
// first; blanks are ignored. 'X' is a black stone, 'O' a white one, '.' an
// empty point; any other letter names an empty point that PointOf finds.
// The diagram's top-left character lands on (originX, originY); points it
// does not cover are left alone.
//
//   SetUpPosition(board, R"(
//       . X O
//       X a O
//       . X O )");
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "board/Goban.h"

namespace vxlo::testing {

namespace detail {
inline std::vector<std::string> DiagramRows(std::string_view diagram) {
    std::vector<std::string> rows;
    std::string row;
    auto flush = [&] {
        if (!row.empty()) rows.push_back(row);
        row.clear();
    };
    for (const char c : diagram) {
        if (c == '\n') {
            flush();
        } else if (c != ' ' && c != '\t' && c != '\r') {
            row += c;
        }
    }
    flush();
    return rows;
}
}  // namespace detail

// Puts the diagram's stones on the board (SetStone: no captures, turn kept).
inline void SetUpPosition(TGoban& board, std::string_view diagram, int originX = 1, int originY = 1) {
    const auto rows = detail::DiagramRows(diagram);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const int x = originX + static_cast<int>(c);
            const int y = originY + static_cast<int>(r);
            if (x < 1 || x > 19 || y < 1 || y > 19) throw std::invalid_argument("diagram leaves the board");
            const char ch = rows[r][c];
            board.SetStone(ch == 'X' ? Black : ch == 'O' ? White : Empty, x, y);
        }
    }
}

// The board point of the named letter in the diagram.
inline TPoint PointOf(std::string_view diagram, char name, int originX = 1, int originY = 1) {
    const auto rows = detail::DiagramRows(diagram);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto c = rows[r].find(name);
        if (c != std::string::npos) return {originX + static_cast<int>(c), originY + static_cast<int>(r)};
    }
    throw std::invalid_argument(std::string("no point named ") + name);
}

// The stones of a rectangle as a diagram ('X', 'O', '.'; '*' for an empty
// point with a candidate mark), rows separated by '\n'. Compare it with
// Normalized(expected).
inline std::string Diagram(const TGoban& board, int left = 1, int top = 1, int width = 19, int height = 19) {
    std::string out;
    for (int y = top; y < top + height; ++y) {
        if (y > top) out += '\n';
        for (int x = left; x < left + width; ++x) {
            const int stone = board.GetStone(x, y);
            if (stone == Black) {
                out += 'X';
            } else if (stone == White) {
                out += 'O';
            } else {
                out += board.PointState(x, y) == Candidate ? '*' : '.';
            }
        }
    }
    return out;
}

// A hand-written diagram in the form Diagram produces.
inline std::string Normalized(std::string_view diagram) {
    std::string out;
    for (const std::string& row : detail::DiagramRows(diagram)) {
        if (!out.empty()) out += '\n';
        out += row;
    }
    return out;
}

}  // namespace vxlo::testing
