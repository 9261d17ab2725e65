#include <gtest/gtest.h>

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
