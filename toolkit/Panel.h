// A self-painted container with a caption and bevelled edges. The edges lie outside the client
// area, so children placed at (0, 0) or aligned to the panel sit inside the bevels.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/StdTypes.h"

namespace tk {

// Flags for Ctl::style; without them a panel has a raised outer bevel and a centred caption.
enum PanelFlags : int {
    pnOuterLowered = 1, pnOuterNone = 2, pnInnerRaised = 4, pnInnerLowered = 8,
    pnBorderSingle = 16, pnCaptionLeft = 32, pnCaptionRight = 64,
};

class Panel : public Control {
public:
    void Create(Control& parent, const Ctl& p);

    TBevelCut BevelOuter() const { return outer_; }
    TBevelCut BevelInner() const { return inner_; }
    int BevelWidth() const { return bevelWidth_; }
    int BorderWidth() const { return borderWidth_; }
    TBorderStyle BorderStyle() const { return border_; }
    TAlignment Alignment() const { return alignment_; }
    void SetBevelOuter(TBevelCut v);
    void SetBevelInner(TBevelCut v);
    void SetBevelWidth(int v);
    void SetBorderWidth(int v);
    void SetBorderStyle(TBorderStyle v);
    void SetAlignment(TAlignment v);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    int Inset() const;  // width of the bevels and the border gap around the client area
    void FrameChanged();
    void PaintEdges();
    TBevelCut outer_ = bvRaised, inner_ = bvNone;
    int bevelWidth_ = 1, borderWidth_ = 0;
    TBorderStyle border_ = bsNone;
    TAlignment alignment_ = taCenter;
};

// Draws a bevel of the given width just inside r and shrinks r by it.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width);

}  // namespace tk
