// How long the schedule list takes to build its widest range (99 days before and after the base
// date, old-calendar lines on) over a data folder of many schedule entries, reminders and
// birthdays: the whole build, please-wait window and settings included, until the three panes
// hold their text; the repaint of the panes is measured apart.
// Usage: schedule_list_bench.exe [entries [shown]]   (default 10000 files, about 300 of them shown);
// the folder: tests/bench/BenchFolder.h. The first build reads every file and works out every
// day's old calendar; the later ones (after each save in an editor) read only what changed.
// The first build happens once a process: run the program several times for its median.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "schedule/DayRules.h"
#include "schedule/Todo_list.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Sound.h"

using bench::Median;
using bench::NowMs;

namespace {

struct NameSet : rtl::NameSource {
    const std::set<std::string>& names;
    explicit NameSet(const std::set<std::string>& n) : names(n) {}
    bool Exists(const std::string& name) override { return names.count(name) != 0; }
};

// The mixed folder of the other benchmarks, but with only about `shown` files to show over the
// range (a weekly entry counts once for each day it shows on), drawn from those it would hold.
std::string FolderWithHits(int count, int shown, const HolidayTable& table, rtl::TDateTime first, int days) {
    std::set<std::string> pool = bench::MakeNames(count * 2);
    NameSet all(pool);
    std::map<std::string, int> times;
    {
        DayRules rules(table, all);
        for (int k = 0; k < days; ++k)
            for (const DayHit& h : rules.DayView(first + k, DayReader::ScheduleList)) ++times[h.name];
    }
    std::vector<std::string> hitting, rest;
    for (const std::string& n : pool) (times.count(n) ? hitting : rest).push_back(n);
    bench::Rng r;
    auto shuffle = [&r](std::vector<std::string>& v) {
        for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[r((int)i)]);
    };
    shuffle(hitting);
    shuffle(rest);
    // Each file shown holds two lines of rich text as the editors save it.
    auto rtf = [](const std::string& sjis) {
        std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0\\fs20 ";
        char hex[8];
        for (unsigned char c : sjis) r += c < 0x80 ? std::string(1, (char)c) : (std::snprintf(hex, sizeof hex, "\\'%02x", c), hex);
        return r + "\\par }";
    };
    std::set<std::string> names;
    std::map<std::string, std::string> texts;
    int total = 0;
    for (const std::string& n : hitting)
        if (total + times[n] <= shown) {
            names.insert(n);
            texts[n] = rtf("10:00 打ち合わせ（第3会議室） " + n + "\\par 資料を10部印刷しておくこと");
            total += times[n];
        }
    for (size_t i = 0; (int)names.size() < count && i < rest.size(); ++i) names.insert(rest[i]);
    return bench::BenchFolder(names, "_list" + std::to_string(shown) + "text", texts);
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1) count = 10000;
    const int shown = argc > 2 ? std::atoi(argv[2]) : 300;
    HolidayTable table;
    table.Horiday = DefaultHolidays();
    const rtl::TDateTime base = rtl::EncodeDate(2024, 6, 12);
    std::string data = FolderWithHits(count, shown, table, base - 99, 199);
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    rtl::SetClockForTest([base] { return base + 0.4; });
    bench::UseBenchSettings("orbal-listbench", data, table.Horiday);
    {
        auto ini = settings::Open();
        ini.WriteInteger("Form", "Qreki", 1);
        ini.WriteInteger("Sch_List", "year", 0);
        ini.WriteInteger("Sch_List", "mae", 99);
        ini.WriteInteger("Sch_List", "ato", 99);
    }

    // The files the range shows; one one-date entry among them is the one "edited" below.
    tk::FolderIndex& ix = tk::FolderIndex::For(data);
    int hits = 0;
    std::string edited;
    {
        DayRules rules(table, ix);
        for (int k = -99; k <= 99; ++k)
            for (const DayHit& h : rules.DayView(base + k, DayReader::ScheduleList)) {
                ++hits;
                if (edited.empty() && h.kind == NameKind::ScheduleOneDate) edited = h.name;
            }
    }
    if (edited.empty()) {
        std::printf("no one-date entry in the range of %s\n", data.c_str());
        return 1;
    }

    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    tk::Application.ProcessMessages();

    // The first build of the program: no file read yet, no day's old calendar known.
    double s0 = NowMs();
    tk::Application.CreateForm(Form2);
    const double window = NowMs() - s0;
    s0 = NowMs();
    Form2->BitBtn2Click();
    const double firstBuild = NowMs() - s0;
    Form2->Show();
    tk::Application.ProcessMessages();

    // Rebuilds as an editor asks for them after saving an entry the list shows (the folder index
    // already read again by the editor's own refresh of the day view), then with nothing changed.
    const int runs = 30;
    std::vector<double> afterSave, unchanged, paint;
    const std::string path = DataFilePath(data, edited);
    for (int i = 0; i < runs; ++i) {
        tk::WriteFileSafely(path, "{\\rtf1 edited " + std::to_string(i) + "\\par}");
        ix.Invalidate();
        ix.Exists(edited);
        double s = NowMs();
        Form2->BitBtn2Click();
        afterSave.push_back(NowMs() - s);
        s = NowMs();
        for (tk::RichEdit* r : {&Form2->RichEdit1, &Form2->RichEdit3, &Form2->RichEdit4}) UpdateWindow(r->Handle);
        paint.push_back(NowMs() - s);
        tk::Application.ProcessMessages();
    }
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form2->BitBtn2Click();
        unchanged.push_back(NowMs() - s);
        tk::Application.ProcessMessages();
    }
    std::printf("data folder: %s, %d files, %d files shown in the range\n", data.c_str(), (int)ix.Count(), hits);
    std::printf("schedule list of 199 days with the old calendar (%d lines):\n",
                Form2->RichEdit1.Lines.Count() + Form2->RichEdit3.Lines.Count() + Form2->RichEdit4.Lines.Count());
    std::printf("  rebuilt after an entry was saved (%d runs): median %.1f ms, max %.1f ms\n", runs, Median(afterSave),
                *std::max_element(afterSave.begin(), afterSave.end()));
    std::printf("  rebuilt with nothing changed (%d runs): median %.1f ms\n", runs, Median(unchanged));
    std::printf("  the program's first build (every file read, every old-calendar day worked out): %.1f ms\n",
                firstBuild);
    std::printf("  the window's creation before it: %.1f ms\n", window);
    std::printf("  the panes' repaint: %.1f ms\n", Median(paint));
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
