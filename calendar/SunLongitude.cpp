#include "calendar/SunLongitude.h"

#include <cmath>

using rtl::Real48;

static const long double kPi = 3.14159265358979323846264338327950288L;

static long double Int(long double x) { return std::trunc(x); }

Real48 DegToRad(const Real48& Deg) { return Deg * kPi * (1.0L / 180); }

Real48 SunTimeArgument(const int& Year, const int& Month, const int& Day) {
    Real48 a = (Year - 1900) * 0.25L;
    Real48 f = a - Int(a);
    Real48 b = Int(a * 1461);
    Real48 c = Int((Month + 7) * 0.1L);      // 0 for January and February, else 1
    Real48 g = Int(1 - f);                    // 1 in a (four-yearly) leap year
    Real48 h = Int((Month + 4.4L) * 0.44L);  // days the months before are short of 31
    Real48 k = b + 31 * Month + Day + (c - 1) * g - c * h - 27424;  // 1975-01-01 = 1
    return (k - 0.375L) * (1.0L / 365.25);    // 00:00 JST is 15:00 UT of the day before
}

namespace {
struct Term {
    Real48 A, B, C;
};
// Amplitude, phase, rate in degrees per year; the zero row ends the table.
const Term kTerms[] = {
    {0.02L, 353.06L, 719.981L},   {-0.0048L, 248.64L, -19.341L}, {0.002L, 285.0L, 329.64L},
    {0.0018L, 334.2L, -4452.67L}, {0.0018L, 293.7L, -0.20L},     {0.0015L, 242.4L, 450.37L},
    {0.0013L, 211.1L, 225.18L},   {0.0008L, 208.0L, 659.29L},    {0.0007L, 53.5L, 90.38L},
    {0.0007L, 12.1L, -30.35L},    {0.0006L, 239.1L, 337.18L},    {0.0005L, 10.1L, -1.50L},
    {0.0005L, 99.1L, -22.81L},    {0.0004L, 264.8L, 315.56L},    {0.0004L, 233.8L, 299.30L},
    {-0.0004L, 198.1L, 720.02L},  {0.0003L, 349.6L, 1079.97L},   {0.0003L, 241.2L, -44.43L},
    {0, 0, 0},
};
}  // namespace

Real48 SunLongitude(const Real48& T) {
    Real48 l = 279.0358L + 360.00769L * T;
    Real48 arg = 356.531L + 359.991L * T;
    l = l + (1.9159L - 0.00005L * T) * std::sin((long double)DegToRad(arg));
    for (const Term* t = kTerms; t->A != 0; ++t) {
        arg = t->B + t->C * T;
        l = l + t->A * std::sin((long double)DegToRad(arg));
    }
    Real48 r = l - 360 * Int(l * (1.0L / 360));
    // Before 1975 T is negative and the remainder falls in (-360, 0].
    if (r < 0) r = r + 360;
    return r;
}

long double SunLongitudeOfDate(int Year, int Month, int Day) {
    return SunLongitude(SunTimeArgument(Year, Month, Day));
}

// Whether the longitude is past the target (0 or 180) by less than half a turn.
static bool Passed(long double lon, long double target) {
    long double d = lon - target;
    if (d < -180) d += 360;
    else if (d >= 180) d -= 360;
    return d > 0;
}

static int EquinoxDay(int year, int month, int first, long double target) {
    int day = first;
    while (day < first + 3 && !Passed(SunLongitudeOfDate(year, month, day + 1), target)) ++day;
    return day;
}

int VernalEquinoxDay(int Year) { return EquinoxDay(Year, 3, 19, 0); }
int AutumnalEquinoxDay(int Year) { return EquinoxDay(Year, 9, 21, 180); }

bool IsEquinoxDay(int Year, int Month, int Day) {
    if (Month == 3) return Day >= 19 && Day <= 22 && Day == VernalEquinoxDay(Year);
    if (Month == 9) return Day >= 21 && Day <= 24 && Day == AutumnalEquinoxDay(Year);
    return false;
}
