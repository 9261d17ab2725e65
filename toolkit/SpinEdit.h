// A number box with up and down arrows. Value is kept within MinValue..MaxValue (no limit when
// the two are equal). OnChange fires when the text is stepped or set from code, and while the
// user types only when the text is a value of the range: a number half typed or out of range is
// none yet, so Value stays the last one reported and nothing shows a value from it. Leaving the
// box puts back that value, saying the range unless it was said for this mistake already (empty
// text goes back without a word); text the program set out of range is pulled in on leaving. A
// key that would take the number past the top of the range or past the box's length is refused,
// with the range said; so is a paste that would, and a paste that is no number is refused with a
// beep, as such a key is.
#pragma once
#include "toolkit/Edit.h"

namespace tk {

class SpinEdit : public Edit {
public:
    // p.min, p.max and p.value give MinValue, MaxValue and the first Value.
    void Create(Control& parent, const Ctl& p);

    int MinValue = 0, MaxValue = 100;
    int Increment = 1;
    // The number shown, brought into range; text that is no number counts as MinValue. Text the
    // user is typing that is no value of the range yet gives the value last reported.
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

    bool HandleCommand(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PlaceArrows();
    // Text put in place of the selection that would leave the number above the range or the text
    // longer than the box takes.
    bool PastTheTop(const std::string& s) const;
    // Whether the clipboard's text may be pasted; refused as the same keys would be.
    bool PasteAllowed();
    // The text is a number within the range.
    bool InRange(const std::string& text) const;
    int ValueOf(const std::string& text) const;
    HWND arrows_ = nullptr;
    bool typed_ = false;
    bool telling_ = false;  // the range box is up
    bool told_ = false;     // the range was said since the text last was a value of it
};

}  // namespace tk
