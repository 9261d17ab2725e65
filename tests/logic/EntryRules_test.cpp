// The entry editors' window-free rules: rule texts, week boxes, lead times, uptime values and the
// schedule list's range test.
#include "schedule/EntryRules.h"

#include <gtest/gtest.h>

using entry::Repeat;
using rtl::EncodeDate;

namespace {

DayOffShift Shift(ShiftMove m, bool sat) { return {m, sat}; }

}  // namespace

TEST(EntryRuleText, EachKindAndShift) {
    // 1971-01-15 and 2001-01-15 are a Friday and a Monday.
    struct Case {
        Repeat kind;
        int year;
        DayOffShift shift;
        int mask;
        const char* text;
    } cases[] = {
        {Repeat::OneDate, 1971, {}, 31, "【71年1月15日】"},
        {Repeat::OneDate, 2005, {}, 31, "【05年1月15日】"},
        {Repeat::Yearly, 2001, {}, 31, "【毎年1月15日】"},
        {Repeat::Yearly, 2001, Shift(ShiftMove::Previous, true), 31, "【毎年1月15日】(土曜/休日:前日)"},
        {Repeat::Yearly, 2001, Shift(ShiftMove::Keep, true), 31, "【毎年1月15日】"},
        {Repeat::Monthly, 2001, Shift(ShiftMove::Previous, false), 31, "【毎月15日】(休日:前日)"},
        {Repeat::Monthly, 2001, Shift(ShiftMove::Next, false), 31, "【毎月15日】(休日:翌日)"},
        {Repeat::Monthly, 2001, Shift(ShiftMove::Next, true), 31, "【毎月15日】(土曜/休日:翌日)"},
        {Repeat::Weekly, 2001, {}, 31, "【月曜日】"},
        {Repeat::Weekly, 2001, {}, 0, "【月曜日】"},  // nothing chosen is every week
        {Repeat::Weekly, 2001, {}, 5, "【第１第３月曜日】"},
        {Repeat::Weekly, 1971, {}, 16, "【第５金曜日】"},
        {Repeat::Weekly, 1971, {}, 32, "【最終金曜日】"},
        {Repeat::Daily, 2001, {}, 31, "【毎日】"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entry::RuleText(c.kind, c.year, 1, 15, c.shift, c.mask), c.text) << c.text;
}

TEST(EntryRuleText, BodyHints) {
    EXPECT_EQ(entry::EntryHint(Repeat::OneDate, 1971, 1, 5, "のｽｹｼﾞｭｰﾙ"), "1971/1/5のｽｹｼﾞｭｰﾙ");
    EXPECT_EQ(entry::EntryHint(Repeat::Yearly, 1971, 1, 5, "のﾎﾟｯﾌﾟｱｯﾌﾟ"), "毎年1/5のﾎﾟｯﾌﾟｱｯﾌﾟ");
    EXPECT_EQ(entry::EntryHint(Repeat::Monthly, 1971, 1, 5, "のﾎﾟｯﾌﾟｱｯﾌﾟ"), "毎月5日のﾎﾟｯﾌﾟｱｯﾌﾟ");
    EXPECT_EQ(entry::EntryHint(Repeat::Weekly, 2001, 1, 15, "のﾎﾟｯﾌﾟｱｯﾌﾟ"), "月曜日のﾎﾟｯﾌﾟｱｯﾌﾟ");
    EXPECT_EQ(entry::EntryHint(Repeat::Daily, 2001, 1, 15, "のﾎﾟｯﾌﾟｱｯﾌﾟ"), "毎日のﾎﾟｯﾌﾟｱｯﾌﾟ");
}

TEST(EntryWeekBoxes, SettleAndMask) {
    struct Case {
        bool week[5];
        bool last;
        bool after[5];
        int mask;
    } cases[] = {
        {{false, false, false, false, false}, false, {true, true, true, true, true}, 31},
        {{true, false, true, false, false}, false, {true, false, true, false, false}, 5},
        {{true, true, true, true, true}, true, {false, false, false, false, false}, 32},
        {{false, false, false, false, false}, true, {false, false, false, false, false}, 32},
    };
    for (const Case& c : cases) {
        entry::WeekBoxes w;
        std::copy(c.week, c.week + 5, w.week);
        w.last = c.last;
        w.Settle();
        for (int i = 0; i < 5; ++i) EXPECT_EQ(w.week[i], c.after[i]) << c.mask << " week " << i;
        EXPECT_EQ(w.Mask(), c.mask);
    }
}

TEST(EntryTimes, PopupTimeLeadNoteAndSuffix) {
    struct Case {
        int h, n, before;
        const char* popup;
    } cases[] = {
        {0, 5, 15, "Popup 23:50"}, {9, 0, 15, "Popup 08:45"}, {9, 0, 0, "Popup 09:00"},
        {0, 0, 1, "Popup 23:59"},  {23, 59, -1, "Popup 00:00"}, {12, 0, 1500, "Popup 11:00"},
    };
    for (const Case& c : cases) EXPECT_EQ(entry::PopupTimeText(c.h, c.n, c.before), c.popup);
    EXPECT_EQ(entry::LeadTimeText(0), "指定した時間通りにﾎﾟｯﾌﾟｱｯﾌﾟします。");
    EXPECT_EQ(entry::LeadTimeText(15), "指定した時間の 15分前にﾎﾟｯﾌﾟｱｯﾌﾟします。");
    EXPECT_EQ(entry::TimeSuffix(9, 5), "9:05～");
    EXPECT_EQ(entry::TimeSuffix(0, 0), "0:00～");
}

TEST(EntryUptime, SecondsTextAndApproximation) {
    struct Case {
        long long typed;
        int seconds;
    } cases[] = {{65, 60}, {4000000, 3456000}, {30, 60}, {-5, 60}, {615, 610}, {3456000, 3456000}, {600, 600}};
    for (const Case& c : cases) EXPECT_EQ(entry::UptimeSeconds(c.typed), c.seconds) << c.typed;
    EXPECT_EQ(entry::UptimeRuleText(600), "【Windows起動後 600秒経過】");
    EXPECT_EQ(entry::UptimeApprox(90000), (std::vector<std::string>{"約1日", "約25時間", "約1500分"}));
}

TEST(EntryListRange, KindsAgainstTheListsDays) {
    struct Case {
        Repeat kind;
        int year, month, day;
        rtl::TDateTime first, last;
        bool in;
    } cases[] = {
        {Repeat::OneDate, 2001, 1, 15, EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), true},
        {Repeat::OneDate, 2001, 1, 15, EncodeDate(2001, 1, 16), EncodeDate(2001, 1, 20), false},
        {Repeat::OneDate, 2001, 1, 20, EncodeDate(2001, 1, 10), EncodeDate(2001, 1, 20), true},  // ends count
        // Yearly: the month and day in any year of the list, also across the new year.
        {Repeat::Yearly, 1990, 1, 5, EncodeDate(2001, 12, 25), EncodeDate(2002, 1, 10), true},
        {Repeat::Yearly, 1990, 3, 5, EncodeDate(2001, 12, 25), EncodeDate(2002, 1, 10), false},
        {Repeat::Yearly, 2000, 2, 29, EncodeDate(2001, 2, 1), EncodeDate(2001, 3, 31), false},
        {Repeat::Yearly, 2000, 2, 29, EncodeDate(2004, 2, 1), EncodeDate(2004, 3, 31), true},
        // Monthly: the day in any month of the list; a month without that day has no entry.
        {Repeat::Monthly, 2001, 1, 31, EncodeDate(2001, 4, 1), EncodeDate(2001, 4, 30), false},
        {Repeat::Monthly, 2001, 1, 31, EncodeDate(2001, 4, 20), EncodeDate(2001, 5, 2), false},
        {Repeat::Monthly, 2001, 1, 31, EncodeDate(2001, 4, 20), EncodeDate(2001, 6, 2), true},
        {Repeat::Monthly, 2001, 1, 3, EncodeDate(2001, 12, 28), EncodeDate(2002, 1, 3), true},
        {Repeat::Weekly, 2001, 1, 15, EncodeDate(2001, 4, 1), EncodeDate(2001, 4, 1), true},
        {Repeat::Daily, 2001, 1, 15, EncodeDate(2001, 4, 1), EncodeDate(2001, 4, 1), true},
        // The date range's ends.
        {Repeat::OneDate, 1, 1, 1, EncodeDate(1, 1, 1), EncodeDate(1, 1, 7), true},
        {Repeat::Monthly, 9999, 12, 31, EncodeDate(9999, 12, 1), EncodeDate(9999, 12, 31), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entry::CanShowInRange(c.kind, c.year, c.month, c.day, c.first, c.last), c.in)
            << (int)c.kind << " " << c.year << "-" << c.month << "-" << c.day;
}

TEST(EntryTemplates, TitlesAndFiles) {
    EXPECT_EQ(entry::TemplateDefaultTitle(0), "定型文1");
    EXPECT_EQ(entry::TemplateDefaultTitle(19), "定型文20");
    EXPECT_EQ(entry::TemplateFile("C:\\data", 7), "C:\\data\\Teikei\\7.rtf");
}
