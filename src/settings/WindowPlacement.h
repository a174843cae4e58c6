#pragma once
// Where a companion window goes when the settings hold no place for it:
// beside the main window, or below it when the screen is too narrow, so it
// never covers the board. Plain rectangles in screen pixels.
namespace vxlo {

struct TScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }    // exclusive
    int Bottom() const { return top + height; }   // exclusive
    bool Intersects(const TScreenRect& other) const {
        return left < other.Right() && other.left < Right() && top < other.Bottom() &&
               other.top < Bottom();
    }
    bool Contains(const TScreenRect& other) const {
        return other.left >= left && other.top >= top && other.Right() <= Right() &&
               other.Bottom() <= Bottom();
    }
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

// main: the main window's frame; screen: the usable area of its screen;
// minWidth x minHeight: the smallest readable size. Right of the main window
// when that much fits the screen, else left of it, as tall as the main
// window; else below, else above it, as wide as the main window and half as
// tall. When none fits, the bottom-right corner of the screen at the
// smallest size.
TScreenRect PlaceBesideMain(const TScreenRect& main, const TScreenRect& screen, int minWidth,
                            int minHeight);

}  // namespace vxlo
