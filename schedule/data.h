// Schedule management: every schedule entry and reminder of the data folder as a one-line rule
// (all of them, the past ones, or those of one day), a preview of the selected one, its deletion,
// and its editor on a double click. Modeless, one at a time, freed when it closes.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/SplitControl.h"
#include "schedule/DataLines.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StatusBar.h"

// The list of lines: a list box that keeps no text of its own. The lines stay in Items and are
// drawn from there, so thousands go in with one message; a list box holding text takes one per
// line, and under Wine as long again to clear them.
struct TLineListBox : tk::ListBox {
    void Create(tk::Control& parent, const tk::Ctl& p);
    // Replaces every line (each item's object is its data).
    void SetLines(const rtl::TStringList& lines);

private:
    void ItemInserted(int index) override;
    void ItemsCleared() override;
    bool filling_ = false;
};

struct TForm29 : tk::Form {
    tk::Panel Panel1;                         // the mode and day buttons
    tk::BitBtn BitBtn14, BitBtn16, BitBtn17;  // All, Past, the selected day
    tk::BitBtn BitBtn24, BitBtn25, BitBtn26;  // previous day, today, next day
    TLineListBox ListBox1;
    TSplitBar Panel2;
    tk::Panel Panel4;        // the heading over the preview
    tk::RichEdit RichEdit2;  // the preview, read-only
    tk::Panel Panel3;        // delete row
    tk::BitBtn BitBtn11;     // delete
    tk::CheckBox CheckBox1;  // do not ask before deleting
    tk::Label Label1;
    tk::StatusBar StatusBar1;
    tk::Label Label6, Label8, Label9;  // hidden: the selected file's path and name, the mode code
    tk::Image Image1, Image2;          // hidden: the mode buttons' glyphs, released and pressed
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *All1 = nullptr, *Past1 = nullptr, *Gost = nullptr, *Today1 = nullptr, *Edit1 = nullptr,
                 *Delete1 = nullptr, *Close2 = nullptr;
    TSplitControl Split{*this};

    TForm29();
    ~TForm29() override;

    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void BitBtn14Click();  // the All list
    void BitBtn16Click();  // the Past list
    void BitBtn17Click();  // the selected day's list
    void BitBtn24Click();
    void BitBtn25Click();
    void BitBtn26Click();
    void ListBox1Click();
    void ListBox1DblClick();
    void BitBtn11Click();
    void ListBox1DrawItem(int index, const RECT& rect, int state);
    void PopupMenu1Popup();
    void Label1MouseUp();
    void Close2Click();

    // What the editors call when they close: the list the check marks name, run again.
    void RerunShownList();

    rtl::TDateTime SelectedDay() const { return day_; }
    manage::Mode ShownMode() const { return mode_; }
    // The file a list line stands for.
    const std::string& NameOfLine(int index) const;
    bool Deleted() const { return deleted_; }
    // The selected day (kept inside the date range) with its buttons; the list is not run.
    void SetDay(rtl::TDateTime day);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BuildLayout();
    void BuildMenu();
    void MakeGlyphs();
    void Fill(manage::Mode mode);
    void ShowMode(manage::Mode mode);
    void EnableDelete(bool on);
    void PreviewFile(const std::string& path, const NameFields& f);
    bool ShowStatusHint();
    struct HintLink;

    manage::Mode mode_ = manage::Mode::Day;
    rtl::TDateTime day_ = 0;
    std::vector<manage::Line> lines_;  // a list item's data is its index here
    bool deleted_ = false;
    bool closed_ = false;
    std::shared_ptr<TForm29*> alive_;
};

extern TForm29* Form29;

// Opens the editor of a schedule entry or reminder name, preset to build that very name.
void OpenEntryEditor(const std::string& name);
// The open schedule list, rebuilt after a deletion here.
void RefreshScheduleList();
