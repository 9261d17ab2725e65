// Program entry: one instance only, then the main window and the message loop.
#include <windows.h>

#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"

static int ProgramMain() {
    tk::Application.Initialize();
    // Created, not opened: two copies started at the same moment cannot both see "absent".
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Orbal98");
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex) CloseHandle(mutex);
        return 0;
    }
    tk::Application.SetTitle("Orbal98");
    tk::SetOwnFolders(settings::OwnFolders);
    // A main window that could not be made has said why in the error box and left no window
    // behind: the program ends and the next start may run.
    if (SettingsReadableAtStart()) tk::Guard([] { tk::Application.CreateForm(Form1); });
    if (Form1) tk::Application.Run();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return ProgramMain(); }
