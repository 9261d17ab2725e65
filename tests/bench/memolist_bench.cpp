// How long the memo list takes to build its tree: 200 memos over the ten groups (20 each), from
// the reload to the window painted, the please-wait window included, as in a running program.
// Usage: memolist_bench.exe [memos]   (default 200)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "notes/memo_Tree.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using bench::CpuMs;
using bench::Median;
using bench::NowMs;
namespace ms = inikey::MemoStore;

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 200;
    if (count < 1) count = 200;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string own = std::string(tmp) + "orbal-memolistbench";
    tk::ForceDirectories(own + "\\Memo");
    bench::UseBenchSettings("orbal-memolistbench", own);
    std::string M = own + "\\Memo\\";
    {
        auto f = settings::Open();
        for (int g = 0; g < ms::Groups; ++g) f.EraseSection(ms::GroupSection(g, M));
        f.WriteInteger(ms::CountSection(M), ms::Count, count);
        for (int i = 1; i <= count; ++i) {
            std::string name = "Memo" + std::to_string(i);
            f.WriteString(ms::GroupSection(i % ms::Groups, M), name, "買い物のメモ " + std::to_string(i));
            if (!tk::FileExists(M + name)) tk::WriteFileBytes(M + name, "{\\rtf1 memo " + std::to_string(i) + "}");
        }
    }
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Tag = 1;  // a running program: the please-wait window shows
    double first = NowMs();
    Form1->MemoTree1Click();
    RedrawWindow(Form28->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    first = NowMs() - first;
    tk::Application.ProcessMessages();
    const int runs = 15;
    std::vector<double> times, cpu;
    for (int run = 0; run < runs; ++run) {
        double s = NowMs(), c = CpuMs();
        Form28->BitBtn1Click();
        RedrawWindow(Form28->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        times.push_back(NowMs() - s);
        cpu.push_back(CpuMs() - c);
        tk::Application.ProcessMessages();
    }
    std::printf("memo list of %d memos in %d groups (please-wait window, tree built, first memo group shown, "
                "painted, %d runs): median %.1f ms, min %.1f ms, max %.1f ms; %d nodes\n",
                count, ms::Groups, runs, Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), Form28->TreeView1.Count());
    std::printf("  processor time of this process: median %.1f ms\n", Median(cpu));
    std::printf("first opening (window created, tree built, painted): %.1f ms\n", first);
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
