// The main window's day view (captions, colours and the day text of the selected day), the quick
// view it opens after a click in the grid, and the grid's holiday and mark lists of the month.
#include "calendar/HolidayRules.h"
#include "calendar/Rokuyo.h"
#include "mainwindow/Main.h"
#include "mainwindow/PopView.h"
#include "schedule/DayRules.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/FolderIndex.h"

namespace ik = inikey;
using rtl::FormatDateTime;
using rtl::IntToStr;

namespace {

void SetFontColour(tk::Control& c, tk::TColor colour) {
    if (c.Font.Color == colour) return;
    tk::TFont f = c.Font;
    f.Color = colour;
    c.SetFont(f);
}

}  // namespace

DayColours ReadDayColours(const tk::TIniFile& ini, int daysFromToday) {
    namespace t = ik::To_do;
    if (daysFromToday > 0)
        return {ini.ReadInteger(t::Section, t::FutureColor, 0x800000),
                ini.ReadInteger(t::Section, t::FutureBackColor, tk::clMenu)};
    if (daysFromToday < 0)
        return {ini.ReadInteger(t::Section, t::PastColor, 0xFFFFFF),
                ini.ReadInteger(t::Section, t::PastBackColor, tk::clActiveCaption)};
    return {ini.ReadInteger(t::Section, t::TodayColor, 0xFFFFFF),
            ini.ReadInteger(t::Section, t::TodayBackColor, tk::clBtnShadow)};
}

void ColourText(tk::RichEdit& re, const DayColours& c) {
    re.SetColor(c.back);
    re.Font.Color = c.text;
    re.DefAttributes.SetColor(c.text);
    re.SelectAll();
    re.SelAttributes.SetColor(c.text);
    re.SetSelStart(0);
}

namespace {

// A box that draws nothing while its text is built, and once afterwards.
struct NoRedraw {
    HWND h;
    explicit NoRedraw(HWND w) : h(w) { SendMessageA(h, WM_SETREDRAW, FALSE, 0); }
    ~NoRedraw() {
        SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(h, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;
};

}  // namespace

void TForm1::CalendarEx1Click() {
    if (settings::Open().ReadBool(ik::CalendarEx::Section, ik::CalendarEx::PopView, false)) TabSheet2.Tag = 1;
}

void TForm1::SetDayViewMargins() { RichEdit1.SetMargins(6); }

void TForm1::CalendarEx1Change() {
    const int year = CalendarEx1.Year(), month = CalendarEx1.Month(), day = CalendarEx1.Day();
    rtl::TDateTime D;
    // The grid itself takes any year; outside the date range there is no day to show.
    if (!rtl::TryEncodeDate(year, month, day, D)) return;

    // 1: a new month gets its lists.
    if (year * 100 + month != shownMonth_) {
        shownMonth_ = year * 100 + month;
        FormActivate();
    }
    // 2-4
    if (PageControl1.ActivePageIndex() == 2) ComboBox2Change();
    const rtl::TDateTime today = rtl::Date();
    for (tk::BitBtn* b : {&BitBtn7, &BitBtn8, &BitBtn22}) b->SetEnabled(D != today);
    Panel7.SetCaption(IntToStr(year));
    Panel8.SetCaption(IntToStr(month));

    // 5-8: weekday colours, the date, the days from today.
    SetFontColour(Panel6, tk::clWindow);
    SetFontColour(Panel8, tk::clWindow);
    const int weekday = rtl::DayOfWeek(D);
    tk::TColor colour = weekday == 1   ? CalendarEx1.SundayColor()
                        : weekday == 7 ? CalendarEx1.SaturdayColor()
                                       : CalendarEx1.WeekdayColor();
    Panel6.SetColor(colour);
    Panel8.SetColor(colour);
    Panel6.SetCaption(FormatDateTime("yyyy\"/\"mm\"/\"dd \"(\"ddd\")\"", D));
    const int days = (int)(D - today);
    Label9.SetCaption(IntToStr(days));
    CalendarEx1.Tag = 0;

    // 9: the text is built while it can be seen: on the schedule page or in the quick view. Its
    // lines are gathered here and go into the box at once at the end.
    auto ini = settings::Open();
    const bool text = ini.ReadBool(ik::CalendarEx::Section, ik::CalendarEx::PopView, false) ||
                      PageControl1.ActivePageIndex() == 3;
    rtl::TStringList lines;
    if (text && ini.ReadBool(ik::Form::Section, ik::Form::Qreki, false))
        lines.Add("【" + Rokuyo(RokuyoDayCount(year, month, day)) + "】");

    // 10-12: holidays (the flag and the colours need them even without the text), marked day.
    const HolidayTable table = settings::ReadHolidayTable(ini);
    for (const std::string& h : HolidayTexts(table, D)) {
        if (text) lines.Add(h);
        CalendarEx1.Tag = 1;
    }
    if (CalendarEx1.Tag == 1) {
        Panel6.SetColor(CalendarEx1.HolidayColor());
        Panel8.SetColor(CalendarEx1.HolidayColor());
    }
    const std::string mark = FormatDateTime("m\",\"d", D);
    for (const std::string& item : CalendarEx1.SpecialDayList().Strings)
        if (item == mark) Panel8.SetColor(CalendarEx1.SpecialDayColor());
    Panel6.SetColor(Panel8.Color);

    // 13-16: birthdays, then the schedule entries, each file's whole text as one addition.
    if (text) {
        const std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
        DayRules rules(table, tk::FolderIndex::For(dir));
        for (const DayHit& hit : rules.DayView(D)) {
            if (hit.test == DayTest::Birthday) lines.Add(BirthdayHeading(year, hit));
            // A file that went away or cannot be read since the folder was listed shows nothing.
            try {
                RichEdit2.LoadFromFile(DataFilePath(dir, hit.name));
                lines.Add(RichEdit2.Text());
            } catch (const std::exception&) {
            }
        }
        NoRedraw building(RichEdit1.Handle);
        RichEdit1.Lines.SetText(lines.Text());
        SetDayViewMargins();
        ColourText(RichEdit1, ReadDayColours(ini, days));
    }

    // 17: a click in the grid asked for the quick view.
    if (TabSheet2.Tag == 1) {
        if (Form24) Form24->Close();  // one at a time
        TabSheet2.Tag = 2;
        ShowQuickView();
    }
}

void TForm1::ShowQuickView() {
    tk::Application.CreateForm(Form24);
    if (tk::Application.MainForm == Form24) tk::Application.MainForm = this;
    TForm24& v = *Form24;
    std::string caption = Panel6.Caption();
    const int days = rtl::StrToIntDef(Label9.Caption(), 0);
    if (days > 0) caption += "　" + IntToStr(days) + "日後";
    if (days < 0) caption += "　" + IntToStr(-days) + "日前";
    v.SetCaption(caption);
    v.RichEdit1.Lines.SetText(RichEdit1.Lines.Text());
    ColourText(v.RichEdit1, {RichEdit1.Font.Color, RichEdit1.Color});
    POINT p{};
    GetCursorPos(&p);
    v.RestorePosition(p.x + 20, p.y + 20);
    v.Show();
}

void TForm1::FormActivate() {
    auto ini = settings::Open();
    namespace c = ik::CalendarEx;
    MarkGates gates;
    gates.all = ini.ReadBool(c::Section, c::CanCol_All, false);
    gates.born = ini.ReadBool(c::Section, c::CanCol_Born, false);
    gates.todo = ini.ReadBool(c::Section, c::CanCol_todo, false);
    gates.day = ini.ReadBool(c::Section, c::CanCol_Day, false);
    gates.mon = ini.ReadBool(c::Section, c::CanCol_Mon, false);
    gates.week = ini.ReadBool(c::Section, c::CanCol_Week, false);
    const HolidayTable table = settings::ReadHolidayTable(ini);
    const std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    DayRules rules(table, tk::FolderIndex::For(dir));
    MonthLists lists = rules.MonthMarks(CalendarEx1.Year(), CalendarEx1.Month(), gates);
    // Filled in place: the grid's list setters would select the day and run the day view again.
    auto fill = [](rtl::TStringList& list, const std::vector<std::string>& items) {
        list.Clear();
        for (const std::string& s : items) list.Add(s);
    };
    fill(CalendarEx1.TypeOfDayList(), lists.holidays);
    fill(CalendarEx1.SpecialDayList(), lists.marks);
    CalendarEx1.Invalidate();
}
