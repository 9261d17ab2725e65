// The diary's month list: one line per day of a month with its diary title, coloured like the
// schedule views, a gauge of how many days carry an entry, and the way into each day's diary.
#pragma once
#include <array>
#include <string>

#include "controls/SGaugeEx.h"
#include "mainwindow/Main.h"
#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/rtl/DateTime.h"

namespace nikilist {
// The list line of a day in the diary folder; entry: the day counts on the gauge.
std::string DayLine(const std::string& folder, int day, bool& entry);
// The gauge's hint for entries of days.
std::string GaugeHint(int entries, int days);
}  // namespace nikilist

struct TForm12 : tk::Form {
    tk::Panel Panel1;
    tk::SpinEdit SpinEdit1, SpinEdit2;  // year, month
    tk::BitBtn BitBtn1;                 // the search; Tag: 0 never opened, 1 open, day index + 2 asked
    tk::BitBtn BitBtn7;                 // back to today
    TSGauge SGauge1;
    tk::ListBox ListBox1;  // Tag: the selected line across a rebuild
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Write1 = nullptr, *Close1 = nullptr;

    TForm12();
    void FormShow();
    void FormCloseQuery();
    void FormClose(tk::CloseAction& action);
    void FormResize();
    void BuildList();
    void ListBox1DrawItem(int index, const RECT& rect, int state);
    void ListBox1Click();
    void OpenSelectedDay();  // double click and Write1
    void PopupMenu1Popup();
    void BitBtn7Click();
    void BitBtn1Click();  // the search window
    bool SearchOpen() const;
    void SetMonth(rtl::TDateTime day);  // the boxes only; the caller rebuilds

    int FirstDay() const;  // the 1st of the shown month, as a date serial
    int Entries() const { return SGauge1.Position(); }

private:
    const DayColours& ColoursOf(int index) const;
    std::array<DayColours, 3> colours_{};  // past, today, future: as the settings were at the last build
    bool ownButtons_ = true;  // opened on its own, not beside a diary from the main menu
    bool building_ = false;
};

extern TForm12* Form12;
