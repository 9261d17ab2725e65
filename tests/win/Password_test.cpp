// The password prompt (setting, changing, refusing a password the settings file would alter, the
// note and the stamps it shows) and the check in front of the private tools.
#include <gtest/gtest.h>
#include <windows.h>

#include "notes/password.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"
#include "toolkit/rtl/DateTime.h"

namespace {

const char kStamp[] = "2001/05/03 14:05:09";

class Password : public wintest::WindowTest {
protected:
    std::string ini;
    int prompts = 0;

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-pass-");
        ASSERT_TRUE(tk::DirectoryExists(dir));
        ini = dir + "\\orbal98.ini";
        settings::SetIniPathForTest(ini);
        settings::Open().WriteString("Calendar", "Directory", dir);
        FixClock(rtl::EncodeDate(2001, 5, 3) + rtl::EncodeTime(14, 5, 9, 0));
        answer = IDOK;
    }
    void TearDown() override {
        SetPasswordPromptHookForTest(nullptr);
    }
    std::string Read(const char* key, const char* def = "(none)") {
        return settings::Open().ReadString("Password", key, def);
    }
    // The prompt as the user leaves it: typed into and maybe set.
    void Answer(std::function<void(TForm34&)> typing) {
        SetPasswordPromptHookForTest([this, typing](TForm34& f) {
            ++prompts;
            typing(f);
        });
    }
};

}  // namespace

TEST_F(Password, SettingStoresOnlyWhatReadsBackUnchanged) {
    struct Case {
        const char* stored;  // nullptr: none
        const char *current, *fresh, *again;
        const char* message;  // the first box
        const char* after;    // what reads back from the file afterwards
    } cases[] = {
        {nullptr, "", "abc", "abc", "パスワードを変更しました。", "abc"},
        {nullptr, "", "a b", "a b", "パスワードを変更しました。", "a b"},
        {nullptr, "", "\"a", "\"a", "パスワードを変更しました。", "\"a"},
        {nullptr, "", "表ソ能", "表ソ能", "パスワードを変更しました。", "表ソ能"},
        {nullptr, "", "", "", "パスワードが不正なので変更しませんでした。", "(none)"},
        {nullptr, "", "abc", "abd", "パスワードが不正なので変更しませんでした。", "(none)"},
        {nullptr, "", "   ", "   ", "パスワードが不正なので変更しませんでした。", "(none)"},
        {nullptr, "", " a ", " a ", "パスワードが不正なので変更しませんでした。", "(none)"},
        {nullptr, "", "\"q\"", "\"q\"", "パスワードが不正なので変更しませんでした。", "(none)"},
        {nullptr, "", "'q'", "'q'", "パスワードが不正なので変更しませんでした。", "(none)"},
        {"old", "wrong", "new", "new", "パスワードが異なるので変更しませんでした。", "old"},
        {"old", "old", "new", "new", "パスワードを変更しました。", "new"},
        {"old", "old", "new ", "new ", "パスワードが不正なので変更しませんでした。", "old"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.fresh) + "|" + c.again);
        auto f = settings::Open();
        f.EraseSection("Password");
        if (c.stored) f.WriteString("Password", "Password", c.stored);
        boxes.clear();
        TForm34 prompt;
        EXPECT_EQ(prompt.Edit4.Enabled(), c.stored != nullptr);
        EXPECT_EQ(prompt.Edit6.Enabled(), c.stored == nullptr);  // without one, it must be set first
        prompt.Edit4.SetText(c.current);
        EXPECT_TRUE(prompt.Edit6.Enabled());
        prompt.Edit6.SetText(c.fresh);
        prompt.Edit7.SetText(c.again);
        prompt.CheckBox1.SetChecked(true);
        prompt.BitBtn1Click();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0], c.message);
        EXPECT_EQ(Read("Password"), c.after);
        bool changed = std::string(c.message) == "パスワードを変更しました。";
        EXPECT_EQ(boxes.size(), changed ? 6u : 1u);  // the change is followed by five warnings
        EXPECT_EQ(prompt.Edit5.Text(), changed ? c.fresh : "");
        EXPECT_EQ(Read("tel"), changed ? "1" : "(none)");
    }
}

TEST_F(Password, TheGateComparesStampsAndTellsAWrongEntry) {
    struct Case {
        const char* what;
        const char* file;  // the [Password] section's lines as stored
        PrivateTool tool;
        const char* entry;  // nullptr: the prompt must not be shown
        bool opens;
        const char* stampKey;
    } cases[] = {
        {"lock off", "Use=0\r\nPassword=abc\r\n", PrivateTool::Diary, nullptr, true, "Diary"},
        {"no lock settings", "", PrivateTool::Period, nullptr, true, "Period"},
        {"right", "Use=1\r\nPassword=abc\r\n", PrivateTool::Diary, "abc", true, "Diary"},
        {"wrong", "Use=1\r\nPassword=abc\r\n", PrivateTool::Diary, "abd", false, nullptr},
        {"case matters", "Use=1\r\nPassword=abc\r\n", PrivateTool::Period, "ABC", false, nullptr},
        {"none stored, empty entry", "Use=1\r\n", PrivateTool::Diary, "", false, nullptr},
        {"blank stored, empty entry", "Use=1\r\nPassword=   \r\n", PrivateTool::Diary, "", false, nullptr},
        {"quotes stored, empty entry", "Use=1\r\nPassword=\"\"\r\n", PrivateTool::Diary, "", false, nullptr},
        {"phone book not covered", "Use=1\r\nPassword=abc\r\n", PrivateTool::Telephone, nullptr, true, "Telephone"},
        {"phone book covered", "Use=1\r\nTel=1\r\nPassword=abc\r\n", PrivateTool::Telephone, "abc", true, "Telephone"},
        {"phone book wrong", "Use=1\r\ntel=1\r\nPassword=abc\r\n", PrivateTool::Telephone, "x", false, nullptr},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        tk::WriteFileBytes(ini, std::string("[Password]\r\n") + c.file);
        boxes.clear();
        prompts = 0;
        Answer([&](TForm34& f) { f.Edit5.SetText(c.entry ? c.entry : "?"); });
        EXPECT_EQ(PasswordGate(nullptr, c.tool), c.opens);
        EXPECT_EQ(prompts, c.entry ? 1 : 0);
        EXPECT_EQ(Form34, nullptr);  // the prompt is freed
        EXPECT_EQ(boxes, c.opens ? std::vector<std::string>{} : std::vector<std::string>{"パスワードが違います。"});
        for (const char* key : {"Diary", "Telephone", "Period"})
            EXPECT_EQ(Read(key), c.stampKey && std::string(key) == c.stampKey ? kStamp : "(none)") << key;
    }
}

TEST_F(Password, APasswordSetInThePromptOpensTheToolAtOnce) {
    settings::Open().WriteBool("Password", "Use", true);
    Answer([](TForm34& f) {
        EXPECT_FALSE(f.Edit5.Enabled());
        EXPECT_FALSE(f.BitBtn2.Enabled());
        f.Edit6.SetText("secret");
        f.Edit7.SetText("secret");
        f.BitBtn1Click();
    });
    EXPECT_TRUE(PasswordGate(nullptr, PrivateTool::Diary));
    EXPECT_EQ(Read("Password"), "secret");
    EXPECT_EQ(Read("Diary"), kStamp);
    EXPECT_EQ(boxes.size(), 6u);
}

TEST_F(Password, ThePromptShowsTheStampsAndKeepsTheNote) {
    auto f = settings::Open();
    f.WriteString("Password", "Password", "abc");
    f.WriteString("Password", "Diary", "1999/01/15 21:07:45");
    std::string note = dir + "\\Password\\message.txt";
    {
        TForm34 prompt;
        EXPECT_EQ(prompt.Caption(), "Password?");
        EXPECT_EQ(prompt.Edit1.Text(), "1999/01/15 21:07:45");
        EXPECT_EQ(prompt.Edit2.Text(), "アクセスありません。");
        EXPECT_EQ(prompt.Edit3.Text(), "アクセスありません。");
        EXPECT_TRUE(tk::DirectoryExists(dir + "\\Password"));
        EXPECT_FALSE(tk::FileExists(note));  // nothing written until the user types
        EXPECT_EQ(prompt.Memo1.Lines[0], "ここは自由に書きこめます。");
        EXPECT_TRUE(prompt.Edit5.Enabled());
        EXPECT_FALSE(prompt.BitBtn2.Enabled());
        prompt.Edit5.SetText("a");
        EXPECT_TRUE(prompt.BitBtn2.Enabled());
        prompt.Edit5.SetText("");
        EXPECT_FALSE(prompt.BitBtn2.Enabled());
        prompt.Memo1.Lines.Assign(std::vector<std::string>{"家族へ：", "開けないでね"});
    }
    std::string bytes;
    ASSERT_TRUE(tk::ReadFileBytes(note, bytes));
    EXPECT_EQ(bytes, "家族へ：\r\n開けないでね\r\n");
    TForm34 again;
    EXPECT_EQ(again.Memo1.Lines.Text(), "家族へ：\r\n開けないでね\r\n");
    EXPECT_TRUE(boxes.empty());
}

// Each box after a change comes with one beep of its own kind: the default, then a hand for each warning.
TEST_F(Password, EachBoxAfterAChangeBeepsOnce) {
    std::vector<std::pair<UINT, UINT>> shown, want(6, {0, MB_ICONHAND});  // icon, beep
    want[0] = {MB_ICONINFORMATION, MB_OK};
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) { return shown.push_back({c.type & MB_ICONMASK, c.beep}), IDOK; });
    TForm34 prompt;
    prompt.Edit6.SetText("abc");
    prompt.Edit7.SetText("abc");
    prompt.BitBtn1Click();
    EXPECT_EQ(shown, want);
}

// A note that cannot be read is shown read-only and never saved over; a failed save is told once.
TEST_F(Password, TheNoteIsNeverLostWithoutAWord) {
    std::string note = dir + "\\Password\\message.txt";
    tk::ForceDirectories(dir + "\\Password");
    ASSERT_TRUE(tk::WriteFileBytes(note, "家族へ\r\n"));
    {
        HANDLE held = CreateFileA(note.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        TForm34 prompt;
        EXPECT_TRUE(prompt.Memo1.ReadOnly());
        wintest::Type(prompt.Memo1.Handle, "x");
        CloseHandle(held);
        prompt.Memo1.Lines.Add("y");
    }
    EXPECT_EQ(Bytes(note), "家族へ\r\n");
    TForm34 prompt;
    SetFileAttributesA(note.c_str(), FILE_ATTRIBUTE_READONLY);
    wintest::Type(prompt.Memo1.Handle, "ab");
    SetFileAttributesA(note.c_str(), FILE_ATTRIBUTE_NORMAL);
    wintest::Type(prompt.Memo1.Handle, "c");
    EXPECT_EQ(boxes, (std::vector<std::string>{"メッセージを読み込めませんでした。\r" + note,
                                               "メッセージを保存できませんでした。\r" + note}));
    EXPECT_EQ(Bytes(note), prompt.Memo1.Lines.Text());
}

TEST_F(Password, EnterInTheEntryClosesThePrompt) {
    settings::Open().WriteString("Password", "Password", "abc");
    TForm34 prompt;
    PostMessageA(prompt.Edit5.Handle, WM_CHAR, 'x', 1);
    PostMessageA(prompt.Edit5.Handle, WM_CHAR, '\r', 1);
    EXPECT_EQ(prompt.ShowModal(), tk::mrOk);
    EXPECT_EQ(prompt.Edit5.Text(), "x");
    EXPECT_EQ(cues, std::vector<std::string>{"pas"});
}
