// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about splash reminder birthday menu
//         marks dayview quickview (a fixed day, 2024-05-03, with holidays, birthdays and entries)
#include <windows.h>

#include <cstdio>
#include <string>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

namespace {

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
    ini.WriteInteger("Horiday", "Set", 1);
    for (auto& [k, v] : DefaultHolidays()) ini.WriteString("Horiday", k, v);
    ini.WriteString("Calendar", "Directory", dataDir);
    ini.WriteInteger("Form", "Open", 1);
    ini.WriteInteger("Form", "BirthPop", scene == "birthday" ? 1 : 0);
    ini.WriteString("Pop_Born", "Day", "0");
    ini.WriteInteger("Form", "ActiveP", scene.size() == 5 && scene.rfind("page", 0) == 0 ? scene[4] - '0' : 0);
    ini.WriteInteger("Form", "Disital", scene == "digital" || scene == "analog");
    ini.WriteInteger("Form", "AnalogClock", scene == "analog");
    ini.WriteString("MyGraph", "LG_Title", "仕事");
    ini.WriteString("MyGraph", "LG_Stime", rtl::FloatToStr(rtl::EncodeTime(9, 0, 0, 0)));
    ini.WriteString("MyGraph", "LG_Etime", rtl::FloatToStr(rtl::EncodeTime(18, 0, 0, 0)));
    ini.WriteString("MyGraph", "RG_Title", "睡眠");
    ini.WriteString("MyGraph", "RG_Stime", rtl::FloatToStr(rtl::EncodeTime(23, 0, 0, 0)));
    ini.WriteString("MyGraph", "RG_Etime", rtl::FloatToStr(rtl::EncodeTime(7, 0, 0, 0)));
    if (DayScene(scene)) {
        PrepareDay();
        return;
    }
    tk::WriteFileBytes(dataDir + "\\BORN" + rtl::FormatDateTime("mmdd", rtl::Date()) + ".71",
                       "山田 太郎さん（大学の同期）");
    tk::WriteFileBytes(dataDir + "\\BORN" + rtl::FormatDateTime("mmdd", rtl::Date()) + ".05", "姪の さくらちゃん");
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
    ini.WriteString(path, "bitmap", dataDir + "\\picture.bmp");
    ini.WriteInteger(path, "closetime", 60);
    // Let the next minute come at once: pretend the tick last saw another minute.
    Form1->LastMinute = "xxxx";
    rtl::TDateTime target = now + 1.0 / 1440;
    rtl::SetClockForTest([target] { return target; });
    Form1->Timer1Timer(true);
    rtl::SetClockForTest({});
}

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string scene = __argc > 1 ? __argv[1] : "page0";
    int seconds = __argc > 2 ? atoi(__argv[2]) : 6;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    Prepare(scene);
    if (scene == "splash") {
        tk::Application.CreateForm(Form26);
        Form26->Show();
    } else {
        tk::Application.CreateForm(Form1);
        if (scene == "about") Form1->About1Click();
        if (scene == "reminder") ShowReminder();
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
