// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about splash reminder reminder-builtin
//         reminder-fallback birthday menu
//         password password-set password-unreadable wait print-dialog printed (prints a page to the default printer and ends)
//         hint-band hint-month (the pointer rests on a time band / the month gauge of the clock page)
//         editor-day editor-week editor-uptime sound template
//         marks dayview quickview (a fixed day, 2024-05-03, with holidays, birthdays and entries)
//         about-hot about-down about-off tray
//         register register13 register-old (the birthday register on three dates, 12 or 13 signs)
//         mini-round mini-ellipse mini-rect toolwindow trayhost (the windows around the main window)
//         richpane (a rich-text editor with its bar and ruler, the find and replace dialogs open)
//         memo-text memo-picture memo-small memo-drop memo-default (sticky memos; the drop chooser
//         asking; a new memo at the default width with its bar)
//         setup1 .. setup8 (the settings window's pages) memo-place (where a new memo opens)
//         setup-folder (choosing the data folder)
//         setup-unwritable (a data folder chosen that takes no files: the warning shows)
//         setuppage9 setuppage10 (the mini-clock page with the live mini clock, the phone-book page)
//         schedule-day schedule-year schedule-month schedule-week (the schedule entry editor's tabs)
//         period (the cycle tracker with forecasts and marks) daycalc-span daycalc-interval (the day calculator)
//         association (the association table, an entry selected)
//         goal (the goal box with a running goal and the goal window) timeband (the time-band window)
//         gtimer gtimer-end (the countdown timer running, and at 100 %) jump (the go-to-date window)
//         phonebook phonesearch (the phone book on a page; its search results, rows locked, reorder mode)
//         phonelost (the phone book on a page another program holds open, with its message)
//         period-held (the cycle tracker opened while another program holds its file: its word)
//         phonesheet (a page a spreadsheet wrote with a two-line cell: read-only, with its message)
//         end-held (the schedule list closed while the settings file is held, then the end's box
//         over the main window at the top right, naming the place it could not keep)
//         restored (the phone book with a typed cell and two memos moved since saved, after the
//         program was minimised and restored)
//         diary diary-picture diary-long-title diary-printed (a day's diary: formatted text, its picture,
//         a title pasted past its limit, printed and ended)
//         diary-format (a new day with a bold, an italic and a centred line made through the buttons)
//         nikki-list (the diary's month list with titles and its gauge)
//         diarysearch (the diary search with hits of each kind, beside its month list)
//         memolist (the memo list with a memo and its picture in the preview)
//         manage-all manage-past manage-day (schedule management in each list, a line previewed)
//         list list-printed (the schedule list around 2024-05-03, or its first page printed)
//         todoboard (the to-do board: folders, items, one dragged to another folder, formatted text)
//         todo-add (the to-do board just after Add, the new title open for editing)
//         menueditor submenueditor launchermenu (the launcher menu's editors, and the menu popped up)
//         memogroups memotitle memomenu (the memo group editor, a memo's title dialog, the memo menu)
//         firststart (the program started without a settings file: the settings window opens)
//         restored-main traymenu (the main window back after a minimise; the tray clock icon's menu)
//         goal-dblclick (the goal window opened by a real double click on the goal box)
//         year-refused (the birthday window's year after "2030" typed into 1930..2029: "203" kept,
//         the range said)
#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "controls/TrayIcon.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/ToolWindow.h"
#include "mainwindow/miniclck.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "mainwindow/tray_icon.h"
#include "notes/Period.h"
#include "notes/Memo.h"
#include "notes/memo_Tree.h"
#include "notes/MemoDrop.h"
#include "notes/Memo_cap.h"
#include "notes/Memo_chg.h"
#include "notes/Entry.h"
#include "notes/MyGraph.h"
#include "notes/DiaryFile.h"
#include "notes/NikiList.h"
#include "notes/NikiSech.h"
#include "notes/Nikki.h"
#include "notes/password.h"
#include "schedule/Pop_sel.h"
#include "schedule/Popup.h"
#include "schedule/Born.h"
#include "schedule/Jump.h"
#include "schedule/Timer.h"
#include "schedule/ScheduleName.h"
#include "schedule/Todo.h"
#include "schedule/Todo_list.h"
#include "schedule/to_do.h"
#include "settings/DayCalc.h"
#include "settings/Ext_exec.h"
#include "settings/execmenu.h"
#include "schedule/data.h"
#include "settings/Settings.h"
#include "tests/win/DropFiles.h"
#include "settings/Setup.h"
#include "settings/TelePhone.h"
#include "settings/TelePhoneFile.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichEdit.h"
#include "toolkit/ImageList.h"
#include "toolkit/RichFind.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/Sound.h"

namespace {

namespace ik = inikey;
std::string dataDir;

bool DayScene(const std::string& scene) { return scene == "marks" || scene == "dayview" || scene == "quickview"; }

// Rich text as the editors save it: Japanese as \'xx escapes, one paragraph per line.
std::string Rtf(const std::string& sjis) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0\\fs20 ";
    char hex[8];
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char c = (unsigned char)sjis[i];
        if (c == '\n') {
            r += "\\par ";
        } else if (c >= 0x80) {
            snprintf(hex, sizeof hex, "\\'%02x", c);
            r += hex;
            bool lead = (c >= 0x81 && c <= 0x9F) || c >= 0xE0;
            if (lead && i + 1 < sjis.size()) {
                snprintf(hex, sizeof hex, "\\'%02x", (unsigned char)sjis[++i]);
                r += hex;
            }
        } else {
            r += (char)c;
        }
    }
    return r + "\\par }";
}

// The data of the fixed day and its month: birthdays, entries of every kind, one plain-text file.
void PrepareDay() {
    auto put = [](const std::string& name, const std::string& text) { tk::WriteFileBytes(dataDir + "\\" + name, text); };
    put("BORN0503.71", Rtf("山田 太郎さん（大学の同期）"));
    put("BORN0503.05", Rtf("姪の さくらちゃん"));
    put("____0503.24", Rtf("10:00 家族で動物園\n弁当と水筒を忘れずに"));
    put("____0503.__", Rtf("毎年：庭の草取り"));
    put("________.FRI", "毎週金曜：燃えないゴミ（テキストのメモ）");
    put("_~__0504.__", Rtf("翌日へ移動：町内会の集金"));
    put("____0520.24", Rtf("歯医者 16:30"));
    put("______25.__", Rtf("給料日"));
    put("_~~~~___.MON", Rtf("第1月曜：定例会議"));
    put("BORN0512.88", Rtf("佐藤 花子さん"));
    auto ini = settings::Open();
    ini.WriteInteger("Form", "Qreki", 1);
    ini.WriteInteger("CalendarEx", "PopView", 1);
    ini.WriteInteger("Form", "ActiveP", 0);
    // The day stays 2024-05-03 while the clock runs on from 10:00.
    static DWORD start = GetTickCount();
    rtl::SetClockForTest([] { return rtl::EncodeDate(2024, 5, 3) + (36000000.0 + (GetTickCount() - start)) / 86400000.0; });
}

void Prepare(const std::string& scene) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    dataDir = std::string(tmp) + (DayScene(scene) ? "orbal-show-day" : "orbal-show");
    tk::ForceDirectories(dataDir);
    settings::SetIniPathForTest(dataDir + "\\orbal98.ini");
    auto ini = settings::Open();
    ini.WriteInteger(ik::Horiday::Section, ik::Horiday::Set, 1);
    for (auto& [k, v] : DefaultHolidays()) ini.WriteString(ik::Horiday::Section, k, v);
    ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, dataDir);
    ini.WriteInteger(ik::Form::Section, ik::Form::Open, 1);
    ini.WriteInteger(ik::Form::Section, ik::Form::BirthPop, scene == "birthday" ? 1 : 0);
    ini.WriteString(ik::Pop_Born::Section, ik::Pop_Born::Day, "0");
    ini.WriteInteger(ik::Form::Section, ik::Form::ActiveP,
                     scene.size() == 5 && scene.rfind("page", 0) == 0 ? scene[4] - '0' : 0);
    ini.WriteInteger(ik::Form::Section, ik::Form::Disital, scene == "digital" || scene == "analog");
    ini.WriteInteger(ik::Form::Section, ik::Form::AnalogClock, scene == "analog");
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Title, "仕事");
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Stime, rtl::FloatToStr(rtl::EncodeTime(9, 0, 0, 0)));
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::LG_Etime, rtl::FloatToStr(rtl::EncodeTime(18, 0, 0, 0)));
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Title, "睡眠");
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Stime, rtl::FloatToStr(rtl::EncodeTime(23, 0, 0, 0)));
    ini.WriteString(ik::MyGraph::Section, ik::MyGraph::RG_Etime, rtl::FloatToStr(rtl::EncodeTime(7, 0, 0, 0)));
    if (DayScene(scene)) {
        PrepareDay();
        return;
    }
    tk::WriteFileBytes(dataDir + "\\BORN" + rtl::FormatDateTime("mmdd", rtl::Date()) + ".71",
                       "山田 太郎さん（大学の同期）");
    tk::WriteFileBytes(dataDir + "\\BORN" + rtl::FormatDateTime("mmdd", rtl::Date()) + ".05", "姪の さくらちゃん");
}

// The birthday register opened from the main window on a date of the calendar.
void ShowRegister(const std::string& scene) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Birthday::Section, ik::Birthday::Seiza, scene == "register13" ? 1 : 0);
    ini.WriteBool(ik::Form::Section, ik::Form::Qreki, scene == "register-old");
    ini.WriteInteger(ik::Birthday::Section, ik::Birthday::left, 200);
    ini.WriteInteger(ik::Birthday::Section, ik::Birthday::top, 120);
    const char* rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 "
                      "\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\f0\\fs20 "
                      "\\'8d\\'b2\\'93\\'a1 \\'89\\'d4\\'8e\\'71\\par "
                      "\\'8d\\'82\\'8d\\'5a\\'82\\'cc\\'93\\'af\\'8b\\'89\\'90\\'b6\\par}";
    tk::WriteFileBytes(dataDir + "\\BORN1210.85", rtf);
    tk::WriteFileBytes(dataDir + "\\BORN0229.00", "うるう年生まれの 健太");
    tk::WriteFileBytes(dataDir + "\\BORN0704.41", "祖父");
    tk::WriteFileBytes(dataDir + "\\BORN.txt", "迷い込んだファイル");
    int y = 1985, m = 12, d = 10;  // thirteen signs: the serpent bearer
    if (scene == "register") y = 2000, m = 2, d = 29;
    if (scene == "register-old") y = 1941, m = 7, d = 4;
    Form1->CalendarEx1.SetYear(y);
    Form1->CalendarEx1.SetDay(1);
    Form1->CalendarEx1.SetMonth(m);
    Form1->CalendarEx1.SetDay(d);
    Form1->BirthDay1Click();
}

// Schedule management over entries and reminders of every kind around today, one list shown.
void ShowManagement(const std::string& scene) {
    const rtl::TDateTime today = rtl::Date();
    int y, m, d;
    rtl::DecodeDate(today, y, m, d);
    auto put = [](const std::string& name, const std::string& text) {
        tk::WriteFileBytes(dataDir + "\\" + name, Rtf(text));
    };
    auto date = [](rtl::TDateTime t, int part) {
        int yy, mm, dd;
        rtl::DecodeDate(t, yy, mm, dd);
        return part == 0 ? yy : part == 1 ? mm : dd;
    };
    const DayOffShift next{ShiftMove::Next, true}, previous{ShiftMove::Previous, false};
    put(ScheduleFileName::OneDate(y, m, d), "10:00 打ち合わせ（第3会議室）\n資料を10部印刷しておく");
    put(PopupFileName::OneDay(0, 5, y, m, d), "薬を飲む");
    put(PopupFileName::OneDay(23, 30, y, m, d), "明日の準備をして寝る");
    rtl::TDateTime before = today - 1, earlier = today - 40, later = today + 3;
    put(ScheduleFileName::OneDate(date(before, 0), date(before, 1), date(before, 2)), "燃えるゴミの日");
    put(ScheduleFileName::OneDate(date(earlier, 0), date(earlier, 1), date(earlier, 2)), "車検（整備工場）");
    put(ScheduleFileName::OneDate(date(later, 0), date(later, 1), date(later, 2)), "同窓会 18:30 駅前");
    put(ScheduleFileName::Yearly(DayOffShift{}, 12, 25), "クリスマス会");
    put(ScheduleFileName::Yearly(previous, 2, 29), "うるう日の点検");
    put(ScheduleFileName::Monthly(next, 25), "給料日");
    put(ScheduleFileName::Weekly(5, 2), "第1・第3月曜：定例会議");
    put(ScheduleFileName::Weekly(kLastWeek, 6), "月末の棚卸し");
    put(PopupFileName::Weekly(8, 0, 21, 5), "資源ゴミを出す");
    put(PopupFileName::Daily(12, 0), "昼休み");
    put(PopupFileName::Monthly(9, 5, 31, DayOffShift{}), "月末の支払い");
    put(PopupFileName::Uptime(3600), "一休みしましょう");
    tk::WriteFileBytes(dataDir + "\\readme.txt", "迷い込んだファイル");
    auto ini = settings::Open();
    ini.WriteInteger(ik::Data::Section, ik::Data::left, 240);
    ini.WriteInteger(ik::Data::Section, ik::Data::top, 60);
    ini.WriteInteger(ik::Data::Section, ik::Data::Height, 560);
    ini.WriteInteger(ik::Data::Section, ik::Data::LHeight, 210);
    Form1->Data2Click();
    if (scene == "manage-all") {
        Form29->BitBtn14Click();
        Form29->ListBox1.SetItemIndex(9);
        Form29->ListBox1Click();
    }
    if (scene == "manage-past") Form29->BitBtn16Click();
}

// A picture for the scenes: a gradient from top to bottom behind a disc.
void SamplePicture(const std::string& path, COLORREF top, COLORREF bottom, COLORREF disc, COLORREF rim) {
    tk::TBitmap pic(128, 128);
    auto& c = pic.Canvas();
    auto mix = [](int a, int b, int i) { return a + (b - a) * i / 127; };
    for (int i = 0; i < 128; ++i) {
        c.Pen.Color = RGB(mix(GetRValue(top), GetRValue(bottom), i), mix(GetGValue(top), GetGValue(bottom), i),
                          mix(GetBValue(top), GetBValue(bottom), i));
        c.MoveTo(0, i);
        c.LineTo(128, i);
    }
    c.Brush.Color = disc;
    c.Pen.Color = rim;
    c.Ellipse(24, 24, 104, 104);
    pic.SaveToFile(path);
}

// A reminder due now that closes itself after a minute. picture: "own" (its own picture),
// "builtin" (none at all) or "fallback" (its own is a corrupt file; the [Calendar] one shows).
void ShowReminder(const std::string& picture) {
    // Daily reminders left by earlier runs would fire again at their own minute, over this one.
    tk::TSearchRec rec;
    std::vector<std::string> stale;
    for (int r = tk::FindFirst(dataDir + "\\????____.__", 0, rec); r == 0; r = tk::FindNext(rec))
        stale.push_back(dataDir + "\\" + rec.Name);
    tk::FindClose(rec);
    for (const std::string& f : stale) DeleteFileA(f.c_str());
    rtl::TDateTime now = rtl::Now();
    int h, n, s, ms;
    rtl::DecodeTime(now + 1.0 / 1440, h, n, s, ms);
    std::string name = PopupFileName::Daily(h, n);
    std::string path = dataDir + "\\" + name;
    tk::WriteFileBytes(path, "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 "
                             "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\f0\\fs20 "
                             "\\b \\'89\\'ef\\'8b\\'63\\'82\\'cc\\'8e\\'9e\\'8a\\'d4\\'82\\'c5\\'82\\'b7\\b0\\par "
                             "\\'8e\\'91\\'97\\'bf\\'82\\'f0\\'8e\\'9d\\'82\\'c1\\'82\\'c4\\'91\\'e6\\'82\\'52"
                             "\\'89\\'ef\\'8b\\'63\\'8e\\'ba\\'82\\'d6\\'81\\'42\\par}");
    SamplePicture(dataDir + "\\picture.bmp", RGB(255, 180, 90), RGB(128, 222, 217), 0x00D7FF, 0x0080C0);
    // The [Calendar] picture: a night sky with the moon.
    SamplePicture(dataDir + "\\calendar.bmp", RGB(10, 20, 70), RGB(60, 90, 160), RGB(250, 245, 200), RGB(200, 190, 140));
    tk::WriteFileBytes(dataDir + "\\corrupt.bmp", "BM this is not a picture");
    auto ini = settings::Open();
    ini.WriteString(path, ik::Popup::bitmap, picture == "own"        ? dataDir + "\\picture.bmp"
                                            : picture == "fallback" ? dataDir + "\\corrupt.bmp"
                                                                    : "");
    ini.WriteString(ik::Calendar::Section, ik::Calendar::bitmap, picture == "fallback" ? dataDir + "\\calendar.bmp" : "");
    ini.WriteInteger(path, ik::Popup::closetime, 60);
    // Let the next minute come at once: pretend the tick last saw another minute.
    Form1->LastMinute = "xxxx";
    rtl::TDateTime target = now + 1.0 / 1440;
    rtl::SetClockForTest([target] { return target; });
    Form1->Timer1Timer(true);
    rtl::SetClockForTest({});
}

// A page like the schedule list prints: title lines, then days with their entries.
void PrintSample() {
    tk::Form form({.caption = "Schedule-List", .width = 400, .height = 300});
    tk::RichEdit re;
    re.Create(form, {.at = {0, 0, 380, 260}, .visible = false});
    std::string text = "Title:Schedule-List\r\nPrint:" + rtl::FormatDateTime("yyyy/mm/dd \"(\"aaa\")\" hh:mm:ss", rtl::Now()) +
                       "\r\n\r\n";
    const char* entries[] = {"会議の資料を準備する（第３会議室）", "歯医者 15:30", "Project review with the team",
                             "母の誕生日のプレゼントを買う"};
    for (int d = 0; d < 40; ++d) {
        rtl::TDateTime day = rtl::Date() + d;
        text += rtl::FormatDateTime("yyyy/mm/dd(aaa)", day) + (d == 0 ? "    〔今日〕" : "    〔" + rtl::IntToStr(d) + "日後〕") +
                "\r\n";
        if (d % 3 == 0) text += "　・" + std::string(entries[d / 3 % 4]) + "\r\n";
        if (d % 7 == 2)
            text += "　・長い予定の説明がここに入ります。行の幅を超える文章は次の行に折り返して印刷されます。"
                    "句読点、括弧「」は行の頭や終わりに来ないようにします。\r\n";
    }
    re.SetText(text);
    re.Select(0, 19);
    re.SelAttributes.SetStyleBit(tk::fsBold, true);
    re.SelAttributes.SetColor(tk::clNavy);
    int pages = tk::PrintRichEdit(re, "Schedule-List");
    printf("printed %d pages on %s\n", pages, tk::Printer().PrinterName().c_str());
}

// The reminder editor on one of its pages, with a reminder of that page already saved.
void ShowEditor(const std::string& scene) {
    auto ini = settings::Open();
    ini.WriteInteger("Calendar", "before", 15);
    Form1->Timer1.SetEnabled(false);  // the saved reminder is due in this very minute
    ini.WriteString("Popup_Teikei", "2", "会議の準備");
    Form1->Popup1Click();
    TForm7& f = *Form7;
    f.SetBounds(200, 120, f.Width(), f.Height());
    if (scene == "editor-uptime") {
        f.BitBtn11Click();
        f.SpinEdit7.SetValue(5400);
    } else if (scene == "editor-week") {
        f.TabSet1.SetTabIndex(3);
        f.CheckBox6.SetChecked(false);
        f.CheckBox8.SetChecked(false);
        f.CheckBox10.SetChecked(false);
        f.CheckBox12.SetChecked(false);
    } else if (scene == "template") {
        tk::ForceDirectories(dataDir + "\\Teikei");
        tk::WriteFileBytes(dataDir + "\\Teikei\\2.rtf", "資料を印刷する\r\n会議室の予約を確かめる");
        f.ComboBox1.SetItemIndex(2);
        f.ComboBox1Change();
    }
    if (scene != "template") {
        f.RichEdit1.SetText("歯医者の予約（駅前クリニック）\r\n保険証を忘れずに");
        f.Edit1.SetText("C:\\Tools\\backup.exe?/quiet");
        f.CheckBox3.SetChecked(true);
        f.BitBtn6Click(TForm7::Command::Save);
    }
}

// The schedule entry editor on one of its tabs, opened from the main window on the 15th of this
// month, with an entry of that tab saved and a line typed after it.
void ShowScheduleEditor(const std::string& scene) {
    Form1->CalendarEx1.SetDay(15);
    Form1->Todo1Click();
    TForm14& f = *Form14;
    f.SetBounds(200, 60, f.Width(), f.Height());
    int tab = scene == "schedule-year" ? 1 : scene == "schedule-month" ? 2 : scene == "schedule-week" ? 3 : 0;
    f.TabSet1.SetTabIndex(tab);
    if (tab == 1) f.RadioGroup1.SetItemIndex(1), f.RadioGroup2.SetItemIndex(1);
    if (tab == 2) f.RadioGroup1.SetItemIndex(2);
    if (tab == 3) f.CheckBox6.SetChecked(false), f.CheckBox10.SetChecked(false), f.CheckBox12.SetChecked(false);
    static const char* const kBodies[4] = {"10:00 歯医者（駅前クリニック）\r\n保険証を忘れずに",
                                           "町内会の会費を納める", "家賃の振り込み", "定例会議 14:00～ 第2会議室"};
    f.RichEdit1.SetText(kBodies[tab]);
    f.BitBtn1Click();
    f.BitBtn2Click();  // the rule text as a line of the body, not saved yet
}

// The goal box on the clock page with a goal that runs from 20 days ago to 40 days ahead, and the
// goal window open on it; or the time-band window with the sample bands.
void PlaceGoalWindow() {
    Form6->SetBounds(Form1->Left() - Form6->Width() - 8, Form1->Top(), Form6->Width(), Form6->Height());
}

// Closes the message box of the scene's thread when the scene ends (a timer's procedure).
BOOL CALLBACK CloseBox(HWND h, LPARAM) {
    char kind[16] = {};
    if (GetClassNameA(h, kind, sizeof kind) && std::string(kind) == "#32770") PostMessageA(h, WM_COMMAND, IDOK, 0);
    return TRUE;
}
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0); }

void ShowGoals(const std::string& scene) {
    if (scene == "timeband") {
        Form1->Panel18DblClick();
        Form36->SetBounds(Form1->Left() - Form36->Width() - 8, Form1->Top(), Form36->Width(), Form36->Height());
        return;
    }
    tk::ForceDirectories(goal::Folder());
    rtl::TDateTime start = rtl::Date() - 20 + rtl::EncodeTime(9, 0, 0, 0), end = start + 60;
    tk::WriteFileBytes(goal::Folder() + "Entry0", Rtf("資格試験に合格する\n" + goal::DateTimeText(start) + "\n" +
                                                      goal::DateTimeText(end) + "\n毎日 1 時間、過去問を解く。\n"
                                                      "週末は模擬試験で時間配分を確かめる。"));
    auto ini = settings::Open();
    ini.WriteString(ik::Entry::Section, "0", "Entry0");
    ini.WriteInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::Index, 0);
    Form1->Panel2DblClick();
    ini.WriteBool(ik::Form::Section, ik::Form::Entry, false);  // the other scenes start on the gauges
    if (scene == "goal-dblclick") return;  // the mouse opens it once the windows are up
    Form1->ComboBox3DblClick();
    PlaceGoalWindow();
}

// The countdown timer with three presets: running with 100 seconds of three minutes gone, or
// one second before the end (the 100 % step then runs while the scene shows).
void ShowCountdown(const std::string& scene) {
    auto ini = settings::Open();
    const char* const names[] = {"カップ麺（大盛り）にお湯を注いでから食べ頃になるまでの待ち時間", "昼休み", "会議の準備"};  // the first too long for its frame
    const int minutes[] = {3, 45, 15};
    for (int i = 0; i < 3; ++i) {
        ini.WriteString(ik::Gtimer::Section, std::to_string(i) + ik::Gtimer::Title, names[i]);
        ini.WriteInteger(ik::Gtimer::Section, std::to_string(i) + ik::Gtimer::M, minutes[i]);
    }
    ini.WriteInteger(ik::Gtimer::Section, ik::Gtimer::Total.Name, 3);
    ini.WriteInteger(ik::Gtimer::Section, ik::Gtimer::left, 300);
    ini.WriteInteger(ik::Gtimer::Section, ik::Gtimer::top, 120);
    Form1->GTimer1Click();
    TForm13& f = *Form13;
    f.ListBox1.SetItemIndex(0);
    f.ListBox1Click();
    f.BitBtn5Click();
    const double gone = scene == "gtimer-end" ? 179 / 86400.0 : 100 / 86400.0;
    f.StartTime -= gone;
    f.EndTime -= gone;
    f.Label6.SetCaption("開始時間：" + rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", f.StartTime));
    f.Timer1Timer();
}

// The go-to-date window on a date ten days ahead, kept open after its buttons.
void ShowJump() {
    Form1->Jump1Click();
    TForm17& f = *Form17;
    f.SetBounds(300, 160, f.Width(), f.Height());
    int y, m, d;
    rtl::DecodeDate(rtl::Date() + 10, y, m, d);
    f.SpinEdit3.SetValue(1);
    f.SpinEdit1.SetValue(y);
    f.SpinEdit2.SetValue(m);
    f.SpinEdit3.SetValue(d);
    f.CheckBox1.SetChecked(true);
}

// The sound chooser on a folder of sample sounds (shown without a modal run so the scene can end).
void ShowSoundChooser() {
    std::string dir = dataDir + "\\sounds";
    tk::ForceDirectories(dir);
    for (const char* n : {"チャイム.wav", "alarm.WAV", "bell.wav", "メロディ.mid", "readme.txt"})
        tk::WriteFileBytes(dir + "\\" + n, "RIFF");
    auto* f = new TForm10;
    f->FileListBox1.SetFileName(dir + "\\チャイム.wav");
    f->Show();
}

// The About panel's glyph button under the real mouse: over it, held down, or disabled.
void GlyphButtonState(const std::string& scene) {
    tk::Application.ProcessMessages();
    TPanelButton& b = Form1->PanelButton1;
    if (scene == "about-off") {
        b.SetEnabled(false);
        return;
    }
    POINT p = b.ClientToScreen({b.Width() / 2, b.Height() / 2});
    SetCursorPos(p.x, p.y);
    if (scene == "about-down") mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
}

// Two icons in the notification area: a still clock and memo frames that take turns.
void ShowTrayIcons(std::unique_ptr<TTrayIcon>& clock, std::unique_ptr<TTrayIcon>& memo, tk::ImageList& frames) {
    frames.SetSize(16, 16);
    const tk::TColor paper[] = {tk::clYellow, 0x80FFFF, 0xC0FFC0, 0xFFE0C0};
    for (tk::TColor c : paper) {
        tk::TBitmap b(16, 16);
        tk::TCanvas& cv = b.Canvas();
        cv.Brush.Color = tk::clOlive;
        cv.FillRect({0, 0, 16, 16});
        cv.Brush.Color = c;
        cv.Pen.Color = tk::clGray;
        cv.Rectangle(2, 1, 14, 15);
        for (int y = 4; y < 13; y += 3) {
            cv.MoveTo(4, y);
            cv.LineTo(12, y);
        }
        frames.AddMasked(b, tk::clOlive);
    }
    tk::ImageList face(16, 16);
    tk::TBitmap b(16, 16);
    tk::TCanvas& cv = b.Canvas();
    cv.Brush.Color = tk::clOlive;
    cv.FillRect({0, 0, 16, 16});
    cv.Brush.Color = tk::clWhite;
    cv.Pen.Color = tk::clNavy;
    cv.Ellipse(0, 0, 16, 16);
    cv.MoveTo(8, 8);
    cv.LineTo(8, 3);
    cv.MoveTo(8, 8);
    cv.LineTo(12, 8);
    face.AddMasked(b, tk::clOlive);
    HICON clockIcon = face.GetIcon(0), memoIcon = frames.GetIcon(0);
    clock = std::make_unique<TTrayIcon>();
    clock->Create(*Form1, {.tip = "左クリック：ランチャーメニュー／右クリック：基本メニュー", .icon = clockIcon, .visible = true});
    memo = std::make_unique<TTrayIcon>();
    memo->Create(*Form1, {.tip = "ダブルクリック：日記リスト／右クリック：メモメニュー", .animateRate = 300,
                          .icon = memoIcon, .visible = true});
    DestroyIcon(clockIcon);
    DestroyIcon(memoIcon);
    memo->SetAnimateIcons(&frames);
    memo->StartAnimation();
    // Rest the mouse on the clock icon (the right-most of the task bar) so its tip shows.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 12, GetSystemMetrics(SM_CYSCREEN) - 11);
}
// A rich-text editor laid out as the diary's, with formatted Japanese text; it stays for the
// rest of the run.
struct RichPaneScene {
    tk::Form form{{.caption = "リッチテキストの編集", .left = 16, .top = 16, .width = 600, .height = 430}};
    tk::Panel bar, ruler, h1, h2, h3, h4, h5;
    tk::ComboBox font;
    tk::SpinEdit size;
    tk::SpeedButton bold, italic, underline, strike, bullet, left, centre, right;
    tk::BitBtn color;
    tk::Label colorText, first, indent, rightIndent;
    tk::RichEdit text;
    tk::FindDialog find;
    tk::ReplaceDialog replace;
    std::unique_ptr<tk::RichToolbar> toolbar;
    std::unique_ptr<tk::RichFinder> finder;

    RichPaneScene() {
        auto ini = settings::Open();
        const tk::TColor recent[] = {tk::clRed, tk::clBlue, tk::clGreen, 0x0080FF, tk::clPurple};
        const char* keys[] = {ik::Memo::Color1, ik::Memo::Color2, ik::Memo::Color3, ik::Memo::Color4, ik::Memo::Color5};
        for (int i = 0; i < 5; ++i) ini.WriteInteger(ik::Memo::Section, keys[i], recent[i]);
        tk::RichBar c{.fontName = &font, .fontSize = &size, .bold = &bold, .italic = &italic, .underline = &underline,
                      .strikeOut = &strike, .bullet = &bullet, .align = {&left, &centre, &right}, .colorButton = &color,
                      .history = {&h1, &h2, &h3, &h4, &h5}, .colorLabel = &colorText, .ruler = &ruler,
                      .firstMarker = &first, .leftMarker = &indent, .rightMarker = &rightIndent};
        bar.Create(form, {.at = {0, 0, 600, 26}, .align = tk::Align::Top});
        ruler.Create(form, {.at = {0, 26, 600, 20}, .align = tk::Align::Top, .style = tk::pnOuterLowered});
        text.Create(form, {.at = {0, 46, 600, 300}, .align = tk::Align::Client, .style = tk::reVScroll});
        text.KeepMargins = true;
        text.SetMargins();
        tk::CreateRichBar(bar, c);
        find.Create(form);
        replace.Create(form);
        toolbar = std::make_unique<tk::RichToolbar>(
            text, c, tk::ColorHistory{settings::Open, ik::Memo::Section, {keys[0], keys[1], keys[2], keys[3], keys[4]}});
        finder = std::make_unique<tk::RichFinder>(text, find, replace);
        Fill();
        form.Show();
    }

    void Format(const std::string& what, const std::function<void()>& f) {
        text.Select(text.FindText(what, 0, -1), (int)rtl::SjisLength(what));
        f();
    }

    void Fill() {
        text.SetText(
            "五月三日　晴れのち曇り\r\n"
            "朝から快晴。表の通りの藤が満開で、紫の花がとてもきれいだった。\r\n"
            "午後は友人と美術館へ。帰りに雨がぱらついたが、すぐに止んだ。\r\n"
            "明日の予定\r\n"
            "資料の下書きを仕上げる\r\n"
            "十時に歯医者\r\n"
            "ソファの配達（午前中）\r\n"
            "字下げした段落は、一行目より二行目以降が左にそろいます。長い文章は右の余白で折り返されて、"
            "次の行へ続きます。\r\n"
            "―― 右寄せの署名");
        Format("五月三日　晴れのち曇り", [&] {
            text.SelAttributes.SetSize(14);
            text.SelAttributes.SetStyleBit(tk::fsBold, true);
            text.SelAttributes.SetColor(tk::clNavy);
            text.Paragraph.SetAlignment(tk::taCenter);
        });
        Format("快晴", [&] { text.SelAttributes.SetColor(tk::clRed); });
        Format("藤が満開", [&] { text.SelAttributes.SetStyleBit(tk::fsUnderline, true); });
        Format("紫の花", [&] {
            text.SelAttributes.SetColor(tk::clPurple);
            text.SelAttributes.SetStyleBit(tk::fsItalic, true);
        });
        Format("雨がぱらついた", [&] { text.SelAttributes.SetStyleBit(tk::fsStrikeOut, true); });
        Format("明日の予定", [&] {
            text.SelAttributes.SetName("ＭＳ 明朝");
            text.SelAttributes.SetSize(12);
            text.SelAttributes.SetStyleBit(tk::fsBold, true);
        });
        for (const char* item : {"資料の下書き", "十時に歯医者", "ソファの配達"})
            Format(item, [&] { text.Paragraph.SetNumbering(tk::nsBullet); });
        Format("字下げした段落", [&] {
            text.Paragraph.SetFirstIndent(18);
            text.Paragraph.SetLeftIndent(-12);
            text.Paragraph.SetRightIndent(24);
        });
        Format("右寄せの署名", [&] {
            text.Paragraph.SetAlignment(tk::taRightJustify);
            text.SelAttributes.SetName("ＭＳ 明朝");
        });
        text.SetModified(false);
    }

    // Both dialogs open beside the editor, the find dialog's match selected in the text.
    void OpenDialogs() {
        finder->ShowFind();
        finder->ShowReplace();
        HWND f = find.DialogHandle(), r = replace.DialogHandle();
        SetWindowTextA(GetDlgItem(f, edt1), "字下げ");
        SendMessageA(f, WM_COMMAND, IDOK, (LPARAM)GetDlgItem(f, IDOK));
        SetWindowTextA(GetDlgItem(r, edt1), "表");
        SetWindowTextA(GetDlgItem(r, edt2), "表通り");
        // Below the editor, side by side.
        RECT fr, rr;
        GetWindowRect(f, &fr);
        GetWindowRect(r, &rr);
        SetWindowPos(f, nullptr, 16, 456, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetWindowPos(r, nullptr, std::max(16 + (int)(fr.right - fr.left) + 8, 1016 - (int)(rr.right - rr.left)), 456, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
};

// The mini clock in one of its shapes over the desktop, the tool window with the mouse on a
// button, or the tray host's two icons with the clock icon's tip.
void ShowAround(const std::string& scene) {
    auto ini = settings::Open();
    // The scenes after this one start with the main window alone.
    std::atexit([] {
        auto f = settings::Open();
        f.WriteInteger(ik::Mini::Section, ik::Mini::exec, 0);
        f.WriteBool(ik::Form::Section, ik::Form::Visible, true);
        f.WriteBool(ik::ToolWindow::Section, ik::ToolWindow::Visible, false);
        for (const char* n : {"calc.lnk", "calendar.lnk", "メモ帳.lnk"}) DeleteFileA((TForm5::ShortcutDir() + "\\" + n).c_str());
    });
    if (scene.rfind("mini-", 0) == 0) {
        ini.WriteInteger(ik::Mini::Section, ik::Mini::style, scene == "mini-ellipse" ? 1 : scene == "mini-rect" ? 2 : 0);
        ini.WriteInteger(ik::Mini::Section, ik::Mini::left, 640);
        ini.WriteInteger(ik::Mini::Section, ik::Mini::top, 420);
        ini.WriteInteger(ik::Mini::Section, ik::Mini::TBcolor, 0x804000);
        if (Form1->miniClock1->Checked()) Form1->miniClock1Click();  // the strip of the start, in its old shape
        Form1->miniClock1Click();
        Form1->Timer1Timer(true);
        return;
    }
    if (scene == "toolwindow") {
        tk::ForceDirectories(TForm5::ShortcutDir());
        for (const char* n : {"calc.lnk", "calendar.lnk", "メモ帳.lnk"}) tk::WriteFileBytes(TForm5::ShortcutDir() + "\\" + n, "x");
        ini.WriteInteger(ik::ToolWindow::Section, ik::ToolWindow::left, 120);
        ini.WriteInteger(ik::ToolWindow::Section, ik::ToolWindow::top, 420);
        Form1->ToolWindowClick();
        Form5->ComboBox1.SetText("cal");
        Form5->ComboBox1KeyUp('L');
        POINT p = Form5->BitBtn4.ClientToScreen({12, 12});
        SetCursorPos(p.x, p.y);
        return;
    }
    // trayhost: rest the mouse on the memo icon, the second from the right of the task bar.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 30, GetSystemMetrics(SM_CYSCREEN) - 11);
}

// Sticky memos in a memo store of their own, emptied first (memos left shown would reopen in the
// other scenes): "memo-text" with its bar and formatted text, "memo-picture", "memo-small" (a
// square beside an open memo), "memo-drop" (three files dropped on a memo, the chooser asking
// until a timer closes it), "memo-default" (a new memo at the default width, its bar shown).
void ShowMemo(const std::string& scene) {
    std::string own = dataDir + "\\memoscene", M = own + "\\Memo\\";
    tk::ForceDirectories(own + "\\Memo");
    auto ini = settings::Open();
    rtl::TStringList sections;
    ini.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i)
        if (sections[i].size() >= M.size() && rtl::UpperCaseAscii(sections[i].substr(sections[i].size() - M.size())) ==
                                                   rtl::UpperCaseAscii(M))
            ini.EraseSection(sections[i]);
    tk::TSearchRec r;
    std::vector<std::string> old;
    for (int f = tk::FindFirst(M + "*", tk::faAnyFile & ~tk::faDirectory, r); f == 0; f = tk::FindNext(r)) old.push_back(M + r.Name);
    tk::FindClose(r);
    for (auto& f : old) DeleteFileA(f.c_str());
    ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, own);
    ini.WriteInteger(ik::Memo::Section, ik::Memo::BackColor, 0xC8FFFF);  // pale yellow
    ini.WriteInteger(ik::Memo::Section, ik::Memo::FontSize, 10);
    const tk::TColor recent[] = {tk::clRed, tk::clBlue, tk::clGreen, 0x0080FF, tk::clPurple};
    const char* keys[] = {ik::Memo::Color1, ik::Memo::Color2, ik::Memo::Color3, ik::Memo::Color4, ik::Memo::Color5};
    for (int i = 0; i < 5; ++i) ini.WriteInteger(ik::Memo::Section, keys[i], recent[i]);
    auto memo = [&](const std::string& title, const std::string& text, int left, int top, int width, int height) {
        Form1->BitBtn9Click();
        TForm18* m = Form18;
        m->SetTitle(title);
        m->RichEdit1.SetText(text);
        m->SetBounds(left, top, width, height);
        m->SaveState(true);
        return m;
    };
    auto format = [](TForm18* m, const std::string& what, const std::function<void()>& f) {
        m->RichEdit1.Select(m->RichEdit1.FindText(what, 0, -1), (int)rtl::SjisLength(what));
        f();
    };
    if (scene == "memo-text" || scene == "memo-small") {
        TForm18* m = memo("買い物メモ", "買い物メモ\r\n牛乳と卵\r\n表紙の厚いノート（ソフトカバー不可）\r\n電池 単三×4\r\n済：パン",
                          40, 40, scene == "memo-text" ? 540 : 420, 260);
        format(m, "買い物メモ", [&] {
            m->RichEdit1.SelAttributes.SetSize(14);
            m->RichEdit1.SelAttributes.SetStyleBit(tk::fsBold, true);
            m->RichEdit1.SelAttributes.SetColor(tk::clNavy);
        });
        for (const char* item : {"牛乳と卵", "表紙の厚い", "電池"}) format(m, item, [&] { m->RichEdit1.Paragraph.SetNumbering(tk::nsBullet); });
        format(m, "ソフトカバー不可", [&] { m->RichEdit1.SelAttributes.SetColor(tk::clRed); });
        format(m, "済：パン", [&] { m->RichEdit1.SelAttributes.SetStyleBit(tk::fsStrikeOut, true); });
        m->RichEdit1.Select(0, 0);
        if (scene == "memo-text") m->K5Click();
        if (scene == "memo-small") {
            TForm18* square = memo("電話する", "歯医者に電話する", 500, 80, 200, 120);
            settings::Open().WriteInteger(square->Section(), ik::MemoStore::P_Left, 480);
            settings::Open().WriteInteger(square->Section(), ik::MemoStore::P_Top, 60);
            square->K3Click();
        }
        m->BringForward();
    } else if (scene == "memo-picture") {
        SamplePicture(own + "\\sunset.bmp", RGB(255, 150, 80), RGB(90, 60, 140), 0x40C0FF, 0x2080D0);
        TForm18* m = memo("夕焼けの写真", "", 40, 40, 260, 220);
        settings::Open().WriteString(m->Section(), ik::MemoStore::BmpFile, own + "\\sunset.bmp");
        m->SetKind(1);
        m->Stretch1Click();
    } else if (scene == "memo-drop") {
        TForm18* m = memo("資料メモ", "ここにファイルを落とすと、読み込み先を尋ねます。", 40, 40, 420, 200);
        std::vector<std::string> files;
        for (const char* name : {"議事録.txt", "予定表.txt", "連絡先.txt"}) {
            files.push_back(own + "\\" + name);
            tk::WriteFileBytes(files.back(), "ドロップされたファイル");
        }
        PostMessageA(m->Handle, WM_DROPFILES, (WPARAM)wintest::BuildDrop(files), 0);
        struct Later {
            static void CALLBACK Cancel(HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                if (Form31) PostMessageA(Form31->Handle, WM_CLOSE, 0, 0);
            }
        };
        SetTimer(nullptr, 0, 7000, Later::Cancel);
    } else if (scene == "memo-default") {
        // Where and as wide as a memo without bounds of its own opens, its bar shown.
        Form1->BitBtn9Click();
        Form18->SetTitle("既定の幅");
        Form18->RichEdit1.SetText("既定の幅のメモ");
        Form18->K5Click();
    } else if (scene == "memo-restored") {
        // Saved in one place, then moved.
        memo("買い物メモ", "牛乳と卵\r\n電池 単三×4", 40, 40, 260, 160)->SetBounds(40, 470, 300, 180);
        memo("電話する", "歯医者に電話する", 500, 80, 200, 120)->SetBounds(640, 480, 240, 150);
    }
}

// The memo list: three groups with memos, one memo with its text and picture in the preview.
void ShowMemoList() {
    std::string own = dataDir + "\\memolistscene", M = own + "\\Memo\\";
    tk::ForceDirectories(own + "\\Memo");
    auto ini = settings::Open();
    for (int g = 0; g < ik::MemoStore::Groups; ++g) ini.EraseSection(ik::MemoStore::GroupSection(g, M));
    ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, own);
    ini.WriteInteger(ik::Memo::Section, ik::Memo::BackColor, 0xC8FFFF);
    ini.WriteString(ik::Memo_bun::Section, "0", "買い物");
    ini.WriteString(ik::Memo_bun::Section, "1", "仕事");
    ini.WriteInteger(ik::MemoStore::CountSection(M), ik::MemoStore::Count, 0);
    SamplePicture(own + "\\sunset.bmp", RGB(255, 150, 80), RGB(90, 60, 140), 0x40C0FF, 0x2080D0);
    struct Sample {
        int group;
        const char* title;
        const char* text;
    };
    const Sample samples[] = {{0, "週末の買い物", "牛乳と卵\r\n表紙の厚いノート\r\n電池 単三×4"},
                              {0, "薬局", "目薬\r\nばんそうこう"},
                              {1, "会議の準備", "資料を十部印刷する\r\n会議室の予約を確かめる"},
                              {1, "電話する", "歯医者に電話する"},
                              {3, "旅行の計画", "宿の予約\r\n切符の手配"}};
    std::string shown;  // names are never reused: an earlier run's files are passed over
    for (const Sample& s : samples) {
        Form1->ComboBox1.SetItemIndex(s.group);
        Form1->BitBtn9Click();
        TForm18* m = Form18;
        m->SetTitle(s.title);
        m->RichEdit1.SetText(s.text);
        m->SaveState(true);
        if (shown.empty()) {
            shown = m->Name;
            ini.WriteString(m->Section(), ik::MemoStore::BmpFile, own + "\\sunset.bmp");
        }
        m->Close();
    }
    tk::Application.ProcessMessages();
    ini.EraseSection(ik::Memo_Tree::Section);  // at its default size
    Form1->MemoTree1Click();
    Form28->SetBounds(30, 30, Form28->Width(), Form28->Height());
    Form28->TreeView1.Select(Form28->NodeOfMemo(shown));
    Form28->BringForward();
}

// The diary's month list of May 2024: titled days, an old-format day, a damaged file and the gauge.
void ShowNikkiList() {
    // Today inside the month, so past, today's and later lines show their colours.
    rtl::SetClockForTest([] { return rtl::EncodeDate(2024, 5, 3) + 0.4; });
    std::string folder = dataDir + "\\Diary";
    tk::ForceDirectories(folder);
    const char* titles[] = {"憲法記念日", "", "藤の花と美術館", "みどりの日", "こどもの日", "", "雨の月曜日", "",
                            "歯医者", "資料の下書き", "", "母の日", "", "", "週末の買い物"};
    for (int d = 1; d <= 15; ++d) {
        if (!*titles[d - 1]) continue;
        tk::WriteFileBytes(folder + "\\" + diary::DayFileName((int)rtl::EncodeDate(2024, 5, d)),
                           std::string("TITLE:") + titles[d - 1] + "\r\nWEATHER:晴\r\n:END\r\n{\\rtf1 x}\r\n");
    }
    tk::WriteFileBytes(folder + "\\ni240520.day", "昔の形式の日記\r\n本文\r\n");
    tk::WriteFileBytes(folder + "\\" + diary::DayFileName((int)rtl::EncodeDate(2024, 5, 21)), "TITLE:途中まで\r\n");
    tk::Application.CreateForm(Form12);
    Form12->SpinEdit1.SetValue(2024);
    Form12->SpinEdit2.SetValue(5);
    Form12->SetBounds(20, 20, 330, 600);
    Form12->Show();
    Form12->BuildList();
}

// The diary search over spring 2024, given backwards, with a title, a weather and a text hit.
void ShowDiarySearch() {
    ShowNikkiList();
    std::string folder = dataDir + "\\Diary";
    auto put = [&](int m, int d, const std::string& header, const std::string& text) {
        tk::WriteFileBytes(folder + "\\" + diary::DayFileName((int)rtl::EncodeDate(2024, m, d)),
                           header + ":END\r\n{\\rtf1\\ansi\\ansicpg932 " + text + "\\par }\r\n");
    };
    put(3, 20, "TITLE:春分の日\r\nWEATHER:晴\r\n", "spring");
    put(4, 6, "TITLE:花見\r\nWEATHER:晴 のち 雨\r\n", "sakura");
    put(4, 10, "TITLE:入学式\r\nWEATHER:晴\r\n", "\\'92\\'a9\\'82\\'cd\\'89J");  // 朝は雨
    put(4, 29, "TITLE:昭和の日\r\nWEATHER:雨\r\n", "rain");
    tk::FolderIndex::InvalidateAll();
    tk::Application.CreateForm(Form22);
    Form22->Show();
    Form22->SetBounds(360, 20, TForm22::kWidth, 420);
    Form22->SpinEdit1.SetValue(2024);
    Form22->SpinEdit2.SetValue(5);
    Form22->SpinEdit3.SetValue(2024);
    Form22->SpinEdit4.SetValue(3);
    Form22->Edit1.SetText("雨");
    Form22->BitBtn1Click();
}

// The diary of 2024-05-03 with formatted text and a picture; "diary-picture" shows the picture,
// "diary-printed" prints the day to the prefix's printer and ends.
void ShowDiary(const std::string& scene) {
    int day = (int)rtl::EncodeDate(2024, 5, 3);
    std::string folder = dataDir + "\\Diary";
    tk::ForceDirectories(folder);
    SamplePicture(folder + "\\fuji.bmp", RGB(110, 170, 250), RGB(235, 245, 255), RGB(150, 110, 200), RGB(90, 60, 140));
    auto ini = settings::Open();
    const tk::TColor recent[] = {tk::clRed, tk::clNavy, tk::clGreen, 0x0080FF, tk::clPurple};
    const char* keys[] = {ik::Nikki::Color1, ik::Nikki::Color2, ik::Nikki::Color3, ik::Nikki::Color4, ik::Nikki::Color5};
    for (int i = 0; i < 5; ++i) ini.WriteInteger(ik::Nikki::Section, keys[i], recent[i]);
    diary::DayHeader h;
    h.title = "藤の花と美術館";
    h.weather = "晴 のち 曇";
    h.picture = folder + "\\fuji.bmp";
    h.left = 24, h.top = 16, h.width = 640, h.height = 480;
    std::string body = Rtf("五月三日　晴れのち曇り\n朝から快晴。表の通りの藤が満開で、紫の花がとてもきれいだった。\n"
                           "午後は友人と美術館へ。帰りに雨がぱらついたが、すぐに止んだ。\n明日の予定\n"
                           "資料の下書きを仕上げる\n十時に歯医者\nソファの配達（午前中）\n"
                           "字下げした段落は、一行目より二行目以降が左にそろいます。長い文章は右の余白で折り返されて、"
                           "次の行へ続きます。");
    tk::WriteFileBytes(folder + "\\" + diary::DayFileName(day), diary::ComposeDayFile(h, body, diary::Layout::DayFile));
    TForm8& d = *OpenDiary(day);
    // Each run of text with what it gets: size, styles, colour, paragraph alignment, bullet, face.
    struct Run {
        const char* text;
        int size, styles;
        tk::TColor color;
        tk::TAlignment align;
        bool bullet;
        const char* face;
    } runs[] = {{"五月三日　晴れのち曇り", 14, tk::fsBold, tk::clNavy, tk::taCenter, false, nullptr},
                {"快晴", 0, 0, tk::clRed, tk::taLeftJustify, false, nullptr},
                {"紫の花", 0, tk::fsItalic, tk::clPurple, tk::taLeftJustify, false, nullptr},
                {"雨がぱらついた", 0, tk::fsStrikeOut, tk::clDefault, tk::taLeftJustify, false, nullptr},
                {"明日の予定", 0, tk::fsBold, tk::clDefault, tk::taLeftJustify, false, "ＭＳ 明朝"},
                {"資料の下書き", 0, 0, tk::clDefault, tk::taLeftJustify, true, nullptr},
                {"十時に歯医者", 0, 0, tk::clDefault, tk::taLeftJustify, true, nullptr},
                {"ソファの配達", 0, 0, tk::clDefault, tk::taLeftJustify, true, nullptr},
                {"藤が満開", 0, tk::fsUnderline, tk::clDefault, tk::taLeftJustify, false, nullptr}};
    tk::RichEdit& t = d.RichEdit1;
    for (const Run& r : runs) {
        t.Select(t.FindText(r.text, 0, -1), (int)rtl::SjisLength(r.text));
        if (r.size) t.SelAttributes.SetSize(r.size);
        for (int bit : {tk::fsBold, tk::fsItalic, tk::fsUnderline, tk::fsStrikeOut})
            if (r.styles & bit) t.SelAttributes.SetStyleBit((tk::FontStyle)bit, true);
        if (r.color != tk::clDefault) t.SelAttributes.SetColor(r.color);
        if (r.face) t.SelAttributes.SetName(r.face);
        t.Paragraph.SetAlignment(r.align);
        if (r.bullet) t.Paragraph.SetNumbering(tk::nsBullet);
    }
    t.Select(t.FindText("字下げした段落", 0, -1), 0);
    t.Paragraph.SetFirstIndent(18);
    t.Paragraph.SetLeftIndent(-12);
    t.Paragraph.SetRightIndent(24);
    t.Select(t.FindText("藤が満開", 0, -1), 4);
    if (scene == "diary-picture") d.PanelButton10Click();
    if (scene == "diary-long-title") {
        // Pasted past what the day file keeps: the title stops at 256 bytes.
        std::string title;
        for (int i = 0; i < 28; ++i) title += "日記の題名";
        d.Edit1.SetText("");
        SendMessageA(d.Edit1.Handle, EM_REPLACESEL, TRUE, (LPARAM)title.c_str());
    }
    if (scene == "diary-printed") {
        tk::SetDialogHookForTest([](tk::CommonDialog&) { return true; });
        d.Print1Click();
        d.PanelButton9.Tag = 1;  // leaves the sample day as it was written
        tk::Application.Terminate();
    }
}

// A new day of the diary formatted through its bar's buttons, each pressed by the mouse messages
// a click gives: a bold line, an italic line and a centred line.
void ShowDiaryFormat() {
    TForm8& d = *OpenDiary((int)rtl::EncodeDate(2024, 5, 4));
    tk::RichEdit& t = d.RichEdit1;
    t.SetText("太字にした行\r\n斜体にした行\r\n中央に揃えた行\r\nそのままの行");
    auto press = [](tk::Control& b) {
        LPARAM at = MAKELPARAM(b.Width() / 2, b.Height() / 2);
        SendMessageA(b.Handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(b.Handle, WM_LBUTTONUP, 0, at);
    };
    t.Select(t.FindText("太字にした行", 0, -1), (int)rtl::SjisLength("太字にした行"));
    press(d.SpeedButton1);
    t.Select(t.FindText("斜体にした行", 0, -1), (int)rtl::SjisLength("斜体にした行"));
    press(d.SpeedButton2);
    t.Select(t.FindText("中央に揃えた行", 0, -1), 0);
    press(d.SpeedButton7);
}

// The schedule list of 2024-04-29 .. 2024-05-15 seen on 2024-05-03: the fixed day's data with one
// past entry more; "list-printed" prints it to the default printer.
void ShowScheduleList(const std::string& scene) {
    PrepareDay();
    tk::WriteFileBytes(dataDir + "\\____0430.24", Rtf("歯医者 16:30\n保険証を忘れずに"));
    auto ini = settings::Open();
    namespace s = ik::Sch_List;
    for (auto [key, value] : {std::pair{s::left, 300}, {s::top, 40}, {s::Height, 640}, {s::PastHeight, 150},
                              {s::TodayHeight, 150}, {s::year, 0}})
        ini.WriteInteger(s::Section, key, value);
    ini.WriteInteger(s::Section, s::mae, 4);
    ini.WriteInteger(s::Section, s::ato, 12);
    Form1->List1Click();
    if (scene == "list-printed") {
        tk::SetDialogHookForTest([](tk::CommonDialog&) { return true; });
        Form2->Print1Click();
        tk::Application.Terminate();
    }
}

// The to-do board with items in three folders, one of them just dragged into the finished
// folder, and the selected item's formatted text.
void ShowTodoBoard() {
    std::string T = dataDir + "\\Todo\\";
    tk::ForceDirectories(dataDir + "\\Todo");
    const char* titles = "やるべきもの\r\n\t企画書の下書き\r\n\t歯医者の予約\r\n\t表計算の集計\r\n"
                         "保留されているもの\r\n\t引っ越しの見積もり\r\n終了したもの\r\n\t年賀状の返事\r\n"
                         "ごみ箱\r\n\t古いメモ\r\n";
    const char* twins = "%$#Z32#$%\r\n\t0.z32\r\n\t1.z32\r\n\t2.z32\r\n%$#Z32#$%\r\n\t3.z32\r\n%$#Z32#$%\r\n"
                        "\t4.z32\r\n%$#G32#$%\r\n\t5.z32\r\n";
    tk::WriteFileBytes(T + "TreeData.z32", titles);
    tk::WriteFileBytes(T + "TreeFile.z32", twins);
    tk::WriteFileBytes(T + "0.z32", Rtf("企画書の下書き\n締め切りは金曜日の午後五時\n目次を決める\n"
                                        "資料を集める\n表とグラフを入れる\n課長に見てもらう"));
    auto ini = settings::Open();
    namespace tb = ik::TodoBoard;
    for (auto [key, value] : {std::pair{tb::left, 60}, {tb::top, 40}, {tb::Width, 680}, {tb::Height, 420},
                              {tb::TreeWidth, 210}, {tb::Index, 1}})
        ini.WriteInteger(tb::Section, key, value);
    ini.WriteInteger(ik::Borad::Section, ik::Borad::Count, 6);
    Form1->todo2Click();
    TForm15& b = *Form15;
    b.TreeView1.FullExpand();
    // "歯医者の予約" dragged onto "終了したもの".
    b.TreeView1DragDrop(b.TreeView1.NodeAt(2), b.TreeView1.NodeAt(6));
    tk::RichEdit& t = b.RichEdit1;
    struct Run {
        const char* text;
        int size, styles;
        tk::TColor color;
        bool bullet;
    } runs[] = {{"企画書の下書き", 14, tk::fsBold, tk::clNavy, false},
                {"金曜日の午後五時", 0, tk::fsUnderline, tk::clRed, false},
                {"目次を決める", 0, 0, tk::clDefault, true},
                {"資料を集める", 0, tk::fsStrikeOut, tk::clGray, true},
                {"表とグラフを入れる", 0, 0, tk::clDefault, true},
                {"課長に見てもらう", 0, tk::fsItalic, tk::clGreen, true}};
    for (const Run& r : runs) {
        t.Select(t.FindText(r.text, 0, -1), (int)rtl::SjisLength(r.text));
        if (r.size) t.SelAttributes.SetSize(r.size);
        for (int bit : {tk::fsBold, tk::fsItalic, tk::fsUnderline, tk::fsStrikeOut})
            if (r.styles & bit) t.SelAttributes.SetStyleBit((tk::FontStyle)bit, true);
        if (r.color != tk::clDefault) t.SelAttributes.SetColor(r.color);
        if (r.bullet) t.Paragraph.SetNumbering(tk::nsBullet);
    }
    t.Select(0, 0);
    b.Help("ドラッグ & ドロップで項目を移動できます。");
}

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// restored-main: the main window minimised with its caption button, then shown from the tray
// menu's 表示. traymenu: the clock icon's button going down with the mouse on it at the
// task bar's right end, the launcher menu open beside the pointer.
void ShowTrayWays(const std::string& scene, int seconds) {
    if (scene == "restored-main") {
        SendMessageA(Form1->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        tk::Application.ProcessMessages();
        Form1->False1Click();
        return;
    }
    if (!Form32) return;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 50, GetSystemMetrics(SM_CYSCREEN) - 11);
    SetTimer(nullptr, 0, (seconds - 1) * 1000, EndMenuLater);
    SendMessageA(TTrayIcon::CallbackWindow(), WM_TRAYICON_CALLBACK, Form32->TrayIcon1.Id(), WM_LBUTTONDOWN);
}

// Closes the new-memo placement window that a modal run holds open.
void CALLBACK ClosePlacementLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND w = FindWindowA(nullptr, "新規メモの位置、サイズの指定")) PostMessageA(w, WM_CLOSE, 0, 0);
}

// The settings window on one of its pages, with a few settings of the kind a user makes.
void ShowSetup(int page) {
    auto ini = settings::Open();
    ini.WriteString(ik::Pop_Born::Section, ik::Pop_Born::file, "C:\\windows\\media\\birthday.wav");
    ini.WriteString(ik::Calendar::Section, ik::Calendar::file, "C:\\windows\\media\\ding.wav");
    ini.WriteInteger(ik::Form::Section, ik::Form::CaptionTime, 1);
    ini.WriteString(ik::Horiday::Section, "01/01", "【元旦】");
    ini.WriteInteger(ik::Memo::Section, ik::Memo::BackColor, 0xC0FFFF);
    ini.WriteInteger(ik::Nikki::Section, ik::Nikki::FontSize, 11);
    Form1->Setup1Click();
    Form4->PageControl1.SetActivePageIndex(page);
}

// The settings window's mini-clock page, changed by hand so that the mini clock shows beside it,
// or its phone-book page with a page of the user's own titles chosen.
void ShowSetupPage(const std::string& scene) {
    auto ini = settings::Open();
    std::atexit([] {
        auto f = settings::Open();
        f.EraseSection(ik::Mini::Section);
        f.EraseSection(ik::TelePhone::Section);
        f.WriteBool(ik::Form::Section, ik::Form::Visible, true);
    });
    ini.EraseSection(ik::Mini::Section);
    ini.WriteInteger(ik::Mini::Section, ik::Mini::left, 360);
    ini.WriteInteger(ik::Mini::Section, ik::Mini::top, 120);
    ini.WriteString(ik::TelePhone::Section, ik::TelePhone::Title(3), "さ行");
    ini.WriteString(ik::TelePhone::Section, ik::TelePhone::ColumnTitle(3, 1), "お名前");
    ini.WriteString(ik::TelePhone::Section, ik::TelePhone::Browser, "C:\\Program Files\\Web\\web.exe");
    Form1->Setup1Click();
    if (scene == "setuppage10") {
        Form4->PageControl1.SetActivePageIndex(9);
        Form4->TabControl1.SetTabIndex(3);
        return;
    }
    Form4->PageControl1.SetActivePageIndex(8);
    Form4->SpinEdit3.SetValue(18);
    Form4->SpinEdit6.SetValue(300);
    Form4->RadioGroup9.SetItemIndex(1);
    Form4->SpinEdit7.SetValue(11);
    Form4->CheckBox11.SetChecked(true);
    Form1->Timer1Timer(true);
    Form4->BringToFront();
}

// Cancels the print dialog that a modal run holds open.
void CALLBACK CancelDialogLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND d = FindWindowA("#32770", nullptr)) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK ConfirmBoxLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND d = FindWindowA("#32770", nullptr)) PostMessageA(d, WM_COMMAND, IDOK, 0);
}

// The cycle tracker with six registered dates, a note, and the third forecast cycle's marks.
// Released as the scene ends.
HANDLE gHeld = INVALID_HANDLE_VALUE;

void ShowPeriod(const std::string& scene) {
    auto ini = settings::Open();
    ini.WriteString(ik::Password::Section, ik::Password::Use, "0");
    ini.WriteInteger(ik::Peri::Section, ik::Peri::left, 180);
    ini.WriteInteger(ik::Peri::Section, ik::Peri::top, 60);
    tk::ForceDirectories(settings::PrivateDir() + "\\Period");
    tk::TIniFile own(PeriodIniPath());
    own.EraseSection(ik::PeriodFile::Section);
    StorePeriodDates(own, {"2024/01/03", "2024/01/31", "2024/03/01", "2024/03/28", "2024/04/27", "2024/05/24"});
    own.WriteString(ik::PeriodFile::Comment, "2024/05/24", "少し早め");
    if (scene == "period-held") {
        // Changed and then held by another program (a backup) as the window opens: said, read-only.
        std::string bytes;
        tk::ReadFileBytes(own.FileName, bytes);
        tk::WriteFileBytes(own.FileName, bytes + "\r\n");
        gHeld = CreateFileA(own.FileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetTimer(nullptr, 0, 7000, CancelDialogLater);
    }
    Form1->CalendarEx1.SetDay(1);
    Form1->Period1Click();
    if (!Form25) return;
    Form25->ListBox5.SetItemIndex(2);
    Form25->ListBox5Click();
}

// The day calculator: a span between two date-times, or an interval before a date-time.
void ShowDayCalc(const std::string& scene) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::DayCalc::Section, ik::DayCalc::left, 220);
    ini.WriteInteger(ik::DayCalc::Section, ik::DayCalc::top, 120);
    Form1->DayCalc1Click();
    TForm11& f = *Form11;
    const int first[] = {1999, 12, 31, 23, 59, 30}, second[] = {2024, 5, 3, 8, 15, 0};
    tk::SpinEdit* a[] = {&f.SpinEdit1, &f.SpinEdit2, &f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5, &f.SpinEdit14};
    tk::SpinEdit* b[] = {&f.SpinEdit6, &f.SpinEdit7, &f.SpinEdit8, &f.SpinEdit9, &f.SpinEdit10, &f.SpinEdit15};
    for (int i = 0; i < 6; ++i) a[i]->SetValue(first[i]), b[i]->SetValue(second[i]);
    if (scene == "daycalc-interval") {
        f.SpeedButton2.Click();
        f.SpeedButton3.Click();
        f.SpinEdit11.SetValue(10000);
        f.SpinEdit12.SetValue(5);
        f.SpinEdit13.SetValue(30);
    }
    f.BitBtn13Click();
}

// The association table with three entries and a fallback, one entry selected.
void ShowAssociation(const std::string&) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Ext_Form::Section, ik::Ext_Form::left, 240);
    ini.WriteInteger(ik::Ext_Form::Section, ik::Ext_Form::top, 160);
    ini.WriteString(ik::Ext_Form::Section, ik::Ext_Form::Exec, "C:\\Windows\\notepad.exe");
    ini.WriteString(ik::Ext_Exec::Section, ".txt", "C:\\Tools\\Editor\\edit.exe");
    ini.WriteString(ik::Ext_Exec::Section, ".jpg", "C:\\Tools\\Viewer\\view.exe?-full");
    ini.WriteString(ik::Ext_Exec::Section, ".mid", "C:\\Tools\\Player\\play.exe");
    Form1->Association1Click();
    Form33->ListBox1.SetItemIndex(1);
    Form33->ListBox1Click();
}

// The phone book with two filled pages: the first page, or the results of a search for "03".
void ShowPhoneBook(const std::string& scene) {
    auto ini = settings::Open();
    namespace tp = ik::TelePhone;
    ini.WriteString(ik::Password::Section, ik::Password::Use, "0");
    ini.WriteInteger(tp::Telephone, tp::left, 150);
    ini.WriteInteger(tp::Telephone, tp::top, 90);
    ini.WriteInteger(tp::Section, tp::Tab, 0);
    ini.WriteBool(tp::Section, tp::Edit, scene == "phonesearch");
    ini.WriteBool(tp::Section, tp::Sort, scene == "phonesearch");
    ini.WriteInteger(tp::Section, tp::ColumnWidth(0, 0), 110);
    ini.WriteInteger(tp::Section, tp::ColumnWidth(0, 2), 96);
    std::string dir = settings::DataDir() + "\\Tel";
    tk::ForceDirectories(dir);
    telbook::Page first = telbook::EmptyPage(), second = telbook::EmptyPage();
    first[0] = {"東海商事 営業部", "山田 太郎", "03-1234-5678", "yamada@example.jp", "http://www.example.jp/"};
    first[1] = {"", "佐藤 花子", "045-987-6543", "hanako@example.ne.jp", ""};
    first[2] = {"表計算ソフト研究会", "鈴木 一郎", "06-4321-0987", "", "http://soft.example.org/"};
    first[3] = {"市役所 市民課", "", "03-3333-1111", "", ""};
    second[0] = {"あおば歯科", "青葉 先生", "03-5555-0303", "", "http://aoba.example.com/"};
    second[1] = {"", "荒井 健", "090-1111-2222", "arai@example.com", ""};
    tk::WriteFileSafely(telbook::PageFile(dir, 0), telbook::PageText(first));
    tk::WriteFileSafely(telbook::PageFile(dir, 1), telbook::PageText(second));
    Form1->Telephone1Click();
    if (!Form3) return;
    if (scene == "phonesheet") {
        // A page a spreadsheet wrote, with a cell of two lines: shown, said, never saved over.
        tk::WriteFileBytes(telbook::PageFile(dir, 1),
                           "\"Yamada\r\nTaro\",03-1111-0000,taro@example.jp,\r\nSuzuki Hanako,03-2222-0000,,\r\n");
        SetTimer(nullptr, 0, 7000, CancelDialogLater);
        Form3->SetPage(1);
        return;
    }
    if (scene == "phonelost") {
        // Another program holds the second page open until the end.
        CreateFileA(telbook::PageFile(dir, 1).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetTimer(nullptr, 0, 7000, CancelDialogLater);
        Form3->SetPage(1);
        return;
    }
    if (scene == "phonesearch") {
        Form3->Edit1.SetText("03");
        Form3->BitBtn4Click();
        Form3->StringGrid1.FocusCell(Form3->StringGrid1.FixedCols(), 2);
        Form3->StringGrid1Click();
    } else {
        Form3->StringGrid1.FocusCell(0, 0);
        Form3->StringGrid1.FocusCell(1, 0);
        Form3->StringGrid1Click();
    }
}

// The launcher menu with two submenus, one with a third level: its editor with an item parked on
// the stack, the submenu's editor over it, or the menu popped up from the main window with its
// first submenu open.
void ShowLauncher(const std::string& scene) {
    auto ini = settings::Open();
    SaveMenuEntries(ini, "Main", {{"メモ帳", "C:\\Windows\\notepad.exe", false},
                                  {"ツール", "", true},
                                  {"インターネット", "", true},
                                  {"-", "-", false},
                                  {"電卓", "C:\\Windows\\system32\\calc.exe", false},
                                  {"ペイント", "C:\\Windows\\system32\\mspaint.exe", false}});
    SaveMenuEntries(ini, "Main-ツール", {{"エクスプローラ", "C:\\Windows\\explorer.exe", false},
                                         {"コマンド プロンプト", "C:\\Windows\\system32\\cmd.exe", false},
                                         {"画像", "", true}});
    SaveMenuEntries(ini, "Main-ツール-画像", {{"ビューア", "C:\\Tools\\Viewer\\view.exe?-full", false}});
    SaveMenuEntries(ini, "Main-インターネット", {{"ブラウザ", "C:\\Program Files\\Browser\\browser.exe", false},
                                               {"メール", "C:\\Program Files\\Mail\\mail.exe", false}});
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Left(1), 150);
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Top(1), 120);
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Left(2), 330);
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Top(2), 230);
    static TForm30* top = nullptr;
    struct Later {
        static void CALLBACK OpenSubmenu(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            if (top) top->BitBtn10Click();
        }
        static void CALLBACK CloseEditors(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            for (const char* caption : {"SubMenu Editor", "Menu Editor"})
                if (HWND w = FindWindowA(nullptr, caption)) PostMessageA(w, WM_CLOSE, 0, 0);
        }
    };
    if (scene == "launchermenu") {
        Form1->FormResize();
        SetTimer(nullptr, 0, 6000, EndMenuLater);
        PostMessageA(Form1->Handle, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(Form1->Handle, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(Form1->Handle, WM_KEYDOWN, VK_RIGHT, 0);
        POINT p = Form1->ClientToScreen({80, 40});
        Form1->PopupMenu2.Popup(p.x, p.y);
        return;
    }
    SetMenuEditorHookForTest([scene](TForm30& e) {
        if (e.List->Depth() == 1) {
            top = &e;
            e.ListBox1.SetItemIndex(5);  // "ペイント" parked on the stack
            e.ListBox1Click();
            e.BitBtn3Click();
            e.ListBox1.SetItemIndex(scene == "submenueditor" ? 1 : 0);
            e.ListBox1Click();
            if (scene == "submenueditor") {
                e.BitBtn4Click();  // the submenu's editor starts from this menu as saved
                e.ListBox1.SetItemIndex(1);
                e.ListBox1Click();
                SetTimer(nullptr, 0, 500, Later::OpenSubmenu);
            }
        } else {
            e.ListBox1.SetItemIndex(1);
            e.ListBox1Click();
        }
    });
    SetTimer(nullptr, 0, 6000, Later::CloseEditors);
    Form1->Config1Click();
    SetMenuEditorHookForTest(nullptr);
    tk::Application.Terminated = true;
}


// Memo groups of a memo store of their own: "memogroups" the group editor with two memos moved
// to another group, "memotitle" a memo's title dialog, "memomenu" the memo menu popped up from
// the main window with its first group open.
void ShowMemoGroups(const std::string& scene) {
    std::string own = dataDir + "\\groupscene", M = own + "\\Memo\\";
    tk::ForceDirectories(own + "\\Memo");
    auto ini = settings::Open();
    ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, own);
    ini.WriteString(ik::Memo_bun::Section, "0", "買い物");
    ini.WriteString(ik::Memo_bun::Section, "1", "仕事");
    ini.WriteString(ik::Memo_bun::Section, "2", "家族");
    const std::vector<std::vector<std::string>> groups = {
        {"牛乳と卵", "電池 単三×4", "表紙の厚いノート", "クリーニング受け取り"},
        {"会議の議事録", "見積もりの送付", "出張の予定"},
        {"誕生日の贈り物", "旅行の計画"},
    };
    int n = 1;
    for (int g = 0; g < (int)groups.size(); ++g) {
        ini.EraseSection(ik::MemoStore::GroupSection(g, M));
        for (const std::string& title : groups[g]) {
            std::string name = "Memo" + std::to_string(n++);
            ini.WriteString(ik::MemoStore::GroupSection(g, M), name, title);
            ini.WriteInteger(ik::MemoStore::MemoSection(name, M), ik::MemoStore::Show, 0);
        }
    }
    for (int g = 0; g < ik::MemoStore::Groups; ++g) Form1->ComboBox1.Items.SetStrings(g, MemoGroupName(ini, g));
    Form1->ComboBox1.SetItemIndex(0);
    Form1->MemosChanged();
    if (scene == "memogroups") {
        auto* editor = new TForm21();
        editor->Show();
        editor->SetBounds(60, 40, 517, 430);
        Form21 = editor;
        editor->ComboBox2.SetItemIndex(2);
        editor->ComboBox2Change();
        for (int pick : {1, 2}) {
            editor->ListBox1.SetItemIndex(pick);
            editor->ListBox1Click();
            editor->BitBtn2Click();
        }
        editor->ListBox1.SetItemIndex(0);
        editor->ListBox1Click();
        editor->StatusBar1.SetSimpleText("Saveボタンを押すまで保存されません。");
    } else if (scene == "memotitle") {
        Form1->MemoMenu1Click(0, 0);
        TForm18* m = Form18;
        m->SetBounds(80, 80, 360, 200);
        auto* dialog = new TForm19();
        dialog->SetCaption(m->Title());
        dialog->Edit1.SetCaption("牛乳と卵とパン");
        dialog->RestorePosition(m->Left(), m->Top());
        dialog->Show();
    } else if (scene == "memomenu") {
        struct Later {
            static void CALLBACK Open(HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                for (BYTE key : {VK_DOWN, VK_RIGHT}) {
                    keybd_event(key, 0, 0, 0);
                    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
                }
            }
        };
        SetTimer(nullptr, 0, 800, Later::Open);
        SetTimer(nullptr, 0, 6000, EndMenuLater);
        POINT p = Form1->ClientToScreen({40, 40});
        Form1->PopupMenu4.Popup(p.x, p.y);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string scene = __argc > 1 ? __argv[1] : "page0";
    int seconds = __argc > 2 ? atoi(__argv[2]) : 6;
    HANDLE held = INVALID_HANDLE_VALUE;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    Prepare(scene);
    if (scene == "printed") {
        PrintSample();
        return 0;
    }
    if (scene == "password" || scene == "password-set") {
        auto ini = settings::Open();
        ini.EraseSection("Password");
        if (scene == "password-set") {
            ini.WriteString("Password", "Password", "secret");
            ini.WriteString("Password", "Diary", "2001/05/03 14:05:09");
            ini.WriteString("Password", "Period", "2001/04/28 08:30:12");
        }
    }
    if (scene == "richpane") {
        auto* pane = new RichPaneScene();
        pane->OpenDialogs();
    } else if (scene == "splash") {
        tk::Application.CreateForm(Form26);
        Form26->Show();
    } else {
        if (scene == "firststart") {
            // A settings file of its own that does not exist yet: the program's first start.
            std::string first = dataDir + "\\firststart.ini";
            DeleteFileA(first.c_str());
            settings::SetIniPathForTest(first);
        }
        tk::Application.CreateForm(Form1);
        if (scene.rfind("about", 0) == 0) Form1->About1Click();
        if (scene.rfind("about-", 0) == 0) GlyphButtonState(scene);
        if (scene == "reminder") ShowReminder("own");
        if (scene == "reminder-builtin") ShowReminder("builtin");
        if (scene == "reminder-fallback") ShowReminder("fallback");
        if (scene.rfind("register", 0) == 0) ShowRegister(scene);
        if (scene.rfind("schedule-", 0) == 0) ShowScheduleEditor(scene);
        if (scene.rfind("period", 0) == 0) ShowPeriod(scene);
        if (scene.rfind("daycalc", 0) == 0) ShowDayCalc(scene);
        if (scene == "association") ShowAssociation(scene);
        if (scene.rfind("phone", 0) == 0) ShowPhoneBook(scene);
        if (scene == "restored") {
            ShowPhoneBook("phonebook");
            if (Form3) {
                Form3->StringGrid1.FocusCell(1, 4);
                for (char c : std::string("Kimura Jiro")) SendMessageA(Form3->StringGrid1.Handle, WM_CHAR, (BYTE)c, 0);
            }
            ShowMemo("memo-restored");
            HWND owner = tk::Application.Handle;
            ShowWindow(owner, SW_SHOWNOACTIVATE);
            DefWindowProcA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            tk::Application.ProcessMessages();
            Sleep(500);
            SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        if (scene == "menueditor" || scene == "submenueditor" || scene == "launchermenu") ShowLauncher(scene);
        if (scene.rfind("gtimer", 0) == 0) ShowCountdown(scene);
        if (scene == "jump") ShowJump();
        if (scene.rfind("manage", 0) == 0) ShowManagement(scene);
        if (scene == "password" || scene == "password-set") {
            tk::Application.CreateForm(Form34);
            Form34->Show();
            if (scene == "password-set") Form34->Edit5.SetText("secret");
        }
        if (scene == "password-unreadable") {
            // The note held open without sharing: the prompt says so and shows it read-only.
            std::string note = dataDir + "\\Password\\message.txt";
            tk::ForceDirectories(dataDir + "\\Password");
            tk::WriteFileBytes(note, "家族へ\r\n");
            HANDLE held = CreateFileA(note.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            std::string said;
            tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
                said = c.text;
                return IDOK;
            });
            tk::Application.CreateForm(Form34);
            tk::SetMessageBoxHookForTest(nullptr);
            Form34->Show();
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            tk::MessageDlg(Form34->Handle, said, Form34->Caption(), MB_OK | MB_ICONWARNING);
            CloseHandle(held);
        }
        if (scene == "print-dialog") {
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            printf("dialog: %d\n", tk::ExecutePrintDialog(Form1->Handle));
        }
        if (scene.size() == 6 && scene.rfind("setup", 0) == 0) ShowSetup(scene[5] - '1');
        if (scene.rfind("setuppage", 0) == 0) ShowSetupPage(scene);
        if (scene == "memo-place") {
            ShowSetup(5);
            tk::SetMessageBoxHookForTest([](const tk::MsgBoxCall&) { return IDYES; });
            SetTimer(nullptr, 0, (seconds - 1) * 1000, ClosePlacementLater);
            Form4->BitBtn39Click();
            tk::SetMessageBoxHookForTest(nullptr);
        }
        if (scene == "setup-folder") {
            settings::Open().WriteString(ik::Calendar::Section, ik::Calendar::Directory, "C:\\windows\\system32\\drivers");
            ShowSetup(0);
            tk::SetMessageBoxHookForTest([](const tk::MsgBoxCall&) { return IDOK; });
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            Form4->BitBtn1.Click();
            tk::SetMessageBoxHookForTest(nullptr);
        }
        if (scene == "setup-unwritable") {
            // The question before the dialog is answered; the warning after it stays until the end.
            ShowSetup(0);
            tk::SetDialogHookForTest([](tk::CommonDialog& d) {
                static_cast<tk::FolderDialog&>(d).Directory = "Z:\\proc";
                return true;
            });
            SetTimer(nullptr, 0, 500, ConfirmBoxLater);
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            Form4->BitBtn1.Click();
            tk::SetDialogHookForTest(nullptr);
        }
        if (scene == "wait") {
            tk::Application.CreateForm(Form35);
            Form35->Label1.SetCaption("メモを読み込んでいます。");
            Form35->Show();
        }
        if (scene.rfind("editor", 0) == 0 || scene == "template") ShowEditor(scene);
        if (scene == "sound") ShowSoundChooser();
        if (scene.rfind("memo-", 0) == 0) ShowMemo(scene);
        if (scene == "goal" || scene == "timeband" || scene == "goal-dblclick") ShowGoals(scene);
        if (scene == "year-refused") Form1->BirthDay1Click();
        if (scene == "diary-format") ShowDiaryFormat();
        else if (scene.rfind("diary", 0) == 0) ShowDiary(scene);
        if (scene == "nikki-list") ShowNikkiList();
        if (scene == "diarysearch") ShowDiarySearch();
        if (scene == "todoboard" || scene == "todo-add") ShowTodoBoard();
        if (scene == "todo-add") Form15->BitBtn2Click();
        if (scene == "memolist") ShowMemoList();
        if (scene.rfind("mini-", 0) == 0 || scene == "toolwindow" || scene == "trayhost") ShowAround(scene);
        if (scene == "restored-main" || scene == "traymenu") ShowTrayWays(scene, seconds);
        if (scene == "marks") Form1->PageControl1.SetActivePageIndex(1);
        if (scene == "dayview") {
            Form1->PageControl1.SetActivePageIndex(3);
            Form1->CalendarEx1Change();
        }
        if (scene == "quickview") {
            // A click in the grid on Tuesday the 7th (the moved entry's day), with the mouse there.
            Form1->PageControl1.SetActivePageIndex(1);
            Form1->CalendarEx1.SetDay(7);
            RECT rc = Form1->CalendarEx1.CellRect(Form1->CalendarEx1.Col(), Form1->CalendarEx1.Row());
            POINT p = Form1->CalendarEx1.ClientToScreen({rc.left + 4, rc.top + 4});
            SetCursorPos(p.x, p.y);
            Form1->CalendarEx1Click();
            Form1->CalendarEx1Change();
        }
        if (scene.rfind("list", 0) == 0) ShowScheduleList(scene);
        if (scene == "end-held") {
            // The schedule list closed while another program holds the settings file, then the end
            // from the main window at its default place, the top right: its box names the place kept.
            ShowScheduleList("list");
            Form1->RestorePosition(GetSystemMetrics(SM_CXSCREEN) - Form1->Width(), 0);
            Form1->Show();
            held = CreateFileA(settings::IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            SendMessageA(Form2->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            PostMessageA(Form1->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CloseBoxes);
        }
        if (scene == "memogroups" || scene == "memotitle" || scene == "memomenu") ShowMemoGroups(scene);
        if (scene == "menu") {
            // The context menu stays open until a timer ends it.
            SetTimer(nullptr, 0, (seconds - 1) * 1000, EndMenuLater);
            POINT p = Form1->ClientToScreen({120, 60});
            Form1->PopupMenu1.Popup(p.x, p.y);
        }
    }
    std::unique_ptr<TTrayIcon> clock, memo;
    tk::ImageList frames;
    if (scene == "tray") ShowTrayIcons(clock, memo, frames);
    HWND hintTarget = nullptr;
    if (scene == "hint-band") hintTarget = Form1->SGauge4.Handle;
    if (scene == "hint-month") hintTarget = Form1->SGauge3.Handle;
    DWORD start = GetTickCount(), end = start + seconds * 1000;
    bool goalPlaced = false;
    for (int step = 0; GetTickCount() < end && !tk::Application.Terminated; ++step) {
        // The first window of a fresh Wine may map late: move onto the control again a few times.
        if (hintTarget && step % 25 == 0 && step <= 50) {
            RECT r;
            GetWindowRect(hintTarget, &r);
            SetCursorPos((r.left + r.right) / 2 - (step / 25) % 2 * 4, (r.top + r.bottom) / 2);
        }
        // Real input once the windows are up: a double click on the goal box, or a year typed.
        if (step == 25 && scene == "goal-dblclick") {
            RECT r;
            GetWindowRect(Form1->ComboBox3.Handle, &r);
            SetCursorPos(r.left + 30, (r.top + r.bottom) / 2);
            for (int i = 0; i < 2; ++i) {
                mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
                mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            }
        }
        if (step == 25 && scene == "year-refused") {
            SetTimer(nullptr, 0, 3000, CloseBoxes);
            Form16->SpinEdit1.SetFocus();
            Form16->SpinEdit1.SelectAll();
            for (BYTE key : {'2', '0', '3', '0'}) {
                keybd_event(key, 0, 0, 0);
                keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
            }
        }
        if (scene == "goal-dblclick" && Form6 && !goalPlaced) {
            PlaceGoalWindow();
            goalPlaced = true;
        }
        tk::Application.ProcessMessages();
        Sleep(20);
    }
    if (scene == "about-down") {
        // Let go away from the button, so the press ends without a click.
        SetCursorPos(0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    // Ends as the program does, by closing the main window: its tray icons and their thread go first.
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (gHeld != INVALID_HANDLE_VALUE) CloseHandle(gHeld);
    if (Form1) Form1->Close();
    return 0;
}
