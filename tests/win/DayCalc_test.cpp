// The day calculator window: both modes through the window, the warning, the date check of the
// fields and opening it from the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "notes/Nikki.h"
#include "schedule/Born.h"
#include "settings/DayCalc.h"
#include "tests/win/WinTest.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class DayCalculator : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-daycalc-", false);
        FixClock(EncodeDate(2024, 3, 31) + EncodeTime(13, 14, 15, 0));
        answer = IDOK;
    }
    void TearDown() override {
        if (Form11) Form11->Destroy();
        if (Form1) Form1->Destroy();
    }
    void Open() {
        tk::Application.CreateForm(Form11);
        if (tk::Application.MainForm == Form11) tk::Application.MainForm = nullptr;
        Form11->Show();
    }
    // Day 1 first, as a user would go round an impossible date.
    static void Fill(tk::SpinEdit* f[6], const daycalc::Moment& m) {
        f[2]->SetValue(1);
        const int v[6] = {m.year, m.month, m.day, m.hour, m.minute, m.second};
        for (int i = 0; i < 6; ++i) f[i]->SetValue(v[i]);
    }
    void First(const daycalc::Moment& m) {
        tk::SpinEdit* f[6] = {&Form11->SpinEdit1, &Form11->SpinEdit2, &Form11->SpinEdit3,
                              &Form11->SpinEdit4, &Form11->SpinEdit5, &Form11->SpinEdit14};
        Fill(f, m);
    }
    void Second(const daycalc::Moment& m) {
        tk::SpinEdit* f[6] = {&Form11->SpinEdit6, &Form11->SpinEdit7, &Form11->SpinEdit8,
                              &Form11->SpinEdit9, &Form11->SpinEdit10, &Form11->SpinEdit15};
        Fill(f, m);
    }
    std::string Result() const { return Form11->RichEdit3.Text(); }
};

const char kWarning[] = "計算できませんでした。\r他の値で計算してください。";

TEST_F(DayCalculator, OpensWithTodayAtMidnightInSpanMode) {
    Open();
    EXPECT_EQ(Form11->First().year * 10000 + Form11->First().month * 100 + Form11->First().day, 20240331);
    EXPECT_EQ(Form11->Second().day, 31);
    EXPECT_EQ(Form11->First().hour + Form11->First().minute + Form11->First().second, 0);
    EXPECT_TRUE(Form11->SpeedButton1.Down());
    EXPECT_FALSE(Form11->Panel14.Visible());
    EXPECT_TRUE(boxes.empty());
    Form11->BitBtn13Click();
    EXPECT_EQ(Result(), "2024/03/31 (日) 00:00:00 から\r\n2024/03/31 (日) 00:00:00 迄の時間\r\n"
                        "==================================\r\n\r\n\r\n\r\n0秒");
}

TEST_F(DayCalculator, NowFromAnEarlierMonthPassesNoImpossibleDate) {
    Open();
    First({2024, 2, 10, 8});
    Second({2024, 2, 10});
    boxes.clear();
    Form11->BitBtn17Click();
    Form11->BitBtn16Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Form11->First().month * 100 + Form11->First().day, 331);
    EXPECT_EQ(Form11->Second().hour * 10000 + Form11->Second().minute * 100 + Form11->Second().second, 131415);
    // A date the user makes impossible is still pointed out.
    Form11->SpinEdit2.SetValue(2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "日付に変換できない値が渡されました");
}

TEST_F(DayCalculator, CalculatesInBothModesAndWarnsOutsideTheRange) {
    Open();
    struct Case {
        bool interval, later;
        daycalc::Moment a, b;
        daycalc::Interval by;
        std::string last;
        bool warns;
    } cases[] = {
        {false, true, {2000, 1, 2, 1, 1, 1}, {2000, 1, 1}, {}, "90,061秒", false},
        {false, true, {2001, 2, 28}, {2000, 1, 1}, {}, "36,633,600秒", false},
        {true, true, {2000, 1, 1}, {}, {1, 1, 1, 1}, "2000/01/02 (日) 01:01:01", false},
        {true, false, {1, 1, 1}, {}, {0, 0, 0, 1}, "==================================", true},
        {true, true, {9999, 12, 31, 23, 59, 59}, {}, {0, 0, 0, 1}, "==================================", true},
    };
    for (const Case& c : cases) {
        boxes.clear();
        First(c.a);
        Second(c.b);
        (c.interval ? Form11->SpeedButton2 : Form11->SpeedButton1).Click();
        EXPECT_EQ(Form11->Panel14.Visible(), c.interval);
        Form11->SpinEdit11.SetValue(c.by.days);
        Form11->SpinEdit12.SetValue(c.by.hours);
        Form11->SpinEdit13.SetValue(c.by.minutes);
        Form11->SpinEdit16.SetValue(c.by.seconds);
        (c.later ? Form11->SpeedButton4 : Form11->SpeedButton3).Click();
        Form11->BitBtn13Click();
        const std::string text = Result();
        EXPECT_EQ(text.substr(text.rfind('\n') + 1), c.last) << c.last;
        EXPECT_EQ(boxes.size(), c.warns ? 1u : 0u) << c.last;
        if (c.warns && !boxes.empty()) {
            EXPECT_EQ(boxes[0], kWarning);
        }
    }
    // An impossible date typed past the check: the warning, and no lines.
    Form11->SpeedButton1.Click();
    First({2001, 2, 28});
    boxes.clear();
    Form11->SpinEdit3.SetValue(31);
    Form11->BitBtn13Click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], kWarning);
    EXPECT_EQ(Result(), "");
    EXPECT_EQ(cues.back(), "sav");
}

TEST_F(DayCalculator, MainMenuOpensOneWindowAndClosingKeepsItsPlace) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    ASSERT_TRUE(Form1->DayCalc1->Enabled());
    Form1->DayCalc1->Click();
    ASSERT_NE(Form11, nullptr);
    TForm11* first = Form11;
    EXPECT_TRUE(Form1->DayCalc1->Checked());
    Form1->DayCalc1Click();
    EXPECT_EQ(Form11, first);
    Form11->SetBounds(40, 50, Form11->Width(), Form11->Height());
    Form11->Close();
    wintest::Pump();
    EXPECT_EQ(Form11, nullptr);
    EXPECT_FALSE(Form1->DayCalc1->Checked());
    EXPECT_EQ(settings::Open().ReadInteger("DayCalc", "left", -1), 40);
    EXPECT_EQ(settings::Open().ReadInteger("DayCalc", "top", -1), 50);
}

// Windows whose close writes only their place close while another program holds the settings file.
TEST_F(DayCalculator, ItAndOtherWindowsCloseWhileTheSettingsFileIsHeld) {
    Open();
    tk::Application.CreateForm(Form16);
    Form16->Show();
    for (tk::Form* f : {(tk::Form*)Form11, (tk::Form*)Form16, (tk::Form*)OpenDiary((int)EncodeDate(2024, 3, 31))}) {
        if (tk::Application.MainForm == f) tk::Application.MainForm = nullptr;
        HANDLE held = CreateFileA(settings::IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        SendMessageA(f->Handle, WM_CLOSE, 0, 0);
        wintest::Pump();
        CloseHandle(held);
        EXPECT_FALSE(IsOpen(f)) << f->Caption();
        if (IsOpen(f)) f->Destroy();
    }
}

}  // namespace
