#include "toolkit/Buttons.h"

#include <algorithm>
#include <cstring>

namespace tk {

// ---- Button ----

Button::~Button() {
    if (self_) *self_ = nullptr;
}

void Button::CreateButton(Control& parent, const Ctl& p, DWORD style) {
    self_ = std::make_shared<Button*>(this);
    CreateChild(parent, "BUTTON", style | WS_TABSTOP, 0, p);
}

void Button::Create(Control& parent, const Ctl& p) {
    CreateButton(parent, p, (p.style & btDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (p.style & btDefault) SetDefault(true);
    if (p.style & btCancel) SetCancel(true);
}

Form* Button::ParentForm() const {
    Control* c = Parent;
    while (c && c->Parent) c = c->Parent;
    return dynamic_cast<Form*>(c);
}

static bool IsMultiLineEdit(HWND h) {
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    bool edit = lstrcmpiA(cls, "Edit") == 0 || _strnicmp(cls, "RichEdit", 8) == 0;
    return edit && (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE);
}

static bool IsDroppedCombo(HWND h) {
    for (HWND w = h; w; w = GetParent(w)) {
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (lstrcmpiA(cls, "ComboBox") == 0) return SendMessageA(w, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

void Button::HookForm() {
    Form* f = ParentForm();
    if (!f || !self_ || self_.use_count() > 1) return;  // hooked already
    auto self = self_;
    f->ShortCuts.push_back([self](WORD key, int shift) {
        Button* b = *self;
        if (!b || !b->Handle || (shift & (ssAlt | ssCtrl))) return false;
        if (!((key == VK_RETURN && b->default_) || (key == VK_ESCAPE && b->cancel_))) return false;
        if (!IsWindowVisible(b->Handle) || !IsWindowEnabled(b->Handle)) return false;
        HWND focus = GetFocus();
        if (IsDroppedCombo(focus)) return false;
        if (key == VK_RETURN) {
            // A focused button takes Enter itself; a multi-line text box makes a new line.
            if (Control* c = FromHandle(focus); c && dynamic_cast<Button*>(c)) return false;
            if (focus && IsMultiLineEdit(focus)) return false;
        }
        Guard([b] { b->Click(); });
        return true;
    });
}

void Button::SetDefault(bool v) {
    default_ = v;
    if (Handle && !(GetWindowLongA(Handle, GWL_STYLE) & BS_OWNERDRAW))
        SendMessageA(Handle, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (v) HookForm();
    Invalidate();
}

void Button::SetCancel(bool v) {
    cancel_ = v;
    if (v) HookForm();
}

void Button::Click() {
    if (ModalResult != mrNone)
        if (Form* f = ParentForm(); f && f->IsModal()) f->ModalResult = ModalResult;
    if (OnClick) OnClick();
}

bool Button::HandleCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

LRESULT Button::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR && wp == '\r') {
        Click();
        return 0;
    }
    if (msg == WM_GETDLGCODE) {
        // Owner-drawn buttons would otherwise not be told apart from plain ones by the dialog keys.
        LRESULT r = DefaultHandler(msg, wp, lp);
        return r | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    return Control::WndProc(msg, wp, lp);
}

// ---- BitBtn ----

static const char* KindCaption(TBitBtnKind k) {
    switch (k) {
        case bkOK: return "OK";
        case bkCancel: return "キャンセル";
        case bkHelp: return "ヘルプ(&H)";
        case bkYes: return "はい(&Y)";
        case bkNo: return "いいえ(&N)";
        case bkClose: return "閉じる(&C)";
        case bkAbort: return "中止";
        case bkRetry: return "再試行(&R)";
        case bkIgnore: return "無視(&I)";
        case bkAll: return "すべて(&A)";
        default: return "";
    }
}

static int KindResult(TBitBtnKind k) {
    switch (k) {
        case bkOK: return mrOk;
        case bkCancel: return mrCancel;
        case bkYes: return mrYes;
        case bkNo: return mrNo;
        case bkAbort: return mrAbort;
        case bkRetry: return mrRetry;
        case bkIgnore: return mrIgnore;
        case bkAll: return mrAll;
        default: return mrNone;
    }
}

void BitBtn::Create(Control& parent, const Ctl& p) {
    Ctl q = p;
    TBitBtnKind k = (TBitBtnKind)(p.style & 0xFF);
    if (k > bkAll) k = bkCustom;
    if (q.caption.empty()) q.caption = KindCaption(k);
    CreateButton(parent, q, BS_OWNERDRAW);
    SetKind(k);
    if (p.style & btDefault) SetDefault(true);
    if (p.style & btCancel) SetCancel(true);
}

void BitBtn::SetKind(TBitBtnKind k) {
    if (Handle && (Caption().empty() || Caption() == KindCaption(kind_))) SetCaption(KindCaption(k));
    kind_ = k;
    stock_.Clear();
    if (k != bkCustom) DrawStockGlyph(k, stock_);
    ModalResult = KindResult(k);
    if (k == bkOK || k == bkYes) SetDefault(true);
    if (k == bkCancel || k == bkNo) SetCancel(true);
    Invalidate();
}

void BitBtn::SetGlyph(const TBitmap& b) {
    glyph_.Assign(b);
    Invalidate();
}

void BitBtn::SetGlyph(HBITMAP h) {
    glyph_.Assign(h);
    Invalidate();
}

bool BitBtn::LoadGlyph(HINSTANCE inst, const std::string& resource) {
    bool ok = glyph_.LoadFromResourceName(inst, resource);
    Invalidate();
    return ok;
}

void BitBtn::SetNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (numGlyphs_ == n) return;
    numGlyphs_ = n;
    Invalidate();
}

void BitBtn::SetLayout(Layout l) {
    if (layout_ == l) return;
    layout_ = l;
    Invalidate();
}

void BitBtn::Click() {
    if (kind_ == bkClose) {
        if (Form* f = ParentForm()) {
            f->Close();
            return;
        }
    }
    Button::Click();
}

const TBitmap* BitBtn::ShownGlyph() {
    if (!glyph_.Empty()) return &glyph_;
    if (!stock_.Empty()) return &stock_;
    return nullptr;
}

// Paints the non-transparent pixels of a glyph image in one colour.
static void PaintSilhouette(HDC dc, int x, int y, int w, int h, HDC mask, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    HGDIOBJ old = SelectObject(dc, b);
    COLORREF tc = SetTextColor(dc, RGB(0, 0, 0)), bc = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, w, h, mask, 0, 0, 0x00B8074A);  // pattern where the mask is 0, else keep
    SetTextColor(dc, tc);
    SetBkColor(dc, bc);
    SelectObject(dc, old);
    DeleteObject(b);
}

bool BitBtn::HandleDrawItem(DRAWITEMSTRUCT* di) {
    HDC dc = di->hDC;
    RECT r = di->rcItem;
    bool pressed = di->itemState & ODS_SELECTED, focused = di->itemState & ODS_FOCUS,
         disabled = di->itemState & ODS_DISABLED;
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &r, face);
    DeleteObject(face);
    if (default_ || focused) {
        FrameRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
        InflateRect(&r, -1, -1);
    }
    if (pressed) {
        HBRUSH sh = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
        FrameRect(dc, &r, sh);
        DeleteObject(sh);
    } else {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    }
    RECT area = r;
    InflateRect(&area, -3, -3);
    if (pressed) OffsetRect(&area, 1, 1);

    HGDIOBJ oldFont = SelectObject(dc, EffectiveFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    std::string text = Caption();
    const TBitmap* g = ShownGlyph();
    int gw = g ? g->Width() / (g == &glyph_ ? numGlyphs_ : 1) : 0, gh = g ? g->Height() : 0;
    SIZE ts{0, 0};
    if (!text.empty()) {
        RECT tr{0, 0, area.right - area.left, 0};
        DrawTextA(dc, text.c_str(), (int)text.size(), &tr, DT_CALCRECT | DT_SINGLELINE);
        ts = {tr.right, tr.bottom};
    }
    int aw = area.right - area.left, ah = area.bottom - area.top;
    bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    int gap = (g && !text.empty()) ? Spacing : 0;
    int total = horizontal ? gw + gap + ts.cx : gh + gap + ts.cy;
    int start = Margin >= 0 ? Margin : ((horizontal ? aw : ah) - total) / 2;
    POINT gp, tp;
    if (horizontal) {
        gp.y = area.top + (ah - gh) / 2;
        tp.y = area.top + (ah - ts.cy) / 2;
        int first = area.left + start;
        if (layout_ == blGlyphLeft) { gp.x = first; tp.x = first + gw + gap; }
        else { tp.x = first; gp.x = first + ts.cx + gap; }
    } else {
        gp.x = area.left + (aw - gw) / 2;
        tp.x = area.left + (aw - ts.cx) / 2;
        int first = area.top + start;
        if (layout_ == blGlyphTop) { gp.y = first; tp.y = first + gh + gap; }
        else { tp.y = first; gp.y = first + ts.cy + gap; }
    }

    if (g) {
        TBitmap* gm = const_cast<TBitmap*>(g);
        HDC gdc = gm->Canvas().Handle;
        COLORREF trans = ::GetPixel(gdc, 0, gh - 1);
        int n = g == &glyph_ ? numGlyphs_ : 1;
        int index = disabled && n > 1 ? 1 : pressed && n > 2 ? 2 : 0;
        if (disabled && n < 2) {
            HDC mdc = CreateCompatibleDC(dc);
            HBITMAP mono = CreateBitmap(gw, gh, 1, 1, nullptr);
            HGDIOBJ oldMono = SelectObject(mdc, mono);
            COLORREF bk = SetBkColor(gdc, trans);
            BitBlt(mdc, 0, 0, gw, gh, gdc, 0, 0, SRCCOPY);  // transparent pixels become 1
            SetBkColor(gdc, bk);
            PaintSilhouette(dc, gp.x + 1, gp.y + 1, gw, gh, mdc, GetSysColor(COLOR_BTNHIGHLIGHT));
            PaintSilhouette(dc, gp.x, gp.y, gw, gh, mdc, GetSysColor(COLOR_BTNSHADOW));
            SelectObject(mdc, oldMono);
            DeleteObject(mono);
            DeleteDC(mdc);
        } else {
            TransparentBlt(dc, gp.x, gp.y, gw, gh, gdc, index * gw, 0, gw, gh, trans);
        }
    }
    if (!text.empty()) {
        RECT tr{tp.x, tp.y, tp.x + ts.cx, tp.y + ts.cy};
        if (disabled) {
            RECT hr = tr;
            OffsetRect(&hr, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, text.c_str(), (int)text.size(), &hr, DT_SINGLELINE);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        } else {
            SetTextColor(dc, ColorToRGB(EffectiveFont().Color == clWindowText ? clBtnText : EffectiveFont().Color));
        }
        DrawTextA(dc, text.c_str(), (int)text.size(), &tr, DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
    if (focused) {
        RECT fr = r;
        InflateRect(&fr, -3, -3);
        DrawFocusRect(dc, &fr);
    }
    return true;
}

// ---- stock glyphs, drawn rather than stored ----

void DrawStockGlyph(TBitBtnKind kind, TBitmap& out) {
    out.SetSize(16, 16);
    TCanvas& c = out.Canvas();
    const TColor key = clTeal;  // transparent colour; no glyph uses it
    c.Brush.Color = key;
    c.FillRect({0, 0, 16, 16});
    auto pen = [&](TColor col, int w) {
        c.Pen.Color = col;
        c.Pen.Width = w;
    };
    auto line = [&](int x1, int y1, int x2, int y2) {
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    // A curved arrow: a 2-pixel arc with a filled head.
    auto arrow = [&](TColor col, RECT box, POINT from, POINT to, POINT head0, POINT head1, POINT head2) {
        HPEN p = CreatePen(PS_SOLID, 2, ColorToRGB(col));
        HGDIOBJ o = SelectObject(c.Handle, p);
        Arc(c.Handle, box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
        SelectObject(c.Handle, o);
        DeleteObject(p);
        c.Brush.Style = BrushStyle::Solid;
        c.Brush.Color = col;
        pen(col, 1);
        POINT a[3] = {head0, head1, head2};
        c.Polygon(a, 3);
    };
    switch (kind) {
        case bkOK:
        case bkYes:
            pen(clGreen, 3);
            line(3, 8, 6, 11);
            line(6, 11, 12, 4);
            break;
        case bkAll:
            pen(clGreen, 2);
            line(1, 8, 4, 11);
            line(4, 11, 9, 4);
            line(6, 8, 9, 11);
            line(9, 11, 14, 4);
            break;
        case bkCancel:
            pen(clRed, 3);
            line(4, 4, 12, 12);
            line(12, 4, 4, 12);
            break;
        case bkNo:
            pen(clRed, 2);
            c.Brush.Style = BrushStyle::Clear;
            c.Ellipse(2, 2, 14, 14);
            line(4, 4, 12, 12);
            break;
        case bkAbort:
            pen(clRed, 1);
            c.Brush.Style = BrushStyle::Solid;
            c.Brush.Color = clRed;
            c.Ellipse(1, 1, 15, 15);
            pen(clWhite, 2);
            line(5, 5, 11, 11);
            line(11, 5, 5, 11);
            break;
        case bkRetry:
            // nearly a full turn, open at the top right
            arrow(clGreen, {2, 2, 14, 14}, {9, 2}, {13, 5}, {10, 1}, {15, 2}, {13, 7});
            break;
        case bkIgnore:
            pen(clGray, 2);
            line(2, 13, 14, 13);
            arrow(clNavy, {2, 3, 14, 19}, {14, 10}, {2, 10}, {11, 9}, {15, 9}, {13, 13});
            break;
        case bkHelp: {
            TFont f;
            f.Name = "Arial";
            f.Size = 11;
            f.Style = fsBold;
            f.Color = clNavy;
            c.Font = f;
            c.Brush.Style = BrushStyle::Clear;
            c.DrawText("?", {0, 0, 16, 16}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        case bkClose:
            pen(clMaroon, 1);
            c.Brush.Style = BrushStyle::Solid;
            c.Brush.Color = clOlive;
            c.Rectangle(4, 1, 13, 15);
            c.Brush.Color = clYellow;
            {
                POINT door[4] = {{4, 1}, {9, 3}, {9, 15}, {4, 14}};
                c.Polygon(door, 4);
            }
            c.SetPixel(8, 8, clBlack);
            break;
        default: break;
    }
    c.SetPixel(0, 15, key);  // keep the corner that names the transparent colour
}

}  // namespace tk
