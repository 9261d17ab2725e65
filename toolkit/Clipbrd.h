// Text and pictures through the system clipboard, for the commands that put a path there or
// paste a picture as a file.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Graphics.h"

namespace tk {

// Replaces the clipboard's contents with Shift-JIS text. False when the clipboard is not available.
bool SetClipboardText(HWND owner, const std::string& text);
// True when the clipboard holds a picture (a bitmap, or a device-independent one).
bool ClipboardHasPicture();
// The clipboard's picture as a 24-bit bitmap; false (picture unchanged) when there is none or it
// cannot be read.
bool GetClipboardPicture(HWND owner, TBitmap& picture);

}  // namespace tk
