#include "schedule/EntryRules.h"

#include <algorithm>
#include <cmath>

#include "toolkit/rtl/SysUtils.h"

namespace entry {

using rtl::IntToStr;

void WeekBoxes::Settle() {
    if (!last && std::none_of(week, week + 5, [](bool b) { return b; })) std::fill(week, week + 5, true);
    if (last) std::fill(week, week + 5, false);
}

int WeekBoxes::Mask() const {
    if (last) return kLastWeek;
    int mask = 0;
    for (int i = 0; i < 5; ++i)
        if (week[i]) mask |= 1 << i;
    return mask ? mask : kEveryWeek;
}

std::string ScheduleEntryName(Repeat kind, int year, int month, int day, DayOffShift shift, int weekMask) {
    switch (kind) {
        case Repeat::Yearly: return ScheduleFileName::Yearly(shift, month, day);
        case Repeat::Monthly: return ScheduleFileName::Monthly(shift, day);
        case Repeat::Weekly:
            return ScheduleFileName::Weekly(weekMask, rtl::DayOfWeek(rtl::EncodeDate(year, month, day)));
        default: return ScheduleFileName::OneDate(year, month, day);
    }
}

std::string ShiftSuffix(DayOffShift s) {
    switch (s.move) {
        case ShiftMove::Previous: return s.saturdayOff ? "(土曜/休日:前日)" : "(休日:前日)";
        case ShiftMove::Next: return s.saturdayOff ? "(土曜/休日:翌日)" : "(休日:翌日)";
        default: return "";
    }
}

static std::string LongWeekday(int year, int month, int day) {
    return rtl::FormatDateTime("dddd", rtl::EncodeDate(year, month, day));
}

std::string RuleText(Repeat kind, int year, int month, int day, DayOffShift shift, int weekMask) {
    static const char* const kOrdinal[5] = {"第１", "第２", "第３", "第４", "第５"};
    switch (kind) {
        case Repeat::OneDate:
            return "【" + rtl::ZeroPad(year % 100, 2) + "年" + IntToStr(month) + "月" + IntToStr(day) + "日】";
        case Repeat::Yearly:
            return "【毎年" + IntToStr(month) + "月" + IntToStr(day) + "日】" + ShiftSuffix(shift);
        case Repeat::Monthly: return "【毎月" + IntToStr(day) + "日】" + ShiftSuffix(shift);
        case Repeat::Weekly: {
            int mask = NormalWeekMask(weekMask);
            std::string weeks;
            if (mask == kLastWeek) weeks = "最終";
            else if (mask != kEveryWeek)
                for (int i = 0; i < 5; ++i)
                    if (mask & (1 << i)) weeks += kOrdinal[i];
            return "【" + weeks + LongWeekday(year, month, day) + "】";
        }
        case Repeat::Daily: return "【毎日】";
    }
    return "";
}

std::string EntryHint(Repeat kind, int year, int month, int day, const std::string& what) {
    switch (kind) {
        case Repeat::OneDate: return IntToStr(year) + "/" + IntToStr(month) + "/" + IntToStr(day) + what;
        case Repeat::Yearly: return "毎年" + IntToStr(month) + "/" + IntToStr(day) + what;
        case Repeat::Monthly: return "毎月" + IntToStr(day) + "日" + what;
        case Repeat::Weekly: return LongWeekday(year, month, day) + what;
        case Repeat::Daily: return "毎日" + what;
    }
    return what;
}

int ClampYear(int y) { return std::clamp(y, kMinYear, kMaxYear); }
int ClampMonth(int m) { return std::clamp(m, 1, 12); }

int DaysFromToday(int year, int month, int day) {
    return (int)std::lround(rtl::EncodeDate(year, month, day) - rtl::DateOf(rtl::Date()));
}

bool CanShowInRange(Repeat kind, int year, int month, int day, rtl::TDateTime first, rtl::TDateTime last) {
    first = rtl::DateOf(first);
    last = rtl::DateOf(last);
    if (last < first) return false;
    auto inside = [&](int y, int m) {
        rtl::TDateTime t;
        return rtl::TryEncodeDate(y, m, day, t) && t >= first && t <= last;
    };
    int y0, m0, d0, y1, m1, d1;
    rtl::DecodeDate(first, y0, m0, d0);
    rtl::DecodeDate(last, y1, m1, d1);
    switch (kind) {
        case Repeat::OneDate: return inside(year, month);
        case Repeat::Yearly:
            for (int y = y0; y <= y1; ++y)
                if (inside(y, month)) return true;
            return false;
        case Repeat::Monthly:
            for (int y = y0, m = m0; y * 12 + m <= y1 * 12 + m1; m == 12 ? (++y, m = 1) : ++m)
                if (inside(y, m)) return true;
            return false;
        default: return true;
    }
}

bool NameCanShowInList(const std::string& name, rtl::TDateTime first, rtl::TDateTime last) {
    NameFields f = DecodeName(name);
    first = rtl::DateOf(first);
    last = rtl::DateOf(last);
    if (!f.IsSchedule() || last < first) return false;
    // The widened range stays within the dates there are.
    first = std::max(first - kListMargin, rtl::EncodeDate(kMinYear, 1, 1));
    last = std::min(last + kListMargin, rtl::EncodeDate(kMaxYear, 12, 31));
    if (last < first) return false;
    switch (f.kind) {
        case NameKind::ScheduleOneDate: {
            int y0, y1, m, d;
            rtl::DecodeDate(first, y0, m, d);
            rtl::DecodeDate(last, y1, m, d);
            for (int y = y0; y <= y1; ++y)
                if (y % 100 == f.year % 100 && CanShowInRange(Repeat::OneDate, y, f.month, f.day, first, last))
                    return true;
            return false;
        }
        case NameKind::ScheduleYearly: return CanShowInRange(Repeat::Yearly, 0, f.month, f.day, first, last);
        case NameKind::ScheduleMonthly: return CanShowInRange(Repeat::Monthly, 0, 0, f.day, first, last);
        default: return true;
    }
}

bool ListNeedsRebuild(const std::vector<std::string>& names, rtl::TDateTime first, rtl::TDateTime last) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return NameCanShowInList(n, first, last); });
}

void TouchedNames::Add(const std::string& name) {
    for (const std::string& n : names_)
        if (rtl::SameTextAscii(n, name)) return;
    names_.push_back(name);
}

std::string PopupTimeText(int hour, int minute, int before) {
    int t = ((hour * 60 + minute - before) % 1440 + 1440) % 1440;
    return "Popup " + rtl::ZeroPad(t / 60, 2) + ":" + rtl::ZeroPad(t % 60, 2);
}

std::string LeadTimeText(int before) {
    if (before == 0) return "指定した時間通りにﾎﾟｯﾌﾟｱｯﾌﾟします。";
    return "指定した時間の " + IntToStr(before) + "分前にﾎﾟｯﾌﾟｱｯﾌﾟします。";
}

std::string TimeSuffix(int hour, int minute) { return IntToStr(hour) + ":" + rtl::ZeroPad(minute, 2) + "～"; }

int UptimeSeconds(long long typed) {
    typed -= typed % 10;
    return (int)std::clamp<long long>(typed, PopupFileName::kUptimeMin, PopupFileName::kUptimeMax);
}

std::string UptimeRuleText(int seconds) { return "【Windows起動後 " + IntToStr(seconds) + "秒経過】"; }

std::vector<std::string> UptimeApprox(int seconds) {
    return {"約" + IntToStr(seconds / 86400) + "日", "約" + IntToStr(seconds / 3600) + "時間",
            "約" + IntToStr(seconds / 60) + "分"};
}

std::string TemplateDefaultTitle(int index) { return "定型文" + IntToStr(index + 1); }

std::string TemplateFolder(const std::string& dataDir) { return dataDir + "\\Teikei"; }

std::string TemplateFile(const std::string& dataDir, int index) {
    return TemplateFolder(dataDir) + "\\" + IntToStr(index) + ".rtf";
}

}  // namespace entry
