#include "toolkit/TabSet.h"

#include <algorithm>

namespace tk {

static const int kSlant = 6;    // horizontal run of a tab's slanted side
static const int kPadding = 8;  // room beside the caption inside the slants
static const int kIndent = 4;   // space before the first tab

void TabSet::Create(Control& parent, const Ctl& p) {
    CreateCustom(parent, 0, 0, p);
    for (auto& s : p.items) Tabs.Add(s);
    tabIndex_ = p.value >= 0 && p.value < Tabs.Count() ? p.value : -1;
    Layout();
}

void TabSet::Layout() {
    if (!Handle) return;
    if (tabIndex_ >= Tabs.Count()) tabIndex_ = Tabs.Count() - 1;
    rects_.clear();
    HDC dc = MeasureDC();
    HGDIOBJ old = SelectObject(dc, EffectiveFont().Handle());
    std::vector<int> widths;
    int total = 0;
    for (int i = 0; i < Tabs.Count(); ++i) {
        SIZE sz{};
        GetTextExtentPoint32A(dc, Tabs[i].c_str(), (int)Tabs[i].size(), &sz);
        widths.push_back(sz.cx + 2 * (kSlant + kPadding));
        total += widths.back() - kSlant;  // neighbours share a slant
    }
    SelectObject(dc, old);
    int room = ClientWidth() - 2 * kIndent - kSlant;
    int x = kIndent, h = ClientHeight();
    for (int i = 0; i < (int)widths.size(); ++i) {
        int w = widths[i];
        if (total > room && total > 0) w = std::max(2 * kSlant + 8, kSlant + (w - kSlant) * room / total);
        rects_.push_back({x, 0, x + w, h});
        x += w - kSlant;
    }
    Invalidate();
}

RECT TabSet::TabRect(int i) const { return i >= 0 && i < (int)rects_.size() ? rects_[i] : RECT{}; }

int TabSet::TabAt(int x, int y) const {
    if (y < 0 || y >= ClientHeight()) return -1;
    // The chosen tab lies on top of its neighbours' slants.
    auto hit = [&](int i) {
        const RECT& r = rects_[i];
        int inset = kSlant * y / std::max(1, ClientHeight());
        return x >= r.left + inset && x < r.right - inset;
    };
    if (tabIndex_ >= 0 && tabIndex_ < (int)rects_.size() && hit(tabIndex_)) return tabIndex_;
    for (int i = 0; i < (int)rects_.size(); ++i)
        if (hit(i)) return i;
    return -1;
}

void TabSet::SetTabIndex(int i) {
    if (i < -1 || i >= Tabs.Count()) i = -1;
    if (i == tabIndex_) return;
    bool allow = true;
    if (OnChange) OnChange(i, allow);
    if (!allow) return;
    tabIndex_ = i;
    Invalidate();
    if (OnClick) OnClick();
}

void TabSet::Paint(TCanvas& c) {
    int h = ClientHeight(), w = ClientWidth();
    auto line = [&](TColor col, int x0, int y0, int x1, int y1) {
        c.Pen.Color = col;
        c.MoveTo(x0, y0);
        c.LineTo(x1, y1);
    };
    auto drawTab = [&](int i, bool chosen) {
        const RECT& r = rects_[i];
        POINT pts[4] = {{r.left, 0}, {r.left + kSlant, h - 1}, {r.right - kSlant, h - 1}, {r.right, 0}};
        c.Brush.Color = chosen ? SelectedColor : UnselectedColor;
        c.Brush.Style = BrushStyle::Solid;
        c.Pen.Color = clBtnShadow;
        c.Polygon(pts, 4);
        if (chosen) {
            // Raised: light on the left slant, dark below and on the right, open at the top.
            line(c.Brush.Color, r.left + 1, 0, r.right, 0);
            line(clBtnHighlight, r.left + 1, 0, r.left + kSlant + 1, h - 1);
            line(clWindowText, r.left + kSlant, h - 1, r.right - kSlant, h - 1);
            line(clWindowText, r.right - kSlant, h - 1, r.right + 1, -1);
        }
        RECT tr{r.left + kSlant, 1, r.right - kSlant, h - 1};
        c.Font = EffectiveFont();
        if (!Enabled()) c.Font.Color = clGrayText;
        c.Brush.Style = BrushStyle::Clear;
        c.DrawText(Tabs[i], tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    };
    line(clWindowText, 0, 0, w, 0);
    for (int i = (int)rects_.size() - 1; i >= 0; --i)
        if (i != tabIndex_) drawTab(i, false);
    if (tabIndex_ >= 0 && tabIndex_ < (int)rects_.size()) drawTab(tabIndex_, true);
}

LRESULT TabSet::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            // The tab changes as the button goes down; no capture, so no click on release.
            int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
            if (OnMouseDown) OnMouseDown(mbLeft, ShiftFromKeys(wp), x, y);
            int i = TabAt(x, y);
            if (i >= 0) SetTabIndex(i);
            return 0;
        }
        case WM_SIZE:
        case WM_SETFONT: {
            LRESULT r = Control::WndProc(msg, wp, lp);
            Layout();
            return r;
        }
        case WM_ENABLE: Invalidate(); break;
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
