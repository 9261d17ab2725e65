#include "schedule/DayRules.h"

#include <algorithm>

#include "calendar/Rokuyo.h"
#include "calendar/SunLongitude.h"
#include "toolkit/rtl/SysUtils.h"

using rtl::TDateTime;

namespace {

// 0001-01-01 and 9999-12-31: walks stop at the ends of the calendar.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

const DayOffShift kPrevWork{ShiftMove::Previous, false};
const DayOffShift kPrevOff{ShiftMove::Previous, true};
const DayOffShift kNextWork{ShiftMove::Next, false};
const DayOffShift kNextOff{ShiftMove::Next, true};
// Moving kinds tested on their own date, and the walk order.
const DayOffShift kOwnDateOrder[4] = {kPrevWork, kNextWork, kPrevOff, kNextOff};
const DayOffShift kWalkOrder[4] = {kNextOff, kNextWork, kPrevOff, kPrevWork};

struct Ymd {
    int y = 0, m = 0, d = 0;
    int dow = 0;  // 1 = Sunday
    TDateTime date = 0;
};

// The calendar date as the date formatter sees it (the same rounding of the time of day).
bool Split(TDateTime t, Ymd& x) {
    rtl::DecodeDate(t, x.y, x.m, x.d);
    if (x.y < 1 || x.y > 9999) return false;
    x.date = rtl::EncodeDate(x.y, x.m, x.d);
    x.dow = rtl::DayOfWeek(x.date);
    return true;
}

// Week-of-month masks 1..30 in the order the folder lists their names: entry flags sort "_"
// before "~", reminder masks by their two digits.
const std::vector<int>& MaskOrder(bool popup) {
    static const std::vector<int> entry = [] {
        std::vector<int> v;
        for (int m = 1; m <= 30; ++m) v.push_back(m);
        std::sort(v.begin(), v.end(), [](int a, int b) { return ScheduleWeekFlags(a) < ScheduleWeekFlags(b); });
        return v;
    }();
    static const std::vector<int> reminder = [] {
        std::vector<int> v;
        for (int m = 1; m <= 30; ++m) v.push_back(m);
        return v;
    }();
    return popup ? reminder : entry;
}

}  // namespace

int WeekBitOfDay(int day) { return day < 1 ? 0 : day > 28 ? 16 : 1 << ((day - 1) / 7); }

bool InLastWeek(int year, int month, int day) { return day + 7 > rtl::DaysInMonthGregorian(year, month); }

bool WeekMaskHits(int mask, int year, int month, int day) {
    return (mask & WeekBitOfDay(day)) != 0 || ((mask & kLastWeek) && InLastWeek(year, month, day));
}

// How the names of one reader's kinds are spelled: untimed entries, or reminders at hh:nn.
struct DayRules::Spelling {
    bool popup = false;
    int hour = 0, minute = 0;

    std::string OneDate(const Ymd& x) const {
        return popup ? PopupFileName::OneDay(hour, minute, x.y, x.m, x.d) : ScheduleFileName::OneDate(x.y, x.m, x.d);
    }
    std::string Yearly(DayOffShift s, const Ymd& x) const {
        return popup ? PopupFileName::Yearly(hour, minute, x.m, x.d, s) : ScheduleFileName::Yearly(s, x.m, x.d);
    }
    std::string Monthly(DayOffShift s, const Ymd& x) const {
        return popup ? PopupFileName::Monthly(hour, minute, x.d, s) : ScheduleFileName::Monthly(s, x.d);
    }
    std::string Weekly(int mask, const Ymd& x) const {
        return popup ? PopupFileName::Weekly(hour, minute, mask, x.dow) : ScheduleFileName::Weekly(mask, x.dow);
    }
    NameKind OneDateKind() const { return popup ? NameKind::PopupOneDay : NameKind::ScheduleOneDate; }
    NameKind YearlyKind() const { return popup ? NameKind::PopupYearly : NameKind::ScheduleYearly; }
    NameKind MonthlyKind() const { return popup ? NameKind::PopupMonthly : NameKind::ScheduleMonthly; }
    NameKind WeeklyKind() const { return popup ? NameKind::PopupWeekly : NameKind::ScheduleWeekly; }
};

bool DayRules::DayOff(TDateTime day, bool saturdayIsDayOff) {
    long long key = (long long)rtl::DateOf(day);
    uint8_t& v = offCache_[key];
    if (!(v & 1)) {
        v = 1;
        if (IsDayOff(table_, (double)key, false)) v |= 2;
        if (IsDayOff(table_, (double)key, true)) v |= 4;
    }
    return (v & (saturdayIsDayOff ? 4 : 2)) != 0;
}

// The days off next to the day that a moving kind walks over, in test order. Nothing when the day
// is itself a day off for the kind: its entries move on from here.
void DayRules::Walk(TDateTime day, DayOffShift shift, std::vector<TDateTime>& run) {
    run.clear();
    const bool sat = shift.saturdayOff;
    if (shift.move == ShiftMove::Keep || DayOff(day, sat)) return;
    TDateTime x = day;
    if (shift.move == ShiftMove::Next) {
        while (day - x < kMaxWalk && x - 1 >= kFirstDay && DayOff(x - 1, sat)) x -= 1;
        for (; x < day; x += 1) run.push_back(x);
    } else {
        while (x - day < kMaxWalk && x + 1 <= kLastDay && DayOff(x + 1, sat)) x += 1;
        for (; x > day; x -= 1) run.push_back(x);
    }
}

std::vector<TDateTime> DayRules::MovedDates(TDateTime day, DayOffShift shift) {
    std::vector<TDateTime> dates, run;
    Ymd x;
    if (shift.move == ShiftMove::Keep || !Split(day, x)) return dates;
    if (!DayOff(x.date, shift.saturdayOff)) dates.push_back(x.date);
    Walk(x.date, shift, run);
    dates.insert(dates.end(), run.begin(), run.end());
    return dates;
}

void DayRules::Test(std::string name, NameKind kind, DayTest test, TDateTime dated, DayOffShift shift, int mask,
                    std::vector<DayHit>& out) {
    if (!names_.Exists(name)) return;
    // A run of days off longer than a month meets the same monthly name twice: one file, one hit.
    for (const DayHit& h : out)
        if (h.name == name) return;
    DayHit h;
    h.name = std::move(name);
    h.kind = kind;
    h.test = test;
    h.dated = dated;
    h.shift = shift;
    h.weekMask = mask;
    out.push_back(std::move(h));
}

void DayRules::Collect(TDateTime day, const Spelling& sp, DayReader reader, unsigned kinds, std::vector<DayHit>& out) {
    Ymd x;
    if (!Split(day, x)) return;
    const DayOffShift keep{};
    if (sp.popup) Test(PopupFileName::Daily(sp.hour, sp.minute), NameKind::PopupDaily, DayTest::Daily, x.date, keep, 0, out);
    if (kinds & kOneDateKind) Test(sp.OneDate(x), sp.OneDateKind(), DayTest::OneDate, x.date, keep, 0, out);
    const bool yearly = kinds & kYearlyKind, monthly = kinds & kMonthlyKind;
    if (yearly) Test(sp.Yearly(keep, x), sp.YearlyKind(), DayTest::Yearly, x.date, keep, 0, out);
    if (monthly) Test(sp.Monthly(keep, x), sp.MonthlyKind(), DayTest::Monthly, x.date, keep, 0, out);

    if (yearly || monthly) {
        // A moving entry shows on its own date only when that date is a working day for it, and
        // otherwise only where its walk ends, so it shows exactly once.
        for (DayOffShift k : kOwnDateOrder) {
            if (DayOff(x.date, k.saturdayOff)) continue;
            if (yearly) Test(sp.Yearly(k, x), sp.YearlyKind(), DayTest::OwnDate, x.date, k, 0, out);
            if (monthly) Test(sp.Monthly(k, x), sp.MonthlyKind(), DayTest::OwnDate, x.date, k, 0, out);
        }
        std::vector<TDateTime> run;
        for (DayOffShift k : kWalkOrder) {
            Walk(x.date, k, run);
            for (TDateTime t : run) {
                Ymd w;
                if (!Split(t, w)) continue;
                if (yearly) Test(sp.Yearly(k, w), sp.YearlyKind(), DayTest::ShiftWalk, w.date, k, 0, out);
                if (monthly) Test(sp.Monthly(k, w), sp.MonthlyKind(), DayTest::ShiftWalk, w.date, k, 0, out);
            }
        }
    }

    if (kinds & kWeeklyKind) {
        Test(sp.Weekly(kEveryWeek, x), sp.WeeklyKind(), DayTest::EveryWeek, x.date, keep, kEveryWeek, out);
        const int bit = WeekBitOfDay(x.d);
        std::vector<int> masks;
        for (int m : MaskOrder(sp.popup))
            if (m & bit) masks.push_back(m);
        // The list shows the fifth-week entries without week 1 before those with it.
        if (reader == DayReader::ScheduleList && !sp.popup && bit == 16)
            std::stable_partition(masks.begin(), masks.end(), [](int m) { return !(m & 1); });
        if (InLastWeek(x.y, x.m, x.d)) masks.push_back(kLastWeek);
        for (int m : masks) Test(sp.Weekly(m, x), sp.WeeklyKind(), DayTest::WeekOfMonth, x.date, keep, m, out);
    }
}

std::vector<DayHit> DayRules::ScheduleEntries(TDateTime day, DayReader reader, unsigned kinds) {
    std::vector<DayHit> out;
    Collect(day, Spelling{}, reader, kinds, out);
    return out;
}

std::vector<DayHit> DayRules::Reminders(TDateTime t) {
    std::vector<DayHit> out;
    Spelling sp;
    sp.popup = true;
    int s, ms;
    rtl::DecodeTime(t, sp.hour, sp.minute, s, ms);
    Collect(t, sp, DayReader::DayView, kAllKinds, out);
    return out;
}

std::vector<DayHit> DayRules::UptimeReminders(uint32_t uptimeMs) {
    std::vector<DayHit> out;
    std::string name = PopupFileName::UptimeTick(uptimeMs);
    // Steps the editor cannot write (under a minute, over 40 days) are no reminder of ours.
    if (DecodeName(name).kind == NameKind::PopupUptime)
        Test(std::move(name), NameKind::PopupUptime, DayTest::Uptime, 0, DayOffShift{}, 0, out);
    return out;
}

void DayRules::FindBirthdays(int month, int day, bool firstOnly, std::vector<DayHit>& out) {
    for (int yy = 0; yy < 100; ++yy) {
        int y = YearFromTwoDigits(yy);
        if (!rtl::IsValidDate(y, month, day)) continue;
        Test(BirthdayFileName(y, month, day), NameKind::Birthday, DayTest::Birthday, rtl::EncodeDate(y, month, day),
             DayOffShift{}, 0, out);
        if (firstOnly && !out.empty()) return;
    }
}

std::vector<DayHit> DayRules::Birthdays(int month, int day) {
    std::vector<DayHit> out;
    FindBirthdays(month, day, false, out);
    return out;
}

std::vector<DayHit> DayRules::DayView(TDateTime day, DayReader reader) {
    std::vector<DayHit> out;
    Ymd x;
    if (!Split(day, x)) return out;
    FindBirthdays(x.m, x.d, false, out);
    Collect(x.date, Spelling{}, reader, kAllKinds, out);
    return out;
}

unsigned MarkGates::Kinds() const {
    unsigned k = 0;
    if (!todo) k |= kOneDateKind;
    if (!day) k |= kYearlyKind;
    if (!mon) k |= kMonthlyKind;
    if (!week) k |= kWeeklyKind;
    return k;
}

MonthLists DayRules::MonthMarks(int year, int month, const MarkGates& gates) {
    MonthLists out;
    if (year < 1 || year > 9999 || month < 1 || month > 12) return out;
    auto item = [month](int d) { return rtl::IntToStr(month) + "," + rtl::IntToStr(d); };
    if (month == 3) out.holidays.push_back(item(VernalEquinoxDay(year)));
    if (month == 9) out.holidays.push_back(item(AutumnalEquinoxDay(year)));
    const unsigned kinds = gates.Kinds();
    std::vector<DayHit> hits;
    for (int d = 1; d <= rtl::DaysInMonthGregorian(year, month); ++d) {
        TDateTime x = rtl::EncodeDate(year, month, d);
        if (!TableHolidayText(table_, x).empty()) out.holidays.push_back(item(d));
        if (!SecondMondayText(table_, x).empty()) out.holidays.push_back(item(d));
        if (gates.all) continue;
        hits.clear();
        if (!gates.born) FindBirthdays(month, d, true, hits);
        Collect(x, Spelling{}, DayReader::MonthMarks, kinds, hits);
        for (size_t i = 0; i < hits.size(); ++i) out.marks.push_back(item(d));
    }
    return out;
}

std::string BirthdayHeading(int year, const DayHit& hit) {
    int by, bm, bd;
    rtl::DecodeDate(hit.dated, by, bm, bd);
    return "【" + rtl::IntToStr(year - by) + "歳の誕生日】" + rtl::FormatDateTime("yyyy/mm/dd (ddd)", hit.dated);
}

bool ScheduleListRange(TDateTime base, int before, int after, DayRange& out) {
    Ymd x;
    if (!Split(base, x)) return false;
    out.first = std::max(kFirstDay, x.date - std::max(0, before));
    out.last = std::min(kLastDay, x.date + std::max(0, after));
    return true;
}

ListPane ListPaneOf(TDateTime day, TDateTime today) {
    const double d = rtl::DateOf(day), t = rtl::DateOf(today);
    return d < t ? ListPane::Past : d > t ? ListPane::Future : ListPane::Today;
}

const char kScheduleListSeparator[] = "━━━━━━━━━━━━━……‥";

std::string ScheduleListHeader(TDateTime day, TDateTime today) {
    const long long n = (long long)(rtl::DateOf(day) - rtl::DateOf(today));
    const std::string tag = n == 0 ? std::string("〔本日〕")
                                   : "〔" + rtl::IntToStr(n < 0 ? -n : n) + (n < 0 ? "日前〕" : "日後〕");
    std::string line = rtl::FormatDateTime("yyyy\"年\"m\"月\"d\"日(\"ddd\")\"", day);
    if (line.size() + tag.size() < kListLineBytes) line.append(kListLineBytes - line.size() - tag.size(), ' ');
    return line + tag;
}

std::vector<std::string> ScheduleListDateLines(const HolidayTable& table, TDateTime day, TDateTime today,
                                               bool oldCalendar) {
    std::vector<std::string> lines;
    Ymd x;
    if (!Split(day, x)) return lines;
    lines.push_back(ScheduleListHeader(x.date, today));
    if (oldCalendar) {
        // A day's rokuyo never changes, and each costs a dozen series searches: remembered.
        static std::unordered_map<long long, std::string> known;
        if (known.size() > 4096) known.clear();
        auto [at, added] = known.try_emplace((long long)x.date);
        if (added) at->second = Rokuyo(RokuyoDayCount(x.y, x.m, x.d));
        lines.push_back("【" + at->second + "】");
    }
    for (std::string& h : HolidayTexts(table, x.date)) lines.push_back(std::move(h));
    return lines;
}
