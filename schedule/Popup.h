// The reminder editor: one reminder file (its name is its date, time and repeat rule) and its
// settings section (sound, picture, wallpaper, program to start, windows to close, auto-close).
// Modeless; every request opens a new window, freed when it closes.
#pragma once
#include <string>

#include "schedule/EntryControls.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/TabSet.h"

struct TForm7 : tk::Form {
    // Date and time.
    tk::SpinEdit SpinEdit3, SpinEdit4, SpinEdit5;  // year, month, day
    tk::SpinEdit SpinEdit1, SpinEdit2;             // hour, minute
    tk::Label Label4, Label5, Label6, Label7, Label8;  // 年 月 日 時 分
    tk::Label Label1;  // hidden: the date as "mmdd.yy"
    tk::Label Label2;  // hidden: the reminder's full path, also its settings section
    tk::Label Label3;  // days from today
    tk::BitBtn BitBtn7;  // back to today
    tk::Panel Panel3;  // "Popup hh:mm"
    tk::Label Label14;  // the lead-time note
    tk::BitBtn BitBtn11;  // to the uptime page
    tk::TabSet TabSet1;
    tk::RadioGroup RadioGroup3, RadioGroup2;  // "休日なら", "土曜日は"
    tk::GroupBox GroupBox1;
    tk::CheckBox CheckBox5, CheckBox6, CheckBox8, CheckBox10, CheckBox12, CheckBox7;  // weeks 1-5, last
    tk::Edit Edit3;  // the rule text for copying
    tk::BitBtn BitBtn3;  // insert it
    tk::RichEdit RichEdit1;  // the reminder text
    tk::RichEdit RichEdit2;  // hidden: the schedule entry the text is added to

    // Options.
    tk::CheckBox CheckBox1;  // add to the schedule
    tk::CheckBox CheckBox3;  // auto-close
    tk::Label Label9, Label10;
    tk::SpinEdit SpinEdit6;
    tk::BitBtn BitBtn4, BitBtn29;  // Sound, Picture (Tag 1: chosen in this window)
    tk::CheckBox CheckBox2, CheckBox4;  // wallpaper, unstretched
    tk::Label Label11, Label12;
    tk::Edit Edit1;  // program to start
    tk::BitBtn BitBtn5;  // browse for it
    tk::Edit Edit2;  // title text of windows to close

    // Templates.
    tk::Label Label13;
    tk::ComboBox ComboBox1;
    tk::Edit Edit4;  // rename box over the list
    tk::RichEdit RichEdit4;  // the template editor
    tk::BitBtn BitBtn8, BitBtn10, BitBtn9;  // insert, rename, delete

    tk::BitBtn BitBtn1, BitBtn6, BitBtn2;  // Save & Close, Save, Delete

    // The uptime page.
    tk::Panel Panel4;
    tk::BitBtn BitBtn12;  // back to the time page
    tk::SpinEdit SpinEdit7, SpinEdit8, SpinEdit9;
    tk::Memo Memo1;
    tk::BitBtn BitBtn13;  // Calc
    tk::Label UptimeNotes[10];

    tk::PopupMenu PopupMenu1;  // edit menu of the body and the rule text
    tk::PopupMenu PopupMenu2;  // window menu
    entry::CloseMenuItems EditClose, WindowClose;

    enum class Command { Save, Delete };

    TForm7();
    // What the commands that open the editor preset: the first page, the date and the time.
    void Preset(int year, int month, int day, int hour, int minute);

    void FormCreate();
    void FormShow();
    void FormActivate();
    void SpinEdit3Change();
    void TabSet1Click();
    void RadioGroup3Click();
    void TabSet1Change(int newTab, bool& allow);
    void RichEdit1Change();
    void CheckBox3Click();
    void BitBtn4Click();
    void BitBtn29Click();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn3Click();
    // Save or delete; true when it was done (a refused or failed command leaves the window open).
    bool BitBtn6Click(Command c);
    void BitBtn1Click(Command c);
    void Cancel1Click();
    void BitBtn11Click();
    void BitBtn12Click();
    void SpinEdit7Change();
    void SpinEdit8Change();
    void SpinEdit9Change();
    void BitBtn13Click();
    void PopupMenu1Popup();
    void PopupMenu2Popup();
    void FormClose(tk::CloseAction& action);

    void ComboBox1Change();
    void BitBtn8Click();
    void RichEdit4Change();
    void BitBtn10Click();
    void Edit4Change();
    void Edit4Exit();
    void BitBtn9Click();

    bool UptimePage() const { return Panel4.Visible(); }
    // The choices copied out of the choosers of this window.
    const std::string& ChosenSound() const { return soundFile_; }
    const std::string& ChosenPicture() const { return pictureFile_; }
    // The one-date schedule entries this window added its text to.
    const std::vector<std::string>& AppendedEntries() const { return appended_.Names(); }

private:
    void BuildLayout();
    void BuildUptimePage();
    void BuildTemplates();
    void BuildMenus();
    entry::WeekBoxControls WeekBoxes();
    entry::Repeat Kind() const { return (entry::Repeat)TabSet1.TabIndex(); }
    void SetDateCaptions();
    void ShowPopupTime();
    // Steps shared by both pages: the discard notice, the body and the section of path.
    void LoadReminder(const std::string& path);
    void LoadSection(const std::string& path);
    // The settings file could not be read at a load: the editor saves, deletes and edits nothing.
    bool Locked() const { return !unreadable_.empty(); }
    // Once the window shows: that the settings file could not be read, the first time.
    void SayUnreadable();
    void EnableSaving();
    bool SaveReminder();
    bool DeleteReminder();
    bool AddToSchedule();
    void WriteSection(const std::string& path);
    void ShowTemplateEditor();
    void LoadTemplate(int index);

    int year_ = 1971, month_ = 1, day_ = 15;  // the date of the fields
    bool busy_ = false;  // a rebuild is setting controls: their change handlers stand still
    bool closed_ = false;
    bool shown_ = false, said_ = false;
    std::string unreadable_;  // why the settings file could not be read at a load
    std::string soundFile_, pictureFile_;
    std::string sectionSound_, sectionPicture_;  // the loaded reminder's own choices
    entry::TouchedNames appended_;  // schedule entries this window added its text to
};

extern TForm7* Form7;
