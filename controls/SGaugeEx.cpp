#include "controls/SGaugeEx.h"

#include "toolkit/Image.h"

#include <algorithm>
#include <cmath>

namespace {

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

BYTE Mix(BYTE a, BYTE b, int i) { return (BYTE)std::lrint(a * (255 - i) / 255.0 + b * i / 255.0); }

void FillBox(tk::TCanvas& c, tk::TColor color, int l, int t, int r, int b) {
    c.Brush.Color = color;
    c.Brush.Style = tk::BrushStyle::Solid;
    c.FillRect(RECT{l, t, r, b});
}

void Polyline3(tk::TCanvas& c, tk::TColor color, int x1, int y1, int x2, int y2, int x3, int y3) {
    c.Pen.Color = color;
    c.Pen.Width = 1;
    c.Pen.Style = tk::PenStyle::Solid;
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
    c.LineTo(x3, y3);
}

}  // namespace

void TSGauge::Create(tk::Control& parent, const tk::Ctl& p) {
    min_ = p.min;
    max_ = p.max;
    position_ = p.value < min_ ? min_ : p.value > max_ ? max_ : p.value;
    CreateCustom(parent, 0, 0, p);
    if (p.color == tk::clDefault) Color = tk::clWindow;
    UpdateBarImage();
}

LRESULT TSGauge::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE || msg == WM_SYSCOLORCHANGE) UpdateBarImage();
    return Control::WndProc(msg, wp, lp);
}

void TSGauge::SetMin(int v) {
    if (v == min_) return;
    if (position_ < v) position_ = v;
    min_ = v;
    Invalidate();
}

void TSGauge::SetMax(int v) {
    if (v == max_) return;
    if (position_ > v) position_ = v;
    max_ = v;
    Invalidate();
}

void TSGauge::SetPosition(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == position_) return;
    position_ = v;
    if (target_) {
        UpdateCells(*target_);
    } else if (Handle) {
        HDC dc = GetDC(Handle);
        tk::TCanvas c(dc);
        UpdateCells(c);
        ReleaseDC(Handle, dc);
    }
}

void TSGauge::SetKind(TSGaugeKind v) {
    if (v == kind_) return;
    kind_ = v;
    if (kind_ == gkNormal) barImage_.reset();
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetStyle(TSGaugeStyle v) {
    if (v == style_) return;
    style_ = v;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetDirection(TSGaugeDirection v) {
    if (v == direction_) return;
    direction_ = v;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetSelColor(tk::TColor v) {
    if (v == selColor_) return;
    selColor_ = v;
    if (kind_ != gkNormal) return;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetStartColor(tk::TColor v) {
    if (v == startColor_) return;
    startColor_ = v;
    if (kind_ != gkColor) return;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetEndColor(tk::TColor v) {
    if (v == endColor_) return;
    endColor_ = v;
    if (kind_ != gkColor) return;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetSel3D(bool v) {
    if (v == sel3D_) return;
    sel3D_ = v;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetCtl3D(bool v) {
    if (v == ctl3D_) return;
    ctl3D_ = v;
    UpdateBarImage();
    Invalidate();
}

void TSGauge::SetBarGraphic(const tk::TBitmap& b) {
    barGraphic_.Assign(b);
    if (kind_ != gkBitmap) return;
    UpdateBarImage();
    Invalidate();
}

// The bar area, the full bar picture in the cells' look, and the cell geometry.
void TSGauge::UpdateBarImage() {
    int iw = Handle ? ClientWidth() : 0, ih = Handle ? ClientHeight() : 0;
    if (ctl3D_) {
        iw -= 6;
        ih -= 6;
    }
    if (sel3D_) (style_ == gsHorizon ? ih : iw) -= 1;  // room for the shadow
    (style_ == gsHorizon ? iw : ih) += 1;
    if (iw < 0 || ih < 0) iw = ih = 0;

    if (kind_ != gkNormal) {
        if (!barImage_) barImage_ = std::make_unique<tk::TBitmap>();
        barImage_->SetSize(iw, ih);
        if (!barImage_->Empty()) {
            tk::TCanvas& c = barImage_->Canvas();
            if (kind_ == gkColor) {
                bool ltr = direction_ == gdLeftToRight;
                COLORREF a = tk::ColorToRGB(ltr ? startColor_ : endColor_);
                COLORREF b = tk::ColorToRGB(ltr ? endColor_ : startColor_);
                for (int i = 0; i < 256; ++i) {
                    tk::TColor band = RGB(Mix(GetRValue(a), GetRValue(b), i), Mix(GetGValue(a), GetGValue(b), i),
                                          Mix(GetBValue(a), GetBValue(b), i));
                    if (style_ == gsHorizon)
                        FillBox(c, band, iw * i / 256, 0, iw * (i + 1) / 256, ih);
                    else
                        FillBox(c, band, 0, ih * i / 256, iw, ih * (i + 1) / 256);
                }
            } else if (barGraphic_.Empty()) {
                FillBox(c, selColor_, 0, 0, iw, ih);
            } else {
                int pw = barGraphic_.Width(), ph = barGraphic_.Height();
                for (int row = 0; row < CeilDiv(ih, ph); ++row)
                    for (int col = 0; col < CeilDiv(iw, pw); ++col)
                        tk::DrawBitmap(c.Handle, RECT{col * pw, row * ph, (col + 1) * pw, (row + 1) * ph}, barGraphic_);
            }
        }
    }

    cellWidth_ = cellHeight_ = cellCount_ = 0;
    if (iw <= 0 || ih <= 0) return;
    if (style_ == gsHorizon) {
        cellHeight_ = ih;
        cellWidth_ = std::max(1, 2 * ih / 3);
        int p = cellWidth_ + 2;
        cellCount_ = CeilDiv(sel3D_ ? iw : iw + 1, p);
    } else {
        cellWidth_ = iw;
        cellHeight_ = std::max(1, 2 * iw / 3);
        int p = cellHeight_ + 2;
        cellCount_ = CeilDiv(sel3D_ ? ih : ih + 1, p);
    }
}

void TSGauge::PaintTo(tk::TCanvas& c) { Paint(c); }

void TSGauge::Paint(tk::TCanvas& c) {
    int W = ClientWidth(), H = ClientHeight();
    FillBox(c, EffectiveColor(), 0, 0, W, H);
    if (ctl3D_) {
        const int L = 0, T = 0, R = W, B = H;
        Polyline3(c, tk::clBtnShadow, L, B - 1, L, T, R, T);
        Polyline3(c, tk::SysColor(COLOR_3DDKSHADOW), L + 1, B - 2, L + 1, T + 1, R - 1, T + 1);
        Polyline3(c, tk::clBtnHighlight, L + 1, B - 1, R - 1, B - 1, R - 1, T);
        Polyline3(c, tk::SysColor(COLOR_3DLIGHT), L + 2, B - 2, R - 2, B - 2, R - 2, T + 1);
    }
    cellsDrawn_ = 0;
    UpdateCells(c);
}

// Top-left of cell i on the control and of its slice in the bar image.
void TSGauge::CellOrigin(int i, int& x, int& y, int& sx, int& sy) const {
    const int off = ctl3D_ ? 3 : 0;
    const int W = ClientWidth(), H = ClientHeight();
    const int back = sel3D_ ? 1 : 2;
    if (style_ == gsHorizon) {
        const int p = cellWidth_ + 2;
        y = off;
        sy = 0;
        if (direction_ == gdLeftToRight) {
            x = p * i + off;
            sx = x - off;
        } else {
            x = W - off - p * (i + 1) + back;
            sx = x - off + 1;
        }
    } else {
        const int p = cellHeight_ + 2;
        x = off;
        sx = 0;
        if (direction_ == gdLeftToRight) {
            y = p * i + off;
            sy = y - off;
        } else {
            y = H - off - p * (i + 1) + back;
            sy = y - off + 1;
        }
    }
}

void TSGauge::UpdateCells(tk::TCanvas& c) {
    // 64-bit: (Position - Min) * count overflows 32 bits on ranges of a few million.
    int n = 0;
    if (max_ != min_) {
        long long q = ((long long)position_ - min_) * cellCount_ / ((long long)max_ - min_);
        n = q < 0 ? 0 : q > cellCount_ ? cellCount_ : (int)q;
    }
    if (n == cellsDrawn_) return;

    const int off = ctl3D_ ? 3 : 0;
    const int W = ClientWidth(), H = ClientHeight();
    const int saved = SaveDC(c.Handle);
    IntersectClipRect(c.Handle, off - 1, off - 1, W - off + 1, H - off + 1);
    if (n > cellsDrawn_) {
        HDC src = barImage_ && !barImage_->Empty() ? barImage_->Canvas().Handle : nullptr;
        for (int i = cellsDrawn_; i < n; ++i) {
            int x, y, sx, sy;
            CellOrigin(i, x, y, sx, sy);
            if (sel3D_) FillBox(c, tk::clGray, x + 1, y + 1, x + cellWidth_ + 1, y + cellHeight_ + 1);
            if (kind_ == gkNormal)
                FillBox(c, selColor_, x, y, x + cellWidth_, y + cellHeight_);
            else if (src)
                BitBlt(c.Handle, x, y, cellWidth_, cellHeight_, src, sx, sy, SRCCOPY);
        }
    } else {
        const int drawn = cellsDrawn_;
        tk::TColor back = EffectiveColor();
        if (style_ == gsHorizon) {
            const int p = cellWidth_ + 2, w = p * (drawn - n), h = cellHeight_ + 1;
            const int x = direction_ == gdLeftToRight ? p * n + off : W - off - p * drawn;
            FillBox(c, back, x, off, x + w, off + h);
        } else {
            const int p = cellHeight_ + 2, w = cellWidth_ + 1, h = p * (drawn - n);
            const int y = direction_ == gdLeftToRight ? p * n + off : H - off - p * drawn;
            FillBox(c, back, off, y, off + w, y + h);
        }
    }
    RestoreDC(c.Handle, saved);
    cellsDrawn_ = n;
}
