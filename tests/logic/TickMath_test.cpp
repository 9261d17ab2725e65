#include <gtest/gtest.h>

#include "mainwindow/TickMath.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

TEST(TickMathGauge, ColourTableByHourAndByMinute) {
    EXPECT_EQ(GaugeColour(0, true), 0xF00000);
    EXPECT_EQ(GaugeColour(2, true), 0xF00000);
    EXPECT_EQ(GaugeColour(3, true), 0xD0002F);
    for (int h = 15; h <= 20; ++h) EXPECT_EQ(GaugeColour(h, true), 0x5000A0) << h;
    EXPECT_EQ(GaugeColour(23, true), 0x0F00F0);
    for (int m = 36; m <= 47; ++m) EXPECT_EQ(GaugeColour(m, false), 0x5000A0) << m;
    EXPECT_EQ(GaugeColour(59, false), 0x0F00F0);
    EXPECT_EQ(GaugeColour(0, false), 0xF00000);
    EXPECT_EQ(Percent(366, 366), 100);
    EXPECT_EQ(Percent(15, 31), 48);
    EXPECT_EQ(Percent(5, 0), 0);
}

TEST(TickMathBand, OrdinaryBandBeforeInsideAndAfter) {
    double s = EncodeTime(9, 0, 0, 0), e = EncodeTime(17, 0, 0, 0);
    rtl::TDateTime day = EncodeDate(2024, 5, 1);
    BandState before = TimeBand("仕事", s, e, day + EncodeTime(8, 30, 0, 0));
    EXPECT_EQ(before.position, -6);  // the gauge clamps it to its minimum
    EXPECT_EQ(before.hint, "仕事の割合\r09:00～17:00 (481分間)\rあと 31分後です｡");
    BandState inside = TimeBand("仕事", s, e, day + EncodeTime(13, 0, 0, 0));
    EXPECT_EQ(inside.position, 50);
    EXPECT_EQ(inside.hint, "仕事の割合\r09:00～17:00 (481分間)\r現在 240分経過(50%)");
    BandState after = TimeBand("仕事", s, e, day + EncodeTime(18, 0, 0, 0));
    EXPECT_EQ(after.hint, "仕事の割合\r09:00～17:00 (481分間)");
}

TEST(TickMathBand, BandAcrossMidnight) {
    double s = EncodeTime(23, 0, 0, 0), e = EncodeTime(7, 0, 0, 0);
    rtl::TDateTime day = EncodeDate(2024, 5, 1);
    BandState noon = TimeBand("睡眠", s, e, day + EncodeTime(12, 0, 0, 0));
    EXPECT_EQ(noon.position, 100);
    EXPECT_EQ(noon.hint, "睡眠の割合\r23:00～07:00 (480分間)");
    BandState one = TimeBand("睡眠", s, e, day + EncodeTime(1, 0, 0, 0));
    EXPECT_EQ(one.position, 24);
    EXPECT_EQ(one.hint, "睡眠の割合\r23:00～07:00 (480分間)\r現在 119分経過(24%)");
    BandState late = TimeBand("睡眠", s, e, day + EncodeTime(23, 30, 0, 0));
    EXPECT_EQ(late.position, 6);
}

TEST(TickMathBand, BandOfNoLengthStandsAtZero) {
    double t = EncodeTime(10, 0, 0, 0);
    rtl::TDateTime day = EncodeDate(2024, 5, 1);
    for (double now : {day + EncodeTime(9, 0, 0, 0), day + t, day + EncodeTime(11, 0, 0, 0)}) {
        BandState b = TimeBand("会議", t, t, now);
        EXPECT_EQ(b.position, 0);
        EXPECT_EQ(b.hint.substr(0, 26), "会議の割合\r10:00～10:00 (1");
    }
}

TEST(TickMathGoal, BeforeDuringAndPastTheGoal) {
    rtl::TDateTime s = EncodeDate(2024, 1, 1), e = EncodeDate(2024, 1, 11);
    EXPECT_EQ(GoalProgress(s, e, s - 3.5).hint, "開始日まで､ あと4日です。");
    GoalState mid = GoalProgress(s, e, s + 4.5);
    EXPECT_EQ(mid.position, 50);
    EXPECT_EQ(mid.hint, "4日(50%)経過 残り5日");
    EXPECT_EQ(GoalProgress(s, e, e + 2.2).hint, "12日(120%)経過 2日超過");
}

TEST(TickMathZone, SecondZoneIsRightAligned) {
    rtl::TDateTime now = EncodeDate(2024, 3, 5) + EncodeTime(12, 0, 0, 0);
    EXPECT_EQ(SecondZoneText(now, false, 9, 0), "3/5(火) 03:00:00 [- 9:00]");
    EXPECT_EQ(SecondZoneText(now, true, 13, 5), "3/6(水) 01:05:00 [+13:05]");
}

TEST(TickMathZone, OffsetsPastTheIntRangeOfMinutesStillAddUp) {
    // hours * 60 no longer fits an int from 35791395 hours on; the sum must still be exact.
    rtl::TDateTime now = EncodeDate(2024, 3, 5) + EncodeTime(12, 0, 0, 0);
    const int hours = 35791395;
    rtl::TDateTime ahead = now + hours / 24.0 + 59 / 1440.0;
    EXPECT_EQ(SecondZoneText(now, true, hours, 59),
              rtl::FormatDateTime("m/d(ddd) hh:mm:ss [+", ahead) + "35791395:59]");
}
