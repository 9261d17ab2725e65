#include "toolkit/Gauge.h"

namespace tk {

void Gauge::Create(Control& parent, const Ctl& p) {
    min_ = p.min;
    max_ = p.max < p.min ? p.min : p.max;
    progress_ = p.value < min_ ? min_ : p.value > max_ ? max_ : p.value;
    if (p.color != clDefault) backColor_ = p.color;
    CreateCustom(parent, 0, 0, p);
}

// Drawn at once (double-buffered), so a gauge set every second does not flicker.
void Gauge::Changed() { Refresh(); }

void Gauge::SetMinValue(int v) {
    if (v == min_) return;
    min_ = v;
    if (max_ < v) max_ = v;
    if (progress_ < v) progress_ = v;
    Changed();
}

void Gauge::SetMaxValue(int v) {
    if (v == max_) return;
    max_ = v;
    if (min_ > v) min_ = v;
    if (progress_ > v) progress_ = v;
    Changed();
}

void Gauge::SetProgress(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == progress_) return;
    progress_ = v;
    Changed();
}

void Gauge::SetForeColor(TColor v) {
    if (v == foreColor_) return;
    foreColor_ = v;
    Changed();
}

void Gauge::SetBackColor(TColor v) {
    if (v == backColor_) return;
    backColor_ = v;
    Changed();
}

void Gauge::Paint(TCanvas& c) {
    const int W = ClientWidth(), H = ClientHeight();
    c.Pen.Width = 1;
    c.Pen.Style = PenStyle::Solid;
    c.Pen.Color = clBtnShadow;
    c.MoveTo(0, H - 1);
    c.LineTo(0, 0);
    c.LineTo(W, 0);
    c.Pen.Color = clBtnHighlight;
    c.MoveTo(W - 1, 1);
    c.LineTo(W - 1, H - 1);
    c.LineTo(0, H - 1);
    if (W <= 2 || H <= 2) return;
    // 64-bit: the span times the width overflows 32 bits on ranges of a few million.
    long long span = (long long)max_ - min_;
    int inner = W - 2;
    int filled = span > 0 ? (int)(((long long)progress_ - min_) * inner / span) : 0;
    c.Brush.Style = BrushStyle::Solid;
    c.Brush.Color = foreColor_;
    if (filled > 0) c.FillRect(RECT{1, 1, 1 + filled, H - 1});
    c.Brush.Color = backColor_;
    if (filled < inner) c.FillRect(RECT{1 + filled, 1, W - 1, H - 1});
}

}  // namespace tk
