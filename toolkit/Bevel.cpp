#include "toolkit/Bevel.h"

#include <algorithm>
#include <utility>

namespace tk {

void Bevel::Create(Control& parent, const Ctl& p) {
    shape_ = (TBevelShape)(p.style & 0xFF);
    if (shape_ > bsSpacer) shape_ = bsBox;
    style_ = (p.style & bevRaised) ? bsRaised : bsLowered;
    CreateCustom(parent, 0, 0, p);
    UpdateRegion();
}

void Bevel::SetShape(TBevelShape v) {
    if (shape_ == v) return;
    shape_ = v;
    UpdateRegion();
    Invalidate();
}

void Bevel::SetStyle(TBevelStyle v) {
    if (style_ == v) return;
    style_ = v;
    Invalidate();
}

void Bevel::UpdateRegion() {
    if (!Handle) return;
    RECT r = ClientRect();
    int w = r.right, h = r.bottom;
    HRGN rgn = nullptr;
    auto frame = [&](int thick) {
        HRGN outer = CreateRectRgn(0, 0, w, h);
        HRGN inner = CreateRectRgn(thick, thick, std::max(thick, w - thick), std::max(thick, h - thick));
        CombineRgn(outer, outer, inner, RGN_DIFF);
        DeleteObject(inner);
        return outer;
    };
    switch (shape_) {
        case bsBox: rgn = frame(1); break;
        case bsFrame: rgn = frame(2); break;
        case bsTopLine: rgn = CreateRectRgn(0, 0, w, 2); break;
        case bsBottomLine: rgn = CreateRectRgn(0, h - 2, w, h); break;
        case bsLeftLine: rgn = CreateRectRgn(0, 0, 2, h); break;
        case bsRightLine: rgn = CreateRectRgn(w - 2, 0, w, h); break;
        case bsSpacer: rgn = CreateRectRgn(0, 0, 0, 0); break;
    }
    SetWindowRgn(Handle, rgn, TRUE);  // the window owns the region from here on
}

LRESULT Bevel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = Control::WndProc(msg, wp, lp);
    if (msg == WM_SIZE) UpdateRegion();
    return r;
}

void Bevel::Paint(TCanvas& c) {
    RECT r = ClientRect();
    int w = r.right, h = r.bottom;
    TColor hi = clBtnHighlight, lo = clBtnShadow;
    if (style_ == bsRaised) std::swap(hi, lo);  // lo: the top-left colour, hi: the bottom-right
    auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
        c.Pen.Color = col;
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    switch (shape_) {
        case bsBox:
            line(lo, 0, h - 1, 0, 0);
            line(lo, 0, 0, w - 1, 0);
            line(hi, w - 1, 0, w - 1, h - 1);
            line(hi, w - 1, h - 1, -1, h - 1);
            break;
        case bsFrame:
            // Etched: a line of one colour with one of the other beside it.
            line(lo, 0, 0, w - 1, 0);
            line(lo, 0, 0, 0, h - 1);
            line(lo, w - 2, 0, w - 2, h - 1);
            line(lo, 0, h - 2, w - 1, h - 2);
            line(hi, 1, 1, w - 2, 1);
            line(hi, 1, 1, 1, h - 2);
            line(hi, w - 1, 0, w - 1, h);
            line(hi, 0, h - 1, w, h - 1);
            break;
        case bsTopLine:
            line(lo, 0, 0, w, 0);
            line(hi, 0, 1, w, 1);
            break;
        case bsBottomLine:
            line(lo, 0, h - 2, w, h - 2);
            line(hi, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            line(lo, 0, 0, 0, h);
            line(hi, 1, 0, 1, h);
            break;
        case bsRightLine:
            line(lo, w - 2, 0, w - 2, h);
            line(hi, w - 1, 0, w - 1, h);
            break;
        case bsSpacer: break;
    }
}

}  // namespace tk
