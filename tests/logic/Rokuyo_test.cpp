#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/Julius.h"
#include "calendar/Rokuyo.h"

namespace {

const char* const kNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

std::string Name(int y, int m, int d) { return Rokuyo(RokuyoDayCount(y, m, d)); }

// One digit per day, 0 = "先勝" .. 5 = "赤口", '?' for anything else.
std::string Digits(int y, int m, int d, int days) {
    std::string s;
    const double first = RokuyoDayCount(y, m, d);
    for (int k = 0; k < days; ++k) {
        std::string n = Rokuyo(first + k);
        char c = '?';
        for (int i = 0; i < 6; ++i)
            if (n == kNames[i]) c = (char)('0' + i);
        s += c;
    }
    return s;
}

struct Day {
    int y, m, d;
    const char* name;
};

void ExpectNames(const std::vector<Day>& days) {
    for (const Day& x : days) EXPECT_EQ(Name(x.y, x.m, x.d), x.name) << x.y << "-" << x.m << "-" << x.d;
}

#if defined(__i386__) || defined(__x86_64__)
unsigned short ControlWord() {
    unsigned short cw;
    __asm__ volatile("fnstcw %0" : "=m"(cw));
    return cw;
}
void SetControlWord(unsigned short cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }
#endif

}  // namespace

TEST(RokuyoTest, NormDeg360) {
    struct {
        long double x, want;
    } cases[] = {
        {725, 5}, {0, 0}, {-30, 330}, {719.5L, 359.5L}, {1e6L, 280}, {-1e-9L, 359.99999999906868L},
        // 1/360 rounds down in extended precision, so 360 * (1/360) and 720 * (1/360) fall just
        // short of 1 and 2: 360 stays 360 and -720 comes out as 0.
        {360, 360}, {-360, 0}, {-720, 0},
    };
    for (auto& c : cases) EXPECT_EQ((double)NormDeg360(c.x), (double)rtl::Real48(c.want)) << (double)c.x;
}

TEST(RokuyoTest, DayCountIsTheDayNumberLessOne) {
    EXPECT_EQ(RokuyoDayCount(2000, 1, 1), 2451544);
    EXPECT_EQ(RokuyoDayCount(1, 1, 1), 1721425);
    for (int y = 1583; y < 4000; y += 7)
        for (int m = 1; m <= 12; ++m) ASSERT_EQ(RokuyoDayCount(y, m, 28), GregorianJD(y, m, 28) - 1) << y << "/" << m;
    // Gregorian months all the way, one count per day.
    for (int y = 1; y <= 9999; ++y)
        for (int m = 1; m <= 12; ++m) {
            const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
            const int days = m == 2 ? 28 + leap : 30 + ((m + m / 8) % 2);
            ASSERT_EQ(RokuyoDayCount(y, m, days) + 1, m == 12 ? RokuyoDayCount(y + 1, 1, 1) : RokuyoDayCount(y, m + 1, 1))
                << y << "/" << m;
        }
}

TEST(RokuyoTest, WorkedDays) {
    ExpectNames({
        {2000, 1, 1, "大安"},   // 11th month, day 25
        {2024, 2, 10, "先勝"},  // 1st month, day 1
        {2024, 2, 9, "大安"},   // 12th month, day 30
        {2023, 3, 22, "友引"},  // leap 2nd month, day 1
        {2023, 4, 20, "先負"},  // 3rd month, day 1
    });
}

TEST(RokuyoTest, FirstDaysOfTheMonthsAndTheDaysBefore) {
    // 2024: the months 12, 1..12 begin on these days; the day before ends the month before.
    ExpectNames({
        {2024, 1, 10, "先負"},  {2024, 1, 11, "赤口"},  {2024, 2, 9, "大安"},   {2024, 2, 10, "先勝"},
        {2024, 3, 9, "大安"},   {2024, 3, 10, "友引"},  {2024, 4, 8, "先勝"},   {2024, 4, 9, "先負"},
        {2024, 5, 7, "先勝"},   {2024, 5, 8, "仏滅"},   {2024, 6, 5, "友引"},   {2024, 6, 6, "大安"},
        {2024, 7, 5, "仏滅"},   {2024, 7, 6, "赤口"},   {2024, 8, 3, "仏滅"},   {2024, 8, 4, "先勝"},
        {2024, 9, 2, "赤口"},   {2024, 9, 3, "友引"},   {2024, 10, 2, "先勝"},  {2024, 10, 3, "先負"},
        {2024, 10, 31, "先勝"}, {2024, 11, 1, "仏滅"},  {2024, 11, 30, "先負"}, {2024, 12, 1, "大安"},
        {2024, 12, 30, "仏滅"}, {2024, 12, 31, "赤口"},
    });
}

TEST(RokuyoTest, LeapMonthsRepeatTheNamesOfTheMonthBefore) {
    // Last day of the ordinary month, first day of the leap month (named as day 1 of that month),
    // first day of the month after it.
    ExpectNames({
        {1984, 11, 22, "先負"}, {1984, 11, 23, "仏滅"}, {1984, 12, 22, "大安"},  // leap 10th
        {2012, 4, 20, "友引"},  {2012, 4, 21, "先負"},  {2012, 5, 21, "仏滅"},   // leap 3rd
        {2014, 10, 23, "友引"}, {2014, 10, 24, "先負"}, {2014, 11, 22, "仏滅"},  // leap 9th
        {2017, 6, 23, "先負"},  {2017, 6, 24, "大安"},  {2017, 7, 23, "赤口"},   // leap 5th
        {2020, 5, 22, "先負"},  {2020, 5, 23, "仏滅"},  {2020, 6, 21, "大安"},   // leap 4th
        {2023, 3, 21, "先勝"},  {2023, 3, 22, "友引"},  {2023, 4, 20, "先負"},   // leap 2nd
        {2025, 7, 24, "大安"},  {2025, 7, 25, "赤口"},  {2025, 8, 23, "先勝"},   // leap 6th
    });
}

TEST(RokuyoTest, NewMoonJustBeforeMidnight) {
    // The new moon of 2017-02-26 23:58 falls on the 27th by these series: the 26th is still day
    // 30 of the 1st month (almanacs begin the 2nd month on the 26th).
    ExpectNames({{2017, 2, 26, "赤口"}, {2017, 2, 27, "友引"}, {2017, 2, 28, "先負"}});
}

TEST(RokuyoTest, TwentyThirtyThreeToThirtyFour) {
    // 2033-08-25 .. 2034-02-19: these series make both a leap 7th month (from 2033-08-25) and a
    // leap 11th month (from 2033-12-22).
    EXPECT_EQ(Digits(2033, 8, 25, 179),
              "01234501234501234501234501234123450123450123450123450123450234501234501234501234501234501"
              "345012345012345012345012345012450123450123450123450123450125012345012345012345012345012340");
}

TEST(RokuyoTest, SameNamesInEveryBuild) {
    // Every day of 2023..2025, hashed over the names' bytes (FNV-1a): host and Windows builds agree.
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const double first = RokuyoDayCount(2023, 1, 1);
    for (int k = 0; k < 1096; ++k)
        for (unsigned char c : Rokuyo(first + k)) h = (h ^ c) * 0x100000001b3ULL;
    EXPECT_EQ(h, 0x8755b3c281ea6b8cULL);
}

TEST(RokuyoTest, EndsOfTheDateRange) {
    ExpectNames({{1, 1, 1, "赤口"}, {1, 1, 2, "先勝"}, {1582, 10, 15, "先負"}, {9999, 12, 30, "仏滅"}, {9999, 12, 31, "赤口"}});
    // Outside the range there is no name, at once (far out, the searches would never settle).
    const double outside[] = {RokuyoDayCount(1, 1, 1) - 0.5, RokuyoDayCount(9999, 12, 31) + 1, RokuyoDayCount(36000, 1, 1),
                              -1e300, 1e300, HUGE_VAL, -HUGE_VAL, NAN};
    for (double tm : outside) EXPECT_EQ(Rokuyo(tm), "") << tm;
    EXPECT_EQ(Rokuyo(RokuyoDayCount(9999, 12, 31) + 0.99), "赤口");
}

TEST(RokuyoTest, Searches) {
    // Exact six-byte results, and within minutes of the almanac (JST).
    const double nm = NewMoonBefore(2460350.875L);
    EXPECT_EQ(nm, 2460350.3340988159);
    EXPECT_NEAR(nm, 2460350 + (7 * 60 + 59) / 1440.0, 5 / 1440.0);  // 2024-02-10 07:59
    EXPECT_EQ((double)NewMoonBefore(2451544), 2451520.3151321411);

    SolarTerm w = SolarTermBefore(2460389, 90);  // 2023-12-22 12:27
    EXPECT_EQ((double)w.Moment, 2460300.5129585266);
    EXPECT_EQ((double)w.Longitude, 270);
    SolarTerm s = SolarTermBefore(2460493, 30);  // 2024-06-21 05:51
    EXPECT_EQ((double)s.Moment, 2460482.2377929688);
    EXPECT_EQ((double)s.Longitude, 90);
    EXPECT_NEAR((double)s.Moment, 2460482 + (5 * 60 + 51) / 1440.0, 15 / 1440.0);
    SolarTerm u = SolarTermBefore(2460389, 30);  // 2024-02-19 (330 degrees)
    EXPECT_EQ((double)u.Moment, 2460359.5449676514);
    EXPECT_EQ((double)u.Longitude, 330);

    // At 2000-01-01 12:00 UT.
    EXPECT_EQ((double)SolarLongitudeSeries(0), 280.37736249901354);
    EXPECT_EQ((double)MoonLongitude(0), 223.31392672518268);
}

#if defined(__i386__) || defined(__x86_64__)
TEST(RokuyoTest, CallerControlWordDoesNotMatterAndIsKept) {
    const std::string want = Digits(2033, 11, 1, 60);
    const unsigned short before = ControlWord();
    SetControlWord((unsigned short)((before & ~0x0F00) | 0x0200 | 0x0C00));  // 53 bits, chop
    const unsigned short odd = ControlWord();
    std::string got = Digits(2033, 11, 1, 60);
    EXPECT_EQ(ControlWord(), odd);
    double n = NormDeg360(725);
    EXPECT_EQ(ControlWord(), odd);
    SetControlWord(before);
    EXPECT_EQ(got, want);
    EXPECT_EQ(n, 5);
}
#endif

TEST(RokuyoTest, AWalkNamesEveryDayAsAFreshWorkingDoes) {
    // Spans with leap months, the 2033 quarter that makes two of them, the ends of the tables'
    // useful range, and a year whose new moon falls just before midnight.
    struct Span {
        int y, m, d, days;
    } spans[] = {{2022, 11, 1, 400}, {2033, 6, 1, 320}, {1900, 1, 1, 120}, {2099, 9, 1, 120}, {2017, 1, 20, 60}};
    for (const Span& s : spans) {
        const double first = RokuyoDayCount(s.y, s.m, s.d);
        std::vector<std::string> fresh;
        for (int k = 0; k < s.days; ++k) fresh.push_back(RokuyoWalk().Name(first + k));
        // Forwards, backwards and leaping between quarters: the months kept must never leak into
        // another quarter's days.
        RokuyoWalk forward, backward, leaping;
        for (int k = 0; k < s.days; ++k) ASSERT_EQ(forward.Name(first + k), fresh[k]) << s.y << " +" << k;
        for (int k = s.days; k-- > 0;) ASSERT_EQ(backward.Name(first + k), fresh[k]) << s.y << " +" << k;
        for (int j = 0; j < s.days; ++j) {
            const int k = (j * 97) % s.days;
            ASSERT_EQ(leaping.Name(first + k), fresh[k]) << s.y << " +" << k;
        }
    }
}
