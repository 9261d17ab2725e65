#include "toolkit/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "toolkit/Clipboard.h"
#include "toolkit/MsgBox.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

static const int kArrowWidth = 15;
// Posted to itself on leaving: the box says the range once the focus has moved on.
static const UINT kTellRange = WM_APP + 0x31;

void SpinEdit::Create(Control& parent, const Ctl& p) {
    MinValue = p.min;
    MaxValue = p.max;
    Ctl q = p;
    q.caption = rtl::IntToStr(Clamp(p.value));
    CreateEdit(parent, q, ES_AUTOHSCROLL | WS_CLIPCHILDREN);
    arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, kArrowWidth, 10, Handle, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    // Any range will do: every step is ours (the position is never moved).
    SendMessageA(arrows_, UDM_SETRANGE32, 0, 100);
    SendMessageA(arrows_, UDM_SETPOS32, 0, 50);
    SendMessageA(Handle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, kArrowWidth + 1));
    PlaceArrows();
}

void SpinEdit::PlaceArrows() {
    if (!arrows_) return;
    RECT r = ClientRect();
    SetWindowPos(arrows_, nullptr, r.right - kArrowWidth, 0, kArrowWidth, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

int SpinEdit::Clamp(int v) const {
    if (MaxValue == MinValue) return v;
    return std::clamp(v, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
}

bool SpinEdit::InRange(const std::string& text) const {
    int v;
    return rtl::TryStrToInt(text, v) && Clamp(v) == v;
}

int SpinEdit::ValueOf(const std::string& text) const {
    int v;
    if (!rtl::TryStrToInt(text, v)) v = MinValue;
    return Clamp(v);
}

int SpinEdit::Value() const {
    // Typed text only reaches OnChange as a value of the range, so the last text reported holds.
    std::string text = Caption();
    return ValueOf(typed_ && !InRange(text) ? lastText_ : text);
}

void SpinEdit::SetValue(int v) { SetCaption(rtl::IntToStr(Clamp(v))); }

void SpinEdit::SetCaption(const std::string& s) {
    typed_ = told_ = false;
    Edit::SetCaption(s);
}

bool SpinEdit::HandleCommand(WORD code) {
    if (code != EN_CHANGE || quiet_) return Edit::HandleCommand(code);
    KeepWithinMaxLength();
    typed_ = true;
    if (InRange(Caption())) {
        told_ = false;
        Notice();
    }
    return true;
}

void SpinEdit::TellRange() {
    HWND top = GetAncestor(Handle, GA_ROOT);
    char caption[256] = {};
    GetWindowTextA(top, caption, sizeof caption);
    int lo = std::min(MinValue, MaxValue), hi = std::max(MinValue, MaxValue);
    bool focused = GetFocus() == Handle;
    int start, end;
    GetSel(start, end);
    told_ = !InRange(Caption());  // a key refused at a value: what is typed next is a new mistake
    bool was = std::exchange(telling_, true);
    MessageDlg(top, rtl::IntToStr(lo) + "～" + rtl::IntToStr(hi) + "の範囲で入力してください。", caption,
               MB_OK | MB_ICONEXCLAMATION);
    if (focused && IsWindow(Handle)) {
        ::SetFocus(Handle);
        SendMessageA(Handle, EM_SETSEL, ToControl(start), ToControl(end));
    }
    telling_ = was;
}

bool SpinEdit::PasteAllowed() {
    std::string s = GetClipboardText(Handle);
    s.resize(std::min(s.size(), s.find_first_of("\r\n")));  // a one-line box takes the first line
    for (char c : s)
        if ((c < '0' || c > '9') && c != '-' && c != '+') {
            MessageBeep(0);
            return false;
        }
    if (!PastTheTop(s)) return true;
    TellRange();
    return false;
}

bool SpinEdit::PastTheTop(const std::string& s) const {
    if (MinValue == MaxValue) return false;  // no range to say
    int start, end;
    GetSel(start, end);
    std::string text = Caption();
    text = text.substr(0, start) + s + text.substr(end);
    if (maxLength_ > 0 && (int)text.size() > maxLength_) return true;
    long long v = 0;
    for (char d : text) {
        if (d < '0' || d > '9') return false;  // a sign: not a plain number growing upwards
        v = std::min(v * 10 + (d - '0'), (long long)INT_MAX + 1);
    }
    int hi = std::max(MinValue, MaxValue);
    return hi >= 0 && v > hi;
}

void SpinEdit::Step(int times) {
    if (ReadOnly()) return;
    long long v = (long long)Value() + (long long)times * Increment;
    v = std::clamp<long long>(v, INT_MIN, INT_MAX);
    SetValue((int)v);
    SelectAll();
}

LRESULT SpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* nm = (NMHDR*)lp;
            if (nm->hwndFrom == arrows_ && nm->code == UDN_DELTAPOS) {
                int d = ((NMUPDOWN*)lp)->iDelta;
                if (d) Step(d > 0 ? 1 : -1);
                return TRUE;  // keep the arrows' own position where it is
            }
            break;
        }
        case WM_VSCROLL:
            if ((HWND)lp == arrows_) return 0;
            break;
        case WM_KEYDOWN:
            if (wp == VK_UP || wp == VK_DOWN) {
                WORD key = (WORD)wp;
                if (OnKeyDown) OnKeyDown(key, KeyShift());
                if (key) Step(wp == VK_UP ? 1 : -1);
                return 0;
            }
            if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
                // The control pastes Shift+Insert past WM_PASTE: sent through it, it is checked too.
                WORD key = VK_INSERT;
                if (OnKeyDown) OnKeyDown(key, KeyShift());
                if (key) SendMessageA(Handle, WM_PASTE, 0, 0);
                return 0;
            }
            break;
        case WM_CHAR: {
            // Digits, a sign and editing keys only.
            char c = (char)wp;
            bool ok = (c >= '0' && c <= '9') || c == '-' || c == '+' || (unsigned char)c < ' ';
            if (!ok) {
                MessageBeep(0);
                return 0;
            }
            if (c >= '0' && c <= '9' && !ReadOnly() && PastTheTop(std::string(1, c))) {
                TellRange();
                return 0;
            }
            break;
        }
        case WM_PASTE:
            if (ReadOnly()) break;
            if (!PasteAllowed()) return 0;
            break;
        case kTellRange:
            TellRange();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // To the range box and back: the user never left the box.
            if (telling_) return DefaultHandler(msg, wp, lp);
            if (msg == WM_SETFOCUS) break;
            // Text that is no value of the range is put right when the box is left: the user's
            // goes back to the value held before, the program's is pulled in.
            if (Handle && !InRange(Caption())) {
                int v;
                bool tell = typed_ && !told_ && rtl::TryStrToInt(Caption(), v);
                SetValue(Value());
                if (tell) PostMessageA(Handle, kTellRange, 0, 0);
            }
            break;
        case WM_SIZE: {
            LRESULT r = Edit::WndProc(msg, wp, lp);
            PlaceArrows();
            return r;
        }
        case WM_ENABLE:
            if (arrows_) EnableWindow(arrows_, (BOOL)wp);
            break;
        case WM_SETFONT: {
            LRESULT r = Edit::WndProc(msg, wp, lp);
            SendMessageA(Handle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, kArrowWidth + 1));
            return r;
        }
    }
    return Edit::WndProc(msg, wp, lp);
}

}  // namespace tk
