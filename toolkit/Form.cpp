#include "toolkit/Form.h"

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/Hint.h"
#include "toolkit/IniFiles.h"
#include "toolkit/MsgBox.h"
#include "toolkit/rtl/Screen.h"

namespace tk {

RECT WorkAreaAt(POINT at) {
    MONITORINFO mon{sizeof mon};
    GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &mon);
    RECT room = mon.rcWork, bar;
    HWND h = FindWindowA("Shell_TrayWnd", nullptr);
    // Only a bar along a whole edge is cut away; the rest of the area stays one rectangle.
    if (h && IsWindowVisible(h) && GetWindowRect(h, &bar)) SubtractRect(&room, &mon.rcWork, &bar);
    return room;
}

static void StylesFor(const FormParams& p, DWORD& style, DWORD& ex) {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ex = WS_EX_CONTROLPARENT;
    switch (p.border) {
        case Border::Sizeable: style |= WS_OVERLAPPEDWINDOW; break;
        case Border::Single: style |= WS_CAPTION | WS_SYSMENU | WS_BORDER; break;
        case Border::Dialog: style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME; ex |= WS_EX_DLGMODALFRAME; break;
        case Border::None: style |= WS_POPUP; break;
        case Border::ToolWindow: style |= WS_CAPTION | WS_SYSMENU; ex |= WS_EX_TOOLWINDOW; break;
        case Border::SizeToolWin: style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
    }
    if (p.border == Border::Sizeable || p.border == Border::Single) {
        if (!p.maximizeBox) style &= ~WS_MAXIMIZEBOX;
        else style |= WS_MAXIMIZEBOX;
        if (!p.minimizeBox) style &= ~WS_MINIMIZEBOX;
        else style |= WS_MINIMIZEBOX;
    }
    if (p.topmost) ex |= WS_EX_TOPMOST;
    if (p.acceptFiles) ex |= WS_EX_ACCEPTFILES;
}

Form::Form(const FormParams& p) {
    static unsigned serials = 0;
    serial_ = ++serials;
    Application.Initialize();
    custom_ = true;
    DoubleBuffered = false;
    Color = p.color;
    if (p.font) {
        Font = *p.font;
        ParentFont = false;
    }
    DWORD style, ex;
    StylesFor(p, style, ex);
    int w = p.width, h = p.height;
    if (p.clientSize) {
        RECT r{0, 0, w, h};
        AdjustWindowRectEx(&r, style, FALSE, ex);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    int l = p.left, t = p.top;
    if (l < 0 && t < 0) {
        l = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        t = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    Handle = CreateWindowExA(ex, OrbalClass(true), p.caption.c_str(), style, l, t, w, h, Application.Handle, nullptr,
                             Application.Instance, this);
    if (!Handle) throw std::runtime_error("ウィンドウを作成できません。");
    Application.Forms.push_back(this);
}

Form::~Form() {
    auto& v = Application.Forms;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    if (Application.MainForm == this) Application.MainForm = nullptr;
    if (ClearRef) ClearRef();
}

void Form::Destroy() {
    if (destroying_) return;
    destroying_ = true;
    KeepFailedWrites quiet;
    if (OnDestroy) Guard(OnDestroy);
    delete this;
}

void Form::Release() {
    // A second Close before the queue runs must not free the form twice.
    if (releasePending_ || destroying_) return;
    releasePending_ = true;
    if (!IsLoading()) Application.ReleaseForm(this);
}

void Form::EndLoad() {
    if (--loading_ == 0 && releasePending_ && !destroying_) Application.ReleaseForm(this);
}

void Form::Close() {
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    if (Application.MainForm == this) {
        Application.Quit();
        return;
    }
    if (!CloseQuery() || !SaveOrSay()) return;
    KeepFailedWrites quiet;  // the hide and the release run the form's hide and destroy steps
    switch (CloseStep(CloseAction::Hide)) {
        case CloseAction::None: break;
        case CloseAction::Hide: Hide(); break;
        case CloseAction::Minimize: ShowWindow(Handle, SW_MINIMIZE); break;
        case CloseAction::Free: Hide(); Release(); break;
    }
}

bool Form::CloseQuery() {
    KeepFailedWrites quiet;
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(can);
    return can;
}

CloseAction Form::CloseStep(CloseAction action) {
    KeepFailedWrites quiet;
    if (OnClose) OnClose(action);
    return action;
}

bool Form::SaveOrSay() {
    if (!OnSave || IsLoading()) return true;  // half read: nothing of it is the user's yet
    std::string failed = OnSave();
    if (failed.empty()) return true;
    MessageDlg(Handle, failed + "\r\rウィンドウは閉じずに残します。", Caption(), MB_OK | MB_ICONERROR);
    return false;
}

static BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
    auto* v = (std::vector<HWND>*)lp;
    if (IsWindowVisible(h) && IsWindowEnabled(h)) v->push_back(h);
    return TRUE;
}

int Form::ShowModal() {
    HWND before = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, (LPARAM)&disabled);
    disabled.erase(std::remove(disabled.begin(), disabled.end(), Handle), disabled.end());
    for (HWND h : disabled) EnableWindow(h, FALSE);
    modal_ = true;
    Loaded();
    ModalResult = mrNone;
    ShowWindow(Handle, SW_SHOW);
    SetActiveWindow(Handle);
    CloseAction action = CloseAction::Hide;
    while (true) {
        MSG msg;
        if (ModalResult == mrNone) {
            BOOL r = GetMessageA(&msg, nullptr, 0, 0);
            if (r == 0 || r == -1) {
                PostQuitMessage((int)msg.wParam);
                if (ModalResult == mrNone) ModalResult = mrCancel;
                break;
            }
            Application.Dispatch(msg);
        }
        if (ModalResult != mrNone) {
            bool can = true;
            Guard([&] { can = CloseQuery(); });
            if (can) Guard([&] { can = SaveOrSay(); });
            action = CloseAction::Hide;
            if (can) Guard([&] { action = CloseStep(action); });
            if (!can || action == CloseAction::None) {
                ModalResult = mrNone;
                continue;
            }
            break;
        }
    }
    for (HWND h : disabled) EnableWindow(h, TRUE);
    modal_ = false;
    ShowWindow(Handle, SW_HIDE);
    if (before && IsWindow(before)) SetActiveWindow(before);
    int result = ModalResult;
    if (action == CloseAction::Free) Release();
    return result;
}

bool Form::Minimized() const {
    return IsIconic(Handle) || (hiddenWithOwner_ && IsIconic(GetWindow(Handle, GW_OWNER)));
}

void Form::RestoreOwner() {
    // It comes back with the others, as from the task bar.
    if (HWND owner = GetWindow(Handle, GW_OWNER); hiddenWithOwner_ && IsIconic(owner))
        SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void Form::SetVisible(bool v) {
    // Out of sight only with its owner, the form is still shown: hiding it now is its own hide.
    if (!v && std::exchange(hiddenWithOwner_, false) && OnHide) OnHide();
    if (v) RestoreOwner();
    const bool minimised = v && IsIconic(Handle);
    Control::SetVisible(v);
    // Shown means back in its place: a minimised form is restored too (its show handler ran
    // above only when it was also hidden).
    if (minimised) ShowWindow(Handle, SW_RESTORE);
}

void Form::SetTopmost(bool on) {
    SetWindowPos(Handle, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::SetBorderIcons(bool maximize, bool minimize) {
    LONG s = GetWindowLongA(Handle, GWL_STYLE);
    s = maximize ? (s | WS_MAXIMIZEBOX) : (s & ~WS_MAXIMIZEBOX);
    s = minimize ? (s | WS_MINIMIZEBOX) : (s & ~WS_MINIMIZEBOX);
    SetWindowLongA(Handle, GWL_STYLE, s);
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void Form::BringForward() {
    RestoreOwner();
    if (IsIconic(Handle)) ShowWindow(Handle, SW_RESTORE);
    if (!Visible()) ShowWindow(Handle, SW_SHOW);
    SetForegroundWindow(Handle);
    BringWindowToTop(Handle);
}

void Form::RestorePosition(int left, int top) {
    // Moving a minimised window would move its icon, not the window.
    if (Visible() && IsIconic(Handle)) ShowWindow(Handle, SW_RESTORE);
    rtl::KeepOnScreen(left, top, Width(), Height(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(Handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetClientSize(int w, int h) {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, GetWindowLongA(Handle, GWL_STYLE), GetMenu(Handle) != nullptr,
                       GetWindowLongA(Handle, GWL_EXSTYLE));
    SetWindowPos(Handle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HintWindow& Form::Hints() {
    if (!hints_ || !hints_->Handle) {
        hints_ = std::make_unique<HintWindow>();
        hints_->Create(Handle);
    }
    return *hints_;
}

bool Form::IsShortCut(WORD key, int shift) {
    for (auto& s : ShortCuts)
        if (s(key, shift)) return true;
    return false;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                if (OnDeactivate) OnDeactivate();
            } else if (OnActivate) {
                OnActivate();
            }
            break;
        case WM_ACTIVATEAPP:
            Application.NotifyActivateApp(wp != 0);
            break;
        case WM_SYSCOMMAND:
            // The main form has no task-bar button of its own: it goes down with the program's,
            // whose click then brings it back.
            if ((wp & 0xFFF0) == SC_MINIMIZE && Application.MainForm == this && IsWindowVisible(Application.Handle)) {
                SendMessageA(Application.Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            if (lp) {
                // Shown or hidden with its owner (minimised, restored): not the form's own show or
                // hide, nor is the ShowWindow the default handler makes for it. One hidden by
                // itself meanwhile stays hidden.
                if (wp && !std::exchange(hiddenWithOwner_, false)) return 0;
                if (!wp) hiddenWithOwner_ = true;
                bool outer = withOwner_;
                withOwner_ = true;
                LRESULT r = Control::WndProc(msg, wp, lp);
                withOwner_ = outer;
                return r;
            }
            if (withOwner_) break;
            // Brought back while its owner is down: it was never hidden as far as it knows.
            if (wp && std::exchange(hiddenWithOwner_, false)) break;
            if (wp) {
                Loading load(*this);
                bool outer = std::exchange(inShow_, true);
                if (OnShow) OnShow();
                inShow_ = outer;
                Loaded();
            }
            if (!wp && OnHide) OnHide();
            break;
        case WM_DROPFILES: {
            HDROP drop = (HDROP)wp;
            std::vector<std::string> files;
            UINT n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < n; ++i) {
                UINT len = DragQueryFileA(drop, i, nullptr, 0);  // full length, never cut
                std::string f(len + 1, '\0');
                DragQueryFileA(drop, i, f.data(), len + 1);
                f.resize(len);
                files.push_back(f);
            }
            DragFinish(drop);
            if (OnDropFiles) OnDropFiles(files);
            return 0;
        }
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
