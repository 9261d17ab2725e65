// Progress bar (comctl32): a position between Min and Max, moved directly or in steps.
#pragma once
#include "toolkit/Control.h"

namespace tk {

// Flags for Ctl::style.
enum ProgressFlags : int { pbSmooth = 1, pbVertical = 2 };

class ProgressBar : public Control {
public:
    // p.min, p.max and p.value (the position) give the range and the start.
    void Create(Control& parent, const Ctl& p);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v) { SetRange(v, max_); }
    void SetMax(int v) { SetRange(min_, v); }
    void SetRange(int min, int max);
    // The bar keeps the position inside the range.
    int Position() const;
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v);
    // Moves by Step; past Max the bar starts again from Min, as the control does.
    void StepIt();
    // Moves by n, stopping at the ends.
    void StepBy(int n);

private:
    int min_ = 0, max_ = 100, step_ = 10;
};

}  // namespace tk
