#include "toolkit/MsgBox.h"

#include "toolkit/Application.h"

namespace tk {

static std::function<int(const MsgBoxCall&)> gHook;
static HHOOK gCbt = nullptr;
static POINT gPlace;
static bool gPlaceIt = false;

void SetMessageBoxHookForTest(std::function<int(const MsgBoxCall&)> hook) { gHook = std::move(hook); }

static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && gPlaceIt) {
        // The first activation is the message box itself.
        gPlaceIt = false;
        SetWindowPos((HWND)wp, nullptr, gPlace.x, gPlace.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    return r;
}

bool ConfirmDelete(HWND owner, const std::string& caption) {
    return MessageDlg(owner, "削除しますか？", caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tk
