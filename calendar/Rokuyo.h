// The old lunisolar calendar of a day and its rokuyo name, from truncated series of the Sun's and
// the Moon's longitudes. Pure computation: no settings, nothing kept between calls.
#pragma once

#include <string>

// Rokuyo name of the day count tm (Japan Standard Time, 2000-01-01 00:00 = 2451544.0): one of
// "先勝" "友引" "先負" "仏滅" "大安" "赤口", or "？？".
std::string Rokuyo(double tm);
// The day count of midnight of a civil date, as the callers build it.
double RokuyoDayCount(int Year, int Month, int Day);
