#include "notes/Nikki.h"

#include <windows.h>

#include <algorithm>

#include "controls/IJGJpeg.h"
#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Picture.h"
#include "notes/NikiList.h"
#include "schedule/Choosers.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichPrint.h"
#include "toolkit/rtl/Screen.h"
#include "toolkit/rtl/Streams.h"

TForm8* Form8 = nullptr;
namespace ik = inikey;

namespace {

const char kReadOnlyMark[] = " (RO)";
const int kMaxHeaderValue = (int)diary::kMaxValue;

std::string FullPath(const std::string& path) {
    char buf[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
    return n && n < sizeof buf ? std::string(buf, n) : path;
}

// A weather glyph drawn at build time (resources/gen_diary.py).
void SetWeatherGlyph(TPanelButton& b, const char* resource) {
    tk::TBitmap g;
    if (g.LoadFromResourceName(GetModuleHandleA(nullptr), resource)) b.SetGlyph(g);
}

}  // namespace

TForm8::TForm8() : Form({.caption = "日記", .width = 588, .height = 460}) {
    // Title and weather, with the day's commands on the right.
    Panel1.Create(*this, {.at = {0, 0, 580, 60}, .align = tk::Align::Top});
    Label1.Create(Panel1, {.at = {8, 9, 48, 14}, .caption = "タイトル"});
    Edit1.Create(Panel1, {.at = {58, 5, 290, 22}, .hint = "日記のタイトルを記入します"});
    Edit1.SetMaxLength(kMaxHeaderValue);
    Label3.Create(Panel1, {.at = {8, 36, 48, 14}, .caption = "天気"});
    Edit2.Create(Panel1, {.at = {58, 32, 180, 22}, .hint = "天気を記入します"});
    Edit2.SetMaxLength(kMaxHeaderValue);
    struct Weather {
        TPanelButton* b;
        const char* glyph;  // resource, or null for a caption
        const char* caption;
        const char* text;
    } weather[] = {{&PanelButton1, "WEATHER_HARE", "", "晴"},   {&PanelButton2, "WEATHER_KUMORI", "", "曇"},
                   {&PanelButton3, "WEATHER_AME", "", "雨"},     {&PanelButton4, "WEATHER_KAMINARI", "", "雷"},
                   {&PanelButton5, "WEATHER_YUKI", "", "雪"},    {&PanelButton6, nullptr, "後", " のち "},
                   {&PanelButton7, nullptr, "時", " 時々 "}};
    int x = 242;
    for (const Weather& w : weather) {
        std::string text = w.text;
        w.b->Create(Panel1, {.at = {x, 31, 24, 24}, .caption = w.caption, .hint = "天気に「" + rtl::Trim(text) + "」を加えます"});
        if (w.glyph) SetWeatherGlyph(*w.b, w.glyph);
        w.b->OnClick = [this, text] { AppendWeather(text); };
        x += 25;
    }
    PanelButton8.Create(Panel1, {.at = {356, 3, 70, 26}, .caption = "&Export", .hint = "共通形式(ﾌﾟﾚｰﾝﾃｷｽﾄ)で保存"});
    PanelButton9.Create(Panel1, {.at = {428, 3, 70, 26}, .caption = "&Delete", .hint = "日記を削除します", .enabled = false});
    PanelButton10.Create(Panel1, {.at = {500, 3, 76, 26}, .caption = "&Picture", .hint = "この日記に関連した画像"});
    PanelButton8.OnClick = [this] { PanelButton8Click(); };
    PanelButton9.OnClick = [this] { PanelButton9Click(); };
    PanelButton10.OnClick = [this] { PanelButton10Click(); };

    // The formatting bar and the ruler, shared with the other rich-text editors.
    Panel2.Create(*this, {.at = {0, 60, 580, 26}, .align = tk::Align::Top});
    Panel3.Create(*this, {.at = {0, 86, 580, 20}, .align = tk::Align::Top, .style = tk::pnOuterLowered});
    tk::RichBar bar{.fontName = &ComboBox1, .fontSize = &SpinEdit1, .bold = &SpeedButton1, .italic = &SpeedButton2,
                    .underline = &SpeedButton3, .strikeOut = &SpeedButton4, .bullet = &SpeedButton5,
                    .align = {&SpeedButton6, &SpeedButton7, &SpeedButton8}, .colorButton = &BitBtn12,
                    .history = {&Panel4, &Panel5, &Panel6, &Panel7, &Panel8}, .colorLabel = &Label4, .ruler = &Panel3,
                    .firstMarker = &Label5, .leftMarker = &Label6, .rightMarker = &Label7};
    tk::CreateRichBar(Panel2, bar);

    StatusBar1.Create(*this);
    StatusBar1.SetSimplePanel(true);
    RichEdit1.Create(*this, {.at = {0, 106, 580, 300}, .align = tk::Align::Client, .style = tk::reVScroll});
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();
    Image1.Create(*this, {.at = {0, 106, 580, 300}, .visible = false, .align = tk::Align::Client, .color = tk::clWindow});
    Image1.SetCenter(true);
    Label2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});

    Toolbar = std::make_unique<tk::RichToolbar>(
        RichEdit1, bar,
        tk::ColorHistory{settings::Open, ik::Nikki::Section,
                         {ik::Nikki::Color1, ik::Nikki::Color2, ik::Nikki::Color3, ik::Nikki::Color4, ik::Nikki::Color5},
                         255},
        /*syncNow=*/false);  // once the day is in
    // The find and replace dialogs' windows come with their first use.
    Finder = std::make_unique<tk::RichFinder>(RichEdit1, FindDialog1, ReplaceDialog1);

    // The weather phrases replace the text.
    PopupMenu1.Create(*this);
    for (const char* phrase : {"晴", "曇", "雨", "晴 のち 曇", "晴 のち 雨", "曇 のち 雨", "晴 時々 雨"}) {
        std::string p = phrase;
        PopupMenu1.Items.Add(p, [this, p] { WeatherPhraseClick(p); });
    }
    Edit2.SetPopupMenu(&PopupMenu1);

    PopupMenu2.Create(*this);
    auto& m = PopupMenu2.Items;
    Undo1 = &m.Add("やり直し(&U)", [this] { Toolbar->Undo(); });
    m.Add("-");
    tk::MenuItem& picture = m.Add("画像");
    Show1 = &picture.Add("表示", [this] { PanelButton10Click(); });
    Open1 = &picture.Add("開く(&O)", [this] { Open1Click(); });
    K11 = &picture.Add("窓サイズ", [this] { K11Click(); });
    ClipBord1 = &m.Add("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ転送", [this] { ClipBord1Click(); });
    m.Add("-");
    Cut1 = &m.Add("切り取り(&T)", [this] { Toolbar->Cut(); });
    Copy1 = &m.Add("コピー(&C)", [this] { Toolbar->Copy(); });
    Paste1 = &m.Add("貼り付け(&P)", [this] { Toolbar->Paste(); });
    SelectAll1 = &m.Add("すべて選択(&A)", [this] { Toolbar->SelectAll(); });
    m.Add("-");
    FontColor1 = &m.Add("フォント色", [this] { FontColor1Click(); });
    BackColor1 = &m.Add("背景色", [this] { BackColor1Click(); });
    ReadOnly1 = &m.Add("読み取り専用", [this] { ReadOnly1Click(); });
    m.Add("-");
    Find1 = &m.Add("検索", [this] { Find1Click(); }, "Ctrl+F");
    Replace1 = &m.Add("置換", [this] { Replace1Click(); }, "Ctrl+R");
    Print1 = &m.Add("印刷", [this] { Print1Click(); }, "Ctrl+P");
    // Enabled marks a window the main window's command opened; the month list opens its own
    // windows with it disabled. Checked: this window opened the month list.
    List1 = &m.Add("タイトル一覧", [this] { List1Click(); });
    m.Add("-");
    Close1 = &m.Add("閉じる", [this] { Close(); });
    for (tk::Control* c : {(tk::Control*)this, (tk::Control*)&RichEdit1, (tk::Control*)&Image1})
        c->SetPopupMenu(&PopupMenu2);

    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnSave = [this] { return !WillSave() || SaveDay() ? std::string() : "日記を保存できませんでした。\r" + DayPath(); };
    OnActivate = [this] { FormActivate(); };
    OnResize = [this] { FormResize(); };
    OnPaint = [this](tk::TCanvas&) { DrawPicture(); };
    FormCreate();
}

void TForm8::FormCreate() {
    if (Form1 && Form1->List2) Form1->List2->SetEnabled(false);
    auto ini = settings::Open();
    RichEdit1.DefAttributes.SetName(ini.ReadString(ik::Nikki::Section, ik::Nikki::FontName, "ＭＳ Ｐゴシック"));
    RichEdit1.DefAttributes.SetSize(ini.ReadInteger(ik::Nikki::Section, ik::Nikki::FontSize, 9, 1, 999));
    ApplyBackColor(ini.ReadInteger(ik::Nikki::Section, ik::Nikki::BackColor, tk::clWindow));
    ApplyFontColor(ini.ReadInteger(ik::Nikki::Section, ik::Nikki::FontColor, tk::clWindowText));
}

std::string TForm8::Folder() const {
    auto ini = settings::Open();
    return diary::DiaryFolder(ini.ReadString(ik::Privacy::Section, ik::Privacy::Directory, ""),
                              ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, "."));
}

std::string TForm8::DayPath() const { return Folder() + "\\" + diary::DayFileName(Day()); }

void TForm8::FormShow() {
    // Shown again after being minimised with its owner: the day is already here.
    if (loaded_) return;
    loaded_ = true;
    // Restoring the size and streaming the body in would each bring the bar in line.
    tk::RichToolbar::SyncHold hold(*Toolbar);
    PlayWaveRes("ope");
    SetCaption(diary::DayCaption(Day()));
    auto ini = settings::Open();
    // The size first, so that keeping the window on the screen counts with the size it will have.
    tk::Bounds box = {Left(), Top(), Width(), Height()};
    Restore(box, ini.ReadInteger(ik::Nikki::Section, ik::Nikki::left, 0),
            ini.ReadInteger(ik::Nikki::Section, ik::Nikki::top, 0),
            ini.ReadInteger(ik::Nikki::Section, ik::Nikki::Width, Width()),
            ini.ReadInteger(ik::Nikki::Section, ik::Nikki::Height, Height()));
    kept_.clear();
    LoadDay(box);
}

// The window's place as a size then a position restore would leave it, worked out without
// moving the window: each move of a top-level window is a round trip to the display.
void TForm8::Restore(tk::Bounds& box, int left, int top, int width, int height) const {
    // The system gives a negative size no room.
    box.width = std::max(0, width);
    box.height = std::max(0, height);
    rtl::KeepOnScreen(left, top, box.width, box.height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    box.left = left;
    box.top = top;
}

void TForm8::Place(const tk::Bounds& box) { SetBounds(box.left, box.top, box.width, box.height); }

void TForm8::LoadDay(tk::Bounds box) {
    std::string path = DayPath();
    if (!tk::FileExists(path)) {
        Place(box);
        std::string legacy = Folder() + "\\" + diary::LegacyFileName(Day());
        if (tk::FileExists(legacy)) {
            ImportLegacy(legacy);
            return;
        }
        // A new day.
        Edit1.SetText(Caption());
        RichEdit1.Clear();
        RichEdit1.Hint = "編集が可能です。";
        Toolbar->Sync();
        return;
    }
    std::string bytes;
    if (!tk::ReadFileBytes(path, bytes)) {
        Place(box);
        Refuse("日記を読み込めませんでした。\r" + path);
        return;
    }
    diary::DayFile f = diary::ReadDayFile(bytes);
    // The day's own bounds override the window's; the body streams in at its final width.
    if (f.result == diary::ReadResult::Ok) ApplyBounds(f.header, box);
    Place(box);
    switch (f.result) {
        case diary::ReadResult::Cipher:
            Refuse("｢" + f.cipher + "｣で暗号化されているので中断します。\r暗号を解いてから読み込んでください。");
            return;
        case diary::ReadResult::Html:
            Refuse("｢HTML｣は未サポートなので中断します。\r標準テキストに変換してから読み込んでください。");
            return;
        case diary::ReadResult::NoEnd:
            Refuse("日記の見出しが終わっていないので中断します。\r" + path);
            return;
        case diary::ReadResult::Ok:
            break;
    }
    ApplyHeader(f.header);
    rtl::TMemoryStream body;
    // A plain-text body (an export saved over the day) has no empty paragraph at its end.
    body.LoadFromString(f.body.rfind("{\\rtf", 0) == 0 ? f.body : diary::WithoutLastLineBreak(f.body));
    RichEdit1.LoadQuietly(body);
    PanelButton9.SetEnabled(true);
    StatusBar1.SetSimpleText(path);
    if (tk::FileIsReadOnly(path)) {
        // Said now, before anything is typed that the close could not keep.
        fileReadOnly_ = true;
        SetReadOnlyMark(true);
        ReadOnly1->SetEnabled(false);
        StatusBar1.SetSimpleText(path + " は読み取り専用のファイルなので、編集も保存もできません。");
    }
    Toolbar->Sync();
    DrawPicture();
}

void TForm8::ImportLegacy(const std::string& legacyPath) {
    std::string bytes;
    if (!tk::ReadFileBytes(legacyPath, bytes)) {
        Refuse("日記を読み込めませんでした。\r" + legacyPath);
        return;
    }
    diary::LegacyDay old = diary::ReadLegacyDay(bytes);
    diary::DayHeader h;
    h.title = rtl::SjisTruncate(old.title, diary::kMaxValue);
    h.weather = rtl::SjisTruncate(old.weather, diary::kMaxValue);
    // What the day file cannot hold stays in the old file.
    bool cut = h.title != old.title || h.weather != old.weather;
    Edit1.SetText(h.title);
    Edit2.SetText(h.weather);
    RichEdit1.SetText(old.body);
    RichEdit1.Hint = "編集が可能です。";
    PanelButton9.SetEnabled(true);
    Toolbar->Sync();
    // The old file goes only once the new one is safely written.
    std::string path = DayPath();
    if (!tk::WriteFileSafely(path, diary::ComposeImportedDay(h, RichEdit1.Text()))) {
        tk::MessageDlg(Handle, "変換した日記を保存できませんでした。\r" + path, Caption(), MB_OK | MB_ICONERROR);
        return;
    }
    entry::DataFileChanged(path);
    if (!cut) tk::DeleteFileA_(legacyPath);
    StatusBar1.SetSimpleText(rtl::UpperCaseAscii(diary::LegacyFileName(Day())) + "を" + Folder() + "\\" +
                             diary::DayFileName(Day()) + "に変換し保存しました｡");
}

// The day cannot be shown: the window goes without writing anything.
void TForm8::Refuse(const std::string& message) {
    PanelButton9.Tag = 1;
    tk::MessageDlg(Handle, message, Caption(), MB_OK | MB_ICONWARNING);
    PostMessageA(Handle, WM_CLOSE, 0, 0);
}

void TForm8::ApplyHeader(const diary::DayHeader& h) {
    Edit1.SetText(h.title);
    Edit2.SetText(h.weather);
    Label2.SetCaption(h.picture);
    if (h.fontColor) ApplyFontColor(*h.fontColor);
    if (h.backColor) ApplyBackColor(*h.backColor);
    SetReadOnlyMark(h.readOnly);
    kept_ = h.kept;
}

void TForm8::ApplyBounds(const diary::DayHeader& h, tk::Bounds& box) const {
    if (h.top || h.left || h.height || h.width)
        Restore(box, h.left.value_or(box.left), h.top.value_or(box.top), h.width.value_or(box.width),
                h.height.value_or(box.height));
}

RECT TForm8::NormalBounds() const {
    // Minimised or maximised, the window's own place is the one it returns to.
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if ((IsIconic(Handle) || IsZoomed(Handle)) && GetWindowPlacement(Handle, &wp)) return wp.rcNormalPosition;
    return {Left(), Top(), Left() + Width(), Top() + Height()};
}

diary::DayHeader TForm8::Header() const {
    diary::DayHeader h;
    h.title = Edit1.Text();
    h.weather = Edit2.Text();
    h.picture = Label2.Caption();
    h.fontColor = fontColor_;
    h.backColor = backColor_;
    RECT r = NormalBounds();
    h.top = r.top;
    h.left = r.left;
    h.height = r.bottom - r.top;
    h.width = r.right - r.left;
    h.readOnly = ReadOnly1->Checked();
    h.kept = kept_;
    return h;
}

bool TForm8::WillSave() const { return loaded_ && !closed_ && !fileReadOnly_ && PanelButton9.Tag != 1; }

bool TForm8::SaveDay() {
    std::string path = DayPath();
    tk::ForceDirectories(Folder());
    rtl::TMemoryStream rtf;
    RichEdit1.SaveToStream(rtf);
    if (tk::WriteFileSafely(path, diary::ComposeDayFile(Header(), rtf.Bytes(), diary::Layout::DayFile))) {
        entry::DataFileChanged(path);
        PanelButton9.SetEnabled(true);
        return true;
    }
    return false;
}

void TForm8::FormCloseQuery(bool&) { PlayWaveRes("clo"); }

void TForm8::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    RECT r = NormalBounds();
    ini.WriteInteger(ik::Nikki::Section, ik::Nikki::top, r.top);
    ini.WriteInteger(ik::Nikki::Section, ik::Nikki::left, r.left);
    ini.WriteInteger(ik::Nikki::Section, ik::Nikki::Height, r.bottom - r.top);
    ini.WriteInteger(ik::Nikki::Section, ik::Nikki::Width, r.right - r.left);
    if (List1->Enabled() && Form1) {
        if (Form1->Diary1) Form1->Diary1->SetChecked(false);
        // The month list's command, once it exists.
        if (Form1->List2 && Form1->List2->OnClick) Form1->List2->SetEnabled(true);
    }
    if (List1->Checked() && Form12) Form12->Close();
    action = tk::CloseAction::Free;
    closed_ = true;
}

void TForm8::List1Click() {
    if (List1->Checked() && Form12) {
        Form12->Close();
        return;
    }
    if (Form12) {
        Form12->BringForward();
        return;
    }
    tk::Form* main = tk::Application.MainForm;
    tk::Application.CreateForm(Form12);
    tk::Application.MainForm = main;
    Form12->SetMonth(Day());
    Form12->BuildList();
    List1->SetChecked(true);
    Form12->Show();
}

void TForm8::FormActivate() { Toolbar->PaintHistory(); }

void TForm8::FormResize() {
    // The first showing reports the size the window already had: no resize to follow.
    RECT c = ClientRect();
    if (c.right == syncedSize_.cx && c.bottom == syncedSize_.cy) return;
    syncedSize_ = {c.right, c.bottom};
    if (Toolbar) Toolbar->Sync();
}

void TForm8::WeatherPhraseClick(const std::string& phrase) { Edit2.SetText(phrase); }

void TForm8::AppendWeather(const std::string& text) {
    std::string w = Edit2.Text() + text;
    if (w.size() > diary::kMaxValue) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    Edit2.SetText(w);
}

void TForm8::PanelButton8Click() {
    std::string bytes = diary::ComposeDayFile(Header(), RichEdit1.Text(), diary::Layout::Export);
    SaveDialog1.FileName = DayPath();
    SaveDialog1.Filter = "Diary files (*.JNL)|*.JNL|All files (*.*)|*.*";
    SaveDialog1.Options = tk::ofOverwritePrompt | tk::ofHideReadOnly;
    if (!SaveDialog1.Execute()) return;
    std::string target = SaveDialog1.FileName;
    if (!tk::WriteFileSafely(target, bytes)) {
        tk::MessageDlg(Handle, "書き出せませんでした。\r" + target, Caption(), MB_OK | MB_ICONERROR);
        return;
    }
    // Only an export over the day file itself replaces what the close would write.
    if (diary::SameFileName(FullPath(target), FullPath(DayPath()))) {
        entry::DataFileChanged(target);
        PanelButton9.Tag = 1;
    }
    Close();
}

void TForm8::PanelButton9Click() {
    if (settings::Open().ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 && !tk::ConfirmDelete(Handle, Caption()))
        return;
    std::string path = DayPath();
    if (tk::FileExists(path) && !tk::DeleteFileA_(path)) {
        tk::MessageDlg(Handle, "日記を削除できませんでした。\r" + path, Caption(), MB_OK | MB_ICONERROR);
        return;
    }
    entry::DataFileChanged(path);
    PanelButton9.Tag = 1;
    PlayWaveRes("del");
    Close();
}

void TForm8::ShowPicture(bool on) {
    RichEdit1.SetVisible(!on);
    Image1.SetVisible(on);
    Show1->SetChecked(on);
}

void TForm8::PanelButton10Click() {
    if (Show1->Checked()) {
        ShowPicture(false);
        return;
    }
    ShowPicture(true);
    if (tk::FileExists(Label2.Caption())) DrawPicture();
    else Open1Click();
}

void TForm8::Open1Click() {
    Image1.Tag = 0;
    std::string chosen = entry::ChoosePicture(*this, Label2.Caption());
    if (!chosen.empty()) Label2.SetCaption(chosen);
    DrawPicture();
}

// Loads the picture once (Image1.Tag 1: done) and makes the picture button's thumbnail of it.
void TForm8::DrawPicture() {
    std::string path = Label2.Caption();
    if (Image1.Tag == 1 || path.empty() || !tk::FileExists(path)) return;
    tk::TBitmap picture;
    if (!LoadPicture(path, picture)) {
        // A busy codec may let it through at the next paint; a bad file would fail every time.
        if (JpegBusyFlag() != 1) Image1.Tag = 1;
        return;
    }
    Image1.Tag = 1;
    Image1.Assign(picture);
    // The glyph's bottom-left pixel is its transparent colour: a one-pixel frame of it.
    tk::TBitmap thumb(18, 18);
    tk::TCanvas& c = thumb.Canvas();
    c.Brush.Color = tk::clFuchsia;
    c.FillRect({0, 0, 18, 18});
    c.StretchDraw({1, 1, 17, 17}, picture);
    PanelButton10.SetGlyph(thumb);
}

void TForm8::K11Click() {
    K11->SetChecked(!K11->Checked());
    Image1.SetStretch(K11->Checked());
}

void TForm8::ClipBord1Click() {
    std::string text = DayPath();
    if (Show1->Checked()) text = tk::FileExists(Label2.Caption()) ? Label2.Caption() : "";
    tk::SetClipboardText(Handle, text);
}

void TForm8::ApplyFontColor(tk::TColor c) {
    fontColor_ = c;
    RichEdit1.DefAttributes.SetColor(c);
}

void TForm8::ApplyBackColor(tk::TColor c) {
    backColor_ = c;
    RichEdit1.SetColor(c);
}

void TForm8::FontColor1Click() {
    ColorDialog1.Color = fontColor_;
    if (ColorDialog1.Execute()) ApplyFontColor(ColorDialog1.Color);
}

void TForm8::BackColor1Click() {
    ColorDialog1.Color = backColor_;
    if (ColorDialog1.Execute()) ApplyBackColor(ColorDialog1.Color);
}

void TForm8::SetReadOnlyMark(bool on) {
    std::string caption = Caption();
    bool marked = caption.size() >= 5 && caption.compare(caption.size() - 5, 5, kReadOnlyMark) == 0;
    if (on && !marked) SetCaption(caption + kReadOnlyMark);
    if (!on && marked) SetCaption(caption.substr(0, caption.size() - 5));
    RichEdit1.SetReadOnly(on);
    RichEdit1.Hint = on ? "読み取り専用です。" : "編集が可能です。";
    ReadOnly1->SetChecked(on);
    Toolbar->SetEnabled(!on);
}

void TForm8::ReadOnly1Click() { SetReadOnlyMark(!ReadOnly1->Checked()); }

void TForm8::EnsureFindDialogs() {
    if (!FindDialog1.Handle) FindDialog1.Create(*this);
    if (!ReplaceDialog1.Handle) ReplaceDialog1.Create(*this);
}

void TForm8::Find1Click() {
    EnsureFindDialogs();
    Finder->ShowFind();
}

void TForm8::Replace1Click() {
    EnsureFindDialogs();
    Finder->ShowReplace();
}

void TForm8::Print1Click() {
    if (!tk::ExecutePrintDialog(Handle)) return;
    tk::PrintRichCopy(RichEdit1,
                      {"【" + Caption() + "】", "【タイトル：" + Edit1.Text() + "】", "【天気：" + Edit2.Text() + "】", ""},
                      Caption());
}

// ---- the open diaries ----

std::vector<TForm8*> OpenDiaries() {
    std::vector<TForm8*> open;
    for (tk::Form* f : tk::Application.Forms)
        if (auto* d = dynamic_cast<TForm8*>(f); d && !d->Closed()) open.push_back(d);
    return open;
}

TForm8* FindOpenDiary(int day) {
    for (TForm8* d : OpenDiaries())
        if (d->Day() == day) return d;
    return nullptr;
}

TForm8* OpenDiary(int day, bool fromMainMenu) {
    if (TForm8* open = FindOpenDiary(day)) {
        open->BringForward();
        return open;
    }
    tk::Form* main = tk::Application.MainForm;
    tk::Application.CreateForm(Form8);
    // A diary is never the program's main window.
    tk::Application.MainForm = main;
    Form8->StatusBar1.Tag = day;
    Form8->List1->SetEnabled(fromMainMenu);
    Form8->Show();
    // Showing a window activates it; bringing it forward again would only cost round trips.
    if (GetForegroundWindow() != Form8->Handle) Form8->BringForward();
    return Form8;
}
