// The one holiday rule set: which days are holidays (with their texts), which Monday is a substitute
// holiday, and which days are days off for moved schedule entries. The day view, the month marks,
// the tick's reminder test and the schedule list all ask here.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "toolkit/rtl/DateTime.h"

// What the rules read from the settings file, taken by the caller.
struct HolidayTable {
    std::vector<std::pair<std::string, std::string>> Horiday;  // [Horiday] keys and values, file order
    bool HappyMonday = true;                                     // [CalendarEx] Happy_Monday

    // The value of a "mm/dd" key (first match, ignoring case as the profile does); empty if none.
    const std::string& Value(const std::string& key) const;
};

// The first-run entries of [Horiday], in the order they are written.
const std::vector<std::pair<std::string, std::string>>& DefaultHolidays();

// Second-Monday mode: the switch is on and the year is 2000 or later.
bool IsHappyMondayMode(const HolidayTable& table, int year);

// The table's text for the date ("" if none); in Happy Monday mode "01/15" and "10/10" are skipped.
std::string TableHolidayText(const HolidayTable& table, rtl::TDateTime date);
// "【成人の日】" / "【体育の日】" for the second Monday of January / October in Happy Monday mode.
std::string SecondMondayText(const HolidayTable& table, rtl::TDateTime date);
// Every holiday text of the date, in display order: equinoxes, table entry, second Monday,
// then "【振替休日】" once for each cause (table holiday or equinox on the Sunday before).
std::vector<std::string> HolidayTexts(const HolidayTable& table, rtl::TDateTime date);
bool IsHoliday(const HolidayTable& table, rtl::TDateTime date);

// Day off for an entry that moves away from days off. saturdayIsDayOff is the entry's Saturday flag
// (the "~~" forms). A Saturday that is a holiday is a day off for the other forms too.
bool IsDayOff(const HolidayTable& table, rtl::TDateTime date, bool saturdayIsDayOff);
