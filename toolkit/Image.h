// Self-painted pictures: Image shows a bitmap (stretched, centred, transparent); PaintBox leaves the
// painting to its OnPaint handler.
#pragma once
#include "toolkit/Control.h"

namespace tk {

class Image : public Control {
public:
    void Create(Control& parent, const Ctl& p);

    // The picture; change it through the calls below (or Canvas) so that the control repaints.
    const TBitmap& Picture() const { return picture_; }
    bool LoadFromFile(const std::string& path);
    bool LoadFromResourceName(HINSTANCE inst, const std::string& name);
    void Assign(const TBitmap& bmp);  // copies the pixels
    void Assign(HBITMAP h);  // takes ownership
    void Clear();
    // Drawing on the picture; an empty picture first becomes a white bitmap of the control's size.
    // Each call schedules a repaint.
    TCanvas& Canvas();

    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    // The colour of the bottom-left pixel is left out, showing the background.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

protected:
    void Paint(TCanvas& canvas) override;

private:
    void PictureChanged();
    TBitmap picture_;
    bool stretch_ = false, center_ = false, transparent_ = false, autoSize_ = false;
};

class PaintBox : public Control {
public:
    void Create(Control& parent, const Ctl& p);
    std::function<void(TCanvas&)> OnPaint;

protected:
    void Paint(TCanvas& canvas) override {
        if (OnPaint) OnPaint(canvas);
    }
};

// Draws bmp into r of dc, stretched to r; transparent leaves out the bottom-left pixel's colour.
void DrawBitmap(HDC dc, const RECT& r, const TBitmap& bmp, bool transparent = false);

}  // namespace tk
