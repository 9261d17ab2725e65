// The main window: clock, calendar, biorhythm and schedule pages, the About panel behind them,
// the status bar and the one-second tick.
#pragma once
#include <string>

#include "calendar/Rokuyo.h"
#include "controls/CalEx.h"
#include "controls/DrClock.h"
#include "controls/MoonCtl.h"
#include "controls/PnlBtn.h"
#include "controls/SGaugeEx.h"
#include "mainwindow/MainMemo.h"
#include "schedule/Flower.h"
#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/Gauge.h"
#include "toolkit/Image.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/Menus.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/rtl/DateTime.h"

// A Tag-only holder for state that the original form kept on non-visual parts.
struct TagHolder {
    int Tag = 0;
};

// Text and background of a day's text: the [To_do] colours of a later, earlier or today's day.
struct DayColours {
    tk::TColor text, back;
};
DayColours ReadDayColours(const tk::TIniFile& ini, int daysFromToday);
// The whole text of a box in those colours (text typed later too), the caret at its start.
void ColourText(tk::RichEdit& re, const DayColours& c);

struct TForm1 : tk::Form, TMemoStore {
    // Behind the pages: the About panel.
    tk::Panel Panel13;
    tk::Bevel Bevel1;
    tk::Label Label7, Label10, Label11, Label12;
    tk::BitBtn BitBtn5, BitBtn6;
    TPanelButton PanelButton1;

    tk::PageControl PageControl1;
    tk::TabSheet TabSheet1, TabSheet2, TabSheet3, TabSheet4;

    // Clock page.
    tk::Panel Panel1;
    tk::Panel Panel5;  // gauges
    tk::Label Label3, Label6, Label1, Label2, Label8, Label4, Label9, Label13;
    tk::Panel Panel2;  // the five gauges of the date and time; the goal box takes their place
    TSGauge SGauge2, SGauge3;  // year and month
    tk::Gauge Gauge1, Gauge2, Gauge3;  // hours, minutes, seconds
    tk::Panel Panel18;  // the two private time bands, side by side
    TSGauge SGauge4, SGauge5;
    tk::Panel Panel9;  // digital clock and moon
    moon::TMoon Moon1;
    TDRClock DRClock;
    tk::Label Label14, Label15, Label16, Label17, Label18, Label20;
    tk::Panel Panel17;  // goal box
    tk::ComboBox ComboBox3;  // the goals, then "(新規登録はダブルクリック)"
    TSGauge SGauge1;
    tk::RichEdit RichEdit4;  // the chosen goal's description
    tk::Label Label5;  // uptime

    // Calendar page.
    tk::Panel Panel7, Panel8;
    tk::BitBtn BitBtn2, BitBtn1, BitBtn7;
    TCalendarEx CalendarEx1;

    // Biorhythm page.
    tk::ComboBox ComboBox2;
    tk::Image Image2;  // the chart

    // Schedule page.
    tk::Panel Panel16, Panel11, Panel6;
    tk::BitBtn BitBtn21, BitBtn23, BitBtn3, BitBtn4, BitBtn22, BitBtn8;
    tk::Panel Panel12;  // the day view's text area
    tk::RichEdit RichEdit1;  // the day text
    tk::RichEdit RichEdit2;  // hidden: each file of the day is loaded here first

    // Memo groups (the memo lists come with the memo units).
    tk::ComboBox ComboBox1;

    tk::StatusBar StatusBar1;
    tk::Timer Timer1;
    tk::MediaPlayer MediaPlayer1;

    tk::PopupMenu PopupMenu1;  // the context menu
    tk::PopupMenu PopupMenu4;  // the memo menu
    tk::PopupMenu PopupMenu2;  // the launcher menu: built items above five fixed ones
    tk::MenuItem *Config1 = nullptr, *Reboot1 = nullptr, *KWindows3 = nullptr, *KWindows4 = nullptr, *Close2 = nullptr;
    tk::MenuItem *Popup1 = nullptr, *Todo1 = nullptr, *todo2 = nullptr, *List1 = nullptr, *Data2 = nullptr,
                 *GTimer1 = nullptr, *Jump1 = nullptr, *BirthDay1 = nullptr, *DayCalc1 = nullptr,
                 *Telephone1 = nullptr, *MemoTree1 = nullptr, *Diary1 = nullptr, *List2 = nullptr,
                 *Period1 = nullptr, *Association1 = nullptr, *Setup1 = nullptr, *Setup2 = nullptr,
                 *ToolWindow = nullptr, *miniClock1 = nullptr, *False1 = nullptr,
                 *Position1 = nullptr, *SavePositon1 = nullptr, *Load1 = nullptr, *About1 = nullptr, *Help1 = nullptr,
                 *TavsHomePage1 = nullptr, *Close1 = nullptr, *KWindows1 = nullptr, *KWindows2 = nullptr,
                 *KLumet2 = nullptr;
    TagHolder minitokei;

    TForm1();
    ~TForm1() override;
    void FormCreate();
    void ApplicationOnactivate();
    void ApplicationDeactivate();
    void FormShow();
    void SavePositon1Click();
    void Load1Click();
    void KLumet2Click();
    void FormClose();  // ends what must not outlive the program: the tray icons and their thread
    void Setup1Click();

    // Sound cues and dropped files.
    void PlayWaveRes(const std::string& name);
    void WMDropFiles(const std::vector<std::string>& files);

    // The tick: display, then the reminder part.
    void Timer1Timer(bool fromTimer = true);
    // Free memory or free resources, as the settings choose: the status bar's and the mini clock's.
    static std::string ResourceText(const tk::TIniFile& ini);
    void TickDisplay(tk::TIniFile& ini, rtl::TDateTime now);
    void TickReminders(tk::TIniFile& ini, rtl::TDateTime now);
    void TickGauges(tk::TIniFile& ini, rtl::TDateTime now);
    void TickGoal(rtl::TDateTime now);
    void TickMoon(rtl::TDateTime now);
    void ShowReminderWindow(tk::TIniFile& ini, const std::string& section, rtl::TDateTime shown, rtl::TDateTime T);
    // Once a day: the birthday notice.
    void BirthdayNotice(tk::TIniFile& ini, rtl::TDateTime today);

    // Commands that act on the main window.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn7Click();
    void Panel5DblClick();
    void Panel9DblClick();
    // The goal box (MainGoal.cpp) and the private time bands' register.
    void BitBtn25Click();  // refill
    void ComboBox3Change();
    void ComboBox3DblClick();
    void Panel2DblClick();
    void Panel17DblClick();
    void Panel18DblClick();
    void PageControl1Change();
    void About1Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void PanelButton1Click();
    // The day view of the selected day, and the quick view armed by a click in the grid.
    void CalendarEx1Change();
    void CalendarEx1Click();
    void SetDayViewMargins();
    // The grid's holiday and mark lists of the shown month; editors call it after a save or delete.
    void FormActivate();
    void PopupMenu1Popup();
    void Popup1Click();
    void Todo1Click();
    void ComboBox2Change();  // draws the biorhythm chart
    void FillPersonList();
    void FormPaint();

    // The rules every command shares (MainCommands.cpp). The folder rule: false, with the settings
    // window opened instead, while no data folder is chosen.
    bool FolderCommand();
    void OpenSettingsForFolder();
    // Double clicks that run the command the settings choose, and the status bar's hint for it.
    void CalendarEx1DblClick();
    void StatusBar1DblClick();
    void StatusBar1MouseMove();
    // The private tools, each behind the password gate.
    void Diary1Click();
    void List2Click();
    void MemoTree1Click();  // the memo list
    void Period1Click();
    void DayCalc1Click();
    void Association1Click();  // needs no data folder
    void Telephone1Click();
    void False1Click();  // hide / show the main window
    void TavsHomePage1Click();
    void ComboBox1Change() {}  // other windows call it as a command

    // Rokuyo name of a day count (see calendar/Rokuyo.h); the other windows ask here.
    std::string Rokuyo(const double& tm) { return ::Rokuyo(tm); }

    // Commands that open windows.
    void BirthDay1Click();
    void DiaryCommand(bool fromTimer);  // MainDiary.cpp: the selected day, or the tick's day
    void DiaryAtItsTime(tk::TIniFile& ini, rtl::TDateTime now);
    void Data2Click();
    void List1Click();
    void todo2Click();
    void GTimer1Click();
    void Jump1Click();

    // The windows around this one: tray icons and task-bar button, mini clock, tool window (MainTray.cpp).
    void PopupMenu2Popup();
    void miniClock1Click();
    void ToolWindowClick();
    void BuildLauncherMenu();
    // The memo menu built anew while PopupMenu4.Tag is 1 (the memo commands ask so), else the
    // launcher's items from the stored menus, above the fixed ones; on every resize too.
    void FormResize();
    void RebuildLauncherMenu();
    void ExecMenuClick(int tag);  // runs [ExecCommand] of the item's tag
    void Config1Click();          // the launcher menu's editor
    void StartTray(tk::TIniFile& ini, int tray);
    void StartMiniClock(tk::TIniFile& ini);
    void StartToolWindow(tk::TIniFile& ini);
    void DeactivateToMini();
    void PopupMenu1PopupTray();
    void TickMini(tk::TIniFile& ini, rtl::TDateTime now, const std::string& resources);
    void DestroyAroundWindows();

    // The flower of a day (key month * 100 + day) and its words; other keys leave the text as it is.
    void FlowerOfDay(int Key, std::string& Flower) { flower::OfDay(Key, Flower); }
    void FlowerWords(int Key, std::string& Words) { flower::Words(Key, Words); }

    // State of the tick kept between ticks.
    rtl::TDateTime LastDate = 0;
    std::string LastMinute, LastUptimeKey;
    rtl::TDateTime GoalStart = 0, GoalEnd = 0;

private:
    bool reminderRunning_ = false;
    int shownMonth_ = 0;  // year * 100 + month last shown by the day view
    void BuildLayout();
    void BuildMenus();
    void ShowSplashAndSound(const std::string& dataDir);
    void UpdateBand(tk::TIniFile& ini, TSGauge& gauge, const char* startKey, const char* endKey,
                    const char* titleKey, rtl::TDateTime now);
    void ScrollAboutLine();
    std::string HelpFile() const;
    void SetCalendarDate(int y, int m, int d, const char* order);
    void ShowQuickView();
    void BindCommands();
};

extern TForm1* Form1;
// Before the main window reads anything: a settings file another program holds would read as a
// first run, whose settings would then go over the user's. The user may try again; false when
// they give up, and the program ends without writing anything.
bool SettingsReadableAtStart();
// The version text of the About panel.
extern const char kVersion[];
