// Goals and the private time bands: the goal list, saving and deleting goals, damaged goal files
// in the goal box at start-up, the decimal date-time texts and the date and time fields; and every
// window that writes a list back whole, opened on a settings file it cannot read.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "notes/Entry.h"
#include "notes/MyGraph.h"
#include "schedule/Popup.h"
#include "settings/Ext_exec.h"
#include "settings/Settings.h"
#include "settings/execmenu.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

std::string ReadAll(const std::string& path) {
    std::string s;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return s;
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) s.append(buf, n);
    CloseHandle(h);
    return s;
}

void WriteAll(const std::string& path, const std::string& data) {
    ASSERT_TRUE(tk::WriteFileSafely(path, data));
}

class Goals : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-goal-", false);
        settings::Open().WriteInteger("Form", "Delete", 1);
        FixClock(EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0));
    }
    void TearDown() override {
        if (Form6) Form6->Destroy();
        if (Form36) Form36->Destroy();
        if (Form1) Form1->Destroy();
        wintest::Pump();
    }
    std::string Entry(int n) { return settings::Open().ReadString("Entry", std::to_string(n), ""); }
    int Cnt() { return settings::Open().ReadInteger("Entry_Cnt", "Cnt", 0); }

    TForm6& OpenGoal(int index) {
        tk::Application.CreateForm(Form6);
        if (tk::Application.MainForm == Form6) tk::Application.MainForm = nullptr;
        Form6->Tag = index;
        Form6->Show();
        return *Form6;
    }
    static void SetGroup(tk::SpinEdit* const (&f)[6], int y, int m, int d, int h, int n, int s) {
        f[2]->SetValue(1);
        f[0]->SetValue(y);
        f[1]->SetValue(m);
        f[2]->SetValue(d);
        f[3]->SetValue(h);
        f[4]->SetValue(n);
        f[5]->SetValue(s);
    }
    // A goal saved through the window at index, from a to b.
    void SaveGoal(int index, const std::string& name, rtl::TDateTime a, rtl::TDateTime b) {
        TForm6& f = OpenGoal(index);
        f.Edit1.SetCaption(name);
        int y, m, d, h, n, s, ms;
        rtl::DecodeDate(a, y, m, d);
        rtl::DecodeTime(a, h, n, s, ms);
        SetGroup({&f.SpinEdit1, &f.SpinEdit2, &f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5, &f.SpinEdit6}, y, m, d, h, n, s);
        rtl::DecodeDate(b, y, m, d);
        rtl::DecodeTime(b, h, n, s, ms);
        SetGroup({&f.SpinEdit7, &f.SpinEdit8, &f.SpinEdit9, &f.SpinEdit10, &f.SpinEdit11, &f.SpinEdit12}, y, m, d, h, n,
                 s);
        f.RichEdit1.SetCaption("説明 " + name);
        f.BitBtn2Click();
        wintest::Pump();
        ASSERT_EQ(Form6, nullptr) << "the window closes after a save";
    }
};

TEST_F(Goals, DecimalDateTimeTexts) {
    struct {
        const char* text;
        bool ok;
        int h, n, s;
    } cases[] = {
        {"0.395833333333333", true, 9, 30, 0},  // 9:30 as a file holds it
        {"0.999988425925926", true, 23, 59, 59},
        {"45413.5", true, 12, 0, 0},
        {"abc", false},
        {"", false},
        {"1E300", false},
        {"3000000", false},  // past 9999-12-31
    };
    for (auto& c : cases) {
        rtl::TDateTime t = 0;
        ASSERT_EQ(goal::ReadDateTime(c.text, t), c.ok) << c.text;
        if (!c.ok) continue;
        int h, n, s, ms;
        rtl::DecodeTime(t, h, n, s, ms);
        EXPECT_EQ(h * 3600 + n * 60 + s, c.h * 3600 + c.n * 60 + c.s) << c.text;
        EXPECT_EQ(ms, 0) << c.text;
    }
    // Every second of a day survives the text.
    for (int sec = 0; sec < 86400; sec += 59) {
        rtl::TDateTime t = EncodeDate(2024, 5, 1) + EncodeTime(sec / 3600, sec / 60 % 60, sec % 60, 0), back;
        ASSERT_TRUE(goal::ReadDateTime(goal::DateTimeText(t), back));
        EXPECT_EQ(rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", back), rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", t));
    }
}

TEST_F(Goals, ListEndsAtGap) {
    auto ini = settings::Open();
    ini.WriteString("Entry", "0", "Entry0");
    ini.WriteString("Entry", "1", "Entry1");
    ini.WriteString("Entry", "3", "Entry3");
    EXPECT_EQ(goal::ReadNames(ini), (std::vector<std::string>{"Entry0", "Entry1"}));
}

TEST_F(Goals, SaveStoresEarlierFirstAndReadsBack) {
    rtl::TDateTime later = EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59, 0);
    rtl::TDateTime earlier = EncodeDate(2024, 1, 2) + EncodeTime(9, 30, 0, 0);
    SaveGoal(0, "試験", later, earlier);
    EXPECT_EQ(Entry(0), "Entry0");
    EXPECT_EQ(Cnt(), 1);
    // The file itself: name, earlier, later, description.
    TForm6& f = OpenGoal(0);
    EXPECT_TRUE(f.BitBtn1.Enabled());
    EXPECT_EQ(f.Edit1.Caption(), "試験");
    EXPECT_EQ(f.StartTime(), earlier);
    EXPECT_EQ(f.EndTime(), later);
    EXPECT_EQ(f.RichEdit1.Lines.Text(), "説明 試験\r\n");
    f.Close();
    wintest::Pump();
}

TEST_F(Goals, DeleteMiddleOfThree) {
    rtl::TDateTime a = EncodeDate(2024, 1, 1), b = EncodeDate(2024, 6, 1);
    SaveGoal(0, "一", a, b);
    SaveGoal(1, "二", a, b);
    SaveGoal(2, "三", a, b);
    OpenGoal(1).BitBtn1Click();
    wintest::Pump();
    EXPECT_EQ(Entry(0), "Entry0");
    EXPECT_EQ(Entry(1), "Entry2");
    EXPECT_EQ(Entry(2), "");
    EXPECT_EQ(Cnt(), 3);
    EXPECT_FALSE(tk::FileExists(dir + "\\Entry\\Entry1"));
    // The next goal takes a new number.
    SaveGoal(2, "四", a, b);
    EXPECT_EQ(Entry(2), "Entry3");
}

TEST_F(Goals, ResetCounterSkipsExistingFiles) {
    SaveGoal(0, "一", EncodeDate(2024, 1, 1), EncodeDate(2024, 6, 1));
    std::string first = ReadAll(dir + "\\Entry\\Entry0");
    // The settings file was reset: no list, no counter.
    auto ini = settings::Open();
    ini.EraseSection("Entry");
    ini.EraseSection("Entry_Cnt");
    SaveGoal(0, "二", EncodeDate(2024, 1, 1), EncodeDate(2024, 6, 1));
    EXPECT_EQ(Entry(0), "Entry1");
    EXPECT_EQ(Cnt(), 2);
    EXPECT_EQ(ReadAll(dir + "\\Entry\\Entry0"), first);
}

TEST_F(Goals, DamagedFilesAtStartUp) {
    tk::ForceDirectories(dir + "\\Entry");
    struct {
        const char* text;
        const char* name;
        bool span;
        const char* description;
    } cases[] = {
        {"良い\r\n45292\r\n45444\r\n説明\r\n", "良い", true, "説明\r\n"},
        {"壊れ\r\nabc\r\n45444\r\n説明\r\n", "壊れ", false, "abc\r\n45444\r\n説明\r\n"},
        {"短い\r\n45292\r\n", "短い", false, "45292\r\n"},
        {"", "", false, ""},
    };
    auto ini = settings::Open();
    for (int i = 0; i < 4; ++i) {
        std::string name = std::string(1, 'G') + char('0' + i);
        WriteAll(dir + "\\Entry\\" + name, cases[i].text);
        ini.WriteString("Entry", std::to_string(i), name);
    }
    ini.WriteBool("Form", "Entry", true);
    ini.WriteInteger("Entry_Cnt", "Index", 1);
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    ASSERT_EQ(Form1->Panel1.Tag, 2);
    ASSERT_EQ(Form1->ComboBox3.Items.Count(), 5);
    EXPECT_EQ(Form1->ComboBox3.Items[4], "(新規登録はダブルクリック)");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Form1->ComboBox3.Items[i], cases[i].name);
        Form1->ComboBox3.SetItemIndex(i);
        Form1->ComboBox3Change();
        EXPECT_EQ(Form1->GoalEnd > 0, cases[i].span);
        if (!cases[i].span) {
            EXPECT_EQ(Form1->SGauge1.Position(), 0);
        }
        EXPECT_EQ(Form1->RichEdit4.Lines.Text(), cases[i].description);
    }
    // A real double click on the goal box opens the goal window on the damaged goal, without a
    // word, and leaves its file alone.
    Form1->ComboBox3.SetItemIndex(1);
    Form1->ComboBox3Change();
    Form1->Show();
    SetForegroundWindow(Form1->Handle);
    wintest::Pump();
    RECT box;
    GetWindowRect(Form1->ComboBox3.Handle, &box);
    wintest::Click(Form1->ComboBox3.Handle, {box.left + 30, (box.top + box.bottom) / 2}, 2);
    ASSERT_TRUE(wintest::PumpUntil([] { return Form6 != nullptr; }));
    EXPECT_FALSE(Form1->ComboBox3.DroppedDown());
    EXPECT_EQ(Form1->ComboBox3.ItemIndex(), 1);
    EXPECT_EQ(Form6->Edit1.Caption(), "壊れ");
    EXPECT_EQ(Form6->StartTime(), clock);
    Form6->Close();
    wintest::Pump();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadAll(dir + "\\Entry\\G1"), cases[1].text);
    // The list with no goals: only the line for a new one, no span.
    settings::Open().EraseSection("Entry");
    Form1->BitBtn25Click();
    EXPECT_EQ(Form1->ComboBox3.Items.Count(), 1);
    EXPECT_EQ(Form1->GoalEnd, 0);
    EXPECT_EQ(Form1->RichEdit4.Lines.Text(), "");
}

TEST_F(Goals, GoalBoxGaugeRuns) {
    SaveGoal(0, "五月", EncodeDate(2024, 5, 1), EncodeDate(2024, 5, 31));
    settings::Open().WriteBool("Form", "Entry", true);
    clock = EncodeDate(2024, 5, 16);
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    EXPECT_EQ(Form1->SGauge1.Position(), 51);  // (15 + 1) / (30 + 1)
    EXPECT_NE(Form1->RichEdit4.Hint.find("2024/05/01"), std::string::npos);
    // Leaving the goal box and coming back switches the panels and the stored choice.
    Form1->Panel17DblClick();
    EXPECT_FALSE(Form1->Panel17.Visible());
    EXPECT_EQ(Form1->Panel1.Tag, 0);
    EXPECT_FALSE(settings::Open().ReadBool("Form", "Entry", true));
    Form1->Panel2DblClick();
    EXPECT_TRUE(Form1->Panel17.Visible());
    EXPECT_EQ(Form1->Panel1.Tag, 2);
}

TEST_F(Goals, DateGroupLowersImpossibleDay) {
    struct {
        int y;
        const char* day;
        int want;
    } cases[] = {{2024, "31", 29}, {2023, "31", 28}, {2024, "30", 29}, {2024, "28", 28}};
    TForm6& f = OpenGoal(0);
    for (auto& c : cases) {
        f.SpinEdit3.SetValue(1);
        f.SpinEdit1.SetValue(c.y);
        f.SpinEdit2.SetValue(2);
        f.SpinEdit3.SetCaption(c.day);
        EXPECT_EQ(f.SpinEdit3.Value(), c.want) << c.y << " " << c.day;
    }
    // Year and month are held in range; the today button goes off on today.
    f.SpinEdit1.SetCaption("10000");
    EXPECT_EQ(f.SpinEdit1.Value(), 9999);
    f.BitBtn7Click();
    EXPECT_FALSE(f.BitBtn7.Enabled());
    f.SpinEdit3.SetValue(2);
    EXPECT_TRUE(f.BitBtn7.Enabled());
}

// Opened while another program holds the settings file (changed since this program read it), each
// window says so; once the file is free its save writes nothing over what it could not read.
TEST_F(Goals, ListWindowsOpenedOnAHeldSettingsFileWriteNothingBack) {
    const std::string ini = settings::IniPath();
    WriteAll(ini, Bytes(ini) + "[Entry]\r\n0=G0\r\n[MyGraph]\r\nLG_Title=朝\r\n[Ext_Exec]\r\n.txt=ed.exe\r\n"
                               "[ExecTitle_Main]\r\nCount=1\r\n0=A\r\n");
    std::shared_ptr<void> held;
    std::string before;
    auto check = [&](tk::Control& save, const std::function<void()>& click) {
        EXPECT_TRUE(boxes.size() == 1 && boxes[0].find("ほかのプログラムが使用中です") != std::string::npos);
        held.reset();
        EXPECT_FALSE(save.Enabled());
        click();
        EXPECT_EQ(Bytes(ini), before);
    };
    auto show = [](auto*& f) -> auto& { return tk::Application.CreateForm(f), tk::Application.MainForm = nullptr, f->Show(), *f; };
    std::function<void()> rows[] = {
        [&] { check(OpenGoal(0).BitBtn2, [] { Form6->BitBtn2Click(); }); },
        [&] { check(show(Form36).Edit1, [] { Form36->OnSave(); }); },
        [&] { check(show(Form33).BitBtn1, [] { Form33->BitBtn1.Click(); }); },
        [&] { check(show(Form7).BitBtn6, [] { Form7->RichEdit1.SetText("変更"), Form7->BitBtn6Click(TForm7::Command::Save); }); },
        [&] {
            SetMenuEditorHookForTest([&](TForm30& e) { check(e.BitBtn8, [&] { e.BitBtn8Click(); }), e.BitBtn9Click(); });
            EditLauncherMenu(), SetMenuEditorHookForTest(nullptr);
        },
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        WriteAll(ini, before = Bytes(ini) + ";\r\n");
        held = wintest::HeldByAnotherProgram(ini), boxes.clear();
        rows[i]();
        wintest::Pump();
        DestroyOpen<TForm6, TForm36, TForm33, TForm7>();
    }
}

TEST_F(Goals, TimeBandsClampAndRoundTrip) {
    auto ini = settings::Open();
    ini.WriteString("MyGraph", "LG_Stime", "0.395833333333333");
    ini.WriteString("MyGraph", "LG_Etime", "壊れ");
    ini.WriteString("MyGraph", "RG_Title", "夜");
    tk::Application.CreateForm(Form36);
    Form36->Show();
    TForm36& f = *Form36;
    EXPECT_EQ(f.SpinEdit1.Value(), 9);
    EXPECT_EQ(f.SpinEdit2.Value(), 30);
    EXPECT_EQ(f.SpinEdit3.Value(), 0);
    EXPECT_EQ(f.Edit2.Caption(), "夜");
    struct {
        tk::SpinEdit* field;
        const char* text;
        int want;
    } cases[] = {{&f.SpinEdit5, "25", 23}, {&f.SpinEdit5, "-1", 0}, {&f.SpinEdit5, "23", 23},
                 {&f.SpinEdit6, "60", 59}, {&f.SpinEdit6, "0", 0},  {&f.SpinEdit6, "-5", 0}};
    for (auto& c : cases) {
        c.field->SetCaption(c.text);
        EXPECT_EQ(c.field->Text(), std::to_string(c.want)) << c.text;
    }
    f.SpinEdit7.SetValue(6);
    f.SpinEdit8.SetValue(15);
    f.Close();
    wintest::Pump();
    ini = settings::Open();
    EXPECT_EQ(ini.ReadString("MyGraph", "LG_Stime", ""), rtl::FloatToStr(EncodeTime(9, 30, 0, 0)));
    EXPECT_EQ(ini.ReadString("MyGraph", "LG_Etime", ""), "0");
    EXPECT_EQ(ini.ReadString("MyGraph", "RG_Etime", ""), rtl::FloatToStr(EncodeTime(6, 15, 0, 0)));
    EXPECT_EQ(ini.ReadString("MyGraph", "RG_Title", ""), "夜");
    // At the program's end the window goes without its close: the bands are saved all the same.
    tk::Application.CreateForm(Form36);
    Form36->Show();
    Form36->Edit1.SetCaption("朝");
    tk::Application.SaveWork(false);
    Form36->Destroy();
    EXPECT_EQ(settings::Open().ReadString("MyGraph", "LG_Title", ""), "朝");
}

}  // namespace
