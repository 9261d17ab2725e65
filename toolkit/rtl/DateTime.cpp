#include "toolkit/rtl/DateTime.h"

#include <cmath>
#include <ctime>
#ifndef _WIN32
#include <sys/time.h>
#endif

#include "toolkit/rtl/SysUtils.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace rtl {

static const int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYearGregorian(int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int DaysInMonthGregorian(int y, int m) {
    if (m < 1 || m > 12) return 0;
    return kMonthDays[m] + (m == 2 && IsLeapYearGregorian(y) ? 1 : 0);
}

bool IsValidDate(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonthGregorian(y, m);
}

bool TryEncodeDate(int y, int m, int d, TDateTime& out) {
    if (!IsValidDate(y, m, d)) return false;
    long long days = d;
    for (int i = 1; i < m; ++i) days += DaysInMonthGregorian(y, i);
    long long py = y - 1;
    days += py * 365 + py / 4 - py / 100 + py / 400;
    out = (double)(days - 693594);  // 693594 = days from 0001-01-01 to 1899-12-30
    return true;
}

TDateTime EncodeDate(int y, int m, int d) {
    TDateTime t;
    if (!TryEncodeDate(y, m, d, t)) throw EConvertError("日付が正しくありません。");
    return t;
}

TDateTime EncodeTime(int h, int n, int s, int ms) {
    if (h < 0 || h > 23 || n < 0 || n > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
        throw EConvertError("時刻が正しくありません。");
    return (h * 3600000.0 + n * 60000.0 + s * 1000.0 + ms) / 86400000.0;
}

// Milliseconds since the eve of 0001-01-01 (that day counts 1), rounded as the classic runtime
// does; false outside the date range.
static bool TotalMs(TDateTime t, long long& ms) {
    constexpr long long kDay = 86400000LL, kBefore = 693594LL, kLast = 2958465LL;  // 9999-12-31
    // Checked before converting: a cast of a value out of range is undefined.
    if (!(t > -(double)kBefore - 1 && t < (double)kLast + 1)) return false;
    ms = (long long)std::llround(t * (double)kDay) + kBefore * kDay;
    return ms >= kDay && ms < (kBefore + kLast + 1) * kDay;
}

void DecodeDate(TDateTime t, int& y, int& m, int& d) {
    long long ms;
    y = m = d = 0;
    if (!TotalMs(t, ms)) return;
    long long n = ms / 86400000LL - 1;  // from 0001-01-01 = 0
    long long y400 = n / 146097; n %= 146097;
    long long y100 = n / 36524; if (y100 == 4) y100 = 3; n -= y100 * 36524;
    long long y4 = n / 1461; n %= 1461;
    long long y1 = n / 365; if (y1 == 4) y1 = 3; n -= y1 * 365;
    y = (int)(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
    m = 1;
    while (n >= DaysInMonthGregorian(y, m)) { n -= DaysInMonthGregorian(y, m); ++m; }
    d = (int)n + 1;
}

void DecodeTime(TDateTime t, int& h, int& n, int& s, int& ms) {
    long long total;
    h = n = s = ms = 0;
    if (!TotalMs(t, total)) return;
    total %= 86400000LL;
    h = (int)(total / 3600000); total %= 3600000;
    n = (int)(total / 60000); total %= 60000;
    s = (int)(total / 1000);
    ms = (int)(total % 1000);
}

int DayOfWeek(TDateTime t) {
    long long ms;
    if (!TotalMs(t, ms)) return 0;
    return (int)(ms / 86400000LL % 7) + 1;  // 0001-01-01 (day 1) was a Monday
}

double DateOf(TDateTime t) {
    long long ms;
    if (TotalMs(t, ms)) return (double)(ms / 86400000LL - 693594LL);
    return std::floor(t);
}

static const char* const kShortDays[7] = {"日", "月", "火", "水", "木", "金", "土"};
static const char* const kLongDays[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

namespace {
struct Formatter {
    int dow;  // 0 outside the date range: no weekday name
    int y, mo, d, h, n, s, ms;
    std::string out;
    bool lastWasHour = false;

    const char* DayName(const char* const (&names)[7]) const { return dow >= 1 && dow <= 7 ? names[dow - 1] : ""; }

    void Run(const std::string& f) {
        size_t i = 0;
        auto count = [&](char c) {
            size_t k = i;
            while (k < f.size() && (f[k] == c || f[k] == c - 32 || f[k] == c + 32)) ++k;
            return k - i;
        };
        while (i < f.size()) {
            unsigned char c = (unsigned char)f[i];
            if (SjisCharLen(f, i) == 2) { out += f.substr(i, 2); i += 2; continue; }
            char lc = (char)((c >= 'A' && c <= 'Z') ? c + 32 : c);
            if (c == '"' || c == '\'') {
                size_t e = i + 1;
                while (e < f.size() && f[e] != (char)c) e += SjisCharLen(f, e);
                out += f.substr(i + 1, e - i - 1);
                i = e < f.size() ? e + 1 : e;
                continue;
            }
            switch (lc) {
                case 'y': {
                    size_t k = count('y');
                    out += k <= 2 ? ZeroPad(y % 100, 2) : ZeroPad(y, 4);
                    i += k; lastWasHour = false; break;
                }
                case 'm': {
                    size_t k = count('m');
                    if (lastWasHour && k <= 2) out += k == 1 ? IntToStr(n) : ZeroPad(n, 2);
                    else if (k == 1) out += IntToStr(mo);
                    else if (k == 2) out += ZeroPad(mo, 2);
                    else out += IntToStr(mo) + "月";
                    i += k; lastWasHour = false; break;
                }
                case 'd': {
                    size_t k = count('d');
                    if (k == 1) out += IntToStr(d);
                    else if (k == 2) out += ZeroPad(d, 2);
                    else if (k == 3) out += DayName(kShortDays);
                    else if (k == 4) out += DayName(kLongDays);
                    else if (k == 5) out += ZeroPad(y, 4) + "/" + ZeroPad(mo, 2) + "/" + ZeroPad(d, 2);
                    else out += IntToStr(y) + "年" + IntToStr(mo) + "月" + IntToStr(d) + "日";
                    i += k; lastWasHour = false; break;
                }
                case 'a': {
                    if (f.compare(i, 5, "am/pm") == 0 || f.compare(i, 5, "AM/PM") == 0) {
                        out += h < 12 ? "AM" : "PM"; i += 5; break;
                    }
                    size_t k = count('a');
                    if (k >= 4) out += DayName(kLongDays);
                    else if (k == 3) out += DayName(kShortDays);
                    else out += f.substr(i, k);
                    i += k; break;
                }
                case 'h': {
                    size_t k = count('h');
                    out += k == 1 ? IntToStr(h) : ZeroPad(h, 2);
                    i += k; lastWasHour = true; break;
                }
                case 'n': {
                    size_t k = count('n');
                    out += k == 1 ? IntToStr(n) : ZeroPad(n, 2);
                    i += k; lastWasHour = false; break;
                }
                case 's': {
                    size_t k = count('s');
                    out += k == 1 ? IntToStr(s) : ZeroPad(s, 2);
                    i += k; lastWasHour = false; break;
                }
                case 'z': {
                    size_t k = count('z');
                    out += k >= 3 ? ZeroPad(ms, 3) : IntToStr(ms);
                    i += k; break;
                }
                case 'c':
                    out += ZeroPad(y, 4) + "/" + ZeroPad(mo, 2) + "/" + ZeroPad(d, 2);
                    if (h || n || s) {
                        out += ' ';
                        out += IntToStr(h) + ":" + ZeroPad(n, 2) + ":" + ZeroPad(s, 2);
                    }
                    ++i; break;
                default:
                    out += (char)c; ++i; break;
            }
        }
    }
};
}  // namespace

std::string FormatDateTime(const std::string& fmt, TDateTime t) {
    Formatter f{DayOfWeek(t), 0, 0, 0, 0, 0, 0, 0, {}};
    DecodeDate(t, f.y, f.mo, f.d);
    DecodeTime(t, f.h, f.n, f.s, f.ms);
    f.Run(fmt);
    return f.out;
}

static std::function<TDateTime()> gNow;
static std::function<uint32_t()> gUptime;

void SetClockForTest(std::function<TDateTime()> now, std::function<uint32_t()> uptime) {
    gNow = std::move(now);
    gUptime = std::move(uptime);
}

TDateTime Now() {
    if (gNow) return gNow();
#ifdef _WIN32
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay) + EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
#else
    // <chrono> is avoided: its headers hold a character that code page 932 cannot encode.
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::time_t tt = tv.tv_sec;
    std::tm tm{};
    localtime_r(&tt, &tm);
    int ms = (int)(tv.tv_usec / 1000);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
#endif
}

TDateTime Date() { return DateOf(Now()); }

uint32_t UptimeMs() {
    if (gUptime) return gUptime();
#ifdef _WIN32
    return GetTickCount();
#else
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000ULL + ts.tv_nsec / 1000000);
#endif
}

}  // namespace rtl
