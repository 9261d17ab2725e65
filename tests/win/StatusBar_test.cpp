// The status bar: panel texts and edges, the simple panel, and its place at the bottom.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/StatusBar.h"

namespace {

// (Wine's SB_GETTEXTLENGTHA counts characters, not bytes: read into a roomy buffer instead.)
std::string PartText(const tk::StatusBar& sb, int i) {
    char buf[512] = {};
    SendMessageA(sb.Handle, SB_GETTEXTA, i, (LPARAM)buf);
    return buf;
}

std::vector<int> Edges(const tk::StatusBar& sb) {
    int e[16];
    int n = (int)SendMessageA(sb.Handle, SB_GETPARTS, 16, (LPARAM)e);
    return std::vector<int>(e, e + n);
}

}  // namespace

TEST(TkStatusBar, PanelsShowTheirTextsAndTheLastReachesTheEdge) {
    tk::Form f({.caption = "status", .width = 400, .height = 200});
    tk::StatusBar sb;
    sb.Create(f, {.items = {"2000年1月1日", "大安"}});
    EXPECT_EQ(sb.Panels.Count(), 2);
    sb.Panels.Add("ｽｹｼﾞｭｰﾙの一覧です。", 80);
    EXPECT_EQ(Edges(sb), (std::vector<int>{100, 200, -1}));
    EXPECT_EQ(PartText(sb, 0), "2000年1月1日");
    EXPECT_EQ(PartText(sb, 2), "ｽｹｼﾞｭｰﾙの一覧です。");
    sb.Panels[0].SetWidth(150);
    sb.Panels[1].SetText("仏滅");
    EXPECT_EQ(Edges(sb), (std::vector<int>{150, 250, -1}));
    EXPECT_EQ(PartText(sb, 1), "仏滅");
    sb.Panels.Delete(0);
    EXPECT_EQ(Edges(sb), (std::vector<int>{100, -1}));
    EXPECT_EQ(PartText(sb, 0), "仏滅");
    EXPECT_EQ(sb.Panels[1].Index(), 1);
}

TEST(TkStatusBar, SimpleTextIsKeptWhilePanelsShow) {
    tk::Form f({.caption = "status"});
    tk::StatusBar sb;
    sb.Create(f, {.items = {"panel"}});
    sb.SetSimpleText("マウスの移動により､ここにヘルプが表示されます。");
    EXPECT_FALSE(SendMessageA(sb.Handle, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartText(sb, 0), "panel");
    sb.SetSimplePanel(true);
    EXPECT_TRUE(SendMessageA(sb.Handle, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartText(sb, 0), "マウスの移動により､ここにヘルプが表示されます。");
    sb.SetText("ドラッグでサイズ変更");  // Text is the simple text
    EXPECT_EQ(PartText(sb, 0), "ドラッグでサイズ変更");
    sb.SetSimplePanel(false);
    EXPECT_EQ(PartText(sb, 0), "panel");
    EXPECT_EQ(sb.Text(), "ドラッグでサイズ変更");
}

TEST(TkStatusBar, SitsAtTheBottomAcrossTheClientArea) {
    tk::Form f({.caption = "status", .width = 300, .height = 200, .clientSize = true});
    tk::StatusBar sb;
    sb.Create(f);
    EXPECT_EQ(sb.AlignMode, tk::Align::Bottom);
    EXPECT_GE(sb.Height(), 19);
    EXPECT_EQ(sb.Top() + sb.Height(), 200);
    EXPECT_EQ(sb.Width(), 300);
    f.SetClientSize(420, 260);
    wintest::Pump();
    EXPECT_EQ(sb.Top() + sb.Height(), 260);
    EXPECT_EQ(sb.Width(), 420);
}

TEST(TkStatusBar, ClicksReachTheEvents) {
    tk::Form f({.caption = "status"});
    tk::StatusBar sb;
    sb.Create(f);
    int clicks = 0, dbl = 0;
    sb.OnClick = [&] { ++clicks; };
    sb.OnDblClick = [&] { ++dbl; };
    SendMessageA(sb.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(sb.Handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(sb.Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(sb.Handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // one click and one double click
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dbl, 1);
}

#include "toolkit/Menus.h"

TEST(TkStatusBar, RightClickShowsItsPopupMenu) {
    tk::Form f({.caption = "status"});
    tk::StatusBar sb;
    sb.Create(f);
    tk::PopupMenu launcher;
    launcher.Items.Add("メニューの編集");
    int shown = 0;
    launcher.OnPopup = [&] {
        ++shown;
        PostMessageA(tk::Application.Handle, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    sb.SetPopupMenu(&launcher);
    SendMessageA(sb.Handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(sb.Handle, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(launcher.PopupComponent, &sb);
}
