// Tool-bar buttons that never take the focus, so the text they format keeps its selection.
// A button with a GroupIndex stays down when clicked; of the buttons with the same GroupIndex
// and parent one is down at a time, and with AllowAllUp a click on the down one lets it up.
// Setting Down from code fires nothing. Flat buttons show their edge only under the mouse.
#pragma once
#include "toolkit/Control.h"

namespace tk {

// Flags for Ctl::style; Ctl::value is the GroupIndex.
enum SpeedButtonFlags : int { sbAllowAllUp = 1, sbFlat = 2, sbDown = 4 };

class SpeedButton : public Control {
public:
    void Create(Control& parent, const Ctl& p);

    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool Flat = false;
    bool Down() const { return down_; }
    void SetDown(bool v);
    // Draws the button's picture inside r in ink (the text colour of the state); without it the
    // caption is drawn in the button's font.
    std::function<void(TCanvas&, const RECT& r, TColor ink)> OnDrawGlyph;
    // What a click does: the Down rules, then OnClick.
    void Click();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    bool down_ = false, pressed_ = false, hot_ = false;
};

}  // namespace tk
