// An edit box with a small button at its right end: the edit spans the width less 30 pixels,
// the 24-pixel button sits at the right, both full height (at least 24). The button's shortcut
// key, pressed in the edit, runs the button as a click would.
#pragma once
#include "toolkit/Edit.h"
#include "toolkit/Graphics.h"
#include "toolkit/Menus.h"
#include "toolkit/SpeedButton.h"

namespace tk {

class TCustomEditAndBtn : public Control {
public:
    ~TCustomEditAndBtn() override = default;
    // p.caption is the text; p.hint the edit's hint.
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange, OnButtonClick;
    std::function<void(MouseButton, int shift, int x, int y)> OnButtonMouseDown, OnButtonMouseUp;
    std::function<void(int shift, int x, int y)> OnButtonMouseMove;

    std::string Caption() const override { return edit_.Text(); }
    void SetCaption(const std::string& s) override { edit_.SetText(s); }
    bool ButtonEnabled() const { return button_.Enabled(); }
    void SetButtonEnabled(bool on) { button_.SetEnabled(on); }
    bool ButtonVisible() const { return button_.Visible(); }
    void SetButtonVisible(bool on) { button_.SetVisible(on); }
    const std::string& ButtonHint() const { return button_.Hint; }
    void SetButtonHint(const std::string& s) { button_.Hint = s; }
    TShortCut ButtonShortCut = 0;
    // The button's picture: NumGlyphs images side by side (up, disabled); the bottom-left
    // pixel is the transparent colour.
    const TBitmap& ButtonGlyph() const { return glyph_; }
    virtual void SetButtonGlyph(const TBitmap& b);
    int ButtonNumGlyphs() const { return numGlyphs_; }
    void SetButtonNumGlyphs(int n);
    bool ReadOnly() const { return edit_.ReadOnly(); }
    void SetReadOnly(bool on) { edit_.SetReadOnly(on); }
    int MaxLength() const { return edit_.MaxLength(); }
    void SetMaxLength(int n) { edit_.SetMaxLength(n); }
    void SelectAll() { edit_.SelectAll(); }

    // What the button does: fires OnButtonClick.
    virtual void ButtonClick();
    Edit& InnerEdit() { return edit_; }
    SpeedButton& InnerButton() { return button_; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    TBitmap glyph_;

private:
    void Arrange();
    void DrawGlyph(TCanvas& c, const RECT& r);
    Edit edit_;
    SpeedButton button_;
    int numGlyphs_ = 1;
};

}  // namespace tk
