// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about about-hot about-down about-off splash reminder
//         birthday menu tray
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "calendar/HolidayRules.h"
#include "controls/TrayIcon.h"
#include "mainwindow/Main.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/ImageList.h"
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
        if (scene.rfind("about", 0) == 0) Form1->About1Click();
        if (scene.rfind("about-", 0) == 0) GlyphButtonState(scene);
        if (scene == "reminder") ShowReminder();
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
    DWORD end = GetTickCount() + seconds * 1000;
    while (GetTickCount() < end && !tk::Application.Terminated) {
        tk::Application.ProcessMessages();
        Sleep(20);
    }
    if (scene == "about-down") {
        // Let go away from the button, so the press ends without a click.
        SetCursorPos(0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    return 0;
}
