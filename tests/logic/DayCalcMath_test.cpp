#include "settings/DayCalcMath.h"

#include <gtest/gtest.h>

using namespace daycalc;

namespace {

std::vector<std::string> Tail(const Result& r) { return {r.lines.begin() + 3, r.lines.end()}; }

}  // namespace

TEST(DayCalcMath, SpanBreakdownLines) {
    struct Case {
        Moment a, b;
        std::vector<std::string> lines;
    } cases[] = {
        {{2000, 1, 1}, {2000, 1, 2, 1, 1, 1}, {"1日 1時間 1分 1秒", "25時間 1分 1秒", "1,501分 1秒", "90,061秒"}},
        {{2000, 1, 2, 1, 1, 1}, {2000, 1, 1}, {"1日 1時間 1分 1秒", "25時間 1分 1秒", "1,501分 1秒", "90,061秒"}},
        {{2000, 3, 1, 12}, {2000, 3, 2, 12}, {"1日 ", "24時間 ", "1,440分 ", "86,400秒"}},
        {{2024, 5, 5, 5, 5, 5}, {2024, 5, 5, 5, 5, 5}, {"", "", "", "0秒"}},
        {{2000, 1, 1}, {2000, 1, 1, 0, 0, 2}, {"2秒", "2秒", "2秒", "2秒"}},
        {{1582, 10, 4}, {1582, 10, 15}, {"11日 ", "264時間 ", "15,840分 ", "950,400秒"}},
        {{1, 1, 1}, {9999, 12, 31, 23, 59, 59},
         {"3,652,058日 23時間 59分 59秒", "87,649,415時間 59分 59秒", "5,258,964,959分 59秒", "315,537,897,599秒"}},
    };
    for (const auto& c : cases) {
        Result r = Span(c.a, c.b);
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.lines.size(), 7u);
        EXPECT_EQ(Tail(r), c.lines) << c.a.year << "/" << c.a.month << "/" << c.a.day;
        EXPECT_EQ(r.lines[2], "==================================");
    }
}

TEST(DayCalcMath, EveryWholeSecondOfADayIsExact) {
    const Moment start{2023, 6, 30};
    for (int s = 0; s <= 86400; ++s) {
        Moment end = s == 86400 ? Moment{2023, 7, 1} : Moment{2023, 6, 30, s / 3600, s / 60 % 60, s % 60};
        Result r = Span(start, end);
        ASSERT_EQ(r.lines.back(), Grouped(s) + "秒") << s;
        ASSERT_EQ(MomentOf(*SecondsOf(end)).second, end.second);
    }
}

TEST(DayCalcMath, DateLinesAndWeekday) {
    Result r = Span({2000, 1, 1}, {2000, 1, 2, 1, 1, 1});
    EXPECT_EQ(r.lines[0], "2000/01/01 (土) 00:00:00 から");
    EXPECT_EQ(r.lines[1], "2000/01/02 (日) 01:01:01 迄の時間");
}

TEST(DayCalcMath, SecondCountsRoundTrip) {
    EXPECT_EQ(*SecondsOf({9999, 12, 31, 23, 59, 59}), kLastSecond);
    EXPECT_EQ(*SecondsOf({1, 1, 1}), 0);
    for (int64_t s : {int64_t(0), int64_t(86399), int64_t(86400), kLastSecond, int64_t(63082281600) /*2000-01-01*/,
                      int64_t(31556908799) /*1000-12-31 23:59:59*/}) {
        Moment m = MomentOf(s);
        EXPECT_EQ(*SecondsOf(m), s);
    }
    Moment leap = MomentOf(*SecondsOf({2400, 2, 29, 12}));
    EXPECT_EQ(leap.month * 100 + leap.day, 229);
    EXPECT_FALSE(SecondsOf({2001, 2, 29}));
    EXPECT_FALSE(SecondsOf({1900, 2, 29}));
    EXPECT_FALSE(SecondsOf({0, 12, 31}));
}

TEST(DayCalcMath, IntervalResultsAndRangeEnds) {
    struct Case {
        Moment start;
        Interval by;
        bool later, ok;
        std::string last;
    } cases[] = {
        {{2000, 1, 1, 10, 20, 30}, {0, 0, 0, 0}, true, true, "2000/01/01 (土) 10:20:30"},
        {{2000, 1, 1, 10, 20, 30}, {0, 0, 0, 0}, false, true, "2000/01/01 (土) 10:20:30"},
        {{2000, 1, 1}, {1, 1, 1, 1}, true, true, "2000/01/02 (日) 01:01:01"},
        {{2000, 3, 1}, {0, 0, 0, 1}, false, true, "2000/02/29 (火) 23:59:59"},
        {{2000, 1, 1}, {0, 99999, 99999, 99999}, true, true, "2011/08/08 (月) 05:25:39"},
        {{1, 1, 1}, {0, 0, 0, 1}, false, false, ""},
        {{9999, 12, 31, 23, 59, 59}, {0, 0, 0, 1}, true, false, ""},
        {{2000, 1, 1}, {9999999, 0, 0, 0}, true, false, ""},
    };
    for (const auto& c : cases) {
        Result r = Shift(c.start, c.by, c.later);
        EXPECT_EQ(r.ok, c.ok) << c.last;
        ASSERT_EQ(r.lines.size(), c.ok ? 4u : 3u);
        if (c.ok) {
            EXPECT_EQ(r.lines[3], c.last);
        }
    }
    EXPECT_EQ(Shift({2000, 1, 1}, {1234567, 2, 3, 4}, false).lines[1], "1,234,567日 2時間 3分 4秒前の日時");
    EXPECT_EQ(Shift({2000, 1, 1}, {0, 0, 0, 0}, true).lines[1], "0日 0時間 0分 0秒後の日時");
}

TEST(DayCalcMath, ImpossibleDatesFailWithNoLines) {
    for (const Moment& bad : {Moment{2001, 2, 31}, Moment{2000, 4, 31}, Moment{2000, 1, 1, 24}}) {
        EXPECT_FALSE(Span(bad, {2000, 1, 1}).ok);
        EXPECT_FALSE(Span({2000, 1, 1}, bad).ok);
        Result r = Shift(bad, {}, true);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.lines.empty());
    }
}

TEST(DayCalcMath, Grouping) {
    const std::pair<int64_t, const char*> cases[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {-1234, "-1,234"},
                                                     {123456789, "123,456,789"}};
    for (auto [v, text] : cases) EXPECT_EQ(Grouped(v), text);
}
