// The private time-band window: two daily time bands, a left and a right one, each with a title
// and a start and end time of day, which the clock page draws.
#pragma once
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"

namespace band {
// An hour field: above 23 is 23, 0 or below is 0. A minute field: above 59 is 59, below 1 is 0.
int ClampHour(int h);
int ClampMinute(int n);
}  // namespace band

struct TForm36 : tk::Form {
    tk::Panel Panel1;
    tk::GroupBox GroupBox1, GroupBox2;  // "左側のグラフ", "右側のグラフ"
    tk::Edit Edit1, Edit2;              // titles
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4;  // left: start hour, minute, end hour, minute
    tk::SpinEdit SpinEdit5, SpinEdit6, SpinEdit7, SpinEdit8;  // right: the same
    tk::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10;
    tk::BitBtn BitBtn1;
    tk::StatusBar StatusBar1;

    TForm36();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void HourChange(tk::SpinEdit& field);
    void MinuteChange(tk::SpinEdit& field);

private:
    void CreateBand(tk::GroupBox& box, tk::Edit& title, tk::SpinEdit* const (&fields)[4], tk::Label* const (&labels)[5]);
    void ShowHelp(const char* text);
    bool WriteBands();  // the titles and times to the settings; false when the write failed
    bool bandsRead_ = false;  // the fields hold the stored bands: only then are they written back
    bool bandsWritten_ = true;
};

extern TForm36* Form36;
