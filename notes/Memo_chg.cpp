#include "notes/Memo_chg.h"

#include <algorithm>
#include <memory>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "notes/Memo.h"
#include "settings/Settings.h"
#include "toolkit/MsgBox.h"

TForm21* Form21 = nullptr;

namespace ik = inikey;
namespace ms = inikey::MemoStore;

namespace {
constexpr int kWidth = 517;  // the window's only width
constexpr int kMinHeight = 300;
constexpr int kButtonHeight = 25, kButtonStep = 32;
constexpr int kListTop = 46;  // a list's top in its box, below the group box

std::function<void(TForm21&)>& Hook() {
    static std::function<void(TForm21&)> hook;
    return hook;
}

int GroupOf(const tk::ComboBox& box) { return std::clamp(box.ItemIndex(), 0, ms::Groups - 1); }
}  // namespace

TForm21::TForm21() : Form({.caption = "Memoの並び替え", .left = 0, .top = 0, .width = kWidth, .height = 420}) {
    using namespace tk;
    // No title-bar buttons: the window closes through its Close button (or Escape).
    SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    StatusBar1.Create(*this, {.caption = ""});
    StatusBar1.SetSimplePanel(true);
    Panel1.Create(*this, {.align = Align::Client, .style = pnOuterNone});

    ComboBox1.DropDownCount = ComboBox2.DropDownCount = ms::Groups;
    GroupBox1.Create(Panel1, {.at = {6, 4, 200, 300}, .caption = "並び替え前"});
    ComboBox1.Create(GroupBox1, {.at = {8, 18, 184, 22}, .hint = "移動元のメモ項目を選択", .style = csDropDownList});
    ListBox1.Create(GroupBox1, {.at = {8, kListTop, 184, 200},
                                .hint = "同一ﾒﾓ項目内でなければ､ 現在表示中のﾒﾓは移動できません｡"});
    ListBox2.Create(GroupBox1, {.at = {0, 0, 10, 10}, .visible = false});

    GroupBox2.Create(Panel1, {.at = {303, 4, 200, 300}, .caption = "並び替え後"});
    ComboBox2.Create(GroupBox2, {.at = {8, 18, 184, 22}, .hint = "移動先のメモ項目を選択", .style = csDropDownList});
    ListBox3.Create(GroupBox2, {.at = {8, kListTop, 184, 200}, .hint = "Saveボタンで保存します｡"});
    ListBox4.Create(GroupBox2, {.at = {0, 0, 10, 10}, .visible = false});
    BitBtn6.Create(GroupBox2, {.at = {8, 260, 184, kButtonHeight}, .caption = "&Save",
                               .hint = "並び替えの設定を保存します｡", .enabled = false});

    BitBtn5.Create(Panel1, {.at = {214, 100, 81, kButtonHeight}, .caption = "やり直し"});
    BitBtn2.Create(Panel1, {.at = {214, 132, 81, kButtonHeight}, .caption = "移動 →", .hint = "選択したMemoを移動",
                            .enabled = false});
    BitBtn1.Create(Panel1, {.at = {214, 164, 81, kButtonHeight}, .caption = "残り →",
                            .hint = "残り全てのMemoを移動"});
    Bevel1.Create(Panel1, {.at = {4, 340, 500, 2}, .style = bsTopLine});
    BitBtn3.Create(Panel1, {.at = {403, 346, 100, kButtonHeight}, .caption = "&Close", .style = btCancel});
    BitBtn3.ModalResult = mrCancel;

    // Both boxes list the ten groups by the names the user gave them.
    auto ini = settings::Open();
    for (int g = 0; g < ms::Groups; ++g) {
        std::string name = MemoGroupName(ini, g);
        ComboBox1.Items.Add(name);
        ComboBox2.Items.Add(name);
    }

    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    ComboBox2.OnChange = [this] { ComboBox2Change(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { BitBtn2Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };

    struct Area {
        std::initializer_list<tk::Control*> controls;
        const char* text;
    };
    const Area areas[] = {
        {{&BitBtn3}, "ウィンドウを閉じます。保存されていないものはキャンセルされます。"},
        {{&GroupBox1, &ComboBox1, &ListBox1}, "現在のメモ一覧です。"},
        {{&GroupBox2, &ComboBox2, &ListBox3, &BitBtn6}, "Saveボタンを押すまで保存されません。"},
    };
    for (const Area& a : areas)
        for (tk::Control* c : a.controls)
            c->OnMouseMove = [this, text = std::string(a.text)](int, int, int) {
                if (StatusBar1.SimpleText() != text) StatusBar1.SetSimpleText(text);
            };

    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnResize = [this] { FormResize(); };
    FormResize();
}

void TForm21::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    // Save writes whole lists: ones read from a file that could not be read would replace the
    // stored groups.
    readError_ = ini.ReadError();
    namespace s = ik::Memo_chg;
    int screenH = GetSystemMetrics(SM_CYSCREEN);
    int height = ini.ReadInteger(s::Section, s::Height, Height(), kMinHeight, std::max(kMinHeight, screenH));
    SetBounds(Left(), Top(), kWidth, height);
    RestorePosition(std::max(0, ini.ReadInteger(s::Section, s::left, 0)),
                    std::max(0, ini.ReadInteger(s::Section, s::top, 0)));
    ComboBox1.SetItemIndex(Form1 ? GroupOf(Form1->ComboBox1) : 0);
    LoadSource(false);
    if (!readError_.empty())
        tk::SayUnsavedUntilReopened(Handle, readError_, Caption());
}

void TForm21::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm21::FormClose(tk::CloseAction& action) {
    namespace s = ik::Memo_chg;
    auto ini = settings::Open();
    ini.WriteInteger(s::Section, s::top, Top());
    ini.WriteInteger(s::Section, s::left, Left());
    ini.WriteInteger(s::Section, s::height, Height());
    action = tk::CloseAction::Hide;
}

// The controls follow the height; the width never changes.
void TForm21::FormResize() {
    if (!BitBtn3.Handle) return;
    const int bottom = Panel1.ClientHeight();
    BitBtn3.SetTop(bottom - 30);
    Bevel1.SetTop(BitBtn3.Top() - 4 - Bevel1.Height());
    GroupBox1.SetHeight(std::max(0, Bevel1.Top() - 31 - GroupBox1.Top()));
    GroupBox2.SetHeight(std::max(0, Bevel1.Top() - 3 - GroupBox2.Top()));
    ListBox1.SetHeight(std::max(0, GroupBox1.Height() - 40 - ListBox1.Top()));
    BitBtn6.SetTop(GroupBox2.Height() - 31);
    ListBox3.SetHeight(std::max(0, BitBtn6.Top() - 1 - ListBox3.Top()));
    // The move buttons stand around the middle of the source list.
    int top = GroupBox1.Top() + ListBox1.Top() + ListBox1.Height() / 2 - kButtonHeight * 3 / 2 + 8;
    for (tk::BitBtn* b : {&BitBtn5, &BitBtn2, &BitBtn1}) {
        b->SetTop(top);
        top += kButtonStep;
    }
}

void TForm21::LoadSource(bool fromTarget) {
    BitBtn1.SetEnabled(Editable() && SameGroup());
    BitBtn2.SetEnabled(false);
    for (tk::ListBox* l : {&ListBox1, &ListBox2, &ListBox3, &ListBox4}) l->Items.Clear();
    ReadMemoGroup(settings::Open(), GroupOf(ComboBox1), ListBox2.Items, ListBox1.Items);
    if (!fromTarget) {
        ComboBox2.SetItemIndex(ComboBox1.ItemIndex());
        BitBtn1.SetEnabled(Editable());
    }
    BitBtn6.SetEnabled(Editable());
}

void TForm21::ComboBox1Change() { LoadSource(false); }

// Every change of the target, by mouse or by keyboard, starts from the stored source again:
// memos moved so far would otherwise be in neither list, and a save would drop them.
void TForm21::ComboBox2Change() {
    LoadSource(true);
    TargetChanged();
}

// Moved memos are appended to the target's present list.
void TForm21::TargetChanged() {
    BitBtn1.SetEnabled(Editable() && SameGroup());
    ListBox3.Items.Clear();
    ListBox4.Items.Clear();
    if (SameGroup()) return;
    ReadMemoGroup(settings::Open(), GroupOf(ComboBox2), ListBox4.Items, ListBox3.Items);
}

// An open memo keeps its group: it writes itself back there when it closes.
void TForm21::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    if (i < 0 || i >= ListBox2.Items.Count()) return;
    int shown = settings::Open().ReadInteger(ms::MemoSection(ListBox2.Items[i], MemoFolder()), ms::Show, 1);
    BitBtn2.SetEnabled(Editable() && (shown == 0 || SameGroup()));
}

void TForm21::MoveEntry(int index) {
    ListBox3.Items.Add(ListBox1.Items[index]);
    ListBox4.Items.Add(ListBox2.Items[index]);
    ListBox1.Items.Delete(index);
    ListBox2.Items.Delete(index);
}

void TForm21::BitBtn2Click() {
    int i = ListBox1.ItemIndex();
    if (!Editable() || i < 0 || i >= ListBox2.Items.Count()) return;
    int shown = settings::Open().ReadInteger(ms::MemoSection(ListBox2.Items[i], MemoFolder()), ms::Show, 1);
    if (shown != 0 && !SameGroup()) {
        tk::MessageDlg(Handle,
                       "現在、このメモが開かれています。\rメモを閉じてから実行してください。\r"
                       "（表示中のメモが移動できるのは同一項目内のみです。）",
                       Caption(), MB_OK | MB_ICONASTERISK);
        return;
    }
    BitBtn2.SetEnabled(false);
    MoveEntry(i);
}

void TForm21::BitBtn1Click() {
    if (!SameGroup()) return;
    while (ListBox1.Items.Count() > 0) MoveEntry(0);
}

void TForm21::BitBtn5Click() { LoadSource(false); }

void TForm21::BitBtn6Click() {
    if (!Editable()) return;
    PlayWaveRes("sav");
    const bool same = SameGroup();
    // Within one group the memos not moved follow the moved ones, so none is lost.
    if (same) BitBtn1Click();
    const std::string M = MemoFolder();
    auto write = [&](int group, const tk::ListBox& names, const tk::ListBox& titles) {
        tk::IniKeys keys;
        for (int i = 0; i < names.Items.Count(); ++i) keys.emplace_back(names.Items[i], titles.Items[i]);
        settings::Open().WriteSection(ms::GroupSection(group, M), keys);
    };
    try {
        write(GroupOf(ComboBox2), ListBox4, ListBox3);
        BitBtn6.SetEnabled(false);
        if (!same) write(GroupOf(ComboBox1), ListBox2, ListBox1);
        saved_ = true;
    } catch (const tk::EIniFileError&) {
        tk::MessageDlg(Handle, "メモの並びを保存できませんでした。", Caption(), MB_OK | MB_ICONERROR);
    }
    if (Form1) Form1->BitBtn10Click();
}

LRESULT TForm21::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = FixedWidthFrame(Handle, msg, lp, Form::WndProc(msg, wp, lp), kWidth, kWidth);
    if (msg == WM_GETMINMAXINFO) ((MINMAXINFO*)lp)->ptMinTrackSize.y = kMinHeight;
    return r;
}

void SetMemoGroupEditorHookForTest(std::function<void(TForm21&)> hook) { Hook() = std::move(hook); }

bool RunMemoGroupEditor(tk::Form& owner) {
    auto editor = std::make_unique<TForm21>();
    Form21 = editor.get();
    editor->ClearRef = [f = editor.get()] {
        if (Form21 == f) Form21 = nullptr;
    };
    SetWindowLongPtrA(editor->Handle, GWLP_HWNDPARENT, (LONG_PTR)owner.Handle);
    if (Hook()) Hook()(*editor);
    editor->ShowModal();
    bool saved = editor->Saved();
    editor.reset();
    Form21 = nullptr;
    if (Form1) Form1->MemosChanged();
    return saved;
}
