// The segmented gauge: cells at the ends of the range and with huge ranges, incremental updates
// that match a full paint, gradient direction, and setters that leave an unchanged gauge alone.
#include <gtest/gtest.h>

#include <climits>

#include "controls/SGaugeEx.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

struct GaugeHost {
    tk::Form form{{.caption = "gauge", .left = 0, .top = 0, .width = 320, .height = 240}};
    TSGauge gauge;
    tk::TBitmap bmp;
    explicit GaugeHost(tk::Bounds at = {10, 10, 200, 20}) {
        gauge.Create(form, {.at = at});
        bmp.SetSize(at.width, at.height);
        gauge.SetPaintTarget(&bmp.Canvas());
    }
    COLORREF Pixel(int x, int y) { return (COLORREF)bmp.Canvas().GetPixel(x, y); }
    bool PaintPending() { return GetUpdateRect(gauge.Handle, nullptr, FALSE); }
};

bool SameImage(tk::TBitmap& a, tk::TBitmap& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas().GetPixel(x, y) != b.Canvas().GetPixel(x, y)) {
                ADD_FAILURE() << "first difference at " << x << "," << y;
                return false;
            }
    return true;
}

}  // namespace

TEST(SGaugeCells, EndsOfTheRangeAndClamping) {
    GaugeHost h;  // 200 x 20 with frame and shadow: bar 195 x 13, cells 8 wide at a pitch of 10
    const COLORREF sel = tk::ColorToRGB(tk::clHighlight), back = tk::ColorToRGB(tk::clWindow);
    ASSERT_EQ(h.gauge.CellCount(), 20);
    h.gauge.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.gauge.CellsDrawn(), 0);
    EXPECT_EQ(h.Pixel(5, 8), back);

    h.gauge.SetPosition(100);
    EXPECT_EQ(h.gauge.CellsDrawn(), 20);
    EXPECT_EQ(h.Pixel(3, 3), sel);                   // first cell
    EXPECT_EQ(h.Pixel(193, 8), sel);                 // last cell, partly inside the bar
    EXPECT_EQ(h.Pixel(3 + 8, 3 + 13), (COLORREF)tk::clGray);  // shadow corner of the first cell

    h.gauge.SetPosition(150);
    EXPECT_EQ(h.gauge.Position(), 100);
    h.gauge.SetPosition(-5);
    EXPECT_EQ(h.gauge.Position(), 0);
    EXPECT_EQ(h.gauge.CellsDrawn(), 0);
    EXPECT_EQ(h.Pixel(3, 3), back);
    EXPECT_EQ(h.Pixel(3 + 8, 3 + 13), back);  // the shadow went with the cell

    // The range follows Min and Max.
    h.gauge.SetPosition(80);
    h.gauge.SetMax(50);
    EXPECT_EQ(h.gauge.Position(), 50);
    h.gauge.SetMin(60);
    EXPECT_EQ(h.gauge.Position(), 60);
    h.gauge.SetMax(60);  // an empty range shows no cells
    h.gauge.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.gauge.CellsDrawn(), 0);
}

TEST(SGaugeCells, HugeRangesDoNotOverflow) {
    GaugeHost h;
    h.gauge.PaintTo(h.bmp.Canvas());
    h.gauge.SetMax(2000000000);
    h.gauge.SetPosition(1000000000);  // 1e9 * 20 cells needs more than 32 bits
    EXPECT_EQ(h.gauge.CellsDrawn(), 10);
    h.gauge.SetMin(INT_MIN);
    h.gauge.SetMax(INT_MAX);
    h.gauge.SetPosition(0);
    h.gauge.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.gauge.CellsDrawn(), 10);
    h.gauge.SetPosition(INT_MAX);
    EXPECT_EQ(h.gauge.CellsDrawn(), 20);
    h.gauge.SetPosition(INT_MIN);
    EXPECT_EQ(h.gauge.CellsDrawn(), 0);
}

TEST(SGaugeCells, IncrementalUpdatesMatchAFullPaint) {
    for (TSGaugeStyle style : {gsHorizon, gsVertical})
        for (TSGaugeDirection dir : {gdLeftToRight, gdRightToLeft})
            for (bool sel3D : {true, false})
                for (TSGaugeKind kind : {gkNormal, gkColor}) {
                    SCOPED_TRACE(testing::Message() << "style " << style << " dir " << dir << " sel3D " << sel3D
                                                    << " kind " << kind);
                    tk::Bounds at = style == gsHorizon ? tk::Bounds{10, 10, 150, 18} : tk::Bounds{10, 10, 18, 150};
                    GaugeHost inc(at), full(at);
                    for (TSGauge* g : {&inc.gauge, &full.gauge}) {
                        g->SetStyle(style);
                        g->SetDirection(dir);
                        g->SetSel3D(sel3D);
                        g->SetKind(kind);
                        g->SetPosition(80);
                    }
                    inc.gauge.PaintTo(inc.bmp.Canvas());
                    for (int pos : {30, 70, 0, 100}) {
                        inc.gauge.SetPosition(pos);
                        full.gauge.SetPosition(pos);
                        full.gauge.PaintTo(full.bmp.Canvas());
                        ASSERT_TRUE(SameImage(inc.bmp, full.bmp)) << "at " << pos;
                    }
                }
}

TEST(SGaugeLook, GradientRunsFromTheGrowingEnd) {
    GaugeHost h;
    h.gauge.SetKind(gkColor);  // yellow to red
    h.gauge.SetPosition(100);
    h.gauge.PaintTo(h.bmp.Canvas());
    COLORREF left = h.Pixel(4, 8), right = h.Pixel(194, 8);
    EXPECT_GT(GetGValue(left), 240);   // yellow at the start
    EXPECT_LT(GetGValue(right), 20);   // red at the end
    EXPECT_EQ(GetRValue(right), 255);

    h.gauge.SetDirection(gdRightToLeft);  // the bar grows from the right, which starts yellow
    h.gauge.PaintTo(h.bmp.Canvas());
    EXPECT_LT(GetGValue(h.Pixel(5, 8)), 20);
    EXPECT_GT(GetGValue(h.Pixel(194, 8)), 240);
}

TEST(SGaugeSetters, UnchangedValuesRepaintNothing) {
    GaugeHost h;
    h.form.Show();
    wintest::Pump();
    h.gauge.PaintTo(h.bmp.Canvas());
    auto settle = [&] { ValidateRect(h.gauge.Handle, nullptr); };
    settle();

    h.gauge.SetMin(0);
    h.gauge.SetMax(100);
    h.gauge.SetKind(gkNormal);
    h.gauge.SetStyle(gsHorizon);
    h.gauge.SetDirection(gdLeftToRight);
    h.gauge.SetSel3D(true);
    h.gauge.SetCtl3D(true);
    h.gauge.SetSelColor(tk::clHighlight);
    h.gauge.SetColor(tk::clWindow);
    EXPECT_FALSE(h.PaintPending());

    // Position paints its cells at once and never invalidates; the same value paints nothing.
    h.gauge.SetPosition(50);
    EXPECT_FALSE(h.PaintPending());
    EXPECT_EQ(h.gauge.CellsDrawn(), 10);
    h.bmp.Canvas().SetPixel(3, 3, tk::clLime);
    h.gauge.SetPosition(50);
    EXPECT_EQ(h.Pixel(3, 3), (COLORREF)tk::clLime);

    // Colours repaint only in the kind that shows them.
    h.gauge.SetStartColor(tk::clBlue);
    EXPECT_FALSE(h.PaintPending());
    h.gauge.SetSelColor(tk::clRed);
    EXPECT_TRUE(h.PaintPending());
    h.gauge.SetKind(gkColor);
    settle();
    h.gauge.SetSelColor(tk::clGreen);
    EXPECT_FALSE(h.PaintPending());
    h.gauge.SetEndColor(tk::clAqua);
    EXPECT_TRUE(h.PaintPending());
    settle();
    h.gauge.SetMax(200);
    EXPECT_TRUE(h.PaintPending());
}

TEST(SGaugeLook, BitmapCellsShowTheirSliceOfTheTiles) {
    GaugeHost h;
    tk::TBitmap tile(4, 4);  // two columns: blue then lime
    tile.Canvas().Brush.Color = tk::clBlue;
    tile.Canvas().FillRect({0, 0, 2, 4});
    tile.Canvas().Brush.Color = tk::clLime;
    tile.Canvas().FillRect({2, 0, 4, 4});
    h.gauge.SetBarGraphic(tile);
    h.gauge.SetKind(gkBitmap);
    h.gauge.SetPosition(100);
    h.gauge.PaintTo(h.bmp.Canvas());
    // Cell 1 starts at x 13 with bar image x 10 (10 mod 4 = 2): lime, then blue.
    EXPECT_EQ(h.Pixel(13, 5), (COLORREF)tk::clLime);
    EXPECT_EQ(h.Pixel(15, 5), (COLORREF)tk::clBlue);
}

TEST(SGaugeGeometry, VerticalCellsAndTooSmallControls) {
    GaugeHost v({10, 10, 20, 120});
    v.gauge.SetStyle(gsVertical);
    v.gauge.SetDirection(gdRightToLeft);  // grows upwards
    v.gauge.SetPosition(100);
    v.gauge.PaintTo(v.bmp.Canvas());
    const COLORREF sel = tk::ColorToRGB(tk::clHighlight);
    EXPECT_EQ(v.Pixel(8, 112), sel);  // bottom cell
    EXPECT_EQ(v.Pixel(8, 5), sel);    // top cell
    v.gauge.SetPosition(10);          // one cell of twelve
    EXPECT_EQ(v.Pixel(8, 20), tk::ColorToRGB(tk::clWindow));
    EXPECT_EQ(v.Pixel(8, 112), sel);

    GaugeHost tiny({10, 10, 5, 5});
    tiny.gauge.SetKind(gkColor);
    tiny.gauge.SetPosition(100);
    tiny.gauge.PaintTo(tiny.bmp.Canvas());
    EXPECT_EQ(tiny.gauge.CellCount(), 0);
    EXPECT_EQ(tiny.gauge.CellsDrawn(), 0);
}
