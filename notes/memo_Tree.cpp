#include "notes/memo_Tree.h"

#include "notes/Memo_chg.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "mainwindow/Picture.h"
#include "notes/Memo.h"
#include "notes/MemoNames.h"
#include "schedule/Choosers.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/rtl/Screen.h"
#include "toolkit/rtl/Streams.h"

namespace ik = inikey;
namespace ms = inikey::MemoStore;
namespace mt = inikey::Memo_Tree;

TForm28* Form28 = nullptr;

namespace {

// Node pictures: a book for a memo not looked at yet, a sheet once seen, a pencil on the
// selected memo while it can be edited, and a closed or open folder for a group.
enum : int { imgUnseen, imgSeen, imgEditable, imgGroup, imgGroupOpen };

const char kClosedHint[] = "ダブルクリックでメモ表示｡ 間隔を開けたクリックでリネーム｡";
const char kOpenHint[] = "このメモは開かれているので削除､リネームは出来ません｡";
constexpr int kMargin = 8, kBarHeight = 26, kRulerHeight = 20, kSplit = 4, kMinPane = 24;

std::string DefaultGroupName(int group) { return "メモ" + std::to_string(group + 1); }

}  // namespace

bool MemoWindowOpen(const std::string& name) {
    if (FindMemoWindow(name)) return true;
    return settings::Open().ReadInteger(ms::MemoSection(name, MemoFolder()), ms::Show, 0) != 0;
}

TForm28::TForm28() : Form({.caption = "メモ一覧", .width = 600, .height = 440, .border = tk::Border::Sizeable}) {
    using namespace tk;
    StatusBar1.Create(*this, {.align = Align::Bottom});
    StatusBar1.SetSimplePanel(true);
    Panel1.Create(*this, {.at = {0, 0, 600, 33}, .align = Align::Bottom, .style = pnOuterNone});
    struct Button {
        BitBtn& b;
        const char* caption;
        const char* hint;
    };
    const Button buttons[] = {{BitBtn5, "&Add", "新規にMemoを作成します｡"},
                              {BitBtn4, "&Delete", "Memoを削除します｡"},
                              {BitBtn3, "&Sort", "Memoを並び変えます｡"},
                              {BitBtn1, "Reload", ""},
                              {BitBtn2, "&Close", ""}};
    int x = 4;
    for (const Button& b : buttons) {
        b.b.Create(Panel1, {.at = {x, 4, 75, 25}, .caption = b.caption, .hint = b.hint});
        x += 79;
    }
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };

    TreeView1.Create(*this, {.at = {0, 0, 200, 300}, .hint = "ダブルクリックでメモ表示", .align = Align::Left});
    BuildImages();
    TreeView1.SetImages(&ImageList1);
    Panel3.Create(*this, {.at = {200, 0, kSplit, 300}, .align = Align::Left, .style = pnOuterNone});
    GroupBox1.Create(*this, {.caption = "PreView", .align = Align::Client});

    Panel6.Create(GroupBox1, {.at = {kMargin, 16, 300, kBarHeight}, .style = pnOuterNone});
    Panel12.Create(GroupBox1, {.at = {kMargin, 16 + kBarHeight, 300, kRulerHeight}, .style = pnOuterLowered});
    RichBar bar{.fontName = &ComboBox1, .fontSize = &SpinEdit1, .bold = &SpeedButton1, .italic = &SpeedButton2,
                .underline = &SpeedButton3, .strikeOut = &SpeedButton4, .bullet = &SpeedButton5,
                .align = {&SpeedButton6, &SpeedButton7, &SpeedButton8}, .colorButton = &BitBtn12,
                .history = {&Panel7, &Panel8, &Panel9, &Panel10, &Panel11}, .colorLabel = &Label4,
                .ruler = &Panel12, .firstMarker = &Label5, .leftMarker = &Label6, .rightMarker = &Label7};
    CreateRichBar(Panel6, bar);
    RichEdit1.Create(GroupBox1, {.at = {kMargin, 62, 300, 160}, .style = reVScroll});
    Panel5.Create(GroupBox1, {.at = {kMargin, 222, 300, kSplit}, .style = pnOuterNone});
    Image1.Create(GroupBox1, {.at = {kMargin, 226, 300, 80}, .visible = false, .color = clWindow});
    Image1.SetCenter(true);
    Toolbar = std::make_unique<RichToolbar>(
        RichEdit1, bar,
        ColorHistory{settings::Open, ik::Nikki::Section,
                     {ik::Nikki::Color1, ik::Nikki::Color2, ik::Nikki::Color3, ik::Nikki::Color4, ik::Nikki::Color5},
                     clRed});

    BuildMenus();

    // A memo whose edits could not be saved stays selected, with them.
    TreeView1.OnChanging = [this](TreeNode, bool& allow) { allow = SavePreview(); };
    TreeView1.OnChange = [this](TreeNode n) { TreeView1Change(n); };
    TreeView1.OnDblClick = [this] { TreeView1DblClick(); };
    TreeView1.OnEditing = [this](TreeNode n, bool& allow) { TreeView1Editing(n, allow); };
    TreeView1.OnEdited = [this](TreeNode n, std::string& text, bool& accept) { TreeView1Edited(n, text, accept); };
    // Leaving the editor saves quietly: a failure is said where the memo is left or the window
    // closed (a box here would itself move the focus and deactivate the window again).
    TreeView1.OnEnter = [this] { SavePreviewQuietly(); };
    TreeView1.OnGetImageIndex = [this](TreeNode n, int& image, int& selected) {
        if (IsGroupNode(n)) {
            image = selected = TreeView1.Expanded(n) ? imgGroupOpen : imgGroup;
            return;
        }
        image = viewed_.count(MemoOfNode(n)) ? imgSeen : imgUnseen;
        selected = n == TreeView1.Selected() && !previewOpen_ ? imgEditable : imgSeen;
    };
    RichEdit1.OnExit = [this] { SavePreviewQuietly(); };

    SplitControl = std::make_unique<TSplitControl>(*this);
    Panel3.OnMouseDown = [this](MouseButton b, int, int x, int y) {
        if (b == mbLeft) SplitControl->BeginSplit(Panel3, TreeView1, x, y);
    };
    Panel5.OnMouseDown = [this](MouseButton b, int, int x, int y) {
        if (b == mbLeft) SplitControl->BeginSplit(Panel5, RichEdit1, x, y);
    };
    for (TSplitBar* s : {&Panel3, &Panel5}) {
        s->OnMouseMove = [this](int, int x, int y) {
            if (SplitControl->IsSplitting()) SplitControl->MoveSplit(x, y);
        };
        s->OnMouseUp = [this](MouseButton, int, int, int) {
            if (!SplitControl->IsSplitting()) return;
            SplitControl->EndSplit();
            richHeight_ = RichEdit1.Height();
            TreeView1.SetWidth(std::clamp(TreeView1.Width(), kMinPane, std::max(kMinPane, ClientWidth() - 120)));
            Realign();
            Layout();
        };
    }
    GroupBox1.OnResize = [this] { Layout(); };
    OnClose = [this](CloseAction& a) { FormClose(a); };
    OnShow = [this] { TreeView1.SetFocus(); };
    OnActivate = [this] { FormActivate(); };
    OnDeactivate = [this] { SavePreviewQuietly(); };
    OnSave = [this] { return SavePreviewQuietly(); };
    // Wide enough by default for the whole formatting bar beside the tree.
    Realign();
    int barWidth = Panel11.Left() + Panel11.Width() + kMargin;
    SetWidth(Width() + std::max(0, barWidth + 2 * kMargin - GroupBox1.ClientWidth()));
    FormCreate();
}

void TForm28::BuildImages() {
    using namespace tk;
    const TColor clear = (TColor)0xFF00FF;
    ImageList1.SetSize(16, 16);
    auto picture = [&](auto draw) {
        TBitmap b;
        b.SetSize(16, 16);
        TCanvas& c = b.Canvas();
        c.Brush.Color = clear;
        c.FillRect({0, 0, 16, 16});
        draw(c);
        ImageList1.AddMasked(b, clear);
    };
    auto box = [](TCanvas& c, TColor fill, TColor edge, RECT r) {
        c.Brush.Color = fill;
        c.FillRect(r);
        c.Brush.Color = edge;
        c.FrameRect(r);
    };
    auto line = [](TCanvas& c, TColor col, int x0, int y0, int x1, int y1) {
        c.Pen.Color = col;
        c.MoveTo(x0, y0);
        c.LineTo(x1, y1);
    };
    auto sheet = [&](TCanvas& c) {
        box(c, (TColor)0x99FFFF, clGray, {2, 1, 14, 15});
        for (int y = 4; y < 13; y += 3) line(c, clGray, 4, y, 12, y);
    };
    picture([&](TCanvas& c) {  // a book
        box(c, (TColor)0x804000, clNavy, {2, 1, 13, 15});
        box(c, clWhite, clGray, {12, 2, 15, 15});
        line(c, clWhite, 5, 4, 10, 4);
    });
    picture(sheet);
    picture([&](TCanvas& c) {  // the sheet with a pencil on it
        sheet(c);
        for (int i = 0; i < 3; ++i) line(c, (TColor)0x0080FF, 6 + i, 14, 15, 5 + i);
        line(c, clBlack, 5, 15, 7, 13);
    });
    picture([&](TCanvas& c) { box(c, (TColor)0x40C0FF, (TColor)0x006080, {1, 4, 15, 14}); });
    picture([&](TCanvas& c) {
        box(c, (TColor)0x40C0FF, (TColor)0x006080, {1, 3, 13, 14});
        box(c, (TColor)0x80E0FF, (TColor)0x006080, {3, 7, 16, 14});
    });
}

void TForm28::BuildMenus() {
    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    Undo1 = &m.Add("やり直し", [this] { Toolbar->Undo(); });
    m.Add("-");
    tk::MenuItem& text = m.Add("テキスト");
    tk::MenuItem& basic = text.Add("基本属性");
    Font1 = &basic.Add("フォント色", [this] { Font1Click(); });
    BackColor1 = &basic.Add("背景色", [this] { BackColor1Click(); });
    basic.Add("-");
    ReadOnly1 = &basic.Add("読み取り専用", [this] { ReadOnly1Click(); });
    SaveAs1 = &text.Add("名前を付けて保存", [this] { SaveAs1Click(); });
    Open1 = &text.Add("開く", [this] { Open1Click(); });
    tk::MenuItem& picture = m.Add("画像");
    tk::MenuItem& saveAs = picture.Add("別名で保存");
    JPG1 = &saveAs.Add("JPG（256色）", [this] { JPG1Click(); });
    BMP2 = &saveAs.Add("BMP", [this] { BMP2Click(); });
    WallPaper1 = &picture.Add("壁紙として保存", [this] { WallPaper1Click(); });
    BMPFile1 = &picture.Add("開く", [this] { BMPFile1Click(); });
    Clipbord1 = &m.Add("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ転送", [this] { Clipbord1Click(); });
    m.Add("-");
    Cut1 = &m.Add("切り抜き(&T)", [this] { Toolbar->Cut(); });
    Copy1 = &m.Add("コピー(&C)", [this] { Toolbar->Copy(); }, "Ctrl+C");
    Paste1 = &m.Add("貼り付け(&P)", [this] { Toolbar->Paste(); });
    SelectAll1 = &m.Add("すべてを選択(&S)", [this] { Toolbar->SelectAll(); });
    m.Add("-");
    Sort1 = &m.Add("メモの並び変え", [this] { BitBtn3Click(); });
    m.Add("-");
    Close1 = &m.Add("閉じる(&C)", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    for (tk::Control* c : std::initializer_list<tk::Control*>{&RichEdit1, &Image1, &GroupBox1}) c->SetPopupMenu(&PopupMenu1);

    PopupMenu2.Create(*this);
    auto& t = PopupMenu2.Items;
    New1 = &t.Add("メモの新規追加", [this] { BitBtn5Click(); }, "Ctrl+A");
    Delete1 = &t.Add("メモの削除", [this] { BitBtn4Click(); }, "Ctrl+D");
    Sort2 = &t.Add("メモの並び変え", [this] { BitBtn3Click(); }, "Ctrl+S");
    Rename1 = &t.Add("題名の変更", [this] { Rename1Click(); }, "Ctrl+R");
    t.Add("-");
    Close2 = &t.Add("閉じる(&C)", [this] { Close(); });
    PopupMenu2.OnPopup = [this] { Delete1->SetEnabled(BitBtn4.Enabled()); };
    TreeView1.SetPopupMenu(&PopupMenu2);
}

void TForm28::FormCreate() {
    auto ini = settings::Open();
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int w = ini.ReadInteger(mt::Section, mt::Width, Width(), 200, std::max(200, screenW));
    int h = ini.ReadInteger(mt::Section, mt::Height, Height(), 160, std::max(160, screenH));
    SetBounds(Left(), Top(), w, h);
    RestorePosition(ini.ReadInteger(mt::Section, mt::left, 0), ini.ReadInteger(mt::Section, mt::top, 0));
    TreeView1.SetWidth(ini.ReadInteger(mt::Section, mt::TreeWidth, 200, kMinPane, std::max(kMinPane, w - 120)));
    richHeight_ = ini.ReadInteger(mt::Section, mt::RichHeight, 160, kMinPane, std::max(kMinPane, h));
    Realign();
    Layout();
    if (Form1 && Form1->MemoTree1) {
        Form1->MemoTree1->SetChecked(true);
        Form1->MemoTree1->Tag = 1;
    }
    BitBtn1Click();
}

// The preview's pieces inside the group box: bar, ruler, text, splitter, picture.
void TForm28::Layout() {
    if (!GroupBox1.Handle) return;
    int w = std::max(0, GroupBox1.ClientWidth() - 2 * kMargin);
    int top = 16, bottom = GroupBox1.ClientHeight() - kMargin;
    Panel6.SetBounds(kMargin, top, w, Panel6.Height());  // the bar takes the height of its rows
    Panel12.SetBounds(kMargin, top + Panel6.Height(), w, kRulerHeight);
    top += Panel6.Height() + kRulerHeight;
    int room = std::max(0, bottom - top);
    bool picture = Image1.Tag == 1;
    // Without a picture the text takes the whole room; the height chosen for it is kept.
    int text = picture ? std::clamp(richHeight_, std::min(room, kMinPane), std::max(0, room - kSplit - kMinPane)) : room;
    RichEdit1.SetBounds(kMargin, top, w, text);
    Panel5.SetVisible(picture);
    Image1.SetVisible(picture);
    if (picture) {
        Panel5.SetBounds(kMargin, top + text, w, kSplit);
        Image1.SetBounds(kMargin, top + text + kSplit, w, std::max(0, room - text - kSplit));
    }
    if (Toolbar) Toolbar->RulerResized();
}

void TForm28::FormResize() { Layout(); }

void TForm28::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    ini.WriteInteger(mt::Section, mt::top, Top());
    ini.WriteInteger(mt::Section, mt::left, Left());
    ini.WriteInteger(mt::Section, mt::Width, Width());
    ini.WriteInteger(mt::Section, mt::Height, Height());
    ini.WriteInteger(mt::Section, mt::TreeWidth, TreeView1.Width());
    ini.WriteInteger(mt::Section, mt::RichHeight, richHeight_);
    if (Form1 && Form1->MemoTree1) {
        Form1->MemoTree1->SetChecked(false);
        Form1->MemoTree1->Tag = 0;
    }
    action = tk::CloseAction::Free;
}

// A memo opened or closed elsewhere while this window was inactive is shown as it is now.
void TForm28::FormActivate() {
    if (Toolbar) Toolbar->PaintHistory();
    if (!previewName_.empty() && MemoWindowOpen(previewName_) != previewOpen_)
        TreeView1Change(TreeView1.Selected());
}

// ---- the tree ----

bool TForm28::IsGroupNode(tk::TreeNode node) const {
    int i = TreeView1.AbsoluteIndex(node);
    return i >= 0 && i < ListBox3.Items.Count() && ListBox3.Items[i].rfind("z", 0) == 0;
}

int TForm28::GroupOfNode(tk::TreeNode node) const {
    int i = TreeView1.AbsoluteIndex(node);
    if (i < 0 || i >= ListBox3.Items.Count()) return -1;
    std::string s = ListBox3.Items[i];
    if (!s.empty() && s[0] == 'z') s.erase(0, 1);
    return rtl::StrToIntDef(s, -1);
}

std::string TForm28::MemoOfNode(tk::TreeNode node) const {
    int i = TreeView1.AbsoluteIndex(node);
    if (i < 0 || i >= ListBox1.Items.Count() || IsGroupNode(node)) return "";
    return ListBox1.Items[i];
}

tk::TreeNode TForm28::NodeOfMemo(const std::string& name) const {
    for (int i = 0; i < ListBox1.Items.Count() && i < ListBox3.Items.Count(); ++i)
        if (ListBox3.Items[i].rfind("z", 0) != 0 && rtl::SameTextAscii(ListBox1.Items[i], name)) return TreeView1.NodeAt(i);
    return nullptr;
}

void TForm28::BitBtn1Click() {
    if (BitBtn4.Tag != 1) SavePreview();
    std::optional<PleaseWait> wait;
    if (Form1 && Form1->Tag == 1) wait.emplace("メモの一覧を取得しています。");
    StatusBar1.SetSimpleText("本のマークは未参照｡ メモは参照済､ 記入マークは操作可を意味します｡");
    BitBtn1.Tag = 1;
    ClearPreview();
    TreeView1.BeginUpdate();
    TreeView1.Clear();
    ListBox1.Items.Clear();
    ListBox2.Items.Clear();
    ListBox3.Items.Clear();
    auto ini = settings::Open();
    std::string M = MemoFolder();
    int groups = Form1 ? Form1->ComboBox1.Items.Count() : ms::Groups;
    for (int g = 0; g < groups; ++g) {
        std::string name = ini.ReadString(ik::Memo_bun::Section, std::to_string(g), "");
        tk::TreeNode group = TreeView1.AddRoot(name.empty() ? DefaultGroupName(g) : name);
        ListBox1.Items.Add(DefaultGroupName(g));
        ListBox3.Items.Add(std::string(1, 'z') += std::to_string(g));
        std::string section = ms::GroupSection(g, M);
        rtl::TStringList names;
        ini.ReadSection(section, names);
        ListBox2.Items.Clear();
        for (int i = 0; i < names.Count(); ++i) ListBox2.Items.Add(names[i]);
        for (int i = 0; i < ListBox2.Items.Count(); ++i) {
            std::string memo = ListBox2.Items[i];
            ListBox1.Items.Add(memo);
            ListBox3.Items.Add(std::to_string(g));
            TreeView1.Add(group, ini.ReadString(section, memo, memo));
        }
    }
    TreeView1.FullExpand();
    tk::TreeNode unsaved = unsavedName_.empty() ? nullptr : NodeOfMemo(unsavedName_);
    TreeView1.Select(unsaved ? unsaved : TreeView1.FirstRoot());
    TreeView1.EndUpdate();
    BitBtn1.Tag = 0;
    TreeView1Change(TreeView1.Selected());
    TreeView1.MakeVisible(TreeView1.Selected());
}

void TForm28::SelectInMain(int group, const std::string& name) {
    if (!Form1 || group < 0) return;
    Form1->ComboBox1.SetItemIndex(group);
    Form1->BitBtn10Click();
    if (name.empty()) return;
    for (int i = 0; i < Form1->ListBox2.Items.Count(); ++i)
        if (rtl::SameTextAscii(Form1->ListBox2.Items[i], name)) {
            Form1->ListBox1.SetItemIndex(i);
            Form1->ListBox1Click();
            return;
        }
}

void TForm28::TreeView1Change(tk::TreeNode node) {
    if (BitBtn1.Tag == 1 || !node) return;
    int group = GroupOfNode(node);
    if (IsGroupNode(node)) ShowGroup(node, group);
    else ShowMemo(MemoOfNode(node), group);
}

void TForm28::ClearPreview() {
    previewName_.clear();
    previewOpen_ = false;
    RichEdit1.SetReadOnly(false);
    RichEdit1.Clear();
    RichEdit1.SetModified(false);
    Image1.Clear();
    Image1.Tag = 0;
    Layout();
}

void TForm28::SetEditable(bool on) {
    RichEdit1.SetReadOnly(!on);
    Toolbar->SetEnabled(on);
}

std::string TForm28::PreviewSection() const { return ms::MemoSection(previewName_, MemoFolder()); }

void TForm28::ShowGroup(tk::TreeNode node, int group) {
    ClearPreview();
    auto ini = settings::Open();
    RichEdit1.SetColor(ini.ReadInteger(ik::Memo::Section, ik::Memo::BackColor, 0xFFFFFF));
    RichEdit1.DefAttributes.SetColor(ini.ReadInteger(ik::Memo::Section, ik::Memo::FontColor, 0));
    std::string titles;
    for (tk::TreeNode c = TreeView1.FirstChild(node); c; c = TreeView1.NextSibling(c))
        titles += TreeView1.NodeText(c) + "\r\n";
    RichEdit1.Lines.SetText(titles);
    RichEdit1.SetModified(false);
    SetEditable(false);
    GroupBox1.SetCaption("項目内のメモ一覧");
    SelectInMain(group, "");
    BitBtn5.SetEnabled(true);
    BitBtn4.SetEnabled(false);
}

void TForm28::ShowMemo(const std::string& name, int group) {
    // The program's end saves no preview whose memo is still coming in.
    tk::Form::Loading load(*this);
    // Nothing of the memo shown before may stay: a missing file shows an empty memo.
    ClearPreview();
    SelectInMain(group, name);
    previewName_ = name;
    previewGroup_ = group;
    previewOpen_ = MemoWindowOpen(name);
    viewed_.insert(name);
    BitBtn5.SetEnabled(false);
    BitBtn4.SetEnabled(!previewOpen_);
    auto ini = settings::Open();
    std::string M = MemoFolder(), section = PreviewSection();
    const std::string& s = ik::Memo::Section;
    RichEdit1.DefAttributes.SetName(ini.ReadString(s, ik::Memo::FontName, "ＭＳ Ｐゴシック"));
    RichEdit1.DefAttributes.SetSize(ini.ReadInteger(s, ik::Memo::FontSize, 9, 1, 999));
    RichEdit1.SetColor(ini.ReadInteger(section, ms::BackColor, ini.ReadInteger(s, ik::Memo::BackColor, 0xFFFFFF)));
    RichEdit1.DefAttributes.SetColor(ini.ReadInteger(section, ms::FontColor, ini.ReadInteger(s, ik::Memo::FontColor, 0)));
    // A file that is there but could not be read is shown empty, greyed and not editable, so that
    // leaving the preview never writes over it.
    bool lost = !ReadMemoFile(RichEdit1, M + name);
    if (lost) RichEdit1.SetColor(tk::clBtnFace);
    // A file marked read-only is said before anything is typed that could not be saved.
    bool fileReadOnly = !lost && tk::FileIsReadOnly(M + name);
    bool readOnly = lost || fileReadOnly || ini.ReadBool(section, ms::ReadOnly, false);
    if (previewOpen_) GroupBox1.SetCaption("メモ表示中（編集不可）");
    else if (fileReadOnly) GroupBox1.SetCaption("ファイルが読み取り専用（編集不可）");
    else GroupBox1.SetCaption(readOnly ? "読み取り専用（編集不可）" : "編集が可能です。");
    SetEditable(!previewOpen_ && !readOnly);
    ReadOnly1->SetChecked(readOnly);
    std::string file = ini.ReadString(section, ms::BmpFile, "");
    tk::TBitmap picture;
    if (memo::IsPictureFile(file) && tk::FileExists(file) && LoadPicture(file, picture)) {
        Image1.Assign(picture);
        Image1.Tag = 1;
    }
    // Edits whose save failed come back with their memo, still to be saved.
    if (name == unsavedName_ && !RichEdit1.ReadOnly()) {
        rtl::TMemoryStream edits;
        edits.LoadFromString(unsavedText_);
        RichEdit1.LoadFromStream(edits);
        RichEdit1.SetModified(true);
    }
    Layout();
    StatusBar1.SetSimpleText(previewOpen_ ? kOpenHint : kClosedHint);
    // Said once the preview is locked and whole.
    if (lost) SayMemoUnreadable(Handle, M + name, Caption());
}

std::string TForm28::SavePreviewQuietly() {
    if (BitBtn4.Tag == 1 || previewName_.empty()) return "";
    // An open memo's window owns its text; an untouched or read-only preview has nothing to add.
    if (!RichEdit1.Modified() || RichEdit1.ReadOnly() || previewOpen_ || MemoWindowOpen(previewName_)) return "";
    std::string M = MemoFolder();
    rtl::TMemoryStream data;
    RichEdit1.SaveToStream(data);
    tk::ForceDirectories(rtl::ExcludeTrailingBackslash(M));
    if (!tk::WriteFileSafely(M + previewName_, data.Bytes())) {
        unsavedName_ = previewName_;
        unsavedText_ = data.Bytes();
        return "メモを保存できませんでした。\r" + M + previewName_;
    }
    RichEdit1.SetModified(false);
    unsavedName_.clear();
    return "";
}

bool TForm28::SavePreview() {
    std::string failed = SavePreviewQuietly();
    if (!failed.empty()) tk::MessageDlg(Handle, failed, Caption(), MB_OK | MB_ICONERROR);
    return failed.empty();
}

void TForm28::TreeView1DblClick() {
    tk::TreeNode node = TreeView1.Selected();
    std::string name = MemoOfNode(node);
    if (name.empty() || !Form1) return;
    if (!SavePreview()) return;  // the window opens with the text as edited here
    SelectInMain(GroupOfNode(node), name);
    Form1->OpenMemo(Form1->ListBox1.ItemIndex(), GetKeyState(VK_SHIFT) < 0);
    if (Form28 == this && TreeView1.Selected() == node) TreeView1Change(node);
}

void TForm28::TreeView1Editing(tk::TreeNode node, bool& allow) {
    std::string name = MemoOfNode(node);
    allow = IsGroupNode(node) || (!name.empty() && !MemoWindowOpen(name));
    if (!allow) MessageBeep(MB_ICONEXCLAMATION);
}

void TForm28::TreeView1Edited(tk::TreeNode node, std::string& text, bool& accept) {
    SavePreview();
    text = rtl::Trim(text);
    if (text.empty()) {
        accept = false;
        return;
    }
    int group = GroupOfNode(node);
    auto ini = settings::Open();
    if (IsGroupNode(node)) {
        ini.WriteString(ik::Memo_bun::Section, std::to_string(group), text);
    } else {
        std::string name = MemoOfNode(node);
        if (MemoWindowOpen(name)) {  // opened while the label was being edited
            accept = false;
            return;
        }
        ini.WriteString(ms::GroupSection(group, MemoFolder()), name, text);
    }
    if (Form1) {
        Form1->BitBtn10Click();
        Form1->PopupMenu4.Tag = 1;
        Form1->FormResize();
    }
    // Shown again under its new label (a group's preview lists its titles).
    TreeView1.SetNodeText(node, text);
    TreeView1Change(TreeView1.Selected());
}

void TForm28::Rename1Click() {
    if (tk::TreeNode n = TreeView1.Selected()) TreeView1.StartEdit(n);
}

// ---- commands ----

void TForm28::BitBtn5Click() {
    // The button is for a group; the menu and its shortcut also take a memo's group.
    if (!Form1) return;
    PlayWaveRes("sav");
    int group = std::max(0, GroupOfNode(TreeView1.Selected()));
    Form1->ComboBox1.SetItemIndex(group);
    Form1->BitBtn9Click();
}

void TForm28::BitBtn4Click() {
    tk::TreeNode node = TreeView1.Selected();
    std::string name = MemoOfNode(node);
    // The shortcut reaches here also while the button is disabled.
    if (name.empty() || !Form1 || MemoWindowOpen(name)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    SelectInMain(GroupOfNode(node), name);
    BitBtn4.Tag = 1;
    Form1->DeleteSelectedMemo(Handle);
    BitBtn4.Tag = 0;
}

void TForm28::BitBtn3Click() {
    SavePreview();
    // The editor's save reloads this list through the main window's memo store.
    RunMemoGroupEditor(*this);
    if (!Form1) BitBtn1Click();
}

// ---- the preview's context menu ----

void TForm28::PopupMenu1Popup() {
    bool memo = !previewName_.empty();
    bool editable = memo && !RichEdit1.ReadOnly();
    for (tk::MenuItem* i : {Undo1, Cut1, Paste1, Font1, BackColor1, Open1}) i->SetEnabled(editable);
    ReadOnly1->SetEnabled(memo && !previewOpen_);
    for (tk::MenuItem* i : {SaveAs1, Clipbord1}) i->SetEnabled(memo);
    for (tk::MenuItem* i : {JPG1, BMP2, WallPaper1}) i->SetEnabled(memo && Image1.Tag == 1);
    BMPFile1->SetEnabled(memo && !previewOpen_);
}

void TForm28::Font1Click() {
    if (previewName_.empty() || RichEdit1.ReadOnly()) return;
    ColorDialog1.Color = RichEdit1.DefAttributes.Color();
    if (!ColorDialog1.Execute()) return;
    tk::TColor c = ColorDialog1.Color;
    SetMemoTextColor(RichEdit1, c);
    RichEdit1.SetModified(true);
    settings::Open().WriteInteger(PreviewSection(), ms::FontColor, (int)c);
}

void TForm28::BackColor1Click() {
    if (previewName_.empty() || RichEdit1.ReadOnly()) return;
    ColorDialog1.Color = RichEdit1.Color;
    if (!ColorDialog1.Execute()) return;
    RichEdit1.SetColor(ColorDialog1.Color);
    settings::Open().WriteInteger(PreviewSection(), ms::BackColor, (int)ColorDialog1.Color);
}

void TForm28::ReadOnly1Click() {
    if (previewName_.empty() || previewOpen_ || !SavePreview()) return;
    auto ini = settings::Open();
    ini.WriteBool(PreviewSection(), ms::ReadOnly, !ini.ReadBool(PreviewSection(), ms::ReadOnly, false));
    TreeView1Change(TreeView1.Selected());
}

void TForm28::SaveAs1Click() {
    if (previewName_.empty()) return;
    SaveMemoTextAs(RichEdit1, SaveDialog1, previewName_, Handle, Caption());
}

void TForm28::Open1Click() {
    if (previewName_.empty() || RichEdit1.ReadOnly()) return;
    // Kept as the memo's text when the preview is left.
    if (OpenFileIntoMemo(RichEdit1, OpenDialog1, Handle, Caption())) RichEdit1.SetModified(true);
}

void TForm28::SavePicture(MemoPicture as) {
    if (previewName_.empty()) return;
    tk::TBitmap none;
    SaveMemoPicture(Image1.Tag == 1 ? Image1.Picture() : none, SaveDialog2, previewName_, as, Handle, Caption());
}

void TForm28::JPG1Click() { SavePicture(MemoPicture::Jpeg); }
void TForm28::BMP2Click() { SavePicture(MemoPicture::Bitmap); }
void TForm28::WallPaper1Click() { SavePicture(MemoPicture::Wallpaper); }

void TForm28::BMPFile1Click() {
    if (previewName_.empty() || previewOpen_) return;
    auto ini = settings::Open();
    std::string title = TreeView1.NodeText(TreeView1.Selected());
    std::string chosen = entry::ChoosePicture(*this, ini.ReadString(PreviewSection(), ms::BmpFile, ""), "Bitmap - " + title);
    if (chosen.empty()) return;
    ini.WriteInteger(PreviewSection(), ms::Kind.Name, 1);
    ini.WriteString(PreviewSection(), ms::BmpFile, chosen);
    SavePreview();
    TreeView1Change(TreeView1.Selected());
}

void TForm28::Clipbord1Click() {
    if (previewName_.empty()) return;
    SavePreview();
    tk::SetClipboardText(Handle, MemoFolder() + previewName_);
}
