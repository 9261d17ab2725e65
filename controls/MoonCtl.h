// The moon picture of the clock page: the full Moon from the executable's bitmaps with the unlit
// part painted over for the instant in Date (Universal Time).
#pragma once
#include "calendar/moon.h"
#include "toolkit/Image.h"

namespace moon {

class TMoon : public tk::Image {
public:
    TMoon() = default;

    // Reads at (left and top; the size comes from MoonSize), hint, tag, visible and align. The
    // picture shows the present moment until Date is written.
    void Create(tk::Control& parent, const tk::Ctl& p);

    TMoonSize MoonSize() const { return moonSize_; }
    void SetMoonSize(TMoonSize v);  // resizes the control to the picture and redraws
    rtl::TDateTime Date() const { return date_; }
    void SetDate(rtl::TDateTime t);  // recomputes the phase and redraws
    bool DateStored() const { return dateStored_; }  // Date was written after creation
    long double Phase() const { return phase_; }    // below 180 while waxing, above while waning

    // The picture onto the canvas, as a paint message would draw it.
    void PaintTo(tk::TCanvas& c) { Paint(c); }

private:
    void ReloadPicture();
    void PaintShadow();

    tk::TBitmap work_;  // the size's bitmap as loaded; each redraw starts from it
    int pictureWidth_ = 0, pictureHeight_ = 0;
    TMoonSize moonSize_ = ms64;
    long double phase_ = 0;
    rtl::TDateTime date_ = 0;
    bool dateStored_ = false;
    bool workLoaded_ = false;
};

}  // namespace moon
