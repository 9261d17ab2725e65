// The schedule entry editor's names and rule texts, and whether the entries an editor touched can
// appear in an open schedule list.
#include <gtest/gtest.h>

#include "schedule/EntryRules.h"

using entry::Repeat;
using rtl::EncodeDate;

TEST(ScheduleEntryName, EveryTabAndShiftWithItsRuleText) {
    // 2001-01-15 is a Monday, 2001-01-29 the Monday of week 5.
    struct Case {
        Repeat kind;
        int year, day, ifDayOff, saturday, mask;
        const char* name;
        const char* rule;
    } cases[] = {
        {Repeat::OneDate, 1971, 15, 0, 0, 31, "____0115.71", "【71年1月15日】"},
        {Repeat::OneDate, 2071, 15, 0, 0, 31, "____0115.71", "【71年1月15日】"},  // no century in the name
        {Repeat::OneDate, 2001, 15, 2, 1, 31, "____0115.01", "【01年1月15日】"},  // no shift on one date
        {Repeat::Yearly, 2001, 15, 0, 1, 31, "____0115.__", "【毎年1月15日】"},  // Saturday dropped with keep
        {Repeat::Yearly, 2001, 15, 1, 0, 31, "~___0115.__", "【毎年1月15日】(休日:前日)"},
        {Repeat::Yearly, 2001, 15, 1, 1, 31, "~_~~0115.__", "【毎年1月15日】(土曜/休日:前日)"},
        {Repeat::Yearly, 2001, 15, 2, 0, 31, "_~__0115.__", "【毎年1月15日】(休日:翌日)"},
        {Repeat::Yearly, 2001, 15, 2, 1, 31, "_~~~0115.__", "【毎年1月15日】(土曜/休日:翌日)"},
        {Repeat::Monthly, 2001, 15, 1, 1, 31, "~_~~__15.__", "【毎月15日】(土曜/休日:前日)"},
        {Repeat::Weekly, 2001, 15, 0, 0, 5, "_~_~~___.MON", "【第１第３月曜日】"},
        {Repeat::Weekly, 2001, 15, 0, 0, 31, "________.MON", "【月曜日】"},
        {Repeat::Weekly, 2001, 15, 0, 0, 32, "~~~~~___.MON", "【最終月曜日】"},
        {Repeat::Weekly, 2001, 29, 0, 0, 16, "~~~~____.MON", "【第５月曜日】"},
    };
    for (const Case& c : cases) {
        DayOffShift shift = DayOffShift::FromRadio(c.ifDayOff, c.saturday);
        EXPECT_EQ(entry::ScheduleEntryName(c.kind, c.year, 1, c.day, shift, c.mask), c.name) << c.rule;
        EXPECT_EQ(entry::RuleText(c.kind, c.year, 1, c.day, shift, c.mask), c.rule) << c.name;
    }
}

TEST(ScheduleListRefresh, EntriesThatCanFallIntoTheListsDaysAndAWeekAround) {
    struct Case {
        const char* name;
        rtl::TDateTime first, last;
        bool rebuild;
        const char* why;
    } cases[] = {
        {"____0115.01", EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), true, "inside"},
        {"____0115.01", EncodeDate(2001, 1, 16), EncodeDate(2001, 2, 20), true, "a day before"},
        {"____0115.01", EncodeDate(2001, 1, 23), EncodeDate(2001, 2, 20), false, "eight days before"},
        {"____0115.01", EncodeDate(2000, 12, 1), EncodeDate(2001, 1, 8), true, "seven days after"},
        {"____0115.01", EncodeDate(2002, 1, 10), EncodeDate(2002, 1, 20), false, "another year"},
        {"____0115.71", EncodeDate(2071, 1, 10), EncodeDate(2071, 1, 20), true, "1971 and 2071 share it"},
        {"____0115.71", EncodeDate(1971, 1, 10), EncodeDate(1971, 1, 20), true, "1971 and 2071 share it"},
        // A list across the new year: yearly and monthly entries of either side.
        {"____0103.__", EncodeDate(2001, 12, 20), EncodeDate(2002, 1, 5), true, "yearly, next year"},
        {"____1222.__", EncodeDate(2001, 12, 20), EncodeDate(2002, 1, 5), true, "yearly, start year"},
        {"____0301.__", EncodeDate(2001, 12, 20), EncodeDate(2002, 1, 5), false, "yearly, elsewhere"},
        {"______10.__", EncodeDate(2001, 12, 20), EncodeDate(2002, 1, 5), true, "monthly, next month"},
        {"______15.__", EncodeDate(2001, 12, 26), EncodeDate(2002, 1, 3), false, "monthly, elsewhere"},
        // Moved by a day-off shift: dated just outside, it may walk into the list.
        {"_~__0504.__", EncodeDate(2001, 5, 6), EncodeDate(2001, 5, 20), true, "next day from the 4th"},
        {"~___0510.__", EncodeDate(2001, 4, 20), EncodeDate(2001, 5, 6), true, "previous day from the 10th"},
        {"_~____31.__", EncodeDate(2001, 6, 2), EncodeDate(2001, 6, 20), true, "monthly 31st of May"},
        // 29 February and day 31 match only where they exist.
        {"____0229.__", EncodeDate(2001, 2, 10), EncodeDate(2001, 3, 10), false, "29 February, common year"},
        {"____0229.__", EncodeDate(2004, 2, 10), EncodeDate(2004, 3, 10), true, "29 February, leap year"},
        {"____0229.00", EncodeDate(2000, 2, 20), EncodeDate(2000, 2, 25), true, "one date, 29 February 2000"},
        {"______31.__", EncodeDate(2001, 4, 8), EncodeDate(2001, 4, 22), false, "no 31st nearby"},
        // Weekly entries can fall into any list; other names never do.
        {"~~~~~___.MON", EncodeDate(2001, 4, 1), EncodeDate(2001, 4, 1), true, "weekly"},
        {"BORN0115.71", EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), false, "birthday"},
        {"12300115.01", EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), false, "reminder"},
        {"notes.txt", EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), false, "no entry"},
        // The ends of the calendar: the widened range stops at them.
        {"____0103.01", EncodeDate(1, 1, 1), EncodeDate(1, 1, 1), true, "year 1"},
        {"____1229.99", EncodeDate(9999, 12, 31), EncodeDate(9999, 12, 31), true, "year 9999"},
        {"______15.__", EncodeDate(2001, 1, 20), EncodeDate(2001, 1, 10), false, "an empty list"},
        {"______15.__", EncodeDate(9999, 12, 31) + 30, EncodeDate(9999, 12, 31) + 40, false, "past the calendar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entry::NameCanShowInList(c.name, c.first, c.last), c.rebuild) << c.name << ": " << c.why;
}

TEST(ScheduleListRefresh, AnyNameTouchedInTheSessionCounts) {
    // Saved on the 15th, then the date was changed to March and saved again: the first save still
    // counts for a January list.
    entry::TouchedNames touched;
    touched.Add("____0115.01");
    touched.Add("____0320.01");
    touched.Add("____0115.01");
    touched.Add("____0115.01");
    EXPECT_EQ(touched.Names(), (std::vector<std::string>{"____0115.01", "____0320.01"}));
    EXPECT_TRUE(entry::ListNeedsRebuild(touched.Names(), EncodeDate(2001, 1, 1), EncodeDate(2001, 1, 31)));
    EXPECT_TRUE(entry::ListNeedsRebuild(touched.Names(), EncodeDate(2001, 3, 1), EncodeDate(2001, 3, 31)));
    EXPECT_FALSE(entry::ListNeedsRebuild(touched.Names(), EncodeDate(2001, 6, 1), EncodeDate(2001, 6, 30)));
    EXPECT_FALSE(entry::ListNeedsRebuild({}, EncodeDate(2001, 1, 1), EncodeDate(2001, 1, 31)));
}
