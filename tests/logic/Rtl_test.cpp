#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/StringList.h"
#include "toolkit/rtl/SysUtils.h"

using namespace rtl;

TEST(RtlStrings, BackslashTrailByteIsNotADelimiter) {
    // 表 and ソ end in 0x5C: a naive scan splits the name there.
    std::string dir = "C:\\データ\\表";
    std::string path = dir + "\\ソフト.txt";
    EXPECT_EQ(ExtractFilePath(path), dir + "\\");
    EXPECT_EQ(ExtractFileName(path), "ソフト.txt");
    EXPECT_EQ(ExtractFileExt(path), ".txt");
    EXPECT_FALSE(EndsWithBackslash(dir));
    EXPECT_EQ(IncludeTrailingBackslash(dir), dir + "\\");
    EXPECT_EQ(ExcludeTrailingBackslash(dir + "\\"), dir);
    EXPECT_EQ(ChangeFileExt("C:\\表\\a.b.txt", ".bmp"), "C:\\表\\a.b.bmp");
    EXPECT_EQ(SjisFind("表\\", '\\'), 2u);
    EXPECT_EQ(SjisPos("ソ\\x", "\\"), 2u);
}

TEST(RtlStrings, TruncateAndRotateKeepWholeCharacters) {
    std::string s = "a表ソb";
    EXPECT_EQ(SjisTruncate(s, 2), "a");
    EXPECT_EQ(SjisTruncate(s, 3), "a表");
    EXPECT_EQ(SjisTruncate(s, 100), s);
    EXPECT_EQ(SjisRotateLeft("表ab"), "ab表");
    EXPECT_EQ(SjisRotateLeft(SjisRotateLeft("a表")), "a表");
    EXPECT_EQ(SjisLength(s), 4u);
}

TEST(RtlStrings, NamesCompareIgnoringOnlyTheCaseOfAsciiLetters) {
    struct Case {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"ExecTitle_Main", "EXECTITLE_main", true},
        {"Main-項目", "main-項目", true},
        {"\x82\x61x", "\x82\x61X", true},   // "Ｂ" ends in 'a': that byte keeps its case
        {"\x82\x61", "\x82\x41", false},
        {"a\x82", "A\x82", true},             // a lone lead byte at the end
        {"Main", "Main-", false},
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtl::SameTextAscii(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(rtl::SameTextAscii(c.a, c.b), rtl::UpperCaseAscii(c.a) == rtl::UpperCaseAscii(c.b)) << c.a;
    }
}

TEST(RtlNumbers, ConversionsIgnoreTheLocaleAndRejectGarbage) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("-2147483624"), (int)0x80000018u);
    EXPECT_THROW(StrToInt("abc"), EConvertError);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    EXPECT_EQ(FloatToStr(0.5), "0.5");
    EXPECT_EQ(FloatToStr(45000.25), "45000.25");
    EXPECT_EQ(FloatToStr(3), "3");
    double v = 45123.123456789012;
    EXPECT_EQ(StrToFloat(FloatToStr(v)), v);
    EXPECT_THROW(StrToFloat("1,5"), EConvertError);
}

TEST(RtlCommaText, QuotingAndBlanks) {
    TStringList l;
    l.SetCommaText("1,1,【元旦】,5,3");
    ASSERT_EQ(l.Count(), 5);
    EXPECT_EQ(l[2], "【元旦】");
    l.Clear();
    l.Add("a b");
    l.Add("x\"y");
    l.Add("表");
    l.Add("");
    EXPECT_EQ(l.CommaText(), "\"a b\",\"x\"\"y\",表,\"\"");
    TStringList r;
    r.SetCommaText(l.CommaText());
    EXPECT_EQ(r.Strings, l.Strings);
    r.SetCommaText("a b, c");  // unquoted blanks separate items
    EXPECT_EQ(r.Count(), 3);
    TStringList one;
    one.Add("");
    EXPECT_EQ(one.CommaText(), "\"\"");
}

TEST(RtlDateTime, EncodeDecodeAndWeekday) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    int y, m, d;
    DecodeDate(36526.75, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000101);
    DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240229);
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    int h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000 + n * 100 + s, 235959);
}

TEST(RtlDateTime, FormatWithJapaneseTextAroundPatterns) {
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 0);
    EXPECT_EQ(FormatDateTime("yyyy年m月d日(aaa) h時nn分", t), "2024年3月5日(火) 7時08分");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", t), "2024/03/05 07:08:09");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "07:08");  // m after h is minutes
    EXPECT_EQ(FormatDateTime("yy\"年\"mm'月' dddd", t), "24年03月 火曜日");
    EXPECT_EQ(FormatDateTime("ddd", t), "火");
    EXPECT_EQ(FormatDateTime("m", t), "3");
    // 表 ends in 0x5C; the formatter must copy it whole, not read its trail byte.
    EXPECT_EQ(FormatDateTime("表d", t), "表5");
}

TEST(RtlDateTime, ClockSeam) {
    SetClockForTest([] { return EncodeDate(2001, 2, 3) + 0.5; }, [] { return 1234u; });
    EXPECT_EQ(Date(), EncodeDate(2001, 2, 3));
    EXPECT_EQ(UptimeMs(), 1234u);
    SetClockForTest({});
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

#include "toolkit/rtl/Screen.h"

TEST(RtlScreen, KeepOnScreenPullsBackAndNeverGoesNegative) {
    int l = 900, t = 700;
    KeepOnScreen(l, t, 400, 300, 1024, 768);
    EXPECT_EQ(l, 624);
    EXPECT_EQ(t, 468);
    l = -50, t = -3;
    KeepOnScreen(l, t, 400, 300, 1024, 768);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 0);
    // A window larger than the screen ends at the top-left corner, not at a negative position.
    l = 10, t = 10;
    KeepOnScreen(l, t, 1200, 900, 1024, 768);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 0);
}

TEST(RtlDateTime, ValuesOutsideTheDateRangePrintZerosAndNoWeekday) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // The day before 0001-01-01, NaN, infinities, values far beyond 9999 and the first millisecond
    // past 9999-12-31 all lie outside.
    for (double t : {-693594.0, -693595.0, nan, inf, -inf, 1e300, -1e300, 2958466.0, 2958465.9999999999}) {
        EXPECT_EQ(FormatDateTime("yyyy/mm/dd(ddd)(dddd)(aaa)(aaaa) hh:nn:ss.zzz", t), "0000/00/00()()()() 00:00:00.000")
            << t;
        EXPECT_EQ(DayOfWeek(t), 0) << t;
        int y = 1, m = 1, d = 1, h = 1, n = 1, s = 1, ms = 1;
        DecodeDate(t, y, m, d);
        DecodeTime(t, h, n, s, ms);
        EXPECT_EQ(y + m + d + h + n + s + ms, 0) << t;
    }
    // The ends of the range are inside.
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd(aaa)", EncodeDate(1, 1, 1)), "0001/01/01(月)");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd(aaa) hh:nn:ss.zzz", EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999)),
              "9999/12/31(金) 23:59:59.999");
}

TEST(RtlDateTime, DateOfAndDecodeDateNameTheSameDayTowardsMinusInfinity) {
    EXPECT_EQ(DateOf(-0.5), -1.0);
    EXPECT_EQ(DateOf(-1.0), -1.0);
    EXPECT_EQ(DateOf(-1e-12), 0.0);  // rounds to 00:00:00.000 of 1899-12-30
    EXPECT_EQ(DateOf(0.99999999999), 1.0);  // rounds to midnight of the next day
    EXPECT_EQ(DateOf(36526.75), 36526.0);
    for (double t : {-0.5, -1.25, -0.0001, -1e-12, 0.99999999999, -693592.5, 2958465.75, 45000.999999, -36525.3}) {
        int y, m, d, y2, m2, d2;
        DecodeDate(t, y, m, d);
        DecodeDate(DateOf(t), y2, m2, d2);
        EXPECT_EQ(y * 10000 + m * 100 + d, y2 * 10000 + m2 * 100 + d2) << t;
        EXPECT_EQ(EncodeDate(y, m, d), DateOf(t)) << t;
    }
    int y, m, d;
    DecodeDate(-0.5, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
}

TEST(RtlNumbers, EveryFiniteDoubleReadsBack) {
    const double lim[] = {std::numeric_limits<double>::denorm_min(), 4.9e-324, -4.9e-324, 2.2250738585072009e-308,
                          std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                          -std::numeric_limits<double>::max(), 0.1, 1.0 / 3, 0.0, -0.0, 1e23, 5e-324 * 3};
    for (double v : lim) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStr(v), back)) << FloatToStr(v);
        EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << FloatToStr(v);
    }
    // Bit patterns across the whole range, subnormals included.
    uint64_t x = 88172645463325252ULL;
    for (int i = 0; i < 20000; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        uint64_t bits = i % 4 == 0 ? x & 0x800FFFFFFFFFFFFFULL : x;  // every fourth a subnormal
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) continue;
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStr(v), back)) << FloatToStr(v);
        ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << FloatToStr(v);
    }
    // Too small for any double reads as zero; too large is refused.
    double v = 1;
    EXPECT_TRUE(TryStrToFloat("1e-400", v));
    EXPECT_EQ(v, 0.0);
    EXPECT_FALSE(TryStrToFloat("1e400", v));
    EXPECT_EQ(ZeroPad(LLONG_MIN, 2), "-9223372036854775808");
}

TEST(RtlCommaText, ControlBytesEndAnItemAndNeverLoop) {
    TStringList l;
    l.SetCommaText(std::string(1, '\0'));  // once an endless loop adding empty items
    EXPECT_EQ(l.Count(), 0);
    l.SetCommaText(std::string("a\0b,\0\"c\0d\"", 11));
    EXPECT_EQ(l.Strings, (std::vector<std::string>{"a", "b", std::string("c\0d", 3)}));
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(back.Strings, l.Strings);
}

TEST(RtlCommaText, LoneLeadByteNeverJoinsTwoItems) {
    // Items ending in half a character, lead bytes before quotes, commas and blanks.
    const std::vector<std::vector<std::string>> lists = {
        {"\x81", "a"},
        {"New Year\x81", "x"},
        {"\x81\"", "b"},
        {"\x81\" ", "\x81,", "\x81"},
        {"表", "\x9f"},
        {"\xe0", ""},
    };
    for (const auto& items : lists) {
        TStringList l, back;
        l.Strings = items;
        l.Objects.assign(items.size(), 0);
        back.SetCommaText(l.CommaText());
        EXPECT_EQ(back.Strings, items) << l.CommaText();
    }
    TStringList l;
    l.Strings = {"\x81", "a"};
    l.Objects = {0, 0};
    EXPECT_EQ(l.CommaText(), "\"\x81\",a");
    // Text from elsewhere: the lead byte stands alone before the delimiter.
    l.SetCommaText("\x81,a");
    EXPECT_EQ(l.Strings, (std::vector<std::string>{"\x81", "a"}));
    l.SetCommaText("1,1,\"New Year\x81\",2");
    EXPECT_EQ(l.Strings, (std::vector<std::string>{"1", "1", "New Year\x81", "2"}));
    EXPECT_EQ(SjisCharLen("\x81,", 0), 1u);
    EXPECT_EQ(SjisCharLen("表", 0), 2u);
}
