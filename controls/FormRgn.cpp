#include "controls/FormRgn.h"

TFormRgn::TFormRgn(tk::Control& owner) : owner_(owner.Handle) {}

TFormRgn::~TFormRgn() {
    if (IsWindow(owner_)) SetWindowRgn(owner_, nullptr, TRUE);
}

int TFormRgn::GetRgnValue(int index) const { return index >= 0 && index < 6 ? values_[index] : 0; }

void TFormRgn::SetRgnValue(int index, int value) {
    if (index < 0 || index >= 6) return;
    values_[index] = value;
    ApplyRegion();
}

void TFormRgn::SetStyle(Style s) {
    style_ = s;
    ApplyRegion();
}

void TFormRgn::SetPreview(bool v) {
    preview_ = v;
    ApplyRegion();
}

void TFormRgn::SetEnable(bool v) {
    enable_ = v;
    ApplyRegion();
}

void TFormRgn::ApplyRegion() {
    if (!IsWindow(owner_)) return;
    if (!enable_) {
        SetWindowRgn(owner_, nullptr, TRUE);
        return;
    }
    int l = values_[0], t = values_[1], r = values_[2], b = values_[3];
    HRGN rgn = style_ == rsRect        ? CreateRectRgn(l, t, r, b)
               : style_ == rsEllipse   ? CreateEllipticRgn(l, t, r, b)
                                       : CreateRoundRectRgn(l, t, r, b, values_[4], values_[5]);
    if (!rgn) return;
    // Once accepted the region belongs to the system, which frees the one it replaces.
    if (!SetWindowRgn(owner_, rgn, TRUE)) DeleteObject(rgn);
}
