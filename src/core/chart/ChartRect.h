#pragma once

namespace ql {

// A rectangle in integer pixels (or page units). left and top are inside; right and bottom
// are the first column and row outside, so the width is right - left.
struct ChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // True when (x, y) lies inside: left and top edges in, right and bottom edges out.
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    bool operator==(const ChartRect&) const = default;
};

}  // namespace ql
