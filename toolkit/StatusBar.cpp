#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

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
    // We size and place the bar ourselves (Align), so the control must not move itself.
    DWORD style = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    HWND top = GetAncestor(parent.Handle, GA_ROOT);
    if (q.align == Align::Bottom && top && (GetWindowLongA(top, GWL_STYLE) & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
    if (q.at.height <= 0) {
        const TFont& f = q.font ? *q.font : parent.EffectiveFont();
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, f.Handle());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        q.at.height = std::max(19, (int)tm.tmHeight + 8);
    }
    CreateChild(parent, STATUSCLASSNAMEA, style, 0, q);
    for (const std::string& s : p.items) Panels.Add(s, 100);
    UpdateParts();
    if (!p.caption.empty()) SetSimpleText(p.caption);
}

void StatusBar::UpdateParts() {
    if (!Handle) return;
    int n = Panels.Count();
    if (n == 0) {
        int edge = -1;
        SendMessageA(Handle, SB_SETPARTS, 1, (LPARAM)&edge);
        SendMessageA(Handle, SB_SETTEXTA, 0, (LPARAM) "");
    } else {
        std::vector<int> edges(n);
        int x = 0;
        for (int i = 0; i < n; ++i) {
            x += Panels[i].width_;
            edges[i] = i == n - 1 ? -1 : x;
        }
        SendMessageA(Handle, SB_SETPARTS, n, (LPARAM)edges.data());
        for (int i = 0; i < n; ++i) UpdatePanel(i);
    }
}

void StatusBar::UpdatePanel(int i) {
    if (!Handle || i < 0 || i >= Panels.Count()) return;
    const StatusPanel& p = Panels[i];
    // A leading tab centres the text, two tabs align it right.
    std::string s = p.align_ == PanelAlign::Center ? "\t" + p.text_ : p.align_ == PanelAlign::Right ? "\t\t" + p.text_
                                                                                                     : p.text_;
    SendMessageA(Handle, SB_SETTEXTA, i, (LPARAM)s.c_str());
}

void StatusBar::SetSimplePanel(bool on) {
    if (on == simple_) return;
    simple_ = on;
    SendMessageA(Handle, SB_SIMPLE, on, 0);
    if (on) SendMessageA(Handle, SB_SETTEXTA, SB_SIMPLEID, (LPARAM)simpleText_.c_str());
}

void StatusBar::SetSimpleText(const std::string& s) {
    if (s == simpleText_) return;
    simpleText_ = s;
    // Kept while panels show, shown when the bar turns simple.
    if (simple_) SendMessageA(Handle, SB_SETTEXTA, SB_SIMPLEID, (LPARAM)simpleText_.c_str());
}

LRESULT StatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) afterDblClick_ = false;
    if (msg == WM_LBUTTONDBLCLK) afterDblClick_ = true;
    return Control::WndProc(msg, wp, lp);
}

bool StatusBar::HandleNotify(NMHDR* nm, LRESULT& result) {
    if (nm->code == NM_CLICK && OnClick) {
        // The button-up that ends a double click is no second click.
        if (afterDblClick_) {
            afterDblClick_ = false;
            return false;
        }
        OnClick();
        result = 0;
        return true;
    }
    return false;
}

}  // namespace tk
