// The main window's start-up, its tick display and the commands that act on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <mutex>

#include "calendar/HolidayRules.h"
#include "calendar/Rokuyo.h"
#include "mainwindow/Main.h"
#include "mainwindow/TickMath.h"
#include "mainwindow/PopView.h"
#include "mainwindow/tray_icon.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "tests/win/MainWindowFixture.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Sound.h"

namespace {

TEST_F(MainWindow, FirstRunWritesTheHolidaysOnceAndChoosesTheDataFolder) {
    DeleteFileA(ini.c_str());  // a first run has no settings file: nothing is kept aside, nothing said
    Start();
    EXPECT_EQ(boxes.size(), 0u);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((ini + ".broken-*").c_str(), &found), INVALID_HANDLE_VALUE);
    ASSERT_NE(Form4, nullptr);  // the settings window opens, in front of the main window
    HWND above = Form1->Handle;
    while ((above = GetWindow(above, GW_HWNDPREV)) && above != Form4->Handle) {}
    EXPECT_EQ(above, Form4->Handle);
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

// A settings file that is there but holds nothing readable (emptied, damaged) is kept aside,
// without replacing an earlier copy, before the first-run settings go into it; the user is told
// where. A data folder it still names stays the data folder.
TEST_F(MainWindow, FirstRunKeepsAnUnreadableSettingsFileAside) {
    const std::string copy = ini + ".broken-20240501-100000", schedule = tk::ExeDir() + "\\Schedule";
    const std::string rows[][3] = {{"", copy, schedule},
                                   {std::string("\x8c\0\xff\\ x\r\n=\x01", 10), copy + "-2", schedule},
                                   {"[Ho\xff\xff\xffy]\r\nSet=1\r\n[Calendar]\r\nDirectory=" + dir + "\r\n", copy + "-3", dir},
                                   {"[Ho\xff\xff\xffy]\r\n[Calendar]\r\nDirectory=" + dir + "\\gone\r\n", copy + "-4", schedule},
                                   {"[Form]\r\nOpen=1\r\n", copy + "-5", schedule}};
    for (const auto& [broken, kept, data] : rows) {
        ASSERT_TRUE(tk::WriteFileBytes(ini, broken));
        boxes.clear();
        Start();
        EXPECT_TRUE(tk::FileExists(kept) && Bytes(kept) == broken) << kept;
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(kept), std::string::npos) << boxes[0];
        EXPECT_EQ(settings::Open().ReadInteger("Horiday", "Set", 0), 1);
        EXPECT_EQ(settings::DataDir(), data);
        Form1->Destroy();
    }
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
    Form1->SetBounds(40, 30, Form1->Width(), Form1->Height());
    Form1->SavePositon1->Click();
    Form1->SetBounds(200, 100, Form1->Width(), Form1->Height());
    Form1->Load1->Click();  // back where it was stored
    EXPECT_EQ(Form1->Left(), 40);
    EXPECT_EQ(Form1->Top(), 30);
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
    EXPECT_EQ(Form1->Gauge1.Progress(), 15);
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

TEST_F(MainWindow, AnActivationChangeAfterTheWindowIsGoneReachesNoFreedForm) {
    UseDataDir();
    Start();
    Form1->Destroy();
    EXPECT_FALSE(tk::Application.OnActivate);
    EXPECT_FALSE(tk::Application.OnDeactivate);
    SendMessageA(tk::Application.Handle, WM_ACTIVATEAPP, FALSE, 0);
}

TEST_F(MainWindow, TaskBarOnlyTrayModesShowTheWindowAnyway) {
    UseDataDir();
    settings::Open().WriteInteger("Form", "Tray_icon", 1);
    settings::Open().WriteInteger("Form", "Visible", 0);
    Start();
    EXPECT_TRUE(Form1->Visible());
    EXPECT_TRUE(settings::Open().ReadBool("Form", "Visible", false));
}

// With the task-bar button the minimise button takes the window down with the program's button:
// one click on it brings the window back, one while it is in front takes it down, as does 表示.
TEST_F(MainWindow, TheTaskBarButtonBringsTheMinimisedWindowBack) {
    UseDataDir();
    settings::Open().WriteInteger("Form", "Tray_icon", 2);
    Start();
    HWND bar = FindWindowA("Shell_TrayWnd", nullptr), button;  // the program's has its window for id
    RECT r;
    ASSERT_TRUE(wintest::PumpUntil([&] {
        return GetWindowRect(button = GetDlgItem(bar, (INT_PTR)tk::Application.Handle), &r) && r.right > r.left;
    }));
    SendMessageA(Form1->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // as its caption button sends it
    for (int down : {0, 1}) {
        // Apart, or two clicks make a double click, which the button ignores.
        wintest::Click(button, {(r.left + r.right) / 2 + 10 * down, (r.top + r.bottom) / 2});
        EXPECT_TRUE(wintest::PumpUntil([&] { return Form1->Minimized() == down && Form1->Visible() != down; }));
    }
    Form1->PopupMenu1Popup();
    EXPECT_EQ(Form1->False1->Caption(), "表示");
    Form1->False1->Click();
    EXPECT_TRUE(Form1->Visible() && !Form1->Minimized());
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
    Go(2024, 1, 31);
    Form1->BitBtn4Click();
    EXPECT_EQ(shown(), "2024/2/1");
    Go(2024, 3, 1);
    Form1->BitBtn3Click();
    EXPECT_EQ(shown(), "2024/2/29");
    Go(2024, 1, 1);
    Form1->BitBtn3Click();
    EXPECT_EQ(shown(), "2023/12/31");
    clock = EncodeDate(2024, 2, 29) + 0.5;
    Go(2024, 1, 31);
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

TEST_F(MainWindow, AboutGlyphButtonWarnsThreeTimesThreeThenEndsTheProgram) {
    UseDataDir();
    Start();
    Form1->About1Click();
    EXPECT_EQ(Form1->PanelButton1.Hint, "押しちゃダメなボタンだよ");
    const char* const said[][2] = {{"押すなってばぁ!! もう｡", "↓の言う事は聞こうね｡"},
                                   {"結構しつこいねぇ..｡", "↓の事は無視かい？"},
                                   {"次はもう知らないよ..", "↑警告だぁ｡(^^;)"}};
    MSG quit;
    for (int n = 0; n < 9; ++n) {
        SendMessageA(Form1->PanelButton1.Handle, BM_CLICK, 0, 0);
        EXPECT_EQ(Form1->Label11.Caption(), said[n / 3][0]) << n;
        EXPECT_EQ(Form1->Label12.Caption(), said[n / 3][1]) << n;
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << n;
    }
    SendMessageA(Form1->PanelButton1.Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the main window closed
}

TEST_F(MainWindow, ClosingEndsTheTrayIconsAndTheirAnimationBeforeTheProgramEnds) {
    std::mutex m;
    std::map<UINT, DWORD> last;  // icon id: its last operation
    TTrayIcon::SetNotifyHookForTest([&](DWORD op, const NOTIFYICONDATAA& d) {
        std::lock_guard<std::mutex> hold(m);
        last[d.uID] = op;
        return TRUE;
    });
    UseDataDir();
    Start();  // tray icons only, the memo icon animating
    bool animating = Form32 && Form32->TrayIcon2.Animating();
    const UINT ids[] = {Form32 ? (UINT)Form32->TrayIcon1.Id() : 0, Form32 ? (UINT)Form32->TrayIcon2.Id() : 0};
    Form1->Close();
    Sleep(350);  // a frame of an animation still running would come meanwhile
    TTrayIcon::SetNotifyHookForTest({});
    EXPECT_TRUE(animating);
    EXPECT_EQ(Form32, nullptr);
    for (UINT id : ids) EXPECT_EQ(last[id], (DWORD)NIM_DELETE) << id;
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace

namespace {

// The calendar page of the main window: the grid's lists of the shown month, the day view of the
// selected day and the quick view.
class DayView : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        // Each test starts from an empty data folder (the folder outlives a run).
        tk::TSearchRec r;
        for (int rc = tk::FindFirst(dir + "\\*", tk::faAnyFile & ~tk::faDirectory, r); rc == 0; rc = tk::FindNext(r))
            if (r.Name != "orbal98.ini") DeleteFileA((dir + "\\" + r.Name).c_str());
        tk::FindClose(r);
    }
    // A file as the editors write it: the rich edit's own RTF.
    void Entry(const std::string& name, const std::string& text) {
        tk::RichEdit w;
        w.Create(Form1->TabSheet4, {.visible = false});
        w.SetCaption(text);
        w.SaveToFile(dir + "\\" + name);
        tk::FolderIndex::For(dir).Invalidate();
    }
    std::vector<std::string> Lines() { return Form1->RichEdit1.Lines.List().Strings; }
    tk::TColor TextColour() {
        Form1->RichEdit1.Select(0, 1);
        tk::TColor c = Form1->RichEdit1.SelAttributes.Color();
        Form1->RichEdit1.SetSelStart(0);
        return c;
    }
    void StartOnSchedulePage() {
        UseDataDir();
        for (auto& [k, v] : DefaultHolidays()) settings::Open().WriteString("Horiday", k, v);
        settings::Open().WriteInteger("Form", "ActiveP", 3);
        Start();
    }
};

TEST_F(DayView, LinesOfTheDayInOrder) {
    clock = EncodeDate(2000, 2, 29) + EncodeTime(9, 0, 0, 0);
    settings::Open().WriteInteger("Form", "Qreki", 1);
    StartOnSchedulePage();
    Entry("BORN0229.64", "山田 太郎（うるう年生まれ）");
    Entry("____0229.00", "健康診断\r\n9時に受付");
    tk::WriteFileBytes(dir + "\\________.TUE", "毎週火曜：ゴミ出し");  // plain text is read as it is
    Form1->CalendarEx1Change();
    std::string qreki = "【" + Rokuyo(RokuyoDayCount(2000, 2, 29)) + "】";
    EXPECT_EQ(Lines(), (std::vector<std::string>{qreki, "【36歳の誕生日】1964/02/29 (土)", "山田 太郎（うるう年生まれ）",
                                                 "健康診断", "9時に受付", "毎週火曜：ゴミ出し"}));
    EXPECT_EQ(Form1->CalendarEx1.Tag, 0);
    EXPECT_EQ(Form1->Panel6.Caption(), "2000/02/29 (火)");
    EXPECT_EQ(Form1->Panel7.Caption(), "2000");
    EXPECT_EQ(Form1->Panel8.Caption(), "2");
    // A holiday: its line after the old calendar, the flag, the holiday colour on both panels.
    Go(2000, 3, 20);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"【" + Rokuyo(RokuyoDayCount(2000, 3, 20)) + "】", "【春分の日】"}));
    EXPECT_EQ(Form1->CalendarEx1.Tag, 1);
    EXPECT_EQ(Form1->Panel8.Color, Form1->CalendarEx1.HolidayColor());
    // Without the old calendar, and a day with nothing: no line at all.
    settings::Open().WriteInteger("Form", "Qreki", 0);
    Go(2000, 3, 22);
    EXPECT_EQ(Lines(), std::vector<std::string>{});
    // A file that went away since the folder was read shows nothing, and nothing fails.
    DeleteFileA((dir + "\\________.TUE").c_str());
    Go(2000, 2, 29);
    EXPECT_EQ(Lines().back(), "9時に受付");
}

TEST_F(DayView, CaptionsAndColoursFollowTheDay) {
    clock = EncodeDate(2024, 5, 15) + EncodeTime(9, 0, 0, 0);  // a Wednesday
    auto f = settings::Open();
    f.WriteInteger("To_do", "TodayColor", 0x0000FF);
    f.WriteInteger("To_do", "TodayBackColor", 0xE0FFFF);
    f.WriteInteger("To_do", "PastColor", 0x00FF00);
    f.WriteInteger("To_do", "PastBackColor", 0x303030);
    f.WriteInteger("To_do", "FutureColor", 0xFF0000);
    f.WriteInteger("To_do", "FutureBackColor", 0xFFFFE0);
    StartOnSchedulePage();
    Entry("____0520.24", "歯医者");
    struct Case {
        int d;
        const char* days;
        tk::TColor text, back, panel;
        bool todayButtons;
    };
    TCalendarEx& cal = Form1->CalendarEx1;
    Form1->FormActivate();  // the new entry's mark
    const Case cases[] = {
        {15, "0", 0x0000FF, 0xE0FFFF, cal.WeekdayColor(), false},
        {14, "-1", 0x00FF00, 0x303030, cal.WeekdayColor(), true},
        {18, "3", 0xFF0000, 0xFFFFE0, cal.SaturdayColor(), true},
        {19, "4", 0xFF0000, 0xFFFFE0, cal.SundayColor(), true},
        {3, "-12", 0x00FF00, 0x303030, cal.HolidayColor(), true},   // a holiday
        {20, "5", 0xFF0000, 0xFFFFE0, cal.SpecialDayColor(), true},  // a marked day
    };
    for (const Case& c : cases) {
        Go(2024, 5, c.d);
        if (c.d == 15) Form1->CalendarEx1Change();  // already selected
        EXPECT_EQ(Form1->Label9.Caption(), c.days) << c.d;
        EXPECT_EQ(Form1->RichEdit1.Color, c.back) << c.d;
        if (Form1->RichEdit1.GetTextLen() > 0) {
            EXPECT_EQ(TextColour(), c.text) << c.d;
        }
        EXPECT_EQ(Form1->Panel6.Color, c.panel) << c.d;
        EXPECT_EQ(Form1->Panel8.Color, c.panel) << c.d;
        EXPECT_EQ(Form1->Panel6.Font.Color, tk::clWindow) << c.d;
        for (tk::BitBtn* b : {&Form1->BitBtn7, &Form1->BitBtn8, &Form1->BitBtn22})
            EXPECT_EQ(b->Enabled(), c.todayButtons) << c.d;
    }
    // The margins of the day text (the sunken edge moves them out by its border, evenly).
    RECT fr = Form1->RichEdit1.FormatRect(), cr = Form1->RichEdit1.ClientRect();
    EXPECT_EQ(cr.right - fr.right, fr.left);
    EXPECT_GE(fr.left, 5);
}

TEST_F(DayView, TextIsBuiltOnlyWhereItCanBeSeen) {
    clock = EncodeDate(2024, 5, 1) + EncodeTime(9, 0, 0, 0);
    UseDataDir();
    for (auto& [k, v] : DefaultHolidays()) settings::Open().WriteString("Horiday", k, v);
    Start();  // the clock page
    Entry("____0503.__", "毎年の予定");
    Go(2024, 5, 3);
    EXPECT_EQ(Form1->RichEdit1.GetTextLen(), 0);
    EXPECT_EQ(Form1->CalendarEx1.Tag, 1);  // the holiday flag all the same
    EXPECT_EQ(Form1->Panel6.Caption(), "2024/05/03 (金)");
    Form1->PageControl1.SetActivePageIndex(3);
    Form1->PageControl1Change();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"【憲法記念日】", "毎年の予定"}));
    // With the quick view in use the text is built on every page.
    Form1->PageControl1.SetActivePageIndex(1);
    settings::Open().WriteInteger("CalendarEx", "PopView", 1);
    Go(2024, 5, 4);
    EXPECT_EQ(Lines(), std::vector<std::string>{"【国民の休日】"});
}

TEST_F(DayView, MonthListsForTheGrid) {
    clock = EncodeDate(2024, 9, 1) + EncodeTime(9, 0, 0, 0);
    UseDataDir();
    for (auto& [k, v] : DefaultHolidays()) settings::Open().WriteString("Horiday", k, v);
    Start();
    Entry("BORN0905.71", "誕生日");
    Form1->FormActivate();
    TCalendarEx& cal = Form1->CalendarEx1;
    // The equinox first, then the table's days; the grid names the equinox and the substitute.
    EXPECT_EQ(cal.TypeOfDayList().Strings, (std::vector<std::string>{"9,22", "9,15"}));
    EXPECT_EQ(cal.SpecialDayList().Strings, std::vector<std::string>{"9,5"});
    EXPECT_EQ(cal.TypeOfDayTextOf(2024, 9, 15), "");  // the list carries no names
    EXPECT_EQ(cal.TypeOfDayTextOf(2024, 9, 16), "振替休日");
    EXPECT_EQ(cal.TypeOfDayTextOf(2024, 9, 23), "振替休日");
    EXPECT_EQ(cal.TypeOfDayTextOf(2024, 9, 22), "秋分の日");
    // Another month gets its own lists; second Mondays in place of the table's 15th.
    Go(2025, 1, 20);
    EXPECT_EQ(cal.TypeOfDayList().Strings, (std::vector<std::string>{"1,1", "1,13"}));
    EXPECT_TRUE(cal.SpecialDayList().Strings.empty());
    Go(1999, 1, 20);
    EXPECT_EQ(cal.TypeOfDayList().Strings, (std::vector<std::string>{"1,1", "1,15"}));
    // A save elsewhere shows at the next activation; each setting is read then.
    Go(2024, 9, 1);
    Entry("________.SUN", "毎週");
    SendMessageA(Form1->Handle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(cal.SpecialDayList().Strings, (std::vector<std::string>{"9,1", "9,5", "9,8", "9,15", "9,22", "9,29"}));
    settings::Open().WriteInteger("CalendarEx", "CanCol_Week", 1);
    Form1->FormActivate();
    EXPECT_EQ(cal.SpecialDayList().Strings, std::vector<std::string>{"9,5"});
    settings::Open().WriteInteger("CalendarEx", "CanCol_All", 1);
    Form1->FormActivate();
    EXPECT_TRUE(cal.SpecialDayList().Strings.empty());
    EXPECT_EQ(cal.TypeOfDayList().Count(), 2);
}

TEST_F(DayView, QuickViewAfterAClickInTheGrid) {
    clock = EncodeDate(2024, 5, 1) + EncodeTime(9, 0, 0, 0);
    settings::Open().WriteInteger("CalendarEx", "PopView", 1);
    UseDataDir();
    Start();
    Form1->PageControl1.SetActivePageIndex(1);
    Entry("____0507.24", "会議");
    Go(2024, 5, 7);
    EXPECT_EQ(Form24, nullptr);  // only a click opens it
    // A click on the 7th, where the mouse is.
    TCalendarEx& cal = Form1->CalendarEx1;
    RECT rc = cal.CellRect(cal.Col(), cal.Row());
    POINT at = cal.ClientToScreen({rc.left + 3, rc.top + 3}), before{};
    GetCursorPos(&before);
    SetCursorPos(at.x, at.y);
    SendMessageA(cal.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 3, rc.top + 3));
    ASSERT_NE(Form24, nullptr);
    EXPECT_EQ(Form1->TabSheet2.Tag, 2);
    EXPECT_EQ(Form24->Caption(), "2024/05/07 (火)　6日後");
    EXPECT_EQ(Form24->RichEdit1.Text(), Form1->RichEdit1.Text());
    EXPECT_EQ(Form24->RichEdit1.Text(), "会議\r\n");
    EXPECT_EQ(Form24->RichEdit1.Color, Form1->RichEdit1.Color);
    EXPECT_EQ(Form24->RichEdit1.SelStart(), 0);
    // Beside the cursor as the program read it: Wine may echo the move back late, to where the
    // cursor was before (see RestCursor), so either place is the cursor's.
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    auto besides = [&](POINT c) {
        return Form24->Left() == std::min<int>(c.x + 20, sw - Form24->Width()) &&
               Form24->Top() == std::min<int>(c.y + 20, sh - Form24->Height());
    };
    EXPECT_TRUE(besides(at) || besides(before)) << Form24->Left() << "," << Form24->Top() << " cursor " << at.x
                                                << "," << at.y << " before " << before.x << "," << before.y;
    EXPECT_NE(std::find(cues.begin(), cues.end(), "pop"), cues.end());
    // Esc closes it; the state goes back to closed.
    Form24->FormKeyDown(VK_ESCAPE);
    wintest::Pump();
    EXPECT_EQ(Form24, nullptr);
    EXPECT_EQ(Form1->TabSheet2.Tag, 0);
    // A past day counts back; today carries no count; the application going inactive closes it.
    for (auto [d, caption] : {std::pair{1, "2024/05/01 (水)"}, {2, "2024/05/02 (木)　1日後"}}) {
        Go(2024, 5, d);
        Form1->CalendarEx1Click();
        Form1->CalendarEx1Change();
        ASSERT_NE(Form24, nullptr);
        EXPECT_EQ(Form24->Caption(), caption);
        Form1->ApplicationDeactivate();
        wintest::Pump();
        EXPECT_EQ(Form24, nullptr);
    }
    clock = EncodeDate(2024, 5, 9);
    Form1->CalendarEx1Click();
    Form1->CalendarEx1Change();
    ASSERT_NE(Form24, nullptr);
    EXPECT_EQ(Form24->Caption(), "2024/05/02 (木)　7日前");
    Form24->Close();
    wintest::Pump();
    // Without the setting a click arms nothing.
    settings::Open().WriteInteger("CalendarEx", "PopView", 0);
    Form1->CalendarEx1Click();
    Form1->CalendarEx1Change();
    EXPECT_EQ(Form24, nullptr);
}

TEST_F(DayView, StepsStopAtTheEndsOfTheDateRange) {
    UseDataDir();
    Start();
    auto shown = [] { return Form1->Panel6.Caption(); };
    Go(9999, 12, 31);
    EXPECT_EQ(shown(), "9999/12/31 (金)");
    Form1->BitBtn4Click();
    Form1->BitBtn1Click();
    EXPECT_EQ(shown(), "9999/12/31 (金)");
    EXPECT_EQ(Form1->CalendarEx1.Year(), 9999);
    Go(1, 1, 1);
    EXPECT_EQ(shown(), "0001/01/01 (月)");
    Form1->BitBtn3Click();
    Form1->BitBtn2Click();
    EXPECT_EQ(shown(), "0001/01/01 (月)");
    EXPECT_EQ(Form1->CalendarEx1.Year(), 1);
    Form1->BitBtn4Click();
    EXPECT_EQ(shown(), "0001/01/02 (火)");
}

}  // namespace

namespace {

namespace ik = inikey;

TEST_F(MainWindow, OutOfRangeNumbersReadAsTheirDefaults) {
    // The second zone: an offset outside 0..23 hours or 0..59 minutes counts as none, so the
    // tick never computes with it (35791395 hours overflowed the minutes; 21856294 reached
    // before the year 1).
    struct Case {
        const char *hours, *minutes, *ahead, *panel;
    } cases[] = {
        {"35791395", "0", "1", "12/31(火) 15:36:59 [+ 0:00]"},
        {"21856294", "0", "0", "12/31(火) 15:36:59 [- 0:00]"},
        {"24", "0", "0", "12/31(火) 15:36:59 [- 0:00]"},
        {"-3", "0", "1", "12/31(火) 15:36:59 [+ 0:00]"},
        {"9", "75", "0", "12/31(火) 06:36:59 [- 9:00]"},
        {"9", "30", "1", "1/1(水) 01:06:59 [+ 9:30]"},
    };
    UseDataDir();
    clock = EncodeDate(2024, 12, 31) + EncodeTime(15, 36, 59, 0);
    auto f = settings::Open();
    f.WriteInteger(ik::Form::Section, ik::Form::CaptionTime, 1);
    f.WriteInteger(ik::Form::Section, ik::Form::CaptionJisa, 1);
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hours) + ":" + c.minutes);
        f.WriteString(ik::Form::Section, ik::Form::Jisa_H, c.hours);
        f.WriteString(ik::Form::Section, ik::Form::Jisa_M, c.minutes);
        f.WriteString(ik::Form::Section, ik::Form::Jisa, c.ahead);
        Form1->Timer1Timer(true);
        EXPECT_EQ(Form1->Caption(), "2024/12/31(火) 15:36:59");
        EXPECT_EQ(Form1->StatusBar1.Panels[0].Text(), c.panel);
    }
    Form1->Destroy();

    // The tick interval (1000..10000 ms; 0 would stop the clock) and the early-firing minutes.
    struct StartCase {
        const char *interval, *before;
        int expectedInterval;
        const char* firstMinute;
    } starts[] = {
        {"0", "100000", 1000, "1536"},  {"999", "-1", 1000, "1536"},   {"5000", "5", 5000, "1541"},
        {"10001", "60", 1000, "1536"}, {"abc", "59", 1000, "1635"},
    };
    for (const auto& c : starts) {
        SCOPED_TRACE(c.interval);
        f.WriteString(ik::Form::Section, ik::Form::Interval, c.interval);
        f.WriteString(ik::Calendar::Section, ik::Calendar::before, c.before);
        Start();
        EXPECT_EQ(Form1->Timer1.Interval(), c.expectedInterval);
        EXPECT_EQ(Form1->LastMinute, c.firstMinute);
        Form1->Destroy();
    }
}

TEST_F(MainWindow, ClockPageShowsBareDigitsAndPlainTimeBars) {
    UseDataDir();
    Start();
    struct Case {
        int h, n, s;
        const char *hh, *nn, *ss;
    } cases[] = {{15, 36, 59, "15", "36", "59"}, {9, 5, 7, "09", "05", "07"}, {0, 0, 0, "00", "00", "00"}};
    for (const Case& c : cases) {
        clock = EncodeDate(2024, 5, 1) + EncodeTime(c.h, c.n, c.s, 0);
        Form1->Timer1Timer(true);
        EXPECT_EQ(Form1->Label1.Caption(), c.hh);
        EXPECT_EQ(Form1->Label2.Caption(), c.nn);
        EXPECT_EQ(Form1->Label8.Caption(), c.ss);
        EXPECT_EQ(Form1->Gauge1.Progress(), c.h);
        EXPECT_EQ(Form1->Gauge2.Progress(), c.n);
        EXPECT_EQ(Form1->Gauge3.Progress(), c.s);
        EXPECT_EQ(Form1->Gauge1.ForeColor(), (tk::TColor)GaugeColour(c.h, true));
        EXPECT_EQ(Form1->Gauge2.ForeColor(), (tk::TColor)GaugeColour(c.n, false));
        EXPECT_EQ(Form1->Gauge3.ForeColor(), (tk::TColor)GaugeColour(c.s, false));
    }
    EXPECT_EQ(Form1->Gauge1.MaxValue(), 24);
    EXPECT_EQ(Form1->Gauge3.MaxValue(), 60);

    // The seconds bar is one unbroken run of its colour up to 59/60 of its inside.
    clock = EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 59, 0);
    Form1->Timer1Timer(true);
    tk::Gauge& g = Form1->Gauge3;
    tk::TBitmap bmp(g.Width(), g.Height());
    g.PaintTo(bmp.Canvas());
    const int inner = g.Width() - 2, filled = 59 * inner / 60, y = g.Height() / 2;
    for (int x = 1; x <= filled; ++x) ASSERT_EQ((COLORREF)bmp.Canvas().GetPixel(x, y), 0x0F00F0u) << x;
    EXPECT_EQ((COLORREF)bmp.Canvas().GetPixel(filled + 2, y), tk::ColorToRGB(tk::clWhite));
}

TEST_F(MainWindow, TimeBandsAreColumnsGrowingUpwardsAndTheSpansAreGradients) {
    UseDataDir();
    auto f = settings::Open();
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Title, "仕事");
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Stime, rtl::FloatToStr(EncodeTime(9, 0, 0, 0)));
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Etime, rtl::FloatToStr(EncodeTime(18, 0, 0, 0)));
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Title, "睡眠");
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Stime, rtl::FloatToStr(EncodeTime(23, 0, 0, 0)));
    f.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Etime, rtl::FloatToStr(EncodeTime(7, 0, 0, 0)));
    clock = EncodeDate(2024, 12, 31) + EncodeTime(13, 30, 0, 0);
    Start();
    Form1->Timer1Timer(true);
    TSGauge &work = Form1->SGauge4, &sleep = Form1->SGauge5;
    ASSERT_EQ(work.Position(), 50);
    ASSERT_EQ(sleep.Position(), 100);  // between the end and the next start

    const COLORREF window = tk::ColorToRGB(tk::clWindow);
    auto paint = [](TSGauge& g) {
        auto bmp = std::make_unique<tk::TBitmap>(g.Width(), g.Height());
        g.PaintTo(bmp->Canvas());
        return bmp;
    };
    for (TSGauge* g : {&work, &sleep}) {
        EXPECT_EQ(g->Parent, &Form1->Panel18);
        EXPECT_EQ(g->Style(), gsVertical);
        EXPECT_GT(g->Height(), 3 * g->Width());
        EXPECT_LE(g->Top() + g->Height(), Form1->Panel18.ClientHeight());
    }
    EXPECT_GE(sleep.Left(), work.Left() + work.Width());  // side by side
    // Half the band: the lower cells are filled and the upper ones empty.
    auto half = paint(work);
    const int x = work.Width() / 2, H = work.Height();
    EXPECT_NE((COLORREF)half->Canvas().GetPixel(x, H - 8), window);
    EXPECT_EQ((COLORREF)half->Canvas().GetPixel(x, 8), window);
    // A full band runs from the start colour at the bottom to the end colour at the top.
    auto full = paint(sleep);
    COLORREF bottom = full->Canvas().GetPixel(x, H - 8), top = full->Canvas().GetPixel(x, 8);
    EXPECT_GT(GetGValue(bottom), 200);  // yellow
    EXPECT_LT(GetGValue(top), 80);      // red
    EXPECT_EQ(GetRValue(top), 255);

    // Year (full on 31 December), month and goal gauges are gradients in the default colours.
    for (TSGauge* g : {&Form1->SGauge2, &Form1->SGauge3, &Form1->SGauge1, &work, &sleep}) {
        EXPECT_EQ(g->Kind(), gkColor);
        EXPECT_EQ(g->StartColor(), (tk::TColor)0x00FFFF);
        EXPECT_EQ(g->EndColor(), (tk::TColor)0x0000FF);
    }
    auto year = paint(Form1->SGauge2);
    const int W = Form1->SGauge2.Width(), y = Form1->SGauge2.Height() / 2;
    COLORREF left = year->Canvas().GetPixel(4, y), right = year->Canvas().GetPixel(W - 8, y);
    EXPECT_GT(GetGValue(left), 230);
    EXPECT_LT(GetGValue(right), 30);
}

}  // namespace
