#include "calendar/Julius.h"

#include <cmath>

static const int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int JulianDay(int Year, int Month, int Day) {
    if (Year < 1582 || (Year == 1582 && (Month < 10 || (Month == 10 && Day < 5))))
        return JulianCalendarJD(Year, Month, Day);
    if (Year > 1582 || Month > 10 || Day > 14) return GregorianJD(Year, Month, Day);
    throw EJuliusError("1582/10/5-10/14は存在しません。");
}

int JulianCalendarJD(int Year, int Month, int Day) {
    // In 64 bits: any int arguments are computed without overflow (the result wraps to int).
    long long y = Year, m = Month, c = 0;
    if (m > 2) c = ((y + 4712) % 4 == 0 ? 1 : 0) - 1 - (2 * m + 6) / 5;
    // 1461 * n / 4 truncates towards zero exactly as trunc(365.25 n) does.
    return (int)(1461 * (y + 4715) / 4 + 31 * (m - 1) + Day - 1 + c - 1095);
}

int GregorianJD(int Year, int Month, int Day) {
    long long y = Year;
    long long j = JulianCalendarJD(Year, Month, Day) - 10LL;
    if (Month > 2) {
        // The Julian count already holds February 29 of every fourth year.
        if (y % 400 == 0) ++j;
        if (y % 100 == 0) --j;
        if (y % 4000 == 0) --j;
    }
    j -= 3 * ((y - 1501) / 100) / 4;
    j -= (y - 1) / 4000;
    return (int)j;
}

int DayOfWeekFromJD(int JD) {
    long long r = ((long long)JD + 1) % 7;
    if (r < 0) r += 7;  // floor modulus: days before -4712 still get 1..7
    return (int)r + 1;
}

bool IsLeapYear(int Year) {
    if (Year < 1582) return ((long long)Year + 4712) % 4 == 0;
    bool leap = Year % 4 == 0;
    if (Year % 100 == 0) leap = false;
    if (Year % 400 == 0) leap = true;
    if (Year % 4000 == 0) leap = false;
    return leap;
}

int DaysInMonth(int Year, int Month) {
    if (Month < 1 || Month > 12)
        throw EJuliusError("月の値 " + rtl::IntToStr(Month) + " は範囲外です（1～12）。");
    return kMonthDays[Month] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

static const long double kPi = 3.14159265358979323846264338327950288L;

static long double SinDeg(long double deg) { return std::sin(deg * (1.0L / 180) * kPi); }

// Mean year plus six periodic terms; the value is the equinox moment in Japan Standard Time.
int VernalEquinoxJD(int Year) {
    long double t = Year - 2000;
    long double p = 0.002L * (SinDeg(321 - 30.37L * t) + SinDeg(249 + 0.19L * t) +
                              SinDeg(202 - 132.57L * t) + SinDeg(84 - 90.37L * t)) -
                    4.871850323926e-5L * t + 0.001L * SinDeg(132 - 134.81L * t) +
                    0.005L * SinDeg(239 - 19.34L * t);
    return (int)std::trunc(2451624.683L + 365.24229L * t + (t * t * 1e-7L - p));
}

int AutumnalEquinoxJD(int Year) {
    long double t = Year - 2000;
    long double p = 0.002L * (SinDeg(485 - 30.37L * t) + SinDeg(249 + 0.19L * t) +
                              SinDeg(268.2L - 132.57L * t) + SinDeg(309.2L - 90.37L * t)) +
                    4.871850323926e-5L * t + 0.001L * SinDeg(244.6L - 134.81L * t) +
                    0.005L * SinDeg(248.6L - 19.34L * t);
    return (int)std::trunc(2451811.096L + 365.24206L * t + (t * t * 1e-7L - p));
}
