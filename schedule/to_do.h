// The schedule entry editor: one untimed schedule entry, whose date, repeat rule, day-off shift
// and weeks are its file name. The controls are the whole state: every change rebuilds the name
// and loads the entry of that name. Modeless; every request opens a new window, freed on close.
#pragma once
#include <string>
#include <vector>

#include "schedule/EntryControls.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/TabSet.h"

struct TForm14 : tk::Form {
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3;  // year, month, day
    tk::Label Label3, Label4, Label5;  // 年 月 日
    tk::BitBtn BitBtn5;  // back to today
    tk::Label Label6;  // days from today
    tk::TabSet TabSet1;  // one date, every year, every month, weekly
    tk::RadioGroup RadioGroup1, RadioGroup2;  // "休日なら", "土曜日は"
    tk::GroupBox GroupBox1;
    tk::CheckBox CheckBox4, CheckBox6, CheckBox8, CheckBox10, CheckBox12, CheckBox1;  // weeks 1-5, last
    tk::Edit Edit1;  // the rule text for copying
    tk::BitBtn BitBtn2;  // insert it
    tk::RichEdit RichEdit1;  // the entry's text
    tk::Label Label2;  // hidden: the entry's full path
    tk::BitBtn BitBtn3, BitBtn1, BitBtn4;  // Save & Close, Save, Delete
    tk::PopupMenu PopupMenu1;  // edit menu of the body and the rule text
    entry::CloseMenuItems EditClose;

    TForm14();
    // What the commands that open the editor preset: the date (the first tab stays chosen).
    void Preset(int year, int month, int day);

    void FormCreate();
    void FormShow();
    void SpinEdit1Change();
    void TabSet1Click();
    void RadioGroup1Click();
    void TabSet1Change(int newTab, bool& allow);
    void RichEdit1Change();
    // Save; true when the entry was written (a failure leaves the window open and Save enabled).
    bool BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void PopupMenu1Popup();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);

    entry::Repeat Kind() const { return (entry::Repeat)TabSet1.TabIndex(); }
    // The entries saved or deleted in this window, for the schedule list's refresh on close.
    const std::vector<std::string>& TouchedEntries() const { return touched_.Names(); }

private:
    void BuildLayout();
    entry::WeekBoxControls WeekBoxes();
    void ShowDateFacts();

    int year_ = 1971, month_ = 1, day_ = 15;  // the date of the fields
    bool busy_ = false;  // a rebuild is setting controls: their change handlers stand still
    bool closed_ = false;
    std::string entryHint_;  // the body's hint while it holds what was loaded or saved
    entry::TouchedNames touched_;
};

extern TForm14* Form14;
