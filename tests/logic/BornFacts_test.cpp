#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "schedule/BornFacts.h"

using rtl::EncodeDate;

TEST(BornSigns, RangeEndsOfBothVariants) {
    struct Case {
        int key;
        bool thirteen;
        const char *name, *hint, *bitmap;
    } cases[] = {
        {1221, false, "射手座", "11/23～12/21", "ite"},
        {1222, false, "山羊座", "12/22～1/19", "yagi"},
        {101, false, "山羊座", "12/22～1/19", "yagi"},
        {119, false, "山羊座", "12/22～1/19", "yagi"},
        {120, false, "水瓶座", "1/20～2/18", "midugame"},
        {229, false, "魚座", "2/19～3/20", "uo"},
        {1023, false, "天秤座", "9/23～10/23", "tenbin"},
        {1024, false, "蠍座", "10/24～11/22", "sasori"},
        {1217, true, "蛇遣い座", "11/30～12/17", "hebitukai"},
        {1218, true, "新射手座", "12/18～1/18", "ite"},
        {118, true, "新射手座", "12/18～1/18", "ite"},
        {119, true, "新山羊座", "1/19～2/15", "yagi"},
        {1129, true, "新蠍座", "11/23～11/29", "sasori"},
        {1130, true, "蛇遣い座", "11/30～12/17", "hebitukai"},
        {916, true, "新乙女座", "9/16～10/30", "otome"},
    };
    for (const Case& c : cases) {
        const born::Sign& s = born::WesternSign(c.key, c.thirteen);
        EXPECT_STREQ(s.name, c.name) << c.key << " " << c.thirteen;
        EXPECT_STREQ(s.hint, c.hint) << c.key;
        EXPECT_STREQ(s.bitmap, c.bitmap) << c.key;
    }
}

TEST(BornSigns, LastDayOf2000) {
    const born::Sign& s = born::WesternSign(born::Key(12, 31), false);
    EXPECT_STREQ(s.name, "山羊座");
    EXPECT_STREQ(s.hint, "12/22～1/19");
    EXPECT_STREQ(born::ChineseZodiac(2000).name, "辰");
    EXPECT_STREQ(born::MonthFacts(12).stone, "トルコ石");
    EXPECT_STREQ(born::MonthFacts(12).oldName, "(師走)");
}

TEST(BornSigns, AnimalsRunFromTheRat) {
    const char* names[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
    const char* bitmaps[12] = {"ne", "usi", "tora", "u", "tatu", "mi", "uma", "hituji", "saru", "tori", "inu", "i"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_STREQ(born::ChineseZodiac(1936 + i).name, names[i]) << 1936 + i;
        EXPECT_STREQ(born::ChineseZodiac(2020 + i).bitmap, bitmaps[i]) << 2020 + i;
    }
}

TEST(BornAges, AroundABirthdayAndBackToTheYear) {
    struct Case {
        int y, m, d;
        rtl::TDateTime today;
        int age;
    } cases[] = {
        {1971, 1, 15, EncodeDate(2001, 1, 14), 29},
        {1971, 1, 15, EncodeDate(2001, 1, 15), 30},
        {1971, 1, 15, EncodeDate(2001, 12, 31), 30},
        {2000, 2, 29, EncodeDate(2001, 2, 28), 0},
        {2000, 2, 29, EncodeDate(2001, 3, 1), 1},
        {2000, 12, 31, EncodeDate(2000, 12, 31), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(born::AgeOn(c.y, c.m, c.d, c.today), c.age) << c.y << "/" << c.m << "/" << c.d;
        // The year from the age gives the birth year back on the same day.
        EXPECT_EQ(born::YearFromAge(c.age, c.m, c.d, c.today), c.y) << c.y << "/" << c.m << "/" << c.d;
    }
    EXPECT_EQ(born::YearFromAge(30, 1, 15, EncodeDate(2001, 1, 14)), 1970);
}

TEST(BornAges, NamesAndCelebrations) {
    struct Case {
        int age;
        const char *name, *celebration;
    } cases[] = {
        {14, "", ""},       {15, "(志学)", ""},       {20, "(弱冠)", ""},       {59, "", ""},
        {60, "(耳順)", "(還暦)"}, {61, "", ""},          {69, "", "(古希)"},     {70, "", ""},
        {76, "", "(喜寿)"}, {79, "", "(傘樹)"},     {87, "", "(米寿)"},     {89, "", "(卆寿)"},
        {98, "", "(白寿)"}, {99, "", "(上寿)"},     {0, "", ""},            {150, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(born::AgeName(c.age), c.name) << c.age;
        EXPECT_STREQ(born::AgeCelebration(c.age), c.celebration) << c.age;
    }
}

TEST(BornList, DaysToTheNextBirthday) {
    struct Case {
        int m, d;
        rtl::TDateTime today;
        std::optional<int> days;
    } cases[] = {
        {2, 29, EncodeDate(2001, 2, 28), 1},    // 1 March in a common year
        {2, 29, EncodeDate(2000, 2, 28), 1},    // 29 February in a leap year
        {2, 29, EncodeDate(2000, 3, 1), 365},   // on to 1 March 2001
        {2, 29, EncodeDate(2001, 3, 1), 0},
        {2, 29, EncodeDate(2003, 3, 2), 364},   // 29 February 2004
        {2, 29, EncodeDate(2000, 2, 29), 0},
        {1, 15, EncodeDate(2001, 1, 15), 0},
        {1, 15, EncodeDate(2000, 12, 16), 30},
        {1, 1, EncodeDate(2000, 12, 31), 1},
        {12, 31, EncodeDate(2001, 1, 1), 364},
        {12, 31, EncodeDate(2000, 1, 1), 365},
        {12, 31, EncodeDate(9999, 12, 31), 0},
        {1, 15, EncodeDate(9999, 1, 16), std::nullopt},  // the next one would be in year 10000
    };
    for (const Case& c : cases)
        EXPECT_EQ(born::DaysToBirthday(c.m, c.d, c.today + 0.75), c.days) << c.m << "/" << c.d << " " << c.today;
}

TEST(BornList, LinesSortByMonthDayAndYear) {
    rtl::TDateTime today = EncodeDate(2000, 12, 16);
    EXPECT_EQ(born::ListLine(1971, 1, 15, today), "01月15日【1971年】あと 30日");
    EXPECT_EQ(born::ListLine(1971, 1, 15, EncodeDate(9999, 1, 16)), "01月15日【1971年】");
    std::vector<std::string> lines = {
        born::ListLine(2005, 12, 7, today), born::ListLine(1971, 1, 15, today), born::ListLine(1930, 1, 15, today),
        born::ListLine(2029, 10, 2, today), born::ListLine(2000, 2, 29, today), born::ListLine(1999, 1, 5, today),
    };
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> expected = {
        "01月05日【1999年】あと 20日",  "01月15日【1930年】あと 30日",  "01月15日【1971年】あと 30日",
        "02月29日【2000年】あと 75日",  "10月02日【2029年】あと 290日", "12月07日【2005年】あと 356日",
    };
    EXPECT_EQ(lines, expected);
}
