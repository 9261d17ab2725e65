// A bevelled box, frame or line. Only the drawn lines belong to its window, so controls lying
// inside a box or frame stay visible and clickable whatever their order.
#pragma once
#include "toolkit/Control.h"

namespace tk {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// Ctl::style = shape, plus bevRaised for a raised bevel.
enum BevelFlags : int { bevRaised = 0x100 };

class Bevel : public Control {
public:
    void Create(Control& parent, const Ctl& p);
    TBevelShape Shape() const { return shape_; }
    TBevelStyle Style() const { return style_; }
    void SetShape(TBevelShape v);
    void SetStyle(TBevelStyle v);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    void UpdateRegion();
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

}  // namespace tk
