// A number box with up and down arrows. Value is kept within MinValue..MaxValue (no limit when
// the two are equal); OnChange fires whenever the text changes, typed, stepped or set from code.
// Text left out of range or empty is set to the nearest value when the box loses the focus; when
// the user typed it, the range is said too. A key that would take the number past the top of the
// range or past the box's length is refused, with the range said; so is a paste that would, and
// a paste that is no number is refused with a beep, as such a key is.
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
    // The user typed the text (it was not set by the program since).
    bool Typed() const { return typed_; }
    // Says the range in a box over the window ("1～9999の範囲で入力してください。"). The focus
    // going to the box is no leaving: the box that had it gets it back, its caret where it was.
    void TellRange();

    void SetCaption(const std::string& s) override;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PlaceArrows();
    // Text put in place of the selection that would leave the number above the range or the text
    // longer than the box takes.
    bool PastTheTop(const std::string& s) const;
    // Whether the clipboard's text may be pasted; refused as the same keys would be.
    bool PasteAllowed();
    HWND arrows_ = nullptr;
    bool typed_ = false;
    bool telling_ = false;  // the range box is up
};

}  // namespace tk
