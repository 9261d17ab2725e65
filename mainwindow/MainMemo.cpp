// The memo store on the main window: new, reload (and the reopening at start), open, copy and
// delete, with the counter and group lists kept in the settings sections of the Memo folder.
#include "mainwindow/MainMemo.h"

#include <algorithm>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/Message.h"
#include "notes/Memo.h"
#include "notes/memo_Tree.h"
#include "notes/MemoNames.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/RichEdit.h"

namespace ik = inikey;
namespace ms = inikey::MemoStore;

namespace {

TForm1& Main(TMemoStore* store) { return static_cast<TForm1&>(*store); }

int GroupOf(const tk::ComboBox& box) { return std::clamp(box.ItemIndex(), 0, ms::Groups - 1); }

bool DataFolderChosen() { return settings::DataDir() != "."; }

constexpr int kFixedMemoMenuItems = 2;

}  // namespace

std::string MemoGroupName(const tk::TIniFile& ini, int group) {
    static const char* const defaults[ms::Groups] = {"メモ１", "メモ２", "メモ３", "メモ４", "メモ５",
                                                     "メモ６", "メモ７", "メモ８", "メモ９", "メモ１０"};
    std::string name = ini.ReadString(ik::Memo_bun::Section, rtl::IntToStr(group), "");
    return name.empty() && group >= 0 && group < ms::Groups ? defaults[group] : name;
}

void ReadMemoGroup(const tk::TIniFile& ini, int group, tk::ItemList& names, tk::ItemList& titles) {
    std::string section = ms::GroupSection(group, MemoFolder());
    rtl::TStringList keys;
    ini.ReadSection(section, keys);
    for (int i = 0; i < keys.Count(); ++i) {
        names.Add(keys[i]);
        titles.Add(ini.ReadString(section, keys[i], keys[i]));
    }
}

void TMemoStore::CreateMemoStore() {
    TForm1& f = Main(this);
    ListBox1.Create(f, {.at = {0, 0, 10, 10}, .visible = false});
    BitBtn9.Create(f, {.caption = "&Add", .hint = "新規にMemoを作成します｡", .visible = false});
    BitBtn10.Create(f, {.caption = "reLoad", .hint = "Memoを再検索します｡", .visible = false});
    BitBtn11.Create(f, {.caption = "Delete", .hint = "Memoを削除します｡", .visible = false});
    BitBtn9.OnClick = [this] { BitBtn9Click(); };
    BitBtn10.OnClick = [this] { BitBtn10Click(); };
    BitBtn11.OnClick = [this] { BitBtn11Click(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
    f.PopupMenu4.Items.Add("-");
    K1 = &f.PopupMenu4.Items.Add("メモ一覧", [&f] { f.MemoTree1Click(); });

}

void TMemoStore::LoadMemoGroups(const tk::TIniFile& ini) {
    TForm1& f = Main(this);
    HWND active = GetActiveWindow();
    {
        PleaseWait wait("メモを読み込んでいます。");
        for (int i = 0; i < f.ComboBox1.Items.Count(); ++i) {
            std::string name = ini.ReadString(ik::Memo_bun::Section, rtl::IntToStr(i), "");
            if (!name.empty()) f.ComboBox1.Items.SetStrings(i, name);
            f.ComboBox1.SetItemIndex(i);
            BitBtn10Click();
        }
        // The window that was active takes the activation back before the please-wait window
        // goes, which would hand it to the memo shown last.
        if (active && IsWindowVisible(active)) SetActiveWindow(active);
    }
    // Only now: a memo activated as the please-wait window goes leaves the group box alone.
    f.ComboBox1.Tag = 1;
}

TForm18* TMemoStore::NewMemo(int group, const std::string& title) {
    if (!DataFolderChosen()) return nullptr;
    std::string M = MemoFolder();
    tk::ForceDirectories(rtl::ExcludeTrailingBackslash(M));
    auto ini = settings::Open();
    // Numbers whose file, window state or group entry is still there are passed over: after a
    // reset of the settings file the counter starts again below them.
    int n = memo::NextMemoNumber(ini.ReadInteger(ms::CountSection(M), ms::Count, 0), [&](int k) {
        std::string name = memo::MemoName(k);
        if (tk::FileExists(M + name) || ini.SectionExists(ms::MemoSection(name, M))) return true;
        for (int g = 0; g < ms::Groups; ++g)
            if (ini.ValueExists(ms::GroupSection(g, M), name)) return true;
        return false;
    });
    if (n == 0) return nullptr;
    ini.WriteInteger(ms::CountSection(M), ms::Count, n);
    std::string name = memo::MemoName(n);
    std::string shown = title.empty() ? name : title;
    ini.WriteString(ms::GroupSection(group, M), name, shown);
    TForm18* w = CreateMemoWindow(name, group, shown);
    MessageBeep(0);
    return w;
}

void TMemoStore::BitBtn9Click() {
    if (!Main(this).FolderCommand()) return;
    TForm18* w = NewMemo(GroupOf(Main(this).ComboBox1));
    if (!w) return;
    w->Show();
    if (settings::Open().ReadBool(ik::Memo::Section, ik::Memo::Caption, false)) w->Caption1Click();
    MemosChanged();
}

void TMemoStore::BitBtn10Click() {
    TForm1& f = Main(this);
    BitBtn11.SetEnabled(false);
    ListBox1.Items.Clear();
    ListBox2.Items.Clear();
    listGroup_ = GroupOf(f.ComboBox1);
    std::string M = MemoFolder();
    auto ini = settings::Open();
    ReadMemoGroup(ini, listGroup_, ListBox2.Items, ListBox1.Items);
    if (f.ComboBox1.Tag != 0) return;
    // Program start: the memos left open reopen where they were.
    const rtl::TStringList names = ListBox2.Items.List();
    for (int i = 0; i < names.Count(); ++i) {
        std::string name = names[i];
        std::string memoSection = ms::MemoSection(name, M);
        if (ini.ReadInteger(memoSection, ms::Show, 0) != 1 || FindMemoWindow(name)) continue;
        std::string title = ListBox1.Items[i];
        // Shown without taking the focus from the main window, each in turn.
        tk::Guard([&] { CreateMemoWindow(name, listGroup_, title)->ShowInactive(); });
    }
}

void TMemoStore::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    bool closed = i >= 0 && i < ListBox2.Items.Count() &&
                  settings::Open().ReadInteger(ms::MemoSection(ListBox2.Items[i], MemoFolder()), ms::Show, 0) == 0;
    BitBtn11.SetEnabled(closed);
}

void TMemoStore::ListBox1DblClick() { OpenMemo(ListBox1.ItemIndex(), GetKeyState(VK_SHIFT) < 0); }

void TMemoStore::OpenMemo(int index, bool copyOnly) {
    if (index < 0 || index >= ListBox2.Items.Count()) return;
    std::string name = ListBox2.Items[index], title = ListBox1.Items[index];
    if (TForm18* open = FindMemoWindow(name)) {
        open->FormActivate();
        open->BringForward();
        return;
    }
    std::string M = MemoFolder();
    if (copyOnly) {
        // The text alone, through a hidden box: no window opens and nothing is written.
        auto ini = settings::Open();
        tk::RichEdit text;
        text.Create(Main(this), {.at = {0, 0, 10, 10}, .visible = false});
        text.DefAttributes.SetName(ini.ReadString(ik::Memo::Section, ik::Memo::FontName, "ＭＳ Ｐゴシック"));
        text.DefAttributes.SetSize(ini.ReadInteger(ik::Memo::Section, ik::Memo::FontSize, 9, 1, 999));
        if (!ReadMemoFile(text, M + name)) {
            MessageBeep(MB_ICONEXCLAMATION);
            return;
        }
        text.SelectAll();
        text.CopyToClipboard();
        PlayWaveRes("cop");
        return;
    }
    CreateMemoWindow(name, listGroup_, title)->Show();
    BitBtn11.SetEnabled(false);
}

void TMemoStore::BitBtn11Click() { DeleteSelectedMemo(Main(this).Handle); }

void TMemoStore::DeleteSelectedMemo(HWND askAt) {
    TForm1& f = Main(this);
    if (!f.FolderCommand()) return;
    int i = ListBox1.ItemIndex();
    if (i < 0 || i >= ListBox2.Items.Count()) return;
    std::string name = ListBox2.Items[i];
    if (FindMemoWindow(name)) return;  // an open memo is deleted from its own window
    auto ini = settings::Open();
    if (ini.ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 && !tk::ConfirmDelete(askAt, f.Caption()))
        return;
    std::string M = MemoFolder();
    // Only this memo's entry, in the group the lists were read for.
    if (!DeleteMemoFromStore(askAt, f.Caption(), M, name, ms::GroupSection(listGroup_, M))) return;
    PlayWaveRes("del");
    MemosChanged();
}

void TMemoStore::MemosChanged() {
    TForm1& f = Main(this);
    BitBtn10Click();
    f.PopupMenu4.Tag = 1;
    if (f.MemoTree1 && f.MemoTree1->Tag == 1 && Form28) Form28->BitBtn1Click();
    f.FormResize();
}

void TForm1::MemoTree1Click() {
    if (!FolderCommand() || BringOpenForward(MemoTree1->Tag != 0, Form28)) return;
    ShowNewWindow(Form28, [](TForm28&) {});
}

void TMemoStore::RebuildMemoMenu() {
    TForm1& f = Main(this);
    std::unique_ptr<PleaseWait> wait;
    if (f.Tag == 1) wait = std::make_unique<PleaseWait>("メモを再構築しています。");
    tk::BusyCursor busy(tk::crAppStart);
    const int group = f.ComboBox1.ItemIndex(), memo = ListBox1.ItemIndex();
    auto& m = f.PopupMenu4.Items;
    while (m.Count() > kFixedMemoMenuItems) m.Delete(0);
    // Each item goes in at the top, so the groups and their memos end in ascending order.
    for (int g = f.ComboBox1.Items.Count() - 1; g >= 0; --g) {
        f.ComboBox1.SetItemIndex(g);
        BitBtn10Click();
        tk::MenuItem& sub = m.Insert(0, f.ComboBox1.Items[g]);
        tk::MenuItem& add = sub.Insert(0, "メモの新規作成", [this, g] { MemoMenu1Click(g, -1); });
        add.SetDefault(true);
        add.SetChecked(true);
        add.Tag = -1;
        add.Hint = rtl::IntToStr(g);
        sub.Insert(0, "-");
        for (int i = ListBox1.Items.Count() - 1; i >= 0; --i) {
            tk::MenuItem& item = sub.Insert(0, ListBox1.Items[i], [this, g, i] { MemoMenu1Click(g, i); });
            item.Tag = i;
            item.Hint = rtl::IntToStr(g);
        }
    }
    f.PopupMenu4.Tag = 0;
    f.ComboBox1.SetItemIndex(group);
    if (GroupOf(f.ComboBox1) != listGroup_) BitBtn10Click();
    ListBox1.SetItemIndex(memo);
}

void TMemoStore::MemoMenu1Click(int group, int index) {
    TForm1& f = Main(this);
    f.ComboBox1.SetItemIndex(group);
    if (index == -1) {
        BitBtn9Click();
        return;
    }
    BitBtn10Click();
    ListBox1.SetItemIndex(index);
    ListBox1DblClick();
}

