#include "toolkit/SpeedButton.h"

#include "toolkit/Hint.h"

namespace tk {

void SpeedButton::Create(Control& parent, const Ctl& p) {
    GroupIndex = p.value;
    AllowAllUp = p.style & sbAllowAllUp;
    Flat = p.style & sbFlat;
    down_ = GroupIndex && (p.style & sbDown);
    CreateCustom(parent, 0, 0, p);
}

void SpeedButton::SetDown(bool v) {
    if (!GroupIndex) v = false;
    if (v == down_) return;
    // The last button of a group cannot go up by itself unless the group allows it.
    if (!v && !AllowAllUp) return;
    down_ = v;
    if (v && Parent)
        for (Control* c : Parent->Children)
            if (auto* b = dynamic_cast<SpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex && b->down_) {
                b->down_ = false;
                b->Invalidate();
            }
    Invalidate();
}

void SpeedButton::Click() {
    if (GroupIndex) SetDown(!down_);
    if (OnClick) OnClick();
}

LRESULT SpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a quick second click is a click too
            if (!Enabled()) break;
            RelayHint(*this, Handle, msg, wp, lp);  // the tip goes on a press (the base is not called)
            SetCapture(Handle);
            pressed_ = true;
            Invalidate();
            if (OnMouseDown) OnMouseDown(mbLeft, ShiftFromKeys(wp), (short)LOWORD(lp), (short)HIWORD(lp));
            return 0;
        case WM_LBUTTONUP: {
            if (GetCapture() != Handle) break;
            RelayHint(*this, Handle, msg, wp, lp);
            // Our own release reports a capture lost to no window: the press must be over by then.
            bool pressed = pressed_;
            pressed_ = false;
            ReleaseCapture();
            POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
            RECT rc = ClientRect();
            bool inside = pressed && PtInRect(&rc, pt);
            Invalidate();
            if (OnMouseUp) OnMouseUp(mbLeft, ShiftFromKeys(wp), pt.x, pt.y);
            if (inside) Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (pressed_) {
                pressed_ = false;
                Invalidate();
            }
            break;
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Handle, 0};
                TrackMouseEvent(&t);
                if (Flat) Invalidate();
            }
            break;
        case WM_MOUSELEAVE:
            hot_ = false;
            if (Flat) Invalidate();
            return 0;
        case WM_ENABLE:
            Invalidate();
            break;
    }
    return Control::WndProc(msg, wp, lp);
}

void SpeedButton::Paint(TCanvas& c) {
    RECT r = ClientRect();
    HDC dc = c.Handle;
    bool sunk = down_ || pressed_;
    if (down_ && !pressed_) {
        // A button that stays down shows a lighter face, as tool bars do.
        COLORREF face = ColorToRGB(EffectiveColor()), light = GetSysColor(COLOR_BTNHIGHLIGHT);
        HBRUSH b = CreateSolidBrush(RGB((GetRValue(face) + GetRValue(light)) / 2, (GetGValue(face) + GetGValue(light)) / 2,
                                        (GetBValue(face) + GetBValue(light)) / 2));
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    RECT edge = r;
    if (sunk) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    else if (!Flat || (hot_ && Enabled())) DrawEdge(dc, &edge, Flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    RECT inner = r;
    InflateRect(&inner, -2, -2);
    if (sunk) OffsetRect(&inner, 1, 1);
    TColor ink = Enabled() ? clBtnText : clGrayText;
    if (OnDrawGlyph) {
        OnDrawGlyph(c, inner, ink);
        return;
    }
    c.Brush.Style = BrushStyle::Clear;
    c.Font.Color = ink;
    c.DrawText(Caption(), inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tk
