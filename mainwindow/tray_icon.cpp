#include "mainwindow/tray_icon.h"

#include <optional>

#include "mainwindow/AroundRules.h"
#include "mainwindow/Main.h"
#include "settings/Settings.h"

TForm32* Form32 = nullptr;
namespace ik = inikey;

namespace {
// Adds a 16 x 16 picture drawn at build time (magenta is transparent); its index, or -1.
int AddPicture(tk::ImageList& list, const char* resource) {
    tk::TBitmap bmp;
    return bmp.LoadFromResourceName(GetModuleHandleA(nullptr), resource) ? list.AddMasked(bmp, tk::clFuchsia) : -1;
}
}  // namespace

TForm32::TForm32() : Form({.width = 120, .height = 40, .border = tk::Border::None}) {
    ImageList1.SetSize(16, 16);
    for (const char* frame : {"TRAY_MEMO0", "TRAY_MEMO1", "TRAY_MEMO2", "TRAY_MEMO3"}) AddPicture(ImageList1, frame);
    tk::ImageList still(16, 16);
    HICON clock = still.GetIcon(AddPicture(still, "TRAY_CLOCK")), memo = ImageList1.GetIcon(0);
    TrayIcon1.Create(*this, {.animateRate = 100, .icon = clock, .visible = true});
    TrayIcon2.Create(*this, {.animateRate = 100, .icon = memo, .visible = true});
    DestroyIcon(clock);
    DestroyIcon(memo);
    if (Form1) {
        TrayIcon1.SetLBPopupMenu(&Form1->PopupMenu2);
        TrayIcon1.SetRBPopupMenu(&Form1->PopupMenu1);
        TrayIcon2.SetRBPopupMenu(&Form1->PopupMenu4);
    }
    TrayIcon2.OnDblClick = [this] { TrayIcon2DblClick(); };
    TrayIcon2.OnMouseMove = [this](int, int, int) { TrayIcon2MouseMove(); };
    OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormCreate();
}

void TForm32::FormCreate() {
    SetBounds(-2 * Width(), -2 * Height(), Width(), Height());
    TrayIcon1.SetTipHelp("左クリック：ランチャーメニュー／右クリック：基本メニュー");
    TrayIcon2.SetAnimateIcons(nullptr);  // the main window starts it when the settings ask for it
    TrayIcon2MouseMove();
}

namespace {
// [Setup] MIcon_DBLC as stored: a value outside 0..5 is no choice at all (not the default).
std::optional<int> MIconChoice() {
    const auto& key = ik::Setup::MIcon_DBLC;
    int choice = settings::Open().ReadInteger(ik::Setup::Section, key.Name, 0);
    if (choice < key.Min || choice > key.Max) return std::nullopt;
    return choice;
}
}  // namespace

// The same command as the status bar's double click; no choice does nothing.
void TForm32::TrayIcon2DblClick() {
    if (Form1 && MIconChoice()) Form1->StatusBar1DblClick();
}

// No choice keeps the last tip.
void TForm32::TrayIcon2MouseMove() {
    if (auto choice = MIconChoice()) TrayIcon2.SetTipHelp(MIconActionText(*choice) + "／右クリック：メモメニュー");
}
