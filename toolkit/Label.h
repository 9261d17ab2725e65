// A self-painted caption. Sizes itself to its text unless told not to; a transparent label shows
// what its parent paints underneath it.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/StdTypes.h"

namespace tk {

// Flags for Ctl::style.
enum LabelFlags : int { lsNoAutoSize = 1, lsWordWrap = 2, lsTransparent = 4, lsCenter = 8, lsRight = 16, lsNoPrefix = 32 };

class Label : public Control {
public:
    void Create(Control& parent, const Ctl& p);

    TAlignment Alignment() const { return alignment_; }
    bool AutoSize() const { return autoSize_; }
    bool WordWrap() const { return wordWrap_; }
    bool Transparent() const { return transparent_; }
    bool ShowAccelChar() const { return showAccel_; }
    void SetAlignment(TAlignment v);
    void SetAutoSize(bool v);
    void SetWordWrap(bool v);
    void SetTransparent(bool v);
    void SetShowAccelChar(bool v);
    void SetCaption(const std::string& s) override;
    // Fits the size to the caption (width and height, or only the height when wrapping).
    void AdjustSize();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    UINT TextFlags() const;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true, wordWrap_ = false, transparent_ = false, showAccel_ = true;
};

}  // namespace tk
