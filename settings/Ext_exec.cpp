#include "settings/Ext_exec.h"

#include "mainwindow/Actions.h"
#include "mainwindow/CommandText.h"
#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

TForm33* Form33 = nullptr;
namespace ik = inikey;

// ---- the table ----

int AssociationTable::Find(const std::string& ext) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (rtl::SameTextAscii(entries[i].ext, ext)) return int(i);
    return -1;
}

int AssociationTable::Put(const std::string& ext, const std::string& command) {
    int i = Find(ext);
    if (i >= 0) {
        entries[i] = {ext, command};
        return i;
    }
    entries.push_back({rtl::LowerCaseAscii(ext), command});
    return int(entries.size()) - 1;
}

void AssociationTable::Remove(int index) {
    if (index >= 0 && index < int(entries.size())) entries.erase(entries.begin() + index);
}

std::string AssociationTable::CommandFor(const std::string& file) const {
    std::string ext = rtl::ExtractFileExt(file);
    int i = ext.empty() ? -1 : Find(ext);
    return i >= 0 ? entries[i].command : fallback;
}

bool ValidExtension(const std::string& text) {
    if (text.size() < 2 || text[0] != '.') return false;
    // A key holding "=" or a line break would read back as another key.
    return text.find_first_of("=\r\n[]") == std::string::npos && rtl::Trim(text) == text;
}

AssociationTable LoadAssociations(const tk::TIniFile& ini) {
    AssociationTable t;
    t.fallback = ini.ReadString(ik::Ext_Form::Section, ik::Ext_Form::Exec, "");
    rtl::TStringList keys;
    ini.ReadSection(ik::Ext_Exec::Section, keys);
    for (int i = 0; i < keys.Count(); ++i)
        t.entries.push_back({keys[i], ini.ReadString(ik::Ext_Exec::Section, keys[i], "")});
    return t;
}

void SaveAssociations(tk::TIniFile& ini, const AssociationTable& table) {
    ini.WriteInteger(ik::Ext_Form::Section, ik::Ext_Form::Count, int(table.entries.size()));
    ini.WriteString(ik::Ext_Form::Section, ik::Ext_Form::Exec, table.fallback);
    tk::IniKeys keys;
    for (const Association& a : table.entries) keys.emplace_back(a.ext, a.command);
    ini.WriteSection(ik::Ext_Exec::Section, keys);
}

// ---- the window ----

namespace {
const char kCaption[] = "関連付けの設定";

void SetMenuCheck(bool on) {
    if (Form1 && Form1->Association1) Form1->Association1->SetChecked(on);
}
}  // namespace

TForm33::TForm33()
    : Form({.caption = kCaption, .width = 404, .height = 248, .border = tk::Border::Dialog, .acceptFiles = true,
            .clientSize = true}) {
    ListBox1.Create(*this, {.at = {8, 8, 120, 184}});
    GroupBox2.Create(*this, {.at = {136, 4, 260, 100}, .caption = "関連付けにより起動するアプリ"});
    Label1.Create(GroupBox2, {.at = {10, 24, 52, 14}, .caption = "拡張子："});
    Edit3.Create(GroupBox2, {.at = {64, 20, 90, 21}, .hint = "大文字・小文字は区別しません"});
    Label2.Create(GroupBox2, {.at = {10, 50, 100, 14}, .caption = "アプリ："});
    Edit1.Create(GroupBox2, {.at = {10, 66, 208, 21}, .enabled = false});
    BitBtn2.Create(GroupBox2, {.at = {222, 65, 28, 23}, .caption = "...", .hint = "ﾃﾞｨﾚｸﾄﾘ選択", .enabled = false});
    BitBtn6.Create(GroupBox2, {.at = {170, 18, 80, 25}, .caption = "&Save", .enabled = false});
    GroupBox1.Create(*this, {.at = {136, 108, 260, 56}, .caption = "関連付けされていない場合に起動するアプリ"});
    Edit2.Create(GroupBox1, {.at = {10, 22, 208, 21}});
    BitBtn4.Create(GroupBox1, {.at = {222, 21, 28, 23}, .caption = "..."});
    Panel1.Create(*this, {.at = {136, 168, 260, 28}, .style = tk::pnOuterNone});
    BitBtn3.Create(Panel1, {.at = {0, 2, 90, 25}, .caption = "&Delete", .enabled = false});
    BitBtn1.Create(Panel1, {.at = {170, 2, 90, 25}, .caption = "&Close",
                            .hint = "保存しない場合は、窓の右上をクリックして終了"});
    StatusBar1.Create(*this, {});
    StatusBar1.SetSimplePanel(true);
    StatusBar1.SetSimpleText("この関連付けは独自のもので、エクスプローラ等の関連付けとは異なります。");

    Edit3.OnChange = [this] { Edit3Change(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnDropFiles = [this](const std::vector<std::string>& files) { FormDropFiles(files); };
    BuildHints();

    SetBorderIcons(false, false);
    SetMenuCheck(true);
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Ext_Form::Section, ik::Ext_Form::left, 0),
                    ini.ReadInteger(ik::Ext_Form::Section, ik::Ext_Form::top, 0));
}

void TForm33::BuildHints() {
    struct Hint {
        tk::Control* control;
        const char* text;
    } hints[] = {
        {&BitBtn6, "関連付けの設定を項目に修正・追加します。"},
        {&Edit1, "関連付けにより起動するアプリをフルパスで設定。"},
        {&Edit3, ".(ピリオド)から書き始めて拡張子を指定します。"},
        {&Label1, ".(ピリオド)から書き始めて拡張子を指定します。"},
        {&Edit2, "起動するアプリをフルパスで設定。"},
        {&BitBtn3, "項目から削除します。"},
        {&Panel1, "この関連付けは独自のもので、エクスプローラ等の関連付けとは異なります。"},
        {&StatusBar1, "この関連付けは独自のもので、エクスプローラ等の関連付けとは異なります。"},
        {&ListBox1, "既に設定された拡張子のリストです。"},
        {&GroupBox1, "メイン画面にファイルをドロップすると起動されます。"},
        {&GroupBox2, "メイン画面にファイルをドロップすると起動されます。"},
        {&BitBtn1, "設定を保存して終了します。"},
        {&BitBtn2, "関連付けにより起動するアプリを参照します。"},
        {&BitBtn4, "関連付けにより起動するアプリを参照します。"},
    };
    for (const Hint& h : hints)
        h.control->OnMouseMove = [this, text = std::string(h.text)](int, int, int) {
            if (StatusBar1.SimpleText() != text) StatusBar1.SetSimpleText(text);
        };
}

void TForm33::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    // A table read from a file that could not be read would be saved over the stored one: it
    // only shows, and an extension typed shows its program.
    unreadable_ = ini.ReadError();
    Table = LoadAssociations(ini);
    Edit2.SetText(Table.fallback);
    ListBox1.Items.Clear();
    for (const Association& a : Table.entries) ListBox1.Items.Add(a.ext);
    Edit3.SetFocus();
    if (Editable()) return;
    for (tk::Control* c : {(tk::Control*)&Edit2, (tk::Control*)&BitBtn4, (tk::Control*)&BitBtn1}) c->SetEnabled(false);
    tk::SayUnsavedUntilReopened(Handle, unreadable_, kCaption);
}

void TForm33::Edit3Change() {
    ListBox1.SetItemIndex(-1);
    BitBtn3.SetEnabled(false);
    bool valid = ValidExtension(Edit3.Text());
    Edit1.SetEnabled(valid && Editable());
    BitBtn2.SetEnabled(valid && Editable());
    // The typed spelling stays in the field; only the entry's program is shown.
    int i = valid ? Table.Find(Edit3.Text()) : -1;
    if (i >= 0) {
        ListBox1.SetItemIndex(i);
        Edit1.SetText(Table.entries[i].command);
        BitBtn3.SetEnabled(Editable());
    }
    Edit1Change();
}

void TForm33::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    if (i < 0 || i >= int(Table.entries.size())) return;
    Edit3.SetText(Table.entries[i].ext);  // selects i again through Edit3Change
    Edit1.SetText(Table.entries[i].command);
    BitBtn3.SetEnabled(ListBox1.ItemIndex() >= 0 && Editable());
}

// An entry needs a program and an extension that can be stored.
void TForm33::Edit1Change() {
    BitBtn6.SetEnabled(!Edit1.Text().empty() && ValidExtension(Edit3.Text()) && Editable());
}

void TForm33::BitBtn6Click() {
    if (!BitBtn6.Enabled()) return;
    PlayWaveRes("sav");
    int count = int(Table.entries.size());
    int i = Table.Put(Edit3.Text(), Edit1.Text());
    if (i < count)
        ListBox1.Items.SetStrings(i, Table.entries[i].ext);
    else
        ListBox1.Items.Add(Table.entries[i].ext);
    Edit3.Clear();
    Edit1.Clear();
    ListBox1.SetItemIndex(i);
    BitBtn3.SetEnabled(true);
    BitBtn6.SetEnabled(false);
}

void TForm33::BitBtn3Click() {
    int i = ListBox1.ItemIndex();
    if (!BitBtn3.Enabled() || i < 0 || i >= int(Table.entries.size())) return;
    PlayWaveRes("del");
    Table.Remove(i);
    ListBox1.Items.Delete(i);
    ListBox1.SetItemIndex(-1);
    BitBtn3.SetEnabled(false);
}

void TForm33::BitBtn1Click() {
    if (!BitBtn1.Enabled()) return;
    Table.fallback = Edit2.Text();
    try {
        auto ini = settings::Open();
        SaveAssociations(ini, Table);
    } catch (const tk::EIniFileError&) {
        tk::MessageDlg(Handle, "関連付けを保存できませんでした。\r設定ファイルに書き込めるか確認して下さい。", kCaption,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    Close();
}

void TForm33::Browse(tk::Edit& field) {
    tk::OpenDialog dlg;
    dlg.Filter = "実行ﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*";
    dlg.Options = tk::ofHideReadOnly;
    std::string current = SplitCommandText(field.Text()).program;
    if (!current.empty() && tk::FileExists(current)) {
        dlg.FileName = current;
        dlg.InitialDir = rtl::ExtractFileDir(current);
    }
    if (dlg.Execute()) field.SetText(dlg.FileName);
}

void TForm33::BitBtn2Click() { Browse(Edit1); }
void TForm33::BitBtn4Click() { Browse(Edit2); }

void TForm33::FormDropFiles(const std::vector<std::string>& files) {
    // Documents first: their extension may bring an entry's program, which a dropped program
    // of the same drop then replaces.
    std::string program;
    for (const std::string& f : files) {
        if (f.size() > 255) continue;
        std::string ext = rtl::ExtractFileExt(f);
        if (rtl::UpperCaseAscii(ext) == ".EXE")
            program = f;
        else
            Edit3.SetText(ext);
    }
    if (!program.empty()) Edit1.SetText(program);
}

void TForm33::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm33::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Ext_Form::Section, ik::Ext_Form::top, Top());
    ini.WriteInteger(ik::Ext_Form::Section, ik::Ext_Form::left, Left());
    SetMenuCheck(false);
    action = tk::CloseAction::Free;
}
