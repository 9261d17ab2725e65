#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace tk {

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
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        flags |= align == PanelAlign::Center ? DT_CENTER : align == PanelAlign::Right ? DT_RIGHT : DT_LEFT;
        c.Brush.Style = BrushStyle::Clear;
        c.DrawText(text, r, flags);
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
