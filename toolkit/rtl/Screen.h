// Window placement arithmetic shared by every window that restores its position.
#pragma once

namespace rtl {

// Pulls a window of the given size back onto a screen of screenW x screenH: past the right or
// bottom edge it is moved back inside; negative positions, also those left by a window larger
// than the screen, end at 0.
inline void KeepOnScreen(int& left, int& top, int width, int height, int screenW, int screenH) {
    if (top + height > screenH) top = screenH - height;
    if (left + width > screenW) left = screenW - width;
    if (top < 0) top = 0;
    if (left < 0) left = 0;
}

}  // namespace rtl
