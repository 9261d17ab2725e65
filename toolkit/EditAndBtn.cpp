#include "toolkit/EditAndBtn.h"

#include <algorithm>

namespace tk {

void TCustomEditAndBtn::Create(Control& parent, const Ctl& p) {
    Ctl outer = p;
    outer.at.height = std::max(24, p.at.height);
    outer.caption.clear();
    outer.hint.clear();
    CreateCustom(parent, WS_CLIPCHILDREN, 0, outer);
    edit_.Create(*this, {.at = {0, 0, 10, 10}, .caption = p.caption, .hint = p.hint});
    button_.Create(*this, {.at = {0, 0, 24, 24}});
    Hint = p.hint;
    edit_.OnChange = [this] {
        if (OnChange) OnChange();
    };
    // The edit holds the focus and the keys: its events are the control's.
    edit_.OnKeyDown = [this](WORD& key, int shift) {
        if (ButtonShortCut && ShortCut(key, shift) == ButtonShortCut) {
            ButtonClick();
            key = 0;
            return;
        }
        if (OnKeyDown) OnKeyDown(key, shift);
    };
    edit_.OnKeyPress = [this](char& key) {
        if (OnKeyPress) OnKeyPress(key);
    };
    edit_.OnKeyUp = [this](WORD& key, int shift) {
        if (OnKeyUp) OnKeyUp(key, shift);
    };
    edit_.OnEnter = [this] {
        if (OnEnter) OnEnter();
    };
    edit_.OnExit = [this] {
        if (OnExit) OnExit();
    };
    edit_.OnClick = [this] {
        if (OnClick) OnClick();
    };
    edit_.OnDblClick = [this] {
        if (OnDblClick) OnDblClick();
    };
    button_.OnClick = [this] { ButtonClick(); };
    button_.OnMouseDown = [this](MouseButton b, int s, int x, int y) {
        if (OnButtonMouseDown) OnButtonMouseDown(b, s, x, y);
    };
    button_.OnMouseMove = [this](int s, int x, int y) {
        if (OnButtonMouseMove) OnButtonMouseMove(s, x, y);
    };
    button_.OnMouseUp = [this](MouseButton b, int s, int x, int y) {
        if (OnButtonMouseUp) OnButtonMouseUp(b, s, x, y);
    };
    button_.OnDrawGlyph = [this](TCanvas& c, const RECT& r, TColor) { DrawGlyph(c, r); };
    Arrange();
}

void TCustomEditAndBtn::Arrange() {
    int w = ClientWidth(), h = ClientHeight();
    edit_.SetBounds(0, 0, std::max(0, w - 30), h);
    button_.SetBounds(w - 24, 0, 24, h);
}

void TCustomEditAndBtn::ButtonClick() {
    if (OnButtonClick) OnButtonClick();
}

void TCustomEditAndBtn::SetButtonGlyph(const TBitmap& b) {
    glyph_.Assign(b);
    button_.Invalidate();
}

void TCustomEditAndBtn::SetButtonNumGlyphs(int n) {
    numGlyphs_ = std::clamp(n, 1, 4);
    button_.Invalidate();
}

void TCustomEditAndBtn::DrawGlyph(TCanvas& c, const RECT& r) {
    if (glyph_.Empty()) return;
    int gw = glyph_.Width() / numGlyphs_, gh = glyph_.Height();
    HDC gdc = glyph_.Canvas().Handle;
    COLORREF trans = ::GetPixel(gdc, 0, gh - 1);
    int index = !button_.Enabled() && numGlyphs_ > 1 ? 1 : 0;
    int x = (r.left + r.right - gw) / 2, y = (r.top + r.bottom - gh) / 2;
    TransparentBlt(c.Handle, x, y, gw, gh, gdc, index * gw, 0, gw, gh, trans);
}

LRESULT TCustomEditAndBtn::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE: {
            LRESULT r = Control::WndProc(msg, wp, lp);
            Arrange();
            return r;
        }
        case WM_SETFOCUS: edit_.SetFocus(); return 0;
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
