// An icon in the notification area: a tip, a menu for the left and for the right button, mouse
// events, single clicks told from double clicks, and an animation through the pictures of an image
// list on a worker thread. All icons share one hidden callback window and one id registry.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menus.h"
#include "toolkit/rtl/SysUtils.h"

// The notification area takes no more icons.
class EOutOfMemory : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// The message the callback window receives: wParam the icon's id, lParam the mouse message.
constexpr UINT WM_TRAYICON_CALLBACK = WM_USER + 200;

struct TrayIconParams {
    std::string tip = "TipHelp";
    int animateRate = 500;
    HICON icon = nullptr;  // copied
    bool visible = false;
};

class TTrayIcon {
public:
    static constexpr int MaxIcons = 100;
    static constexpr size_t MaxTipBytes = 62;
    static constexpr int MinAnimateRate = 100;

    TTrayIcon() = default;
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Registers the icon; ids go on from the last registered one. A menu pops up after the owner
    // form came to the front. Raises EOutOfMemory beyond MaxIcons icons.
    void Create(tk::Form& owner, const TrayIconParams& p = {});
    void Create(const TrayIconParams& p = {});

    int Id() const { return id_; }
    bool Shown() const { return shown_; }

    HICON Icon() const { return icon_; }
    // Copies the icon; null also takes the icon out of the notification area.
    void SetIcon(HICON icon);
    bool Visible() const { return visible_; }
    // True adds the icon to the notification area, only while it has a picture.
    void SetVisible(bool v);
    const std::string& TipHelp() const { return tip_; }
    // Keeps at most MaxTipBytes bytes, never half a character.
    void SetTipHelp(const std::string& s);
    int AnimateRate() const { return rate_; }
    void SetAnimateRate(int ms);  // milliseconds between frames, at least MinAnimateRate
    // The frames of the animation. Another list is ignored while animating; none stops it first.
    tk::ImageList* AnimateIcons() const { return images_ ? *images_ : nullptr; }
    void SetAnimateIcons(tk::ImageList* list);
    bool AutoPopup = true;  // a button going down shows that button's menu
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);  // false also forgets a pending click
    tk::PopupMenu* LBPopupMenu() const { return MenuOf(lbMenu_); }
    void SetLBPopupMenu(tk::PopupMenu* m) { lbMenu_ = m ? m->Token() : nullptr; }
    tk::PopupMenu* RBPopupMenu() const { return MenuOf(rbMenu_); }
    void SetRBPopupMenu(tk::PopupMenu* m) { rbMenu_ = m ? m->Token() : nullptr; }

    // Single and double click of the left button; a single click is reported once the double-click
    // time has passed without a second click. Positions are screen co-ordinates.
    std::function<void()> OnClick, OnDblClick;
    std::function<void(int shift, int x, int y)> OnMouseMove;
    std::function<void(tk::MouseButton, int shift, int x, int y)> OnMouseDown, OnMouseUp;

    // Shows the frames of AnimateIcons in turn every AnimateRate milliseconds, or one frame per call
    // in single steps. Does nothing while animating or without frames.
    void StartAnimation(bool singleStep = false);
    bool Animating() const;

    // The hidden window that receives every icon's mouse messages (made with the first icon, gone
    // with the last).
    static HWND CallbackWindow();
    // The registered icon of that id, or null.
    static TTrayIcon* Find(int id);

    // Replaces Shell_NotifyIconA (set it while no animation runs; it is called from the animation
    // thread too). An empty hook restores the real call.
    using NotifyHook = std::function<BOOL(DWORD op, const NOTIFYICONDATAA& data)>;
    static void SetNotifyHookForTest(NotifyHook hook);

private:
    friend LRESULT CALLBACK TrayCallbackProc(HWND, UINT, WPARAM, LPARAM);
    static tk::PopupMenu* MenuOf(const std::shared_ptr<tk::Menu*>& token) {
        return token && *token ? static_cast<tk::PopupMenu*>(*token) : nullptr;
    }
    void NotifyIcon(DWORD op);
    void UpdateIcon();
    BOOL Send(DWORD op, HICON picture);  // fills the record and sends it; the lock is held
    void Animate();                      // the animation thread's body
    void StopAnimationThread();
    void DropFrames();
    void Callback(UINT mouseMsg);
    void ButtonDown(tk::MouseButton button, tk::PopupMenu* menu, int shift, POINT at);
    void HideTip(bool hide);  // while the icon's menu is up
    void ClickTimeUp();
    void CancelPendingClick();

    bool created_ = false;
    int id_ = 0;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    bool visible_ = false;
    bool enabled_ = true;
    bool shown_ = false;
    bool clickPending_ = false;
    std::string tip_ = "TipHelp";
    std::shared_ptr<tk::ImageList*> images_;
    std::shared_ptr<tk::Menu*> lbMenu_, rbMenu_;
    NOTIFYICONDATAA data_{};

    // Shared with the animation thread, under lock_: every fill-and-send of the record runs alone.
    mutable std::mutex lock_;
    int rate_ = 500;
    bool tipHidden_ = false;  // the shell is given an empty tip
    bool animating_ = false;
    bool singleStep_ = false;
    bool terminate_ = false;
    std::vector<HICON> frames_;  // the thread's own copies, so the image list may go at any time
    std::shared_ptr<tk::ImageList*> framesFrom_;  // the list they were copied from
    size_t frame_ = 0;
    HICON current_ = nullptr;    // the frame last shown
    HANDLE wake_ = nullptr;      // set by a start and by the destructor; else waited for a frame's time
    std::thread thread_;
};
