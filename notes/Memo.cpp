#include "notes/Memo.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "controls/Jpeg.h"
#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Picture.h"
#include "notes/MemoDrop.h"
#include "notes/Memo_cap.h"
#include "notes/MemoNames.h"
#include "schedule/Choosers.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichPrint.h"
#include "toolkit/Shell.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Screen.h"
#include "toolkit/rtl/Streams.h"
#include "toolkit/rtl/SysUtils.h"

namespace ik = inikey;
namespace ms = inikey::MemoStore;

TForm18* Form18 = nullptr;

std::string MemoFolder() { return settings::DataDir() + "\\Memo\\"; }

namespace {

// Sent to itself: a memo minimised by other means than its minimise button becomes small
// once the minimising is over.
constexpr UINT WM_MEMO_GO_SMALL = WM_APP + 0x180;
constexpr int kSquare = 16;
// The stored form's size, where a square without a place of its own shows.
constexpr int kPlainWidth = 300, kPlainHeight = 200;

// The system-menu commands.
enum : UINT { idLine = 9, idRename = 10, idDelete = 11, idNew = 12, idCloseAll = 13 };

// The picture as JPEG bytes through the shared JPEG window, under the codec's busy rule.
bool EncodeJpeg(const tk::TBitmap& picture, std::string& out) {
    bool ok = false;
    RunJpegConversion([&] {
        TForm37 jpeg;
        jpeg.MemoJpeg1.Tag = 1;
        auto* in = new rtl::TMemoryStream;
        in->LoadFromString(picture.BmpFileBytes());
        auto* data = new rtl::TMemoryStream;
        jpeg.MemoJpeg1.SetInStream(in);
        jpeg.MemoJpeg1.SetOutStream(data);
        auto finish = jpeg.MemoJpeg1.OnFinish;
        jpeg.MemoJpeg1.OnFinish = [&] {
            out = data->Bytes();  // the run frees the stream after this
            if (finish) finish();
        };
        ok = jpeg.MemoJpeg1.Compress() && !out.empty();
    });
    return ok;
}

// Writes a value only when the file holds another one: every write rewrites the whole file.
void Put(tk::TIniFile& ini, const std::string& section, const std::string& key, const std::string& value) {
    if (!ini.ValueExists(section, key) || ini.ReadString(section, key, "") != value)
        ini.WriteString(section, key, value);
}
void Put(tk::TIniFile& ini, const std::string& section, const std::string& key, int value) {
    Put(ini, section, key, rtl::IntToStr(value));
}
void Put(tk::TIniFile& ini, const std::string& section, const std::string& key, bool value) {
    Put(ini, section, key, value ? 1 : 0);
}

// The main window's bounds, from which a memo without bounds of its own takes its place.
tk::Bounds MainBounds() {
    tk::Form* m = tk::Application.MainForm;
    if (!m) return {0, 0, 400, 300};
    return {m->Left(), m->Top(), m->Width(), m->Height()};
}

// The memo's own bounds, else [Memo]'s (when asked), else taken from the main window's.
tk::Bounds NormalBounds(const tk::TIniFile& ini, const std::string& section, bool memoDefaults) {
    const std::string& d = ik::Memo::Section;
    tk::Bounds main = MainBounds();
    auto read = [&](const char* key, const char* memoKey, int fallback) {
        if (memoDefaults) fallback = ini.ReadInteger(d, memoKey, fallback);
        return ini.ReadInteger(section, key, fallback);
    };
    int top = read(ms::Top, ik::Memo::top, main.top / 2 + main.height);
    int left = read(ms::Left, ik::Memo::left, main.left / 2 + main.width);
    int width = read(ms::Width, ik::Memo::Width, main.width);
    int height = read(ms::Height, ik::Memo::Height, main.height / 2);
    return {left, top, width, height};
}

// Negative positions become 0 and the window stays on the screen.
tk::Bounds OnScreen(tk::Bounds b) {
    b.left = std::max(0, b.left);
    b.top = std::max(0, b.top);
    rtl::KeepOnScreen(b.left, b.top, b.width, b.height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return b;
}

}  // namespace

std::vector<TForm18*> OpenMemoWindows() {
    std::vector<TForm18*> memos;
    for (tk::Form* f : tk::Application.Forms)
        if (auto* m = dynamic_cast<TForm18*>(f); m && !m->Closed()) memos.push_back(m);
    return memos;
}

TForm18* FindMemoWindow(const std::string& name) {
    std::string wanted = rtl::UpperCaseAscii(name);
    for (TForm18* m : OpenMemoWindows())
        if (rtl::UpperCaseAscii(m->Name) == wanted) return m;
    return nullptr;
}

TForm18* CreateMemoWindow(const std::string& name, int group, const std::string& title) {
    auto ini = settings::Open();
    std::string section = ms::MemoSection(name, MemoFolder());
    MemoFrame f{.small = ini.ReadBool(section, ms::peti, false),
                .caption = memo::CaptionOf(title.empty() ? name : title, ini.ReadBool(section, ms::ReadOnly, false)),
                .group = group};
    if (f.small) {
        // Without a place of its own the square takes the place of a window made centred.
        int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        f.at = {ini.ReadInteger(section, ms::P_Left, (cx - kPlainWidth) / 2),
                ini.ReadInteger(section, ms::P_Top, (cy - kPlainHeight) / 2), kSquare, kSquare};
    } else {
        f.at = NormalBounds(ini, section, true);
    }
    f.at = OnScreen(f.at);
    tk::Application.CreateForm(Form18, f);
    Form18->Attach(name, group, title);
    return Form18;
}

TForm18::TForm18(const MemoFrame& f)
    : Form({.caption = f.caption,
            .left = f.at.left,
            .top = f.at.top,
            .width = f.at.width,
            .height = f.at.height,
            .border = f.small ? tk::Border::None : tk::Border::Sizeable,
            .acceptFiles = true}) {
    using namespace tk;
    // The bar, the ruler, the picture, the small square and the find dialogs are made when
    // first needed: a memo window is mostly opened to show its text, many at once at start.
    RichEdit1.KeepMargins = true;  // from its first size on
    RichEdit1.Create(*this, {.align = Align::Client, .style = reVScroll | reNoBorder});
    Label2.Create(*this, {.at = {0, 0, 60, 14}, .caption = ms::GroupPrefix(f.group), .visible = false, .style = lsNoAutoSize});

    BuildMenus();
    BuildSystemMenu();

    OnShow = [this] { FormShow(); };
    OnActivate = [this] { FormActivate(); };
    OnDeactivate = [this] { FormDeactivate(); };
    OnResize = [this] { FormResize(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](CloseAction& a) { FormClose(a); };
    OnSave = [this] { return SaveQuietly(); };
    OnDropFiles = [this](const std::vector<std::string>& files) { WMDropFiles(files); };
    OnMouseDown = [this](MouseButton b, int, int, int) {
        if (b == mbLeft) DragWindow();
    };
}

void TForm18::BuildMenus() {
    using tk::MenuItem;
    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    K3 = &m.Add("プチ", [this] { K3Click(); });
    Undo1 = &m.Add("やり直し", [this] { Bar().Undo(); });
    m.Add("-");
    MenuItem& text = m.Add("テキスト");
    K5 = &text.Add("ツールバー", [this] { K5Click(); });
    text.Add("-");
    SaveAs1 = &text.Add("名前を付けて保存", [this] { SaveAs1Click(); });
    Open1 = &text.Add("開く", [this] { Open1Click(); });
    MenuItem& basic = m.Add("基本属性");
    BackColor1 = &basic.Add("背景色", [this] { BackColor1Click(); });
    Font1 = &basic.Add("フォント色", [this] { Font1Click(); });
    basic.Add("-");
    ReadOnly1 = &basic.Add("読み取り専用", [this] { ReadOnly1Click(); });
    MenuItem& picture = m.Add("画像");
    BMPFile1 = &picture.Add("開く", [this] { BMPFile1Click(); });
    picture.Add("-");
    Stretch1 = &picture.Add("窓を画像サイズに変更", [this] { Stretch1Click(); });
    K2 = &picture.Add("ストレッチ", [this] { K2Click(); });
    picture.Add("-");
    MenuItem& saveAs = picture.Add("別名で保存");
    JPG1 = &saveAs.Add("JPG（256色）", [this] { JPG1Click(); });
    BMP2 = &saveAs.Add("BMP", [this] { BMP2Click(); });
    WallPaper1 = &picture.Add("壁紙として保存", [this] { WallPaper1Click(); });
    Clipbord1 = &m.Add("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ転送", [this] { Clipbord1Click(); });
    m.Add("-");
    Cut1 = &m.Add("切り取り", [this] { Bar().Cut(); });
    Copy1 = &m.Add("コピー", [this] { Bar().Copy(); });
    Paste1 = &m.Add("貼り付け", [this] { Paste1Click(); });
    SelectAll1 = &m.Add("全て選択", [this] { Bar().SelectAll(); });
    m.Add("-");
    MenuItem& style = m.Add("メモのスタイル");
    Aline2 = &style.Add("題名の変更", [this] { Caption1Click(); });
    MenuItem& mode = m.Add("動作モード");
    Memo2 = &mode.Add("テキスト", [this] { SetKind(0); });
    Bmp1 = &mode.Add("画像メモ", [this] { SetKind(1); });
    Auto1 = &mode.Add("自動切り替え", [this] { SetKind(2); }, "F3");
    MenuItem& tools = m.Add("ツール");
    Find1 = &tools.Add("検索", [this] { Find().ShowFind(); }, "Ctrl+F");
    Replace1 = &tools.Add("置換", [this] { Find().ShowReplace(); }, "Ctrl+R");
    Print1 = &tools.Add("印刷", [this] { Print1Click(); }, "Ctrl+P");
    m.Add("-");
    Cloze1 = &m.Add("閉じる", [this] { Close(); });
    for (tk::Control* c : std::initializer_list<tk::Control*>{this, &RichEdit1}) c->SetPopupMenu(&PopupMenu1);

    PopupMenu2.Create(*this);
    K4 = &PopupMenu2.Items.Add("プチを戻す。", [this] { K4Click(); });
    Close1 = &PopupMenu2.Items.Add("閉じる", [this] { Close(); });
    PopupMenu2.OnPopup = [this] { K4->SetCaption(Title()); };
}

// Appended once: the border changes in place, so the menu is never made anew. A square made
// without a border has no system menu yet; it gets the commands when it takes its border.
void TForm18::BuildSystemMenu() {
    HMENU m = GetSystemMenu(Handle, FALSE);
    if (!m || GetMenuState(m, idRename, MF_BYCOMMAND) != (UINT)-1) return;
    AppendMenuA(m, MF_SEPARATOR, idLine, nullptr);
    AppendMenuA(m, MF_STRING, idRename, "メモの題名変更");
    AppendMenuA(m, MF_STRING, idDelete, "このメモを削除");
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING, idNew, "新しいメモを開く");
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING, idCloseAll, "全てのメモを閉じる");
}

// Made when first needed: most memos never show their bar, and it is the greater part of the
// cost of a memo window.
tk::RichToolbar& TForm18::Bar() {
    if (Toolbar) return *Toolbar;
    using namespace tk;
    // Made after the text: the top-aligned pair still lies above it.
    Panel2.Create(*this, {.at = {0, 0, 300, 26}, .visible = false, .align = Align::Top});
    Panel3.Create(*this, {.at = {0, 26, 300, 20}, .visible = false, .align = Align::Top, .style = pnOuterLowered});
    RichBar bar{.fontName = &ComboBox1, .fontSize = &SpinEdit1, .bold = &SpeedButton1, .italic = &SpeedButton2,
                .underline = &SpeedButton3, .strikeOut = &SpeedButton4, .bullet = &SpeedButton5,
                .align = {&SpeedButton6, &SpeedButton7, &SpeedButton8}, .colorButton = &BitBtn12,
                .history = {&Panel4, &Panel5, &Panel6, &Panel7, &Panel8}, .colorLabel = &Label4, .ruler = &Panel3,
                .firstMarker = &Label5, .leftMarker = &Label6, .rightMarker = &Label7};
    CreateRichBar(Panel2, bar);
    Toolbar = std::make_unique<RichToolbar>(
        RichEdit1, bar,
        ColorHistory{settings::Open, ik::Memo::Section,
                     {ik::Memo::Color1, ik::Memo::Color2, ik::Memo::Color3, ik::Memo::Color4, ik::Memo::Color5},
                     clRed});
    Toolbar->SetEnabled(!RichEdit1.ReadOnly());
    return *Toolbar;
}

tk::RichFinder& TForm18::Find() {
    if (!Finder) {
        FindDialog1.Create(*this);
        ReplaceDialog1.Create(*this);
        Finder = std::make_unique<tk::RichFinder>(RichEdit1, FindDialog1, ReplaceDialog1);
    }
    return *Finder;
}

void TForm18::MakePictureView() {
    if (Image1.Handle) return;
    Image1.Create(*this, {.visible = false, .align = tk::Align::Client, .color = back_});
    Image1.SetCenter(true);
    Image1.SetStretch(K2->Checked());
    Image1.SetPopupMenu(&PopupMenu1);
}

// The small square: a press drags it, a click restores the memo.
void TForm18::MakeSquare() {
    if (Panel1.Handle) return;
    using namespace tk;
    Panel1.Create(*this, {.visible = false, .align = Align::Client, .color = back_, .style = pnOuterNone});
    Image2.Create(Panel1, {.align = Align::Client});
    for (Control* c : std::initializer_list<Control*>{&Panel1, &Image2}) {
        c->OnMouseDown = [this](MouseButton b, int, int, int) {
            if (b == mbLeft) SquareReleased(DragWindow());
        };
        c->OnMouseMove = [this](int, int, int) {
            bool framed = GetWindowLongA(Handle, GWL_STYLE) & WS_CAPTION;
            if (small_ && !inSmallSwitch_ && (framed || Width() != kSquare || Height() != kSquare)) EnterSmallMode(false);
        };
        c->SetPopupMenu(&PopupMenu2);
    }
}

tk::TIniFile TForm18::Ini() const { return settings::Open(); }

std::string TForm18::Section() const { return ms::MemoSection(Name, folder_); }

std::string TForm18::Title() const { return memo::TitleOf(Caption()); }

void TForm18::SetTitle(const std::string& title) {
    SetCaption(memo::CaptionOf(title, RichEdit1.ReadOnly()));
    if (Panel1.Handle) Panel1.Hint = Image2.Hint = title;
}

void TForm18::Attach(const std::string& name, int group, const std::string& title) {
    if (attached_) return;
    // Until the text is in, the program's end must not save the memo over its file.
    tk::Form::Loading load(*this);
    attached_ = true;
    Name = name;
    Tag = group;
    folder_ = MemoFolder();
    Label2.SetCaption(ms::GroupPrefix(group));
    auto ini = Ini();
    ApplyReadOnly(ini.ReadBool(Section(), ms::ReadOnly, false));
    SetTitle(title.empty() ? name : title);
    ApplyColors();
    // In its mode before it shows, also when shown without being activated; it was made in its
    // place and frame (CreateMemoWindow).
    K2->SetChecked(ini.ReadBool(Section(), ms::WindowSize, false));
    if (ini.ReadBool(Section(), ms::peti, false)) DressSmall();
    else ApplyKind();
    // The text last, into a box of its final width: it is laid out once.
    if (!ReadMemoFile(RichEdit1, MemoFile())) lock_ = Lock::Unreadable;
    else if (tk::FileIsReadOnly(MemoFile())) lock_ = Lock::ReadOnlyFile;
    if (lock_ != Lock::None) {
        SetBack(back_);
        ApplyReadOnly(true);
        SetTitle(title.empty() ? name : title);
    }
    placed_ = true;
    // Said once locked, and before anything is typed that could not be saved.
    if (lock_ == Lock::Unreadable) SayMemoUnreadable(Handle, MemoFile(), Caption());
    else if (lock_ == Lock::ReadOnlyFile)
        tk::MessageDlg(Handle, "メモのファイルが読み取り専用です。\r" + MemoFile() + "\rこのメモは編集できません。",
                       Caption(), MB_OK | MB_ICONWARNING);
}

bool ReadMemoFile(tk::RichEdit& text, const std::string& file) {
    if (!tk::FileExists(file)) return true;
    rtl::TMemoryStream data;
    try {
        data.LoadFromFile(file);
    } catch (const std::exception&) {
        return false;
    }
    // Saving rewrites the file as rich text: another program's text would be lost, not kept.
    if (!data.Bytes().starts_with("{\\rtf") && !rtl::IsShiftJisText(data.Bytes())) return false;
    text.LoadFromStream(data);
    text.SetModified(false);
    return true;
}

void SayMemoUnreadable(HWND owner, const std::string& file, const std::string& caption) {
    tk::MessageDlg(owner, "メモを読み込めませんでした。\r" + file + "\rこのメモは編集も保存もできません。", caption,
                   MB_OK | MB_ICONWARNING);
}

void TForm18::ShowInactive() {
    FormDeactivate();  // an automatic memo shows its picture until it is activated
    ShowWindow(Handle, SW_SHOWNOACTIVATE);
}

void TForm18::ApplyColors() {
    auto ini = Ini();
    const std::string& s = ik::Memo::Section;
    // Only what differs from the box's own: each setting repaints the box.
    tk::TextAttributes& d = RichEdit1.DefAttributes;
    std::string face = ini.ReadString(s, ik::Memo::FontName, "ＭＳ Ｐゴシック");
    if (d.Name() != face) d.SetName(face);
    int size = ini.ReadInteger(s, ik::Memo::FontSize, 9, 1, 999);
    if (d.Size() != size) d.SetSize(size);
    tk::TColor color = ini.ReadInteger(Section(), ms::FontColor, ini.ReadInteger(s, ik::Memo::FontColor, 0));
    if (d.Color() != color) d.SetColor(color);
    tk::TColor back = ini.ReadInteger(Section(), ms::BackColor, ini.ReadInteger(s, ik::Memo::BackColor, 0xFFFFFF));
    SetBack(back);
}

void TForm18::SetBack(tk::TColor c) {
    back_ = c;
    RichEdit1.SetColor(lock_ == Lock::Unreadable ? tk::clBtnFace : c);  // a text that is not there shows so
    if (Image1.Handle) Image1.SetColor(c);
    if (Panel1.Handle) Panel1.SetColor(c);
}

// ---- window events ----

void TForm18::FormShow() {
    PlayWaveRes("ope");
    auto ini = Ini();
    Put(ini, Section(), ms::Show, 1);
    K2->SetChecked(ini.ReadBool(Section(), ms::WindowSize, false));
    if (Image1.Handle) Image1.SetStretch(K2->Checked());
    // Attached where it shows: placing it again would only ask the screen's size again.
    if (std::exchange(placed_, false)) return;
    if (!ini.ReadBool(Section(), ms::peti, false)) PlaceNormal(true);
    else if (!small_) EnterSmallMode(false);
}

void TForm18::PlaceNormal(bool memoDefaults) {
    tk::Bounds b = NormalBounds(Ini(), Section(), memoDefaults);
    Place(b.left, b.top, b.width, b.height);
}

// One move, only when the window is not there already (each is a round trip to the X server).
void TForm18::Place(int left, int top, int width, int height) {
    tk::Bounds b = OnScreen({left, top, width, height});
    RECT r;
    GetWindowRect(Handle, &r);
    if (r.left != b.left || r.top != b.top || r.right - r.left != b.width || r.bottom - r.top != b.height)
        SetBounds(b.left, b.top, b.width, b.height);
}

bool TForm18::TextShown() const { return RichEdit1.Visible(); }

void TForm18::ApplyKind() {
    auto ini = Ini();
    int kind = ini.ReadInteger(Section(), ms::Kind, 0);
    Memo2->SetChecked(kind == 0);
    Bmp1->SetChecked(kind == 1);
    Auto1->SetChecked(kind == 2);
    bool bar = ini.ReadBool(Section(), ms::ToolBar, false);
    K5->SetChecked(bar);
    if (small_) {
        MakeSquare();
        Panel1.Show();
        for (tk::Control* c : std::initializer_list<tk::Control*>{&Panel2, &Panel3, &RichEdit1, &Image1})
            if (c->Handle) c->Hide();
        return;
    }
    if (Panel1.Handle) Panel1.Hide();
    bool text = kind != 1;
    if (!text) EnsurePicture();
    if (text && bar) Bar();
    if (Toolbar) {
        Panel2.SetVisible(text && bar);
        Panel3.SetVisible(text && bar);
    }
    if (Image1.Handle) Image1.SetVisible(!text);
    RichEdit1.SetVisible(text);
    RichEdit1.SetMargins();  // lays the text out again only when the margins are off
}

void TForm18::ApplyReadOnly(bool on) {
    on = on || lock_ != Lock::None;
    ReadOnly1->SetEnabled(lock_ == Lock::None);
    Open1->SetEnabled(lock_ == Lock::None);
    // Changing the flag changes the window's style: a round trip to the server.
    if (RichEdit1.ReadOnly() != on) RichEdit1.SetReadOnly(on);
    RichEdit1.Hint = on ? "読み取り専用です。" : "編集が可能です。";
    ReadOnly1->SetChecked(on);
    if (Toolbar) Toolbar->SetEnabled(!on);
}

void TForm18::FormActivate() {
    if (!attached_) return;
    if (Toolbar) Toolbar->PaintHistory();
    ApplyKind();
    ApplyReadOnly(Ini().ReadBool(Section(), ms::ReadOnly, false));
    if (Form1 && Form1->ComboBox1.Tag == 1) Form1->ComboBox1.SetItemIndex(Tag);
}

void TForm18::FormDeactivate() {
    if (!attached_ || small_ || Ini().ReadInteger(Section(), ms::Kind, 0) != 2) return;
    // The memo's own find and replace dialogs keep the text in view.
    if (deactivatedTo_ && GetWindow(deactivatedTo_, GW_OWNER) == Handle) return;
    if (Toolbar) {
        Panel2.Hide();
        Panel3.Hide();
    }
    EnsurePicture();
    Image1.Show();
    RichEdit1.Hide();
}

void TForm18::EnsurePicture() {
    MakePictureView();
    if (Image1.Tag == 1) return;
    std::string file = Ini().ReadString(Section(), ms::BmpFile, "");
    tk::TBitmap picture;
    // A JPEG refused while the codec is busy is tried again at the next showing.
    if (!file.empty() && tk::FileExists(file) && LoadPicture(file, picture)) {
        Image1.Assign(picture);
        Image1.Tag = 1;
    } else {
        Image1.Clear();
    }
    Image1.SetStretch(K2->Checked());
}

void TForm18::FormResize() {
    if (!small_ && IsIconic(Handle)) PostMessageA(Handle, WM_MEMO_GO_SMALL, 0, 0);
}

// The state is saved by the close itself (OnSave), which keeps the window when that fails.
void TForm18::FormCloseQuery(bool&) {
    if (Form1) Form1->PopupMenu4.Tag = 1;
}

void TForm18::FormClose(tk::CloseAction& action) {
    action = tk::CloseAction::Free;
    if (closed_) return;
    PlayWaveRes("clo");
    if (PopupMenu1.Tag != 1 && attached_) {
        auto ini = Ini();
        Put(ini, Section(), ms::Show, 0);
    }
    closed_ = true;
}

bool TForm18::SaveState(bool quiet) {
    std::string failed = SaveQuietly();
    if (!failed.empty() && !quiet) tk::MessageDlg(Handle, failed, Caption(), MB_OK | MB_ICONERROR);
    return failed.empty();
}

std::string TForm18::SaveQuietly() {
    // Closed memos were saved at their close; a deleted one has nothing left to save.
    if (!attached_ || Closed()) return "";
    bool saved = true;
    // A memo file that could not be read is not replaced by the text shown instead of it, nor
    // one marked read-only written (the text could not change).
    if (lock_ == Lock::None) {
        rtl::TMemoryStream data;
        RichEdit1.SaveToStream(data);
        tk::ForceDirectories(rtl::ExcludeTrailingBackslash(folder_));
        saved = tk::WriteFileSafely(MemoFile(), data.Bytes());
    }
    try {
        auto ini = Ini();
        Put(ini, Label2.Caption() + folder_, Name, Title());
        Put(ini, Section(), ms::WindowSize, K2->Checked());
        if (!small_) {
            Put(ini, Section(), ms::Top, Top());
            Put(ini, Section(), ms::Left, Left());
            Put(ini, Section(), ms::Width, Width());
            Put(ini, Section(), ms::Height, Height());
        } else {
            Put(ini, Section(), ms::P_Top, Top());
            Put(ini, Section(), ms::P_Left, Left());
        }
    } catch (const std::exception&) {
        saved = false;
    }
    return saved ? "" : "メモを保存できませんでした。\r" + MemoFile();
}

LRESULT TForm18::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_MINIMIZE && !small_) {
                tk::Guard([this] { EnterSmallMode(true); });
                return 0;
            }
            if (wp < 0xF000 && SysCommand(wp)) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) deactivatedTo_ = (HWND)lp;
            break;
        case WM_MEMO_GO_SMALL:
            if (!small_) {
                ShowWindow(Handle, SW_RESTORE);
                tk::Guard([this] { EnterSmallMode(true); });
            }
            return 0;
    }
    return Form::WndProc(msg, wp, lp);
}

bool TForm18::SysCommand(WPARAM id) {
    switch (id) {
        case idRename: Caption1Click(); return true;
        case idDelete: DeleteMemo(); return true;
        case idNew:
            if (Form1) {
                Form1->ComboBox1.SetItemIndex(Tag);
                Form1->BitBtn9Click();
            }
            return true;
        case idCloseAll:
            for (TForm18* m : OpenMemoWindows()) m->Close();
            return true;
    }
    return false;
}

// ---- small mode ----

void TForm18::SetBorderless(bool none) {
    LONG was = GetWindowLongA(Handle, GWL_STYLE);
    LONG s = none ? (was & ~WS_OVERLAPPEDWINDOW) | WS_POPUP : (was & ~WS_POPUP) | WS_OVERLAPPEDWINDOW;
    if (s == was) return;  // made in that frame
    SetWindowLongA(Handle, GWL_STYLE, s);
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!none) BuildSystemMenu();
}

void TForm18::K3Click() { EnterSmallMode(true); }

void TForm18::EnterSmallMode(bool saveFirst) {
    inSmallSwitch_ = true;
    if (saveFirst && !small_) SaveState();
    DressSmall();
    auto ini = Ini();
    Place(ini.ReadInteger(Section(), ms::P_Left, Left()), ini.ReadInteger(Section(), ms::P_Top, Top()), kSquare, kSquare);
    inSmallSwitch_ = false;
}

// Small mode but for the place: the square shown, the border gone, the mode stored.
void TForm18::DressSmall() {
    bool was = inSmallSwitch_;
    inSmallSwitch_ = true;
    small_ = true;
    ApplyKind();
    Panel1.Hint = Image2.Hint = Title();
    auto ini = Ini();
    Put(ini, Section(), ms::peti, true);
    SetBorderless(true);
    inSmallSwitch_ = was;
}

void TForm18::K4Click() {
    if (!small_) return;
    inSmallSwitch_ = true;
    small_ = false;
    SetBorderless(false);
    PlaceNormal(false);
    auto ini = Ini();
    Put(ini, Section(), ms::peti, false);
    ApplyKind();
    inSmallSwitch_ = false;
}

bool TForm18::DragWindow() {
    RECT before, after;
    GetWindowRect(Handle, &before);
    ReleaseCapture();
    SendMessageA(Handle, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    GetWindowRect(Handle, &after);
    return before.left != after.left || before.top != after.top;
}

void TForm18::SquareReleased(bool moved) {
    if (!small_) return;
    if (moved) SaveState();
    else K4Click();
}

// ---- context-menu commands ----

void TForm18::K5Click() {
    auto ini = Ini();
    ini.WriteBool(Section(), ms::ToolBar, !ini.ReadBool(Section(), ms::ToolBar, false));
    ApplyKind();
}

void TForm18::BackColor1Click() {
    ColorDialog1.Color = back_;
    if (!ColorDialog1.Execute()) return;
    tk::TColor c = ColorDialog1.Color;
    SetBack(c);
    Ini().WriteInteger(Section(), ms::BackColor, (int)c);
}

void TForm18::Font1Click() {
    ColorDialog1.Color = RichEdit1.DefAttributes.Color();
    if (!ColorDialog1.Execute()) return;
    tk::TColor c = ColorDialog1.Color;
    SetMemoTextColor(RichEdit1, c);
    Ini().WriteInteger(Section(), ms::FontColor, (int)c);
}

void SetMemoTextColor(tk::RichEdit& text, tk::TColor c) {
    int start = text.SelStart(), length = text.SelLength();
    text.SelectAll();
    text.SelAttributes.SetColor(c);
    text.Select(start, length);
    text.DefAttributes.SetColor(c);
}

void TForm18::ReadOnly1Click() {
    auto ini = Ini();
    bool on = !ini.ReadBool(Section(), ms::ReadOnly, false);
    ini.WriteBool(Section(), ms::ReadOnly, on);
    std::string title = Title();
    ApplyReadOnly(on);
    SetTitle(title);
}

void TForm18::SaveAs1Click() {
    SetKind(0);
    SaveMemoTextAs(RichEdit1, SaveDialog1, Name, Handle, Caption());
}

void SaveMemoTextAs(tk::RichEdit& text, tk::SaveDialog& dialog, const std::string& name, HWND owner,
                    const std::string& caption) {
    dialog.FileName = name + ".RTF";
    dialog.Filter = "Rich files (*.RTF)|*.RTF|Text files (*.TXT)|*.TXT|All files (*.*)|*.*";
    dialog.Options = tk::ofOverwritePrompt | tk::ofHideReadOnly;
    if (!dialog.Execute()) return;
    std::string path = dialog.FileName;
    std::string data;
    if (rtl::UpperCaseAscii(rtl::ExtractFileExt(path)) == ".RTF") {
        rtl::TMemoryStream rtf;
        text.SaveToStream(rtf);
        data = rtf.Bytes();
    } else {
        data = text.Lines.Text();
    }
    if (!tk::WriteFileSafely(path, data))
        tk::MessageDlg(owner, "ファイルに保存できませんでした。\r" + path, caption, MB_OK | MB_ICONERROR);
}

void TForm18::Open1Click() {
    SetKind(0);
    OpenFileIntoMemo(RichEdit1, OpenDialog1, Handle, Caption());
}

bool OpenFileIntoMemo(tk::RichEdit& text, tk::OpenDialog& dialog, HWND owner, const std::string& caption) {
    dialog.Filter = "Text files (*.TXT)|*.TXT|Rich files (*.RTF)|*.RTF|All files (*.*)|*.*";
    dialog.Options = tk::ofFileMustExist | tk::ofHideReadOnly;
    if (!dialog.Execute()) return false;
    try {
        text.LoadFromFile(dialog.FileName);
        return true;
    } catch (const std::exception&) {
        tk::MessageDlg(owner, "ファイルを開けませんでした。\r" + dialog.FileName, caption, MB_OK | MB_ICONERROR);
        return false;
    }
}

void TForm18::Stretch1Click() {
    if (Ini().ReadInteger(Section(), ms::Kind, 0) == 0) return;
    EnsurePicture();
    const tk::TBitmap& p = Image1.Picture();
    if (!p.Empty()) SetClientSize(p.Width(), p.Height());
}

void TForm18::K2Click() {
    K2->SetChecked(!K2->Checked());
    if (Image1.Handle) Image1.SetStretch(K2->Checked());
}

void SaveMemoPicture(const tk::TBitmap& picture, tk::SaveDialog& dialog, const std::string& name, MemoPicture as,
                     HWND owner, const std::string& caption) {
    if (picture.Empty()) {
        tk::MessageDlg(owner, "保存する画像がありません。", caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    auto ini = settings::Open();
    bool jpeg = as == MemoPicture::Jpeg;
    dialog.DefaultExt = jpeg ? "JPG" : "BMP";
    dialog.FileName = as == MemoPicture::Wallpaper
                          ? ini.ReadString(ik::MemoWall::Section, ik::MemoWall::File, "Tav_WallPaper.BMP")
                          : name + (jpeg ? ".JPG" : ".BMP");
    dialog.Filter = jpeg ? "Jpeg(*.JPG)|*.JPG|All files (*.*)|*.*" : "Bitmap(*.BMP)|*.BMP|All files (*.*)|*.*";
    dialog.Options = tk::ofOverwritePrompt | tk::ofHideReadOnly;
    if (!dialog.Execute()) return;
    std::string data;
    if (jpeg) EncodeJpeg(picture, data);
    else data = picture.BmpFileBytes();
    if (data.empty() || !tk::WriteFileSafely(dialog.FileName, data)) {
        tk::MessageDlg(owner, "画像を保存できませんでした。\r" + dialog.FileName, caption, MB_OK | MB_ICONERROR);
        return;
    }
    if (as != MemoPicture::Wallpaper) return;
    std::string file = dialog.FileName;
    ini.WriteString(ik::MemoWall::Section, ik::MemoWall::File, file);
    if (!tk::SetDesktopWallpaper(file))
        tk::MessageDlg(owner, "壁紙に設定できませんでした。\r" + file, caption, MB_OK | MB_ICONERROR);
}

void TForm18::SavePicture(MemoPicture as) {
    EnsurePicture();
    SaveMemoPicture(Image1.Picture(), SaveDialog2, Name, as, Handle, Caption());
}

void TForm18::JPG1Click() { SavePicture(MemoPicture::Jpeg); }
void TForm18::BMP2Click() { SavePicture(MemoPicture::Bitmap); }
void TForm18::WallPaper1Click() { SavePicture(MemoPicture::Wallpaper); }

void TForm18::BMPFile1Click() {
    auto ini = Ini();
    ini.WriteInteger(Section(), ms::Kind, 1);
    std::string chosen = entry::ChoosePicture(*this, ini.ReadString(Section(), ms::BmpFile, ""), "Picture - " + Title());
    if (!chosen.empty()) ini.WriteString(Section(), ms::BmpFile, chosen);
    Image1.Tag = 0;
    BringForward();
    FormActivate();
}

void TForm18::Clipbord1Click() {
    SaveState();
    std::string path = TextShown() ? MemoFile() : Ini().ReadString(Section(), ms::BmpFile, "");
    tk::SetClipboardText(Handle, path);
}

void TForm18::Paste1Click() {
    if (TextShown()) {
        Bar().Paste();
        return;
    }
    tk::TBitmap picture;
    if (!tk::GetClipboardPicture(Handle, picture)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    auto ini = Ini();
    bool asBitmap = ini.ReadInteger(ik::Form::Section, ik::Form::PastePic, 0) != 0;
    std::string path = MemoFile() + (asBitmap ? ".BMP" : ".JPG");
    std::string data;
    if (asBitmap) data = picture.BmpFileBytes();
    else EncodeJpeg(picture, data);
    tk::ForceDirectories(rtl::ExcludeTrailingBackslash(folder_));
    if (data.empty() || !tk::WriteFileSafely(path, data)) {
        tk::MessageDlg(Handle, "画像を保存できませんでした。\r" + path, Caption(), MB_OK | MB_ICONERROR);
        return;
    }
    ini.WriteString(Section(), ms::BmpFile, path);
    Image1.Tag = 0;
    EnsurePicture();
}

void TForm18::SetKind(int kind) {
    auto ini = Ini();
    Put(ini, Section(), ms::Kind, kind);
    ApplyKind();
}

void TForm18::Print1Click() {
    if (!tk::ExecutePrintDialog(Handle)) return;
    std::string when = rtl::FormatDateTime("yyyy/mm/dd \"(\"aaa\")\" hh:mm:ss", rtl::Now());
    tk::PrintRichCopy(RichEdit1, {"Title:" + Caption(), "Print:" + when, ""}, Caption());
}

void TForm18::Caption1Click() {
    Cloze1->Tag = 1;
    std::string title = Title();
    if (!memo::EditTitle(*this, title)) return;
    SetTitle(title);
    // The group list entry, without the read-only mark.
    auto ini = Ini();
    Put(ini, Label2.Caption() + folder_, Name, title);
    if (Form1) Form1->MemosChanged();
}

void TForm18::DeleteMemo() {
    if (Form1) Form1->ComboBox1.SetItemIndex(Tag);
    auto ini = Ini();
    if (ini.ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 && !tk::ConfirmDelete(Handle, Caption())) return;
    // Only this memo's own entry: its group is the one it was created in.
    if (!DeleteMemoFromStore(Handle, Caption(), folder_, Name, Label2.Caption() + folder_)) return;
    PopupMenu1.Tag = 1;
    Cloze1->Tag = 1;
    if (Form1) Form1->MemosChanged();
    Close();
}

bool DeleteMemoFromStore(HWND owner, const std::string& caption, const std::string& folder, const std::string& name,
                         const std::string& groupSection) {
    std::string file = folder + name;
    if (tk::FileExists(file) && !tk::DeleteFileA_(file)) {
        tk::MessageDlg(owner, "メモを削除できませんでした。ファイルが読み取り専用か、使用中です。\r\n" + file, caption,
                       MB_OK | MB_ICONERROR);
        return false;
    }
    auto ini = settings::Open();
    ini.EraseSection(ms::MemoSection(name, folder));
    ini.DeleteKey(groupSection, name);
    return true;
}

// ---- dropped files ----

void TForm18::LoadDroppedFile(const std::string& file) {
    auto ini = Ini();
    if (ini.ReadBool(ik::Memo::Section, ik::Memo::DropCaption, false)) {
        SetTitle(file);
        SaveState();
        if (Form1) Form1->MemosChanged();
    }
    if (!memo::IsPictureFile(file)) {
        SetKind(0);
        RichEdit1.LoadFromFile(file);
    } else {
        ini.WriteInteger(Section(), ms::Kind, 1);
        ini.WriteString(Section(), ms::BmpFile, file);
        Image1.Tag = 0;
        FormActivate();
        const tk::TBitmap& p = Image1.Picture();
        if (!p.Empty()) SetClientSize(p.Width(), p.Height());
    }
    SaveState();
}

std::string TForm18::DropRefusal() const {
    switch (lock_) {
        case Lock::Unreadable: return "このメモは読み込めなかったため、編集できません。";
        case Lock::ReadOnlyFile: return "このメモのファイルは読み取り専用です。";
        case Lock::None: break;
    }
    return RichEdit1.ReadOnly() ? "このメモは読み取り専用です。" : "";
}

static void NewMemoFromFile(int group, const std::string& file) {
    if (!Form1) return;
    bool titled = settings::Open().ReadBool(ik::Memo::Section, ik::Memo::DropCaption, false);
    TForm18* m = Form1->NewMemo(group, titled ? file : "");
    if (!m) return;  // made where [Memo] and the main window put a new memo
    std::exception_ptr failed;
    try {
        if (memo::IsPictureFile(file)) {
            auto ini = settings::Open();
            ini.WriteInteger(m->Section(), ms::Kind, 1);
            ini.WriteString(m->Section(), ms::BmpFile, file);
            m->EnsurePicture();
            const tk::TBitmap& p = m->Image1.Picture();
            if (!p.Empty()) m->SetClientSize(p.Width(), p.Height());
        } else {
            m->RichEdit1.LoadFromFile(file);
        }
    } catch (...) {
        failed = std::current_exception();
    }
    // Shown however the loading went: a memo that exists is never left hidden.
    m->SaveState(true);
    m->Show();
    if (failed) std::rethrow_exception(failed);
}

void TForm18::WMDropFiles(const std::vector<std::string>& files) {
    if (files.empty() || !attached_) return;
    BringForward();
    int choice = memo::ChooseDrop(*this, Caption(), (int)files.size(), DropRefusal());
    try {
        if (choice == memo::dropIntoThis) {
            LoadDroppedFile(files[0]);
        } else if (choice == memo::dropNewMemo || choice == memo::dropAllNew) {
            size_t n = choice == memo::dropNewMemo ? 1 : files.size();
            for (size_t i = 0; i < n; ++i) NewMemoFromFile(Tag, files[i]);
        }
    } catch (const std::exception&) {
        tk::MessageDlg(Handle,
                       "現在メモにドロップ出来ません。\r新しいメモを開くか、一旦閉じてからまた開いて再度行って下さい。",
                       Caption(), MB_OK | MB_ICONEXCLAMATION);
    }
    if (Form1 && choice != memo::dropCancel) Form1->MemosChanged();
}
