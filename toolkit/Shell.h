// Reaching outside the program: launching through the shell, closing another program's window
// by its title or a piece of it, and setting the desktop wallpaper. Each has a test seam, so that no
// test launches, closes or repaints anything it did not make.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tk {

struct ShellCall {
    HWND window;
    std::string verb, file, parameters, directory;
    int show;
};
// ShellExecuteA; empty parameters or directory are passed as none. True when the shell accepted it.
bool ShellLaunch(HWND window, const std::string& verb, const std::string& file, const std::string& parameters,
                  const std::string& directory, int show = SW_SHOW);
// Test seam: while set, the hook gets the call instead of the shell and gives the answer.
void SetShellLaunchHookForTest(std::function<bool(const ShellCall&)> hook);

// The first top-level window, in the order EnumWindows reports them, whose title contains part
// (case-sensitive, matched on character boundaries); null when none. title receives its title.
HWND FindWindowByTitlePart(const std::string& part, std::string* title = nullptr);
// Closes exactly that window with WM_CLOSE (waiting at most a few seconds for a hung program).
// True when a window was found.
bool CloseWindowByTitlePart(const std::string& part);
// Closes the top-level window whose title is exactly title (FindWindowA) with WM_CLOSE, as above.
// An empty title closes nothing: it would pick some untitled window. True when one was found.
bool CloseWindowByTitle(const std::string& title);
// Test seam: while set, no window is looked for or closed; the hook gets the piece of title (or
// the whole title) and says whether a window was found.
void SetCloseWindowHookForTest(std::function<bool(const std::string& part)> hook);

// Makes the picture at path the desktop wallpaper, kept in the user's settings and announced to
// every window, and stores it as HKCU "Control Panel\Desktop" Wallpaper.
bool SetDesktopWallpaper(const std::string& path);
// Test seam: while set, the hook gets the path instead and gives the answer.
void SetWallpaperHookForTest(std::function<bool(const std::string& path)> hook);

}  // namespace tk
