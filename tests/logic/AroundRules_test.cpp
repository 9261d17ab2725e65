#include <gtest/gtest.h>

#include "mainwindow/AroundRules.h"

TEST(AroundRulesDrop, PathsJoinedByTheSeparateAndShiftRules) {
    const std::vector<std::string> three = {"C:\\データ\\表.txt", "C:\\ソフト\\a b.doc", "D:\\c"};
    struct Case {
        std::vector<std::string> files;
        bool separate, names;
        std::string text;
    } cases[] = {
        {three, false, false, "C:\\データ\\表.txt\r\nC:\\ソフト\\a b.doc\r\nD:\\c\r\n"},
        {three, true, false, "C:\\データ\\表.txt C:\\ソフト\\a b.doc D:\\c"},
        {three, false, true, "表.txt\r\na b.doc\r\nc\r\n"},
        {three, true, true, "表.txt a b.doc c"},
        // One file is always the bare path (or name), whatever the join.
        {{"C:\\データ\\表.txt"}, false, false, "C:\\データ\\表.txt"},
        {{"C:\\データ\\表.txt"}, true, true, "表.txt"},
        {{}, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DroppedPathsText(c.files, c.separate, c.names), c.text);
    }
}

TEST(AroundRulesBio, ValuesOfTheThreePeriods) {
    // n + k is the phase in days; the amplitude of a 79-pixel chart is 39.
    struct Case {
        int period, phase, value;
    } cases[] = {
        {23, 0, 0},  {23, 6, 38},  {23, 17, -38}, {23, 23, 0},   // trunc, not floor: -38.9 gives -38
        {28, 7, 39}, {28, 14, 0},  {28, 21, -39}, {28, 28, 0},   // a quarter is exactly the amplitude
        {33, 8, 38}, {33, 25, -38}, {33, 21, -29}, {33, 33, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.period << "/" << c.phase);
        EXPECT_EQ(BiorhythmValue(c.phase, 0, c.period, 39), c.value);
        EXPECT_EQ(BiorhythmValue(c.phase - 10, 10, c.period, 39), c.value);  // only n + k counts
    }
}

TEST(AroundRulesBio, NegativePhasesGiveTheSameCurves) {
    // A person born after the month shown: n + k below 0 keeps its sign in the remainder.
    EXPECT_EQ(BiorhythmValue(-6, 0, 23, 39), -38);
    for (int period : {23, 28, 33})
        for (long long n : {-1LL, -37LL, -1000LL})
            for (int k = 0; k <= 31; ++k)
                EXPECT_EQ(BiorhythmValue(n, k, period, 39), BiorhythmValue(n + 100LL * period, k, period, 39))
                    << period << " " << n << " " << k;
}

TEST(AroundRulesBio, DayLinesAndTodaysLine) {
    struct Case {
        int k, today;
        BioLine line;
    } cases[] = {
        {0, 0, BioLine::SilverDotted},  // another month: no day is today, the month's day 0 stays silver
        {0, 15, BioLine::SilverDotted}, {1, 0, BioLine::BlackSolid},   {2, 0, BioLine::SilverDotted},
        {5, 0, BioLine::BlackDotted},   {10, 0, BioLine::BlackSolid},  {15, 0, BioLine::BlackDotted},
        {20, 0, BioLine::BlackSolid},   {25, 0, BioLine::BlackDotted}, {30, 0, BioLine::BlackSolid},
        {31, 0, BioLine::SilverDotted}, {15, 15, BioLine::Today},      {1, 1, BioLine::Today},
    };
    for (const Case& c : cases) EXPECT_EQ(c.line, BioGridLine(c.k, c.today)) << c.k << " " << c.today;
}
