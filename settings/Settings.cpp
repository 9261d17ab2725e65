#include "settings/Settings.h"

#include "toolkit/Files.h"

namespace settings {

static std::string gTestPath;

void SetIniPathForTest(const std::string& path) {
    gTestPath = path;
    tk::DropKeptIniChangesForTest();
}

std::string IniPath() { return gTestPath.empty() ? tk::ExeDir() + "\\orbal98.ini" : gTestPath; }

tk::TIniFile Open() { return tk::TIniFile(IniPath()); }

std::string DataDir() { return Open().ReadString(inikey::Calendar::Section, inikey::Calendar::Directory, "."); }

std::string PrivateDir() {
    std::string p = Open().ReadString(inikey::Privacy::Section, inikey::Privacy::Directory, "");
    return p.empty() ? DataDir() : p;
}

std::vector<tk::OwnFolder> OwnFolders() {
    return {{DataDir(), true}, {PrivateDir(), true}, {rtl::ExtractFileDir(IniPath()), false}};
}

}  // namespace settings

namespace settings {

HolidayTable ReadHolidayTable(const tk::TIniFile& ini) {
    HolidayTable t;
    rtl::TStringList keys;
    ini.ReadSection(inikey::Horiday::Section, keys);
    for (const std::string& k : keys.Strings)
        if (k != inikey::Horiday::Set) t.Horiday.emplace_back(k, ini.ReadString(inikey::Horiday::Section, k, ""));
    t.HappyMonday = ini.ReadBool(inikey::CalendarEx::Section, inikey::CalendarEx::Happy_Monday, true);
    return t;
}

}  // namespace settings
