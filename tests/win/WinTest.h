// Helpers for tests that drive windows in-process.
#pragma once
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "calendar/HolidayRules.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"

namespace wintest {

// Lets queued messages (paints, posted frees, timers due) run.
inline void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        tk::Application.ProcessMessages();
        Sleep(1);
    }
    tk::Application.Terminated = false;
}

// A new folder under the temporary folder for the running test: prefix, tick count, test name.
inline std::string FreshTestDir(const std::string& prefix) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + prefix + std::to_string(GetTickCount()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name();
    tk::ForceDirectories(dir);
    return dir;
}

// Settings beside the data folder dir as after a first run that was set up: no splash, no
// birthday notice, the holiday table written, dir as the data folder.
inline void UseAsDataFolder(const std::string& dir, bool holidays = true) {
    settings::SetIniPathForTest(dir + "\\orbal98.ini");
    auto f = settings::Open();
    f.WriteInteger("Form", "Open", 1);
    f.WriteInteger("Form", "BirthPop", 0);
    f.WriteInteger("Horiday", "Set", 1);
    if (holidays)
        for (auto& [k, v] : DefaultHolidays()) f.WriteString("Horiday", k, v);
    f.WriteString("Calendar", "Directory", dir);
}

}  // namespace wintest
