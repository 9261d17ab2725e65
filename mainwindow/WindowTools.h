// Small services of the windows around the main window: dragging a window that has no caption,
// windows of one width, and glyph buttons that run the main window's commands.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "controls/PnlBtn.h"

namespace tk {
class MenuItem;
}
struct TForm1;

// Lets the user move the window as if by its caption while the left button stays down.
void DragWindow(HWND window);
// Test seam: while set, the hook gets the window instead (no modal move loop starts).
void SetWindowDragHookForTest(std::function<void(HWND)> hook);

// A window of one width: only its height changes, maximised it takes maximisedWidth at
// maximisedLeft (its own left edge when not given), and its side borders move it as the caption
// does. Called by the window procedure with the default answer to WM_GETMINMAXINFO and
// WM_NCHITTEST; gives the answer to return (other messages pass through).
LRESULT FixedWidthFrame(HWND window, UINT msg, LPARAM lp, LRESULT answer, int width, int maximisedWidth,
                        std::optional<int> maximisedLeft = std::nullopt);

// One of the main window's commands, reached through its menu item so that it runs exactly as the
// menu runs it and is refused while the item is disabled.
struct MainCommand {
    const char* hint;
    const char* glyph;  // bitmap resource drawn at build time
    tk::MenuItem* TForm1::*item;
};
namespace maincmd {
extern const MainCommand Popup, Schedule, List, Data, Telephone, Todo, Diary, Birthday, Setup;
}

// A 24 x 24 flat button with the glyph resource and hint.
void CreateGlyphButton(TPanelButton& b, tk::Control& parent, int x, int y, const char* glyph, const char* hint);
// The same for a command: a click runs it.
void CreateCommandButton(TPanelButton& b, tk::Control& parent, int x, int y, const MainCommand& c);
// Runs the command unless its item is disabled (or the main window is gone).
void RunMainCommand(const MainCommand& c);
// Enables the button exactly while its command can run.
void FollowMainCommand(TPanelButton& b, const MainCommand& c);
