#include "toolkit/Graphics.h"

#include "toolkit/Files.h"

#include <cstring>
#include <map>
#include <tuple>
#include <vector>

namespace tk {

COLORREF ColorToRGB(TColor c) {
    if (c == clDefault || c == clNone) return GetSysColor(COLOR_BTNFACE);
    if (c < 0) return GetSysColor(c & 0xFF);
    return (COLORREF)(c & 0xFFFFFF);
}

int ScreenDpi() {
    static int dpi = 0;
    if (!dpi) {
        HDC dc = GetDC(nullptr);
        dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        if (dpi <= 0) dpi = 96;
    }
    return dpi;
}

HDC MeasureDC() {
    static HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

int FontLineHeight(const TFont& f) {
    HDC dc = MeasureDC();
    HGDIOBJ old = SelectObject(dc, f.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    return tm.tmHeight;
}

HBITMAP CreateColorBitmap(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

int TFont::Height() const { return -MulDiv(Size, ScreenDpi(), 72); }

HFONT TFont::Handle() const {
    // Fonts live as long as the program: a handful of faces and sizes are used.
    static std::map<std::tuple<std::string, int, int>, HFONT> cache;
    auto key = std::make_tuple(Name, Size, Style);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    LOGFONTA lf{};
    lf.lfHeight = Height();
    lf.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (Style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (Style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, Name.c_str(), LF_FACESIZE);
    HFONT f = CreateFontIndirectA(&lf);
    cache[key] = f;
    return f;
}

// Selects the canvas's pen, brush and font for one drawing call and restores the DC after.
struct TCanvas::Selection {
    HDC dc;
    HGDIOBJ oldPen, oldBrush, oldFont;
    HPEN pen;
    HBRUSH brush;
    Selection(TCanvas& c, bool withPen, bool withBrush, bool withFont) : dc(c.Handle) {
        pen = nullptr;
        brush = nullptr;
        oldPen = oldBrush = oldFont = nullptr;
        if (withPen) {
            int style = c.Pen.Style == PenStyle::Dash ? PS_DASH : c.Pen.Style == PenStyle::Dot ? PS_DOT
                      : c.Pen.Style == PenStyle::Clear ? PS_NULL : PS_SOLID;
            pen = CreatePen(style, c.Pen.Width, ColorToRGB(c.Pen.Color));
            oldPen = SelectObject(dc, pen);
        }
        if (withBrush) {
            if (c.Brush.Style == BrushStyle::Clear) oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            else {
                brush = CreateSolidBrush(ColorToRGB(c.Brush.Color));
                oldBrush = SelectObject(dc, brush);
            }
        }
        if (withFont) {
            oldFont = SelectObject(dc, c.Font.Handle());
            SetTextColor(dc, ColorToRGB(c.Font.Color));
            if (c.Brush.Style == BrushStyle::Clear) SetBkMode(dc, TRANSPARENT);
            else {
                SetBkMode(dc, OPAQUE);
                SetBkColor(dc, ColorToRGB(c.Brush.Color));
            }
        }
    }
    ~Selection() {
        if (oldPen) SelectObject(dc, oldPen);
        if (oldBrush) SelectObject(dc, oldBrush);
        if (oldFont) SelectObject(dc, oldFont);
        if (pen) DeleteObject(pen);
        if (brush) DeleteObject(brush);
    }
};

void TCanvas::LineTo(int x, int y) {
    Selection s(*this, true, false, false);
    ::MoveToEx(Handle, PenPos.x, PenPos.y, nullptr);
    ::LineTo(Handle, x, y);
    PenPos = {x, y};
}

void TCanvas::Rectangle(int l, int t, int r, int b) {
    Selection s(*this, true, true, false);
    ::Rectangle(Handle, l, t, r, b);
}

void TCanvas::RoundRect(int l, int t, int r, int b, int w, int h) {
    Selection s(*this, true, true, false);
    ::RoundRect(Handle, l, t, r, b, w, h);
}

void TCanvas::Ellipse(int l, int t, int r, int b) {
    Selection s(*this, true, true, false);
    ::Ellipse(Handle, l, t, r, b);
}

void TCanvas::Polygon(const POINT* pts, int n) {
    Selection s(*this, true, true, false);
    ::Polygon(Handle, pts, n);
}

void TCanvas::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    Selection s(*this, true, true, false);
    ::Pie(Handle, l, t, r, b, x1, y1, x2, y2);
}

void TCanvas::FillRect(const RECT& r) {
    if (Brush.Style == BrushStyle::Clear) return;
    HBRUSH b = CreateSolidBrush(ColorToRGB(Brush.Color));
    ::FillRect(Handle, &r, b);
    DeleteObject(b);
}

void TCanvas::FrameRect(const RECT& r) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(Brush.Color));
    ::FrameRect(Handle, &r, b);
    DeleteObject(b);
}

void TCanvas::DrawEdge(const RECT& r, UINT edge, UINT flags) {
    RECT rc = r;
    ::DrawEdge(Handle, &rc, edge, flags);
}

void TCanvas::TextOut(int x, int y, const std::string& str) {
    Selection s(*this, false, false, true);
    ::TextOutA(Handle, x, y, str.data(), (int)str.size());
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& str) {
    Selection s(*this, false, false, true);
    ::ExtTextOutA(Handle, x, y, ETO_CLIPPED | (Brush.Style == BrushStyle::Clear ? 0 : ETO_OPAQUE), &r,
                  str.data(), (UINT)str.size(), nullptr);
}

int TCanvas::DrawText(const std::string& str, RECT r, UINT flags) {
    Selection s(*this, false, false, true);
    return ::DrawTextA(Handle, str.data(), (int)str.size(), &r, flags);
}

int TCanvas::TextWidth(const std::string& str) {
    Selection s(*this, false, false, true);
    SIZE sz{};
    ::GetTextExtentPoint32A(Handle, str.data(), (int)str.size(), &sz);
    return sz.cx;
}

int TCanvas::TextHeight(const std::string& str) {
    Selection s(*this, false, false, true);
    SIZE sz{};
    ::GetTextExtentPoint32A(Handle, str.empty() ? "W" : str.data(), str.empty() ? 1 : (int)str.size(), &sz);
    return sz.cy;
}

void TCanvas::SetPixel(int x, int y, TColor c) { ::SetPixel(Handle, x, y, ColorToRGB(c)); }

TColor TCanvas::GetPixel(int x, int y) { return (TColor)::GetPixel(Handle, x, y); }

// A DC holding the bitmap for reading: its own open canvas DC, or a temporary one.
struct SourceDC {
    HDC dc = nullptr, temp = nullptr;
    HGDIOBJ old = nullptr;
    SourceDC(const TBitmap& bmp, HDC compatible) {
        dc = bmp.OpenDC();
        if (!dc) {
            dc = temp = CreateCompatibleDC(compatible);
            old = SelectObject(temp, bmp.Handle());
        }
    }
    ~SourceDC() {
        if (temp) {
            SelectObject(temp, old);
            DeleteDC(temp);
        }
    }
};

void TCanvas::Draw(int x, int y, const TBitmap& bmp) {
    if (bmp.Empty()) return;
    SourceDC src(bmp, Handle);
    BitBlt(Handle, x, y, bmp.Width(), bmp.Height(), src.dc, 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& r, const TBitmap& bmp) {
    if (bmp.Empty()) return;
    SourceDC src(bmp, Handle);
    SetStretchBltMode(Handle, COLORONCOLOR);
    StretchBlt(Handle, r.left, r.top, r.right - r.left, r.bottom - r.top, src.dc, 0, 0, bmp.Width(), bmp.Height(),
               SRCCOPY);
}

void TCanvas::CopyRect(const RECT& d, HDC src, const RECT& s) {
    SetStretchBltMode(Handle, COLORONCOLOR);
    StretchBlt(Handle, d.left, d.top, d.right - d.left, d.bottom - d.top, src, s.left, s.top, s.right - s.left,
               s.bottom - s.top, SRCCOPY);
}

TBitmap::~TBitmap() { Clear(); }

void TBitmap::ReleaseDC_() {
    if (dc_) {
        SelectObject(dc_, oldBmp_);
        DeleteDC(dc_);
        dc_ = nullptr;
        canvas_.Handle = nullptr;
    }
}

void TBitmap::Clear() {
    ReleaseDC_();
    if (bmp_) DeleteObject(bmp_);
    bmp_ = nullptr;
    width_ = height_ = 0;
}

void TBitmap::SetSize(int w, int h) {
    Clear();
    if (w <= 0 || h <= 0) return;
    bmp_ = CreateColorBitmap(w, h);
    if (!bmp_) return;
    width_ = w;
    height_ = h;
    RECT r{0, 0, w, h};
    Canvas().Brush.Color = clWhite;
    Canvas().FillRect(r);
}

TCanvas& TBitmap::Canvas() {
    if (!dc_ && bmp_) {
        dc_ = CreateCompatibleDC(nullptr);
        oldBmp_ = SelectObject(dc_, bmp_);
        canvas_.Handle = dc_;
    }
    return canvas_;
}

void TBitmap::Assign(HBITMAP h) {
    Clear();
    if (!h) return;
    BITMAP bm{};
    GetObject(h, sizeof bm, &bm);
    bmp_ = h;
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    SetSize(other.Width(), other.Height());
    if (!other.Empty()) Canvas().Draw(0, 0, other);
}

namespace {

// Wine's LoadImage reads past the end of a cut-off bitmap file and takes the process down with
// it, so a file whose headers promise more than it holds is refused before it is loaded.
bool BmpFileIsWhole(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    unsigned char head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    DWORD got = 0;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(f, &size) && ReadFile(f, head, sizeof head, &got, nullptr);
    CloseHandle(f);
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, head, sizeof fh);
    const unsigned char* info = head + sizeof fh;
    DWORD infoSize;
    std::memcpy(&infoSize, info, 4);
    if (!read || got < sizeof fh + sizeof(BITMAPCOREHEADER) || fh.bfType != 0x4D42) return false;
    int64_t width, height, bits, compression = BI_RGB, imageSize = 0, colours = 0, entry = 4;
    if (infoSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, info, sizeof core);
        width = core.bcWidth, height = core.bcHeight, bits = core.bcBitCount, entry = 3;
    } else if (infoSize >= sizeof(BITMAPINFOHEADER) && got == sizeof head) {
        BITMAPINFOHEADER bi;
        std::memcpy(&bi, info, sizeof bi);
        width = bi.biWidth, height = bi.biHeight, bits = bi.biBitCount;
        compression = bi.biCompression, imageSize = bi.biSizeImage, colours = bi.biClrUsed;
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    if (bits <= 8 && (colours == 0 || colours > (1 << bits))) colours = 1 << bits;
    const int64_t masks = compression == BI_BITFIELDS && infoSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    const int64_t header = (int64_t)sizeof fh + infoSize + masks + colours * entry;
    const int64_t rows = height < 0 ? -height : height;
    // Compressed pixels are as long as the header says; plain rows are whole 32-bit words.
    const int64_t pixels = compression == BI_RGB || compression == BI_BITFIELDS ? (width * bits + 31) / 32 * 4 * rows
                                                                                : imageSize;
    return header <= size.QuadPart && pixels > 0 && (int64_t)fh.bfOffBits + pixels <= size.QuadPart;
}

}  // namespace

bool TBitmap::LoadFromFile(const std::string& path) {
    if (!BmpFileIsWhole(path)) return false;
    HBITMAP h = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!h) return false;
    Assign(h);
    return true;
}

bool TBitmap::LoadFromResourceName(HINSTANCE inst, const std::string& name) {
    HBITMAP h = (HBITMAP)LoadImageA(inst, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) return false;
    Assign(h);
    return true;
}

std::string TBitmap::BmpFileBytes() const {
    if (!bmp_) return {};
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = width_;
    bih.biHeight = height_;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    int stride = ((width_ * 3 + 3) / 4) * 4;
    bih.biSizeImage = stride * height_;
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = bfh.bfOffBits + bih.biSizeImage;
    std::string out((const char*)&bfh, sizeof bfh);
    out.append((const char*)&bih, sizeof bih);
    std::string bits(bih.biSizeImage, '\0');
    // GetDIBits wants the bitmap out of any DC for the moment.
    if (dc_) SelectObject(dc_, oldBmp_);
    int got = GetDIBits(MeasureDC(), bmp_, 0, height_, bits.data(), (BITMAPINFO*)&bih, DIB_RGB_COLORS);
    if (dc_) SelectObject(dc_, bmp_);
    if (!got) return {};
    return out + bits;
}

bool TBitmap::SaveToFile(const std::string& path) const {
    std::string bytes = BmpFileBytes();
    if (bytes.empty()) return false;
    if (WriteFileBytes(path, bytes)) return true;
    DeleteFileA(path.c_str());
    return false;
}

}  // namespace tk
