// The settings window: opening it writes nothing, the user's first changes are written, the
// folder and password rules, the holiday keys, the colour dialogs and the new-memo placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <deque>

#include "mainwindow/Main.h"
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

class Setup : public ::testing::Test {
protected:
    std::string dir, ini;
    std::vector<std::string> boxes, cues;
    std::deque<int> answers;  // to the message boxes, in turn; OK once they run out
    std::function<bool(tk::CommonDialog&)> dialog = [](tk::CommonDialog&) { return false; };
    std::string typedPassword;

    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        dir = std::string(tmp) + "orbal-setup-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        tk::ForceDirectories(dir);
        ini = dir + "\\orbal98.ini";
        DeleteFileA(ini.c_str());
        settings::SetIniPathForTest(ini);
        auto f = settings::Open();
        f.WriteInteger("Form", "Open", 1);
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", dir);
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { cues.push_back(c.name); });
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            if (answers.empty()) return IDOK;
            int a = answers.front();
            answers.pop_front();
            return a;
        });
        tk::SetDialogHookForTest([this](tk::CommonDialog& d) { return dialog(d); });
        SetPasswordPromptHookForTest([this](TForm34& f) { f.Edit5.SetText(typedPassword); });
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void TearDown() override {
        if (Form1) Form1->Destroy();
        EXPECT_EQ(Form4, nullptr);
        SetPasswordPromptHookForTest(nullptr);
        tk::SetDialogHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        tk::SetSoundHookForTest(nullptr);
        settings::SetIniPathForTest("");
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
          {"Calendar", "before", "15"}},
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
