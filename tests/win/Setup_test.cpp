// The settings window: opening it writes nothing, the user's first changes are written, the
// folder and password rules, the holiday keys, the colour dialogs and the new-memo placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <deque>

#include "mainwindow/Main.h"
#include "mainwindow/miniclck.h"
#include "notes/password.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

namespace {

const char kNextStart[] = "この設定は次回起動時に\r有効になります。";

class Setup : public wintest::WindowTest {
protected:
    std::string ini;
    std::string typedPassword;

    void SetUp() override {
        answer = IDOK;  // once `answers` run out
        dir = wintest::FreshTestDir("orbal-setup-");
        ini = dir + "\\orbal98.ini";
        settings::SetIniPathForTest(ini);
        auto f = settings::Open();
        f.WriteInteger("Form", "Open", 1);
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", dir);
        SetPasswordPromptHookForTest([this](TForm34& f) { f.Edit5.SetText(typedPassword); });
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void TearDown() override {
        // A mini clock the page opened is switched off first, as the user would leave it.
        if (Form1 && Form27) Form1->miniClock1Click();
        wintest::Pump();
        if (Form1) Form1->Destroy();
        EXPECT_EQ(Form4, nullptr);
        SetPasswordPromptHookForTest(nullptr);
    }
    void Open() {
        boxes.clear();
        Form1->Setup1Click();
        ASSERT_NE(Form4, nullptr);
        wintest::Pump();
    }
    // Closes the window as the user does and opens it again on what the file holds now.
    void Reopen() {
        if (Form4) Form4->Close();
        wintest::Pump();
        ASSERT_EQ(Form4, nullptr);
        Open();
    }
    std::string FileText() {
        std::string s;
        tk::ReadFileBytes(ini, s);
        return s;
    }
    std::string Read(const char* section, const char* key) {
        return settings::Open().ReadString(section, key, "(none)");
    }
};

}  // namespace

TEST_F(Setup, OpeningWritesNothingAndShowsNoMessage) {
    struct Case {
        const char* what;
        std::vector<std::array<const char*, 3>> stored;
        bool noDataFolder;  // [Calendar] Directory absent or "."
    } cases[] = {
        {"values of every kind, none at its default",
         {{"Form", "IconAnimate", "1"},
          {"Form", "Tray_icon", "2"},
          {"Form", "Waveplay", "0"},
          {"Form", "Today_pop", "1"},
          {"Form", "Jisa", "1"},
          {"Form", "Interval", "2500"},
          {"Form", "CaptionTime", "1"},
          {"Setup", "Reboot", "1"},
          {"Setup", "Reboot_exec", "1"},
          {"Setup", "Period", "0"},
          {"Password", "Use", "1"},
          {"CalendarEx", "PopView", "0"},
          {"Memo", "FontSize", "500"},
          {"Memo", "BackColor", "-2147483643"},
          {"Nikki", "Auto", "1"},
          {"Calendar", "before", "15"},
          {"Mini", "Change", "1"},
          {"Mini", "StayOnTop", "1"},
          {"Mini", "Move", "1"},
          {"Mini", "style", "1"},
          {"Mini", "Width", "100"},
          {"Mini", "Rsize", "-51"},
          {"TelePhone", "Close", "1"},
          {"TelePhone", "Sleep", "250"},
          {"TelePhone", "0Section_2", "電話"}},
         false},
        {"an empty file", {}, true},
        {"tray and icon keys equal to the controls' first state", {{"Form", "Tray_icon", "0"}, {"Form", "IconAnimate", "0"}}, false},
        {"no data folder", {{"Form", "Today_pop", "1"}, {"Form", "Todo_pop", "1"}, {"Form", "IconAnimate", "1"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (Form4) Form4->Close();
        wintest::Pump();
        DeleteFileA(ini.c_str());
        auto f = settings::Open();
        if (!c.stored.empty()) {
            f.WriteString("Calendar", "Directory", c.noDataFolder ? "." : dir.c_str());
            for (auto& [s, k, v] : c.stored) f.WriteString(s, k, v);
        }
        std::string before = FileText();
        cues.clear();
        Open();
        if (c.noDataFolder) {
            // Only the two start-up boxes are written, as 0; they and the private folder are off.
            std::string expected = dir + "\\expected.ini";
            tk::WriteFileBytes(expected, before);
            tk::TIniFile e(expected);
            e.WriteBool("Form", "Todo_pop", false);
            e.WriteBool("Form", "Today_pop", false);
            std::string want;
            tk::ReadFileBytes(expected, want);
            EXPECT_EQ(FileText(), want);
            EXPECT_FALSE(Form4->CheckBox1.Checked());
            EXPECT_FALSE(Form4->CheckBox1.Enabled());
            EXPECT_FALSE(Form4->CheckBox25.Checked());
            EXPECT_FALSE(Form4->CheckBox25.Enabled());
            EXPECT_FALSE(Form4->BitBtn22.Enabled());
        } else {
            EXPECT_EQ(FileText(), before);
        }
        EXPECT_TRUE(boxes.empty());
        // Filling the mini-clock page opens no mini clock, whatever [Mini] Change holds.
        EXPECT_EQ(Form27, nullptr);
        EXPECT_FALSE(Form1->miniClock1->Checked());
        EXPECT_EQ(Form4->RadioGroup8.Tag, 1);
        bool silent = settings::Open().ReadString("Form", "Waveplay", "1") == "0";
        EXPECT_EQ(cues, silent ? std::vector<std::string>{} : std::vector<std::string>{"ope"});
    }
}

TEST_F(Setup, TheFirstTrayChoiceIsWrittenAndTheIconSwitchFollowsIt) {
    struct Case {
        const char* stored;  // nullptr: none
        int chosen;
        bool visibleWritten, iconSwitch;
    } cases[] = {
        {nullptr, 1, true, false}, {"0", 2, false, true}, {"0", 3, true, false},
        {"3", 0, false, true},     {"2", 1, true, false}, {"1", 2, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored ") + (c.stored ? c.stored : "none") + ", chosen " + std::to_string(c.chosen));
        auto f = settings::Open();
        f.DeleteKey("Form", "Tray_icon");
        if (c.stored) f.WriteString("Form", "Tray_icon", c.stored);
        f.WriteBool("Form", "Visible", false);
        Form1->Hide();
        Reopen();
        Form4->RadioGroup5.SetItemIndex(c.chosen);
        EXPECT_EQ(Read("Form", "Tray_icon"), std::to_string(c.chosen));
        EXPECT_EQ(Read("Form", "Visible"), c.visibleWritten ? "1" : "0");
        EXPECT_EQ(Form1->Visible(), c.visibleWritten);
        EXPECT_EQ(boxes, std::vector<std::string>{kNextStart});
        EXPECT_EQ(Form4->CheckBox32.Enabled(), c.iconSwitch);
    }
    // The icon switch tells about the next start only when the user changes it.
    boxes.clear();
    Form4->RadioGroup5.SetItemIndex(0);
    boxes.clear();
    Form4->CheckBox32.SetChecked(!Form4->CheckBox32.Checked());
    EXPECT_EQ(boxes, std::vector<std::string>{kNextStart});
}

// Another program reads the settings file without letting it be replaced: a change and the close
// say that they cannot be written and the window stays; the program's end names what is not kept;
// closed again once the file is free, every change is in the file.
TEST_F(Setup, ChangesMadeWhileTheFileIsHeldAreWrittenOnceItIsFree) {
    Open();
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RECT r;
    GetWindowRect(Form4->CheckBox31.Handle, &r);
    wintest::Click(Form4->CheckBox31.Handle, {r.left + 8, (r.top + r.bottom) / 2});
    ASSERT_TRUE(wintest::PumpUntil([&] { return !boxes.empty(); }));
    Form4->Edit2.SetText("周期");
    SendMessageA(Form4->Handle, WM_CLOSE, 0, 0);
    ASSERT_NE(Form4, nullptr);
    boxes.clear();
    answers = {IDIGNORE, IDIGNORE};
    EXPECT_TRUE(tk::Application.SaveWork(false));
    ASSERT_EQ(boxes.size(), 2u);  // the window's own save, then what is kept
    EXPECT_NE(boxes[1].find("[Form] Waveplay、[Form] Period_Cap"), std::string::npos) << boxes[1];
    CloseHandle(held);
    SendMessageA(Form4->Handle, WM_CLOSE, 0, 0);
    wintest::Pump();
    EXPECT_EQ(Form4, nullptr);
    char v[2][32] = {};
    GetPrivateProfileStringA("Form", "Waveplay", "", v[0], sizeof v[0], ini.c_str());
    GetPrivateProfileStringA("Form", "Period_Cap", "", v[1], sizeof v[1], ini.c_str());
    EXPECT_STREQ(v[0], "0");
    EXPECT_STREQ(v[1], "周期");
}

TEST_F(Setup, FolderChoiceKeepsEveryCharacterAndStoresThePrivateFolderByTheRules) {
    const std::string dataConfirm = "専用のフォルダは用意しましたか？";
    const std::string privateConfirm = "日記や、Periodのデータが他人に見られたくない等の理由から";
    const std::string rootWarning = "ルートが設定されています。\rサブディレクトリに再設定してください。";
    struct Case {
        bool privateFolder;
        std::string chosen;  // empty: the dialog is cancelled
        const char* key;
        std::string stored, shown;
        bool rootWarning;
    } cases[] = {
        {false, "C:\\", "Calendar", "C:\\", "C:\\", true},
        {false, "C:\\x\\ソ", "Calendar", "C:\\x\\ソ", "C:\\x\\ソ", false},
        {false, "C:\\表", "Calendar", "C:\\表", "C:\\表", false},
        {true, "A:\\", "Privacy", "A:", "A:", false},
        {true, "C:\\x\\ソ", "Privacy", "C:\\x\\ソ", "C:\\x\\ソ", false},
        {true, dir, "Privacy", "", dir, false},
        {true, dir + "\\", "Privacy", "", dir, false},
        {false, "", "Calendar", dir, dir, false},
        {true, "", "Privacy", "(none)", dir, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.privateFolder ? "private " : "data ") + c.chosen);
        auto f = settings::Open();
        f.WriteString("Calendar", "Directory", dir);
        f.DeleteKey("Privacy", "Directory");
        Reopen();
        std::string startedAt;
        dialog = [&](tk::CommonDialog& d) {
            EXPECT_EQ(d.Kind(), tk::DialogKind::Folder);
            auto& folder = static_cast<tk::FolderDialog&>(d);
            startedAt = folder.Directory;
            if (c.chosen.empty()) return false;
            folder.Directory = c.chosen;
            return true;
        };
        std::string before = FileText();
        tk::BitBtn& button = c.privateFolder ? Form4->BitBtn22 : Form4->BitBtn1;
        ASSERT_TRUE(button.Enabled());
        button.Click();
        EXPECT_EQ(startedAt, dir);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].rfind(c.privateFolder ? privateConfirm : dataConfirm, 0), 0u);
        EXPECT_EQ(boxes.size() == 2 && boxes[1] == rootWarning, c.rootWarning);
        EXPECT_EQ(Read(c.key, "Directory"), c.stored);
        EXPECT_EQ((c.privateFolder ? Form4->Label24 : Form4->Label1).Caption(), c.shown);
        if (c.chosen.empty()) {
            EXPECT_EQ(FileText(), before);
        }
        if (!c.privateFolder) {
            EXPECT_EQ(Form4->Label24.Caption(), c.shown);  // it follows the data folder
        }
    }
}

TEST_F(Setup, AFolderThatTakesNoFilesIsToldAtOnceAndMayStillBeKept) {
    std::string file = dir + "\\file.txt", fresh = dir + "\\データ";
    ASSERT_TRUE(tk::WriteFileBytes(file, "x") && tk::ForceDirectories(fresh));
    const struct { std::string chosen; bool told; } cases[] = {{fresh, false}, {file, true}, {dir + "\\無い\\所", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        Reopen();
        dialog = [&](tk::CommonDialog& d) { return static_cast<tk::FolderDialog&>(d).Directory = c.chosen, true; };
        Form4->BitBtn1.Click();
        ASSERT_GE(boxes.size(), 1u);
        const std::string told = "このフォルダにはファイルを書き込めません。\r" + c.chosen + "\r";
        EXPECT_EQ(boxes.size() == 2 && boxes[1].rfind(told, 0) == 0, c.told);
        EXPECT_EQ(Read("Calendar", "Directory"), c.chosen);
    }
    tk::TSearchRec r;  // the trial file is gone again
    EXPECT_NE(tk::FindFirst(fresh + "\\*", tk::faAnyFile & ~tk::faDirectory, r), 0);
    tk::FindClose(r);
}

TEST_F(Setup, PasswordSwitch) {
    struct Case {
        const char* what;
        bool useBefore;
        const char* stored;  // nullptr: none, the built-in pass phrase applies
        std::string typed;
        int answer;  // to "パスワードを完全削除しますか？"
        const char* useAfter;  // "(none)": the section is gone
        const char* passwordAfter;
        bool checkedAfter;
        const char* lastBox;
    } cases[] = {
        {"off, wrong", true, "secret", "guess", 0, "1", "secret", true, "パスワードが違います。"},
        {"off and removed", true, "secret", "secret", IDYES, "(none)", "(none)", false,
         "パスワードを完全削除しました。\r再び設定する場合は、新たにパスワードを設定してください。"},
        {"off for now", true, "secret", "secret", IDNO, "0", "secret", false,
         "パスワードを一時的に解除しました。\r再び設定する場合は、同じパスワードを入力してください。"},
        {"on, wrong", false, nullptr, "secret", 0, "0", "(none)", false, "パスワードが違います。"},
        {"on with the built-in phrase", false, nullptr, kDefaultPassword, 0, "1", "(none)", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto f = settings::Open();
        f.EraseSection("Password");
        f.WriteBool("Password", "Use", c.useBefore);
        if (c.stored) f.WriteString("Password", "Password", c.stored);
        Reopen();
        ASSERT_EQ(Form4->CheckBox27.Checked(), c.useBefore);
        typedPassword = c.typed;
        if (c.answer) answers = {c.answer};
        Form4->CheckBox27.SetChecked(!c.useBefore);
        EXPECT_EQ(Read("Password", "Use"), c.useAfter);
        EXPECT_EQ(Read("Password", "Password"), c.passwordAfter);
        EXPECT_EQ(Form4->CheckBox27.Checked(), c.checkedAfter);
        if (c.lastBox) {
            ASSERT_FALSE(boxes.empty());
            EXPECT_EQ(boxes.back(), c.lastBox);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_EQ(Form4->CheckBox27.Tag, 1);  // armed again for the next change
    }
}

TEST_F(Setup, HolidayKeysAreDaysOf1971) {
    struct Case {
        const char *month, *day;
        const char* key;  // nullptr: a day 1971 lacks
    } cases[] = {{"5", "3", "05/03"}, {"13", "1", "12/01"}, {"2", "29", nullptr}, {"4", "31", nullptr}};
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.month) + "/" + c.day);
        Form4->SpinEdit2.SetText("1");
        Form4->SpinEdit1.SetText(c.month);
        Form4->SpinEdit2.SetText(c.day);
        Form4->Edit1.SetText("【試験の日】");
        std::string before = FileText();
        boxes.clear();
        Form4->BitBtn2.Click();
        if (c.key) {
            EXPECT_EQ(Read("Horiday", c.key), "【試験の日】");
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(Form4->BitBtn4.Enabled());
            Form4->BitBtn4.Click();
            EXPECT_EQ(Read("Horiday", c.key), "");
            EXPECT_EQ(Form4->Edit1.Text(), "【】");
        } else {
            EXPECT_EQ(boxes, std::vector<std::string>{"日付に変換できない値が渡されました"});
            EXPECT_EQ(FileText(), before);
        }
    }
    EXPECT_EQ(Form4->SpinEdit1.Text(), "4");
}

TEST_F(Setup, CancelledColourDialogWritesTheColourThatWasThere) {
    Open();
    Form1->CalendarEx1.SetDayColor(3, 0x123456);
    auto f = settings::Open();
    f.WriteInteger("To_do", "FutureColor", 0x00ABCDEF);
    f.DeleteKey("To_do", "PastBackColor");
    f.WriteInteger("Memo", "BackColor", 0x00C0FFFF);
    f.DeleteKey("Nikki", "FontColor");
    struct Case {
        tk::BitBtn* button;
        const char *section, *key, *stored;
    } cases[] = {
        {&Form4->BitBtn7, "CalendarEx", "HolidayColor", "1193046"},
        {&Form4->BitBtn18, "To_do", "FutureColor", "11259375"},
        {&Form4->BitBtn19, "To_do", "PastBackColor", "-2147483646"},  // the default: the active caption colour
        {&Form4->BitBtn12, "Memo", "BackColor", "12648447"},
        {&Form4->BitBtn11, "Nikki", "FontColor", "-2147483640"},  // the default: window text
    };
    int runs = 0;
    dialog = [&](tk::CommonDialog& d) {
        EXPECT_EQ(d.Kind(), tk::DialogKind::Color);
        ++runs;
        return false;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        c.button->Click();
        EXPECT_EQ(Read(c.section, c.key), c.stored);
    }
    EXPECT_EQ(runs, 5);
    EXPECT_EQ(Form1->CalendarEx1.GetDayColor(3), 0x123456);
    EXPECT_EQ(Form4->Panel16.Color, 0x123456);
}

TEST_F(Setup, NewMemoPlacementDefaultsHalveTowardZero) {
    struct Case {
        int left, top;
        const char *width, *height, *memoTop, *memoLeft;
    } cases[] = {
        {-101, 51, "400", "150", "325", "350"},
        {-1, -3, "400", "150", "299", "400"},
        {101, 0, "400", "150", "300", "450"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        Form1->SetBounds(c.left, c.top, 400, 300);
        ASSERT_EQ(Form1->Left(), c.left);
        ASSERT_EQ(Form1->Top(), c.top);
        answers = {IDNO, IDYES};
        boxes.clear();
        cues.clear();
        Form4->BitBtn39.Click();
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_EQ(Read("Memo", "Width"), c.width);
        EXPECT_EQ(Read("Memo", "Height"), c.height);
        EXPECT_EQ(Read("Memo", "top"), c.memoTop);
        EXPECT_EQ(Read("Memo", "left"), c.memoLeft);
        EXPECT_EQ(cues, std::vector<std::string>{"sav"});
    }
    // Answering No twice changes nothing.
    std::string before = FileText();
    answers = {IDNO, IDNO};
    Form4->BitBtn39.Click();
    EXPECT_EQ(FileText(), before);
}

TEST_F(Setup, DefaultButtonsStoreBlackTextOnWhite) {
    Open();
    auto f = settings::Open();
    f.WriteInteger("Nikki", "FontColor", 255);
    f.WriteInteger("Nikki", "BackColor", 0);
    Form4->BitBtn27.Click();
    EXPECT_EQ(Read("Nikki", "FontColor"), "0");  // not the read default, the window-text colour
    EXPECT_EQ(Read("Nikki", "BackColor"), "16777215");
    EXPECT_EQ(Form4->Panel10.Color, 16777215);
    Form4->BitBtn26.Click();
    EXPECT_EQ(Read("Memo", "FontColor"), "0");
    EXPECT_EQ(Read("Memo", "BackColor"), "16777215");
}

// ---- the mini-clock page ----

namespace {

// A settings window on a file without [Mini] and no mini clock open, the main window shown.
void FreshMiniPage() {
    if (Form27) Form1->miniClock1Click();
    wintest::Pump();
    auto f = settings::Open();
    f.EraseSection("Mini");
    f.WriteBool("Form", "Visible", true);
    Form1->Show();
}

}  // namespace

TEST_F(Setup, MiniClockWidthsKeepTheStripAndItsPartsInStep) {
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    struct Case {
        const char* what;
        int part;    // the part chosen in RadioGroup9
        bool whole;  // the strip's width (SpinEdit6) changed rather than the part's (SpinEdit10)
        int value;
        int width, dsize, rsize;  // stored afterwards
        int shownPart;            // SpinEdit10 afterwards
        int resources;            // the mini clock's resource part
    } cases[] = {
        {"date part 100", 0, false, 100, 232, 100, 78, 100, 78},
        {"strip 300", 0, true, 300, 300, 97, 149, 97, 149},
        {"strip 300, resources chosen", 2, true, 300, 300, 97, 149, 149, 149},
        {"resources 10", 2, false, 10, 161, 97, 10, 10, 10},
        // The stored arithmetic goes below 0: written as computed, shown as 0.
        {"strip narrower than the other two", 2, true, 100, 100, 97, -51, 0, 0},
        {"date part as wide as the screen", 0, false, screen, screen, screen, -54, screen, 0},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshMiniPage();
        // The parts' widths as stored (without them each part takes what its text needs).
        for (auto [key, width] : {std::pair{"Dsize", 97}, {"Tsize", 54}, {"Rsize", 78}})
            settings::Open().WriteInteger("Mini", key, width);
        Reopen();
        Form4->RadioGroup9.SetItemIndex(c.part);
        (c.whole ? Form4->SpinEdit6 : Form4->SpinEdit10).SetValue(c.value);
        EXPECT_EQ(Read("Mini", "Width"), std::to_string(c.width));
        EXPECT_EQ(Read("Mini", "Dsize"), std::to_string(c.part == 0 && !c.whole ? c.dsize : 97));
        EXPECT_EQ(Read("Mini", "Tsize"), "54");
        EXPECT_EQ(Read("Mini", "Rsize"), std::to_string(c.rsize));
        EXPECT_EQ(Form4->SpinEdit6.Value(), c.width);
        EXPECT_EQ(Form4->SpinEdit10.Text(), std::to_string(c.shownPart));
        ASSERT_NE(Form27, nullptr);
        EXPECT_EQ(Form27->Width(), c.width);
        EXPECT_EQ(Form27->Panel3.Width(), c.dsize);
        EXPECT_EQ(Form27->Panel1.Width(), c.resources);
    }
}

// Without stored widths the page shows the mini clock's own, also after a larger time font.
TEST_F(Setup, MiniClockWidthsNotStoredAreTheOnesTheMiniClockTakes) {
    Open();
    for (int timePoints : {9, 12}) {
        SCOPED_TRACE(timePoints);
        FreshMiniPage();
        settings::Open().WriteInteger("Mini", "FontSizeT", timePoints);
        Reopen();
        const int total = Form4->SpinEdit6.Value();
        Form4->RadioGroup9.SetItemIndex(1);
        const int time = Form4->SpinEdit10.Value();
        Form4->CheckBox10.SetChecked(true);  // a change: the mini clock opens
        ASSERT_NE(Form27, nullptr);
        Form1->Timer1Timer(false);
        EXPECT_EQ(std::pair(Form27->Width(), Form27->Panel2.Width()), std::pair(total, time));
        Form4->SpinEdit7.SetValue(timePoints + 4);
        EXPECT_GT(Form27->Panel2.Width(), time);
        EXPECT_EQ(std::pair(Form4->SpinEdit6.Value(), Form4->SpinEdit10.Value()),
                  std::pair(Form27->Width(), Form27->Panel2.Width()));
        EXPECT_EQ(Read("Mini", "Width"), "(none)");
        EXPECT_EQ(Read("Mini", "Tsize"), "(none)");
    }
}

TEST_F(Setup, MiniClockSizesTypedPastTheirEndsAreBroughtBack) {
    const std::string sw = std::to_string(GetSystemMetrics(SM_CXSCREEN)),
                      sh = std::to_string(GetSystemMetrics(SM_CYSCREEN));
    Open();
    struct Case {
        tk::SpinEdit* spin;
        const char *typed, *key;
        std::string stored;  // "(none)": nothing written yet
    } cases[] = {
        {&Form4->SpinEdit3, "3", "Height", "5"},    {&Form4->SpinEdit3, "99999", "Height", sh},
        {&Form4->SpinEdit6, "0", "Width", "5"},     {&Form4->SpinEdit6, "99999", "Width", sw},
        {&Form4->SpinEdit13, "-4", "RgnWidth", "0"}, {&Form4->SpinEdit14, "-1", "RgnHeight", "0"},
        {&Form4->SpinEdit3, "", "Height", "(none)"}, {&Form4->SpinEdit6, "-", "Width", "(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " typed " + c.typed);
        settings::Open().EraseSection("Mini");
        c.spin->SetText(c.typed);
        EXPECT_EQ(Read("Mini", c.key), c.stored);
        EXPECT_EQ(c.spin->Text(), c.stored == "(none)" ? c.typed : c.stored);
    }
}

TEST_F(Setup, AMiniClockChangeOpensTheMiniClockAndEndsTheAutomaticSwitch) {
    struct Case {
        const char* what;
        std::function<void(TForm4&)> change;
        bool switchBefore;  // [Mini] Change
        bool opens;
        const char *key, *stored, *switchAfter;
    } cases[] = {
        {"shape", [](TForm4& f) { f.RadioGroup8.SetItemIndex(2); }, true, true, "style", "2", "0"},
        {"height", [](TForm4& f) { f.SpinEdit3.SetValue(20); }, true, true, "Height", "20", "0"},
        {"bold", [](TForm4& f) { f.CheckBox11.SetChecked(true); }, true, true, "Dbold", "1", "0"},
        {"fixed position", [](TForm4& f) { f.CheckBox10.SetChecked(true); }, false, true, "Move", "1", "(none)"},
        {"automatic switch on", [](TForm4& f) { f.CheckBox12.SetChecked(true); }, false, true, "Change", "1", "1"},
        {"stay on top", [](TForm4& f) { f.CheckBox26.SetChecked(true); }, true, false, "StayOnTop", "1", "1"},
        {"another part shown", [](TForm4& f) { f.RadioGroup9.SetItemIndex(1); }, true, false, "Tsize", "(none)", "1"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshMiniPage();
        if (c.switchBefore) settings::Open().WriteBool("Mini", "Change", true);
        Reopen();
        c.change(*Form4);
        EXPECT_EQ(Read("Mini", c.key), c.stored);
        EXPECT_EQ(Read("Mini", "Change"), c.switchAfter);
        EXPECT_EQ(Form4->CheckBox12.Checked(), std::string(c.switchAfter) == "1");
        EXPECT_EQ(Form27 != nullptr, c.opens);
        EXPECT_EQ(Form1->miniClock1->Checked(), c.opens);
        EXPECT_EQ(Read("Mini", "exec"), c.opens ? "1" : "(none)");
        EXPECT_EQ(Read("Form", "Visible"), c.opens ? "0" : "1");
        EXPECT_EQ(Form1->Visible(), !c.opens);
        if (!c.opens) continue;
        // The next change goes to the same mini clock.
        TForm27* open = Form27;
        Form4->SpinEdit6.SetValue(240);
        EXPECT_EQ(Form27, open);
        EXPECT_EQ(Form27->Width(), 240);
    }
}

TEST_F(Setup, EachPartOfTheMiniClockHasItsOwnKeys) {
    struct Case {
        int part;
        const char *size, *fontSize, *font, *bold, *italic, *back, *fore;
    } cases[] = {
        {0, "Dsize", "FontSize", "DFont", "Dbold", "DItalic", "DBcolor", "DFcolor"},
        {1, "Tsize", "FontSizeT", "TFont", "Tbold", "TItalic", "TBcolor", "TFcolor"},
        {2, "Rsize", "FontSizeR", "RFont", "Rbold", "RItalic", "RBcolor", "RFcolor"},
    };
    // The background dialog is confirmed with a colour; the text dialog is cancelled.
    dialog = [](tk::CommonDialog& d) {
        EXPECT_EQ(d.Kind(), tk::DialogKind::Color);
        auto& colour = static_cast<tk::ColorDialog&>(d);
        if (colour.Color != tk::clBlack) return false;
        colour.Color = 0x123456;
        return true;
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        FreshMiniPage();
        Reopen();
        TForm4& f = *Form4;
        f.RadioGroup9.SetItemIndex(c.part);
        f.SpinEdit10.SetValue(40);
        f.SpinEdit7.SetValue(12);
        f.ComboBox1.SetText("ＭＳ 明朝");
        f.ComboBox1Change();
        f.CheckBox11.SetChecked(true);
        f.CheckBox14.SetChecked(true);
        f.BitBtn31.Click();
        f.BitBtn34.Click();
        EXPECT_EQ(Read("Mini", c.size), "40");
        EXPECT_EQ(Read("Mini", c.fontSize), "12");
        EXPECT_EQ(Read("Mini", c.font), "ＭＳ 明朝");
        EXPECT_EQ(Read("Mini", c.bold), "1");
        EXPECT_EQ(Read("Mini", c.italic), "1");
        EXPECT_EQ(Read("Mini", c.back), "1193046");
        EXPECT_EQ(Read("Mini", c.fore), "-2147483624");  // the info-tip colour read, written back
        for (const Case& other : cases) {
            if (other.part != c.part) {
                EXPECT_EQ(Read("Mini", other.fontSize), "(none)");
            }
        }
        ASSERT_NE(Form27, nullptr);
        tk::Panel& panel = Form27->Part(c.part);
        EXPECT_EQ(panel.Font.Size, 12);
        EXPECT_EQ(panel.Font.Name, "ＭＳ 明朝");
        EXPECT_EQ(panel.Font.Style, tk::fsBold | tk::fsItalic);
        EXPECT_EQ(panel.Color, 0x123456);
        EXPECT_EQ(panel.Font.Color, tk::clInfoBk);
        // Another part shows its own values; coming back shows these again.
        f.RadioGroup9.SetItemIndex((c.part + 1) % 3);
        EXPECT_EQ(f.SpinEdit7.Value(), 9);
        EXPECT_FALSE(f.CheckBox11.Checked());
        f.RadioGroup9.SetItemIndex(c.part);
        EXPECT_EQ(f.SpinEdit10.Value(), 40);
        EXPECT_EQ(f.SpinEdit7.Value(), 12);
        EXPECT_EQ(f.ComboBox1.Text(), "ＭＳ 明朝");
        EXPECT_TRUE(f.CheckBox14.Checked());
    }
}

TEST_F(Setup, MiniClockShapeAndCorners) {
    struct Case {
        int index;
        TFormRgn::Style shape;
        bool corners;  // the corner sizes can be changed
    } cases[] = {{1, TFormRgn::rsEllipse, false}, {2, TFormRgn::rsRect, false}, {0, TFormRgn::rsRoundRect, true}};
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Form4->RadioGroup8.SetItemIndex(c.index);
        EXPECT_EQ(Read("Mini", "style"), std::to_string(c.index));
        ASSERT_NE(Form27, nullptr);
        EXPECT_EQ(Form27->FormRgn1.GetStyle(), c.shape);
        EXPECT_EQ(Form4->SpinEdit13.Enabled(), c.corners);
        EXPECT_EQ(Form4->SpinEdit14.Enabled(), c.corners);
    }
    Form4->SpinEdit13.SetValue(7);
    Form4->SpinEdit14.SetValue(9);
    EXPECT_EQ(Read("Mini", "RgnWidth"), "7");
    EXPECT_EQ(Read("Mini", "RgnHeight"), "9");
    EXPECT_EQ(Form27->FormRgn1.RgnWidth(), 7);
    EXPECT_EQ(Form27->FormRgn1.RgnHeight(), 9);
    // Opened again, the shape's corners stay off for a stored ellipse.
    settings::Open().WriteInteger("Mini", "style", 1);
    Reopen();
    EXPECT_FALSE(Form4->SpinEdit13.Enabled());
}

// ---- the phone-book page ----

TEST_F(Setup, PhoneBookColumnTitlesBelongToTheChosenPage) {
    auto ini = settings::Open();
    ini.WriteString("TelePhone", "Title_3", "さ行");
    ini.WriteString("TelePhone", "3Section_1", "名前");
    ini.WriteString("TelePhone", "0Section_1", "担当者");
    Open();
    TForm4& f = *Form4;
    EXPECT_EQ(f.TabControl1.Tabs[3], "さ行");
    EXPECT_EQ(f.Edit5.Text(), "担当者");
    f.TabControl1.SetTabIndex(3);
    EXPECT_EQ(f.Edit3.Text(), "さ行");
    EXPECT_EQ(f.GroupBox17.Caption(), "さ行 の項目タイトル");
    EXPECT_EQ(f.Edit4.Text(), "会社名・所属");
    EXPECT_EQ(f.Edit5.Text(), "名前");
    EXPECT_EQ(f.HeaderControl1.SectionText(1), "名前");
    EXPECT_EQ(f.HeaderControl1.SectionCount(), 5);

    struct Column {
        tk::Edit* edit;
        const char *key, *title;
    } columns[] = {{&f.Edit4, "3Section_0", "会社"}, {&f.Edit5, "3Section_1", "氏名２"}, {&f.Edit6, "3Section_2", "電話"},
                   {&f.Edit8, "3Section_3", "メール"}, {&f.Edit9, "3Section_4", "ホーム"}};
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(columns[c].key);
        columns[c].edit->SetText(columns[c].title);
        EXPECT_EQ(Read("TelePhone", columns[c].key), columns[c].title);
        EXPECT_EQ(f.HeaderControl1.SectionText(c), columns[c].title);
    }
    // The reset changes the chosen page's titles only.
    f.BitBtn38.Click();
    const char* defaults[5] = {"会社名・所属", "氏名", "電話番号", "E-Mail", "Webページ"};
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(columns[c].key);
        EXPECT_EQ(Read("TelePhone", columns[c].key), defaults[c]);
        EXPECT_EQ(f.HeaderControl1.SectionText(c), defaults[c]);
    }
    EXPECT_EQ(Read("TelePhone", "0Section_1"), "担当者");
    EXPECT_EQ(Read("TelePhone", "0Section_0"), "(none)");

    // Page titles: typed, then all reset unless the question is answered No.
    f.Edit3.SetText("サ");
    EXPECT_EQ(Read("TelePhone", "Title_3"), "サ");
    EXPECT_EQ(f.TabControl1.Tabs[3], "サ");
    answers = {IDNO};
    f.BitBtn37.Click();
    EXPECT_EQ(boxes.back(), "全ての項目がデフォルトになります。\rよろしいですか？");
    EXPECT_EQ(Read("TelePhone", "Title_3"), "サ");
    answers = {IDYES};
    f.BitBtn37.Click();
    EXPECT_EQ(Read("TelePhone", "Title_3"), "さ");
    EXPECT_EQ(Read("TelePhone", "Title_11"), "他");
    EXPECT_EQ(f.TabControl1.Tabs[3], "さ");
    EXPECT_EQ(f.Edit3.Text(), "さ");
    EXPECT_EQ(f.GroupBox17.Caption(), "さ の項目タイトル");
    EXPECT_EQ(Read("TelePhone", "3Section_1"), "氏名");
}

TEST_F(Setup, PhoneBookProgramsDialerAndTones) {
    std::string browser = dir + "\\ブラウザ.exe";
    tk::WriteFileBytes(browser, "MZ");
    struct Case {
        const char* what;
        tk::BitBtn TForm4::*button;
        tk::Edit TForm4::*edit;
        const char* key;
        std::string typed, proposed, chosen;  // chosen empty: the dialog is cancelled
        std::string stored;
    } cases[] = {
        {"an existing browser proposed", &TForm4::BitBtn40, &TForm4::Edit10, "Browser", browser, browser,
         "C:\\ソフト\\web.exe", "C:\\ソフト\\web.exe"},
        {"a missing mailer not proposed", &TForm4::BitBtn41, &TForm4::Edit11, "Mailer", "C:\\nowhere\\mail.exe", "",
         "C:\\表\\mail.exe", "C:\\表\\mail.exe"},
        {"a program with parameters", &TForm4::BitBtn41, &TForm4::Edit11, "Mailer", "mail.exe?/new", "", "",
         "mail.exe?/new"},
        {"cancelled", &TForm4::BitBtn40, &TForm4::Edit10, "Browser", browser, browser, "", browser},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (Form4->*c.edit).SetText(c.typed);
        EXPECT_EQ(Read("TelePhone", c.key), c.typed);
        std::string proposed = "(not run)";
        dialog = [&](tk::CommonDialog& d) {
            EXPECT_EQ(d.Kind(), tk::DialogKind::Open);
            auto& open = static_cast<tk::OpenDialog&>(d);
            EXPECT_NE(open.Options & tk::ofHideReadOnly, 0);
            proposed = open.FileName;
            if (c.chosen.empty()) return false;
            open.FileName = c.chosen;
            return true;
        };
        (Form4->*c.button).Click();
        EXPECT_EQ(proposed, c.proposed);
        EXPECT_EQ(Read("TelePhone", c.key), c.stored);
        EXPECT_EQ((Form4->*c.edit).Text(), c.stored);
    }
    for (bool close : {true, false}) {
        Form4->CheckBox19.SetChecked(close);
        EXPECT_EQ(Read("TelePhone", "Close"), close ? "1" : "0");
        EXPECT_EQ(Form4->Edit7.Enabled(), close);
    }
    Form4->Edit7.SetText("電話ダイヤラ");
    EXPECT_EQ(Read("TelePhone", "CloseTitle"), "電話ダイヤラ");
    Form4->SpinEdit17.SetValue(250);
    EXPECT_EQ(Read("TelePhone", "Sleep"), "250");
    EXPECT_EQ(Read("Mini", "exec"), "(none)");  // nothing here opens the mini clock
}
