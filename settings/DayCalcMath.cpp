#include "settings/DayCalcMath.h"

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace daycalc {

namespace {

constexpr int64_t kDay = 86400;
const char kRule[] = "==================================";

// Days from 0001-01-01 to y-m-d in the proleptic Gregorian calendar.
int64_t DayCount(int y, int m, int d) {
    static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int64_t py = y - 1;
    int64_t days = py * 365 + py / 4 - py / 100 + py / 400 + before[m - 1] + (d - 1);
    if (m > 2 && rtl::IsLeapYearGregorian(y)) ++days;
    return days;
}

std::string Part(int64_t v, const char* unit) { return v == 0 ? std::string() : Grouped(v) + unit; }

}  // namespace

std::optional<int64_t> SecondsOf(const Moment& m) {
    if (m.year < 1 || m.year > 9999 || !rtl::IsValidDate(m.year, m.month, m.day)) return std::nullopt;
    if (m.hour < 0 || m.hour > 23 || m.minute < 0 || m.minute > 59 || m.second < 0 || m.second > 59)
        return std::nullopt;
    return DayCount(m.year, m.month, m.day) * kDay + m.hour * 3600 + m.minute * 60 + m.second;
}

Moment MomentOf(int64_t seconds) {
    int64_t days = seconds / kDay, rest = seconds % kDay;
    Moment m;
    m.hour = int(rest / 3600);
    m.minute = int(rest / 60 % 60);
    m.second = int(rest % 60);
    // The year from an estimate that is at most one too high, then the month by the table.
    int y = int(days * 400 / 146097) + 1;
    while (y > 1 && DayCount(y, 1, 1) > days) --y;
    while (y < 9999 && DayCount(y + 1, 1, 1) <= days) ++y;
    int mo = 12;
    while (mo > 1 && DayCount(y, mo, 1) > days) --mo;
    m.year = y;
    m.month = mo;
    m.day = int(days - DayCount(y, mo, 1)) + 1;
    return m;
}

std::string Grouped(int64_t v) {
    std::string digits = std::to_string(v < 0 ? -v : v), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return v < 0 ? "-" + out : out;
}

std::string FormatMoment(const Moment& m) {
    std::string weekday = rtl::FormatDateTime("aaa", rtl::EncodeDate(m.year, m.month, m.day));
    return rtl::ZeroPad(m.year, 4) + "/" + rtl::ZeroPad(m.month, 2) + "/" + rtl::ZeroPad(m.day, 2) + " (" + weekday +
           ") " + rtl::ZeroPad(m.hour, 2) + ":" + rtl::ZeroPad(m.minute, 2) + ":" + rtl::ZeroPad(m.second, 2);
}

std::vector<std::string> Breakdown(int64_t s) {
    const int64_t sec = s % 60, totalMin = s / 60, min = totalMin % 60, totalHour = totalMin / 60,
                  hour = totalHour % 24, day = totalHour / 24;
    return {
        Part(day, "日 ") + Part(hour, "時間 ") + Part(min, "分 ") + Part(sec, "秒"),
        Part(totalHour, "時間 ") + Part(min, "分 ") + Part(sec, "秒"),
        Part(totalMin, "分 ") + Part(sec, "秒"),
        Grouped(s) + "秒",
    };
}

Result Span(const Moment& a, const Moment& b) {
    Result r;
    auto sa = SecondsOf(a), sb = SecondsOf(b);
    if (!sa || !sb) {
        r.ok = false;
        return r;
    }
    Moment from = a, to = b;
    if (*sb < *sa) {
        std::swap(from, to);
        std::swap(sa, sb);
    }
    r.lines = {FormatMoment(from) + " から", FormatMoment(to) + " 迄の時間", kRule};
    for (auto& line : Breakdown(*sb - *sa)) r.lines.push_back(line);
    return r;
}

Result Shift(const Moment& start, const Interval& by, bool later) {
    Result r;
    auto s = SecondsOf(start);
    if (!s) {
        r.ok = false;
        return r;
    }
    r.lines.push_back(FormatMoment(start) + " から");
    r.lines.push_back(Grouped(by.days) + "日 " + rtl::IntToStr(by.hours) + "時間 " + rtl::IntToStr(by.minutes) + "分 " +
                      rtl::IntToStr(by.seconds) + "秒" + (later ? "後の日時" : "前の日時"));
    r.lines.push_back(kRule);
    const int64_t step = int64_t(by.days) * kDay + int64_t(by.hours) * 3600 + int64_t(by.minutes) * 60 + by.seconds;
    const int64_t t = later ? *s + step : *s - step;
    if (t < 0 || t > kLastSecond) {
        r.ok = false;
        return r;
    }
    r.lines.push_back(FormatMoment(MomentOf(t)));
    return r;
}

}  // namespace daycalc
