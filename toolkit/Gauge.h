// A plain bar gauge: one unbroken bar filled from the left as Progress moves from MinValue to
// MaxValue, in ForeColor over BackColor inside a sunken one-pixel frame.
#pragma once
#include "toolkit/Control.h"

namespace tk {

class Gauge : public Control {
public:
    // Reads at, hint, tag, visible, enabled, min, max, value (the Progress) and color (the BackColor,
    // white when not given).
    void Create(Control& parent, const Ctl& p);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Progress() const { return progress_; }
    void SetMinValue(int v);
    void SetMaxValue(int v);
    void SetProgress(int v);  // kept inside MinValue..MaxValue

    TColor ForeColor() const { return foreColor_; }
    TColor BackColor() const { return backColor_; }
    void SetForeColor(TColor v);
    void SetBackColor(TColor v);

    // A full paint onto a canvas at least as large as the control (tests, previews).
    void PaintTo(TCanvas& c) { Paint(c); }

protected:
    void Paint(TCanvas& c) override;

private:
    void Changed();
    int min_ = 0, max_ = 100, progress_ = 0;
    TColor foreColor_ = clBlack, backColor_ = clWhite;
};

}  // namespace tk
