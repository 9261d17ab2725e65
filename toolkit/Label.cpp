#include "toolkit/Label.h"

#include <algorithm>

namespace tk {

void Label::Create(Control& parent, const Ctl& p) {
    autoSize_ = !(p.style & lsNoAutoSize);
    wordWrap_ = p.style & lsWordWrap;
    transparent_ = p.style & lsTransparent;
    showAccel_ = !(p.style & lsNoPrefix);
    if (p.style & lsCenter) alignment_ = taCenter;
    if (p.style & lsRight) alignment_ = taRightJustify;
    CreateCustom(parent, 0, 0, p);
    AdjustSize();
}

UINT Label::TextFlags() const {
    UINT f = DT_EXPANDTABS;
    f |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    f |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    if (!showAccel_) f |= DT_NOPREFIX;
    return f;
}

void Label::AdjustSize() {
    if (!autoSize_ || !Handle) return;
    std::string s = Caption();
    RECT r{0, 0, wordWrap_ ? std::max(1, Width()) : 0, 0};
    if (s.empty()) {
        r.bottom = FontLineHeight(EffectiveFont());
    } else {
        HDC dc = MeasureDC();
        HGDIOBJ old = SelectObject(dc, EffectiveFont().Handle());
        DrawTextA(dc, s.c_str(), (int)s.size(), &r, TextFlags() | DT_CALCRECT);
        SelectObject(dc, old);
    }
    int w = wordWrap_ ? Width() : r.right, h = r.bottom;
    if (w != Width() || h != Height())
        SetWindowPos(Handle, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::SetCaption(const std::string& s) {
    if (Caption() == s) return;
    Control::SetCaption(s);
    AdjustSize();
}

void Label::SetAlignment(TAlignment v) {
    if (alignment_ == v) return;
    alignment_ = v;
    Invalidate();
}
void Label::SetAutoSize(bool v) {
    if (autoSize_ == v) return;
    autoSize_ = v;
    AdjustSize();
}
void Label::SetWordWrap(bool v) {
    if (wordWrap_ == v) return;
    wordWrap_ = v;
    AdjustSize();
    Invalidate();
}
void Label::SetTransparent(bool v) {
    if (transparent_ == v) return;
    transparent_ = v;
    Invalidate();
}
void Label::SetShowAccelChar(bool v) {
    if (showAccel_ == v) return;
    showAccel_ = v;
    AdjustSize();
    Invalidate();
}

LRESULT Label::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFONT) {
        LRESULT r = Control::WndProc(msg, wp, lp);
        AdjustSize();
        return r;
    }
    return Control::WndProc(msg, wp, lp);
}

void Label::Paint(TCanvas& c) {
    RECT r = ClientRect();
    if (transparent_ && Parent && Parent->Handle) {
        // Let the parent paint its client area into our buffer, shifted to where we stand.
        POINT o{0, 0};
        MapWindowPoints(Handle, Parent->Handle, &o, 1);
        POINT old;
        SetViewportOrgEx(c.Handle, -o.x, -o.y, &old);
        SendMessageA(Parent->Handle, WM_PRINTCLIENT, (WPARAM)c.Handle, PRF_CLIENT | PRF_ERASEBKGND);
        SetViewportOrgEx(c.Handle, old.x, old.y, nullptr);
    }
    std::string s = Caption();
    if (s.empty()) return;
    c.Brush.Style = BrushStyle::Clear;
    UINT f = TextFlags();
    if (!Enabled()) {
        // Engraved, as disabled captions are drawn.
        RECT r1 = r;
        OffsetRect(&r1, 1, 1);
        c.Font.Color = clBtnHighlight;
        c.DrawText(s, r1, f);
        c.Font.Color = clBtnShadow;
    }
    c.DrawText(s, r, f);
}

}  // namespace tk
