#include "toolkit/Panel.h"

#include <algorithm>
#include <utility>

namespace tk {

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    COLORREF tl = GetSysColor(COLOR_BTNHIGHLIGHT), br = GetSysColor(COLOR_BTNSHADOW);
    if (cut == bvLowered) std::swap(tl, br);
    for (int i = 0; i < width; ++i) {
        if (cut != bvSpace) {
            HBRUSH a = CreateSolidBrush(tl), b = CreateSolidBrush(br);
            RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
            RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
            FillRect(dc, &top, a);
            FillRect(dc, &left, a);
            FillRect(dc, &bottom, b);
            FillRect(dc, &right, b);
            DeleteObject(a);
            DeleteObject(b);
        }
        InflateRect(&r, -1, -1);
    }
}

void Panel::Create(Control& parent, const Ctl& p) {
    if (p.style & pnOuterLowered) outer_ = bvLowered;
    if (p.style & pnOuterNone) outer_ = bvNone;
    if (p.style & pnInnerRaised) inner_ = bvRaised;
    if (p.style & pnInnerLowered) inner_ = bvLowered;
    if (p.style & pnBorderSingle) border_ = bsSingle;
    if (p.style & pnCaptionLeft) alignment_ = taLeftJustify;
    if (p.style & pnCaptionRight) alignment_ = taRightJustify;
    CreateCustom(parent, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | (border_ == bsSingle ? WS_EX_CLIENTEDGE : 0), p);
}

int Panel::Inset() const {
    int n = borderWidth_;
    if (outer_ != bvNone) n += bevelWidth_;
    if (inner_ != bvNone) n += bevelWidth_;
    return n;
}

void Panel::FrameChanged() {
    if (!Handle) return;
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void Panel::SetBevelOuter(TBevelCut v) {
    if (outer_ == v) return;
    outer_ = v;
    FrameChanged();
}
void Panel::SetBevelInner(TBevelCut v) {
    if (inner_ == v) return;
    inner_ = v;
    FrameChanged();
}
void Panel::SetBevelWidth(int v) {
    if (v < 1 || bevelWidth_ == v) return;
    bevelWidth_ = v;
    FrameChanged();
}
void Panel::SetBorderWidth(int v) {
    if (v < 0 || borderWidth_ == v) return;
    borderWidth_ = v;
    FrameChanged();
}
void Panel::SetBorderStyle(TBorderStyle v) {
    if (border_ == v) return;
    border_ = v;
    if (Handle) {
        LONG ex = GetWindowLongA(Handle, GWL_EXSTYLE);
        SetWindowLongA(Handle, GWL_EXSTYLE, v == bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE);
    }
    FrameChanged();
}
void Panel::SetAlignment(TAlignment v) {
    if (alignment_ == v) return;
    alignment_ = v;
    Invalidate();
}

void Panel::PaintEdges() {
    int inset = Inset();
    if (!inset) return;
    RECT wr, cr;
    GetWindowRect(Handle, &wr);
    GetClientRect(Handle, &cr);
    MapWindowPoints(Handle, nullptr, (POINT*)&cr, 2);
    OffsetRect(&cr, -wr.left, -wr.top);  // client rectangle in window coordinates
    RECT r = cr;
    InflateRect(&r, inset, inset);
    HDC dc = GetWindowDC(Handle);
    ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
    HBRUSH face = CreateSolidBrush(ColorToRGB(EffectiveColor()));
    FillRect(dc, &r, face);
    DeleteObject(face);
    DrawBevel(dc, r, outer_, bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    DrawBevel(dc, r, inner_, bevelWidth_);
    ReleaseDC(Handle, dc);
}

LRESULT Panel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCCALCSIZE: {
            LRESULT r = DefaultHandler(msg, wp, lp);
            RECT* rc = wp ? &((NCCALCSIZE_PARAMS*)lp)->rgrc[0] : (RECT*)lp;
            int inset = Inset();
            rc->left += inset;
            rc->top += inset;
            rc->right = std::max(rc->left, rc->right - inset);
            rc->bottom = std::max(rc->top, rc->bottom - inset);
            return r;
        }
        case WM_NCPAINT: {
            LRESULT r = DefaultHandler(msg, wp, lp);
            PaintEdges();
            return r;
        }
        case WM_NCHITTEST: {
            // The bevels belong to the panel: clicks there are the panel's own.
            LRESULT r = DefaultHandler(msg, wp, lp);
            return r == HTNOWHERE || r == HTBORDER ? HTCLIENT : r;
        }
    }
    return Control::WndProc(msg, wp, lp);
}

void Panel::Paint(TCanvas& c) {
    if (borderWidth_) PaintEdges();  // the gap between the bevels takes a new Color too
    std::string s = Caption();
    if (s.empty()) return;
    RECT r = ClientRect();
    UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    c.Brush.Style = BrushStyle::Clear;
    if (!Enabled()) c.Font.Color = clGrayText;
    c.DrawText(s, r, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | align);
}

}  // namespace tk
