#include "toolkit/Cursor.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tk {

namespace {
// Living guards in the order they began; a guard may end out of order (held in an optional).
std::vector<std::pair<unsigned, TCursor>> gGuards;
unsigned gNextId = 1;

HCURSOR CursorOf(TCursor c) { return LoadCursor(nullptr, c == crAppStart ? IDC_APPSTARTING : IDC_WAIT); }

// Lets the window under the mouse choose its cursor again.
void RestoreWindowCursor() {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    POINT p;
    if (!GetCursorPos(&p)) return;
    HWND w = WindowFromPoint(p);
    if (!w || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) return;
    LRESULT hit = SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(w, WM_SETCURSOR, (WPARAM)w, MAKELPARAM(hit, WM_MOUSEMOVE));
}
}  // namespace

BusyCursor::BusyCursor(TCursor shape) : id_(gNextId++) {
    gGuards.emplace_back(id_, shape == crDefault ? crHourGlass : shape);
    SetCursor(CursorOf(gGuards.back().second));
}

BusyCursor::~BusyCursor() {
    auto it = std::find_if(gGuards.begin(), gGuards.end(), [&](auto& g) { return g.first == id_; });
    if (it == gGuards.end()) return;
    bool newest = it + 1 == gGuards.end();
    gGuards.erase(it);
    if (!newest) return;
    if (gGuards.empty()) RestoreWindowCursor();
    else SetCursor(CursorOf(gGuards.back().second));
}

TCursor ScreenCursor() { return gGuards.empty() ? crDefault : gGuards.back().second; }

bool BusyCursorShown() {
    if (gGuards.empty()) return false;
    SetCursor(CursorOf(gGuards.back().second));
    return true;
}

}  // namespace tk
