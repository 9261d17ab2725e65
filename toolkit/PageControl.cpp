#include "toolkit/PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace tk {

// ---- TabSheet ----

void TabSheet::Create(PageControl& owner, const Ctl& p) {
    owner_ = &owner;
    tabVisible_ = p.visible;
    Ctl q = p;
    RECT r = owner.DisplayRect();
    q.at = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    q.visible = false;  // the page control shows the active sheet
    q.align = Align::None;
    CreateCustom(owner, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, q);
    owner.AddPage(this);
}

TabSheet::~TabSheet() {
    if (owner_) owner_->RemovePage(this);
}

int TabSheet::PageIndex() const {
    if (!owner_) return -1;
    auto& v = owner_->pages_;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : (int)(it - v.begin());
}

int TabSheet::TabIndex() const {
    if (!owner_ || !tabVisible_) return -1;
    int n = 0;
    for (TabSheet* s : owner_->pages_) {
        if (s == this) return n;
        if (s->tabVisible_) ++n;
    }
    return -1;
}

void TabSheet::SetTabVisible(bool v) {
    if (v == tabVisible_ || !owner_) {
        tabVisible_ = v;
        return;
    }
    PageControl& pc = *owner_;
    if (!v) {
        pc.RemoveTab(this);
        tabVisible_ = false;
        if (pc.active_ == this) {
            // The next shown tab after this page, else the one before it, else none.
            TabSheet* next = nullptr;
            int i = PageIndex();
            for (int k = i + 1; k < pc.PageCount() && !next; ++k)
                if (pc.pages_[k]->tabVisible_) next = pc.pages_[k];
            for (int k = i - 1; k >= 0 && !next; --k)
                if (pc.pages_[k]->tabVisible_) next = pc.pages_[k];
            pc.ShowPage(next);
        }
    } else {
        tabVisible_ = true;
        pc.InsertTab(this);
        if (!pc.active_) pc.ShowPage(this);
    }
    pc.ShowPage(pc.active_);  // the selection moves with the tabs before it
}

void TabSheet::SetCaption(const std::string& s) {
    Control::SetCaption(s);
    int i = TabIndex();
    if (i < 0 || !owner_ || !owner_->Handle) return;
    TCITEMA it{};
    it.mask = TCIF_TEXT;
    it.pszText = const_cast<char*>(s.c_str());
    SendMessageA(owner_->Handle, TCM_SETITEMA, i, (LPARAM)&it);
    owner_->LayoutSheets();  // a new row of tabs changes the display area
}

// ---- PageControl ----

void PageControl::Create(Control& parent, const Ctl& p) {
    CreateChild(parent, WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, p);
}

PageControl::~PageControl() {
    // Sheets that outlive the page control must not call back into it.
    for (TabSheet* s : pages_) s->owner_ = nullptr;
}

RECT PageControl::DisplayRect() const {
    RECT r = ClientRect();
    SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, (LPARAM)&r);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void PageControl::AddPage(TabSheet* s) {
    pages_.push_back(s);
    if (s->tabVisible_) InsertTab(s);
    if (!active_ && s->tabVisible_) ShowPage(s);
    else ShowPage(active_);
}

void PageControl::RemovePage(TabSheet* s) {
    auto it = std::find(pages_.begin(), pages_.end(), s);
    if (it == pages_.end()) return;
    if (s->tabVisible_ && Handle) s->SetTabVisible(false);  // moves the selection away first
    pages_.erase(it);
    if (active_ == s) active_ = nullptr;
    s->owner_ = nullptr;
}

void PageControl::InsertTab(TabSheet* s) {
    std::string text = s->Caption();
    TCITEMA it{};
    it.mask = TCIF_TEXT | TCIF_PARAM;
    it.pszText = text.data();
    it.lParam = (LPARAM)s;
    SendMessageA(Handle, TCM_INSERTITEMA, s->TabIndex(), (LPARAM)&it);
    LayoutSheets();
}

void PageControl::RemoveTab(TabSheet* s) {
    int i = s->TabIndex();
    if (i >= 0) SendMessageA(Handle, TCM_DELETEITEM, i, 0);
    LayoutSheets();
}

void PageControl::ShowPage(TabSheet* s) {
    if (s && !s->tabVisible_) return;
    TabSheet* old = active_;
    active_ = s;
    SendMessageA(Handle, TCM_SETCURSEL, s ? s->TabIndex() : -1, 0);
    if (s == old) return;
    if (s && s->Handle) {
        RECT r = DisplayRect();
        SetWindowPos(s->Handle, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (old && old->Handle) {
        // The focus must not stay in a hidden page.
        HWND f = GetFocus();
        bool hadFocus = f && (f == old->Handle || IsChild(old->Handle, f));
        ShowWindow(old->Handle, SW_HIDE);
        if (hadFocus) ::SetFocus(Handle);
    }
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page && page->owner_ != this) return;
    ShowPage(page);
}

void PageControl::SetTabWidth(int w) {
    if (w < 0) w = 0;
    if (w == tabWidth_) return;
    tabWidth_ = w;
    LONG st = GetWindowLongA(Handle, GWL_STYLE);
    SetWindowLongA(Handle, GWL_STYLE, w ? (st | TCS_FIXEDWIDTH) : (st & ~TCS_FIXEDWIDTH));
    SendMessageA(Handle, TCM_SETITEMSIZE, 0, MAKELPARAM(w, 0));
    LayoutSheets();
    Invalidate();
}

void PageControl::SetMultiLine(bool on) {
    LONG st = GetWindowLongA(Handle, GWL_STYLE);
    if (((st & TCS_MULTILINE) != 0) == on) return;
    SetWindowLongA(Handle, GWL_STYLE, on ? (st | TCS_MULTILINE) : (st & ~TCS_MULTILINE));
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    LayoutSheets();
    Invalidate();
}

void PageControl::LayoutSheets() {
    if (!Handle) return;
    RECT r = DisplayRect();
    for (TabSheet* s : pages_)
        if (s->Handle) s->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

LRESULT PageControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        LRESULT r = Control::WndProc(msg, wp, lp);
        LayoutSheets();
        return r;
    }
    return Control::WndProc(msg, wp, lp);
}

bool PageControl::HandleNotify(NMHDR* nm, LRESULT& result) {
    switch (nm->code) {
        case TCN_SELCHANGING: {
            bool allow = true;
            if (OnChanging) OnChanging(allow);
            result = allow ? FALSE : TRUE;
            return true;
        }
        case TCN_SELCHANGE: {
            int sel = (int)SendMessageA(Handle, TCM_GETCURSEL, 0, 0);
            TabSheet* page = nullptr;
            TCITEMA it{};
            it.mask = TCIF_PARAM;
            if (sel >= 0 && SendMessageA(Handle, TCM_GETITEMA, sel, (LPARAM)&it)) page = (TabSheet*)it.lParam;
            ShowPage(page);
            if (OnChange) OnChange();
            result = 0;
            return true;
        }
    }
    return false;
}

}  // namespace tk
