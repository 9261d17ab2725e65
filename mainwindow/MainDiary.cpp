// The main window's diary command and the tick's opening of the diary at its set time.
#include <cstdio>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/MainCommands.h"
#include "notes/DiaryFile.h"
#include "notes/Nikki.h"
#include "notes/password.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

namespace ik = inikey;

namespace {

// The diary the main window's command opened: the one whose month-list item is enabled.
TForm8* DiaryFromMainMenu() {
    for (TForm8* d : OpenDiaries())
        if (d->List1->Enabled()) return d;
    return nullptr;
}

}  // namespace

void TForm1::DiaryCommand(bool fromTimer) {
    if (!PasswordGate(Handle, PrivateTool::Diary) || !FolderCommand()) return;
    auto ini = settings::Open();
    std::string data = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    if (Diary1->Checked()) {
        if (TForm8* open = DiaryFromMainMenu()) open->BringForward();
        return;
    }
    rtl::TDateTime day = rtl::EncodeDate(CalendarEx1.Year(), CalendarEx1.Month(), CalendarEx1.Day());
    if (fromTimer) day = rtl::Date() - (ini.ReadBool(ik::Nikki::Section, ik::Nikki::Zenjitu, false) ? 1 : 0);
    // A day the month list already shows stays in its one window.
    if (TForm8* open = FindOpenDiary((int)day)) {
        open->BringForward();
        return;
    }
    std::string folder = diary::DiaryFolder(ini.ReadString(ik::Privacy::Section, ik::Privacy::Directory, ""), data);
    if (!EnsureToolFolder(Handle, folder)) return;
    Diary1->SetChecked(true);
    OpenDiary((int)day);
}

void TForm1::DiaryAtItsTime(tk::TIniFile& ini, rtl::TDateTime now) {
    if (!ini.ReadBool(ik::Nikki::Section, ik::Nikki::Auto, false)) return;
    char due[16];
    snprintf(due, sizeof due, "%.2d%.2d", ini.ReadInteger(ik::Nikki::Section, ik::Nikki::Auto_H, 0),
             ini.ReadInteger(ik::Nikki::Section, ik::Nikki::Auto_M, 0));
    // The clock's own time, not the reminders' time ahead of it.
    if (rtl::FormatDateTime("hhnn", now) != due) return;
    DiaryCommand(true);
    std::string sound = ini.ReadString(ik::Calendar::Section, ik::Calendar::file, "");
    if (!sound.empty() && tk::FileExists(sound)) PlaySoundFile(MediaPlayer1, sound);
}
