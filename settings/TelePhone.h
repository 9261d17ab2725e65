// The phone book TForm3: twelve pages of 256 rows by five columns, one file per page in the Tel
// folder of the data folder, and a thirteenth page for search results. It dials the selected
// number through the system's dialer or by touch tones on the speaker, sends mail and opens web
// pages. Pages reach their files on every tab change, before a search, at the close and at the
// program's end; a page that cannot be written is not left.
#pragma once
#include <memory>
#include <string>

#include "controls/EdDial.h"
#include "controls/SplitControl.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StringGrid.h"

struct TForm3 : tk::Form {
    tk::StatusBar StatusBar1;
    tk::Panel Panel1;
    tk::Label Label1, Label2;
    TEditAndDial EditAndDial1;
    tk::BitBtn BitBtn1, BitBtn2, BitBtn3;
    tk::CheckBox CheckBox1, CheckBox2;
    tk::Edit Edit1;
    tk::BitBtn BitBtn4;
    tk::PageControl TabControl1;
    tk::TabSheet Tabs[13];
    tk::Panel PagePanel;  // the tab control's client: the header over the grid
    tk::Panel Panel2;
    tk::Panel Panel3, Panel5, Panel7, Panel9, Panel11;
    TSplitBar Panel4, Panel6, Panel8, Panel10;  // one-pixel borders: dragging one sizes the title left of it
    tk::StringGrid StringGrid1;
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Modem1 = nullptr, *Speaker1 = nullptr, *Mail1 = nullptr, *Web1 = nullptr,
                 *EditLock1 = nullptr, *Reorder1 = nullptr, *Close1 = nullptr;
    std::unique_ptr<TSplitControl> SplitControl;

    TForm3();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormDestroy();
    void FormResize();
    // Saves the page shown; a failure is said and gives false (the page is then not to be left).
    bool FormClick();
    // The same without a word: empty when saved, else the message (the form's OnSave).
    std::string SavePage();
    void TabControl1Change();
    void StringGrid1Click();
    void EditAndDial1BeforeDial(tk::Control& sender, std::string& calledParty);
    void BitBtn1Click();  // speaker
    void BitBtn2Click();  // mail
    void BitBtn3Click();  // web
    void BitBtn4Click();  // search
    void CheckBox1Click();
    void CheckBox2Click();
    void PopupMenu1Popup();
    // After a title border was dragged: the widths go to the page's keys and the grid.
    void ColumnBorderMoved();

    int Page() const { return TabControl1.ActivePageIndex(); }
    void SetPage(int page);  // shows the page as a tab change does, saving the one shown
    std::string TelDir() const;

private:
    tk::Panel& TitlePanel(int column);
    tk::Control& BorderPanel(int border);
    void PlacePage();
    void ApplyColumnWidths();
    void LoadColumnWidths();
    void ApplyGridOptions();
    void ApplyReorderColumns(bool on);
    std::string Cell(int column) const;  // of the selected row
    void BuildHints();
    bool shown_ = false;
    // The page shown exists but could not be read, or not whole, or its file is marked read-only:
    // it is shown read-only and never saved, so the grid is not written over the rows it could
    // not show, and nothing is typed that could not be kept.
    bool pageLost_ = false;
    bool pageReadOnly_ = false;
    // The settings file could not be read at the opening: the title borders are not dragged.
    bool widthsFixed_ = false;
};

extern TForm3* Form3;

// Test seam: the waits of speaker dialling (Sleep by default).
extern void (*TelePhoneSleep)(int ms);
