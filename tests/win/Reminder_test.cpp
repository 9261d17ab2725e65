// Reminders fire from the main window's tick, driven through the clock seam.
#include <gtest/gtest.h>
#include <windows.h>

#include "calendar/HolidayRules.h"
#include "controls/IJGJpeg.h"
#include "mainwindow/Main.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class Reminders : public wintest::WindowTest {
protected:
    std::string ini;
    uint32_t uptime = 100000;
    std::vector<std::string> launches, opened;

    void SetUp() override {
        FreshDataFolder("orbal-rem-");
        ini = dir + "\\orbal98.ini";
        rtl::SetClockForTest([this] { return clock; }, [this] { return uptime; });
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c.file + "|" + c.parameters);
            return true;
        });
        tk::SetMciHookForTest([this](const std::string& c, std::string& reply) -> unsigned {
            if (c.rfind("open ", 0) == 0) opened.push_back(c);
            if (c.find(" mode") != std::string::npos) reply = "stopped";
            return 0;
        });
    }

    void TearDown() override {
        if (Form9) Form9->Destroy();
        if (Form23) Form23->Destroy();
        if (Form1) Form1->Destroy();
        tk::SetShellLaunchHookForTest(nullptr);
        tk::SetMciHookForTest(nullptr);
    }

    void At(int y, int m, int d, int h, int n, int s = 0) { clock = EncodeDate(y, m, d) + EncodeTime(h, n, s, 0); }

    // The program starts at the clock's time: its first tick records the minute.
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }

    void Tick() { Form1->Timer1Timer(true); }

    void Entry(const std::string& name, const std::string& text) {
        ASSERT_TRUE(tk::WriteFileBytes(dir + "\\" + name, text));
        tk::FolderIndex::For(dir).Invalidate();
    }

    void Section(const std::string& name, const std::string& key, const std::string& value) {
        settings::Open().WriteString(dir + "\\" + name, key, value);
    }

    // Ticks at the given minute and tells whether a reminder window came; closes it again.
    bool FiresAt(int y, int m, int d, int h, int n) {
        // The gate compares the minute's "hhnn" only: pass through another minute first.
        clock = EncodeDate(y, m, d) + EncodeTime(h, n, 1, 0) - 1.0 / 1440;
        Tick();
        if (Form9) Form9->Destroy();
        At(y, m, d, h, n, 1);
        Tick();
        bool fired = Form9 != nullptr;
        if (Form9) Form9->Destroy();
        return fired;
    }

    std::string ShownText() { return Form9 ? Form9->RichEdit1.Text() : ""; }

    void WriteJpeg(const std::string& path, int w, int h) {
        tk::TBitmap b(w, h);
        auto* bmp = new rtl::TMemoryStream;
        SaveBitmapToStream(b, *bmp);
        TIJGJpeg j;
        j.SetInStream(bmp);
        j.SetOutStream(new rtl::TFileStream(path, rtl::fmCreate));
        ASSERT_TRUE(j.Compress());
    }
};

TEST_F(Reminders, OneDayFiresAtItsMinuteButNotInTheStartMinute) {
    Entry(PopupFileName::OneDay(12, 30, 2024, 5, 1), "会議");
    Entry(PopupFileName::OneDay(12, 31, 2024, 5, 1), "昼食");
    At(2024, 5, 1, 12, 30, 10);
    Start();
    At(2024, 5, 1, 12, 30, 50);
    Tick();
    EXPECT_EQ(Form9, nullptr);  // the start minute is recorded, not tested
    At(2024, 5, 1, 12, 31, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_NE(ShownText().find("昼食"), std::string::npos);
    EXPECT_TRUE(Form9->BitBtn2.Enabled());  // a one-day reminder can be deleted
    EXPECT_TRUE(Form9->Visible());
    Form9->Destroy();
    At(2024, 5, 1, 12, 31, 30);
    Tick();
    EXPECT_EQ(Form9, nullptr);  // once per minute
}

TEST_F(Reminders, RepeatingKindsFireOnTheirDaysOnly) {
    Entry(PopupFileName::Yearly(9, 0, 5, 3, {}), "憲法記念日");
    Entry(PopupFileName::Monthly(9, 1, 15, {}), "月次");
    Entry(PopupFileName::Daily(9, 2), "毎日");
    Entry(PopupFileName::Weekly(9, 3, 1 | 4, 4), "第1・3水曜");  // Wednesday = 4
    Entry(PopupFileName::Weekly(9, 4, kLastWeek, 6), "最終金曜");   // Friday = 6
    Entry(PopupFileName::Weekly(9, 5, 8, 5), "第4木曜");           // Thursday = 5
    At(2023, 1, 1, 8, 0);
    Start();
    EXPECT_TRUE(FiresAt(2024, 5, 3, 9, 0));
    EXPECT_FALSE(FiresAt(2024, 5, 4, 9, 0));
    EXPECT_TRUE(FiresAt(2024, 6, 15, 9, 1));
    EXPECT_FALSE(FiresAt(2024, 6, 16, 9, 1));
    EXPECT_TRUE(FiresAt(2024, 6, 16, 9, 2));
    EXPECT_TRUE(FiresAt(2024, 6, 17, 9, 2));
    // May 2024: Wednesdays 1, 8, 15, 22, 29.
    EXPECT_TRUE(FiresAt(2024, 5, 1, 9, 3));
    EXPECT_FALSE(FiresAt(2024, 5, 8, 9, 3));
    EXPECT_TRUE(FiresAt(2024, 5, 15, 9, 3));
    EXPECT_FALSE(FiresAt(2024, 5, 22, 9, 3));
    // Last Friday: 2024-05-31, not 2024-05-24.
    EXPECT_FALSE(FiresAt(2024, 5, 24, 9, 4));
    EXPECT_TRUE(FiresAt(2024, 5, 31, 9, 4));
    // February 2001 has 28 days: Thursday the 22nd is both the 4th week and the last seven days.
    EXPECT_TRUE(FiresAt(2001, 2, 22, 9, 5));
    EXPECT_FALSE(FiresAt(2001, 2, 15, 9, 5));
}

TEST_F(Reminders, EarlierByBeforeMinutesWithTheReminderTimeInTheHeader) {
    settings::Open().WriteInteger("Calendar", "before", 5);
    Entry(PopupFileName::OneDay(12, 30, 2024, 5, 5), "こどもの日");
    At(2024, 5, 5, 12, 20);
    Start();
    At(2024, 5, 5, 12, 25, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_EQ(Form9->Panel2.Caption(), "24/05/05 (日) 12:30");
    EXPECT_EQ(Form9->Panel2.Color, 0x0000FF);  // Sunday
}

TEST_F(Reminders, UptimeReminderFiresOnceInItsStep) {
    Entry(PopupFileName::Uptime(600), "起動10分");
    At(2024, 5, 1, 8, 0);
    uptime = 590000;
    Start();
    uptime = 600500;
    Tick();
    ASSERT_NE(Form9, nullptr);
    Form9->Destroy();
    uptime = 605000;
    Tick();
    EXPECT_EQ(Form9, nullptr);
    uptime = 610000;
    Tick();
    EXPECT_EQ(Form9, nullptr);
}

TEST_F(Reminders, CloseTimeZeroShowsNoWindowButPlaysAndLaunches) {
    std::string name = PopupFileName::Daily(7, 0);
    Entry(name, "静かに");
    std::string sound = dir + "\\chime.wav";
    tk::WriteFileBytes(sound, "RIFF");
    Section(name, "closetime", "0");
    Section(name, "file", sound);
    Section(name, "Execute", "C:\\tools\\app.exe?-q");
    At(2024, 5, 1, 6, 59);
    Start();
    At(2024, 5, 1, 7, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_FALSE(Form9->Visible());
    EXPECT_EQ(launches, std::vector<std::string>{"C:\\tools\\app.exe|-q"});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("chime.wav"), std::string::npos);
}

TEST_F(Reminders, PreviousWorkingDayMovesOffASundayHoliday) {
    // 2024-09-15 is a Sunday holiday; with Saturday a working day the reminder moves to the 14th.
    DayOffShift previous = DayOffShift::FromRadio(1, 0);
    Entry(PopupFileName::Yearly(10, 0, 9, 15, previous), "敬老");
    At(2024, 9, 1, 9, 0);
    Start();
    EXPECT_FALSE(FiresAt(2024, 9, 15, 10, 0));
    EXPECT_TRUE(FiresAt(2024, 9, 14, 10, 0));
    // In 2025 the 15th is a Monday holiday: the previous working day is Saturday the 13th.
    EXPECT_TRUE(FiresAt(2025, 9, 13, 10, 0));
    EXPECT_FALSE(FiresAt(2025, 9, 15, 10, 0));
}

TEST_F(Reminders, ExecloseClosesTheWindowWhoseTitleHoldsTheText) {
    tk::Form victim({.caption = "閉じられる窓 " + std::to_string(GetCurrentProcessId())});
    victim.Show();
    bool closed = false;
    victim.OnClose = [&](tk::CloseAction& a) {
        closed = true;
        a = tk::CloseAction::Hide;
    };
    std::string name = PopupFileName::Daily(8, 0);
    Entry(name, "窓を閉じる");
    Section(name, "Execlose", "閉じられる窓 " + std::to_string(GetCurrentProcessId()));
    At(2024, 5, 1, 7, 59);
    Start();
    At(2024, 5, 1, 8, 0);
    Tick();
    wintest::Pump();
    EXPECT_TRUE(closed);
}

TEST_F(Reminders, DeleteRemovesOnlyTheOneDayReminderOfTheMinute) {
    settings::Open().WriteInteger("Form", "Delete", 1);
    std::string once = PopupFileName::OneDay(9, 0, 2024, 5, 1), daily = PopupFileName::Daily(9, 0);
    Entry(once, "一回");
    Entry(daily, "毎日");
    Section(once, "closetime", "-1");
    Section(daily, "closetime", "-1");
    At(2024, 5, 1, 8, 59);
    Start();
    At(2024, 5, 1, 9, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_NE(ShownText().find("一回"), std::string::npos);
    EXPECT_NE(ShownText().find("毎日"), std::string::npos);
    Form9->BitBtn2Click();
    wintest::Pump();
    EXPECT_FALSE(tk::FileExists(dir + "\\" + once));
    EXPECT_TRUE(tk::FileExists(dir + "\\" + daily));
    auto f = settings::Open();
    EXPECT_FALSE(f.SectionExists(dir + "\\" + once));
    EXPECT_TRUE(f.SectionExists(dir + "\\" + daily));
}

TEST_F(Reminders, UnreadablePictureStillShowsTheReminder) {
    std::string name = PopupFileName::Daily(9, 0);
    Entry(name, "絵が壊れている");
    tk::WriteFileBytes(dir + "\\broken.bmp", "BM not really a bitmap");
    Section(name, "bitmap", dir + "\\broken.bmp");
    At(2024, 5, 1, 8, 59);
    Start();
    At(2024, 5, 1, 9, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_TRUE(Form9->Visible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Reminders, JpegPictureIsDecodedUnlessTheCodecIsBusy) {
    WriteJpeg(dir + "\\photo.jpg", 96, 64);
    std::string name = PopupFileName::Daily(9, 0);
    Entry(name, "写真つき");
    Section(name, "bitmap", dir + "\\photo.jpg");
    At(2024, 5, 1, 8, 59);
    Start();
    EXPECT_TRUE(FiresAt(2024, 5, 1, 9, 0));
    At(2024, 5, 1, 9, 0, 30);
    Form1->LastMinute = "";
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_EQ(Form9->Image1.Picture().Width(), 96);
    Form9->Destroy();
    JpegBusyFlag() = 1;  // another conversion is under way: no picture, but the reminder shows
    Form1->LastMinute = "";
    Tick();
    JpegBusyFlag() = 0;
    ASSERT_NE(Form9, nullptr);
    EXPECT_EQ(Form9->Image1.Picture().Width(), 128);  // the window's own picture stays
    EXPECT_TRUE(Form9->Visible());
}

// A reminder picture that cannot be shown counts as missing: the [Calendar] picture comes next,
// and with neither the window keeps its own. Only the reminder's own picture becomes wallpaper.
TEST_F(Reminders, PictureThatCannotBeShownGivesWayToTheCalendarPicture) {
    tk::TBitmap(60, 50).SaveToFile(dir + "\\own.bmp");
    tk::TBitmap(40, 30).SaveToFile(dir + "\\calendar.bmp");
    std::string whole = tk::TBitmap(8, 8).BmpFileBytes();
    tk::WriteFileBytes(dir + "\\cut.bmp", whole.substr(0, 40));  // cut inside the header
    tk::WriteFileBytes(dir + "\\short.bmp", tk::TBitmap(200, 200).BmpFileBytes().substr(0, 154));  // rows missing
    tk::WriteFileBytes(dir + "\\broken.bmp", "BM not really a bitmap");
    tk::WriteFileBytes(dir + "\\note.txt", "ただの文字");
    tk::WriteFileBytes(dir + "\\fake.jpg", "not a JPEG at all");
    WriteJpeg(dir + "\\photo.jpg", 96, 64);
    tk::TBitmap builtIn;
    ASSERT_TRUE(builtIn.LoadFromResourceName(GetModuleHandleA(nullptr), kBuiltInPicture));
    std::vector<std::string> wallpapers;
    tk::SetWallpaperHookForTest([&](const std::string& p) {
        wallpapers.push_back(p);
        return true;
    });

    std::string name = PopupFileName::Daily(9, 0);
    Entry(name, "絵");
    Section(name, "Wallpaper", "1");
    Section(name, "Stretch", "1");
    settings::Open().WriteString("Calendar", "Stretch", "1");
    At(2024, 5, 1, 8, 59);
    Start();
    At(2024, 5, 1, 9, 0, 30);
    struct Case {
        const char *picture, *calendar;
        bool busy;
        int width;  // 60 own, 40 calendar, 0 built-in
    };
    const Case cases[] = {
        {"own.bmp", "calendar.bmp", false, 60},    {"broken.bmp", "calendar.bmp", false, 40},
        {"cut.bmp", "calendar.bmp", false, 40},    {"short.bmp", "calendar.bmp", false, 40},
        {"note.txt", "calendar.bmp", false, 40},
        {"fake.jpg", "calendar.bmp", false, 40},   {"photo.jpg", "calendar.bmp", true, 40},
        {"gone.bmp", "calendar.bmp", false, 40},   {"broken.bmp", "note.txt", false, 0},
        {"fake.jpg", "broken.bmp", false, 0},      {"", "", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " / " + c.calendar);
        Section(name, "bitmap", *c.picture ? dir + "\\" + c.picture : "");
        settings::Open().WriteString("Calendar", "bitmap", *c.calendar ? dir + "\\" + c.calendar : "");
        wallpapers.clear();
        JpegBusyFlag() = c.busy;
        Form1->LastMinute = "";
        Tick();
        JpegBusyFlag() = 0;
        ASSERT_NE(Form9, nullptr);
        const tk::TBitmap& shown = Form9->Image1.Picture();
        if (c.width) {
            EXPECT_EQ(shown.Width(), c.width);
            EXPECT_FALSE(Form9->Image1.Stretch());  // both pictures ask not to be stretched
        } else {
            EXPECT_EQ(shown.BmpFileBytes(), builtIn.BmpFileBytes());
            EXPECT_TRUE(Form9->Image1.Stretch());
        }
        EXPECT_EQ(wallpapers.size(), c.width == 60 ? 1u : 0u);
        EXPECT_TRUE(Form9->Visible());
        Form9->Destroy();
    }
    tk::SetWallpaperHookForTest(nullptr);
}

TEST_F(Reminders, NestedTickDuringTheActionsDoesNotTestAgain) {
    std::string name = PopupFileName::Daily(9, 0);
    Entry(name, "入れ子");
    Section(name, "Execute", "C:\\x.exe");
    int nested = 0;
    tk::SetShellLaunchHookForTest([&](const tk::ShellCall&) {
        ++nested;
        Form1->Timer1Timer(true);  // as a modal box pumping the timer would
        return true;
    });
    At(2024, 5, 1, 8, 59);
    Start();
    At(2024, 5, 1, 9, 0);
    Tick();
    EXPECT_EQ(nested, 1);
    ASSERT_NE(Form9, nullptr);
    EXPECT_EQ(ShownText().find("入れ子"), ShownText().rfind("入れ子"));  // the text once
}

TEST_F(Reminders, BirthdayNoticeOncePerDay) {
    settings::Open().WriteInteger("Form", "BirthPop", 1);
    Entry("BORN0501.71", "山田さん");
    Entry("BORN0501.xx", "壊れた名前");
    At(2024, 5, 1, 8, 0);
    Start();
    ASSERT_NE(Form23, nullptr);
    std::string text = Form23->RichEdit1.Text();
    EXPECT_NE(text.find("【53歳の誕生日】1971/05/01 (土)"), std::string::npos);
    EXPECT_NE(text.find("山田さん"), std::string::npos);
    EXPECT_EQ(text.find("壊れた名前"), std::string::npos);
    Form23->Destroy();
    auto f = settings::Open();
    EXPECT_EQ(f.ReadString("Pop_Born", "Day", ""), rtl::FloatToStr(EncodeDate(2024, 5, 1)));
    // Same day again (a restart): nothing.
    Form1->BirthdayNotice(f, EncodeDate(2024, 5, 1));
    EXPECT_EQ(Form23, nullptr);
    // A stamp from the future is reset first.
    f.WriteString("Pop_Born", "Day", rtl::FloatToStr(EncodeDate(2030, 1, 1)));
    Form1->BirthdayNotice(f, EncodeDate(2024, 5, 1));
    EXPECT_NE(Form23, nullptr);
}

// The notice of yesterday's birthdays is still open when the day changes.
TEST_F(Reminders, BirthdayNoticeLeftOpenAcrossMidnight) {
    auto f = settings::Open();
    f.WriteInteger("Form", "BirthPop", 1);
    std::string sound = dir + "\\birthday.wav";
    tk::WriteFileBytes(sound, "RIFF");
    f.WriteString("Pop_Born", "file", sound);
    Entry("BORN0501.71", "山田さん");
    Entry("BORN0502.80", "佐藤さん");
    // What the notice said and which day was stamped when its sound started.
    std::string textAtSound, stampAtSound;
    tk::SetMciHookForTest([&](const std::string& c, std::string& reply) -> unsigned {
        if (c.rfind("open ", 0) == 0 && Form23) {
            textAtSound = Form23->RichEdit1.Text();
            stampAtSound = settings::Open().ReadString("Pop_Born", "Day", "");
        }
        if (c.find(" mode") != std::string::npos) reply = "stopped";
        return 0;
    });
    At(2024, 5, 1, 23, 59, 59);
    Start();
    ASSERT_NE(Form23, nullptr);
    ASSERT_NE(Form23->RichEdit1.Text().find("山田さん"), std::string::npos);

    At(2024, 5, 2, 0, 0, 0);
    Tick();
    ASSERT_NE(Form23, nullptr);
    std::string text = Form23->RichEdit1.Text();
    EXPECT_NE(text.find("【44歳の誕生日】1980/05/02 (金)"), std::string::npos) << text;
    EXPECT_NE(text.find("佐藤さん"), std::string::npos);
    EXPECT_EQ(text.find("山田さん"), std::string::npos);
    EXPECT_TRUE(Form23->Visible());
    EXPECT_EQ(textAtSound, text);  // shown with today's names first...
    EXPECT_EQ(stampAtSound, rtl::FloatToStr(EncodeDate(2024, 5, 1)));
    EXPECT_EQ(settings::Open().ReadString("Pop_Born", "Day", ""), rtl::FloatToStr(EncodeDate(2024, 5, 2)));  // ...then stamped

    // No birthday on the 3rd: the open notice is left as it is and nothing is stamped.
    textAtSound.clear();
    At(2024, 5, 3, 0, 0, 0);
    Tick();
    ASSERT_NE(Form23, nullptr);
    EXPECT_EQ(Form23->RichEdit1.Text(), text);
    EXPECT_TRUE(textAtSound.empty());
    EXPECT_EQ(settings::Open().ReadString("Pop_Born", "Day", ""), rtl::FloatToStr(EncodeDate(2024, 5, 2)));
}

class ReminderWindow : public Reminders {
protected:
    void Open() {
        tk::Application.CreateForm(Form9);
        if (tk::Application.MainForm == Form9) tk::Application.MainForm = nullptr;
    }
};

TEST_F(ReminderWindow, AutoCloseCountsDownAndClosesOnTheSixthSecond) {
    Open();
    Form9->Tag = 5;
    for (int i = 4; i >= 0; --i) {
        Form9->Timer1Timer();
        EXPECT_EQ(Form9->Caption(), "Popup Window - " + std::to_string(i) + "秒後に自動的に閉じます。");
        EXPECT_FALSE(Form9->BitBtn1.Enabled());
        Form9->Panel2DblClick();  // no snooze while counting
        EXPECT_EQ(Form9->BitBtn1.Tag, -1);
    }
    Form9->Timer1Timer();
    wintest::Pump();
    EXPECT_EQ(Form9, nullptr);
}

TEST_F(ReminderWindow, SnoozeTakesWholeMinutesOnly) {
    settings::Open().WriteString("Form", "Snooze", "10");
    Open();
    Form9->Show();
    Form9->Timer1Timer();  // no auto-close: the snooze controls come on
    ASSERT_TRUE(Form9->BitBtn1.Enabled());
    for (std::string bad : {"abc", "0", "-3", "1.5", "99999"}) {
        Form9->ComboBox1.SetText(bad);
        Form9->BitBtn1Click();
        EXPECT_EQ(Form9->BitBtn1.Tag, -1) << bad;
    }
    EXPECT_EQ(settings::Open().ReadString("Form", "Snooze", ""), "10");
    Form9->ComboBox1.SetText("1");
    Form9->BitBtn1Click();
    EXPECT_EQ(Form9->BitBtn1.Tag, 60);
    EXPECT_FALSE(Form9->Visible());
    EXPECT_EQ(settings::Open().ReadString("Form", "Snooze", ""), "1");
    for (int i = 0; i < 61; ++i) Form9->Timer1Timer();
    EXPECT_TRUE(Form9->Visible());
    EXPECT_EQ(Form9->BitBtn1.Tag, -1);
}

TEST_F(ReminderWindow, CloseTimeBelowMinusOneMeansNoAutoClose) {
    std::string name = PopupFileName::Daily(9, 0);
    Entry(name, "期限なし");
    Section(name, "closetime", "-7");
    At(2024, 5, 1, 8, 59);
    Start();
    At(2024, 5, 1, 9, 0);
    Tick();
    ASSERT_NE(Form9, nullptr);
    EXPECT_EQ(Form9->Tag, -1);
    Form9->Timer1Timer();
    EXPECT_TRUE(Form9->BitBtn1.Enabled());
}

TEST_F(ReminderWindow, PaintRepaintsThePicture) {
    Open();
    Form9->Show();
    wintest::Pump();
    RECT r;
    InvalidateRect(Form9->Image1.Handle, nullptr, TRUE);
    ASSERT_TRUE(GetUpdateRect(Form9->Image1.Handle, &r, FALSE));
    // The window's own paint message alone, before any paint message reaches the picture.
    InvalidateRect(Form9->Handle, nullptr, TRUE);
    SendMessageA(Form9->Handle, WM_PAINT, 0, 0);
    EXPECT_FALSE(GetUpdateRect(Form9->Image1.Handle, &r, FALSE));
}

}  // namespace
