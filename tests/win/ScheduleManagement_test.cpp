// Schedule management driven in-process: the three lists with their marks, the day moves, the
// preview, deleting, opening an entry's editor, the refresh when an editor closes, the fixed width,
// the splitter and the status bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "schedule/Popup.h"
#include "schedule/data.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using manage::Mode;
using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class ScheduleManagement : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-manage-");
        settings::Open().WriteInteger("Calendar", "before", 0);
        FixClock(EncodeDate(2001, 1, 15) + EncodeTime(9, 0, 0, 0));  // a Monday
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }

    void TearDown() override {
        DestroyOpen<TForm7, TForm29>();
        wintest::Pump();
        if (Form1) Form1->Destroy();
    }


    void Put(const std::string& name, const std::string& text = "x") {
        ASSERT_TRUE(tk::WriteFileBytes(Path(name), text));
        tk::FolderIndex::For(dir).Invalidate();
    }

    TForm29& Open() {
        Form1->Data2->Click();
        EXPECT_NE(Form29, nullptr);
        wintest::Pump();
        return *Form29;
    }

    static std::vector<std::string> Lines(const TForm29& f) {
        std::vector<std::string> out;
        for (int i = 0; i < f.ListBox1.Items.Count(); ++i) out.push_back(f.ListBox1.Items[i]);
        return out;
    }

    static void Select(TForm29& f, int i) {
        f.ListBox1.SetItemIndex(i);
        f.ListBox1Click();
    }

    static tk::TColor Pixel(const tk::TBitmap& b) { return const_cast<tk::TBitmap&>(b).Canvas().GetPixel(8, 8); }
};

TEST_F(ScheduleManagement, OpensOnTodaysListOnceAndClosesItsMark) {
    Put("____0115.01", "今日の予定");
    Put("12300115.01");
    Put("____0116.01");
    auto ini = settings::Open();
    ini.WriteString("Calendar", "Directory", ".");
    Form1->Data2->Click();
    EXPECT_EQ(Form29, nullptr);  // no data folder chosen yet
    ini.WriteString("Calendar", "Directory", dir);

    cues.clear();
    TForm29& f = Open();
    EXPECT_TRUE(Form1->Data2->Checked());
    EXPECT_EQ(f.Caption(), "スケジュール管理");
    EXPECT_EQ(f.ShownMode(), Mode::Day);
    EXPECT_EQ(f.BitBtn17.Caption(), "2001/01/15(月)");
    EXPECT_FALSE(f.BitBtn25.Enabled());
    EXPECT_EQ(Lines(f), (std::vector<std::string>{"Popup : 01年01月15日 12時30分", "To_do : 01年01月15日 "}));
    EXPECT_EQ(f.ListBox1.ItemIndex(), 0);
    EXPECT_EQ(f.Label8.Caption(), "12300115.01");
    EXPECT_TRUE(f.BitBtn11.Enabled());
    EXPECT_EQ(cues.front(), "ope");

    Form1->Data2->Click();  // a second request brings the open window forward
    EXPECT_EQ(Form29, &f);

    f.Close();
    wintest::Pump();
    EXPECT_EQ(Form29, nullptr);
    EXPECT_FALSE(Form1->Data2->Checked());
    EXPECT_EQ(settings::Open().ReadString("Data", "LHeight", ""), "150");
    EXPECT_EQ(cues.back(), "clo");
}

TEST_F(ScheduleManagement, EachListHasItsColourMarksGlyphAndEmptyText) {
    TForm29& f = Open();
    tk::TColor off = Pixel(f.Image1.Picture()), lit = Pixel(f.Image2.Picture());
    ASSERT_NE(off, lit);
    struct Case {
        void (TForm29::*run)();
        Mode mode;
        const char* code;
        tk::TColor colour;
        const char* empty;
    } cases[] = {
        {&TForm29::BitBtn14Click, Mode::All, "0", 0x008000, "ｽｹｼﾞｭｰﾙはありません｡"},
        {&TForm29::BitBtn16Click, Mode::Past, "1", 0x0000FF, "過去のｽｹｼﾞｭｰﾙはありません｡"},
        {&TForm29::BitBtn17Click, Mode::Day, "3", 0xFF0000, "この日のｽｹｼﾞｭｰﾙはありません｡"},
    };
    for (const Case& c : cases) {
        cues.clear();
        f.Today1->SetChecked(true);
        (f.*c.run)();
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cues, std::vector<std::string>{"c1"});
        EXPECT_EQ(f.Label9.Caption(), c.code);
        EXPECT_EQ(f.Panel4.Caption(), c.empty);
        EXPECT_EQ(f.Panel4.Color, c.colour);
        EXPECT_EQ(f.All1->Checked(), c.mode == Mode::All);
        EXPECT_EQ(f.Past1->Checked(), c.mode == Mode::Past);
        EXPECT_EQ(f.Gost->Checked(), c.mode == Mode::Day);
        EXPECT_FALSE(f.Today1->Checked());
        EXPECT_EQ(Pixel(f.BitBtn14.Glyph()), c.mode == Mode::All ? lit : off);
        EXPECT_EQ(Pixel(f.BitBtn16.Glyph()), c.mode == Mode::Past ? lit : off);
        EXPECT_EQ(Pixel(f.BitBtn17.Glyph()), c.mode == Mode::Day ? lit : off);
        EXPECT_EQ(f.ListBox1.Items.Count(), 0);
        EXPECT_FALSE(f.BitBtn11.Enabled());
        EXPECT_FALSE(f.Delete1->Enabled());
        EXPECT_EQ(f.RichEdit2.Text(), "");
    }
    f.PopupMenu1Popup();
    EXPECT_EQ(f.Gost->Caption(), f.BitBtn17.Caption());
}

TEST_F(ScheduleManagement, AllListSkipsFoldersBirthdaysAndStrayNames) {
    for (const char* name : {"W0000600.__", "________.MON", "____0115.01", "BORN0115.71", "BORN.txt", "junk.txt",
                             "____0230.01", "0800__31.MON", "1230____.sun", "~___0115.__"})
        Put(name);
    ASSERT_TRUE(tk::ForceDirectories(Path("____0116.01")));  // a folder with an entry's name
    TForm29& f = Open();
    f.BitBtn14Click();
    EXPECT_EQ(Lines(f), (std::vector<std::string>{"Popw1 : 日曜日(毎週) 12時30分", "To_do : 01年01月15日 ",
                                                  "To_do : 毎年01月15日 (休日:前日)", "Week2 : 月曜日",
                                                  "Win98 :     600秒経過（Windows起動後）"}));
    // Each line keeps the file it came from, in the case the folder holds it.
    std::vector<std::string> names;
    for (int i = 0; i < f.ListBox1.Items.Count(); ++i) names.push_back(f.NameOfLine(i));
    EXPECT_EQ(names, (std::vector<std::string>{"1230____.sun", "____0115.01", "~___0115.__", "________.MON",
                                               "W0000600.__"}));
    EXPECT_EQ(SendMessageA(f.ListBox1.Handle, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(f.Panel4.Caption(), "日曜日(毎週) 12時30分");
    EXPECT_EQ(f.Panel4.Color, 0x0000FF);  // Sunday
}

TEST_F(ScheduleManagement, PastAndDayListsFollowTheClockAndTheDayMoves) {
    for (const char* name : {"____0115.01", "08590115.01", "09010115.01", "____0114.01", "____0116.01", "____0115.30",
                             "____0115.__"})
        Put(name);
    TForm29& f = Open();
    f.BitBtn16Click();
    EXPECT_EQ(Lines(f), (std::vector<std::string>{"Popup : 01年01月15日 08時59分", "To_do : 01年01月14日 ",
                                                  "To_do : 30年01月15日 "}));
    struct Step {
        void (TForm29::*move)();
        const char* caption;
        bool todayEnabled;
        std::vector<std::string> lines;
    } steps[] = {
        {&TForm29::BitBtn24Click, "2001/01/14(日)", true, {"To_do : 01年01月14日 "}},
        {&TForm29::BitBtn26Click, "2001/01/15(月)", false,
         {"Popup : 01年01月15日 08時59分", "Popup : 01年01月15日 09時01分", "To_do : 01年01月15日 "}},
        {&TForm29::BitBtn26Click, "2001/01/16(火)", true, {"To_do : 01年01月16日 "}},
        {&TForm29::BitBtn26Click, "2001/01/17(水)", true, {}},
        {&TForm29::BitBtn25Click, "2001/01/15(月)", false,
         {"Popup : 01年01月15日 08時59分", "Popup : 01年01月15日 09時01分", "To_do : 01年01月15日 "}},
    };
    for (const Step& s : steps) {
        (f.*s.move)();
        EXPECT_EQ(f.BitBtn17.Caption(), s.caption);
        EXPECT_EQ(f.BitBtn25.Enabled(), s.todayEnabled) << s.caption;
        EXPECT_EQ(Lines(f), s.lines) << s.caption;
        EXPECT_EQ(f.ShownMode(), Mode::Day);
    }
}

TEST_F(ScheduleManagement, TheSelectedDayStaysWithinTheDateRange) {
    struct Case {
        rtl::TDateTime today;
        void (TForm29::*step)();
        const char* caption;
    } cases[] = {
        {EncodeDate(1, 1, 1), &TForm29::BitBtn24Click, "0001/01/01(月)"},
        {EncodeDate(9999, 12, 31), &TForm29::BitBtn26Click, "9999/12/31(金)"},
    };
    for (const Case& c : cases) {
        clock = c.today + EncodeTime(9, 0, 0, 0);
        TForm29& f = Open();
        (f.*c.step)();
        (f.*c.step)();
        EXPECT_EQ(f.SelectedDay(), c.today);
        EXPECT_EQ(f.BitBtn17.Caption(), c.caption);
        EXPECT_FALSE((c.step == &TForm29::BitBtn24Click ? f.BitBtn24 : f.BitBtn26).Enabled());
        f.Destroy();
    }
}

TEST_F(ScheduleManagement, PreviewTakesTheColoursOfItsDate) {
    auto ini = settings::Open();
    ini.WriteInteger("To_do", "FutureColor", 0x000080);
    ini.WriteInteger("To_do", "FutureBackColor", 0xFFFFE0);
    ini.WriteInteger("To_do", "PastColor", 0x00FF00);
    ini.WriteInteger("To_do", "PastBackColor", 0x404040);
    ini.WriteInteger("To_do", "TodayColor", 0x0000FF);
    ini.WriteInteger("To_do", "TodayBackColor", 0xE0FFFF);
    Put("____0120.01", "未来の予定");  // a Saturday
    Put("____0114.01", "過去の予定");  // a Sunday
    Put("08000115.01", "今朝の予定");
    Put("______15.__", "毎月の予定");
    TForm29& f = Open();
    f.BitBtn14Click();
    struct Case {
        const char *name, *heading, *text;
        tk::TColor headingColour, textColour, back;
    } cases[] = {
        {"08000115.01", "01年01月15日 08時00分", "今朝の予定", 0xFF0000, 0x0000FF, 0xE0FFFF},
        {"____0114.01", "01年01月14日 ", "過去の予定", 0x0000FF, 0x00FF00, 0x404040},
        {"____0120.01", "01年01月20日 ", "未来の予定", 0xFF00FF, 0x000080, 0xFFFFE0},
        {"______15.__", "毎月15日 ", "毎月の予定", 0xFF0000, tk::clWindowText, tk::clWindow},
    };
    for (const Case& c : cases) {
        int i = 0;
        while (i < f.ListBox1.Items.Count() && f.NameOfLine(i) != c.name) ++i;
        ASSERT_LT(i, f.ListBox1.Items.Count()) << c.name;
        Select(f, i);
        EXPECT_EQ(f.Label8.Caption(), c.name);
        EXPECT_EQ(f.Label6.Caption(), Path(c.name));
        EXPECT_EQ(f.Panel4.Caption(), c.heading);
        EXPECT_EQ(f.Panel4.Color, c.headingColour) << c.name;
        EXPECT_EQ(f.RichEdit2.Text(), c.text);
        EXPECT_EQ(f.RichEdit2.Color, c.back) << c.name;
        f.RichEdit2.SelectAll();
        EXPECT_EQ(f.RichEdit2.SelAttributes.Color(), c.textColour) << c.name;
        EXPECT_TRUE(f.RichEdit2.ReadOnly());
    }
}

TEST_F(ScheduleManagement, TheSelectedLineIsPaintedOnTheModeColour) {
    Put("____0115.01");
    TForm29& f = Open();
    f.BitBtn16Click();
    f.BitBtn14Click();
    f.Show();
    UpdateWindow(f.ListBox1.Handle);
    RECT r = f.ListBox1.ItemRect(0);
    HDC dc = GetDC(f.ListBox1.Handle);
    COLORREF c = GetPixel(dc, r.right - 3, r.top + 1);
    ReleaseDC(f.ListBox1.Handle, dc);
    EXPECT_EQ(c, (COLORREF)0x008000);
}

TEST_F(ScheduleManagement, DeleteAsksUnlessToldNotToAndErasesTheReminderSection) {
    struct Case {
        const char* name;
        int setting;  // [Form] Delete
        bool ticked;  // "削除の問合せをしない。"
        int answer;
        bool asked, deleted;
    } cases[] = {
        {"____0115.01", 0, false, IDYES, true, true},
        {"12300115.01", 0, false, IDNO, true, false},
        {"12300115.01", 0, false, IDYES, true, true},
        {"08000115.01", 0, true, IDNO, false, true},
        {"09000115.01", 1, true, IDNO, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.answer));
        Put(c.name, "消す予定");
        settings::Open().WriteInteger(Path(c.name), "closetime", 30);
        settings::Open().WriteInteger("Form", "Delete", c.setting);
        bool isEntry = c.name[0] == '_';
        Form1->PageControl1.SetActivePageIndex(3);  // the day's text is built on the schedule page
        Form1->CalendarEx1Change();
        ASSERT_EQ(Form1->RichEdit1.Text().find("消す予定") != std::string::npos, isEntry);
        TForm29& f = Open();
        EXPECT_EQ(f.CheckBox1.Checked(), c.setting != 0);
        EXPECT_EQ(f.CheckBox1.Enabled(), c.setting == 0);
        if (c.ticked && c.setting == 0) f.Label1MouseUp();  // the label ticks the box
        ASSERT_TRUE(f.CheckBox1.Checked() == c.ticked);
        ASSERT_EQ(f.Label8.Caption(), c.name);
        boxes.clear();
        cues.clear();
        answer = c.answer;
        f.BitBtn11.Click();
        EXPECT_EQ(boxes, c.asked ? std::vector<std::string>{"削除しますか？"} : std::vector<std::string>{});
        EXPECT_EQ(tk::FileExists(Path(c.name)), !c.deleted);
        EXPECT_EQ(settings::Open().SectionExists(Path(c.name)), !(c.deleted && !isEntry));
        EXPECT_EQ(f.ListBox1.Items.Count(), c.deleted ? 0 : 1);
        EXPECT_EQ(SendMessageA(f.ListBox1.Handle, LB_GETCOUNT, 0, 0), f.ListBox1.Items.Count());
        EXPECT_EQ(f.Deleted(), c.deleted);
        if (c.deleted) {
            EXPECT_EQ(cues, std::vector<std::string>{"del"});
            EXPECT_EQ(f.Panel4.Caption(), "ｽｹｼﾞｭｰﾙを削除しました｡");
            EXPECT_FALSE(f.BitBtn11.Enabled());
            EXPECT_EQ(f.Label6.Caption(), "");
            EXPECT_EQ(f.RichEdit2.Text(), "");
            // The main window's day view forgets the entry at once.
            EXPECT_EQ(Form1->RichEdit1.Text().find("消す予定"), std::string::npos);
        } else {
            EXPECT_EQ(f.RichEdit2.Text(), "消す予定");
            tk::DeleteFileA_(Path(c.name));
        }
        settings::Open().EraseSection(Path(c.name));
        f.Destroy();
        tk::FolderIndex::For(dir).Invalidate();
    }
    // With the setting on, the label leaves the box alone.
    TForm29& f = Open();
    f.Label1MouseUp();
    EXPECT_TRUE(f.CheckBox1.Checked());
}

TEST_F(ScheduleManagement, AFailedDeleteKeepsTheLineAndTheSection) {
    Put("12300115.01", "残る予定");
    settings::Open().WriteInteger(Path("12300115.01"), "closetime", 30);
    ASSERT_TRUE(SetFileAttributesA(Path("12300115.01").c_str(), FILE_ATTRIBUTE_READONLY));
    TForm29& f = Open();
    f.BitBtn11.Click();
    SetFileAttributesA(Path("12300115.01").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "削除できませんでした。ファイルが読み取り専用か、使用中です。\r\n" + Path("12300115.01"));
    EXPECT_TRUE(tk::FileExists(Path("12300115.01")));
    EXPECT_TRUE(settings::Open().SectionExists(Path("12300115.01")));
    EXPECT_EQ(f.ListBox1.Items.Count(), 1);
    EXPECT_EQ(f.RichEdit2.Text(), "残る予定");
    EXPECT_FALSE(f.Deleted());
}

TEST_F(ScheduleManagement, DoubleClickOpensTheReminderEditorOnTheSameName) {
    struct Case {
        const char* name;
        rtl::TDateTime today;
    } cases[] = {
        {"12300115.01", EncodeDate(2001, 1, 15)},
        {"12000115.30", EncodeDate(2001, 1, 15)},
        {"12300229.-~", EncodeDate(2001, 1, 15)},  // no 29 February this year: 2004's
        {"0905__31.__", EncodeDate(2001, 4, 10)},  // April has no 31st: May's
        {"0700__30.~_", EncodeDate(2001, 2, 3)},
        {"0800__21.THU", EncodeDate(2001, 1, 15)},
        {"0800____.FRI", EncodeDate(2001, 1, 15)},
        {"0800__32.SAT", EncodeDate(2001, 1, 15)},
        {"0800__01.SUN", EncodeDate(2001, 1, 15)},
        {"0000____.__", EncodeDate(2001, 1, 15)},
        {"W0000600.__", EncodeDate(2001, 1, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock = c.today + EncodeTime(10, 20, 0, 0);
        Put(c.name, std::string("本文 ") + c.name);
        TForm29& f = Open();
        f.BitBtn14Click();
        ASSERT_EQ(f.ListBox1.Items.Count(), 1);
        f.ListBox1DblClick();
        ASSERT_NE(Form7, nullptr);
        EXPECT_TRUE(Form7->Visible());
        EXPECT_EQ(Form7->Label2.Caption(), Path(c.name));
        EXPECT_EQ(Form7->RichEdit1.Text(), std::string("本文 ") + c.name);
        EXPECT_TRUE(Form7->BitBtn2.Enabled());  // an existing reminder was loaded
        EXPECT_EQ(Form7->UptimePage(), c.name[0] == 'W');
        EXPECT_TRUE(boxes.empty());
        Form7->Destroy();
        f.Destroy();
        tk::DeleteFileA_(Path(c.name));
        tk::FolderIndex::For(dir).Invalidate();
    }
    // The menu's "修正" does the same; a schedule entry opens no reminder editor.
    Put("________.MON");
    Put("12300115.01");
    TForm29& f = Open();
    f.BitBtn14Click();
    Select(f, 0);
    f.Edit1->Click();
    ASSERT_NE(Form7, nullptr);
    Form7->Destroy();
    Select(f, 1);
    f.ListBox1DblClick();
    EXPECT_EQ(Form7, nullptr);
}

TEST_F(ScheduleManagement, AnEditorClosingRunsTheShownListAgain) {
    TForm29& f = Open();
    f.BitBtn14Click();
    EXPECT_EQ(f.ListBox1.Items.Count(), 0);
    Form1->Popup1Click();
    ASSERT_NE(Form7, nullptr);
    Form7->RichEdit1.SetText("新しいﾎﾟｯﾌﾟｱｯﾌﾟ");
    Form7->RichEdit1.SetModified(true);
    ASSERT_TRUE(Form7->BitBtn6Click(TForm7::Command::Save));
    EXPECT_EQ(f.ListBox1.Items.Count(), 0);  // a save alone leaves the list
    Form7->Close();
    wintest::Pump();
    EXPECT_EQ(Lines(f), std::vector<std::string>{"Popup : 01年01月15日 09時00分"});
    EXPECT_EQ(f.ShownMode(), Mode::All);

    f.BitBtn16Click();
    Form1->Popup1Click();
    Form7->Close();
    wintest::Pump();
    EXPECT_EQ(f.ShownMode(), Mode::Past);

    f.Close();
    wintest::Pump();
    Form1->Popup1Click();  // with the window closed, closing an editor asks nothing of it
    Form7->Close();
    wintest::Pump();
    EXPECT_EQ(Form29, nullptr);
}

TEST_F(ScheduleManagement, WidthIsFixedAndTheSideBordersMoveTheWindow) {
    TForm29& f = Open();
    f.SetWidth(400);
    EXPECT_EQ(f.Width(), 270);
    int height = f.Height();
    f.SetHeight(height + 60);
    EXPECT_EQ(f.Height(), height + 60);
    RECT r;
    GetWindowRect(f.Handle, &r);
    int middle = (r.top + r.bottom) / 2;
    EXPECT_EQ(SendMessageA(f.Handle, WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, middle)), HTCAPTION);
    EXPECT_EQ(SendMessageA(f.Handle, WM_NCHITTEST, 0, MAKELPARAM(r.right - 2, middle)), HTCAPTION);
    EXPECT_EQ(SendMessageA(f.Handle, WM_NCHITTEST, 0, MAKELPARAM((r.left + r.right) / 2, r.bottom - 2)), HTBOTTOM);
}

TEST_F(ScheduleManagement, TheSplitterSizesTheListAndTheHeightsComeBack) {
    auto ini = settings::Open();
    ini.WriteInteger("Data", "LHeight", 120);
    ini.WriteInteger("Data", "Height", 460);
    TForm29& f = Open();
    EXPECT_EQ(f.ListBox1.Height(), 120);
    EXPECT_EQ(f.Height(), 460);
    int previewTop = f.Panel4.Top();
    SendMessageA(f.Panel2.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 2));
    SendMessageA(f.Panel2.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 32));
    SendMessageA(f.Panel2.Handle, WM_LBUTTONUP, 0, MAKELPARAM(20, 32));
    EXPECT_EQ(f.ListBox1.Height(), 150);
    EXPECT_EQ(f.Panel4.Top(), previewTop + 30);
    f.Close();
    wintest::Pump();
    EXPECT_EQ(settings::Open().ReadInteger("Data", "LHeight", 0), 150);
}

TEST_F(ScheduleManagement, StatusBarTellsWhatTheControlUnderTheMouseDoes) {
    std::vector<std::string> passedOn;
    tk::Application.OnHint = [&](const std::string& h) { passedOn.push_back(h); };
    TForm29& f = Open();
    f.BringForward();
    tk::Form other({.caption = "よそ", .left = 600, .top = 500, .width = 200, .height = 120});
    tk::Panel elsewhere;
    elsewhere.Create(other, {.at = {0, 0, 180, 80}, .hint = "よその窓"});
    other.Show();
    // The pointer really moves: the hint comes with the window's own mouse messages.
    auto pointAt = [](const tk::Control& c, const std::function<bool()>& done) {
        RECT r;
        GetWindowRect(c.Handle, &r);
        wintest::HoldCursor({r.left + 3, (r.top + r.bottom) / 2}, done);
    };
    struct Case {
        tk::Control* control;
        const char* status;
    } cases[] = {
        {&f.BitBtn24, "選択日を前日に移動"}, {&f.BitBtn26, "選択日を翌日に移動"}, {&f.BitBtn14, "全てのデータを一覧表示"},
        {&f.BitBtn11, "データの削除"},  // disabled: no list line selected
        {&f.Panel2, "ドラッグでサイズ変更"},       {&f.Panel1, "スケジュールデータの一覧です。"},
        {&f.RichEdit2, "プレビュー画面"},
    };
    for (const Case& c : cases) {
        pointAt(*c.control, [&] { return f.StatusBar1.SimpleText() == c.status; });
        EXPECT_EQ(f.StatusBar1.SimpleText(), c.status);
    }
    EXPECT_TRUE(passedOn.empty());
    // Hints elsewhere go to the handler that was there before; so does everything once it closed.
    pointAt(elsewhere, [&] { return !passedOn.empty(); });
    ASSERT_FALSE(passedOn.empty());
    EXPECT_EQ(passedOn.front(), "よその窓");
    EXPECT_EQ(f.StatusBar1.SimpleText(), "プレビュー画面");
    f.Destroy();
    tk::Application.OnHint("after");
    EXPECT_EQ(passedOn.back(), "after");
    tk::Application.OnHint = nullptr;
}

}  // namespace
