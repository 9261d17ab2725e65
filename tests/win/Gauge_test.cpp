// The plain bar gauge: how much of its inside the bar fills, at the ends and with huge ranges,
// and how the range keeps Progress inside.
#include <gtest/gtest.h>

#include <climits>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/Gauge.h"

namespace {

struct GaugeHost {
    tk::Form form{{.caption = "gauge", .left = 0, .top = 0, .width = 320, .height = 120}};
    tk::Gauge gauge;
    GaugeHost() {
        gauge.Create(form, {.at = {10, 10, 102, 12}});
        gauge.SetForeColor(tk::clRed);
    }
    // Pixels of the middle row painted in the bar's colour, and whether they form one run from
    // the left edge of the inside.
    int Filled(bool& oneRun) {
        tk::TBitmap bmp(gauge.Width(), gauge.Height());
        gauge.PaintTo(bmp.Canvas());
        int n = 0, last = 0;
        for (int x = 0; x < gauge.Width(); ++x)
            if ((COLORREF)bmp.Canvas().GetPixel(x, 6) == tk::ColorToRGB(tk::clRed)) {
                ++n;
                last = x;
            }
        oneRun = n == 0 || last == n;
        return n;
    }
};

TEST(Gauge, FillFollowsProgressAcrossTheRange) {
    struct Case {
        int min, max, progress, filled;
    } cases[] = {
        {0, 100, 0, 0},       {0, 100, 100, 100},          {0, 100, 37, 37}, {0, 60, 30, 50},
        {-50, 50, 0, 50},     {INT_MIN, INT_MAX, 0, 50},   {0, 24, 23, 95},  {7, 7, 7, 0},  // empty range
        {0, 100, 250, 100},   {0, 100, -4, 0},  // clamped
    };
    GaugeHost h;  // 100 pixels inside the frame
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " at " << c.progress);
        h.gauge.SetMinValue(INT_MIN);
        h.gauge.SetMaxValue(c.max);
        h.gauge.SetMinValue(c.min);
        h.gauge.SetProgress(c.progress);
        bool oneRun;
        EXPECT_EQ(h.Filled(oneRun), c.filled);
        EXPECT_TRUE(oneRun);  // unsegmented
    }
}

TEST(Gauge, RangeKeepsProgressInside) {
    GaugeHost h;
    h.gauge.SetProgress(80);
    h.gauge.SetMaxValue(50);
    EXPECT_EQ(h.gauge.Progress(), 50);
    h.gauge.SetMinValue(60);  // past Max: Max follows
    EXPECT_EQ(h.gauge.MaxValue(), 60);
    EXPECT_EQ(h.gauge.Progress(), 60);
    h.gauge.SetMaxValue(10);  // below Min: Min follows
    EXPECT_EQ(h.gauge.MinValue(), 10);
    EXPECT_EQ(h.gauge.Progress(), 10);
}

}  // namespace
