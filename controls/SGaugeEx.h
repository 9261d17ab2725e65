// A segmented progress bar: a row or column of separated cells that fill from one end as Position
// moves from Min to Max. Moving Position paints only the cells that changed, straight onto the
// window, so a gauge set every second does not flicker.
#pragma once
#include <memory>

#include "toolkit/Control.h"

enum TSGaugeDirection { gdLeftToRight, gdRightToLeft };  // vertical: top to bottom, bottom to top
enum TSGaugeKind { gkNormal, gkColor, gkBitmap };
enum TSGaugeStyle { gsHorizon, gsVertical };

class TSGauge : public tk::Control {
public:
    TSGauge() = default;

    // Reads at, hint, tag, visible, enabled, align, color (clWindow when not given), min, max and
    // value (the Position).
    void Create(tk::Control& parent, const tk::Ctl& p);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);  // clamped to Min..Max; repaints only the cells that change

    TSGaugeKind Kind() const { return kind_; }
    TSGaugeStyle Style() const { return style_; }
    TSGaugeDirection Direction() const { return direction_; }
    tk::TColor SelColor() const { return selColor_; }
    tk::TColor StartColor() const { return startColor_; }
    tk::TColor EndColor() const { return endColor_; }
    bool Sel3D() const { return sel3D_; }
    bool Ctl3D() const { return ctl3D_; }
    const tk::TBitmap& BarGraphic() const { return barGraphic_; }
    void SetKind(TSGaugeKind v);
    void SetStyle(TSGaugeStyle v);
    void SetDirection(TSGaugeDirection v);
    void SetSelColor(tk::TColor v);
    void SetStartColor(tk::TColor v);
    void SetEndColor(tk::TColor v);
    void SetSel3D(bool v);
    void SetCtl3D(bool v);
    void SetBarGraphic(const tk::TBitmap& b);  // copied

    int Step = 10;  // kept for the callers; the gauge itself never reads it

    // Derived geometry, for callers that lay out around the cells.
    int CellCount() const { return cellCount_; }
    int CellsDrawn() const { return cellsDrawn_; }

    // Drawing goes to this canvas instead of the window while it is set (tests, previews); the
    // canvas must be at least as large as the control.
    void SetPaintTarget(tk::TCanvas* c) { target_ = c; }
    // A full paint onto the canvas, as a paint message would do it.
    void PaintTo(tk::TCanvas& c);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(tk::TCanvas& c) override;

private:
    void UpdateBarImage();
    void UpdateCells(tk::TCanvas& c);
    void CellOrigin(int i, int& x, int& y, int& sx, int& sy) const;

    tk::TBitmap barGraphic_;
    TSGaugeDirection direction_ = gdLeftToRight;
    tk::TColor endColor_ = 0x0000FF;
    TSGaugeKind kind_ = gkNormal;
    int max_ = 100, min_ = 0, position_ = 0;
    std::unique_ptr<tk::TBitmap> barImage_;  // exists only while Kind is not gkNormal
    bool sel3D_ = true;
    tk::TColor selColor_ = tk::clHighlight;
    tk::TColor startColor_ = 0x00FFFF;
    TSGaugeStyle style_ = gsHorizon;
    bool ctl3D_ = true;
    int cellWidth_ = 0, cellHeight_ = 0, cellCount_ = 0;
    int cellsDrawn_ = 0;
    tk::TCanvas* target_ = nullptr;
};
