#include "toolkit/RulerMath.h"

#include <algorithm>
#include <cstdlib>

namespace tk::ruler {

// The text starts 6 pixels in; the right marker's reading is 2 pixels and 12 points off the edge.
static const int kMargin = 6, kRightPixels = 2, kRightPoints = 12;

int PointsFromPixels(int pixels) {
    // × 3/4 in whole numbers: no binary fraction decides a half.
    int q = std::abs(pixels) * 3;
    int r = (q + 2) / 4;
    return pixels < 0 ? -r : r;
}

int PixelsFromPoints(int points) {
    int q = std::abs(points) * 4;
    int r = (q + 1) / 3;
    return points < 0 ? -r : r;
}

int FirstIndent(const Geometry& g, int firstLeft) {
    return std::max(0, PointsFromPixels(firstLeft + g.Half() - kMargin));
}

int LeftIndent(const Geometry& g, int leftLeft, int firstIndent) {
    return std::max(0, PointsFromPixels(leftLeft + g.Half() - kMargin)) - firstIndent;
}

int RightIndent(const Geometry& g, int rightLeft) {
    return std::max(0, PointsFromPixels(g.width - rightLeft + g.Half() - kRightPixels) - kRightPoints);
}

Indents IndentsOf(const Geometry& g, const Markers& m) {
    Indents in;
    in.first = FirstIndent(g, m.first);
    in.left = LeftIndent(g, m.left, in.first);
    in.right = RightIndent(g, m.right);
    return in;
}

static int Keep(const Geometry& g, int left) { return std::clamp(left, 0, std::max(0, g.width - g.markerWidth)); }

Markers Place(const Geometry& g, const Indents& in) {
    Markers m;
    m.first = Keep(g, PixelsFromPoints(in.first) + kMargin - g.Half());
    m.left = Keep(g, PixelsFromPoints(in.first + in.left) + kMargin - g.Half());
    m.right = Keep(g, g.width + g.Half() - kRightPixels - PixelsFromPoints(in.right + kRightPoints));
    return m;
}

int Follow(const Geometry& g, int pointerX) { return Keep(g, pointerX - g.Half()); }

int RightAfterResize(const Geometry& g) { return g.width - 2 * g.markerWidth; }

}  // namespace tk::ruler
