#include "controls/PnlBtn.h"

#include <cstring>

namespace {

// Source white paints the brush, source black keeps the destination (DSPDxax).
constexpr DWORD kRopPaintWhereSet = 0x00E20746;

// A memory DC with a bitmap of its own; Unselect frees the bitmap for an image list.
struct MemBitmap {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    int w, h;
    MemBitmap(int width, int height, bool mono) : w(width), h(height) {
        bmp = mono ? CreateBitmap(w, h, 1, 1, nullptr) : tk::CreateColorBitmap(w, h);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bmp);
        if (mono) PatBlt(dc, 0, 0, w, h, BLACKNESS);
    }
    ~MemBitmap() {
        Unselect();
        DeleteObject(bmp);
    }
    MemBitmap(const MemBitmap&) = delete;
    MemBitmap& operator=(const MemBitmap&) = delete;
    void Unselect() {
        if (!dc) return;
        SelectObject(dc, old);
        DeleteDC(dc);
        dc = nullptr;
    }
};

// A monochrome picture of the image at (x, 0) of src: 1 where the pixel has colour key.
void MarkColour(MemBitmap& mask, HDC src, int x, COLORREF key, DWORD rop = SRCCOPY) {
    COLORREF bk = SetBkColor(src, key);
    BitBlt(mask.dc, 0, 0, mask.w, mask.h, src, x, 0, rop);
    SetBkColor(src, bk);
}

// Paints colour into dst at (x, y) wherever the monochrome mask is 1.
void PaintWhereSet(HDC dst, int x, int y, const MemBitmap& mask, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dst, b);
    COLORREF tc = SetTextColor(dst, RGB(0, 0, 0)), bc = SetBkColor(dst, RGB(255, 255, 255));
    BitBlt(dst, x, y, mask.w, mask.h, mask.dc, 0, 0, kRopPaintWhereSet);
    SetTextColor(dst, tc);
    SetBkColor(dst, bc);
    SelectObject(dst, old);
    DeleteObject(b);
}

std::unique_ptr<TGlyphCache> gCache;
int gButtons = 0;

TGlyphCache& Cache() {
    if (!gCache) gCache = std::make_unique<TGlyphCache>();
    return *gCache;
}

}  // namespace

// ---- layout ----

TGlyphPlacement PlaceGlyph(const RECT& content, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                           int spacing) {
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    const SIZE client{content.right - content.left, content.bottom - content.top};
    POINT g{0, 0}, t{0, 0};
    // Across the layout axis both are centred.
    if (across) {
        g.y = (client.cy - glyph.cy + 1) / 2;
        t.y = (client.cy - text.cy + 1) / 2;
    } else {
        g.x = (client.cx - glyph.cx + 1) / 2;
        t.x = (client.cx - text.cx + 1) / 2;
    }
    if (text.cx == 0 || glyph.cx == 0) spacing = 0;
    const int length = across ? client.cx : client.cy;
    const int gl = across ? glyph.cx : glyph.cy, tl = across ? text.cx : text.cy;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (length - gl - tl) / 3;
            spacing = margin;
        } else {
            margin = (length - gl - spacing - tl + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (length - margin - gl - tl) / 2;
    }
    switch (layout) {
        case blGlyphLeft: g.x = margin; t.x = g.x + gl + spacing; break;
        case blGlyphRight: g.x = length - margin - gl; t.x = g.x - spacing - tl; break;
        case blGlyphTop: g.y = margin; t.y = g.y + gl + spacing; break;
        case blGlyphBottom: g.y = length - margin - gl; t.y = g.y - spacing - tl; break;
    }
    g.x += content.left;
    g.y += content.top;
    t.x += content.left;
    t.y += content.top;
    return {g, {t.x, t.y, t.x + text.cx, t.y + text.cy}};
}

// ---- TGlyphList ----

TGlyphList::TGlyphList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)), width_(width), height_(height) {}

TGlyphList::~TGlyphList() {
    if (list_) ImageList_Destroy(list_);
}

int TGlyphList::Add(HBITMAP image, HBITMAP mask) {
    for (size_t i = 0; i < used_.size(); ++i) {
        if (used_[i]) continue;
        if (!ImageList_Replace(list_, (int)i, image, mask)) return -1;
        used_[i] = true;
        ++count_;
        return (int)i;
    }
    int i = ImageList_Add(list_, image, mask);
    if (i < 0) return -1;
    used_.resize(i + 1);
    used_[i] = true;
    ++count_;
    return i;
}

void TGlyphList::Delete(int index) {
    if (index < 0 || index >= (int)used_.size() || !used_[index]) return;
    used_[index] = false;
    --count_;
}

// ---- TGlyphCache ----

TGlyphList* TGlyphCache::GetList(int width, int height) {
    for (auto& l : lists_)
        if (l->Width() == width && l->Height() == height) return l.get();
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (!list || list->Count() > 0) return;
    for (auto it = lists_.begin(); it != lists_.end(); ++it)
        if (it->get() == list) {
            lists_.erase(it);
            return;
        }
}

// ---- TBtnGlyph ----

void TBtnGlyph::SetGlyph(const tk::TBitmap& bmp) {
    Invalidate();
    original_.Assign(bmp);
    if (!original_.Empty()) transparent_ = GetPixel(original_.Canvas().Handle, 0, original_.Height() - 1);
}

void TBtnGlyph::SetNumGlyphs(int n) {
    if (n == numGlyphs_) return;
    Invalidate();
    numGlyphs_ = n;
}

void TBtnGlyph::Invalidate() {
    for (int& i : index_) {
        if (i >= 0 && list_) list_->Delete(i);
        i = -1;
    }
    if (list_ && gCache) gCache->ReturnList(list_);
    list_ = nullptr;
}

SIZE TBtnGlyph::GlyphSize() const {
    if (original_.Empty()) return {0, 0};
    return {original_.Width() / numGlyphs_, original_.Height()};
}

// The image of a state, made on first use: up and down on the button face, flat masked by the
// transparent colour, disabled from the second image recoloured or else embossed.
int TBtnGlyph::StateImage(int state) {
    if (original_.Empty()) return -1;
    COLORREF now[3] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    if (std::memcmp(now, madeWith_, sizeof now) != 0) {
        Invalidate();
        std::memcpy(madeWith_, now, sizeof now);
    }
    if (index_[state] >= 0) return index_[state];
    SIZE gs = GlyphSize();
    if (gs.cx <= 0 || gs.cy <= 0) return -1;
    if (!list_) list_ = Cache().GetList(gs.cx, gs.cy);
    const COLORREF face = now[0], highlight = now[1], shadow = now[2];
    HDC src = original_.Canvas().Handle;
    const int sx = (state < numGlyphs_ ? state : 0) * gs.cx;
    MemBitmap image(gs.cx, gs.cy, false), mask(gs.cx, gs.cy, true);
    auto recolour = [&](COLORREF from, COLORREF to) {
        MemBitmap m(gs.cx, gs.cy, true);
        MarkColour(m, src, sx, from);
        PaintWhereSet(image.dc, 0, 0, m, to);
    };
    if (state == pbDisabled && numGlyphs_ < 2) {
        // The glyph's shape (every pixel but the transparent colour and white), in relief.
        MemBitmap shape(gs.cx, gs.cy, true);
        MarkColour(shape, src, sx, transparent_);
        MarkColour(shape, src, sx, RGB(255, 255, 255), SRCPAINT);
        PatBlt(shape.dc, 0, 0, gs.cx, gs.cy, DSTINVERT);
        HBRUSH b = CreateSolidBrush(face);
        RECT all{0, 0, gs.cx, gs.cy};
        FillRect(image.dc, &all, b);
        DeleteObject(b);
        PaintWhereSet(image.dc, 1, 1, shape, highlight);
        PaintWhereSet(image.dc, 0, 0, shape, shadow);
    } else {
        BitBlt(image.dc, 0, 0, gs.cx, gs.cy, src, sx, 0, SRCCOPY);
        if (state == pbDisabled) {
            recolour(RGB(255, 255, 255), highlight);
            recolour(RGB(128, 128, 128), shadow);
            recolour(transparent_, face);
        } else if (state == pbFlat) {
            MarkColour(mask, src, sx, transparent_);
            PaintWhereSet(image.dc, 0, 0, mask, RGB(0, 0, 0));
        } else {
            recolour(transparent_, face);
        }
    }
    image.Unselect();
    mask.Unselect();
    index_[state] = list_->Add(image.bmp, mask.bmp);
    return index_[state];
}

void TBtnGlyph::Draw(tk::TCanvas& canvas, const RECT& content, const std::string& caption, TButtonLayout layout,
                     int margin, int spacing, int state) {
    HDC dc = canvas.Handle;
    HGDIOBJ oldFont = SelectObject(dc, canvas.Font.Handle());
    SIZE ts{0, 0};
    if (!caption.empty()) {
        RECT r{0, 0, content.right - content.left, 0};
        DrawTextA(dc, caption.c_str(), (int)caption.size(), &r, DT_CALCRECT);
        ts = {r.right, r.bottom};
    }
    TGlyphPlacement at = PlaceGlyph(content, GlyphSize(), ts, layout, margin, spacing);
    int index = StateImage(state);
    if (index >= 0) {
        if (state == pbFlat)
            ImageList_DrawEx(list_->Handle(), index, dc, at.glyph.x, at.glyph.y, 0, 0, CLR_NONE, CLR_NONE,
                             ILD_TRANSPARENT);
        else
            ImageList_DrawEx(list_->Handle(), index, dc, at.glyph.x, at.glyph.y, 0, 0, madeWith_[0], CLR_NONE,
                             ILD_NORMAL);
    }
    if (!caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        RECT r = at.text;
        if (state == pbDisabled) {
            OffsetRect(&r, 1, 1);
            SetTextColor(dc, RGB(255, 255, 255));
            DrawTextA(dc, caption.c_str(), (int)caption.size(), &r, 0);
            OffsetRect(&r, -1, -1);
            SetTextColor(dc, RGB(128, 128, 128));
            DrawTextA(dc, caption.c_str(), (int)caption.size(), &r, 0);
        } else {
            SetTextColor(dc, tk::ColorToRGB(canvas.Font.Color));
            DrawTextA(dc, caption.c_str(), (int)caption.size(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    SelectObject(dc, oldFont);
}

// ---- TPanelButton ----

TPanelButton::TPanelButton() { ++gButtons; }

TPanelButton::~TPanelButton() {
    glyph_.Invalidate();
    if (--gButtons == 0) gCache.reset();
}

int TPanelButton::GlyphListCount() { return gCache ? gCache->ListCount() : 0; }

void TPanelButton::Create(tk::Control& parent, const tk::Ctl& p) {
    tk::Ctl q = p;
    if (q.at.width <= 0) q.at.width = 31;
    if (q.at.height <= 0) q.at.height = 31;
    CreateCustom(parent, 0, 0, q);
    state_ = Enabled() ? pbFlat : pbDisabled;
}

void TPanelButton::SetGlyph(const tk::TBitmap& bmp) {
    glyph_.SetGlyph(bmp);
    Invalidate();
}

void TPanelButton::SetNumGlyphs(int n) {
    if (n > 4) n = 4;
    if (n <= 0 || n == glyph_.NumGlyphs()) return;
    glyph_.SetNumGlyphs(n);
    Invalidate();
}

void TPanelButton::SetLayout(TButtonLayout l) {
    if (l == layout_) return;
    layout_ = l;
    Invalidate();
}

void TPanelButton::SetSpacing(int v) {
    if (v == spacing_) return;
    spacing_ = v;
    Invalidate();
}

void TPanelButton::SetMargin(int v) {
    if (v == margin_ || v < -1) return;
    margin_ = v;
    Invalidate();
}

void TPanelButton::Click() {
    if (OnClick) OnClick();
}

void TPanelButton::SetState(int s) {
    if (s == state_) return;
    state_ = s;
    Invalidate();
}

void TPanelButton::Paint(tk::TCanvas& c) {
    if (!Enabled()) {
        state_ = pbDisabled;
        held_ = false;
    } else if (state_ == pbDisabled) {
        state_ = pbFlat;
    }
    RECT rc = ClientRect();
    c.Brush.Style = tk::BrushStyle::Solid;
    c.Brush.Color = tk::clBtnFace;
    c.FillRect(rc);
    UINT edge = state_ == pbRaised ? BDR_RAISEDINNER : state_ == pbPressed ? BDR_SUNKENOUTER : 0;
    if (edge) {
        c.DrawEdge(rc, edge, BF_TOPLEFT);
        c.DrawEdge(rc, edge, BF_BOTTOMRIGHT);
    }
    // Pressed, glyph and caption move one pixel right and down.
    RECT content = state_ == pbPressed ? RECT{1, 1, rc.right + 1, rc.bottom + 1} : rc;
    glyph_.Draw(c, content, Caption(), layout_, margin_, spacing_, state_);
}

void TPanelButton::MouseDown() {
    if (!Enabled()) return;
    if (!held_) {
        state_ = pbPressed;
        Repaint();
    }
    held_ = true;
    pressedInside_ = true;
}

void TPanelButton::MouseMove(int x, int y) {
    int s = x < 1 || x >= Width() || y < 1 || y >= ClientHeight() ? pbFlat : pressedInside_ ? pbPressed : pbRaised;
    if (s != state_) {
        state_ = s;
        Repaint();
    }
}

void TPanelButton::MouseUp(int x, int y) {
    if (!held_) {
        state_ = pbRaised;
        return;
    }
    held_ = false;
    pressedInside_ = false;
    // The bottom edge still counts as inside.
    if (x >= 0 && x < Width() && y >= 0 && y <= Height()) {
        state_ = pbRaised;
        Click();
    }
    Repaint();
}

void TPanelButton::MouseEnter() {
    if (!Enabled()) return;
    pressedInside_ = held_;
    SetState(held_ ? pbPressed : pbRaised);
}

void TPanelButton::MouseLeave() {
    if (!Enabled()) return;
    held_ = pressedInside_;
    SetState(pbFlat);
}

LRESULT TPanelButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // A quick second press is one more click, not a double click.
            LRESULT r = Control::WndProc(WM_LBUTTONDOWN, wp, lp);
            MouseDown();
            return r;
        }
        case WM_LBUTTONUP: {
            // Our own click rule below, so the base sees no capture and fires no OnClick.
            releasing_ = true;
            if (GetCapture() == Handle) ReleaseCapture();
            releasing_ = false;
            HWND self = Handle;
            LRESULT r = Control::WndProc(msg, wp, lp);
            if (Handle == self) MouseUp(x, y);
            return r;
        }
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            HWND self = Handle;
            LRESULT r = Control::WndProc(msg, wp, lp);
            if (Handle == self && !held_) state_ = pbRaised;
            return r;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE: {
            tk::MouseTracker::Change change = tracker_.Feed(Handle, msg, lp);
            if (change == tk::MouseTracker::Entered) MouseEnter();
            if (msg == WM_MOUSELEAVE) {
                if (change == tk::MouseTracker::Left) MouseLeave();
                break;
            }
            HWND self = Handle;
            LRESULT r = Control::WndProc(msg, wp, lp);
            if (Handle != self) return r;
            MouseMove(x, y);
            if (change == tk::MouseTracker::Left) MouseLeave();
            return r;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away (a menu or a message box): the press is over without a click.
            if (!releasing_ && held_) {
                held_ = pressedInside_ = false;
                SetState(tracker_.Inside() ? pbRaised : pbFlat);
            }
            break;
        case WM_ENABLE:
            tracker_.Reset(Handle);
            held_ = pressedInside_ = false;
            state_ = wp ? pbFlat : pbDisabled;
            Invalidate();
            break;
        case WM_SYSCOLORCHANGE:
            glyph_.Invalidate();
            Invalidate();
            break;
        case WM_GETDLGCODE:
            // The dialog manager then matches the caption's accelerator and sends BM_CLICK.
            return DLGC_BUTTON;
        case BM_CLICK:
            if (Enabled()) Click();
            return 0;
    }
    return Control::WndProc(msg, wp, lp);
}
