// The month calendar grid: a header row of weekday names and six week rows, Sunday first, with the
// neighbouring months' days in the spare cells, each day coloured by its type (Sunday, Saturday,
// holiday list, special-day list, equinox, substitute holiday).
// List items are comma text "month,day[,name]"; an item matches that month and day in every year.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/rtl/StringList.h"

class TCalendarEx : public tk::Control {
public:
    // Day-type flags of TypeOfDay.
    static constexpr unsigned short dtSunday = 1, dtSaturday = 2,
                                    dtHoliday = 4,       // in TypeOfDayList
                                    dtSpecialDay = 8,    // in SpecialDayList
                                    dtSubstitute = 16,   // Monday after a listed holiday
                                    dtEquinox = 32;

    TCalendarEx();
    // Creates the window and selects the current day; fires OnChange (twice, as every construction does).
    void Create(tk::Control& parent, const tk::Ctl& p);

    std::function<void()> OnChange;

    int Year() const { return Year_; }
    void SetYear(int v);
    int Month() const { return Month_; }
    void SetMonth(int v);  // values outside 1..12 are ignored
    int Day() const { return Day_; }
    // Ignored for 0, a day beyond the month's length or a day the calendar change removed.
    void SetDay(int v);
    int DayOfWeek() const { return DayOfWeekOf(Year_, Month_, Day_); }
    std::string TypeOfDayText() const { return TypeOfDayTextOf(Year_, Month_, Day_); }
    int FirstWeekday() const { return FirstWeekday_; }

    // The owner may fill the lists in place and Invalidate(); the setters copy and reselect the day.
    rtl::TStringList& TypeOfDayList() { return TypeOfDayList_; }
    rtl::TStringList& SpecialDayList() { return SpecialDayList_; }
    void SetTypeOfDayList(const rtl::TStringList& l);
    void SetSpecialDayList(const rtl::TStringList& l);

    // Colour indexes: 0 weekday, 1 Sunday, 2 Saturday, 3 holiday, 4 special day, 5 neighbour day.
    tk::TColor GetDayColor(int index) const;
    void SetDayColor(int index, tk::TColor c);
    tk::TColor WeekdayColor() const { return GetDayColor(0); }
    tk::TColor SundayColor() const { return GetDayColor(1); }
    tk::TColor SaturdayColor() const { return GetDayColor(2); }
    tk::TColor HolidayColor() const { return GetDayColor(3); }
    tk::TColor SpecialDayColor() const { return GetDayColor(4); }
    tk::TColor NeighborDayColor() const { return GetDayColor(5); }
    void SetWeekdayColor(tk::TColor c) { SetDayColor(0, c); }
    void SetSundayColor(tk::TColor c) { SetDayColor(1, c); }
    void SetSaturdayColor(tk::TColor c) { SetDayColor(2, c); }
    void SetHolidayColor(tk::TColor c) { SetDayColor(3, c); }
    void SetSpecialDayColor(tk::TColor c) { SetDayColor(4, c); }
    void SetNeighborDayColor(tk::TColor c) { SetDayColor(5, c); }

    bool AutoEquinox() const { return AutoEquinox_; }
    void SetAutoEquinox(bool v);
    bool ShowNeighbor() const { return ShowNeighbor_; }
    void SetShowNeighbor(bool v);
    int GridLineWidth() const { return GridLineWidth_; }
    void SetGridLineWidth(int v);

    // Day arithmetic; both raise EJuliusError for 1582-10-05..14.
    int DayOfWeekOf(int y, int m, int d) const;
    unsigned short TypeOfDay(int y, int m, int d) const;
    std::string TypeOfDayTextOf(int y, int m, int d) const;
    bool IsSubstituteHoliday(int y, int m, int d) const;
    // False for the days the calendar change removed (1582-10-05..14).
    bool DateExists(int y, int m, int d) const;

    // Cells: row 0 is the header. Codes: 0 header, 1..31 shown month, 100 + d previous, 200 + d next.
    int CellToDay(int col, int row) const;
    std::string CellText(int col, int row) const;
    tk::TColor CellColor(int col, int row) const;
    // False for a cell whose date the calendar change removed: drawn blank, never selected.
    bool CellExists(int col, int row) const;
    int Col() const { return Col_; }
    int Row() const { return Row_; }
    RECT CellRect(int col, int row) const;

    // Draws the whole grid on any canvas (a bitmap in tests) as it appears on screen.
    void PaintTo(tk::TCanvas& canvas);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(tk::TCanvas& canvas) override;
    virtual void Change();
    virtual void Click();
    virtual bool SelectCell(int col, int row);
    virtual void DrawCell(tk::TCanvas& canvas, int col, int row, const RECT& r, bool selected);
    void MonthChanged();
    void SelectDay();

private:
    // The date a cell stands for, rolled into the neighbouring month (and year) as needed.
    void CellDate(int code, int& y, int& m, int& d) const;
    bool HitTest(int x, int y, int& col, int& row) const;
    void MoveCurrent(int col, int row);
    void KeyMove(WORD key, int shift);
    void Layout();

    int Year_ = 0;
    unsigned short Month_ = 1, Day_ = 1;
    tk::TColor Colors_[6];
    int FirstWeekday_ = 1;
    rtl::TStringList TypeOfDayList_, SpecialDayList_;
    bool AutoEquinox_ = true, ShowNeighbor_ = true;
    int GridLineWidth_ = 1;
    int ColWidth_ = 24, RowHeight_ = 18;
    int Col_ = 0, Row_ = 1;
};
