#include "controls/SplitControl.h"

#include "toolkit/Cursor.h"

TSplitControl::~TSplitControl() {
    if (dc_) ReleaseDC(form_.Handle, dc_);
    if (pen_) DeleteObject(pen_);
}

POINT TSplitControl::MapFromSplitter(POINT p, HWND to) const {
    ClientToScreen(splitter_->Handle, &p);
    ScreenToClient(to, &p);
    return p;
}

void TSplitControl::BeginSplit(tk::Control& splitter, tk::Control& target, int x, int y) {
    if (IsSplitting()) EndSplit();
    splitter_ = &splitter;
    target_ = &target;
    SetCapture(splitter.Handle);
    horizontal_ = splitter.Width() > splitter.Height();
    // The line starts on the bar's outer edge (its client area may lie inside a frame) and moves
    // by as much as the mouse does, so a click without a move leaves the pane as it is.
    RECT wr;
    GetWindowRect(splitter.Handle, &wr);
    POINT origin{wr.left, wr.top};
    ScreenToClient(splitter.Handle, &origin);
    originX_ = x_ = origin.x;
    originY_ = y_ = origin.y;
    grabX_ = x;
    grabY_ = y;
    dc_ = GetDCEx(form_.Handle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    pen_ = CreatePen(PS_SOLID, horizontal_ ? splitter.Height() : splitter.Width(), RGB(255, 255, 255));
    DrawLine();
}

void TSplitControl::DrawLine() {
    if (!dc_ || !splitter_) return;
    // Drawn with XOR: drawing the same line twice restores the window.
    int oldRop = SetROP2(dc_, R2_XORPEN);
    HGDIOBJ oldPen = SelectObject(dc_, pen_);
    int w = splitter_->Width(), h = splitter_->Height();
    POINT p, q;
    // Centred on the bar, so the wide pen covers it.
    if (horizontal_) {
        p = MapFromSplitter({x_, y_ + h / 2}, form_.Handle);
        q = MapFromSplitter({originX_ + w, 0}, form_.Handle);
        MoveToEx(dc_, p.x, p.y, nullptr);
        LineTo(dc_, q.x, p.y);
    } else {
        p = MapFromSplitter({x_ + w / 2, y_}, form_.Handle);
        q = MapFromSplitter({0, originY_ + h}, form_.Handle);
        MoveToEx(dc_, p.x, p.y, nullptr);
        LineTo(dc_, p.x, q.y);
    }
    SelectObject(dc_, oldPen);
    SetROP2(dc_, oldRop);
}

void TSplitControl::MoveSplit(int x, int y) {
    if (!IsSplitting()) return;
    DrawLine();
    if (horizontal_) y_ = originY_ + y - grabY_;
    else x_ = originX_ + x - grabX_;
    DrawLine();
}

void TSplitControl::EndSplit() {
    if (!IsSplitting()) return;
    DrawLine();
    // Relative to the target's outer edge, so a framed pane keeps its size on a click.
    POINT r{x_, y_};
    ClientToScreen(splitter_->Handle, &r);
    RECT tr;
    GetWindowRect(target_->Handle, &tr);
    r.x -= tr.left;
    r.y -= tr.top;
    HWND captured = splitter_->Handle;
    splitter_ = nullptr;
    if (GetCapture() == captured) ReleaseCapture();
    ReleaseDC(form_.Handle, dc_);
    dc_ = nullptr;
    DeleteObject(pen_);
    pen_ = nullptr;
    tk::Control* target = target_;
    target_ = nullptr;
    if (horizontal_) target->SetHeight(r.y);
    else target->SetWidth(r.x);
}

LRESULT TSplitBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETCURSOR && LOWORD(lp) == HTCLIENT && !tk::BusyCursorShown()) {
        // A bar standing upright sits between side-by-side panes.
        SetCursor(LoadCursor(nullptr, Height() > Width() ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    }
    return Panel::WndProc(msg, wp, lp);
}
