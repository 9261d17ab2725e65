// The moon picture control: the executable's pictures shaded for new, full and quarter moons, the
// small size, and the picture painted onto a canvas.
#include <gtest/gtest.h>

#include "controls/MoonCtl.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

rtl::TDateTime Ut(int y, int m, int d, int h, int n) { return rtl::EncodeDate(y, m, d) + rtl::EncodeTime(h, n, 0, 0); }

struct MoonHost {
    tk::Form form{{.caption = "moon", .left = 0, .top = 0, .width = 200, .height = 150}};
    moon::TMoon moon;
    MoonHost() { moon.Create(form, {.at = {10, 10}}); }
    COLORREF Pixel(int x, int y) {
        return (COLORREF)const_cast<tk::TBitmap&>(moon.Picture()).Canvas().GetPixel(x, y);
    }
    int LitPixels() {
        int n = 0;
        for (int y = 0; y < moon.Picture().Height(); ++y)
            for (int x = 0; x < moon.Picture().Width(); ++x) n += Pixel(x, y) != 0;
        return n;
    }
};

}  // namespace

TEST(MoonCtlPicture, NewMoonIsDarkFullMoonLitQuarterHalfLit) {
    MoonHost h;
    ASSERT_FALSE(h.moon.Picture().Empty()) << "the MOON_LARGE resource is missing";
    EXPECT_EQ(h.moon.Width(), 64);
    EXPECT_EQ(h.moon.Height(), 64);
    EXPECT_FALSE(h.moon.DateStored());

    h.moon.SetDate(Ut(2000, 1, 6, 18, 14));
    EXPECT_TRUE(h.moon.DateStored());
    EXPECT_EQ(h.LitPixels(), 0);

    h.moon.SetDate(Ut(2000, 1, 21, 4, 40));
    const int full = h.LitPixels();
    EXPECT_GT(full, 2000);  // most of a disc of radius 28
    EXPECT_EQ(h.Pixel(3, 28), 0u);  // only the left edge pixel of each row is dark
    EXPECT_NE(h.Pixel(4, 28), 0u);
    EXPECT_NE(h.Pixel(59, 28), 0u);
    EXPECT_NE(h.Pixel(31, 28), 0u);

    h.moon.SetDate(Ut(2000, 1, 14, 13, 34));  // first quarter: the left half is dark
    EXPECT_EQ(h.Pixel(31 - 10, 28), 0u);
    EXPECT_NE(h.Pixel(31 + 10, 28), 0u);
    EXPECT_NEAR(h.LitPixels(), full / 2, full / 10);

    h.moon.SetDate(Ut(2000, 1, 28, 0, 0));  // waning, near last quarter: the right half is dark
    EXPECT_EQ(h.Pixel(31 + 10, 28), 0u);
    EXPECT_NE(h.Pixel(5, 28), 0u);
}

TEST(MoonCtlPicture, SmallSizeAndPaintingOntoACanvas) {
    MoonHost h;
    h.moon.SetDate(Ut(2000, 1, 21, 4, 40));
    tk::TBitmap out(64, 64);
    h.moon.PaintTo(out.Canvas());
    EXPECT_EQ((COLORREF)out.Canvas().GetPixel(31, 28), h.Pixel(31, 28));
    EXPECT_NE((COLORREF)out.Canvas().GetPixel(31, 28), 0u);

    h.moon.SetMoonSize(moon::ms32);
    EXPECT_EQ(h.moon.Width(), 32);
    EXPECT_EQ(h.moon.Height(), 32);
    ASSERT_EQ(h.moon.Picture().Width(), 32);
    EXPECT_EQ(h.Pixel(1, 14), 0u);  // the limb pixel at centre (15, 14), radius 14
    EXPECT_NE(h.Pixel(15, 14), 0u);
    h.moon.SetDate(Ut(2000, 1, 6, 18, 14));
    EXPECT_EQ(h.LitPixels(), 0);
}
