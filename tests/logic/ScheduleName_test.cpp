#include <gtest/gtest.h>

#include <climits>

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/ScheduleName.h"
#include "toolkit/rtl/DateTime.h"

namespace {

const DayOffShift kKeep{};
const DayOffShift kPrev{ShiftMove::Previous, false};
const DayOffShift kPrevSat{ShiftMove::Previous, true};
const DayOffShift kNext{ShiftMove::Next, false};
const DayOffShift kNextSat{ShiftMove::Next, true};

}  // namespace

TEST(ScheduleNameBuild, EveryFormByteForByte) {
    struct Case {
        std::string got, want;
    } cases[] = {
        {ScheduleFileName::OneDate(1971, 1, 15), "____0115.71"},
        {ScheduleFileName::OneDate(2071, 1, 15), "____0115.71"},  // no century in names
        {ScheduleFileName::OneDate(2005, 12, 3), "____1203.05"},
        {ScheduleFileName::Yearly(kPrev, 1, 15), "~___0115.__"},
        {ScheduleFileName::Monthly(kKeep, 15), "______15.__"},
        {ScheduleFileName::Monthly(kNextSat, 1), "_~~~__01.__"},
        {ScheduleFileName::Weekly(1, 2), "_~~~~___.MON"},
        {ScheduleFileName::Weekly(kEveryWeek, 1), "________.SUN"},
        {ScheduleFileName::Weekly(kLastWeek, 7), "~~~~~___.SAT"},
        {ScheduleFileName::Weekly(0, 4), "________.WED"},  // no week chosen = every week
        {PopupFileName::OneDay(12, 30, 1971, 1, 15), "12300115.71"},
        {PopupFileName::Yearly(12, 30, 1, 15, kPrev), "12300115.-_"},
        {PopupFileName::Monthly(12, 30, 15, kKeep), "1230__15.__"},
        {PopupFileName::Monthly(9, 5, 31, kKeep), "0905__31.__"},
        {PopupFileName::Weekly(12, 30, 1 | 4, 2), "1230__05.MON"},
        {PopupFileName::Weekly(7, 0, kLastWeek, 6), "0700__32.FRI"},
        {PopupFileName::Weekly(23, 59, kEveryWeek, 6), "2359____.FRI"},
        {PopupFileName::Weekly(0, 0, 0, 3), "0000____.TUE"},
        {PopupFileName::Daily(12, 30), "1230____.__"},
        {PopupFileName::Uptime(600), "W0000600.__"},
        {BirthdayFileName(1971, 1, 15), "BORN0115.71"},
        {BirthdayFileName(2000, 2, 29), "BORN0229.00"},
        {BirthdayPattern(1, 15), "BORN0115.*"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(ScheduleNameShift, FiveFormsInBothSpellings) {
    struct Case {
        int ifDayOff, saturday;
        const char *code4, *code2;
    } cases[] = {
        {0, 0, "____", "__"}, {0, 1, "____", "__"},  // keep drops the Saturday choice
        {1, 0, "~___", "-_"}, {1, 1, "~_~~", "-~"},
        {2, 0, "_~__", "~_"}, {2, 1, "_~~~", "~~"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code4);
        DayOffShift s = DayOffShift::FromRadio(c.ifDayOff, c.saturday);
        EXPECT_STREQ(s.Code4(), c.code4);
        EXPECT_STREQ(s.Code2(), c.code2);
        EXPECT_EQ(ScheduleFileName::Yearly(s, 3, 9), std::string(c.code4) + "0309.__");
        EXPECT_EQ(PopupFileName::Monthly(8, 0, 9, s), std::string("0800__09.") + c.code2);
        DayOffShift back;
        ASSERT_TRUE(DayOffShift::FromCode4(c.code4, back));
        EXPECT_EQ(back, s);
        ASSERT_TRUE(DayOffShift::FromCode2(c.code2, back));
        EXPECT_EQ(back, s);
    }
    EXPECT_EQ(DayOffShift::FromRadio(1, 1), kPrevSat);
    EXPECT_EQ((DayOffShift{ShiftMove::Keep, true}), kKeep);
    DayOffShift out;
    for (const char* bad : {"_~", "~", "---", "_~_~", "~~~~", "__~~", "-___"}) {
        EXPECT_FALSE(DayOffShift::FromCode4(bad, out)) << bad;
        EXPECT_FALSE(DayOffShift::FromCode2(bad, out)) << bad;
    }
}

TEST(ScheduleNameWeek, FlagsAndMask) {
    EXPECT_EQ(PopupWeekMask(5), "__05");
    EXPECT_EQ(PopupWeekMask(32), "__32");
    EXPECT_EQ(PopupWeekMask(31), "____");
    EXPECT_EQ(PopupWeekMask(0), "____");
    EXPECT_EQ(PopupWeekMask(32 | 5), "__32");  // last week clears the five
    EXPECT_EQ(PopupWeekMask(30), "__30");
    EXPECT_EQ(ScheduleWeekFlags(5), "_~_~~");
    EXPECT_EQ(ScheduleWeekFlags(16), "~~~~_");
    EXPECT_EQ(ScheduleWeekFlags(31), "_____");
    EXPECT_EQ(ScheduleWeekFlags(0), "_____");
    EXPECT_EQ(ScheduleWeekFlags(32 | 1), "~~~~~");
    for (int w = 1; w <= 7; ++w) EXPECT_EQ(WeekdayFromCode(WeekdayCode(w)), w);
    EXPECT_STREQ(WeekdayCode(1), "SUN");
    EXPECT_STREQ(WeekdayCode(7), "SAT");
    // Modulo 7 at the ends of int too (INT_MIN - 1 once overflowed).
    EXPECT_STREQ(WeekdayCode(0), "SAT");
    EXPECT_STREQ(WeekdayCode(-6), "SUN");
    EXPECT_STREQ(WeekdayCode(INT_MIN), WeekdayCode(int(INT_MIN % 7 + 7)));
    EXPECT_STREQ(WeekdayCode(INT_MAX), WeekdayCode(INT_MAX % 7));
    EXPECT_EQ(WeekdayFromCode("fri"), 6);
    EXPECT_EQ(WeekdayFromCode("FRX"), 0);
    EXPECT_EQ(WeekdayFromCode("FRID"), 0);
}

TEST(ScheduleNameUptime, RoundsDownAndClamps) {
    struct Case {
        long long in;
        const char* want;
    } cases[] = {
        {65, "W0000060.__"},      {600, "W0000600.__"},     {609, "W0000600.__"},
        {59, "W0000060.__"},      {0, "W0000060.__"},       {-100, "W0000060.__"},
        {3456000, "W3456000.__"}, {3456009, "W3456000.__"}, {3456010, "W3456000.__"},
        {99999999, "W3456000.__"},
    };
    for (const auto& c : cases) EXPECT_EQ(PopupFileName::Uptime(c.in), c.want) << c.in;
    EXPECT_EQ(PopupFileName::UptimeTick(609999), "W0000600.__");
    EXPECT_EQ(PopupFileName::UptimeTick(610000), "W0000610.__");
    EXPECT_EQ(PopupFileName::UptimeTick(0), "W0000000.__");
    EXPECT_EQ(PopupFileName::UptimeTick(UINT32_MAX), "W4294960.__");
}

TEST(ScheduleNamePath, SectionIsTheJoinedPath) {
    EXPECT_EQ(PopupSection(".", "12300115.71"), ".\\12300115.71");
    EXPECT_EQ(DataFilePath("C:\\予定表", "____0115.71"), "C:\\予定表\\____0115.71");
    EXPECT_EQ(PopupSection("D:\\data", "W0000600.__"), DataFilePath("D:\\data", "W0000600.__"));
}

TEST(ScheduleNameDecode, FieldsOfEachForm) {
    NameFields f = DecodeName("____0115.71");
    EXPECT_EQ(f.kind, NameKind::ScheduleOneDate);
    EXPECT_EQ(f.year, 1971);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.day, 15);
    EXPECT_TRUE(f.IsSchedule());
    EXPECT_FALSE(f.IsPopup());

    f = DecodeName("_~~~0229.__");
    EXPECT_EQ(f.kind, NameKind::ScheduleYearly);
    EXPECT_EQ(f.shift, kNextSat);
    EXPECT_EQ(f.month, 2);
    EXPECT_EQ(f.day, 29);
    EXPECT_FALSE(f.HasYear());

    f = DecodeName("~_~~__31.__");
    EXPECT_EQ(f.kind, NameKind::ScheduleMonthly);
    EXPECT_EQ(f.shift, kPrevSat);
    EXPECT_EQ(f.day, 31);

    f = DecodeName("_~_~~___.MON");
    EXPECT_EQ(f.kind, NameKind::ScheduleWeekly);
    EXPECT_EQ(f.weekMask, 5);
    EXPECT_EQ(f.weekday, 2);
    EXPECT_EQ(DecodeName("~~~~~___.SAT").weekMask, kLastWeek);
    EXPECT_EQ(DecodeName("________.SUN").weekMask, kEveryWeek);

    f = DecodeName("12300115.71");
    EXPECT_EQ(f.kind, NameKind::PopupOneDay);
    EXPECT_EQ(f.hour, 12);
    EXPECT_EQ(f.minute, 30);
    EXPECT_EQ(f.year, 1971);
    EXPECT_TRUE(f.IsPopup());

    f = DecodeName("12300115.-_");
    EXPECT_EQ(f.kind, NameKind::PopupYearly);
    EXPECT_EQ(f.shift, kPrev);

    f = DecodeName("0905__31.__");
    EXPECT_EQ(f.kind, NameKind::PopupMonthly);
    EXPECT_EQ(f.hour, 9);
    EXPECT_EQ(f.minute, 5);
    EXPECT_EQ(f.day, 31);
    EXPECT_EQ(f.shift, kKeep);
    EXPECT_EQ(DecodeName("0905__31.~_").shift, kNext);

    f = DecodeName("1230__32.FRI");
    EXPECT_EQ(f.kind, NameKind::PopupWeekly);
    EXPECT_EQ(f.weekMask, kLastWeek);
    EXPECT_EQ(f.weekday, 6);
    EXPECT_EQ(DecodeName("1230____.FRI").weekMask, kEveryWeek);

    f = DecodeName("0000____.__");
    EXPECT_EQ(f.kind, NameKind::PopupDaily);
    EXPECT_EQ(f.hour, 0);
    EXPECT_EQ(f.minute, 0);

    f = DecodeName("W3456000.__");
    EXPECT_EQ(f.kind, NameKind::PopupUptime);
    EXPECT_EQ(f.seconds, 3456000);
    EXPECT_TRUE(f.IsPopup());

    f = DecodeName("BORN0229.64");
    EXPECT_EQ(f.kind, NameKind::Birthday);
    EXPECT_EQ(f.year, 1964);
    EXPECT_FALSE(f.IsSchedule());
    EXPECT_FALSE(f.IsPopup());
}

TEST(ScheduleNameDecode, TwoDigitYears) {
    EXPECT_EQ(YearFromTwoDigits(29), 2029);
    EXPECT_EQ(YearFromTwoDigits(30), 1930);
    EXPECT_EQ(DecodeName("____0101.00").year, 2000);
    EXPECT_EQ(DecodeName("____0101.29").year, 2029);
    EXPECT_EQ(DecodeName("23590101.30").year, 1930);
    EXPECT_EQ(DecodeName("BORN1231.99").year, 1999);
    // 29 February exists in 2000, the year "00" reads back as.
    EXPECT_EQ(DecodeName("____0229.00").kind, NameKind::ScheduleOneDate);
}

TEST(ScheduleNameDecode, FolderCaseIsIgnored) {
    EXPECT_EQ(DecodeName("born0115.71").kind, NameKind::Birthday);
    EXPECT_EQ(DecodeName("w0000600.__").kind, NameKind::PopupUptime);
    NameFields f = DecodeName("1230__05.mon");
    EXPECT_EQ(f.kind, NameKind::PopupWeekly);
    EXPECT_EQ(EncodeName(f), "1230__05.MON");
}

// Whatever a builder writes reads back to the same fields, for every date of a leap year.
TEST(ScheduleNameDecode, BuildersRoundTrip) {
    const DayOffShift shifts[] = {kKeep, kPrev, kPrevSat, kNext, kNextSat};
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= rtl::DaysInMonthGregorian(2024, m); ++d) {
            for (const auto& s : shifts) {
                NameFields y = DecodeName(ScheduleFileName::Yearly(s, m, d));
                ASSERT_EQ(y.kind, NameKind::ScheduleYearly);
                ASSERT_TRUE(y.month == m && y.day == d && y.shift == s);
                y = DecodeName(PopupFileName::Yearly(m, d, m, d, s));
                ASSERT_EQ(y.kind, NameKind::PopupYearly);
                ASSERT_TRUE(y.hour == m && y.minute == d && y.month == m && y.day == d && y.shift == s);
            }
            NameFields o = DecodeName(ScheduleFileName::OneDate(2024, m, d));
            ASSERT_TRUE(o.kind == NameKind::ScheduleOneDate && o.year == 2024 && o.month == m && o.day == d);
            o = DecodeName(PopupFileName::OneDay(23, 59, 1964, m, d));
            ASSERT_TRUE(o.kind == NameKind::PopupOneDay && o.year == 1964 && o.month == m && o.day == d);
            o = DecodeName(BirthdayFileName(1996, m, d));
            ASSERT_TRUE(o.kind == NameKind::Birthday && o.year == 1996 && o.month == m && o.day == d);
        }
    }
    for (int mask = 1; mask <= 32; ++mask) {
        for (int w = 1; w <= 7; ++w) {
            NameFields f = DecodeName(ScheduleFileName::Weekly(mask, w));
            ASSERT_TRUE(f.kind == NameKind::ScheduleWeekly && f.weekMask == mask && f.weekday == w);
            f = DecodeName(PopupFileName::Weekly(6, 45, mask, w));
            ASSERT_TRUE(f.kind == NameKind::PopupWeekly && f.weekMask == mask && f.weekday == w);
        }
    }
    for (int s = 60; s <= 3456000; s += 8650) {
        std::string name = PopupFileName::Uptime(s);
        EXPECT_EQ(EncodeName(DecodeName(name)), name);
    }
    for (const char* name : {"______15.__", "~___0115.__", "12300115.71", "1230__15.-~", "1230____.__",
                             "BORN0115.71", "W0000600.__", "_~~~~___.MON"})
        EXPECT_EQ(EncodeName(DecodeName(name)), name);
}

TEST(ScheduleNameReject, NamesThatAreNotOurs) {
    const std::vector<std::string> names = {
        // strays and wrong lengths
        "desktop.ini", "Thumbs.db", "", "orbal98.ini", "WINDOWS.INI", "BORN0115.7", "____0115.711",
        "12300115.71 ", "1230____.__.", "W000600.__", "_~~~~___.MO", "1230__05.MOND",
        // the dot
        "12300115_71", "____011571.", "W0000600_.__",
        // bad digits and impossible dates
        "____1315.71", "____0015.71", "____0132.71", "____0230.71", "____0229.01", "____01a5.71",
        "____0115.7x", "______00.__", "______32.__", "______3_.__", "____1301.__", "_~__0431.__",
        "BORN1315.71", "BORN0115.__", "BORN0229.63", "BORNxxxx.71",
        // shifts and extensions that are never written
        "~___0115.71", "_~_~0115.__", "~~~~0115.__", "______15.71", "______15.-_",
        "12300115._~", "12300115.~-", "1230__15.71", "1230__15._~", "1230____.-_", "1230____.71",
        // weeks
        "_~~~~__~.MON", "_~~~~___.XYZ", "_x~~~___.MON", "~~~~~~__.MON", "1230__00.MON", "1230__31.MON",
        "1230__33.MON", "1230__99.MON", "1230_05_.MON", "12300105.MON",
        // times
        "2400____.__", "1260____.__", "9999____.__", "12:0____.__", "-100____.__",
        // uptime values the editor never stores
        "W0000065.__", "W0000050.__", "W0000000.__", "W3456010.__", "W000060A.__", "W0000600.-_",
        "W0000600.71", "W+000600.__",
        // other first characters
        "X2300115.71", "-___0115.__", ".___0115.71",
    };
    for (const auto& n : names) {
        SCOPED_TRACE(n);
        NameFields f = DecodeName(n);
        EXPECT_EQ(f.kind, NameKind::NotOurs);
        EXPECT_FALSE(f.ours());
        EXPECT_EQ(EncodeName(f), "");
    }
    // "__05" with a keep extension is a monthly reminder for the 5th, not a week mask.
    EXPECT_EQ(DecodeName("1230__05.__").kind, NameKind::PopupMonthly);
}
