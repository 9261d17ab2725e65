// The main window's side of the windows around it: the tray host and the task-bar button, the
// switch to and from the mini clock, the tool window, the launcher menu's fixed items, and the
// tick's part for the mini clock and the topmost windows.
#include "controls/TrayIcon.h"
#include "mainwindow/Main.h"
#include "mainwindow/Actions.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/Message.h"
#include "mainwindow/PopView.h"
#include "mainwindow/ToolWindow.h"
#include "mainwindow/miniclck.h"
#include "mainwindow/tray_icon.h"
#include "settings/Settings.h"
#include "settings/execmenu.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Power.h"

namespace ik = inikey;

namespace {
// Windows made while the main window is still being created must not become the main form.
template <class T>
T* CreateBeside(TForm1* main, T*& ref) {
    tk::Application.CreateForm(ref);
    if (tk::Application.MainForm == ref) tk::Application.MainForm = main;
    return ref;
}

constexpr int kFixedLauncherItems = 5;

void AddLauncherItems(TForm1& main, tk::MenuItem& parent, const std::vector<LauncherItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        const LauncherItem& item = items[i];
        std::function<void()> click;
        if (!item.submenu) click = [&main, tag = item.tag] { main.ExecMenuClick(tag); };
        tk::MenuItem& built = parent.Insert(int(i), item.title, click);
        built.Tag = item.tag;
        if (item.submenu) AddLauncherItems(main, built, item.items);
    }
}

// The built items under parent (the first items.size() of them) have the places, tags and kinds
// of items, and with titles also their titles.
bool SameItems(const tk::MenuItem& parent, const std::vector<LauncherItem>& items, bool titles) {
    for (size_t i = 0; i < items.size(); ++i) {
        const tk::MenuItem& built = parent[int(i)];
        const LauncherItem& item = items[i];
        if ((titles && built.Caption() != item.title) || built.Tag != item.tag || bool(built.OnClick) == item.submenu)
            return false;
        if (item.submenu && (built.Count() != int(item.items.size()) || !SameItems(built, item.items, titles)))
            return false;
    }
    return true;
}

// Gives built items of the same shape their new titles: a renamed item is the usual change, and
// replacing one entry costs a fraction of making the whole menu again.
void Retitle(tk::MenuItem& parent, const std::vector<LauncherItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        parent[int(i)].SetCaption(items[i].title);
        if (items[i].submenu) Retitle(parent[int(i)], items[i].items);
    }
}

void KeepOnTop(tk::Form& f) {
    SetWindowPos(f.Handle, HWND_TOPMOST, f.Left(), f.Top(), f.Width(), f.Height(), SWP_NOACTIVATE);
}
}  // namespace

void TForm1::BuildLauncherMenu() {
    PopupMenu2.Create(*this);
    auto& m = PopupMenu2.Items;
    m.Add("-");
    Config1 = &m.Add("メニューの編集", [this] { Config1Click(); });
    m.Add("-");
    Reboot1 = &m.Add("Windowsの終了");
    KWindows3 = &Reboot1->Add("Windowsの再起動", [] { tk::ShutDownWindows(true); });
    KWindows4 = &Reboot1->Add("Windowsの終了", [] { tk::ShutDownWindows(false); });
    Close2 = &m.Add("終了(&X)", [this] { KLumet2Click(); });
    RebuildLauncherMenu();
    PopupMenu2.OnPopup = [this] { PopupMenu2Popup(); };
    StatusBar1.SetPopupMenu(&PopupMenu2);

    miniClock1->OnClick = [this] { miniClock1Click(); };
    miniClock1->SetEnabled(true);
    ToolWindow->OnClick = [this] { ToolWindowClick(); };
    ToolWindow->SetEnabled(true);
}

void TForm1::FormResize() {
    if (PopupMenu4.Tag == 1) RebuildMemoMenu();
    else if (Config1) RebuildLauncherMenu();  // not before the fixed items exist
}

void TForm1::RebuildLauncherMenu() {
    auto& m = PopupMenu2.Items;
    try {
        auto ini = settings::Open();
        std::vector<LauncherItem> menu = LoadLauncherMenu(ini);
        bool commandsCurrent = LauncherCommandsCurrent(ini, menu);
        // Every resize of the main window asks; the menu is only made again when the stored one
        // differs from the built one (or its commands from [ExecCommand]).
        const bool sameShape = m.Count() == kFixedLauncherItems + int(menu.size()) && SameItems(m, menu, false);
        if (commandsCurrent && sameShape && SameItems(m, menu, true)) return;
        std::unique_ptr<PleaseWait> wait;
        if (Tag == 1) wait = std::make_unique<PleaseWait>("ランチャーメニューを再構築しています。");
        tk::BusyCursor busy(tk::crHourGlass);
        if (!sameShape) while (m.Count() > kFixedLauncherItems) m.Delete(0);
        if (!commandsCurrent) WriteLauncherCommands(ini, menu);
        // The commands are looked up by tag at the click, so items in the same places only
        // need their titles.
        if (sameShape) Retitle(m, menu);
        else AddLauncherItems(*this, m, menu);
    } catch (const tk::EIniFileError&) {
        // The built items stay out until the settings file can be written again.
        while (m.Count() > kFixedLauncherItems) m.Delete(0);
    }
}

void TForm1::Config1Click() {
    if (!FolderCommand()) return;
    // The tray icon's menu stays reachable while the editor runs modally.
    if (Form30) {
        Form30->BringForward();
        return;
    }
    EditLauncherMenu();
}

void TForm1::ExecMenuClick(int tag) {
    std::string command = settings::Open().ReadString(ik::ExecCommand::Section, std::to_string(tag), "");
    if (!command.empty()) ExecuteCommand(command, Handle);
}

void TForm1::PopupMenu2Popup() {
    Reboot1->SetVisible(settings::Open().ReadBool(ik::Setup::Section, ik::Setup::Reboot_exec, false));
}

bool TrayWindowExists() { return Form32 != nullptr; }

void TForm1::PopupMenu1PopupTray() {
    // The settings window may have switched the icon's menu off; the main menu brings it back.
    if (Form32) Form32->TrayIcon1.AutoPopup = true;
}

void TForm1::StartTray(tk::TIniFile& ini, int tray) {
    if (tray == 0 || tray == 2) {
        try {
            CreateBeside(this, Form32);
            if (!ini.ReadBool(ik::Form::Section, ik::Form::IconAnimate, false)) {
                Form32->TrayIcon2.SetAnimateIcons(&Form32->ImageList1);
                Form32->TrayIcon2.StartAnimation();
            }
        } catch (const EOutOfMemory&) {
            // No room in the notification area: the task-bar button stays the way back in.
            if (Form32) Form32->Destroy();
            tray = 2;
        }
    }
    tk::Application.SetTaskButton(tray == 1 || tray == 2);
}

// Painting brings the task-bar button back; it goes again when the settings want none.
void TForm1::FormPaint() {
    int tray = settings::Open().ReadInteger(ik::Form::Section, ik::Form::Tray_icon, 0);
    if ((tray == 0 && Form32) || tray == 3) tk::Application.SetTaskButton(false);
}

void TForm1::StartMiniClock(tk::TIniFile& ini) {
    if (ini.ReadInteger(ik::Mini::Section, ik::Mini::exec, 0) == 1) miniClock1Click();
}

void TForm1::StartToolWindow(tk::TIniFile& ini) {
    if (ini.ReadBool(ik::Form::Section, ik::Form::ToolWindow_pop, false)) ToolWindowClick();
    // A second request brings the open window forward.
    if (ini.ReadBool(ik::ToolWindow::Section, ik::ToolWindow::Visible, false)) ToolWindowClick();
}

void TForm1::miniClock1Click() {
    auto ini = settings::Open();
    if (miniClock1->Checked()) {
        ini.WriteInteger(ik::Mini::Section, ik::Mini::exec, 0);
        False1->Tag = 0;
        ini.WriteBool(ik::Form::Section, ik::Form::Visible, true);
        if (Form27) {
            Form27->Tag = 1;  // closed by this switch: the program goes on
            Form27->Close();
        } else {
            miniClock1->SetChecked(false);
            Show();
        }
    } else {
        ini.WriteInteger(ik::Mini::Section, ik::Mini::exec, 1);
        False1->Tag = 1;
        ini.WriteBool(ik::Form::Section, ik::Form::Visible, false);
        CreateBeside(this, Form27)->Show();
    }
}

void TForm1::ToolWindowClick() {
    if (BringOpenForward(ToolWindow->Tag != 0, Form5)) return;
    // Closing only hides it: the same window shows again.
    if (!Form5) CreateBeside(this, Form5);
    Form5->Show();
}

void TForm1::DeactivateToMini() {
    if (miniClock1->Tag == 1) return;
    auto ini = settings::Open();
    if (!ini.ReadBool(ik::Mini::Section, ik::Mini::Change, false) || miniClock1->Checked()) return;
    miniClock1Click();
    if (Form27 && ini.ReadInteger(ik::Mini::Section, ik::Mini::StayOnTop, 0) == 1 && minitokei.Tag == 0)
        KeepOnTop(*Form27);
}

void TForm1::TickMini(tk::TIniFile& ini, rtl::TDateTime now, const std::string& resources) {
    const bool inactive = minitokei.Tag == 0;
    if (ini.ReadInteger(ik::Mini::Section, ik::Mini::exec, 0) == 1) {
        if (Visible()) Hide();
        if (Form27) {
            Form27->ShowTexts(now, resources);
            if (ini.ReadInteger(ik::Mini::Section, ik::Mini::StayOnTop, 0) == 1 && inactive) KeepOnTop(*Form27);
        }
    }
    if (Form5 && inactive && ini.ReadBool(ik::ToolWindow::Section, ik::ToolWindow::Visible, false) &&
        ini.ReadBool(ik::ToolWindow::Section, ik::ToolWindow::StayOnTop, false))
        KeepOnTop(*Form5);
}

void TForm1::DestroyAroundWindows() {
    // The program's end: they go with the main window.
    if (Form24) Form24->Destroy();
    if (Form5) Form5->Destroy();
    if (Form27) Form27->Destroy();
    if (Form32) Form32->Destroy();
}
