// How long the clock tick's reminder test of one minute and the month marks of one month take with
// a data folder of many entries, asked through the folder index (and, once, file by file).
// Usage: reminder_minute_bench.exe [entries]   (default 10000)
// The folder %TEMP%\orbal_bench_<entries> is filled once and kept: under Wine each new file costs a
// scan of the folder, so filling 10,000 takes about half a minute.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "schedule/DayRules.h"
#include "schedule/ScheduleName.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/rtl/DateTime.h"

namespace {

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(freq.QuadPart);
}

double Median(std::vector<double> v) {
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

DayOffShift AnyShift(Rng& r) { return DayOffShift::FromRadio(r(3), r(2)); }
int AnyMask(Rng& r) { return r(8) == 0 ? kLastWeek : 1 + r(30); }

// A mix of every kind of name the editors write.
std::set<std::string> MakeNames(int count) {
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

int CountFiles(const std::string& dir) {
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

std::string BenchFolder(int count) {
    char buf[MAX_PATH];
    GetTempPathA(sizeof buf, buf);
    std::string dir = std::string(buf) + "orbal_bench_" + std::to_string(count);
    CreateDirectoryA(dir.c_str(), nullptr);
    if (CountFiles(dir) == count) return dir;
    std::printf("filling %s with %d entries...\n", dir.c_str(), count);
    double t0 = NowMs();
    for (const std::string& name : MakeNames(count)) {
        HANDLE h = CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            std::printf("cannot create %s\n", name.c_str());
            std::exit(1);
        }
        DWORD w;
        WriteFile(h, "{\\rtf1 x}", 9, &w, nullptr);
        CloseHandle(h);
    }
    std::printf("filled in %.0f ms\n", NowMs() - t0);
    Sleep(100);  // let the folder's stamp age, as it would have by the first tick
    return dir;
}

// The naive way: one existence test per name against the file system.
struct FileByFile : rtl::NameSource {
    std::string dir;
    bool Exists(const std::string& name) override {
        DWORD a = GetFileAttributesA((dir + "\\" + name).c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
};

struct Counting : rtl::NameSource {
    rtl::NameSource& inner;
    int asked = 0;
    explicit Counting(rtl::NameSource& s) : inner(s) {}
    bool Exists(const std::string& name) override {
        ++asked;
        return inner.Exists(name);
    }
};

// The tick's per-minute and uptime tests.
size_t MinuteTest(const HolidayTable& table, rtl::NameSource& src, rtl::TDateTime t, uint32_t uptimeMs) {
    DayRules rules(table, src);
    return rules.Reminders(t).size() + rules.UptimeReminders(uptimeMs).size();
}

// The month marks: holidays, birthdays and schedule entries of every day of the month.
size_t MonthMarks(const HolidayTable& table, rtl::NameSource& src, int y, int m) {
    DayRules rules(table, src);
    size_t marks = 0;
    for (int d = 1; d <= rtl::DaysInMonthGregorian(y, m); ++d) {
        rtl::TDateTime day = rtl::EncodeDate(y, m, d);
        marks += TableHolidayText(table, day).empty() ? 0 : 1;
        marks += rules.Birthdays(m, d).empty() ? 0 : 1;
        marks += rules.ScheduleEntries(day, DayReader::MonthMarks).size();
    }
    return marks;
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1) count = 10000;
    std::string dir = BenchFolder(count);
    HolidayTable table;
    table.Horiday = DefaultHolidays();

    double t0 = NowMs();
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    ix.Count();
    double cold = NowMs() - t0;
    std::printf("data folder: %s, %d files\n", dir.c_str(), (int)ix.Count());
    std::printf("cold first read of the folder: %.2f ms\n", cold);

    // Minute by minute from Monday 2024-09-23 08:00 (a substitute holiday after a Sunday equinox).
    const rtl::TDateTime base = rtl::EncodeDate(2024, 9, 23) + rtl::EncodeTime(8, 0, 0, 0);
    const int runs = 200;
    std::vector<double> minute;
    size_t hits = 0;
    for (int i = 0; i < runs; ++i) {
        rtl::TDateTime t = base + i / 1440.0;
        double s = NowMs();
        ix.Revalidate();  // each minute's test starts with a look at the folder's stamp
        hits += MinuteTest(table, ix, t, 600000 + i * 10000);
        minute.push_back(NowMs() - s);
    }
    Counting counting(ix);
    MinuteTest(table, counting, base, 600000);
    std::printf("reminder test of one minute (warm, %d runs): median %.4f ms, max %.4f ms, %d names asked, %d hits\n",
                runs, Median(minute), *std::max_element(minute.begin(), minute.end()), counting.asked, (int)hits);

    FileByFile naive;
    naive.dir = dir;
    std::vector<double> slow;
    for (int i = 0; i < 5; ++i) {
        double s = NowMs();
        MinuteTest(table, naive, base + i / 1440.0, 600000);
        slow.push_back(NowMs() - s);
    }
    std::printf("the same file by file (no index, 5 runs): median %.2f ms\n", Median(slow));

    for (int month : {3, 5, 9}) {
        std::vector<double> marks;
        size_t n = 0;
        for (int i = 0; i < 20; ++i) {
            double s = NowMs();
            ix.Revalidate();
            n = MonthMarks(table, ix, 2024, month);
            marks.push_back(NowMs() - s);
        }
        Counting c(ix);
        MonthMarks(table, c, 2024, month);
        std::printf("month marks of 2024/%02d (warm, 20 runs): median %.3f ms, %d names asked, %d marks\n", month,
                    Median(marks), c.asked, (int)n);
    }

    std::vector<double> list;
    for (int i = 0; i < 5; ++i) {
        double s = NowMs();
        ix.Revalidate();
        DayRules rules(table, ix);
        rtl::TDateTime first = rtl::EncodeDate(2024, 9, 1) - 99;
        for (int d = 0; d < 199; ++d) {
            rtl::TDateTime day = first + d;
            int y, m, dd;
            rtl::DecodeDate(day, y, m, dd);
            HolidayTexts(table, day);
            rules.Birthdays(m, dd);
            rules.ScheduleEntries(day, DayReader::ScheduleList);
        }
        list.push_back(NowMs() - s);
    }
    std::printf("schedule list of 199 days (warm, 5 runs): median %.3f ms\n", Median(list));
    std::printf("folder reads: %d\n", ix.Reads());
    return 0;
}
