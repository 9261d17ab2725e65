#include "toolkit/ComboBox.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "toolkit/Application.h"
#include "toolkit/Hint.h"

namespace tk {

// The box of each typing field and drop-down list, kept in the process: a window property would
// be a round trip to the server under Wine on every message they get. Never freed, like the
// controls' own table: a box destroyed at program end may still ask it.
static std::unordered_map<HWND, ComboBox*>& PartOwners() {
    static auto* owners = new std::unordered_map<HWND, ComboBox*>;
    return *owners;
}

// Gives the window h its own procedure back when the box goes first.
static void Unhook(HWND h, WNDPROC proc) {
    if (!h) return;
    PartOwners().erase(h);
    if (IsWindow(h)) SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)proc);
}

ComboBox::~ComboBox() {
    Unhook(field_, fieldProc_);
    Unhook(list_, listProc_);
}

void ComboBox::Create(Control& parent, const Ctl& p) {
    style_ = (p.style & 0xFF) == csDropDownList ? csDropDownList : csDropDown;
    if (p.style & cbSorted) Items.SetSorted(true);
    Ctl q = p;
    q.caption.clear();
    DWORD ws = (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
    // The list's height is fitted as it drops down, where DropDownCount is known for sure.
    CreateChild(parent, "COMBOBOX", ws, 0, q);
    if (style_ == csDropDown) {
        field_ = GetWindow(Handle, GW_CHILD);
        if (field_) {
            PartOwners()[field_] = this;
            fieldProc_ = (WNDPROC)SetWindowLongPtrA(field_, GWLP_WNDPROC, (LONG_PTR)PartProc);
        }
    } else {
        COMBOBOXINFO info{sizeof info};
        if (GetComboBoxInfo(Handle, &info) && info.hwndList) {
            list_ = info.hwndList;
            PartOwners()[list_] = this;
            listProc_ = (WNDPROC)SetWindowLongPtrA(list_, GWLP_WNDPROC, (LONG_PTR)PartProc);
        }
    }
    Items.Reload();  // items added before the window existed
    for (auto& s : p.items) Items.Add(s);
    if (!p.caption.empty()) SetCaption(p.caption);
}

void ComboBox::SetTextQuiet(const std::string& s) {
    bool q = quiet_;
    quiet_ = true;
    SetWindowTextA(Handle, s.c_str());
    quiet_ = q;
}

int ComboBox::ItemIndex() const { return (int)SendMessageA(Handle, CB_GETCURSEL, 0, 0); }

void ComboBox::SetItemIndex(int i) {
    if (i < -1 || i >= Items.Count()) i = -1;
    bool q = quiet_;
    quiet_ = true;
    SendMessageA(Handle, CB_SETCURSEL, i, 0);
    quiet_ = q;
}

void ComboBox::SetCaption(const std::string& s) {
    if (style_ == csDropDownList) {
        SetItemIndex(Items.IndexOf(s));
        return;
    }
    if (Caption() == s) return;
    SetTextQuiet(s);
}

void ComboBox::SetMaxLength(int n) {
    maxLength_ = std::max(0, n);
    SendMessageA(Handle, CB_LIMITTEXT, maxLength_, 0);
}

bool ComboBox::DroppedDown() const { return SendMessageA(Handle, CB_GETDROPPEDSTATE, 0, 0) != 0; }
void ComboBox::SetDroppedDown(bool v) { SendMessageA(Handle, CB_SHOWDROPDOWN, v, 0); }
void ComboBox::SelectAll() { SendMessageA(Handle, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void ComboBox::ItemInserted(int i) {
    bool q = quiet_;
    quiet_ = true;
    SendMessageA(Handle, CB_INSERTSTRING, i, (LPARAM)Items[i].c_str());
    quiet_ = q;
}

void ComboBox::ItemDeleted(int i) {
    bool q = quiet_;
    quiet_ = true;
    SendMessageA(Handle, CB_DELETESTRING, i, 0);
    quiet_ = q;
}

void ComboBox::ItemsCleared() {
    bool q = quiet_;
    quiet_ = true;
    SendMessageA(Handle, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(Handle, "");
    quiet_ = q;
}

void ComboBox::ItemChanged(int i) {
    int sel = ItemIndex();
    std::string text = Caption();
    ItemDeleted(i);
    ItemInserted(i);
    if (sel == i) SetItemIndex(i);
    else if (style_ == csDropDown) SetTextQuiet(text);
    if (sel >= 0 && sel != i) SetItemIndex(sel);
}

void ComboBox::FitDropDown() {
    int item = (int)SendMessageA(Handle, CB_GETITEMHEIGHT, 0, 0);
    if (item <= 0) item = 16;
    RECT r;
    GetWindowRect(Handle, &r);
    SetWindowPos(Handle, nullptr, 0, 0, r.right - r.left, Height() + DropDownCount * item + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ComboBox::HandleCommand(WORD code) {
    switch (code) {
        case CBN_DROPDOWN:
            // DropDownCount is often set after the box is made: the list takes it as it opens.
            FitDropDown();
            return false;
        case CBN_SELCHANGE: {
            // The typing field still shows the old text at this point; give it the new item first.
            int i = ItemIndex();
            if (i >= 0 && style_ == csDropDown) SetTextQuiet(Items[i]);
            if (OnClick) OnClick();
            if (OnChange) OnChange();
            return true;
        }
        case CBN_EDITCHANGE:
            if (!quiet_ && OnChange) OnChange();
            return true;
    }
    return false;
}

LRESULT ComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            // Our own typing field and drop-down list take our colours.
            if ((HWND)lp != Handle && !FromHandle((HWND)lp)) return (LRESULT)HandleCtlColor((HDC)wp);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (list_) {
                if (PairClick()) return 0;
                // A double click of the box's own comes here only as a first click: it drops
                // the list like any press.
                if (msg == WM_LBUTTONDBLCLK) return DefaultHandler(msg, wp, lp);
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // With a typing field, key and focus events are raised there.
            if (field_) return DefaultHandler(msg, wp, lp);
            break;
    }
    return Control::WndProc(msg, wp, lp);
}

LRESULT CALLBACK ComboBox::PartProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = PartOwners().find(h);
    if (it == PartOwners().end()) return DefWindowProcA(h, msg, wp, lp);
    ComboBox* cb = it->second;
    bool field = h == cb->field_;
    WNDPROC old = field ? cb->fieldProc_ : cb->listProc_;
    LRESULT r = 0;
    Guard([&] {
        if (field) r = cb->FieldMessage(msg, wp, lp);
        else if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && cb->PairClick()) r = 0;
        else r = CallWindowProcA(old, h, msg, wp, lp);
    });
    if (msg == WM_NCDESTROY) {
        PartOwners().erase(h);
        SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)old);
        (field ? cb->field_ : cb->list_) = nullptr;
    }
    return r;
}

bool ComboBox::PairClick() {
    DWORD pos = GetMessagePos(), time = (DWORD)GetMessageTime();
    POINT at{(short)LOWORD(pos), (short)HIWORD(pos)};
    if (clickOnBox_ && time - clickTime_ < GetDoubleClickTime() &&
        std::abs(at.x - clickAt_.x) * 2 <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(at.y - clickAt_.y) * 2 <= GetSystemMetrics(SM_CYDOUBLECLK)) {
        clickOnBox_ = false;
        // The first click only dropped the list: nothing was chosen, whatever the pointer
        // passed over or the second click hit in the list.
        SetDroppedDown(false);
        if (ItemIndex() != clickItem_) SetItemIndex(clickItem_);
        if (OnDblClick) OnDblClick();
        return true;
    }
    // The list takes every click while it is down; only one on the box itself may begin a pair.
    RECT box;
    GetWindowRect(Handle, &box);
    clickOnBox_ = PtInRect(&box, at) != FALSE;
    clickTime_ = time;
    clickAt_ = at;
    clickItem_ = ItemIndex();
    return false;
}

LRESULT ComboBox::FieldMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayHint(*this, field_, msg, wp, lp);
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            if (KeyEvent(msg, wp)) return 0;
            break;
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) OnDblClick();
            break;
        case WM_SETFOCUS:
            if (OnEnter) OnEnter();
            break;
        case WM_KILLFOCUS:
            if (OnExit) OnExit();
            break;
    }
    return CallWindowProcA(fieldProc_, field_, msg, wp, lp);
}

}  // namespace tk
