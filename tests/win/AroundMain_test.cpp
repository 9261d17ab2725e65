// The windows around the main window: mini clock, tool window, tray host, quick view buttons, and
// the biorhythm chart, driven in-process.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>

#include "controls/TrayIcon.h"
#include "mainwindow/Main.h"
#include "mainwindow/PopView.h"
#include "mainwindow/ToolWindow.h"
#include "mainwindow/WindowTools.h"
#include "mainwindow/miniclck.h"
#include "mainwindow/tray_icon.h"
#include "notes/NikiList.h"
#include "notes/Nikki.h"
#include "schedule/data.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class Around : public wintest::WindowTest {
protected:
    std::vector<tk::ShellCall> launches;
    bool shellAnswer = true;
    std::vector<HWND> drags;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-around-");
        settings::SetIniPathForTest(dir + "\\orbal98.ini");
        Ini().WriteInteger("Form", "Open", 1);
        Ini().WriteInteger("Horiday", "Set", 1);
        Ini().WriteString("Calendar", "Directory", dir);
        FixClock(EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0));
        answer = IDOK;
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c);
            return shellAnswer;
        });
        SetWindowDragHookForTest([this](HWND h) { drags.push_back(h); });
        TTrayIcon::SetNotifyHookForTest([](DWORD, const NOTIFYICONDATAA&) { return TRUE; });
    }
    void TearDown() override {
        if (Form1) Form1->Destroy();
        wintest::Pump();
        TTrayIcon::SetNotifyHookForTest({});
        SetWindowDragHookForTest({});
        tk::SetShellLaunchHookForTest(nullptr);
        tk::Application.SetTaskButton(true);
    }
    static tk::TIniFile Ini() { return settings::Open(); }
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    // Runs the queue; true when the program was asked to end.
    static bool EndRequested() {
        tk::Application.ProcessMessages();
        bool ended = tk::Application.Terminated;
        tk::Application.Terminated = false;
        return ended;
    }
    static bool Topmost(const tk::Form& f) { return (GetWindowLongA(f.Handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

// ---- mini clock ----

TEST_F(Around, MiniClockPositionIsKeptOnScreenAndWrittenWhenItGoes) {
    struct Case {
        int left, top, width, x, y;
    } cases[] = {
        {100, 200, 229, 100, 200},
        {-40, -3, 229, 0, 0},
        {sw + 50, sh + 50, 229, sw - 229, sh - 15},
        {sw - 100, 10, 400, sw - 400, 10},  // a wider strip than the one placed at creation
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " width " << c.width);
        Ini().WriteInteger("Mini", "left", c.left);
        Ini().WriteInteger("Mini", "top", c.top);
        Ini().WriteInteger("Mini", "Width", c.width);
        Form1->miniClock1Click();
        ASSERT_NE(Form27, nullptr);
        EXPECT_EQ(Form27->Left(), c.x);
        EXPECT_EQ(Form27->Top(), c.y);
        EXPECT_EQ(Form27->Width(), c.width);
        Form1->miniClock1Click();
        wintest::Pump();
        EXPECT_EQ(Form27, nullptr);
        EXPECT_EQ(Ini().ReadInteger("Mini", "left", -1), c.x);
        EXPECT_EQ(Ini().ReadInteger("Mini", "top", -1), c.y);
    }
}

TEST_F(Around, MiniClockShapesFollowTheStoredStyle) {
    struct Case {
        const char* style;
        int corner;
        bool atCorner, nearTop, middle;
    } cases[] = {
        {"0", 15, false, true, true},   // rounded
        {"1", 15, false, false, true},  // ellipse
        {"2", 15, true, true, true},    // rectangle
        {"0", 0, true, true, true},     // rounded without a corner is a rectangle
        {"7", 15, false, true, true},   // unknown: the default, rounded
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Ini().WriteString("Mini", "style", c.style);
        Ini().WriteInteger("Mini", "RgnWidth", c.corner);
        Ini().WriteInteger("Mini", "RgnHeight", c.corner);
        Form1->miniClock1Click();
        ASSERT_NE(Form27, nullptr);
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(Form27->Handle, r), ERROR);
        EXPECT_EQ(PtInRegion(r, 1, 1) != 0, c.atCorner);
        EXPECT_EQ(PtInRegion(r, 10, 1) != 0, c.nearTop);
        EXPECT_EQ(PtInRegion(r, 114, 7) != 0, c.middle);
        DeleteObject(r);
        Form1->miniClock1Click();
        wintest::Pump();
    }
}

TEST_F(Around, MiniClockPanelsTakeTheirKeysAndNegativeWidthsShowAsNone) {
    auto ini = Ini();
    ini.WriteInteger("Mini", "Dsize", 150);
    ini.WriteInteger("Mini", "Tsize", 100);
    ini.WriteInteger("Mini", "Rsize", 229 - 250);  // what the settings page stores for this total
    ini.WriteInteger("Mini", "DBcolor", tk::clNavy);
    ini.WriteInteger("Mini", "DFcolor", tk::clYellow);
    ini.WriteInteger("Mini", "FontSize", 11);
    ini.WriteString("Mini", "DFont", "ＭＳ ゴシック");
    ini.WriteInteger("Mini", "Dbold", 1);
    ini.WriteInteger("Mini", "TItalic", 1);
    Start();
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    struct Case {
        tk::Panel& panel;
        int width;
        tk::TColor back, fore;
        int size;
        const char* face;
        int style;
    } cases[] = {
        {Form27->Panel3, 150, tk::clNavy, tk::clYellow, 11, "ＭＳ ゴシック", tk::fsBold},
        {Form27->Panel2, 100, tk::clBlack, tk::clInfoBk, 9, "ＭＳ Ｐゴシック", tk::fsItalic},
        {Form27->Panel1, 0, tk::clBlack, tk::clInfoBk, 9, "ＭＳ Ｐゴシック", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(c.panel.Width(), c.width);
        EXPECT_EQ(c.panel.Color, c.back);
        EXPECT_EQ(c.panel.Font.Color, c.fore);
        EXPECT_EQ(c.panel.Font.Size, c.size);
        EXPECT_EQ(c.panel.Font.Name, c.face);
        EXPECT_EQ(c.panel.Font.Style, c.style);
    }
    EXPECT_EQ(Form27->Panel3.GetPopupMenu(), &Form1->PopupMenu1);
    EXPECT_EQ(Form27->Panel2.GetPopupMenu(), &Form1->PopupMenu4);
    EXPECT_EQ(Form27->Panel1.GetPopupMenu(), &Form1->PopupMenu2);
}

TEST_F(Around, MiniClockPartsWithoutStoredWidthsFitTheirTextsInsideTheShape) {
    const struct { int style, fontSizeT, tsize; } cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 12, 0}, {1, 0, 40}};
    Start();
    for (const auto& c : cases) {  // a font size or width of 0 is not stored
        SCOPED_TRACE(testing::Message() << "style " << c.style << " FontSizeT " << c.fontSizeT << " Tsize " << c.tsize);
        Ini().EraseSection("Mini");
        Ini().WriteInteger("Mini", "style", c.style);
        if (c.fontSizeT) Ini().WriteInteger("Mini", "FontSizeT", c.fontSizeT);
        if (c.tsize) Ini().WriteInteger("Mini", "Tsize", c.tsize);
        Form1->miniClock1Click();
        ASSERT_NE(Form27, nullptr);
        Form1->Timer1Timer(false);
        int need[3];
        for (int i = 0; i < 3; ++i) {
            tk::TCanvas cv(tk::MeasureDC());
            cv.Font = Form27->Part(i).EffectiveFont();
            need[i] = cv.TextWidth(Form27->Part(i).Caption());
            if (i == 1 && c.tsize) EXPECT_EQ(Form27->Part(i).Width(), c.tsize);  // as the user set it
            else EXPECT_GE(Form27->Part(i).Width(), need[i]) << i;
        }
        // The date leans right, the resources left: their outer ends stay inside the shape.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(Form27->Handle, shape);
        for (int x : {Form27->Panel3.Width() - need[0], Form27->Panel1.Left() + need[2] - 1})
            for (int y : {3, Form27->Height() - 4}) EXPECT_TRUE(PtInRegion(shape, x, y)) << x << "," << y;
        DeleteObject(shape);
        Form1->miniClock1Click();
    }
}

TEST_F(Around, MiniClockDragsUnlessMoveIsSet) {
    Start();
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    for (bool fixed : {false, true}) {
        SCOPED_TRACE(fixed);
        Ini().WriteBool("Mini", "Move", fixed);
        drags.clear();
        for (tk::Panel* p : {&Form27->Panel3, &Form27->Panel2, &Form27->Panel1})
            SendMessageA(p->Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(Form27->Panel2.Handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        EXPECT_EQ(drags.size(), fixed ? 0u : 3u);
        for (HWND h : drags) EXPECT_EQ(h, Form27->Handle);
    }
}

TEST_F(Around, UserCloseOfTheMiniClockEndsTheProgramTheMenuSwitchDoesNot) {
    Start();
    ASSERT_EQ(tk::Application.MainForm, Form1);
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    EXPECT_TRUE(Form1->miniClock1->Checked());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Ini().ReadInteger("Mini", "exec", 0), 1);
    EXPECT_EQ(Ini().ReadInteger("Form", "Visible", 1), 0);

    Form1->miniClock1Click();  // the menu switch back
    EXPECT_FALSE(EndRequested());
    EXPECT_EQ(Form27, nullptr);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Form1->miniClock1->Checked());
    EXPECT_EQ(Ini().ReadInteger("Mini", "exec", 1), 0);
    EXPECT_EQ(Ini().ReadInteger("Form", "Visible", 0), 1);
    EXPECT_NE(std::find(cues.begin(), cues.end(), "ope"), cues.end());

    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    SendMessageA(Form27->Handle, WM_CLOSE, 0, 0);  // Alt+F4 on the strip
    EXPECT_TRUE(EndRequested());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Ini().ReadInteger("Mini", "exec", 0), 1);  // the next start opens the strip again
}

// However the program is ended, 中止 at a save that failed keeps it running as it was, the window
// it was ended from included.
TEST_F(Around, AbortAtTheEndKeepsTheProgramWhicheverWayItWasEnded) {
    Start();
    Form1->Show();
    tk::Form pending({.caption = "保存待ち", .left = 10, .top = 400, .width = 200, .height = 100});
    pending.OnSave = [] { return std::string("書き込めません。"); };
    pending.Show();
    auto click = [](tk::MenuItem* TForm1::*item) { return [item] { (Form1->*item)->Click(); }; };
    const struct {
        const char* way;
        bool mini;
        std::function<void()> end;
    } ways[] = {
        {"main window's close button", false, [] { wintest::Click(Form1->Handle, wintest::CloseButton(Form1->Handle)); }},
        {"終了 of the main menu", false, click(&TForm1::KLumet2)},
        {"終了 of the tray menu", false, click(&TForm1::Close2)},
        {"終了 of the mini clock's menu", true, click(&TForm1::KLumet2)},
        {"Alt+F4 on the mini clock", true, [] {
             SetForegroundWindow(Form27->Handle);
             wintest::PumpUntil([] { return GetForegroundWindow() == Form27->Handle; });
             wintest::PressKey(VK_F4, VK_MENU);
         }},
        {"session end", false, [] { EXPECT_FALSE(SendMessageA(tk::Application.Handle, WM_QUERYENDSESSION, 0, 0)); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        if (w.mini != (Form27 != nullptr)) Form1->miniClock1Click();
        boxes.clear();
        answer = IDABORT;
        w.end();
        wintest::PumpUntil([&] { return !boxes.empty(); });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("保存待ち"), std::string::npos);
        EXPECT_FALSE(EndRequested());
        EXPECT_TRUE(IsOpen(&pending));
        EXPECT_EQ(Form27 != nullptr, w.mini);
        EXPECT_EQ(Form1->Visible(), !w.mini);
        EXPECT_EQ(Ini().ReadInteger("Mini", "exec", 0) == 1, w.mini);
        EXPECT_TRUE(!Form27 || Form27->Visible());
    }
    pending.OnSave = nullptr;
}

// Each window that writes its place as it goes closes by its own close button while another
// program holds the settings file, with no box; the end names the places it could not keep.
TEST_F(Around, WindowsCloseByTheirButtonWhileTheSettingsFileIsHeld) {
    namespace ik = inikey;
    Start();
    Form1->Show();
    auto menu = [](tk::MenuItem* TForm1::*item) { return [item] { (Form1->*item)->Click(); }; };
    const struct {
        std::function<void()> open;
        const char* section;
    } rows[] = {{menu(&TForm1::List2), ik::Nikki::Section},         {[] { Form12->BitBtn1Click(); }, ik::Nikki::Section},
                {[] { OpenDiary((int)rtl::Date(), false); }, ik::Nikki::Section}, {menu(&TForm1::Data2), ik::Data::Section},
                {menu(&TForm1::MemoTree1), ik::Memo_Tree::Section}, {menu(&TForm1::List1), ik::Sch_List::Section},
                {menu(&TForm1::ToolWindow), ik::ToolWindow::Section}, {menu(&TForm1::Jump1), ik::Jump::Section},
                {menu(&TForm1::GTimer1), ik::Gtimer::Section},      {menu(&TForm1::BirthDay1), ik::Birthday::Section},
                {menu(&TForm1::DayCalc1), ik::DayCalc::Section},    {menu(&TForm1::todo2), ik::TodoBoard::Section},
                {menu(&TForm1::Telephone1), ik::TelePhone::Section}, {menu(&TForm1::Association1), ik::Ext_Form::Section},
                {menu(&TForm1::Todo1), ik::To_do::Section},         {menu(&TForm1::Popup1), ik::Sch_wind::Section}};
    std::vector<tk::Form*> opened;
    for (const auto& r : rows) {
        std::vector<tk::Form*> before = tk::Application.Forms;
        r.open();
        for (tk::Form* f : tk::Application.Forms)
            if (std::find(before.begin(), before.end(), f) == before.end() && f->Visible()) opened.push_back(f);
        ASSERT_EQ(opened.size(), size_t(&r - rows + 1)) << r.section;
    }
    boxes.clear();
    auto held = wintest::HeldByAnotherProgram(settings::IniPath());
    for (auto it = opened.rbegin(); it != opened.rend(); ++it) {  // the diary search before its list
        tk::Form* f = *it;
        SCOPED_TRACE(f->Caption());
        HWND h = f->Handle;
        f->BringForward();
        // The borderless tool window closes by its own glyph button.
        HWND target = f == Form5 ? Form5->BitBtn14.Handle : h;
        RECT r;
        GetWindowRect(target, &r);
        POINT button = f == Form5 ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2} : wintest::CloseButton(h);
        ASSERT_GE(button.x, 0);
        wintest::Click(target, button);
        EXPECT_TRUE(wintest::PumpUntil([&] { return !IsWindow(h) || !IsWindowVisible(h); }));
    }
    EXPECT_EQ(boxes.size(), 0u) << (boxes.empty() ? "" : boxes[0]);
    answer = IDIGNORE;
    EXPECT_TRUE(tk::Application.SaveWork(false));
    held.reset();
    ASSERT_FALSE(boxes.empty());
    for (const auto& r : rows) EXPECT_NE(boxes.back().find(std::string("[") + r.section + "]"), std::string::npos) << r.section;
}

TEST_F(Around, MiniClockSwitchesBackOnTheMouseOnlyWithChange) {
    Start();
    for (bool change : {false, true}) {
        SCOPED_TRACE(change);
        Ini().WriteBool("Mini", "Change", change);
        Form1->miniClock1Click();
        ASSERT_NE(Form27, nullptr);
        SendMessageA(Form27->Panel2.Handle, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        wintest::Pump();
        EXPECT_EQ(Form27 == nullptr, change);
        EXPECT_EQ(Form1->Visible(), change);
        if (Form27) Form1->miniClock1Click();
        wintest::Pump();
    }
    // Deactivation switches to the strip with Change, unless the switch is held off.
    Form1->miniClock1->Tag = 1;
    Form1->ApplicationDeactivate();
    EXPECT_EQ(Form27, nullptr);
    Form1->miniClock1->Tag = 0;
    Form1->ApplicationDeactivate();
    EXPECT_NE(Form27, nullptr);
    EXPECT_TRUE(Form1->miniClock1->Checked());
}

TEST_F(Around, TickWritesTheMiniClockAndKeepsItOnTopWhileInactive) {
    Start();
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    Form1->Show();
    Ini().WriteInteger("Mini", "StayOnTop", 1);
    Form1->minitokei.Tag = 1;  // active: left alone
    Form1->Timer1Timer(true);
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Form27->Panel3.Caption(), "2024/05/01(水)");
    EXPECT_EQ(Form27->Panel2.Caption(), "10:00:00");
    EXPECT_EQ(Form27->Panel1.Caption(), Form1->StatusBar1.Panels[1].Text());
    EXPECT_FALSE(Topmost(*Form27));
    Form1->minitokei.Tag = 0;
    Form1->Timer1Timer(true);
    EXPECT_TRUE(Topmost(*Form27));
}

TEST_F(Around, FilesDroppedOnTheMiniClockOpenAsOnTheMainWindow) {
    Ini().WriteString("Ext_Form", "Exec", "C:\\viewer.exe?/v");
    Start();
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    std::string list = std::string("C:\\メモ\\表.txt") + '\0' + '\0';
    HGLOBAL g = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* df = (DROPFILES*)GlobalLock(g);
    df->pFiles = sizeof(DROPFILES);
    memcpy((char*)df + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(g);
    PostMessageA(Form27->Handle, WM_DROPFILES, (WPARAM)g, 0);
    wintest::Pump();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].file, "C:\\viewer.exe");
    EXPECT_EQ(launches[0].parameters, "/v \"C:\\メモ\\表.txt\"");
}

// ---- tool window ----

class AroundTool : public Around {
protected:
    std::string shortcuts = TForm5::ShortcutDir();
    void SetUp() override {
        Around::SetUp();
        // Only what this test puts there (the folder sits beside the test program).
        tk::TSearchRec r;
        std::vector<std::string> stray;
        for (int rc = tk::FindFirst(shortcuts + "\\*.*", 0, r); rc == 0; rc = tk::FindNext(r)) stray.push_back(r.Name);
        tk::FindClose(r);
        for (const std::string& n : stray) DeleteFileA((shortcuts + "\\" + n).c_str());
        tk::ForceDirectories(shortcuts + "\\tools.lnk");  // a folder is no shortcut
        for (const char* n : {"calc.lnk", "calendar.url", "メモ帳.lnk", "zip.bat"})
            tk::WriteFileBytes(shortcuts + "\\" + n, "x");
    }
    void TearDown() override {
        Around::TearDown();
        for (const char* n : {"calc.lnk", "calendar.url", "メモ帳.lnk", "zip.bat"})
            DeleteFileA((shortcuts + "\\" + n).c_str());
        RemoveDirectoryA((shortcuts + "\\tools.lnk").c_str());
    }
    TForm5& Open() {
        Form1->ToolWindowClick();
        return *Form5;
    }
    static std::string Clipboard() {
        std::string s;
        if (!OpenClipboard(nullptr)) return "<no clipboard>";
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            s = (const char*)GlobalLock(h);
            GlobalUnlock(h);
        }
        CloseClipboard();
        return s;
    }
};

TEST_F(AroundTool, LaunchesShortcutsByNameAndCommandTexts) {
    Start();
    TForm5& t = Open();
    struct Case {
        const char* typed;
        std::string program, parameters, folder;
    } cases[] = {
        {"calc", shortcuts + "\\calc.lnk", "", shortcuts + "\\"},
        {"CALC", shortcuts + "\\calc.lnk", "", shortcuts + "\\"},
        {"メモ帳", shortcuts + "\\メモ帳.lnk", "", shortcuts + "\\"},
        {"c:\\tools\\app.exe?-x", "c:\\tools\\app.exe", "-x", "c:\\tools\\"},
        {"notepad", "notepad", "", ""},
        {"tools", "tools", "", ""},  // the folder named so is skipped
        {"ca*", "ca*", "", ""},      // no wildcard look-up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        launches.clear();
        cues.clear();
        t.ComboBox1.SetText(c.typed);
        t.BitBtn15Click();
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].verb, "OPEN");
        EXPECT_EQ(launches[0].file, c.program);
        EXPECT_EQ(launches[0].parameters, c.parameters);
        EXPECT_EQ(launches[0].directory, c.folder);
        EXPECT_EQ(launches[0].window, t.Handle);
        EXPECT_EQ(t.ComboBox1.Text(), "");
        EXPECT_EQ(cues, std::vector<std::string>{"ope"});
    }
    // Nothing typed: nothing runs. A refused launch keeps the text.
    launches.clear();
    t.BitBtn15Click();
    EXPECT_TRUE(launches.empty());
    shellAnswer = false;
    t.ComboBox1.SetText("calc");
    t.BitBtn15Click();
    EXPECT_EQ(launches.size(), 1u);
    EXPECT_EQ(t.ComboBox1.Text(), "calc");
}

TEST_F(AroundTool, LauncherBoxListsMatchingEntriesAndColoursAKnownName) {
    Start();
    TForm5& t = Open();
    struct Case {
        const char* typed;
        std::vector<std::string> items;
        tk::TColor colour;
        std::string hint;
    } cases[] = {
        {"", {"calc", "calendar", "zip", "メモ帳"}, tk::clWindow, "\".\"(ピリオド)でショートカット専用フォルダ"},
        {"cal", {"calc", "calendar"}, tk::clWindow, "cal"},
        {"Calc", {"calc"}, tk::clBtnFace, "Calc"},
        {"メモ帳", {"メモ帳"}, tk::clBtnFace, "メモ帳"},
        {"x", {}, tk::clWindow, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        t.ComboBox1.SetText(c.typed);
        t.ComboBox1KeyUp('A');
        std::vector<std::string> items;
        for (int i = 0; i < t.ComboBox1.Items.Count(); ++i) items.push_back(t.ComboBox1.Items[i]);
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(t.ComboBox1.Text(), c.typed);
        EXPECT_EQ(t.ComboBox1.Color, c.colour);
        EXPECT_EQ(t.ComboBox1.Hint, c.hint);
    }
}

TEST_F(AroundTool, DropsGoToTheClipboardJoinedBySeparateWithNamesUnderShift) {
    const std::vector<std::string> three = {"C:\\データ\\表.txt", "C:\\b.doc", "D:\\ソフト\\c"};
    struct Case {
        bool separate;
        int shift;
        const char* text;
    } cases[] = {
        {false, 0, "C:\\データ\\表.txt\r\nC:\\b.doc\r\nD:\\ソフト\\c\r\n"},
        {true, 0, "C:\\データ\\表.txt C:\\b.doc D:\\ソフト\\c"},
        {false, tk::ssShift, "表.txt\r\nb.doc\r\nc\r\n"},
        {true, tk::ssShift, "表.txt b.doc c"},
    };
    Start();
    TForm5& t = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Ini().WriteBool("ToolWindow", "Separate", c.separate);
        cues.clear();
        t.FormDropFiles(three, c.shift);
        EXPECT_EQ(Clipboard(), c.text);
        EXPECT_EQ(cues, std::vector<std::string>{"cop"});
    }
    t.FormDropFiles({"C:\\b.doc"}, 0);
    EXPECT_EQ(Clipboard(), "C:\\b.doc");
    EXPECT_TRUE(boxes.empty());
    // The menu switches the join.
    t.PopupMenu1Popup();
    t.K2Click();
    EXPECT_EQ(t.K2->Checked(), Ini().ReadBool("ToolWindow", "Separate", false));
}

TEST_F(AroundTool, OpensBelowTheMainWindowAndIsOnlyHiddenOnClose) {
    Start();
    Form1->SetBounds(100, 50, Form1->Width(), Form1->Height());
    TForm5& t = Open();
    EXPECT_TRUE(t.Visible());
    EXPECT_EQ(t.Left(), 100);
    EXPECT_EQ(t.Top(), 50 + Form1->Height());
    EXPECT_TRUE(Form1->ToolWindow->Checked());
    EXPECT_EQ(Form1->ToolWindow->Tag, 1);
    EXPECT_TRUE(Ini().ReadBool("ToolWindow", "Visible", false));
    EXPECT_EQ(t.BitBtn13.Enabled(), tk::FileExists(tk::ExeDir() + "\\help_html\\index.html"));
    // Commands follow their menu items.
    EXPECT_TRUE(t.BitBtn4.Enabled());
    EXPECT_TRUE(t.BitBtn11.Enabled());
    EXPECT_TRUE(t.BitBtn10.Enabled());
    // Kept on top by the tick while the program is inactive, and let go when switched off.
    Form1->minitokei.Tag = 0;
    t.PopupMenu1Popup();
    t.K1Click();
    Form1->Timer1Timer(true);
    EXPECT_TRUE(Topmost(t));
    t.K1Click();
    EXPECT_FALSE(Topmost(t));
    t.SetBounds(300, 200, t.Width(), t.Height());
    t.Close();
    wintest::Pump();
    ASSERT_EQ(Form5, &t);
    EXPECT_FALSE(t.Visible());
    EXPECT_EQ(Ini().ReadInteger("ToolWindow", "left", 0), 300);
    EXPECT_EQ(Ini().ReadInteger("ToolWindow", "top", 0), 200);
    EXPECT_FALSE(Ini().ReadBool("ToolWindow", "Visible", true));
    EXPECT_FALSE(Form1->ToolWindow->Checked());
    EXPECT_EQ(Form1->ToolWindow->Tag, 0);
    EXPECT_NE(std::find(cues.begin(), cues.end(), "clo"), cues.end());
    Open();
    EXPECT_EQ(t.Left(), 300);
    EXPECT_EQ(t.Top(), 200);
}

TEST_F(AroundTool, StartOpensTheToolWindowWhenAsked) {
    Ini().WriteBool("Form", "ToolWindow_pop", true);
    Start();
    ASSERT_NE(Form5, nullptr);
    EXPECT_TRUE(Form5->Visible());
}

// ---- tray host ----

TEST_F(Around, TrayAndTaskBarButtonForEveryTrayChoice) {
    struct Case {
        int tray;
        bool host, button;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, true}, {3, false, false}};
    for (const Case& c : cases) {
        for (bool still : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.tray << (still ? " still" : ""));
            Ini().WriteInteger("Form", "Tray_icon", c.tray);
            Ini().WriteBool("Form", "IconAnimate", still);
            Start();
            EXPECT_EQ(Form32 != nullptr, c.host);
            EXPECT_EQ(IsWindowVisible(tk::Application.Handle) != 0, c.button);
            Form1->PopupMenu1Popup();
            EXPECT_EQ(Form1->False1->Enabled(), c.host);
            if (Form32) {
                EXPECT_FALSE(Form32->Visible());
                EXPECT_LT(Form32->Left(), 0);
                EXPECT_LT(Form32->Top(), 0);
                EXPECT_TRUE(Form32->TrayIcon1.Shown());
                EXPECT_TRUE(Form32->TrayIcon2.Shown());
                EXPECT_EQ(Form32->TrayIcon1.LBPopupMenu(), &Form1->PopupMenu2);
                EXPECT_EQ(Form32->TrayIcon1.RBPopupMenu(), &Form1->PopupMenu1);
                EXPECT_EQ(Form32->TrayIcon2.RBPopupMenu(), &Form1->PopupMenu4);
                EXPECT_EQ(Form32->TrayIcon1.TipHelp(), "左クリック：ランチャーメニュー／右クリック：基本メニュー");
                EXPECT_EQ(Form32->TrayIcon2.Animating(), !still);
            }
            // Painting brings no button back where there should be none.
            tk::Application.SetTaskButton(true);
            Form1->FormPaint();
            EXPECT_EQ(IsWindowVisible(tk::Application.Handle) != 0, c.button);
            Form1->Destroy();
            EXPECT_EQ(Form32, nullptr);
        }
    }
}

TEST_F(Around, MemoIconDoubleClickFollowsTheSettingAndItsTip) {
    Start();
    ASSERT_NE(Form32, nullptr);
    std::vector<std::string> ran;
    struct Item {
        tk::MenuItem* item;
        const char* name;
    } items[] = {{Form1->List2, "List2"}, {Form1->List1, "List1"}, {Form1->Popup1, "Popup1"},
                 {Form1->Todo1, "Todo1"}, {Form1->Jump1, "Jump1"}, {Form1->Telephone1, "Telephone1"}};
    for (Item& i : items) {
        i.item->OnClick = [&ran, n = i.name] { ran.push_back(n); };
        i.item->SetEnabled(true);
    }
    struct Case {
        const char* value;
        const char* ran;
        const char* tip;
    } cases[] = {
        {"0", "", "ダブルクリック：日記リスト／右クリック：メモメニュー"},
        {"1", "List1", "ダブルクリック：To_do一覧／右クリック：メモメニュー"},
        {"2", "Popup1", "ダブルクリック：Popupの登録／右クリック：メモメニュー"},
        {"3", "Todo1", "ダブルクリック：To_doの登録／右クリック：メモメニュー"},
        {"4", "Jump1", "ダブルクリック：指定日に移動／右クリック：メモメニュー"},
        {"5", "Telephone1", "ダブルクリック：簡易電話帳／右クリック：メモメニュー"},
        // Any other value does nothing (even with the diary list there) and keeps the last tip.
        {"6", "", "ダブルクリック：簡易電話帳／右クリック：メモメニュー"},
        {"-1", "", "ダブルクリック：簡易電話帳／右クリック：メモメニュー"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Form1->List2->SetEnabled(std::string(c.value) != "0");  // for 0 the diary list is not there
        Ini().WriteString("Setup", "MIcon_DBLC", c.value);
        ran.clear();
        Form32->TrayIcon2DblClick();
        EXPECT_EQ(ran.empty() ? "" : ran[0], std::string(c.ran));
        EXPECT_LE(ran.size(), 1u);
        Form32->TrayIcon2MouseMove();
        EXPECT_EQ(Form32->TrayIcon2.TipHelp(), c.tip);
    }
    Form1->List2->SetEnabled(true);
    Ini().WriteString("Setup", "MIcon_DBLC", "0");
    ran.clear();
    Form32->TrayIcon2DblClick();
    EXPECT_EQ(ran, std::vector<std::string>{"List2"});
}

TEST_F(Around, SettingsWindowHoldsTheTrayMenuWhileOpen) {
    Start();
    ASSERT_NE(Form32, nullptr);
    Form1->Setup1Click();
    EXPECT_FALSE(Form32->TrayIcon1.AutoPopup);
    Form4->Close();
    wintest::Pump();
    EXPECT_TRUE(Form32->TrayIcon1.AutoPopup);
}

TEST_F(Around, LauncherMenuEndsWithItsFixedItems) {
    Start();
    auto& m = Form1->PopupMenu2.Items;
    ASSERT_EQ(m.Count(), 5);
    EXPECT_TRUE(m[0].IsLine());
    EXPECT_EQ(m[1].Caption(), "メニューの編集");
    EXPECT_TRUE(m[2].IsLine());
    EXPECT_EQ(m[3].Caption(), "Windowsの終了");
    ASSERT_EQ(m[3].Count(), 2);
    EXPECT_EQ(m[3][0].Caption(), "Windowsの再起動");
    EXPECT_EQ(m[3][1].Caption(), "Windowsの終了");
    EXPECT_EQ(m[4].Caption(), "終了(&X)");
    for (bool shown : {false, true}) {
        Ini().WriteBool("Setup", "Reboot_exec", shown);
        Form1->PopupMenu2Popup();
        EXPECT_EQ(Form1->Reboot1->Visible(), shown);
    }
    EXPECT_EQ(Form1->StatusBar1.GetPopupMenu(), &Form1->PopupMenu2);
}

TEST_F(Around, HideAndShowCommandLeavesTheMiniClock) {
    Start();
    Ini().WriteBool("Form", "Visible", true);
    Form1->False1Click();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_FALSE(Ini().ReadBool("Form", "Visible", true));
    Form1->miniClock1Click();
    ASSERT_NE(Form27, nullptr);
    Form1->False1Click();
    wintest::Pump();
    EXPECT_EQ(Form27, nullptr);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Ini().ReadInteger("Mini", "exec", 1), 0);
    EXPECT_TRUE(Ini().ReadBool("Form", "Visible", false));
}

// ---- quick view ----

TEST_F(Around, QuickViewButtonsRunTheMainCommands) {
    Start();
    tk::Application.CreateForm(Form24);
    TForm24& v = *Form24;
    struct Case {
        TPanelButton& button;
        tk::MenuItem* item;
        const char* hint;
    } cases[] = {
        {v.BitBtn4, Form1->Popup1, "ポップアップ"}, {v.BitBtn5, Form1->Todo1, "スケジュール"},
        {v.BitBtn11, Form1->BirthDay1, "誕生日"},   {v.BitBtn10, Form1->List2, "日記一覧"},
        {v.BitBtn7, Form1->Data2, "データ管理"},    {v.BitBtn6, Form1->List1, "予定一覧"},
        {v.BitBtn9, Form1->todo2, "ToDoボード"},     {v.BitBtn8, Form1->Telephone1, "電話帳"},
    };
    int ran = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hint);
        EXPECT_EQ(c.button.Hint, c.hint);
        EXPECT_EQ(c.button.Enabled(), c.item->Enabled());
        bool enabled = c.item->Enabled();
        c.item->OnClick = [&ran] { ++ran; };
        ran = 0;
        c.button.Click();
        EXPECT_EQ(ran, enabled ? 1 : 0);
    }
    v.Close();
    wintest::Pump();
}

TEST_F(Around, QuickViewOpensScheduleManagementOnTheSelectedDay) {
    Start();
    struct Case {
        int day;
        bool todayButton;
    } cases[] = {{20, true}, {1, false}};  // the 1st is today
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        Form1->CalendarEx1.SetDay(c.day);
        tk::Application.CreateForm(Form24);
        Form24->BitBtn7.Click();
        ASSERT_NE(Form29, nullptr);
        EXPECT_EQ(Form29->SelectedDay(), EncodeDate(2024, 5, c.day));
        EXPECT_EQ(Form29->ShownMode(), manage::Mode::Day);
        EXPECT_EQ(Form29->BitBtn25.Enabled(), c.todayButton);
        if (Form24) Form24->Close();
        wintest::Pump();
    }
    Form29->Destroy();
}

// ---- biorhythm ----

class Bio : public Around {
protected:
    // Whether any pixel of the chart (or of its column x) has the colour.
    static bool Has(tk::TColor colour, int x = -1) {
        tk::TCanvas& c = Form1->Image2.Canvas();
        for (int px = x < 0 ? 0 : x; px < (x < 0 ? Form1->Image2.Width() : x + 1); ++px)
            for (int y = 0; y < Form1->Image2.Height(); ++y)
                if (c.GetPixel(px, y) == colour) return true;
        return false;
    }
    void ShowMonth(int y, int m, int d) {
        Form1->CalendarEx1.SetYear(y);
        Form1->CalendarEx1.SetDay(1);
        Form1->CalendarEx1.SetMonth(m);
        Form1->CalendarEx1.SetDay(d);
    }
};

TEST_F(Bio, TodaysRedLineOnlyInTheCurrentMonth) {
    Start();
    Form1->ComboBox2.SetText("");
    struct Case {
        int y, m;
        bool redAtDay1, redAtDay0;
    } cases[] = {{2024, 5, true, false}, {2024, 6, false, false}, {2023, 5, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "/" << c.m);
        ShowMonth(c.y, c.m, 1);
        Form1->ComboBox2Change();
        EXPECT_EQ(Has(tk::clRed, 7), c.redAtDay1);  // today is the 1st: x = 7
        EXPECT_EQ(Has(tk::clRed, 0), c.redAtDay0);
        EXPECT_TRUE(Has(tk::clSilver, 0));
        EXPECT_EQ(Form1->Panel16.Caption(), rtl::IntToStr(c.y));
        EXPECT_EQ(Form1->Panel11.Caption(), rtl::IntToStr(c.m));
    }
}

TEST_F(Bio, TextThatIsNoDateDrawsTheGridOnlyAndKeepsTheStoredPerson) {
    Ini().WriteString("Bio", "BD", "1980/02/03");
    Start();
    ShowMonth(2024, 6, 10);
    for (const char* text : {"", "abc", "2024/13/01", "2023/02/29", "1980/02"}) {
        SCOPED_TRACE(text);
        Form1->ComboBox2.SetText(text);
        Form1->ComboBox2Change();
        EXPECT_FALSE(Has(tk::clBlue));
        EXPECT_FALSE(Has(tk::clGreen));
        EXPECT_TRUE(Has(tk::clBlack));
        EXPECT_EQ(Ini().ReadString("Bio", "BD", ""), "1980/02/03");
    }
    // A date draws the curves and becomes the stored person; so does a person born later.
    for (const char* text : {"1990/07/15", "2030/01/01"}) {
        Form1->ComboBox2.SetText(text);
        Form1->ComboBox2Change();
        EXPECT_TRUE(Has(tk::clBlue));
        EXPECT_TRUE(Has(tk::clGreen));
        EXPECT_EQ(Ini().ReadString("Bio", "BD", ""), text);
    }
}

TEST_F(Bio, TheCurvesStayClearOfThePicturesEdges) {
    Start();
    ShowMonth(2024, 6, 10);  // no day line of today
    Form1->ComboBox2.SetText("1990/02/19");  // blue: top on day 3, bottom on day 17
    Form1->ComboBox2Change();
    tk::TCanvas& c = Form1->Image2.Canvas();
    int onEdge = 0;  // curve pixels in the first and last rows
    for (int y : {0, Form1->Image2.Height() - 1})
        for (int x = 0; x < Form1->Image2.Width(); ++x)
            for (tk::TColor curve : {tk::clRed, tk::clBlue, tk::clGreen}) onEdge += c.GetPixel(x, y) == curve;
    EXPECT_EQ(onEdge, 0);
    EXPECT_TRUE(Has(tk::clBlue, 21));
}

}  // namespace
