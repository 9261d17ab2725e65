#include "toolkit/Clipboard.h"

#include <cstring>
#include <string>

namespace tk {

bool CopyPictureToClipboard(HWND owner, const TBitmap& picture) {
    // A packed DIB is a .BMP file without its 14-byte file header.
    std::string bmp = picture.BmpFileBytes();
    if (bmp.size() <= sizeof(BITMAPFILEHEADER)) return false;
    size_t size = bmp.size() - sizeof(BITMAPFILEHEADER);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!mem) return false;
    memcpy(GlobalLock(mem), bmp.data() + sizeof(BITMAPFILEHEADER), size);
    GlobalUnlock(mem);
    if (!OpenClipboard(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_DIB, mem) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(mem);  // the clipboard owns it only once it took it
    return ok;
}

}  // namespace tk
