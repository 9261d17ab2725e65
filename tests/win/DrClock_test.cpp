// The analogue clock: hand geometry, the face and hands painted into a bitmap, erasing on the next
// second, the timer, and the free-resources and free-memory texts. Also the gallery of the clock
// page's self-painted controls (run with --gtest_also_run_disabled_tests for a screenshot).
#include <gtest/gtest.h>

#include <regex>

#include "controls/DrClock.h"
#include "controls/MoonCtl.h"
#include "controls/SGaugeEx.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/rtl/DateTime.h"

namespace {

struct FixedClock {
    explicit FixedClock(rtl::TDateTime t) : now(t) {
        rtl::SetClockForTest([this] { return now; });
    }
    ~FixedClock() { rtl::SetClockForTest({}); }
    rtl::TDateTime now;
};

struct ClockHost {
    tk::Form form{{.caption = "clock", .left = 0, .top = 0, .width = 360, .height = 280}};
    TDRClock clock;
    tk::TBitmap bmp;
    explicit ClockHost(int w = 200, int h = 200) {
        clock.Create(form, {.at = {0, 0, w, h}});
        clock.SetEnabled(false);  // the tests tick by hand
        bmp.SetSize(w, h);
        clock.SetPaintTarget(&bmp.Canvas());
    }
    COLORREF Pixel(int x, int y) { return (COLORREF)bmp.Canvas().GetPixel(x, y); }
    bool Any(int x0, int y0, int x1, int y1, tk::TColor c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (Pixel(x, y) == (COLORREF)c) return true;
        return false;
    }
};

constexpr COLORREF kNavy = 0x800000, kYellow = 0x00FFFF, kRed = 0x0000FF;

}  // namespace

TEST(DrClockGeometry, HandsPointWhereTheDialSays) {
    ClockHost h;  // radius 100, with numbers: hour hand 0.49, minute hand 0.65 of it
    h.clock.PaintTo(h.bmp.Canvas());
    ASSERT_EQ(h.clock.Radius(), 100);
    auto three = h.clock.HandTips(3, 0, 0);
    EXPECT_EQ(three.Hour.x, 149);
    EXPECT_EQ(three.Hour.y, 100);
    EXPECT_EQ(three.Minute.x, 100);  // minute 0: straight up
    EXPECT_EQ(three.Minute.y, 35);
    EXPECT_EQ(three.Second.x, 100);
    EXPECT_NEAR(three.Second.y, 100 - 67.5, 1);  // scale radius 0.695 less 0.02
    for (int hour : {0, 12}) {
        auto top = h.clock.HandTips(hour, 0, 0);
        EXPECT_EQ(top.Hour.x, 100);
        EXPECT_EQ(top.Hour.y, 51);
    }
    auto late = h.clock.HandTips(23, 30, 45);  // 105 degrees: just left of twelve
    EXPECT_LT(late.Hour.x, 100);
    EXPECT_GT(late.Hour.x, 80);
    EXPECT_EQ(late.Second.y, 100);  // 45 s: nine o'clock
    EXPECT_LT(late.Second.x, 100);

    // A wide control takes the smaller half-side and centres on its middle; radius 60 uses the
    // short lengths, 61 the long ones.
    ClockHost wide(300, 120);
    wide.clock.PaintTo(wide.bmp.Canvas());
    EXPECT_EQ(wide.clock.Radius(), 60);
    EXPECT_EQ(wide.clock.Centre().x, 150);
    EXPECT_EQ(wide.clock.HandTips(0, 0, 0).Minute.y, 60 - 37);  // 0.62
    ClockHost wider(300, 122);
    wider.clock.PaintTo(wider.bmp.Canvas());
    EXPECT_EQ(wider.clock.HandTips(0, 0, 0).Minute.y, 61 - 40);  // 0.65
}

TEST(DrClockPaint, FaceThenHandsThenErasedOnTheNextSecond) {
    FixedClock t(rtl::EncodeDate(2024, 5, 1) + rtl::EncodeTime(10, 8, 30, 0));
    ClockHost h;
    h.clock.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.Pixel(20, 100), kNavy);
    EXPECT_EQ(h.Pixel(0, 0), tk::ColorToRGB(tk::clBtnShadow));  // lowered frame
    EXPECT_EQ(h.Pixel(199, 199), tk::ColorToRGB(tk::clBtnHighlight));
    EXPECT_EQ(h.Pixel(100, 140), kNavy);  // no hands yet

    h.clock.TimerTick();
    EXPECT_EQ(h.Pixel(100, 140), kRed);     // 30 s: straight down
    EXPECT_EQ(h.Pixel(130, 73), kYellow);   // 8 min: 42 degrees
    EXPECT_EQ(h.Pixel(75, 83), kYellow);    // 10:08: 146 degrees
    EXPECT_EQ(h.Pixel(100, 100), 0x808080u);  // the cap

    t.now += rtl::EncodeTime(0, 0, 1, 0);  // 10:08:31
    h.clock.TimerTick();
    EXPECT_EQ(h.Pixel(100, 140), kNavy);
    EXPECT_EQ(h.Pixel(130, 73), kYellow);  // the minute hand stays until the minute changes

    t.now = rtl::EncodeDate(2024, 5, 1) + rtl::EncodeTime(10, 9, 0, 0);
    h.clock.TimerTick();
    EXPECT_EQ(h.Pixel(130, 73), kNavy);
    // The same second again draws nothing.
    h.bmp.Canvas().SetPixel(100, 60, tk::clLime);
    h.clock.TimerTick();
    EXPECT_EQ(h.Pixel(100, 60), (COLORREF)tk::clLime);
}

TEST(DrClockPaint, BordersAndScaleVariants) {
    ClockHost h;
    h.form.SetColor(tk::clGreen);
    h.clock.SetBorder(boSingle);
    h.clock.SetDisplayText(false);
    h.clock.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.Pixel(0, 0), (COLORREF)tk::clGreen);  // the parent shows in the corners
    EXPECT_EQ(h.Pixel(100, 0), (COLORREF)tk::clWhite);  // the rounded outline
    // Hour lines from 0.855 to 0.93 of the radius: twelve o'clock at y 15..7.
    EXPECT_EQ(h.Pixel(100, 10), (COLORREF)tk::clWhite);

    h.clock.SetDisplayPoints(true);  // dots at 0.895; radius 100 shows only the hour dots
    h.clock.SetBorder(boNone);
    h.clock.PaintTo(h.bmp.Canvas());
    EXPECT_EQ(h.Pixel(0, 0), kNavy);
    EXPECT_EQ(h.Pixel(100, 14), kNavy);  // no hour line
    EXPECT_TRUE(h.Any(97, 8, 103, 13, tk::clWhite));    // the twelve o'clock dot near (100, 10.5)
    EXPECT_FALSE(h.Any(108, 8, 120, 14, tk::clWhite));  // no minute dot at 6 degrees past it
}

TEST(DrClockTimer, RunsOnlyWhileEnabled) {
    FixedClock t(rtl::EncodeDate(2024, 5, 1) + rtl::EncodeTime(10, 8, 30, 0));
    ClockHost h;
    h.clock.PaintTo(h.bmp.Canvas());
    for (int i = 0; i < 20; ++i) wintest::Pump();
    EXPECT_EQ(h.Pixel(100, 140), kNavy);
    h.clock.SetEnabled(true);
    DWORD start = GetTickCount();
    while (h.Pixel(100, 140) != kRed && GetTickCount() - start < 3000) wintest::Pump(1);
    EXPECT_EQ(h.Pixel(100, 140), kRed);
}

TEST(DrClockResources, TextsKeepTheirFormat) {
    SetResourceModuleForTest("NOSUCH.EXE");  // the object counts answer
    SetGuiObjectCountForTest([](int kind) { return kind == 0 ? 2500ul : 100ul; });
    EXPECT_EQ(FreeResourcesText(), "G:75% U:99%");
    SetGuiObjectCountForTest([](int) { return 20000ul; });
    EXPECT_EQ(GetFreeSystemResources(0), 0);
    SetGuiObjectCountForTest({});
    SetResourceModuleForTest("");
    EXPECT_TRUE(std::regex_match(FreeResourcesText(), std::regex("G:[0-9]{1,3}% U:[0-9]{1,3}%")))
        << FreeResourcesText();
    EXPECT_TRUE(std::regex_match(FreeMemoryText(), std::regex("[0-9]+K\\([0-9]{1,3}%\\)"))) << FreeMemoryText();
}

// Wine runs 16-bit code: the figures come from USER.EXE's own query. A module that cannot be
// loaded, or one without the query, leaves the object counts to answer.
TEST(DrClockResources, SixteenBitQueryAnswersUnderWineWithTheFallbackBehindIt) {
    SetGuiObjectCountForTest([](int kind) { return kind == 0 ? 5000ul : 9000ul; });
    struct Case {
        const char* module;
        TResourceSource source;
    };
    for (Case c : {Case{"USER.EXE", TResourceSource::Query16}, Case{"NOSUCH.EXE", TResourceSource::ObjectCount},
                   Case{"GDI.EXE", TResourceSource::ObjectCount}}) {
        SetResourceModuleForTest(c.module);
        for (uint8_t kind : {0, 1}) {
            uint16_t percent = GetFreeSystemResources(kind);
            EXPECT_EQ(LastResourceSource(), c.source) << c.module << " kind " << int(kind);
            if (c.source == TResourceSource::ObjectCount) EXPECT_EQ(percent, kind == 0 ? 50 : 10) << c.module;
            else EXPECT_LE(percent, 100);
        }
    }
    SetResourceModuleForTest("");
    EXPECT_TRUE(std::regex_match(FreeResourcesText(), std::regex("G:[0-9]{1,3}% U:[0-9]{1,3}%")));
    EXPECT_EQ(LastResourceSource(), TResourceSource::Query16);
    SetGuiObjectCountForTest({});
}

// The clock page's self-painted controls side by side, for a look at them.
TEST(DrClockGallery, DISABLED_GaugesClockAndMoons) {
    FixedClock t(rtl::EncodeDate(2024, 5, 1) + rtl::EncodeTime(10, 8, 29, 0));
    tk::Form form({.caption = "時計ページの部品", .left = 20, .top = 20, .width = 620, .height = 420});
    TSGauge g[7];
    g[0].Create(form, {.at = {16, 16, 220, 20}, .value = 50});
    g[1].Create(form, {.at = {16, 44, 220, 20}, .value = 75});
    g[1].SetKind(gkColor);
    g[2].Create(form, {.at = {16, 72, 220, 16}, .value = 40});
    g[2].SetKind(gkColor);
    g[2].SetStartColor(tk::clAqua);
    g[2].SetEndColor(tk::clBlue);
    g[2].SetDirection(gdRightToLeft);
    g[3].Create(form, {.at = {16, 96, 220, 14}, .value = 90});
    g[3].SetCtl3D(false);
    g[3].SetSel3D(false);
    g[3].SetSelColor(tk::clGreen);
    tk::TBitmap tile(6, 6);
    tile.Canvas().Brush.Color = tk::clPurple;
    tile.Canvas().FillRect({0, 0, 6, 6});
    tile.Canvas().Brush.Color = tk::clFuchsia;
    tile.Canvas().FillRect({0, 0, 3, 3});
    tile.Canvas().FillRect({3, 3, 6, 6});
    g[4].Create(form, {.at = {16, 120, 220, 20}, .value = 60});
    g[4].SetBarGraphic(tile);
    g[4].SetKind(gkBitmap);
    g[5].Create(form, {.at = {250, 16, 22, 150}, .value = 65});
    g[5].SetStyle(gsVertical);
    g[5].SetDirection(gdRightToLeft);
    g[5].SetKind(gkColor);
    g[6].Create(form, {.at = {280, 16, 22, 150}, .value = 30});
    g[6].SetStyle(gsVertical);
    g[6].SetDirection(gdRightToLeft);
    g[6].SetKind(gkColor);
    g[6].SetStartColor(tk::clLime);
    g[6].SetEndColor(tk::clTeal);

    TDRClock big, small;
    big.Create(form, {.at = {320, 16, 200, 200}});
    small.Create(form, {.at = {16, 160, 120, 120}});
    small.SetBorder(boSingle);
    small.SetDisplayText(false);
    small.SetDisplayPoints(true);

    moon::TMoon crescent, full, smallMoon;
    crescent.Create(form, {.at = {150, 180}});
    crescent.SetDate(rtl::EncodeDate(2000, 1, 9) + rtl::EncodeTime(12, 0, 0, 0));
    full.Create(form, {.at = {230, 180}});
    full.SetDate(rtl::EncodeDate(2000, 1, 21) + rtl::EncodeTime(4, 40, 0, 0));
    smallMoon.Create(form, {.at = {150, 260}});
    smallMoon.SetMoonSize(moon::ms32);
    smallMoon.SetDate(rtl::EncodeDate(2000, 1, 28) + rtl::EncodeTime(0, 0, 0, 0));

    form.Show();
    for (int i = 0; i < 50; ++i) wintest::Pump(1);
    t.now += rtl::EncodeTime(0, 0, 1, 0);  // 10:08:30, drawn over the 29-second hand
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 8000) wintest::Pump(1);
}
