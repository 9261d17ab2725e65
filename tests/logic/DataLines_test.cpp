// Schedule management's words for every name, which lists take a name, their order, and the
// editor presets that build the name again.
#include "schedule/DataLines.h"

#include <gtest/gtest.h>

using manage::EditorPreset;
using manage::Mode;
using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

std::string LineOfName(const std::string& name) { return manage::LineOf(DecodeName(name)); }

// The name the schedule entry editor builds from the fields a preset sets (a day the month lacks
// would be stepped down by the editor first, so it counts as a failure).
std::string EntryNameBuiltFrom(const EditorPreset& p) {
    if (!rtl::IsValidDate(p.year, p.month, p.day)) return "(no such day)";
    DayOffShift shift = DayOffShift::FromRadio(p.ifDayOff, p.saturday);
    entry::WeekBoxes weeks = p.weeks;
    weeks.Settle();
    switch (p.tab) {
        case entry::Repeat::OneDate: return ScheduleFileName::OneDate(p.year, p.month, p.day);
        case entry::Repeat::Yearly: return ScheduleFileName::Yearly(shift, p.month, p.day);
        case entry::Repeat::Monthly: return ScheduleFileName::Monthly(shift, p.day);
        case entry::Repeat::Weekly:
            return ScheduleFileName::Weekly(weeks.Mask(), rtl::DayOfWeek(EncodeDate(p.year, p.month, p.day)));
        case entry::Repeat::Daily: break;
    }
    return "(no daily entries)";
}

}  // namespace

TEST(DataLines, EveryKindOfNameInWords) {
    struct Case {
        const char *name, *line;
    } cases[] = {
        {"____0115.71", "To_do : 71年01月15日 "},
        {"____0115.__", "To_do : 毎年01月15日 "},
        {"~___0115.__", "To_do : 毎年01月15日 (休日:前日)"},
        {"~_~~0229.__", "To_do : 毎年02月29日 (土曜/休日:前日)"},
        {"_~__1231.__", "To_do : 毎年12月31日 (休日:翌日)"},
        {"_~~~__31.__", "To_do : 毎月31日 (土曜/休日:翌日)"},
        {"______05.__", "To_do : 毎月05日 "},
        {"_____~__.SUN", nullptr},  // weekly names carry "___" before the dot
        {"________.SUN", "Week1 : 日曜日"},
        {"_~_~~___.MON", "Week2 : 月曜日(第１　　第３　　　　)"},
        {"~~~~____.TUE", "Week3 : 火曜日(　　　　　　　　第５)"},
        {"~~~~~___.SUN", "Week1 : 日曜日(　　　　　　　　最終)"},
        {"_~~~~___.WED", "Week4 : 水曜日(第１　　　　　　　　)"},
        {"________.thu", "Week5 : 木曜日"},
        {"~________.FRI", nullptr},
        {"~_______.FRI", "Week6 : 金曜日(　　第２第３第４第５)"},
        {"________.SAT", "Week7 : 土曜日"},
        {"12300115.71", "Popup : 71年01月15日 12時30分"},
        {"09050115.-_", "Popup : 毎年01月15日 09時05分 (休日:前日)"},
        {"09050229.-~", "Popup : 毎年02月29日 09時05分 (土曜/休日:前日)"},
        {"0905__31.__", "Popup : 毎月31日 09時05分"},
        {"0905__31.~_", "Popup : 毎月31日 09時05分 (休日:翌日)"},
        {"0000__01.~~", "Popup : 毎月01日 00時00分 (土曜/休日:翌日)"},
        {"2359____.__", "Popup : 毎日 23時59分"},
        {"0800____.SUN", "Popw1 : 日曜日(毎週) 08時00分"},
        {"0800__05.MON", "Popw2 : 月曜日(第１　　第３　　　　) 08時00分"},
        {"0800__30.TUE", "Popw3 : 火曜日(　　第２第３第４第５) 08時00分"},
        {"0800__32.WED", "Popw4 : 水曜日(最終) 08時00分"},
        {"0800__21.THU", "Popw5 : 木曜日(第１　　第３　　第５) 08時00分"},
        {"0800__01.fri", "Popw6 : 金曜日(第１　　　　　　　　) 08時00分"},
        {"0800__16.SAT", "Popw7 : 土曜日(　　　　　　　　第５) 08時00分"},
        {"W0000600.__", "Win98 :     600秒経過（Windows起動後）"},
        {"w0000060.__", "Win98 :      60秒経過（Windows起動後）"},
        {"W3456000.__", "Win98 : 3456000秒経過（Windows起動後）"},
        // Never listed: birthdays and every name the strict reading turns down.
        {"BORN0115.71", nullptr},
        {"BORN.txt", nullptr},
        {"readme.txt", nullptr},
        {"____0230.71", nullptr},
        {"~___0115.71", nullptr},
        {"0800__31.MON", nullptr},
        {"0800__00.MON", nullptr},
        {"W0000065.__", nullptr},
        {"12300115.--", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(LineOfName(c.name), c.line ? c.line : "") << c.name;
}

TEST(DataLines, PastAndDayListsTakeOnlyDatedNames) {
    const rtl::TDateTime now = EncodeDate(2001, 1, 15) + EncodeTime(9, 0, 0, 0);
    const rtl::TDateTime today = EncodeDate(2001, 1, 15);
    struct Case {
        const char* name;
        bool past, today;
    } cases[] = {
        {"____0115.01", false, true},  // an entry of today is not past yet
        {"____0114.01", true, false},
        {"____0116.01", false, false},
        {"08590115.01", true, true},  // a reminder earlier today is
        {"09000115.01", false, true},
        {"09010115.01", false, true},
        {"23590114.01", true, false},
        {"00000116.01", false, false},
        {"____0115.29", false, false},  // 2029
        {"____0115.30", true, false},   // 1930
        {"12000115.29", false, false},
        {"12000115.30", true, false},
        {"____0115.__", false, false},
        {"______15.__", false, false},
        {"________.MON", false, false},
        {"0800____.__", false, false},
        {"0800____.MON", false, false},
        {"08000115.-_", false, false},
        {"W0000600.__", false, false},
        {"BORN0115.01", false, false},
    };
    for (const Case& c : cases) {
        NameFields f = DecodeName(c.name);
        EXPECT_EQ(manage::IsPast(f, now), c.past) << c.name;
        EXPECT_EQ(manage::IsOnDay(f, today), c.today) << c.name;
    }
    EXPECT_TRUE(manage::IsOnDay(DecodeName("____0115.29"), EncodeDate(2029, 1, 15)));
    EXPECT_TRUE(manage::IsOnDay(DecodeName("12000115.30"), EncodeDate(1930, 1, 15)));
}

TEST(DataLines, LinesThatReadTheSameKeepOneOrderByName) {
    EXPECT_TRUE(manage::LineBefore({"a", "X"}, {"a", "Y"}));
    EXPECT_FALSE(manage::LineBefore({"a", "Y"}, {"a", "X"}));
    EXPECT_TRUE(manage::LineBefore({"Popw1 : x", "Z"}, {"To_do : x", "A"}));
}

// The reminder kinds are opened in the real reminder editor by the window tests.
TEST(DataLines, EntryPresetsBuildTheChosenNameAgain) {
    const rtl::TDateTime common = EncodeDate(2002, 4, 10) + EncodeTime(10, 20, 0, 0);  // April, no 29 February
    const rtl::TDateTime leap = EncodeDate(2004, 1, 31) + EncodeTime(10, 20, 0, 0);
    const rtl::TDateTime february = EncodeDate(2001, 2, 3) + EncodeTime(10, 20, 0, 0);
    struct Case {
        const char* name;
        rtl::TDateTime now;
        entry::Repeat tab;
        int year, month, day;
    } cases[] = {
        {"____0115.71", common, entry::Repeat::OneDate, 1971, 1, 15},
        {"____0115.29", common, entry::Repeat::OneDate, 2029, 1, 15},
        {"____0229.__", common, entry::Repeat::Yearly, 2004, 2, 29},
        {"~_~~0229.__", leap, entry::Repeat::Yearly, 2004, 2, 29},
        {"_~__0115.__", common, entry::Repeat::Yearly, 2002, 1, 15},
        {"______31.__", common, entry::Repeat::Monthly, 2002, 5, 31},
        {"_~~~__30.__", february, entry::Repeat::Monthly, 2001, 3, 30},
        {"~_____29.__", february, entry::Repeat::Monthly, 2001, 3, 29},
        {"~_____29.__", leap, entry::Repeat::Monthly, 2004, 1, 29},
        {"_~_~~___.MON", common, entry::Repeat::Weekly, 2002, 4, 1},
        {"~~~~~___.SUN", common, entry::Repeat::Weekly, 2002, 4, 7},
        {"__~_____.SAT", common, entry::Repeat::Weekly, 2002, 4, 6},
        {"________.SAT", common, entry::Repeat::Weekly, 2002, 4, 6},
    };
    for (const Case& c : cases) {
        EditorPreset p = manage::PresetFor(DecodeName(c.name), c.now);
        EXPECT_FALSE(p.reminder) << c.name;
        EXPECT_EQ(p.tab, c.tab) << c.name;
        EXPECT_EQ(p.year * 10000 + p.month * 100 + p.day, c.year * 10000 + c.month * 100 + c.day) << c.name;
        EXPECT_EQ(EntryNameBuiltFrom(p), c.name);
    }
    // Weekly masks become boxes: 21 is weeks 1, 3 and 5; the shift groups and time come along.
    EditorPreset p = manage::PresetFor(DecodeName("0800__21.THU"), common);
    EXPECT_EQ(std::vector<bool>(p.weeks.week, p.weeks.week + 5), std::vector<bool>({true, false, true, false, true}));
    EXPECT_FALSE(p.weeks.last);
    p = manage::PresetFor(DecodeName("12300229.-~"), common);
    EXPECT_EQ(p.ifDayOff * 10 + p.saturday, 11);
    EXPECT_EQ(p.hour * 100 + p.minute, 1230);
}

TEST(DataLines, PresetDaysStayWithinTheDateFields) {
    struct Case {
        const char* name;
        rtl::TDateTime now;
        int year, month;
    } cases[] = {
        {"____0229.__", EncodeDate(2097, 3, 1), 2104, 2},  // 2100 has no 29 February
        {"____0229.__", EncodeDate(9997, 1, 1), 9996, 2},  // none left before 10000: the last one
        {"______31.__", EncodeDate(9999, 11, 5), 9999, 12},
        {"______31.__", EncodeDate(2001, 12, 5), 2001, 12},
        {"______31.__", EncodeDate(2001, 6, 5), 2001, 7},
    };
    for (const Case& c : cases) {
        EditorPreset p = manage::PresetFor(DecodeName(c.name), c.now);
        EXPECT_EQ(p.year * 100 + p.month, c.year * 100 + c.month) << c.name << " " << c.year;
    }
}
