// The benchmarks' data folder: %TEMP%\orbal_bench_<entries>, a mix of every kind of name the
// editors write (schedule entries, reminders, birthdays), filled once and kept: under Wine each new
// file costs a scan of the folder, so filling 10,000 takes about half a minute.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"

namespace bench {

inline double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(freq.QuadPart);
}

// This process's processor time in milliseconds: what the machine's other load does not stretch.
inline double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Rng {
    unsigned s = 12345;
    int operator()(int n) {
        s = s * 1103515245u + 12345u;
        return int((s >> 8) % unsigned(n));
    }
};

inline DayOffShift AnyShift(Rng& r) { return DayOffShift::FromRadio(r(3), r(2)); }
inline int AnyMask(Rng& r) { return r(8) == 0 ? kLastWeek : 1 + r(30); }

// A mix of every kind of name the editors write.
inline std::set<std::string> MakeNames(int count) {
    std::set<std::string> names;
    Rng r;
    while ((int)names.size() < count) {
        int y = 1995 + r(35), m = 1 + r(12), d = 1 + r(28), h = r(24), n = r(60), wd = 1 + r(7);
        int k = r(100);
        std::string s;
        if (k < 30) s = ScheduleFileName::OneDate(y, m, d);
        else if (k < 40) s = ScheduleFileName::Yearly(AnyShift(r), m, d);
        else if (k < 45) s = ScheduleFileName::Monthly(AnyShift(r), d);
        else if (k < 50) s = ScheduleFileName::Weekly(AnyMask(r), wd);
        else if (k < 75) s = PopupFileName::OneDay(h, n, y, m, d);
        else if (k < 83) s = PopupFileName::Yearly(h, n, m, d, AnyShift(r));
        else if (k < 88) s = PopupFileName::Monthly(h, n, d, AnyShift(r));
        else if (k < 93) s = PopupFileName::Weekly(h, n, AnyMask(r), wd);
        else if (k < 96) s = PopupFileName::Daily(h, n);
        else if (k < 98) s = BirthdayFileName(1930 + r(90), m, d);
        else s = PopupFileName::Uptime(60 + r(100000) * 10);
        names.insert(s);
    }
    return names;
}

inline int CountFiles(const std::string& dir) {
    int n = 0;
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do
        if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    while (FindNextFileA(h, &f));
    FindClose(h);
    return n;
}

// The folder %TEMP%\orbal_bench_<count><tag> holding these names (each file a tiny rich text
// unless `texts` gives it one), made when its file count differs.
inline std::string BenchFolder(const std::set<std::string>& names, const std::string& tag = "",
                               const std::map<std::string, std::string>& texts = {}) {
    char buf[MAX_PATH];
    GetTempPathA(sizeof buf, buf);
    std::string dir = std::string(buf) + "orbal_bench_" + std::to_string(names.size()) + tag;
    CreateDirectoryA(dir.c_str(), nullptr);
    if (CountFiles(dir) == (int)names.size()) return dir;
    std::printf("filling %s with %d entries...\n", dir.c_str(), (int)names.size());
    double t0 = NowMs();
    for (const std::string& name : names) {
        HANDLE h = CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            std::printf("cannot create %s\n", name.c_str());
            std::exit(1);
        }
        auto t = texts.find(name);
        std::string text = t != texts.end() ? t->second : "{\\rtf1 x}";
        DWORD w;
        WriteFile(h, text.data(), (DWORD)text.size(), &w, nullptr);
        CloseHandle(h);
    }
    std::printf("filled in %.0f ms\n", NowMs() - t0);
    Sleep(100);  // let the folder's stamp age, as it would have by the first tick
    return dir;
}

inline std::string BenchFolder(int count) { return BenchFolder(MakeNames(count)); }

// The bench's own settings file in the temporary folder's "name", as after a first run set up with
// data as the data folder and the holiday table written. The caller adds its own keys.
inline void UseBenchSettings(const std::string& name, const std::string& data,
                             const std::vector<std::pair<std::string, std::string>>& holidays = {}) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string own = std::string(tmp) + name;
    tk::ForceDirectories(own);
    settings::SetIniPathForTest(own + "\\orbal98.ini");
    auto ini = settings::Open();
    ini.WriteInteger("Horiday", "Set", 1);  // not a first run: the data folder stays
    for (auto& [k, v] : holidays) ini.WriteString("Horiday", k, v);
    ini.WriteString("Calendar", "Directory", data);
    ini.WriteInteger("Form", "Open", 1);
}

}  // namespace bench
