#include "notes/PeriodData.h"

#include <gtest/gtest.h>

using namespace period;

TEST(PeriodData, AveragesFromRegisteredDates) {
    struct Case {
        std::vector<std::string> dates;
        long long common, next, after;
    } cases[] = {
        {{}, 28, 28, 28},
        {{"2000/01/01"}, 28, 28, 28},
        {{"2000/01/01", "2000/01/29", "2000/02/28"}, 29, 28, 30},
        {{"2000/01/01", "2000/01/29", "2000/02/28", "2000/03/27"}, 28, 30, 28},
        {{"2000/01/01", "2000/01/31"}, 30, 28, 30},
        // A text that is no date ends the reading.
        {{"2000/01/01", "-end-", "2000/02/28"}, 28, 28, 28},
    };
    for (const auto& c : cases) {
        Averages a = AveragesOf(CycleLengths(c.dates), c.dates.size());
        EXPECT_EQ(a.common, c.common) << c.dates.size();
        EXPECT_EQ(a.next, c.next) << c.dates.size();
        EXPECT_EQ(a.after, c.after) << c.dates.size();
    }
}

TEST(PeriodData, ForecastsCommonAndAlternating) {
    const long long base = *DayOf("2000/02/28");
    Forecast f = ForecastFrom(base, {29, 28, 30});
    ASSERT_EQ(f.common.size(), 100u);
    ASSERT_EQ(f.alternating.size(), 100u);
    EXPECT_EQ(DateWeekText(f.alternating[0]), "2000/03/27 (月)");
    EXPECT_EQ(DateWeekText(f.alternating[1]), "2000/04/26 (水)");
    EXPECT_EQ(DateText(f.alternating[2]), "2000/05/24");
    EXPECT_EQ(DateText(f.common[0]), "2000/03/28");
    EXPECT_EQ(f.common[99] - base, 2900);
}

TEST(PeriodData, ForecastsStopAtTheDateRange) {
    const long long base = *DayOf("2000/01/01");
    struct Case {
        Averages a;
        size_t common, alternating;
    } cases[] = {
        {{99999999, 99999999, 99999999}, 0, 0},
        {{-99999999, 28, -2147483647}, 0, 1},
        {{-28, 28, 28}, 100, 100},
        {{36500, 28, 36500}, 80, 100},  // eighty centuries from 2000 stay inside the range
    };
    for (const auto& c : cases) {
        Forecast f = ForecastFrom(base, c.a);
        EXPECT_EQ(f.common.size(), c.common) << c.a.common;
        EXPECT_EQ(f.alternating.size(), c.alternating) << c.a.after;
        for (long long d : f.common) EXPECT_TRUE(d >= FirstDay() && d <= LastDay());
    }
}

TEST(PeriodData, DayMarksOfACycle) {
    const long long s = *DayOf("2000/01/01"), e = s + 28;
    struct Case {
        int days;
        long long n;
        const char* mark;
    } cases[] = {
        {5, s, "×　生理中"},          {5, s + 4, "×　生理中"},      {5, s + 5, "？　　　安全日"},
        {5, e - 23, "？　　　安全日"}, {5, e - 20, "？　　　安全日"}, {5, e - 19, "？　　危険日"},
        {5, e - 17, "？　　危険日"},   {5, e - 16, "×【危険日】"},   {5, e - 12, "×【危険日】"},
        {5, e - 11, "？　　危険日"},   {5, e - 10, "△　　　　安全日"}, {5, e - 1, "△　　　　安全日"},
        {5, e, "×　生理中"},          {20, s + 19, "×　生理中"},     {20, e - 16, "×　生理中"},
        {20, e - 8, "△　　　　安全日"},
    };
    for (const auto& c : cases) {
        auto lines = DayMarks(s, e, c.days);
        ASSERT_EQ(lines.size(), 29u);
        const std::string& line = lines[c.n - s];
        EXPECT_EQ(line.substr(0, 16), DateWeekText(c.n) + " ");
        EXPECT_EQ(line.substr(16), c.mark) << (c.n - s) << " days " << c.days;
    }
    EXPECT_TRUE(DayMarks(e, s, 5).empty());
}

TEST(PeriodData, MergedListsAreSortedWithoutDuplicates) {
    EXPECT_EQ(MergeDates({}, {}), std::vector<std::string>{});
    EXPECT_EQ(MergeDates({"2000/02/01", "1999/12/31"}, {"2000/02/01", "2000/01/15"}),
              (std::vector<std::string>{"1999/12/31", "2000/01/15", "2000/02/01"}));
}

TEST(PeriodData, DateTexts) {
    for (const char* bad : {"", "2000-01-01", "2000/02/30", "0000/01/01", "abcd/ef/gh", "-end-"})
        EXPECT_FALSE(DayOf(bad)) << bad;
    EXPECT_EQ(DateText(*DayOf("0001/01/01")), "0001/01/01");
    EXPECT_EQ(*DayOf("9999/12/31"), LastDay());
}
