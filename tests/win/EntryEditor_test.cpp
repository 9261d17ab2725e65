// The schedule entry editor driven in-process: names and rule texts of every tab, the week boxes,
// the date fields, save and delete with the question, the discard notice, the main window's
// command, and the entries both editors remember for the schedule list.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "schedule/Popup.h"
#include "schedule/to_do.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

const char kNotice[] = "日付の設定が変更されたので\r編集中のものは破棄されました。";

class EntryEditor : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-entry-");
        FixClock(EncodeDate(2001, 1, 15) + EncodeTime(9, 0, 0, 0));  // a Monday
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }

    void TearDown() override {
        DestroyOpen<TForm14, TForm7>();
        wintest::Pump();
        if (Form1) Form1->Destroy();
    }

    TForm14& Open(int y, int m, int d) {
        tk::Application.CreateForm(Form14);
        Form14->Preset(y, m, d);
        Form14->Show();
        return *Form14;
    }

    static void Type(tk::RichEdit& re, const std::string& s) {
        for (char c : s) SendMessageA(re.Handle, WM_CHAR, (unsigned char)c, 1);
    }


    void Put(const std::string& name, const std::string& text) {
        tk::WriteFileBytes(Path(name), text);
        tk::FolderIndex::For(dir).Invalidate();
    }

    static bool Marked(const std::string& monthDay) {
        const auto& l = Form1->CalendarEx1.SpecialDayList().Strings;
        return std::find(l.begin(), l.end(), monthDay) != l.end();
    }

    bool Cued(const char* name) const { return std::find(cues.begin(), cues.end(), name) != cues.end(); }
};

TEST_F(EntryEditor, ControlsBuildTheNameRuleTextAndHint) {
    TForm14& f = Open(2001, 1, 15);
    EXPECT_EQ(f.TabSet1.Tabs.List().Strings, (std::vector<std::string>{"2001/01/15", "01/15", "15", "月曜日"}));
    struct Case {
        int tab, ifDayOff, saturday, weeks;  // weeks: the five bits, 32 = last week
        const char *name, *rule, *hint;
    } cases[] = {
        {0, 0, 0, 31, "____0115.01", "【01年1月15日】", "2001/1/15のｽｹｼﾞｭｰﾙ"},
        {1, 1, 1, 31, "~_~~0115.__", "【毎年1月15日】(土曜/休日:前日)", "毎年1/15のｽｹｼﾞｭｰﾙ"},
        {1, 0, 1, 31, "____0115.__", "【毎年1月15日】", "毎年1/15のｽｹｼﾞｭｰﾙ"},  // "そのまま" resets Saturday
        {2, 2, 0, 31, "_~____15.__", "【毎月15日】(休日:翌日)", "毎月15日のｽｹｼﾞｭｰﾙ"},
        {3, 0, 0, 5, "_~_~~___.MON", "【第１第３月曜日】", "月曜日のｽｹｼﾞｭｰﾙ"},
        {3, 0, 0, 32, "~~~~~___.MON", "【最終月曜日】", "月曜日のｽｹｼﾞｭｰﾙ"},  // the five cleared
        {3, 0, 0, 0, "________.MON", "【月曜日】", "月曜日のｽｹｼﾞｭｰﾙ"},  // nothing ticked: all five
    };
    tk::CheckBox* week[5] = {&f.CheckBox4, &f.CheckBox6, &f.CheckBox8, &f.CheckBox10, &f.CheckBox12};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.TabSet1.SetTabIndex(c.tab);
        f.RadioGroup1.SetItemIndex(c.ifDayOff);
        f.RadioGroup2.SetItemIndex(c.saturday);
        f.CheckBox1.SetChecked(c.weeks == 32);
        for (int i = 0; i < 5 && c.weeks != 32; ++i) week[i]->SetChecked(c.weeks & (1 << i));
        EXPECT_EQ(f.Label2.Caption(), Path(c.name));
        EXPECT_EQ(f.Edit1.Text(), c.rule);
        EXPECT_EQ(f.RichEdit1.Hint, c.hint);
        bool shifts = c.tab == 1 || c.tab == 2;
        EXPECT_EQ(f.RadioGroup1.Enabled(), shifts);
        EXPECT_EQ(f.RadioGroup2.Enabled(), shifts && c.ifDayOff > 0);
        EXPECT_EQ(f.CheckBox1.Enabled(), c.tab == 3);
        EXPECT_EQ(f.CheckBox4.Enabled(), c.tab == 3 && c.weeks != 32);
        EXPECT_EQ(f.CheckBox12.Checked(), c.weeks == 0 || c.weeks == 31);
    }
}

TEST_F(EntryEditor, DateFieldsClampStepDownAndGoBackToToday) {
    TForm14& f = Open(2001, 1, 15);
    EXPECT_EQ(f.Label6.Caption(), "0");
    EXPECT_FALSE(f.BitBtn5.Enabled());
    struct Case {
        const char *y, *m, *d, *name;
    } cases[] = {{"2001", "2", "31", "____0228.01"}, {"2004", "2", "31", "____0229.04"},
                 {"0", "1", "1", "____0101.01"},     {"10000", "13", "31", "____1231.99"}};
    for (const Case& c : cases) {
        f.SpinEdit1.SetText(c.y), f.SpinEdit2.SetText(c.m), f.SpinEdit3.SetText(c.d);
        EXPECT_EQ(f.Label2.Caption(), Path(c.name));
    }
    f.SpinEdit1.SetValue(2001), f.SpinEdit2.SetValue(1), f.SpinEdit3.SetValue(31);
    f.SpinEdit2.SetValue(2);  // a month change lowers the day until it exists
    EXPECT_EQ(f.SpinEdit3.Value(), 28);
    EXPECT_EQ(f.Label6.Caption(), "44");
    EXPECT_TRUE(f.BitBtn5.Enabled());

    clock = EncodeDate(2004, 2, 29) + EncodeTime(9, 0, 0, 0);
    f.SpinEdit1.SetValue(2003), f.SpinEdit2.SetValue(3), f.SpinEdit3.SetValue(31);
    f.BitBtn5.Click();
    EXPECT_EQ(f.Label2.Caption(), Path("____0229.04"));
    EXPECT_EQ(f.Label6.Caption(), "0");
    EXPECT_FALSE(f.BitBtn5.Enabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EntryEditor, SaveAndDeleteRefreshTheDayViewAndMarks) {
    Form1->PageControl1.SetActivePageIndex(3);  // the day view shows the selected day's entries
    Form1->CalendarEx1.SetDay(20);
    TForm14& f = Open(2001, 1, 20);
    f.TabSet1.SetTabIndex(1);
    EXPECT_FALSE(f.BitBtn1.Enabled());
    f.BitBtn2.Click();  // "挿入": the rule text as a line
    EXPECT_EQ(f.RichEdit1.Text(), "【毎年1月20日】\r\n");
    EXPECT_EQ(f.RichEdit1.Hint, "Saveしないと有効になりません｡");
    EXPECT_TRUE(f.BitBtn3.Enabled());
    ASSERT_TRUE(f.BitBtn1Click());
    EXPECT_FALSE(f.BitBtn3.Enabled());
    EXPECT_TRUE(f.BitBtn4.Enabled());
    EXPECT_TRUE(Cued("sav"));
    EXPECT_TRUE(Marked("1,20"));
    EXPECT_NE(Form1->RichEdit1.Text().find("【毎年1月20日】"), std::string::npos);

    answer = IDNO;  // refused: the entry and the window stay
    f.BitBtn4.Click();
    EXPECT_EQ(boxes, std::vector<std::string>{"削除しますか？"});
    EXPECT_TRUE(tk::FileExists(Path("____0120.__")));
    answer = IDYES;
    f.PopupMenu1.OnPopup();
    EXPECT_FALSE(f.EditClose.SaveClose->Enabled());
    f.EditClose.DeleteClose->Click();  // "削除して終了"
    wintest::Pump();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Form14, nullptr);
    EXPECT_FALSE(tk::FileExists(Path("____0120.__")));
    EXPECT_TRUE(Cued("del"));
    EXPECT_FALSE(Marked("1,20"));
    EXPECT_EQ(Form1->RichEdit1.Text().find("【毎年1月20日】"), std::string::npos);

    settings::Open().WriteInteger("Form", "Delete", 1);  // deleting without asking
    Put("____0121.01", "x");
    Open(2001, 1, 21).BitBtn4.Click();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(tk::FileExists(Path("____0121.01")));
}

TEST_F(EntryEditor, AFailedSaveKeepsTheWindowAndSaveAndCloseKeepsThePosition) {
    ASSERT_TRUE(tk::ForceDirectories(Path("____0115.01")));  // a folder where the file would go
    TForm14& f = Open(2001, 1, 15);
    Type(f.RichEdit1, "keep me");
    f.BitBtn3.Click();
    wintest::Pump();
    EXPECT_EQ(boxes, std::vector<std::string>{"ファイルに保存できませんでした。\r" + Path("____0115.01")});
    ASSERT_TRUE(IsOpen(&f));
    EXPECT_TRUE(f.BitBtn3.Enabled());
    EXPECT_TRUE(f.TouchedEntries().empty());

    f.SpinEdit3.SetValue(16);
    Type(f.RichEdit1, "next day");
    f.SetBounds(40, 30, f.Width(), f.Height());
    f.BitBtn3.Click();
    wintest::Pump();
    EXPECT_EQ(Form14, nullptr);
    EXPECT_EQ(TextOf(Path("____0116.01")), "next day");
    EXPECT_TRUE(Cued("clo"));
    TForm14& g = Open(2001, 1, 16);  // opens where the last one closed
    EXPECT_EQ(g.Left(), 40);
    EXPECT_EQ(g.Top(), 30);
    EXPECT_EQ(g.Width(), Form1->Width());
}

TEST_F(EntryEditor, DiscardNoticeOnlyAfterTyping) {
    Put("____0116.01", "saved");
    TForm14& f = Open(2001, 1, 15);
    f.SpinEdit3.SetValue(16);  // nothing typed: the other day loads quietly
    EXPECT_EQ(f.RichEdit1.Text(), "saved");
    EXPECT_TRUE(f.BitBtn4.Enabled());
    f.TabSet1.SetTabIndex(1);  // right after a load: nothing to discard
    EXPECT_TRUE(boxes.empty());
    Type(f.RichEdit1, "typed");
    f.RadioGroup1.SetItemIndex(2);
    EXPECT_EQ(boxes, std::vector<std::string>{kNotice});
    f.TabSet1.SetTabIndex(0);  // back to the loaded entry, and only one notice
    EXPECT_EQ(f.RichEdit1.Text(), "saved");
    Type(f.RichEdit1, "x");
    ASSERT_TRUE(f.BitBtn1Click());
    f.SpinEdit3.SetValue(17);  // saved: nothing to discard
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(EntryEditor, MainMenuOpensANewPresetEditorEachTime) {
    auto ini = settings::Open();
    ini.WriteString("Calendar", "Directory", ".");
    ASSERT_TRUE(Form1->Todo1->Enabled());
    Form1->Todo1->Click();
    EXPECT_EQ(Form14, nullptr);  // no data folder chosen: no editor

    ini.WriteString("Calendar", "Directory", dir);
    Put("____0131.01", "end of the month");
    Form1->CalendarEx1.SetDay(31);
    Form1->Todo1->Click();
    ASSERT_NE(Form14, nullptr);
    TForm14* first = Form14;
    EXPECT_EQ(first->Label2.Caption(), Path("____0131.01"));
    EXPECT_EQ(first->RichEdit1.Text(), "end of the month");
    EXPECT_TRUE(first->BitBtn4.Enabled());
    EXPECT_TRUE(Cued("ope"));
    Form1->Todo1->Click();
    EXPECT_NE(Form14, first);
    EXPECT_TRUE(IsOpen(first));
}

TEST_F(EntryEditor, BothEditorsRememberTheEntriesTheyChanged) {
    // Saved, then the date changed and saved again, then another entry deleted: all three count.
    Put("____0125.01", "old");
    TForm14& f = Open(2001, 1, 15);
    Type(f.RichEdit1, "a");
    f.BitBtn1.Click();
    f.SpinEdit3.SetValue(20);
    Type(f.RichEdit1, "b");
    f.BitBtn1.Click();
    f.BitBtn1.Click();  // nothing new to save
    f.SpinEdit3.SetValue(25);
    f.BitBtn4.Click();
    EXPECT_EQ(f.TouchedEntries(), (std::vector<std::string>{"____0115.01", "____0120.01", "____0125.01"}));
    TForm14& g = Open(2001, 1, 15);
    answer = IDNO;
    g.BitBtn4.Click();  // refused: nothing changed
    EXPECT_TRUE(g.TouchedEntries().empty());

    // The reminder editor remembers the schedule entries it added its text to, and nothing else.
    tk::Application.CreateForm(Form7);
    TForm7& r = *Form7;
    r.Preset(2001, 1, 15, 12, 30);
    r.Show();
    Type(r.RichEdit1, "reminder only");
    ASSERT_TRUE(r.BitBtn6Click(TForm7::Command::Save));
    EXPECT_TRUE(r.AppendedEntries().empty());
    r.CheckBox1.SetChecked(true);
    r.SpinEdit5.SetValue(16);
    Type(r.RichEdit1, "and in the schedule");
    ASSERT_TRUE(r.BitBtn6Click(TForm7::Command::Save));
    EXPECT_EQ(r.AppendedEntries(), std::vector<std::string>{"____0116.01"});
    r.Close();
    wintest::Pump();
    EXPECT_EQ(Form7, nullptr);
}

}  // namespace
