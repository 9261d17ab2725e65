#include <gtest/gtest.h>

#include <climits>

#include "calendar/Julius.h"
#include "toolkit/rtl/DateTime.h"

TEST(JuliusTest, CalendarChangeOf1582) {
    EXPECT_EQ(JulianDay(1582, 10, 4), 2299160);
    EXPECT_EQ(JulianDay(1582, 10, 15), 2299161);
    for (int d = 5; d <= 14; ++d) EXPECT_THROW(JulianDay(1582, 10, d), EJuliusError) << d;
    try {
        JulianDay(1582, 10, 10);
        FAIL();
    } catch (const EJuliusError& e) {
        EXPECT_EQ(e.Message, "1582/10/5-10/14は存在しません。");
    }
    // Thursday 4 October was followed by Friday 15 October.
    EXPECT_EQ(DayOfWeekFromJD(JulianDay(1582, 10, 4)), 5);
    EXPECT_EQ(DayOfWeekFromJD(JulianDay(1582, 10, 15)), 6);
    EXPECT_EQ(DayOfWeekFromJD(JulianDay(1582, 10, 3)), 4);
    EXPECT_EQ(JulianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(DayOfWeekFromJD(2451545), 7);
    EXPECT_EQ(JulianDay(-4712, 1, 1), 0);
    EXPECT_EQ(JulianCalendarJD(2000, 1, 1) - GregorianJD(2000, 1, 1), 13);
}

TEST(JuliusTest, LeapYearsAgreeWithDayNumbers) {
    EXPECT_TRUE(IsLeapYear(1500));  // Julian rule before the change
    EXPECT_TRUE(IsLeapYear(1600));
    EXPECT_FALSE(IsLeapYear(1700));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(4000));
    EXPECT_EQ(JulianDay(1500, 3, 1) - JulianDay(1500, 2, 28), 2);
    EXPECT_EQ(JulianDay(1900, 3, 1) - JulianDay(1900, 2, 28), 1);
    EXPECT_EQ(JulianDay(2000, 3, 1) - JulianDay(2000, 2, 28), 2);
    EXPECT_EQ(JulianDay(4000, 3, 1) - JulianDay(4000, 2, 28), 1);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2400, 2), 29);
    EXPECT_EQ(DaysInMonth(1500, 2), 29);
    for (int y = -4712; y <= 9000; ++y) {
        if (y == 1582) continue;
        ASSERT_EQ(JulianDay(y + 1, 1, 1) - JulianDay(y, 1, 1), IsLeapYear(y) ? 366 : 365) << y;
        ASSERT_EQ(JulianDay(y, 3, 1) - JulianDay(y, 2, 1), DaysInMonth(y, 2)) << y;
    }
}

TEST(JuliusTest, GregorianDaysMatchTheDateTimeScale) {
    // TDateTime 0 is 1899-12-30, day number 2415019; the runtime knows no 4000-year rule.
    for (int y = 1583; y < 4000; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d : {1, DaysInMonth(y, m)})
                ASSERT_EQ(JulianDay(y, m, d) - 2415019, (int)rtl::EncodeDate(y, m, d)) << y << "-" << m << "-" << d;
}

TEST(JuliusTest, WeekdayOfNegativeDayNumbers) {
    EXPECT_EQ(DayOfWeekFromJD(0), 2);  // -4712-01-01 was a Monday
    EXPECT_EQ(DayOfWeekFromJD(-1), 1);
    EXPECT_EQ(DayOfWeekFromJD(-7), 2);
    for (int j = -100; j < 100; ++j) {
        int w = DayOfWeekFromJD(j);
        ASSERT_GE(w, 1);
        ASSERT_LE(w, 7);
        ASSERT_EQ(DayOfWeekFromJD(j + 1), w % 7 + 1) << j;
    }
    EXPECT_EQ(DayOfWeekFromJD(INT_MAX), (int)(((long long)INT_MAX + 1) % 7) + 1);
    EXPECT_GE(DayOfWeekFromJD(INT_MIN), 1);
}

TEST(JuliusTest, AnyIntArgumentsComputeWithoutOverflow) {
    // Months and days outside their range count on from the year, in 64 bits.
    EXPECT_EQ(JulianDay(2000, 13, 1), JulianDay(2000, 12, 1) + 31);
    EXPECT_EQ(JulianDay(1, INT_MIN, 1), (int)(1461LL * 4716 / 4 + 31LL * ((long long)INT_MIN - 1) - 1095));
    for (int v : {INT_MIN, INT_MIN + 1, -1, 0, INT_MAX}) {
        for (int other : {INT_MIN, 1, INT_MAX}) {
            (void)JulianDay(v, other, other);
            (void)JulianDay(other, v, other);
            (void)JulianDay(other, other, v);
            (void)GregorianJD(v, other, other);
            (void)GregorianJD(other, v, other);
            EXPECT_GE(DayOfWeekFromJD(JulianDay(1, v, 1)), 1);
        }
        (void)IsLeapYear(v);
    }
}

TEST(JuliusTest, DaysInMonthRefusesAMonthOutsideTheYear) {
    EXPECT_THROW(DaysInMonth(2000, 0), EJuliusError);
    EXPECT_THROW(DaysInMonth(2000, 13), EJuliusError);
    EXPECT_THROW(DaysInMonth(2000, -1), EJuliusError);
    try {
        DaysInMonth(2000, 13);
    } catch (const EJuliusError& e) {
        EXPECT_NE(e.Message.find("13"), std::string::npos);
    }
}

namespace {
int MarchDay(int y) { return VernalEquinoxJD(y) - JulianDay(y, 3, 0); }
int SeptemberDay(int y) { return AutumnalEquinoxJD(y) - JulianDay(y, 9, 0); }
}  // namespace

TEST(JuliusEquinox, WorkedYears) {
    EXPECT_EQ(MarchDay(2000), 20);
    EXPECT_EQ(SeptemberDay(2000), 23);
    for (int y : {2012, 2016, 2020, 2024}) {
        EXPECT_EQ(MarchDay(y), 20) << y;
        EXPECT_EQ(SeptemberDay(y), 22) << y;
    }
    for (int y : {2025, 2030}) {
        EXPECT_EQ(MarchDay(y), 20) << y;
        EXPECT_EQ(SeptemberDay(y), 23) << y;
    }
    EXPECT_EQ(MarchDay(1990), 21);
    EXPECT_EQ(SeptemberDay(1990), 23);
    for (int y = 1900; y <= 2100; ++y) {
        bool march22 = y >= 1903 && y <= 1923 && y % 4 == 3;
        bool march19 = y == 2092 || y == 2096;
        int v = MarchDay(y), a = SeptemberDay(y);
        EXPECT_EQ(v == 22, march22) << y;
        EXPECT_EQ(v == 19, march19) << y;
        EXPECT_TRUE(v >= 19 && v <= 22) << y;
        EXPECT_TRUE(a >= 22 && a <= 24) << y;
    }
}
