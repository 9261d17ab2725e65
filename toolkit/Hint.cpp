#include "toolkit/Hint.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

namespace {
std::vector<HintWindow*> gHintWindows;

void HintChanged(const HintText& h) {
    for (HintWindow* w : gHintWindows)
        for (Control* c = w->Shown(); c; c = c->Parent)
            if (&c->Hint == &h) {
                w->Refresh();
                break;
            }
}

TTTOOLINFOA ToolInfo(HWND window, UINT_PTR id, UINT flags) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the newer size is refused by the older common controls
    ti.uFlags = flags;
    ti.hwnd = window;
    ti.uId = id;
    return ti;
}

// What the tip of c shows now; empty when hints are off for it.
std::string CurrentTip(Control* c) {
    if (!c || !Application.ShowHint || !c->ShowHint()) return {};
    return TipText(HintOf(c));
}
}  // namespace

std::string TipText(const std::string& hint) {
    // No Shift-JIS trail byte is a CR or LF, so bytes can be looked at one by one.
    std::string s;
    s.reserve(hint.size() + 8);
    for (size_t i = 0; i < hint.size(); ++i) {
        char ch = hint[i];
        if (ch == '\r' || ch == '\n') {
            s += "\r\n";
            if (ch == '\r' && i + 1 < hint.size() && hint[i + 1] == '\n') ++i;
        } else {
            s += ch;
        }
    }
    return s;
}

const std::string& HintOf(const Control* c) {
    static const std::string none;
    for (; c; c = c->Parent)
        if (!c->Hint.empty()) return c->Hint;
    return none;
}

Control* HintOwner(HWND h) {
    for (; h; h = GetParent(h))
        if (Control* c = Control::FromHandle(h)) return c;
    return nullptr;
}

HintWindow::~HintWindow() {
    gHintWindows.erase(std::remove(gHintWindows.begin(), gHintWindows.end(), this), gHintWindows.end());
}

void HintWindow::Create(HWND owner) {
    HWND h = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) throw std::runtime_error("ヒントを作成できません。");
    Attach(h);
    owner_ = owner;
    // A width limit turns on line breaks; the screen's width keeps a line from wrapping otherwise.
    SendMessageA(h, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    if (std::find(gHintWindows.begin(), gHintWindows.end(), this) == gHintWindows.end()) gHintWindows.push_back(this);
    HintText::Changed = HintChanged;
}

LRESULT HintWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return DefaultHandler(msg, wp, lp); }

TTTOOLINFOA HintWindow::ToolOf(const Tool& t) const {
    // Notifications go to the tool's window: the form for own tools, the parent for rectangles;
    // both reflect them back here.
    return t.own ? ToolInfo(owner_, (UINT_PTR)t.window, TTF_IDISHWND) : ToolInfo(t.window, (UINT_PTR)t.control, 0);
}

void HintWindow::AddTool(Control& c, HWND window) {
    // A control's own window is a tool by its handle; a disabled child, which never sees the
    // mouse, is a rectangle of the parent that does.
    Tool tool{window, c.Handle, window == c.Handle || IsChild(c.Handle, window)};
    bool known = false;
    for (auto it = tools_.begin(); it != tools_.end();) {
        bool dead = !IsWindow(it->window) || !IsWindow(it->control);
        // One tooltip cannot tell a control's two kinds of tool apart: keep one.
        bool otherKind = it->control == tool.control && it->own != tool.own;
        if (dead || otherKind) {
            TTTOOLINFOA ti = ToolOf(*it);
            SendMessageA(Handle, TTM_DELTOOLA, 0, (LPARAM)&ti);
            it = tools_.erase(it);
            continue;
        }
        known = known || (it->window == tool.window && it->control == tool.control);
        ++it;
    }
    TTTOOLINFOA ti = ToolOf(tool);
    if (!tool.own) {
        GetWindowRect(c.Handle, &ti.rect);
        MapWindowPoints(nullptr, window, (POINT*)&ti.rect, 2);
    }
    if (known) {
        if (!tool.own) SendMessageA(Handle, TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
        return;
    }
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    if (SendMessageA(Handle, TTM_ADDTOOLA, 0, (LPARAM)&ti)) tools_.push_back(tool);
}

void HintWindow::Relay(Control& c, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (!Handle) return;
    if (!HintOf(&c).empty()) AddTool(c, window);
    MSG m{window, msg, wp, lp, (DWORD)GetMessageTime(), {}};
    GetCursorPos(&m.pt);
    SendMessageA(Handle, TTM_RELAYEVENT, 0, (LPARAM)&m);
}

bool HintWindow::CurrentTool(TTTOOLINFOA& ti) const {
    static char text[INFOTIPSIZE];  // some versions copy the tool's text out
    ti = ToolInfo(nullptr, 0, 0);
    ti.lpszText = text;
    return Handle && IsWindowVisible(Handle) && SendMessageA(Handle, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
}

Control* HintWindow::Shown() const {
    TTTOOLINFOA ti;
    return CurrentTool(ti) ? HintOwner((HWND)ti.uId) : nullptr;
}

void HintWindow::Refresh() {
    TTTOOLINFOA ti;
    if (!CurrentTool(ti)) return;
    if (CurrentTip(HintOwner((HWND)ti.uId)).empty()) {
        SendMessageA(Handle, TTM_POP, 0, 0);
        return;
    }
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Handle, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

bool HintWindow::HandleNotify(NMHDR* nm, LRESULT& result) {
    if (nm->code != TTN_GETDISPINFOA && nm->code != TTN_GETDISPINFOW) return false;
    // The tool's id is a window for both kinds of tool: the one under the mouse or the control.
    text_ = CurrentTip(HintOwner((HWND)nm->idFrom));
    if (nm->code == TTN_GETDISPINFOA) {
        auto* di = (NMTTDISPINFOA*)nm;
        di->hinst = nullptr;
        di->lpszText = text_.data();
    } else {
        auto* di = (NMTTDISPINFOW*)nm;
        int n = MultiByteToWideChar(CP_ACP, 0, text_.c_str(), -1, nullptr, 0);
        wtext_.assign(n > 0 ? n : 1, L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, text_.c_str(), -1, wtext_.data(), n);
        di->hinst = nullptr;
        di->lpszText = wtext_.data();
    }
    result = 0;
    return true;
}

void RelayHint(Control& c, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    Control* tool = &c;
    if (window == c.Handle) {
        // A disabled child's mouse comes to its parent: the child's hint is the one to show.
        POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
        if (msg == WM_MOUSEWHEEL) ScreenToClient(window, &pt);
        HWND child = ChildWindowFromPointEx(window, pt, CWP_SKIPINVISIBLE);
        if (child && child != window && !IsWindowEnabled(child))
            if (Control* d = Control::FromHandle(child)) tool = d;
    }
    if (msg == WM_MOUSEMOVE) Application.ShowHintFor(tool);
    Control* top = &c;
    while (top->Parent) top = top->Parent;
    auto* form = dynamic_cast<Form*>(top);
    if (!form || !form->Handle) return;
    if (HintOf(tool).empty() && !form->HasHints()) return;  // no tooltip needed yet
    form->Hints().Relay(*tool, window, msg, wp, lp);
}

void RefreshShownHint() {
    for (HintWindow* w : gHintWindows) w->Refresh();
}

}  // namespace tk
