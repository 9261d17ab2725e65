// The reminder editor driven in-process: names, the uptime page, the lead time, saving, adding to
// the schedule, deleting, the discard notice, templates and the choosers of several editors.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "calendar/HolidayRules.h"
#include "controls/Bmp_sel.h"
#include "mainwindow/Main.h"
#include "schedule/Choosers.h"
#include "schedule/Pop_sel.h"
#include "schedule/Popup.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class ReminderEditor : public wintest::WindowTest {
protected:
    std::vector<std::string> mciOpened;
    std::function<void(tk::Form&)> choose;

    void SetUp() override {
        FreshDataFolder("orbal-editor-");
        settings::Open().WriteInteger("Calendar", "before", 0);
        FixClock(EncodeDate(2001, 1, 15) + EncodeTime(9, 0, 0, 0));  // a Monday
        tk::SetMciHookForTest([this](const std::string& c, std::string&) -> unsigned {
            if (c.rfind("open ", 0) == 0) mciOpened.push_back(c);
            return 0;
        });
        entry::SetChooserHookForTest([this](tk::Form& f) {
            if (choose) choose(f);
            PostMessageA(f.Handle, WM_CLOSE, 0, 0);  // ends the run unless choose ended it first
        });
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }

    void TearDown() override {
        DestroyOpen<TForm7>();
        wintest::Pump();
        if (Form1) Form1->Destroy();
        tk::SetMciHookForTest(nullptr);
        entry::SetChooserHookForTest(nullptr);
    }

    TForm7& Open(int y, int m, int d, int h, int n) {
        tk::Application.CreateForm(Form7);
        Form7->Preset(y, m, d, h, n);
        Form7->Show();
        return *Form7;
    }

    static void Type(TForm7& f, const std::string& s) {
        for (char c : s) SendMessageA(f.RichEdit1.Handle, WM_CHAR, (unsigned char)c, 1);
    }

    static std::string Key(const std::string& section, const char* key) {
        return settings::Open().ReadString(section, key, "(none)");
    }
};

TEST_F(ReminderEditor, NameAndRuleTextForEveryPageAndShift) {
    TForm7& f = Open(2001, 1, 15, 12, 30);
    struct Case {
        int tab, ifDayOff, saturday, weeks;  // weeks: the five bits, 32 = last week
        const char* name;
        const char* rule;
    } cases[] = {
        {0, 0, 0, 31, "12300115.01", ""},
        {1, 0, 0, 31, "12300115.__", "【毎年1月15日】"},
        {1, 1, 0, 31, "12300115.-_", "【毎年1月15日】(休日:前日)"},
        {1, 1, 1, 31, "12300115.-~", "【毎年1月15日】(土曜/休日:前日)"},
        {1, 2, 0, 31, "12300115.~_", "【毎年1月15日】(休日:翌日)"},
        {1, 2, 1, 31, "12300115.~~", "【毎年1月15日】(土曜/休日:翌日)"},
        {1, 0, 1, 31, "12300115.__", "【毎年1月15日】"},  // "そのまま" drops the Saturday choice
        {2, 1, 1, 31, "1230__15.-~", "【毎月15日】(土曜/休日:前日)"},
        {2, 0, 0, 31, "1230__15.__", "【毎月15日】"},
        {3, 0, 0, 5, "1230__05.MON", "【第１第３月曜日】"},
        {3, 0, 0, 0, "1230____.MON", "【月曜日】"},  // no week ticked: all five again
        {3, 0, 0, 32, "1230__32.MON", "【最終月曜日】"},
        {3, 0, 0, 16, "1230__16.MON", "【第５月曜日】"},
        {4, 0, 0, 31, "1230____.__", "【毎日】"},
    };
    tk::CheckBox* week[5] = {&f.CheckBox5, &f.CheckBox6, &f.CheckBox8, &f.CheckBox10, &f.CheckBox12};
    for (const Case& c : cases) {
        f.TabSet1.SetTabIndex(c.tab);
        f.RadioGroup3.SetItemIndex(c.ifDayOff);
        f.RadioGroup2.SetItemIndex(c.saturday);
        f.CheckBox7.SetChecked(c.weeks == 32);
        if (c.weeks == 0) {
            // Untick what is ticked, one box after another, as a user would.
            std::vector<tk::CheckBox*> ticked;
            for (tk::CheckBox* w : week)
                if (w->Checked()) ticked.push_back(w);
            for (tk::CheckBox* w : ticked) w->SetChecked(false);
        } else if (c.weeks != 32) {
            for (int i = 0; i < 5; ++i) week[i]->SetChecked(c.weeks & (1 << i));
        }
        EXPECT_EQ(f.Label2.Caption(), Path(c.name)) << c.name;
        EXPECT_EQ(f.Edit3.Text(), std::string(c.rule) + "12:30～") << c.name;
        bool shifts = c.tab == 1 || c.tab == 2;
        EXPECT_EQ(f.RadioGroup3.Enabled(), shifts) << c.name;
        EXPECT_EQ(f.RadioGroup2.Enabled(), shifts && c.ifDayOff > 0) << c.name;
        EXPECT_EQ(f.CheckBox7.Enabled(), c.tab == 3) << c.name;
        EXPECT_EQ(f.CheckBox1.Enabled(), c.tab == 0) << c.name;
    }
    EXPECT_TRUE(f.CheckBox5.Checked());  // the last case left "最終週" off: every week again
    EXPECT_EQ(f.TabSet1.Tabs[0], "2001/01/15");
    EXPECT_EQ(f.TabSet1.Tabs[3], "月曜");
    EXPECT_EQ(f.RichEdit1.Hint, "毎日のﾎﾟｯﾌﾟｱｯﾌﾟ");
    EXPECT_EQ(f.Label1.Caption(), "0115.01");
}

TEST_F(ReminderEditor, UptimePageRoundsAndClampsTheSeconds) {
    TForm7& f = Open(2001, 1, 15, 12, 30);
    f.BitBtn11Click();
    EXPECT_TRUE(f.UptimePage());
    EXPECT_FALSE(f.TabSet1.Visible());
    EXPECT_FALSE(f.CheckBox1.Enabled());
    struct Case {
        const char* typed;
        const char* name;
        int shown;
    } cases[] = {{"65", "W0000060.__", 60},           {"4000000", "W3456000.__", 3456000},
                 {"30", "W0000060.__", 60},           {"615", "W0000610.__", 610},
                 {"5400", "W0005400.__", 5400}};
    for (const Case& c : cases) {
        f.SpinEdit7.SetText(c.typed);
        EXPECT_EQ(f.Label2.Caption(), Path(c.name)) << c.typed;
        EXPECT_EQ(f.SpinEdit7.Value(), c.shown) << c.typed;
    }
    EXPECT_EQ(f.Edit3.Text(), "【Windows起動後 5400秒経過】");
    EXPECT_EQ(f.Memo1.Lines.Text(), "約0日\r\n約1時間\r\n約90分\r\n");
    f.SpinEdit8.SetValue(900);
    f.SpinEdit9.SetValue(2);
    f.BitBtn13Click();
    EXPECT_EQ(f.Label2.Caption(), Path("W0001800.__"));

    Type(f, "uptime");
    ASSERT_TRUE(f.BitBtn6Click(TForm7::Command::Save));
    EXPECT_EQ(TextOf(Path("W0001800.__")), "uptime");
    f.BitBtn12Click();
    EXPECT_EQ(f.Label2.Caption(), Path("12300115.01"));
    EXPECT_TRUE(f.CheckBox1.Enabled());
}

TEST_F(ReminderEditor, PopupTimeIsTheTimeMinusTheLeadMinutes) {
    struct Case {
        int before, h, n;
        const char* popup;
        const char* note;
    } cases[] = {
        {15, 0, 5, "Popup 23:50", "指定した時間の 15分前にﾎﾟｯﾌﾟｱｯﾌﾟします。"},
        {15, 9, 0, "Popup 08:45", "指定した時間の 15分前にﾎﾟｯﾌﾟｱｯﾌﾟします。"},
        {0, 9, 0, "Popup 09:00", "指定した時間通りにﾎﾟｯﾌﾟｱｯﾌﾟします。"},
    };
    for (const Case& c : cases) {
        settings::Open().WriteInteger("Calendar", "before", c.before);
        TForm7& f = Open(2001, 1, 15, c.h, c.n);
        EXPECT_EQ(f.Panel3.Caption(), c.popup);
        EXPECT_EQ(f.Label14.Caption(), c.note);
        f.Destroy();
    }
}

TEST_F(ReminderEditor, MainMenuOpensANewPresetEditorEachTime) {
    auto ini = settings::Open();
    ini.WriteString("Calendar", "Directory", ".");
    ASSERT_TRUE(Form1->Popup1->Enabled());
    Form1->Popup1->Click();
    EXPECT_EQ(Form7, nullptr);  // no data folder chosen: no editor

    ini.WriteString("Calendar", "Directory", dir);
    ini.WriteInteger("Calendar", "before", 15);
    clock = EncodeDate(2001, 1, 15) + EncodeTime(23, 50, 0, 0);
    Form1->Popup1->Click();
    ASSERT_NE(Form7, nullptr);
    TForm7* first = Form7;
    EXPECT_EQ(first->TabSet1.TabIndex(), 0);
    EXPECT_EQ(first->SpinEdit1.Value(), 0);
    EXPECT_EQ(first->SpinEdit2.Value(), 5);
    EXPECT_EQ(first->SpinEdit5.Value(), 15);  // the calendar's day, not the next one
    EXPECT_EQ(first->Panel3.Caption(), "Popup 23:50");
    EXPECT_EQ(first->Label2.Caption(), Path("00050115.01"));
    Form1->Popup1->Click();
    EXPECT_NE(Form7, first);
    EXPECT_TRUE(IsOpen(first));
}

TEST_F(ReminderEditor, SaveWritesTheSectionAndKeepsUnchosenSoundAndPicture) {
    std::string path = Path("12300115.01");
    auto ini = settings::Open();
    ini.WriteString(path, "file", "C:\\sounds\\old.wav");
    ini.WriteString(path, "bitmap", "C:\\pictures\\old.bmp");
    ini.WriteInteger(path, "closetime", 30);
    ini.WriteString(path, "Execute", "C:\\Tools\\run.exe?/a");
    TForm7& f = Open(2001, 1, 15, 12, 30);
    EXPECT_TRUE(f.CheckBox3.Checked());
    EXPECT_EQ(f.SpinEdit6.Value(), 30);
    EXPECT_EQ(f.Edit1.Text(), "C:\\Tools\\run.exe?/a");
    EXPECT_FALSE(f.CheckBox2.Enabled());  // its picture does not exist
    EXPECT_FALSE(f.BitBtn6.Enabled());

    Type(f, "abc");
    EXPECT_TRUE(f.BitBtn6.Enabled());
    EXPECT_TRUE(f.BitBtn1.Enabled());
    f.Edit2.SetText("メモ帳");
    f.BitBtn6.Click();
    EXPECT_EQ(TextOf(path), "abc");
    EXPECT_EQ(Key(path, "file"), "C:\\sounds\\old.wav");
    EXPECT_EQ(Key(path, "bitmap"), "C:\\pictures\\old.bmp");
    EXPECT_EQ(Key(path, "closetime"), "30");
    EXPECT_EQ(Key(path, "Execlose"), "メモ帳");
    EXPECT_EQ(Key(path, "Wallpaper"), "0");
    EXPECT_FALSE(f.BitBtn6.Enabled());
    EXPECT_TRUE(f.BitBtn2.Enabled());
    EXPECT_NE(std::find(cues.begin(), cues.end(), "sav"), cues.end());

    f.CheckBox3.SetChecked(false);
    f.BitBtn1.Click();  // save and close
    EXPECT_EQ(Key(path, "closetime"), "-1");
    wintest::Pump();
    EXPECT_EQ(Form7, nullptr);
    EXPECT_NE(Key("Sch_wind", "top"), "(none)");
}

TEST_F(ReminderEditor, AFailedSaveKeepsTheWindowAndItsText) {
    ASSERT_TRUE(tk::ForceDirectories(Path("12300115.01")));  // a folder where the file would go
    TForm7& f = Open(2001, 1, 15, 12, 30);
    Type(f, "keep me");
    f.BitBtn1.Click();
    wintest::Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "ファイルに保存できませんでした。\r" + Path("12300115.01"));
    EXPECT_TRUE(IsOpen(&f));
    EXPECT_EQ(f.RichEdit1.Text(), "keep me");
    EXPECT_TRUE(f.BitBtn6.Enabled());
    EXPECT_FALSE(settings::Open().SectionExists(Path("12300115.01")));
}

TEST_F(ReminderEditor, AddToScheduleCreatesTheDaysEntryThenAppends) {
    std::string entry = Path("____0115.01");
    TForm7& a = Open(2001, 1, 15, 12, 30);
    a.CheckBox1.SetChecked(true);
    Type(a, "first");
    a.BitBtn6.Click();
    EXPECT_EQ(TextOf(entry), "first");

    TForm7& b = Open(2001, 1, 15, 18, 0);
    b.CheckBox1.SetChecked(true);
    Type(b, "second");
    b.BitBtn6.Click();
    EXPECT_EQ(TextOf(entry), "first\r\nsecond");
    EXPECT_EQ(TextOf(Path("18000115.01")), "second");

    b.TabSet1.SetTabIndex(1);  // only a one-day reminder can be added
    EXPECT_FALSE(b.CheckBox1.Checked());
    EXPECT_FALSE(b.CheckBox1.Enabled());
}

TEST_F(ReminderEditor, DeleteEraseFileAndSectionUnlessRefused) {
    struct Case {
        bool fromMenu;  // "削除して終了" instead of the Delete button
        int answer;
        int deleteSetting;
        bool readOnly;  // the file cannot be deleted
        bool asked, deleted;
    } cases[] = {
        {false, IDYES, 0, false, true, true}, {false, IDNO, 0, false, true, false},
        {true, IDYES, 0, false, true, true},  {true, IDNO, 0, false, true, false},
        {true, IDNO, 1, false, false, true},  {false, IDYES, 1, true, false, false},
    };
    for (const Case& c : cases) {
        settings::Open().WriteInteger("Form", "Delete", c.deleteSetting);
        TForm7& f = Open(2001, 1, 15, 12, 30);
        Type(f, "x");
        f.BitBtn6Click(TForm7::Command::Save);
        std::string path = f.Label2.Caption();
        ASSERT_TRUE(tk::FileExists(path));
        if (c.readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        answer = c.answer;
        if (c.fromMenu) f.BitBtn1Click(TForm7::Command::Delete);
        else f.BitBtn2.Click();
        wintest::Pump();
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        SCOPED_TRACE(std::string(c.fromMenu ? "menu " : "button ") + (c.answer == IDYES ? "yes" : "no") +
                     (c.readOnly ? " read-only" : ""));
        EXPECT_EQ(boxes.size(), (c.asked ? 1u : 0u) + (c.readOnly ? 1u : 0u));
        if (c.asked) {
            EXPECT_EQ(boxes[0], "削除しますか？");
        }
        if (c.readOnly && !boxes.empty()) {
            EXPECT_NE(boxes.back().find("削除できませんでした"), std::string::npos);
        }
        EXPECT_EQ(tk::FileExists(path), !c.deleted);
        EXPECT_EQ(settings::Open().SectionExists(path), !c.deleted);  // a file that stays keeps its section
        EXPECT_EQ(IsOpen(&f), !c.deleted);  // a refused delete keeps the window and its edits
        if (!c.deleted) {
            EXPECT_EQ(f.RichEdit1.Text(), "x");
            f.Destroy();
        }
    }
}

TEST_F(ReminderEditor, DiscardNoticeOnlyAfterTyping) {
    const std::string notice = "日付の設定が変更されたので\r編集中のものは破棄されました。";
    tk::WriteFileBytes(Path("12300116.01"), "saved");
    tk::FolderIndex::For(dir).Invalidate();
    TForm7& f = Open(2001, 1, 15, 12, 30);
    f.SpinEdit5.SetValue(16);  // nothing typed yet: the other day loads quietly
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(f.RichEdit1.Text(), "saved");
    EXPECT_TRUE(f.BitBtn2.Enabled());
    f.SpinEdit5.SetValue(17);  // right after a load: still nothing to discard
    EXPECT_TRUE(boxes.empty());
    Type(f, "typed");
    f.SpinEdit5.SetValue(18);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], notice);
    EXPECT_EQ(f.RichEdit1.Text(), "");
    f.SpinEdit2.SetValue(31);  // the time rebuilds too, and the notice came only once
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ReminderEditor, DateFieldsStopAtTheEndsOfTheRange) {
    TForm7& f = Open(2001, 1, 15, 12, 30);
    struct Case {
        const char *y, *m, *d;
        int year, month, day;
        const char* name;
    } cases[] = {
        {"2023", "2", "31", 2023, 2, 28, "12300228.23"}, {"2024", "2", "31", 2024, 2, 29, "12300229.24"},
        {"0", "1", "1", 1, 1, 1, "12300101.01"},         {"10000", "12", "31", 9999, 12, 31, "12301231.99"},
        {"2001", "13", "5", 2001, 12, 5, "12301205.01"}, {"2001", "4", "0", 2001, 4, 1, "12300401.01"},
    };
    for (const Case& c : cases) {
        f.SpinEdit3.SetText(c.y);
        f.SpinEdit4.SetText(c.m);
        f.SpinEdit5.SetText(c.d);
        EXPECT_EQ(f.SpinEdit3.Text(), std::to_string(c.year)) << c.name;
        EXPECT_EQ(f.SpinEdit4.Text(), std::to_string(c.month)) << c.name;
        EXPECT_EQ(f.SpinEdit5.Text(), std::to_string(c.day)) << c.name;
        EXPECT_EQ(f.Label2.Caption(), Path(c.name));
    }
    // Stepping beyond either end stays there on every page.
    for (int tab = 0; tab < 5; ++tab) {
        f.TabSet1.SetTabIndex(tab);
        f.SpinEdit3.SetValue(9999), f.SpinEdit4.SetValue(12), f.SpinEdit5.SetValue(31);
        for (tk::SpinEdit* s : {&f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5}) s->Step(1);
        EXPECT_EQ(f.Label1.Caption(), "1231.99");
        f.SpinEdit5.SetValue(1), f.SpinEdit4.SetValue(1), f.SpinEdit3.SetValue(1);
        for (tk::SpinEdit* s : {&f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5}) s->Step(-1);
        EXPECT_EQ(f.Label1.Caption(), "0101.01");
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ReminderEditor, TwoEditorsChooseSoundsIndependently) {
    for (const char* n : {"a.wav", "b.wav", "general.wav"}) tk::WriteFileBytes(Path(n), "RIFF");
    settings::Open().WriteString("Calendar", "file", Path("general.wav"));
    std::vector<std::string> presets;
    std::string pick;
    choose = [&](tk::Form& chooser) {
        auto* s = dynamic_cast<TForm10*>(&chooser);
        ASSERT_NE(s, nullptr);
        presets.push_back(s->FileListBox1.FileName());
        s->FileListBox1.SetFileName(pick);
        PostMessageA(s->BitBtn1.Handle, BM_CLICK, 0, 0);
    };
    auto choosers = [] {
        return std::count_if(tk::Application.Forms.begin(), tk::Application.Forms.end(),
                             [](tk::Form* f) { return dynamic_cast<TForm10*>(f) != nullptr; });
    };
    TForm7& a = Open(2001, 1, 15, 10, 0);
    TForm7& b = Open(2001, 1, 15, 11, 0);
    pick = Path("a.wav");
    a.BitBtn4Click();
    EXPECT_EQ(choosers(), 0);  // freed as soon as the choice was copied
    ASSERT_EQ(mciOpened.size(), 1u);  // closing plays the choice once more
    EXPECT_NE(mciOpened[0].find("a.wav"), std::string::npos);
    pick = Path("b.wav");
    b.BitBtn4Click();
    pick = Path("a.wav");
    a.BitBtn4Click();
    EXPECT_EQ(presets, (std::vector<std::string>{Path("general.wav"), Path("general.wav"), Path("a.wav")}));
    EXPECT_TRUE(a.BitBtn6.Enabled());

    b.BitBtn6.Click();
    a.BitBtn6.Click();
    EXPECT_EQ(Key(Path("10000115.01"), "file"), Path("a.wav"));
    EXPECT_EQ(Key(Path("11000115.01"), "file"), Path("b.wav"));

    // The reminder's own sound is the next preset; a window closed unsaved writes nothing.
    TForm7& c = Open(2001, 1, 15, 11, 0);
    pick = Path("general.wav");
    c.BitBtn4Click();
    EXPECT_EQ(presets.back(), Path("b.wav"));
    c.Cancel1Click();
    wintest::Pump();
    EXPECT_EQ(Key(Path("11000115.01"), "file"), Path("b.wav"));
}

TEST_F(ReminderEditor, PictureChosenInThisWindowAllowsWallpaper) {
    tk::TBitmap pic(8, 8);
    pic.SaveToFile(Path("pic.bmp"));
    choose = [&](tk::Form& chooser) {
        auto* p = dynamic_cast<TForm20*>(&chooser);
        ASSERT_NE(p, nullptr);
        p->FileListBox1.SetFileName(Path("pic.bmp"));
        PostMessageA(p->BitBtn1.Handle, BM_CLICK, 0, 0);
    };
    TForm7& f = Open(2001, 1, 15, 12, 30);
    EXPECT_FALSE(f.CheckBox2.Enabled());
    f.BitBtn29Click();
    EXPECT_EQ(f.ChosenPicture(), Path("pic.bmp"));
    EXPECT_TRUE(f.CheckBox2.Enabled());
    EXPECT_TRUE(f.CheckBox4.Enabled());
    f.CheckBox2.SetChecked(true);
    f.BitBtn6.Click();
    std::string path = Path("12300115.01");
    EXPECT_EQ(Key(path, "bitmap"), Path("pic.bmp"));
    EXPECT_EQ(Key(path, "Wallpaper"), "1");
    EXPECT_EQ(Key(path, "file"), "(none)");  // the sound chooser was never opened
}

TEST_F(ReminderEditor, MenusActOnTheirControlAndFollowTheButtons) {
    TForm7& f = Open(2001, 1, 15, 12, 30);
    Type(f, "body");
    tk::MenuItem& selectAll = f.PopupMenu1.Items[4];
    ASSERT_EQ(selectAll.Caption(), "すべてを選択(&S)");
    f.PopupMenu1.PopupComponent = &f.Edit3;
    selectAll.Click();
    EXPECT_EQ(f.Edit3.SelLength(), (int)f.Edit3.Text().size());
    EXPECT_EQ(f.RichEdit1.SelLength(), 0);
    f.PopupMenu1.PopupComponent = &f.RichEdit1;
    selectAll.Click();
    EXPECT_GE(f.RichEdit1.SelLength(), 4);  // the whole body (with its final paragraph mark)

    f.PopupMenu1.OnPopup();
    EXPECT_TRUE(f.EditClose.SaveClose->Enabled());
    EXPECT_FALSE(f.EditClose.DeleteClose->Enabled());  // nothing saved yet
    f.EditClose.SaveClose->Click();
    wintest::Pump();
    EXPECT_EQ(Form7, nullptr);
    EXPECT_EQ(TextOf(Path("12300115.01")), "body");

    TForm7& g = Open(2001, 1, 15, 12, 30);
    g.PopupMenu2.OnPopup();
    EXPECT_TRUE(g.WindowClose.SaveClose->Enabled());  // a loaded reminder can be saved again
    EXPECT_TRUE(g.WindowClose.DeleteClose->Enabled());
    Type(g, "unsaved");
    g.PopupMenu2.Items[g.PopupMenu2.Items.Count() - 1].Click();  // "取り止め"
    wintest::Pump();
    EXPECT_EQ(Form7, nullptr);
    EXPECT_EQ(TextOf(Path("12300115.01")), "body");
}

TEST_F(ReminderEditor, ProgramBrowseStartsAtTheCurrentFile) {
    tk::WriteFileBytes(Path("tool.exe"), "MZ");
    std::vector<std::string> proposed;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        auto& open = dynamic_cast<tk::OpenDialog&>(d);
        proposed.push_back(open.FileName + "|" + open.InitialDir);
        open.FileName = Path("tool.exe");
        return true;
    });
    TForm7& f = Open(2001, 1, 15, 12, 30);
    f.BitBtn5Click();
    EXPECT_EQ(f.Edit1.Text(), Path("tool.exe"));
    EXPECT_TRUE(f.BitBtn6.Enabled());
    f.Edit1.SetText(Path("tool.exe") + "?/quiet");
    f.BitBtn5Click();
    tk::SetDialogHookForTest(nullptr);
    EXPECT_EQ(proposed, (std::vector<std::string>{"|", Path("tool.exe") + "|" + dir}));
}

TEST_F(ReminderEditor, TemplatesLoadInsertRenameAndDelete) {
    settings::Open().WriteString("Popup_Teikei", "2", "会議");
    TForm7& f = Open(2001, 1, 15, 12, 30);
    ASSERT_EQ(f.ComboBox1.Items.Count(), 20);
    EXPECT_EQ(f.ComboBox1.Items[0], "定型文1");
    EXPECT_EQ(f.ComboBox1.Items[2], "会議");
    EXPECT_FALSE(f.RichEdit4.Visible());

    f.ComboBox1.SetItemIndex(2);
    f.ComboBox1Change();
    EXPECT_TRUE(f.RichEdit4.Visible());
    EXPECT_TRUE(tk::DirectoryExists(dir + "\\Teikei"));
    std::string file = dir + "\\Teikei\\2.rtf";
    EXPECT_FALSE(tk::FileExists(file));  // loading saves nothing
    f.RichEdit4.SetText("資料を持参");
    EXPECT_EQ(TextOf(file), "資料を持参");
    f.BitBtn8Click();
    EXPECT_EQ(f.RichEdit1.Text(), "資料を持参\r\n");  // added as a line of its own
    EXPECT_TRUE(f.BitBtn6.Enabled());

    f.BitBtn10Click();
    EXPECT_TRUE(f.Edit4.Visible());
    EXPECT_EQ(f.Edit4.Text(), "会議");
    f.Edit4.SetText("打合せ");
    EXPECT_EQ(Key("Popup_Teikei", "2"), "打合せ");
    f.Edit4Exit();
    EXPECT_FALSE(f.Edit4.Visible());
    EXPECT_EQ(f.ComboBox1.Items[2], "打合せ");
    EXPECT_EQ(f.ComboBox1.ItemIndex(), 2);

    answer = IDNO;
    f.BitBtn9Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "「打合せ」を削除しますか？");
    EXPECT_TRUE(tk::FileExists(file));
    answer = IDYES;
    f.BitBtn9Click();
    EXPECT_FALSE(tk::FileExists(file));
    EXPECT_EQ(f.ComboBox1.Items[2], "定型文3");
    EXPECT_EQ(Key("Popup_Teikei", "2"), "定型文3");
    EXPECT_EQ(f.RichEdit4.Text(), "");

    // Another template loads its own file.
    tk::WriteFileBytes(dir + "\\Teikei\\5.rtf", "六番");
    f.ComboBox1.SetItemIndex(5);
    f.ComboBox1Change();
    EXPECT_EQ(f.RichEdit4.Text(), "六番");
}

}  // namespace
