// Putting things on the system clipboard.
#pragma once
#include <windows.h>

#include "toolkit/Graphics.h"

namespace tk {

// The picture as a device-independent bitmap; false when the clipboard or the picture is not
// available.
bool CopyPictureToClipboard(HWND owner, const TBitmap& picture);

}  // namespace tk
