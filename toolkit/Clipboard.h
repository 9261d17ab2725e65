// Text and pictures through the system clipboard: a path put there, a picture pasted as a file
// or copied out.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Graphics.h"

namespace tk {

// Replaces the clipboard's contents with Shift-JIS text. False when the clipboard is not available.
bool SetClipboardText(HWND owner, const std::string& text);
// The clipboard's Shift-JIS text, empty when there is none or the clipboard is not available.
std::string GetClipboardText(HWND owner);
// True when the clipboard holds a picture (a bitmap, or a device-independent one).
bool ClipboardHasPicture();
// The clipboard's picture as a 24-bit bitmap; false (picture unchanged) when there is none or it
// cannot be read.
bool GetClipboardPicture(HWND owner, TBitmap& picture);

// The picture as a device-independent bitmap; false when the clipboard or the picture is not
// available.
bool CopyPictureToClipboard(HWND owner, const TBitmap& picture);

}  // namespace tk
