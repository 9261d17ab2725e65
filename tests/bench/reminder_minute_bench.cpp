// How long the clock tick's reminder test of one minute and the month marks of one month take with
// a data folder of many entries, asked through the folder index (and, once, file by file).
// Usage: reminder_minute_bench.exe [entries]   (default 10000); the folder: tests/bench/BenchFolder.h.
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
#include "tests/bench/BenchFolder.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/rtl/DateTime.h"

namespace {

using bench::BenchFolder;
using bench::Median;
using bench::NowMs;

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
    MonthLists lists = DayRules(table, src).MonthMarks(y, m, MarkGates{});
    return lists.holidays.size() + lists.marks.size();
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
