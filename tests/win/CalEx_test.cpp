// The month grid: cell layout, setters and their events, mouse and key selection, the removed
// days of October 1582, malformed list items, and the colours actually painted.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/CalEx.h"
#include "calendar/Julius.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/MsgBox.h"
#include "toolkit/rtl/DateTime.h"

namespace {

rtl::TStringList List(std::initializer_list<const char*> items) {
    rtl::TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}

// A shown form holding the grid, today fixed at 2024-05-15 while it is created.
struct FixedToday {
    FixedToday() {
        rtl::SetClockForTest([] { return rtl::EncodeDate(2024, 5, 15) + 0.5; });
    }
};

struct Grid {
    FixedToday today;  // before the grid, which takes today's date when it is constructed
    // Borderless and shown without activation: otherwise Wine on a bare X server waits two
    // seconds for a window manager when the window goes.
    tk::Form form{{.caption = "CalEx", .left = 10, .top = 10, .width = 320, .height = 260, .border = tk::Border::None}};
    TCalendarEx cal;
    std::vector<std::string> events;

    explicit Grid(bool show = true) {
        // Client 210 x 140: seven 29 x 19 cells with their lines, no shrinking needed.
        cal.Create(form, {.at = {8, 8, 214, 144}});
        rtl::SetClockForTest({});
        if (show) {
            ShowWindow(form.Handle, SW_SHOWNA);
            wintest::Pump();
        }
        cal.OnChange = [this] { events.push_back("change " + Date()); };
        cal.OnClick = [this] { events.push_back("click " + Date()); };
    }
    std::string Date() const {
        return std::to_string(cal.Year()) + "-" + std::to_string(cal.Month()) + "-" + std::to_string(cal.Day());
    }
    void Set(int y, int m, int d) {
        cal.SetYear(y);
        cal.SetMonth(m);
        cal.SetDay(d);
        events.clear();
    }
    POINT Center(int c, int r) const {
        RECT rc = cal.CellRect(c, r);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void ClickCell(int c, int r) {
        POINT p = Center(c, r);
        SendMessageA(cal.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(cal.Handle, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    void Key(WORD vk) { SendMessageA(cal.Handle, WM_KEYDOWN, vk, 0); }
    // Column and row of a day of the shown month.
    void CellOf(int day, int& c, int& r) const {
        for (r = 1; r < 7; ++r)
            for (c = 0; c < 7; ++c)
                if (cal.CellToDay(c, r) == day) return;
        FAIL() << "day " << day << " not in the grid";
    }
};

void ForcePaint(TCalendarEx& cal) {
    RedrawWindow(cal.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    UpdateWindow(cal.Handle);
}

// Paints the grid into a bitmap the size of its cells.
struct Shot {
    tk::TBitmap bmp;
    explicit Shot(TCalendarEx& cal) {
        RECT last = cal.CellRect(6, 6);
        bmp.SetSize(last.right + 1, last.bottom + 1);
        cal.PaintTo(bmp.Canvas());
    }
    COLORREF At(int x, int y) { return (COLORREF)bmp.Canvas().GetPixel(x, y); }
    int Count(const RECT& r, COLORREF c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
        return n;
    }
    COLORREF Background(const RECT& r) { return At(r.left + 2, r.top + 2); }
};

}  // namespace

TEST(CalExLayout, WeeksNeighbourDaysAndHeader) {
    Grid g(false);
    // October 2023 starts on a Sunday: day 1 in the first cell, no September days in row 1.
    g.cal.SetYear(2023);
    g.cal.SetMonth(10);
    EXPECT_EQ(g.cal.FirstWeekday(), 1);
    EXPECT_EQ(g.cal.CellToDay(0, 1), 1);
    EXPECT_EQ(g.cal.CellToDay(6, 1), 7);
    EXPECT_EQ(g.cal.CellToDay(2, 5), 31);
    EXPECT_EQ(g.cal.CellToDay(3, 5), 201);
    EXPECT_EQ(g.cal.CellToDay(6, 6), 211);

    // October 2022: 31 days from a Saturday fill rows 1..6; row 6 ends with November 1..5.
    g.cal.SetYear(2022);
    EXPECT_EQ(g.cal.FirstWeekday(), 7);
    EXPECT_EQ(g.cal.CellToDay(0, 1), 125);  // September has 30 days
    EXPECT_EQ(g.cal.CellToDay(5, 1), 130);
    EXPECT_EQ(g.cal.CellToDay(6, 1), 1);
    EXPECT_EQ(g.cal.CellToDay(0, 6), 30);
    EXPECT_EQ(g.cal.CellToDay(1, 6), 31);
    for (int c = 2; c < 7; ++c) EXPECT_EQ(g.cal.CellToDay(c, 6), 199 + c);
    EXPECT_EQ(g.cal.CellText(6, 6), "5");

    // January counts back from December's 31, March from February's length in that year.
    g.cal.SetYear(2024);
    g.cal.SetMonth(1);  // starts on a Monday
    EXPECT_EQ(g.cal.CellToDay(0, 1), 131);
    g.cal.SetMonth(3);  // Friday; February 2024 has 29 days
    EXPECT_EQ(g.cal.CellToDay(0, 1), 125);
    EXPECT_EQ(g.cal.CellToDay(4, 1), 129);
    g.cal.SetYear(2023);  // Wednesday; 28 days
    EXPECT_EQ(g.cal.CellToDay(0, 1), 126);
    EXPECT_EQ(g.cal.CellToDay(2, 1), 128);

    // Header: the locale's short weekday names, Sunday first, always black.
    EXPECT_EQ(g.cal.CellToDay(3, 0), 0);
    EXPECT_EQ(g.cal.CellText(0, 0), "日");
    EXPECT_EQ(g.cal.CellText(6, 0), "土");
    g.cal.SetWeekdayColor(0x123456);
    EXPECT_EQ(g.cal.CellColor(3, 0), tk::clBlack);

    // Hidden neighbour numbers: blank but still in the neighbour colour.
    EXPECT_EQ(g.cal.CellText(0, 1), "26");
    g.cal.SetShowNeighbor(false);
    EXPECT_EQ(g.cal.CellText(0, 1), "");
    EXPECT_EQ(g.cal.CellColor(0, 1), g.cal.NeighborDayColor());
    EXPECT_EQ(g.cal.CellText(3, 1), "1");
}

TEST(CalExSetters, FireOnceAndOnlyOnChange) {
    Grid g(false);
    g.Set(2024, 4, 10);
    g.cal.SetDay(10);
    g.cal.SetDay(0);
    g.cal.SetDay(31);  // April has 30 days
    g.cal.SetMonth(0);
    g.cal.SetMonth(13);
    g.cal.SetMonth(4);
    g.cal.SetYear(2024);
    EXPECT_TRUE(g.events.empty());
    EXPECT_EQ(g.Date(), "2024-4-10");

    g.cal.SetDay(30);
    g.cal.SetYear(2025);
    EXPECT_EQ(g.events, (std::vector<std::string>{"change 2024-4-30", "change 2025-4-30"}));

    // From January 31 to February: the last day of February, one event.
    g.Set(2024, 1, 31);
    g.cal.SetMonth(2);
    EXPECT_EQ(g.events, std::vector<std::string>{"change 2024-2-29"});
    g.events.clear();
    g.cal.SetYear(2023);
    EXPECT_EQ(g.events, std::vector<std::string>{"change 2023-2-28"});

    // Lists: a new list reselects the day (one event), the same list again does nothing.
    g.events.clear();
    g.cal.SetTypeOfDayList(List({"2,11"}));
    g.cal.SetTypeOfDayList(List({"2,11"}));
    g.cal.SetSpecialDayList(List({"2,3"}));
    EXPECT_EQ(g.events.size(), 2u);

    // Colours and the switches only repaint.
    g.events.clear();
    EXPECT_EQ(g.cal.SundayColor(), 0x000080);
    EXPECT_EQ(g.cal.SpecialDayColor(), 0x0000FF);
    g.cal.SetDayColor(1, 0x00FF00);
    EXPECT_EQ(g.cal.GetDayColor(1), 0x00FF00);
    g.cal.SetDayColor(6, 0x00FF00);  // no such colour
    g.cal.SetAutoEquinox(false);
    g.cal.SetShowNeighbor(false);
    EXPECT_TRUE(g.events.empty());
}

TEST(CalExSetters, StartOrderYearDayMonth) {
    // Created today (2024-05-15) it fires twice: once from selecting the day, once at the end.
    rtl::SetClockForTest([] { return rtl::EncodeDate(2024, 5, 15); });
    tk::Form f({.caption = "CalEx"});
    TCalendarEx cal;
    int created = 0;
    cal.OnChange = [&] { ++created; };
    cal.Create(f, {.at = {0, 0, 214, 144}});
    rtl::SetClockForTest({});
    EXPECT_EQ(created, 2);

    // The main window then sets today in the order Year, Day, Month: nothing changes, nothing fires.
    Grid g(false);
    g.cal.SetYear(2024);
    g.cal.SetDay(15);
    g.cal.SetMonth(5);
    EXPECT_TRUE(g.events.empty());

    // From another date each step fires on its own; the day is checked against the month shown
    // when it is set, so 31 is refused while February is still shown.
    g.Set(2023, 2, 10);
    g.cal.SetYear(2024);
    g.cal.SetDay(31);
    g.cal.SetMonth(5);
    EXPECT_EQ(g.events, (std::vector<std::string>{"change 2024-2-10", "change 2024-5-10"}));
}

TEST(CalExSelect, KeysMoveWithinTheMonth) {
    Grid g;
    g.Set(2024, 5, 15);  // May 2024 starts on a Wednesday
    g.Key(VK_RIGHT);
    EXPECT_EQ(g.events, (std::vector<std::string>{"click 2024-5-15", "change 2024-5-16"}));
    g.events.clear();
    g.Key(VK_DOWN);
    EXPECT_EQ(g.cal.Day(), 23);
    g.Key(VK_UP);
    g.Key(VK_UP);
    g.Key(VK_UP);
    EXPECT_EQ(g.cal.Day(), 2);
    g.events.clear();
    g.Key(VK_UP);  // the header is not a day
    g.Key(VK_LEFT);
    g.Key(VK_LEFT);  // April 30 is a neighbour cell
    EXPECT_EQ(g.cal.Day(), 1);
    EXPECT_EQ(g.events.size(), 2u);  // only the first Left moved
    g.Key(VK_END);
    EXPECT_EQ(g.cal.Day(), 4);
    g.Key(VK_HOME);  // April 28
    g.Key(VK_NEXT);  // June 8
    EXPECT_EQ(g.cal.Day(), 4);
    g.Key(VK_DOWN);
    g.Key(VK_DOWN);
    g.Key(VK_DOWN);
    EXPECT_EQ(g.cal.Day(), 25);
    // A key handler that eats the key stops the move.
    g.cal.OnKeyDown = [](WORD& key, int) {
        if (key == VK_LEFT) key = 0;
    };
    g.Key(VK_LEFT);
    EXPECT_EQ(g.cal.Day(), 25);
    EXPECT_EQ(SendMessageA(g.cal.Handle, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST(CalExSelect, MouseSelectsDaysOnly) {
    Grid g;
    g.Set(2024, 5, 15);
    int c, r;
    g.CellOf(20, c, r);
    g.ClickCell(c, r);
    EXPECT_EQ(g.events, (std::vector<std::string>{"click 2024-5-15", "change 2024-5-20"}));
    EXPECT_EQ(GetFocus(), g.cal.Handle);
    // The selected day clicked again still reports (the owner's quick view relies on it).
    g.events.clear();
    g.ClickCell(c, r);
    EXPECT_EQ(g.events, (std::vector<std::string>{"click 2024-5-20", "change 2024-5-20"}));
    // Neighbour days and the header do nothing; the month stays.
    g.events.clear();
    g.ClickCell(0, 1);  // April 28
    g.ClickCell(6, 6);  // June 8
    g.ClickCell(3, 0);
    EXPECT_TRUE(g.events.empty());
    EXPECT_EQ(g.Date(), "2024-5-20");
    // A double click reports after the click that selected the day.
    int dbl = 0;
    g.cal.OnDblClick = [&] { ++dbl; };
    POINT p = g.Center(c, r);
    SendMessageA(g.cal.Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(g.cal.Handle, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(dbl, 1);
}

TEST(CalEx1582, RemovedDaysPaintBlankAndCannotBeChosen) {
    wintest::Hooks hooks;  // records any message box
    Grid g;
    g.Set(1582, 9, 10);
    ForcePaint(g.cal);
    // September shows October 5.. as its next-month cells: those that never existed are blank.
    int blank = 0;
    for (int r = 1; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            int k = g.cal.CellToDay(c, r);
            bool removed = k >= 205 && k <= 214;
            EXPECT_EQ(g.cal.CellExists(c, r), !removed) << k;
            if (removed) {
                ++blank;
                EXPECT_EQ(g.cal.CellText(c, r), "");
                EXPECT_EQ(g.cal.CellColor(c, r), g.cal.NeighborDayColor());
            }
        }
    EXPECT_GT(blank, 0);

    // Into October with day 10 selected: lowered to the last day before the change.
    g.cal.SetMonth(10);
    EXPECT_EQ(g.events, std::vector<std::string>{"change 1582-10-4"});
    ForcePaint(g.cal);
    Shot shot(g.cal);
    int c, r;
    g.CellOf(10, c, r);
    EXPECT_EQ(g.cal.CellText(c, r), "");
    EXPECT_EQ(g.cal.CellColor(c, r), g.cal.NeighborDayColor());
    RECT rc = g.cal.CellRect(c, r);
    EXPECT_EQ(shot.Count(rc, tk::ColorToRGB(tk::clWindow)), (rc.right - rc.left) * (rc.bottom - rc.top));
    g.CellOf(15, c, r);
    EXPECT_EQ(g.cal.CellText(c, r), "15");

    g.events.clear();
    g.cal.SetDay(10);
    g.CellOf(5, c, r);
    g.ClickCell(c, r);
    g.Key(VK_RIGHT);  // from the 4th onto the 5th
    EXPECT_TRUE(g.events.empty());
    EXPECT_EQ(g.cal.Day(), 4);
    g.CellOf(15, c, r);
    g.ClickCell(c, r);
    EXPECT_EQ(g.cal.Day(), 15);

    // November shows October's last days as its previous-month cells.
    g.cal.SetMonth(11);
    ForcePaint(g.cal);
    EXPECT_TRUE(hooks.boxes.empty()) << hooks.boxes.front();

    // The arithmetic itself still refuses the removed days.
    EXPECT_THROW(g.cal.DayOfWeekOf(1582, 10, 10), EJuliusError);
    EXPECT_THROW(g.cal.TypeOfDay(1582, 10, 5), EJuliusError);
    EXPECT_EQ(g.cal.DayOfWeekOf(1582, 10, 15), 6);  // a Friday after Thursday the 4th
}

TEST(CalExLists, MalformedItemsMatchNothing) {
    wintest::Hooks hooks;  // records any message box
    Grid g;
    g.Set(2024, 5, 15);
    g.cal.TypeOfDayList() = List({"x,3", "5", "5,y", "", "\"5,6\"", "5,3"});
    g.cal.SpecialDayList() = List({"5", "five,20", "5,21,,", "5,22,名"});
    g.cal.Invalidate();
    ForcePaint(g.cal);
    EXPECT_TRUE(hooks.boxes.empty());
    // 2024-05-03 is a Friday, listed once properly.
    EXPECT_EQ(g.cal.TypeOfDay(2024, 5, 3), TCalendarEx::dtHoliday);
    EXPECT_EQ(g.cal.TypeOfDay(2024, 5, 6), 0);  // "\"5,6\"" is one field
    EXPECT_EQ(g.cal.TypeOfDay(2024, 5, 20), 0);
    EXPECT_EQ(g.cal.TypeOfDay(2024, 5, 21), TCalendarEx::dtSpecialDay);
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2024, 5, 21), "");  // no name
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2024, 5, 22), "名");
}

TEST(CalExTypes, SubstituteEquinoxAndTexts) {
    Grid g(false);
    // 2020-05-03 is a Sunday: Monday the 4th is the substitute, not its own list entry.
    g.cal.SetTypeOfDayList(List({"5,3,【憲法記念日】", "5,4,【国民の休日】", "5,5,【こどもの日】"}));
    EXPECT_EQ(g.cal.DayOfWeekOf(2020, 5, 3), 1);
    EXPECT_EQ(g.cal.TypeOfDay(2020, 5, 3), TCalendarEx::dtSunday | TCalendarEx::dtHoliday);
    EXPECT_EQ(g.cal.TypeOfDay(2020, 5, 4), TCalendarEx::dtSubstitute);
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2020, 5, 4), "振替休日");
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2020, 5, 5), "【こどもの日】");
    // January 1 looks back to December 31 of the same year's list (2018-01-01 is a Monday).
    g.cal.SetTypeOfDayList(List({"12,31"}));
    EXPECT_TRUE(g.cal.IsSubstituteHoliday(2018, 1, 1));
    EXPECT_EQ(g.cal.TypeOfDay(2018, 1, 1), TCalendarEx::dtSubstitute);
    // March 1 looks back to February's last day of that year.
    g.cal.SetTypeOfDayList(List({"2,29"}));
    EXPECT_TRUE(g.cal.IsSubstituteHoliday(2021, 3, 1) == false);
    EXPECT_TRUE(g.cal.IsSubstituteHoliday(2024, 3, 1));

    // 2027: the vernal equinox day, March 21, is a Sunday; an equinox alone makes no substitute.
    g.cal.SetTypeOfDayList(List({}));
    int jd = JulianDay(2027, 3, 21);
    ASSERT_EQ(VernalEquinoxJD(2027), jd);
    EXPECT_EQ(g.cal.TypeOfDay(2027, 3, 21), TCalendarEx::dtSunday | TCalendarEx::dtEquinox);
    EXPECT_EQ(g.cal.TypeOfDay(2027, 3, 22), 0);
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2027, 3, 21), "春分の日");
    g.cal.SetAutoEquinox(false);
    EXPECT_EQ(g.cal.TypeOfDay(2027, 3, 21), TCalendarEx::dtSunday);

    // Names in list order, special days first; a name with a blank is quoted.
    g.cal.SetAutoEquinox(true);
    g.cal.SetTypeOfDayList(List({"9,23,秋の日"}));
    g.cal.SetSpecialDayList(List({"9,23,\"誕生日 A\"", "9,23,会議"}));
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2024, 9, 23), "\"誕生日 A\",会議,秋の日");
    EXPECT_EQ(g.cal.TypeOfDayTextOf(2024, 9, 22), "秋分の日");
}

TEST(CalExPaint, CellColoursOnScreen) {
    Grid g;
    // September 2024: 15th a Sunday holiday, 16th its substitute, 22nd the equinox (a Sunday),
    // 5th special, 23rd listed and special.
    g.Set(2024, 9, 2);
    const COLORREF week = 0x303030, sun = 0x0000C0, sat = 0xC00000, hol = 0x00A000, spec = 0xA000A0, nb = 0x909090;
    const COLORREF cols[6] = {week, sun, sat, hol, spec, nb};
    for (int i = 0; i < 6; ++i) g.cal.SetDayColor(i, (tk::TColor)cols[i]);
    g.cal.SetTypeOfDayList(List({"9,15,【敬老の日】", "9,23"}));
    g.cal.SetSpecialDayList(List({"9,5", "9,23"}));
    struct Want {
        int day;
        COLORREF color;
    } wants[] = {{2, week}, {1, sun}, {7, sat}, {15, hol}, {16, hol}, {22, hol}, {5, spec}, {23, spec}, {17, week}};
    Shot shot(g.cal);
    COLORREF window = tk::ColorToRGB(tk::clWindow);
    for (const Want& w : wants) {
        int c, r;
        g.CellOf(w.day, c, r);
        EXPECT_EQ(g.cal.CellColor(c, r), (tk::TColor)w.color) << w.day;
        RECT rc = g.cal.CellRect(c, r);
        if (w.day == g.cal.Day()) {
            EXPECT_EQ(shot.Background(rc), w.color) << w.day;  // the selected day is filled in its colour
        } else {
            EXPECT_EQ(shot.Background(rc), window) << w.day;
            EXPECT_GT(shot.Count(rc, w.color), 3) << w.day;  // its number is written in it
        }
    }
    // Neighbour days in their colour; the header in black whatever the weekday colour.
    EXPECT_EQ(g.cal.CellToDay(6, 6), 212);
    EXPECT_GT(shot.Count(g.cal.CellRect(6, 6), nb), 3);
    RECT head = g.cal.CellRect(1, 0);
    EXPECT_GT(shot.Count(head, 0x000000), 3);
    EXPECT_EQ(shot.Count(head, week), 0);

    // Selecting the equinox fills its cell with the holiday colour, on screen as in the bitmap.
    g.cal.SetDay(22);
    int c, r;
    g.CellOf(22, c, r);
    Shot again(g.cal);
    EXPECT_EQ(again.Background(g.cal.CellRect(c, r)), hol);
    ForcePaint(g.cal);
    HDC dc = GetDC(g.cal.Handle);
    RECT rc = g.cal.CellRect(c, r);
    EXPECT_EQ(GetPixel(dc, rc.left + 2, rc.top + 2), hol);
    ReleaseDC(g.cal.Handle, dc);
}

TEST(CalExLayout, SizeShrinksToWholeCells) {
    Grid g(false);
    g.cal.SetBounds(8, 8, 250, 180);  // client 246 x 176
    RECT rc = g.cal.ClientRect();
    EXPECT_EQ((rc.right - 7) % 7, 0);
    EXPECT_EQ((rc.bottom - 7) % 7, 0);
    EXPECT_EQ(g.cal.CellRect(6, 6).right + 1, rc.right);
    EXPECT_EQ(g.cal.CellRect(6, 6).bottom + 1, rc.bottom);
    EXPECT_EQ(g.cal.CellRect(1, 0).left, (rc.right - 7) / 7 + 1);
}

// The grid on a month with holidays, a substitute Monday, the equinox and marked days: on the left
// in the default colours (holidays share the Sunday colour), on the right with a holiday colour of
// its own. Run with --gtest_also_run_disabled_tests; CALEX_SHOW_MS keeps it on screen for a capture.
TEST(CalExGallery, DISABLED_Show) {
    tk::Form form({.caption = "カレンダー", .left = 40, .top = 40, .width = 740, .height = 330});
    TCalendarEx cal, own;
    rtl::TStringList holidays = List({"1,1,【元旦】", "1,15,【成人の日】", "2,11,【建国記念の日】", "4,29,【みどりの日】",
                                      "5,3,【憲法記念日】", "5,4,【国民の休日】", "5,5,【こどもの日】", "7,20,【海の日】",
                                      "9,15,【敬老の日】", "10,10,【体育の日】", "11,3,【文化の日】",
                                      "11,23,【勤労感謝の日】", "12,23,【天皇誕生日】"});
    int left = 8;
    for (TCalendarEx* c : {&cal, &own}) {
        c->Create(form, {.at = {left, 8, 356, 284}, .font = tk::TFont{.Name = "ＭＳ Ｐゴシック", .Size = 12}});
        c->SetYear(2024);
        c->SetMonth(9);
        c->SetTypeOfDayList(holidays);
        c->SetSpecialDayList(List({"9,5,会議", "9,10", "9,27,誕生日"}));
        left += 364;
    }
    cal.SetDay(16);
    own.SetDay(22);
    own.SetHolidayColor(0x008000);
    form.SetCaption("2024年9月" + std::to_string(cal.Day()) + "日 " + cal.TypeOfDayText() + " / " +
                    std::to_string(own.Day()) + "日 " + own.TypeOfDayText());
    form.Show();
    const char* ms = getenv("CALEX_SHOW_MS");
    DWORD until = GetTickCount() + (ms ? atoi(ms) : 1500);
    while (GetTickCount() < until) wintest::Pump(1);
}
