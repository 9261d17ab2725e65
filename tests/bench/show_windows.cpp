// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about splash reminder birthday menu
//         editor-day editor-week editor-uptime sound template
#include <windows.h>

#include <cstdio>
#include <string>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "schedule/Pop_sel.h"
#include "schedule/Popup.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

namespace {

std::string dataDir;

void Prepare(const std::string& scene) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    dataDir = std::string(tmp) + "orbal-show";
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
        if (scene.rfind("editor", 0) == 0 || scene == "template") ShowEditor(scene);
        if (scene == "sound") ShowSoundChooser();
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
