// Panels and bevels: children inside a panel hear their notifications, sit inside its bevels
// and follow its alignment; the edges are painted; a bevel frame hides nothing inside it.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/WinTest.h"
#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace {

COLORREF WindowPixel(HWND h, int x, int y) {
    HDC dc = GetWindowDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

COLORREF ClientPixel(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

}  // namespace

TEST(TkPanel, ChildrenInNestedPanelsHearTheirNotifications) {
    tk::Form f({.caption = "入れ子"});
    tk::Panel outer, inner;
    tk::Button button;
    tk::Edit edit;
    tk::CheckBox check;
    outer.Create(f, {.at = {0, 0, 300, 200}});
    inner.Create(outer, {.at = {10, 10, 250, 150}, .caption = "中"});
    button.Create(inner, {.at = {8, 8, 80, 25}, .caption = "押す"});
    edit.Create(inner, {.at = {8, 40, 100, 22}});
    check.Create(inner, {.at = {8, 70, 100, 20}, .caption = "選ぶ"});
    int clicks = 0, changes = 0, checks = 0;
    button.OnClick = [&] { ++clicks; };
    edit.OnChange = [&] { ++changes; };
    check.OnClick = [&] { ++checks; };
    SendMessageA(button.Handle, BM_CLICK, 0, 0);
    SendMessageA(edit.Handle, WM_CHAR, 'a', 1);
    SendMessageA(check.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(GetWindowLongA(inner.Handle, GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongA(inner.Handle, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(TkPanel, ClientAreaLiesInsideTheBevelsAndAlignedChildrenFollow) {
    tk::Form f({.caption = "枠"});
    tk::Panel p, child;
    p.Create(f, {.at = {0, 0, 200, 100}, .style = tk::pnInnerLowered});
    p.SetBevelWidth(2);
    p.SetBorderWidth(3);
    child.Create(p, {.align = tk::Align::Client});
    EXPECT_EQ(p.ClientWidth(), 200 - 2 * (2 + 3 + 2));
    EXPECT_EQ(p.ClientHeight(), 100 - 2 * 7);
    EXPECT_EQ(child.Width(), p.ClientWidth());
    EXPECT_EQ(child.Height(), p.ClientHeight());
    p.SetBevelOuter(tk::bvNone);
    EXPECT_EQ(p.ClientWidth(), 200 - 2 * 5);
    EXPECT_EQ(child.Width(), 190);
    p.SetBorderStyle(tk::bsSingle);
    EXPECT_EQ(p.ClientWidth(), 190 - 2 * GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(child.Width(), p.ClientWidth());
    // The edges answer the mouse as the panel itself.
    POINT corner{1, 1};
    ClientToScreen(f.Handle, &corner);
    EXPECT_EQ(SendMessageA(p.Handle, WM_NCHITTEST, 0, MAKELPARAM(corner.x + GetSystemMetrics(SM_CXEDGE), corner.y + 3)),
              HTCLIENT);
}

TEST(TkPanel, EdgesCaptionAndColourArePainted) {
    tk::Form f({.caption = "色", .width = 300, .height = 200});
    tk::Panel p;
    p.Create(f, {.at = {10, 10, 200, 60}, .caption = "ＭＭＭＭ", .color = tk::clAqua,
                 .font = tk::TFont{.Size = 14, .Color = tk::clRed}});
    f.Show();
    wintest::Pump();
    RedrawWindow(p.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(p.Handle, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));  // raised
    EXPECT_EQ(WindowPixel(p.Handle, 199, 59), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ClientPixel(p.Handle, 2, 2), RGB(0, 255, 255));
    int red = 0;
    for (int x = 0; x < p.ClientWidth(); ++x)
        if (ClientPixel(p.Handle, x, p.ClientHeight() / 2) == RGB(255, 0, 0)) ++red;
    EXPECT_GT(red, 8);  // the caption, across the middle line
    p.SetBevelOuter(tk::bvLowered);
    RedrawWindow(p.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(p.Handle, 0, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST(TkBevel, AFrameHidesNothingInsideIt) {
    tk::Form f({.caption = "枠", .left = 0, .top = 0, .width = 300, .height = 200});
    tk::Bevel frame;
    tk::Button inside;
    frame.Create(f, {.at = {10, 10, 200, 100}, .style = tk::bsFrame});  // made first: above later siblings
    inside.Create(f, {.at = {50, 40, 80, 25}, .caption = "中"});
    f.Show();
    f.BringForward();
    wintest::Pump();
    POINT p{90, 52};
    ClientToScreen(f.Handle, &p);
    EXPECT_EQ(WindowFromPoint(p), inside.Handle);
    UpdateWindow(frame.Handle);
    EXPECT_EQ(ClientPixel(frame.Handle, 0, 0), GetSysColor(COLOR_BTNSHADOW));  // lowered: dark line outside
    EXPECT_EQ(ClientPixel(frame.Handle, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
}
