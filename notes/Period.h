// The cycle tracker: registered start dates with a note each, cycle lengths and averages, two
// forecasts of the next hundred dates and the day marks of a chosen forecast cycle. Its data is
// "Period.ini" in the private folder's "Period" folder.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "notes/PeriodData.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"

// The tracker's own file.
std::string PeriodIniPath();
// [Period] "0".."Count-1" of a file (a missing entry reads "-end-").
std::vector<std::string> ReadPeriodDates(const tk::TIniFile& ini);
// Writes the list and Count into [Period], then drops numbered keys left from a longer list; Days
// and the notes stay. Raises tk::EIniFileError when the file cannot be written.
void StorePeriodDates(tk::TIniFile& ini, const std::vector<std::string>& dates);
// Moves the dates kept in the settings file's [Period] into the tracker's file, merged with the
// dates already there. The old section is erased only once the tracker's file reads back with
// every date; true then. The merged list is the answer either way.
bool MoveOlderPeriodDates(tk::TIniFile& settingsFile, tk::TIniFile& own, std::vector<std::string>& merged);

struct TForm25 : tk::Form {
    tk::Label Label1;  // "登録日："
    tk::ListBox ListBox1;
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3;
    tk::Label Label2, Label3, Label4;  // "年" "月" "日"
    tk::BitBtn BitBtn7, BitBtn2, BitBtn1, BitBtn4;
    tk::Label Label5, Label6, Label7;  // average captions
    tk::Edit Edit1, Edit2, Edit3;
    tk::GroupBox GroupBox1, GroupBox2, GroupBox3, GroupBox4;
    tk::ListBox ListBox3, ListBox4, ListBox5, ListBox6;
    tk::Label Label8, Label9;  // "生理中の期間を" "日間として計算する。"
    tk::SpinEdit SpinEdit4;
    tk::Label Label11;
    tk::Edit Edit4;
    tk::StatusBar StatusBar1;
    tk::ListBox ListBox2, ListBox7, ListBox8;  // hidden: all cycles, the two alternating halves

    TForm25();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void BitBtn2Click();  // add
    void BitBtn1Click();  // delete
    void BitBtn4Click();  // forecast
    void BitBtn7Click();
    void ListBox1Click();
    void ListBox3Click();
    void ListBox5Click();
    void Edit4Change();
    void SpinEdit1Change();
    void SpinEdit4Change();

    std::vector<std::string> Dates() const;
    // Writes what is not yet written (the dates, the days, the notes typed), without a word:
    // empty when all is written, else the message (the form's OnSave). Nothing while read-only.
    std::string SaveData();

private:
    tk::TIniFile Own() const { return tk::TIniFile(PeriodIniPath()); }
    void Recompute();
    void ShowSelected(int i);  // selects the date at i and shows its note and cycle
    void Marks(tk::ListBox& forecast, tk::GroupBox& group, tk::ListBox& marks, const std::vector<long long>& days);
    void SetDate(int y, int m, int d);
    bool filling_ = false;
    period::Forecast forecast_;
    // The tracker's file is marked read-only or could not be read: nothing is entered or written.
    bool readOnly_ = false;
    bool datesUnsaved_ = false, daysUnsaved_ = false;
    std::map<std::string, std::string> notesUnsaved_;  // by date
};

extern TForm25* Form25;
