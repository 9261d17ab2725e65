// The settings window: every control writes its key the moment it changes and passes the value on
// to the windows that show it. The data and private folders are chosen here too.
#pragma once
#include <initializer_list>
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Header.h"
#include "toolkit/Image.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/TabSet.h"

struct TForm4 : tk::Form {
    tk::Image Image4;  // behind everything

    // The two folders.
    tk::Panel Panel5;
    tk::GroupBox GroupBox1, GroupBox11;
    tk::Label DataFolderNote, PrivateFolderNote;
    tk::Panel Panel2, Panel4;
    tk::Label Label1, Label24;  // the data folder, the private folder
    tk::BitBtn BitBtn1, BitBtn22;

    tk::Panel Panel11;
    tk::Image Image3;  // its Tag counts the clicks

    tk::PageControl PageControl1;
    tk::TabSheet TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5, TabSheet6, TabSheet7, TabSheet8,
        TabSheet9, TabSheet10;
    tk::StatusBar StatusBar1;
    tk::ColorDialog ColorDialog1;
    tk::OpenDialog OpenDialog1;

    // 基本設定
    tk::RadioGroup RadioGroup1, RadioGroup2, RadioGroup5, RadioGroup7, RadioGroup10;
    tk::CheckBox CheckBox31, CheckBox32;

    // 拡張設定
    tk::CheckBox CheckBox1, CheckBox25, CheckBox29, CheckBox5, CheckBox3, CheckBox2, CheckBox4, CheckBox17,
        CheckBox18, CheckBox27;
    tk::RadioButton SpeedButton1, SpeedButton2;  // 前 / 後, their Tag is the stored value
    tk::SpinEdit SpinEdit15, SpinEdit16, SpinEdit12;
    tk::Label Label28, Label29, IntervalLabel, IntervalNote, IntervalWarning;
    tk::GroupBox GroupBox5;
    tk::Panel Panel1;
    tk::Label Label14;
    tk::BitBtn BitBtn14;
    tk::GroupBox GroupBox18;
    tk::Label ClockPageLabel;
    tk::BitBtn BitBtn32, BitBtn33, BitBtn35, BitBtn36;
    tk::CheckBox CheckBox30;

    // 右ｸﾘｯｸ
    tk::GroupBox GroupBox3, GroupBox13;
    tk::RadioGroup RadioGroup4, RadioGroup3;
    tk::CheckBox CheckBox7;
    tk::Edit Edit2;

    // ｶﾚﾝﾀﾞｰ
    tk::GroupBox GroupBox4, GroupBox12;
    tk::SpinEdit SpinEdit1, SpinEdit2;
    tk::Label MonthLabel, DayLabel;
    tk::Edit Edit1;
    tk::BitBtn BitBtn2, BitBtn4;
    tk::CheckBox CheckBox28, CheckBox33, CheckBox15, CheckBox16, CheckBox20, CheckBox21, CheckBox22, CheckBox23;
    tk::BitBtn BitBtn5, BitBtn6, BitBtn9, BitBtn7, BitBtn8, BitBtn15;
    tk::Panel Panel13, Panel15, Panel14, Panel16, Panel12, Panel17;

    // ｽｹｼﾞｭｰﾙ
    tk::GroupBox GroupBox8, GroupBox9, GroupBox10;
    tk::Panel Panel6, Panel7, Panel8;
    tk::BitBtn BitBtn16, BitBtn17, BitBtn18, BitBtn19, BitBtn20, BitBtn21, BitBtn23, BitBtn24, BitBtn25;

    // メモ
    tk::GroupBox GroupBox6;
    tk::Label MemoFontLabel, MemoSizeLabel;
    tk::ComboBox ComboBox3;
    tk::SpinEdit SpinEdit9;
    tk::BitBtn BitBtn12, BitBtn13, BitBtn26, BitBtn39;
    tk::Panel Panel9;
    tk::CheckBox CheckBox6, CheckBox8;
    tk::RadioGroup RadioGroup6;

    // 日記
    tk::GroupBox GroupBox7, GroupBox14;
    tk::Label DiaryFontLabel, DiarySizeLabel;
    tk::ComboBox ComboBox2;
    tk::SpinEdit SpinEdit8, SpinEdit4, SpinEdit5;
    tk::BitBtn BitBtn10, BitBtn11, BitBtn27;
    tk::Panel Panel10;
    tk::CheckBox CheckBox9, CheckBox24;
    tk::Label Label10, Label11, Label12;

    // ﾎﾟｯﾌﾟｱｯﾌﾟ
    tk::GroupBox GroupBox2;
    tk::Panel Panel3;
    tk::Label Label2;  // the reminder sound
    tk::BitBtn BitBtn3, BitBtn29, BitBtn28, BitBtn30;
    tk::Image Image1;  // preview
    tk::Image Image2;  // hidden: the built-in picture
    tk::Label Label8;  // hidden: the picture's path
    tk::CheckBox CheckBox13;
    tk::SpinEdit SpinEdit11;
    tk::Label BeforeLabel, BeforeUnitLabel, PictureNote1, PictureNote2, PictureNote3, PictureNote4;

    // ミニ時計 (RadioGroup8's Tag arms the page)
    tk::RadioGroup RadioGroup8, RadioGroup9;
    tk::SpinEdit SpinEdit13, SpinEdit14;  // corner width and height
    tk::SpinEdit SpinEdit3, SpinEdit6;    // height and width of the strip
    tk::SpinEdit SpinEdit10, SpinEdit7;   // width and font size of the chosen part
    tk::Label CornerTimesLabel, HeightLabel, WidthLabel, PartWidthLabel, PartSizeLabel, PartFontLabel;
    tk::ComboBox ComboBox1;
    tk::CheckBox CheckBox11, CheckBox14, CheckBox10, CheckBox12, CheckBox26;
    tk::BitBtn BitBtn31, BitBtn34;

    // 簡易電話帳
    tk::GroupBox GroupBox15, GroupBox17;
    tk::TabSet TabControl1;
    tk::Edit Edit3;
    tk::BitBtn BitBtn37, BitBtn38;
    tk::Label ColumnLabels[5];
    tk::Edit Edit4, Edit5, Edit6, Edit8, Edit9;  // the five column titles
    tk::HeaderControl HeaderControl1;
    tk::Label ToneLabel, ToneUnitLabel, BrowserLabel, MailerLabel;
    tk::SpinEdit SpinEdit17;
    tk::CheckBox CheckBox19;
    tk::Edit Edit7, Edit10, Edit11;
    tk::BitBtn BitBtn40, BitBtn41;

    TForm4();
    void FormCreate();
    void FormShow();
    std::string SavePeriodCaption();
    void FormClose(tk::CloseAction& action);
    void FormCloseQuery(bool& canClose);
    void PageControl1Change();

    void BitBtn1Click(tk::BitBtn& sender);  // both folder buttons
    void RadioGroup5Click();
    void CheckBox32Click();
    void CheckBox27Click();
    void CheckBox17Click();
    void CheckBox18Click();
    void SpeedButton1Click(tk::RadioButton& sender);
    void SpinEdit12Change();
    void BitBtn14Click();
    void BitBtn32Click();
    void BitBtn33Click();
    void BitBtn35Click();
    void BitBtn36Click();
    void RadioGroup3Click();
    void CheckBox7Click();
    void Image3Click();

    // Part of the calendar, schedule, memo, diary and pop-up pages (SetupPages.cpp).
    void SpinEdit1Change();
    void BitBtn2Click();
    void BitBtn4Click();
    void CalendarColourClick(int index);
    void PaneColourClick(int pane, bool background);
    void PaneDefaultClick(int pane);
    void DefaultsFontChange(int which);
    void DefaultsSizeChange(int which);
    void DefaultsColourClick(int which, bool background);
    void DefaultsResetClick(int which);
    void CheckBox9Click();
    void BitBtn39Click();
    void BitBtn3Click();
    void LoadPicturePreview();
    void BitBtn29Click();
    void BitBtn28Click();
    void BitBtn30Click();
    void CheckBox13Click();

    // The mini-clock and phone-book pages (SetupPages2.cpp).
    void RadioGroup8Click();
    void SpinEdit3Change();
    void SpinEdit6Change();
    void SpinEdit10Change();
    void SpinEdit7Change();
    void ComboBox1Change();
    void CheckBox11Click();
    void CheckBox14Click();
    void BitBtn31Click(bool background);  // BitBtn31 the background, BitBtn34 the text
    void CheckBox10Click();
    void SpinEdit13Change(tk::SpinEdit& sender);
    void RadioGroup9Click();
    void CheckBox12Click();
    void TabControl1Change();
    void Edit3Change();
    void ColumnEditChange(int column);  // Edit4, Edit5, Edit6, Edit8, Edit9
    void BitBtn37Click();
    void BitBtn38Click();
    void SpinEdit17Change();
    void CheckBox19Click();
    void Edit7Change();
    void BrowserEditChange(tk::Edit& sender);  // Edit10 Browser, Edit11 Mailer
    void BitBtn40Click(tk::Edit& target);      // BitBtn40 for Edit10, BitBtn41 for Edit11

private:
    // Cleared while FormCreate fills the controls: a value set from code runs the same change
    // handler as the user's own change, and then nothing may be written or opened.
    bool armed_ = false;
    void BuildFolders();
    void BuildBasicPage();
    void BuildExtendedPage();
    void BuildMenuPage();
    void BuildCalendarPage();
    void BuildSchedulePage();
    void BuildMemoPage();
    void BuildDiaryPage();
    void BuildPopupPage();
    void BuildMiniPage();
    void BuildPhonePage();
    void FillMiniPage(tk::TIniFile& ini);
    void FillPhonePage(tk::TIniFile& ini);
    // Set while the page's controls are filled from the file: their change handlers stay quiet.
    bool miniFilling_ = false, phoneFilling_ = false;
    bool MiniChangeBegins();
    void OpenMiniClock();
    void ShowMiniWidths();  // the chosen part's and the whole strip's widths as the mini clock takes them
    void PartStyleClick(tk::CheckBox& box, bool bold);
    tk::Edit* ColumnEdit(int column);
    void BuildHints();
    // Check boxes in columns of perColumn, each placed as first is, one under the other.
    struct CheckRow {
        tk::CheckBox& box;
        const char* caption;
    };
    // A path shown on a sunken panel across the group box, with its "..." button at the right.
    static void CreatePathRow(tk::GroupBox& group, tk::Panel& panel, tk::Label& path, tk::BitBtn& button, int top,
                              const char* hint);
    static void CreateCheckBoxes(tk::Control& parent, std::initializer_list<CheckRow> rows, tk::Bounds first,
                                 int perColumn);
    void BindSwitches();
    void FillPages(tk::TIniFile& ini);
    void FillFontBoxes();
    void DrawBackdrop();
    bool HolidayKey(std::string& key);
    // A number typed past either end of the box is brought back, which runs its change handler
    // again; half-typed text waits. False when the running handler is to stop.
    static bool Settled(tk::SpinEdit& spin);
    int Ask(const std::string& text, UINT type);
};

extern TForm4* Form4;

// Where a new sticky memo opens: [Memo] Width, Height, top and left.
struct MemoPlacement {
    int Width, Height, Top, Left;
};
// The default placement beside the main window of the given bounds (halves truncate toward 0).
MemoPlacement DefaultMemoPlacement(int mainLeft, int mainTop, int mainWidth, int mainHeight);
