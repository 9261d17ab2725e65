#include "toolkit/Shell.h"

#include <shellapi.h>

#include <vector>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

static std::function<bool(const ShellCall&)> gShellHook;
static std::function<bool(const std::string&)> gCloseHook;
static std::function<bool(const std::string&)> gWallpaperHook;

void SetShellLaunchHookForTest(std::function<bool(const ShellCall&)> hook) { gShellHook = std::move(hook); }
void SetCloseWindowHookForTest(std::function<bool(const std::string&)> hook) { gCloseHook = std::move(hook); }
void SetWallpaperHookForTest(std::function<bool(const std::string&)> hook) { gWallpaperHook = std::move(hook); }

bool ShellLaunch(HWND window, const std::string& verb, const std::string& file, const std::string& parameters,
                  const std::string& directory, int show) {
    if (gShellHook) return gShellHook({window, verb, file, parameters, directory, show});
    auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    HINSTANCE r = ShellExecuteA(window, orNull(verb), file.c_str(), orNull(parameters), orNull(directory), show);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

namespace {
struct TitleSearch {
    const std::string* part;
    HWND found;
    std::string title;
};
}  // namespace

static BOOL CALLBACK TitleProc(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<TitleSearch*>(lp);
    int len = GetWindowTextLengthA(h);
    if (len <= 0) return TRUE;
    std::vector<char> buf(len + 1, 0);
    GetWindowTextA(h, buf.data(), len + 1);
    std::string title(buf.data());
    if (rtl::SjisPos(title, *s->part) == std::string::npos) return TRUE;
    s->found = h;
    s->title = std::move(title);
    return FALSE;
}

HWND FindWindowByTitlePart(const std::string& part, std::string* title) {
    if (part.empty()) return nullptr;
    TitleSearch s{&part, nullptr, {}};
    EnumWindows(TitleProc, reinterpret_cast<LPARAM>(&s));
    if (s.found && title) *title = s.title;
    return s.found;
}

// A hung program must not hang us with it.
static bool CloseFound(HWND h) {
    if (!h) return false;
    DWORD_PTR result;
    SendMessageTimeoutA(h, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &result);
    return true;
}

bool CloseWindowByTitlePart(const std::string& part) {
    if (gCloseHook) return gCloseHook(part);
    // The window found is the one closed: looking it up again by its title could hit another
    // window that happens to carry the same title.
    return CloseFound(FindWindowByTitlePart(part));
}

bool CloseWindowByTitle(const std::string& title) {
    if (title.empty()) return false;
    if (gCloseHook) return gCloseHook(title);
    return CloseFound(FindWindowA(nullptr, title.c_str()));
}

bool SetDesktopWallpaper(const std::string& path) {
    if (gWallpaperHook) return gWallpaperHook(path);
    std::string p = path;  // the call takes a writable buffer
    bool ok = SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, p.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        ok = RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                            DWORD(path.size() + 1)) == ERROR_SUCCESS && ok;
        RegCloseKey(key);
    } else {
        ok = false;
    }
    return ok;
}

}  // namespace tk
