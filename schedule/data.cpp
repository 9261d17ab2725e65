#include "schedule/data.h"

#include <array>

#include "schedule/to_do.h"

#include <algorithm>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "schedule/EntryControls.h"
#include "schedule/Popup.h"
#include "schedule/Todo_list.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/Hint.h"
#include "toolkit/MsgBox.h"

TForm29* Form29 = nullptr;

namespace ik = inikey;
using manage::Mode;

namespace {

constexpr int kWidth = 270;        // the window's only width
constexpr int kMaximisedWidth = 242;
constexpr char kListHint[] = "スケジュールデータの一覧です。";
constexpr tk::TColor kAllColour = 0x008000, kPastColour = 0x0000FF, kDayColour = 0xFF0000;
constexpr tk::TColor kSundayColour = 0x0000FF, kSaturdayColour = 0xFF00FF, kWeekdayColour = 0xFF0000;

tk::TColor ModeColour(Mode m) { return m == Mode::All ? kAllColour : m == Mode::Past ? kPastColour : kDayColour; }

const char* EmptyText(Mode m) {
    return m == Mode::All    ? "ｽｹｼﾞｭｰﾙはありません｡"
           : m == Mode::Past ? "過去のｽｹｼﾞｭｰﾙはありません｡"
                             : "この日のｽｹｼﾞｭｰﾙはありません｡";
}

tk::TColor WeekdayColour(int weekday) {
    return weekday == 1 ? kSundayColour : weekday == 7 ? kSaturdayColour : kWeekdayColour;
}

// The day list covers the days the date fields of the editors can hold.
const rtl::TDateTime kFirstDay = rtl::EncodeDate(entry::kMinYear, 1, 1);
const rtl::TDateTime kLastDay = rtl::EncodeDate(entry::kMaxYear, 12, 31);

// A canvas to measure text in a font.
struct TextProbe {
    tk::TBitmap bitmap{1, 1};
    tk::TCanvas& canvas;
    explicit TextProbe(const tk::TFont& font) : canvas(bitmap.Canvas()) { canvas.Font = font; }
};

// A lamp: grey when out, lit for the pressed mode. The bottom-left pixel is the transparent colour.
void DrawLamp(tk::Image& image, tk::TColor rim, tk::TColor fill, bool lit) {
    tk::TCanvas& c = image.Canvas();
    c.Brush.Color = 0xFF00FF;
    c.FillRect({0, 0, 16, 16});
    c.Pen.Color = rim;
    c.Brush.Color = fill;
    c.Ellipse(2, 2, 14, 14);
    if (lit) {
        c.Pen.Color = 0xFFFFFF;
        c.Brush.Color = 0xFFFFFF;
        c.Ellipse(5, 5, 8, 8);
    }
}

}  // namespace

void TLineListBox::Create(tk::Control& parent, const tk::Ctl& p) {
    tk::Ctl q = p;
    q.caption.clear();
    CreateChild(parent, "LISTBOX",
                LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                    WS_TABSTOP,
                WS_EX_CLIENTEDGE, q);
    SetItemHeight(TextProbe(EffectiveFont()).canvas.TextHeight("Ag") + 4);
}

void TLineListBox::SetLines(const rtl::TStringList& lines) {
    SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
    filling_ = true;
    Items.Assign(lines);
    filling_ = false;
    SendMessageA(Handle, LB_SETCOUNT, Items.Count(), 0);
    // Wide enough to scroll to the end of the longest lines: those with the most bytes.
    size_t longest = 0;
    for (const std::string& s : Items.List().Strings) longest = std::max(longest, s.size());
    TextProbe probe(EffectiveFont());
    int width = 0, measured = 0;
    for (const std::string& s : Items.List().Strings) {
        if (s.size() != longest) continue;
        width = std::max(width, probe.canvas.TextWidth(s));
        if (++measured == 32) break;
    }
    SendMessageA(Handle, LB_SETHORIZONTALEXTENT, width ? width + 8 : 0, 0);
    SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

void TLineListBox::ItemInserted(int index) {
    if (!filling_) SendMessageA(Handle, LB_INSERTSTRING, index, 0);
}

void TLineListBox::ItemsCleared() { SendMessageA(Handle, LB_RESETCONTENT, 0, 0); }

// Application.OnHint is one handler for the whole program: each window that shows hints in its
// status bar links itself in front of the one before and passes on what is not over it.
struct TForm29::HintLink {
    std::shared_ptr<TForm29*> form;
    std::function<void(const std::string&)> next;
    void operator()(const std::string& hint) const {
        if (*form && (*form)->ShowStatusHint()) return;
        if (next) next(hint);
    }
};

TForm29::TForm29()
    : Form({.caption = "スケジュール管理", .left = 0, .top = 0, .width = kWidth, .height = 440}),
      alive_(std::make_shared<TForm29*>(this)) {
    BuildLayout();
    BuildMenu();
    MakeGlyphs();
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

TForm29::~TForm29() {
    *alive_ = nullptr;
    if (auto* link = tk::Application.OnHint.target<HintLink>(); link && link->form == alive_) {
        auto next = link->next;
        tk::Application.OnHint = next;
    }
}

void TForm29::BuildLayout() {
    using namespace tk;
    const TFont heading{.Color = clWhite, .Style = fsBold};
    Panel1.Create(*this, {.at = {0, 0, 262, 58}, .hint = kListHint, .align = Align::Top, .style = pnOuterNone});
    BitBtn14.Create(Panel1, {.at = {4, 4, 58, 24}, .caption = "&All", .hint = "全てのデータを一覧表示"});
    BitBtn16.Create(Panel1, {.at = {64, 4, 58, 24}, .caption = "&Past", .hint = "過去のデータを一覧表示"});
    BitBtn17.Create(Panel1, {.at = {124, 4, 130, 24}, .hint = "選択日のデータを一覧表示"});
    BitBtn24.Create(Panel1, {.at = {4, 31, 82, 22}, .caption = "← 前日", .hint = "前日へ"});
    BitBtn25.Create(Panel1, {.at = {88, 31, 82, 22}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn26.Create(Panel1, {.at = {172, 31, 82, 22}, .caption = "翌日 →", .hint = "翌日へ"});
    ListBox1.Create(*this, {.at = {0, 0, 262, 150}, .hint = "ﾀﾞﾌﾞﾙｸﾘｯｸで修正", .align = Align::Top});
    Panel2.Create(*this, {.at = {0, 0, 262, 5}, .hint = "ドラッグでサイズ変更", .align = Align::Top});
    Panel4.Create(*this, {.at = {0, 0, 262, 22}, .hint = kListHint, .align = Align::Top, .color = kDayColour,
                          .font = heading, .style = pnCaptionLeft | pnOuterNone});
    Panel4.SetBorderWidth(3);
    // The status bar first: the bottom row stacks above it.
    StatusBar1.Create(*this, {.hint = kListHint});
    StatusBar1.SetSimplePanel(true);
    StatusBar1.SetSimpleText(kListHint);
    Panel3.Create(*this, {.at = {0, 0, 262, 32}, .hint = kListHint, .align = Align::Bottom, .style = pnOuterNone});
    BitBtn11.Create(Panel3, {.at = {4, 4, 80, 24}, .caption = "&Delete", .hint = "データの削除", .enabled = false});
    CheckBox1.Create(Panel3, {.at = {94, 9, 14, 14}});
    Label1.Create(Panel3, {.at = {110, 10, 148, 14}, .caption = "削除の問合せをしない。"});
    RichEdit2.Create(*this, {.at = {0, 0, 262, 100}, .hint = "プレビュー画面", .align = Align::Client,
                             .style = reReadOnly | reVScroll});
    RichEdit2.KeepMargins = true;
    RichEdit2.SetMargins();
    Label6.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    Label8.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    Label9.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    Image1.Create(*this, {.at = {0, 0, 16, 16}, .visible = false});
    Image2.Create(*this, {.at = {0, 0, 16, 16}, .visible = false});

    BitBtn14.OnClick = [this] { BitBtn14Click(); };
    BitBtn16.OnClick = [this] { BitBtn16Click(); };
    BitBtn17.OnClick = [this] { BitBtn17Click(); };
    BitBtn24.OnClick = [this] { BitBtn24Click(); };
    BitBtn25.OnClick = [this] { BitBtn25Click(); };
    BitBtn26.OnClick = [this] { BitBtn26Click(); };
    BitBtn11.OnClick = [this] { BitBtn11Click(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
    ListBox1.OnDrawItem = [this](int i, const RECT& r, int state) { ListBox1DrawItem(i, r, state); };
    Label1.OnMouseUp = [this](tk::MouseButton b, int, int, int) {
        if (b == tk::mbLeft) Label1MouseUp();
    };
    Panel2.OnMouseDown = [this](tk::MouseButton b, int, int x, int y) {
        if (b == tk::mbLeft) Split.BeginSplit(Panel2, ListBox1, x, y);
    };
    Panel2.OnMouseMove = [this](int, int x, int y) {
        if (Split.IsSplitting()) Split.MoveSplit(x, y);
    };
    Panel2.OnMouseUp = [this](tk::MouseButton, int, int, int) {
        if (!Split.IsSplitting()) return;
        Split.EndSplit();
        Realign();  // the panes below the list follow its new height
    };
}

void TForm29::BuildMenu() {
    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    All1 = &m.Add("全ての一覧", [this] { BitBtn14Click(); });
    Past1 = &m.Add("過去の一覧", [this] { BitBtn16Click(); });
    Gost = &m.Add("", [this] { BitBtn17Click(); });
    Today1 = &m.Add("本日の一覧", [this] { BitBtn25Click(); });
    m.Add("-");
    Edit1 = &m.Add("修正", [this] { ListBox1DblClick(); }, "Ctrl+E");
    Delete1 = &m.Add("削除", [this] { BitBtn11Click(); }, "Ctrl+D");
    m.Add("-");
    Close2 = &m.Add("閉じる(&C)", [this] { Close2Click(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);
}

void TForm29::MakeGlyphs() {
    DrawLamp(Image1, 0x808080, 0xC0C0C0, false);
    DrawLamp(Image2, 0x004080, 0x00A0FF, true);
}

void TForm29::FormCreate() {
    if (Form1 && Form1->Data2) Form1->Data2->SetChecked(true);
    bool noQuestion = settings::Open().ReadInteger(ik::Form::Section, ik::Form::Delete, 0) != 0;
    CheckBox1.SetChecked(noQuestion);
    CheckBox1.SetEnabled(!noQuestion);
    tk::Application.OnHint = HintLink{alive_, tk::Application.OnHint};
    SetDay(rtl::Date());
}

void TForm29::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    int height = ini.ReadInteger(ik::Data::Section, ik::Data::Height, Height());
    int listHeight = ini.ReadInteger(ik::Data::Section, ik::Data::LHeight, ListBox1.Height());
    SetHeight(height);
    ListBox1.SetHeight(std::max(0, listHeight));
    Realign();
    RestorePosition(ini.ReadInteger(ik::Data::Section, ik::Data::left, 0),
                    ini.ReadInteger(ik::Data::Section, ik::Data::top, 0));
    BitBtn25Click();
}

void TForm29::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm29::FormClose(tk::CloseAction& action) {
    action = tk::CloseAction::Free;
    if (closed_) return;
    closed_ = true;
    auto ini = settings::Open();
    ini.WriteInteger(ik::Data::Section, ik::Data::top, Top());
    ini.WriteInteger(ik::Data::Section, ik::Data::left, Left());
    ini.WriteInteger(ik::Data::Section, ik::Data::Height, Height());
    ini.WriteInteger(ik::Data::Section, ik::Data::LHeight, ListBox1.Height());
    if (Form1 && Form1->Data2) Form1->Data2->SetChecked(false);
    if (deleted_) RefreshScheduleList();
}

void TForm29::Close2Click() { Close(); }

// ---- the lists ----

void TForm29::BitBtn14Click() { Fill(Mode::All); }
void TForm29::BitBtn16Click() { Fill(Mode::Past); }
void TForm29::BitBtn17Click() { Fill(Mode::Day); }

void TForm29::RerunShownList() {
    if (Past1->Checked()) BitBtn16Click();
    else if (All1->Checked()) BitBtn14Click();
    else BitBtn17Click();
}

void TForm29::ShowMode(Mode mode) {
    mode_ = mode;
    Label9.SetCaption(rtl::IntToStr((int)mode));
    All1->SetChecked(mode == Mode::All);
    Past1->SetChecked(mode == Mode::Past);
    Gost->SetChecked(mode == Mode::Day);
    Today1->SetChecked(false);
    BitBtn14.SetGlyph(mode == Mode::All ? Image2.Picture() : Image1.Picture());
    BitBtn16.SetGlyph(mode == Mode::Past ? Image2.Picture() : Image1.Picture());
    BitBtn17.SetGlyph(mode == Mode::Day ? Image2.Picture() : Image1.Picture());
    Panel4.SetColor(ModeColour(mode));
    Panel4.SetCaption(EmptyText(mode));
}

void TForm29::Fill(Mode mode) {
    PlayWaveRes("c1");
    tk::BusyCursor busy(tk::crHourGlass);
    ShowMode(mode);
    Label6.SetCaption("");
    Label8.SetCaption("");
    PreviewFile("", {});
    std::vector<std::string> names;
    tk::TSearchRec rec;
    for (int rc = tk::FindFirst(settings::DataDir() + "\\*.*", tk::faAnyFile & ~tk::faDirectory, rec); rc == 0;
         rc = tk::FindNext(rec))
        names.push_back(rec.Name);
    tk::FindClose(rec);
    lines_ = manage::BuildList(mode, names, rtl::Now(), day_);
    rtl::TStringList items;
    items.Strings.reserve(lines_.size());
    items.Objects.reserve(lines_.size());
    for (size_t i = 0; i < lines_.size(); ++i) items.Add(lines_[i].text, (int)i);
    ListBox1.SetLines(items);
    EnableDelete(false);
    if (!lines_.empty()) {
        ListBox1.SetItemIndex(0);
        ListBox1Click();
    }
    if (IsWindowVisible(Handle)) ListBox1.SetFocus();
}

const std::string& TForm29::NameOfLine(int index) const { return lines_.at(ListBox1.Items.Objects(index)).name; }

void TForm29::EnableDelete(bool on) {
    BitBtn11.SetEnabled(on);
    Delete1->SetEnabled(on);
}

// ---- the selected day ----

void TForm29::SetDay(rtl::TDateTime day) {
    day_ = std::clamp(rtl::DateOf(day), kFirstDay, kLastDay);
    BitBtn17.SetCaption(rtl::FormatDateTime("yyyy/mm/dd", day_) + "(" + rtl::FormatDateTime("aaa", day_) + ")");
    BitBtn24.SetEnabled(day_ > kFirstDay);
    BitBtn26.SetEnabled(day_ < kLastDay);
    BitBtn25.SetEnabled(day_ != rtl::Date());
}

void TForm29::BitBtn24Click() {
    SetDay(day_ - 1);
    BitBtn17Click();
}

void TForm29::BitBtn25Click() {
    SetDay(rtl::Date());
    BitBtn17Click();
}

void TForm29::BitBtn26Click() {
    SetDay(day_ + 1);
    BitBtn17Click();
}

// ---- the selected line ----

void TForm29::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    if (i < 0) return;
    EnableDelete(true);
    const manage::Line& line = lines_.at(ListBox1.Items.Objects(i));
    std::string path = DataFilePath(settings::DataDir(), line.name);
    Label6.SetCaption(path);
    Label8.SetCaption(line.name);
    NameFields f = DecodeName(line.name);
    Panel4.SetCaption(manage::HeadingText(line.text));
    Panel4.SetColor(WeekdayColour(manage::HeadingWeekday(f)));
    PreviewFile(path, f);
}

void TForm29::PreviewFile(const std::string& path, const NameFields& f) {
    // Dated entries take the colours of their day; the repeating ones those of a text box.
    DayColours colours{tk::clWindowText, tk::clWindow};
    if (f.kind == NameKind::ScheduleOneDate || f.kind == NameKind::PopupOneDay)
        colours = ReadDayColours(settings::Open(), entry::DaysFromToday(f.year, f.month, f.day));
    RichEdit2.SetReadOnly(false);  // the format of a read-only box cannot be changed
    RichEdit2.Clear();
    if (!path.empty()) {
        try {
            RichEdit2.LoadFromFile(path);
        } catch (const std::exception&) {
            RichEdit2.SetText("(このファイルは読み込めません)");
        }
    }
    ColourText(RichEdit2, colours);
    RichEdit2.SetModified(false);
    RichEdit2.SetReadOnly(true);
}

void TForm29::ListBox1DrawItem(int index, const RECT& rect, int state) {
    tk::TCanvas& c = ListBox1.Canvas;
    if (state & tk::odSelected) {
        c.Brush.Color = ModeColour(mode_);
        c.Font.Color = tk::clWhite;
    }
    c.FillRect(rect);
    if (index < ListBox1.Items.Count()) c.TextOut(rect.left + 2, rect.top + 2, ListBox1.Items[index]);
}

void TForm29::ListBox1DblClick() {
    int i = ListBox1.ItemIndex();
    if (i < 0) return;
    OpenEntryEditor(NameOfLine(i));
}

void TForm29::BitBtn11Click() {
    const std::string path = Label6.Caption(), name = Label8.Caption();
    int i = ListBox1.ItemIndex();
    if (path.empty() || i < 0 || !tk::FileExists(path)) return;
    if (!CheckBox1.Checked() && !tk::ConfirmDelete(Handle, Caption())) return;
    // The file first: a reminder whose file stays keeps its sound, picture and actions.
    if (!DeleteFileA(path.c_str())) {
        tk::MessageDlg(Handle, "削除できませんでした。ファイルが読み取り専用か、使用中です。\r\n" + path, Caption(),
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (DecodeName(name).IsPopup()) settings::Open().EraseSection(path);
    entry::DataFileChanged(path);
    PlayWaveRes("del");
    ListBox1.Items.Delete(i);
    PreviewFile("", {});
    Label6.SetCaption("");
    Label8.SetCaption("");
    EnableDelete(false);
    Panel4.SetColor(ModeColour(mode_));
    Panel4.SetCaption("ｽｹｼﾞｭｰﾙを削除しました｡");
    deleted_ = true;
    entry::RefreshDayAndMarks();
}

void TForm29::PopupMenu1Popup() {
    Gost->SetCaption(BitBtn17.Caption());
    Edit1->SetEnabled(ListBox1.ItemIndex() >= 0);
}

void TForm29::Label1MouseUp() {
    if (CheckBox1.Enabled()) CheckBox1.SetChecked(!CheckBox1.Checked());
}

// ---- window frame and status bar ----

LRESULT TForm29::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    return FixedWidthFrame(Handle, msg, lp, Form::WndProc(msg, wp, lp), kWidth, kMaximisedWidth);
}

bool TForm29::ShowStatusHint() {
    // Where the mouse move that brought the hint happened.
    DWORD at = GetMessagePos();
    POINT pt{(short)LOWORD(at), (short)HIWORD(at)};
    if (!Handle) return false;
    HWND w = WindowFromPoint(pt);
    if (!w || (w != Handle && !IsChild(Handle, w))) return false;
    // A disabled control does not answer WindowFromPoint; the window under it does.
    for (;;) {
        POINT c = pt;
        ::ScreenToClient(w, &c);
        HWND child = ChildWindowFromPointEx(w, c, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == w) break;
        w = child;
    }
    tk::Control* control = nullptr;
    for (HWND h = w; h && !control; h = GetParent(h)) control = tk::Control::FromHandle(h);
    // The day buttons' tips are short; the status bar says what they do.
    std::string text = control == &BitBtn24   ? "選択日を前日に移動"
                       : control == &BitBtn25 ? "選択日を今日に移動"
                       : control == &BitBtn26 ? "選択日を翌日に移動"
                                              : tk::HintOf(control);
    StatusBar1.SetSimpleText(text.empty() ? kListHint : text);
    return true;
}

// ---- the editors and the schedule list ----

namespace {

// The rule controls both editors share: day-off and Saturday groups, the week boxes, the tab.
void PresetRule(tk::RadioGroup& dayOff, tk::RadioGroup& saturday, std::array<tk::CheckBox*, 5> week,
                tk::CheckBox& last, tk::TabSet& tabs, const manage::EditorPreset& p) {
    dayOff.SetItemIndex(p.ifDayOff);
    saturday.SetItemIndex(p.saturday);
    // Ticks first, then clears: no box left unticked in between, which would tick all five again.
    last.SetChecked(p.weeks.last);
    if (!p.weeks.last) {
        for (int i = 0; i < 5; ++i)
            if (p.weeks.week[i]) week[i]->SetChecked(true);
        for (int i = 0; i < 5; ++i)
            if (!p.weeks.week[i]) week[i]->SetChecked(false);
    }
    tabs.SetTabIndex((int)p.tab);
}

void PresetReminderEditor(TForm7& e, const manage::EditorPreset& p) {
    e.Preset(p.year, p.month, p.day, p.hour, p.minute);
    if (p.uptime) {
        e.BitBtn11Click();
        e.SpinEdit7.SetValue(p.seconds);
        return;
    }
    PresetRule(e.RadioGroup3, e.RadioGroup2, {&e.CheckBox5, &e.CheckBox6, &e.CheckBox8, &e.CheckBox10, &e.CheckBox12},
               e.CheckBox7, e.TabSet1, p);
}

void PresetEntryEditor(TForm14& e, const manage::EditorPreset& p) {
    e.Preset(p.year, p.month, p.day);
    PresetRule(e.RadioGroup1, e.RadioGroup2, {&e.CheckBox4, &e.CheckBox6, &e.CheckBox8, &e.CheckBox10, &e.CheckBox12},
               e.CheckBox1, e.TabSet1, p);
}

}  // namespace

void OpenEntryEditor(const std::string& name) {
    NameFields f = DecodeName(name);
    if (!f.ours() || f.kind == NameKind::Birthday) return;
    manage::EditorPreset p = manage::PresetFor(f, rtl::Now());
    if (!p.reminder) {
        tk::Application.CreateForm(Form14);
        PresetEntryEditor(*Form14, p);
        Form14->Show();
        return;
    }
    tk::Application.CreateForm(Form7);
    PresetReminderEditor(*Form7, p);
    Form7->Show();
}

void RefreshScheduleList() {
    if (!Form1 || !Form1->List1 || !Form1->List1->Checked() || !Form2) return;
    Form2->BringForward();
    Form2->BitBtn2Click();
}
