// How long the diary search takes over ten years of day files (3,650 files of about 2 KB of rich
// text) for a text that a few bodies hold, from the button to the listed hits; and how long the
// month list takes to build a month whose every day has a file.
// Usage: diary_search_bench.exe [runs]   (default 7)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "notes/DiaryFile.h"
#include "notes/NikiList.h"
#include "notes/NikiSech.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "tests/bench/BenchRtf.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using bench::Median;
using bench::NowMs;

namespace {

const char kNeedle[] = "紫陽花の小径";
const int kFirstYear = 2010, kYears = 10;

// The days whose bodies hold the needle: a few, spread over the years.
bool Holds(int i) { return i % 997 == 500; }

std::string DayBytes(int day, int i, const std::string& rtf) {
    diary::DayHeader h;
    h.title = rtl::FormatDateTime("m月d日の出来事", day);
    h.weather = i % 3 ? "晴 のち 曇" : "雨";
    std::string body = rtf;
    std::string extra = "\\pard " + bench::Escaped(rtl::FormatDateTime("yyyy年m月d日", day)) + "\\par ";
    if (Holds(i)) extra += "\\pard{\\b " + bench::Escaped(kNeedle) + "}\\par ";
    body.insert(body.rfind('}'), extra);
    return diary::ComposeDayFile(h, body, diary::Layout::DayFile);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    if (runs < 1) runs = 7;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string data = std::string(tmp) + "orbal-diarysearchbench";
    std::string folder = data + "\\Diary";
    tk::ForceDirectories(folder);
    bench::UseBenchSettings("orbal-diarysearchbench-ini", data);

    const int first = (int)rtl::EncodeDate(kFirstYear, 1, 1), days = 3650;
    std::string rtf = bench::FormattedRtf(1800);
    int holding = 0;
    if (bench::CountFiles(folder) != days) {
        std::printf("filling %s with %d day files...\n", folder.c_str(), days);
        for (int i = 0; i < days; ++i) tk::WriteFileBytes(folder + "\\" + diary::DayFileName(first + i), DayBytes(first + i, i, rtf));
        Sleep(100);
    }
    for (int i = 0; i < days; ++i) holding += Holds(i);
    std::string sample;
    tk::ReadFileBytes(folder + "\\" + diary::DayFileName(first), sample);

    tk::Form* main = nullptr;
    tk::Application.CreateForm(Form22);
    main = Form22;
    Form22->Show();
    Form22->SpinEdit1.SetValue(kFirstYear + kYears - 1);
    Form22->SpinEdit2.SetValue(12);
    Form22->SpinEdit3.SetValue(kFirstYear);
    Form22->SpinEdit4.SetValue(1);
    Form22->Edit1.SetText(kNeedle);
    tk::Application.ProcessMessages();

    std::vector<double> search;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form22->BitBtn1Click();
        RedrawWindow(Form22->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        search.push_back(NowMs() - s);
        tk::Application.ProcessMessages();
    }
    int hits = Form22->ListBox1.Items.Count();

    // Where the time of a search goes: the files alone, and the bodies' text.
    nikisech::Days all{first, first + days - 1};
    std::vector<double> files, bodies;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        nikisech::Search(folder, all, kNeedle, {});
        files.push_back(NowMs() - s);
    }
    std::vector<double> reads;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        std::string bytes;
        for (int d = 0; d < days; ++d) tk::ReadFileBytes(folder + "\\" + diary::DayFileName(first + d), bytes);
        reads.push_back(NowMs() - s);
    }
    std::vector<std::string> rawBodies;
    for (int i = 0; i < days; ++i) {
        std::string bytes;
        tk::ReadFileBytes(folder + "\\" + diary::DayFileName(first + i), bytes);
        rawBodies.push_back(diary::ReadDayFile(bytes).body);
    }
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        for (const std::string& b : rawBodies) Form22->RichEdit1.LoadTextOfData(b);
        bodies.push_back(NowMs() - s);
    }
    std::vector<double> looks;
    int letThrough = 0;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        nikisech::RawBodyTest test(kNeedle);
        letThrough = 0;
        for (const std::string& b : rawBodies) letThrough += test.MayHold(b);
        looks.push_back(NowMs() - s);
    }

    tk::Application.CreateForm(Form12);
    tk::Application.MainForm = main;
    Form12->Show();
    std::vector<double> month, build;
    for (int i = 0; i < runs * 3; ++i) {
        Form12->SetMonth(rtl::EncodeDate(kFirstYear + 3, 1 + i % 12, 1));
        double s = NowMs();
        Form12->BuildList();
        build.push_back(NowMs() - s);
        RedrawWindow(Form12->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        month.push_back(NowMs() - s);
        tk::Application.ProcessMessages();
    }

    std::printf("%d day files of %d bytes each (about), %d bodies hold the text\n", days, (int)sample.size(), holding);
    std::printf("search of %d years, button to listed hits (%d hits, %d runs): median %.1f ms, first %.1f ms, max %.1f ms\n",
                kYears, hits, runs, Median(search), search[0], *std::max_element(search.begin(), search.end()));
    std::printf("  of which the files and headers %.1f ms (reading the files alone %.1f ms);"
                " the bodies through the rich edit alone would take %.1f ms\n",
                Median(files), Median(reads), Median(bodies));
    std::printf("  the look at the raw bodies %.1f ms, letting %d of them through to the rich edit\n", Median(looks),
                letThrough);
    std::printf("month list of a full month, built and painted (%d runs): median %.1f ms, max %.1f ms\n",
                (int)month.size(), Median(month), *std::max_element(month.begin(), month.end()));
    std::vector<double> lines;
    for (int i = 0; i < runs * 3; ++i) {
        double s = NowMs();
        int day = (int)rtl::EncodeDate(kFirstYear + 3, 1 + i % 12, 1);
        bool entry;
        for (int d = 0; d < 31; ++d) nikilist::DayLine(folder, day + d, entry);
        lines.push_back(NowMs() - s);
    }
    std::printf("  of which building %.1f ms, the day lines alone %.1f ms\n", Median(build), Median(lines));
    return hits == holding ? 0 : 1;
}
