// Putting things on the system clipboard.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Graphics.h"

namespace tk {

// The picture as a device-independent bitmap; false when the clipboard or the picture is not
// available.
bool CopyPictureToClipboard(HWND owner, const TBitmap& picture);
// The text (Shift-JIS) in place of what the clipboard held; false when the clipboard is not available.
bool CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace tk
