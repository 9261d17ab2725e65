// Gives the owner window a rectangular, rounded or elliptic shape.
// Every setter re-applies the shape, also when the value is unchanged.
#pragma once
#include <windows.h>

#include "toolkit/Control.h"

class TFormRgn {
public:
    enum Style { rsRect, rsRoundRect, rsEllipse };

    // The owner's window must exist; its shape follows the properties from here on.
    explicit TFormRgn(tk::Control& owner);
    ~TFormRgn();  // removes the shape
    TFormRgn(const TFormRgn&) = delete;
    TFormRgn& operator=(const TFormRgn&) = delete;

    int Tag = 0;

    // Index 0..5: RgnLeft, RgnTop, RgnRight, RgnBottom, RgnWidth, RgnHeight.
    int GetRgnValue(int index) const;
    void SetRgnValue(int index, int value);
    int RgnLeft() const { return values_[0]; }
    int RgnTop() const { return values_[1]; }
    int RgnRight() const { return values_[2]; }
    int RgnBottom() const { return values_[3]; }
    int RgnWidth() const { return values_[4]; }
    int RgnHeight() const { return values_[5]; }
    void SetRgnLeft(int v) { SetRgnValue(0, v); }
    void SetRgnTop(int v) { SetRgnValue(1, v); }
    void SetRgnRight(int v) { SetRgnValue(2, v); }
    void SetRgnBottom(int v) { SetRgnValue(3, v); }
    void SetRgnWidth(int v) { SetRgnValue(4, v); }
    void SetRgnHeight(int v) { SetRgnValue(5, v); }

    Style GetStyle() const { return style_; }
    void SetStyle(Style s);
    bool Preview() const { return preview_; }
    void SetPreview(bool v);  // kept for stored windows; there is no designer here
    bool Enable() const { return enable_; }
    void SetEnable(bool v);

    void ApplyRegion();

private:
    HWND owner_;
    int values_[6] = {0, 0, 400, 300, 30, 30};
    Style style_ = rsRoundRect;
    bool preview_ = false;
    bool enable_ = true;
};

