// The cycle tracker window: adding and deleting dates with the file they go to, averages,
// forecasts and marks, notes, and the move of older dates out of the settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "notes/Period.h"
#include "tests/win/WinTest.h"
#include "toolkit/Graphics.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class CycleTracker : public wintest::WindowTest {
protected:
    std::string file;

    void SetUp() override {
        FreshDataFolder("orbal-period-", false);
        tk::ForceDirectories(dir + "\\Period");
        file = dir + "\\Period\\Period.ini";
        FixClock(EncodeDate(2000, 3, 1) + EncodeTime(9, 0, 0, 0));
    }
    void TearDown() override {
        if (Form25) Form25->Destroy();
    }
    void Open() {
        tk::Application.CreateForm(Form25);
        if (tk::Application.MainForm == Form25) tk::Application.MainForm = nullptr;
        Form25->Show();
    }
    void Add(int y, int m, int d) {
        Form25->SpinEdit3.SetValue(1);
        Form25->SpinEdit1.SetValue(y);
        Form25->SpinEdit2.SetValue(m);
        Form25->SpinEdit3.SetValue(d);
        Form25->BitBtn2Click();
    }
    tk::TIniFile Own() const { return tk::TIniFile(file); }
    static std::vector<std::string> Items(const tk::ListBox& l) {
        std::vector<std::string> v;
        for (int i = 0; i < l.Items.Count(); ++i) v.push_back(l.Items[i]);
        return v;
    }
    static void WriteList(tk::TIniFile ini, const std::vector<std::string>& dates) {
        for (size_t i = 0; i < dates.size(); ++i) ini.WriteString("Period", std::to_string(i), dates[i]);
        ini.WriteInteger("Period", "Count", int(dates.size()));
    }
};

TEST_F(CycleTracker, ThreeDatesGiveTheirAveragesAndForecasts) {
    Open();
    EXPECT_EQ(Form25->StatusBar1.SimpleText(), "良い子が授かりますように..");
    Add(2000, 1, 1);
    EXPECT_EQ(Form25->Edit1.Text() + Form25->Edit2.Text() + Form25->Edit3.Text(), "282828");
    EXPECT_EQ(Form25->ListBox3.Items[0], "2000/01/29 (土)");
    Add(2000, 1, 29);
    Add(2000, 2, 28);
    EXPECT_EQ(Form25->Edit1.Text(), "29");
    EXPECT_EQ(Form25->Edit2.Text(), "28");
    EXPECT_EQ(Form25->Edit3.Text(), "30");
    ASSERT_EQ(Form25->ListBox5.Items.Count(), 100);
    EXPECT_EQ(Form25->ListBox5.Items[0], "2000/03/27 (月)");
    EXPECT_EQ(Form25->ListBox5.Items[1], "2000/04/26 (水)");
    EXPECT_EQ(Form25->StatusBar1.SimpleText(), "30日周期 (2000/01/29～2000/02/28)");
    EXPECT_EQ(Form25->Label11.Caption(), "2000/02/28のメモ：");

    // The same date again changes nothing but still sounds.
    cues.clear();
    Add(2000, 1, 29);
    EXPECT_EQ(cues, std::vector<std::string>{"sav"});
    EXPECT_EQ(Items(Form25->ListBox1), (std::vector<std::string>{"2000/01/01", "2000/01/29", "2000/02/28"}));
    EXPECT_EQ(ReadPeriodDates(Own()), Items(Form25->ListBox1));

    // A note belongs to its date.
    Form25->ListBox1.SetItemIndex(1);
    Form25->ListBox1Click();
    Form25->Edit4.SetText("メモ\\表");
    Form25->ListBox1.SetItemIndex(2);
    Form25->ListBox1Click();
    EXPECT_EQ(Own().ReadString("Comment", "2000/01/29", ""), "メモ\\表");
    EXPECT_EQ(Own().ReadString("Comment", "2000/02/28", "none"), "none");
}

TEST_F(CycleTracker, MarksFollowThePeriodLength) {
    Own().WriteInteger("Period", "Days", 5);
    WriteList(Own(), {"2000/01/01"});
    Open();
    ASSERT_EQ(Form25->ListBox4.Items.Count(), 29);
    EXPECT_EQ(Form25->GroupBox2.Caption(), "2000/01/01～2000/01/29 (土)");
    auto mark = [](int day) { return Form25->ListBox4.Items[day].substr(16); };
    EXPECT_EQ(mark(4), "×　生理中");
    EXPECT_EQ(mark(5), "？　　　安全日");
    for (int day = 12; day <= 16; ++day) EXPECT_EQ(mark(day), "×【危険日】") << day;
    EXPECT_EQ(mark(28), "×　生理中");
    Form25->SpinEdit4.SetValue(20);
    EXPECT_EQ(mark(19), "×　生理中");
    EXPECT_EQ(mark(20), "△　　　　安全日");
    EXPECT_EQ(Own().ReadInteger("Period", "Days", 0), 20);
    // The second forecast cycle starts where the first ends.
    Form25->ListBox3.SetItemIndex(1);
    Form25->ListBox3Click();
    EXPECT_EQ(Form25->GroupBox2.Caption(), "2000/01/29 (土)～2000/02/26 (土)");
}

TEST_F(CycleTracker, DeletingTheOnlyDateClearsTheForecastsAndKeepsDays) {
    Own().WriteInteger("Period", "Days", 7);
    WriteList(Own(), {"2000/01/01"});
    Open();
    EXPECT_EQ(Form25->SpinEdit4.Value(), 7);
    answer = IDNO;
    Form25->BitBtn1Click();
    EXPECT_EQ(Form25->ListBox1.Items.Count(), 1);
    answer = IDYES;
    Form25->BitBtn1Click();
    EXPECT_EQ(Form25->ListBox1.Items.Count(), 0);
    for (auto* l : {&Form25->ListBox3, &Form25->ListBox4, &Form25->ListBox5, &Form25->ListBox6})
        EXPECT_EQ(l->Items.Count(), 0);
    EXPECT_EQ(Own().ReadInteger("Period", "Count", -1), 0);
    EXPECT_FALSE(Own().ValueExists("Period", "0"));
    EXPECT_EQ(Own().ReadInteger("Period", "Days", 0), 7);
    EXPECT_EQ(Form25->StatusBar1.SimpleText(), "良い子が授かりますように..");
}

TEST_F(CycleTracker, AveragesOutsideTheRangeOrNotNumbers) {
    WriteList(Own(), {"2000/01/01"});
    Open();
    Form25->Edit1.SetText("99999999");
    EXPECT_EQ(Form25->ListBox3.Items.Count(), 0);
    EXPECT_EQ(Form25->ListBox4.Items.Count(), 0);
    EXPECT_EQ(Form25->ListBox5.Items.Count(), 100);
    Form25->Edit2.SetText("-99999999");
    EXPECT_EQ(Form25->ListBox5.Items.Count(), 0);
    Form25->Edit3.SetText("abc");
    EXPECT_EQ(Form25->Edit3.Text(), "28");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CycleTracker, EveryLineFitsBesideItsListsScrollBar) {
    WriteList(Own(), {"2000/01/01", "2000/01/29", "2000/02/28"});
    Open();
    tk::TCanvas c(tk::MeasureDC());
    for (tk::ListBox* l : {&Form25->ListBox1, &Form25->ListBox3, &Form25->ListBox4, &Form25->ListBox5, &Form25->ListBox6}) {
        c.Font = l->EffectiveFont();
        ASSERT_GT(l->Items.Count(), 0);
        // With a blank's room on either side: clear of the border and of the scroll bar.
        for (int i = 0; i < l->Items.Count(); ++i)
            EXPECT_LE(c.TextWidth(" " + l->Items[i] + " "), l->ClientWidth()) << l->Items[i];
    }
}

TEST_F(CycleTracker, ADamagedCountReadsOnlyTheKeysThatAreThere) {
    WriteList(Own(), {"2000/01/01", "2000/01/29"});
    Own().WriteInteger("Period", "Count", 2147483647);
    Open();
    EXPECT_EQ(Items(Form25->ListBox1), (std::vector<std::string>{"2000/01/01", "2000/01/29"}));
}

TEST_F(CycleTracker, OlderDatesMoveIntoTheTrackersFile) {
    struct Case {
        const char* name;
        std::vector<std::string> own;
        bool unwritable;
        std::vector<std::string> shown;
        bool moved;
    } cases[] = {
        {"empty", {}, false, {"1999/12/04", "2000/01/01"}, true},
        {"full", {"2000/01/01", "2000/01/29"}, false, {"1999/12/04", "2000/01/01", "2000/01/29"}, true},
        {"unwritable", {}, true, {"1999/12/04", "2000/01/01"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        DeleteFileA(file.c_str());
        RemoveDirectoryA(file.c_str());
        if (c.unwritable) CreateDirectoryA(file.c_str(), nullptr);  // a folder where the file should be
        if (!c.own.empty()) {
            WriteList(Own(), c.own);
            Own().WriteInteger("Period", "Days", 9);
            Own().WriteString("Comment", "2000/01/01", "note");
        }
        WriteList(settings::Open(), {"2000/01/01", "1999/12/04"});
        Open();
        EXPECT_EQ(Items(Form25->ListBox1), c.shown);
        EXPECT_EQ(settings::Open().SectionExists("Period"), !c.moved);
        EXPECT_EQ(boxes.size(), c.moved ? 0u : 2u);  // the move, then that the file cannot be written
        if (c.moved) {
            EXPECT_EQ(ReadPeriodDates(Own()), c.shown);
        }
        if (!c.own.empty()) {
            EXPECT_EQ(Own().ReadInteger("Period", "Days", 0), 9);
            EXPECT_EQ(Form25->SpinEdit4.Value(), 9);
            EXPECT_EQ(Own().ReadString("Comment", "2000/01/01", ""), "note");
        }
        Form25->Destroy();
        wintest::Pump();
        RemoveDirectoryA(file.c_str());
    }
}

TEST_F(CycleTracker, WhatCouldNotBeWrittenKeepsTheWindowUntilTheCloseWritesIt) {
    WriteList(Own(), {"2000/01/01"});
    Open();
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Add(2000, 1, 29);
    // Typed, the note waits for the next save: no key press waits for the file.
    static int writes;
    writes = 0;
    tk::WriteFileSafelyStep = [](const char*) { return ++writes, true; };
    wintest::Type(Form25->Edit4.Handle, "メモ");
    tk::WriteFileSafelyStep = nullptr;
    EXPECT_EQ(writes, 0);
    SendMessageA(Form25->Handle, WM_CLOSE, 0, 0);
    wintest::Pump();
    ASSERT_TRUE(Form25);
    CloseHandle(held);
    SendMessageA(Form25->Handle, WM_CLOSE, 0, 0);
    wintest::Pump();
    EXPECT_EQ(ReadPeriodDates(Own()), (std::vector<std::string>{"2000/01/01", "2000/01/29"}));
    EXPECT_EQ(Own().ReadString("Comment", "2000/01/29", ""), "メモ");
}

// Read as no dates, such a file would be written over with what is added.
TEST_F(CycleTracker, AFileThatCouldNotBeReadIsShownReadOnlyAndKeptAsItWas) {
    const char junk[] = "[Period]\r\nCount=1\r\n0=2000/01/01\0\x8f\xfe";
    struct Case {
        bool held, older;  // held by another program, else not text; older dates in the settings file
        const char* why;
    } cases[] = {{true, false, "使用中です"}, {false, false, "テキストではありません"}, {true, true, "使用中です"}};
    bool addAtBox = true;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& b) {
        boxes.push_back(b.text);
        return addAtBox = Form25->BitBtn2.Enabled(), IDOK;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why + std::string(c.older ? ", older dates" : ""));
        // Written past the settings reader, which would know the file's text.
        tk::WriteFileBytes(file, c.held ? "[Period]\r\n0=1999/12/04\r\n1=2000/01/01\r\nCount=2\r\n"
                                        : std::string(junk, sizeof junk - 1));
        if (c.older) WriteList(settings::Open(), {"1999/09/11"});
        const std::string before = Bytes(file);
        std::shared_ptr<void> held = c.held ? wintest::HeldByAnotherProgram(file) : nullptr;
        boxes.clear();
        Open();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(c.why), std::string::npos);
        EXPECT_FALSE(addAtBox || !Form25->Edit4.ReadOnly());
        held.reset();
        Add(2000, 3, 1);
        Form25->SpinEdit4.SetValue(9);
        SendMessageA(Form25->Handle, WM_CLOSE, 0, 0);
        wintest::Pump();
        EXPECT_EQ(Form25, nullptr);
        EXPECT_EQ(Bytes(file), before);
        EXPECT_EQ(settings::Open().SectionExists("Period"), c.older);
    }
}

TEST_F(CycleTracker, MainMenuOpensItAfterThePasswordGate) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    RemoveDirectoryA((dir + "\\Period").c_str());
    ASSERT_TRUE(Form1->Period1->Enabled());
    Form1->Period1Click();
    ASSERT_NE(Form25, nullptr);
    EXPECT_TRUE(tk::DirectoryExists(dir + "\\Period"));
    EXPECT_TRUE(Form1->Period1->Checked());
    TForm25* first = Form25;
    Form1->Period1Click();
    EXPECT_EQ(Form25, first);
    Form25->Close();
    wintest::Pump();
    EXPECT_EQ(Form25, nullptr);
    EXPECT_FALSE(Form1->Period1->Checked());
    Form1->Destroy();
}

}  // namespace
