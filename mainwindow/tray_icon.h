// The host of the two notification-area icons: the clock with the launcher and main menus, and
// the memo icon with the memo menu and a double-click command chosen in the settings.
#pragma once
#include "controls/TrayIcon.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"

struct TForm32 : tk::Form {
    tk::ImageList ImageList1;  // the memo icon's animation frames
    TTrayIcon TrayIcon1, TrayIcon2;

    TForm32();
    void FormCreate();
    void TrayIcon2DblClick();
    void TrayIcon2MouseMove();
};

extern TForm32* Form32;
