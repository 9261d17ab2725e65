// The main window's commands around its other windows: the data-folder rule, the double clicks
// that run the command the settings choose, the status bar's hint, the private tools behind the
// password, hide and show, and the author's page.
#include "mainwindow/MainCommands.h"

#include <iterator>

#include "mainwindow/Main.h"
#include "notes/NikiList.h"
#include "notes/Period.h"
#include "notes/password.h"
#include "settings/DayCalc.h"
#include "settings/Settings.h"
#include "settings/TelePhone.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"

namespace ik = inikey;

namespace {

const char kHomePage[] = "https://example.com/orbal98/";

// What a double click runs, by [Setup] Cal_DBLC and [Setup] MIcon_DBLC. Each command runs through
// its menu item: one whose window is not there yet (item disabled) does nothing, and the diary
// list runs only while List2 is enabled.
using Command = tk::MenuItem* TForm1::*;
constexpr Command kCalendarDblClick[] = {&TForm1::Popup1, &TForm1::Todo1, &TForm1::Data2, &TForm1::Jump1,
                                         &TForm1::Diary1};
constexpr Command kStatusDblClick[] = {&TForm1::List2, &TForm1::List1, &TForm1::Popup1,
                                       &TForm1::Todo1, &TForm1::Jump1, &TForm1::Telephone1};
const char* const kStatusHints[] = {
    "ダブルクリック：日記リスト\r右クリック：ランチャーメニュー",
    "ダブルクリック：To_do一覧\r右クリック：ランチャーメニュー",
    "ダブルクリック：Popupの登録\r右クリック：ランチャーメニュー",
    "ダブルクリック：To_doの登録\r右クリック：ランチャーメニュー",
    "ダブルクリック：指定日に移動\r右クリック：ランチャーメニュー",
    "ダブルクリック：簡易電話帳\r右クリック：ランチャーメニュー",
};
// The reads keep these keys inside their ranges, so every value has its entry.
static_assert(std::size(kCalendarDblClick) == ik::Setup::Cal_DBLC.Max + 1);
static_assert(std::size(kStatusDblClick) == ik::Setup::MIcon_DBLC.Max + 1);
static_assert(std::size(kStatusHints) == std::size(kStatusDblClick));

int StatusChoice() { return settings::Open().ReadInteger(ik::Setup::Section, ik::Setup::MIcon_DBLC, 0); }

}  // namespace

bool BringOpenForward(bool open, tk::Form* window) {
    if (!open || !window) return false;
    window->BringForward();
    return true;
}

bool EnsureToolFolder(HWND owner, const std::string& dir) {
    // A failed creation is not reported by itself: the test after it says all there is to say.
    if (!tk::DirectoryExists(dir)) CreateDirectoryA(dir.c_str(), nullptr);
    if (tk::DirectoryExists(dir)) return true;
    tk::MessageDlg(owner, "保存先ディレクトリが無いので\r処理を中断します。", tk::Application.Title(),
                   MB_OK | MB_ICONERROR);
    return false;
}

void TForm1::BindCommands() {
    CalendarEx1.OnDblClick = [this] { CalendarEx1DblClick(); };
    StatusBar1.OnDblClick = [this] { StatusBar1DblClick(); };
    StatusBar1.OnMouseMove = [this](int, int, int) { StatusBar1MouseMove(); };
    auto runs = [this](tk::Control& c, Command item) { c.OnDblClick = [this, item] { (this->*item)->Click(); }; };
    runs(Panel6, &TForm1::Todo1);
    runs(Panel7, &TForm1::List1);
    runs(Panel16, &TForm1::List1);
    runs(Panel8, &TForm1::Jump1);
    runs(Panel11, &TForm1::Jump1);
    ComboBox2.OnDblClick = [this] { BirthDay1Click(); };
    Diary1->OnClick = [this] { Diary1Click(); };
    Period1->OnClick = [this] { Period1Click(); };
    Telephone1->OnClick = [this] { Telephone1Click(); };
    False1->OnClick = [this] { False1Click(); };
}

bool TForm1::FolderCommand() {
    if (settings::DataDir() != ".") return true;
    OpenSettingsForFolder();
    return false;
}

void TForm1::OpenSettingsForFolder() {
    // The data folder is chosen in the settings window.
    Setup1Click();
}

void TForm1::CalendarEx1DblClick() {
    int choice = settings::Open().ReadInteger(ik::Setup::Section, ik::Setup::Cal_DBLC, 0);
    (this->*kCalendarDblClick[choice])->Click();
}

void TForm1::StatusBar1DblClick() { (this->*kStatusDblClick[StatusChoice()])->Click(); }

void TForm1::StatusBar1MouseMove() { StatusBar1.Hint = kStatusHints[StatusChoice()]; }

// The private tools: the password gate first (it writes the access stamp), then the folder rule
// and the tool's folder. Their windows come with their own units.
void TForm1::Diary1Click() { DiaryCommand(false); }

void TForm1::List2Click() {
    if (!PasswordGate(Handle, PrivateTool::Diary) || !FolderCommand()) return;
    if (!EnsureToolFolder(Handle, settings::PrivateDir() + "\\Diary")) {
        OpenSettingsForFolder();
        return;
    }
    // Always a new list (the item is disabled while one is open), at this month.
    TForm12& list = ShowNewWindow(Form12, [](TForm12& f) {
        f.SetMonth(rtl::Date());
        f.BuildList();
    });
    list.BringForward();
}

void TForm1::Period1Click() {
    if (!PasswordGate(Handle, PrivateTool::Period) || !FolderCommand()) return;
    if (!EnsureToolFolder(Handle, settings::PrivateDir() + "\\Period") ||
        BringOpenForward(Period1->Checked(), Form25))
        return;
    ShowNewWindow(Form25, [](TForm25&) {});
}

// The day calculator needs no data folder.
void TForm1::DayCalc1Click() {
    if (BringOpenForward(DayCalc1->Checked(), Form11)) return;
    ShowNewWindow(Form11, [](TForm11&) {});
}

void TForm1::Telephone1Click() {
    if (!PasswordGate(Handle, PrivateTool::Telephone) || !FolderCommand()) return;
    if (!EnsureToolFolder(Handle, settings::DataDir() + "\\Tel") || BringOpenForward(Telephone1->Checked(), Form3))
        return;
    ShowNewWindow(Form3, [](TForm3&) {});
}

void TForm1::False1Click() {
    auto ini = settings::Open();
    // Absent means shown, as at start-up and in the tick; a minimised window comes back.
    if (ini.ReadBool(ik::Form::Section, ik::Form::Visible, true) && !Minimized()) {
        ini.WriteBool(ik::Form::Section, ik::Form::Visible, false);
        Hide();
        return;
    }
    if (ini.ReadInteger(ik::Mini::Section, ik::Mini::exec, 0) == 1) {
        ini.WriteInteger(ik::Mini::Section, ik::Mini::exec, 0);
        miniClock1->Click();  // leaves mini mode
    }
    ini.WriteBool(ik::Form::Section, ik::Form::Visible, true);
    Show();
}

void TForm1::TavsHomePage1Click() { tk::ShellLaunch(Handle, "OPEN", kHomePage, "", "", SW_SHOW); }
