#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <vector>

namespace tk {

namespace {

// How far each single-byte glyph of the font starts left of its cell. In the face that stands in
// for the Japanese UI font "J" does, by a pixel, onto the glyph before it.
const std::array<signed char, 256>& Overhangs(const TFont& font, HDC dc) {
    static std::map<HFONT, std::array<signed char, 256>> cache;
    HFONT f = font.Handle();
    auto it = cache.find(f);
    if (it != cache.end()) return it->second;
    std::array<signed char, 256> over{};
    ABC abc[0x7F - 0x20];
    HGDIOBJ old = SelectObject(dc, f);
    if (GetCharABCWidthsA(dc, 0x20, 0x7E, abc))
        for (int ch = 0x20; ch <= 0x7E; ++ch) over[ch] = (signed char)std::clamp(-abc[ch - 0x20].abcA, 0, 127);
    SelectObject(dc, old);
    return cache[f] = over;
}

// One line of a panel. A glyph that would overhang onto the one before it gets its pixel, or a
// "." before "J" reads as part of the "J" (a day file's ".JNL" showed as "JNL"); a text too long
// for the panel is cut with "..." by DrawText as before.
void DrawLine(TCanvas& c, const std::string& text, const RECT& r, PanelAlign align) {
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    flags |= align == PanelAlign::Center ? DT_CENTER : align == PanelAlign::Right ? DT_RIGHT : DT_LEFT;
    const std::array<signed char, 256>& over = Overhangs(c.Font, c.Handle);
    std::vector<std::pair<std::string, int>> runs;  // each run, and the pixels kept after it
    size_t start = 0;
    for (size_t i = 0; i < text.size(); i += IsDBCSLeadByte((BYTE)text[i]) ? 2 : 1)
        if (i > 0 && over[(BYTE)text[i]] && !IsDBCSLeadByte((BYTE)text[i])) {
            runs.push_back({text.substr(start, i - start), over[(BYTE)text[i]]});
            start = i;
        }
    if (runs.empty()) {
        c.DrawText(text, r, flags);
        return;
    }
    runs.push_back({text.substr(start), 0});
    int width = 0;
    for (auto& run : runs) width += c.TextWidth(run.first) + run.second;
    if (width > r.right - r.left) {
        c.DrawText(text, r, flags);
        return;
    }
    int x = align == PanelAlign::Left     ? r.left
            : align == PanelAlign::Center ? r.left + (r.right - r.left - width) / 2
                                          : r.right - width;
    const int y = r.top + (r.bottom - r.top - c.TextHeight(text)) / 2;
    for (auto& run : runs) {
        c.TextRect(r, x, y, run.first);
        x += c.TextWidth(run.first) + run.second;
    }
}

}  // namespace

void StatusPanel::SetText(const std::string& s) {
    if (s == text_) return;
    text_ = s;
    if (bar_) bar_->UpdatePanel(index_);
}

void StatusPanel::SetWidth(int w) {
    if (w == width_) return;
    width_ = w;
    if (bar_) bar_->UpdateParts();
}

void StatusPanel::SetAlignment(PanelAlign a) {
    if (a == align_) return;
    align_ = a;
    if (bar_) bar_->UpdatePanel(index_);
}

StatusPanel& StatusPanels::Add(const std::string& text, int width) {
    auto p = std::make_unique<StatusPanel>();
    p->bar_ = bar_;
    p->index_ = Count();
    p->text_ = text;
    p->width_ = width;
    panels_.push_back(std::move(p));
    bar_->UpdateParts();
    return *panels_.back();
}

void StatusPanels::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    panels_.erase(panels_.begin() + i);
    for (int k = 0; k < Count(); ++k) panels_[k]->index_ = k;
    bar_->UpdateParts();
}

void StatusPanels::Clear() {
    panels_.clear();
    bar_->UpdateParts();
}

void StatusBar::Create(Control& parent, const Ctl& p) {
    Ctl q = p;
    if (q.align == Align::None) q.align = Align::Bottom;
    q.caption.clear();
    HWND top = GetAncestor(parent.Handle, GA_ROOT);
    sizeGrip_ = q.align == Align::Bottom && top && (GetWindowLongA(top, GWL_STYLE) & WS_THICKFRAME);
    if (q.at.height <= 0) {
        const TFont& f = q.font ? *q.font : parent.EffectiveFont();
        q.at.height = std::max(19, FontLineHeight(f) + 8);
    }
    CreateCustom(parent, 0, 0, q);
    for (const std::string& s : p.items) Panels.Add(s, 100);
    if (!p.caption.empty()) SetSimpleText(p.caption);
}

RECT StatusBar::PartRect(int i) const {
    RECT r = ClientRect();
    int right = r.right - (sizeGrip_ ? r.bottom : 0);
    if (simple_ || Panels.Count() == 0) return {0, 2, right, r.bottom};
    int x = 0;
    for (int k = 0; k < i; ++k) x += Panels[k].width_;
    int w = i == Panels.Count() - 1 ? right - x : Panels[i].width_;
    return {x, 2, x + std::max(0, w - 2), r.bottom};
}

void StatusBar::Paint(TCanvas& c) {
    HDC dc = c.Handle;
    RECT all = ClientRect();
    auto part = [&](int i, const std::string& text, PanelAlign align) {
        RECT r = PartRect(i);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&r, -3, -1);
        c.Brush.Style = BrushStyle::Clear;
        DrawLine(c, text, r, align);
    };
    if (simple_ || Panels.Count() == 0) part(0, simple_ ? simpleText_ : "", PanelAlign::Left);
    else
        for (int i = 0; i < Panels.Count(); ++i) part(i, Panels[i].text_, Panels[i].align_);
    if (sizeGrip_) {
        RECT g{all.right - all.bottom, 0, all.right, all.bottom};
        DrawFrameControl(dc, &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void StatusBar::UpdateParts() { Refresh(); }

void StatusBar::UpdatePanel(int i) {
    if (!Handle || i < 0 || i >= Panels.Count() || simple_) return;
    Refresh();
}

void StatusBar::SetSimplePanel(bool on) {
    if (on == simple_) return;
    simple_ = on;
    Refresh();
}

void StatusBar::SetSimpleText(const std::string& s) {
    if (s == simpleText_) return;
    simpleText_ = s;
    // Kept while panels show, shown when the bar turns simple.
    if (simple_) Refresh();
}

LRESULT StatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case SB_GETTEXTA: {
            int i = (int)LOWORD(wp);
            std::string t = simple_ ? simpleText_ : (i >= 0 && i < Panels.Count() ? Panels[i].text_ : "");
            if (lp) std::memcpy((char*)lp, t.c_str(), t.size() + 1);
            return MAKELONG(t.size(), 0);
        }
        case SB_GETTEXTLENGTHA: {
            int i = (int)LOWORD(wp);
            std::string t = simple_ ? simpleText_ : (i >= 0 && i < Panels.Count() ? Panels[i].text_ : "");
            return MAKELONG(t.size(), 0);
        }
        case SB_GETPARTS: {
            int n = simple_ || Panels.Count() == 0 ? 1 : Panels.Count();
            int* edges = (int*)lp;
            int x = 0;
            for (int i = 0; edges && i < n && i < (int)wp; ++i) {
                x += simple_ || Panels.Count() == 0 ? 0 : Panels[i].width_;
                edges[i] = i == n - 1 ? -1 : x;
            }
            return n;
        }
        case SB_GETRECT:
            if (lp) *(RECT*)lp = PartRect((int)wp);
            return TRUE;
        case SB_ISSIMPLE:
            return simple_;
        case WM_SIZE:
            Invalidate();
            break;
        case WM_NCHITTEST:
            // The size grip sizes the form, as the common control's does.
            if (sizeGrip_) {
                POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
                ::ScreenToClient(Handle, &pt);
                RECT all = ClientRect();
                if (pt.x >= all.right - all.bottom) return HTBOTTOMRIGHT;
            }
            break;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (wp == HTBOTTOMRIGHT) {
                PostMessageA(GetAncestor(Handle, GA_ROOT), msg, wp, lp);
                return 0;
            }
            break;
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
