// The one settings file: "\orbal98.ini" in the executable's folder, opened per handler.
#pragma once
#include <string>
#include <vector>

#include "settings/IniKeys.h"
#include "toolkit/Files.h"
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
// The program's own folders, where saves may remove the temporary files that ended runs left:
// the data folder and the private folder with their sub-folders, and the settings file's folder.
std::vector<tk::OwnFolder> OwnFolders();
// Tests point the settings at a file of their own; an empty path restores the real one. Changes
// kept after failed writes are forgotten, so that a test starts from none.
void SetIniPathForTest(const std::string& path);

}  // namespace settings

#include "calendar/HolidayRules.h"

namespace settings {
// The holiday rules' view of the settings: [Horiday] in file order and [CalendarEx] Happy_Monday.
HolidayTable ReadHolidayTable(const tk::TIniFile& ini);
}  // namespace settings
