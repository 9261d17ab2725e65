// The reminder part of the clock tick.
#include "mainwindow/Main.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"

void TForm1::TickReminders(tk::TIniFile& ini, rtl::TDateTime now) {
    (void)ini;
    (void)now;
}

void TForm1::BirthdayNotice(tk::TIniFile& ini, rtl::TDateTime today) {
    (void)ini;
    (void)today;
}
