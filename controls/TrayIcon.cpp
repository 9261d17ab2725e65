#include "controls/TrayIcon.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "toolkit/Application.h"

static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first version of the notify record");

namespace {

const char kNoRoom[] = "タスクトレイにアイコンを登録できません。";
const char kCallbackClass[] = "OrbalTrayCallback";

// Ids only grow within the registry, so its last entry holds the highest id.
std::map<int, TTrayIcon*>& Registry() {
    static std::map<int, TTrayIcon*> icons;
    return icons;
}

// The callback window belongs to the unit, not to any form: made with the first icon, destroyed
// with the last one (never by a static destructor, which runs while the process is going away).
HWND gCallback = nullptr;

TTrayIcon::NotifyHook gHook;

// Where the icon is: as the shell tells (where it can), else every square of the icon's size that
// holds the point.
RECT IconRect(int id, POINT at) {
    using GetRect = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);
    static const auto getRect =
        (GetRect)(void*)GetProcAddress(GetModuleHandleA("shell32.dll"), "Shell_NotifyIconGetRect");
    NOTIFYICONIDENTIFIER icon{sizeof icon, gCallback, (UINT)id, {}};
    RECT r{};
    if (getRect && getRect(&icon, &r) == S_OK && PtInRect(&r, at)) return r;
    const int cx = GetSystemMetrics(SM_CXSMICON) + 4, cy = GetSystemMetrics(SM_CYSMICON) + 4;
    return {at.x - cx, at.y - cy, at.x + cx, at.y + cy};
}

}  // namespace

LRESULT CALLBACK TrayCallbackProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TRAYICON_CALLBACK) {
        if (TTrayIcon* icon = TTrayIcon::Find((int)wp)) tk::Guard([&] { icon->Callback((UINT)lp); });
        return 0;
    }
    if (msg == WM_TIMER) {
        // A single click's wait is over; the timer carries the icon's id, so a gone icon is skipped.
        KillTimer(h, wp);
        if (TTrayIcon* icon = TTrayIcon::Find((int)wp)) tk::Guard([&] { icon->ClickTimeUp(); });
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

HWND TTrayIcon::CallbackWindow() {
    if (gCallback && IsWindow(gCallback)) return gCallback;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    static const ATOM registered = [inst] {
        WNDCLASSA wc{0, TrayCallbackProc, 0, 0, inst, nullptr, nullptr, nullptr, nullptr, kCallbackClass};
        return RegisterClassA(&wc);
    }();
    (void)registered;
    gCallback = CreateWindowExA(WS_EX_TOOLWINDOW, kCallbackClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst,
                                nullptr);
    return gCallback;
}

TTrayIcon* TTrayIcon::Find(int id) {
    auto& r = Registry();
    auto it = r.find(id);
    return it == r.end() ? nullptr : it->second;
}

void TTrayIcon::SetNotifyHookForTest(NotifyHook hook) { gHook = std::move(hook); }

void TTrayIcon::Create(tk::Form& owner, const TrayIconParams& p) {
    Create(p);
    owner_ = owner.Handle;
}

void TTrayIcon::Create(const TrayIconParams& p) {
    if (created_) return;
    auto& r = Registry();
    if ((int)r.size() >= MaxIcons) throw EOutOfMemory(kNoRoom);
    id_ = r.empty() ? 1 : r.rbegin()->first + 1;
    r[id_] = this;
    created_ = true;
    CallbackWindow();
    wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.uID = id_;
    data_.uCallbackMessage = WM_TRAYICON_CALLBACK;
    tip_ = rtl::SjisTruncate(p.tip, MaxTipBytes);
    rate_ = std::max(p.animateRate, MinAnimateRate);
    if (p.icon) SetIcon(p.icon);
    if (p.visible) SetVisible(true);
}

TTrayIcon::~TTrayIcon() {
    if (!created_) return;
    // The thread first: it may be sending this icon's record right now.
    StopAnimationThread();
    CancelPendingClick();
    if (shown_) NotifyIcon(NIM_DELETE);
    DropFrames();
    Registry().erase(id_);
    if (icon_) DestroyIcon(icon_);
    if (wake_) CloseHandle(wake_);
    if (Registry().empty() && gCallback) {
        DestroyWindow(gCallback);
        gCallback = nullptr;
    }
}

BOOL TTrayIcon::Send(DWORD op, HICON picture) {
    data_.hIcon = picture;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | (tip_.empty() ? 0 : NIF_TIP);
    std::memset(data_.szTip, 0, sizeof data_.szTip);
    if (!tipHidden_) std::memcpy(data_.szTip, tip_.data(), std::min(tip_.size(), MaxTipBytes));
    return gHook ? gHook(op, data_) : Shell_NotifyIconA(op, &data_);
}

void TTrayIcon::NotifyIcon(DWORD op) {
    std::unique_lock<std::mutex> hold(lock_);
    HICON picture = animating_ && current_ ? current_ : icon_;
    if (op == NIM_ADD) {
        if (!visible_) return;
        data_.hWnd = CallbackWindow();
        if (!Send(NIM_ADD, picture)) throw EOutOfMemory(kNoRoom);
        shown_ = true;
    } else if (op == NIM_MODIFY) {
        if (!Send(NIM_MODIFY, picture)) throw EOutOfMemory(kNoRoom);
    } else {
        Send(NIM_DELETE, picture);
        shown_ = false;
    }
}

void TTrayIcon::UpdateIcon() {
    if (shown_) NotifyIcon(NIM_MODIFY);
}

void TTrayIcon::SetIcon(HICON icon) {
    if (!created_) return;
    HICON old = icon_;
    if (!icon) {
        SetVisible(false);
        icon_ = nullptr;
    } else {
        std::lock_guard<std::mutex> hold(lock_);
        icon_ = CopyIcon(icon);
    }
    if (icon) UpdateIcon();
    if (old) DestroyIcon(old);
}

void TTrayIcon::SetVisible(bool v) {
    if (v == visible_) return;
    if (v && !icon_) return;  // nothing to show yet
    visible_ = v;
    if (!created_) return;
    if (v) {
        try {
            NotifyIcon(NIM_ADD);
        } catch (...) {
            visible_ = false;
            throw;
        }
    } else if (shown_) {
        NotifyIcon(NIM_DELETE);
    }
}

void TTrayIcon::SetTipHelp(const std::string& s) {
    std::string tip = rtl::SjisTruncate(s, MaxTipBytes);
    if (tip == tip_) return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        tip_ = tip;
    }
    UpdateIcon();
}

void TTrayIcon::SetAnimateRate(int ms) {
    std::lock_guard<std::mutex> hold(lock_);
    rate_ = std::max(ms, MinAnimateRate);
}

void TTrayIcon::SetEnabled(bool v) {
    enabled_ = v;
    if (!v) CancelPendingClick();
}

bool TTrayIcon::Animating() const {
    std::lock_guard<std::mutex> hold(lock_);
    return animating_;
}

void TTrayIcon::SetAnimateIcons(tk::ImageList* list) {
    if (list == AnimateIcons()) return;
    if (Animating()) {
        if (list) return;
        // Taken away while running: the thread is stopped and joined first.
        StopAnimationThread();
        DropFrames();
        UpdateIcon();
    }
    images_ = list ? list->Token() : nullptr;
}

void TTrayIcon::StartAnimation(bool singleStep) {
    if (!created_ || Animating()) return;
    tk::ImageList* list = AnimateIcons();
    if (!list || list->Count() == 0) return;
    std::vector<HICON> frames;
    if (framesFrom_ != images_ || (int)frames_.size() != list->Count()) {
        for (int i = 0; i < list->Count(); ++i)
            if (HICON f = list->GetIcon(i)) frames.push_back(f);
        if (frames.empty()) return;
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!frames.empty()) {
            frames_.swap(frames);
            framesFrom_ = images_;
            current_ = nullptr;
        }
        animating_ = true;
        singleStep_ = singleStep;
    }
    for (HICON f : frames) DestroyIcon(f);  // copies of an earlier list
    if (!thread_.joinable()) thread_ = std::thread([this] { Animate(); });
    SetEvent(wake_);
}

void TTrayIcon::Animate() {
    for (;;) {
        DWORD wait = INFINITE;
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (terminate_) return;
            if (animating_ && !frames_.empty()) {
                if (frame_ >= frames_.size()) frame_ = 0;
                current_ = frames_[frame_];
                // A refused frame is skipped; the next one tries again.
                if (shown_) Send(NIM_MODIFY, current_);
                frame_ = (frame_ + 1) % frames_.size();
                if (singleStep_) animating_ = false;  // the next start shows the next frame
                else wait = rate_;
            }
        }
        WaitForSingleObject(wake_, wait);
    }
}

void TTrayIcon::StopAnimationThread() {
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> hold(lock_);
            terminate_ = true;
        }
        SetEvent(wake_);
        thread_.join();
    }
    std::lock_guard<std::mutex> hold(lock_);
    terminate_ = false;
    animating_ = false;
    frame_ = 0;
    current_ = nullptr;
}

void TTrayIcon::DropFrames() {
    for (HICON f : frames_) DestroyIcon(f);
    frames_.clear();
    framesFrom_ = nullptr;
}

// ---- mouse ----

void TTrayIcon::CancelPendingClick() {
    clickPending_ = false;
    if (gCallback) KillTimer(gCallback, id_);
}

void TTrayIcon::Callback(UINT mouseMsg) {
    if (!enabled_) return;
    POINT p{};
    GetCursorPos(&p);
    switch (mouseMsg) {
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(0, p.x, p.y);
            break;
        case WM_LBUTTONDOWN:
            ButtonDown(tk::mbLeft, LBPopupMenu(), tk::ssLeft, p);
            break;
        case WM_LBUTTONUP:
            if (OnMouseUp) {
                OnMouseUp(tk::mbLeft, tk::ssLeft, p.x, p.y);
            } else if (!OnClick || clickPending_) {
                // The second button-up of a double click.
                CancelPendingClick();
            } else {
                clickPending_ = true;
                SetTimer(CallbackWindow(), id_, GetDoubleClickTime() + 50, nullptr);
            }
            break;
        case WM_LBUTTONDBLCLK:
            // The first click became part of this one; the button-up that follows ends it.
            CancelPendingClick();
            clickPending_ = true;
            if (OnDblClick) OnDblClick();
            break;
        case WM_RBUTTONDOWN:
            ButtonDown(tk::mbRight, RBPopupMenu(), tk::ssRight, p);
            break;
        case WM_RBUTTONUP:
            if (OnMouseUp) OnMouseUp(tk::mbRight, tk::ssRight, p.x, p.y);
            break;
        case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(tk::mbMiddle, tk::ssMiddle, p.x, p.y);
            break;
        case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(tk::mbMiddle, tk::ssMiddle, p.x, p.y);
            break;
    }
}

void TTrayIcon::ButtonDown(tk::MouseButton button, tk::PopupMenu* menu, int shift, POINT at) {
    if (!menu || !AutoPopup) {
        if (OnMouseDown) OnMouseDown(button, shift, at.x, at.y);
        return;
    }
    std::shared_ptr<tk::Menu*> token = menu->Token();
    const int id = id_;
    if (owner_ && IsWindow(owner_)) {
        // Without the foreground the menu would not close when the user clicks elsewhere.
        SetForegroundWindow(owner_);
        tk::Application.ProcessMessages();
        if (Find(id) != this) return;
    }
    if (!*token) return;
    // The shell's tooltip may still be waiting to show the tip, which would then cover the menu.
    HideTip(true);
    static_cast<tk::PopupMenu*>(*token)->Popup(at, IconRect(id, at), tk::WorkAreaAt(at));
    if (Find(id) == this) HideTip(false);
}

void TTrayIcon::HideTip(bool hide) {
    std::lock_guard<std::mutex> hold(lock_);
    tipHidden_ = hide;
    // Quietly: the menu comes all the same.
    if (shown_ && !tip_.empty()) Send(NIM_MODIFY, animating_ && current_ ? current_ : icon_);
}

void TTrayIcon::ClickTimeUp() {
    bool report = clickPending_ && OnClick;
    clickPending_ = false;
    if (report) {
        auto click = OnClick;  // the handler may free this icon
        click();
    }
}
