#!/usr/bin/env bash
# Starts the program and quits it the way a user does (WM_CLOSE to the main window) many times in a
# row under Wine, with three sticky memos open and the memo icon animating in the notification
# area, and counts the runs that did not end in time. Needs build/win/orbal98.exe.
# usage: tools/exit_check.sh [runs (30)] [seconds each run stays up (2)] [seconds allowed to end (15)]
# It stops the prefix's wineserver at its end, like the other scripts: run no other Wine job meanwhile.
set -euo pipefail
runs=${1:-30}
up=${2:-2}
allowed=${3:-15}
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-env.sh"
source "$top/tools/xvfb.sh"
ORBAL_OWN_DISPLAY=1 orbal_start_display

exe=$ORBAL_BUILD/win/orbal98.exe
[ -f "$exe" ] || { echo "exit_check: build $exe first"; exit 2; }
# A folder of its own on drive C: the program, its settings file and its data folder.
dir=$WINEPREFIX/drive_c/orbal-exit-check
rm -rf "$dir"
mkdir -p "$dir/data/Memo"
cp "$exe" "$dir/orbal98.exe"
M='C:\orbal-exit-check\data\Memo\'
{
  printf '[Horiday]\r\nSet=1\r\n[Calendar]\r\nDirectory=C:\\orbal-exit-check\\data\r\n'
  # No splash or start-up sound; tray icons only; the memo icon animates (IconAnimate absent).
  printf '[Form]\r\nOpen=1\r\nTray_icon=0\r\nVisible=1\r\n'
  printf '[MemoCount_%s]\r\nCount=3\r\n[Memo_%s]\r\n' "$M" "$M"
  for n in 1 2 3; do printf 'Memo%d=memo %d\r\n' "$n" "$n"; done
  for n in 1 2 3; do
    printf '[Memo%d_%s]\r\nShow=1\r\nLeft=%d\r\nTop=%d\r\nWidth=220\r\nHeight=140\r\n' "$n" "$M" $((40 + 60 * n)) $((300 + 40 * n))
    printf 'memo %d\r\n' "$n" > "$dir/data/Memo/Memo$n"
  done
} > "$dir/start.ini"

# The runner lives inside the virtual desktop: it starts the program, waits for its main window,
# lets it run, posts WM_CLOSE and waits for the process to end; a process still there after the
# allowed time is a hang (and is killed). Every run starts from the same settings file.
cat > "$dir/runner.c" <<'EOF'
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    const char* exe = argv[1];
    int runs = atoi(argv[2]), up = atoi(argv[3]) * 1000, allowed = atoi(argv[4]) * 1000;
    char ini[MAX_PATH], start[MAX_PATH];
    snprintf(ini, sizeof ini, "%s", exe);
    strcpy(strrchr(ini, '\\') + 1, "orbal98.ini");
    snprintf(start, sizeof start, "%s", ini);
    strcpy(strrchr(start, '\\') + 1, "start.ini");
    char result[MAX_PATH];
    snprintf(result, sizeof result, "%s", ini);
    strcpy(strrchr(result, '\\') + 1, "result.txt");
    freopen(result, "w", stdout);
    int hangs = 0, ended = 0;
    for (int run = 1; run <= runs; ++run) {
        CopyFileA(start, ini, FALSE);
        STARTUPINFOA si = {sizeof si};
        PROCESS_INFORMATION pi;
        char cmd[MAX_PATH + 2];
        snprintf(cmd, sizeof cmd, "\"%s\"", exe);
        if (!CreateProcessA(exe, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            printf("run %d: cannot start (%lu)\n", run, GetLastError());
            return 2;
        }
        HWND main = NULL;
        for (int waited = 0; !main && waited < 60000; waited += 100) {
            HWND h = FindWindowA("OrbalForm", "Orbal98");
            if (h && IsWindowVisible(h)) main = h;
            else Sleep(100);
        }
        if (!main) {
            printf("run %d: no main window\n", run);
            TerminateProcess(pi.hProcess, 1);
            return 2;
        }
        Sleep(up);
        int memos = 0;
        for (HWND h = NULL; (h = FindWindowExA(NULL, h, "OrbalForm", NULL)) != NULL;) {
            char title[64];
            GetWindowTextA(h, title, sizeof title);
            if (IsWindowVisible(h) && strncmp(title, "memo ", 5) == 0) ++memos;
        }
        DWORD t0 = GetTickCount();
        PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, allowed) == WAIT_TIMEOUT) {
            ++hangs;
            printf("run %d: HANG (%d memos open), killed\n", run, memos);
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 5000);
        } else {
            ++ended;
            printf("run %d: ended in %lu ms (%d memos open)\n", run, GetTickCount() - t0, memos);
        }
        fflush(stdout);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    printf("exit_check: %d of %d runs ended, %d hung\n", ended, runs, hangs);
    return hangs ? 1 : 0;
}
EOF
i686-w64-mingw32-gcc -O2 -o "$dir/runner.exe" "$dir/runner.c"

out=$dir/result.txt
# The desktop gives the program a notification area; the outer timeout catches a stuck runner.
timeout $((runs * (up + allowed + 60) + 60)) \
  wine explorer "/desktop=exitcheck${DISPLAY#:},1024x768" "$dir/runner.exe" 'C:\orbal-exit-check\orbal98.exe' \
  "$runs" "$up" "$allowed" >/dev/null 2>&1 || true
cat "$out" 2>/dev/null || echo "exit_check: the runner left no result"
grep -q "^exit_check: $runs of $runs runs ended, 0 hung" "$out"
