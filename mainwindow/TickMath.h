// The arithmetic of the clock page: gauge colours, shares, time bands, the goal and the second
// time zone. Window-free so that it can be checked on its own.
#pragma once
#include <string>

#include "toolkit/rtl/DateTime.h"

// Colour of the hour gauge (hours) or of the minute and second gauges by their value.
int GaugeColour(int value, bool hours);
// Whole per cent of pos in max (0 when max is 0).
int Percent(double pos, double max);
// "m/d(ddd) hh:mm:ss [-h:mm]" for the second zone, behind or ahead of now.
std::string SecondZoneText(rtl::TDateTime now, bool ahead, int hours, int minutes);

struct BandState {
    int position = 0;
    std::string hint;
};
// A titled band from start to end (times of day; across midnight when end < start) at now.
// A band of no length stands at 0.
BandState TimeBand(const std::string& title, double start, double end, rtl::TDateTime now);

struct GoalState {
    int position = 0;
    std::string hint;
};
GoalState GoalProgress(rtl::TDateTime start, rtl::TDateTime end, rtl::TDateTime now);
