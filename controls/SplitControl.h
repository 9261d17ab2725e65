// Dragging a bar between two panes: while the button is held an inverting line follows the
// mouse over the form; on release the pane next to the bar takes the new height or width.
#pragma once
#include <windows.h>

#include "toolkit/Control.h"
#include "toolkit/Panel.h"

class TSplitControl {
public:
    explicit TSplitControl(tk::Control& ownerForm) : form_(ownerForm) {}
    ~TSplitControl();
    TSplitControl(const TSplitControl&) = delete;
    TSplitControl& operator=(const TSplitControl&) = delete;

    bool IsSplitting() const { return splitter_ != nullptr; }
    // From the splitter's mouse-down handler; x, y is where the bar was grabbed (its client
    // co-ordinates), so the line and the result follow the bar's edge, not the grab point.
    void BeginSplit(tk::Control& splitter, tk::Control& target, int x = 0, int y = 0);
    // From the splitter's mouse-move handler while splitting (splitter client co-ordinates).
    void MoveSplit(int x, int y);
    // From the splitter's mouse-up handler while splitting.
    void EndSplit();

private:
    void DrawLine();
    POINT MapFromSplitter(POINT p, HWND to) const;

    tk::Control& form_;
    tk::Control* splitter_ = nullptr;
    tk::Control* target_ = nullptr;
    bool horizontal_ = false;
    int x_ = 0, y_ = 0;              // line position in the splitter's client co-ordinates
    int originX_ = 0, originY_ = 0;  // the bar's outer top-left corner, in the same
    int grabX_ = 0, grabY_ = 0;      // where the bar was grabbed
    HDC dc_ = nullptr;
    HPEN pen_ = nullptr;
};

// A bar between two panes: a panel that shows the up-down sizing cursor, or the left-right one
// when it stands upright (unless the program is busy).
struct TSplitBar : tk::Panel {
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};
