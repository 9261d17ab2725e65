#include "toolkit/ImageList.h"

namespace tk {

ImageList::~ImageList() {
    *alive_ = nullptr;
    Clear();
}

void ImageList::SetSize(int width, int height) {
    Clear();
    width_ = width;
    height_ = height;
}

void ImageList::Clear() {
    if (list_) ImageList_Destroy(list_);
    list_ = nullptr;
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int ImageList::Add(const TBitmap& bmp) { return AddImpl(bmp, false, clNone); }

int ImageList::AddMasked(const TBitmap& bmp, TColor transparent) { return AddImpl(bmp, true, transparent); }

int ImageList::AddImpl(const TBitmap& bmp, bool masked, TColor transparent) {
    if (bmp.Empty()) return -1;
    if (width_ <= 0 || height_ <= 0) {
        width_ = bmp.Width();
        height_ = bmp.Height();
    }
    if (!list_) list_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!list_) return -1;
    // The image list selects the bitmap into its own DC, which fails while the TBitmap's canvas holds
    // it: hand it a fresh copy of exactly the list's size.
    HBITMAP copy = CreateColorBitmap(width_, height_);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy);
    RECT all{0, 0, width_, height_};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    BitBlt(dc, 0, 0, width_, height_, const_cast<TBitmap&>(bmp).Canvas().Handle, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    int i = masked ? ImageList_AddMasked(list_, copy, ColorToRGB(transparent)) : ImageList_Add(list_, copy, nullptr);
    DeleteObject(copy);
    return i;
}

void ImageList::Delete(int index) {
    if (list_ && index >= 0 && index < Count()) ImageList_Remove(list_, index);
}

void ImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (!list_ || index < 0 || index >= Count()) return;
    ImageList_DrawEx(list_, index, canvas.Handle, x, y, 0, 0, CLR_NONE, CLR_DEFAULT,
                     ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}

bool ImageList::GetBitmap(int index, TBitmap& bmp) const {
    if (!list_ || index < 0 || index >= Count()) return false;
    bmp.SetSize(width_, height_);
    ImageList_DrawEx(list_, index, bmp.Canvas().Handle, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    return true;
}

HICON ImageList::GetIcon(int index) const {
    if (!list_ || index < 0 || index >= Count()) return nullptr;
    return ImageList_GetIcon(list_, index, ILD_TRANSPARENT);
}

}  // namespace tk
