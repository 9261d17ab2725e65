#include "controls/CalEx.h"

#include "calendar/Julius.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

using tk::TColor;

namespace {

const TColor kDefaultColors[6] = {0x000000, 0x000080, 0x800000, 0x000080, 0x0000FF, 0x808080};

// A plain "month,day" item, the form the owner writes: read without the comma-text reader, since
// every cell painted reads every item (a month's marks run to hundreds).
bool PlainItemDate(const std::string& item, int& m, int& d) {
    int* field = &m;
    int digits = 0;
    m = d = 0;
    for (char c : item) {
        if (c == ',' && field == &m && digits) {
            field = &d;
            digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 9) {
            *field = *field * 10 + (c - '0');
            ++digits;
        } else {
            return false;
        }
    }
    return field == &d && digits;
}

// Month and day of a list item, and its name field when asked. A malformed item matches nothing,
// so a bad list can never make painting fail.
bool ItemDate(const std::string& item, int& m, int& d, std::string* name = nullptr) {
    if (PlainItemDate(item, m, d)) {
        if (name) name->clear();
        return true;
    }
    rtl::TStringList f;
    f.SetCommaText(item);
    if (f.Count() < 2 || !rtl::TryStrToInt(f[0], m) || !rtl::TryStrToInt(f[1], d)) return false;
    if (name) *name = f.Count() > 2 ? f[2] : std::string();
    return true;
}

bool InList(const rtl::TStringList& list, int m, int d) {
    int im, id;
    for (const std::string& s : list.Strings)
        if (ItemDate(s, im, id) && im == m && id == d) return true;
    return false;
}

void AddNames(const rtl::TStringList& list, int m, int d, rtl::TStringList& out) {
    int im, id;
    std::string name;
    for (const std::string& s : list.Strings)
        if (ItemDate(s, im, id, &name) && im == m && id == d && !name.empty()) out.Add(name);
}

std::string ShortDayName(int weekday) {  // 1 = Sunday
    char buf[32] = {};
    // The locale numbers its abbreviated names from Monday.
    LCTYPE t = LOCALE_SABBREVDAYNAME1 + (weekday + 5) % 7;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, t, buf, sizeof buf) > 1) return buf;
    return rtl::FormatDateTime("ddd", rtl::EncodeDate(2000, 1, 1 + weekday));  // 2000-01-02 was a Sunday
}

}  // namespace

TCalendarEx::TCalendarEx() {
    for (int i = 0; i < 6; ++i) Colors_[i] = kDefaultColors[i];
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    Year_ = y;
    Month_ = (unsigned short)m;
    Day_ = (unsigned short)d;
    MonthChanged();
}

void TCalendarEx::Create(tk::Control& parent, const tk::Ctl& p) {
    Color = tk::clWindow;
    CreateCustom(parent, WS_TABSTOP, WS_EX_CLIENTEDGE, p);
    Layout();
    MonthChanged();
    Change();
}

// ---- properties

void TCalendarEx::SetYear(int v) {
    if (v == Year_) return;
    Year_ = v;
    MonthChanged();
}

void TCalendarEx::SetMonth(int v) {
    if (v < 1 || v > 12 || v == Month_) return;
    Month_ = (unsigned short)v;
    MonthChanged();
}

void TCalendarEx::SetDay(int v) {
    if (v == Day_ || v < 1 || v > DaysInMonth(Year_, Month_) || !DateExists(Year_, Month_, v)) return;
    Day_ = (unsigned short)v;
    SelectDay();
}

void TCalendarEx::SetTypeOfDayList(const rtl::TStringList& l) {
    if (l.Strings == TypeOfDayList_.Strings) return;
    TypeOfDayList_ = l;
    SelectDay();
}

void TCalendarEx::SetSpecialDayList(const rtl::TStringList& l) {
    if (l.Strings == SpecialDayList_.Strings) return;
    SpecialDayList_ = l;
    SelectDay();
}

TColor TCalendarEx::GetDayColor(int index) const { return index >= 0 && index < 6 ? Colors_[index] : tk::clBlack; }

void TCalendarEx::SetDayColor(int index, TColor c) {
    if (index < 0 || index >= 6 || Colors_[index] == c) return;
    Colors_[index] = c;
    Invalidate();
}

void TCalendarEx::SetAutoEquinox(bool v) {
    if (v == AutoEquinox_) return;
    AutoEquinox_ = v;
    Invalidate();
}

void TCalendarEx::SetShowNeighbor(bool v) {
    if (v == ShowNeighbor_) return;
    ShowNeighbor_ = v;
    Invalidate();
}

void TCalendarEx::SetGridLineWidth(int v) {
    if (v < 0 || v == GridLineWidth_) return;
    GridLineWidth_ = v;
    Layout();
    Invalidate();
}

// ---- day arithmetic

int TCalendarEx::DayOfWeekOf(int y, int m, int d) const { return DayOfWeekFromJD(JulianDay(y, m, d)); }

bool TCalendarEx::DateExists(int y, int m, int d) const {
    try {
        JulianDay(y, m, d);
        return true;
    } catch (const EJuliusError&) {
        return false;
    }
}

unsigned short TCalendarEx::TypeOfDay(int y, int m, int d) const {
    int wd = DayOfWeekOf(y, m, d);
    unsigned short f = 0;
    if (wd == 1) f |= dtSunday;
    if (wd == 7) f |= dtSaturday;
    if (InList(SpecialDayList_, m, d)) f |= dtSpecialDay;
    if (AutoEquinox_) {
        int jd = JulianDay(y, m, d);
        if (jd == VernalEquinoxJD(y) || jd == AutumnalEquinoxJD(y)) f |= dtEquinox;
    }
    if (InList(TypeOfDayList_, m, d)) f |= dtHoliday;
    if (wd == 2 && IsSubstituteHoliday(y, m, d)) {
        f |= dtSubstitute;
        // A Monday May 4 after a Sunday May 3 counts as the substitute, not as its own entry.
        if (m == 5 && d == 4) f &= (unsigned short)~dtHoliday;
    }
    return f;
}

bool TCalendarEx::IsSubstituteHoliday(int y, int m, int d) const {
    int pm = m, pd = d - 1;
    if (d == 1) {
        pm = m == 1 ? 12 : m - 1;
        pd = m == 1 ? 31 : DaysInMonth(y, pm);
    }
    return InList(TypeOfDayList_, pm, pd);
}

std::string TCalendarEx::TypeOfDayTextOf(int y, int m, int d) const {
    unsigned short f = TypeOfDay(y, m, d);
    rtl::TStringList names;
    if (f & dtSpecialDay) AddNames(SpecialDayList_, m, d, names);
    if (f & dtHoliday) AddNames(TypeOfDayList_, m, d, names);
    if (AutoEquinox_ && (f & dtEquinox)) {
        int jd = JulianDay(y, m, d);
        if (jd == VernalEquinoxJD(y)) names.Add("春分の日");
        else if (jd == AutumnalEquinoxJD(y)) names.Add("秋分の日");
    }
    if (f & dtSubstitute) names.Add("振替休日");
    return names.Count() ? names.CommaText() : std::string();
}

// ---- cells

int TCalendarEx::CellToDay(int col, int row) const {
    if (row == 0) return 0;
    int n = col - FirstWeekday_ + 2 + 7 * (row - 1);
    int len = DaysInMonth(Year_, Month_);
    if (n >= 1 && n <= len) return n;
    if (n > len) return 200 + (n - len);
    int prevLen = Month_ == 1 ? 31 : DaysInMonth(Year_, Month_ - 1);
    return 100 + prevLen + n;
}

void TCalendarEx::CellDate(int code, int& y, int& m, int& d) const {
    y = Year_;
    m = Month_;
    d = code % 100;
    if (code > 200) {
        if (++m > 12) { m = 1; ++y; }
    } else if (code > 100) {
        if (--m < 1) { m = 12; --y; }
    }
}

bool TCalendarEx::CellExists(int col, int row) const {
    int code = CellToDay(col, row);
    if (code == 0) return true;
    int y, m, d;
    CellDate(code, y, m, d);
    return DateExists(y, m, d);
}

std::string TCalendarEx::CellText(int col, int row) const {
    if (row == 0) return ShortDayName(col + 1);
    int k = CellToDay(col, row);
    if (k == 0 || !CellExists(col, row)) return "";
    if (k >= 100) return ShowNeighbor_ ? rtl::IntToStr(k % 100) : "";
    return rtl::IntToStr(k);
}

TColor TCalendarEx::CellColor(int col, int row) const {
    if (row == 0) return tk::clBlack;
    int k = CellToDay(col, row);
    // A neighbouring day takes its own colour whatever its type, so its type is not needed.
    if (k > 100 || !CellExists(col, row)) return Colors_[5];
    unsigned short f = TypeOfDay(Year_, Month_, k);
    if (f & dtSpecialDay) return Colors_[4];
    if (f & (dtHoliday | dtEquinox | dtSubstitute)) return Colors_[3];
    if (f & dtSunday) return Colors_[1];
    if (f & dtSaturday) return Colors_[2];
    return Colors_[0];
}

RECT TCalendarEx::CellRect(int col, int row) const {
    int l = col * (ColWidth_ + GridLineWidth_), t = row * (RowHeight_ + GridLineWidth_);
    return RECT{l, t, l + ColWidth_, t + RowHeight_};
}

bool TCalendarEx::HitTest(int x, int y, int& col, int& row) const {
    if (x < 0 || y < 0 || ColWidth_ + GridLineWidth_ <= 0 || RowHeight_ + GridLineWidth_ <= 0) return false;
    col = x / (ColWidth_ + GridLineWidth_);
    row = y / (RowHeight_ + GridLineWidth_);
    return col < 7 && row < 7;
}

// ---- selection and events

void TCalendarEx::MonthChanged() {
    FirstWeekday_ = DayOfWeekOf(Year_, Month_, 1);
    int len = DaysInMonth(Year_, Month_);
    if (Day_ <= len && DateExists(Year_, Month_, Day_)) {
        SelectDay();
        return;
    }
    // Lowered until the day exists: the month's last day, or October 4 for 1582-10-05..14.
    int d = Day_ <= len ? Day_ : len;
    while (d > 1 && !DateExists(Year_, Month_, d)) --d;
    SetDay(d);
}

void TCalendarEx::SelectDay() {
    Col_ = (Day_ + FirstWeekday_ + 5) % 7;
    Row_ = (Day_ + FirstWeekday_ - 2) / 7 + 1;
    Invalidate();
    Change();
}

void TCalendarEx::Change() {
    if (OnChange) OnChange();
}

void TCalendarEx::Click() {
    if (OnClick) OnClick();
    int k = CellToDay(Col_, Row_);
    if (k >= 1 && k <= 31) Day_ = (unsigned short)k;
    Change();
}

bool TCalendarEx::SelectCell(int col, int row) {
    int k = CellToDay(col, row);
    return k != 0 && k < 101 && CellExists(col, row);
}

void TCalendarEx::MoveCurrent(int col, int row) {
    if (!SelectCell(col, row)) return;
    Col_ = col;
    Row_ = row;
    Invalidate();
    Click();
}

void TCalendarEx::KeyMove(WORD key, int shift) {
    int c = Col_, r = Row_;
    if (shift & tk::ssCtrl) {
        switch (key) {
            case VK_PRIOR: r = 1; break;
            case VK_NEXT: r = 6; break;
            case VK_HOME: c = 0; r = 1; break;
            case VK_END: c = 6; r = 6; break;
            default: return;
        }
    } else {
        switch (key) {
            case VK_UP: --r; break;
            case VK_DOWN: ++r; break;
            case VK_LEFT: --c; break;
            case VK_RIGHT: ++c; break;
            case VK_PRIOR: r -= 5; break;  // one page: the rows below the top one
            case VK_NEXT: r += 5; break;
            case VK_HOME: c = 0; break;
            case VK_END: c = 6; break;
            default: return;
        }
    }
    c = c < 0 ? 0 : c > 6 ? 6 : c;
    r = r < 1 ? 1 : r > 6 ? 6 : r;
    if (c != Col_ || r != Row_) MoveCurrent(c, r);
}

// ---- window

void TCalendarEx::Layout() {
    if (!Handle) return;
    RECT rc = ClientRect();
    int w = rc.right - 7 * GridLineWidth_, h = rc.bottom - 7 * GridLineWidth_;
    if (w <= 0 || h <= 0) return;
    ColWidth_ = w / 7;
    RowHeight_ = h / 7;
    // Shrink so that the seven columns and rows fill the control exactly.
    if (w % 7 || h % 7) SetBounds(Left(), Top(), Width() - w % 7, Height() - h % 7);
}

LRESULT TCalendarEx::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            Layout();
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN: {
            if (IsWindowVisible(Handle) && IsWindowEnabled(Handle) && GetFocus() != Handle) ::SetFocus(Handle);
            int c, r;
            if (HitTest((short)LOWORD(lp), (short)HIWORD(lp), c, r) && r >= 1) MoveCurrent(c, r);
            break;
        }
        case WM_LBUTTONUP:
            // The grid's click is the cell move above, not the button's release.
            if (GetCapture() == Handle) ReleaseCapture();
            break;
        case WM_KEYDOWN: {
            WORD key = (WORD)wp;
            int shift = KeyShift();
            if (OnKeyDown) OnKeyDown(key, shift);
            if (key) KeyMove(key, shift);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();  // the focus frame
            break;
    }
    return Control::WndProc(msg, wp, lp);
}

void TCalendarEx::Paint(tk::TCanvas& canvas) { PaintTo(canvas); }

void TCalendarEx::PaintTo(tk::TCanvas& canvas) {
    RECT all{0, 0, 7 * (ColWidth_ + GridLineWidth_), 7 * (RowHeight_ + GridLineWidth_)};
    if (Handle) {
        RECT rc = ClientRect();
        if (rc.right > all.right) all.right = rc.right;
        if (rc.bottom > all.bottom) all.bottom = rc.bottom;
    }
    canvas.Brush.Style = tk::BrushStyle::Solid;
    canvas.Brush.Color = EffectiveColor();
    canvas.FillRect(all);
    // Grid lines: black under and between the header cells, silver between the days.
    int g = GridLineWidth_;
    if (g > 0) {
        int right = 7 * (ColWidth_ + g), bottom = 7 * (RowHeight_ + g);
        canvas.Brush.Color = tk::clSilver;
        for (int i = 1; i <= 7; ++i) {
            canvas.FillRect(RECT{i * (ColWidth_ + g) - g, 0, i * (ColWidth_ + g), bottom});
            canvas.FillRect(RECT{0, i * (RowHeight_ + g) - g, right, i * (RowHeight_ + g)});
        }
        canvas.Brush.Color = tk::clBlack;
        canvas.FillRect(RECT{0, RowHeight_, right, RowHeight_ + g});
        for (int i = 1; i <= 7; ++i) canvas.FillRect(RECT{i * (ColWidth_ + g) - g, 0, i * (ColWidth_ + g), RowHeight_});
    }
    bool focused = Handle && Focused();
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            RECT rc = CellRect(c, r);
            bool selected = r > 0 && c == Col_ && r == Row_;
            canvas.Font = EffectiveFont();
            canvas.Brush.Style = tk::BrushStyle::Solid;
            canvas.Brush.Color = r == 0 ? tk::clBtnFace : EffectiveColor();
            if (selected) {
                canvas.Brush.Color = tk::clHighlight;
                canvas.Font.Color = tk::clHighlightText;
            }
            DrawCell(canvas, c, r, rc, selected);
            if (r == 0) DrawEdge(canvas.Handle, &rc, BDR_RAISEDINNER, BF_RECT);
            if (selected && focused) DrawFocusRect(canvas.Handle, &rc);
        }
}

void TCalendarEx::DrawCell(tk::TCanvas& canvas, int col, int row, const RECT& r, bool selected) {
    std::string text = CellText(col, row);
    TColor color = CellColor(col, row);
    if (selected) canvas.Brush.Color = color;
    else canvas.Font.Color = color;
    int x = r.left + (r.right - r.left - canvas.TextWidth(text)) / 2;
    int y = r.top + (r.bottom - r.top - canvas.TextHeight(text)) / 2;
    canvas.TextRect(r, x, y, text);
}
