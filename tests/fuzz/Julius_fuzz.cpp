// Day numbers and weekdays for any int year, month and day (three little-endian int32s), and
// their agreement with the date-time scale where both are defined.
#include "calendar/Julius.h"
#include "schedule/ScheduleName.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/DateTime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const int y = in.Take<int32_t>(), m = in.Take<int32_t>(), d = in.Take<int32_t>();

    int jd = 0;
    bool gap = false;
    try {
        jd = JulianDay(y, m, d);
    } catch (const EJuliusError&) {
        gap = true;
        FUZZ_CHECK(y == 1582 && m == 10 && d >= 5 && d <= 14);
    }
    (void)JulianCalendarJD(y, m, d);
    (void)GregorianJD(y, m, d);
    const int w = DayOfWeekFromJD(jd);
    FUZZ_CHECK(w >= 1 && w <= 7);
    FUZZ_CHECK(WeekdayFromCode(WeekdayCode(w)) == w);
    FUZZ_CHECK(WeekdayFromCode(WeekdayCode(y)) != 0);
    (void)IsLeapYear(y);
    try {
        int n = DaysInMonth(y, m);
        FUZZ_CHECK(n >= 28 && n <= 31 && m >= 1 && m <= 12);
    } catch (const EJuliusError&) {
        FUZZ_CHECK(m < 1 || m > 12);
    }

    // The runtime's proleptic Gregorian scale knows no 4000-year rule.
    if (!gap && y > 1582 && y < 4000 && rtl::IsValidDate(y, m, d)) {
        const double t = rtl::EncodeDate(y, m, d);
        FUZZ_CHECK(jd - 2415019 == (int)t);
        FUZZ_CHECK(w == rtl::DayOfWeek(t));
    }
    if (y >= 1900 && y <= 2100) {  // the equinoxes fall on March 19..22 and September 21..24
        const int v = VernalEquinoxJD(y) - JulianDay(y, 3, 0), a = AutumnalEquinoxJD(y) - JulianDay(y, 9, 0);
        FUZZ_CHECK(v >= 19 && v <= 22 && a >= 21 && a <= 24);
    }
    return 0;
}
