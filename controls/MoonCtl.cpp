#include "controls/MoonCtl.h"

namespace moon {

void TMoon::Create(tk::Control& parent, const tk::Ctl& p) {
    const TMoonSizeRow& row = MoonSizeRow(moonSize_);
    tk::Ctl q = p;
    q.at.width = row.Width;
    q.at.height = row.Height;
    Image::Create(parent, q);
    SetDate(rtl::Now());
    dateStored_ = false;
}

void TMoon::SetMoonSize(TMoonSize v) {
    if (v == moonSize_) return;
    moonSize_ = v;
    const TMoonSizeRow& row = MoonSizeRow(v);
    if (Handle) SetBounds(Left(), Top(), row.Width, row.Height);
    workLoaded_ = false;
    ReloadPicture();
}

void TMoon::SetDate(rtl::TDateTime t) {
    if (t == date_ && workLoaded_) return;
    date_ = t;
    phase_ = MoonPicturePhase(t);
    ReloadPicture();
    dateStored_ = true;
}

// Starts again from the full Moon of the current size, then shades it.
void TMoon::ReloadPicture() {
    if (!workLoaded_) {
        if (!work_.LoadFromResourceName(GetModuleHandleA(nullptr), MoonSizeRow(moonSize_).Resource)) work_.Clear();
        workLoaded_ = true;
    }
    Assign(work_);  // a missing resource leaves an empty picture
    pictureWidth_ = Picture().Width();
    pictureHeight_ = Picture().Height();
    PaintShadow();
}

void TMoon::PaintShadow() {
    if (Picture().Empty()) return;
    tk::TCanvas& c = Canvas();
    c.Brush.Color = tk::clBlack;
    c.Pen = tk::TPen{};  // black, one pixel
    for (const TShadowLine& l : MoonShadowLines(MoonSizeRow(moonSize_), phase_)) {
        c.MoveTo(l.XFrom, l.Y);
        c.LineTo(l.XTo, l.Y);
    }
}

}  // namespace moon
