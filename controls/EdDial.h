// The phone-number field: an edit with a dial button that hands the number to the system's
// dialer. BeforeDial names the called party just before the request goes out.
#pragma once
#include <functional>
#include <string>

#include "toolkit/EditAndBtn.h"

enum TEditAndDialBtnKind { dkCustom, dkStandard };
using TBeforeDialEvent = std::function<void(tk::Control& sender, std::string& calledParty)>;

class TEditAndDial : public tk::TCustomEditAndBtn {
public:
    // Created with the standard glyph (the bitmap resource "DIAL", two images).
    void Create(tk::Control& parent, const tk::Ctl& p);

    TBeforeDialEvent BeforeDial;

    TEditAndDialBtnKind ButtonKind() const { return kind_; }
    void SetButtonKind(TEditAndDialBtnKind k);
    // A glyph of one's own makes the kind dkCustom.
    void SetButtonGlyphDial(const tk::TBitmap& b);
    void SetButtonGlyph(const tk::TBitmap& b) override { SetButtonGlyphDial(b); }

    // The button: fires OnButtonClick, then BeforeDial, then asks the dialer for the call.
    void ButtonClick() override { Dial(); }
    void Dial();

protected:
    virtual void LoadStandardGlyph();
    virtual void DoBeforeDial(std::string& calledParty);

private:
    TEditAndDialBtnKind kind_ = dkStandard;
};
