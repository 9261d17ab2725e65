// How long the main window takes to re-mark the month (both grid lists, the grid repainted) and to
// show a day with five entries (each file read through the hidden rich edit), over a data folder
// of many schedule entries, reminders and birthdays.
// Usage: dayview_bench.exe [entries]   (default 10000); the folder: tests/bench/BenchFolder.h.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "mainwindow/Main.h"
#include "schedule/DayRules.h"
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

// Rich text as the editors save it, Japanese as \\'xx escapes.
std::string Rtf(const std::string& sjis) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0\\fs20 ";
    char hex[8];
    for (unsigned char c : sjis) {
        if (c >= 0x80) {
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            r += hex;
        } else {
            r += (char)c;
        }
    }
    return r + "\\par }";
}

// The mixed folder of the other benchmarks, but with exactly five files for the day: a birthday,
// a one-date, a yearly, a monthly and a weekly entry.
std::string FiveHitFolder(int count, const HolidayTable& table, rtl::TDateTime day) {
    std::set<std::string> pool = bench::MakeNames(count + count / 2);
    NameSet all(pool);
    for (const DayHit& h : DayRules(table, all).DayView(day)) pool.erase(h.name);
    int y, m, d;
    rtl::DecodeDate(day, y, m, d);
    std::map<std::string, std::string> five = {
        {BirthdayFileName(1980, m, d), Rtf("鈴木 一郎さん（会社の先輩）　プレゼントは本がいい")},
        {ScheduleFileName::OneDate(y, m, d), Rtf("10:00 打ち合わせ（第3会議室）　資料を10部印刷しておく")},
        {ScheduleFileName::Yearly(DayOffShift{}, m, d), Rtf("毎年：車検の予約を入れる")},
        {ScheduleFileName::Monthly(DayOffShift{}, d), Rtf("毎月：家賃の振り込み")},
        {ScheduleFileName::Weekly(kEveryWeek, rtl::DayOfWeek(day)), Rtf("毎週：英会話 19:00")},
    };
    // The rest drawn from the whole pool, whose set order would favour the reminders' digits.
    std::vector<std::string> rest(pool.begin(), pool.end());
    bench::Rng r;
    for (size_t i = rest.size(); i > 1; --i) std::swap(rest[i - 1], rest[r((int)i)]);
    std::set<std::string> names;
    for (auto& [name, text] : five) names.insert(name);
    for (size_t i = 0; (int)names.size() < count && i < rest.size(); ++i) names.insert(rest[i]);
    return bench::BenchFolder(names, "_day5", five);
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1) count = 10000;
    HolidayTable table;
    table.Horiday = DefaultHolidays();
    const rtl::TDateTime day = rtl::EncodeDate(2024, 6, 12);  // a Wednesday
    std::string data = FiveHitFolder(count, table, day);
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    bench::UseBenchSettings("orbal-dayviewbench", data, table.Horiday);
    {
        auto ini = settings::Open();
        ini.WriteInteger("Form", "Qreki", 1);
        ini.WriteInteger("Form", "ActiveP", 1);
    }

    tk::FolderIndex& ix = tk::FolderIndex::For(data);
    if (DayRules(table, ix).DayView(day).size() != 5) {
        std::printf("the day does not have five files in %s\n", data.c_str());
        return 1;
    }
    int y, m, d;
    rtl::DecodeDate(day, y, m, d);

    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->CalendarEx1.SetYear(y);
    Form1->CalendarEx1.SetMonth(m);
    Form1->CalendarEx1.SetDay(d);
    tk::Application.ProcessMessages();

    const int runs = 100;
    std::vector<double> marks, view;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->FormActivate();
        UpdateWindow(Form1->CalendarEx1.Handle);
        marks.push_back(NowMs() - s);
    }
    std::printf("data folder: %s, %d files\n", data.c_str(), (int)ix.Count());
    std::printf("month marks of %04d/%02d (both lists, grid repainted, %d runs): median %.3f ms, max %.3f ms, "
                "%d marks\n",
                y, m, runs, Median(marks), *std::max_element(marks.begin(), marks.end()),
                Form1->CalendarEx1.SpecialDayList().Count());

    std::vector<double> lists, paint;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->FormActivate();
        lists.push_back(NowMs() - s);
        s = NowMs();
        UpdateWindow(Form1->CalendarEx1.Handle);
        paint.push_back(NowMs() - s);
    }
    std::printf("  of which the lists %.3f ms, the repaint %.3f ms\n", Median(lists), Median(paint));

    Form1->PageControl1.SetActivePageIndex(3);
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->CalendarEx1Change();
        UpdateWindow(Form1->RichEdit1.Handle);
        view.push_back(NowMs() - s);
    }
    std::printf("day view of %04d/%02d/%02d (five files, %d runs): median %.3f ms, max %.3f ms, %d lines\n", y, m, d,
                runs, Median(view), *std::max_element(view.begin(), view.end()), Form1->RichEdit1.Lines.Count());
    std::vector<double> text, shown;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->CalendarEx1Change();
        text.push_back(NowMs() - s);
        s = NowMs();
        UpdateWindow(Form1->RichEdit1.Handle);
        shown.push_back(NowMs() - s);
    }
    std::printf("  of which the text %.3f ms, the repaint %.3f ms\n", Median(text), Median(shown));
    std::printf("folder reads: %d\n", ix.Reads());
    // Closed as the program closes it: its tray thread is joined, not cut off by the exit.
    if (Form1) Form1->Destroy();
    return 0;
}
