#include "settings/WindowPlacement.h"

#include <algorithm>

namespace vxlo {

namespace {
// Wider than this and a comment's lines grow too long to read.
constexpr int kReadableWidth = 480;
}  // namespace

TScreenRect PlaceBesideMain(const TScreenRect& main, const TScreenRect& screen, int minWidth,
                            int minHeight) {
    const int width = std::max(minWidth, std::min(main.width, kReadableWidth));
    // Beside: the main window's top and height, kept on the screen.
    const int top =
        std::clamp(main.top, screen.top, std::max(screen.top, screen.Bottom() - minHeight));
    const int tall = std::max(minHeight, std::min(main.height, screen.Bottom() - top));
    const int roomRight = screen.Right() - main.Right();
    if (roomRight >= minWidth) return {main.Right(), top, std::min(width, roomRight), tall};
    const int roomLeft = main.left - screen.left;
    if (roomLeft >= minWidth) {
        const int w = std::min(width, roomLeft);
        return {main.left - w, top, w, tall};
    }
    // Below or above: the main window's left and width, half its height.
    const int wide = std::max(minWidth, std::min(main.width, screen.width));
    const int left =
        std::clamp(main.left, screen.left, std::max(screen.left, screen.Right() - wide));
    const int height = std::max(minHeight, main.height / 2);
    const int roomBelow = screen.Bottom() - main.Bottom();
    if (roomBelow >= minHeight) return {left, main.Bottom(), wide, std::min(height, roomBelow)};
    const int roomAbove = main.top - screen.top;
    if (roomAbove >= minHeight) {
        const int h = std::min(height, roomAbove);
        return {left, main.top - h, wide, h};
    }
    return {std::max(screen.left, screen.Right() - minWidth),
            std::max(screen.top, screen.Bottom() - minHeight), minWidth, minHeight};
}

}  // namespace vxlo
