// Shows one window of the program with sample data for a screenshot, then ends:
//   show_windows.exe <scene> [seconds]
// scenes: page0 page1 page2 page3 digital analog about splash reminder reminder-builtin
//         reminder-fallback birthday menu
//         password password-set wait print-dialog printed (prints a page to the default printer and ends)
//         setup1 .. setup8 (the settings window's pages) memo-place (where a new memo opens)
//         setup-folder (choosing the data folder)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "mainwindow/title.h"
#include "notes/password.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
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

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
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
        if (scene == "reminder") ShowReminder("own");
        if (scene == "reminder-builtin") ShowReminder("builtin");
        if (scene == "reminder-fallback") ShowReminder("fallback");
        if (scene == "password" || scene == "password-set") {
            tk::Application.CreateForm(Form34);
            Form34->Show();
            if (scene == "password-set") Form34->Edit5.SetText("secret");
        }
        if (scene == "print-dialog") {
            SetTimer(nullptr, 0, (seconds - 1) * 1000, CancelDialogLater);
            printf("dialog: %d\n", tk::ExecutePrintDialog(Form1->Handle));
        }
        if (scene.size() == 6 && scene.rfind("setup", 0) == 0) ShowSetup(scene[5] - '1');
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
