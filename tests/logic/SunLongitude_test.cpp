#include <gtest/gtest.h>

#include "calendar/Julius.h"
#include "calendar/SunLongitude.h"

namespace {
// The day count K behind the time argument (1975-01-01 = 1).
long double DayCount(int y, int m, int d) { return SunTimeArgument(y, m, d) * 365.25L + 0.375L; }
}  // namespace

TEST(SunLongitudeTest, TimeArgument) {
    EXPECT_NEAR((double)DayCount(1975, 1, 1), 1, 1e-6);
    EXPECT_NEAR((double)DayCount(2000, 1, 1), 9132, 1e-6);
    EXPECT_NEAR((double)DayCount(2000, 3, 1), 9192, 1e-6);
    EXPECT_NEAR((double)DayCount(1974, 12, 31), 0, 1e-6);
    // One per day across month and year ends, 1901..2099.
    for (int y = 1901; y <= 2099; ++y)
        for (int m = 1; m <= 12; ++m)
            ASSERT_NEAR((double)(DayCount(y, m, 1) - JulianDay(y, m, 1)), 9132 - 2451545, 1e-5) << y << "/" << m;
}

TEST(SunLongitudeTest, WorkedLongitudes) {
    EXPECT_NEAR((double)SunLongitudeOfDate(2000, 3, 21), 0.31, 0.005);
    EXPECT_NEAR((double)SunLongitudeOfDate(2000, 9, 24), 180.88, 0.005);
    EXPECT_NEAR((double)SunLongitudeOfDate(2023, 3, 21), 359.73, 0.005);
    EXPECT_NEAR((double)SunLongitudeOfDate(2023, 9, 24), 180.33, 0.005);
    EXPECT_NEAR((double)SunLongitudeOfDate(2024, 9, 24), 181.07, 0.005);
    EXPECT_NEAR((double)DegToRad(90), 1.5707963267949, 1e-11);
}

TEST(SunLongitudeTest, BeforeNineteenSeventyFiveStaysInOneTurn) {
    for (int y = 1901; y <= 1974; ++y)
        for (int m : {3, 6, 9, 12}) {
            long double l = SunLongitudeOfDate(y, m, 21);
            ASSERT_GE(l, 0) << y;
            ASSERT_LT(l, 360) << y;
        }
    // 1950: March 21 and September 23 (the unmended series gave every year March 20 and September 24).
    EXPECT_EQ(VernalEquinoxDay(1950), 21);
    EXPECT_EQ(AutumnalEquinoxDay(1950), 23);
    EXPECT_EQ(VernalEquinoxDay(1960), 20);
}

TEST(SunLongitudeEquinox, DaysOutsideTheOldTwoChoices) {
    for (int y : {2012, 2016, 2020, 2024, 2028}) EXPECT_EQ(AutumnalEquinoxDay(y), 22) << y;
    EXPECT_EQ(VernalEquinoxDay(2092), 19);
    EXPECT_EQ(VernalEquinoxDay(2096), 19);
    for (int y = 1903; y <= 1923; y += 4) EXPECT_EQ(VernalEquinoxDay(y), 22) << y;
    EXPECT_EQ(VernalEquinoxDay(2000), 20);
    EXPECT_EQ(AutumnalEquinoxDay(2000), 23);
    EXPECT_EQ(VernalEquinoxDay(2023), 21);
    EXPECT_EQ(AutumnalEquinoxDay(2023), 23);
    EXPECT_TRUE(IsEquinoxDay(2024, 9, 22));
    EXPECT_FALSE(IsEquinoxDay(2024, 9, 23));
    EXPECT_TRUE(IsEquinoxDay(2024, 3, 20));
    EXPECT_FALSE(IsEquinoxDay(2024, 4, 20));
    // Far outside the covered years the answer stays within the searched days.
    for (int y : {1, 1000, 1582, 2500, 9999}) {
        int v = VernalEquinoxDay(y), a = AutumnalEquinoxDay(y);
        EXPECT_TRUE(v >= 19 && v <= 22) << y;
        EXPECT_TRUE(a >= 21 && a <= 24) << y;
    }
}

TEST(SunLongitudeEquinox, AgreesWithTheGridSeriesEveryYear) {
    for (int y = 1901; y <= 2099; ++y) {
        EXPECT_EQ(JulianDay(y, 3, VernalEquinoxDay(y)), VernalEquinoxJD(y)) << y;
        EXPECT_EQ(JulianDay(y, 9, AutumnalEquinoxDay(y)), AutumnalEquinoxJD(y)) << y;
    }
}
