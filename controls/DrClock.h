// An analogue clock that runs by itself: painting draws the face, a timer of its own moves the
// hands once a second. Also the free-resources and free-memory figures of the status bar.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Timer.h"
#include "toolkit/rtl/Real48.h"

enum TDRBorder { boNone, boSingle, boRaised, boLowered };

class TDRClock : public tk::Control {
public:
    TDRClock() = default;

    // Reads at (200 x 200 when no size is given), hint, tag, visible, align, color (navy when not
    // given) and font (white text when not given). The clock starts running at once.
    void Create(tk::Control& parent, const tk::Ctl& p);

    TDRBorder Border() const { return border_; }
    tk::TColor PointerColor() const { return pointerColor_; }  // hour and minute hands
    tk::TColor SecondsColor() const { return secondsColor_; }
    tk::TColor ScaleColor() const { return scaleColor_; }
    bool DisplayText() const { return displayText_; }      // hour numbers on the face
    bool DisplayPoints() const { return displayPoints_; }  // dots instead of hour lines
    void SetBorder(TDRBorder v);
    void SetPointerColor(tk::TColor v);
    void SetSecondsColor(tk::TColor v);
    void SetScaleColor(tk::TColor v);
    void SetDisplayText(bool v);
    void SetDisplayPoints(bool v);
    // The clock's own Enabled: False stops the hands where they are (the window stays usable).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    // The timer's handler: moves the hands when the second has changed.
    void TimerTick();

    // Where the hands of that time point, with the geometry of the last paint.
    struct THands {
        POINT Second, Minute, Hour;
    };
    THands HandTips(int hour, int minute, int second);
    int Radius() const { return radius_; }
    POINT Centre() const { return {centreX_, centreY_}; }

    // Face and hands go to this canvas instead of the window while it is set (tests, previews).
    void SetPaintTarget(tk::TCanvas* c) { target_ = c; }
    // The face onto the canvas, as a paint message would draw it.
    void PaintTo(tk::TCanvas& c);

protected:
    void Paint(tk::TCanvas& c) override;

private:
    POINT DialPoint(long double degrees, long double fraction);
    void ChooseFractions();

    struct TSmallPoint {
        int16_t x = 0, y = 0;
    };
    TSmallPoint secondTip_, minuteTip_, hourTip_;
    int16_t lastMinute_ = 0, lastSecond_ = 0;
    int16_t hour_ = 0, minute_ = 0, second_ = 0, millisecond_ = 0;
    tk::Timer timer_;  // the first tick comes at once, every later one after 990 ms
    TDRBorder border_ = boLowered;
    bool enabled_ = true;
    bool displayPoints_ = false;
    bool displayText_ = true;
    int hourWidth_ = 2, minuteWidth_ = 2;
    int centreX_ = 0, centreY_ = 0;
    int tipX_ = 0, tipY_ = 0;
    int capRadius_ = 0;
    int radius_ = 0;
    tk::TColor scaleColor_ = tk::clWhite, secondsColor_ = tk::clRed, pointerColor_ = tk::clYellow;
    rtl::Real48 angle_;
    rtl::Real48 minuteLength_, hourLength_, scaleRadius_, hourLineEnd_, numberRadius_;
    tk::TCanvas* target_ = nullptr;
};

// Percentage of the GDI (kind 0) or USER (kind 1) resources that is free, from the 16-bit USER
// module's own query where the system still runs 16-bit code (Wine does). Where it cannot be made
// (no 16-bit subsystem, as on 64-bit Windows) the figure is this process's GDI or USER object
// count against the per-process quota of 10,000 objects instead.
uint16_t GetFreeSystemResources(uint8_t kind);
enum class TResourceSource { Query16, ObjectCount };
// Which of the two answered the last GetFreeSystemResources.
TResourceSource LastResourceSource();
// The status-bar texts: "G:n% U:n%" from the query above, and "nK(n%)": available physical memory
// in KB and the free share of memory (100 - memory load) from GlobalMemoryStatus.
std::string FreeResourcesText();
std::string FreeMemoryText();
// Tests give the object count per kind; an empty function restores the system's.
void SetGuiObjectCountForTest(std::function<unsigned long(int kind)> count);
// Tests name another 16-bit module to load (one without the query, or none) to see the fallback;
// an empty name restores "USER.EXE".
void SetResourceModuleForTest(const std::string& module);
