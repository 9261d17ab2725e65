// How long the diary takes to open a day whose body is 50 KB of formatted rich text (from the main
// window's command to the painted window) and to save that day; beside it the floors Wine sets
// for the same work: a bare window whose one rich edit streams in the same text, and a bare
// window with as many plain child windows as the diary has.
// Usage: diary_bench.exe [runs]   (default 21)
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "notes/DiaryFile.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "tests/bench/BenchRtf.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using bench::FormattedRtf;
using bench::Median;
using bench::NowMs;

namespace {

// What Wine itself asks for the same work: a bare top-level window with one rich edit that
// streams the same rich text in, is shown and painted. The floor under the diary's figures.
struct Bare {
    double create, load, show, paint;
};

DWORD CALLBACK FromString(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
    auto* rest = (std::string*)cookie;
    *done = (LONG)std::min<size_t>(cb, rest->size());
    std::memcpy(buf, rest->data(), *done);
    rest->erase(0, *done);
    return 0;
}

// A hidden top-level window of the diary's size, of a class that draws nothing of its own.
HWND BareTopLevel() {
    static const char* cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "OrbalBareBench";
        RegisterClassA(&wc);
        return "OrbalBareBench";
    }();
    return CreateWindowExA(0, cls, "bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 588, 460, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Shows the window, paints it as the diary's bench does, and closes it.
void ShowPaintAndClose(HWND w, Bare& b) {
    double s = NowMs();
    ShowWindow(w, SW_SHOW);
    b.show = NowMs() - s;
    s = NowMs();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    b.paint = NowMs() - s;
    DestroyWindow(w);
    tk::Application.ProcessMessages();
}

Bare BareRichWindow(const std::string& rtf) {
    Bare b{};
    double s = NowMs();
    HWND w = BareTopLevel();
    RECT rc;
    GetClientRect(w, &rc);
    HWND re = CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE,
                              0, 106, rc.right, rc.bottom - 126, w, nullptr, GetModuleHandleA(nullptr), nullptr);
    b.create = NowMs() - s;
    s = NowMs();
    std::string rest = rtf;
    EDITSTREAM es{(DWORD_PTR)&rest, 0, FromString};
    SendMessageA(re, EM_STREAMIN, SF_RTF, (LPARAM)&es);
    b.load = NowMs() - s;
    ShowPaintAndClose(w, b);
    return b;
}

// The other floor: as many plain static child windows as the diary has, each with a caption,
// created, shown and painted (what a window of that many controls costs here before any of ours).
Bare BareChildren(int count) {
    Bare b{};
    double s = NowMs();
    HWND w = BareTopLevel();
    for (int i = 0; i < count; ++i)
        CreateWindowExA(0, "STATIC", "ab", WS_CHILD | WS_VISIBLE, (i % 20) * 28, (i / 20) * 24, 26, 22, w, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    b.create = NowMs() - s;
    ShowPaintAndClose(w, b);
    return b;
}

// Medians of a floor's runs, stage by stage.
struct Floor {
    std::vector<double> total, create, load, show, paint;
    void Add(const Bare& b) {
        total.push_back(b.create + b.load + b.show + b.paint);
        create.push_back(b.create);
        load.push_back(b.load);
        show.push_back(b.show);
        paint.push_back(b.paint);
    }
};

BOOL CALLBACK CountOne(HWND, LPARAM n) {
    ++*(int*)n;
    return TRUE;
}

int CountChildren(HWND w) {
    int n = 0;
    EnumChildWindows(w, CountOne, (LPARAM)&n);
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    if (runs < 1) runs = 21;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string data = std::string(tmp) + "orbal-diarybench";
    tk::ForceDirectories(data + "\\Diary");
    settings::SetIniPathForTest(data + "\\orbal98.ini");
    {
        auto ini = settings::Open();
        ini.WriteInteger("Horiday", "Set", 1);
        ini.WriteString("Calendar", "Directory", data);
        ini.WriteInteger("Form", "Open", 1);
    }
    const int y = 2024, m = 5, d = 3;
    int day = (int)rtl::EncodeDate(y, m, d);
    std::string path = data + "\\Diary\\" + diary::DayFileName(day);
    std::string rtf = FormattedRtf(50 * 1024);
    diary::DayHeader h;
    h.title = "五月三日";
    h.weather = "晴 のち 曇";
    tk::WriteFileBytes(path, diary::ComposeDayFile(h, rtf, diary::Layout::DayFile));

    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->CalendarEx1.SetYear(y);
    Form1->CalendarEx1.SetDay(1);
    Form1->CalendarEx1.SetMonth(m);
    Form1->CalendarEx1.SetDay(d);
    tk::Application.ProcessMessages();

    std::vector<double> open, save;
    int chars = 0, paragraphs = 0;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->Diary1Click();
        TForm8* w = FindOpenDiary(day);
        if (!w) {
            std::printf("the diary did not open\n");
            return 1;
        }
        RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        open.push_back(NowMs() - s);
        chars = w->RichEdit1.GetTextLen();
        paragraphs = w->RichEdit1.Lines.Count();
        s = NowMs();
        if (!w->SaveDay()) {
            std::printf("the save failed\n");
            return 1;
        }
        save.push_back(NowMs() - s);
        // Closed without a second save, so every run opens the same file.
        w->PanelButton9.Tag = 1;
        w->Close();
        tk::Application.ProcessMessages();
    }
    // Where the time of an opening goes.
    std::vector<double> create, load, paint;
    int windows = 0;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        TForm8* w = new TForm8;
        create.push_back(NowMs() - s);
        windows = CountChildren(w->Handle);
        w->StatusBar1.Tag = day;
        s = NowMs();
        w->Show();
        load.push_back(NowMs() - s);
        s = NowMs();
        RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        paint.push_back(NowMs() - s);
        w->PanelButton9.Tag = 1;
        w->Close();
        tk::Application.ProcessMessages();
    }
    Floor bare, kids;
    for (int i = 0; i < runs; ++i) {
        bare.Add(BareRichWindow(rtf));
        kids.Add(BareChildren(windows));
    }
    std::string saved;
    tk::ReadFileBytes(path, saved);
    std::printf("day file %s: %d bytes (body %d bytes of rich text), %d characters in %d paragraphs\n",
                path.c_str(), (int)saved.size(), (int)rtf.size(), chars, paragraphs);
    std::printf("open (command to painted window, %d runs): median %.2f ms, first %.2f ms, max %.2f ms\n", runs,
                Median(open), open[0], *std::max_element(open.begin(), open.end()));
    std::printf("  of which the window %.2f ms, showing and reading the day %.2f ms, painting %.2f ms\n",
                Median(create), Median(load), Median(paint));
    std::printf("  the diary window has %d child windows\n", windows);
    std::printf("a bare window with one rich edit, the same rich text: median %.2f ms (create %.2f, stream in %.2f, "
                "show %.2f, paint %.2f)\n",
                Median(bare.total), Median(bare.create), Median(bare.load), Median(bare.show), Median(bare.paint));
    std::printf("a bare window with %d static children: median %.2f ms (create %.2f, show %.2f, paint %.2f)\n", windows,
                Median(kids.total), Median(kids.create), Median(kids.show), Median(kids.paint));
    std::printf("save (header and rich text in one safe replacement, %d runs): median %.2f ms, max %.2f ms\n", runs,
                Median(save), *std::max_element(save.begin(), save.end()));
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
