// Which schedule entries a day shows and which reminders a minute fires. One rule set for the day
// view, the month marks, the schedule list and the clock tick: each builds the names a day can
// match, in a fixed order, and asks the data folder (a NameSource) whether each file exists.
// Window-free.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "calendar/HolidayRules.h"
#include "schedule/ScheduleName.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NameSource.h"

// The test that found a name. Results come in this order (the tick's daily test first).
enum class DayTest : uint8_t {
    Daily,        // reminders only: hhnn____.__
    OneDate,      // one date / one day
    Yearly,       // yearly, no move
    Monthly,      // monthly, no move
    OwnDate,      // a moving kind on its own date (a working day for it)
    ShiftWalk,    // a moving kind dated on a day off next to the day, moved here
    EveryWeek,
    WeekOfMonth,
    Uptime,
    Birthday,
};

struct DayHit {
    std::string name;       // bare name as built (upper case): the file is the folder + "\" + name
    NameKind kind = NameKind::NotOurs;
    DayTest test = DayTest::OneDate;
    rtl::TDateTime dated = 0;  // the date the entry falls on by its own rule: the day asked, or for a
                               // shift walk the day off it moved from; a birthday's birth date
    DayOffShift shift;         // yearly and monthly kinds
    int weekMask = 0;          // weekly kinds (31 every week, 32 last week)

    bool moved() const { return test == DayTest::ShiftWalk; }
};

// The readers differ only in the order of two week-of-month groups on days 29-31.
enum class DayReader : uint8_t { DayView, MonthMarks, ScheduleList };

// Kinds to look for; the month marks leave some out by setting.
enum : unsigned {
    kOneDateKind = 1,
    kYearlyKind = 2,   // plain and moving yearly entries
    kMonthlyKind = 4,  // plain and moving monthly entries
    kWeeklyKind = 8,   // every week and week of the month
    kAllKinds = 15,
};

// Week of the month as a mask bit: days 1-7 -> 1, 8-14 -> 2, 15-21 -> 4, 22-28 -> 8, 29-31 -> 16.
int WeekBitOfDay(int day);
// The last seven days of the month: the date seven days on lies in another month.
bool InLastWeek(int year, int month, int day);
// One rule for every reader: a week bit in the mask, or 32 (last week) on one of the last seven days.
bool WeekMaskHits(int mask, int year, int month, int day);

// What the month marks leave out ([CalendarEx] CanCol_*): all marks, birthdays, one-date entries,
// yearly entries, monthly entries (plain and moving), weekly entries.
struct MarkGates {
    bool all = false, born = false, todo = false, day = false, mon = false, week = false;
    unsigned Kinds() const;
};

// The two lists the month grid draws from, as "month,day" items: holidays (the equinox of the
// month first, then the table and the second Mondays day by day; substitutes are the grid's own)
// and marks (one per day with a birthday, one per entry found).
struct MonthLists {
    std::vector<std::string> holidays, marks;
};

// The day view's heading of a birthday hit in the year shown: "【36歳の誕生日】1964/02/29 (土)".
std::string BirthdayHeading(int year, const DayHit& hit);

// One object per reader run: it keeps the day-off answers of the days it has looked at, so the
// month marks and the schedule list decide each day once. The table and the source must outlive it.
class DayRules {
public:
    DayRules(const HolidayTable& table, rtl::NameSource& names) : table_(table), names_(names) {}

    // Schedule entries the day shows, in display order.
    std::vector<DayHit> ScheduleEntries(rtl::TDateTime day, DayReader reader = DayReader::DayView,
                                        unsigned kinds = kAllKinds);
    // Reminders due in the minute of t (the reminder time T: the clock plus the lead minutes).
    std::vector<DayHit> Reminders(rtl::TDateTime t);
    // The uptime reminder of the 10-second step of uptimeMs (zero or one hit).
    std::vector<DayHit> UptimeReminders(uint32_t uptimeMs);
    // Birthday files of a month and day, any birth year, in folder order (by the year digits).
    std::vector<DayHit> Birthdays(int month, int day);
    // The files the day view (or the schedule list) shows, in its order: birthdays, then schedule
    // entries.
    std::vector<DayHit> DayView(rtl::TDateTime day, DayReader reader = DayReader::DayView);
    // The grid's lists of a month; a month outside the years 1..9999 gives empty lists.
    MonthLists MonthMarks(int year, int month, const MarkGates& gates);

    // Day off for a moving entry (the shared holiday rule), remembered per day.
    bool DayOff(rtl::TDateTime day, bool saturdayIsDayOff);
    // The dates whose entries of one moving kind the day shows: its own date when it is a working
    // day for the kind, then the walked days off (earliest first for next-day kinds, latest first
    // for previous-day kinds). Empty for a Keep shift.
    std::vector<rtl::TDateTime> MovedDates(rtl::TDateTime day, DayOffShift shift);

    // A run of days off longer than this is cut (a table holding nearly every day of the year).
    static constexpr int kMaxWalk = 400;

private:
    struct Spelling;
    void Collect(rtl::TDateTime day, const Spelling& sp, DayReader reader, unsigned kinds, std::vector<DayHit>& out);
    void Walk(rtl::TDateTime day, DayOffShift shift, std::vector<rtl::TDateTime>& run);
    void Test(std::string name, NameKind kind, DayTest test, rtl::TDateTime dated, DayOffShift shift, int mask,
              std::vector<DayHit>& out);
    // Birthday hits of a month and day; stops at the first when only asked whether there is one.
    void FindBirthdays(int month, int day, bool firstOnly, std::vector<DayHit>& out);

    const HolidayTable& table_;
    rtl::NameSource& names_;
    std::unordered_map<long long, uint8_t> offCache_;  // day serial -> bit 1 computed, 2 off, 4 off with Saturday
};

// ---- The schedule list: the days it covers and the framing of each day's block ----

// The days a list from base covers: `before` days back to `after` days on, cut at the ends of the
// calendar (0001-01-01 .. 9999-12-31) so that every day of it has a date. False when base itself
// has none.
struct DayRange {
    rtl::TDateTime first = 0, last = 0;
};
bool ScheduleListRange(rtl::TDateTime base, int before, int after, DayRange& out);

// The pane a day's block goes to.
enum class ListPane : uint8_t { Past, Today, Future };
ListPane ListPaneOf(rtl::TDateTime day, rtl::TDateTime today);

// Width of the header and the separator, in Shift-JIS bytes.
constexpr size_t kListLineBytes = 32;
// "2001年5月3日(木)", blanks, then "〔本日〕", "〔2日前〕" or "〔2日後〕": at least 32 bytes.
std::string ScheduleListHeader(rtl::TDateTime day, rtl::TDateTime today);
// The line closing each day's block.
extern const char kScheduleListSeparator[];
// The lines of the day's block that come from its date: the header, the old calendar
// "【先勝】" when asked, then each holiday text. The files' texts follow them, then the separator.
std::vector<std::string> ScheduleListDateLines(const HolidayTable& table, rtl::TDateTime day, rtl::TDateTime today,
                                               bool oldCalendar);
