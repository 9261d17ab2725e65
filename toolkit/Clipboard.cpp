#include "toolkit/Clipboard.h"

#include <cstring>
#include <string>

namespace tk {

namespace {
// The bytes in place of what the clipboard held, in the format given.
bool PutOnClipboard(HWND owner, UINT format, const char* data, size_t size) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!mem) return false;
    memcpy(GlobalLock(mem), data, size);
    GlobalUnlock(mem);
    if (!OpenClipboard(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(format, mem) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(mem);  // the clipboard owns it only once it took it
    return ok;
}
}  // namespace

bool CopyPictureToClipboard(HWND owner, const TBitmap& picture) {
    // A packed DIB is a .BMP file without its 14-byte file header.
    std::string bmp = picture.BmpFileBytes();
    if (bmp.size() <= sizeof(BITMAPFILEHEADER)) return false;
    return PutOnClipboard(owner, CF_DIB, bmp.data() + sizeof(BITMAPFILEHEADER), bmp.size() - sizeof(BITMAPFILEHEADER));
}

bool CopyTextToClipboard(HWND owner, const std::string& text) {
    return PutOnClipboard(owner, CF_TEXT, text.c_str(), text.size() + 1);
}

}  // namespace tk
