// Push buttons. A button's ModalResult ends the modal run of its form when clicked; Default and
// Cancel buttons answer Enter and Escape anywhere on their form. BitBtn adds a glyph beside the
// caption and stock kinds (OK, Cancel, Yes, ...) with their glyph, caption and result.
#pragma once
#include <memory>

#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace tk {

// Flags for Ctl::style (with a BitBtn's kind: .style = bkOK | btCancel).
enum ButtonFlags : int { btDefault = 0x100, btCancel = 0x200 };

class Button : public Control {
public:
    ~Button() override;
    void Create(Control& parent, const Ctl& p);

    int ModalResult = mrNone;
    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    void SetDefault(bool v);
    void SetCancel(bool v);
    // What a click does: the form's modal result, then OnClick.
    virtual void Click();
    // The form this button lies on, or nullptr.
    Form* ParentForm() const;

    bool HandleCommand(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateButton(Control& parent, const Ctl& p, DWORD style);
    bool default_ = false, cancel_ = false;

private:
    void HookForm();
    std::shared_ptr<Button*> self_;  // cleared on destruction; the form's key hook checks it
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
constexpr int mrAll = 8;

class BitBtn : public Button {
public:
    enum Layout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

    // Ctl::style: a TBitBtnKind, optionally with btDefault/btCancel.
    void Create(Control& parent, const Ctl& p);

    TBitBtnKind Kind() const { return kind_; }
    // A stock kind brings its glyph, its caption (when none is set) and its ModalResult.
    void SetKind(TBitBtnKind k);
    // The glyph: NumGlyphs images side by side (up, disabled, down); its bottom-left pixel is
    // the transparent colour.
    const TBitmap& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap& b);
    void SetGlyph(HBITMAP h);  // takes ownership
    bool LoadGlyph(HINSTANCE inst, const std::string& resource);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    Layout GlyphLayout() const { return layout_; }
    void SetLayout(Layout l);
    int Margin = -1;  // -1: glyph and caption centred together
    int Spacing = 4;

    void Click() override;
    bool HandleDrawItem(DRAWITEMSTRUCT* di) override;

private:
    const TBitmap* ShownGlyph();
    TBitBtnKind kind_ = bkCustom;
    TBitmap glyph_, stock_;
    int numGlyphs_ = 1;
    Layout layout_ = blGlyphLeft;
};

// The stock glyph of a kind (16 x 16, transparent colour in the bottom-left pixel).
void DrawStockGlyph(TBitBtnKind kind, TBitmap& out);

}  // namespace tk
