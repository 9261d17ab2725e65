#include "calendar/Rokuyo.h"

// Placeholder until the series land.
std::string Rokuyo(double) { return "？？"; }
double RokuyoDayCount(int, int, int) { return 0; }
