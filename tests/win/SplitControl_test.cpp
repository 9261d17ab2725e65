// Dragging a splitter bar with mouse messages as the window system sends them.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/SplitControl.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

// A pane with a sunken frame, so its client area lies inside its outer edge.
struct Pane : tk::Control {
    void Create(tk::Control& parent, const tk::Ctl& p) { CreateCustom(parent, 0, WS_EX_CLIENTEDGE, p); }
};

// A form with a pane and a bar next to it, wired the way the windows wire their splitters.
struct SplitForm : tk::Form {
    Pane Pane, Bar;
    TSplitControl Split{*this};
    explicit SplitForm(bool vertical) : Form({.caption = "分割", .width = 400, .height = 300}) {
        if (vertical) {
            Pane.Create(*this, {.at = {0, 0, 120, 200}});
            Bar.Create(*this, {.at = {120, 0, 6, 200}});
        } else {
            Pane.Create(*this, {.at = {0, 0, 300, 100}});
            Bar.Create(*this, {.at = {0, 100, 300, 6}});
        }
        Bar.OnMouseDown = [this](tk::MouseButton, int, int x, int y) { Split.BeginSplit(Bar, Pane, x, y); };
        Bar.OnMouseMove = [this](int, int x, int y) {
            if (Split.IsSplitting()) Split.MoveSplit(x, y);
        };
        Bar.OnMouseUp = [this](tk::MouseButton, int, int, int) {
            if (Split.IsSplitting()) Split.EndSplit();
        };
    }
    void Mouse(UINT msg, int x, int y) {
        SendMessageA(Bar.Handle, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
};

}  // namespace

TEST(SplitControl, DraggingTheBarSetsThePaneHeight) {
    SplitForm f(false);
    wintest::Pump();
    ASSERT_EQ(f.Pane.Height(), 100);
    f.Mouse(WM_LBUTTONDOWN, 50, 3);
    EXPECT_TRUE(f.Split.IsSplitting());
    EXPECT_EQ(GetCapture(), f.Bar.Handle);
    f.Mouse(WM_MOUSEMOVE, 60, 20);
    f.Mouse(WM_MOUSEMOVE, 70, 43);  // 40 pixels below the grab point
    f.Mouse(WM_LBUTTONUP, 70, 43);
    EXPECT_FALSE(f.Split.IsSplitting());
    EXPECT_EQ(GetCapture(), (HWND) nullptr);
    EXPECT_EQ(f.Pane.Height(), 140);
    EXPECT_EQ(f.Pane.Width(), 300);  // only the height follows a horizontal bar

    // Upwards, grabbed near the bar's bottom edge.
    f.Bar.SetTop(140);
    f.Mouse(WM_LBUTTONDOWN, 10, 5);
    f.Mouse(WM_MOUSEMOVE, 10, -55);
    f.Mouse(WM_LBUTTONUP, 10, -55);
    EXPECT_EQ(f.Pane.Height(), 80);
}

TEST(SplitControl, AClickWithoutMovingLeavesThePaneAsItIs) {
    SplitForm f(false);
    wintest::Pump();
    for (int i = 0; i < 3; ++i) {
        f.Mouse(WM_LBUTTONDOWN, 150, 2);
        f.Mouse(WM_LBUTTONUP, 150, 2);
        EXPECT_EQ(f.Pane.Height(), 100);  // framed pane: no creeping by its border either
    }
    // A move that comes back to the grab point is no change either.
    f.Mouse(WM_LBUTTONDOWN, 150, 4);
    f.Mouse(WM_MOUSEMOVE, 150, 30);
    f.Mouse(WM_MOUSEMOVE, 150, 4);
    f.Mouse(WM_LBUTTONUP, 150, 4);
    EXPECT_EQ(f.Pane.Height(), 100);
}

TEST(SplitControl, AnUprightBarSetsThePaneWidth) {
    SplitForm f(true);
    wintest::Pump();
    f.Mouse(WM_LBUTTONDOWN, 3, 80);
    f.Mouse(WM_LBUTTONUP, 3, 80);
    EXPECT_EQ(f.Pane.Width(), 120);
    f.Mouse(WM_LBUTTONDOWN, 3, 80);
    f.Mouse(WM_MOUSEMOVE, 33, 90);
    f.Mouse(WM_LBUTTONUP, 33, 90);
    EXPECT_EQ(f.Pane.Width(), 150);
    EXPECT_EQ(f.Pane.Height(), 200);
}
