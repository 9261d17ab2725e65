#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendar/moon.h"

using namespace moon;
using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

rtl::TDateTime At(int y, int m, int d, int h = 0, int n = 0) { return EncodeDate(y, m, d) + EncodeTime(h, n, 0, 0); }

constexpr long double kMonth = 29.530589L;

// Days from the nearest new moon, either side of the wrap.
long double FromNewMoon(long double age) { return std::fmin(age, kMonth - age); }

// Pixels the canvas paints for the lines: from XFrom towards XTo, XTo excluded.
struct Mask {
    bool px[64][64] = {};
    int count = 0;
    explicit Mask(const std::vector<TShadowLine>& lines) {
        for (const TShadowLine& l : lines) {
            EXPECT_NE(l.XFrom, l.XTo) << "empty line at y=" << l.Y;
            const int step = l.XTo > l.XFrom ? 1 : -1;
            for (int x = l.XFrom; x != l.XTo; x += step) {
                EXPECT_TRUE(x >= 0 && x < 64 && l.Y >= 0 && l.Y < 64) << x << "," << l.Y;
                if (x < 0 || x >= 64 || l.Y < 0 || l.Y >= 64) continue;
                if (!px[l.Y][x]) ++count;
                px[l.Y][x] = true;
            }
        }
    }
    int Row(int y, int& first, int& last) const {
        int n = 0;
        first = 64, last = -1;
        for (int x = 0; x < 64; ++x)
            if (px[y][x]) ++n, first = std::min(first, x), last = std::max(last, x);
        return n;
    }
};

int HalfChord(const TMoonSizeRow& row, int y) {
    const int k = y - row.CentreY;
    return (int)std::rint(std::sqrt((double)(row.Radius * row.Radius - k * k)));
}

}  // namespace

TEST(MoonJulianDate, WorkedValuesAndTheCutOff) {
    EXPECT_EQ(DateTimeToJD(EncodeDate(2000, 1, 1)), 2451544.5L);
    EXPECT_EQ(DateTimeToJD(EncodeDate(1992, 4, 12)), 2448724.5L);
    EXPECT_EQ(DateTimeToJD(EncodeDate(1582, 10, 15)), 2299160.5L);  // first Gregorian day
    EXPECT_NEAR((double)DateTimeToJD(At(2000, 1, 6, 18, 14)), 2451550.2597222, 1e-7);
    EXPECT_EQ(DateTimeToJD(EncodeDate(1582, 10, 14)), 0);
    EXPECT_NEAR((double)DateTimeToJD(At(1582, 10, 14, 0, 1)), 2299159.5 + 1.0 / 1440, 1e-8);
    EXPECT_EQ(DateTimeToJD(EncodeDate(1000, 1, 1)), 0);
    EXPECT_EQ(DateTimeToJD(std::numeric_limits<double>::quiet_NaN()), 0);

    EXPECT_EQ(JulianDateText(2451544.5L), "2451544.50000");
    EXPECT_EQ(JulianDateText(2460409.2645833L), "2460409.26458");
    EXPECT_EQ(JulianDateText(12.5L), "    12.50000");
}

// Worked examples of Meeus, Astronomical Algorithms (47.a, 25.a, 48.a); the theories here use
// slightly older constants, so agreement is to about 1e-5 degree.
TEST(MoonPositions, AgreeWithTextbookExamples) {
    TPosition m, s;
    MoonPosition(m, EncodeDate(1992, 4, 12));
    EXPECT_NEAR((double)NormDeg(m.Longitude), 133.162655, 2e-5);
    EXPECT_NEAR((double)m.Latitude, -3.229126, 2e-5);
    EXPECT_NEAR((double)m.Distance, 368409.7, 0.5);

    SunPosition(s, EncodeDate(1992, 10, 13));
    EXPECT_NEAR((double)s.Longitude, 199.90988, 5e-5);
    EXPECT_NEAR((double)(s.Distance / 149597870.7L), 0.99766, 1e-5);

    EXPECT_NEAR((double)MoonIllumination(EncodeDate(1992, 4, 12)), 0.6786, 5e-4);
    EXPECT_NEAR((double)PhaseAngle(EncodeDate(1992, 4, 12)), 69.0756, 0.02);  // waxing: positive
}

TEST(MoonPhases, PublishedNewAndFullMoons) {
    // New moons: the age stands just below the wrap to 0 (the theory lags a minute or two).
    for (rtl::TDateTime t : {At(2000, 1, 6, 18, 14), At(2024, 4, 8, 18, 21)}) {
        SCOPED_TRACE(rtl::FormatDateTime("yyyy/mm/dd hh:nn", t));
        EXPECT_LT(FromNewMoon(MoonAge(t)), 0.01);
        EXPECT_GT(MoonAge(t), 29.5);
        EXPECT_LT(MoonIllumination(t), 0.001);
        EXPECT_LT(PhaseAngle(t), -178);  // waning, about to turn
        EXPECT_GT(MoonPicturePhase(t), 180);
    }
    EXPECT_NEAR((double)MoonPicturePhase(At(2000, 1, 6, 18, 14)), 181.6, 0.1);
    EXPECT_LT(MoonIllumination(At(2024, 4, 8, 18, 21)), 1e-4);  // total solar eclipse

    // Full moons, both during lunar eclipses, so the disc is lit almost to the last pixel.
    for (rtl::TDateTime t : {At(2000, 1, 21, 4, 40), At(2024, 9, 18, 2, 34)}) {
        SCOPED_TRACE(rtl::FormatDateTime("yyyy/mm/dd hh:nn", t));
        EXPECT_NEAR((double)MoonAge(t), kMonth / 2, 0.01);
        EXPECT_GT(MoonIllumination(t), 0.999);
    }
    EXPECT_NEAR((double)PhaseAngle(At(2000, 1, 21, 4, 40)), 0.3, 0.01);

    // First quarter.
    const rtl::TDateTime q = At(2000, 1, 14, 13, 34);
    EXPECT_NEAR((double)MoonAge(q), 7.38, 0.01);
    EXPECT_NEAR((double)MoonIllumination(q), 0.50, 0.005);
    EXPECT_NEAR((double)PhaseAngle(q), 90, 0.5);
}

TEST(MoonPhases, AgeAndPhaseSignAcrossAMonth) {
    // Hourly through January 2000: the age grows and wraps once, at the new moon of the 6th;
    // the phase angle is positive exactly while the Moon waxes.
    long double prev = MoonAge(EncodeDate(2000, 1, 1));
    int wraps = 0;
    for (int h = 1; h <= 31 * 24; ++h) {
        const rtl::TDateTime t = EncodeDate(2000, 1, 1) + h / 24.0;
        const long double age = MoonAge(t), lit = MoonIllumination(t), i = PhaseAngle(t);
        ASSERT_GE(age, 0);
        ASSERT_LT(age, kMonth);
        ASSERT_GE(lit, 0);
        ASSERT_LE(lit, 1);
        if (age < prev) {
            ++wraps;
            EXPECT_EQ(rtl::FormatDateTime("yyyy/mm/dd hh", t), "2000/01/06 19");
        }
        EXPECT_EQ(i > 0, age < kMonth / 2) << rtl::FormatDateTime("yyyy/mm/dd hh", t);
        prev = age;
    }
    EXPECT_EQ(wraps, 1);
}

TEST(MoonShadow, NewMoonCoversTheDiscAndFullMoonOnlyTheLimb) {
    for (TMoonSize size : {ms64, ms32}) {
        const TMoonSizeRow& row = MoonSizeRow(size);
        const int top = row.CentreY - row.Radius, bottom = row.CentreY + row.Radius;
        for (long double phase : {179.9L, 180.0L, 181.63L}) {
            Mask m(MoonShadowLines(row, phase));
            for (int y = 0; y < 64; ++y) {
                int first, last, n = m.Row(y, first, last);
                if (y < top || y > bottom) {
                    EXPECT_EQ(n, 0) << y;
                    continue;
                }
                const int h = HalfChord(row, y);
                EXPECT_EQ(first, row.CentreX - h) << "phase " << (double)phase << " y " << y;
                EXPECT_EQ(last, row.CentreX + h) << "phase " << (double)phase << " y " << y;
                EXPECT_EQ(n, 2 * h + 1);
            }
        }
        // Full moon just after the eclipse of 2000-01-21: one dark pixel at the left limb.
        Mask full(MoonShadowLines(row, 0.3021L));
        for (int y = top; y <= bottom; ++y) {
            int first, last;
            EXPECT_EQ(full.Row(y, first, last), 1) << y;
            EXPECT_EQ(first, row.CentreX - HalfChord(row, y)) << y;
        }
        EXPECT_EQ(full.count, 2 * row.Radius + 1);
    }
}

TEST(MoonShadow, QuartersAndMirrorImages) {
    const TMoonSizeRow& row = MoonSizeRow(ms64);
    // First quarter: the left half up to and including the centre column.
    Mask q1(MoonShadowLines(row, 89.87L));
    for (int y = row.CentreY - row.Radius; y <= row.CentreY + row.Radius; ++y) {
        int first, last;
        q1.Row(y, first, last);
        EXPECT_EQ(first, row.CentreX - HalfChord(row, y));
        EXPECT_EQ(last, row.CentreX);
    }
    // A waning phase shades the mirror image (about the centre column) of its waxing twin.
    for (long double p : {10.0L, 45.0L, 89.87L, 120.0L, 170.0L}) {
        Mask wax(MoonShadowLines(row, p)), wane(MoonShadowLines(row, 360 - p));
        EXPECT_EQ(wax.count, wane.count) << (double)p;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const int mx = 2 * row.CentreX - x;
                if (mx < 0 || mx >= 64) continue;
                ASSERT_EQ(wax.px[y][x], wane.px[y][mx]) << (double)p << " at " << x << "," << y;
            }
    }
}

TEST(MoonFarOff, AngleReductionEndsForHugeAngles) {
    EXPECT_EQ(NormDeg(-720), 0);
    EXPECT_EQ(NormDeg(725), 5);
    EXPECT_EQ(NormDeg(-30), 330);
    // Reducing by a rounded multiple of 360 leaves about -6e23 and -6e29 here; adding 360 to
    // such a remainder changes nothing, so a loop "while negative, add 360" never ends.
    for (long double x : {9e42L, -1e49L}) {
        const long double r = NormDeg(x);
        EXPECT_GE(r, 0) << (double)x;
        EXPECT_LT(r, 360) << (double)x;
    }
}

TEST(MoonFarOff, AbsurdInstantsStillReturn) {
    // Far-off instants have no meaning, but must neither hang nor draw outside the picture.
    for (rtl::TDateTime t : {1e20, -1e20, 1e300, EncodeDate(9999, 12, 31), EncodeDate(1, 1, 1)}) {
        const long double age = MoonAge(t), phase = MoonPicturePhase(t);
        if (std::isfinite(age)) {
            EXPECT_GE(age, 0);
            EXPECT_LE(age, kMonth);
        }
        Mask m(MoonShadowLines(MoonSizeRow(ms64), phase));
        EXPECT_LE(m.count, 64 * 64);
    }
    Mask nan(MoonShadowLines(MoonSizeRow(ms32), std::numeric_limits<long double>::quiet_NaN()));
    EXPECT_EQ(nan.count, 2 * 14 + 1);  // drawn as a full moon
}

TEST(MoonTexts, AgeAndIllumination) {
    EXPECT_EQ(MoonAgeText(7.5L), "7 days, 12 hours, 0 minutes.");
    EXPECT_EQ(MoonAgeText(29.52955L), "29 days, 12 hours, 42 minutes.");  // minutes are not rounded up
    EXPECT_EQ(MoonAgeText(0.0L), "0 days, 0 hours, 0 minutes.");
    EXPECT_EQ(MoonIlluminationText(0.125L), "12% (0%=New,100%=Full)");  // half to even
    EXPECT_EQ(MoonIlluminationText(0.375L), "38% (0%=New,100%=Full)");
    EXPECT_EQ(MoonIlluminationText(0.99999305L), "100% (0%=New,100%=Full)");
    EXPECT_EQ(MoonIlluminationText(0.0002L), "0% (0%=New,100%=Full)");
}
