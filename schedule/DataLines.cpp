#include "schedule/DataLines.h"

#include <algorithm>
#include <cstdio>

#include "toolkit/rtl/SysUtils.h"

namespace manage {

namespace {

using rtl::ZeroPad;

const char* const kWeekdayName[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
const char* WeekdayName(int w) { return kWeekdayName[(w + 6) % 7]; }

// Five slots, weeks 1..5: a chosen week as "第" and its digit, any other as two ideographic
// spaces; the fifth slot says "最終" for the last-week choice.
std::string WeekSlots(int mask) {
    static const char* const kOrdinal[5] = {"第１", "第２", "第３", "第４", "第５"};
    std::string s;
    for (int i = 0; i < 5; ++i)
        s += mask & (1 << i) ? kOrdinal[i] : i == 4 && mask == kLastWeek ? "最終" : "　　";
    return s;
}

std::string MonthDay(const NameFields& f) { return ZeroPad(f.month, 2) + "月" + ZeroPad(f.day, 2) + "日"; }
std::string DateText(const NameFields& f) { return ZeroPad(f.year % 100, 2) + "年" + MonthDay(f); }
std::string TimeText(const NameFields& f) { return ZeroPad(f.hour, 2) + "時" + ZeroPad(f.minute, 2) + "分"; }

// The reminders' shift suffix has a space before it; the entries' none.
std::string ReminderShift(DayOffShift s) {
    std::string t = entry::ShiftSuffix(s);
    return t.empty() ? t : " " + t;
}

bool IsDated(const NameFields& f) {
    return f.kind == NameKind::ScheduleOneDate || f.kind == NameKind::PopupOneDay;
}

int FirstYearWith(int year, int month, int day) {
    for (int y = year; y <= entry::kMaxYear; ++y)
        if (rtl::IsValidDate(y, month, day)) return y;
    for (int y = year - 1; y >= entry::kMinYear; --y)
        if (rtl::IsValidDate(y, month, day)) return y;
    return year;
}

void FirstMonthWith(int day, int& year, int& month) {
    for (int y = year, m = month; y <= entry::kMaxYear; m == 12 ? (++y, m = 1) : ++m)
        if (rtl::IsValidDate(y, m, day)) {
            year = y, month = m;
            return;
        }
    for (int y = year, m = month; y >= entry::kMinYear; m == 1 ? (--y, m = 12) : --m)
        if (rtl::IsValidDate(y, m, day)) {
            year = y, month = m;
            return;
        }
}

}  // namespace

std::string LineOf(const NameFields& f) {
    switch (f.kind) {
        case NameKind::ScheduleOneDate: return "To_do : " + DateText(f) + " ";
        case NameKind::ScheduleYearly: return "To_do : 毎年" + MonthDay(f) + " " + entry::ShiftSuffix(f.shift);
        case NameKind::ScheduleMonthly:
            return "To_do : 毎月" + ZeroPad(f.day, 2) + "日 " + entry::ShiftSuffix(f.shift);
        case NameKind::ScheduleWeekly: {
            std::string s = "Week" + rtl::IntToStr(f.weekday) + " : " + WeekdayName(f.weekday);
            return f.weekMask == kEveryWeek ? s : s + "(" + WeekSlots(f.weekMask) + ")";
        }
        case NameKind::PopupOneDay: return "Popup : " + DateText(f) + " " + TimeText(f);
        case NameKind::PopupYearly: return "Popup : 毎年" + MonthDay(f) + " " + TimeText(f) + ReminderShift(f.shift);
        case NameKind::PopupMonthly:
            return "Popup : 毎月" + ZeroPad(f.day, 2) + "日 " + TimeText(f) + ReminderShift(f.shift);
        case NameKind::PopupDaily: return "Popup : 毎日 " + TimeText(f);
        case NameKind::PopupWeekly: {
            std::string weeks = f.weekMask == kEveryWeek ? "(毎週) "
                                : f.weekMask == kLastWeek ? "(最終) "
                                                          : "(" + WeekSlots(f.weekMask) + ") ";
            return "Popw" + rtl::IntToStr(f.weekday) + " : " + WeekdayName(f.weekday) + weeks + TimeText(f);
        }
        case NameKind::PopupUptime: {
            char seconds[16];
            std::snprintf(seconds, sizeof seconds, "%7d", f.seconds);
            return std::string("Win98 : ") + seconds + "秒経過（Windows起動後）";
        }
        case NameKind::Birthday:
        case NameKind::NotOurs: break;
    }
    return {};
}

bool IsPast(const NameFields& f, rtl::TDateTime now) {
    if (f.kind == NameKind::ScheduleOneDate) return rtl::EncodeDate(f.year, f.month, f.day) < rtl::DateOf(now);
    if (f.kind == NameKind::PopupOneDay)
        return rtl::EncodeDate(f.year, f.month, f.day) + rtl::EncodeTime(f.hour, f.minute, 0, 0) < now;
    return false;
}

bool IsOnDay(const NameFields& f, rtl::TDateTime day) {
    if (!IsDated(f)) return false;
    int y, m, d;
    rtl::DecodeDate(day, y, m, d);
    return f.year == y && f.month == m && f.day == d;
}

bool LineBefore(const Line& a, const Line& b) {
    // std::string compares its bytes unsigned: Shift-JIS lead bytes sort after ASCII.
    int c = a.text.compare(b.text);
    return c != 0 ? c < 0 : a.name < b.name;
}

std::vector<Line> BuildList(Mode mode, const std::vector<std::string>& names, rtl::TDateTime now,
                            rtl::TDateTime day) {
    std::vector<Line> lines;
    lines.reserve(mode == Mode::All ? names.size() : 16);
    for (const std::string& name : names) {
        NameFields f = DecodeName(name);
        if (!f.ours() || f.kind == NameKind::Birthday) continue;
        if (mode == Mode::Past && !IsPast(f, now)) continue;
        if (mode == Mode::Day && !IsOnDay(f, day)) continue;
        lines.push_back({LineOf(f), name});
    }
    std::sort(lines.begin(), lines.end(), LineBefore);
    return lines;
}

std::string HeadingText(const std::string& line) { return line.size() > 8 ? line.substr(8) : std::string(); }

int HeadingWeekday(const NameFields& f) {
    if (f.kind == NameKind::ScheduleWeekly || f.kind == NameKind::PopupWeekly) return f.weekday;
    if (IsDated(f)) return rtl::DayOfWeek(rtl::EncodeDate(f.year, f.month, f.day));
    return 0;
}

EditorPreset PresetFor(const NameFields& f, rtl::TDateTime now) {
    EditorPreset p;
    int h, n, s, ms;
    rtl::DecodeDate(now, p.year, p.month, p.day);
    rtl::DecodeTime(now, h, n, s, ms);
    p.reminder = f.IsPopup();
    p.hour = f.hour >= 0 ? f.hour : h;
    p.minute = f.minute >= 0 ? f.minute : n;
    p.ifDayOff = (int)f.shift.move;
    p.saturday = f.shift.saturdayOff ? 1 : 0;
    switch (f.kind) {
        case NameKind::ScheduleOneDate:
        case NameKind::PopupOneDay:
            p.year = f.year, p.month = f.month, p.day = f.day;
            break;
        case NameKind::ScheduleYearly:
        case NameKind::PopupYearly:
            p.tab = entry::Repeat::Yearly;
            p.month = f.month, p.day = f.day;
            p.year = FirstYearWith(p.year, f.month, f.day);
            break;
        case NameKind::ScheduleMonthly:
        case NameKind::PopupMonthly:
            p.tab = entry::Repeat::Monthly;
            FirstMonthWith(f.day, p.year, p.month);
            p.day = f.day;
            break;
        case NameKind::ScheduleWeekly:
        case NameKind::PopupWeekly: {
            p.tab = entry::Repeat::Weekly;
            // The first day of this month on the name's weekday: the editors take it from the date.
            int first = rtl::DayOfWeek(rtl::EncodeDate(p.year, p.month, 1));
            p.day = 1 + (f.weekday - first + 7) % 7;
            p.weeks.last = f.weekMask == kLastWeek;
            for (int i = 0; i < 5; ++i) p.weeks.week[i] = !p.weeks.last && (f.weekMask & (1 << i));
            break;
        }
        case NameKind::PopupDaily: p.tab = entry::Repeat::Daily; break;
        case NameKind::PopupUptime:
            p.uptime = true;
            p.seconds = f.seconds;
            break;
        case NameKind::Birthday:
        case NameKind::NotOurs: break;
    }
    return p;
}

}  // namespace manage
