#include "toolkit/Image.h"

#include <algorithm>

namespace tk {

// The bitmap's own memory DC: TBitmap keeps its bitmap selected there once its canvas was used.
static HDC SourceDC(const TBitmap& bmp) { return const_cast<TBitmap&>(bmp).Canvas().Handle; }

void DrawBitmap(HDC dc, const RECT& r, const TBitmap& bmp, bool transparent) {
    if (bmp.Empty()) return;
    HDC src = SourceDC(bmp);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (transparent) {
        COLORREF key = ::GetPixel(src, 0, bmp.Height() - 1);
        TransparentBlt(dc, r.left, r.top, w, h, src, 0, 0, bmp.Width(), bmp.Height(), key);
    } else if (w == bmp.Width() && h == bmp.Height()) {
        BitBlt(dc, r.left, r.top, w, h, src, 0, 0, SRCCOPY);
    } else {
        int old = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.left, r.top, w, h, src, 0, 0, bmp.Width(), bmp.Height(), SRCCOPY);
        SetStretchBltMode(dc, old);
    }
}

// ---- Image ----

void Image::Create(Control& parent, const Ctl& p) { CreateCustom(parent, 0, 0, p); }

void Image::PictureChanged() {
    if (!Handle) return;
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

bool Image::LoadFromFile(const std::string& path) {
    bool ok = picture_.LoadFromFile(path);
    PictureChanged();
    return ok;
}

bool Image::LoadFromResourceName(HINSTANCE inst, const std::string& name) {
    bool ok = picture_.LoadFromResourceName(inst, name);
    PictureChanged();
    return ok;
}

void Image::Assign(const TBitmap& bmp) {
    picture_.Assign(bmp);
    PictureChanged();
}

void Image::Assign(HBITMAP h) {
    picture_.Assign(h);
    PictureChanged();
}

void Image::Clear() {
    picture_.Clear();
    PictureChanged();
}

TCanvas& Image::Canvas() {
    if (picture_.Empty() && Handle) {
        RECT r = ClientRect();
        picture_.SetSize(std::max(1L, r.right), std::max(1L, r.bottom));
    }
    // Painting happens later, after the caller has drawn.
    Invalidate();
    return picture_.Canvas();
}

void Image::SetStretch(bool on) {
    if (on == stretch_) return;
    stretch_ = on;
    Invalidate();
}

void Image::SetCenter(bool on) {
    if (on == center_) return;
    center_ = on;
    Invalidate();
}

void Image::SetTransparent(bool on) {
    if (on == transparent_) return;
    transparent_ = on;
    Invalidate();
}

void Image::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    if (on) PictureChanged();
}

void Image::Paint(TCanvas& canvas) {
    if (picture_.Empty()) return;
    RECT c = ClientRect();
    RECT r{0, 0, picture_.Width(), picture_.Height()};
    if (stretch_) {
        r = c;
    } else if (center_) {
        OffsetRect(&r, (c.right - r.right) / 2, (c.bottom - r.bottom) / 2);
    }
    DrawBitmap(canvas.Handle, r, picture_, transparent_);
}

// ---- PaintBox ----

void PaintBox::Create(Control& parent, const Ctl& p) { CreateCustom(parent, 0, 0, p); }

}  // namespace tk
