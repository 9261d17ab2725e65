// Every section and key name of the settings file, spelled as stored ("Horiday", "Disital" and
// "Execlose" are the file's own spellings and must stay). A numeric key that a settings control
// edits carries that control's range: every ReadInteger of it reads a value outside as the default.
#pragma once
#include <climits>
#include <string>

#include "toolkit/IniFiles.h"

namespace inikey {

using tk::RangedKey;

namespace Form {
constexpr char Section[] = "Form";
constexpr char AnalogClock[] = "AnalogClock", BirthPop[] = "BirthPop", CaptionTime[] = "CaptionTime",
               CaptionJisa[] = "CaptionJisa", Jisa[] = "Jisa", Waveplay[] = "Waveplay", IconAnimate[] = "IconAnimate",
               Visible[] = "Visible", Open[] = "Open", Qreki[] = "Qreki", Delete[] = "Delete",
               Today_pop[] = "Today_pop", Todo_pop[] = "Todo_pop", ToolWindow_pop[] = "ToolWindow_pop",
               Resource[] = "Resource", Period_Cap[] = "Period_Cap", Snooze[] = "Snooze", Disital[] = "Disital",
               Entry[] = "Entry", top[] = "top", left[] = "left";
constexpr RangedKey Jisa_H{"Jisa_H", 0, 23}, Jisa_M{"Jisa_M", 0, 59}, Interval{"Interval", 1000, 10000},
                    ActiveP{"ActiveP", 0, 3}, Tray_icon{"Tray_icon", 0, 3}, PastePic{"PastePic", 0, 1};
}  // namespace Form

namespace Calendar {
constexpr char Section[] = "Calendar";
constexpr char Directory[] = "Directory", file[] = "file", bitmap[] = "bitmap", Stretch[] = "Stretch";
constexpr RangedKey before{"before", 0, 59};
}  // namespace Calendar

namespace CalendarEx {
constexpr char Section[] = "CalendarEx";
constexpr char Happy_Monday[] = "Happy_Monday", PopView[] = "PopView", CanCol_All[] = "CanCol_All",
               CanCol_Mon[] = "CanCol_Mon", CanCol_Day[] = "CanCol_Day", CanCol_Week[] = "CanCol_Week",
               CanCol_todo[] = "CanCol_todo", CanCol_Born[] = "CanCol_Born", SundayColor[] = "SundayColor",
               SaturdayColor[] = "SaturdayColor", WeekDayColor[] = "WeekDayColor", WeekdayColor[] = "WeekdayColor",
               HolidayColor[] = "HolidayColor", SpecialDayColor[] = "SpecialDayColor",
               NeighborDayColor[] = "NeighborDayColor";
}  // namespace CalendarEx

namespace Horiday {
constexpr char Section[] = "Horiday";
constexpr char Set[] = "Set";
}  // namespace Horiday

namespace Setup {
constexpr char Section[] = "Setup";
constexpr char Reboot_exec[] = "Reboot_exec";
constexpr RangedKey Cal_DBLC{"Cal_DBLC", 0, 4}, MIcon_DBLC{"MIcon_DBLC", 0, 5}, Period{"Period", 0, 1},
                    Reboot{"Reboot", 0, 1};
}  // namespace Setup

namespace Privacy {
constexpr char Section[] = "Privacy";
constexpr char Directory[] = "Directory";
}  // namespace Privacy

namespace Password {
constexpr char Section[] = "Password";
constexpr char Use[] = "Use", Password[] = "Password", tel[] = "tel", Diary[] = "Diary", Period[] = "Period",
               Telephone[] = "Telephone";
}  // namespace Password

namespace To_do {
constexpr char Section[] = "To_do";
constexpr char PastColor[] = "PastColor", PastBackColor[] = "PastBackColor", TodayColor[] = "TodayColor",
               TodayBackColor[] = "TodayBackColor", FutureColor[] = "FutureColor",
               FutureBackColor[] = "FutureBackColor", top[] = "top", left[] = "left";
}  // namespace To_do

namespace Mini {
constexpr char Section[] = "Mini";
constexpr char exec[] = "exec", Move[] = "Move", Change[] = "Change", StayOnTop[] = "StayOnTop",
               top[] = "top", left[] = "left", Dsize[] = "Dsize", Tsize[] = "Tsize", Rsize[] = "Rsize",
               FontSize[] = "FontSize", FontSizeT[] = "FontSizeT", FontSizeR[] = "FontSizeR", Dbold[] = "Dbold",
               Tbold[] = "Tbold", Rbold[] = "Rbold", DItalic[] = "DItalic", TItalic[] = "TItalic",
               RItalic[] = "RItalic", DFont[] = "DFont", TFont[] = "TFont", RFont[] = "RFont", DBcolor[] = "DBcolor",
               TBcolor[] = "TBcolor", RBcolor[] = "RBcolor", DFcolor[] = "DFcolor", TFcolor[] = "TFcolor",
               RFcolor[] = "RFcolor";
// The size controls stop at the screen's size, which a reader knows only when it runs.
constexpr RangedKey style{"style", 0, 2}, Width{"Width", 5, INT_MAX}, Height{"Height", 5, INT_MAX},
                    RgnWidth{"RgnWidth", 0, INT_MAX}, RgnHeight{"RgnHeight", 0, INT_MAX};
}  // namespace Mini

namespace Memo {
constexpr char Section[] = "Memo";
constexpr char FontName[] = "FontName", FontSize[] = "FontSize", FontColor[] = "FontColor",
               BackColor[] = "BackColor", Caption[] = "Caption", DropCaption[] = "DropCaption", Width[] = "Width",
               Height[] = "Height", top[] = "top", left[] = "left", Color1[] = "Color1", Color2[] = "Color2",
               Color3[] = "Color3", Color4[] = "Color4", Color5[] = "Color5";  // the colour history
}  // namespace Memo

namespace Memo_bun {
constexpr char Section[] = "Memo_bun";  // keys "0".."9": names of the memo groups
}

namespace Nikki {
constexpr char Section[] = "Nikki";
constexpr char FontName[] = "FontName", FontSize[] = "FontSize", FontColor[] = "FontColor",
               BackColor[] = "BackColor", Auto[] = "Auto", Zenjitu[] = "Zenjitu";
constexpr RangedKey Auto_H{"Auto_H", 0, 23}, Auto_M{"Auto_M", 0, 59};
// The diary editor's bounds and its colour history (newest first).
constexpr char top[] = "top", left[] = "left", Height[] = "Height", Width[] = "Width", Color1[] = "Color1",
               Color2[] = "Color2", Color3[] = "Color3", Color4[] = "Color4", Color5[] = "Color5";
// The month list's bounds, and whether the search window was open when the list closed.
constexpr char list_top[] = "list_top", list_left[] = "list_left", list_Width[] = "list_Width",
               list_Height[] = "list_Height", Serch_open[] = "Serch_open";
// The diary search: its bounds, range and last text.
constexpr char Serch_top[] = "Serch_top", Serch_left[] = "Serch_left", Serch_Width[] = "Serch_Width",
               Serch_Height[] = "Serch_Height", Serch_Syear[] = "Serch_Syear", Serch_Smonth[] = "Serch_Smonth",
               Serch_Eyear[] = "Serch_Eyear", Serch_Emonth[] = "Serch_Emonth", Serch_String[] = "Serch_String";
}  // namespace Nikki

namespace Pop_Born {
constexpr char Section[] = "Pop_Born";
constexpr char file[] = "file", Day[] = "Day";
}  // namespace Pop_Born

// The birthday register's window.
namespace Birthday {
constexpr char Section[] = "Birthday";
constexpr char top[] = "top", left[] = "left";
constexpr char Seiza[] = "Seiza";  // 0 = twelve western signs, anything else thirteen
}  // namespace Birthday

namespace TelePhone {
constexpr char Section[] = "TelePhone";
constexpr char Close[] = "Close", CloseTitle[] = "CloseTitle", Browser[] = "Browser", Mailer[] = "Mailer";
constexpr RangedKey Sleep{"Sleep", 0, 9999};
// Page n's title ("Title_0".."Title_11") and the title of its column c ("3Section_1": page 3, column 1).
inline std::string Title(int page) { return "Title_" + std::to_string(page); }
inline std::string ColumnTitle(int page, int column) {
    return std::to_string(page) + "Section_" + std::to_string(column);
}
}  // namespace TelePhone

// The phone book window: bounds (top and left are written under the spelling [Telephone], the
// same section), the last tab, the two modes and each page's first four column widths.
namespace TelePhone {
constexpr char Telephone[] = "Telephone";
constexpr char top[] = "top", left[] = "left", Width[] = "Width", Height[] = "Height", Tab[] = "Tab",
               Sort[] = "Sort", Edit[] = "Edit";
// "3Width_A": page 3, first column; columns 0..3 are A..D.
inline std::string ColumnWidth(int page, int column) {
    return std::to_string(page) + "Width_" + char('A' + column);
}
}  // namespace TelePhone

namespace Orbal {
constexpr char Section[] = "Orbal";
constexpr char Ver[] = "Ver";
}  // namespace Orbal

namespace ToolWindow {
constexpr char Section[] = "ToolWindow";
constexpr char Visible[] = "Visible", StayOnTop[] = "StayOnTop", Separate[] = "Separate", top[] = "top",
               left[] = "left";
}  // namespace ToolWindow

namespace Bio {
constexpr char Section[] = "Bio";
constexpr char BD[] = "BD";  // the birth date the chart was last drawn for
}  // namespace Bio

// The two private time bands: titles and times of day as decimal date-time texts.
namespace MyGraph {
constexpr char Section[] = "MyGraph";
constexpr char LG_Title[] = "LG_Title", LG_Stime[] = "LG_Stime", LG_Etime[] = "LG_Etime", RG_Title[] = "RG_Title",
               RG_Stime[] = "RG_Stime", RG_Etime[] = "RG_Etime", top[] = "top", left[] = "left";
}  // namespace MyGraph

namespace Entry {
constexpr char Section[] = "Entry";  // keys "0", "1", ...: the goal files in the goal box's order
}

namespace Entry_Cnt {
constexpr char Section[] = "Entry_Cnt";
constexpr char Cnt[] = "Cnt", Index[] = "Index", top[] = "top", left[] = "left";
}  // namespace Entry_Cnt

// Launcher menus: [ExecTitle_<menu>], [ExecCommand_<menu>] and [ExecSub_<menu>] per menu (a submenu's
// name is its parent's name, "-" and its title), keys "0".."Count-1"; [ExecTitle]/[ExecCommand] the
// flat copy of the top level; [ExecCommand] also the commands of the built menu by item tag.
namespace ExecTitle {
constexpr char Section[] = "ExecTitle";
constexpr char Count[] = "Count";
inline std::string Of(const std::string& menu) { return "ExecTitle_" + menu; }
}  // namespace ExecTitle

namespace ExecCommand {
constexpr char Section[] = "ExecCommand";
inline std::string Of(const std::string& menu) { return "ExecCommand_" + menu; }
}  // namespace ExecCommand

namespace ExecSub {
inline std::string Of(const std::string& menu) { return "ExecSub_" + menu; }
}  // namespace ExecSub

namespace Execmenu {
constexpr char Section[] = "Execmenu";
constexpr char SubStack[] = "SubStack", SubCount[] = "SubCount";
// The editor's position at each depth: "top1", "left2"...
inline std::string Top(int depth) { return "top" + std::to_string(depth); }
inline std::string Left(int depth) { return "left" + std::to_string(depth); }
}  // namespace Execmenu

// File associations: [Ext_Exec] one key per extension (".txt"), [Ext_Form] the fallback program.
namespace Ext_Form {
constexpr char Section[] = "Ext_Form";
constexpr char Exec[] = "Exec", Count[] = "Count", top[] = "top", left[] = "left";
}  // namespace Ext_Form

namespace Ext_Exec {
constexpr char Section[] = "Ext_Exec";
}
// The reminder editor: its window position and the titles of its templates (keys "0".."19").
namespace Sch_wind {
constexpr char Section[] = "Sch_wind";
constexpr char top[] = "top", left[] = "left";
}  // namespace Sch_wind
namespace Popup_Teikei {
constexpr char Section[] = "Popup_Teikei";
}  // namespace Popup_Teikei

// Schedule management's window: position, height and the list's height.
namespace Data {
constexpr char Section[] = "Data";
constexpr char top[] = "top", left[] = "left", Height[] = "Height", LHeight[] = "LHeight";
}  // namespace Data

// Keys of a reminder's own section (named by the reminder file's full path).
namespace Popup {
constexpr char file[] = "file", bitmap[] = "bitmap", Wallpaper[] = "Wallpaper", Stretch[] = "Stretch",
               Execute[] = "Execute", Execlose[] = "Execlose";
constexpr RangedKey closetime{"closetime", -1, 9999};  // seconds to auto-close; -1 none
}  // namespace Popup

// Countdown timers: the window position and a stack of presets, key i + suffix for preset i.
namespace Gtimer {
constexpr char Section[] = "Gtimer";
constexpr char top[] = "top", left[] = "left";
constexpr char Title[] = "_Title", H[] = "_H", M[] = "_M", S50[] = "_50", S80[] = "_80", S100[] = "_100";
constexpr RangedKey Total{"Total", 0, 9999};
}  // namespace Gtimer

// The go-to-date window.
namespace Jump {
constexpr char Section[] = "Jump";
constexpr char Not_close[] = "Not_close", top[] = "top", left[] = "left";
}  // namespace Jump

// Ranges the settings window reads with, for keys whose controls have a range but whose other
// readers take the value as it is.
namespace SetupRange {
constexpr RangedKey Resource{"Resource", 0, 1};  // [Form]: one of the two free-memory methods
constexpr RangedKey FontSize{"FontSize", 1, 72};  // [Memo] and [Nikki]: the size box's range
}  // namespace SetupRange
// The schedule list's window: its place, pane heights, and the range of its last build (the base
// date all 0 = today).
namespace Sch_List {
constexpr char Section[] = "Sch_List";
constexpr char top[] = "top", left[] = "left", Height[] = "Height", Width[] = "Width", PastHeight[] = "PastHeight",
               TodayHeight[] = "TodayHeight", year[] = "year", month[] = "month", day[] = "day";
constexpr RangedKey mae{"mae", 0, 99}, ato{"ato", 0, 99};
}  // namespace Sch_List
// The sticky memo store: every section name ends with the Memo folder's path M (with its
// trailing backslash), so each data folder keeps a store of its own.
namespace MemoStore {
inline std::string CountSection(const std::string& M) { return "MemoCount_" + M; }
constexpr char Count[] = "Count";  // the last memo number handed out
// Group g's list (memo name = title): "Memo_" + M for group 0, g + "_Memo_" + M for 1..9.
inline std::string GroupPrefix(int group) { return group == 0 ? "Memo_" : std::to_string(group) + "_Memo_"; }
inline std::string GroupSection(int group, const std::string& M) { return GroupPrefix(group) + M; }
// One memo's window state.
inline std::string MemoSection(const std::string& name, const std::string& M) { return name + "_" + M; }
constexpr char Show[] = "Show", ReadOnly[] = "ReadOnly", WindowSize[] = "WindowSize", peti[] = "peti",
               P_Top[] = "P_Top", P_Left[] = "P_Left", Top[] = "Top", Left[] = "Left", Width[] = "Width",
               Height[] = "Height", BmpFile[] = "BmpFile", BackColor[] = "BackColor", FontColor[] = "FontColor",
               ToolBar[] = "ToolBar";
constexpr RangedKey Kind{"Kind", 0, 2};  // 0 text, 1 picture, 2 text while active
constexpr int Groups = 10;
}  // namespace MemoStore

// The memo list window: bounds, the preview text's height and the tree's width.
namespace Memo_Tree {
constexpr char Section[] = "Memo_Tree";
constexpr char top[] = "top", left[] = "left", Width[] = "Width", Height[] = "Height", RichHeight[] = "RichHeight",
               TreeWidth[] = "TreeWidth";
}  // namespace Memo_Tree
// The memo group editor's place; its height is read as "Height" and written as "height" (the
// profile functions ignore the case of keys).
namespace Memo_chg {
constexpr char Section[] = "Memo_chg";
constexpr char top[] = "top", left[] = "left", Height[] = "Height", height[] = "height";
}  // namespace Memo_chg

namespace MemoWall {
constexpr char Section[] = "MemoWall";
constexpr char File[] = "File";  // the last wallpaper a memo wrote
}  // namespace MemoWall

// The day calculator's window position.
namespace DayCalc {
constexpr char Section[] = "DayCalc";
constexpr char top[] = "top", left[] = "left";
}  // namespace DayCalc

// The cycle tracker's window position ([Peri]), the older dates' section of the settings file and
// the sections of its own "Period.ini": [Period] "0".."Count-1", Count, Days; [Comment] by date.
namespace Peri {
constexpr char Section[] = "Peri";
constexpr char top[] = "top", left[] = "left";
}  // namespace Peri
namespace PeriodFile {
constexpr char Section[] = "Period", Comment[] = "Comment";
constexpr char Count[] = "Count", FileName[] = "Period.ini";
constexpr RangedKey Days{"Days", 1, 20};
}  // namespace PeriodFile

// ---- The mini clock's three parts and the phone book's titles, as the settings pages edit them.
namespace Mini {
// One part of the strip: its width, font and colour keys, and its width in the stored form.
struct PartKeys {
    const char *size, *fontSize, *font, *bold, *italic, *back, *fore;
    int width;
};
// 0 the date (Panel3), 1 the time (Panel2), 2 the resources (Panel1). The date part's font size
// is "FontSize", without a suffix.
constexpr PartKeys Parts[3] = {
    {Dsize, FontSize, DFont, Dbold, DItalic, DBcolor, DFcolor, 97},
    {Tsize, FontSizeT, TFont, Tbold, TItalic, TBcolor, TFcolor, 54},
    {Rsize, FontSizeR, RFont, Rbold, RItalic, RBcolor, RFcolor, 78},
};
constexpr int StripWidth = 229, StripHeight = 15, Corner = 15, FontPoints = 9;
constexpr char Face[] = "ＭＳ Ｐゴシック";
}  // namespace Mini

namespace TelePhone {
// The twelve pages' stored titles and the five column titles every page starts with.
constexpr const char* PageTitles[12] = {"電話帳", "あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ", "他"};
constexpr const char* ColumnTitles[5] = {"会社名・所属", "氏名", "電話番号", "E-Mail", "Webページ"};
constexpr int Pages = 12, Columns = 5;
// CloseTitle as the settings page reads it; the phone book itself reads "ﾀﾞｲﾔﾗｰ".
constexpr char SetupCloseTitle[] = "ダイヤラ";
constexpr int SleepDefault = 100;
}  // namespace TelePhone
// The to-do board's window ([TodoBoard]) and its item counter ([Borad], the file's own spelling).
namespace TodoBoard {
constexpr char Section[] = "TodoBoard";
constexpr char top[] = "top", left[] = "left", Width[] = "Width", Height[] = "Height", TreeWidth[] = "TreeWidth",
               Index[] = "Index";
}  // namespace TodoBoard
namespace Borad {
constexpr char Section[] = "Borad";
constexpr char Count[] = "Count";  // the next item's number
}  // namespace Borad

}  // namespace inikey
