// The day calculator: the time between two date-times, or the date-time an interval before or
// after a date-time.
#pragma once
#include "settings/DayCalcMath.h"
#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"

struct TForm11 : tk::Form {
    tk::Panel Panel12;  // first date-time
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit14;
    tk::BitBtn BitBtn17, BitBtn18;
    tk::SpeedButton SpeedButton1, SpeedButton2;  // "～" span, "＋" interval
    tk::Panel Panel13;                           // second date-time
    tk::SpinEdit SpinEdit6, SpinEdit7, SpinEdit8, SpinEdit9, SpinEdit10, SpinEdit15;
    tk::BitBtn BitBtn16, BitBtn19;
    tk::Panel Panel14;  // interval, over Panel13
    tk::SpinEdit SpinEdit11, SpinEdit12, SpinEdit13, SpinEdit16;
    tk::SpeedButton SpeedButton3, SpeedButton4;  // "前", "後"
    tk::BitBtn BitBtn20;
    tk::BitBtn BitBtn13;  // Calculate
    tk::RichEdit RichEdit3;
    tk::Label Labels[20];
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Span1 = nullptr, *Interval1 = nullptr, *Close1 = nullptr;

    TForm11();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void BitBtn13Click();
    void BitBtn16Click();
    void BitBtn17Click();
    void BitBtn18Click();
    void BitBtn19Click();
    void BitBtn20Click();
    void SpinEdit1Change();
    void SpinEdit6Change();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void PopupMenu1Popup();

    daycalc::Moment First() const;
    daycalc::Moment Second() const;

private:
    // While code fills the fields, the date check waits for the whole date.
    bool filling_ = false;
    void SetNow(tk::SpinEdit* fields[6]);
    void CheckDate(const tk::SpinEdit& y, const tk::SpinEdit& m, const tk::SpinEdit& d);
    void ShowMode(bool interval);
};

extern TForm11* Form11;
