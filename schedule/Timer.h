// The countdown timers: a period of hours and minutes counted down with a gauge, notices at 50,
// 80 and 100 per cent with a sound each, and a stack of named presets in the settings file.
#pragma once
#include <string>

#include "controls/SGaugeEx.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/rtl/DateTime.h"

struct TForm13 : tk::Form {
    tk::SpinEdit SpinEdit1, SpinEdit2;  // hours, minutes
    tk::Label Label1, Label2;           // "時間", "分後"
    tk::Label Label3;                   // "名前"
    tk::Edit Edit1;                     // the name
    tk::ListBox ListBox1;               // the presets
    tk::BitBtn BitBtn1, BitBtn8;        // Add, Delete
    tk::GroupBox GroupBox1;
    tk::Label Label4, Label5, Label8;   // the three sound labels
    tk::Edit Edit2, Edit3, Edit4;       // sounds at 50, 80, 100 %; Tag: that notice was given
    tk::BitBtn BitBtn2, BitBtn3, BitBtn4;  // their choosers
    tk::BitBtn BitBtn5, BitBtn6, BitBtn7;  // Start, Pause (Tag: paused), Reset
    tk::CheckBox CheckBox1;                // hide until the time is up
    TSGauge SGauge1;
    tk::Label Label6, Label7;  // start, end
    tk::StatusBar StatusBar1;
    tk::Timer Timer1;

    TForm13();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void SpinEdit2Change();
    void BitBtn1Click();
    void ListBox1Click();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn8Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void Timer1Timer();

    rtl::TDateTime StartTime = 0, Period = 0, EndTime = 0;

private:
    bool filling_ = false;  // the boxes are being filled: their change handlers write nothing
    void WriteSound(const char* suffix, const tk::Edit& box);
    void ChooseInto(tk::Edit& box);
    void EnableInputs(bool on);
    void EnablePresetControls(bool on);
    void Notice(tk::Edit& given, const std::string& what, const std::string& sound);
};

extern TForm13* Form13;
