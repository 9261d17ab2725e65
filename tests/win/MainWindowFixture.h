// The fixture of the main window's tests: a settings file of the test's own in a folder of its
// own, the clock at 2024-05-01 10:00 and the hooks of wintest::WindowTest.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class MainWindow : public wintest::WindowTest {
protected:
    std::string ini;

    void SetUp() override {
        // A new folder each run: files an earlier run left (a day file, a tool's folder) change nothing.
        dir = wintest::FreshTestDir("orbal-main-");
        ini = dir + "\\orbal98.ini";
        DeleteFileA(ini.c_str());
        settings::SetIniPathForTest(ini);
        settings::Open().WriteInteger("Form", "Open", 1);
        FixClock(EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0));
    }
    void TearDown() override {
        if (Form1) Form1->Destroy();
    }
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    // Shows a date on the calendar through day 1, which every month has.
    static void Go(int y, int m, int d) {
        Form1->CalendarEx1.SetYear(y);
        Form1->CalendarEx1.SetDay(1);
        Form1->CalendarEx1.SetMonth(m);
        Form1->CalendarEx1.SetDay(d);
    }
    void UseDataDir() {
        auto f = settings::Open();
        f.WriteInteger("Horiday", "Set", 1);
        f.WriteString("Calendar", "Directory", dir);
    }
};

}  // namespace
