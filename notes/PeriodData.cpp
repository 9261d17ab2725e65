#include "notes/PeriodData.h"

#include <algorithm>
#include <cmath>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace period {

std::optional<long long> DayOf(const std::string& text) {
    if (text.size() < 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
    int y, m, d;
    if (!rtl::TryStrToInt(text.substr(0, 4), y) || !rtl::TryStrToInt(text.substr(5, 2), m) ||
        !rtl::TryStrToInt(text.substr(8, 2), d))
        return std::nullopt;
    rtl::TDateTime t;
    if (y < 1 || !rtl::TryEncodeDate(y, m, d, t)) return std::nullopt;
    return std::llround(t);
}

std::string DateText(long long day) { return rtl::FormatDateTime("yyyy/mm/dd", double(day)); }
std::string DateWeekText(long long day) { return rtl::FormatDateTime("yyyy/mm/dd (aaa)", double(day)); }

long long FirstDay() { return std::llround(rtl::EncodeDate(1, 1, 1)); }
long long LastDay() { return std::llround(rtl::EncodeDate(9999, 12, 31)); }

Cycles CycleLengths(const std::vector<std::string>& dates) {
    Cycles c;
    for (size_t i = 1; i < dates.size(); ++i) {
        auto before = DayOf(dates[i - 1]), here = DayOf(dates[i]);
        if (!before || !here) break;
        long long length = *here - *before;
        c.all.push_back(length);
        // Positions count from 1: the date at index i is position i + 1.
        ((i + 1) % 2 == 0 ? c.even : c.odd).push_back(length);
    }
    return c;
}

namespace {
long long Mean(const std::vector<long long>& v) {
    long long sum = 0;
    for (long long x : v) sum += x;
    return sum / (long long)v.size();
}
}  // namespace

Averages AveragesOf(const Cycles& c, size_t dateCount) {
    Averages a;
    if (!c.all.empty()) a.common = Mean(c.all);
    const bool oddCount = dateCount % 2 == 1;
    if (!c.even.empty()) (oddCount ? a.next : a.after) = Mean(c.even);
    if (!c.odd.empty()) (oddCount ? a.after : a.next) = Mean(c.odd);
    return a;
}

Forecast ForecastFrom(long long base, const Averages& a) {
    Forecast f;
    const long long first = FirstDay(), last = LastDay();
    auto inRange = [&](long long d) { return d >= first && d <= last; };
    bool common = true, alternating = true;
    for (long long k = 1; k <= 100; ++k) {
        // Averages are ints, so k * average stays far inside 64 bits.
        long long c = base + a.common * k;
        long long s = k % 2 == 1 ? base + a.next * ((k + 1) / 2) + a.after * (k / 2) : base + (a.next + a.after) * (k / 2);
        common = common && inRange(c);
        alternating = alternating && inRange(s);
        if (common) f.common.push_back(c);
        if (alternating) f.alternating.push_back(s);
    }
    return f;
}

std::vector<std::string> DayMarks(long long s, long long e, int days) {
    std::vector<std::string> lines;
    for (long long n = s; n <= e; ++n) {
        const char* mark = n < s + days          ? "×　生理中"
                           : n >= e - 23 && n < e - 19 ? "？　　　安全日"
                           : n >= e - 19 && n < e - 16 ? "？　　危険日"
                           : n >= e - 16 && n < e - 11 ? "×【危険日】"
                           : n >= e - 11 && n < e - 10 ? "？　　危険日"
                           : n < e                     ? "△　　　　安全日"
                                                       : "×　生理中";
        lines.push_back(DateWeekText(n) + " " + mark);
    }
    return lines;
}

std::vector<std::string> SectionDates(int count, int keys, const std::function<std::string(int)>& entry) {
    std::vector<std::string> dates;
    count = std::min(count, keys - 1);
    for (int i = 0; i < count; ++i) dates.push_back(entry(i));
    return dates;
}

std::vector<std::string> MergeDates(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::string> all(a);
    all.insert(all.end(), b.begin(), b.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

}  // namespace period
