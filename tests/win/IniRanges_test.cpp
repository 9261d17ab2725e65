// Numeric settings outside the range of the control that edits them read as the caller's default,
// so a hand-edited or damaged settings file cannot drive a reader's arithmetic.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/IniKeys.h"
#include "toolkit/IniFiles.h"

namespace {

namespace ik = inikey;

std::string TempIni() {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string path = std::string(tmp) + "orbal-ranges.ini";
    DeleteFileA(path.c_str());
    return path;
}

TEST(IniRanges, ValuesOutsideTheControlsRangeReadAsTheDefault) {
    struct Case {
        const char* section;
        tk::RangedKey key;
        const char* stored;
        int def, expected;
    } cases[] = {
        {ik::Form::Section, ik::Form::Jisa_H, "35791395", 0, 0},
        {ik::Form::Section, ik::Form::Jisa_H, "23", 0, 23},
        {ik::Form::Section, ik::Form::Jisa_H, "24", 0, 0},
        {ik::Form::Section, ik::Form::Jisa_M, "0x3B", 0, 59},  // hexadecimal is still a number
        {ik::Form::Section, ik::Form::Jisa_M, "60", 0, 0},
        {ik::Form::Section, ik::Form::Interval, "0", 1000, 1000},
        {ik::Form::Section, ik::Form::Interval, "10000", 1000, 10000},
        {ik::Form::Section, ik::Form::Interval, "-2147483648", 1000, 1000},
        {ik::Form::Section, ik::Form::Interval, "99999999999", 1000, 1000},  // not an int at all
        {ik::Form::Section, ik::Form::ActiveP, "4", 0, 0},
        {ik::Calendar::Section, ik::Calendar::before, "-30", 0, 0},
        {ik::Nikki::Section, ik::Nikki::Auto_H, "24", 0, 0},
        {ik::TelePhone::Section, ik::TelePhone::Sleep, "10000", 100, 100},
        {ik::Mini::Section, ik::Mini::Height, "4", 15, 15},
        {ik::Mini::Section, ik::Mini::RgnWidth, "-1", 15, 15},
        {ik::Setup::Section, ik::Setup::Reboot, "2", 1, 1},
        {"C:\\data\\____0501.__", ik::Popup::closetime, "-2", -1, -1},
        {"C:\\data\\____0501.__", ik::Popup::closetime, "9999", -1, 9999},
        {"C:\\data\\____0501.__", ik::Popup::closetime, "10000", -1, -1},
    };
    tk::TIniFile ini(TempIni());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("[") + c.section + "] " + c.key.Name + "=" + c.stored);
        ini.WriteString(c.section, c.key, c.stored);
        EXPECT_EQ(ini.ReadInteger(c.section, c.key, c.def), c.expected);
    }
    // A range known only at run time (the screen's size) goes in with the call.
    ini.WriteInteger(ik::Mini::Section, ik::Mini::Width, 5000);
    EXPECT_EQ(ini.ReadInteger(ik::Mini::Section, ik::Mini::Width.Name, 229, ik::Mini::Width.Min, 1024), 229);
    EXPECT_EQ(ini.ReadInteger(ik::Mini::Section, ik::Mini::Width.Name, 229, ik::Mini::Width.Min, 8000), 5000);
    DeleteFileA(ini.FileName.c_str());
}

}  // namespace
