#include "settings/TelePhone.h"

#include <algorithm>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "settings/TelePhoneFile.h"
#include "settings/TouchTone.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

TForm3* Form3 = nullptr;
void (*TelePhoneSleep)(int ms) = [](int ms) { Sleep(ms); };

namespace ik = inikey;
using namespace telbook;

namespace {

const char kCaption[] = "簡易電話帳";
const char kSearchTab[] = "検索結果";  // after the stored pages' tabs
const auto& kTitles = inikey::TelePhone::ColumnTitles;
const char* const kSearchTitles[kColumns] = {"項目１", "項目２", "電話番号", "E-Mail", "Webページ"};
const int kDefaultTitleWidth = 100;
const int kExtraColumn = 20;  // the reorder mode's one movable column, where the selection shows

void SetMenuCheck(bool on) {
    if (Form1 && Form1->Telephone1) Form1->Telephone1->SetChecked(on);
}

// Tones play through the sound device as they are; the waits go through the seam.
struct SpeakerSink : tone::ToneSink {
    void Play(const std::string& t) override { tk::PlayWaveImage(t, tone::WaveImage(t)); }
    void Pause(int ms) override { TelePhoneSleep(ms); }
};

enum class PageRead { Read, Missing, Failed };

// Only a missing file is an empty page; one that is there but cannot be read (held open by
// another program, a read error) is not.
PageRead ReadPage(const std::string& file, std::string& text) {
    if (tk::ReadFileBytes(file, text)) return PageRead::Read;
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) return PageRead::Failed;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PageRead::Missing : PageRead::Failed;
}

}  // namespace

TForm3::TForm3() : Form({.caption = kCaption, .width = 560, .height = 420}) {
    using tk::Align;
    StatusBar1.Create(*this, {.caption = "簡易電話帳です。"});
    StatusBar1.SetSimplePanel(true);

    Panel1.Create(*this, {.at = {0, 0, 560, 62}, .align = Align::Top, .style = tk::pnOuterNone});
    Label1.Create(Panel1, {.at = {8, 10, 52, 14}, .caption = "電話番号"});
    EditAndDial1.Create(Panel1, {.at = {62, 5, 190, 24}, .hint = "電話番号を入力"});
    EditAndDial1.SetButtonHint("電話をかけます。");
    BitBtn1.Create(Panel1, {.at = {258, 5, 96, 25}, .caption = "スピーカー", .hint = "受話器をスピーカに近づけて下さい。"});
    BitBtn2.Create(Panel1, {.at = {358, 5, 84, 25}, .caption = "E-Mail", .hint = "E-Mailを発信します。"});
    BitBtn3.Create(Panel1, {.at = {446, 5, 96, 25}, .caption = "Webページ", .hint = "Webページを表示します。"});
    CheckBox1.Create(Panel1, {.at = {8, 37, 80, 18}, .caption = "編集不可", .hint = "チェックすると編集が出来なくなります。"});
    CheckBox2.Create(Panel1, {.at = {92, 37, 120, 18}, .caption = "並び変えモード",
                              .hint = "マウスのドラッグで並べ替えが可能です。"});
    Label2.Create(Panel1, {.at = {226, 39, 52, 14}, .caption = "検索文字"});
    Edit1.Create(Panel1, {.at = {280, 35, 170, 22}});
    BitBtn4.Create(Panel1, {.at = {456, 34, 86, 25}, .caption = "&Search", .hint = "検索を開始します。"});

    TabControl1.Create(*this, {.hint = "電話帳の項目を切り換えます。", .align = Align::Client});
    for (int i = 0; i < 13; ++i)
        Tabs[i].Create(TabControl1, {.caption = i < kPages ? inikey::TelePhone::PageTitles[i] : kSearchTab});
    // Thirteen tabs side by side in the window's width.
    SendMessageA(TabControl1.Handle, TCM_SETMINTABWIDTH, 0, 16);
    SendMessageA(TabControl1.Handle, TCM_SETPADDING, 0, MAKELPARAM(6, 3));
    // Every page shows the same header and grid, laid over the sheets.
    PagePanel.Create(TabControl1, {.style = tk::pnOuterNone});
    Panel2.Create(PagePanel, {.at = {0, 0, 500, 20}, .style = tk::pnOuterNone});
    tk::Panel* titles[] = {&Panel3, &Panel5, &Panel7, &Panel9};
    TSplitBar* borders[] = {&Panel4, &Panel6, &Panel8, &Panel10};
    const char* titleHint = "境界線のドラッグでサイズ変更ができます。";
    for (int i = 0; i < 4; ++i) {
        titles[i]->Create(Panel2, {.at = {0, 0, kDefaultTitleWidth, 20}, .caption = kTitles[i], .hint = titleHint,
                                   .align = Align::Left});
        borders[i]->Create(Panel2, {.at = {0, 0, 1, 20}, .hint = titleHint, .align = Align::Left,
                                    .color = tk::clWindowText, .style = tk::pnOuterNone});
    }
    Panel11.Create(Panel2, {.caption = kTitles[4], .hint = titleHint, .align = Align::Client});
    StringGrid1.Create(PagePanel, {.hint = "電話番号リストです。", .min = kColumns,
                                   .value = kRows, .style = tk::goEditing | tk::goRangeSelect | tk::goRowMoving});
    StringGrid1.Tag = 1;

    PopupMenu1.Create(*this);
    tk::MenuItem& call = PopupMenu1.Items.Add("電話をかける");
    Modem1 = &call.Add("モデム", [this] { EditAndDial1.Dial(); });
    Speaker1 = &call.Add("スピーカー", [this] { BitBtn1Click(); });
    tk::MenuItem& net = PopupMenu1.Items.Add("インターネット");
    Mail1 = &net.Add("E-Mail", [this] { BitBtn2Click(); });
    Web1 = &net.Add("Webページ", [this] { BitBtn3Click(); });
    PopupMenu1.Items.Add("-");
    EditLock1 = &PopupMenu1.Items.Add("編集不可", [this] { CheckBox1.SetChecked(!CheckBox1.Checked()); });
    Reorder1 = &PopupMenu1.Items.Add("並び変えモード", [this] { CheckBox2.SetChecked(!CheckBox2.Checked()); });
    PopupMenu1.Items.Add("-");
    Close1 = &PopupMenu1.Items.Add("閉じる", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);

    SplitControl = std::make_unique<TSplitControl>(*this);
    for (int i = 0; i < 4; ++i) {
        TSplitBar& border = *borders[i];
        tk::Panel& title = *titles[i];
        border.OnMouseDown = [this, &border, &title](tk::MouseButton b, int, int x, int y) {
            if (b == tk::mbLeft && !widthsFixed_) SplitControl->BeginSplit(border, title, x, y);
        };
        border.OnMouseMove = [this](int, int x, int y) {
            if (SplitControl->IsSplitting()) SplitControl->MoveSplit(x, y);
        };
        border.OnMouseUp = [this](tk::MouseButton, int, int, int) {
            if (!SplitControl->IsSplitting()) return;
            SplitControl->EndSplit();
            ColumnBorderMoved();
        };
    }

    TabControl1.OnResize = [this] { PlacePage(); };
    // A page that could not be saved stays, with what was typed into it.
    TabControl1.OnChanging = [this](bool& allow) { allow = FormClick(); };
    TabControl1.OnChange = [this] { TabControl1Change(); };
    StringGrid1.OnClick = [this] { StringGrid1Click(); };
    StringGrid1.OnSetEditText = [this](int, int, const std::string&) { StringGrid1Click(); };
    StringGrid1.OnResize = [this] { ApplyColumnWidths(); };
    EditAndDial1.BeforeDial = [this](tk::Control& s, std::string& party) { EditAndDial1BeforeDial(s, party); };
    EditAndDial1.OnExit = [this] { EditAndDial1.Tag = 0; };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    Edit1.OnKeyPress = [this](char& key) {
        if (key != '\r') return;
        key = 0;
        BitBtn4Click();
    };
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox2.OnClick = [this] { CheckBox2Click(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnSave = [this] { return SavePage(); };
    OnDestroy = [this] { FormDestroy(); };
    OnClick = [this] { FormClick(); };
    BuildHints();

    // FormCreate: the stored bounds, kept on the screen.
    auto ini = settings::Open();
    SetBounds(Left(), Top(), ini.ReadInteger(ik::TelePhone::Section, ik::TelePhone::Width, Width()),
              ini.ReadInteger(ik::TelePhone::Section, ik::TelePhone::Height, Height()));
    RestorePosition(ini.ReadInteger(ik::TelePhone::Telephone, ik::TelePhone::left, 0),
                    ini.ReadInteger(ik::TelePhone::Telephone, ik::TelePhone::top, 0));
    OnResize = [this] { FormResize(); };
    PlacePage();
    SetMenuCheck(true);
}

void TForm3::PlacePage() {
    RECT r = TabControl1.DisplayRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    PagePanel.SetBounds(r.left, r.top, w, h);
    PagePanel.BringToFront();
    // The titles start where the grid's cells do, inside its sunken edge.
    int edge = GetSystemMetrics(SM_CXEDGE);
    Panel2.SetBounds(edge, 0, w - edge, 20);
    StringGrid1.SetBounds(0, 20, w, h - 20);
}

void TForm3::BuildHints() {
    struct Hint {
        tk::Control* control;
        const char* text;
    } hints[] = {
        {&EditAndDial1.InnerEdit(), "この番号に電話をかけます。(ダイヤラーがインストールされている必要があります。)"},
        {&EditAndDial1.InnerButton(), "この番号に電話をかけます。(ダイヤラーがインストールされている必要があります。)"},
        {&StringGrid1, "電話番号リストです。"},
        {&CheckBox1, "チェックすると編集が出来なくなります。"},
        {&CheckBox2, "マウスのドラッグで並べ替えが可能です。"},
        {&StatusBar1, "簡易電話帳です。"},
        {&Panel1, "簡易電話帳です。"},
        {&TabControl1, "電話帳の項目を切り換えます。"},
    };
    for (const Hint& h : hints)
        h.control->OnMouseMove = [this, text = std::string(h.text)](int, int, int) {
            if (StatusBar1.SimpleText() != text) StatusBar1.SetSimpleText(text);
        };
    for (int i = 0; i < kColumns; ++i)
        TitlePanel(i).OnMouseMove = [this](int, int, int) {
            StatusBar1.SetSimpleText("境界線のドラッグでサイズ変更ができます。");
        };
}

tk::Panel& TForm3::TitlePanel(int column) {
    tk::Panel* titles[] = {&Panel3, &Panel5, &Panel7, &Panel9, &Panel11};
    return *titles[column];
}

tk::Control& TForm3::BorderPanel(int border) {
    tk::Control* borders[] = {&Panel4, &Panel6, &Panel8, &Panel10};
    return *borders[border];
}

std::string TForm3::TelDir() const { return settings::DataDir() + "\\Tel"; }

std::string TForm3::Cell(int column) const { return StringGrid1.Cells(column, StringGrid1.Row()); }

void TForm3::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    namespace tp = ik::TelePhone;
    // A drag writes all four widths of the page: those of a file that could not be read are
    // defaults, not to be written over the stored ones.
    std::string unread = ini.ReadError();
    widthsFixed_ = !unread.empty();
    TabControl1.SetActivePageIndex(ini.ReadInteger(tp::Section, tp::Tab, 0, 0, kSearchPage));
    CheckBox1.SetChecked(ini.ReadBool(tp::Section, tp::Edit, false));
    CheckBox2.SetChecked(ini.ReadBool(tp::Section, tp::Sort, false));
    ApplyGridOptions();
    ApplyReorderColumns(CheckBox2.Checked());
    shown_ = true;
    TabControl1Change();
    StringGrid1.SetFocus();
    if (widthsFixed_) tk::SayUnsavedUntilReopened(Handle, unread, kCaption, "項目の幅は今は変更できません。");
}

void TForm3::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm3::FormClose(tk::CloseAction& action) {
    SetMenuCheck(false);
    action = tk::CloseAction::Free;
}

void TForm3::FormDestroy() {
    namespace tp = ik::TelePhone;
    auto ini = settings::Open();
    ini.WriteInteger(tp::Telephone, tp::top, Top());
    ini.WriteInteger(tp::Telephone, tp::left, Left());
    ini.WriteInteger(tp::Section, tp::Height, Height());
    ini.WriteInteger(tp::Section, tp::Width, Width());
    if (shown_) ini.WriteInteger(tp::Section, tp::Tab, Page());
    if (ini.ReadBool(tp::Section, tp::Close, false))
        tk::CloseWindowByTitle(ini.ReadString(tp::Section, tp::CloseTitle, "ﾀﾞｲﾔﾗｰ"));
}

void TForm3::FormResize() { ApplyColumnWidths(); }

void TForm3::SetPage(int page) {
    if (page == Page() || !FormClick()) return;
    TabControl1.SetActivePageIndex(page);
    TabControl1Change();
}

bool TForm3::FormClick() {
    std::string failed = SavePage();
    if (!failed.empty()) tk::MessageDlg(Handle, failed, kCaption, MB_OK | MB_ICONERROR);
    return failed.empty();
}

std::string TForm3::SavePage() {
    int page = Page();
    if (page < 0 || !shown_) return "";  // nothing was loaded yet
    if (StringGrid1.EditorMode()) StringGrid1.HideEditor(true);
    if (pageLost_) return "";
    std::string dir = TelDir();
    if (!tk::DirectoryExists(dir)) CreateDirectoryA(dir.c_str(), nullptr);
    telbook::Page rows = EmptyPage();
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) rows[r][c] = StringGrid1.Cells(c, r);
    std::string file = PageFile(dir, page);
    return tk::WriteFileSafely(file, PageText(rows)) ? "" : "電話帳を保存できませんでした。\r" + file;
}

void TForm3::TabControl1Change() {
    // The program's end does not save the grid while it is being filled or its box is up.
    tk::Form::Loading load(*this);
    PlayWaveRes("c1");
    auto ini = settings::Open();
    namespace tp = ik::TelePhone;
    for (int i = 0; i < kPages; ++i) Tabs[i].SetCaption(ini.ReadString(tp::Section, tp::Title(i), tp::PageTitles[i]));
    int page = Page();
    bool search = page == kSearchPage;
    for (int c = 0; c < kColumns; ++c)
        TitlePanel(c).SetCaption(search ? kSearchTitles[c]
                                        : ini.ReadString(tp::Section, tp::ColumnTitle(page, c), kTitles[c]));
    PlacePage();
    LoadColumnWidths();
    std::string file = PageFile(TelDir(), page);
    if (StringGrid1.Tag == 1) {
        std::string text;
        PageRead read = ReadPage(file, text);
        // A page the grid cannot hold whole is kept as unread: saving it would cut or garble it.
        // The search page is made anew by every search.
        bool whole = true;
        telbook::Page rows = read == PageRead::Read ? ParsePage(text, search ? nullptr : &whole) : EmptyPage();
        pageReadOnly_ = !search && tk::FileIsReadOnly(file);
        pageLost_ = read == PageRead::Failed || !whole || pageReadOnly_;
        for (int r = 0; r < kRows; ++r) StringGrid1.SetRows(r, {rows[r].begin(), rows[r].end()});
    }
    // Pages that cannot be edited show so.
    StringGrid1.SetColor(search || pageLost_ ? tk::SysColor(COLOR_3DLIGHT) : tk::clWindow);
    ApplyGridOptions();
    StringGrid1.SetTopRow(0);
    StringGrid1.FocusCell(StringGrid1.FixedCols(), 0);
    StringGrid1Click();
    if (pageLost_)
        tk::MessageDlg(Handle,
                       (pageReadOnly_ ? "電話帳のページは読み取り専用です。\r" : "電話帳を読み込めませんでした。\r") + file +
                           "\rこのページは編集も保存もできません。",
                       kCaption, MB_OK | MB_ICONWARNING);
}

void TForm3::ApplyGridOptions() {
    int options = tk::goRowMoving;
    if (CheckBox1.Checked()) options |= tk::goRowSelect;
    else options |= tk::goRangeSelect | (Page() == kSearchPage || pageLost_ ? 0 : tk::goEditing);
    StringGrid1.SetOptions(options);
}

void TForm3::ApplyReorderColumns(bool on) {
    // Five fixed columns and one more: rows are dragged by any of their cells.
    StringGrid1.SetColCount(on ? kColumns + 1 : kColumns);
    StringGrid1.SetFixedCols(on ? kColumns : 0);
    ApplyColumnWidths();
}

void TForm3::LoadColumnWidths() {
    auto ini = settings::Open();
    int page = std::max(0, Page());
    for (int c = 0; c < 4; ++c) {
        tk::Panel& title = TitlePanel(c);
        title.SetWidth(ini.ReadInteger(ik::TelePhone::Section, ik::TelePhone::ColumnWidth(page, c), title.Width()));
    }
    Panel2.Realign();
    ApplyColumnWidths();
}

void TForm3::ApplyColumnWidths() {
    if (!StringGrid1.Handle) return;
    for (int c = 0; c < 4; ++c) StringGrid1.SetColWidths(c, TitlePanel(c).Width());
    // The last title reaches the grid's right edge (the scroll bar lies beside the header).
    int last = Panel11.Width() - GetSystemMetrics(SM_CXVSCROLL) - 4;
    if (StringGrid1.ColCount() > kColumns) {
        StringGrid1.SetColWidths(kColumns - 1, std::max(0, last - kExtraColumn - 1));
        StringGrid1.SetColWidths(kColumns, kExtraColumn);
    } else {
        StringGrid1.SetColWidths(kColumns - 1, std::max(0, last));
    }
}

void TForm3::ColumnBorderMoved() {
    Panel2.Realign();  // the last title takes what is left, nothing when the others overflow
    int total = 0;
    for (int c = 0; c < kColumns; ++c) total += TitlePanel(c).Width();
    for (int b = 0; b < 4; ++b) total += BorderPanel(b).Width();
    if (total > Panel2.ClientWidth())
        for (int c = 0; c < kColumns; ++c) TitlePanel(c).SetWidth(kDefaultTitleWidth);
    Panel2.Realign();
    auto ini = settings::Open();
    int page = std::max(0, Page());
    for (int c = 0; c < 4; ++c)
        ini.WriteInteger(ik::TelePhone::Section, ik::TelePhone::ColumnWidth(page, c), TitlePanel(c).Width());
    ApplyColumnWidths();
}

void TForm3::StringGrid1Click() {
    EditAndDial1.SetText(Cell(Number));
    BitBtn2.SetEnabled(!Cell(Mail).empty());
    BitBtn3.SetEnabled(!Cell(Web).empty());
}

void TForm3::EditAndDial1BeforeDial(tk::Control&, std::string& calledParty) {
    Row row;
    for (int c = 0; c < kColumns; ++c) row[c] = Cell(c);
    calledParty = CalledParty(row);
    EditAndDial1.Tag = 1;
}

void TForm3::BitBtn1Click() {
    BitBtn1.SetEnabled(false);
    SpeakerSink sink;
    tone::PlayNumber(EditAndDial1.Text(), sink, [] {
        return settings::Open().ReadInteger(ik::TelePhone::Section, ik::TelePhone::Sleep, 100);
    });
    BitBtn1.SetEnabled(true);
}

void TForm3::BitBtn2Click() {
    Launch l = MailLaunch(settings::Open().ReadString(ik::TelePhone::Section, ik::TelePhone::Mailer, ""), Cell(Mail));
    tk::ShellLaunch(Handle, "OPEN", l.file, l.parameters, l.directory, SW_SHOW);
}

void TForm3::BitBtn3Click() {
    Launch l = WebLaunch(settings::Open().ReadString(ik::TelePhone::Section, ik::TelePhone::Browser, ""), Cell(Web));
    tk::ShellLaunch(Handle, "OPEN", l.file, l.parameters, l.directory, SW_SHOW);
}

void TForm3::BitBtn4Click() {
    tk::BusyCursor busy(tk::crHourGlass);
    std::string needle = Edit1.Text();
    if (!FormClick()) return;
    TabControl1.SetActivePageIndex(kSearchPage);
    StringGrid1.Clear();
    std::string found, unread;
    for (int page = 0; page < kPages; ++page) {
        std::string text;
        PageRead read = ReadPage(PageFile(TelDir(), page), text);
        if (read == PageRead::Failed)
            unread.append("\r").append(Tabs[page].Caption()).append(" (").append(std::to_string(page)).append(".CSV)");
        if (read != PageRead::Read) continue;
        for (const std::string& line : MatchingLines(text, needle)) found += line + "\r\n";
    }
    std::string file = PageFile(TelDir(), kSearchPage);
    if (!tk::WriteFileSafely(file, found))
        tk::MessageDlg(Handle, "検索結果を保存できませんでした。\r" + file, kCaption, MB_OK | MB_ICONERROR);
    TabControl1Change();
    StatusBar1.SetSimpleText("「" + needle + "」の検索を終了しました。");
    if (!unread.empty())
        tk::MessageDlg(Handle, "次のページは読み込めなかったので検索していません。" + unread, kCaption,
                       MB_OK | MB_ICONWARNING);
}

void TForm3::CheckBox1Click() {
    settings::Open().WriteBool(ik::TelePhone::Section, ik::TelePhone::Edit, CheckBox1.Checked());
    ApplyGridOptions();
}

void TForm3::CheckBox2Click() {
    settings::Open().WriteBool(ik::TelePhone::Section, ik::TelePhone::Sort, CheckBox2.Checked());
    ApplyReorderColumns(CheckBox2.Checked());
}

void TForm3::PopupMenu1Popup() {
    EditLock1->SetChecked(CheckBox1.Checked());
    Reorder1->SetChecked(CheckBox2.Checked());
    Mail1->SetEnabled(BitBtn2.Enabled());
    Web1->SetEnabled(BitBtn3.Enabled());
}
