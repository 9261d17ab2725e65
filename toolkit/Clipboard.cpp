#include "toolkit/Clipboard.h"

#include <cstring>

namespace tk {

bool SetClipboardText(HWND owner, const std::string& text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!mem) return false;
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    if (!OpenClipboard(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(mem);  // the clipboard owns it only once it took it
    return ok;
}

std::string GetClipboardText(HWND owner) {
    std::string s;
    if (!OpenClipboard(owner)) return s;
    if (HANDLE h = GetClipboardData(CF_TEXT))
        if (auto* p = (const char*)GlobalLock(h)) {
            s.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    CloseClipboard();
    return s;
}

bool ClipboardHasPicture() { return IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP); }

namespace {

// A packed DIB (header, colour table, pixels) drawn onto a bitmap of its size; the header's
// promises are checked against the block's size first.
bool FromPackedDib(const void* data, SIZE_T size, TBitmap& picture) {
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return false;
    long long width = h.biWidth, height = h.biHeight < 0 ? -(long long)h.biHeight : h.biHeight;
    if (width > 32767 || height > 32767) return false;
    long long colours = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? 1LL << h.biBitCount : 0;
    long long table = colours * 4 + (h.biCompression == BI_BITFIELDS && h.biSize == sizeof h ? 12 : 0);
    long long stride = ((width * h.biBitCount + 31) / 32) * 4;
    long long pixels = h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS ? stride * height : h.biSizeImage;
    if (h.biSize + table + pixels > (long long)size) return false;
    const char* bits = (const char*)data + h.biSize + table;
    picture.SetSize((int)width, (int)height);
    int lines = StretchDIBits(picture.Canvas().Handle, 0, 0, (int)width, (int)height, 0, 0, (int)width, (int)height,
                              bits, (const BITMAPINFO*)data, DIB_RGB_COLORS, SRCCOPY);
    return lines > 0;
}

bool FromBitmap(HBITMAP source, TBitmap& picture) {
    BITMAP bm{};
    if (!GetObject(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    picture.SetSize(bm.bmWidth, bm.bmHeight);
    HDC dc = CreateCompatibleDC(picture.Canvas().Handle);
    HGDIOBJ old = SelectObject(dc, source);
    bool ok = BitBlt(picture.Canvas().Handle, 0, 0, bm.bmWidth, bm.bmHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return ok;
}

}  // namespace

bool GetClipboardPicture(HWND owner, TBitmap& picture) {
    if (!OpenClipboard(owner)) return false;
    TBitmap got;
    bool ok = false;
    if (HGLOBAL mem = IsClipboardFormatAvailable(CF_DIB) ? GetClipboardData(CF_DIB) : nullptr) {
        if (const void* data = GlobalLock(mem)) {
            ok = FromPackedDib(data, GlobalSize(mem), got);
            GlobalUnlock(mem);
        }
    }
    if (!ok && IsClipboardFormatAvailable(CF_BITMAP)) {
        if (HBITMAP h = (HBITMAP)GetClipboardData(CF_BITMAP)) ok = FromBitmap(h, got);
    }
    CloseClipboard();
    if (ok) picture.Assign(got);
    return ok;
}

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
