// The main window's commands: the double clicks the settings choose, the data-folder rule, the
// open-window marks, the tool folders behind the password, the menu's state before it opens,
// hide and show, and the day steps of the calendar.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <tuple>

#include "mainwindow/MainCommands.h"
#include "notes/NikiList.h"
#include "notes/Nikki.h"
#include "notes/password.h"
#include "schedule/Born.h"
#include "settings/Setup.h"
#include "tests/win/WinTest.h"
#include "tests/win/MainWindowFixture.h"
#include "toolkit/MsgBox.h"

namespace {

using Handler = void (TForm1::*)();

class MainCommands : public MainWindow {
protected:
    std::vector<tk::MsgBoxCall> boxes;

    void SetUp() override {
        MainWindow::SetUp();
        UseDataDir();
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c);
            return IDOK;
        });
        Start();
    }
    void TearDown() override {
        if (Form16) Form16->Destroy();
        SetPasswordPromptHookForTest(nullptr);
        MainWindow::TearDown();
    }
};

TEST_F(MainCommands, DoubleClicksRunTheCommandTheSettingsChoose) {
    const std::pair<tk::MenuItem* TForm1::*, const char*> commands[] = {
        {&TForm1::Popup1, "Popup1"}, {&TForm1::Todo1, "Todo1"}, {&TForm1::Data2, "Data2"},
        {&TForm1::Jump1, "Jump1"},   {&TForm1::Diary1, "Diary1"}, {&TForm1::List1, "List1"},
        {&TForm1::List2, "List2"},   {&TForm1::Telephone1, "Telephone1"}};
    std::vector<std::string> ran;
    for (auto& [item, name] : commands) {
        (Form1->*item)->SetEnabled(true);
        (Form1->*item)->OnClick = [&ran, name = name] { ran.push_back(name); };
    }
    struct Row {
        const char* key;
        int value;
        const char* command;
        const char* hint;  // the status bar's, after "ダブルクリック："
    };
    const Row rows[] = {
        {"Cal_DBLC", 0, "Popup1"}, {"Cal_DBLC", 1, "Todo1"}, {"Cal_DBLC", 2, "Data2"},
        {"Cal_DBLC", 3, "Jump1"},  {"Cal_DBLC", 4, "Diary1"},
        {"Cal_DBLC", 5, "Popup1"},  // out of range reads as the default
        {"MIcon_DBLC", 0, "List2", "日記リスト"},    {"MIcon_DBLC", 1, "List1", "To_do一覧"},
        {"MIcon_DBLC", 2, "Popup1", "Popupの登録"},  {"MIcon_DBLC", 3, "Todo1", "To_doの登録"},
        {"MIcon_DBLC", 4, "Jump1", "指定日に移動"},  {"MIcon_DBLC", 5, "Telephone1", "簡易電話帳"},
    };
    for (const Row& row : rows) {
        settings::Open().WriteInteger("Setup", row.key, row.value);
        ran.clear();
        // As the mouse sends them.
        HWND target = row.hint ? Form1->StatusBar1.Handle : Form1->CalendarEx1.Handle;
        SendMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
        SendMessageA(target, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));
        EXPECT_EQ(ran, std::vector<std::string>{row.command}) << row.key << " " << row.value;
        if (row.hint) {
            EXPECT_EQ(Form1->StatusBar1.Hint, std::string("ダブルクリック：") + row.hint + "\r右クリック：ランチャーメニュー");
        }
    }
    // The diary list only while its item is enabled.
    settings::Open().WriteInteger("Setup", "MIcon_DBLC", 0);
    Form1->List2->SetEnabled(false);
    ran.clear();
    Form1->StatusBar1DblClick();
    EXPECT_TRUE(ran.empty());
}

TEST_F(MainCommands, NoDataFolderOpensOnlyTheSettingsAndASecondRequestBringsTheOpenWindowForward) {
    const Handler handlers[] = {&TForm1::Popup1Click, &TForm1::BirthDay1Click, &TForm1::Diary1Click,
                                &TForm1::List2Click,  &TForm1::Period1Click,   &TForm1::Telephone1Click,
                                &TForm1::todo2Click};
    settings::Open().WriteString("Calendar", "Directory", ".");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    SetCurrentDirectoryA(dir.c_str());  // where "." would put a tool's folder
    size_t forms = tk::Application.Forms.size();
    for (Handler h : handlers) (Form1->*h)();
    SetCurrentDirectoryA(cwd);
    // Each command asks for the data folder instead: one settings window, brought forward again.
    EXPECT_EQ(tk::Application.Forms.size(), forms + 1);
    ASSERT_NE(Form4, nullptr);
    EXPECT_TRUE(Form1->Setup1->Checked());
    Form4->Destroy();
    wintest::Pump();
    for (const char* sub : {"Diary", "Period", "Tel", "Todo"}) EXPECT_FALSE(tk::DirectoryExists(dir + "\\" + sub)) << sub;

    UseDataDir();
    Form1->BirthDay1Click();
    TForm16* reg = Form16;
    ASSERT_NE(reg, nullptr);
    reg->Hide();
    Form1->BirthDay1Click();
    EXPECT_EQ(Form16, reg);
    EXPECT_TRUE(reg->Visible());
    // A mark left by a window already gone opens a new one.
    reg->Destroy();
    Form1->BirthDay1->SetChecked(true);
    Form1->BirthDay1Click();
    EXPECT_NE(Form16, nullptr);
}

TEST_F(MainCommands, PrivateToolsStandBehindThePasswordAndGetTheirFolders) {
    struct Row {
        Handler handler;
        const char* stamp;
        std::string folder;
    };
    std::string priv = dir + "\\private";
    tk::ForceDirectories(priv);
    const Row rows[] = {{&TForm1::Diary1Click, "Diary", priv + "\\Diary"},
                        {&TForm1::List2Click, "Diary", priv + "\\Diary"},
                        {&TForm1::Period1Click, "Period", priv + "\\Period"},
                        {&TForm1::Telephone1Click, "Telephone", dir + "\\Tel"}};
    auto f = settings::Open();
    f.WriteString("Privacy", "Directory", priv);
    std::string typed;
    SetPasswordPromptHookForTest([&](TForm34& p) { p.Edit5.SetText(typed); });
    for (const Row& row : rows) {
        RemoveDirectoryA(row.folder.c_str());
        f.EraseSection("Password");
        f.WriteString("Password", "Use", "1");
        f.WriteString("Password", "Tel", "1");
        f.WriteString("Password", "Password", "secret");
        typed = "Secret";
        (Form1->*row.handler)();
        EXPECT_FALSE(f.ValueExists("Password", row.stamp)) << row.stamp;
        EXPECT_FALSE(tk::DirectoryExists(row.folder)) << row.folder << " " << row.stamp << " " << &row - rows;
        typed = "secret";
        (Form1->*row.handler)();
        EXPECT_EQ(f.ReadString("Password", row.stamp, ""), "2024/05/01 10:00:00");
        EXPECT_TRUE(tk::DirectoryExists(row.folder)) << row.folder;
        // A diary or month list the right entry opened closes, so the next request starts afresh.
        for (tk::Form* form : std::vector<tk::Form*>(tk::Application.Forms))
            if (dynamic_cast<TForm8*>(form) || dynamic_cast<TForm12*>(form)) form->Close();
        wintest::Pump();
        DeleteFileA((row.folder + "\\" + rtl::FormatDateTime("yyyymmdd", rtl::Date()) + ".JNL").c_str());
    }
    EXPECT_EQ(boxes.size(), 4u);  // each wrong entry told once

    // A file where the folder should be, or a private folder whose parent is missing: an error,
    // and nothing else.
    f.WriteString("Password", "Use", "0");
    RemoveDirectoryA((dir + "\\Tel").c_str());
    CloseHandle(CreateFileA((dir + "\\Tel").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    f.WriteString("Privacy", "Directory", dir + "\\gone\\private");
    for (const Row& row : rows) {
        boxes.clear();
        (Form1->*row.handler)();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "保存先ディレクトリが無いので\r処理を中断します。");
        EXPECT_EQ(boxes[0].type, (UINT)(MB_OK | MB_ICONERROR));
    }
    DeleteFileA((dir + "\\Tel").c_str());
}

TEST_F(MainCommands, MenuStateBeforeItOpensAndHideShow) {
    struct Row {
        const char *period, *reboot, *cap, *visible;  // [Setup] Period, Reboot, [Form] Period_Cap, Visible
        bool mini;
        const char* periodItem;  // null: hidden
        bool close;
        const char* falseItem;
    };
    const Row rows[] = {
        {nullptr, nullptr, nullptr, nullptr, false, nullptr, false, "非表示"},  // Visible absent: shown
        {"0", "0", nullptr, "1", false, "周期管理", true, "非表示"},
        {"0", "1", "体温ノート", "0", true, "体温ノート", false, "表示"},
    };
    Go(2024, 2, 29);
    for (const Row& row : rows) {
        auto f = settings::Open();
        f.EraseSection("Setup");
        f.EraseSection("Form");
        auto put = [&](const char* section, const char* key, const char* value) {
            if (value) f.WriteString(section, key, value);
        };
        put("Setup", "Period", row.period);
        put("Setup", "Reboot", row.reboot);
        put("Form", "Period_Cap", row.cap);
        put("Form", "Visible", row.visible);
        Form1->miniClock1->SetChecked(row.mini);
        Form1->PopupMenu1.OnPopup();
        EXPECT_EQ(Form1->Period1->Visible(), row.periodItem != nullptr);
        if (row.periodItem) {
            EXPECT_EQ(Form1->Period1->Caption(), row.periodItem);
        }
        EXPECT_EQ(Form1->Close1->Visible(), row.close);
        EXPECT_EQ(Form1->False1->Caption(), row.falseItem);
        EXPECT_TRUE(Form1->False1->Enabled());  // the tray window to come back through
        EXPECT_EQ(Form1->About1->Enabled(), !row.mini);
    }
    EXPECT_EQ(Form1->Diary1->Caption(), "2024年2月29日を綴る");

    // Hide and show: absent counts as shown, and showing leaves mini mode.
    auto f = settings::Open();
    f.EraseSection("Form");
    f.WriteString("Mini", "exec", "1");
    Form1->False1Click();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(f.ReadString("Form", "Visible", ""), "0");
    Form1->PopupMenu1.OnPopup();
    EXPECT_FALSE(Form1->Position1->Visible());
    Form1->False1Click();
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(f.ReadString("Form", "Visible", ""), "1");
    EXPECT_EQ(f.ReadString("Mini", "exec", ""), "0");
}

TEST_F(MainCommands, DayStepsFollowTheGridsOwnCalendar) {
    enum Step { Prev, Next, Today };
    struct Row {
        int y, m, d;
        Step step;
        const char* expected;
        rtl::TDateTime today = 0;
    };
    const Row rows[] = {
        {2024, 1, 31, Next, "2024-2-1"},
        {2024, 3, 1, Prev, "2024-2-29"},
        {2024, 1, 1, Prev, "2023-12-31"},
        {2024, 8, 1, Prev, "2024-7-31"},
        // Julian leap days before 1582, and the ten days lost in October 1582.
        {1500, 2, 28, Next, "1500-2-29"},
        {1500, 2, 29, Next, "1500-3-1"},
        {1500, 3, 1, Prev, "1500-2-29"},
        {1582, 10, 4, Next, "1582-10-15"},
        {1582, 10, 15, Prev, "1582-10-4"},
        {2024, 1, 31, Today, "2024-2-29", EncodeDate(2024, 2, 29)},
        {2024, 2, 29, Today, "2024-3-31", EncodeDate(2024, 3, 31)},
        {2024, 2, 29, Today, "2023-12-31", EncodeDate(2023, 12, 31)},
        {2024, 1, 31, Today, "2025-2-28", EncodeDate(2025, 2, 28)},
    };
    for (const Row& row : rows) {
        Go(row.y, row.m, row.d);
        if (row.today) clock = row.today + 0.5;
        tk::BitBtn& button = row.step == Prev ? Form1->BitBtn3 : row.step == Next ? Form1->BitBtn4 : Form1->BitBtn8;
        button.Click();
        std::string shown = std::to_string(Form1->CalendarEx1.Year()) + "-" + std::to_string(Form1->CalendarEx1.Month()) +
                            "-" + std::to_string(Form1->CalendarEx1.Day());
        EXPECT_EQ(shown, row.expected) << row.y << "-" << row.m << "-" << row.d << " step " << row.step;
    }
}

}  // namespace

// Tray mode has no task-bar button: after the minimise button every way the main window is shown
// must bring it back where it was.
TEST_F(MainCommands, EveryShowingCommandBringsTheMinimisedMainWindowBack) {
    ASSERT_TRUE(TrayWindowExists());
    ASSERT_FALSE(IsWindowVisible(tk::Application.Handle));  // no task-bar button
    const struct {
        const char* what;
        std::function<void()> command;
    } rows[] = {
        {"表示", [] { Form1->False1Click(); }},
        {"保存した位置に戻す", [] { Form1->Load1Click(); }},
        {"mini clock on and off", [] { Form1->miniClock1Click(), wintest::Pump(), Form1->miniClock1Click(); }},
    };
    Form1->Show();
    Form1->SetBounds(120, 90, Form1->Width(), Form1->Height());
    Form1->SavePositon1Click();
    RECT was;
    GetWindowRect(Form1->Handle, &was);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // As the caption's minimise button sends it.
        SendMessageA(Form1->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        wintest::Pump();
        ASSERT_TRUE(IsIconic(Form1->Handle));
        row.command();
        wintest::Pump();
        RECT now;
        GetWindowRect(Form1->Handle, &now);
        EXPECT_EQ(std::tuple(Form1->Visible(), bool(IsIconic(Form1->Handle)), now.left, now.top, now.right, now.bottom),
                  std::tuple(true, false, was.left, was.top, was.right, was.bottom));
    }
}
