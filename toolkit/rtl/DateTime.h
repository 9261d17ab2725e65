// The date-time value: a double counting days since 1899-12-30, the fraction being the time of day.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace rtl {

using TDateTime = double;

bool IsValidDate(int y, int m, int d);
bool IsLeapYearGregorian(int y);
int DaysInMonthGregorian(int y, int m);
// Raise EConvertError on an impossible date or time.
TDateTime EncodeDate(int y, int m, int d);
TDateTime EncodeTime(int h, int n, int s, int ms);
bool TryEncodeDate(int y, int m, int d, TDateTime& out);
// The date range is 0001-01-01 00:00:00.000 to 9999-12-31 23:59:59.999 after rounding to the
// millisecond. Outside it (NaN and infinities too) the decoders give zeros and DayOfWeek gives 0.
void DecodeDate(TDateTime t, int& y, int& m, int& d);
void DecodeTime(TDateTime t, int& h, int& n, int& s, int& ms);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime t);
// Patterns: y yy yyyy m mm mmm mmmm d dd ddd dddd aaa aaaa h hh n nn s ss z zzz, "m" after "h"
// meaning minutes, "..." and '...' literals, '/' and ':' separators, am/pm, c and ddddd.
// A value outside the date range prints zeros (0000/00/00 00:00:00) and no weekday name.
std::string FormatDateTime(const std::string& fmt, TDateTime t);
// The day part only, towards minus infinity and after the same rounding to the millisecond as
// DecodeDate, so the two always name the same day (23:59:59.9996 belongs to the next one).
double DateOf(TDateTime t);

// The clock seam: every "now", "today" and uptime read of the program goes through these.
TDateTime Now();
TDateTime Date();
uint32_t UptimeMs();  // milliseconds since Windows started (GetTickCount)
// Tests set a fixed clock; an empty function restores the real one.
void SetClockForTest(std::function<TDateTime()> now, std::function<uint32_t()> uptime = {});

}  // namespace rtl
