// The go-to-date window: moves the main calendar to a typed date and, in the same click, can open
// the reminder editor, the schedule editor or the diary for it.
#pragma once
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/SpinEdit.h"

struct TForm17 : tk::Form {
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3;  // year, month, day
    tk::Label Label1, Label2, Label3;              // "年" "月" "日"
    tk::Label Label4;                              // the weekday
    tk::BitBtn BitBtn7;                            // back to today
    tk::BitBtn BitBtn1, BitBtn2, BitBtn4, BitBtn3;  // Popup, Schedule, Diary, Set
    tk::CheckBox CheckBox1;                         // stay open after a button
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Today1 = nullptr, *Popup1 = nullptr, *Todo1 = nullptr, *Diary1 = nullptr, *Set1 = nullptr,
                 *Cancel1 = nullptr;

    TForm17();
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void SpinEdit1Change();
    // The four buttons and their menu items: the calendar first, then what runs on that date.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn3Click();
    void BitBtn7Click();
    void CheckBox1Click();
    void Cancel1Click();

private:
    template <class Then>
    void GoThen(Then then);
};

extern TForm17* Form17;
