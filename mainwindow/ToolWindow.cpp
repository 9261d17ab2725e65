#include "mainwindow/ToolWindow.h"

#include "mainwindow/Actions.h"
#include "mainwindow/AroundRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"

TForm5* Form5 = nullptr;
namespace ik = inikey;

namespace {
const char kEmptyBoxHint[] = "\".\"(ピリオド)でショートカット専用フォルダ";
std::string HelpFile() { return tk::ExeDir() + "\\help_html\\index.html"; }
}  // namespace

TForm5::TForm5() : Form({.caption = "ToolWindow", .width = 532, .height = 32, .border = tk::Border::None,
                         .acceptFiles = true}) {
    using namespace tk;
    Panel1.Create(*this, {.align = Align::Client});
    Panel2.Create(Panel1, {.at = {2, 2, 9, 24}, .hint = "移動", .color = clActiveCaption, .style = pnOuterNone});
    Panel2.OnMouseDown = [this](MouseButton b, int, int, int) { Panel2MouseDown(b); };
    // The three menus, the commands, help; then the launcher box, launch and close.
    CreateGlyphButton(BitBtn1, Panel1, 14, 2, "TOOL_MAIN", "メイン");
    CreateGlyphButton(BitBtn2, Panel1, 38, 2, "TOOL_LAUNCHER", "アプリ起動");
    CreateGlyphButton(BitBtn3, Panel1, 62, 2, "TOOL_MEMO", "メモ");
    int x = 90;
    for (auto [button, command] : CommandButtons()) {
        CreateCommandButton(*button, Panel1, x, 2, *command);
        x += 24;
    }
    CreateGlyphButton(BitBtn13, Panel1, 310, 2, "TOOL_HELP", "ヘルプ");
    ComboBox1.Create(Panel1, {.at = {340, 3, 132, 22}, .hint = kEmptyBoxHint, .items = {}});
    CreateGlyphButton(BitBtn15, Panel1, 474, 2, "TOOL_LAUNCH", "起動");
    CreateGlyphButton(BitBtn14, Panel1, 502, 2, "TOOL_CLOSE", "閉じる");
    BitBtn1.OnClick = [this] {
        if (Form1) PopupAtMouse(Form1->PopupMenu1);
    };
    BitBtn2.OnClick = [this] {
        if (Form1) PopupAtMouse(Form1->PopupMenu2);
    };
    BitBtn3.OnClick = [this] {
        if (Form1) PopupAtMouse(Form1->PopupMenu4);
    };
    BitBtn13.OnClick = [this] { BitBtn13Click(); };
    BitBtn14.OnClick = [this] { Close(); };
    BitBtn15.OnClick = [this] { BitBtn15Click(); };
    ComboBox1.OnKeyUp = [this](WORD& key, int) { ComboBox1KeyUp(key); };
    ComboBox1.OnKeyPress = [this](char& key) {
        if (key == '\r') {
            key = 0;  // no beep from the box
            BitBtn15Click();
        }
    };

    PopupMenu1.Create(*this);
    K1 = &PopupMenu1.Items.Add("常に手前に表示", [this] { K1Click(); });
    K2 = &PopupMenu1.Items.Add("ドロップしたファイルを空白で区切る", [this] { K2Click(); });
    PopupMenu1.Items.Add("-");
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);

    OnDropFiles = [this](const std::vector<std::string>& files) { FormDropFiles(files, KeyShift()); };
    OnShow = [this] { FormShow(); };
    OnActivate = [this] {
        // Commands may have become available since the window was shown.
        for (auto [button, command] : CommandButtons())
            FollowMainCommand(*button, *command);
    };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

std::vector<std::pair<TPanelButton*, const MainCommand*>> TForm5::CommandButtons() {
    return {{&BitBtn4, &maincmd::Popup},     {&BitBtn5, &maincmd::Schedule}, {&BitBtn6, &maincmd::List},
            {&BitBtn7, &maincmd::Data},      {&BitBtn8, &maincmd::Telephone}, {&BitBtn9, &maincmd::Todo},
            {&BitBtn10, &maincmd::Diary},    {&BitBtn11, &maincmd::Birthday}, {&BitBtn12, &maincmd::Setup}};
}

std::string TForm5::ShortcutDir() { return tk::ExeDir() + "\\Shortcut"; }

void TForm5::FormCreate() {
    std::string dir = ShortcutDir();
    if (!tk::DirectoryExists(dir)) CreateDirectoryA(dir.c_str(), nullptr);
    // "." in the box then opens this folder.
    SetCurrentDirectoryA((dir + "\\").c_str());
    FillShortcuts();
}

// The entries of the shortcut folder whose names begin with the typed text, without extension.
void TForm5::FillShortcuts() {
    std::string text = ComboBox1.Text(), lower = rtl::LowerCaseAscii(text);
    ComboBox1.Items.Clear();
    tk::TSearchRec r;
    for (int rc = tk::FindFirst(ShortcutDir() + "\\*.*", tk::faAnyFile & ~tk::faDirectory, r); rc == 0;
         rc = tk::FindNext(r)) {
        if (r.Attr & tk::faDirectory) continue;
        std::string name = rtl::ChangeFileExt(r.Name, "");
        if (rtl::LowerCaseAscii(name).compare(0, lower.size(), lower) == 0) ComboBox1.Items.Add(name);
    }
    tk::FindClose(r);
    // Emptying the list empties the box too: the typing goes on where it was.
    ComboBox1.SetText(text);
    SendMessageA(ComboBox1.Handle, CB_SETEDITSEL, 0, MAKELPARAM(text.size(), text.size()));
    bool known = false;
    for (int i = 0; i < ComboBox1.Items.Count(); ++i)
        known = known || rtl::LowerCaseAscii(ComboBox1.Items[i]) == lower;
    ComboBox1.SetColor(known && !text.empty() ? tk::clBtnFace : tk::clWindow);
    ComboBox1.Hint = text.empty() ? std::string(kEmptyBoxHint) : text;
}

void TForm5::ComboBox1KeyUp(WORD key) {
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_SHIFT || key == VK_RETURN)
        return;
    FillShortcuts();
}

std::string TForm5::ResolveShortcut(const std::string& text) {
    // Wildcards would make any entry a match.
    if (text.find_first_of("*?") != std::string::npos) return text;
    tk::TSearchRec r;
    std::string found = text;
    if (tk::FindFirst(ShortcutDir() + "\\" + text + ".*", tk::faAnyFile & ~tk::faDirectory, r) == 0)
        do {
            if (!(r.Attr & tk::faDirectory)) {
                found = ShortcutDir() + "\\" + r.Name;
                break;
            }
        } while (tk::FindNext(r) == 0);
    tk::FindClose(r);
    return found;
}

void TForm5::BitBtn15Click() {
    std::string text = ComboBox1.Text();
    if (text.empty()) return;
    if (ExecuteCommand(ResolveShortcut(text), Handle)) {
        if (Form1) Form1->PlayWaveRes("ope");
        ComboBox1.SetText("");
        FillShortcuts();
    } else {
        MessageBeep(MB_ICONASTERISK);
    }
}

void TForm5::BitBtn13Click() {
    std::string help = HelpFile();
    tk::ShellLaunch(Handle, "OPEN", help, "", rtl::ExtractFilePath(help), SW_SHOWNORMAL);
}

void TForm5::PopupAtMouse(tk::PopupMenu& menu) {
    POINT p{};
    GetCursorPos(&p);
    menu.Popup(p.x, p.y);
}

void TForm5::Panel2MouseDown(tk::MouseButton button) {
    if (button == tk::mbLeft) DragWindow(Handle);
}

void TForm5::FormShow() {
    if (Form1) {
        Form1->ToolWindow->SetChecked(true);
        Form1->ToolWindow->Tag = 1;
        Form1->PlayWaveRes("ope");
    }
    auto ini = settings::Open();
    ini.WriteBool(ik::ToolWindow::Section, ik::ToolWindow::Visible, true);
    // Just below the main window until the window has a place of its own.
    int top = ini.ReadInteger(ik::ToolWindow::Section, ik::ToolWindow::top, Form1 ? Form1->Top() + Form1->Height() : 0);
    int left = ini.ReadInteger(ik::ToolWindow::Section, ik::ToolWindow::left, Form1 ? Form1->Left() : 0);
    RestorePosition(left, top);
    BitBtn13.SetEnabled(tk::FileExists(HelpFile()));
    if (OnActivate) OnActivate();
}

void TForm5::FormCloseQuery(bool& canClose) {
    if (Form1) Form1->PlayWaveRes("clo");
    canClose = true;
}

void TForm5::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::ToolWindow::Section, ik::ToolWindow::top, Top());
    ini.WriteInteger(ik::ToolWindow::Section, ik::ToolWindow::left, Left());
    ini.WriteBool(ik::ToolWindow::Section, ik::ToolWindow::Visible, false);
    if (Form1) {
        Form1->ToolWindow->SetChecked(false);
        Form1->ToolWindow->Tag = 0;
    }
    action = tk::CloseAction::Hide;
}

void TForm5::PopupMenu1Popup() {
    auto ini = settings::Open();
    K1->SetChecked(ini.ReadBool(ik::ToolWindow::Section, ik::ToolWindow::StayOnTop, false));
    K2->SetChecked(ini.ReadBool(ik::ToolWindow::Section, ik::ToolWindow::Separate, false));
}

void TForm5::K1Click() {
    K1->SetChecked(!K1->Checked());
    settings::Open().WriteBool(ik::ToolWindow::Section, ik::ToolWindow::StayOnTop, K1->Checked());
    // The tick keeps it on top while the switch is on; switched off, it goes back among the others.
    if (!K1->Checked()) SetTopmost(false);
}

void TForm5::K2Click() {
    K2->SetChecked(!K2->Checked());
    settings::Open().WriteBool(ik::ToolWindow::Section, ik::ToolWindow::Separate, K2->Checked());
}

void TForm5::FormDropFiles(const std::vector<std::string>& files, int shift) {
    bool separate = settings::Open().ReadBool(ik::ToolWindow::Section, ik::ToolWindow::Separate, false);
    if (files.empty()) return;
    if (tk::SetClipboardText(Handle, DroppedPathsText(files, separate, (shift & tk::ssShift) != 0))) {
        if (Form1) Form1->PlayWaveRes("cop");
    } else {
        tk::MessageDlg(Handle, "現在ツールウィンドウにドロップ出来ません。\r一旦閉じてからまた開いて再度行って下さい。",
                       tk::Application.Title(), MB_OK | MB_ICONWARNING);
    }
}
