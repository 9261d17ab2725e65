// Every section and key name of the settings file, spelled as stored ("Horiday", "Disital" and
// "Execlose" are the file's own spellings and must stay).
#pragma once

namespace inikey {

namespace Form {
constexpr char Section[] = "Form";
constexpr char ActiveP[] = "ActiveP", AnalogClock[] = "AnalogClock", BirthPop[] = "BirthPop",
               CaptionTime[] = "CaptionTime", CaptionJisa[] = "CaptionJisa", Jisa[] = "Jisa", Jisa_H[] = "Jisa_H",
               Jisa_M[] = "Jisa_M", Interval[] = "Interval", Waveplay[] = "Waveplay", IconAnimate[] = "IconAnimate",
               Tray_icon[] = "Tray_icon", Visible[] = "Visible", Open[] = "Open", Qreki[] = "Qreki",
               Delete[] = "Delete", Today_pop[] = "Today_pop", Todo_pop[] = "Todo_pop",
               ToolWindow_pop[] = "ToolWindow_pop", PastePic[] = "PastePic", Resource[] = "Resource",
               Period_Cap[] = "Period_Cap", Snooze[] = "Snooze", Disital[] = "Disital", Entry[] = "Entry",
               top[] = "top", left[] = "left";
}  // namespace Form

namespace Calendar {
constexpr char Section[] = "Calendar";
constexpr char Directory[] = "Directory", before[] = "before", file[] = "file", bitmap[] = "bitmap",
               Stretch[] = "Stretch";
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
constexpr char Cal_DBLC[] = "Cal_DBLC", MIcon_DBLC[] = "MIcon_DBLC", Period[] = "Period", Reboot[] = "Reboot",
               Reboot_exec[] = "Reboot_exec";
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
constexpr char exec[] = "exec", style[] = "style", Width[] = "Width", Height[] = "Height", RgnWidth[] = "RgnWidth",
               RgnHeight[] = "RgnHeight", Move[] = "Move", Change[] = "Change", StayOnTop[] = "StayOnTop",
               top[] = "top", left[] = "left", Dsize[] = "Dsize", Tsize[] = "Tsize", Rsize[] = "Rsize",
               FontSize[] = "FontSize", FontSizeT[] = "FontSizeT", FontSizeR[] = "FontSizeR", Dbold[] = "Dbold",
               Tbold[] = "Tbold", Rbold[] = "Rbold", DItalic[] = "DItalic", TItalic[] = "TItalic",
               RItalic[] = "RItalic", DFont[] = "DFont", TFont[] = "TFont", RFont[] = "RFont", DBcolor[] = "DBcolor",
               TBcolor[] = "TBcolor", RBcolor[] = "RBcolor", DFcolor[] = "DFcolor", TFcolor[] = "TFcolor",
               RFcolor[] = "RFcolor";
}  // namespace Mini

namespace Memo {
constexpr char Section[] = "Memo";
constexpr char FontName[] = "FontName", FontSize[] = "FontSize", FontColor[] = "FontColor",
               BackColor[] = "BackColor", Caption[] = "Caption", DropCaption[] = "DropCaption", Width[] = "Width",
               Height[] = "Height", top[] = "top", left[] = "left";
}  // namespace Memo

namespace Memo_bun {
constexpr char Section[] = "Memo_bun";  // keys "0".."9": names of the memo groups
}

namespace Nikki {
constexpr char Section[] = "Nikki";
constexpr char FontName[] = "FontName", FontSize[] = "FontSize", FontColor[] = "FontColor",
               BackColor[] = "BackColor", Auto[] = "Auto", Auto_H[] = "Auto_H", Auto_M[] = "Auto_M",
               Zenjitu[] = "Zenjitu";
}  // namespace Nikki

namespace Pop_Born {
constexpr char Section[] = "Pop_Born";
constexpr char file[] = "file", Day[] = "Day";
}  // namespace Pop_Born

namespace TelePhone {
constexpr char Section[] = "TelePhone";
constexpr char Sleep[] = "Sleep", Close[] = "Close", CloseTitle[] = "CloseTitle", Browser[] = "Browser",
               Mailer[] = "Mailer";
}  // namespace TelePhone

namespace Orbal {
constexpr char Section[] = "Orbal";
constexpr char Ver[] = "Ver";
}  // namespace Orbal

namespace ToolWindow {
constexpr char Section[] = "ToolWindow";
constexpr char Visible[] = "Visible";
}  // namespace ToolWindow

// The reminder editor: its window position and the titles of its templates (keys "0".."19").
namespace Sch_wind {
constexpr char Section[] = "Sch_wind";
constexpr char top[] = "top", left[] = "left";
}  // namespace Sch_wind
namespace Popup_Teikei {
constexpr char Section[] = "Popup_Teikei";
}  // namespace Popup_Teikei

// Keys of a reminder's own section (named by the reminder file's full path).
namespace Popup {
constexpr char closetime[] = "closetime", file[] = "file", bitmap[] = "bitmap", Wallpaper[] = "Wallpaper",
               Stretch[] = "Stretch", Execute[] = "Execute", Execlose[] = "Execlose";
}  // namespace Popup

}  // namespace inikey
