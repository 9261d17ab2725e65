// The old lunisolar calendar of a day and its rokuyo name, from truncated series of the Sun's and
// the Moon's longitudes. Pure computation: no settings; the months last worked out are kept
// only because they name every day up to the next solstice or equinox the same way.
//
// Every value is a six-byte real, rounded at each store; between stores the arithmetic runs in
// x87 extended precision with the processor's own cosine. Each function below sets the x87 to
// 64-bit precision and round-to-nearest while it runs, so the names are the same in every build.
#pragma once

#include <string>

#include "toolkit/rtl/Real48.h"

// The angle in degrees reduced to [0, 360] as x - 360 * Int(x * (1/360)), negatives through
// 360 - (|x| reduced). 1/360 rounds down in extended precision, so 360 itself gives 360.
rtl::Real48 NormDeg360(const rtl::Real48& x);
// Ecliptic longitudes in degrees, [0, 360), at t Julian centuries from 2000-01-01 12:00 UT.
rtl::Real48 SolarLongitudeSeries(const rtl::Real48& t);
rtl::Real48 MoonLongitude(const rtl::Real48& t);
// Day count (JST) of the new moon at or before tm; tm + 0.375 when the search does not settle.
rtl::Real48 NewMoonBefore(const rtl::Real48& tm);

// The last solstice or equinox (Step 90) or principal term (Step 30) at or before tm.
struct SolarTerm {
    rtl::Real48 Moment;     // day count, JST
    rtl::Real48 Longitude;  // the multiple of Step it marks
};
SolarTerm SolarTermBefore(const rtl::Real48& tm, int Step);

// Rokuyo name of the day count tm (Japan Standard Time, 2000-01-01 00:00 = 2451544.0): one of
// "先勝" "友引" "先負" "仏滅" "大安" "赤口", or "？？"; empty outside 0001-01-01 .. 9999-12-31.
std::string Rokuyo(double tm);

// The same names for many days in a row: the months of the old calendar follow from the last
// solstice or equinox alone, so those worked out for one day serve every day of its quarter,
// and only that term is searched for the others. Rokuyo() keeps one per thread.
class RokuyoWalk {
public:
    std::string Name(double tm);

private:
    // One of the five months around the day: number 1..12, leap flag, first day.
    struct Row {
        rtl::Real48 Month;
        int Leap;
        rtl::Real48 First;
    };
    void WorkOutMonths(const SolarTerm& term0);
    bool known_ = false;
    SolarTerm term0_;
    Row rows_[5];
};
// The day count of midnight of a civil date, as the callers build it.
double RokuyoDayCount(int Year, int Month, int Day);
