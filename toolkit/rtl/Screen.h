// Window placement arithmetic shared by every window that restores its position.
#pragma once

namespace rtl {

// Pulls a window of the given size back onto a screen of screenW x screenH: past the right or
// bottom edge it is moved back inside; negative positions, also those left by a window larger
// than the screen, end at 0. An area that does not start at 0, 0 gives its corner.
inline void KeepOnScreen(int& left, int& top, int width, int height, int screenW, int screenH, int x0 = 0, int y0 = 0) {
    if (top + height > y0 + screenH) top = y0 + screenH - height;
    if (left + width > x0 + screenW) left = x0 + screenW - width;
    if (top < y0) top = y0;
    if (left < x0) left = x0;
}

}  // namespace rtl
