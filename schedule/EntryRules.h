// What the schedule entry editor and the reminder editor share without a window: the readable
// rule text, the week boxes' rules, the date fields' limits, the reminder's lead-time texts and
// the schedule list's range test on close. Window-free.
#pragma once
#include <string>
#include <vector>

#include "schedule/ScheduleName.h"
#include "toolkit/rtl/DateTime.h"

namespace entry {

// The repeat kinds, numbered as the editors' tabs (the schedule editor has no Daily tab).
enum class Repeat : int { OneDate = 0, Yearly = 1, Monthly = 2, Weekly = 3, Daily = 4 };

// The six week boxes: weeks 1-5 and "最終週".
struct WeekBoxes {
    bool week[5] = {true, true, true, true, true};
    bool last = false;
    // First step of every rebuild: no box ticked ticks the five, "最終週" clears them.
    void Settle();
    // The week mask of the ticked boxes (32 for "最終週"), after Settle.
    int Mask() const;
};

// The schedule entry name of a tab (no Daily): ____0115.71, ~_~~0115.__, ______15.__, _~~~~___.MON.
std::string ScheduleEntryName(Repeat kind, int year, int month, int day, DayOffShift shift, int weekMask);

// "(休日:前日)", "(土曜/休日:前日)", "(休日:翌日)", "(土曜/休日:翌日)"; empty for Keep.
std::string ShiftSuffix(DayOffShift s);
// The text offered for copying: 【71年1月15日】, 【毎年1月15日】(休日:前日), 【毎月15日】,
// 【第１第３月曜日】, 【最終金曜日】, 【月曜日】 (every week), 【毎日】.
std::string RuleText(Repeat kind, int year, int month, int day, DayOffShift shift, int weekMask);
// The body's hint: "1971/1/15", "毎年1/15", "毎月15日", "月曜日" or "毎日", followed by what.
std::string EntryHint(Repeat kind, int year, int month, int day, const std::string& what);

// Date fields: years 1..9999, months 1..12.
constexpr int kMinYear = 1, kMaxYear = 9999;
int ClampYear(int y);
int ClampMonth(int m);
// Days from today to the date (negative in the past).
int DaysFromToday(int year, int month, int day);

// Whether an entry can fall into the days first..last (ends included): a one-date entry by its
// date, a yearly one by its month and day in any year of the range, a monthly one by its day in
// any month of the range; weekly and daily entries always can. A date that does not exist (31 in
// a 30-day month, 29 February in a common year) matches nothing.
bool CanShowInRange(Repeat kind, int year, int month, int day, rtl::TDateTime first, rtl::TDateTime last);

// A day-off shift moves an entry by a few days, so an entry dated up to a week outside the days a
// schedule list shows may still appear in it.
constexpr int kListMargin = 7;
// Whether the schedule entry of this bare name can appear in a list of the days first..last: its
// dates tested against the list's days widened by kListMargin on each side. A one-date name
// carries no century, so it counts in every year with its two digits. Names that are no schedule
// entry never do.
bool NameCanShowInList(const std::string& name, rtl::TDateTime first, rtl::TDateTime last);
// Whether a list of first..last must be built again for any of the names an editor touched.
bool ListNeedsRebuild(const std::vector<std::string>& names, rtl::TDateTime first, rtl::TDateTime last);

// The entry names an editor saved, deleted or appended to while open, each once (ignoring case).
class TouchedNames {
public:
    void Add(const std::string& name);
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> names_;
};

// Reminder times. "Popup hh:mm": the time minus the lead minutes, around midnight too.
std::string PopupTimeText(int hour, int minute, int before);
// The lead-time note beside it.
std::string LeadTimeText(int before);
// The time after the rule text, "9:05～".
std::string TimeSuffix(int hour, int minute);

// Uptime reminders: seconds rounded down to a multiple of 10, within 60..3456000.
int UptimeSeconds(long long typed);
// 【Windows起動後 600秒経過】
std::string UptimeRuleText(int seconds);
// "約N日", "約N時間", "約N分" (whole days, hours and minutes of the seconds).
std::vector<std::string> UptimeApprox(int seconds);

// Reminder templates: 20 of them, each a file "<index>.rtf" in the data folder's "\Teikei".
constexpr int kTemplateCount = 20;
std::string TemplateDefaultTitle(int index);  // "定型文1" .. "定型文20"
std::string TemplateFolder(const std::string& dataDir);
std::string TemplateFile(const std::string& dataDir, int index);

}  // namespace entry
