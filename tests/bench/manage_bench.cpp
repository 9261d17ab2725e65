// How long schedule management takes to fill its All list over a data folder of many schedule
// entries, reminders and birthdays: from the command to the painted list (folder scan, words,
// sort, list filled, first line previewed, list and preview repainted).
// Usage: manage_bench.exe [entries]   (default 10000); the folder: tests/bench/BenchFolder.h.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "mainwindow/Main.h"
#include "schedule/data.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using bench::Median;
using bench::NowMs;

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1) count = 10000;
    std::string data = bench::BenchFolder(count);
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    bench::UseBenchSettings("orbal-managebench", data);
    {
        auto ini = settings::Open();
        ini.WriteInteger("Form", "BirthPop", 0);
    }
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Data2Click();
    if (!Form29) {
        std::printf("schedule management did not open\n");
        return 1;
    }
    tk::Application.ProcessMessages();

    auto paint = [] {
        UpdateWindow(Form29->ListBox1.Handle);
        UpdateWindow(Form29->RichEdit2.Handle);
        UpdateWindow(Form29->Panel4.Handle);
    };
    const int runs = 21;
    std::vector<double> all, scan, day;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form29->BitBtn14Click();
        paint();
        all.push_back(NowMs() - s);
    }
    std::printf("data folder: %s, %d files\n", data.c_str(), bench::CountFiles(data));
    std::printf("All list (%d runs): median %.1f ms, max %.1f ms, %d lines\n", runs, Median(all),
                *std::max_element(all.begin(), all.end()), Form29->ListBox1.Items.Count());
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        tk::TSearchRec rec;
        int n = 0;
        for (int rc = tk::FindFirst(data + "\\*.*", tk::faAnyFile & ~tk::faDirectory, rec); rc == 0;
             rc = tk::FindNext(rec))
            ++n;
        tk::FindClose(rec);
        scan.push_back(NowMs() - s);
    }
    std::printf("  of which the folder scan alone: median %.1f ms\n", Median(scan));
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form29->BitBtn17Click();
        paint();
        day.push_back(NowMs() - s);
    }
    std::printf("day list (%d runs): median %.1f ms, %d lines\n", runs, Median(day), Form29->ListBox1.Items.Count());
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
