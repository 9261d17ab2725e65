// The cycle tracker's arithmetic: registered start dates as "yyyy/mm/dd" texts, cycle lengths and
// their averages, the two forecasts and the day marks of one forecast cycle. Window-free.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace period {

// The day number (date-time days) of a "yyyy/mm/dd" text, read at characters 1-4, 6-7 and 9-10;
// nothing when it is no date.
std::optional<long long> DayOf(const std::string& text);
// "yyyy/mm/dd" and "yyyy/mm/dd (aaa)" of a day number.
std::string DateText(long long day);
std::string DateWeekText(long long day);
// The first and last day number of 0001-01-01 .. 9999-12-31.
long long FirstDay();
long long LastDay();

// The averages shown in the three boxes: common, next alternation and the one after. Texts that
// are no dates end the reading, as in the window; with no cycles every average is 28.
struct Averages {
    long long common = 28, next = 28, after = 28;
};
struct Cycles {
    std::vector<long long> all, even, odd;  // lengths in days; even/odd by the later date's position
};
Cycles CycleLengths(const std::vector<std::string>& dates);
Averages AveragesOf(const Cycles& c, size_t dateCount);

// Up to 100 forecast days from base: with the common step, and alternating next/after. Each list
// stops at the first day outside the date range.
struct Forecast {
    std::vector<long long> common, alternating;
};
Forecast ForecastFrom(long long base, const Averages& a);

// The lines of the days start..end with their marks, periodDays being the period length.
std::vector<std::string> DayMarks(long long start, long long end, int periodDays);

// What a missing date entry reads as.
inline constexpr char kNoDate[] = "-end-";
// The registered dates of a [Period] section: entries "0" .. count - 1 as entry reads them. keys
// is the number of keys the section holds: a damaged count cannot run past them (one is Count).
std::vector<std::string> SectionDates(int count, int keys, const std::function<std::string(int)>& entry);

// The union of two date lists, sorted as text (hence by date) with no duplicates.
std::vector<std::string> MergeDates(const std::vector<std::string>& a, const std::vector<std::string>& b);

}  // namespace period
