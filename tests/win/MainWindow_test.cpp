// The main window's start-up, its tick display and the commands that act on it.
#include <gtest/gtest.h>
#include <windows.h>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class MainWindow : public ::testing::Test {
protected:
    std::string dir, ini;
    rtl::TDateTime clock = EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0);
    std::vector<std::string> cues;

    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        dir = std::string(tmp) + "orbal-main-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        tk::ForceDirectories(dir);
        ini = dir + "\\orbal98.ini";
        DeleteFileA(ini.c_str());
        settings::SetIniPathForTest(ini);
        settings::Open().WriteInteger("Form", "Open", 1);
        rtl::SetClockForTest([this] { return clock; });
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { cues.push_back(c.name); });
    }
    void TearDown() override {
        if (Form1) Form1->Destroy();
        rtl::SetClockForTest({});
        tk::SetSoundHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void UseDataDir() {
        auto f = settings::Open();
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", dir);
    }
};

TEST_F(MainWindow, FirstRunWritesTheHolidaysOnceAndChoosesTheDataFolder) {
    Start();
    auto f = settings::Open();
    EXPECT_EQ(f.ReadInteger("Horiday", "Set", 0), 1);
    rtl::TStringList keys;
    f.ReadSection("Horiday", keys);
    ASSERT_EQ(keys.Count(), 14);  // Set and the 13 days, in the order written
    EXPECT_EQ(keys[1], "01/01");
    EXPECT_EQ(f.ReadString("Horiday", "12/23", ""), "【天皇誕生日】");
    EXPECT_EQ(f.ReadString("Calendar", "Directory", ""), tk::ExeDir() + "\\Schedule");
    EXPECT_TRUE(tk::DirectoryExists(tk::ExeDir() + "\\Schedule"));
    // A holiday the user removed stays removed at the next start.
    f.DeleteKey("Horiday", "05/04");
    Form1->Destroy();
    Start();
    EXPECT_EQ(settings::Open().ReadString("Horiday", "05/04", "<none>"), "<none>");
}

TEST_F(MainWindow, DeletedDataFolderFallsBackToNotChosen) {
    UseDataDir();
    auto f = settings::Open();
    f.WriteString("Calendar", "Directory", dir + "\\gone");
    f.WriteInteger("Form", "Entry", 1);
    Start();
    EXPECT_EQ(settings::Open().ReadString("Calendar", "Directory", ""), ".");
    EXPECT_FALSE(settings::Open().ReadBool("Form", "Entry", true));
    EXPECT_FALSE(Form1->Panel17.Visible());
}

TEST_F(MainWindow, StoredPositionIsPulledBackOnScreen) {
    UseDataDir();
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    settings::Open().WriteInteger("Form", "top", sh + 100);
    settings::Open().WriteInteger("Form", "left", -300);
    Start();
    EXPECT_EQ(Form1->Left(), 0);
    EXPECT_EQ(Form1->Top(), sh - Form1->Height());
    Form1->Destroy();
    settings::Open().DeleteKey("Form", "top");
    settings::Open().DeleteKey("Form", "left");
    Start();  // no stored position: the right edge of the screen
    EXPECT_EQ(Form1->Left(), sw - Form1->Width());
    EXPECT_EQ(Form1->Top(), 0);
}

TEST_F(MainWindow, TickShowsTimeGaugesAndBands) {
    UseDataDir();
    auto f = settings::Open();
    f.WriteString("MyGraph", "LG_Title", "会議");
    f.WriteString("MyGraph", "LG_Stime", rtl::FloatToStr(EncodeTime(10, 0, 0, 0)));
    f.WriteString("MyGraph", "LG_Etime", rtl::FloatToStr(EncodeTime(10, 0, 0, 0)));
    f.WriteString("MyGraph", "RG_Title", "壊れた値");
    f.WriteString("MyGraph", "RG_Stime", "abc");
    f.WriteString("MyGraph", "RG_Etime", "0.5");
    clock = EncodeDate(2024, 12, 31) + EncodeTime(15, 36, 59, 0);
    Start();
    Form1->Timer1Timer(true);
    EXPECT_EQ(Form1->StatusBar1.Panels[0].Text(), "2024/12/31(火) 15:36:59");
    EXPECT_EQ(Form1->SGauge3.Max(), 31);
    EXPECT_EQ(Form1->SGauge2.Max(), 366);
    EXPECT_EQ(Form1->SGauge2.Position(), 366);
    EXPECT_EQ(Form1->Gauge1.Position(), 15);
    EXPECT_EQ(Form1->Gauge3.Hint, "1分間の割合\r現在 59秒経過");
    EXPECT_EQ(Form1->SGauge2.Hint, "1年間の 100%\r現在 366/366日目");
    EXPECT_EQ(Form1->SGauge4.Position(), 0);  // a band of no length
    EXPECT_TRUE(Form1->SGauge4.Visible());
    EXPECT_FALSE(Form1->SGauge5.Visible());  // an unreadable band hides, the tick goes on
    EXPECT_EQ(Form1->Label5.Caption().rfind("Windowsを起動して ", 0), 0u);
    // Reminders still ran: the minute was recorded.
    EXPECT_EQ(Form1->LastMinute, "1536");
}

TEST_F(MainWindow, HiddenWhileVisibleIsOff) {
    UseDataDir();
    Start();
    EXPECT_TRUE(Form1->Visible());
    settings::Open().WriteInteger("Form", "Visible", 0);
    Form1->Timer1Timer(true);
    EXPECT_FALSE(Form1->Visible());
}

TEST_F(MainWindow, TaskBarOnlyTrayModesShowTheWindowAnyway) {
    UseDataDir();
    settings::Open().WriteInteger("Form", "Tray_icon", 1);
    settings::Open().WriteInteger("Form", "Visible", 0);
    Start();
    EXPECT_TRUE(Form1->Visible());
    EXPECT_TRUE(settings::Open().ReadBool("Form", "Visible", false));
}

TEST_F(MainWindow, PageChangesAndPanelSwitchesPlayTheClickCue) {
    UseDataDir();
    Start();
    cues.clear();
    Form1->Panel5DblClick();
    EXPECT_TRUE(Form1->Panel9.Visible());
    EXPECT_EQ(Form1->Panel1.Tag, 1);
    EXPECT_TRUE(settings::Open().ReadBool("Form", "Disital", false));
    Form1->Panel9DblClick();
    EXPECT_EQ(Form1->Panel1.Tag, 0);
    EXPECT_EQ(cues, (std::vector<std::string>{"c1", "c1"}));
    settings::Open().WriteInteger("Form", "Waveplay", 0);
    Form1->PageControl1Change();
    EXPECT_EQ(cues.size(), 2u);  // cues off
}

TEST_F(MainWindow, DayStepsCrossMonthsAndYears) {
    UseDataDir();
    Start();
    auto shown = [] {
        return std::to_string(Form1->CalendarEx1.Year()) + "/" + std::to_string(Form1->CalendarEx1.Month()) + "/" +
               std::to_string(Form1->CalendarEx1.Day());
    };
    auto go = [](int y, int m, int d) {
        Form1->CalendarEx1.SetYear(y);
        Form1->CalendarEx1.SetDay(1);
        Form1->CalendarEx1.SetMonth(m);
        Form1->CalendarEx1.SetDay(d);
    };
    go(2024, 1, 31);
    Form1->BitBtn4Click();
    EXPECT_EQ(shown(), "2024/2/1");
    go(2024, 3, 1);
    Form1->BitBtn3Click();
    EXPECT_EQ(shown(), "2024/2/29");
    go(2024, 1, 1);
    Form1->BitBtn3Click();
    EXPECT_EQ(shown(), "2023/12/31");
    clock = EncodeDate(2024, 2, 29) + 0.5;
    go(2024, 1, 31);
    Form1->BitBtn7Click();
    EXPECT_EQ(shown(), "2024/2/29");
}

TEST_F(MainWindow, AboutLineScrollsByWholeCharacters) {
    UseDataDir();
    Start();
    Form1->About1Click();
    std::string before = Form1->Label7.Caption();
    for (size_t i = 0; i < rtl::SjisLength(before); ++i) {
        Form1->Timer1Timer(true);
        std::string now = Form1->Label7.Caption();
        ASSERT_EQ(now.size(), before.size());
        ASSERT_TRUE(rtl::SjisLength(now) == rtl::SjisLength(before));  // never half a character
    }
    EXPECT_EQ(Form1->Label7.Caption(), before);  // a whole turn brings it back
    Form1->BitBtn5Click();
    EXPECT_TRUE(Form1->PageControl1.Visible());
}

}  // namespace

namespace {

TEST_F(MainWindow, CalendarListsTheHolidaysOfTheShownYearByTheRules) {
    UseDataDir();
    for (auto& [k, v] : DefaultHolidays()) settings::Open().WriteString("Horiday", k, v);
    Start();
    auto holiday = [](int y, int m, int d) {
        Form1->CalendarEx1.SetYear(y);
        Form1->CalendarEx1.SetDay(1);
        Form1->CalendarEx1.SetMonth(m);
        return Form1->CalendarEx1.TypeOfDayTextOf(y, m, d);
    };
    EXPECT_EQ(holiday(2024, 1, 8), "【成人の日】");  // the second Monday, not the 15th
    EXPECT_EQ(holiday(2024, 1, 15), "");
    EXPECT_NE(holiday(2024, 9, 16).find("【振替休日】"), std::string::npos);
    EXPECT_NE(holiday(2024, 9, 22), "");  // the equinox
    EXPECT_EQ(holiday(1999, 1, 15), "【成人の日】");  // before the second-Monday rule
}

}  // namespace
