#include "toolkit/MsgBox.h"

#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/rtl/Screen.h"

namespace tk {

static std::function<int(const MsgBoxCall&)> gHook;
static HHOOK gCbt = nullptr;
static POINT gPlace;
static bool gPlaceIt = false;

void SetMessageBoxHookForTest(std::function<int(const MsgBoxCall&)> hook) { gHook = std::move(hook); }

static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && gPlaceIt) {
        // The first activation is the message box itself.
        // At the owner's corner, but all of it inside the work area: an owner near the screen's
        // edge would push its buttons off it.
        gPlaceIt = false;
        RECT box, room = WorkAreaAt(gPlace);
        GetWindowRect((HWND)wp, &box);
        int x = gPlace.x, y = gPlace.y;
        rtl::KeepOnScreen(x, y, box.right - box.left, box.bottom - box.top, room.right - room.left, room.bottom - room.top,
                          room.left, room.top);
        SetWindowPos((HWND)wp, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CallNextHookEx(gCbt, code, wp, lp);
}

int MessageDlg(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    UINT icon = type & MB_ICONMASK;
    return MessageDlg(owner, text, caption, type, icon ? icon : MB_OK);
}

int MessageDlg(HWND owner, const std::string& text, const std::string& caption, UINT type, UINT beep) {
    if (gHook) return gHook({owner, text, caption, type, beep});
    MessageBeep(beep);
    // A box a form shows while it is being shown comes over the form, not over where it will be.
    if (owner && !IsWindowVisible(owner))
        for (Form* f : Application.Forms)
            if (f->Handle == owner && f->InShowHandler()) {
                SetWindowPos(owner, nullptr, 0, 0, 0, 0,
                             SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                UpdateWindow(owner);
                break;
            }
    if (owner && IsWindow(owner)) {
        RECT r;
        GetWindowRect(owner, &r);
        gPlace = {r.left, r.top};
        gPlaceIt = true;
        gCbt = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    }
    HWND parent = owner ? owner : Application.Handle;
    int r = MessageBoxA(parent, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND);
    if (gCbt) {
        UnhookWindowsHookEx(gCbt);
        gCbt = nullptr;
    }
    gPlaceIt = false;
    NewUserStep();  // the answer is a new thing the user did
    return r;
}

void SayUnsavedUntilReopened(HWND owner, const std::string& readError, const std::string& caption,
                             const std::string& unsaved) {
    MessageDlg(owner, readError + "\r" + unsaved + "\rファイルが使えるようになってから開き直して下さい。", caption,
               MB_OK | MB_ICONWARNING);
}

bool ConfirmDelete(HWND owner, const std::string& caption) {
    return MessageDlg(owner, "削除しますか？", caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tk
