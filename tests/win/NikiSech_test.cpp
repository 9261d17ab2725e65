// The diary search: which days it finds and how each hit reads, the range in either order, the
// way from a hit to the month list and the diary, and its coupling with the month list.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "notes/DiaryFile.h"
#include "notes/NikiList.h"
#include "notes/NikiSech.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

namespace {

// Rich text whose every byte above ASCII is an escape, as the diary writes Japanese.
std::string Rtf(const std::string& sjis) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\pard\\f0 ";
    char hex[8];
    for (unsigned char c : sjis) {
        if (c >= 0x80) {
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            r += hex;
        } else {
            r += (char)c;
        }
    }
    return r + "\\par }\r\n";
}

class DiarySearch : public wintest::WindowTest {
protected:
    std::string folder;

    void SetUp() override {
        FreshDataFolder("orbal-nikisech-");
        folder = dir + "\\Diary";
        tk::ForceDirectories(folder);
        FixClock(rtl::EncodeDate(2024, 1, 15) + rtl::EncodeTime(9, 0, 0, 0));
        answer = IDOK;
    }
    void TearDown() override {
        DestroyOpen<TForm8, TForm12, TForm22>();
        wintest::Pump();
    }

    static int Day(int y, int m, int d) { return (int)rtl::EncodeDate(y, m, d); }
    void Put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(tk::WriteFileBytes(folder + "\\" + name, bytes));
        tk::FolderIndex::InvalidateAll();
    }
    void PutDay(int day, const std::string& header, const std::string& body) {
        Put(diary::DayFileName(day), header + ":END\r\n" + body);
    }
    static TForm22& Search(int y1, int m1, int y2, int m2, const std::string& text) {
        if (!Form22) {
            tk::Form* main = tk::Application.MainForm;
            tk::Application.CreateForm(Form22);
            tk::Application.MainForm = main;
            Form22->Show();
        }
        Form22->SpinEdit1.SetValue(y1);
        Form22->SpinEdit2.SetValue(m1);
        Form22->SpinEdit3.SetValue(y2);
        Form22->SpinEdit4.SetValue(m2);
        Form22->Edit1.SetText(text);
        Form22->BitBtn1Click();
        return *Form22;
    }
    static std::vector<std::string> Lines(TForm22& s) {
        std::vector<std::string> v;
        for (int i = 0; i < s.ListBox1.Items.Count(); ++i) v.push_back(s.ListBox1.Items[i]);
        return v;
    }
    static int OpenDiaries() {
        int n = 0;
        for (tk::Form* f : tk::Application.Forms) n += dynamic_cast<TForm8*>(f) && f->Visible();
        return n;
    }
};

}  // namespace

TEST(DiarySearchDays, EitherOrderCoversWholeMonths) {
    struct Case {
        int y1, m1, y2, m2;
        const char *first, *last;
    } cases[] = {
        {2024, 3, 2023, 11, "2023/11/01", "2024/03/31"},  // given backwards, over a year's end
        {2023, 11, 2024, 3, "2023/11/01", "2024/03/31"},
        {2024, 2, 2024, 2, "2024/02/01", "2024/02/29"},
        {9999, 12, 9999, 12, "9999/12/01", "9999/12/31"},
        {0, 13, 1, 0, "0001/01/01", "0001/12/31"},  // out of range: clamped
    };
    for (const Case& c : cases) {
        nikisech::Days d = nikisech::SearchDays(c.y1, c.m1, c.y2, c.m2);
        EXPECT_EQ(rtl::FormatDateTime("yyyy/mm/dd", d.first), c.first) << c.y1 << "/" << c.m1;
        EXPECT_EQ(rtl::FormatDateTime("yyyy/mm/dd", d.last), c.last) << c.y1 << "/" << c.m1;
    }
}

// The look at the raw bytes may only save reading a body: whatever the rich edit finds in a body,
// the look must let through, however the body spells it.
TEST(DiaryRawBodyTest, LetsThroughEveryBodyTheRichEditFindsTheTextIn) {
    tk::Form form({.caption = "raw", .width = 420, .height = 300});
    tk::RichEdit re;
    re.Create(form, {.at = {8, 8, 300, 200}});
    // As the diary writes a day: Japanese, a bold run and a Western run.
    re.SetText("表ソ十の山\r\n朝はAppleと×印、cafe");
    re.Select(0, 2);
    re.SelAttributes.SetStyleBit(tk::fsBold, true);
    re.Select(8, 12);
    re.SelAttributes.SetName("Arial");
    rtl::TMemoryStream written;
    re.SaveToStream(written);
    const std::string bodies[] = {
        written.Bytes(),
        "{\\rtf1\\ansi\\ansicpg932 \\'8e\\'52}",               // lower-case escapes
        "{\\rtf1 \\'8E\\'52\\'95\\\\}",                       // upper case; a backslash trail byte
        "{\\rtf1 \\'89J \\'83A}",                                  // an ASCII trail byte as it stands
        "{\\rtf1 \\'8e\r\n\\'52\\'8f\r\\'5c\\'8\r\n3\\'5c}",  // line breaks inside a character
        "{\\rtf1\\uc1 \\u23665?\\u-32768?}",                     // Unicode escapes
        "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'d7}",  // a Western ×
        "{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'c9\\'bd}",  // 山 in a Chinese run
        "{\\rtf1 {\\b A}pple\\tab x\\emdash y}",
        "山と川\r\n",  // plain text
    };
    const char* texts[] = {"山", "表", "ソ", "十", "×", "A", "Apple", "e", "ア", "の山", "雨", "J",
                           "\t", "—", "印、", "川", "pp"};
    int found = 0;
    for (const std::string& body : bodies) {
        std::string text = re.LoadTextOfData(body);
        for (const char* t : texts) {
            if (rtl::SjisPos(text, t) == std::string::npos) continue;
            ++found;
            EXPECT_TRUE(nikisech::RawBodyTest(t).MayHold(body)) << t << " in " << body;
        }
    }
    EXPECT_GE(found, 20);
    // It does rule bodies out, or it would save nothing.
    struct Out {
        std::string body;
        const char* text;
    } outs[] = {
        {written.Bytes(), "川"}, {written.Bytes(), "山川"}, {"{\\rtf1 \\'82\\'a0}", "山"}, {"{\\rtf1 abc}", "x"},
    };
    for (const Out& o : outs) EXPECT_FALSE(nikisech::RawBodyTest(o.text).MayHold(o.body)) << o.text;
}

TEST_F(DiarySearch, EachKindOfHitReadsAsItShould) {
    struct Case {
        int d;
        std::string file;   // the day file; empty: none
        const char* line;   // the hit's line for the text "山"; nullptr: no hit
    } cases[] = {
        {1, "TITLE:山登り\r\nWEATHER:晴\r\n:END\r\n" + Rtf("本文"), "2023/12/01 (金) : 【題名】山登り"},
        // A weather hit shows the weather, and wins over a title hit.
        {2, "TITLE:遠足\r\nWEATHER:山は雪\r\n:END\r\n" + Rtf("x"), "2023/12/02 (土) : 【天気】山は雪"},
        {3, "TITLE:山\r\nWEATHER:山は雨\r\n:END\r\n" + Rtf("x"), "2023/12/03 (日) : 【天気】山は雨"},
        // The body is searched only when the header did not hit; the line shows the title.
        {4, "TITLE:日曜\r\n:END\r\n" + Rtf("朝から山へ行った。"), "2023/12/04 (月) : 【本文】日曜"},
        {5, "TITLE:山と海\r\n:END\r\n" + Rtf("山"), "2023/12/05 (火) : 【題名】山と海"},
        // A plain-text body, as an export saved over the day leaves it.
        {6, "TITLE:写し\r\n:END\r\n夜の山道\r\n", "2023/12/06 (水) : 【本文】写し"},
        {7, "TITLE:海\r\n:END\r\n" + Rtf("川"), nullptr},
        // Not the diary's text: enciphered, or a header that never ends.
        {8, "TITLE:暗号\r\nCIPHER:X\r\n:END\r\n山", nullptr},
        {9, "TITLE:途中\r\n山", nullptr},
        {10, "", nullptr},
    };
    for (const Case& c : cases)
        if (!c.file.empty()) Put(diary::DayFileName(Day(2023, 12, c.d)), c.file);
    // A legacy file is not searched.
    Put(diary::LegacyFileName(Day(2023, 12, 11)), "山の日\r\n山\r\n");
    std::vector<std::string> expected;
    for (const Case& c : cases)
        if (c.line) expected.push_back(c.line);
    TForm22& s = Search(2023, 12, 2023, 12, "山");
    EXPECT_EQ(Lines(s), expected);
    EXPECT_EQ(s.StatusBar1.SimpleText(), "日記を検索します。");
    EXPECT_EQ(TForm22::LastText(), "山");
    // Nothing to look for finds nothing.
    EXPECT_TRUE(Lines(Search(2023, 12, 2023, 12, "")).empty());
}

TEST_F(DiarySearch, MatchesWholeCharactersWithCase) {
    // "ア" is 0x83 0x41 in Shift-JIS: its second byte is "A".
    PutDay(Day(2024, 1, 1), "TITLE:アイ\r\n", Rtf("アップル"));
    PutDay(Day(2024, 1, 2), "TITLE:abc\r\nWEATHER:Fine\r\n", Rtf("xyz"));
    PutDay(Day(2024, 1, 3), "TITLE:t\r\n", Rtf("ABC"));
    struct Case {
        const char* text;
        std::vector<int> days;
    } cases[] = {
        {"A", {3}}, {"ア", {1}}, {"ABC", {3}}, {"abc", {2}}, {"fine", {}}, {"Fine", {2}}, {"ップ", {1}},
    };
    for (const Case& c : cases) {
        TForm22& s = Search(2024, 1, 2024, 1, c.text);
        std::vector<int> days;
        for (const nikisech::Hit& h : s.Hits()) days.push_back(h.day - Day(2024, 1, 1) + 1);
        EXPECT_EQ(days, c.days) << c.text;
    }
}

TEST_F(DiarySearch, HitsAcrossAYearsEndComeInDayOrder) {
    PutDay(Day(2023, 11, 30), "TITLE:a\r\n", Rtf("初雪"));
    PutDay(Day(2023, 12, 31), "TITLE:b\r\n", Rtf("大晦日の初雪"));
    PutDay(Day(2024, 1, 1), "TITLE:初雪\r\n", Rtf(""));
    PutDay(Day(2024, 3, 31), "TITLE:c\r\nWEATHER:初雪\r\n", Rtf(""));
    PutDay(Day(2024, 4, 1), "TITLE:初雪\r\n", Rtf(""));  // past the range
    TForm22& s = Search(2024, 3, 2023, 12, "初雪");
    EXPECT_EQ(Lines(s), (std::vector<std::string>{"2023/12/31 (日) : 【本文】b", "2024/01/01 (月) : 【題名】初雪",
                                                  "2024/03/31 (日) : 【天気】初雪"}));
}

TEST_F(DiarySearch, AHitLeadsToTheMonthListAndTheDiary) {
    int day = Day(2023, 12, 20);
    PutDay(day, "TITLE:冬至\r\nTAV_READONLY:true\r\n", Rtf("一行目\r\n\\par 柚子湯に入った。"));
    PutDay(Day(2023, 12, 5), "TITLE:柚子\r\n", Rtf(""));
    tk::Form* main = tk::Application.MainForm;
    tk::Application.CreateForm(Form12);
    tk::Application.MainForm = main;
    Form12->Show();
    Form12->BitBtn1Click();
    ASSERT_NE(Form22, nullptr);
    TForm22& s = Search(2023, 12, 2023, 12, "柚子");
    ASSERT_EQ(s.Hits().size(), 2u);
    EXPECT_EQ(s.Hits()[1].marker, nikisech::Marker::Body);
    // Opened twice: one diary, read-only, with the text found in its body selected.
    for (int i = 0; i < 2; ++i) {
        s.ListBox1.SetItemIndex(1);
        s.ListBox1DblClick();
        wintest::Pump();
    }
    EXPECT_EQ(OpenDiaries(), 1);
    TForm8* d = FindOpenDiary(day);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Caption(), "2023/12/20 (水)の日記 (RO)");
    EXPECT_EQ(d->RichEdit1.SelText(), "柚子");
    EXPECT_EQ(Form12->SpinEdit1.Value(), 2023);
    EXPECT_EQ(Form12->SpinEdit2.Value(), 12);
    EXPECT_EQ(Form12->ListBox1.ItemIndex(), 19);
    EXPECT_EQ(Form12->BitBtn1.Tag, 1);
    // A title hit opens its day with nothing selected.
    s.ListBox1.SetItemIndex(0);
    s.ListBox1DblClick();
    wintest::Pump();
    TForm8* t = FindOpenDiary(Day(2023, 12, 5));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->RichEdit1.SelLength(), 0);
    EXPECT_EQ(Form12->ListBox1.ItemIndex(), 4);
}

TEST_F(DiarySearch, TheSearchComesAndGoesWithTheMonthList) {
    auto ini = [] { return settings::Open(); };
    auto openList = [] {
        tk::Form* main = tk::Application.MainForm;
        tk::Application.CreateForm(Form12);
        tk::Application.MainForm = main;
        Form12->Show();
        wintest::Pump();
    };
    openList();
    EXPECT_TRUE(Form12->BitBtn1.Enabled());
    EXPECT_EQ(Form22, nullptr);
    Form12->BitBtn1Click();
    ASSERT_NE(Form22, nullptr);
    EXPECT_EQ(Form12->BitBtn1.Tag, 1);
    // Today's month on a first opening; the range and text come back on the next.
    EXPECT_EQ(Form22->SpinEdit1.Value(), 2024);
    EXPECT_EQ(Form22->SpinEdit4.Value(), 1);
    Form22->SpinEdit1.SetValue(2001);
    Form22->Edit1.SetText("旅行");

    // Closing the list closes the search, which then reopens with the next list.
    Form12->Close();
    wintest::Pump();
    EXPECT_EQ(Form12, nullptr);
    EXPECT_EQ(Form22, nullptr);
    EXPECT_EQ(ini().ReadInteger("Nikki", "Serch_open", -1), 1);
    openList();
    ASSERT_NE(Form22, nullptr);
    EXPECT_EQ(Form22->SpinEdit1.Value(), 2001);
    EXPECT_EQ(Form22->Edit1.Text(), "旅行");

    // The window has one width; its side borders move it.
    MINMAXINFO info{};
    SendMessageA(Form22->Handle, WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(info.ptMinTrackSize.x, TForm22::kWidth);
    EXPECT_EQ(info.ptMaxTrackSize.x, TForm22::kWidth);
    EXPECT_EQ(info.ptMaxSize.x, TForm22::kWidth);
    RECT w;
    GetWindowRect(Form22->Handle, &w);
    EXPECT_EQ(w.right - w.left, TForm22::kWidth);
    int y = (w.top + w.bottom) / 2;
    EXPECT_EQ(SendMessageA(Form22->Handle, WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(Form22->Handle, WM_NCHITTEST, 0, MAKELPARAM(w.right - 2, y)), HTCAPTION);

    // Closed on its own, it stays closed.
    Form22->Close();
    wintest::Pump();
    EXPECT_EQ(Form22, nullptr);
    EXPECT_EQ(Form12->BitBtn1.Tag, 0);
    EXPECT_EQ(ini().ReadInteger("Nikki", "Serch_open", -1), 0);
    Form12->Close();
    wintest::Pump();
    openList();
    EXPECT_EQ(Form22, nullptr);
}
