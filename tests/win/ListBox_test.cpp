// List boxes: Items in step with the control, clicks and double clicks as the mouse makes
// them, multiple selection, and owner drawing of fixed and varying heights.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"

namespace {

std::vector<std::string> Shown(const tk::ListBox& l) {
    std::vector<std::string> v;
    int n = (int)SendMessageA(l.Handle, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        std::string s(SendMessageA(l.Handle, LB_GETTEXTLEN, i, 0) + 1, '\0');
        s.resize(SendMessageA(l.Handle, LB_GETTEXT, i, (LPARAM)s.data()));
        v.push_back(s);
    }
    return v;
}

void Mouse(HWND h, UINT msg, POINT p) { SendMessageA(h, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y)); }

POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

TEST(TkListBox, ItemsStayInStepIncludingSortedAndReplaced) {
    tk::Form f({.caption = "一覧"});
    tk::ListBox l;
    l.Create(f, {.at = {8, 8, 200, 150}, .items = {"2024/03/01", "2023/12/31"}, .style = tk::lbSorted});
    EXPECT_EQ(Shown(l), (std::vector<std::string>{"2023/12/31", "2024/03/01"}));
    EXPECT_EQ(l.Items.Add("2024/01/15"), 1);
    l.SetItemIndex(2);
    l.Items.SetStrings(2, "2024/03/02");  // the selected line changes in place
    EXPECT_EQ(l.ItemIndex(), 2);
    l.Items.Delete(0);  // the selection moves up with its line
    EXPECT_EQ(l.ItemIndex(), 1);
    EXPECT_EQ(l.Items[l.ItemIndex()], "2024/03/02");
    EXPECT_EQ(Shown(l), l.Items.List().Strings);

    l.SetSorted(false);
    l.Items.Add("0000");
    l.Items.Exchange(0, 2);
    EXPECT_EQ(Shown(l), (std::vector<std::string>{"0000", "2024/03/02", "2024/01/15"}));
    l.Items.Clear();
    EXPECT_EQ(SendMessageA(l.Handle, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(l.ItemIndex(), -1);
}

TEST(TkListBox, ClicksAndDoubleClicksFireOnceCodeFiresNothing) {
    tk::Form f({.caption = "一覧", .width = 300, .height = 250});
    tk::ListBox l;
    l.Create(f, {.at = {8, 8, 200, 150}, .items = {"一", "二", "三"}});
    int clicks = 0, dbl = 0, indexAtDbl = -2;
    l.OnClick = [&] { ++clicks; };
    l.OnDblClick = [&] {
        ++dbl;
        indexAtDbl = l.ItemIndex();
    };
    l.SetItemIndex(0);
    EXPECT_EQ(clicks, 0);

    POINT p = Middle(l.ItemRect(1));
    Mouse(l.Handle, WM_LBUTTONDOWN, p);
    Mouse(l.Handle, WM_LBUTTONUP, p);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.ItemIndex(), 1);
    Mouse(l.Handle, WM_LBUTTONDBLCLK, p);
    Mouse(l.Handle, WM_LBUTTONUP, p);
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(indexAtDbl, 1);
    EXPECT_EQ(l.ItemAtPos(p.x, p.y), 1);
    EXPECT_EQ(l.ItemAtPos(p.x, 140), -1);  // below the last line
}

TEST(TkListBox, MultipleSelectionAndTopIndex) {
    tk::Form f({.caption = "一覧"});
    tk::ListBox l;
    l.Create(f, {.at = {8, 8, 200, 60}, .style = tk::lbMultiSelect});
    for (int i = 0; i < 40; ++i) l.Items.Add("行" + std::to_string(i));
    l.SetSelected(3, true);
    l.SetSelected(5, true);
    EXPECT_EQ(l.SelCount(), 2);
    EXPECT_TRUE(l.Selected(5));
    EXPECT_FALSE(l.Selected(4));
    l.SetItemIndex(7);  // selects just that line
    EXPECT_EQ(l.SelCount(), 1);
    EXPECT_EQ(l.ItemIndex(), 7);
    l.ClearSelection();
    EXPECT_EQ(l.SelCount(), 0);
    l.SetTopIndex(20);
    EXPECT_EQ(l.TopIndex(), 20);
}

TEST(TkListBox, OwnerDrawnFixedItemsAreDrawnByTheHandler) {
    tk::Form f({.caption = "描画", .width = 300, .height = 250});
    tk::ListBox l;
    l.Create(f, {.at = {8, 8, 200, 150}, .style = tk::lbOwnerDrawFixed});
    l.SetItemHeight(20);
    std::map<int, std::pair<int, int>> drawn;  // index -> (height, state)
    l.OnDrawItem = [&](int i, const RECT& r, int state) {
        drawn[i] = {r.bottom - r.top, state};
        l.Canvas.FillRect(r);
        l.Canvas.Brush.Color = tk::clRed;
        RECT mark{r.left, r.top, r.left + 5, r.bottom};
        l.Canvas.FillRect(mark);
    };
    l.Items.AddStrings({"月", "火", "水"});
    l.SetItemIndex(1);
    f.Show();
    wintest::Pump();
    UpdateWindow(l.Handle);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].first, 20);
    EXPECT_TRUE(drawn[1].second & tk::odSelected);
    EXPECT_FALSE(drawn[0].second & tk::odSelected);
    HDC dc = GetDC(l.Handle);
    EXPECT_EQ(GetPixel(dc, 2, 50), RGB(255, 0, 0));  // the handler's mark on the third line
    ReleaseDC(l.Handle, dc);
}

TEST(TkListBox, VariableHeightsComeFromOnMeasureItem) {
    tk::Form f({.caption = "描画"});
    tk::ListBox l;
    l.Create(f, {.at = {8, 8, 200, 150}, .style = tk::lbOwnerDrawVariable});
    std::vector<std::pair<int, std::string>> asked;
    l.OnMeasureItem = [&](int i, int& h) {
        asked.push_back({i, l.Items[i]});  // the item is already in Items when asked
        h = 10 + 5 * i;
    };
    l.Items.AddStrings({"a", "b", "c"});
    l.Items.Insert(0, "z");
    EXPECT_EQ(asked, (std::vector<std::pair<int, std::string>>{{0, "a"}, {1, "b"}, {2, "c"}, {0, "z"}}));
    EXPECT_EQ(l.ItemRect(0).bottom - l.ItemRect(0).top, 10);
    EXPECT_EQ(l.ItemRect(2).bottom - l.ItemRect(2).top, 15);  // "b", measured at index 1
}
