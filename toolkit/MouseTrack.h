// Mouse enter and leave for a window of our own: fed every message of its window procedure, it says
// when the mouse came over the window and when it went (TrackMouseEvent's WM_MOUSELEAVE, or a move
// outside while the window holds the capture, which Windows reports to the window itself).
#pragma once
#include <windows.h>

namespace tk {

class MouseTracker {
public:
    enum Change { None, Entered, Left };

    Change Feed(HWND h, UINT msg, LPARAM lp) {
        if (msg == WM_MOUSELEAVE) {
            if (!inside_) return None;
            inside_ = false;
            return Left;
        }
        if (msg != WM_MOUSEMOVE) return None;
        RECT rc;
        GetClientRect(h, &rc);
        POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
        bool over = PtInRect(&rc, pt);
        if (over == inside_) return None;
        inside_ = over;
        Track(h, over ? TME_LEAVE : TME_LEAVE | TME_CANCEL);
        // Wine tracks nothing when the cursor is elsewhere by now (a late move message); Windows
        // then reports the leave at once, and so do we.
        POINT cursor;
        if (over && GetCapture() != h && GetCursorPos(&cursor) && WindowFromPoint(cursor) != h)
            PostMessageA(h, WM_MOUSELEAVE, 0, 0);
        return over ? Entered : Left;
    }

    // Forgets the mouse without a report (the window was disabled or hidden under it).
    void Reset(HWND h) {
        if (inside_) Track(h, TME_LEAVE | TME_CANCEL);
        inside_ = false;
    }

    bool Inside() const { return inside_; }

private:
    static void Track(HWND h, DWORD flags) {
        TRACKMOUSEEVENT t{sizeof t, flags, h, HOVER_DEFAULT};
        TrackMouseEvent(&t);
    }
    bool inside_ = false;
};

}  // namespace tk
