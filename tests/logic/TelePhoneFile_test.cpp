// The phone book's page files: rows as comma text with blanks kept as quoted spaces, bounded
// reading of hand-edited files, the search over stored lines, and what dialling and the shell get.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/TelePhoneFile.h"

using namespace telbook;

TEST(TelePhoneFile, RowsRoundTripAsStored) {
    struct Case {
        const char* what;
        Row row;
        const char* line;
    };
    const Case cases[] = {
        {"all empty", {"", "", "", "", ""}, R"(" "," "," "," "," ")"},
        {"plain", {"ACME", "Taro", "03-1234", "t@x.jp", "http://x.jp/"}, "ACME,Taro,03-1234,t@x.jp,http://x.jp/"},
        {"comma and quote", {"a,b", "say \"hi\"", "", "", ""}, R"("a,b","say ""hi"""," "," "," ")"},
        {"inner space", {"New York", "", "1 2", "", ""}, R"("New York"," ","1 2"," "," ")"},
        // ソ ends in 0x5C and 掛 (0x8A 0x7C) in 0x7C: neither is a separator or an escape.
        {"trail bytes", {"ソフト", "掛\"", "表", "", "能"}, "ソフト,\"掛\"\"\",表,\" \",能"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RowLine(c.row), c.line);
        EXPECT_EQ(ParseRow(c.line), c.row);
    }
}

TEST(TelePhoneFile, ReadingKeepsToTheGridAndTellsWhatItCannotHold) {
    struct Case {
        const char* what;
        std::string text;
        int filledRows;
        bool whole;  // saving the page keeps everything the file holds
    };
    std::string many, full;
    for (int i = 0; i < 300; ++i) many.append("n").append(std::to_string(i)).append(",x\r\n");
    for (int i = 0; i < kRows; ++i) full.append("n,x\r\n");
    using namespace std::string_literals;
    const Case cases[] = {
        {"empty file", "", 0, true},
        {"short file, no last line end", "a,b\r\nc,d", 2, true},
        {"LF only", "a\nb\nc\n", 3, true},
        {"longer than the grid", many, kRows, false},
        {"blank lines past the grid", full + "\r\n , ,\r\n\" \"\r\n", kRows, true},
        {"a sixth field", "1,2,3,4,5,6\r\n", 1, false},
        {"blank sixth fields", "1,2,3,4,5,,\" \"\r\n", 1, true},
        // Half-width kana, NEC and IBM extensions, user-defined and undefined single bytes.
        {"odd but valid Shift-JIS", "\xB1\xA0\x80\xFD,\x87\x40\xFA\x40\xF0\x40,\x83\x5C\r\n", 1, true},
        {"lead byte before a line end", "\x83\r\nb\r\n", 2, false},
        {"lead byte at the end", "a\x83", 1, false},
        {"UTF-16 with its mark", "\xFF\xFE"s + "a\0,\0b\0\r\0\n\0"s, 1, false},
        {"UTF-16 without a mark", "a\0,\0b\0\r\0\n\0"s, 1, false},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" "a,b\r\n", 1, false},
        // A spreadsheet's cell of two lines is one field over two lines; a quote inside a field opens none.
        {"quoted CR LF", "\"Yamada\r\nTaro\",03-1,,,\r\n", 2, false},
        {"quoted LF", "\"Yamada\nTaro\",03-1\n", 2, false},
        {"quote open at the end", "a,\"b\"\"", 1, false},
        {"quotes inside fields", "a\"b,\"c\"\"\",\"\"d\r\n", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool whole = !c.whole;
        Page p = ParsePage(c.text, &whole);
        ASSERT_EQ((int)p.size(), kRows);
        int filled = 0;
        for (const Row& r : p) filled += !r[0].empty();
        EXPECT_EQ(filled, c.filledRows);
        EXPECT_EQ(whole, c.whole);
        EXPECT_EQ(ParsePage(c.text), p);  // asking changes nothing read
    }
    // Extra fields of a hand-edited line are dropped, not carried into a sixth cell.
    EXPECT_EQ(ParseRow("1,2,3,4,5,6,7"), (Row{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ParseRow("a b"), (Row{"a", "b", "", "", ""}));  // an unquoted space ends a field
}

TEST(TelePhoneFile, APageIsWrittenWhole) {
    Page p = EmptyPage();
    p[1] = {"c", "n", "1", "", ""};
    std::string text = PageText(p);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kRows);
    EXPECT_EQ(ParsePage(text), p);
    EXPECT_EQ(PageFile("D:\\data\\Tel", 12), "D:\\data\\Tel\\12.CSV");
}

TEST(TelePhoneFile, SearchMatchesStoredLinesOnCharacterBoundaries) {
    const std::string text = "ア社,佐藤,03\r\n\" \",A田,04\r\nB,C,05\r\n";
    struct Case {
        const char* what;
        const char* needle;
        std::vector<std::string> hits;
    };
    const Case cases[] = {
        // ア is 0x83 0x41: its trail byte is an "A" that must not match.
        {"A not inside ア", "A", {"\" \",A田,04"}},
        {"across a field comma", "B,C", {"B,C,05"}},
        {"case-sensitive", "b", {}},
        {"nothing", "zz", {}},
        {"empty text matches all", "", {"ア社,佐藤,03", "\" \",A田,04", "B,C,05"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MatchingLines(text, c.needle), c.hits);
    }
}

TEST(TelePhoneFile, CalledPartyAndShellLaunches) {
    EXPECT_EQ(CalledParty({"ACME", "Taro", "", "", ""}), "Taro(ACME)");
    EXPECT_EQ(CalledParty({"", "Taro", "", "", ""}), "Taro()");

    struct Case {
        const char* what;
        Launch got, want;
    };
    const Case cases[] = {
        {"mail without a program", MailLaunch("", "t@x.jp"), {"mailto:t@x.jp", "", ""}},
        {"mail with parameters", MailLaunch("C:\\Mail\\m.exe?/to ", "t@x.jp"), {"C:\\Mail\\m.exe", "/to t@x.jp", "C:\\Mail\\"}},
        {"mail program only", MailLaunch("C:\\Mail\\m.exe", "t@x.jp"), {"C:\\Mail\\m.exe", "t@x.jp", "C:\\Mail\\"}},
        {"web without a program", WebLaunch("", "http://x.jp/"), {"http://x.jp/", "", ""}},
        {"web with a program", WebLaunch("D:\\表\\b.exe?-new ", "http://x.jp/"), {"D:\\表\\b.exe", "-new http://x.jp/", "D:\\表\\"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.want);
    }
}
