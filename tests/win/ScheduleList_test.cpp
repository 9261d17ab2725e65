// The schedule list window: the day blocks in their panes, the range at the end of the calendar,
// the base-date check, export, printing, the pane layout and its frame, and opening it from the
// main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>

#include "calendar/Rokuyo.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "schedule/DayRules.h"
#include "schedule/Todo_list.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Cursor.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;
using Lines = std::vector<std::string>;

namespace {

const char* const kSep = kScheduleListSeparator;

class ScheduleList : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-list-");
        FixClock(EncodeDate(2001, 5, 1) + EncodeTime(9, 0, 0, 0));
        answer = IDOK;
    }
    void TearDown() override {
        if (Form2) Form2->Destroy();
        if (Form1) Form1->Destroy();
        tk::Printer().OutputFile.clear();
    }

    void Put(const std::string& name, const std::string& text) {
        tk::WriteFileBytes(dir + "\\" + name, text);
        tk::FolderIndex::For(dir).Invalidate();
    }
    // The list on its own, built from the settings as a new window is.
    void Open(int y, int m, int d, int before, int after) {
        auto f = settings::Open();
        f.WriteInteger("Sch_List", "year", y);
        f.WriteInteger("Sch_List", "month", m);
        f.WriteInteger("Sch_List", "day", d);
        f.WriteInteger("Sch_List", "mae", before);
        f.WriteInteger("Sch_List", "ato", after);
        tk::Application.CreateForm(Form2);
        if (tk::Application.MainForm == Form2) tk::Application.MainForm = nullptr;
        Form2->Show();
    }
    void Range(int y, int m, int d, int before, int after) {
        Form2->SpinEdit5.SetValue(1);
        Form2->SpinEdit3.SetValue(y);
        Form2->SpinEdit4.SetValue(m);
        Form2->SpinEdit5.SetValue(d);
        Form2->SpinEdit1.SetValue(before);
        Form2->SpinEdit2.SetValue(after);
    }
    // The please-wait window stays for the next build, hidden.
    static bool NoteShown() { return Form35 && IsWindowVisible(Form35->Handle); }
    static Lines Pane(const tk::RichEdit& re) { return re.Lines.List().Strings; }
    static int Blocks(const tk::RichEdit& re) {
        Lines l = Pane(re);
        return (int)std::count(l.begin(), l.end(), std::string(kSep));
    }
    std::string H(int y, int m, int d) const { return ScheduleListHeader(EncodeDate(y, m, d), clock); }
    void StartMain() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
};

}  // namespace

TEST_F(ScheduleList, DayBlocksGoToThePaneOfTheirDay) {
    Put("____0430.01", "歯医者 16:30");
    Put("BORN0501.71", "山田 太郎");
    Put("________.WED", "{\\rtf1\\ansi\\ansicpg932 \\'96\\'88\\'8f\\'54\\'90\\'85\\'97\\'6a\\par}");
    Put("____0503.__", "毎年の予定\r\n二行目");
    Open(0, 0, 0, 2, 3);  // 2001-04-29 .. 2001-05-04 around Tuesday 1 May
    EXPECT_EQ(Form2->Caption(), "2001/04/29 (日)～2001/05/04 (金)");
    EXPECT_EQ(Pane(Form2->RichEdit1),
              (Lines{H(2001, 4, 29), "【みどりの日】", kSep, H(2001, 4, 30), "【振替休日】", "歯医者 16:30", kSep}));
    EXPECT_EQ(Pane(Form2->RichEdit3),
              (Lines{H(2001, 5, 1), "【30歳の誕生日】1971/05/01 (土)", "山田 太郎", kSep}));
    EXPECT_EQ(Pane(Form2->RichEdit4),
              (Lines{H(2001, 5, 2), "毎週水曜", kSep, H(2001, 5, 3), "【憲法記念日】", "毎年の予定", "二行目", kSep,
                     H(2001, 5, 4), "【国民の休日】", kSep}));
    EXPECT_EQ(Form2->RichEdit3.Lines[0], "2001年5月1日(火)        〔本日〕");

    // The note and the hourglass are gone, the button waits for a change, the range is kept.
    EXPECT_FALSE(NoteShown());
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
    EXPECT_FALSE(Form2->BitBtn2.Enabled());
    EXPECT_EQ(cues, Lines{"ope"});
    auto f = settings::Open();
    EXPECT_EQ(f.ReadInteger("Sch_List", "year", -1), 0);  // today
    EXPECT_EQ(f.ReadInteger("Sch_List", "ato", -1), 3);
    EXPECT_EQ(Form2->RichEdit1.Color, tk::clActiveCaption);

    // The panes take the [To_do] colours at each build; the old calendar comes when asked for.
    f.WriteInteger("To_do", "TodayBackColor", tk::clRed);
    f.WriteInteger("To_do", "TodayColor", tk::clYellow);
    f.WriteInteger("Form", "Qreki", 1);
    Form2->BitBtn2Click();
    EXPECT_EQ(Form2->RichEdit3.Color, tk::clRed);
    Form2->RichEdit3.Select(3, 2);
    EXPECT_EQ(Form2->RichEdit3.SelAttributes.Color(), tk::clYellow);
    EXPECT_EQ(Form2->RichEdit3.Lines[1], "【" + Rokuyo(RokuyoDayCount(2001, 5, 1)) + "】");
}

TEST_F(ScheduleList, PaneChoiceAndRebuildsAgreeWithANewWindow) {
    Open(0, 0, 0, 0, 0);
    struct Case {
        int offset, before, after;
        int past, today, future;
    } cases[] = {
        {0, 0, 0, 0, 1, 0}, {0, 2, 7, 2, 1, 7}, {10, 2, 3, 0, 0, 6}, {-10, 2, 3, 6, 0, 0}, {-1, 1, 1, 2, 1, 0},
    };
    for (const Case& c : cases) {
        int y, m, d;
        rtl::DecodeDate(clock + c.offset, y, m, d);
        Range(y, m, d, c.before, c.after);
        Form2->BitBtn2Click();
        EXPECT_EQ(Blocks(Form2->RichEdit1), c.past) << c.offset << " " << c.before << " " << c.after;
        EXPECT_EQ(Blocks(Form2->RichEdit3), c.today) << c.offset;
        EXPECT_EQ(Blocks(Form2->RichEdit4), c.future) << c.offset;
    }
    // A rebuild after an entry changed (now on two lines) gives what a new window shows.
    Put("______05.__", "毎月五日");
    Range(2001, 5, 1, 2, 7);
    Form2->BitBtn2Click();
    Put("______05.__", "毎月五日\r\nもう一行");
    Put("____0502.01", "新しい予定");
    Form2->BitBtn2Click();
    const Lines past = Pane(Form2->RichEdit1), today = Pane(Form2->RichEdit3), future = Pane(Form2->RichEdit4);
    Form2->Destroy();
    Open(2001, 5, 1, 2, 7);
    EXPECT_EQ(past, Pane(Form2->RichEdit1));
    EXPECT_EQ(today, Pane(Form2->RichEdit3));
    EXPECT_EQ(future, Pane(Form2->RichEdit4));
    EXPECT_NE(std::find(future.begin(), future.end(), "もう一行"), future.end());
    // Seven days do not fit the future pane: its scroll bar shows, enabled, and reaches the last day.
    HWND pane = Form2->RichEdit4.Handle;
    SCROLLBARINFO bar{sizeof bar};
    ASSERT_TRUE(GetScrollBarInfo(pane, OBJID_VSCROLL, &bar));
    EXPECT_FALSE((bar.rgstate[0] | bar.rgstate[5]) & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE));
    SCROLLINFO si{sizeof si, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(pane, SB_VERT, &si));
    EXPECT_GT(si.nMax - (int)si.nPage + 1, si.nMin);
    SendMessageA(pane, WM_VSCROLL, SB_BOTTOM, 0);
    int last = (int)SendMessageA(pane, EM_LINEINDEX, (WPARAM)future.size() - 1, 0);
    POINTL at{};
    SendMessageA(pane, EM_POSFROMCHAR, (WPARAM)&at, last);
    RECT client;
    GetClientRect(pane, &client);
    EXPECT_LT(at.y, client.bottom);
}

TEST_F(ScheduleList, RangeStopsAtTheLastDayAndEveryBuildEndsClean) {
    settings::Open().WriteInteger("Form", "Qreki", 1);
    Open(9999, 12, 30, 0, 7);
    EXPECT_EQ(Form2->Caption(), "9999/12/30 (木)～9999/12/31 (金)");
    Lines future = Pane(Form2->RichEdit4);
    ASSERT_EQ(Blocks(Form2->RichEdit4), 2);
    EXPECT_EQ(future[0].substr(0, 18), "9999年12月30日(木)");
    EXPECT_EQ(future[1].substr(0, 2), "【");
    EXPECT_EQ(future.back(), kSep);
    EXPECT_FALSE(NoteShown());
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);

    // A settings file that cannot be written (held open by another program): a build of the
    // range it already holds lists as before; one that has to store a new range fails half-way
    // and still takes both away.
    HANDLE held = CreateFileA(settings::IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Form2->RichEdit4.Lines.SetText("");
    EXPECT_NO_THROW(Form2->BitBtn2Click());
    EXPECT_EQ(Pane(Form2->RichEdit4), future);
    Form2->SpinEdit2.SetValue(1);
    EXPECT_ANY_THROW(Form2->BitBtn2Click());
    CloseHandle(held);
    EXPECT_FALSE(NoteShown());
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
    settings::SetIniPathForTest(dir + "\\no such folder\\orbal98.ini");
    EXPECT_ANY_THROW(Form2->BitBtn2Click());
    EXPECT_FALSE(NoteShown());
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
}

TEST_F(ScheduleList, BaseDateStepsDownToADayOfTheMonthAndIsKept) {
    Open(2001, 3, 31, 2, 7);
    Form2->SpinEdit4.SetValue(2);  // 2001/02/31 steps back to the 28th
    EXPECT_EQ(Form2->SpinEdit5.Value(), 28);
    EXPECT_TRUE(Form2->BitBtn2.Enabled());
    EXPECT_TRUE(Form2->BitBtn8.Enabled());
    Form2->BitBtn2Click();
    auto f = settings::Open();
    EXPECT_EQ(f.ReadInteger("Sch_List", "month", 0), 2);
    EXPECT_EQ(f.ReadInteger("Sch_List", "day", 0), 28);
    Form2->SpinEdit2.SetValue(5);
    EXPECT_TRUE(Form2->BitBtn2.Enabled());

    Form2->BitBtn8Click();
    EXPECT_EQ(Form2->SpinEdit3.Value() * 10000 + Form2->SpinEdit4.Value() * 100 + Form2->SpinEdit5.Value(), 20010501);
    EXPECT_FALSE(Form2->BitBtn8.Enabled());
    Form2->BitBtn2Click();
    EXPECT_EQ(f.ReadInteger("Sch_List", "year", -1), 0);
    // Reopened a day later, a list built on "today" starts from that day.
    Form2->Close();
    clock += 1;
    Form2->FormCreate();
    EXPECT_EQ(Form2->SpinEdit5.Value(), 2);
    EXPECT_EQ(Form2->SpinEdit2.Value(), 5);
}

TEST_F(ScheduleList, ExportWritesTheComposedTextAsShiftJisLines) {
    Put("____0502.01", "{\\rtf1 Meeting\\par}");
    Open(0, 0, 0, 1, 1);
    std::string out = dir + "\\TODOLIST.TXT";
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        auto& save = dynamic_cast<tk::SaveDialog&>(d);
        EXPECT_EQ(save.FileName, tk::ExeDir() + "\\TODOLIST.TXT");
        EXPECT_EQ(save.Filter, "Text files (*.TXT)|*.TXT|All files (*.*)|*.*");
        EXPECT_TRUE(save.Options & tk::ofOverwritePrompt);
        save.FileName = out;
        return true;
    });
    Form2->Text1Click();
    std::string text;
    ASSERT_TRUE(tk::ReadFileBytes(out, text));
    std::string want = "Title:2001/04/30 (月)～2001/05/02 (水)\r\nPrint:2001/05/01 (火) 09:00:00\r\n\r\n";
    for (const Lines& pane : {Pane(Form2->RichEdit1), Pane(Form2->RichEdit3), Pane(Form2->RichEdit4)})
        for (const std::string& l : pane) want += l + "\r\n";
    EXPECT_EQ(text, want);
    EXPECT_NE(text.find("Meeting\r\n" + std::string(kSep) + "\r\n"), std::string::npos);

    // A folder that is not there: told, nothing written.
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        dynamic_cast<tk::SaveDialog&>(d).FileName = dir + "\\gone\\TODOLIST.TXT";
        return true;
    });
    Form2->Text1Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("テキストファイルを保存できませんでした。", 0), 0u);
}

TEST_F(ScheduleList, PrintsTheComposedListOnTheDefaultPrinter) {
    ASSERT_FALSE(tk::PrinterNames().empty()) << "run tools/wineprefix.sh";
    Put("____0501.01", "{\\rtf1\\ansi {\\b\\cf1 Dentist} at 10\\par}");
    Open(0, 0, 0, 1, 1);
    const Lines before = Pane(Form2->RichEdit3);
    std::string ps = dir + "\\list.ps";
    tk::Printer().OutputFile = ps;
    int dialogs = 0;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) { return ++dialogs, d.Kind() == tk::DialogKind::Print; });
    Form2->Print1Click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(boxes.empty());

    // The page: its count, the job's title and the characters drawn, ASCII ones as themselves
    // (glyphs by their Adobe-Japan1 numbers: 1-95 proportional, 231-325 half-width, from the blank).
    std::string data;
    ASSERT_TRUE(tk::ReadFileBytes(ps, data));
    std::smatch m;
    ASSERT_TRUE(std::regex_search(data, m, std::regex(R"(%%Pages: (\d+))")));
    EXPECT_EQ(m[1], "1");
    ASSERT_TRUE(std::regex_search(data, m, std::regex(R"(%%Title: ([^\r\n]*))")));
    EXPECT_EQ(m[1].str().rfind("(2001/04/30 (", 0), 0u);  // a PostScript string
    std::string page;
    static const std::regex glyph(R"(/([A-Za-z0-9_.]+) glyphshow)");
    for (std::sregex_iterator it(data.begin(), data.end(), glyph), end; it != end; ++it) {
        std::smatch a;
        std::string name = (*it)[1];
        int cid = std::regex_match(name, a, std::regex(R"(aj(\d+))")) ? std::stoi(a[1]) : 0;
        page += cid >= 1 && cid <= 95 ? (char)(cid + 31) : cid >= 231 && cid <= 325 ? (char)(cid - 199) : '#';
    }
    size_t title = page.find("Title:2001/04/30"), print = page.find("Print:2001/05/01"),
           header = page.find("2001#5#1#(#)"), dentist = page.find("Dentist");
    ASSERT_NE(title, std::string::npos) << page;
    EXPECT_LT(title, print);
    EXPECT_LT(print, header);
    EXPECT_LT(header, dentist);
    EXPECT_NE(dentist, std::string::npos);
    EXPECT_EQ(Pane(Form2->RichEdit3), before);
}

TEST_F(ScheduleList, SplittersAndResizeKeepThePanesInSight) {
    settings::Open().WriteInteger("Sch_List", "Height", 400);
    Open(0, 0, 0, 2, 7);
    auto equal = [] { return (Form2->Panel1.Height() - Form2->Bevel1.Height()) / 3 - Form2->Panel2.Height(); };
    EXPECT_EQ(Form2->RichEdit1.Height(), equal());
    EXPECT_EQ(Form2->RichEdit3.Height(), equal());
    auto drag = [](tk::Control& bar, int dy) {
        SendMessageA(bar.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 1));
        SendMessageA(bar.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 1 + dy));
        SendMessageA(bar.Handle, WM_LBUTTONUP, 0, MAKELPARAM(20, 1 + dy));
    };
    const int past = Form2->RichEdit1.Height();
    drag(Form2->Panel2, 30);
    EXPECT_EQ(Form2->RichEdit1.Height(), past + 30);
    EXPECT_EQ(Form2->RichEdit3.Top(), Form2->Panel2.Top() + 2);
    // The lower bar dragged above the upper one: three equal panes again.
    drag(Form2->Panel3, -300);
    EXPECT_EQ(Form2->RichEdit1.Height(), equal());
    EXPECT_EQ(Form2->RichEdit3.Height(), equal());
    // A window made so low that the future pane would be out of sight: equal panes.
    drag(Form2->Panel3, 100);
    Form2->SetHeight(260);
    EXPECT_LE(Form2->Panel3.Top(), Form2->Panel1.Height());
    EXPECT_EQ(Form2->RichEdit3.Height(), equal());
    // The margins of every pane.
    RECT r = Form2->RichEdit4.FormatRect(), c = Form2->RichEdit4.ClientRect();
    EXPECT_EQ(c.right - r.right, r.left);  // the sunken edge moves them out by its border, evenly
    EXPECT_GE(r.left, 5);

    // Only the height changes; a side border moves the window.
    MINMAXINFO info{};
    info.ptMaxTrackSize = {2000, 2000};
    SendMessageA(Form2->Handle, WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(info.ptMinTrackSize.x, Form2->Width());
    EXPECT_EQ(info.ptMaxTrackSize.x, Form2->Width());
    RECT w;
    GetWindowRect(Form2->Handle, &w);
    const int y = (w.top + w.bottom) / 2;
    EXPECT_EQ(SendMessageA(Form2->Handle, WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(Form2->Handle, WM_NCHITTEST, 0, MAKELPARAM(w.right - 2, y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(Form2->Handle, WM_NCHITTEST, 0, MAKELPARAM((w.left + w.right) / 2, w.bottom - 2)),
              HTBOTTOM);
}

TEST_F(ScheduleList, CopyAndSelectAllActOnThePaneUnderTheMenu) {
    Put("____0502.01", "Copy me");
    Open(0, 0, 0, 0, 1);
    Form2->PopupMenu1.PopupComponent = &Form2->RichEdit4;
    Form2->SelectAll1Click();
    EXPECT_GE(Form2->RichEdit4.SelLength(), Form2->RichEdit4.GetTextLen());
    EXPECT_EQ(Form2->RichEdit3.SelLength(), 0);
    Form2->Copy1Click();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    std::string copied = h ? (const char*)GlobalLock(h) : "";
    if (h) GlobalUnlock(h);
    CloseClipboard();
    EXPECT_NE(copied.find("Copy me"), std::string::npos);
    EXPECT_EQ(copied.find("〔本日〕"), std::string::npos);
}

TEST_F(ScheduleList, TheMainWindowOpensBringsForwardAndReopensTheHiddenList) {
    StartMain();
    Form1->List1Click();
    ASSERT_NE(Form2, nullptr);
    TForm2* list = Form2;
    EXPECT_TRUE(Form1->List1->Checked());
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(list->Width(), Form1->Width());
    Form1->List1Click();  // brought forward, not built again
    EXPECT_EQ(Form2, list);
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "ope"), 1);

    list->SetBounds(40, 30, list->Width(), 350);
    list->Close();
    wintest::Pump();
    EXPECT_EQ(Form2, list);  // hidden, not freed
    EXPECT_FALSE(list->Visible());
    EXPECT_FALSE(Form1->List1->Checked());
    EXPECT_EQ(settings::Open().ReadInteger("Sch_List", "Height", 0), 350);
    EXPECT_EQ(settings::Open().ReadInteger("Sch_List", "left", 0), 40);
    Form1->List1Click();
    EXPECT_EQ(Form2, list);
    EXPECT_TRUE(list->Visible());
    EXPECT_TRUE(Form1->List1->Checked());
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "ope"), 2);
    EXPECT_EQ(list->Left(), 40);
}

TEST_F(ScheduleList, NoDataFolderOpensNothingAndTheListCanOpenAtStart) {
    settings::Open().WriteString("Calendar", "Directory", ".");
    StartMain();
    Form1->List1Click();
    EXPECT_EQ(Form2, nullptr);
    Form1->Destroy();

    auto f = settings::Open();
    f.WriteString("Calendar", "Directory", dir);
    f.WriteInteger("Form", "Today_pop", 1);
    StartMain();
    ASSERT_NE(Form2, nullptr);
    EXPECT_TRUE(Form2->Visible());
    EXPECT_TRUE(Form1->List1->Checked());
    EXPECT_EQ(Form2->Width(), Form1->Width());
    EXPECT_EQ(tk::Application.MainForm, Form1);  // closing the list does not end the program
}
