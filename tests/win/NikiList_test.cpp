// The diary's month list: its lines, the fill gauge, month lengths at the calendar's ends, one
// diary per day, and its coupling with the main window's diary items.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "notes/DiaryFile.h"
#include "notes/NikiList.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

namespace {

class MonthList : public wintest::WindowTest {
protected:
    std::string folder;

    void SetUp() override {
        FreshDataFolder("orbal-nikilist-");
        folder = dir + "\\Diary";
        tk::ForceDirectories(folder);
        FixClock(rtl::EncodeDate(1999, 2, 10) + rtl::EncodeTime(9, 0, 0, 0));
        answer = IDOK;
    }
    void TearDown() override {
        DestroyOpen<TForm8, TForm12>();
        if (Form1) Form1->Destroy();
        wintest::Pump();
    }

    static int Day(int y, int m, int d) { return (int)rtl::EncodeDate(y, m, d); }
    void Put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(tk::WriteFileBytes(folder + "\\" + name, bytes));
        tk::FolderIndex::InvalidateAll();
    }
    void PutDay(int day, const std::string& header) { Put(diary::DayFileName(day), header + ":END\r\n{\\rtf1 x}\r\n"); }
    TForm12& List(int y, int m) {
        tk::Form* main = tk::Application.MainForm;
        tk::Application.CreateForm(Form12);
        tk::Application.MainForm = main;
        Form12->SpinEdit1.SetValue(y);
        Form12->SpinEdit2.SetValue(m);
        Form12->Show();
        wintest::Pump();
        return *Form12;
    }
    static int OpenDiaries() {
        int n = 0;
        for (tk::Form* f : tk::Application.Forms) n += dynamic_cast<TForm8*>(f) != nullptr;
        return n;
    }
};

}  // namespace

TEST_F(MonthList, EachKindOfDayHasItsLine) {
    struct Case {
        int d;
        const char* name;  // nullptr: the day file; "" no file
        std::string bytes;
        std::string line;
        bool entry;
    } cases[] = {
        {1, "", "", "1999/02/01 (月)", false},
        {2, nullptr, "WEATHER:晴\r\ntitle:表の題\r\n:END\r\nbody", "1999/02/02 (火) : 表の題", true},
        {3, nullptr, "TITLE:\r\n:end\r\n", "1999/02/03 (水) : ", true},
        {4, nullptr, "WEATHER:晴\r\n:END\r\nTITLE:後\r\n", "1999/02/04 (木)", false},
        {5, nullptr, "TITLE:途中\r\nWEATHER:雨", "1999/02/05 (金) : ファイル内容不正!!", false},
        {6, "ni990206.day", "昔の題\r\n本文\r\n", "1999/02/06 (土) : 【昔の題】", true},
        // The day file wins over a legacy file of the same day.
        {7, "ni990207.day", "昔\r\n", "1999/02/07 (日) : 新", true},
    };
    for (const Case& c : cases) {
        int day = Day(1999, 2, c.d);
        if (!c.name) Put(diary::DayFileName(day), c.bytes);
        else if (*c.name) Put(c.name, c.bytes);
    }
    PutDay(Day(1999, 2, 7), "TITLE:新\r\n");
    for (const Case& c : cases) {
        bool entry = true;
        EXPECT_EQ(nikilist::DayLine(folder, Day(1999, 2, c.d), entry), c.line) << c.d;
        EXPECT_EQ(entry, c.entry) << c.d;
    }
    // A title longer than the reader takes is cut on a whole character.
    std::string longTitle(255, 'a');
    PutDay(Day(1999, 2, 8), "TITLE:" + longTitle + "表\r\n");
    bool entry;
    EXPECT_EQ(nikilist::DayLine(folder, Day(1999, 2, 8), entry), "1999/02/08 (月) : " + longTitle);
}

TEST_F(MonthList, TheGaugeCountsEntriesInWholePerCent) {
    struct Case {
        int y, m, filled, days;
        const char* hint;
    } cases[] = {
        {1999, 2, 28, 28, "月あたり\r日記の記入状況 28件(100%)"},
        {2001, 2, 7, 28, "月あたり\r日記の記入状況 7件(25%)"},
        {1999, 3, 0, 31, "月あたり\r日記の記入状況 0件(0%)"},
    };
    for (const Case& c : cases) {
        for (int d = 1; d <= c.filled; ++d) PutDay(Day(c.y, c.m, d), "TITLE:t\r\n");
        TForm12& l = List(c.y, c.m);
        EXPECT_EQ(l.ListBox1.Items.Count(), c.days);
        EXPECT_EQ(l.SGauge1.Max(), c.days);
        EXPECT_EQ(l.Entries(), c.filled);
        EXPECT_EQ(l.SGauge1.Hint, c.hint);
        l.Destroy();
    }
}

TEST_F(MonthList, EveryMonthHasItsLengthUpToDecember9999) {
    struct Case {
        int y, m, days;
        const char* last;
    } cases[] = {
        {9999, 12, 31, "9999/12/31 (金)"},
        {1900, 2, 28, "1900/02/28 (水)"},
        {2000, 2, 29, "2000/02/29 (火)"},
        {1, 1, 31, "0001/01/31 (水)"},
    };
    TForm12& l = List(1999, 2);
    // Today's line is selected in today's month.
    EXPECT_EQ(l.ListBox1.ItemIndex(), 9);
    for (const Case& c : cases) {
        l.SpinEdit1.SetValue(c.y);
        l.SpinEdit2.SetValue(c.m);
        ASSERT_EQ(l.ListBox1.Items.Count(), c.days) << c.y;
        EXPECT_EQ(l.ListBox1.Items[c.days - 1], c.last);
    }
    // Another month keeps the line that was selected.
    l.PopupMenu1Popup();
    EXPECT_EQ(l.Write1->Caption(), "1年1月10日を綴る");
    l.BitBtn7Click();
    EXPECT_EQ(l.ListBox1.Items[0], "1999/02/01 (月)");
}

TEST_F(MonthList, AReadOnlyDayOpensOnce) {
    int day = Day(1999, 2, 3);
    PutDay(day, "TITLE:t\r\nTAV_READONLY:true\r\n");
    TForm12& l = List(1999, 2);
    l.ListBox1.SetItemIndex(2);
    l.OpenSelectedDay();
    wintest::Pump();
    TForm8* d = FindOpenDiary(day);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Caption(), "1999/02/03 (水)の日記 (RO)");
    EXPECT_FALSE(d->List1->Enabled());
    l.OpenSelectedDay();
    wintest::Pump();
    EXPECT_EQ(OpenDiaries(), 1);
}

TEST_F(MonthList, TheMainWindowItemsFollowTheList) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    // Opened on its own: it takes the diary mark and closes the diaries it opened.
    EXPECT_TRUE(Form1->List2->Enabled());
    Form1->List2Click();
    wintest::Pump();
    ASSERT_NE(Form12, nullptr);
    EXPECT_TRUE(Form12->Close1->Enabled());
    EXPECT_TRUE(Form1->Diary1->Checked());
    EXPECT_FALSE(Form1->List2->Enabled());
    EXPECT_EQ(Form12->ListBox1.Items[0], "1999/02/01 (月)");
    Form12->ListBox1.SetItemIndex(0);
    Form12->OpenSelectedDay();
    wintest::Pump();
    Form12->Close();
    wintest::Pump();
    EXPECT_EQ(Form12, nullptr);
    EXPECT_EQ(OpenDiaries(), 0);
    EXPECT_FALSE(Form1->Diary1->Checked());
    EXPECT_TRUE(Form1->List2->Enabled());

    // Beside a diary from the main menu: that diary's own item opens it and its close ends it.
    Form1->Diary1Click();
    wintest::Pump();
    TForm8* d = FindOpenDiary((int)rtl::Date());
    ASSERT_NE(d, nullptr);
    d->List1Click();
    wintest::Pump();
    ASSERT_NE(Form12, nullptr);
    EXPECT_FALSE(Form12->Close1->Enabled());
    EXPECT_TRUE(d->List1->Checked());
    d->Close();
    wintest::Pump();
    EXPECT_EQ(Form12, nullptr);
    EXPECT_FALSE(Form1->Diary1->Checked());
    EXPECT_TRUE(Form1->List2->Enabled());
}
