// The main window's clock tick: the display part, then the reminder part.
#include "controls/DrClock.h"
#include "calendar/moon.h"
#include "mainwindow/Main.h"
#include "mainwindow/TickMath.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"

namespace ik = inikey;
using rtl::FormatDateTime;
using rtl::IntToStr;

void TForm1::Timer1Timer(bool fromTimer) {
    (void)fromTimer;
    auto ini = settings::Open();
    rtl::TDateTime now = rtl::Now();
    // A failure in the display must never keep the reminders from running.
    try {
        TickDisplay(ini, now);
    } catch (const std::exception&) {
    }
    TickReminders(ini, now);
    try {
        // Resources or memory on the status bar.
        std::string res = ResourceText(ini);
        StatusBar1.Panels[1].SetText(res);
        TickMini(ini, now, res);
        if (!PageControl1.Visible()) ScrollAboutLine();
    } catch (const std::exception&) {
    }
}

std::string TForm1::ResourceText(const tk::TIniFile& ini) {
    return ini.ReadInteger(ik::Form::Section, ik::Form::Resource, 0) == 0 ? FreeMemoryText() : FreeResourcesText();
}

void TForm1::TickDisplay(tk::TIniFile& ini, rtl::TDateTime now) {
    rtl::TDateTime today = rtl::DateOf(now);
    if (Tag != 1) {
        int before = ini.ReadInteger(ik::Calendar::Section, ik::Calendar::before, 0);
        rtl::TDateTime T = now + before / 1440.0;
        LastMinute = FormatDateTime("hhnn", T);
        LastUptimeKey = PopupFileName::UptimeTick(rtl::UptimeMs());
        PageControl1Change();
        PageControl1.Show();
        Tag = 1;
    }
    if (!ini.ReadBool(ik::Form::Section, ik::Form::Visible, true) && Visible()) Hide();

    if (today != LastDate) {
        CalendarEx1Change();
        LastDate = today;
        BirthdayNotice(ini, today);
    }

    // Caption and the status bar's clock.
    std::string clock = FormatDateTime("yyyy/mm/dd(ddd) hh:mm:ss", now);
    if (ini.ReadBool(ik::Form::Section, ik::Form::CaptionTime, false)) {
        SetCaption(clock);
        if (ini.ReadBool(ik::Form::Section, ik::Form::CaptionJisa, false)) {
            int jh = ini.ReadInteger(ik::Form::Section, ik::Form::Jisa_H, 0);
            int jm = ini.ReadInteger(ik::Form::Section, ik::Form::Jisa_M, 0);
            bool ahead = ini.ReadInteger(ik::Form::Section, ik::Form::Jisa, 0) != 0;
            clock = SecondZoneText(now, ahead, jh, jm);
        }
    } else {
        SetCaption("Orbal98");
    }
    StatusBar1.Panels[0].SetText(clock);

    if (PageControl1.ActivePageIndex() == 0) {
        bool analog = ini.ReadBool(ik::Form::Section, ik::Form::AnalogClock, false);
        Moon1.SetLeft(analog ? 42 : 76);
        DRClock.SetEnabled(analog);
        DRClock.SetVisible(analog);
        if (Panel1.Tag == 0) TickGauges(ini, now);
        else if (Panel17.Visible()) TickGoal(now);
    }
    Label5.SetCaption("Windowsを起動して " + IntToStr(rtl::UptimeMs() / 1000) + "秒経過。");

    if (PageControl1.ActivePageIndex() == 0 && Panel9.Visible()) TickMoon(now);
}

void TForm1::TickGauges(tk::TIniFile& ini, rtl::TDateTime now) {
    rtl::TDateTime today = rtl::DateOf(now);
    int y, m, d, h, n, s, ms;
    rtl::DecodeDate(today, y, m, d);
    rtl::DecodeTime(now, h, n, s, ms);
    rtl::TDateTime jan1 = rtl::EncodeDate(y, 1, 1);
    int dayOfYear = (int)(today - jan1) + 1;
    int yearDays = (int)(rtl::EncodeDate(y + 1, 1, 1) - jan1);
    int monthDays = rtl::DaysInMonthGregorian(y, m);

    SGauge2.SetMax(yearDays);
    SGauge2.SetPosition(dayOfYear);
    Gauge3.SetProgress(s);
    Gauge2.SetProgress(n);
    Gauge1.SetProgress(h);
    Gauge3.Hint = "1分間の割合\r現在 " + IntToStr(s) + "秒経過";
    Gauge2.Hint = "1時間の割合\r現在 " + IntToStr(n) + "分経過";
    Gauge1.Hint = "1日間の割合\r現在 " + IntToStr(h) + "時間経過";
    SGauge3.SetMax(monthDays);
    SGauge3.SetPosition(d);
    Gauge1.SetForeColor(GaugeColour(h, true));
    Gauge2.SetForeColor(GaugeColour(n, false));
    Gauge3.SetForeColor(GaugeColour(s, false));
    Label1.SetCaption(FormatDateTime("hh", now));
    Label2.SetCaption(FormatDateTime("nn", now));
    Label8.SetCaption(FormatDateTime("ss", now));
    Label3.SetCaption(FormatDateTime("yyyy", today));
    Label6.SetCaption(FormatDateTime("m/d", today));
    SGauge3.Hint = "1ヵ月間の " + IntToStr(Percent(d, monthDays)) + "%\r現在 " + FormatDateTime("d", today) + "日目";
    SGauge2.Hint = "1年間の " + IntToStr(Percent(dayOfYear, yearDays)) + "%\r現在 " + IntToStr(dayOfYear) + "/" +
                   IntToStr(yearDays) + "日目";

    UpdateBand(ini, SGauge4, ik::MyGraph::LG_Stime, ik::MyGraph::LG_Etime, ik::MyGraph::LG_Title, now);
    UpdateBand(ini, SGauge5, ik::MyGraph::RG_Stime, ik::MyGraph::RG_Etime, ik::MyGraph::RG_Title, now);
}

void TForm1::UpdateBand(tk::TIniFile& ini, TSGauge& gauge, const char* startKey, const char* endKey,
                        const char* titleKey, rtl::TDateTime now) {
    double start, end;
    // A value that is not a number hides its band instead of ending the tick.
    if (!rtl::TryStrToFloat(ini.ReadString(ik::MyGraph::Section, startKey, "0"), start) ||
        !rtl::TryStrToFloat(ini.ReadString(ik::MyGraph::Section, endKey, "0"), end)) {
        gauge.Hide();
        return;
    }
    gauge.Show();
    if (start + end == 0) return;
    std::string title = ini.ReadString(ik::MyGraph::Section, titleKey, "");
    if (title.empty()) {
        gauge.SetPosition(0);
        gauge.Hint = Panel18.Hint;
        return;
    }
    BandState b = TimeBand(title, start, end, now);
    gauge.SetPosition(b.position);
    gauge.Hint = b.hint;
}

void TForm1::TickGoal(rtl::TDateTime now) {
    if (GoalEnd > 0) {
        RichEdit4.Hint = FormatDateTime("yyyy/mm/dd(aaa) hh:mm:ss", GoalStart) + "迄～" +
                         FormatDateTime("yyyy/mm/dd(aaa) hh:mm:ss", GoalEnd) + "迄";
        GoalState g = GoalProgress(GoalStart, GoalEnd, now);
        SGauge1.SetPosition(g.position);
        SGauge1.Hint = g.hint;
    } else {
        SGauge1.Hint = "目標のグラフ";
    }
}

void TForm1::TickMoon(rtl::TDateTime now) {
    TIME_ZONE_INFORMATION tz{};
    GetTimeZoneInformation(&tz);
    rtl::TDateTime U = now + tz.Bias / 1440.0;
    Label14.SetCaption(moon::JulianDateText(moon::DateTimeToJD(U)));
    Moon1.SetDate(U);
    Label17.SetCaption(moon::MoonAgeText(moon::MoonAge(U)));
    Label20.SetCaption(moon::MoonIlluminationText(moon::MoonIllumination(U)));
    int h, n, s, ms;
    rtl::DecodeTime(now, h, n, s, ms);
    DRClock.SetPointerColor(h > 11 ? 0x00FFFF : 0xFFFFFF);
}

// The About panel's line bounces between the frame's edges and scrolls by one character.
void TForm1::ScrollAboutLine() {
    int top = Bevel1.Top(), height = Bevel1.Height();
    Label7.SetBounds(Bevel1.Left() + 5, Label7.Top(), Bevel1.Width() - 10, Label7.Height());
    int t = Label7.Top();
    if (t < top + 4) {
        t = top + 4;
        Label7.Tag = 0;
    }
    int bottom = top + height - Label7.Height() - 2;
    if (t >= bottom) {
        t = bottom;
        Label7.Tag = 1;
    }
    t += Label7.Tag == 0 ? 1 : -1;
    Label7.SetTop(t);
    Label7.SetCaption(rtl::SjisRotateLeft(Label7.Caption()));
}
