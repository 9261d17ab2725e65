// Helpers for tests that drive windows in-process.
#pragma once
#include <windows.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/HolidayRules.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/MsgBox.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Sound.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace wintest {

// Lets queued messages (paints, posted frees, timers due) run.
inline void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        tk::Application.ProcessMessages();
        Sleep(1);
    }
    tk::Application.Terminated = false;
}

// Pumps messages until done() (true) or the time cap (false); done() is asked once past the cap.
inline bool PumpUntil(const std::function<bool()>& done, DWORD capMs = 10000) {
    for (DWORD start = GetTickCount();; Pump(1)) {
        if (done()) return true;
        if (GetTickCount() - start >= capMs) return false;
    }
}

// Holds the real cursor on `on` until done(). Wine echoes each cursor move back late (later on a
// loaded machine) as a move to where it was, so the cursor keeps coming back, a pixel to one side or
// the other.
inline bool HoldCursor(POINT on, const std::function<bool()>& done, int ms = 10000) {
    int n = 0;
    return PumpUntil([&] {
        if (n++ % 30 == 0) SetCursorPos(on.x + n / 30 % 2, on.y);
        Sleep(10);
        return done();
    }, ms);
}
// The same, coming from near `away` so that what the cursor starts there starts over. Wine skips a
// move to where it already has the cursor, so the way off is a new place each call.
inline bool RestCursor(POINT away, POINT on, const std::function<bool()>& done, int ms = 10000) {
    static int calls = 0;
    SetCursorPos(away.x - ++calls % 16, away.y);
    Pump();
    return HoldCursor(on, done, ms);
}

// Text entered into the edit control h as a user enters it: single bytes as typed keys,
// double-byte characters as the IME commits them (replacing the selection).
inline void Type(HWND h, const std::string& text) {
    for (size_t i = 0, n; i < text.size(); i += n)
        if ((n = rtl::SjisCharLen(text, i)) == 2) SendMessageA(h, EM_REPLACESEL, TRUE, (LPARAM)text.substr(i, 2).c_str());
        else SendMessageA(h, WM_CHAR, (unsigned char)text[i], 1);
}

// Another program holding a file open, sharing nothing: a copy of this one, started suspended and
// handed the open file. Letting go of the result ends it, and the file is free.
inline std::shared_ptr<void> HeldByAnotherProgram(const std::string& path) {
    char exe[MAX_PATH];
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CreateProcessA(exe, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &pi);
    HANDLE mine = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), theirs;
    DuplicateHandle(GetCurrentProcess(), mine, pi.hProcess, &theirs, 0, FALSE, DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE);
    CloseHandle(pi.hThread);
    return {pi.hProcess, [](HANDLE p) { TerminateProcess(p, 0), WaitForSingleObject(p, 30000), CloseHandle(p); }};
}

// The path of name under the temporary folder.
inline std::string TempPath(const std::string& name) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    return tmp + name;
}

// A new folder under the temporary folder for the running test: prefix, tick count, test name.
inline std::string FreshTestDir(const std::string& prefix) {
    std::string dir = TempPath(prefix + std::to_string(GetTickCount()) + "-" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    tk::ForceDirectories(dir);
    return dir;
}

// Settings beside the data folder dir as after a first run that was set up: no splash, no
// birthday notice, the holiday table written, dir as the data folder.
inline void UseAsDataFolder(const std::string& dir, bool holidays = true) {
    settings::SetIniPathForTest(dir + "\\orbal98.ini");
    auto f = settings::Open();
    f.WriteInteger("Form", "Open", 1);
    f.WriteInteger("Form", "BirthPop", 0);
    f.WriteInteger("Horiday", "Set", 1);
    if (holidays)
        for (auto& [k, v] : DefaultHolidays()) f.WriteString("Horiday", k, v);
    f.WriteString("Calendar", "Directory", dir);
}

// The program's outlets a window test stands in for, from construction to destruction: sound
// cues and message boxes are recorded, boxes answered from `answers` in turn and then `answer`,
// common dialogs handed to `dialog` (cancelled without one). The clock is the real one until
// FixClock; the settings file goes back to the default at the end.
struct Hooks {
    rtl::TDateTime clock = 0;
    std::vector<std::string> cues, boxes;
    std::deque<int> answers;
    int answer = IDYES;
    std::function<bool(tk::CommonDialog&)> dialog;

    Hooks() {
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { cues.push_back(c.name); });
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            if (answers.empty()) return answer;
            int a = answers.front();
            answers.pop_front();
            return a;
        });
        tk::SetDialogHookForTest([this](tk::CommonDialog& d) { return dialog ? dialog(d) : false; });
    }
    ~Hooks() {
        tk::SetDialogHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        tk::SetSoundHookForTest(nullptr);
        rtl::SetClockForTest({});
        settings::SetIniPathForTest("");
    }
    Hooks(const Hooks&) = delete;
    Hooks& operator=(const Hooks&) = delete;

    // From here on "now" is `clock`, which the test may move.
    void FixClock(rtl::TDateTime at) {
        clock = at;
        rtl::SetClockForTest([this] { return clock; });
    }
};

// A window test's fixture: the hooks above and `dir`, the test's own folder.
class WindowTest : public ::testing::Test, public Hooks {
protected:
    std::string dir;

    // A fresh `dir` made the data folder with its settings file (see UseAsDataFolder).
    void FreshDataFolder(const std::string& prefix, bool holidays = true) {
        dir = FreshTestDir(prefix);
        ASSERT_TRUE(tk::DirectoryExists(dir));
        UseAsDataFolder(dir, holidays);
    }
    std::string Path(const std::string& name) const { return dir + "\\" + name; }

    // A file's bytes; empty when it cannot be read.
    static std::string Bytes(const std::string& path) {
        std::string b;
        tk::ReadFileBytes(path, b);
        return b;
    }
    // The plain text of a rich-text file.
    static std::string TextOf(const std::string& path) {
        tk::Form holder({});
        tk::RichEdit re;
        re.Create(holder, {.at = {0, 0, 100, 100}});
        re.LoadFromFile(path);
        return re.Text();
    }
    static bool IsOpen(const tk::Form* f) {
        auto& v = tk::Application.Forms;
        return std::find(v.begin(), v.end(), f) != v.end();
    }
    // Destroys every open form of the given classes.
    template <class... Kinds>
    static void DestroyOpen() {
        for (tk::Form* f : std::vector<tk::Form*>(tk::Application.Forms))
            if ((dynamic_cast<Kinds*>(f) || ...)) f->Destroy();
    }
};

// Real left clicks at the screen point at, as the mouse gives them: through the input queue,
// each stamped with the time it is made and carrying the point itself (a pointer event the
// display sends late cannot move it elsewhere). Waits first until the point hits target.
inline void Click(HWND target, POINT at, int times = 1) {
    SetCursorPos(at.x, at.y);
    PumpUntil([&] { return WindowFromPoint(at) == target; });
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int i = 0; i < 2 * times; ++i) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (at.x * 65536 + w - 1) / w;
        in.mi.dy = (at.y * 65536 + h - 1) / h;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
        SendInput(1, &in, sizeof in);
    }
}

// The middle of a window's close button on the screen, found as the window itself answers the
// mouse; {-1, -1} when it has none.
inline POINT CloseButton(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    for (int y = r.top + 1; y < std::min(r.bottom, r.top + 40); ++y)
        for (int x = r.right - 2; x > r.right - 60 && x > r.left; --x)
            if (SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                int left = x;
                while (left > r.left && SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == HTCLOSE) --left;
                return {(left + x) / 2, y + 3};
            }
    return {-1, -1};
}

// A real key press and release into the focused window, with a modifier key (VK_SHIFT,
// VK_CONTROL) held for it when given.
inline void PressKey(WORD vk, WORD modifier = 0) {
    auto key = [](WORD k, DWORD up) { keybd_event((BYTE)k, (BYTE)MapVirtualKeyA(k, MAPVK_VK_TO_VSC), up, 0); };
    if (modifier) key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier) key(modifier, KEYEVENTF_KEYUP);
}

}  // namespace wintest
