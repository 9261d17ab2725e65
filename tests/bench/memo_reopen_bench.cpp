// How long the start-up takes to reopen the sticky memos left open: 20 shown memos over the ten
// groups (text of about 2 KB each, two of them small squares), from the reload of the first group
// to every memo window painted, the please-wait window included.
// Usage: memo_reopen_bench.exe [memos] [with toolbar]   (default 20 memos, none showing its
// formatting bar, as memos start; each bar adds its font box and buttons)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Sound.h"

using bench::CpuMs;
using bench::Median;
using bench::NowMs;
namespace ms = inikey::MemoStore;

namespace {

// A memo's text as the memo window saves it: a few formatted Japanese paragraphs.
std::string MemoRtf(int n) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}"
                    "{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs18 ";
    // "買い物メモ" and "牛乳、卵、パン、表の花" as escapes, repeated to about 2 KB.
    const char* line = "\\'94\\'83\\'82\\'a2\\'95\\'a8\\'83\\'81\\'83\\'82 ";
    for (int i = 0; i < 24; ++i) {
        r += i % 3 == 0 ? "\\b " : "\\b0 ";
        if (i % 5 == 0) r += "\\cf1 ";
        r += line + std::to_string(n) + "-" + std::to_string(i) + "\\cf0\\par ";
    }
    return r + "}";
}

// The floor under Wine on this machine now: as many bare windows with a rich edit holding the
// same text, shown and painted.
double BareWindows(int count, const std::string& folder) {
    std::vector<tk::Form*> forms;
    double start = NowMs();
    for (int i = 0; i < count; ++i) {
        auto* f = new tk::Form({.caption = "bare", .left = 300 + i * 12, .top = 20 + i * 14, .width = 220, .height = 140});
        auto* text = new tk::RichEdit;
        text->Create(*f, {.align = tk::Align::Client, .style = tk::reVScroll | tk::reNoBorder});
        text->LoadFromFile(folder + "Memo" + std::to_string(i + 1));
        ShowWindow(f->Handle, SW_SHOWNOACTIVATE);
        forms.push_back(f);
    }
    for (tk::Form* f : forms) RedrawWindow(f->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    double took = NowMs() - start;
    for (tk::Form* f : forms) f->Destroy();  // the rich edits leak with the benchmark: no matter
    tk::Application.ProcessMessages();
    return took;
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 20;
    if (count < 1) count = 20;
    int bars = argc > 2 ? std::atoi(argv[2]) : 0;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string own = std::string(tmp) + "orbal-memobench";
    tk::ForceDirectories(own + "\\Memo");
    std::string ini = own + "\\orbal98.ini";
    DeleteFileA(ini.c_str());
    settings::SetIniPathForTest(ini);
    std::string M = own + "\\Memo\\";
    {
        auto f = settings::Open();
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", own);
        f.WriteInteger("Form", "Open", 1);
        f.WriteInteger(ms::CountSection(M), ms::Count, count);
        for (int i = 1; i <= count; ++i) {
            std::string name = "Memo" + std::to_string(i), s = ms::MemoSection(name, M);
            f.WriteString(ms::GroupSection(i % ms::Groups, M), name, "メモ" + std::to_string(i));
            f.WriteInteger(s, ms::Show, 1);
            f.WriteInteger(s, ms::Top, 20 + i * 14);
            f.WriteInteger(s, ms::Left, 300 + i * 12);
            f.WriteInteger(s, ms::Width, 220);
            f.WriteInteger(s, ms::Height, 140);
            f.WriteInteger(s, ms::ToolBar, i <= bars);
            f.WriteInteger(s, ms::peti, i % 10 == 5);
            f.WriteInteger(s, ms::P_Top, 700);
            f.WriteInteger(s, ms::P_Left, 40 * i);
            tk::WriteFileBytes(M + name, MemoRtf(i));
        }
    }

    // The first main window reopens them once; each run then closes them unseen and reopens.
    double first = NowMs();
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    first = NowMs() - first;
    tk::Application.ProcessMessages();
    const int runs = 15;
    std::vector<double> times, cpu, bare;
    for (int run = 0; run < runs; ++run) {
        for (TForm18* m : OpenMemoWindows()) {
            m->PopupMenu1.Tag = 1;  // the benchmark's own state stays as written
            m->Destroy();
        }
        tk::Application.ProcessMessages();
        Form1->ComboBox1.Tag = 0;
        auto f = settings::Open();
        double s = NowMs(), c = CpuMs();
        Form1->LoadMemoGroups(f);
        for (TForm18* m : OpenMemoWindows())
            RedrawWindow(m->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        times.push_back(NowMs() - s);
        cpu.push_back(CpuMs() - c);
        tk::Application.ProcessMessages();
        bare.push_back(BareWindows(count, M));
    }
    std::printf("reopening %d shown memos, %d with the formatting bar (please-wait window, windows created, files loaded, painted, %d runs): "
                "median %.1f ms, min %.1f ms, max %.1f ms; %d windows open\n",
                count, bars, runs, Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), (int)OpenMemoWindows().size());
    std::printf("  processor time of this process: median %.1f ms; %d bare windows with a rich edit "
                "loading the same text, shown and painted, in the same runs: median %.1f ms\n",
                Median(cpu), count, Median(bare));
    std::printf("first main window with its memos (first window of the process included): %.1f ms\n", first);
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
