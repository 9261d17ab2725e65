// The reminder window: the due reminders' texts, picture and sound, with auto-close, snooze and
// delete.
#pragma once
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Timer.h"

struct TForm9 : tk::Form {
    tk::Panel Panel2;
    tk::Image Image1;
    tk::RichEdit RichEdit1, RichEdit2;
    tk::Label Label2;  // hidden: path of the last reminder hit
    tk::ComboBox ComboBox1;
    tk::Label Label1;
    tk::BitBtn BitBtn1, BitBtn2;
    tk::Timer Timer1;
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Delete1 = nullptr, *Close1 = nullptr;
    // The one-day reminder among this window's hits: delete removes exactly that one.
    std::string OneDayPath;

    TForm9();
    void FormCreate();
    void FormShow();
    void FormPaint();
    void Timer1Timer();
    void BitBtn1Click();
    void BitBtn2Click();
    void Panel2DblClick();
    void Close1Click();
    void PopupMenu1Popup();
    void FormCloseQuery(bool& canClose);
};

extern TForm9* Form9;

// The window's own picture, shown until a reminder brings one (a bitmap resource).
constexpr char kBuiltInPicture[] = "POPUP_CLOCK";

// The largest snooze the window accepts, in minutes (one day).
constexpr int kMaxSnoozeMinutes = 1440;
