// Benchmark: the main window's tick with the clock page shown, and the memory after start.
//   tick_bench.exe [ticks]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/Pop_wind.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

static void Memory(const char* when) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("%s: private bytes %.1f MB, working set %.1f MB\n", when, pmc.PagefileUsage / 1048576.0,
                pmc.WorkingSetSize / 1048576.0);
}

int main(int argc, char** argv) {
    int ticks = argc > 1 ? atoi(argv[1]) : 300;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "orbal-tickbench";
    tk::ForceDirectories(dir);
    settings::SetIniPathForTest(dir + "\\orbal98.ini");
    {
        auto ini = settings::Open();
        ini.WriteInteger("Horiday", "Set", 1);
        for (auto& [k, v] : DefaultHolidays()) ini.WriteString("Horiday", k, v);
        ini.WriteString("Calendar", "Directory", dir);
        ini.WriteInteger("Form", "Open", 1);
        ini.WriteInteger("Form", "ActiveP", 0);
        ini.WriteString("MyGraph", "LG_Title", "仕事");
        ini.WriteString("MyGraph", "LG_Stime", "0.375");
        ini.WriteString("MyGraph", "LG_Etime", "0.75");
    }
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    tk::Application.ProcessMessages();
    Memory("after start");
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    std::vector<double> ms;
    // Each tick is a new second, as when the timer runs: captions, gauges and the minute change.
    rtl::TDateTime start = rtl::Now();
    int second = 0;
    rtl::SetClockForTest([&] { return start + second / 86400.0; });
    for (int i = 0; i < ticks; ++i, ++second) {
        QueryPerformanceCounter(&a);
        Form1->Timer1Timer(true);
        tk::Application.ProcessMessages();  // the repaints the tick asked for
        QueryPerformanceCounter(&b);
        ms.push_back((b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("tick with the clock page shown: median %.3f ms, 90th percentile %.3f ms, max %.3f ms (%d ticks)\n",
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), ticks);
    // The reminder part of a new minute through the window, over the big data folder of the
    // reminder benchmark when it has been made (reminder_minute_bench.exe makes it).
    std::string big = std::string(tmp) + "orbal_bench_10000";
    if (tk::DirectoryExists(big)) {
        settings::Open().WriteString("Calendar", "Directory", big);
        std::vector<double> rem;
        int hits = 0;
        for (int i = 0; i < 200; ++i) {
            second += 60;
            auto ini = settings::Open();
            QueryPerformanceCounter(&a);
            Form1->TickReminders(ini, rtl::Now());
            QueryPerformanceCounter(&b);
            rem.push_back((b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart);
            if (Form9) {
                ++hits;
                Form9->Destroy();
            }
        }
        std::sort(rem.begin(), rem.end());
        std::printf("reminder part of a new minute, 10,000 entries: median %.3f ms (%d of 200 minutes had hits)\n",
                    rem[rem.size() / 2], hits);
    }
    rtl::SetClockForTest({});
    Memory("after the ticks");
    Form1->Destroy();
    return 0;
}
