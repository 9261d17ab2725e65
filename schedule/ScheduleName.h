// Names of schedule entries, reminders and birthday files in the data folder.
// A file's rule (date, time, repeat, day-off shift, weeks) is its 8.3 name; nothing else records
// it. This unit builds those names byte for byte, reads them back, and rejects every other name.
// Window-free. Builders return names of at most 12 bytes (no heap use); readers call them for
// every day of a month and every minute, so they format digits directly.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How a yearly or monthly entry moves when its date is a day off.
enum class ShiftMove : uint8_t { Keep = 0, Previous = 1, Next = 2 };  // "休日なら" item index

struct DayOffShift {
    ShiftMove move = ShiftMove::Keep;
    bool saturdayOff = false;  // "土曜日は" "休日扱い"; meaningless with Keep and dropped there

    // From the editors' two radio groups (item indexes; out of range counts as the first item).
    static DayOffShift FromRadio(int ifDayOff, int saturday);
    // Entry name prefix: "____", "~___", "~_~~", "_~__", "_~~~".
    const char* Code4() const;
    // Reminder extension: "__", "-_", "-~", "~_", "~~".
    const char* Code2() const;
    // Only the five written spellings are accepted.
    static bool FromCode4(std::string_view code, DayOffShift& out);
    static bool FromCode2(std::string_view code, DayOffShift& out);

    // Equal when they spell the same (the Saturday choice does not count with Keep).
    bool operator==(const DayOffShift& o) const;
};

// Week choice as a mask: 1, 2, 4, 8, 16 = weeks 1..5 of the month (days 1-7 .. 29-31), 32 = the
// last seven days of the month. 31 is every week. A mask holding 32 means last week alone, and an
// empty mask means every week (the editors' rules), so builders normalise before spelling.
constexpr int kEveryWeek = 31;
constexpr int kLastWeek = 32;
int NormalWeekMask(int mask);
// Entry form, five characters: "_" chosen, "~" not; "~~~~~" = last week only.
std::string ScheduleWeekFlags(int mask);
// Reminder form, four characters: "____" for every week, else "__" + two digits ("__05", "__32").
std::string PopupWeekMask(int mask);

// "SUN" .. "SAT" for 1 = Sunday .. 7 = Saturday (taken modulo 7 outside that range).
const char* WeekdayCode(int weekday);
// 1..7, or 0 when the text is no weekday code (upper or lower case).
int WeekdayFromCode(std::string_view code);

// Two-digit years read back: 2000 + yy below 30, else 1900 + yy.
int YearFromTwoDigits(int yy);

// Untimed schedule entries. Month, day and weekday are taken as valid; the year gives its last
// two digits only, so 1971 and 2071 share a name.
namespace ScheduleFileName {
std::string OneDate(int year, int month, int day);                   // ____0115.71
std::string Yearly(DayOffShift shift, int month, int day);           // ~___0115.__
std::string Monthly(DayOffShift shift, int day);                     // ______15.__
std::string Weekly(int weekMask, int weekday);                       // _~~~~___.MON
}  // namespace ScheduleFileName

// Reminders: hour and minute first.
namespace PopupFileName {
std::string OneDay(int hour, int minute, int year, int month, int day);       // 12300115.71
std::string Yearly(int hour, int minute, int month, int day, DayOffShift s);  // 12300115.-_
std::string Monthly(int hour, int minute, int day, DayOffShift s);            // 1230__15.__
std::string Weekly(int hour, int minute, int weekMask, int weekday);          // 1230__05.MON
std::string Daily(int hour, int minute);                                      // 1230____.__
// Seconds after Windows started, as the editor stores them: rounded down to a multiple of 10
// and kept within 60 .. 3456000 (40 days). W0000600.__
std::string Uptime(long long seconds);
// The name the clock tick forms from the uptime in milliseconds: whole 10-second steps, no
// clamping (a uint32 of milliseconds always fits seven digits).
std::string UptimeTick(uint32_t uptimeMs);
constexpr int kUptimeMin = 60;
constexpr int kUptimeMax = 3456000;
}  // namespace PopupFileName

// "BORN" + mmdd + "." + yy of the birth date; BirthdayPattern finds every year of one month/day.
std::string BirthdayFileName(int year, int month, int day);
std::string BirthdayPattern(int month, int day);  // BORN0115.*

// A file of the data folder: the Directory setting, a backslash and the name, joined as they are
// (with "." this is .\name). The same text names the reminder's settings section, so both must
// come from this one join.
std::string DataFilePath(std::string_view directory, std::string_view name);
inline std::string PopupSection(std::string_view directory, std::string_view name) {
    return DataFilePath(directory, name);
}

enum class NameKind : uint8_t {
    NotOurs,  // any name that is none of the forms below: every scan skips it
    Birthday,
    ScheduleOneDate, ScheduleYearly, ScheduleMonthly, ScheduleWeekly,
    PopupOneDay, PopupYearly, PopupMonthly, PopupWeekly, PopupDaily, PopupUptime,
};

// What a name says. Fields a kind does not carry stay 0 (hour and minute -1).
struct NameFields {
    NameKind kind = NameKind::NotOurs;
    int year = 0;       // one-date, one-day, birthday: four digits by YearFromTwoDigits
    int month = 0;      // one-date, one-day, yearly, birthday
    int day = 0;        // one-date, one-day, yearly, monthly, birthday
    int hour = -1;      // reminders except uptime
    int minute = -1;
    int weekday = 0;    // weekly: 1 = Sunday .. 7 = Saturday
    int weekMask = 0;   // weekly: as NormalWeekMask (31 = the every-week name)
    DayOffShift shift;  // yearly and monthly
    int seconds = 0;    // uptime

    bool ours() const { return kind != NameKind::NotOurs; }
    bool IsSchedule() const { return kind >= NameKind::ScheduleOneDate && kind <= NameKind::ScheduleWeekly; }
    // Reminders, the uptime form included: each has a settings section.
    bool IsPopup() const { return kind >= NameKind::PopupOneDay; }
    // A dated name: one-date entry, one-day reminder or birthday (year, month and day all set).
    bool HasYear() const { return year != 0; }
};

// Reads a bare file name (no folder). Accepts exactly the shapes written above, with valid
// digits (month 01-12, a day that exists in its month, hour 00-23, minute 00-59, week mask 1-30 or
// 32, uptime 60-3456000 in steps of 10); letters may be in either case, as the folder matches
// names ignoring case. Anything else is NotOurs.
NameFields DecodeName(std::string_view name);
// The name of the fields (upper case); empty for NotOurs.
std::string EncodeName(const NameFields& f);
