// Two copies of the program: the second ends at once without a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Files.h"
#include "toolkit/rtl/SysUtils.h"

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
    HWND box = nullptr;  // a message box among them
};

BOOL CALLBACK CountVisible(HWND h, LPARAM lp) {
    auto* c = (FindCtx*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != c->pid || !IsWindowVisible(h)) return TRUE;
    ++c->count;
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (std::string(cls) == "#32770") c->box = h;
    return TRUE;
}

BOOL CALLBACK CloseAll(HWND h, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == (DWORD)lp) PostMessageA(h, WM_CLOSE, 0, 0);
    return TRUE;
}

// The program runs from a folder of its own so that its settings file stays there.
std::string StagedExe(const char* folder = "orbal-single") {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + folder;
    tk::ForceDirectories(dir);
    std::string exe = dir + "\\orbal98.exe";
    CopyFileA((tk::ExeDir() + "\\orbal98.exe").c_str(), exe.c_str(), FALSE);
    return exe;
}

// The visible windows of a process, looked at now.
FindCtx Windows(DWORD pid) {
    FindCtx c{pid, 0};
    EnumWindows(CountVisible, (LPARAM)&c);
    return c;
}

// The process's visible windows once ready() holds of them, or as they were when it ended or a minute passed.
FindCtx WaitForWindows(const PROCESS_INFORMATION& pi, const std::function<bool(const FindCtx&)>& ready) {
    FindCtx c = Windows(pi.dwProcessId);
    for (DWORD start = GetTickCount(); !ready(c) && GetTickCount() - start < 60000; c = Windows(pi.dwProcessId))
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
    return c;
}

// Waits for the process to end, its windows closed first when asked; one that runs on is a failure, ended.
void End(PROCESS_INFORMATION& p, bool close) {
    if (close) EnumWindows(CloseAll, (LPARAM)p.dwProcessId);
    if (WaitForSingleObject(p.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "still running";
        TerminateProcess(p.hProcess, 1);
    }
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
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
    EXPECT_EQ(Windows(second.dwProcessId).count, 0);
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

// A start that cannot write its settings says so, ends once the box is answered and frees the way
// for the next start, which runs once the settings file is free again.
TEST(SingleInstance, AStartThatCannotWriteItsSettingsEndsAfterSayingSo) {
    std::string exe = StagedExe("orbal-badini"), ini = rtl::ExtractFileDir(exe) + "\\orbal98.ini";
    struct Case {
        const char* blocker;
        bool folder;  // a folder where the file belongs, else the file held open without sharing
        const char* says;
    } cases[] = {{"held open", false, "使用中"}, {"folder", true, "に書き込めません。"}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.blocker);
        DeleteFileA(ini.c_str());
        RemoveDirectoryA(ini.c_str());
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.folder) ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
        else held = CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        PROCESS_INFORMATION p = Start(exe);
        ASSERT_NE(p.hProcess, nullptr);
        // Each box is answered; a file held open is said unreadable and the start is given up, a
        // folder in its place is said unwritable.
        std::string said;
        for (HWND box = nullptr, last = nullptr;; last = box) {
            if (!(box = WaitForWindows(p, [&](const FindCtx& w) { return w.box && w.box != last; }).box)) break;
            char text[512] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            said += text;
            PostMessageA(GetDlgItem(box, GetDlgItem(box, IDOK) ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        End(p, false);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        RemoveDirectoryA(ini.c_str());
        // The next start runs: its windows come up and it stays until closed.
        PROCESS_INFORMATION next = Start(exe);
        EXPECT_GT(WaitForWindows(next, [](const FindCtx& w) { return w.count > 0; }).count, 0);
        EXPECT_EQ(WaitForSingleObject(next.hProcess, 0), (DWORD)WAIT_TIMEOUT);
        End(next, true);
    }
}
