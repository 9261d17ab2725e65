// Julian-day arithmetic: civil dates to day numbers and weekdays across the change of October 1582,
// leap years, month lengths and the equinox days the month grid colours by itself.
// Day number = Julian Day Number of the civil date (2000-01-01 = 2451545). Years are astronomical.
#pragma once

#include "toolkit/rtl/SysUtils.h"

class EJuliusError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// Julian calendar up to 1582-10-04, Gregorian from 1582-10-15; the ten days between raise EJuliusError.
int JulianDay(int Year, int Month, int Day);
int JulianCalendarJD(int Year, int Month, int Day);
int GregorianJD(int Year, int Month, int Day);
// 1 = Sunday .. 7 = Saturday, for any day number.
int DayOfWeekFromJD(int JD);
bool IsLeapYear(int Year);
// Raises EJuliusError for a month outside 1..12.
int DaysInMonth(int Year, int Month);
// Day numbers of the civil dates (Japan Standard Time) of the equinoxes of a year.
int VernalEquinoxJD(int Year);
int AutumnalEquinoxJD(int Year);
