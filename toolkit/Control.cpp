#include "toolkit/Control.h"

#include <algorithm>
#include <stdexcept>
#include <map>
#include <unordered_map>

#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Hint.h"
#include "toolkit/Menus.h"

namespace tk {

// Which control owns a window, answered inside the process: under Wine a window property is a
// round trip to the server, and the lookup runs for every message of every control. Windows
// run their messages on the thread that made them, the main thread. Never freed: a control
// destroyed at program end may still ask it after static objects are gone.
static std::unordered_map<HWND, Control*>& Owners() {
    static auto* owners = new std::unordered_map<HWND, Control*>;
    return *owners;
}

UINT NextControlId() {
    static UINT next = 1000;
    return next++;
}

void Guard(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        Application.HandleException(e.what());
    } catch (...) {
        Application.HandleException("予期しないエラーが発生しました。");
    }
}

const char* OrbalClass(bool form) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = OrbalWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
        if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.lpszClassName = "OrbalForm";
        RegisterClassA(&wc);
        wc.lpszClassName = "OrbalControl";
        wc.hIcon = nullptr;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        RegisterClassA(&wc);
        registered = true;
    }
    return form ? "OrbalForm" : "OrbalControl";
}

Control* Control::FromHandle(HWND h) {
    if (!h) return nullptr;
    auto it = Owners().find(h);
    return it == Owners().end() ? nullptr : it->second;
}

int Control::ShiftFromKeys(WPARAM keys) {
    int s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

int Control::KeyShift() {
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

Control::~Control() {
    if (Parent) {
        auto& v = Parent->Children;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    for (Control* c : Children) c->Parent = nullptr;
    if (Handle) {
        HWND h = Handle;
        Owners().erase(h);
        if (oldProc_) SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)oldProc_);
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        Handle = nullptr;
        DestroyWindow(h);
    }
    if (brush_) DeleteObject(brush_);
}

void Control::Attach(HWND h) {
    Handle = h;
    Owners()[h] = this;
    if (!custom_) oldProc_ = (WNDPROC)SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)SubclassProc);
}

void Control::ApplyCommon(const Ctl& p) {
    Tag = p.tag;
    Hint = p.hint;
    AlignMode = p.align;
    if (p.color != clDefault) Color = p.color;
    if (p.font) {
        Font = *p.font;
        ParentFont = false;
    } else if (Parent) {
        Font = Parent->EffectiveFont();
    }
    SendMessageA(Handle, WM_SETFONT, (WPARAM)EffectiveFont().Handle(), FALSE);
    if (!p.enabled) EnableWindow(Handle, FALSE);
    if (AlignMode != Align::None && Parent) Parent->Realign();
}

void Control::CreateChild(Control& parent, const char* cls, DWORD style, DWORD exStyle, const Ctl& p) {
    Parent = &parent;
    parent.Children.push_back(this);
    HWND h = CreateWindowExA(exStyle, cls, p.caption.c_str(),
                             style | WS_CHILD | WS_CLIPSIBLINGS | (p.visible ? WS_VISIBLE : 0), p.at.left, p.at.top,
                             p.at.width, p.at.height, parent.Handle, (HMENU)(UINT_PTR)NextControlId(),
                             GetModuleHandleA(nullptr), this);
    if (!h) throw std::runtime_error(std::string("コントロールを作成できません: ") + cls);
    if (!custom_) Attach(h);
    ApplyCommon(p);
}

void Control::CreateCustom(Control& parent, DWORD style, DWORD exStyle, const Ctl& p) {
    custom_ = true;
    CreateChild(parent, OrbalClass(false), style, exStyle, p);
}

LRESULT CALLBACK OrbalWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Control* c;
    if (msg == WM_NCCREATE) {
        auto* cs = (CREATESTRUCTA*)lp;
        c = (Control*)cs->lpCreateParams;
        if (c) {
            c->text_ = cs->lpszName ? cs->lpszName : "";
            c->custom_ = true;
            c->Attach(h);
        }
    } else {
        c = Control::FromHandle(h);
    }
    if (!c) return DefWindowProcA(h, msg, wp, lp);
    LRESULT r = 0;
    Guard([&] { r = c->WndProc(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        Owners().erase(h);
        c->Handle = nullptr;
    }
    return r;
}

LRESULT CALLBACK Control::SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Control* c = FromHandle(h);
    if (!c) return DefWindowProcA(h, msg, wp, lp);
    WNDPROC old = c->oldProc_;
    LRESULT r = 0;
    Guard([&] { r = c->WndProc(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        Owners().erase(h);
        SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)old);
        c->Handle = nullptr;
        c->oldProc_ = nullptr;
    }
    return r;
}

LRESULT Control::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    if (oldProc_) return CallWindowProcA(oldProc_, Handle, msg, wp, lp);
    return DefWindowProcA(Handle, msg, wp, lp);
}

HBRUSH Control::BackBrush() {
    COLORREF c = ColorToRGB(EffectiveColor());
    if (!brush_ || brushColor_ != c) {
        if (brush_) DeleteObject(brush_);
        brush_ = CreateSolidBrush(c);
        brushColor_ = c;
    }
    return brush_;
}

HBRUSH Control::HandleCtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(EffectiveFont().Color));
    SetBkColor(dc, ColorToRGB(EffectiveColor()));
    return BackBrush();
}

TColor Control::EffectiveColor() const {
    if (Color != clDefault) return Color;
    return Parent ? Parent->EffectiveColor() : clBtnFace;
}

const TFont& Control::EffectiveFont() const { return Font; }

namespace {
// The off-screen picture of a paint. Creating a bitmap costs far more than drawing (a third of
// a millisecond under Wine), so one bitmap serves every paint and only grows; a paint inside
// a paint gets a bitmap of its own.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP own = nullptr;
    HGDIOBJ old = nullptr;
    static inline HDC sharedDc = nullptr;
    static inline HBITMAP sharedBmp = nullptr;
    static inline int sharedW = 0, sharedH = 0;
    static inline bool busy = false;
    bool usesShared = false;

    BackBuffer(HDC screen, int w, int h) {
        if (!busy) {
            if (w > sharedW || h > sharedH) {
                if (sharedDc) DeleteDC(sharedDc);
                if (sharedBmp) DeleteObject(sharedBmp);
                sharedW = std::max(w, sharedW);
                sharedH = std::max(h, sharedH);
                sharedDc = CreateCompatibleDC(screen);
                sharedBmp = CreateCompatibleBitmap(screen, sharedW, sharedH);
                SelectObject(sharedDc, sharedBmp);
            }
            busy = usesShared = true;
            dc = sharedDc;
        } else {
            dc = CreateCompatibleDC(screen);
            own = CreateCompatibleBitmap(screen, w, h);
            old = SelectObject(dc, own);
        }
    }
    ~BackBuffer() {
        if (usesShared) {
            busy = false;
            return;
        }
        SelectObject(dc, old);
        DeleteObject(own);
        DeleteDC(dc);
    }
};
}  // namespace

bool Control::KeyEvent(UINT msg, WPARAM& wp) {
    if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP) && (msg == WM_KEYUP ? OnKeyUp : OnKeyDown)) {
        WORD key = (WORD)wp;
        (msg == WM_KEYUP ? OnKeyUp : OnKeyDown)(key, KeyShift());
        if (!key) return true;
        wp = key;
    } else if (msg == WM_CHAR && OnKeyPress) {
        char ch = (char)wp;
        OnKeyPress(ch);
        if (!ch) return true;
        wp = (unsigned char)ch;
    }
    return false;
}

void Control::PaintInto(HDC dc, const RECT& clip) {
    RECT rc;
    GetClientRect(Handle, &rc);
    if (DoubleBuffered && rc.right > 0 && rc.bottom > 0) {
        BackBuffer buffer(dc, rc.right, rc.bottom);
        HDC mem = buffer.dc;
        FillRect(mem, &rc, BackBrush());
        TCanvas cv(mem);
        cv.Font = EffectiveFont();
        cv.Brush.Color = EffectiveColor();
        Guard([&] { Paint(cv); });
        BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, mem, clip.left, clip.top,
               SRCCOPY);
    } else {
        if (!DoubleBuffered) FillRect(dc, &rc, BackBrush());
        TCanvas cv(dc);
        cv.Font = EffectiveFont();
        cv.Brush.Color = EffectiveColor();
        Guard([&] { Paint(cv); });
    }
}

void Control::Refresh() {
    if (!Handle) return;
    // Drawing at once through GetDC costs a fraction of a paint message's round under Wine,
    // which matters for the texts that change every second.
    if (!custom_ || !IsWindowVisible(Handle)) {
        Invalidate();
        return;
    }
    HDC dc = GetDC(Handle);
    RECT rc;
    GetClientRect(Handle, &rc);
    PaintInto(dc, rc);
    ReleaseDC(Handle, dc);
    ValidateRect(Handle, nullptr);
}

LRESULT Control::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayHint(*this, Handle, msg, wp, lp);
    switch (msg) {
        case WM_SETCURSOR:
            if (BusyCursorShown()) return TRUE;
            break;
        case WM_COMMAND:
            if (lp) {
                if (Control* child = FromHandle((HWND)lp); child && child != this && child->HandleCommand(HIWORD(wp)))
                    return 0;
            } else if (Application.DispatchCommand(LOWORD(wp))) {
                return 0;
            }
            break;
        case WM_NOTIFY: {
            NMHDR* nm = (NMHDR*)lp;
            LRESULT result = 0;
            if (Control* child = FromHandle(nm->hwndFrom); child && child != this && child->HandleNotify(nm, result))
                return result;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (Control* child = FromHandle((HWND)lp); child && child != this) return (LRESULT)child->HandleCtlColor((HDC)wp);
            break;
        case WM_DRAWITEM: {
            auto* di = (DRAWITEMSTRUCT*)lp;
            if (di->CtlType == ODT_MENU) {
                if (Application.DrawMenuItem(di)) return TRUE;
            } else if (Control* child = FromHandle(di->hwndItem); child && child->HandleDrawItem(di)) {
                return TRUE;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* mi = (MEASUREITEMSTRUCT*)lp;
            if (mi->CtlType == ODT_MENU) {
                if (Application.MeasureMenuItem(mi)) return TRUE;
            } else if (Control* child = FromHandle(GetDlgItem(Handle, mi->CtlID)); child && child->HandleMeasureItem(mi)) {
                return TRUE;
            }
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lp) {
                if (Control* child = FromHandle((HWND)lp); child && child != this) {
                    child->HandleScroll(LOWORD(wp), (short)HIWORD(wp));
                    return 0;
                }
            }
            break;
        case WM_SIZE:
            Realign();
            if (OnResize) OnResize();
            break;
        case WM_ERASEBKGND:
            if (custom_) return 1;
            break;
        case WM_SETTEXT:
            if (custom_) text_ = lp ? (const char*)lp : "";
            break;
        case WM_PAINT:
            if (custom_) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(Handle, &ps);
                PaintInto(dc, ps.rcPaint);
                EndPaint(Handle, &ps);
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            // Lets a transparent child draw what lies under it.
            if (custom_) {
                HDC dc = (HDC)wp;
                RECT rc;
                GetClientRect(Handle, &rc);
                FillRect(dc, &rc, BackBrush());
                TCanvas cv(dc);
                cv.Font = EffectiveFont();
                cv.Brush.Color = EffectiveColor();
                Guard([&] { Paint(cv); });
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            MouseButton b = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
            if (custom_ && b == mbLeft) SetCapture(Handle);
            if (OnMouseDown) OnMouseDown(b, ShiftFromKeys(wp), (short)LOWORD(lp), (short)HIWORD(lp));
            break;
        }
        case WM_LBUTTONDBLCLK:
            if (OnMouseDown) OnMouseDown(mbLeft, ShiftFromKeys(wp) | ssDouble, (short)LOWORD(lp), (short)HIWORD(lp));
            if (OnDblClick) {
                OnDblClick();
                // A standard control still needs the message (an edit selects the word under it).
                if (custom_) return 0;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            MouseButton b = msg == WM_LBUTTONUP ? mbLeft : msg == WM_RBUTTONUP ? mbRight : mbMiddle;
            bool clicked = false;
            if (custom_ && b == mbLeft && GetCapture() == Handle) {
                ReleaseCapture();
                POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
                RECT rc;
                GetClientRect(Handle, &rc);
                clicked = PtInRect(&rc, pt);
            }
            HWND self = Handle;
            if (OnMouseUp) OnMouseUp(b, ShiftFromKeys(wp), (short)LOWORD(lp), (short)HIWORD(lp));
            if (clicked && self == Handle && OnClick) OnClick();
            if (self != Handle) return 0;
            break;
        }
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(ShiftFromKeys(wp), (short)LOWORD(lp), (short)HIWORD(lp));
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            if (KeyEvent(msg, wp)) return 0;
            break;
        case WM_CONTEXTMENU:
            if (PopupMenu* m = GetPopupMenu(); m && m->AutoPopup) {
                POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
                if (pt.x == -1 && pt.y == -1) pt = ClientToScreen({0, 0});  // menu key
                m->PopupComponent = this;
                m->Popup(pt.x, pt.y);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (OnEnter) OnEnter();
            break;
        case WM_KILLFOCUS:
            if (OnExit) OnExit();
            break;
    }
    return DefaultHandler(msg, wp, lp);
}

int Control::Left() const {
    RECT r;
    GetWindowRect(Handle, &r);
    HWND p = GetParent(Handle);
    if (p && (GetWindowLongA(Handle, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, p, (POINT*)&r, 2);
    return r.left;
}
int Control::Top() const {
    RECT r;
    GetWindowRect(Handle, &r);
    HWND p = GetParent(Handle);
    if (p && (GetWindowLongA(Handle, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, p, (POINT*)&r, 2);
    return r.top;
}
int Control::Width() const {
    RECT r;
    GetWindowRect(Handle, &r);
    return r.right - r.left;
}
int Control::Height() const {
    RECT r;
    GetWindowRect(Handle, &r);
    return r.bottom - r.top;
}
RECT Control::ClientRect() const {
    RECT r{};
    GetClientRect(Handle, &r);
    return r;
}
int Control::ClientWidth() const { return ClientRect().right; }
int Control::ClientHeight() const { return ClientRect().bottom; }

void Control::SetBounds(int l, int t, int w, int h) {
    // Moving a window to where it already is still costs round trips under Wine, and aligning
    // sets every aligned child again each time one of them comes or changes.
    RECT r;
    GetWindowRect(Handle, &r);
    MapWindowPoints(nullptr, GetAncestor(Handle, GA_PARENT), (POINT*)&r, 2);
    if (r.left == l && r.top == t && r.right - r.left == w && r.bottom - r.top == h) return;
    SetWindowPos(Handle, nullptr, l, t, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::Visible() const { return Handle && (GetWindowLongA(Handle, GWL_STYLE) & WS_VISIBLE); }

void Control::SetVisible(bool v) {
    if (Visible() == v) return;
    ShowWindow(Handle, v ? SW_SHOW : SW_HIDE);
    if (AlignMode != Align::None && Parent) Parent->Realign();
}

bool Control::ShowHint() const {
    const Control* c = this;
    while (c->ParentShowHint && c->Parent) c = c->Parent;
    return c->showHint_;
}

void Control::SetShowHint(bool on) {
    ParentShowHint = false;
    if (showHint_ == on) return;
    showHint_ = on;
    RefreshShownHint();
}

bool Control::Enabled() const { return IsWindowEnabled(Handle); }
void Control::SetEnabled(bool v) {
    if (Handle && Enabled() == v) return;  // no repaint (under Wine a round trip) for nothing
    EnableWindow(Handle, v);
    if (custom_) Invalidate();
}

std::string Control::Caption() const {
    if (custom_) return text_;
    int n = GetWindowTextLengthA(Handle);
    std::string s(n + 1, '\0');
    n = GetWindowTextA(Handle, s.data(), n + 1);
    s.resize(n > 0 ? n : 0);
    return s;
}

void Control::SetCaption(const std::string& s) {
    if (Caption() == s) return;
    SetWindowTextA(Handle, s.c_str());
    if (custom_) Refresh();
}

void Control::SetColor(TColor c) {
    if (Color == c) return;
    Color = c;
    Invalidate();
}

void Control::SetFont(const TFont& f) {
    Font = f;
    ParentFont = false;
    SendMessageA(Handle, WM_SETFONT, (WPARAM)f.Handle(), TRUE);
    for (Control* c : Children)
        if (c->ParentFont) {
            c->SetFont(f);
            c->ParentFont = true;
        }
    Invalidate();
}

void Control::Invalidate() {
    if (Handle) InvalidateRect(Handle, nullptr, TRUE);
}
void Control::Repaint() {
    if (Handle) {
        InvalidateRect(Handle, nullptr, TRUE);
        UpdateWindow(Handle);
    }
}
void Control::SetFocus() { ::SetFocus(Handle); }
bool Control::Focused() const { return GetFocus() == Handle; }
void Control::BringToFront() { SetWindowPos(Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
void Control::SendToBack() { SetWindowPos(Handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

POINT Control::ClientToScreen(POINT p) const {
    ::ClientToScreen(Handle, &p);
    return p;
}
POINT Control::ScreenToClient(POINT p) const {
    ::ScreenToClient(Handle, &p);
    return p;
}

void Control::SetPopupMenu(PopupMenu* m) {
    if (m) popupMenu_ = m->Token();
    else popupMenu_.reset();
}

PopupMenu* Control::GetPopupMenu() const {
    return popupMenu_ && *popupMenu_ ? static_cast<PopupMenu*>(*popupMenu_) : nullptr;
}

void Control::Realign() {
    if (!Handle) return;
    RECT r = ClientRect();
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* c : Children) {
            if (c->AlignMode != pass || !c->Visible() || !c->Handle) continue;
            int w = c->Width(), h = c->Height();
            switch (pass) {
                // A control that settles its own height in its resize is stacked by the height it took.
                case Align::Top: c->SetBounds(r.left, r.top, r.right - r.left, h); r.top += c->Height(); break;
                case Align::Bottom: c->SetBounds(r.left, r.bottom - h, r.right - r.left, h); r.bottom -= h; break;
                case Align::Left: c->SetBounds(r.left, r.top, w, r.bottom - r.top); r.left += w; break;
                case Align::Right: c->SetBounds(r.right - w, r.top, w, r.bottom - r.top); r.right -= w; break;
                default: c->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top)); break;
            }
        }
    }
}

}  // namespace tk
