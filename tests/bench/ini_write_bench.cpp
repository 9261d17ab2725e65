// Benchmark: one settings write into a file of 100,000 keys (about 2 MB), made as before by the
// profile function and as now by the settings object, each alone and followed by a read of the
// settings object (what the program does next).
//   ini_write_bench.exe [writes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Files.h"
#include "toolkit/IniFiles.h"

static double Median(const std::function<void(int)>& step, int n) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    std::vector<double> ms;
    step(-1);  // the first reads the file once, as any program start does
    for (int i = 0; i < n; ++i) {
        QueryPerformanceCounter(&a);
        step(i);
        QueryPerformanceCounter(&b);
        ms.push_back((b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

int main(int argc, char** argv) {
    int writes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "orbal-ini-bench";
    tk::ForceDirectories(dir);
    std::string text;
    for (int s = 0; s < 1000; ++s) {
        char line[64];
        std::snprintf(line, sizeof line, "[Section%04d]\r\n", s);
        text += line;
        for (int k = 0; k < 100; ++k) {
            std::snprintf(line, sizeof line, "Key%02d=value %04d-%02d\r\n", k, s, k);
            text += line;
        }
    }
    std::string oldFile = dir + "\\profile.ini", newFile = dir + "\\object.ini";
    if (!tk::WriteFileBytes(oldFile, text) || !tk::WriteFileBytes(newFile, text)) return 1;
    std::printf("settings file of 100,000 keys, %.1f MB; median of %d writes of a key in section 500:\n",
                text.size() / 1048576.0, writes);

    auto value = [](int i) { return "changed " + std::to_string(i); };
    double oldWrite = Median([&](int i) {
        WritePrivateProfileStringA("Section0500", "Key50", value(i).c_str(), oldFile.c_str());
    }, writes);
    double newWrite = Median([&](int i) { tk::TIniFile(newFile).WriteString("Section0500", "Key50", value(i)); }, writes);
    double oldBoth = Median([&](int i) {
        WritePrivateProfileStringA("Section0500", "Key51", value(i).c_str(), oldFile.c_str());
        tk::TIniFile(oldFile).ReadString("Section0999", "Key99", "");
    }, writes);
    double newBoth = Median([&](int i) {
        tk::TIniFile ini(newFile);
        ini.WriteString("Section0500", "Key51", value(i));
        ini.ReadString("Section0999", "Key99", "");
    }, writes);
    std::printf("  write:             profile function %.2f ms, settings object %.2f ms\n", oldWrite, newWrite);
    std::printf("  write, then a read: profile function %.2f ms, settings object %.2f ms\n", oldBoth, newBoth);
    // A settings file of the usual size: 200 keys, about 4 KB.
    text.resize(text.find("[Section0002]"));
    if (!tk::WriteFileBytes(oldFile, text) || !tk::WriteFileBytes(newFile, text)) return 1;
    oldWrite = Median([&](int i) {
        WritePrivateProfileStringA("Section0001", "Key50", value(i).c_str(), oldFile.c_str());
    }, writes);
    newWrite = Median([&](int i) { tk::TIniFile(newFile).WriteString("Section0001", "Key50", value(i)); }, writes);
    std::printf("settings file of 200 keys, %.1f KB: write: profile function %.2f ms, settings object %.2f ms\n",
                text.size() / 1024.0, oldWrite, newWrite);
    return 0;
}
