// A list of same-size pictures (comctl32 image list), drawn by index; tree views and tray
// animations take its Handle.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "toolkit/Graphics.h"

namespace tk {

class ImageList {
public:
    ImageList() = default;
    ImageList(int width, int height) { SetSize(width, height); }
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Empties the list and sets the picture size.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds a picture (cut or padded to the list's size; the first one sets the size when none is set).
    // Returns its index, or -1.
    int Add(const TBitmap& bmp);
    // The same, with the pixels of colour transparent left out when drawn.
    int AddMasked(const TBitmap& bmp, TColor transparent);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Copies picture index into bmp; false for a bad index.
    bool GetBitmap(int index, TBitmap& bmp) const;
    // A new icon of picture index; the caller destroys it.
    HICON GetIcon(int index) const;
    HIMAGELIST Handle() const { return list_; }
    // For holders that outlive the list: a handle that empties when the list is destroyed.
    std::shared_ptr<ImageList*> Token() const { return alive_; }

private:
    int AddImpl(const TBitmap& bmp, bool masked, TColor transparent);
    HIMAGELIST list_ = nullptr;
    int width_ = 0, height_ = 0;
    std::shared_ptr<ImageList*> alive_ = std::make_shared<ImageList*>(this);
};

}  // namespace tk
