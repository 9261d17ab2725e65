// The countdown timers: the notices and their sounds as the time runs down, pause, hiding until
// the time is up, and the preset stack in the settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "schedule/Timer.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/Graphics.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class CountdownTimer : public wintest::WindowTest {
protected:
    const rtl::TDateTime t0 = EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0);
    std::vector<std::string> played;  // the files the media player opened

    void SetUp() override {
        FreshDataFolder("orbal-gtimer-", false);
        FixClock(t0);
        tk::SetMciHookForTest([this](const std::string& c, std::string&) -> unsigned {
            if (c.rfind("open \"", 0) == 0) played.push_back(c.substr(6, c.find('"', 6) - 6));
            return 0;
        });
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void TearDown() override {
        if (Form13) Form13->Destroy();
        if (Form1) Form1->Destroy();
        tk::SetMciHookForTest(nullptr);
    }

    TForm13& Open() {
        Form1->GTimer1Click();
        return *Form13;
    }
    std::string Sound(const char* name) {
        std::string path = dir + "\\" + name;
        tk::WriteFileBytes(path, "RIFF");
        return path;
    }
    // A tick when seconds have passed since t0.
    void TickAt(double seconds) {
        clock = t0 + seconds / 86400.0;
        Form13->Timer1Timer();
    }
    std::string Ini(const std::string& key) { return settings::Open().ReadString("Gtimer", key, "?"); }
};

TEST_F(CountdownTimer, NoticesComeAtTheirShareOfThePeriodWithTheirSounds) {
    struct Row {
        int hours, minutes;
        std::vector<int> left;          // seconds left at each tick
        std::vector<std::string> said;  // the status after each tick
    };
    const Row rows[] = {
        {0, 1, {31, 30, 13, 12, 1, 0},
         {"時間を計っています。", "５０％を経過しました。", "５０％を経過しました。", "８０％を経過しました。",
          "８０％を経過しました。", "時間になりました。"}},
        {1, 1, {1831, 1830, 733, 732},
         {"時間を計っています。", "５０％を経過しました。", "５０％を経過しました。", "８０％を経過しました。"}},
        // A late tick past both shares gives both notices, the later one last.
        {0, 1, {40, 5}, {"時間を計っています。", "８０％を経過しました。"}},
    };
    const std::string s50 = Sound("half.wav"), s80 = Sound("most.wav"), s100 = Sound("end.wav");
    for (const Row& row : rows) {
        TForm13& f = Open();
        f.Edit1.SetCaption("");
        f.SpinEdit1.SetValue(row.hours);
        f.SpinEdit2.SetValue(row.minutes);
        f.Edit2.SetCaption(s50);
        f.Edit3.SetCaption(s80);
        f.Edit4.SetCaption(s100);
        played.clear();
        clock = t0;
        f.BitBtn5Click();
        const int period = row.hours * 3600 + row.minutes * 60;
        EXPECT_EQ(f.SGauge1.Max(), period);
        EXPECT_EQ(f.SGauge1.Position(), period);
        EXPECT_FALSE(f.BitBtn5.Enabled());
        std::vector<std::string> said, expectPlayed;
        for (size_t i = 0; i < row.left.size(); ++i) {
            TickAt(period - row.left[i]);
            said.push_back(f.StatusBar1.SimpleText());
            if (row.left[i] > 0) {
                EXPECT_EQ(f.Caption(), "減算タイマー （残り " + std::to_string(row.left[i]) + "秒）");
            }
        }
        EXPECT_EQ(said, row.said) << period;
        expectPlayed = {s50, s80};
        if (row.left.back() == 0) expectPlayed.push_back(s100);
        EXPECT_EQ(played, expectPlayed) << period;
        Form13->Destroy();
    }
}

TEST_F(CountdownTimer, TheEndComesBackToTheFrontAndResets) {
    TForm13& f = Open();
    f.Edit1.SetCaption("お茶");
    f.CheckBox1.SetChecked(true);
    f.BitBtn5Click();
    EXPECT_EQ(f.StatusBar1.SimpleText(), "お茶の時間を計っています。");
    TickAt(1);
    EXPECT_FALSE(f.Visible());
    // The command brings a hidden timer back, unticked.
    Form1->GTimer1Click();
    EXPECT_EQ(Form13, &f);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.CheckBox1.Checked());
    f.CheckBox1.SetChecked(true);
    TickAt(30);
    EXPECT_EQ(f.StatusBar1.SimpleText(), "お茶の時間は５０％を経過しました。");
    EXPECT_FALSE(f.Visible());
    TickAt(61);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.CheckBox1.Checked());
    EXPECT_EQ(f.StatusBar1.SimpleText(), "お茶の時間になりました。");
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_TRUE(f.BitBtn5.Enabled());
    EXPECT_FALSE(f.BitBtn6.Enabled());
    EXPECT_EQ(f.Caption(), "減算タイマー");
    EXPECT_EQ(f.Label7.Caption(), "終了時間：");
}

TEST_F(CountdownTimer, PausedTicksMoveTheEndLater) {
    TForm13& f = Open();
    f.BitBtn5Click();
    TickAt(1);
    EXPECT_EQ(f.Label7.Caption(), "終了時間：2024/05/01 10:01:00");
    f.BitBtn6Click();
    for (int i = 2; i <= 11; ++i) TickAt(i);
    EXPECT_EQ(f.Caption(), "減算タイマー （一時停止）");
    EXPECT_FALSE(f.SGauge1.Enabled());
    EXPECT_EQ(f.Label7.Caption(), "終了時間：2024/05/01 10:01:10");
    f.BitBtn6Click();
    TickAt(12);
    EXPECT_EQ(f.SGauge1.Position(), 58);
    EXPECT_TRUE(f.SGauge1.Enabled());
}

TEST_F(CountdownTimer, ALongPresetNameIsCutInTheFrameOnly) {
    TForm13& f = Open();
    const std::string suffix = "のﾌﾟﾛﾊﾟﾃｨ";
    const std::string names[] = {"カップ麺", std::string(80, 'x'),  // the last with trail bytes 0x5C
                                 "表示" + std::string(30, 'x') + "表示表示表示表示表示表示表示表示"};
    tk::TCanvas frame(tk::MeasureDC());
    frame.Font = f.GroupBox1.EffectiveFont();
    for (int i = 0; i < 3; ++i) {  // the first fits
        f.Edit1.SetCaption(names[i]);
        f.BitBtn1Click();
        const std::string shown = f.GroupBox1.Caption();
        SCOPED_TRACE(shown);
        EXPECT_EQ(Ini(std::to_string(i) + "_Title"), names[i]);
        size_t kept = i ? shown.rfind("…" + suffix) : names[i].size();
        ASSERT_NE(kept, std::string::npos);
        EXPECT_EQ(shown, names[i].substr(0, kept) + (i ? "…" : "") + suffix);
        EXPECT_TRUE(rtl::SjisIsCharStart(names[i], kept));
        EXPECT_LE(frame.TextWidth(shown), f.GroupBox1.Width() - 17);  // the frame's caption room
    }
    // The list draws the long name of line 1 as the x's that fit before "…", not cut at its edge.
    const RECT line = f.ListBox1.ItemRect(1);
    RECT all;
    GetClientRect(f.ListBox1.Handle, &all);
    tk::TBitmap drawn(all.right, all.bottom), want(all.right, all.bottom);
    SendMessageA(f.ListBox1.Handle, WM_PRINTCLIENT, (WPARAM)drawn.Canvas().Handle, PRF_CLIENT);
    tk::TCanvas& c = want.Canvas();
    c.Font = f.ListBox1.EffectiveFont();
    std::string fits;
    while (c.TextWidth(fits + "x…") <= line.right - line.left - 4) fits += "x";
    c.Brush.Color = f.ListBox1.EffectiveColor();
    c.FillRect(line);
    c.TextOut(line.left + 2, line.top, fits + "…");
    int differ = 0;
    for (int y = line.top; y < line.bottom; ++y)
        for (int x = line.left; x < line.right; ++x) differ += drawn.Canvas().GetPixel(x, y) != c.GetPixel(x, y);
    EXPECT_EQ(differ, 0);
}

TEST_F(CountdownTimer, PresetsStackAndCloseUpWhenOneIsDeleted) {
    TForm13& f = Open();
    // A sound typed while no preset is selected belongs to none.
    f.Edit2.SetEnabled(true);
    f.Edit2.SetCaption("x.wav");
    const struct {
        const char* name;
        int h, m;
    } presets[] = {{"A", 0, 5}, {"B", 1, 10}, {"C", 2, 15}};
    for (auto& p : presets) {
        f.Edit1.SetCaption(p.name);
        f.SpinEdit1.SetValue(p.h);
        f.SpinEdit2.SetValue(p.m);
        f.BitBtn1Click();
        EXPECT_EQ(f.GroupBox1.Caption(), std::string(p.name) + "のﾌﾟﾛﾊﾟﾃｨ");
    }
    f.Edit3.SetCaption("c80.wav");  // C is selected
    f.ListBox1.SetItemIndex(0);
    f.ListBox1Click();
    f.BitBtn8Click();
    EXPECT_EQ(f.ListBox1.Items.Count(), 2);
    EXPECT_EQ(f.GroupBox1.Caption(), "ﾌﾟﾛﾊﾟﾃｨ");
    EXPECT_FALSE(f.BitBtn8.Enabled());
    const std::pair<const char*, const char*> keys[] = {
        {"Total", "2"}, {"0_Title", "B"}, {"0_H", "1"},  {"0_M", "10"},  {"1_Title", "C"},
        {"1_H", "2"},   {"1_M", "15"},    {"1_80", "c80.wav"}, {"2_Title", ""}, {"2_H", "0"}, {"2_M", "1"},
        {"2_80", ""}};
    for (auto& [key, value] : keys) EXPECT_EQ(Ini(key), value) << key;
    f.Close();
    wintest::Pump();

    // Reopened: the stack as stored, and a preset brings its period back.
    TForm13& g = Open();
    ASSERT_EQ(g.ListBox1.Items.Count(), 2);
    g.ListBox1.SetItemIndex(1);
    g.ListBox1Click();
    EXPECT_EQ(g.SpinEdit1.Value(), 2);
    EXPECT_EQ(g.SpinEdit2.Value(), 15);
    EXPECT_EQ(g.Edit3.Text(), "c80.wav");
    std::string text;
    ASSERT_TRUE(tk::ReadFileBytes(dir + "\\orbal98.ini", text));
    EXPECT_EQ(text.find("-1_"), std::string::npos);
}

TEST_F(CountdownTimer, AZeroPeriodIsOneMinute) {
    TForm13& f = Open();
    f.SpinEdit1.SetValue(1);
    f.SpinEdit2.SetValue(0);
    EXPECT_EQ(f.SpinEdit2.Value(), 0);
    f.SpinEdit1.SetValue(0);
    EXPECT_EQ(f.SpinEdit2.Value(), 1);
    EXPECT_TRUE(Form1->GTimer1->Checked());
    f.Close();
    wintest::Pump();
    EXPECT_FALSE(Form1->GTimer1->Checked());
}

}  // namespace
