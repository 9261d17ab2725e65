// The diary editor: one window per day with a title, the weather, a rich-text body and an
// optional picture, all kept in the day's file in the diary folder and written back on close.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/PnlBtn.h"
#include "notes/DiaryFile.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/RichFind.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"

struct TForm8 : tk::Form {
    // Title, weather and the day's commands.
    tk::Panel Panel1;
    tk::Label Label1, Label3;  // "タイトル", "天気"
    tk::Edit Edit1, Edit2;
    TPanelButton PanelButton1, PanelButton2, PanelButton3, PanelButton4, PanelButton5;  // 晴 曇 雨 雷 雪
    TPanelButton PanelButton6, PanelButton7;                                           // のち, 時々
    TPanelButton PanelButton8, PanelButton9, PanelButton10;  // &Export, &Delete, &Picture
    // The formatting bar and the ruler.
    tk::Panel Panel2;
    tk::ComboBox ComboBox1;
    tk::SpinEdit SpinEdit1;
    tk::SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
        SpeedButton7, SpeedButton8;
    tk::BitBtn BitBtn12;
    tk::Panel Panel4, Panel5, Panel6, Panel7, Panel8;  // the colour history
    tk::Label Label4;                                  // hidden: the selection's colour
    tk::Panel Panel3;                                  // the ruler
    tk::Label Label5, Label6, Label7;                  // first, left and right indent markers
    // The body, or the picture in its place.
    tk::RichEdit RichEdit1;
    tk::Image Image1;
    tk::Label Label2;  // hidden: the picture's path
    tk::StatusBar StatusBar1;  // Tag: the day (a whole date serial), set before the window shows

    tk::PopupMenu PopupMenu1;  // weather phrases
    tk::PopupMenu PopupMenu2;  // the window's menu
    tk::MenuItem *Undo1 = nullptr, *K11 = nullptr, *Open1 = nullptr, *Show1 = nullptr, *ClipBord1 = nullptr,
                 *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *SelectAll1 = nullptr,
                 *FontColor1 = nullptr, *BackColor1 = nullptr, *ReadOnly1 = nullptr, *Find1 = nullptr,
                 *Replace1 = nullptr, *Print1 = nullptr, *List1 = nullptr, *Close1 = nullptr;
    tk::FindDialog FindDialog1;
    tk::ReplaceDialog ReplaceDialog1;
    tk::ColorDialog ColorDialog1;
    tk::SaveDialog SaveDialog1;
    std::unique_ptr<tk::RichToolbar> Toolbar;
    std::unique_ptr<tk::RichFinder> Finder;

    TForm8();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormActivate();
    void FormResize();
    void WeatherPhraseClick(const std::string& phrase);
    void AppendWeather(const std::string& text);
    void PanelButton8Click();  // plain-text export
    void PanelButton9Click();  // delete the day
    void PanelButton10Click();  // show or hide the picture
    void Open1Click();
    void K11Click();
    void ClipBord1Click();
    void FontColor1Click();
    void BackColor1Click();
    void ReadOnly1Click();
    void Find1Click();
    void Replace1Click();
    void Print1Click();
    void List1Click();  // opens or closes the month list

    int Day() const { return StatusBar1.Tag; }
    std::string Folder() const;   // the diary folder, built afresh from the settings
    std::string DayPath() const;  // the day file's full path
    // Writes the day file as the close does (header and body in one safe replacement), without a
    // word; false when it failed, the old file then untouched.
    bool SaveDay();
    // The close would save: the day was loaded, its file is not read-only, and it was neither
    // exported over nor deleted.
    bool WillSave() const;
    // Closed and waiting to be freed: no longer the day's window.
    bool Closed() const { return closed_; }
    void SetReadOnlyMark(bool on);

private:
    void Restore(tk::Bounds& box, int left, int top, int width, int height) const;
    void ApplyBounds(const diary::DayHeader& h, tk::Bounds& box) const;
    void Place(const tk::Bounds& box);
    void LoadDay(tk::Bounds box);
    void EnsureFindDialogs();
    void ImportLegacy(const std::string& legacyPath);
    void Refuse(const std::string& message);
    diary::DayHeader Header() const;
    void ApplyHeader(const diary::DayHeader& h);
    void DrawPicture();
    void ShowPicture(bool on);
    void ApplyFontColor(tk::TColor c);
    void ApplyBackColor(tk::TColor c);
    RECT NormalBounds() const;

    bool loaded_ = false;      // the day has been read into the window (shown once)
    bool closed_ = false;
    bool fileReadOnly_ = false;  // the day's file is marked read-only: shown so, never saved
    SIZE syncedSize_{-1, -1};  // the client size the bar was last brought in line for
    tk::TColor fontColor_ = tk::clWindowText, backColor_ = tk::clWindow;
    std::vector<std::string> kept_;  // header lines the reader did not know
};

// The window last created by a diary command.
extern TForm8* Form8;

// The diary windows not yet closed, shown or hidden (a minimised program hides them).
std::vector<TForm8*> OpenDiaries();
// The open diary window of a day, or null.
TForm8* FindOpenDiary(int day);
// Opens a diary window for the day (or brings forward the one already open for it). One the
// month list opens (fromMainMenu false) has its month-list item disabled.
TForm8* OpenDiary(int day, bool fromMainMenu = true);
