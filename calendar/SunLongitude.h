// The Sun's ecliptic longitude at 00:00 Japan Standard Time of a civil date, and the equinox days
// decided on it (every reader of the holiday rules asks here, so they all agree).
// Values are six-byte reals, rounded at every store as the longitude series was tuned.
#pragma once

#include "toolkit/rtl/Real48.h"

// angle * pi * (1/180), pi in extended precision.
rtl::Real48 DegToRad(const rtl::Real48& Deg);
// Julian years from 1974-12-31 00:00 UT to 00:00 JST of the date; exact for the years 1901..2099
// (every fourth year counts as a leap year).
rtl::Real48 SunTimeArgument(const int& Year, const int& Month, const int& Day);
// Degrees, in [0, 360).
rtl::Real48 SunLongitude(const rtl::Real48& T);
// Longitude at 00:00 JST of the date.
long double SunLongitudeOfDate(int Year, int Month, int Day);

// The equinox day is the day at whose start the Sun has not yet reached 0 (180) degrees and at
// whose end it has: a day of March 19..22 (September 21..24), clamped to that range.
int VernalEquinoxDay(int Year);    // day of March
int AutumnalEquinoxDay(int Year);  // day of September
bool IsEquinoxDay(int Year, int Month, int Day);
