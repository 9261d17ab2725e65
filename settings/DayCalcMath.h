// The day calculator's arithmetic: date-times as whole seconds from 0001-01-01 00:00:00 in 64-bit
// integers (so no span loses a second to rounding), the breakdown lines of a span, and the
// date-time an interval before or after a start. Window-free.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace daycalc {

struct Moment {
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// 9999-12-31 23:59:59 counted from 0001-01-01 00:00:00.
constexpr int64_t kLastSecond = 315537897599LL;

// Whole seconds since 0001-01-01 00:00:00 (proleptic Gregorian), or nothing for an impossible
// date or time.
std::optional<int64_t> SecondsOf(const Moment& m);
// The moment of a second count inside 0 .. kLastSecond.
Moment MomentOf(int64_t seconds);

// "###,###,##0": thousands separated by commas.
std::string Grouped(int64_t v);
// "yyyy/mm/dd (aaa) HH:MM:SS" with the Japanese weekday.
std::string FormatMoment(const Moment& m);

// What Calculate writes: the lines so far, and false when it had to stop (the warning shows).
struct Result {
    std::vector<std::string> lines;
    bool ok = true;
};

// From a to b (exchanged when b is earlier): the two date-times, a rule, and the four breakdown
// lines (days/hours/minutes/seconds, total hours, total minutes, total seconds).
Result Span(const Moment& a, const Moment& b);
// The four breakdown lines of a span of s seconds; parts that are 0 are left out (the last line
// always shows its seconds).
std::vector<std::string> Breakdown(int64_t s);

struct Interval {
    int days = 0, hours = 0, minutes = 0, seconds = 0;
};
// The date-time the interval after (later) or before start lies at.
Result Shift(const Moment& start, const Interval& by, bool later);

}  // namespace daycalc
