// Colours, fonts and the canvas over a device context.
#pragma once
#include <windows.h>

#include <string>

namespace tk {

// A colour is 0x00BBGGRR, or a system colour 0x80000000 + COLOR_xxx.
using TColor = int;
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clBlue = 0xFF0000,
                 clLime = 0x00FF00, clGreen = 0x008000, clNavy = 0x800000, clMaroon = 0x000080,
                 clYellow = 0x00FFFF, clAqua = 0xFFFF00, clFuchsia = 0xFF00FF, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clOlive = 0x008080, clTeal = 0x808000, clPurple = 0x800080;
constexpr TColor SysColor(int index) { return (int)(0x80000000u + (unsigned)index); }
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE), clWindow = SysColor(COLOR_WINDOW),
                 clWindowText = SysColor(COLOR_WINDOWTEXT), clBtnText = SysColor(COLOR_BTNTEXT),
                 clBtnShadow = SysColor(COLOR_BTNSHADOW), clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT),
                 clHighlight = SysColor(COLOR_HIGHLIGHT), clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT),
                 clInfoBk = SysColor(COLOR_INFOBK), clInfoText = SysColor(COLOR_INFOTEXT),
                 clGrayText = SysColor(COLOR_GRAYTEXT), clActiveCaption = SysColor(COLOR_ACTIVECAPTION),
                 clMenu = SysColor(COLOR_MENU), clCaptionText = SysColor(COLOR_CAPTIONTEXT);
// "Use the parent's / the control's own" marker.
constexpr TColor clDefault = 0x1FFFFFFF;
constexpr TColor clNone = 0x1FFFFFFE;

COLORREF ColorToRGB(TColor c);

enum FontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = 9;  // points
    TColor Color = clWindowText;
    int Style = 0;  // FontStyle bits
    int Height() const;  // logical units (negative: character height)
    HFONT Handle() const;  // cached; owned by the cache
    bool operator==(const TFont& o) const {
        return Name == o.Name && Size == o.Size && Color == o.Color && Style == o.Style;
    }
};

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class BrushStyle { Solid, Clear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
};
struct TBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
};

class TBitmap;

// Drawing on a device context with the current pen, brush and font (selected per call).
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : Handle(dc) {}
    HDC Handle = nullptr;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    POINT PenPos{0, 0};

    void MoveTo(int x, int y) { PenPos = {x, y}; }
    void LineTo(int x, int y);
    void Rectangle(int l, int t, int r, int b);
    void RoundRect(int l, int t, int r, int b, int w, int h);
    void Ellipse(int l, int t, int r, int b);
    void Polygon(const POINT* pts, int n);
    void Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    // A 3-D edge (BDR_/EDGE_ and BF_ flags of DrawEdge).
    void DrawEdge(const RECT& r, UINT edge, UINT flags);
    void TextOut(int x, int y, const std::string& s);
    void TextRect(const RECT& r, int x, int y, const std::string& s);
    // DrawText with DT_ flags; returns the height drawn.
    int DrawText(const std::string& s, RECT r, UINT flags);
    int TextWidth(const std::string& s);
    int TextHeight(const std::string& s);
    void SetPixel(int x, int y, TColor c);
    TColor GetPixel(int x, int y);
    void Draw(int x, int y, const TBitmap& bmp);
    void StretchDraw(const RECT& r, const TBitmap& bmp);
    void CopyRect(const RECT& dst, HDC src, const RECT& srcRect);

private:
    struct Selection;
};

// A device-independent-size bitmap with its own memory canvas.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int w, int h) { SetSize(w, h); }
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bmp_; }
    void SetSize(int w, int h);  // 24-bit colour, cleared to white
    TCanvas& Canvas();
    HBITMAP Handle() const { return bmp_; }
    // The memory DC the bitmap is selected into while its canvas is open, else null. A bitmap
    // can sit in one DC only, so drawing from it must use this DC when there is one.
    HDC OpenDC() const { return dc_; }
    // Takes ownership of an existing bitmap handle.
    void Assign(HBITMAP h);
    void Assign(const TBitmap& other);
    bool LoadFromFile(const std::string& path);
    bool LoadFromResourceName(HINSTANCE inst, const std::string& name);
    bool SaveToFile(const std::string& path) const;
    // The picture as the bytes of a 24-bit .BMP file; empty when it cannot be read.
    std::string BmpFileBytes() const;
    void Clear();

private:
    void ReleaseDC_();
    HBITMAP bmp_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ oldBmp_ = nullptr;
    TCanvas canvas_;
    int width_ = 0, height_ = 0;
};

// Pixels per logical inch of the screen (font sizes).
int ScreenDpi();

// A memory DC of the screen's kind, for measuring text as the screen shows it. Fetching a
// window's DC instead is several round trips under Wine while the window is still hidden.
// Callers select their font and put the old one back.
HDC MeasureDC();
// The height of a line of text in the font (the text metrics' height).
int FontLineHeight(const TFont& f);
// A 24-bit colour bitmap in memory of its own, made without the screen's DC (a round trip
// under Wine).
HBITMAP CreateColorBitmap(int w, int h);

}  // namespace tk
