// Benchmark: the main window's resize handler on the launcher menu after the first tick, for 100
// items over three levels (20 at the top, 4 of them submenus of 10 items, each with 2 submenus of
// 5): with the stored menus unchanged, and rebuilding after a change (please-wait window included):
// a title changed (the items stay and take their new titles) or an item added (the menu is made
// again).
//   launcher_bench.exe [rebuilds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "settings/execmenu.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Sound.h"

using bench::Median;
using bench::NowMs;

namespace {

// Stores menu with count items, the first `subs` of them submenus filled by fill.
int StoreMenu(tk::TIniFile& ini, const std::string& name, int count, int subs, int depth) {
    std::vector<MenuEntry> items;
    int total = count;
    for (int i = 0; i < count; ++i) {
        std::string title = "項目" + std::to_string(depth) + "-" + std::to_string(i);
        bool sub = i < subs;
        items.push_back({title, sub ? "" : "C:\\Program Files\\Tools\\tool" + std::to_string(i) + ".exe?-o", sub});
        if (sub) total += depth == 1 ? StoreMenu(ini, SubmenuName(name, title), 10, 2, 2)
                                     : StoreMenu(ini, SubmenuName(name, title), 5, 0, 3);
    }
    SaveMenuEntries(ini, name, items);
    return total;
}

int CountItems(const tk::MenuItem& m) {
    int n = 0;
    for (int i = 0; i < m.Count(); ++i) n += 1 + CountItems(m[i]);
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 50;
    if (runs < 1) runs = 50;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string data = std::string(tmp) + "orbal-launcherbench-data";
    tk::ForceDirectories(data);
    bench::UseBenchSettings("orbal-launcherbench", data);
    int stored;
    {
        auto ini = settings::Open();
        ini.EraseSection("ExecCommand");
        stored = StoreMenu(ini, "Main", 20, 4, 1);
    }
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Tag = 1;  // as after the first tick: the please-wait window shows
    tk::Application.ProcessMessages();

    // A changed menu: the first top-level title alternates, stored outside the timing.
    std::vector<MenuEntry> top = LoadMenuEntries(settings::Open(), "Main");
    auto change = [&](int i) {
        top[19].title = "項目1-19" + std::string(i % 2 ? "a" : "b");
        auto ini = settings::Open();
        SaveMenuEntries(ini, "Main", top);
        Form1->PopupMenu4.Tag = 0;
    };
    // A changed shape: an item added at the end of the top level, or taken away again.
    auto reshape = [&](int i) {
        std::vector<MenuEntry> items = top;
        if (i % 2 == 0) items.push_back({"追加", "C:\\x.exe", false});
        auto ini = settings::Open();
        SaveMenuEntries(ini, "Main", items);
        Form1->PopupMenu4.Tag = 0;
    };
    std::vector<double> resize, changed, reshaped, quiet, wait, load, commands, keyByKey, show, paint, hide;
    for (int i = 0; i < runs; ++i) {
        Form1->PopupMenu4.Tag = 0;
        double t0 = NowMs();
        Form1->FormResize();
        resize.push_back(NowMs() - t0);

        change(i);
        t0 = NowMs();
        Form1->FormResize();
        changed.push_back(NowMs() - t0);
        tk::Application.ProcessMessages();

        reshape(i);
        t0 = NowMs();
        Form1->FormResize();
        reshaped.push_back(NowMs() - t0);
        tk::Application.ProcessMessages();

        change(i + 1);
        Form1->Tag = 0;  // before the first tick: no please-wait window
        t0 = NowMs();
        Form1->FormResize();
        quiet.push_back(NowMs() - t0);
        Form1->Tag = 1;
        t0 = NowMs();
        { PleaseWait w("ランチャーメニューを再構築しています。"); }
        wait.push_back(NowMs() - t0);
        tk::Application.ProcessMessages();
        // The same window's steps one by one.
        t0 = NowMs();
        Form35->ShowNote();
        show.push_back(NowMs() - t0);
        t0 = NowMs();
        Form35->PaintNow();
        paint.push_back(NowMs() - t0);
        t0 = NowMs();
        Form35->HideNote();
        hide.push_back(NowMs() - t0);
        tk::Application.ProcessMessages();

        // Reading the stored menus and writing [ExecCommand].
        auto ini = settings::Open();
        t0 = NowMs();
        std::vector<LauncherItem> menu = LoadLauncherMenu(ini);
        load.push_back(NowMs() - t0);
        t0 = NowMs();
        WriteLauncherCommands(ini, menu);
        commands.push_back(NowMs() - t0);
        if (i < 5) {  // the same section written key by key, for comparison
            t0 = NowMs();
            ini.EraseSection("ExecCommand");
            int tag = 0;
            for (int k = 0; k < stored; ++k) ini.WriteString("ExecCommand", std::to_string(tag++), "C:\\x.exe");
            keyByKey.push_back(NowMs() - t0);
            WriteLauncherCommands(ini, menu);
        }
    }
    int built = CountItems(Form1->PopupMenu2.Items) - 7;  // less the fixed items and Reboot1's two
    std::printf("launcher menu, %d items (%d built) over three levels, %d runs:\n", stored, built, runs);
    std::printf("  resize with the stored menus unchanged: median %.2f ms, max %.2f ms\n", Median(resize),
                *std::max_element(resize.begin(), resize.end()));
    std::printf("  rebuild after a change: median %.2f ms (%.2f ms before the first tick, without the please-wait "
                "window; the window alone %.2f ms)\n",
                Median(changed), Median(quiet), Median(wait));
    std::printf("  rebuild after an item was added or taken away: median %.2f ms\n", Median(reshaped));
    std::printf("  the please-wait window's show %.2f ms, paint %.2f ms, hide %.2f ms\n", Median(show), Median(paint),
                Median(hide));
    std::printf("  reading the menus %.2f ms, writing [ExecCommand] as one section %.2f ms (key by key: %.1f ms)\n",
                Median(load), Median(commands), Median(keyByKey));
    Form1->Destroy();
    return 0;
}
