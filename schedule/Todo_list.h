// The schedule list: for a range of days around a base date, each day's date, old calendar,
// holidays, birthdays and schedule entries, sorted into three stacked panes (past, today, future)
// that can be copied, exported as text and printed. Hidden, not freed, when closed.
#pragma once
#include <memory>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "controls/SplitControl.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"

struct TForm2 : tk::Form {
    tk::Panel Panel1;   // fills the window
    tk::Bevel Bevel1;   // the band of the date controls above the panes
    tk::Bevel Bevel2;
    tk::SpinEdit SpinEdit3, SpinEdit4, SpinEdit5;  // base date: year, month, day
    tk::Label Label1, Label2, Label3;              // "年" "月" "日～"
    tk::SpinEdit SpinEdit1, SpinEdit2;             // days before and after the base date
    tk::Label Label4, Label5;                      // "日前～" "日後"
    tk::BitBtn BitBtn8;  // back to today
    tk::BitBtn BitBtn2;  // build the list
    tk::BitBtn BitBtn1;  // schedule management
    tk::RichEdit RichEdit1;  // past days
    TSplitBar Panel2;
    tk::RichEdit RichEdit3;  // today
    TSplitBar Panel3;
    tk::RichEdit RichEdit4;  // future days
    tk::RichEdit RichEdit2;  // hidden: each file is loaded here; print and export compose here
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Copy1 = nullptr, *SelectAll1 = nullptr, *Text1 = nullptr, *Print1 = nullptr, *Close1 = nullptr;
    tk::SaveDialog SaveDialog1;
    std::unique_ptr<TSplitControl> SplitControl;

    TForm2();
    // The creation steps: place, pane heights, range and base date from the settings. Run again
    // when the hidden window is asked for anew.
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormResize();
    // Builds the list; the editors call it after they save or delete an entry it can show.
    void BitBtn2Click();
    // The days the date controls ask for (what the next build lists); false when they name no date.
    bool ShownRange(rtl::TDateTime& first, rtl::TDateTime& last);
    void SpinEdit3Change();
    void SpinEdit1Change();
    void BitBtn8Click();
    void BitBtn1Click();
    void Copy1Click();
    void SelectAll1Click();
    void Text1Click();
    void Print1Click();
    void Close1Click();
    void Panel2MouseDown(tk::MouseButton button, int shift, int x, int y);
    void Panel2MouseMove(int shift, int x, int y);
    void Panel2MouseUp(tk::MouseButton button, int shift, int x, int y);
    void Panel3MouseDown(tk::MouseButton button, int shift, int x, int y);
    void Panel3MouseMove(int shift, int x, int y);
    void Panel3MouseUp(tk::MouseButton button, int shift, int x, int y);

    // A pane's text and background colour, for the text already there and the text to come
    // (the settings window pushes its colours here).
    static void SetPaneColours(tk::RichEdit& pane, tk::TColor text, tk::TColor back);
    // The caption, the print time and the three panes' lines, as printed and exported.
    std::string ComposedText();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // A file's text as the loader reads it, with the size and write time it had then.
    struct FileText {
        uint64_t size = 0, written = 0;
        std::string text;
    };
    using TextMap = std::unordered_map<std::string, FileText>;
    // The text of a data file through the loader, or as the last build read it when the file has
    // not changed since; false when it cannot be read. Each text read goes into `shown`.
    bool ReadText(const std::string& path, TextMap& shown, std::string& text);
    TextMap texts_;  // the files the last build showed
    tk::RichEdit* MenuPane();
    int EqualPaneHeight();
    void SetPaneHeights(int past, int today);
    // Ends a bar's drag (the pane above it takes its height); false when none was under way.
    bool EndDrag();
    void Compose();
};

extern TForm2* Form2;
