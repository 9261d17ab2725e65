#include "schedule/ScheduleName.h"

#include "toolkit/rtl/DateTime.h"

namespace {

// Shift spellings, indexed keep, previous/working Saturday, previous/Saturday off,
// next/working Saturday, next/Saturday off.
const char* const kCode4[5] = {"____", "~___", "~_~~", "_~__", "_~~~"};
const char* const kCode2[5] = {"__", "-_", "-~", "~_", "~~"};

int ShiftIndex(const DayOffShift& s) {
    switch (s.move) {
        case ShiftMove::Previous: return s.saturdayOff ? 2 : 1;
        case ShiftMove::Next: return s.saturdayOff ? 4 : 3;
        default: return 0;
    }
}

DayOffShift ShiftOfIndex(int i) {
    DayOffShift s;
    s.move = i == 0 ? ShiftMove::Keep : i <= 2 ? ShiftMove::Previous : ShiftMove::Next;
    s.saturdayOff = i == 2 || i == 4;
    return s;
}

bool ShiftFrom(std::string_view code, const char* const* table, DayOffShift& out) {
    for (int i = 0; i < 5; ++i)
        if (code == table[i]) {
            out = ShiftOfIndex(i);
            return true;
        }
    return false;
}

// Two digits at p; a value outside 0..99 keeps its last two digits so names keep their length.
void Put2(char* p, int v) {
    v = (v % 100 + 100) % 100;
    p[0] = char('0' + v / 10);
    p[1] = char('0' + v % 10);
}

void Put3(char* p, const char* s) {
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
}

// The value of two decimal digits at s[i], or -1.
int Get2(const char* s, int i) {
    char a = s[i], b = s[i + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

bool Is(const char* s, int i, std::string_view lit) { return std::string_view(s + i, lit.size()) == lit; }

// Month and day as yearly names hold them: any day that exists in some year (29 February too).
bool ValidMonthDay(int m, int d) { return m >= 1 && m <= 12 && d >= 1 && d <= rtl::DaysInMonthGregorian(2000, m); }

// A dated name's fields, or false when the date cannot exist in the year read back.
bool ReadDate(const char* s, int mmAt, int yyAt, NameFields& f) {
    int m = Get2(s, mmAt), d = Get2(s, mmAt + 2), yy = Get2(s, yyAt);
    if (m < 0 || d < 0 || yy < 0) return false;
    int y = YearFromTwoDigits(yy);
    if (!rtl::IsValidDate(y, m, d)) return false;
    f.year = y;
    f.month = m;
    f.day = d;
    return true;
}

NameFields Decoded(NameFields f, NameKind k) {
    f.kind = k;
    return f;
}

NameFields DecodeBirthday(const char* s, int n) {
    NameFields f;
    if (n == 11 && ReadDate(s, 4, 9, f)) return Decoded(f, NameKind::Birthday);
    return {};
}

NameFields DecodeUptime(const char* s, int n) {
    if (n != 11 || !Is(s, 9, "__")) return {};
    int v = 0;
    for (int i = 1; i <= 7; ++i) {
        if (s[i] < '0' || s[i] > '9') return {};
        v = v * 10 + (s[i] - '0');
    }
    if (v % 10 != 0 || v < PopupFileName::kUptimeMin || v > PopupFileName::kUptimeMax) return {};
    NameFields f;
    f.seconds = v;
    return Decoded(f, NameKind::PopupUptime);
}

NameFields DecodeSchedule(const char* s, int n) {
    NameFields f;
    if (n == 12) {  // weekly: five flags, "___", weekday code
        int mask = 0;
        for (int i = 0; i < 5; ++i) {
            if (s[i] == '_') mask |= 1 << i;
            else if (s[i] != '~') return {};
        }
        f.weekday = WeekdayFromCode(std::string_view(s + 9, 3));
        if (!Is(s, 5, "___") || f.weekday == 0) return {};
        f.weekMask = mask == 0 ? kLastWeek : mask;
        return Decoded(f, NameKind::ScheduleWeekly);
    }
    if (!DayOffShift::FromCode4(std::string_view(s, 4), f.shift)) return {};
    if (Is(s, 4, "__")) {  // monthly
        f.day = Get2(s, 6);
        if (f.day < 1 || f.day > 31 || !Is(s, 9, "__")) return {};
        return Decoded(f, NameKind::ScheduleMonthly);
    }
    if (Is(s, 9, "__")) {  // yearly
        f.month = Get2(s, 4);
        f.day = Get2(s, 6);
        if (!ValidMonthDay(f.month, f.day)) return {};
        return Decoded(f, NameKind::ScheduleYearly);
    }
    // One date: never shifted.
    if (f.shift.move != ShiftMove::Keep || !ReadDate(s, 4, 9, f)) return {};
    return Decoded(f, NameKind::ScheduleOneDate);
}

NameFields DecodePopup(const char* s, int n) {
    NameFields f;
    f.hour = Get2(s, 0);
    f.minute = Get2(s, 2);
    if (f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59) return {};
    std::string_view ext(s + 9, n - 9);
    if (n == 12) {  // weekly: "____" or "__" + mask, weekday code
        f.weekday = WeekdayFromCode(ext);
        if (f.weekday == 0 || !Is(s, 4, "__")) return {};
        if (Is(s, 6, "__")) {
            f.weekMask = kEveryWeek;
        } else {
            f.weekMask = Get2(s, 6);
            if (!((f.weekMask >= 1 && f.weekMask <= 30) || f.weekMask == kLastWeek)) return {};
        }
        return Decoded(f, NameKind::PopupWeekly);
    }
    if (Is(s, 4, "____")) {
        if (ext != "__") return {};
        return Decoded(f, NameKind::PopupDaily);
    }
    if (Is(s, 4, "__")) {  // monthly
        f.day = Get2(s, 6);
        if (f.day < 1 || f.day > 31 || !DayOffShift::FromCode2(ext, f.shift)) return {};
        return Decoded(f, NameKind::PopupMonthly);
    }
    if (DayOffShift::FromCode2(ext, f.shift)) {  // yearly
        f.month = Get2(s, 4);
        f.day = Get2(s, 6);
        if (!ValidMonthDay(f.month, f.day)) return {};
        return Decoded(f, NameKind::PopupYearly);
    }
    if (!ReadDate(s, 4, 9, f)) return {};
    return Decoded(f, NameKind::PopupOneDay);
}

// A name of the fixed length with its hour and minute (or prefix) written, the rest "_".
std::string Blank(int len) {
    std::string s(len, '_');
    s[8] = '.';
    return s;
}

std::string PopupHead(int len, int hour, int minute) {
    std::string s = Blank(len);
    Put2(&s[0], hour);
    Put2(&s[2], minute);
    return s;
}

}  // namespace

DayOffShift DayOffShift::FromRadio(int ifDayOff, int saturday) {
    DayOffShift s;
    s.move = ifDayOff == 1 ? ShiftMove::Previous : ifDayOff == 2 ? ShiftMove::Next : ShiftMove::Keep;
    s.saturdayOff = s.move != ShiftMove::Keep && saturday == 1;
    return s;
}

const char* DayOffShift::Code4() const { return kCode4[ShiftIndex(*this)]; }
const char* DayOffShift::Code2() const { return kCode2[ShiftIndex(*this)]; }
bool DayOffShift::FromCode4(std::string_view code, DayOffShift& out) { return ShiftFrom(code, kCode4, out); }
bool DayOffShift::FromCode2(std::string_view code, DayOffShift& out) { return ShiftFrom(code, kCode2, out); }
bool DayOffShift::operator==(const DayOffShift& o) const { return ShiftIndex(*this) == ShiftIndex(o); }

int NormalWeekMask(int mask) {
    if (mask & kLastWeek) return kLastWeek;
    mask &= kEveryWeek;
    return mask == 0 ? kEveryWeek : mask;
}

std::string ScheduleWeekFlags(int mask) {
    mask = NormalWeekMask(mask);
    std::string s(5, '~');
    for (int i = 0; i < 5; ++i)
        if (mask & (1 << i)) s[i] = '_';
    return s;
}

std::string PopupWeekMask(int mask) {
    mask = NormalWeekMask(mask);
    std::string s(4, '_');
    if (mask != kEveryWeek) Put2(&s[2], mask);
    return s;
}

const char* WeekdayCode(int weekday) {
    static const char* const codes[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    return codes[(weekday % 7 + 6) % 7];  // not weekday - 1: INT_MIN has no predecessor
}

int WeekdayFromCode(std::string_view code) {
    if (code.size() != 3) return 0;
    char up[3];
    for (int i = 0; i < 3; ++i) up[i] = code[i] >= 'a' && code[i] <= 'z' ? char(code[i] - 32) : code[i];
    for (int w = 1; w <= 7; ++w)
        if (std::string_view(up, 3) == WeekdayCode(w)) return w;
    return 0;
}

int YearFromTwoDigits(int yy) { return yy < 30 ? 2000 + yy : 1900 + yy; }

namespace ScheduleFileName {

std::string OneDate(int year, int month, int day) {
    std::string s = Blank(11);
    Put2(&s[4], month);
    Put2(&s[6], day);
    Put2(&s[9], year);
    return s;
}

std::string Yearly(DayOffShift shift, int month, int day) {
    std::string s = Blank(11);
    s.replace(0, 4, shift.Code4());
    Put2(&s[4], month);
    Put2(&s[6], day);
    return s;
}

std::string Monthly(DayOffShift shift, int day) {
    std::string s = Blank(11);
    s.replace(0, 4, shift.Code4());
    Put2(&s[6], day);
    return s;
}

std::string Weekly(int weekMask, int weekday) {
    std::string s = Blank(12);
    s.replace(0, 5, ScheduleWeekFlags(weekMask));
    Put3(&s[9], WeekdayCode(weekday));
    return s;
}

}  // namespace ScheduleFileName

namespace PopupFileName {

std::string OneDay(int hour, int minute, int year, int month, int day) {
    std::string s = PopupHead(11, hour, minute);
    Put2(&s[4], month);
    Put2(&s[6], day);
    Put2(&s[9], year);
    return s;
}

std::string Yearly(int hour, int minute, int month, int day, DayOffShift shift) {
    std::string s = PopupHead(11, hour, minute);
    Put2(&s[4], month);
    Put2(&s[6], day);
    s.replace(9, 2, shift.Code2());
    return s;
}

std::string Monthly(int hour, int minute, int day, DayOffShift shift) {
    std::string s = PopupHead(11, hour, minute);
    Put2(&s[6], day);
    s.replace(9, 2, shift.Code2());
    return s;
}

std::string Weekly(int hour, int minute, int weekMask, int weekday) {
    std::string s = PopupHead(12, hour, minute);
    s.replace(4, 4, PopupWeekMask(weekMask));
    Put3(&s[9], WeekdayCode(weekday));
    return s;
}

std::string Daily(int hour, int minute) { return PopupHead(11, hour, minute); }

std::string Uptime(long long seconds) {
    seconds -= seconds % 10;  // toward zero; negatives are clamped below anyway
    if (seconds < kUptimeMin) seconds = kUptimeMin;
    if (seconds > kUptimeMax) seconds = kUptimeMax;
    std::string s = Blank(11);
    s[0] = 'W';
    for (int i = 7; i >= 1; --i, seconds /= 10) s[i] = char('0' + seconds % 10);
    return s;
}

std::string UptimeTick(uint32_t uptimeMs) {
    uint32_t v = uptimeMs / 10000 * 10;
    std::string s = Blank(11);
    s[0] = 'W';
    for (int i = 7; i >= 1; --i, v /= 10) s[i] = char('0' + v % 10);
    return s;
}

}  // namespace PopupFileName

std::string BirthdayFileName(int year, int month, int day) {
    std::string s = "BORN____.__";
    Put2(&s[4], month);
    Put2(&s[6], day);
    Put2(&s[9], year);
    return s;
}

std::string BirthdayPattern(int month, int day) {
    std::string s = "BORN____.*";
    Put2(&s[4], month);
    Put2(&s[6], day);
    return s;
}

std::string DataFilePath(std::string_view directory, std::string_view name) {
    std::string s;
    s.reserve(directory.size() + 1 + name.size());
    s.append(directory);
    s += '\\';
    s.append(name);
    return s;
}

NameFields DecodeName(std::string_view name) {
    const int n = int(name.size());
    if (n != 11 && n != 12) return {};
    char s[12];
    for (int i = 0; i < n; ++i) s[i] = name[i] >= 'a' && name[i] <= 'z' ? char(name[i] - 32) : name[i];
    if (s[8] != '.') return {};
    if (Is(s, 0, "BORN")) return DecodeBirthday(s, n);
    if (s[0] == 'W') return DecodeUptime(s, n);
    if (s[0] == '_' || s[0] == '~') return DecodeSchedule(s, n);
    if (s[0] >= '0' && s[0] <= '9') return DecodePopup(s, n);
    return {};
}

std::string EncodeName(const NameFields& f) {
    switch (f.kind) {
        case NameKind::Birthday: return BirthdayFileName(f.year, f.month, f.day);
        case NameKind::ScheduleOneDate: return ScheduleFileName::OneDate(f.year, f.month, f.day);
        case NameKind::ScheduleYearly: return ScheduleFileName::Yearly(f.shift, f.month, f.day);
        case NameKind::ScheduleMonthly: return ScheduleFileName::Monthly(f.shift, f.day);
        case NameKind::ScheduleWeekly: return ScheduleFileName::Weekly(f.weekMask, f.weekday);
        case NameKind::PopupOneDay: return PopupFileName::OneDay(f.hour, f.minute, f.year, f.month, f.day);
        case NameKind::PopupYearly: return PopupFileName::Yearly(f.hour, f.minute, f.month, f.day, f.shift);
        case NameKind::PopupMonthly: return PopupFileName::Monthly(f.hour, f.minute, f.day, f.shift);
        case NameKind::PopupWeekly: return PopupFileName::Weekly(f.hour, f.minute, f.weekMask, f.weekday);
        case NameKind::PopupDaily: return PopupFileName::Daily(f.hour, f.minute);
        case NameKind::PopupUptime: return PopupFileName::Uptime(f.seconds);
        case NameKind::NotOurs: break;
    }
    return {};
}
