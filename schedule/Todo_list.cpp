#include "schedule/Todo_list.h"

#include <algorithm>
#include <array>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "mainwindow/WindowTools.h"
#include "schedule/DayRules.h"
#include "settings/Settings.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"

TForm2* Form2 = nullptr;

namespace ik = inikey;
using rtl::FormatDateTime;

namespace {
const char kDayFormat[] = "yyyy/mm/dd (ddd)";
const int kBandHeight = 58;
tk::TFont PaneFont(tk::TColor colour) { return {.Name = "ＭＳ ゴシック", .Size = 9, .Color = colour}; }

// Each write rewrites the whole settings file: a value it already holds is left alone.
void KeepInteger(tk::TIniFile& ini, const std::string& section, const std::string& key, int value) {
    if (ini.ReadString(section, key, "") != std::to_string(value)) ini.WriteInteger(section, key, value);
}

// Characters the rich edit counts for a line and its break.
int RichLength(const std::string& line) {
    return MultiByteToWideChar(932, 0, line.data(), (int)line.size(), nullptr, 0) + 1;
}

// Gives the pane these lines by replacing only the lines that differ: laying out a long text
// again costs more than the rest of a build, and a rebuild after a save changes a few lines.
void ReplaceChangedLines(tk::RichEdit& pane, const rtl::TStringList& lines) {
    const std::vector<std::string> old = pane.Lines.List().Strings;
    const std::vector<std::string>& now = lines.Strings;
    size_t head = 0, tail = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) ++head;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    if (head == old.size() && head == now.size()) return;
    // Nothing in common (another range): the text is given whole. (Not with ECO_AUTOVSCROLL off:
    // Wine takes that for the scroll bar, hides it, and the lines are wrapped again.)
    if (head == 0 && tail == 0) {
        pane.Lines.SetText(lines.Text());
        return;
    }
    int start = 0, length = 0;
    for (size_t i = 0; i < head; ++i) start += RichLength(old[i]);
    for (size_t i = head; i < old.size() - tail; ++i) length += RichLength(old[i]);
    std::string text;
    for (size_t i = head; i < now.size() - tail; ++i) text += now[i] + "\r\n";
    pane.Select(start, length);
    pane.SetSelText(text);
}

// How the pane's scroll bar looks: its thumb and which of its parts are usable.
std::array<DWORD, 8> VerticalBar(HWND pane) {
    SCROLLBARINFO b{sizeof b};
    GetScrollBarInfo(pane, OBJID_VSCROLL, &b);
    return {(DWORD)b.xyThumbTop, (DWORD)b.xyThumbBottom, b.rgstate[0], b.rgstate[1], b.rgstate[2], b.rgstate[3],
            b.rgstate[4], b.rgstate[5]};
}
}  // namespace

TForm2::TForm2() : Form({.caption = "Schedule-List", .width = 406, .height = 300, .border = tk::Border::SizeToolWin}) {
    Panel1.Create(*this, {.align = tk::Align::Client, .style = tk::pnOuterNone});
    Bevel1.Create(Panel1, {.at = {0, 0, 400, kBandHeight}, .align = tk::Align::Top, .style = tk::bsBottomLine});
    Bevel2.Create(Panel1, {.at = {214, 6, 2, 46}, .style = tk::bsLeftLine});

    // Base date, then the days before and after it.
    SpinEdit3.Create(Panel1, {.at = {8, 6, 56, 22}, .min = 1900, .max = 9999, .value = 1900});
    Label1.Create(Panel1, {.at = {66, 10, 14, 14}, .caption = "年"});
    SpinEdit4.Create(Panel1, {.at = {82, 6, 40, 22}, .min = 1, .max = 12, .value = 1});
    Label2.Create(Panel1, {.at = {124, 10, 14, 14}, .caption = "月"});
    SpinEdit5.Create(Panel1, {.at = {140, 6, 40, 22}, .min = 1, .max = 31, .value = 1});
    Label3.Create(Panel1, {.at = {182, 10, 28, 14}, .caption = "日～"});
    SpinEdit1.Create(Panel1, {.at = {8, 31, 44, 22}, .hint = "ｽｹｼﾞｭｰﾙ表示の開始日", .min = 0, .max = 99, .value = 2});
    Label4.Create(Panel1, {.at = {54, 35, 40, 14}, .caption = "日前～"});
    SpinEdit2.Create(Panel1, {.at = {100, 31, 44, 22}, .hint = "ｽｹｼﾞｭｰﾙ表示の終了日", .min = 0, .max = 99, .value = 7});
    Label5.Create(Panel1, {.at = {146, 35, 28, 14}, .caption = "日後"});
    BitBtn8.Create(Panel1, {.at = {224, 6, 44, 22}, .caption = "今日", .hint = "今日に戻す｡", .enabled = false});
    BitBtn2.Create(Panel1, {.at = {224, 31, 88, 22}, .caption = "&List"});
    BitBtn1.Create(Panel1, {.at = {320, 6, 70, 47}, .caption = "管理", .hint = "ｽｹｼﾞｭｰﾙ管理ｳｨﾝﾄﾞｳ表示"});

    // The three panes with the bars between them; the future pane takes the rest.
    // Each pane keeps its scroll bar's room, so a long text is wrapped once, not again for the bar.
    const int pane = tk::reReadOnly | tk::reKeepVScroll;
    RichEdit1.Create(Panel1, {.at = {0, 0, 400, 90}, .align = tk::Align::Top, .color = tk::clActiveCaption,
                              .font = PaneFont(tk::clWhite), .style = pane});
    Panel2.Create(Panel1, {.at = {0, 0, 400, 2}, .align = tk::Align::Top, .style = tk::pnOuterNone});
    RichEdit3.Create(Panel1, {.at = {0, 0, 400, 90}, .align = tk::Align::Top, .color = tk::clBtnShadow,
                              .font = PaneFont(tk::clWhite), .style = pane});
    Panel3.Create(Panel1, {.at = {0, 0, 400, 2}, .align = tk::Align::Top, .style = tk::pnOuterNone});
    RichEdit4.Create(Panel1, {.align = tk::Align::Client, .color = tk::clMenu, .font = PaneFont(tk::clNavy),
                              .style = pane});
    // Unwrapped: laying a file out in ten pixels costs more than reading it.
    RichEdit2.Create(Panel1, {.at = {0, 0, 10, 10}, .visible = false, .style = tk::reNoWordWrap});
    for (tk::RichEdit* r : {&RichEdit1, &RichEdit3, &RichEdit4}) {
        r->KeepMargins = true;
        r->SetMargins();
    }

    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    Copy1 = &m.Add("コピー(&C)", [this] { Copy1Click(); });
    SelectAll1 = &m.Add("すべてを選択(&S)", [this] { SelectAll1Click(); });
    m.Add("-");
    Text1 = &m.Add("テキスト出力", [this] { Text1Click(); });
    Print1 = &m.Add("印刷", [this] { Print1Click(); });
    m.Add("-");
    Close1 = &m.Add("閉じる", [this] { Close1Click(); });
    for (tk::RichEdit* r : {&RichEdit1, &RichEdit3, &RichEdit4}) r->SetPopupMenu(&PopupMenu1);

    SpinEdit3.OnChange = SpinEdit4.OnChange = SpinEdit5.OnChange = [this] { SpinEdit3Change(); };
    SpinEdit1.OnChange = SpinEdit2.OnChange = [this] { SpinEdit1Change(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    Panel2.OnMouseDown = [this](tk::MouseButton b, int s, int x, int y) { Panel2MouseDown(b, s, x, y); };
    Panel2.OnMouseMove = [this](int s, int x, int y) { Panel2MouseMove(s, x, y); };
    Panel2.OnMouseUp = [this](tk::MouseButton b, int s, int x, int y) { Panel2MouseUp(b, s, x, y); };
    Panel3.OnMouseDown = [this](tk::MouseButton b, int s, int x, int y) { Panel3MouseDown(b, s, x, y); };
    Panel3.OnMouseMove = [this](int s, int x, int y) { Panel3MouseMove(s, x, y); };
    Panel3.OnMouseUp = [this](tk::MouseButton b, int s, int x, int y) { Panel3MouseUp(b, s, x, y); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnResize = [this] { FormResize(); };
    FormCreate();
}

void TForm2::FormCreate() {
    SetBorderIcons(false, false);
    if (!SplitControl) SplitControl = std::make_unique<TSplitControl>(*this);
    if (Form1 && Form1->List1) Form1->List1->SetChecked(true);

    // Place: the width is always the main window's; the height and the panes' as left.
    auto ini = settings::Open();
    namespace s = ik::Sch_List;
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const int height = ini.ReadInteger(s::Section, s::Height, 300, 120, std::max(120, screenH));
    SetBounds(Left(), Top(), Form1 ? Form1->Width() : Width(), height);
    RestorePosition(ini.ReadInteger(s::Section, s::left, 0), ini.ReadInteger(s::Section, s::top, 0));
    const int past = ini.ReadInteger(s::Section, s::PastHeight, EqualPaneHeight(), 0, screenH);
    SetPaneHeights(past, ini.ReadInteger(s::Section, s::TodayHeight, past, 0, screenH));
    FormResize();

    // Range and base date (all 0: today). Day 1 first, so no step passes a date that does not exist.
    SpinEdit1.SetValue(ini.ReadInteger(s::Section, s::mae, 2));
    SpinEdit2.SetValue(ini.ReadInteger(s::Section, s::ato, 7));
    int y = ini.ReadInteger(s::Section, s::year, 0), m = ini.ReadInteger(s::Section, s::month, 0),
        d = ini.ReadInteger(s::Section, s::day, 0);
    if (y == 0) rtl::DecodeDate(rtl::Date(), y, m, d);
    SpinEdit5.SetValue(1);
    SpinEdit3.SetValue(y);
    SpinEdit4.SetValue(m);
    SpinEdit5.SetValue(d);
}

void TForm2::FormShow() {
    PlayWaveRes("ope");
    // Schedule management opens through the main window's command, while it has one.
    BitBtn1.SetEnabled(Form1 && Form1->Data2 && Form1->Data2->Enabled());
    BitBtn2Click();
}

void TForm2::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm2::FormClose(tk::CloseAction& action) {
    if (Form1 && Form1->List1) Form1->List1->SetChecked(false);
    auto ini = settings::Open();
    namespace s = ik::Sch_List;
    ini.WriteInteger(s::Section, s::top, Top());
    ini.WriteInteger(s::Section, s::left, Left());
    ini.WriteInteger(s::Section, s::Height, Height());
    ini.WriteInteger(s::Section, s::Width, Width());
    ini.WriteInteger(s::Section, s::PastHeight, RichEdit1.Height());
    ini.WriteInteger(s::Section, s::TodayHeight, RichEdit3.Height());
    action = tk::CloseAction::Hide;
}

// ---- the build ----

void TForm2::SetPaneColours(tk::RichEdit& pane, tk::TColor text, tk::TColor back) {
    if (pane.Color != back) pane.SetColor(back);
    // Recolouring every character lays the whole text out again: only when the colour changes.
    if (pane.Font.Color == text) return;
    pane.Font.Color = text;
    pane.DefAttributes.SetColor(text);
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = tk::ColorToRGB(text);
    SendMessageA(pane.Handle, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&cf);
}

bool TForm2::ShownRange(rtl::TDateTime& first, rtl::TDateTime& last) {
    rtl::TDateTime base;
    DayRange range;
    if (!rtl::TryEncodeDate(SpinEdit3.Value(), SpinEdit4.Value(), SpinEdit5.Value(), base) ||
        !ScheduleListRange(base, SpinEdit1.Value(), SpinEdit2.Value(), range))
        return false;
    first = range.first;
    last = range.last;
    return true;
}

void TForm2::BitBtn2Click() {
    // 1-2: the button waits for the next change; the note and the hourglass go however this ends.
    BitBtn2.SetEnabled(false);
    PleaseWait wait("スケジュールを読み込んでいます。");
    tk::BusyCursor busy(tk::crHourGlass);

    // 3-4: the range, cut at the ends of the calendar.
    rtl::TDateTime base;
    if (!rtl::TryEncodeDate(SpinEdit3.Value(), SpinEdit4.Value(), SpinEdit5.Value(), base)) return;
    DayRange range;
    if (!ScheduleListRange(base, SpinEdit1.Value(), SpinEdit2.Value(), range)) return;
    SetCaption(FormatDateTime(kDayFormat, range.first) + "～" + FormatDateTime(kDayFormat, range.last));
    auto ini = settings::Open();
    namespace s = ik::Sch_List;
    const bool isToday = base == rtl::Date();
    KeepInteger(ini, s::Section, s::year, isToday ? 0 : SpinEdit3.Value());
    KeepInteger(ini, s::Section, s::month, isToday ? 0 : SpinEdit4.Value());
    KeepInteger(ini, s::Section, s::day, isToday ? 0 : SpinEdit5.Value());
    KeepInteger(ini, s::Section, s::mae, SpinEdit1.Value());
    KeepInteger(ini, s::Section, s::ato, SpinEdit2.Value());

    // 5-7: each day's block, into the pane of its day; the files' texts come through the loader.
    const std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    const bool oldCalendar = ini.ReadBool(ik::Form::Section, ik::Form::Qreki, false);
    const HolidayTable table = settings::ReadHolidayTable(ini);
    DayRules rules(table, tk::FolderIndex::For(dir));
    TextMap shown;
    std::string fileText;
    rtl::TStringList text[3];  // by ListPane
    for (rtl::TDateTime day = range.first; day <= range.last; day += 1) {
        const rtl::TDateTime today = rtl::Date();
        rtl::TStringList& lines = text[(int)ListPaneOf(day, today)];
        for (const std::string& line : ScheduleListDateLines(table, day, today, oldCalendar)) lines.Add(line);
        int y, m, d;
        rtl::DecodeDate(day, y, m, d);
        for (const DayHit& hit : rules.DayView(day, DayReader::ScheduleList)) {
            if (hit.test == DayTest::Birthday) lines.Add(BirthdayHeading(y, hit));
            // A file that went away or cannot be read since the folder was listed shows nothing.
            if (ReadText(DataFilePath(dir, hit.name), shown, fileText)) lines.Add(fileText);
        }
        lines.Add(kScheduleListSeparator);
    }
    texts_ = std::move(shown);

    // 6, 8: each pane in its colours at once; past ends in view, today and future start in view.
    namespace t = ik::To_do;
    struct Pane {
        tk::RichEdit& edit;
        const char *textKey, *backKey;
    } panes[3] = {{RichEdit1, t::PastColor, t::PastBackColor},
                  {RichEdit3, t::TodayColor, t::TodayBackColor},
                  {RichEdit4, t::FutureColor, t::FutureBackColor}};
    // Their parent draws nothing while they change (what waits to be drawn in it is drawn first, as
    // switching its drawing off forgets it); each pane is drawn once after, its scroll bar only when
    // the build changed it: under Wine a bar costs more to draw than a pane's text, and a pane whose
    // own drawing is switched off and on draws its bar again.
    RedrawWindow(Panel1.Handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(Panel1.Handle, WM_SETREDRAW, FALSE, 0);
    std::array<DWORD, 8> bars[3];
    for (int i = 0; i < 3; ++i) {
        tk::RichEdit& re = panes[i].edit;
        bars[i] = VerticalBar(re.Handle);
        SetPaneColours(re, ini.ReadInteger(t::Section, panes[i].textKey, re.Font.Color),
                       ini.ReadInteger(t::Section, panes[i].backKey, re.Color));
        rtl::TStringList lines;  // a file's text brings line breaks of its own
        lines.SetText(text[i].Text());
        ReplaceChangedLines(re, lines);
        re.SetSelStart(i == (int)ListPane::Past ? re.GetTextLen() : 0);
        SendMessageA(re.Handle, EM_SCROLLCARET, 0, 0);
        if (i != (int)ListPane::Past) SendMessageA(re.Handle, WM_VSCROLL, SB_TOP, 0);
    }
    SendMessageA(Panel1.Handle, WM_SETREDRAW, TRUE, 0);
    for (int i = 0; i < 3; ++i) {
        const HWND h = panes[i].edit.Handle;
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | (VerticalBar(h) != bars[i] ? RDW_FRAME : 0));
    }
}

bool TForm2::ReadText(const std::string& path, TextMap& shown, std::string& text) {
    // A weekly entry shows on many days of one build: read once.
    if (auto known = shown.find(path); known != shown.end()) {
        text = known->second.text;
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a) || (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    auto join = [](DWORD high, DWORD low) { return (uint64_t)high << 32 | low; };
    FileText f{join(a.nFileSizeHigh, a.nFileSizeLow), join(a.ftLastWriteTime.dwHighDateTime, a.ftLastWriteTime.dwLowDateTime)};
    if (auto last = texts_.find(path); last != texts_.end() && last->second.size == f.size &&
                                       last->second.written == f.written) {
        f.text = last->second.text;
    } else {
        try {
            f.text = RichEdit2.ReadTextOf(path);
        } catch (const std::exception&) {
            return false;
        }
    }
    text = f.text;
    shown.emplace(path, std::move(f));
    return true;
}

// ---- base date and range ----

void TForm2::SpinEdit3Change() {
    const int y = SpinEdit3.Value(), m = SpinEdit4.Value(), d = SpinEdit5.Value();
    if (!rtl::IsValidDate(y, m, d)) {
        // A day beyond the month steps down; each step runs this again until the date exists.
        if (d > 1) SpinEdit5.SetValue(d - 1);
        return;
    }
    BitBtn8.SetEnabled(rtl::EncodeDate(y, m, d) != rtl::Date());
    BitBtn2.SetEnabled(true);
}

void TForm2::SpinEdit1Change() { BitBtn2.SetEnabled(true); }

void TForm2::BitBtn8Click() {
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    SpinEdit3.SetValue(y);
    SpinEdit4.SetValue(m);
    SpinEdit5.SetValue(d);
}

void TForm2::BitBtn1Click() {
    if (Form1 && Form1->Data2 && Form1->Data2->Enabled()) Form1->Data2->Click();
}

// ---- the panes' menu ----

tk::RichEdit* TForm2::MenuPane() {
    for (tk::RichEdit* r : {&RichEdit1, &RichEdit3, &RichEdit4})
        if (PopupMenu1.PopupComponent == r) return r;
    return nullptr;
}

void TForm2::Copy1Click() {
    if (tk::RichEdit* pane = MenuPane()) {
        pane->SetFocus();
        pane->CopyToClipboard();
    }
}

void TForm2::SelectAll1Click() {
    if (tk::RichEdit* pane = MenuPane()) {
        pane->SetFocus();
        pane->SelectAll();
    }
}

void TForm2::Close1Click() { Close(); }

std::string TForm2::ComposedText() {
    rtl::TStringList lines;
    lines.Add("Title:" + Caption());
    lines.Add("Print:" + FormatDateTime("yyyy/mm/dd \"(\"aaa\")\" hh:mm:ss", rtl::Now()));
    lines.Add("");
    for (tk::RichEdit* pane : {&RichEdit1, &RichEdit3, &RichEdit4}) {
        rtl::TStringList text = pane->Lines.List();
        for (int i = 0; i < text.Count(); ++i) lines.Add(text[i]);
    }
    return lines.Text();
}

// The composed text in the loader, in one plain format whatever the last loaded file held.
void TForm2::Compose() {
    RichEdit2.Lines.SetText(ComposedText());
    RichEdit2.SelectAll();
    RichEdit2.SelAttributes.Assign(PaneFont(tk::clBlack));
    RichEdit2.Paragraph.SetAlignment(tk::taLeftJustify);
    RichEdit2.Paragraph.SetNumbering(tk::nsNone);
    RichEdit2.Paragraph.SetFirstIndent(0);
    RichEdit2.Paragraph.SetLeftIndent(0);
    RichEdit2.Paragraph.SetRightIndent(0);
    RichEdit2.SetSelStart(0);
}

void TForm2::Text1Click() {
    SaveDialog1.FileName = tk::ExeDir() + "\\TODOLIST.TXT";
    SaveDialog1.Filter = "Text files (*.TXT)|*.TXT|All files (*.*)|*.*";
    SaveDialog1.Options = tk::ofOverwritePrompt | tk::ofPathMustExist | tk::ofHideReadOnly;
    if (!SaveDialog1.Execute()) return;
    if (!tk::WriteFileSafely(SaveDialog1.FileName, ComposedText()))
        tk::MessageDlg(Handle, "テキストファイルを保存できませんでした。\r\n" + SaveDialog1.FileName, Caption(),
                       MB_OK | MB_ICONHAND);
}

void TForm2::Print1Click() {
    if (!tk::ExecutePrintDialog(Handle)) return;
    Compose();
    tk::PrintRichEdit(RichEdit2, Caption());
}

// ---- pane layout ----

int TForm2::EqualPaneHeight() { return (Panel1.Height() - Bevel1.Height()) / 3 - Panel2.Height(); }

void TForm2::SetPaneHeights(int past, int today) {
    RichEdit1.SetHeight(std::max(0, past));
    RichEdit3.SetHeight(std::max(0, today));
    Panel1.Realign();
}

void TForm2::Panel2MouseDown(tk::MouseButton button, int, int x, int y) {
    if (button == tk::mbLeft) SplitControl->BeginSplit(Panel2, RichEdit1, x, y);
}

void TForm2::Panel3MouseDown(tk::MouseButton button, int, int x, int y) {
    if (button == tk::mbLeft) SplitControl->BeginSplit(Panel3, RichEdit3, x, y);
}

void TForm2::Panel2MouseMove(int, int x, int y) {
    if (SplitControl->IsSplitting()) SplitControl->MoveSplit(x, y);
}

void TForm2::Panel3MouseMove(int shift, int x, int y) { Panel2MouseMove(shift, x, y); }

bool TForm2::EndDrag() {
    if (!SplitControl->IsSplitting()) return false;
    SplitControl->EndSplit();
    Panel1.Realign();
    return true;
}

void TForm2::Panel2MouseUp(tk::MouseButton, int, int, int) {
    if (!EndDrag()) return;
    if (Panel2.Top() > Panel3.Top())
        SetPaneHeights((RichEdit3.Top() + RichEdit3.Height()) / 2 - 2, RichEdit3.Height());
    FormResize();
}

void TForm2::Panel3MouseUp(tk::MouseButton, int, int, int) {
    if (!EndDrag()) return;
    // The lower bar dragged up to the upper one or past it: three equal panes again.
    if (Panel2.Top() + Panel2.Height() >= Panel3.Top()) {
        const int h = EqualPaneHeight();
        SetPaneHeights(h, h);
    }
    FormResize();
}

// The future pane pushed out of sight: three equal panes again.
void TForm2::FormResize() {
    if (!RichEdit4.Handle) return;
    if (Panel1.Height() < Panel3.Top()) {
        const int h = EqualPaneHeight();
        SetPaneHeights(h, h);
    }
    for (tk::RichEdit* r : {&RichEdit1, &RichEdit3, &RichEdit4}) r->SetMargins();
}

// ---- frame: a fixed width, and side borders that move the window ----

LRESULT TForm2::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = Form::WndProc(msg, wp, lp);
    if (msg != WM_GETMINMAXINFO && msg != WM_NCHITTEST) return r;
    std::optional<int> left;
    if (Form1) left = Form1->Left();
    return FixedWidthFrame(Handle, msg, lp, r, Form1 ? Form1->Width() : Width(), 242, left);
}
