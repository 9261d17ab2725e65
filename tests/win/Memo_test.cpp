// Sticky memos: the store's names, counter and group sections, the memo window's small mode,
// drops, pasted pictures, wallpaper and printing, and the saves at the end of the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <utility>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "notes/MemoDrop.h"
#include "notes/MemoNames.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "tests/win/DropFiles.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"
#include "toolkit/rtl/Streams.h"

namespace ms = inikey::MemoStore;

namespace {

void RemoveFiles(const std::string& folder) {
    tk::TSearchRec r;
    for (int found = tk::FindFirst(folder + "\\*", tk::faAnyFile & ~tk::faDirectory, r); found == 0;
         found = tk::FindNext(r)) {
        std::string path = folder + "\\" + r.Name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    tk::FindClose(r);
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = (const char*)GlobalLock(h);
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

// A w x h picture of one colour on the clipboard, as a bitmap or as a packed DIB.
void PutPictureOnClipboard(int w, int h, bool dib) {
    tk::TBitmap b(w, h);
    b.Canvas().Brush.Color = tk::clRed;
    b.Canvas().FillRect({0, 0, w, h});
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (dib) {
        std::string bytes = b.BmpFileBytes();
        size_t size = bytes.size() - sizeof(BITMAPFILEHEADER);
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(mem), bytes.data() + sizeof(BITMAPFILEHEADER), size);
        GlobalUnlock(mem);
        SetClipboardData(CF_DIB, mem);
    } else {
        HDC screen = GetDC(nullptr);
        HBITMAP copy = CreateCompatibleBitmap(screen, w, h);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, copy);
        BitBlt(dc, 0, 0, w, h, b.Canvas().Handle, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        SetClipboardData(CF_BITMAP, copy);
    }
    CloseClipboard();
}

std::string Rtf(const tk::RichEdit& re) {
    rtl::TMemoryStream s;
    re.SaveToStream(s);
    return s.Bytes();
}

class Memos : public ::testing::Test {
public:
    std::string dir, ini, M;
    std::vector<std::string> cues, boxes;
    int answer = IDYES;
    std::function<void()> duringBox;  // run once, while the next box is up

    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        dir = std::string(tmp) + "orbal-memo-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        tk::ForceDirectories(dir + "\\Memo");
        RemoveFiles(dir + "\\Memo");
        RemoveFiles(dir);
        ini = dir + "\\orbal98.ini";
        M = dir + "\\Memo\\";
        settings::SetIniPathForTest(ini);
        auto f = settings::Open();
        f.WriteInteger("Form", "Open", 1);
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", dir);
        f.WriteInteger("Form", "Delete", 1);
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { cues.push_back(c.name); });
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            if (auto act = std::exchange(duringBox, nullptr)) act();
            return answer;
        });
    }
    void TearDown() override {
        for (TForm18* m : OpenMemoWindows()) m->Destroy();
        if (Form1) Form1->Destroy();
        wintest::Pump();
        tk::SetSoundHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        tk::SetDialogHookForTest(nullptr);
        tk::SetWallpaperHookForTest(nullptr);
        memo::SetDropChooserHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    TForm18* NewMemo(int group) {
        Form1->ComboBox1.SetItemIndex(group);
        TForm18* before = Form18;
        Form1->BitBtn9Click();
        return Form18 != before ? Form18 : nullptr;
    }
    // The program ends and starts again: the end-of-program saves (unless it has ended already),
    // every window destroyed, the main window created anew.
    void Restart(bool session, bool ended = false) {
        if (session) {
            SendMessageA(tk::Application.Handle, WM_QUERYENDSESSION, 0, 0);
            SendMessageA(tk::Application.Handle, WM_ENDSESSION, TRUE, 0);
        } else {
            if (!ended) tk::Application.SaveWork(false);
            tk::Application.Ending = true;
        }
        tk::Application.DestroyForms();
        tk::Application.Ending = false;
        wintest::Pump();
        Start();
    }
    tk::TIniFile Ini() { return settings::Open(); }
    // The groups whose list holds name.
    std::vector<int> GroupsOf(const std::string& name) {
        std::vector<int> groups;
        auto f = Ini();
        for (int g = 0; g < ms::Groups; ++g)
            if (f.ValueExists(ms::GroupSection(g, M), name)) groups.push_back(g);
        return groups;
    }
};

TEST_F(Memos, NewMemoTakesTheFirstNameNeverUsed) {
    struct Case {
        const char* what;
        std::function<void(Memos&)> before;
        const char* expected;
    } cases[] = {
        {"first memo ever", [](Memos&) {}, "Memo1"},
        {"after Memo1 was deleted",
         [](Memos& t) {
             TForm18* m = t.NewMemo(0);
             m->SysCommand(11);
             wintest::Pump();
         },
         "Memo2"},
        {"counter reset, Memo1's file left", [](Memos& t) { tk::WriteFileBytes(t.M + "Memo1", "{\\rtf1 x}"); }, "Memo2"},
        {"counter reset, Memo1's window state left",
         [](Memos& t) { t.Ini().WriteInteger(ms::MemoSection("Memo1", t.M), ms::Show, 0); }, "Memo2"},
        {"counter reset, Memo1 listed in a group",
         [](Memos& t) { t.Ini().WriteString(ms::GroupSection(4, t.M), "Memo1", "old"); }, "Memo2"},
        {"counter reset, Memo1 and Memo2 left",
         [](Memos& t) {
             tk::WriteFileBytes(t.M + "Memo1", "{\\rtf1 x}");
             tk::WriteFileBytes(t.M + "Memo2", "{\\rtf1 y}");
         },
         "Memo3"},
    };
    Start();
    for (const Case& c : cases) {
        RemoveFiles(dir + "\\Memo");
        auto f = Ini();
        rtl::TStringList sections;
        f.ReadSections(sections);
        for (int i = 0; i < sections.Count(); ++i)
            if (sections[i].find("Memo") != std::string::npos) f.EraseSection(sections[i]);
        c.before(*this);
        TForm18* m = NewMemo(1);
        ASSERT_NE(m, nullptr) << c.what;
        EXPECT_EQ(m->Name, c.expected) << c.what;
        EXPECT_EQ(m->Caption(), c.expected) << c.what;
        EXPECT_FALSE(tk::FileExists(m->MemoFile())) << c.what;  // nothing existing was taken over
        EXPECT_EQ(Ini().ReadInteger(ms::CountSection(M), ms::Count, 0), memo::MemoNumber(c.expected)) << c.what;
        m->Destroy();
    }
}

TEST_F(Memos, MemoSevenOfGroupThreeKeepsItsSections) {
    Start();
    Ini().WriteInteger(ms::CountSection(M), ms::Count, 6);
    TForm18* m = NewMemo(3);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Name, "Memo7");
    EXPECT_EQ(m->Label2.Caption(), "3_Memo_");
    m->RichEdit1.SetText("七つ目のメモ");
    m->SetBounds(120, 80, 240, 160);
    // Another group shown in the main window changes nothing about this memo's group.
    Form1->ComboBox1.SetItemIndex(5);
    m->Close();
    wintest::Pump();
    auto f = Ini();
    EXPECT_EQ(f.ReadString("3_Memo_" + M, "Memo7", ""), "Memo7");
    EXPECT_EQ(GroupsOf("Memo7"), std::vector<int>{3});
    std::string section = "Memo7_" + M;
    EXPECT_EQ(f.ReadInteger(section, "Show", -1), 0);
    EXPECT_EQ(f.ReadInteger(section, "top", 0), 80);
    EXPECT_EQ(f.ReadInteger(section, "left", 0), 120);
    EXPECT_EQ(f.ReadInteger(section, "Width", 0), 240);
    EXPECT_EQ(f.ReadInteger(section, "Height", 0), 160);
    EXPECT_TRUE(tk::FileExists(M + "Memo7"));
    EXPECT_EQ(cues.back(), "clo");
}

// A memo file that cannot be deleted is reported, and the memo stays in the store.
TEST_F(Memos, AFileThatStaysKeepsTheMemoWhereverItIsDeleted) {
    Start();
    for (bool ownWindow : {false, true}) {
        SCOPED_TRACE(ownWindow ? "from its window" : "from the main window");
        TForm18* m = NewMemo(2);
        ASSERT_NE(m, nullptr);
        const std::string name = m->Name, file = m->MemoFile();
        m->SaveState(true);
        if (!ownWindow) m->Close();
        wintest::Pump();
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        if (ownWindow) {
            m->SysCommand(11);
        } else {
            Form1->BitBtn10Click();
            Form1->ListBox1.SetItemIndex(Form1->ListBox2.Items.IndexOf(name));
            Form1->BitBtn11Click();
        }
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(boxes, std::vector<std::string>{"メモを削除できませんでした。ファイルが読み取り専用か、使用中です。\r\n" + file});
        EXPECT_EQ(GroupsOf(name), std::vector<int>{2});
        EXPECT_TRUE(Ini().SectionExists(ms::MemoSection(name, M)));
        EXPECT_EQ(FindMemoWindow(name) != nullptr, ownWindow);
        if (ownWindow) m->Destroy();
    }
}

// Without a data folder, adding and deleting a memo open the settings window instead.
TEST_F(Memos, NoDataFolderMakesNewAndDeleteOpenTheSettings) {
    Start();
    Ini().WriteString("Calendar", "Directory", ".");
    for (bool del : {false, true}) {
        SCOPED_TRACE(del ? "delete" : "new memo");
        del ? Form1->BitBtn11Click() : Form1->MemoMenu1Click(0, -1);
        wintest::Pump();
        ASSERT_NE(Form4, nullptr);
        EXPECT_TRUE(Form1->Setup1->Checked());
        EXPECT_TRUE(OpenMemoWindows().empty());
        Form4->Close();
        wintest::Pump();
        EXPECT_EQ(Form4, nullptr);  // so that the next command opens it anew
    }
}

TEST_F(Memos, EveryMemoIsListedInExactlyOneGroupAfterRandomWork) {
    Start();
    std::mt19937 rng(20240503);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto showGroup = [&](int g) {
        Form1->ComboBox1.SetItemIndex(g);
        Form1->BitBtn10Click();
        return Form1->ListBox1.Items.Count();
    };
    for (int step = 0; step < 120; ++step) {
        std::vector<TForm18*> open = OpenMemoWindows();
        TForm18* some = open.empty() ? nullptr : open[pick((int)open.size())];
        switch (pick(7)) {
            case 0:
            case 1: NewMemo(pick(ms::Groups)); break;
            case 2:
                if (some) some->SysCommand(11);  // deleted from its own window
                break;
            case 3:
                if (int n = showGroup(pick(ms::Groups))) {
                    Form1->ListBox1.SetItemIndex(pick(n));
                    Form1->BitBtn11Click();  // refused for an open memo
                }
                break;
            case 4:
                if (some) some->Close();
                break;
            case 5:
                // Reopened, then another memo's activation shows another group in the main window.
                if (int n = showGroup(pick(ms::Groups))) Form1->OpenMemo(pick(n), false);
                if (some) some->FormActivate();
                Form1->ComboBox1.SetItemIndex(pick(ms::Groups));
                break;
            case 6:
                if (pick(4) == 0) Restart(pick(2) == 1);
                break;
        }
        wintest::Pump(1);
    }
    for (TForm18* m : OpenMemoWindows()) m->Close();
    wintest::Pump();

    // Every memo that has a file or a window state is in exactly one group, and every group
    // entry is a memo that exists.
    std::map<std::string, int> memos;
    auto f = Ini();
    rtl::TStringList sections;
    f.ReadSections(sections);
    std::string suffix = "_" + M;
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string& s = sections[i];
        if (s.size() <= suffix.size() || rtl::UpperCaseAscii(s.substr(s.size() - suffix.size())) != rtl::UpperCaseAscii(suffix))
            continue;
        std::string name = s.substr(0, s.size() - suffix.size());
        if (memo::MemoNumber(name)) memos[name]++;
    }
    tk::TSearchRec r;
    for (int found = tk::FindFirst(M + "Memo*", tk::faAnyFile & ~tk::faDirectory, r); found == 0; found = tk::FindNext(r))
        if (memo::MemoNumber(r.Name)) memos[r.Name]++;
    tk::FindClose(r);
    ASSERT_GT(memos.size(), 3u);
    for (auto& [name, seen] : memos) EXPECT_EQ(GroupsOf(name).size(), 1u) << name;
    for (int g = 0; g < ms::Groups; ++g) {
        rtl::TStringList keys;
        f.ReadSection(ms::GroupSection(g, M), keys);
        for (int i = 0; i < keys.Count(); ++i) EXPECT_TRUE(memos.count(keys[i])) << keys[i] << " in group " << g;
    }
}

TEST_F(Memos, ShiftDoubleClickCopiesTheTextAndWritesNothing) {
    Start();
    TForm18* m = NewMemo(2);
    m->RichEdit1.SetText("コピーする表の文");
    m->Close();
    wintest::Pump();
    Form1->ComboBox1.SetItemIndex(2);
    Form1->BitBtn10Click();
    std::string iniBefore, fileBefore;
    ASSERT_TRUE(tk::ReadFileBytes(ini, iniBefore));
    ASSERT_TRUE(tk::ReadFileBytes(M + "Memo1", fileBefore));
    cues.clear();

    Form1->OpenMemo(0, true);
    wintest::Pump();
    EXPECT_TRUE(OpenMemoWindows().empty());
    EXPECT_EQ(ClipboardText(), "コピーする表の文");
    EXPECT_EQ(cues, std::vector<std::string>{"cop"});
    std::string iniAfter, fileAfter;
    ASSERT_TRUE(tk::ReadFileBytes(ini, iniAfter));
    ASSERT_TRUE(tk::ReadFileBytes(M + "Memo1", fileAfter));
    EXPECT_EQ(iniAfter, iniBefore);
    EXPECT_EQ(fileAfter, fileBefore);

    // Without Shift the memo opens; a second open brings the same window forward.
    Form1->OpenMemo(0, false);
    Form1->OpenMemo(0, false);
    ASSERT_EQ(OpenMemoWindows().size(), 1u);
    EXPECT_EQ(OpenMemoWindows()[0]->RichEdit1.Text(), "コピーする表の文");
}

TEST_F(Memos, MinimisingMakesTheSmallSquareAndRestoringBringsBackTheBounds) {
    struct Case {
        const char* how;
        bool storedSquare;
    } cases[] = {{"minimise button", false}, {"minimise button", true}, {"minimised window", true}, {"menu", false}};
    Start();
    for (const Case& c : cases) {
        TForm18* m = NewMemo(0);
        ASSERT_NE(m, nullptr);
        HMENU sys = GetSystemMenu(m->Handle, FALSE);
        int items = GetMenuItemCount(sys);
        m->SetBounds(100, 120, 250, 180);
        if (c.storedSquare) {
            Ini().WriteInteger(m->Section(), ms::P_Top, 40);
            Ini().WriteInteger(m->Section(), ms::P_Left, 30);
        }
        std::string how = c.how;
        if (how == "menu") m->K3Click();
        else if (how == "minimise button") SendMessageA(m->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else ShowWindow(m->Handle, SW_MINIMIZE);
        wintest::Pump();
        SCOPED_TRACE(how + (c.storedSquare ? " (stored square)" : ""));
        EXPECT_TRUE(m->IsSmall());
        EXPECT_EQ(m->Width(), 16);
        EXPECT_EQ(m->Height(), 16);
        EXPECT_EQ(m->Left(), c.storedSquare ? 30 : 100);
        EXPECT_EQ(m->Top(), c.storedSquare ? 40 : 120);
        EXPECT_FALSE(GetWindowLongA(m->Handle, GWL_STYLE) & WS_CAPTION);
        EXPECT_TRUE(m->Panel1.Visible());
        EXPECT_FALSE(m->RichEdit1.Visible());
        EXPECT_EQ(m->Panel1.Hint, m->Title());
        EXPECT_TRUE(Ini().ReadBool(m->Section(), ms::peti, false));
        EXPECT_EQ(Ini().ReadInteger(m->Section(), ms::Top, 0), 120);  // saved before it shrank

        // A click on the square restores the memo; a drag moves it and saves where it lies.
        m->SetBounds(60, 70, 16, 16);
        m->SquareReleased(true);
        EXPECT_EQ(Ini().ReadInteger(m->Section(), ms::P_Left, 0), 60);
        m->SquareReleased(false);
        EXPECT_FALSE(m->IsSmall());
        EXPECT_EQ(m->Left(), 100);
        EXPECT_EQ(m->Top(), 120);
        EXPECT_EQ(m->Width(), 250);
        EXPECT_EQ(m->Height(), 180);
        EXPECT_TRUE(GetWindowLongA(m->Handle, GWL_STYLE) & WS_CAPTION);
        EXPECT_TRUE(m->RichEdit1.Visible());
        EXPECT_FALSE(m->Panel1.Visible());
        EXPECT_FALSE(Ini().ReadBool(m->Section(), ms::peti, true));
        // The border changed in place: the system menu keeps its items, once.
        EXPECT_EQ(GetMenuItemCount(GetSystemMenu(m->Handle, FALSE)), items);
        EXPECT_EQ(GetMenuState(sys, 13, MF_BYCOMMAND) & MF_GRAYED, 0u);
        m->Destroy();
    }
}

TEST_F(Memos, MemosOpenAtTheEndReopenInPlace) {
    struct Case {
        bool session;
        bool firstReadOnly;  // the first memo's file cannot be replaced
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.session ? "session end" : "program end") + (c.firstReadOnly ? ", first read-only" : ""));
        for (TForm18* m : OpenMemoWindows()) m->SysCommand(11);
        wintest::Pump();
        TForm18* a = NewMemo(0);
        TForm18* b = NewMemo(2);
        ASSERT_TRUE(a && b);
        a->RichEdit1.SetText("一つ目");
        a->SetBounds(50, 60, 220, 150);
        b->RichEdit1.SetText("二つ目の表");
        b->SetBounds(400, 300, 260, 170);
        b->K3Click();
        b->SetBounds(700, 20, 16, 16);
        if (c.firstReadOnly) {
            ASSERT_TRUE(a->SaveState());
            SetFileAttributesA(a->MemoFile().c_str(), FILE_ATTRIBUTE_READONLY);
            a->RichEdit1.SetText("保存できない変更");
        }
        std::string aName = a->Name, bName = b->Name;
        boxes.clear();
        Restart(c.session);
        SetFileAttributesA((M + aName).c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(OpenMemoWindows().size(), 2u);
        TForm18* a2 = FindMemoWindow(aName);
        TForm18* b2 = FindMemoWindow(bName);
        ASSERT_TRUE(a2 && b2);
        EXPECT_EQ(a2->RichEdit1.Text(), "一つ目");
        EXPECT_EQ(a2->Left(), 50);
        EXPECT_EQ(a2->Top(), 60);
        EXPECT_EQ(a2->Width(), 220);
        EXPECT_EQ(a2->Height(), 150);
        EXPECT_EQ(a2->Group(), 0);
        EXPECT_EQ(b2->RichEdit1.Text(), "二つ目の表");
        EXPECT_TRUE(b2->IsSmall());
        EXPECT_EQ(b2->Left(), 700);
        EXPECT_EQ(b2->Top(), 20);
        EXPECT_EQ(b2->Group(), 2);
        EXPECT_EQ(Form1->ComboBox1.Tag, 1);
        EXPECT_EQ(Form1->ComboBox1.ItemIndex(), 9);  // left on the last group
        // The end tells of a memo it could not save (a session's end before it is forced); reopened,
        // the memo says at once that its file is read-only.
        if (c.firstReadOnly) {
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_NE(boxes[0].find(aName), std::string::npos);
            EXPECT_NE(boxes[1].find("読み取り専用"), std::string::npos);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST_F(Memos, AMemoThatCannotBeSavedStaysOpen) {
    Start();
    TForm18* m = NewMemo(0);
    ASSERT_TRUE(m->SaveState());
    // Another program holds the file open: the close button and the program's end keep the memo.
    auto held = wintest::HeldByAnotherProgram(m->MemoFile());
    wintest::Type(m->RichEdit1.Handle, "changed");
    SendMessageA(m->Handle, WM_CLOSE, 0, 0);
    answer = IDABORT;
    EXPECT_FALSE(tk::Application.SaveWork(false));
    held.reset();
    SetFileAttributesA(m->MemoFile().c_str(), FILE_ATTRIBUTE_READONLY);
    m->Close();
    wintest::Pump();
    EXPECT_EQ(OpenMemoWindows().size(), 1u);
    EXPECT_EQ(m->RichEdit1.Text(), "changed");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[1].find(m->MemoFile()), std::string::npos);
    for (const std::string& b : boxes) EXPECT_NE(b.find("保存できませんでした"), std::string::npos);
    SetFileAttributesA(m->MemoFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    m->Close();
    wintest::Pump();
    EXPECT_TRUE(OpenMemoWindows().empty());
}

TEST_F(Memos, AMemoFileThatCouldNotBeReadIsNeverSavedOver) {
    enum class End { Close, SessionEnd, ProgramEnd, MainCloseButtonDuringItsBox };
    Start();
    TForm18* m = NewMemo(1);
    m->RichEdit1.SetText("他のプログラムが開いていた文");
    const std::string name = m->Name, file = m->MemoFile();
    m->Close();
    wintest::Pump();
    std::string before;
    ASSERT_TRUE(tk::ReadFileBytes(file, before));
    std::string utf16 = "\xFF\xFE";  // 64 bytes
    for (char c : std::string("FIRST utf16 line\r\nsecond line\r\n")) utf16 += {c, '\0'};
    const std::string binary("text\0with a NUL", 15);
    for (int k = 0; k < 8; ++k) {
        // Another program holds the file open, denying reading, while the memo opens; or the file
        // is another program's text (UTF-16; last, one with a NUL byte).
        const bool foreign = k >= 3;
        const End end = k < 6 ? End(k % 3) : End::MainCloseButtonDuringItsBox;
        SCOPED_TRACE((foreign ? "foreign, end " : "held, end ") + std::to_string(int(end)));
        ASSERT_TRUE(!foreign || tk::WriteFileBytes(file, before = k == 7 ? binary : utf16));
        Form1->ComboBox1.SetItemIndex(1);
        Form1->BitBtn10Click();
        boxes.clear();
        HANDLE held = foreign ? nullptr : CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        // The main window's close button, used while the memo says it cannot be read.
        if (end == End::MainCloseButtonDuringItsBox)
            duringBox = [] {
                SendMessageA(Form1->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
                wintest::Pump();
            };
        Form1->OpenMemo(0, false);
        if (held) CloseHandle(held);
        TForm18* lost = FindMemoWindow(name);
        ASSERT_TRUE(lost);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(file), std::string::npos);
        EXPECT_TRUE(lost->RichEdit1.ReadOnly());
        EXPECT_FALSE(lost->ReadOnly1->Enabled());
        wintest::Type(lost->RichEdit1.Handle, "typed over");
        EXPECT_EQ(lost->RichEdit1.Text(), "");
        if (end == End::Close) {
            lost->Close();
            wintest::Pump();
        } else {
            Restart(end == End::SessionEnd, end == End::MainCloseButtonDuringItsBox);
        }
        std::string after;
        ASSERT_TRUE(tk::ReadFileBytes(file, after));
        EXPECT_EQ(after, before);
        // Nothing failed to save; reopened at the next start, it reads the file it kept.
        EXPECT_EQ(boxes.size(), foreign && end != End::Close ? 2u : 1u);
        if (TForm18* again = FindMemoWindow(name)) {
            EXPECT_EQ(again->RichEdit1.Text(), foreign ? "" : "他のプログラムが開いていた文");
            EXPECT_EQ(again->RichEdit1.ReadOnly(), foreign);
            again->Close();
            wintest::Pump();
        }
    }
}

TEST_F(Memos, DroppedFilesGoIntoThisMemoOrNewOnes) {
    struct Case {
        int files;
        int button;  // 1 this memo, 2 new memos, 3 cancel
        const char* second;
        int newMemos;
        const char* thisText;
        bool readOnly = false;  // a box says why, and asks instead of the chooser: Yes for button 2
    } cases[] = {
        {3, 2, "全てのファイルを、新しいメモに読込", 3, "元の文"},
        {3, 1, "全てのファイルを、新しいメモに読込", 0, "ファイル1の表"},
        {1, 2, "新しいメモに読込", 1, "元の文"},
        {1, 3, "新しいメモに読込", 0, "元の文"},
        {1, 2, "", 1, "元の文", true},
        {3, 3, "", 0, "元の文", true},
    };
    std::vector<std::string> files;
    for (int i = 1; i <= 3; ++i) {
        files.push_back(dir + "\\drop" + std::to_string(i) + ".txt");
        tk::WriteFileBytes(files.back(), "ファイル" + std::to_string(i) + "の表");
    }
    Start();
    Ini().WriteBool("Memo", "DropCaption", true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.files) + " files, button " + std::to_string(c.button));
        for (TForm18* m : OpenMemoWindows()) m->SysCommand(11);
        wintest::Pump();
        TForm18* m = NewMemo(4);
        m->RichEdit1.SetText("元の文");
        if (c.readOnly) m->ReadOnly1Click();
        answer = c.button == 2 ? IDYES : IDNO;
        boxes.clear();
        std::string caption, first, second, expected = c.readOnly ? "" : "Drop-[" + m->Caption() + "]";
        memo::SetDropChooserHookForTest([&](TForm31& f) {
            caption = f.Caption();
            first = f.BitBtn1.Caption();
            second = f.BitBtn2.Caption();
            tk::BitBtn* b = c.button == 1 ? &f.BitBtn1 : c.button == 2 ? &f.BitBtn2 : &f.BitBtn3;
            PostMessageA(b->Handle, BM_CLICK, 0, 0);
        });
        std::vector<std::string> dropped(files.begin(), files.begin() + c.files);
        PostMessageA(m->Handle, WM_DROPFILES, (WPARAM)wintest::BuildDrop(dropped), 0);
        wintest::Pump(5);
        EXPECT_EQ(caption, expected);
        ASSERT_EQ(boxes.size(), c.readOnly ? 1u : 0u);
        if (c.readOnly) EXPECT_EQ(boxes[0].find("このメモは読み取り専用です。"), 0u);
        else EXPECT_EQ(first, c.files > 1 ? "最初のファイルのみ、このメモに読込" : "このメモに読込");
        EXPECT_EQ(second, c.second);
        EXPECT_EQ(m->RichEdit1.Text(), c.thisText);
        std::vector<TForm18*> open = OpenMemoWindows();
        ASSERT_EQ((int)open.size(), 1 + c.newMemos);
        for (int i = 0; i < c.newMemos; ++i) {
            TForm18* n = open[1 + i];
            EXPECT_EQ(n->Group(), 4);
            EXPECT_EQ(n->RichEdit1.Text(), "ファイル" + std::to_string(i + 1) + "の表");
            EXPECT_EQ(n->Caption(), files[i]);  // the path as the title
            EXPECT_TRUE(n->Visible());
            EXPECT_EQ(GroupsOf(n->Name), std::vector<int>{4});
            EXPECT_TRUE(tk::FileExists(n->MemoFile()));
        }
    }
}

TEST_F(Memos, PastedPictureIsKeptBesideTheMemoFile) {
    struct Case {
        bool dib;
        int pastePic;
        const char* ext;
    } cases[] = {{false, 0, ".JPG"}, {true, 0, ".JPG"}, {false, 1, ".BMP"}, {true, 1, ".BMP"}};
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dib ? "DIB " : "bitmap ") + c.ext);
        Ini().WriteInteger("Form", "PastePic", c.pastePic);
        TForm18* m = NewMemo(0);
        m->Show();
        m->SetKind(1);
        EXPECT_FALSE(m->RichEdit1.Visible());
        PutPictureOnClipboard(40, 30, c.dib);
        m->Paste1Click();
        std::string path = m->MemoFile() + c.ext;
        EXPECT_TRUE(tk::FileExists(path));
        EXPECT_EQ(Ini().ReadString(m->Section(), ms::BmpFile, ""), path);
        EXPECT_EQ(m->Image1.Picture().Width(), 40);
        EXPECT_EQ(m->Image1.Picture().Height(), 30);
        EXPECT_TRUE(m->Image1.Visible());
        m->SysCommand(11);
        wintest::Pump();
    }
}

TEST_F(Memos, PictureBecomesTheWallpaperThroughTheSeam) {
    Start();
    TForm18* m = NewMemo(0);
    m->Show();
    std::string picture = dir + "\\picture.bmp";
    {
        tk::TBitmap b(48, 24);
        ASSERT_TRUE(b.SaveToFile(picture));
    }
    Ini().WriteString(m->Section(), ms::BmpFile, picture);
    m->SetKind(1);
    std::string proposed, wallpaper, target = dir + "\\wall.bmp";
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        auto& s = static_cast<tk::SaveDialog&>(d);
        proposed = s.FileName;
        s.FileName = target;
        return true;
    });
    bool accepted = true;
    tk::SetWallpaperHookForTest([&](const std::string& p) {
        wallpaper = p;
        return accepted;
    });
    m->WallPaper1Click();
    EXPECT_EQ(proposed, "Tav_WallPaper.BMP");
    EXPECT_EQ(wallpaper, target);
    EXPECT_EQ(Ini().ReadString("MemoWall", "File", ""), target);
    tk::TBitmap back;
    ASSERT_TRUE(back.LoadFromFile(target));
    EXPECT_EQ(back.Width(), 48);
    EXPECT_TRUE(boxes.empty());
    // The next time the last wallpaper is proposed; a refusal is told.
    accepted = false;
    m->WallPaper1Click();
    EXPECT_EQ(proposed, target);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("壁紙に設定できませんでした"), std::string::npos);
}

TEST_F(Memos, AutomaticMemoShowsItsPictureWhileInactive) {
    Start();
    TForm18* m = NewMemo(0);
    std::string picture = dir + "\\auto.bmp";
    {
        tk::TBitmap b(20, 10);
        ASSERT_TRUE(b.SaveToFile(picture));
    }
    Ini().WriteString(m->Section(), ms::BmpFile, picture);
    m->SetKind(2);
    EXPECT_TRUE(m->Auto1->Checked());
    m->FormActivate();
    EXPECT_TRUE(m->RichEdit1.Visible());
    m->FormDeactivate();
    EXPECT_FALSE(m->RichEdit1.Visible());
    EXPECT_TRUE(m->Image1.Visible());
    EXPECT_EQ(m->Image1.Picture().Width(), 20);
    // Reopened at start, it shows the picture until it is activated.
    Restart(false);
    TForm18* again = OpenMemoWindows().at(0);
    EXPECT_EQ(GetActiveWindow(), Form1->Handle);  // the reopened memos leave the main window active
    EXPECT_TRUE(again->Visible());
    EXPECT_FALSE(again->RichEdit1.Visible());
    EXPECT_TRUE(again->Image1.Visible());
}

TEST_F(Memos, SaveAsWritesRichTextOrPlainTextByExtension) {
    Start();
    TForm18* m = NewMemo(0);
    m->RichEdit1.SetText("保存する表\r\n二行目");
    std::string target;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        static_cast<tk::SaveDialog&>(d).FileName = target;
        return true;
    });
    for (const char* ext : {".RTF", ".txt"}) {
        target = dir + "\\saved" + ext;
        m->SaveAs1Click();
        std::string bytes;
        ASSERT_TRUE(tk::ReadFileBytes(target, bytes));
        if (std::string(ext) == ".RTF") EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u);
        else EXPECT_EQ(bytes, "保存する表\r\n二行目\r\n");
    }
}

TEST_F(Memos, PrintingLeavesTheTextAsItWas) {
    Start();
    TForm18* m = NewMemo(0);
    m->Show();
    m->RichEdit1.SetText("印刷する本文");
    m->RichEdit1.SetModified(false);
    std::string before = Rtf(m->RichEdit1);
    std::string out = dir + "\\memo.ps";
    tk::Printer().OutputFile = out;
    tk::SetDialogHookForTest([](tk::CommonDialog&) { return true; });
    m->Print1Click();
    tk::Printer().OutputFile.clear();
    EXPECT_EQ(Rtf(m->RichEdit1), before);
    EXPECT_EQ(m->RichEdit1.Text(), "印刷する本文");
    EXPECT_FALSE(m->RichEdit1.Modified());
    EXPECT_TRUE(m->RichEdit1.Visible());
    std::string data;
    ASSERT_TRUE(tk::ReadFileBytes(out, data));
    EXPECT_NE(data.find("%%Title: Memo1"), std::string::npos);
}

}  // namespace

// A memo window is made in its place, frame and caption with its text, before it is shown, and
// showing it moves nothing.
TEST_F(Memos, MemoWindowsAreMadeWhereTheyShow) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* what;
        std::map<std::string, int> own;  // the memo's section
        std::map<std::string, int> defaults;  // [Memo]
        RECT expected;  // left, top, width, height; {-1} from the main window
        bool small, readOnly;
    } cases[] = {
        {"own bounds", {{"Top", 60}, {"Left", 50}, {"Width", 220}, {"Height", 150}}, {}, {50, 60, 220, 150}, false, false},
        {"partly off the screen", {{"Top", cy - 50}, {"Left", cx - 100}, {"Width", 220}, {"Height", 150}}, {},
         {cx - 220, cy - 150, 220, 150}, false, false},
        {"negative position", {{"Top", 40}, {"Left", -30}, {"Width", 200}, {"Height", 120}}, {}, {0, 40, 200, 120}, false, false},
        {"[Memo] bounds", {}, {{"top", 90}, {"left", 80}, {"Width", 240}, {"Height", 110}}, {80, 90, 240, 110}, false, false},
        {"main window's", {}, {}, {-1}, false, false},
        {"small square", {{"peti", 1}, {"P_Top", 20}, {"P_Left", 700}, {"Width", 220}}, {}, {700, 20, 16, 16}, true, false},
        {"small square, never placed", {{"peti", 1}}, {}, {(cx - 300) / 2, (cy - 200) / 2, 16, 16}, true, false},
        {"read-only", {{"ReadOnly", 1}, {"Top", 10}, {"Left", 10}, {"Width", 200}, {"Height", 100}}, {}, {10, 10, 200, 100}, false, true},
    };
    Start();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string name = "Memo" + std::to_string(++n), section = ms::MemoSection(name, M);
        auto f = Ini();
        f.EraseSection("Memo");
        for (const auto& [key, value] : c.own) f.WriteInteger(section, key, value);
        for (const auto& [key, value] : c.defaults) f.WriteInteger("Memo", key, value);
        f.WriteString(ms::GroupSection(3, M), name, "買い物");
        ASSERT_TRUE(tk::WriteFileBytes(M + name, "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0 "
                                                    "\\'94\\'83\\'82\\'a2\\'95\\'a8 " + name + "}"));
        RECT want = c.expected;
        if (want.left == -1) {
            int top = Form1->Top() / 2 + Form1->Height(), left = Form1->Left() / 2 + Form1->Width();
            int w = Form1->Width(), h = Form1->Height() / 2;
            want = {std::max(0, std::min(left, cx - w)), std::max(0, std::min(top, cy - h)), w, h};
        }
        TForm18* m = CreateMemoWindow(name, 3, "買い物");
        ASSERT_NE(m, nullptr);
        EXPECT_FALSE(m->Visible());
        auto at = [&] { return RECT{m->Left(), m->Top(), m->Width(), m->Height()}; };
        RECT made = at();
        EXPECT_TRUE(EqualRect(&made, &want)) << made.left << "," << made.top << " " << made.right << "x" << made.bottom;
        EXPECT_EQ((GetWindowLongA(m->Handle, GWL_STYLE) & WS_CAPTION) != 0, !c.small);
        EXPECT_EQ(m->IsSmall(), c.small);
        EXPECT_EQ(m->Caption(), c.readOnly ? "買い物 (RO)" : "買い物");
        EXPECT_EQ(m->RichEdit1.ReadOnly(), c.readOnly);
        EXPECT_EQ(m->RichEdit1.Text(), "買い物 " + name);
        EXPECT_EQ(m->Label2.Caption(), "3_Memo_");
        m->ShowInactive();
        wintest::Pump();
        RECT shown = at();
        EXPECT_TRUE(EqualRect(&shown, &want));
        EXPECT_EQ(Ini().ReadInteger(section, ms::Show, 0), 1);
        if (!c.small) {
            // The text keeps its margins although it was loaded after the window took its size.
            RECT client = m->RichEdit1.ClientRect(), text = m->RichEdit1.FormatRect();
            EXPECT_EQ(text.left, 6);
            EXPECT_EQ(text.right, client.right - 6);
        }
    }
}

TEST_F(Memos, TheBarShowsItsColoursAtAnyWidthAMemoOpens) {
    struct Case {
        const char* what;
        int width;  // [Memo] Width; 0: none, the main window's
        int rows;   // of the bar
    } cases[] = {{"main window's", 0, 2}, {"narrower", 300, 2}, {"wide", 600, 1}};
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.width) Ini().WriteInteger("Memo", "Width", c.width);
        TForm18* m = NewMemo(0);
        ASSERT_NE(m, nullptr);
        m->K5Click();
        wintest::Pump();
        EXPECT_EQ(m->Width(), c.width ? c.width : Form1->Width());
        for (tk::Control* p : std::initializer_list<tk::Control*>{&m->BitBtn12, &m->Panel4, &m->Panel5, &m->Panel6,
                                                                   &m->Panel7, &m->Panel8, &m->SpeedButton8}) {
            EXPECT_LE(p->Left() + p->Width(), m->Panel2.ClientWidth()) << p->Hint;
            EXPECT_LE(p->Top() + p->Height(), m->Panel2.ClientHeight()) << p->Hint;
        }
        EXPECT_EQ(m->Panel2.Height(), 26 + (c.rows - 1) * 24);
        // The ruler and the text lie below the bar, not over it.
        EXPECT_EQ(m->Panel3.Top(), m->Panel2.Top() + m->Panel2.Height());
        EXPECT_EQ(m->RichEdit1.Top(), m->Panel3.Top() + m->Panel3.Height());
        m->SysCommand(11);
        wintest::Pump();
    }
}

// A square made without a border gets the memo's commands in its system menu once restored.
TEST_F(Memos, SquareMadeSmallRestoresWithItsFrameAndCommands) {
    Start();
    auto f = Ini();
    std::string section = ms::MemoSection("Memo1", M);
    for (const auto& [key, value] : std::map<std::string, int>{
             {"peti", 1}, {"P_Top", 30}, {"P_Left", 40}, {"Top", 100}, {"Left", 120}, {"Width", 230}, {"Height", 140}})
        f.WriteInteger(section, key, value);
    f.WriteString(ms::GroupSection(0, M), "Memo1", "Memo1");
    TForm18* m = CreateMemoWindow("Memo1", 0, "Memo1");
    m->Show();
    ASSERT_TRUE(m->IsSmall());
    m->K4Click();
    EXPECT_FALSE(m->IsSmall());
    EXPECT_NE(GetWindowLongA(m->Handle, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(m->Left(), 120);
    EXPECT_EQ(m->Width(), 230);
    char text[64] = {};
    GetMenuStringA(GetSystemMenu(m->Handle, FALSE), 10, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "メモの題名変更");
    EXPECT_FALSE(Ini().ReadBool(section, ms::peti, true));
}
