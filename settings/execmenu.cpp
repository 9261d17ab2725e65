#include "settings/execmenu.h"

#include <algorithm>

#include "mainwindow/Actions.h"
#include "mainwindow/CommandText.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "settings/IniKeys.h"
#include "settings/Settings.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

namespace ik = inikey;

TForm30* Form30 = nullptr;

// ---- the stored menus ----

namespace {
const char kMain[] = "Main";

std::vector<LauncherItem> LoadMenu(const tk::TIniFile& ini, const std::string& name, int depth, int& tag) {
    std::vector<LauncherItem> items;
    for (MenuEntry& e : LoadMenuEntries(ini, name)) {
        LauncherItem item;
        item.title = std::move(e.title);
        item.tag = tag++;
        item.submenu = e.submenu && depth < kDeepestMenu;
        if (item.submenu)
            item.items = LoadMenu(ini, SubmenuName(name, item.title), depth + 1, tag);
        else
            item.command = std::move(e.command);
        items.push_back(std::move(item));
    }
    return items;
}

void CollectCommands(const std::vector<LauncherItem>& menu, tk::IniKeys& out) {
    for (const LauncherItem& item : menu) {
        if (item.submenu)
            CollectCommands(item.items, out);
        else
            out.emplace_back(std::to_string(item.tag), item.command);
    }
}
}  // namespace

std::vector<LauncherItem> LoadLauncherMenu(const tk::TIniFile& ini) {
    int tag = 0;
    return LoadMenu(ini, kMain, 1, tag);
}

void WriteLauncherCommands(tk::TIniFile& ini, const std::vector<LauncherItem>& menu) {
    tk::IniKeys commands;
    CollectCommands(menu, commands);
    ini.WriteSection(ik::ExecCommand::Section, commands);
}

bool LauncherCommandsCurrent(const tk::TIniFile& ini, const std::vector<LauncherItem>& menu) {
    tk::IniKeys commands;
    CollectCommands(menu, commands);
    rtl::TStringList stored;
    ini.ReadSection(ik::ExecCommand::Section, stored);
    if (stored.Count() != int(commands.size())) return false;
    for (const auto& [key, command] : commands)
        if (ini.ReadString(ik::ExecCommand::Section, key, "\x01") != command) return false;
    return true;
}

std::vector<MenuEntry> LoadMenuEntries(const tk::TIniFile& ini, const std::string& name) {
    const std::string titles = ik::ExecTitle::Of(name), commands = ik::ExecCommand::Of(name),
                      subs = ik::ExecSub::Of(name);
    int count = ini.ReadInteger(titles, ik::ExecTitle::Count, 0);
    // A damaged count cannot run past the keys that are there: a title for each item, and Count.
    rtl::TStringList keys;
    ini.ReadSection(titles, keys);
    count = std::min(count, keys.Count() - 1);
    std::vector<MenuEntry> items;
    for (int i = 0; i < count; ++i) {
        std::string key = std::to_string(i);
        items.push_back({ini.ReadString(titles, key, ""), ini.ReadString(commands, key, ""),
                         ini.ReadString(subs, key, "0") == "1"});
    }
    return items;
}

void SaveMenuEntries(tk::TIniFile& ini, const std::string& name, const std::vector<MenuEntry>& items) {
    tk::IniKeys titles{{ik::ExecTitle::Count, std::to_string(items.size())}}, subs, commands;
    for (size_t i = 0; i < items.size(); ++i) {
        std::string key = std::to_string(i);
        titles.emplace_back(key, items[i].title);
        subs.emplace_back(key, items[i].submenu ? "1" : "0");
        commands.emplace_back(key, items[i].command);
    }
    ini.WriteSection(ik::ExecTitle::Of(name), titles);
    ini.WriteSection(ik::ExecSub::Of(name), subs);
    ini.WriteSection(ik::ExecCommand::Of(name), commands);
    if (name != kMain) return;
    ini.WriteSection(ik::ExecTitle::Section, titles);
    ini.WriteSection(ik::ExecCommand::Section, commands);
}

bool MenuHasEntries(const tk::TIniFile& ini, const std::string& name) {
    return ini.ReadInteger(ik::ExecTitle::Of(name), ik::ExecTitle::Count, 0) >= 1;
}

// ---- the editor ----

namespace {
std::function<void(TForm30&)>& Hook() {
    static std::function<void(TForm30&)> hook;
    return hook;
}

const char kHelp[] = "マウスの移動により､ここにヘルプが表示されます。";
}  // namespace

void SetMenuEditorHookForTest(std::function<void(TForm30&)> hook) { Hook() = std::move(hook); }

TForm30::TForm30(bool submenu)
    : Form({.caption = submenu ? "SubMenu Editor" : "Menu Editor", .width = 470, .height = 338,
            .border = tk::Border::Dialog, .acceptFiles = true, .clientSize = true}) {
    GroupBox1.Create(*this, {.at = {8, 4, 262, 306}});
    ListBox1.Create(GroupBox1, {.at = {10, 20, 242, 134}});
    Label1.Create(GroupBox1, {.at = {10, 164, 40, 14}, .caption = "Title:"});
    Edit1.Create(GroupBox1, {.at = {52, 160, 200, 21}, .hint = "Menuのﾀｲﾄﾙを記入"});
    Label2.Create(GroupBox1, {.at = {10, 190, 40, 14}, .caption = "File:"});
    Edit2.Create(GroupBox1, {.at = {52, 186, 172, 21}, .hint = "実行ﾌｧｲﾙを記入"});
    BitBtn5.Create(GroupBox1, {.at = {226, 185, 26, 23}, .caption = "...", .hint = "ﾌｫﾙﾀﾞの参照"});
    CheckBox1.Create(GroupBox1, {.at = {10, 218, 100, 18}, .caption = "Submenu"});
    BitBtn7.Create(GroupBox1, {.at = {172, 214, 80, 25}, .caption = "&Write"});
    BitBtn10.Create(GroupBox1, {.at = {10, 244, 120, 25}, .caption = "Submenu&Edit"});
    BitBtn1.Create(GroupBox1, {.at = {10, 274, 90, 25}, .caption = "&Add"});
    BitBtn6.Create(GroupBox1, {.at = {108, 274, 90, 25}, .caption = "Se&parater"});
    BitBtn3.Create(*this, {.at = {278, 80, 32, 25}, .caption = "→"});
    BitBtn4.Create(*this, {.at = {278, 112, 32, 25}, .caption = "←"});
    GroupBox2.Create(*this, {.at = {318, 4, 144, 252}, .caption = "Stack", .hint = "並び替え用"});
    ListBox2.Create(GroupBox2, {.at = {10, 20, 124, 190}});
    BitBtn2.Create(GroupBox2, {.at = {10, 218, 124, 25}, .caption = "&Delete",
                               .hint = "問い合わせを行わずに削除しますので注意!!"});
    BitBtn8.Create(*this, {.at = {318, 284, 70, 25}, .caption = "&Save"});
    BitBtn9.Create(*this, {.at = {392, 284, 70, 25}, .caption = "&Cancel"});
    StatusBar1.Create(*this, {});
    StatusBar1.SetSimplePanel(true);
    StatusBar1.SetSimpleText(kHelp);
    SetClientSize(470, 316 + StatusBar1.Height());

    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
    ListBox2.OnClick = [this] { ListBox2Click(); };
    ListBox2.OnDblClick = [this] { BitBtn4Click(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    BitBtn9.OnClick = [this] { BitBtn9Click(); };
    BitBtn10.OnClick = [this] { BitBtn10Click(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnDropFiles = [this](const std::vector<std::string>& files) { FormDropFiles(files); };
    BuildHints();
    BuildMenu();
    SetBorderIcons(false, false);
}

void TForm30::BuildHints() {
    struct Hint {
        tk::Control* control;
        const char* text;
    } hints[] = {
        {&Edit1, "Writeしないと無効になります。"},
        {&Edit2, "Writeしないと無効になります。"},
        {&BitBtn1, "項目を新規に追加します。"},
        {&BitBtn6, "セパレータを追加します。"},
        {&ListBox2, "下位項目に設定がある場合、そのサブメニューは削除できません。"},
        {&GroupBox1, "Addで項目追加(Drop可)し Title/File設定後､ Writeで更新します。"},
        {&CheckBox1, "Fileが設定されていると選択できません。(SubMenuは２階層まで設定可)"},
        {&BitBtn5, "関連付けされたファイルも設定できます。"},
        {&BitBtn3, "Menu項目を並び変える為に一時的にスタックします。"},
        {&BitBtn4, "スタックから戻し､ Menu項目を並び変えます。"},
        {&ListBox1, "変更後は､ Saveして終了しないと無効になります。"},
        {&BitBtn7, "設定された内容を Menu項目に書き込みます。"},
        {&BitBtn2, "問い合わせを行わずに削除しますので注意!!"},
        {&BitBtn10, "現在表示のメニューを保存し、サブメニューを編集します。"},
        {&StatusBar1, kHelp},
        {&BitBtn8, "変更内容を保存して終了します。"},
        {&BitBtn9, "変更内容を保存せずに終了します。"},
    };
    for (const Hint& h : hints)
        h.control->OnMouseMove = [this, text = std::string(h.text)](int, int, int) {
            if (StatusBar1.SimpleText() != text) StatusBar1.SetSimpleText(text);
        };
}

void TForm30::BuildMenu() {
    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    m.Add("新規追加", [this] { BitBtn1Click(); });
    m.Add("書き込み", [this] { BitBtn7Click(); });
    m.Add("セパレータ", [this] { BitBtn6Click(); });
    m.Add("スタック", [this] { BitBtn3Click(); });
    m.Add("-");
    m.Add("削除", [this] { BitBtn2Click(); });
    m.Add("開く", [this] { BitBtn5Click(); });
    m.Add("サブメニュー編集", [this] { SubMenuEdit1Click(); });
    m.Add("閉じる", [this] { Close(); });
    m.Add("-");
    m.Add("保存する", [this] { BitBtn8Click(); });
    m.Add("取り止め", [this] { BitBtn9Click(); });
    SetPopupMenu(&PopupMenu1);
}

void TForm30::FormShow() {
    if (List) return;  // loaded once: showing again keeps the edits
    PlayWaveRes("ope");
    auto ini = settings::Open();
    // A menu read from a file that could not be read would be saved over the stored one.
    unreadable_ = ini.ReadError();
    std::string name = ini.ReadString(ik::Execmenu::Section, ik::Execmenu::SubStack, kMain);
    {
        PleaseWait wait(name == kMain ? "ランチャーメニューを読み込んでいます。" : "サブメニューを読み込んでいます。");
        if (name == kMain && Editable()) ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::SubCount, 1);
        int depth = std::clamp(ini.ReadInteger(ik::Execmenu::Section, ik::Execmenu::SubCount, 1), 1, kDeepestMenu);
        GroupBox1.SetCaption(name);
        RestorePosition(ini.ReadInteger(ik::Execmenu::Section, ik::Execmenu::Left(depth), 0),
                        ini.ReadInteger(ik::Execmenu::Section, ik::Execmenu::Top(depth), 0));
        List = std::make_unique<MenuEditList>(name, depth, [](const std::string& menu) {
            return MenuHasEntries(settings::Open(), menu);
        });
        CheckBox1.SetVisible(List->AllowsSubmenus());
        BitBtn10.SetVisible(List->AllowsSubmenus());
        List->SetItems(LoadMenuEntries(ini, name));
    }
    ShowLists();
    if (!Editable())
        tk::SayUnsavedUntilReopened(Handle, unreadable_, Caption());
    if (Hook()) Hook()(*this);
}

void TForm30::ShowLists() {
    ListBox1.Items.Clear();
    for (const MenuEntry& e : List->Items()) ListBox1.Items.Add(e.title);
    ListBox1.SetItemIndex(List->Selected());
    ListBox2.Items.Clear();
    for (const MenuEntry& e : List->Stack()) ListBox2.Items.Add(e.title);
    ListBox2.SetItemIndex(List->StackSelected());
    ShowSelection(true);
}

void TForm30::ShowSelection(bool texts) {
    EntryControls c = List->Controls();
    if (texts) {
        Edit1.SetText(c.title);
        Edit2.SetText(c.file);
    }
    const bool edit = Editable();  // read-only, the items only show
    Edit1.SetEnabled(edit && c.titleEnabled);
    Edit2.SetEnabled(edit && c.fileEnabled);
    BitBtn5.SetEnabled(edit && c.fileEnabled);
    BitBtn7.SetEnabled(edit && c.writeEnabled);
    filling_ = true;
    CheckBox1.SetChecked(c.submenuChecked);
    filling_ = false;
    CheckBox1.SetEnabled(edit && c.submenuBox);
    BitBtn10.SetEnabled(edit && c.submenuEdit && List->AllowsSubmenus());
    BitBtn3.SetEnabled(edit && List->Selected() >= 0);
    BitBtn4.SetEnabled(edit && List->StackSelected() >= 0);
    BitBtn2.SetEnabled(edit && List->CanDeleteFromStack());
    BitBtn8.SetEnabled(edit && List->CanSave());
    BitBtn1.SetEnabled(edit);
    BitBtn6.SetEnabled(edit);
}

void TForm30::ListBox1Click() {
    if (!List) return;
    List->Select(ListBox1.ItemIndex());
    ShowSelection(true);
}

void TForm30::ListBox2Click() {
    if (!List) return;
    List->SelectStack(ListBox2.ItemIndex());
    ShowSelection(false);
}

void TForm30::ListBox1DblClick() {
    if (BitBtn10.Enabled()) BitBtn10Click();
}

void TForm30::Edit1Change() {
    if (ReservedMenuTitle(Edit1.Text())) Edit1.Clear();
}

void TForm30::CheckBox1Click() {
    if (filling_ || !Editable()) return;
    if (List->SetSubmenu(CheckBox1.Checked())) {
        if (CheckBox1.Checked()) Edit2.Clear();
    }
    ShowSelection(false);
}

void TForm30::BitBtn1Click() {
    if (!Editable()) return;
    List->AddNew();
    ShowLists();
    Edit1.SetFocus();
}

void TForm30::BitBtn6Click() {
    if (!Editable()) return;
    List->AddSeparator();
    ShowLists();
}

void TForm30::BitBtn7Click() {
    if (!List || !BitBtn7.Enabled()) return;
    PlayWaveRes("c1");
    int i = List->Selected();
    if (List->Write(Edit1.Text(), Edit2.Text())) ListBox1.Items.SetStrings(i, List->Items()[i].title);
    ListBox1.SetItemIndex(i);
}

void TForm30::BitBtn5Click() {
    if (!BitBtn5.Enabled()) return;
    tk::OpenDialog dlg;
    dlg.Filter = "実行ﾌｧｲﾙ(*.exe;*.com;*.bat;*.lnk)|*.exe;*.com;*.bat;*.lnk|全てのﾌｧｲﾙ(*.*)|*.*";
    dlg.Options = tk::ofHideReadOnly;
    std::string current = SplitCommandText(Edit2.Text()).program;
    if (!current.empty() && tk::FileExists(current)) {
        dlg.FileName = current;
        dlg.InitialDir = rtl::ExtractFileDir(current);
    }
    if (!dlg.Execute()) return;
    Edit2.SetText(dlg.FileName);
    if (Edit1.Text() == kNewEntryTitle) Edit1.SetText(rtl::ExtractFileName(dlg.FileName));
}

void TForm30::BitBtn3Click() {
    if (!Editable() || !List->ToStack()) return;
    ShowLists();
}

void TForm30::BitBtn4Click() {
    if (!Editable() || !List->FromStack()) return;
    ShowLists();
}

void TForm30::BitBtn2Click() {
    if (!Editable() || !List->CanDeleteFromStack()) return;
    PlayWaveRes("del");
    List->DeleteFromStack();
    ShowLists();
}

bool TForm30::SaveMenu() {
    if (!Editable() || !List->CanSave()) return false;
    PlayWaveRes("sav");
    try {
        auto ini = settings::Open();
        SaveMenuEntries(ini, List->Name(), List->Items());
    } catch (const tk::EIniFileError&) {
        tk::MessageDlg(Handle, "メニューを保存できませんでした。\r設定ファイルに書き込めるか確認して下さい。", Caption(),
                       MB_OK | MB_ICONWARNING);
        return false;
    }
    // Main's flat copy took over [ExecCommand], by place, while the tray's launcher menu stays
    // reachable: its items and their commands by tag are made again now.
    if (List->Name() == kMain && Form1) Form1->RebuildLauncherMenu();
    return true;
}

void TForm30::BitBtn8Click() {
    if (SaveMenu()) Close();
}

void TForm30::BitBtn9Click() { Close(); }

void TForm30::BitBtn10Click() {
    if (!List || !BitBtn10.Enabled()) return;
    // The submenu's editor starts from this menu as saved; items parked on the stack would be
    // left out of it.
    if (!List->CanSave()) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    BitBtn7Click();
    if (!SaveMenu()) return;
    const MenuEntry& item = List->Items()[List->Selected()];
    auto ini = settings::Open();
    ini.WriteString(ik::Execmenu::Section, ik::Execmenu::SubStack, List->SubmenuOf(item));
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::SubCount, List->Depth() + 1);
    {
        TForm30 editor(true);
        editor.ShowModal();
    }
    // The submenu may hold items now: its title and flag are fixed then.
    ShowSelection(false);
}

void TForm30::SubMenuEdit1Click() {
    if (!List || !List->AllowsSubmenus()) return;
    if (CheckBox1.Enabled() && !CheckBox1.Checked()) CheckBox1.SetChecked(true);
    BitBtn10Click();
}

void TForm30::FormDropFiles(const std::vector<std::string>& files) {
    try {
        if (!Editable()) throw std::runtime_error("not editable");
        if (List->DropFiles(files) > 0) ShowLists();
    } catch (const std::exception&) {
        tk::MessageDlg(Handle, "現在ドロップ出来ません。\r一旦閉じてからまた開いて再度行って下さい。", Caption(),
                       MB_OK | MB_ICONWARNING);
    }
}

void TForm30::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm30::FormClose(tk::CloseAction& action) {
    action = tk::CloseAction::Hide;  // the one who opened it frees it
    if (!List) return;
    auto ini = settings::Open();
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Top(List->Depth()), Top());
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::Left(List->Depth()), Left());
    ini.WriteInteger(ik::Execmenu::Section, ik::Execmenu::SubCount, List->Depth() - 1);
    if (List->Name() == kMain) {
        Hide();
        // Straight to the launcher menu: a pending memo-menu rebuild must not take its turn.
        if (Form1) Form1->RebuildLauncherMenu();
    }
}

void EditLauncherMenu() {
    // A file that cannot be read is not written to: the editor opens on "Main" read-only.
    if (auto ini = settings::Open(); ini.ReadError().empty())
        ini.WriteString(ik::Execmenu::Section, ik::Execmenu::SubStack, kMain);
    TForm30 editor;
    Form30 = &editor;
    editor.ShowModal();
    Form30 = nullptr;
}
