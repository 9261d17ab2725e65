#include "schedule/Todo.h"

#include <windows.h>

#include <algorithm>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "settings/IniKeys.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichPrint.h"
#include "toolkit/rtl/Streams.h"

TForm15* Form15 = nullptr;
namespace ik = inikey;
namespace tb = inikey::TodoBoard;

namespace {

// The pictures of the tree, in the list's order.
enum Picture { kFolderClosed, kFolderOpen, kItemSelected, kItem, kTrashEmpty, kTrashFull };

constexpr tk::TColor kClear = tk::clFuchsia;

void DrawPaper(tk::TCanvas& c, tk::TColor fill, tk::TColor ink, bool selected) {
    c.Pen.Color = ink;
    c.Brush.Color = fill;
    c.Rectangle(3, 1, 13, 15);
    c.Pen.Color = selected ? tk::clRed : tk::clGray;
    for (int y = 4; y <= 11; y += 3) {
        c.MoveTo(5, y);
        c.LineTo(11, y);
    }
    if (selected) {  // a tick: this is the one being read
        c.Pen.Color = tk::clGreen;
        c.MoveTo(6, 12);
        c.LineTo(8, 14);
        c.LineTo(13, 8);
    }
}

void DrawFolder(tk::TCanvas& c, bool open) {
    const tk::TColor ink = tk::clOlive, fill = tk::clYellow;
    c.Pen.Color = ink;
    c.Brush.Color = fill;
    POINT back[] = {{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}};
    c.Polygon(back, 6);
    if (open) {  // the front flap leans out
        POINT flap[] = {{1, 13}, {4, 7}, {15, 7}, {14, 13}};
        c.Brush.Color = tk::TColor(0x80FFFF);
        c.Polygon(flap, 4);
    }
}

void DrawTrash(tk::TCanvas& c, bool full) {
    c.Pen.Color = tk::clBlack;
    c.Brush.Color = tk::clSilver;
    POINT can[] = {{3, 4}, {12, 4}, {11, 15}, {4, 15}};
    c.Polygon(can, 4);
    c.Rectangle(2, 3, 14, 5);
    c.Rectangle(6, 1, 10, 3);
    c.Pen.Color = tk::clGray;
    for (int x = 5; x <= 10; x += 2) {
        c.MoveTo(x, 6);
        c.LineTo(x, 14);
    }
    if (full) {  // papers sticking out
        c.Pen.Color = tk::clBlack;
        c.Brush.Color = tk::clWhite;
        POINT sheet[] = {{4, 0}, {9, 1}, {8, 4}, {3, 3}};
        c.Polygon(sheet, 4);
        c.Brush.Color = tk::clAqua;
        POINT sheet2[] = {{9, 0}, {14, 2}, {12, 4}, {8, 3}};
        c.Polygon(sheet2, 4);
    }
}

}  // namespace

TForm15::TForm15() : Form({.caption = "Todo Board", .width = 640, .height = 400}) {
    StatusBar1.Create(*this);
    StatusBar1.SetSimplePanel(true);

    // The tree with its two buttons above it.
    Panel1.Create(*this, {.at = {0, 0, 180, 350}, .align = tk::Align::Left, .style = tk::pnOuterNone});
    Panel4.Create(Panel1, {.at = {0, 0, 180, 28}, .align = tk::Align::Top, .style = tk::pnOuterNone});
    BitBtn2.Create(Panel4, {.at = {0, 1, 90, 26}, .caption = "&Add", .hint = "新規登録"});
    BitBtn1.Create(Panel4, {.at = {90, 1, 90, 26}, .caption = "&Delete", .hint = "ごみ箱を全て空にします。", .enabled = false});
    TreeView1.Create(Panel1, {.at = {0, 28, 180, 322}, .align = tk::Align::Client});
    DrawImages();
    TreeView1.SetImages(&ImageList1);

    Panel2.Create(*this, {.at = {180, 0, 4, 350}, .align = tk::Align::Left, .style = tk::pnOuterNone});

    // The text with its formatting bar.
    Panel3.Create(*this, {.at = {184, 0, 368, 350}, .align = tk::Align::Client, .style = tk::pnOuterNone});
    Panel6.Create(Panel3, {.at = {0, 0, 368, 26}, .align = tk::Align::Top});
    tk::RichBar bar{.fontName = &ComboBox1, .fontSize = &SpinEdit1, .bold = &Bold1, .italic = &Italic1,
                    .underline = &Underline1, .strikeOut = &Strikeout1, .bullet = &num1, .colorButton = &BitBtn12,
                    .history = {&Panel7, &Panel8, &Panel9, &Panel10, &Panel11}};
    tk::CreateRichBar(Panel6, bar);
    RichEdit1.Create(Panel3, {.at = {0, 26, 368, 324}, .align = tk::Align::Client,
                              .style = tk::reVScroll | tk::reHScroll | tk::reNoWordWrap});
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();
    Toolbar = std::make_unique<tk::RichToolbar>(
        RichEdit1, bar,
        tk::ColorHistory{settings::Open, ik::Nikki::Section,
                         {ik::Nikki::Color1, ik::Nikki::Color2, ik::Nikki::Color3, ik::Nikki::Color4, ik::Nikki::Color5},
                         255});
    // Every search starts at the top, the find dialog closes after it and Replace replaces once.
    Finder = std::make_unique<tk::RichFinder>(RichEdit1, FindDialog1, ReplaceDialog1,
                                              tk::RichFindStyle{.goOn = false, .closeAfterFind = true, .replaceAll = false});

    PopupMenu1.Create(*this);
    auto& b = PopupMenu1.Items;
    New1 = &b.Add("新規登録", [this] { BitBtn2Click(); });
    Gomi1 = &b.Add("ごみ箱を空に", [this] { BitBtn1Click(); });
    b.Add("-");
    K1 = &b.Add("起動時に表示", [this] { K1Click(); });
    b.Add("-");
    Close2 = &b.Add("閉じる", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    for (tk::Control* c : {(tk::Control*)this, (tk::Control*)&Panel1, (tk::Control*)&TreeView1})
        c->SetPopupMenu(&PopupMenu1);

    PopupMenu2.Create(*this);
    auto& m = PopupMenu2.Items;
    Undo1 = &m.Add("やり直し(&U)", [this] { Toolbar->Undo(); });
    m.Add("-");
    Cut1 = &m.Add("切り抜き(&T)", [this] { Toolbar->Cut(); });
    Copy1 = &m.Add("コピー(&C)", [this] { Toolbar->Copy(); });
    Paste1 = &m.Add("貼り付け(&P)", [this] { Toolbar->Paste(); });
    m.Add("-");
    SelectAll1 = &m.Add("すべてを選択(&S)", [this] { Toolbar->SelectAll(); });
    m.Add("-");
    tk::MenuItem& tools = m.Add("ツール");
    Find1 = &tools.Add("検索", [this] { Find1Click(); });
    Replace1 = &tools.Add("置換", [this] { Replace1Click(); });
    tools.Add("-");
    Print1 = &tools.Add("印刷", [this] { Print1Click(); });
    m.Add("-");
    Close1 = &m.Add("閉じる", [this] { Close(); });
    PopupMenu2.OnPopup = [this] { PopupMenu2Popup(); };
    RichEdit1.SetPopupMenu(&PopupMenu2);

    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    Panel4.OnResize = [this] {
        int half = Panel4.Width() / 2;
        BitBtn2.SetBounds(0, 1, half, 26);
        BitBtn1.SetBounds(half, 1, Panel4.Width() - half, 26);
    };
    // A text that could not be saved stays shown, and the item selected.
    TreeView1.OnChanging = [this](tk::TreeNode, bool& allow) { allow = Save(); };
    TreeView1.OnChange = [this](tk::TreeNode node) { TreeView1Change(node); };
    // Leaving the text writes it without a word: a box would take the focus and save again, and
    // what could not be written stays in the window, said when the item is left or at the close.
    TreeView1.OnEnter = [this] { TextNotSaved(); };
    RichEdit1.OnExit = [this] { TextNotSaved(); };
    TreeView1.OnEditing = [this](tk::TreeNode node, bool& allow) { TreeView1Editing(node, allow); };
    TreeView1.OnEdited = [this](tk::TreeNode node, std::string& text, bool& accept) { TreeView1Edited(node, text, accept); };
    // Items are dragged once the mouse has moved a little; folders and the trash stay.
    TreeView1.OnStartDrag = [this](tk::TreeNode node, bool& allow) {
        allow = !readOnly_ && Tree.CanDrag(IndexOf(node));
    };
    TreeView1.OnDragOver = [](tk::TreeNode, tk::TreeNode, bool& accept) { accept = true; };
    TreeView1.OnDragDrop = [this](tk::TreeNode dragged, tk::TreeNode target) { TreeView1DragDrop(dragged, target); };
    TreeView1.OnGetImageIndex = [this](tk::TreeNode node, int& image, int& selected) {
        TreeView1GetImageIndex(node, image, selected);
    };

    Panel2.OnMouseDown = [this](tk::MouseButton button, int, int x, int y) {
        if (button == tk::mbLeft) SplitControl->BeginSplit(Panel2, Panel1, x, y);
    };
    Panel2.OnMouseMove = [this](int, int x, int y) {
        if (SplitControl->IsSplitting()) SplitControl->MoveSplit(x, y);
    };
    Panel2.OnMouseUp = [this](tk::MouseButton, int, int, int) {
        if (!SplitControl->IsSplitting()) return;
        SplitControl->EndSplit();
        Realign();
        FormResize();
    };

    struct Hint {
        tk::Control& control;
        const char* text;
    } hints[] = {{Panel6, "文字を修飾します。"},
                 {RichEdit1, "ToDoの内容を記述します。"},
                 {TreeView1, "ドラッグ & ドロップで項目を移動できます。"},
                 {BitBtn2, "新しいToDo項目を追加します。"},
                 {BitBtn1, "ごみ箱のToDo項目を全て削除します。"},
                 {StatusBar1, "やるべき事、やった事を管理できます。"}};
    for (const Hint& h : hints) {
        const char* text = h.text;
        h.control.OnMouseMove = [this, text](int, int, int) { Help(text); };
    }

    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnSave = [this] { return SaveAll(); };
    OnActivate = [this] { FormActivate(); };
    OnResize = [this] { FormResize(); };
    FormCreate();
}

void TForm15::DrawImages() {
    ImageList1.SetSize(16, 16);
    for (int p = kFolderClosed; p <= kTrashFull; ++p) {
        tk::TBitmap bmp(16, 16);
        tk::TCanvas& c = bmp.Canvas();
        c.Brush.Color = kClear;
        c.FillRect({0, 0, 16, 16});
        switch (p) {
            case kFolderClosed: DrawFolder(c, false); break;
            case kFolderOpen: DrawFolder(c, true); break;
            case kItemSelected: DrawPaper(c, tk::clWhite, tk::clBlack, true); break;
            case kItem: DrawPaper(c, tk::clWhite, tk::clBlack, false); break;
            case kTrashEmpty: DrawTrash(c, false); break;
            case kTrashFull: DrawTrash(c, true); break;
        }
        ImageList1.AddMasked(bmp, kClear);
    }
}

void TForm15::FormCreate() {
    SplitControl = std::make_unique<TSplitControl>(*this);
    auto ini = settings::Open();
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    // The size first, so that keeping the window on the screen counts with the size it will have.
    SetBounds(Left(), Top(), ini.ReadInteger(tb::Section, tb::Width, Width(), 120, std::max(120, screenW)),
              ini.ReadInteger(tb::Section, tb::Height, Height(), 120, std::max(120, screenH)));
    RestorePosition(ini.ReadInteger(tb::Section, tb::left, 0), ini.ReadInteger(tb::Section, tb::top, 0));
    Panel1.SetWidth(ini.ReadInteger(tb::Section, tb::TreeWidth, Panel1.Width(), 0, std::max(0, Width() - 40)));
    if (Form1 && Form1->todo2) Form1->todo2->SetChecked(true);
}

std::string TForm15::Folder() const { return settings::DataDir() + "\\Todo\\"; }

std::string TForm15::LoadTrees() {
    std::string T = Folder(), titles, twins, unread;
    bool hasTitles = tk::FileExists(T + todo::kTitlesFile), hasTwins = tk::FileExists(T + todo::kTwinsFile);
    if (!hasTitles && !hasTwins) {  // never saved
        Tree = todo::TodoTree::Initial();
        return "";
    }
    if (hasTitles && !tk::ReadFileBytes(T + todo::kTitlesFile, titles)) {
        // Writing the four folders over it at the close would lose every title.
        treesLost_ = readOnly_ = true;
        unread = "ToDoの一覧を読み込めませんでした。\r" + T + todo::kTitlesFile;
    } else if ((hasTwins && !tk::ReadFileBytes(T + todo::kTwinsFile, twins)) || !todo::IsPair(titles, twins)) {
        // Written back, the items would lose their files or be linked to other items' files.
        readOnly_ = true;
        unread = "ToDoの一覧を正しく読み込めませんでした。\r" + T + "\r読み取り専用で表示します。";
    } else if (tk::FileIsReadOnly(T + todo::kTitlesFile) || tk::FileIsReadOnly(T + todo::kTwinsFile)) {
        // Said now: the close could not write what would be typed.
        readOnly_ = true;
        unread = "ToDoの一覧のファイルは読み取り専用です。\r" + T + "\r読み取り専用で表示します。";
    }
    Tree = todo::TodoTree::FromText(titles, twins);
    return unread;
}

void TForm15::FillTree() {
    TreeView1.BeginUpdate();
    TreeView1.Clear();
    std::vector<tk::TreeNode> parents;  // the last node of each level above
    for (int i = 0; i < Tree.Count(); ++i) {
        const todo::TodoNode& n = Tree.Node(i);
        parents.resize(n.level);
        parents.push_back(TreeView1.Add(n.level ? parents[n.level - 1] : nullptr, n.title));
    }
    TreeView1.EndUpdate();
}

void TForm15::FormShow() {
    // Shown again after being minimised with its owner: the board is already here.
    if (shown_) return;
    shown_ = true;
    PlayWaveRes("ope");
    std::string unread = LoadTrees();
    FillTree();
    BitBtn2.SetEnabled(!readOnly_);
    UpdateTrashButton();
    Toolbar->Sync();
    // Said once the board is as it stays: other windows can be used while the box is up.
    if (!unread.empty()) tk::MessageDlg(Handle, unread, Caption(), MB_OK | MB_ICONWARNING);
    if (treesLost_) PostMessageA(Handle, WM_CLOSE, 0, 0);
    int index = settings::Open().ReadInteger(tb::Section, tb::Index, 0);
    TreeView1.Select(TreeView1.NodeAt(std::clamp(index, 0, Tree.Count() - 1)));
}

void TForm15::FormCloseQuery(bool&) { PlayWaveRes("clo"); }

std::string TForm15::SaveAll() {
    if (!shown_ || treesLost_) return "";
    std::string failed = TextNotSaved();
    try {
        auto ini = settings::Open();
        ini.WriteInteger(tb::Section, tb::Index, std::max(0, IndexOf(TreeView1.Selected())));
        ini.WriteInteger(tb::Section, tb::top, Top());
        ini.WriteInteger(tb::Section, tb::left, Left());
        ini.WriteInteger(tb::Section, tb::Width, Width());
        ini.WriteInteger(tb::Section, tb::Height, Height());
        ini.WriteInteger(tb::Section, tb::TreeWidth, Panel1.Width());
    } catch (const tk::EIniFileError&) {
        // The place and the selection are no reason to keep the board open.
    }
    std::string trees = TreesNotSaved();
    if (!trees.empty()) failed += (failed.empty() ? "" : "\r") + trees;
    return failed;
}

void TForm15::FormClose(tk::CloseAction& action) {
    if (Form1 && Form1->todo2) Form1->todo2->SetChecked(false);
    action = tk::CloseAction::Free;
}

void TForm15::FormActivate() { Toolbar->PaintHistory(); }

void TForm15::FormResize() {
    if (Toolbar) Toolbar->Sync();
}

std::string TForm15::TextNotSaved() {
    if (shownFile_.empty()) return "";
    rtl::TMemoryStream rtf;
    RichEdit1.SaveToStream(rtf);
    std::string path = Folder() + shownFile_;
    return tk::WriteFileSafely(path, rtf.Bytes()) ? "" : "ToDoの内容を保存できませんでした。\r" + path;
}

std::string TForm15::TreesNotSaved() {
    if (readOnly_) return "";
    std::string T = Folder();
    tk::ForceDirectories(rtl::ExcludeTrailingBackslash(T));
    // Neither file is replaced before both are written: the twins are matched to the titles by
    // position, so one file new and the other old would link items to the wrong files.
    bool saved = tk::WriteFilesSafely(
        {{T + todo::kTitlesFile, Tree.TitlesText()}, {T + todo::kTwinsFile, Tree.TwinsText()}});
    return saved ? "" : "ToDoの一覧を保存できませんでした。\r" + T;
}

bool TForm15::Say(const std::string& failed) {
    if (!failed.empty()) tk::MessageDlg(Handle, failed, Caption(), MB_OK | MB_ICONERROR);
    return failed.empty();
}

bool TForm15::Save() { return Say(TextNotSaved()); }

bool TForm15::SaveTrees() { return Say(TreesNotSaved()); }

void TForm15::TreeView1Change(tk::TreeNode node) { ShowNode(node); }

void TForm15::ShowNode(tk::TreeNode node) {
    Loading load(*this);  // not saved by the program's end while the text is half in
    shownFile_.clear();
    int i = IndexOf(node);
    RichEdit1.SetReadOnly(false);
    RichEdit1.Clear();
    if (Tree.Valid(i) && Tree.KindOf(i) != todo::Kind::Item) {
        // A folder lists its children's titles.
        RichEdit1.SetColor(Color);
        for (int c : Tree.Children(i)) RichEdit1.Lines.Add(Tree.Node(c).title);
        RichEdit1.SetReadOnly(true);
        Toolbar->SetEnabled(false);
        Toolbar->Sync();
        return;
    }
    RichEdit1.SetColor(tk::clWindow);
    std::string file = Tree.FileOf(i), path = Folder() + file, why;
    bool editable = !file.empty();
    if (editable && tk::FileExists(path)) {
        std::string bytes;
        editable = tk::ReadFileBytes(path, bytes);
        if (editable) {
            rtl::TMemoryStream s;
            s.LoadFromString(bytes);
            RichEdit1.LoadQuietly(s);
        } else {
            // Saving the empty text when the user leaves would wipe the file.
            why = "ToDoの内容を読み込めませんでした。\r" + path + "\r読み取り専用で表示します。";
        }
    }
    editable = editable && !readOnly_;
    if (editable && tk::FileIsReadOnly(path)) {
        // Said now, not when what was typed could not be saved.
        editable = false;
        why = "ToDoの内容のファイルは読み取り専用です。\r" + path + "\r読み取り専用で表示します。";
    }
    RichEdit1.SetModified(false);
    RichEdit1.SetReadOnly(!editable);
    Toolbar->SetEnabled(editable);
    Toolbar->Sync();
    if (editable) shownFile_ = file;
    if (!why.empty()) tk::MessageDlg(Handle, why, Caption(), MB_OK | MB_ICONWARNING);
}

void TForm15::BitBtn2Click() {
    // The new item is shown in place of a text that must first reach its file.
    if (readOnly_ || !Save()) return;
    PlayWaveRes("sav");
    auto ini = settings::Open();
    std::string T = Folder();
    int n = todo::NextItemNumber(ini.ReadInteger(ik::Borad::Section, ik::Borad::Count, 0), [&](int k) {
        std::string name = todo::ItemFileName(k);
        return Tree.References(name) || tk::FileExists(T + name);
    });
    if (n < 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    ini.WriteInteger(ik::Borad::Section, ik::Borad::Count, n + 1);
    std::string title = todo::AddedTitle(rtl::Now());
    Tree.Add(title, todo::ItemFileName(n));
    tk::TreeNode node = TreeView1.AddFirst(TreeView1.FirstRoot(), title);
    SaveTrees();
    TreeView1.SetFocus();
    TreeView1.Select(node);
    RichEdit1.Clear();
    TreeView1.StartEdit(node);
    KeepTreeLeft(node);
    MessageBeep(0);
}

void TForm15::BitBtn1Click() {
    if (readOnly_) return;
    if (settings::Open().ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 && !tk::ConfirmDelete(Handle, Caption()))
        return;
    int trash = Tree.FullTrash();
    if (trash < 0) return;
    // The text goes to its file and the trash is shown before any file goes, so that no save
    // can write into a file being deleted.
    if (!Save()) return;
    TreeView1.Select(TreeView1.NodeAt(trash));
    shownFile_.clear();
    std::vector<int> children = Tree.Children(trash);
    std::vector<std::string> files = Tree.EmptyTrash();
    for (auto c = children.rbegin(); c != children.rend(); ++c) TreeView1.Delete(TreeView1.NodeAt(*c));
    std::string T = Folder();
    for (const std::string& file : files)
        if (tk::FileExists(T + file) && tk::DeleteFileA_(T + file)) PlayWaveRes("del");
    RichEdit1.Clear();
    UpdateTrashButton();
}

void TForm15::TreeView1Editing(tk::TreeNode node, bool& allow) { allow = !readOnly_ && Tree.CanRename(IndexOf(node)); }

void TForm15::TreeView1Edited(tk::TreeNode node, std::string& text, bool& accept) {
    int i = IndexOf(node);
    accept = Tree.Valid(i);
    if (!accept) return;
    Tree.Rename(i, text);
    text = Tree.Node(i).title;
    RichEdit1.SetFocus();
}

void TForm15::TreeView1DragDrop(tk::TreeNode dragged, tk::TreeNode target) {
    PlayWaveRes("c1");
    if (!dragged || !target) return;
    int onto = IndexOf(target);
    bool intoFolder = Tree.KindOf(onto) != todo::Kind::Item;
    if (Tree.Move(IndexOf(dragged), onto) < 0) return;
    TreeView1.MoveNode(dragged, target, intoFolder ? tk::TreeMove::AsFirstChild : tk::TreeMove::AsSiblingBefore);
    UpdateTrashButton();
}

void TForm15::TreeView1GetImageIndex(tk::TreeNode node, int& image, int& selectedImage) {
    int i = IndexOf(node);
    switch (Tree.KindOf(i)) {
        case todo::Kind::Item:
            image = kItem;
            selectedImage = kItemSelected;
            break;
        case todo::Kind::Folder:
            image = selectedImage = TreeView1.Expanded(node) ? kFolderOpen : kFolderClosed;
            break;
        case todo::Kind::Trash:
            image = selectedImage = Tree.End(i) > i + 1 ? kTrashFull : kTrashEmpty;
            break;
    }
}

void TForm15::UpdateTrashButton() {
    BitBtn1.SetEnabled(!readOnly_ && Tree.FullTrash() >= 0);
    InvalidateRect(TreeView1.Handle, nullptr, TRUE);
}

// Editing a label scrolls the tree sideways until the label's end shows, which cuts off the
// folders' names and icons; the tree goes back to the left while the label starts inside it.
void TForm15::KeepTreeLeft(tk::TreeNode node) {
    int scrolled = GetScrollPos(TreeView1.Handle, SB_HORZ);
    if (scrolled > 0 && TreeView1.NodeRect(node).left + scrolled < TreeView1.ClientWidth())
        SendMessageA(TreeView1.Handle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

void TForm15::EnsureFindDialogs() {
    if (!FindDialog1.Handle) FindDialog1.Create(*this);
    if (!ReplaceDialog1.Handle) ReplaceDialog1.Create(*this);
}

void TForm15::Find1Click() {
    EnsureFindDialogs();
    Finder->ShowFind();
}

void TForm15::Replace1Click() {
    EnsureFindDialogs();
    Finder->ShowReplace();
}

void TForm15::Print1Click() {
    int i = IndexOf(TreeView1.Selected());
    if (!Tree.Valid(i) || !tk::ExecutePrintDialog(Handle)) return;
    int parent = Tree.Parent(i);
    tk::PrintRichCopy(RichEdit1,
                      {"【" + (parent >= 0 ? Tree.Node(parent).title : std::string()) + "】",
                       "【タイトル：" + Tree.Node(i).title + "】", ""},
                      Caption());
}

void TForm15::PopupMenu1Popup() {
    K1->SetChecked(settings::Open().ReadBool(ik::Form::Section, ik::Form::Todo_pop, false));
    New1->SetEnabled(BitBtn2.Enabled());
    Gomi1->SetEnabled(BitBtn1.Enabled());
}

void TForm15::PopupMenu2Popup() {
    bool editable = !RichEdit1.ReadOnly();
    for (tk::MenuItem* item : {Cut1, Paste1, Undo1}) item->SetEnabled(editable);
}

void TForm15::K1Click() { settings::Open().WriteBool(ik::Form::Section, ik::Form::Todo_pop, !K1->Checked()); }

void TForm15::Help(const char* text) { StatusBar1.SetSimpleText(text); }
