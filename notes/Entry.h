// The goal window: named goals, each a span from a start to an end date-time with a description.
// Each goal is a rich-text file in the data folder's "Entry" folder whose first three paragraphs
// are the name, the earlier and the later date-time; [Entry] lists the files in the goal box's order.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Buttons.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/CheckBox.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/rtl/DateTime.h"

namespace goal {

// The data folder's goal folder, with its trailing backslash.
std::string Folder();
// [Entry] "0", "1", ... up to the first empty value.
std::vector<std::string> ReadNames(const tk::TIniFile& ini);
// [Entry] erased and written again, one key per name.
void WriteNames(tk::TIniFile& ini, const std::vector<std::string>& names);
// A new file name: "Entry" + [Entry_Cnt] Cnt, skipping names whose file exists in folder (the
// counter may have been reset with the settings file); Cnt moves past the name taken.
std::string NewName(tk::TIniFile& ini, const std::string& folder);

// The decimal text of a date-time as the files hold it, independent of the locale.
std::string DateTimeText(rtl::TDateTime t);
// Reads that text back rounded to the millisecond (so 9:30 stays 9:30); false for text that is
// no number or lies outside the date range.
bool ReadDateTime(const std::string& text, rtl::TDateTime& t);

// The head of a goal: its name and, when both date-times read, its span.
struct Head {
    std::string name;
    bool hasSpan = false;
    rtl::TDateTime start = 0, end = 0;
};
// Loads a goal file into box and takes its head off, leaving the description. A goal whose
// date-times do not read keeps those paragraphs in the description (so that a save loses
// nothing) and has no span. Raises rtl::EFOpenError when the file cannot be opened.
Head LoadGoal(tk::RichEdit& box, const std::string& path);
// Puts the head in front of the description: the name, then the earlier and the later date-time.
void PutHead(tk::RichEdit& box, const std::string& name, rtl::TDateTime a, rtl::TDateTime b);

}  // namespace goal

struct TForm6 : tk::Form {
    tk::Label Label1;
    tk::Edit Edit1;  // the goal's name
    tk::GroupBox GroupBox1, GroupBox2, GroupBox3;  // "開始日時", "終了日時", "詳細説明"
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6;  // start
    tk::SpinEdit SpinEdit7, SpinEdit8, SpinEdit9, SpinEdit10, SpinEdit11, SpinEdit12;  // end
    tk::Label Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13;
    tk::BitBtn BitBtn7, BitBtn5, BitBtn8;  // start: today, 0:00:00, now
    tk::BitBtn BitBtn3, BitBtn6, BitBtn9;  // end: the same
    tk::RichEdit RichEdit1;
    tk::BitBtn BitBtn1, BitBtn2;  // delete, save

    TForm6();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void BitBtn2Click();
    void BitBtn1Click();
    void SpinEdit1Change();
    void SpinEdit7Change();
    void BitBtn7Click();
    void BitBtn3Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn5Click();
    void BitBtn6Click();

    // The two date-times as the spin edits give them (seconds, no milliseconds).
    rtl::TDateTime StartTime() const;
    rtl::TDateTime EndTime() const;

private:
    struct Group {
        tk::SpinEdit *y, *m, *d, *h, *n, *s;
        tk::BitBtn* today;
    };
    Group start_, end_;
    void CreateGroup(tk::GroupBox& box, Group& g, tk::Label* const (&units)[6], tk::BitBtn& today,
                     tk::BitBtn& zero, tk::BitBtn& now);
    static void SetDate(Group& g, rtl::TDateTime t);
    static void SetTime(Group& g, int h, int n, int s);
    static void SetTimeNow(Group& g);
    static rtl::TDateTime Value(const Group& g);
    static void DateChange(Group& g);
    std::string FileOf(const std::string& name) const;
};

extern TForm6* Form6;
