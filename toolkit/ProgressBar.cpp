#include "toolkit/ProgressBar.h"

#include <commctrl.h>

namespace tk {

void ProgressBar::Create(Control& parent, const Ctl& p) {
    DWORD style = ((p.style & pbSmooth) ? PBS_SMOOTH : 0) | ((p.style & pbVertical) ? PBS_VERTICAL : 0);
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, PROGRESS_CLASSA, style, 0, q);
    SetRange(p.min, p.max);
    SendMessageA(Handle, PBM_SETSTEP, step_, 0);
    SetPosition(p.value);
}

void ProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    SendMessageA(Handle, PBM_SETRANGE32, min, max);
}

int ProgressBar::Position() const { return (int)SendMessageA(Handle, PBM_GETPOS, 0, 0); }
void ProgressBar::SetPosition(int v) { SendMessageA(Handle, PBM_SETPOS, v, 0); }

void ProgressBar::SetStep(int v) {
    step_ = v;
    SendMessageA(Handle, PBM_SETSTEP, v, 0);
}

void ProgressBar::StepIt() { SendMessageA(Handle, PBM_STEPIT, 0, 0); }
void ProgressBar::StepBy(int n) { SendMessageA(Handle, PBM_DELTAPOS, n, 0); }

}  // namespace tk
