// Two copies of the program: the second ends at once without a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "toolkit/Files.h"

namespace {

PROCESS_INFORMATION Start(const std::string& exe) {
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    return pi;
}

struct FindCtx {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountVisible(HWND h, LPARAM lp) {
    auto* c = (FindCtx*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->pid && IsWindowVisible(h)) ++c->count;
    return TRUE;
}

BOOL CALLBACK CloseAll(HWND h, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == (DWORD)lp) PostMessageA(h, WM_CLOSE, 0, 0);
    return TRUE;
}

// The program runs from a folder of its own so that its settings file stays there.
std::string StagedExe() {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "orbal-single";
    tk::ForceDirectories(dir);
    std::string exe = dir + "\\orbal98.exe";
    CopyFileA((tk::ExeDir() + "\\orbal98.exe").c_str(), exe.c_str(), FALSE);
    return exe;
}

}  // namespace

TEST(SingleInstance, SecondCopyEndsSilentlyAndTheFirstRunsOn) {
    std::string exe = StagedExe();
    PROCESS_INFORMATION first = Start(exe);
    ASSERT_NE(first.hProcess, nullptr);
    WaitForInputIdle(first.hProcess, 20000);
    // Both started at once after the first is up: neither newcomer may run.
    PROCESS_INFORMATION second = Start(exe), third = Start(exe);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(third.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    FindCtx c{second.dwProcessId, 0};
    EnumWindows(CountVisible, (LPARAM)&c);
    EXPECT_EQ(c.count, 0);
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), (DWORD)WAIT_TIMEOUT);  // untouched
    EnumWindows(CloseAll, (LPARAM)first.dwProcessId);
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 20000), WAIT_OBJECT_0);
    for (auto* p : {&first, &second, &third}) {
        CloseHandle(p->hProcess);
        CloseHandle(p->hThread);
    }
}

TEST(SingleInstance, CopiesStartedTogetherLeaveExactlyOne) {
    std::string exe = StagedExe();
    PROCESS_INFORMATION a = Start(exe), b = Start(exe);
    HANDLE hs[2] = {a.hProcess, b.hProcess};
    // One of the two ends by itself; the other is still running.
    DWORD w = WaitForMultipleObjects(2, hs, FALSE, 20000);
    ASSERT_TRUE(w == WAIT_OBJECT_0 || w == WAIT_OBJECT_0 + 1);
    int survivor = w == WAIT_OBJECT_0 ? 1 : 0;
    Sleep(500);
    EXPECT_EQ(WaitForSingleObject(hs[survivor], 0), (DWORD)WAIT_TIMEOUT);
    PROCESS_INFORMATION& s = survivor ? b : a;
    WaitForInputIdle(s.hProcess, 20000);
    EnumWindows(CloseAll, (LPARAM)s.dwProcessId);
    EXPECT_EQ(WaitForSingleObject(s.hProcess, 20000), WAIT_OBJECT_0);
    for (auto* p : {&a, &b}) {
        CloseHandle(p->hProcess);
        CloseHandle(p->hThread);
    }
}
