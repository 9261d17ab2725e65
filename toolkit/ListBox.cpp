#include "toolkit/ListBox.h"

#include <algorithm>

namespace tk {

void ListBox::Create(Control& parent, const Ctl& p) {
    int kind = p.style & 0xFF;
    style_ = kind == lbOwnerDrawFixed ? lbOwnerDrawFixed : kind == lbOwnerDrawVariable ? lbOwnerDrawVariable : lbStandard;
    multi_ = p.style & lbMultiSelect;
    if (p.style & lbSorted) Items.SetSorted(true);
    DWORD ws = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    if (multi_) ws |= LBS_EXTENDEDSEL;
    if (style_ == lbOwnerDrawFixed) ws |= LBS_OWNERDRAWFIXED;
    if (style_ == lbOwnerDrawVariable) ws |= LBS_OWNERDRAWVARIABLE;
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, "LISTBOX", ws, (p.style & lbNoBorder) ? 0 : WS_EX_CLIENTEDGE, q);
    // The first height request came before the window was ours to answer.
    if (style_ == lbOwnerDrawFixed) SendMessageA(Handle, LB_SETITEMHEIGHT, 0, DefaultItemHeight());
    Items.Reload();
    for (auto& s : p.items) Items.Add(s);
}

int ListBox::DefaultItemHeight() const {
    if (itemHeight_ > 0) return itemHeight_;
    int h = FontLineHeight(EffectiveFont());
    return style_ == lbStandard ? h : h + 4;
}

int ListBox::ItemIndex() const {
    if (multi_) return Items.Count() ? (int)SendMessageA(Handle, LB_GETCARETINDEX, 0, 0) : -1;
    return (int)SendMessageA(Handle, LB_GETCURSEL, 0, 0);
}

void ListBox::SetItemIndex(int i) {
    if (i < -1 || i >= Items.Count()) i = -1;
    if (!multi_) {
        SendMessageA(Handle, LB_SETCURSEL, i, 0);
        return;
    }
    ClearSelection();
    if (i >= 0) {
        SendMessageA(Handle, LB_SETSEL, TRUE, i);
        SendMessageA(Handle, LB_SETCARETINDEX, i, FALSE);
    }
}

bool ListBox::Selected(int i) const { return SendMessageA(Handle, LB_GETSEL, i, 0) > 0; }

void ListBox::SetSelected(int i, bool v) {
    if (i < 0 || i >= Items.Count()) return;
    if (multi_) SendMessageA(Handle, LB_SETSEL, v, i);
    else if (v) SendMessageA(Handle, LB_SETCURSEL, i, 0);
    else if (ItemIndex() == i) SendMessageA(Handle, LB_SETCURSEL, (WPARAM)-1, 0);
}

int ListBox::SelCount() const {
    if (multi_) return (int)SendMessageA(Handle, LB_GETSELCOUNT, 0, 0);
    return ItemIndex() >= 0 ? 1 : 0;
}

void ListBox::ClearSelection() {
    if (multi_) SendMessageA(Handle, LB_SETSEL, FALSE, -1);
    else SendMessageA(Handle, LB_SETCURSEL, (WPARAM)-1, 0);
}

int ListBox::TopIndex() const { return (int)SendMessageA(Handle, LB_GETTOPINDEX, 0, 0); }
void ListBox::SetTopIndex(int i) { SendMessageA(Handle, LB_SETTOPINDEX, std::max(0, i), 0); }

int ListBox::ItemHeight() const {
    int h = (int)SendMessageA(Handle, LB_GETITEMHEIGHT, 0, 0);
    return h > 0 ? h : DefaultItemHeight();
}

void ListBox::SetItemHeight(int h) {
    if (h <= 0) return;
    itemHeight_ = h;
    if (style_ != lbOwnerDrawVariable) SendMessageA(Handle, LB_SETITEMHEIGHT, 0, h);
    Invalidate();
}

int ListBox::ItemAtPos(int x, int y) const {
    LRESULT r = SendMessageA(Handle, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(r)) return -1;  // outside every item
    int i = LOWORD(r);
    return i < Items.Count() ? i : -1;
}

RECT ListBox::ItemRect(int i) const {
    RECT r{};
    SendMessageA(Handle, LB_GETITEMRECT, i, (LPARAM)&r);
    return r;
}

void ListBox::ItemInserted(int i) { SendMessageA(Handle, LB_INSERTSTRING, i, (LPARAM)Items[i].c_str()); }
void ListBox::ItemDeleted(int i) { SendMessageA(Handle, LB_DELETESTRING, i, 0); }
void ListBox::ItemsCleared() { SendMessageA(Handle, LB_RESETCONTENT, 0, 0); }

void ListBox::ItemChanged(int i) {
    bool sel = Selected(i);
    int top = TopIndex();
    SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
    ItemDeleted(i);
    ItemInserted(i);
    if (sel) SetSelected(i, true);
    SetTopIndex(top);
    SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

bool ListBox::HandleCommand(WORD code) {
    switch (code) {
        case LBN_SELCHANGE:
            if (OnClick) OnClick();
            return true;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick();
            return true;
    }
    return false;
}

bool ListBox::HandleMeasureItem(MEASUREITEMSTRUCT* mi) {
    int h = DefaultItemHeight();
    if (style_ == lbOwnerDrawVariable && OnMeasureItem) OnMeasureItem((int)mi->itemID, h);
    mi->itemHeight = std::max(1, h);
    return true;
}

bool ListBox::HandleDrawItem(DRAWITEMSTRUCT* di) {
    RECT r = di->rcItem;
    int index = (int)di->itemID;
    if (index < 0) {
        if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &r);
        return true;
    }
    int state = 0;
    if (di->itemState & ODS_SELECTED) state |= odSelected;
    if (di->itemState & ODS_GRAYED) state |= odGrayed;
    if (di->itemState & ODS_DISABLED) state |= odDisabled;
    if (di->itemState & ODS_CHECKED) state |= odChecked;
    if (di->itemState & ODS_FOCUS) state |= odFocused;
    Canvas = TCanvas(di->hDC);
    Canvas.Font = EffectiveFont();
    Canvas.Brush.Color = EffectiveColor();
    if (state & odSelected) {
        Canvas.Brush.Color = clHighlight;
        Canvas.Font.Color = clHighlightText;
    }
    if (OnDrawItem) {
        OnDrawItem(index, r, state);
    } else {
        Canvas.FillRect(r);
        if (index < Items.Count()) Canvas.TextOut(r.left + 2, r.top, Items[index]);
    }
    if (state & odFocused) DrawFocusRect(di->hDC, &r);
    Canvas = TCanvas();
    return true;
}

LRESULT ListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDBLCLK) {
        // OnDblClick comes from the list's own notification, after it has selected the item.
        if (OnMouseDown) OnMouseDown(mbLeft, ShiftFromKeys(wp) | ssDouble, (short)LOWORD(lp), (short)HIWORD(lp));
        return DefaultHandler(msg, wp, lp);
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
