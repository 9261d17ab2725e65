// The one settings file: "\orbal98.ini" in the executable's folder, opened per handler.
#pragma once
#include <string>

#include "settings/IniKeys.h"
#include "toolkit/IniFiles.h"

namespace settings {

// The executable's folder + "\orbal98.ini", taken from the executable's path every time.
std::string IniPath();
// A fresh file object on the settings file (nothing stays open between handlers).
tk::TIniFile Open();
// The data folder ([Calendar] Directory; "." while none is chosen).
std::string DataDir();
// The private folder ([Privacy] Directory; empty means the data folder).
std::string PrivateDir();
// Tests point the settings at a file of their own; an empty path restores the real one.
void SetIniPathForTest(const std::string& path);

}  // namespace settings

#include "calendar/HolidayRules.h"

namespace settings {
// The holiday rules' view of the settings: [Horiday] in file order and [CalendarEx] Happy_Monday.
HolidayTable ReadHolidayTable(const tk::TIniFile& ini);
}  // namespace settings
