// The schedule list's days: the range cut at the ends of the calendar, the 32-byte header and the
// lines a day's date brings (old calendar, holidays).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/Rokuyo.h"
#include "schedule/DayRules.h"
#include "toolkit/rtl/DateTime.h"

using rtl::EncodeDate;
using rtl::EncodeTime;
using Lines = std::vector<std::string>;

namespace {
HolidayTable Table(bool happyMonday) {
    HolidayTable t;
    t.Horiday = DefaultHolidays();
    t.HappyMonday = happyMonday;
    return t;
}
}  // namespace

TEST(ScheduleListDays, RangeIsCutAtTheEndsOfTheCalendar) {
    struct Case {
        rtl::TDateTime base;
        int before, after;
        rtl::TDateTime first, last;
    } cases[] = {
        {EncodeDate(2001, 5, 1), 2, 7, EncodeDate(2001, 4, 29), EncodeDate(2001, 5, 8)},
        {EncodeDate(2001, 5, 1) + 0.75, 0, 0, EncodeDate(2001, 5, 1), EncodeDate(2001, 5, 1)},
        {EncodeDate(2001, 1, 1), 99, 99, EncodeDate(2000, 9, 24), EncodeDate(2001, 4, 10)},
        {EncodeDate(9999, 12, 30), 0, 7, EncodeDate(9999, 12, 30), EncodeDate(9999, 12, 31)},
        {EncodeDate(1, 1, 2), 99, 1, EncodeDate(1, 1, 1), EncodeDate(1, 1, 3)},
        {EncodeDate(2001, 5, 1), -5, -5, EncodeDate(2001, 5, 1), EncodeDate(2001, 5, 1)},
    };
    for (const Case& c : cases) {
        DayRange r;
        ASSERT_TRUE(ScheduleListRange(c.base, c.before, c.after, r)) << c.base;
        EXPECT_EQ(r.first, c.first) << c.base;
        EXPECT_EQ(r.last, c.last) << c.base;
    }
    DayRange r;
    EXPECT_FALSE(ScheduleListRange(EncodeDate(9999, 12, 31) + 1, 0, 0, r));
    EXPECT_FALSE(ScheduleListRange(-700000, 0, 0, r));
}

TEST(ScheduleListDays, HeadersAreThirtyTwoBytesUnlessLonger) {
    struct Case {
        rtl::TDateTime day, today;
        std::string want;
    } cases[] = {
        {EncodeDate(2001, 5, 3), EncodeDate(2001, 5, 1), "2001年5月3日(木)       〔2日後〕"},
        {EncodeDate(2001, 12, 31), EncodeDate(2001, 9, 23), "2001年12月31日(月)    〔99日後〕"},
        {EncodeDate(2001, 5, 1), EncodeDate(2001, 5, 3) + 0.5, "2001年5月1日(火)       〔2日前〕"},
        {EncodeDate(2001, 5, 3), EncodeDate(2001, 5, 3), "2001年5月3日(木)        〔本日〕"},
        {EncodeDate(2001, 12, 31), EncodeDate(1, 1, 1), "2001年12月31日(月)〔730849日後〕"},
        {EncodeDate(9999, 12, 31), EncodeDate(1, 1, 1), "9999年12月31日(金)〔3652058日後〕"},
    };
    for (const Case& c : cases) {
        std::string h = ScheduleListHeader(c.day, c.today);
        EXPECT_EQ(h, c.want);
        EXPECT_EQ(h.size(), std::max<size_t>(kListLineBytes, c.want.size()));
    }
    EXPECT_EQ(std::string(kScheduleListSeparator).size(), kListLineBytes);
}

TEST(ScheduleListDays, DateLinesFollowTheHolidayRules) {
    const rtl::TDateTime today = EncodeDate(2001, 1, 1);
    struct Case {
        bool happyMonday;
        rtl::TDateTime day;
        Lines holidays;  // after the header
    } cases[] = {
        // Second-Monday mode in 2001: the third Monday is a working day, the second one the holiday.
        {true, EncodeDate(2001, 1, 15), {}},
        {true, EncodeDate(2001, 1, 8), {"【成人の日】"}},
        {false, EncodeDate(2001, 1, 15), {"【成人の日】"}},
        // A Sunday 15 January makes no substitute Monday in that mode; outside it, it does.
        {true, EncodeDate(2006, 1, 16), {}},
        {false, EncodeDate(2006, 1, 16), {"【振替休日】"}},
        {true, EncodeDate(2001, 10, 8), {"【体育の日】"}},
        {true, EncodeDate(2001, 3, 20), {"【春分の日】"}},
        {true, EncodeDate(2001, 5, 3), {"【憲法記念日】"}},
    };
    for (const Case& c : cases) {
        Lines got = ScheduleListDateLines(Table(c.happyMonday), c.day, today, false);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.front(), ScheduleListHeader(c.day, today));
        EXPECT_EQ(Lines(got.begin() + 1, got.end()), c.holidays) << rtl::FormatDateTime("yyyy/mm/dd", c.day);
    }
}

TEST(ScheduleListDays, OldCalendarLineComesBeforeTheHolidays) {
    const rtl::TDateTime day = EncodeDate(2001, 5, 3);
    Lines got = ScheduleListDateLines(Table(true), day, day, true);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "【" + Rokuyo(RokuyoDayCount(2001, 5, 3)) + "】");
    EXPECT_EQ(got[2], "【憲法記念日】");
    // Asked again (the answer is remembered), and at the last day of the calendar.
    EXPECT_EQ(ScheduleListDateLines(Table(true), day, day, true), got);
    EXPECT_EQ(ScheduleListDateLines(Table(true), EncodeDate(9999, 12, 31), day, true).size(), 2u);
    EXPECT_TRUE(ScheduleListDateLines(Table(true), EncodeDate(9999, 12, 31) + 1, day, true).empty());
}
