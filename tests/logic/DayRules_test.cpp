#include "schedule/DayRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/rtl/DateTime.h"

using rtl::EncodeDate;
using rtl::EncodeTime;
using rtl::TDateTime;
using Names = std::vector<std::string>;

namespace {

// A data folder as a set of names; `all` answers yes to every name (the full candidate list).
struct FakeFolder : rtl::NameSource {
    std::set<std::string> files;
    bool all = false;
    int asked = 0;
    FakeFolder(std::initializer_list<std::string> f = {}) : files(f) {}
    bool Exists(const std::string& name) override {
        ++asked;
        return all || files.count(name) != 0;
    }
};

HolidayTable Defaults(bool happyMonday = true) {
    HolidayTable t;
    t.Horiday = DefaultHolidays();
    t.HappyMonday = happyMonday;
    return t;
}

Names NamesOf(const std::vector<DayHit>& hits) {
    Names n;
    for (const DayHit& h : hits) n.push_back(h.name);
    return n;
}

Names Entries(const HolidayTable& t, FakeFolder& f, int y, int m, int d, DayReader r = DayReader::DayView) {
    DayRules rules(t, f);
    return NamesOf(rules.ScheduleEntries(EncodeDate(y, m, d), r));
}

Names Fired(const HolidayTable& t, FakeFolder& f, int y, int m, int d, int hh, int nn, int ss = 0) {
    DayRules rules(t, f);
    return NamesOf(rules.Reminders(EncodeDate(y, m, d) + EncodeTime(hh, nn, ss, 0)));
}

// The days of a range on which a reminder fires at 12:30.
std::vector<int> DaysFired(const HolidayTable& t, const std::string& name, int y, int m, int from, int to) {
    FakeFolder f{name};
    std::vector<int> days;
    for (int d = from; d <= to; ++d)
        if (!Fired(t, f, y, m, d, 12, 30).empty()) days.push_back(d);
    return days;
}

}  // namespace

TEST(DayRulesReminder, EachKindFiresAtItsMinute) {
    HolidayTable t = Defaults();
    FakeFolder f{"12300115.01", "12300115.__", "1230__15.__", "1230____.__", "1231____.__"};
    // Monday 2001-01-15 12:30 (a working day in Happy Monday mode): daily, one day, yearly, monthly.
    EXPECT_EQ(Fired(t, f, 2001, 1, 15, 12, 30, 59), (Names{"1230____.__", "12300115.01", "12300115.__", "1230__15.__"}));
    EXPECT_EQ(Fired(t, f, 2001, 1, 15, 12, 31), Names{"1231____.__"});
    EXPECT_EQ(Fired(t, f, 2002, 1, 15, 12, 30), (Names{"1230____.__", "12300115.__", "1230__15.__"}));
    EXPECT_EQ(Fired(t, f, 2001, 2, 15, 12, 30), (Names{"1230____.__", "1230__15.__"}));
    DayRules rules(t, f);
    auto hits = rules.Reminders(EncodeDate(2001, 1, 15) + EncodeTime(12, 30, 0, 0));
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[1].kind, NameKind::PopupOneDay);  // the hit that offers deletion
    EXPECT_EQ(hits[0].test, DayTest::Daily);
    // Just before midnight stays on its day.
    EXPECT_EQ(Fired(t, f, 2001, 1, 14, 23, 59, 59), Names{});
}

TEST(DayRulesReminder, WeekOfMonth) {
    HolidayTable t = Defaults();
    // Mondays of January 2001: 1, 8, 15, 22, 29. Weeks 1 and 3.
    EXPECT_EQ(DaysFired(t, "1230__05.MON", 2001, 1, 1, 31), (std::vector<int>{1, 15}));
    EXPECT_EQ(DaysFired(t, "1230____.MON", 2001, 1, 1, 31), (std::vector<int>{1, 8, 15, 22, 29}));
    // Fridays of May 2001: 4, 11, 18, 25. The last week is May 25-31.
    EXPECT_EQ(DaysFired(t, "1230__32.FRI", 2001, 5, 1, 31), std::vector<int>{25});
    // Friday 2001-06-29 is in the fifth week, which is always among the last seven days.
    EXPECT_EQ(DaysFired(t, "1230__32.FRI", 2001, 6, 1, 30), std::vector<int>{29});
    EXPECT_EQ(DaysFired(t, "1230__16.FRI", 2001, 6, 1, 30), std::vector<int>{29});
    // The fourth week of a 28-day February lies wholly in the last seven days: Thursday 22nd.
    EXPECT_EQ(DaysFired(t, "1230__08.THU", 2001, 2, 1, 28), std::vector<int>{22});
    EXPECT_EQ(DaysFired(t, "1230__32.THU", 2001, 2, 1, 28), std::vector<int>{22});
    // Friday 2001-05-25: the fourth week and the last week both fire.
    EXPECT_EQ(DaysFired(t, "1230__08.FRI", 2001, 5, 1, 31), std::vector<int>{25});
    EXPECT_EQ(DaysFired(t, "1230__10.FRI", 2001, 5, 1, 31), (std::vector<int>{11, 25}));
    // Names the editor never writes match nothing (31 is spelled "____", 0 is no week).
    EXPECT_EQ(DaysFired(t, "1230__31.MON", 2001, 1, 1, 31), std::vector<int>{});
    EXPECT_EQ(DaysFired(t, "1230__00.MON", 2001, 1, 1, 31), std::vector<int>{});
}

TEST(DayRulesReminder, UptimeSteps) {
    HolidayTable t = Defaults();
    FakeFolder f{"W0000600.__", "W0000030.__"};
    DayRules rules(t, f);
    EXPECT_EQ(NamesOf(rules.UptimeReminders(600000)), Names{"W0000600.__"});
    EXPECT_EQ(NamesOf(rules.UptimeReminders(609999)), Names{"W0000600.__"});
    EXPECT_EQ(NamesOf(rules.UptimeReminders(610000)), Names{});
    EXPECT_EQ(NamesOf(rules.UptimeReminders(30000)), Names{});  // below a minute: not a reminder of ours
}

TEST(DayRulesReminder, YearlyPreviousWorkingDayMovesOffASundayHoliday) {
    HolidayTable t = Defaults();
    // 2006-01-01 was a Sunday holiday, Monday the 2nd its substitute; Saturday 2005-12-31 works
    // for the "-_" form and is a day off for "-~".
    FakeFolder f{"08000101.-_", "08000101.-~", "08000101.~_"};
    EXPECT_EQ(Fired(t, f, 2005, 12, 31, 8, 0), Names{"08000101.-_"});
    EXPECT_EQ(Fired(t, f, 2005, 12, 30, 8, 0), Names{"08000101.-~"});
    EXPECT_EQ(Fired(t, f, 2006, 1, 1, 8, 0), Names{});
    EXPECT_EQ(Fired(t, f, 2006, 1, 2, 8, 0), Names{});
    EXPECT_EQ(Fired(t, f, 2006, 1, 3, 8, 0), Names{"08000101.~_"});
    // 2008-01-01 was a Tuesday: both previous-day forms fire on Monday 2007-12-31.
    EXPECT_EQ(Fired(t, f, 2007, 12, 31, 8, 0), (Names{"08000101.-~", "08000101.-_"}));
    EXPECT_EQ(Fired(t, f, 2008, 1, 2, 8, 0), Names{"08000101.~_"});
    DayRules rules(t, f);
    auto hits = rules.Reminders(EncodeDate(2005, 12, 30) + EncodeTime(8, 0, 0, 0));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(hits[0].moved());
    EXPECT_EQ(hits[0].dated, EncodeDate(2006, 1, 1));
}

TEST(DayRulesDayView, OrderOnAWorkingDay) {
    HolidayTable t = Defaults();
    FakeFolder all;
    all.all = true;
    // Wednesday 2001-05-16: third week, no day off nearby.
    Names n = Entries(t, all, 2001, 5, 16);
    Names head(n.begin(), n.begin() + 12);
    EXPECT_EQ(head, (Names{"____0516.01", "____0516.__", "______16.__", "~___0516.__", "~_____16.__", "_~__0516.__",
                           "_~____16.__", "~_~~0516.__", "~_~~__16.__", "_~~~0516.__", "_~~~__16.__", "________.WED"}));
    Names weeks(n.begin() + 12, n.end());
    ASSERT_EQ(weeks.size(), 15u);
    EXPECT_TRUE(std::is_sorted(weeks.begin(), weeks.end()));  // the folder's order
    EXPECT_EQ(weeks.front(), "____~___.WED");
    EXPECT_EQ(weeks.back(), "~~_~~___.WED");
    for (const std::string& w : weeks) EXPECT_EQ(w[2], '_') << w;
    // Every name built decodes to the kind reported.
    DayRules rules(t, all);
    for (const DayHit& h : rules.ScheduleEntries(EncodeDate(2001, 5, 16))) EXPECT_EQ(DecodeName(h.name).kind, h.kind) << h.name;
    for (const DayHit& h : rules.Reminders(EncodeDate(2001, 5, 16) + EncodeTime(9, 5, 0, 0)))
        EXPECT_EQ(DecodeName(h.name).kind, h.kind) << h.name;
}

TEST(DayRulesDayView, LastWeekAndFifthWeek) {
    HolidayTable t = Defaults();
    FakeFolder f{"~~~~~___.MON", "~~~_~___.MON", "~~~_~___.TUE", "~~~~~___.TUE", "_~~~____.TUE", "~~~~____.TUE",
                 "________.TUE"};
    // Monday 2001-05-28: fourth week and last week. Tuesday the 22nd: fourth week only.
    EXPECT_EQ(Entries(t, f, 2001, 5, 28), (Names{"~~~_~___.MON", "~~~~~___.MON"}));
    EXPECT_EQ(Entries(t, f, 2001, 5, 22), (Names{"________.TUE", "~~~_~___.TUE"}));
    // Tuesday the 29th: fifth week; the list takes the group without week 1 first.
    EXPECT_EQ(Entries(t, f, 2001, 5, 29), (Names{"________.TUE", "_~~~____.TUE", "~~~~____.TUE", "~~~~~___.TUE"}));
    EXPECT_EQ(Entries(t, f, 2001, 5, 29, DayReader::ScheduleList),
              (Names{"________.TUE", "~~~~____.TUE", "_~~~____.TUE", "~~~~~___.TUE"}));
}

TEST(DayRulesDayView, KindsLeftOutByTheMarks) {
    HolidayTable t = Defaults();
    FakeFolder all;
    all.all = true;
    DayRules rules(t, all);
    for (const DayHit& h : rules.ScheduleEntries(EncodeDate(2024, 9, 24), DayReader::MonthMarks, kMonthlyKind))
        EXPECT_EQ(h.kind, NameKind::ScheduleMonthly) << h.name;
    all.asked = 0;
    EXPECT_TRUE(rules.ScheduleEntries(EncodeDate(2024, 9, 24), DayReader::MonthMarks, 0).empty());
    EXPECT_EQ(all.asked, 0);
}

TEST(DayRulesShiftWalk, OverASundayHolidayAndItsSubstituteMonday) {
    HolidayTable t = Defaults();
    // 2024: Saturday 9/21, Sunday 9/22 the autumnal equinox, Monday 9/23 its substitute.
    FakeFolder f{"_~__0922.__", "_~____23.__", "_~~~0921.__", "~___0923.__", "~_~~0923.__", "~___0920.__"};
    // Next working day: Tuesday 9/24 shows the Sunday and Monday entries (and the Saturday one of
    // the kind for which Saturday is a day off), earliest first within each kind.
    EXPECT_EQ(Entries(t, f, 2024, 9, 24), (Names{"_~~~0921.__", "_~__0922.__", "_~____23.__"}));
    // Previous working day: Saturday 9/21 for the working-Saturday kind, Friday 9/20 otherwise.
    EXPECT_EQ(Entries(t, f, 2024, 9, 21), Names{"~___0923.__"});
    EXPECT_EQ(Entries(t, f, 2024, 9, 20), (Names{"~___0920.__", "~_~~0923.__"}));
    // Nothing shows on the days off themselves.
    EXPECT_EQ(Entries(t, f, 2024, 9, 22), Names{});
    EXPECT_EQ(Entries(t, f, 2024, 9, 23), Names{});
    DayRules rules(t, f);
    EXPECT_EQ(rules.MovedDates(EncodeDate(2024, 9, 24), DayOffShift{ShiftMove::Next, true}),
              (std::vector<TDateTime>{EncodeDate(2024, 9, 24), EncodeDate(2024, 9, 21), EncodeDate(2024, 9, 22),
                                      EncodeDate(2024, 9, 23)}));
    EXPECT_EQ(rules.MovedDates(EncodeDate(2024, 9, 20), DayOffShift{ShiftMove::Previous, true}),
              (std::vector<TDateTime>{EncodeDate(2024, 9, 20), EncodeDate(2024, 9, 23), EncodeDate(2024, 9, 22),
                                      EncodeDate(2024, 9, 21)}));
}

TEST(DayRulesShiftWalk, FixedDaysOffOutsideHappyMondayShowOnce) {
    // Switch off, "01/15" deleted: January 15 is no holiday but still a day off for moving entries.
    // Tuesday 2002-01-15's entry of the previous-day kind shows on Monday the 14th only.
    HolidayTable t = Defaults(false);
    t.Horiday.erase(std::remove_if(t.Horiday.begin(), t.Horiday.end(), [](auto& kv) { return kv.first == "01/15"; }),
                    t.Horiday.end());
    EXPECT_FALSE(IsHoliday(t, EncodeDate(2002, 1, 15)));
    FakeFolder f{"~___0115.__"};
    EXPECT_EQ(Entries(t, f, 2002, 1, 14), Names{"~___0115.__"});
    EXPECT_EQ(Entries(t, f, 2002, 1, 15), Names{});
}

TEST(DayRulesShiftWalk, EveryMovedEntryShowsExactlyOnce) {
    const DayOffShift kinds[4] = {{ShiftMove::Previous, false}, {ShiftMove::Previous, true}, {ShiftMove::Next, false},
                                  {ShiftMove::Next, true}};
    for (bool happy : {true, false}) {
        HolidayTable t = Defaults(happy);
        FakeFolder none;
        DayRules rules(t, none);
        for (DayOffShift k : kinds) {
            std::map<TDateTime, int> shown;
            for (TDateTime D = EncodeDate(1998, 12, 1); D <= EncodeDate(2027, 1, 31); D += 1)
                for (TDateTime x : rules.MovedDates(D, k)) ++shown[x];
            for (TDateTime X = EncodeDate(1999, 1, 1); X <= EncodeDate(2026, 12, 31); X += 1)
                ASSERT_EQ(shown[X], 1) << rtl::FormatDateTime("yyyy/mm/dd", X) << " happy " << happy << " "
                                       << k.Code4();
        }
    }
}

TEST(DayRulesShiftWalk, NearlyEveryDayOffStillEnds) {
    // A table holding every day but June 15: the walks are cut and each file shows once.
    HolidayTable t;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= rtl::DaysInMonthGregorian(2000, m); ++d)
            if (!(m == 6 && d == 15)) t.Horiday.push_back({rtl::FormatDateTime("mm/dd", EncodeDate(2000, m, d)), "x"});
    FakeFolder all;
    all.all = true;
    DayRules rules(t, all);
    auto hits = rules.ScheduleEntries(EncodeDate(2001, 6, 15));  // a Friday
    std::set<std::string> unique;
    for (const DayHit& h : hits) unique.insert(h.name);
    EXPECT_EQ(unique.size(), hits.size());
    EXPECT_GT(hits.size(), 700u);  // about a year of yearly names per direction
    // Every day of the table is off and so is the end of the calendar: nothing to walk to.
    EXPECT_NO_THROW(rules.ScheduleEntries(EncodeDate(9999, 12, 31)));
    EXPECT_NO_THROW(rules.ScheduleEntries(EncodeDate(1, 1, 1)));
}

TEST(DayRulesBirthday, AnyYearInFolderOrder) {
    HolidayTable t = Defaults();
    FakeFolder f{"BORN0229.64", "BORN0229.00", "BORN0229.01", "BORN0115.71"};
    DayRules rules(t, f);
    auto hits = rules.Birthdays(2, 29);
    EXPECT_EQ(NamesOf(hits), (Names{"BORN0229.00", "BORN0229.64"}));  // 2001 had no 29 February
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[1].dated, EncodeDate(1964, 2, 29));
    EXPECT_EQ(NamesOf(rules.Birthdays(1, 15)), Names{"BORN0115.71"});
}

namespace {

// Week-of-month names of a weekday, as the folder lists them: every five-flag choice ("_" chosen)
// that holds the week, "_" sorting before "~".
Names WeekNames(std::initializer_list<const char*> flags, const char* weekday) {
    Names n;
    for (const char* f : flags) n.push_back(std::string(f) + "___." + weekday);
    return n;
}

struct EveryNameButBirthdays : rtl::NameSource {
    bool Exists(const std::string& name) override { return name.rfind("BORN", 0) != 0; }
};

Names Join(Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(DayRulesDayView, CandidateListsByHand) {
    // Every schedule name a day can show, in the day view's order, from a folder holding them all.
    struct Case {
        int y, m, d;
        Names want;
    };
    const Case cases[] = {
        // Saturday 2001-01-06: only the working-Saturday kinds on their own date; the previous-day
        // kind comes back from Sunday the 7th and the second Monday, the 8th (latest first).
        {2001, 1, 6,
         Join({"____0106.01", "____0106.__", "______06.__", "~___0106.__", "~_____06.__", "_~__0106.__", "_~____06.__",
               "~___0108.__", "~_____08.__", "~___0107.__", "~_____07.__", "________.SAT"},
              WeekNames({"____~", "___~_", "___~~", "__~__", "__~_~", "__~~_", "__~~~", "_~___", "_~__~", "_~_~_",
                         "_~_~~", "_~~__", "_~~_~", "_~~~_", "_~~~~"},
                        "SAT"))},
        // Tuesday 2001-01-09 after Saturday, Sunday and the second Monday: the next-day kinds walk
        // back over the run (from the Saturday when it is a day off for them), earliest first.
        {2001, 1, 9,
         Join({"____0109.01", "____0109.__", "______09.__", "~___0109.__", "~_____09.__", "_~__0109.__", "_~____09.__",
               "~_~~0109.__", "~_~~__09.__", "_~~~0109.__", "_~~~__09.__", "_~~~0106.__", "_~~~__06.__", "_~~~0107.__",
               "_~~~__07.__", "_~~~0108.__", "_~~~__08.__", "_~__0107.__", "_~____07.__", "_~__0108.__", "_~____08.__",
               "________.TUE"},
              WeekNames({"____~", "___~_", "___~~", "__~__", "__~_~", "__~~_", "__~~~", "~____", "~___~", "~__~_",
                         "~__~~", "~_~__", "~_~_~", "~_~~_", "~_~~~"},
                        "TUE"))},
        // Friday 1999-12-31: the new year's Saturday holiday and the Sunday walk back for both
        // previous-day kinds; the fifth week with week 1, then without it, then the last week.
        {1999, 12, 31,
         Join(Join({"____1231.99", "____1231.__", "______31.__", "~___1231.__", "~_____31.__", "_~__1231.__",
                    "_~____31.__", "~_~~1231.__", "~_~~__31.__", "_~~~1231.__", "_~~~__31.__", "~_~~0102.__",
                    "~_~~__02.__", "~_~~0101.__", "~_~~__01.__", "~___0102.__", "~_____02.__", "~___0101.__",
                    "~_____01.__", "________.FRI"},
                   WeekNames({"___~_", "__~__", "__~~_", "_~___", "_~_~_", "_~~__", "_~~~_", "~____", "~__~_", "~_~__",
                              "~_~~_", "~~___", "~~_~_", "~~~__", "~~~~_"},
                             "FRI")),
              {"~~~~~___.FRI"})},
        // Monday 2005-03-21, the substitute for the Sunday equinox: a day off for every moving
        // kind, so none shows here and none walks here. Third week; the 28th is still March.
        {2005, 3, 21,
         Join({"____0321.05", "____0321.__", "______21.__", "________.MON"},
              WeekNames({"____~", "___~_", "___~~", "_~___", "_~__~", "_~_~_", "_~_~~", "~____", "~___~", "~__~_",
                         "~__~~", "~~___", "~~__~", "~~_~_", "~~_~~"},
                        "MON"))},
    };
    HolidayTable t = Defaults();
    EveryNameButBirthdays folder;
    for (const Case& c : cases) {
        DayRules rules(t, folder);
        EXPECT_EQ(NamesOf(rules.DayView(EncodeDate(c.y, c.m, c.d))), c.want) << c.y << "/" << c.m << "/" << c.d;
    }
}

namespace {

std::vector<std::string> Items(std::initializer_list<int> days, int month) {
    std::vector<std::string> v;
    for (int d : days) v.push_back(std::to_string(month) + "," + std::to_string(d));
    return v;
}

// A folder with entries of every kind the editors write, and birthdays, around the years tested.
FakeFolder MixedFolder() {
    FakeFolder f;
    unsigned s = 2024;
    auto r = [&s](int n) {
        s = s * 1103515245u + 12345u;
        return int((s >> 8) % unsigned(n));
    };
    while (f.files.size() < 3000) {
        int y = 1997 + r(8), m = 1 + r(12), d = 1 + r(rtl::DaysInMonthGregorian(y, m));
        DayOffShift k = DayOffShift::FromRadio(r(3), r(2));
        switch (r(6)) {
            case 0: f.files.insert(ScheduleFileName::OneDate(y, m, d)); break;
            case 1: f.files.insert(ScheduleFileName::Yearly(k, m, d)); break;
            case 2: f.files.insert(ScheduleFileName::Monthly(k, d)); break;
            case 3: f.files.insert(ScheduleFileName::Weekly(r(8) == 0 ? kLastWeek : 1 + r(31), 1 + r(7))); break;
            default: f.files.insert(BirthdayFileName(1930 + r(99), m, d)); break;
        }
    }
    return f;
}

}  // namespace

TEST(DayRulesMonthMarks, AgreeWithTheDayViewEveryDay) {
    FakeFolder folder = MixedFolder();
    struct Span {
        int from, to;
        bool happyMonday;
    };
    for (Span span : {Span{2001, 2003, true}, Span{1998, 1998, false}}) {
        HolidayTable t = Defaults(span.happyMonday);
        for (int y = span.from; y <= span.to; ++y)
            for (int m = 1; m <= 12; ++m) {
                DayRules marks(t, folder);
                MonthLists lists = marks.MonthMarks(y, m, MarkGates{});
                auto count = [](const std::vector<std::string>& v, int m, int d) {
                    return (int)std::count(v.begin(), v.end(), std::to_string(m) + "," + std::to_string(d));
                };
                for (int d = 1; d <= rtl::DaysInMonthGregorian(y, m); ++d) {
                    TDateTime D = EncodeDate(y, m, d);
                    DayRules view(t, folder);
                    std::vector<DayHit> hits = view.DayView(D);
                    int birthdays = (int)std::count_if(hits.begin(), hits.end(),
                                                       [](const DayHit& h) { return h.test == DayTest::Birthday; });
                    // One mark per day with a birthday, one per entry the day shows.
                    int want = (birthdays ? 1 : 0) + (int)hits.size() - birthdays;
                    ASSERT_EQ(count(lists.marks, m, d), want) << y << "/" << m << "/" << d;
                    // The grid colours listed days and the Mondays after them: exactly the holidays.
                    bool listed = count(lists.holidays, m, d) > 0;
                    bool substitute = rtl::DayOfWeek(D) == 2 && d > 1 && count(lists.holidays, m, d - 1) > 0;
                    ASSERT_EQ(listed || substitute, IsHoliday(t, D)) << y << "/" << m << "/" << d;
                }
            }
    }
}

TEST(DayRulesMonthMarks, EachSettingLeavesOutItsKind) {
    // January 2001, second-Monday mode: Monday the 8th is a holiday, the 15th a working day.
    FakeFolder f{"BORN0110.71", "BORN0110.80",  // two people, one mark
                 "____0110.01", "____0111.__", "______12.__",
                 "_~__0107.__",                 // yearly, next working day: Sunday 7 -> Tuesday 9
                 "_~____14.__",                 // monthly, next working day: Sunday 14 -> Monday 15
                 "________.WED", "__~~~___.THU"};
    struct Case {
        const char* what;
        MarkGates gates;
        std::vector<int> days;
    };
    const Case cases[] = {
        {"none", {}, {3, 4, 9, 10, 10, 10, 11, 11, 12, 15, 17, 24, 31}},
        {"CanCol_Born", {.born = true}, {3, 4, 9, 10, 10, 11, 11, 12, 15, 17, 24, 31}},
        {"CanCol_todo", {.todo = true}, {3, 4, 9, 10, 10, 11, 11, 12, 15, 17, 24, 31}},
        {"CanCol_Day", {.day = true}, {3, 4, 10, 10, 10, 11, 12, 15, 17, 24, 31}},
        {"CanCol_Mon", {.mon = true}, {3, 4, 9, 10, 10, 10, 11, 11, 17, 24, 31}},
        {"CanCol_Week", {.week = true}, {9, 10, 10, 11, 12, 15}},
        {"CanCol_All", {.all = true}, {}},
    };
    HolidayTable t = Defaults();
    for (const Case& c : cases) {
        DayRules rules(t, f);
        MonthLists lists = rules.MonthMarks(2001, 1, c.gates);
        std::vector<std::string> want;
        for (int d : c.days) want.push_back("1," + std::to_string(d));
        EXPECT_EQ(lists.marks, want) << c.what;
        EXPECT_EQ(lists.holidays, Items({1, 8}, 1)) << c.what;  // holidays whatever the settings
    }
}

TEST(DayRulesMonthMarks, EndsOfTheDateRange) {
    // The first and last months walk to the ends of the calendar and stop there; months outside
    // it have no lists.
    EveryNameButBirthdays all;
    HolidayTable t = Defaults();
    DayRules rules(t, all);
    MonthLists first = rules.MonthMarks(1, 1, MarkGates{});
    EXPECT_EQ(first.holidays.front(), "1,1");
    EXPECT_FALSE(first.marks.empty());
    MonthLists last = rules.MonthMarks(9999, 12, MarkGates{});
    EXPECT_EQ(last.holidays, Items({23}, 12));
    EXPECT_EQ(last.marks.back(), "12,31");
    for (auto [y, m] : {std::pair{0, 12}, {10000, 1}, {2001, 0}, {2001, 13}}) {
        MonthLists none = rules.MonthMarks(y, m, MarkGates{});
        EXPECT_TRUE(none.holidays.empty() && none.marks.empty()) << y << "/" << m;
    }
    // The day view of the first and last days: 0001-01-01 is a Monday holiday with nothing before
    // it to walk to; 9999-12-31 a Friday with nothing after it.
    EXPECT_EQ(rules.DayView(EncodeDate(1, 1, 1)).front().name, "____0101.01");
    EXPECT_TRUE(rules.MovedDates(EncodeDate(1, 1, 1), DayOffShift{ShiftMove::Next, false}).empty());
    EXPECT_EQ(rules.MovedDates(EncodeDate(9999, 12, 31), DayOffShift{ShiftMove::Previous, true}),
              std::vector<TDateTime>{EncodeDate(9999, 12, 31)});
    EXPECT_TRUE(rules.DayView(EncodeDate(9999, 12, 31) + 1).empty());
}

TEST(DayRulesBirthday, HeadingsCountTheAgeInTheYearShown) {
    FakeFolder f{"BORN0229.64", "BORN0101.30", "BORN0101.29"};
    HolidayTable t = Defaults();
    DayRules rules(t, f);
    // Leap-day birthdays exist on 29 February of leap years only.
    auto leap = rules.DayView(EncodeDate(2000, 2, 29));
    ASSERT_EQ(leap.size(), 1u);
    EXPECT_EQ(BirthdayHeading(2000, leap[0]), "【36歳の誕生日】1964/02/29 (土)");
    EXPECT_EQ(rules.MonthMarks(2000, 2, MarkGates{}).marks, Items({29}, 2));
    EXPECT_TRUE(rules.MonthMarks(2001, 2, MarkGates{}).marks.empty());
    // Two-digit years: 30 is 1930, 29 is 2029.
    auto jan = rules.DayView(EncodeDate(2030, 1, 1));
    ASSERT_EQ(jan.size(), 2u);
    EXPECT_EQ(BirthdayHeading(2030, jan[0]), "【1歳の誕生日】2029/01/01 (月)");
    EXPECT_EQ(BirthdayHeading(2030, jan[1]), "【100歳の誕生日】1930/01/01 (水)");
}
