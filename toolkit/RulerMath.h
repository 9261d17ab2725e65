// The indent ruler's arithmetic, apart from any window: marker positions (left edges in the
// ruler's client area, pixels) and paragraph indents (points) at 0.75 points per pixel, with
// the text's 6-pixel margin. A marker points with its middle, half its width from its left.
//
// Placing markers from indents is the inverse of reading them: a marker placed for an indent
// and released where it stands reads back the same indent (see PixelsFromPoints).
#pragma once

namespace tk::ruler {

struct Geometry {
    int width = 0;        // the ruler's client width
    int markerWidth = 0;  // the width of each marker
    int Half() const { return markerWidth / 2; }
};

// First-line indent, the other lines' indent measured from the first, right indent; points.
struct Indents {
    int first = 0, left = 0, right = 0;
};

// Left edges of the first-line, left and right markers.
struct Markers {
    int first = 0, left = 0, right = 0;
};

// round(pixels × 0.75), halves away from zero (2 pixels are 2 points, 6 pixels 5).
int PointsFromPixels(int pixels);
// The pixel count that reads back as points: round(points ÷ 0.75). Never a tie (points × 4/3
// is a whole number or a third off one), and it lies within ⅓ pixel of the exact value, so
// PointsFromPixels(PixelsFromPoints(p)) == p for every p.
int PixelsFromPoints(int points);

// Indents from markers as a release sets them; none comes out negative (the text cannot
// start left of its margin).
int FirstIndent(const Geometry& g, int firstLeft);
int LeftIndent(const Geometry& g, int leftLeft, int firstIndent);
int RightIndent(const Geometry& g, int rightLeft);
Indents IndentsOf(const Geometry& g, const Markers& m);

// Markers for a paragraph's indents, kept on the ruler.
Markers Place(const Geometry& g, const Indents& in);
// A marker dragged to follow the pointer at x: left = x − half, kept on the ruler.
int Follow(const Geometry& g, int pointerX);
// The right marker after the ruler changed size: width − 2 × marker width.
int RightAfterResize(const Geometry& g);

}  // namespace tk::ruler
