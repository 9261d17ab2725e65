#include "toolkit/Power.h"

#include <windows.h>

namespace tk {

static std::function<bool(bool)> gHook;

void SetShutDownHookForTest(std::function<bool(bool)> hook) { gHook = std::move(hook); }

bool ShutDownWindows(bool restart) {
    if (gHook) return gHook(restart);
    // Windows NT needs the shut-down privilege in the token first; elsewhere this is harmless.
    HANDLE token;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES tp{};
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid)) {
            tp.PrivilegeCount = 1;
            tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }
    return ExitWindowsEx(restart ? EWX_REBOOT : EWX_SHUTDOWN, 0) != 0;
}

}  // namespace tk
