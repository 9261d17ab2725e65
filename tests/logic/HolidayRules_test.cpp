#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "schedule/DayRules.h"
#include "toolkit/rtl/DateTime.h"

using rtl::EncodeDate;
using rtl::TDateTime;
using Texts = std::vector<std::string>;

namespace {

HolidayTable Defaults(bool happyMonday = true) {
    HolidayTable t;
    t.Horiday = DefaultHolidays();
    t.Horiday.insert(t.Horiday.begin(), {"Set", "1"});
    t.HappyMonday = happyMonday;
    return t;
}

Texts On(const HolidayTable& t, int y, int m, int d) { return HolidayTexts(t, EncodeDate(y, m, d)); }
bool Off(const HolidayTable& t, int y, int m, int d, bool sat = false) { return IsDayOff(t, EncodeDate(y, m, d), sat); }

// The days on which an entry dated X of one moving kind shows, as the day rules decide.
std::vector<TDateTime> DaysShowing(const HolidayTable& t, TDateTime X, bool next, bool satOff) {
    struct NoFiles : rtl::NameSource {
        bool Exists(const std::string&) override { return false; }
    } none;
    DayRules rules(t, none);
    const DayOffShift kind{next ? ShiftMove::Next : ShiftMove::Previous, satOff};
    std::vector<TDateTime> days;
    for (TDateTime D = X - 10; D <= X + 10; D += 1)
        for (TDateTime s : rules.MovedDates(D, kind))
            if (s == X) days.push_back(D);
    return days;
}

}  // namespace

TEST(HolidayRulesTest, DefaultTableAndLookup) {
    const auto& d = DefaultHolidays();
    ASSERT_EQ(d.size(), 13u);
    EXPECT_EQ(d.front().first, "01/01");
    EXPECT_EQ(d.front().second, "【元旦】");
    EXPECT_EQ(d.back().first, "12/23");
    HolidayTable t = Defaults();
    EXPECT_EQ(On(t, 2001, 5, 3), Texts{"【憲法記念日】"});
    EXPECT_EQ(On(t, 2001, 5, 2), Texts{});
    // An empty value is no holiday; the first of two equal keys counts, as in the profile file.
    t.Horiday.push_back({"06/01", ""});
    t.Horiday.push_back({"06/01", "【後の値】"});
    t.Horiday.push_back({"05/03", "【二つ目】"});
    EXPECT_EQ(On(t, 2001, 6, 1), Texts{});
    EXPECT_EQ(On(t, 2001, 5, 3), Texts{"【憲法記念日】"});
}

TEST(HolidayRulesHappyMonday, SecondMondaysReplaceTheFixedDays) {
    HolidayTable on = Defaults(true), off = Defaults(false);
    // 2001: January 8 is the second Monday, January 15 the third.
    EXPECT_EQ(On(on, 2001, 1, 8), Texts{"【成人の日】"});
    EXPECT_EQ(On(on, 2001, 1, 15), Texts{});
    EXPECT_EQ(On(on, 2001, 10, 8), Texts{"【体育の日】"});
    EXPECT_EQ(On(on, 2001, 10, 10), Texts{});
    EXPECT_EQ(On(off, 2001, 1, 15), Texts{"【成人の日】"});
    EXPECT_EQ(On(off, 2001, 1, 8), Texts{});
    EXPECT_EQ(On(off, 2001, 10, 10), Texts{"【体育の日】"});
    // Before 2000 the fixed days hold whatever the switch says.
    EXPECT_EQ(On(on, 1999, 1, 15), Texts{"【成人の日】"});
    EXPECT_EQ(On(on, 1999, 1, 11), Texts{});
    EXPECT_TRUE(IsHappyMondayMode(on, 2000));
    EXPECT_FALSE(IsHappyMondayMode(on, 1999));
    EXPECT_FALSE(IsHappyMondayMode(off, 2001));
    // The month marks take the table and second-Monday pieces separately.
    EXPECT_EQ(TableHolidayText(on, EncodeDate(2001, 1, 8)), "");
    EXPECT_EQ(SecondMondayText(on, EncodeDate(2001, 1, 8)), "【成人の日】");
    EXPECT_EQ(TableHolidayText(on, EncodeDate(2001, 1, 15)), "");
    EXPECT_EQ(TableHolidayText(off, EncodeDate(2001, 1, 15)), "【成人の日】");
    // Days off: the second Monday, or the fixed day outside the mode.
    EXPECT_TRUE(Off(on, 2001, 1, 8));
    EXPECT_FALSE(Off(on, 2001, 1, 15));
    EXPECT_TRUE(Off(off, 2001, 1, 15));
    EXPECT_FALSE(Off(off, 2001, 1, 8));
    EXPECT_TRUE(Off(on, 2001, 10, 8));
    EXPECT_FALSE(Off(on, 2001, 10, 10));
}

TEST(HolidayRulesSubstitute, MondayAfterASundayHoliday) {
    HolidayTable t = Defaults();
    // 2005-03-20 was a Sunday and the vernal equinox.
    EXPECT_EQ(On(t, 2005, 3, 20), Texts{"【春分の日】"});
    EXPECT_EQ(On(t, 2005, 3, 21), Texts{"【振替休日】"});
    // 2024: the autumnal equinox fell on Sunday September 22.
    EXPECT_EQ(On(t, 2024, 9, 22), Texts{"【秋分の日】"});
    EXPECT_EQ(On(t, 2024, 9, 23), Texts{"【振替休日】"});
    EXPECT_TRUE(Off(t, 2024, 9, 23));
    // Sunday 2009-05-03: the Monday carries its own entry and the substitute; nothing moves further.
    EXPECT_EQ(On(t, 2009, 5, 4), (Texts{"【国民の休日】", "【振替休日】"}));
    EXPECT_EQ(On(t, 2009, 5, 6), Texts{});
    // Sunday 2006-01-15: no substitute in Happy Monday mode, one outside it.
    EXPECT_EQ(On(t, 2006, 1, 16), Texts{});
    HolidayTable off = Defaults(false);
    EXPECT_EQ(On(off, 2006, 1, 16), Texts{"【振替休日】"});
    // One substitute text per cause.
    t.Horiday.push_back({"03/20", "【記念日】"});
    EXPECT_EQ(On(t, 2005, 3, 20), (Texts{"【春分の日】", "【記念日】"}));
    EXPECT_EQ(On(t, 2005, 3, 21), (Texts{"【振替休日】", "【振替休日】"}));
    // A date with a time of day is the same date.
    EXPECT_EQ(HolidayTexts(t, EncodeDate(2005, 3, 21) + 0.75), (Texts{"【振替休日】", "【振替休日】"}));
}

TEST(HolidayRulesTest, EmptyTableKeepsEquinoxesAndSecondMondays) {
    HolidayTable on, off;
    off.HappyMonday = false;
    EXPECT_EQ(On(on, 2001, 3, 20), Texts{"【春分の日】"});
    EXPECT_EQ(On(on, 2001, 9, 23), Texts{"【秋分の日】"});
    EXPECT_EQ(On(on, 2001, 1, 8), Texts{"【成人の日】"});
    EXPECT_EQ(On(off, 2001, 1, 15), Texts{});
    EXPECT_TRUE(Off(off, 2001, 1, 15));
    EXPECT_TRUE(Off(off, 2001, 10, 10));
    EXPECT_FALSE(Off(on, 2001, 5, 3));
}

TEST(HolidayRulesDayOff, SaturdayFlag) {
    HolidayTable t = Defaults();
    // 2001-05-12 is an ordinary Saturday, 2001-05-13 a Sunday.
    EXPECT_FALSE(Off(t, 2001, 5, 12, false));
    EXPECT_TRUE(Off(t, 2001, 5, 12, true));
    EXPECT_TRUE(Off(t, 2001, 5, 13, false));
    // A next-day entry with Saturday as a working day, dated on that Saturday, shows there only.
    TDateTime sat = EncodeDate(2001, 5, 12);
    EXPECT_EQ(DaysShowing(t, sat, true, false), std::vector<TDateTime>{sat});
    EXPECT_EQ(DaysShowing(t, sat, true, true), std::vector<TDateTime>{EncodeDate(2001, 5, 14)});
    // Saturday 2001-05-05 is a holiday: a day off for the working-Saturday forms as well, so an
    // entry ~___0505.__ moves to Wednesday May 2 instead of showing nowhere.
    EXPECT_TRUE(Off(t, 2001, 5, 5, false));
    TDateTime may5 = EncodeDate(2001, 5, 5);
    EXPECT_EQ(DaysShowing(t, may5, false, false), std::vector<TDateTime>{EncodeDate(2001, 5, 2)});
    EXPECT_EQ(DaysShowing(t, may5, true, false), std::vector<TDateTime>{EncodeDate(2001, 5, 7)});
}

TEST(HolidayRulesDayOff, SubstituteMondayOutsideHappyMondayMode) {
    // Sunday 2006-01-15 with the switch off: Monday the 16th shows "【振替休日】", so it must be a day
    // off too, or entries dated on it would show nowhere.
    HolidayTable off = Defaults(false);
    EXPECT_TRUE(Off(off, 2006, 1, 16));
    TDateTime jan16 = EncodeDate(2006, 1, 16);
    EXPECT_EQ(DaysShowing(off, jan16, true, false), std::vector<TDateTime>{EncodeDate(2006, 1, 17)});
    EXPECT_EQ(DaysShowing(off, jan16, false, false), std::vector<TDateTime>{EncodeDate(2006, 1, 14)});
}
