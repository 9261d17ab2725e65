// The phone book window: pages to and from their files, the search page, the column titles'
// widths, dialling through the dialer and the speaker, mail and web, the dialer window closed as
// the window goes, and a page another program holds at the close, a tab change, the search and
// the program's end.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "settings/TelePhone.h"
#include "settings/TelePhoneFile.h"
#include "tests/win/WinTest.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"
#include "toolkit/Telephony.h"

namespace {

std::vector<std::string>* gSleeps = nullptr;

using wintest::HeldByAnotherProgram;

class PhoneBook : public ::testing::Test {
protected:
    std::string dir, tel;
    std::vector<std::string> sounds, sleeps, launches, closes;
    std::vector<tk::MakeCall> calls;
    std::vector<tk::MsgBoxCall> boxes;
    std::function<int(const tk::MsgBoxCall&)> answer;  // IDOK without it
    void (*oldSleep)(int) = nullptr;

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-phone-");
        tel = dir + "\\Tel";
        wintest::UseAsDataFolder(dir, false);
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { sounds.push_back(c.name); });
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c.file + "|" + c.parameters + "|" + c.directory);
            return true;
        });
        tk::SetCloseWindowHookForTest([this](const std::string& title) {
            closes.push_back(title);
            return true;
        });
        tk::SetMakeCallHookForTest([this](const tk::MakeCall& c) {
            calls.push_back(c);
            return false;  // no dialer installed
        });
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c);
            return answer ? answer(c) : IDOK;
        });
        gSleeps = &sleeps;
        oldSleep = TelePhoneSleep;
        TelePhoneSleep = [](int ms) { gSleeps->push_back(std::to_string(ms)); };
    }
    void TearDown() override {
        if (Form3) Form3->Destroy();
        TelePhoneSleep = oldSleep;
        tk::SetSoundHookForTest(nullptr);
        tk::SetShellLaunchHookForTest(nullptr);
        tk::SetCloseWindowHookForTest(nullptr);
        tk::SetMakeCallHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    TForm3& Open() {
        tk::Application.CreateForm(Form3);
        if (tk::Application.MainForm == Form3) tk::Application.MainForm = nullptr;
        Form3->Show();
        return *Form3;
    }
    void WritePage(int page, const std::string& text) {
        tk::ForceDirectories(tel);
        ASSERT_TRUE(tk::WriteFileBytes(telbook::PageFile(tel, page), text));
    }
    std::string ReadPage(int page) {
        std::string text;
        tk::ReadFileBytes(telbook::PageFile(tel, page), text);
        return text;
    }
    // Windows ends the session: the main window's end-of-work saves run, no window is destroyed.
    static void EndSession() {
        SendMessageA(tk::Application.Handle, WM_QUERYENDSESSION, 0, 0);
        SendMessageA(tk::Application.Handle, WM_ENDSESSION, TRUE, 0);
        tk::Application.Ending = false;
    }
    static int FilledRows(TForm3& f) {
        int n = 0;
        for (int r = 0; r < f.StringGrid1.RowCount(); ++r)
            for (int c = 0; c < telbook::kColumns; ++c)
                if (!f.StringGrid1.Cells(c, r).empty()) {
                    ++n;
                    break;
                }
        return n;
    }
};

}  // namespace

TEST_F(PhoneBook, PagesTheGridCannotHoldAreNeverSavedAndOthersSaveOnEveryTabChange) {
    using namespace std::string_literals;
    std::string big;  // 300 rows of six fields
    for (int i = 0; i < 300; ++i) big.append("c").append(std::to_string(i)).append(",n,1,2,3,extra\r\n");
    const std::string utf16 = "\xFF\xFE"s + "A\0,\0B\0\r\0\n\0"s;  // as another program saves it
    const std::string sheet = "\"Yamada\r\nTaro\",03-1111-0000,taro@example.jp,,\r\nSuzuki,Hanako,03-2222,,\r\n";
    WritePage(0, big);
    WritePage(1, "ACME,Taro,03-1,t@x.jp,\r\n\" \",\" \",\" \",\" \",\" \"\r\n");  // a short file
    WritePage(3, utf16);
    WritePage(4, "RO,Ken,1,,\r\n");
    WritePage(5, sheet);  // a cell of two lines, as a spreadsheet writes it
    SetFileAttributesA(telbook::PageFile(tel, 4).c_str(), FILE_ATTRIBUTE_READONLY);
    TForm3& f = Open();
    ASSERT_EQ(f.Page(), 0);
    EXPECT_EQ(f.StringGrid1.RowCount(), telbook::kRows);
    EXPECT_EQ(FilledRows(f), telbook::kRows);
    EXPECT_EQ(f.StringGrid1.Cells(4, 255), "3");  // shown as far as the grid goes
    // ...said, and not editable, as a page that cannot be read.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("0.CSV"), std::string::npos);
    EXPECT_EQ(f.StringGrid1.Options() & tk::goEditing, 0);

    f.SetPage(1);
    EXPECT_EQ(ReadPage(0), big);  // not cut to 256 rows of five fields
    EXPECT_EQ(f.StringGrid1.Cells(1, 0), "Taro");
    EXPECT_EQ(f.EditAndDial1.Text(), "03-1");  // the first row is selected on loading
    EXPECT_TRUE(f.BitBtn2.Enabled());
    EXPECT_FALSE(f.BitBtn3.Enabled());
    EXPECT_EQ(f.StringGrid1.Cells(0, 1), "");
    EXPECT_NE(f.StringGrid1.Options() & tk::goEditing, 0);

    // A page without a file shows empty and gets its file on leaving it.
    f.SetPage(2);
    EXPECT_EQ(FilledRows(f), 0);
    f.StringGrid1.SetCells(2, 0, "0120");
    f.SetPage(3);
    std::string saved = ReadPage(2);
    EXPECT_EQ(saved.substr(0, saved.find("\r\n")), R"(" "," ",0120," "," ")");
    ASSERT_EQ(boxes.size(), 2u);  // the UTF-16 page, as the long one
    EXPECT_NE(boxes[1].text.find("3.CSV"), std::string::npos);
    EXPECT_EQ(f.StringGrid1.Options() & tk::goEditing, 0);
    // A page marked read-only is said as it shows, before anything is typed into it.
    f.SetPage(4);
    SetFileAttributesA(telbook::PageFile(tel, 4).c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[2].text.find("読み取り専用"), std::string::npos);
    EXPECT_EQ(f.StringGrid1.Options() & tk::goEditing, 0);
    f.SetPage(5);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].text.find("電話帳を読み込めませんでした。\r" + telbook::PageFile(tel, 5)), 0u);
    // Closed on such pages, none is written, nor by the session's end.
    EndSession();
    SendMessageA(f.Handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wintest::PumpUntil([] { return !Form3; }));
    EXPECT_EQ(ReadPage(3), utf16);
    EXPECT_EQ(ReadPage(0), big);
    EXPECT_EQ(ReadPage(5), sheet);
    EXPECT_EQ(boxes.size(), 4u);
}

TEST_F(PhoneBook, SearchFillsTheResultPageWithAtMostAGridOfHits) {
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += "Co" + std::to_string(i) + ",Name,03-" + std::to_string(i) + ",,\r\n";
    for (int page : {0, 4, 11}) WritePage(page, hundred);
    WritePage(5, "アイ,A田,090,,\r\n");
    TForm3& f = Open();
    struct Case {
        const char* text;
        int lines;  // in 12.CSV
        int rows;   // on the page
    };
    const Case cases[] = {
        {"03-", 300, 256},
        {"A", 1, 1},  // ア holds the byte of "A" but does not match
        {"nobody", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        f.Edit1.SetText(c.text);
        f.BitBtn4Click();
        EXPECT_EQ(f.Page(), telbook::kSearchPage);
        std::string found = ReadPage(telbook::kSearchPage);
        EXPECT_EQ(std::count(found.begin(), found.end(), '\n'), c.lines);
        EXPECT_EQ(FilledRows(f), c.rows);
        EXPECT_EQ(f.StatusBar1.SimpleText(), std::string("「") + c.text + "」の検索を終了しました。");
        EXPECT_EQ(f.StringGrid1.Options() & tk::goEditing, 0);  // results are not edited
    }
}

TEST_F(PhoneBook, TitleWidthsFollowTheBordersAndResetWhenTooWide) {
    TForm3& f = Open();
    auto keys = [&] {
        std::vector<int> v;
        for (int c = 0; c < 4; ++c)
            v.push_back(settings::Open().ReadInteger("TelePhone", "0Width_" + std::string(1, char('A' + c)), -1));
        return v;
    };
    f.Panel5.SetWidth(140);
    f.ColumnBorderMoved();
    EXPECT_EQ(keys(), (std::vector<int>{100, 140, 100, 100}));
    EXPECT_EQ(f.StringGrid1.ColWidths(1), 140);
    EXPECT_EQ(f.Panel7.Left(), f.Panel5.Left() + 141);  // the titles after it moved along

    f.Panel3.SetWidth(f.Panel2.ClientWidth());
    f.ColumnBorderMoved();
    EXPECT_EQ(keys(), (std::vector<int>{100, 100, 100, 100}));
    EXPECT_EQ(f.StringGrid1.ColWidths(0), 100);

    // Another page keeps widths of its own.
    settings::Open().WriteInteger("TelePhone", "3Width_B", 60);
    f.SetPage(3);
    EXPECT_EQ(f.Panel5.Width(), 60);
    EXPECT_EQ(f.StringGrid1.ColWidths(1), 60);
}

TEST_F(PhoneBook, DialsTheSelectedRowThroughTheDialerAndTheSpeaker) {
    WritePage(0, "ACME,Taro,\"03,1$2\",,\r\n,Hanako,#9,,\r\n");
    settings::Open().WriteInteger("TelePhone", "Sleep", 40);
    TForm3& f = Open();
    struct Case {
        int row;
        const char* party;
        std::vector<std::string> tones, sleeps;
    };
    const Case cases[] = {
        {0, "Taro(ACME)", {"p0", "p3", "p1", "p2"}, {"40", "40", "3000", "40", "10000", "40"}},
        {1, "Hanako()", {"ps", "p9"}, {"40", "40"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.party);
        f.StringGrid1.FocusCell(0, c.row);
        f.StringGrid1Click();
        calls.clear();
        int buttonClicks = 0;
        f.EditAndDial1.OnButtonClick = [&] { ++buttonClicks; };
        f.EditAndDial1.InnerButton().Click();
        EXPECT_EQ(buttonClicks, 1);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0], (tk::MakeCall{f.StringGrid1.Cells(2, c.row), "", c.party, ""}));
        EXPECT_EQ(f.EditAndDial1.Tag, 1);

        sounds.clear();
        sleeps.clear();
        f.BitBtn1Click();
        EXPECT_EQ(sounds, c.tones);
        EXPECT_EQ(sleeps, c.sleeps);
        EXPECT_TRUE(f.BitBtn1.Enabled());
    }
}

TEST_F(PhoneBook, MailAndWebGoThroughTheShell) {
    WritePage(0, "ACME,Taro,1,t@x.jp,http://x.jp/\r\n");
    struct Case {
        const char* mailer;
        const char* browser;
        std::vector<std::string> launches;
    };
    const Case cases[] = {
        {"", "", {"mailto:t@x.jp||", "http://x.jp/||"}},
        {"C:\\M\\m.exe?/to:", "C:\\B\\b.exe", {"C:\\M\\m.exe|/to:t@x.jp|C:\\M\\", "C:\\B\\b.exe|http://x.jp/|C:\\B\\"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mailer);
        auto ini = settings::Open();
        ini.WriteString("TelePhone", "Mailer", c.mailer);
        ini.WriteString("TelePhone", "Browser", c.browser);
        TForm3& f = Open();
        launches.clear();
        f.BitBtn2.Click();
        f.BitBtn3.Click();
        EXPECT_EQ(launches, c.launches);
        Form3->Destroy();
    }
}

TEST_F(PhoneBook, ClosingTheWindowClosesTheDialerOnlyByAStoredTitle) {
    struct Case {
        const char* close;
        const char* title;  // nullptr: the key is absent
        std::vector<std::string> closes;
    };
    const Case cases[] = {
        {"0", nullptr, {}},
        {"1", nullptr, {"ﾀﾞｲﾔﾗｰ"}},
        {"1", "電話", {"電話"}},
        {"1", "", {}},  // an empty title would pick some untitled window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title ? c.title : "(absent)");
        auto ini = settings::Open();
        ini.WriteString("TelePhone", "Close", c.close);
        if (c.title) ini.WriteString("TelePhone", "CloseTitle", c.title);
        else ini.DeleteKey("TelePhone", "CloseTitle");
        closes.clear();
        Open().Destroy();
        EXPECT_EQ(closes, c.closes);
    }
    // The bounds and the tab are kept ([Telephone] and [TelePhone] are one section).
    auto ini = settings::Open();
    EXPECT_TRUE(ini.ValueExists("TelePhone", "top"));
    EXPECT_TRUE(ini.ValueExists("TelePhone", "Width"));
    EXPECT_EQ(ini.ReadInteger("TelePhone", "Tab", -1), 0);
}

TEST_F(PhoneBook, LockAndReorderModesSetTheGrid) {
    TForm3& f = Open();
    struct Case {
        bool lock, reorder;
        int options, cols, fixed;
    };
    const Case cases[] = {
        {false, false, tk::goEditing | tk::goRangeSelect | tk::goRowMoving, 5, 0},
        {true, false, tk::goRowSelect | tk::goRowMoving, 5, 0},
        {true, true, tk::goRowSelect | tk::goRowMoving, 6, 5},
        {false, true, tk::goEditing | tk::goRangeSelect | tk::goRowMoving, 6, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lock << c.reorder);
        if (f.CheckBox1.Checked() != c.lock) f.EditLock1->Click();
        if (f.CheckBox2.Checked() != c.reorder) f.Reorder1->Click();
        EXPECT_EQ(f.StringGrid1.Options(), c.options);
        EXPECT_EQ(f.StringGrid1.ColCount(), c.cols);
        EXPECT_EQ(f.StringGrid1.FixedCols(), c.fixed);
        EXPECT_EQ(settings::Open().ReadBool("TelePhone", "Edit", false), c.lock);
        EXPECT_EQ(settings::Open().ReadBool("TelePhone", "Sort", false), c.reorder);
    }
    // Saving in the reorder mode still writes five fields a row.
    f.StringGrid1.SetCells(0, 0, "x");
    f.FormClick();
    std::string text = ReadPage(0);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), R"(x," "," "," "," ")");
}

TEST_F(PhoneBook, APageThatCannotBeReadIsNeverWrittenAndTheSessionEndSavesThePageShown) {
    const std::string page1 = "ACME,Taro,03-1,,\r\n";
    WritePage(0, "Co,Hanako,03-2,,\r\n");
    WritePage(1, page1);
    // Another program holds the page open, denying reading.
    HANDLE held = CreateFileA(telbook::PageFile(tel, 1).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TForm3& f = Open();
    f.SetPage(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("1.CSV"), std::string::npos);
    f.CheckBox1.SetChecked(true);
    f.CheckBox1.SetChecked(false);  // unlocking does not make it editable
    EXPECT_EQ(f.StringGrid1.Options() & tk::goEditing, 0);
    // The search names the page it could not read and still finds the others.
    f.Edit1.SetText("03-");
    f.BitBtn4Click();
    EXPECT_EQ(FilledRows(f), 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].text.find("あ (1.CSV)"), std::string::npos);
    // Once it is let go, neither the session end nor a tab change writes the empty grid over it.
    f.SetPage(1);
    CloseHandle(held);
    EndSession();
    f.SetPage(0);
    EXPECT_EQ(ReadPage(1), page1);
    f.SetPage(1);
    EXPECT_EQ(f.StringGrid1.Cells(1, 0), "Taro");  // read now, and editable again
    EXPECT_NE(f.StringGrid1.Options() & tk::goEditing, 0);
    f.StringGrid1.SetCells(1, 0, "Jiro");
    boxes.clear();
    EndSession();  // saves the page shown, now that it was read, without a word
    EXPECT_EQ(telbook::ParsePage(ReadPage(1))[0][1], "Jiro");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PhoneBook, ARowTypedIntoAPageAnotherProgramHoldsStaysUntilItIsSavedOrTheUserLetsItGo) {
    WritePage(0, "Co,Hanako,03-2,,\r\n");
    tk::Form main({.caption = "main"});
    std::shared_ptr<void> restore(nullptr, [was = tk::Application.MainForm](void*) { tk::Application.MainForm = was; });
    tk::Application.MainForm = &main;
    TForm3& f = Open();
    auto held = HeldByAnotherProgram(telbook::PageFile(tel, 0));
    SetForegroundWindow(f.Handle);
    f.StringGrid1.FocusCell(1, 1);
    f.StringGrid1.SetFocus();
    for (char key : std::string("JIRO")) wintest::PressKey(key);
    ASSERT_TRUE(wintest::PumpUntil([&] { return f.StringGrid1.EditorMode() && f.StringGrid1.Cells(1, 1) == "jiro"; }));
    // The close, a click on another tab and the search each say so and stay on the page.
    RECT tab;
    SendMessageA(f.TabControl1.Handle, TCM_GETITEMRECT, 1, (LPARAM)&tab);
    POINT onTab{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ClientToScreen(f.TabControl1.Handle, &onTab);
    const std::function<void()> leaving[] = {[&] { SendMessageA(f.Handle, WM_CLOSE, 0, 0); },
                                             [&] { wintest::Click(f.TabControl1.Handle, onTab); },
                                             [&] { f.BitBtn4.Click(); }};
    for (const auto& leave : leaving) {
        boxes.clear();
        leave();
        ASSERT_TRUE(wintest::PumpUntil([&] { return !boxes.empty(); }));
        wintest::Pump();
        ASSERT_EQ(Form3, &f);
        EXPECT_EQ(f.Page(), 0);
        EXPECT_EQ(f.StringGrid1.Cells(1, 1), "jiro");
        EXPECT_EQ(boxes[0].text.find("電話帳を保存できませんでした。\r" + telbook::PageFile(tel, 0)), 0u);
    }
    // The program's end, and the session's, ask about it by the window's name; 中止 keeps both.
    answer = [](const tk::MsgBoxCall&) { return IDABORT; };
    boxes.clear();
    SendMessageA(main.Handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(SendMessageA(tk::Application.Handle, WM_QUERYENDSESSION, 0, 0), FALSE);
    ASSERT_EQ(boxes.size(), 2u);
    for (const tk::MsgBoxCall& box : boxes) {
        EXPECT_NE(box.text.find("「簡易電話帳」"), std::string::npos);
        EXPECT_EQ(box.type & MB_TYPEMASK, (UINT)MB_ABORTRETRYIGNORE);
    }
    EXPECT_EQ(f.StringGrid1.Cells(1, 1), "jiro");
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // 再試行 once the other program let the file go saves the row, and the program ends.
    answer = [&](const tk::MsgBoxCall&) {
        held.reset();
        return IDRETRY;
    };
    SendMessageA(main.Handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(telbook::ParsePage(ReadPage(0))[1][1], "jiro");
}
