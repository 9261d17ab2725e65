// The diary's day file: header keys, kept lines, refusals, value limits, colours, the export
// layout, the old "ni" format and the names of a day.
#include <gtest/gtest.h>

#include "notes/DiaryFile.h"
#include "toolkit/rtl/DateTime.h"

using diary::ReadResult;

namespace {

const std::string kRtf = "{\\rtf1\\ansi body}\r\n";

}  // namespace

TEST(DiaryFile, ReadsHeaderKeysInAnyCase) {
    struct Case {
        const char* file;
        const char *title, *weather, *picture;
        std::optional<int> top, fontColor;
        bool readOnly;
    } cases[] = {
        {"TITLE:旅行\r\nWEATHER:晴\r\nCODE:RTF\r\nTAV_TOP:12\r\n:END\r\n", "旅行", "晴", "", 12, {}, false},
        {"title:旅行\r\nweather:雨\r\nbmp:C:\\a.bmp\r\ntav_top:-3\r\n:end\r\n", "旅行", "雨", "C:\\a.bmp", -3, {}, false},
        {"Title:x\nJpg:D:\\表.jpg\nTav_FontColor:255\n:End\n", "x", "", "D:\\表.jpg", {}, 255, false},
        {"TAV_READONLY:true\r\n:END\r\n", "", "", "", {}, {}, true},
        {"TAV_READONLY:TRUEISH\r\n:END\r\n", "", "", "", {}, {}, true},
        {"TAV_READONLY:FALSE\r\n:END\r\n", "", "", "", {}, {}, false},
        {"TAV_READONLY:TRU\r\n:END\r\n", "", "", "", {}, {}, false},
    };
    for (const Case& c : cases) {
        diary::DayFile f = diary::ReadDayFile(c.file);
        SCOPED_TRACE(c.file);
        ASSERT_EQ(f.result, ReadResult::Ok);
        EXPECT_EQ(f.header.title, c.title);
        EXPECT_EQ(f.header.weather, c.weather);
        EXPECT_EQ(f.header.picture, c.picture);
        EXPECT_EQ(f.header.top, c.top);
        EXPECT_EQ(f.header.fontColor, c.fontColor);
        EXPECT_EQ(f.header.readOnly, c.readOnly);
        EXPECT_TRUE(f.header.kept.empty());
    }
}

TEST(DiaryFile, UnknownLinesAreKeptInOrderAndWrittenJustBeforeTheEnd) {
    diary::DayFile f = diary::ReadDayFile("X-NOTE:abc\r\n\r\nTITLE:t\r\n\r\nx-other: 表ソ \r\n:END\r\n" + kRtf);
    ASSERT_EQ(f.result, ReadResult::Ok);
    EXPECT_EQ(f.header.kept, (std::vector<std::string>{"X-NOTE:abc", "x-other: 表ソ "}));
    EXPECT_EQ(f.body, kRtf);
    std::string out = diary::ComposeDayFile(f.header, f.body, diary::Layout::DayFile);
    EXPECT_EQ(out, "TITLE:t\r\nWEATHER:\r\nCODE:RTF\r\nTAV_READONLY:FALSE\r\nX-NOTE:abc\r\nx-other: 表ソ \r\n:END\r\n" + kRtf);
    // Saved and read again, nothing moves.
    EXPECT_EQ(diary::ComposeDayFile(diary::ReadDayFile(out).header, kRtf, diary::Layout::DayFile), out);
}

TEST(DiaryFile, RefusesCipherHtmlAndAHeaderWithoutEnd) {
    struct Case {
        const char* file;
        ReadResult result;
        const char* cipher;
    } cases[] = {
        {"TITLE:a\r\nCIPHER:Blowfish\r\n:END\r\nxx", ReadResult::Cipher, "Blowfish"},
        {"cipher:表\r\n:END\r\n", ReadResult::Cipher, "表"},
        {"TITLE:a\r\nCODE:HTML\r\n:END\r\n<p>", ReadResult::Html, ""},
        {"TITLE:a\r\nWEATHER:b\r\n{\\rtf1 no end}", ReadResult::NoEnd, ""},
        {"", ReadResult::NoEnd, ""},
        // What comes after ":END" is body, whatever it looks like.
        {":END\r\nCIPHER:x\r\n", ReadResult::Ok, ""},
    };
    for (const Case& c : cases) {
        diary::DayFile f = diary::ReadDayFile(c.file);
        EXPECT_EQ(f.result, c.result) << c.file;
        EXPECT_EQ(f.cipher, c.cipher) << c.file;
    }
}

TEST(DiaryFile, ValuesStopAt256BytesOnACharacterBoundary) {
    struct Case {
        std::string title;
        std::string read;
    } cases[] = {
        {"表ソ十能", "表ソ十能"},
        {std::string(300, 'a'), std::string(256, 'a')},
        {[] { std::string s; for (int i = 0; i < 300; ++i) s += "表"; return s; }(),
         [] { std::string s; for (int i = 0; i < 128; ++i) s += "表"; return s; }()},
        // One byte in front: the 128th double-byte character would end past 256 bytes.
        {[] { std::string s = "a"; for (int i = 0; i < 300; ++i) s += "ソ"; return s; }(),
         [] { std::string s = "a"; for (int i = 0; i < 127; ++i) s += "ソ"; return s; }()},
    };
    for (const Case& c : cases) {
        diary::DayHeader h;
        h.title = c.title;
        diary::DayFile f = diary::ReadDayFile(diary::ComposeDayFile(h, kRtf, diary::Layout::DayFile));
        ASSERT_EQ(f.result, ReadResult::Ok);
        EXPECT_EQ(f.header.title, c.read);
        EXPECT_EQ(f.body, kRtf);
    }
}

TEST(DiaryFile, ColoursAndBoundsAreSignedDecimalsAndOthersAreIgnored) {
    diary::DayHeader h;
    h.backColor = (int)0x80000005u;  // the window colour of the system
    h.fontColor = 0x00FF8000;
    h.top = -20;
    h.left = 0;
    h.height = 480;
    h.width = 640;
    std::string out = diary::ComposeDayFile(h, kRtf, diary::Layout::DayFile);
    EXPECT_NE(out.find("TAV_FONTCOLOR:16744448\r\nTAV_BACKCOLOR:-2147483643\r\nTAV_TOP:-20\r\nTAV_LEFT:0\r\n"
                       "TAV_HEIGHT:480\r\nTAV_WIDTH:640\r\nTAV_READONLY:FALSE\r\n:END\r\n"),
              std::string::npos)
        << out;
    diary::DayFile back = diary::ReadDayFile(out);
    EXPECT_EQ(back.header.backColor, (int)0x80000005u);
    EXPECT_EQ(back.header.top, -20);

    // A value that is no decimal number is left out; the rest of the day still reads.
    for (const char* bad : {"abc", "", "12px", "0x10", " 5", "99999999999", "-"}) {
        diary::DayFile f = diary::ReadDayFile(std::string("TITLE:t\r\nTAV_TOP:") + bad + "\r\nTAV_BACKCOLOR:" + bad +
                                              "\r\nTAV_LEFT:7\r\n:END\r\n" + kRtf);
        ASSERT_EQ(f.result, ReadResult::Ok) << bad;
        EXPECT_FALSE(f.header.top) << bad;
        EXPECT_FALSE(f.header.backColor) << bad;
        EXPECT_EQ(f.header.left, 7);
        EXPECT_EQ(f.header.title, "t");
        EXPECT_EQ(f.body, kRtf);
        EXPECT_TRUE(f.header.kept.empty());
    }
}

TEST(DiaryFile, PictureLineByLayout) {
    struct Case {
        const char* picture;
        diary::Layout layout;
        const char* line;  // empty: no picture line
    } cases[] = {
        {"C:\\p\\a.bmp", diary::Layout::DayFile, "BMP:C:\\p\\a.bmp"},
        {"C:\\p\\表.JPG", diary::Layout::DayFile, "JPG:C:\\p\\表.JPG"},
        {"C:\\p\\a.png", diary::Layout::DayFile, ""},
        {"C:\\p\\a.jpg", diary::Layout::Export, "BMP:C:\\p\\a.jpg"},
        {"C:\\p\\a.png", diary::Layout::Export, "BMP:C:\\p\\a.png"},
        {"", diary::Layout::Export, ""},
    };
    for (const Case& c : cases) {
        diary::DayHeader h;
        h.title = "t";
        h.picture = c.picture;
        std::string out = diary::ComposeDayFile(h, "plain\r\ntext", c.layout);
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(out.find("CODE:RTF") != std::string::npos, c.layout == diary::Layout::DayFile);
        bool hasLine = out.find("BMP:") != std::string::npos || out.find("JPG:") != std::string::npos;
        EXPECT_EQ(hasLine, *c.line != 0);
        if (*c.line) {
            EXPECT_NE(out.find(std::string("\r\n") + c.line + "\r\n"), std::string::npos);
        }
        EXPECT_EQ(out.substr(out.size() - 19), ":END\r\nplain\r\ntext\r\n");
    }
}

TEST(DiaryFile, LineBreaksInValuesCannotEndTheHeader) {
    diary::DayHeader h;
    h.title = "one\r\n:END\r\nCIPHER:x";
    h.kept = {"X:1\r\nCODE:HTML", ""};
    diary::DayFile f = diary::ReadDayFile(diary::ComposeDayFile(h, kRtf, diary::Layout::DayFile));
    ASSERT_EQ(f.result, ReadResult::Ok);
    EXPECT_EQ(f.header.title, "one");
    EXPECT_EQ(f.header.kept, std::vector<std::string>{"X:1"});
    EXPECT_EQ(f.body, kRtf);
}

TEST(DiaryFile, OldDayFormat) {
    struct Case {
        const char* file;
        const char *title, *weather, *body;
    } cases[] = {
        {"初詣\r\n【天気】晴\r\n神社へ行った。\r\n表参道は混んでいた。\r\n", "初詣", "晴", "神社へ行った。\r\n表参道は混んでいた。"},
        {"初詣\r\n天気：晴\r\n本文", "初詣", "", "天気：晴\r\n本文"},
        {"題だけ", "題だけ", "", ""},
        {"t\n【天気】\nb", "t", "", "b"},
    };
    for (const Case& c : cases) {
        diary::LegacyDay d = diary::ReadLegacyDay(c.file);
        EXPECT_EQ(d.title, c.title);
        EXPECT_EQ(d.weather, c.weather);
        EXPECT_EQ(d.body, c.body);
    }
    diary::DayHeader h;
    h.title = "初詣";
    h.weather = "晴";
    EXPECT_EQ(diary::ComposeImportedDay(h, "本文"), "TITLE:初詣\r\nWEATHER:晴\r\n:END\r\n本文\r\n");
}

TEST(DiaryFile, NamesOfADay) {
    struct Case {
        int y, m, d;
        const char *file, *legacy, *caption;
    } cases[] = {
        {1999, 1, 15, "19990115.JNL", "ni990115.day", "1999/01/15 (金)の日記"},
        {1, 1, 1, "00010101.JNL", "ni010101.day", "0001/01/01 (月)の日記"},
        {1899, 12, 29, "18991229.JNL", "ni991229.day", "1899/12/29 (金)の日記"},
        {9999, 12, 31, "99991231.JNL", "ni991231.day", "9999/12/31 (金)の日記"},
    };
    for (const Case& c : cases) {
        int day = (int)rtl::EncodeDate(c.y, c.m, c.d);
        EXPECT_EQ(diary::DayFileName(day), c.file);
        EXPECT_EQ(diary::LegacyFileName(day), c.legacy);
        EXPECT_EQ(diary::DayCaption(day), c.caption);
    }
    EXPECT_EQ(rtl::EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(diary::DiaryFolder("", "."), ".\\Diary");
    EXPECT_EQ(diary::DiaryFolder("", "C:\\data"), "C:\\data\\Diary");
    EXPECT_EQ(diary::DiaryFolder("D:\\表\\", "C:\\data"), "D:\\表\\Diary");
    EXPECT_EQ(diary::DiaryFolder("D:\\表", "C:\\data"), "D:\\表\\Diary");
}

TEST(DiaryFile, SameFileNameIgnoresCaseOnlyOfWholeCharacters) {
    EXPECT_TRUE(diary::SameFileName("C:\\Data\\Diary\\19990115.JNL", "c:\\data\\diary\\19990115.jnl"));
    EXPECT_TRUE(diary::SameFileName("C:\\表\\ソ.JNL", "c:\\表\\ソ.jnl"));
    // "ア" ends in the byte of "A", "ヂ" in that of "a": different characters, never one in two cases.
    EXPECT_FALSE(diary::SameFileName("C:\\ア.JNL", "C:\\ヂ.JNL"));
    EXPECT_FALSE(diary::SameFileName("C:\\a.JNL", "C:\\a.JNL.txt"));
}
