// The writer of tools/crash_check.sh: saves settings in a loop, as the program does at window
// closes and commands, until it is killed; and checks the files after a kill.
//   ini_crash_writer.exe seed <folder>             writes orbal98.ini and Period.ini to start from
//   ini_crash_writer.exe write <folder> [profile]  writes until killed (profile: by the profile
//                                                  functions themselves, as the program did before)
//   ini_crash_writer.exe check <folder>            exit 0 when every file is whole: every section
//                                                  and key it started with, each with its old value
//                                                  or one the writer writes
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/HolidayRules.h"
#include "notes/Period.h"
#include "toolkit/Files.h"
#include "toolkit/IniFiles.h"
#include "toolkit/rtl/IniText.h"

namespace {

std::string gDir;
std::string MainFile() { return gDir + "\\orbal98.ini"; }
std::string PeriodFile() { return gDir + "\\Period.ini"; }

// The settings file the writer starts from, section by section; every value of it the writer
// changes becomes "<value>#<n>".
std::vector<std::pair<std::string, tk::IniKeys>> MainSeed() {
    std::vector<std::pair<std::string, tk::IniKeys>> s;
    tk::IniKeys holidays = {{"Set", "1"}};
    for (auto& h : DefaultHolidays()) holidays.push_back(h);
    s.push_back({"Horiday", holidays});
    s.push_back({"Calendar", {{"Directory", "C:\\orbal-crash\\表示"}, {"before", "5"}}});
    s.push_back({"Form", {{"Open", "1"}, {"left", "100"}, {"top", "40"}, {"Visible", "1"}, {"Tray_icon", "0"},
                          {"Interval", "1000"}, {"ActiveP", "0"}, {"Disital", "0"}}});
    s.push_back({"CalendarEx", {{"HolidayColor", "255"}, {"SundayColor", "255"}, {"Happy_Monday", "1"}}});
    tk::IniKeys launcher;
    for (int i = 0; i < 10; ++i) {
        // Built by appending: GCC 12 warns falsely (-Wrestrict) on a literal + a temporary.
        std::string path = "C:\\ソフト\\表";
        path.append(std::to_string(i)).append(".exe");
        launcher.push_back({std::to_string(i), path});
    }
    s.push_back({"Launcher", launcher});
    std::string memo = "C:\\orbal-crash\\表示\\Memo\\";
    s.push_back({"MemoCount_" + memo, {{"Count", "3"}}});
    for (int i = 1; i <= 3; ++i)
        s.push_back({"Memo" + std::to_string(i) + "_" + memo,
                     {{"Show", "1"}, {"Left", std::to_string(40 * i)}, {"Top", "300"}, {"Width", "220"}, {"Height", "140"}}});
    s.push_back({"表示", {{"ソフト", "能"}, {"Unknown", "kept as it is"}}});
    return s;
}

std::vector<std::string> Dates(int n) {
    std::vector<std::string> d;
    for (int i = 0; i < 30 + n % 2; ++i) {
        char b[16];
        std::snprintf(b, sizeof b, "2024/%02d/%02d", 1 + i / 28 % 12, 1 + i % 28);
        d.push_back(b);
    }
    return d;
}

void Seed() {
    std::string text = "; written by hand\r\n";
    for (auto& [section, keys] : MainSeed()) {
        text += "[" + section + "]\r\n";
        for (auto& [k, v] : keys) text += k + "=" + v + "\r\n";
    }
    std::string period = "[Period]\r\n";
    std::vector<std::string> d = Dates(0);
    for (size_t i = 0; i < d.size(); ++i) period += std::to_string(i) + "=" + d[i] + "\r\n";
    period += "Count=" + std::to_string(d.size()) + "\r\nDays=5\r\n[Comment]\r\n";
    for (size_t i = 0; i < d.size(); i += 3) period += d[i] + "=メモ\r\n";
    tk::ForceDirectories(gDir);
    tk::WriteFileBytes(MainFile(), text);
    tk::WriteFileBytes(PeriodFile(), period);
}

void Write(bool profile) {
    auto seed = MainSeed();
    auto put = [&](const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
        if (profile)
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
        else
            tk::TIniFile(file).WriteString(section, key, value);
    };
    for (int n = 1;; ++n) {
        std::string tag = "#" + std::to_string(n);
        // Window positions and options, one key at a time, as window closes write them.
        for (auto& [section, keys] : seed)
            if (section != "Launcher" && section != "Horiday")
                for (auto& [k, v] : keys) put(MainFile(), section, k, v + tag);
        // A section written whole, as the launcher's list is.
        tk::IniKeys launcher = seed[4].second;
        for (auto& kv : launcher) kv.second += tag;
        if (profile)
            for (auto& [k, v] : launcher) put(MainFile(), "Launcher", k, v);
        else
            tk::TIniFile(MainFile()).WriteSection("Launcher", launcher);
        // The cycle tracker's own file: its list (a date added, a date removed) and a comment.
        std::vector<std::string> d = Dates(n);
        if (profile) {
            for (size_t i = 0; i < d.size(); ++i) put(PeriodFile(), "Period", std::to_string(i), d[i]);
            put(PeriodFile(), "Period", "Count", std::to_string(d.size()));
        } else {
            tk::TIniFile own(PeriodFile());
            StorePeriodDates(own, d);
        }
        put(PeriodFile(), "Comment", d[0], "メモ" + tag);
    }
}

bool Changed(const std::string& value, const std::string& seed) {
    if (value == seed) return true;
    if (value.compare(0, seed.size() + 1, seed + "#") != 0 || value.size() == seed.size() + 1) return false;
    return value.find_first_not_of("0123456789", seed.size() + 1) == std::string::npos;
}

int Check() {
    int faults = 0;
    auto fault = [&](const std::string& file, const std::string& what) {
        std::printf("%s: %s\n", file.c_str(), what.c_str());
        ++faults;
    };
    std::string bytes;
    if (!tk::ReadFileBytes(MainFile(), bytes)) fault(MainFile(), "cannot be read");
    rtl::IniText main(bytes);
    for (auto& [section, keys] : MainSeed())
        for (auto& [k, v] : keys) {
            std::string got;
            if (!main.Find(section, k, got))
                fault(MainFile(), "[" + section + "] " + k + " is missing (" + std::to_string(bytes.size()) + " bytes)");
            else if (!Changed(got, v))
                fault(MainFile(), "[" + section + "] " + k + " holds " + got);
        }
    if (!tk::ReadFileBytes(PeriodFile(), bytes)) fault(PeriodFile(), "cannot be read");
    rtl::IniText period(bytes);
    std::string count, days;
    if (!period.Find("Period", "Count", count) || (count != "30" && count != "31"))
        fault(PeriodFile(), "Count is " + (count.empty() ? "missing" : count) + " (" + std::to_string(bytes.size()) + " bytes)");
    if (!period.Find("Period", "Days", days) || days != "5") fault(PeriodFile(), "Days is missing");
    std::vector<std::string> d = Dates(1);
    for (int i = 0; i < std::atoi(count.c_str()) && i < 31; ++i) {
        std::string got;
        if (!period.Find("Period", std::to_string(i), got) || got != d[i]) fault(PeriodFile(), "date " + std::to_string(i) + " is lost");
    }
    for (size_t i = 0; i < 30; i += 3) {
        std::string got;
        if (!period.Find("Comment", d[i], got) || !Changed(got, "メモ")) fault(PeriodFile(), "comment " + d[i] + " is lost");
    }
    return faults ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string mode = argv[1];
    gDir = argv[2];
    tk::SetOwnFolders([] { return std::vector<tk::OwnFolder>{{gDir, false}}; });  // as the settings file's folder
    if (mode == "seed") return Seed(), 0;
    if (mode == "write") return Write(argc > 3 && std::string(argv[3]) == "profile"), 0;
    if (mode == "check") return Check();
    return 2;
}
