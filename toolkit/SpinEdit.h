// A number box with up and down arrows. Value is kept within MinValue..MaxValue (no limit when
// the two are equal); OnChange fires whenever the text changes, typed, stepped or set from code.
// Text left out of range or empty is set to the nearest value when the box loses the focus.
#pragma once
#include "toolkit/Edit.h"

namespace tk {

class SpinEdit : public Edit {
public:
    // p.min, p.max and p.value give MinValue, MaxValue and the first Value.
    void Create(Control& parent, const Ctl& p);

    int MinValue = 0, MaxValue = 100;
    int Increment = 1;
    // The number shown, brought into range; text that is no number counts as MinValue.
    int Value() const;
    void SetValue(int v);
    void Step(int times);  // Value + times * Increment
    int Clamp(int v) const;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PlaceArrows();
    HWND arrows_ = nullptr;
};

}  // namespace tk
