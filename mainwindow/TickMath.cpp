#include "mainwindow/TickMath.h"

#include <cmath>
#include <cstdio>

#include "toolkit/rtl/SysUtils.h"

using rtl::IntToStr;

int GaugeColour(int v, bool hours) {
    static const int colours[10] = {0xF00000, 0xD0002F, 0xBF003F, 0x9F005F, 0x800070,
                                    0x6F0090, 0x5000A0, 0x5000A0, 0x1F00E0, 0x0F00F0};
    static const int hourEnds[10] = {2, 5, 7, 10, 12, 14, 17, 20, 22, 23};
    int i = 0;
    if (hours) {
        while (i < 9 && v > hourEnds[i]) ++i;
    } else {
        i = v < 0 ? 0 : v / 6;
        if (i > 9) i = 9;
    }
    return colours[i];
}

int Percent(double pos, double max) {
    if (max == 0) return 0;
    // Date-times carry ~1e-11 days of rounding: without the nudge exact halves show 49%.
    return (int)std::trunc(pos / (max * 0.01) + 1e-7);
}

static int WholeMinutes(double days) { return (int)std::trunc(days * 1440.0 + 1e-6); }

std::string SecondZoneText(rtl::TDateTime now, bool ahead, int hours, int minutes) {
    rtl::TDateTime d = (hours * 60.0 + minutes) / 1440.0;  // in int, hours * 60 overflows past 35791394
    std::string s = ahead ? rtl::FormatDateTime("m/d(ddd) hh:mm:ss [+", now + d)
                          : rtl::FormatDateTime("m/d(ddd) hh:mm:ss [-", now - d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d:%.2d", hours, minutes);
    return s + buf + "]";
}

BandState TimeBand(const std::string& title, double start, double end, rtl::TDateTime now) {
    double t = now - std::floor(now);
    start -= std::floor(start);
    end -= std::floor(end);
    BandState b;
    const double lastMoment = rtl::EncodeTime(23, 59, 59, 999);
    double length = end >= start ? end - start : (lastMoment - start) + end;
    b.hint = title + "の割合\r" + rtl::FormatDateTime("hh:mm", start) + "～" + rtl::FormatDateTime("hh:mm", end) +
             " (" + IntToStr(WholeMinutes(length) + 1) + "分間)";
    if (end >= start) {
        b.position = Percent(t - start, length);
        if (t < start) b.hint += "\rあと " + IntToStr(WholeMinutes(start - t) + 1) + "分後です｡";
        else if (t <= end) b.hint += "\r現在 " + IntToStr(WholeMinutes(t - start)) + "分経過(" + IntToStr(b.position) + "%)";
        return b;
    }
    // Across midnight: the evening part, the gap after the end, or the morning part.
    double elapsed;
    if (start < t) elapsed = t - start;
    else if (end < t) {
        b.position = 100;
        return b;
    } else elapsed = (lastMoment - start) + t;
    b.position = Percent(elapsed, length);
    b.hint += "\r現在 " + IntToStr(WholeMinutes(elapsed)) + "分経過(" + IntToStr(b.position) + "%)";
    return b;
}

GoalState GoalProgress(rtl::TDateTime start, rtl::TDateTime end, rtl::TDateTime now) {
    GoalState g;
    g.position = Percent(now - start + 1, end - start + 1);
    if (now < start) {
        g.hint = "開始日まで､ あと" + IntToStr((long long)std::trunc(start - now) + 1) + "日です。";
        return g;
    }
    double e = now - start, l = end - start;
    std::string head = IntToStr((long long)std::trunc(e)) + "日(" + IntToStr(g.position) + "%)経過 ";
    if (e <= l) g.hint = head + "残り" + IntToStr((long long)std::trunc(l - e)) + "日";
    else g.hint = head + IntToStr((long long)std::trunc(e - l)) + "日超過";
    return g;
}
