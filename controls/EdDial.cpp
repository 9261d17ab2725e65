#include "controls/EdDial.h"

#include "toolkit/Telephony.h"

void TEditAndDial::Create(tk::Control& parent, const tk::Ctl& p) {
    TCustomEditAndBtn::Create(parent, p);
    LoadStandardGlyph();
}

void TEditAndDial::SetButtonKind(TEditAndDialBtnKind k) {
    kind_ = k;
    if (k == dkStandard) LoadStandardGlyph();
}

void TEditAndDial::SetButtonGlyphDial(const tk::TBitmap& b) {
    kind_ = dkCustom;
    TCustomEditAndBtn::SetButtonGlyph(b);
}

void TEditAndDial::LoadStandardGlyph() {
    tk::TBitmap b;
    if (!b.LoadFromResourceName(GetModuleHandleA(nullptr), "DIAL")) return;
    TCustomEditAndBtn::SetButtonGlyph(b);
    SetButtonNumGlyphs(2);
}

void TEditAndDial::DoBeforeDial(std::string& calledParty) {
    if (BeforeDial) BeforeDial(*this, calledParty);
}

void TEditAndDial::Dial() {
    TCustomEditAndBtn::ButtonClick();
    std::string party;
    DoBeforeDial(party);
    // A missing dialer fails without a word, as the system's own dial boxes do.
    tk::RequestMakeCall({Text(), "", party, ""});
}
