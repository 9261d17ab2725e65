// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about splash reminder birthday menu
//         password password-set wait print-dialog printed (prints a page to the default printer and ends)
//         register register13 register-old (the birthday register on three dates, 12 or 13 signs)
#include <windows.h>

#include <cstdio>
#include <string>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "notes/password.h"
#include "schedule/Born.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Printer.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Sound.h"

namespace {

namespace ik = inikey;
std::string dataDir;

void Prepare(const std::string& scene) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    dataDir = std::string(tmp) + "orbal-show";
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

void ShowReminder() {
    // A reminder due now, with a picture, that closes itself after a minute.
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
    tk::TBitmap pic(128, 128);
    auto& c = pic.Canvas();
    for (int i = 0; i < 128; ++i) {
        c.Pen.Color = RGB(255 - i, 180 + i / 3, 90 + i);
        c.MoveTo(0, i);
        c.LineTo(128, i);
    }
    c.Brush.Color = 0x00D7FF;
    c.Pen.Color = 0x0080C0;
    c.Ellipse(24, 24, 104, 104);
    pic.SaveToFile(dataDir + "\\picture.bmp");
    auto ini = settings::Open();
    ini.WriteString(path, ik::Popup::bitmap, dataDir + "\\picture.bmp");
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

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// Cancels the print dialog that a modal run holds open.
void CALLBACK CancelDialogLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND d = FindWindowA("#32770", nullptr)) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string scene = __argc > 1 ? __argv[1] : "page0";
    int seconds = __argc > 2 ? atoi(__argv[2]) : 6;
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
    if (scene == "splash") {
        tk::Application.CreateForm(Form26);
        Form26->Show();
    } else {
        tk::Application.CreateForm(Form1);
        if (scene == "about") Form1->About1Click();
        if (scene == "reminder") ShowReminder();
        if (scene.rfind("register", 0) == 0) ShowRegister(scene);
        if (scene == "password" || scene == "password-set") {
            tk::Application.CreateForm(Form34);
            Form34->Show();
            if (scene == "password-set") Form34->Edit5.SetText("secret");
        }
        if (scene == "print-dialog") {
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            printf("dialog: %d\n", tk::ExecutePrintDialog(Form1->Handle));
        }
        if (scene == "wait") {
            tk::Application.CreateForm(Form35);
            Form35->Label1.SetCaption("メモを読み込んでいます。");
            Form35->Show();
        }
        if (scene == "menu") {
            // The context menu stays open until a timer ends it.
            SetTimer(nullptr, 0, (seconds - 1) * 1000, EndMenuLater);
            POINT p = Form1->ClientToScreen({120, 60});
            Form1->PopupMenu1.Popup(p.x, p.y);
        }
    }
    DWORD end = GetTickCount() + seconds * 1000;
    while (GetTickCount() < end && !tk::Application.Terminated) {
        tk::Application.ProcessMessages();
        Sleep(20);
    }
    return 0;
}
