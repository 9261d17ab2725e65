// The indent ruler's arithmetic: 0.75 points per pixel, halves rounded away from zero, and
// markers placed from indents that read back as the same indents.
#include <gtest/gtest.h>

#include "toolkit/RulerMath.h"

using namespace tk::ruler;

TEST(RulerMath, PixelsBecomePointsAtThreeQuartersWithHalvesRoundedUp) {
    const struct {
        int pixels, points;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {10, 8}, {14, 11}, {-2, -2}, {-6, -5}, {400, 300}};
    for (auto& c : cases) EXPECT_EQ(PointsFromPixels(c.pixels), c.points) << c.pixels;
}

TEST(RulerMath, ReleasedMarkersGiveTheFormulasIndents) {
    const Geometry g{400, 9};  // half a marker is 4 pixels
    const struct {
        Markers m;
        Indents expect;
    } cases[] = {
        {{2, 2, 400 - 14}, {0, 0, 0}},       // at the margin; the right one 14 px in reads 0
        {{18, 30, 300}, {12, 9, 65}},        // first 16 px → 12 pt; left 28 px → 21 pt − 12; 102 px → 77 pt − 12
        {{0, 0, 391}, {0, 0, 0}},            // left of the margin and past the right: no negative indents
        {{30, 10, 200}, {21, -15, 140}},     // a hanging first line: the other lines start left of it
        {{4, 8, 380}, {2, 3, 5}},            // 2 px → 1.5 → 2 pt, 6 px → 4.5 → 5 pt, 22 px → 16.5 → 17 pt: halves go up
    };
    for (auto& c : cases) {
        Indents in = IndentsOf(g, c.m);
        EXPECT_EQ(in.first, c.expect.first) << c.m.first;
        EXPECT_EQ(in.left, c.expect.left) << c.m.left;
        EXPECT_EQ(in.right, c.expect.right) << c.m.right;
    }
    EXPECT_EQ(RightAfterResize(g), 382);
    EXPECT_EQ(Follow(g, 100), 96);
    EXPECT_EQ(Follow(g, 1), 0);
    EXPECT_EQ(Follow(g, 999), 391);
}

TEST(RulerMath, MarkersPlacedForIndentsReadBackTheSameIndents) {
    for (int width : {300, 517}) {
        for (int markerWidth : {8, 9, 12}) {
            const Geometry g{width, markerWidth};
            for (int first = 0; first <= 120; ++first)
                for (int left : {-first, -1 - first / 2, 0, 1, 2, 7, 30})
                    for (int right : {0, 1, 2, 3, 50}) {
                        if (first + left < 0) continue;
                        Indents in{first, left, right};
                        Indents back = IndentsOf(g, Place(g, in));
                        ASSERT_EQ(back.first, first) << width << " " << markerWidth;
                        ASSERT_EQ(back.left, left) << first;
                        ASSERT_EQ(back.right, right);
                    }
        }
    }
    for (int points = -200; points <= 200; ++points) ASSERT_EQ(PointsFromPixels(PixelsFromPoints(points)), points);
    // An indent wider than the ruler leaves its marker at the ruler's end, not off it.
    Markers far = Place({200, 9}, {500, 0, 500});
    EXPECT_EQ(far.first, 191);
    EXPECT_EQ(far.right, 0);
}
