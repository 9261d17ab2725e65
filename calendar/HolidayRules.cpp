#include "calendar/HolidayRules.h"

#include "calendar/SunLongitude.h"
#include "toolkit/rtl/SysUtils.h"

using rtl::TDateTime;

namespace {

struct Ymd {
    int y, m, d, dow;  // dow: 1 = Sunday .. 7 = Saturday
};

Ymd Split(TDateTime t) {
    Ymd r{};
    t = rtl::DateOf(t);
    rtl::DecodeDate(t, r.y, r.m, r.d);
    r.dow = rtl::DayOfWeek(t);
    return r;
}

std::string Key(const Ymd& x) { return rtl::ZeroPad(x.m, 2) + "/" + rtl::ZeroPad(x.d, 2); }

bool IsMovedKey(const std::string& key) { return key == "01/15" || key == "10/10"; }

bool IsSecondMonday(const Ymd& x) { return x.dow == 2 && x.d >= 8 && x.d <= 14; }

// Rule of the table: a non-empty value, the moved keys skipped when asked.
const std::string& TableValue(const HolidayTable& table, const Ymd& x, bool skipMovedKeys) {
    static const std::string none;
    std::string key = Key(x);
    if (skipMovedKeys && IsMovedKey(key)) return none;
    return table.Value(key);
}

bool IsEquinox(const Ymd& x) { return IsEquinoxDay(x.y, x.m, x.d); }

}  // namespace

const std::string& HolidayTable::Value(const std::string& key) const {
    static const std::string none;
    for (const auto& kv : Horiday)
        if (rtl::SameTextAscii(kv.first, key)) return kv.second;
    return none;
}

const std::vector<std::pair<std::string, std::string>>& DefaultHolidays() {
    static const std::vector<std::pair<std::string, std::string>> list = {
        {"01/01", "【元旦】"},         {"01/15", "【成人の日】"},   {"02/11", "【建国記念の日】"},
        {"04/29", "【みどりの日】"},   {"05/03", "【憲法記念日】"}, {"05/04", "【国民の休日】"},
        {"05/05", "【こどもの日】"},   {"07/20", "【海の日】"},     {"09/15", "【敬老の日】"},
        {"10/10", "【体育の日】"},     {"11/03", "【文化の日】"},   {"11/23", "【勤労感謝の日】"},
        {"12/23", "【天皇誕生日】"},
    };
    return list;
}

bool IsHappyMondayMode(const HolidayTable& table, int year) { return table.HappyMonday && year >= 2000; }

std::string TableHolidayText(const HolidayTable& table, TDateTime date) {
    Ymd x = Split(date);
    return TableValue(table, x, IsHappyMondayMode(table, x.y));
}

std::string SecondMondayText(const HolidayTable& table, TDateTime date) {
    Ymd x = Split(date);
    if (!IsHappyMondayMode(table, x.y) || !IsSecondMonday(x)) return "";
    if (x.m == 1) return "【成人の日】";
    if (x.m == 10) return "【体育の日】";
    return "";
}

std::vector<std::string> HolidayTexts(const HolidayTable& table, TDateTime date) {
    std::vector<std::string> texts;
    Ymd x = Split(date);
    if (x.m == 3 && IsEquinox(x)) texts.push_back("【春分の日】");
    if (x.m == 9 && IsEquinox(x)) texts.push_back("【秋分の日】");
    std::string s = TableHolidayText(table, date);
    if (!s.empty()) texts.push_back(s);
    s = SecondMondayText(table, date);
    if (!s.empty()) texts.push_back(s);
    if (x.dow == 2) {
        Ymd sun = Split(rtl::DateOf(date) - 1);
        if (!TableValue(table, sun, IsHappyMondayMode(table, sun.y)).empty()) texts.push_back("【振替休日】");
        if (IsEquinox(sun)) texts.push_back("【振替休日】");
    }
    return texts;
}

bool IsHoliday(const HolidayTable& table, TDateTime date) { return !HolidayTexts(table, date).empty(); }

bool IsDayOff(const HolidayTable& table, TDateTime date, bool saturdayIsDayOff) {
    Ymd x = Split(date);
    // January 15 and October 10, or the second Mondays that replace them.
    if (x.m == 1 || x.m == 10) {
        if (IsHappyMondayMode(table, x.y) ? IsSecondMonday(x) : x.d == (x.m == 1 ? 15 : 10)) return true;
    }
    if (IsEquinox(x)) return true;
    if (x.dow == 1) return true;
    // For the working-Saturday forms a Saturday is still a day off when it is a holiday below;
    // otherwise an entry dated on such a Saturday would show on no day at all.
    if (x.dow == 7 && saturdayIsDayOff) return true;
    if (!TableValue(table, x, true).empty()) return true;
    if (x.dow == 2) {
        // The substitute Monday counts the same causes as the holiday text does, so a Monday that
        // shows "【振替休日】" is always a day off (its own moved entries are not shown on it).
        Ymd sun = Split(rtl::DateOf(date) - 1);
        if (!TableValue(table, sun, IsHappyMondayMode(table, sun.y)).empty() || IsEquinox(sun)) return true;
    }
    return false;
}
