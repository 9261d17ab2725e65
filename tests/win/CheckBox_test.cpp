// Check boxes, radio buttons and the radio group: clicks and values set from code fire OnClick
// once and only on a change; the group keeps its buttons in step with Items.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/WinTest.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"

namespace {

struct CheckForm : tk::Form {
    tk::CheckBox Check1;
    tk::GroupBox Group1;
    tk::RadioButton Radio1, Radio2;
    tk::CheckBox Inner;
    tk::RadioGroup RadioGroup1;
    int checkClicks = 0, radio1Clicks = 0, radio2Clicks = 0, groupClicks = 0;
    CheckForm() : Form({.caption = "選択", .width = 400, .height = 300}) {
        Check1.Create(*this, {.at = {8, 8, 150, 20}, .caption = "壁紙にする"});
        Group1.Create(*this, {.at = {8, 40, 180, 100}, .caption = "グループ"});
        Radio1.Create(Group1, {.at = {8, 16, 150, 20}, .caption = "平日"});
        Radio2.Create(Group1, {.at = {8, 40, 150, 20}, .caption = "休日扱い"});
        Inner.Create(Group1, {.at = {8, 64, 150, 20}, .caption = "中の箱"});
        RadioGroup1.Create(*this, {.at = {200, 8, 180, 100}, .caption = "休日なら",
                                   .items = {"そのまま", "前日へ", "翌日へ"}, .value = 0});
        Check1.OnClick = [this] { ++checkClicks; };
        Radio1.OnClick = [this] { ++radio1Clicks; };
        Radio2.OnClick = [this] { ++radio2Clicks; };
        RadioGroup1.OnClick = [this] { ++groupClicks; };
    }
};

}  // namespace

TEST(TkCheckBox, CheckedFiresOnClickOnceOnChange) {
    CheckForm f;
    f.Check1.SetChecked(true);
    EXPECT_EQ(f.checkClicks, 1);
    f.Check1.SetChecked(true);
    EXPECT_EQ(f.checkClicks, 1);
    SendMessageA(f.Check1.Handle, BM_CLICK, 0, 0);  // the user unticks it
    EXPECT_FALSE(f.Check1.Checked());
    EXPECT_EQ(f.checkClicks, 2);
    f.Check1.SetChecked(false);
    EXPECT_EQ(f.checkClicks, 2);

    // Inside a group box the box still hears its own clicks.
    int inner = 0;
    f.Inner.OnClick = [&] { ++inner; };
    SendMessageA(f.Inner.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(inner, 1);
    EXPECT_TRUE(f.Inner.Checked());
}

TEST(TkCheckBox, ColourOfTheCaptionFollowsTheControl) {
    CheckForm f;
    f.Check1.SetColor(tk::clAqua);
    tk::TFont font = f.Check1.Font;
    font.Color = tk::clNavy;
    f.Check1.SetFont(font);
    HDC dc = GetDC(f.Handle);
    SendMessageA(f.Handle, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)f.Check1.Handle);
    EXPECT_EQ(GetBkColor(dc), RGB(0, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));
    // A radio button in the group box asks the group box, which passes the question on.
    SendMessageA(f.Group1.Handle, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)f.Radio1.Handle);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(f.Handle, dc);
}

TEST(TkRadioButton, CheckingOneUnchecksItsSiblingsAndOnlyCheckingClicks) {
    CheckForm f;
    SendMessageA(f.Radio1.Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.Radio1.Checked());
    EXPECT_EQ(f.radio1Clicks, 1);
    SendMessageA(f.Radio2.Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.Radio2.Checked());
    EXPECT_FALSE(f.Radio1.Checked());
    EXPECT_EQ(f.radio2Clicks, 1);
    EXPECT_EQ(f.radio1Clicks, 1);  // being unchecked is no click
    SendMessageA(f.Radio2.Handle, BM_CLICK, 0, 0);  // already checked
    EXPECT_EQ(f.radio2Clicks, 1);
    EXPECT_TRUE(f.Radio2.Checked());
    f.Radio1.SetChecked(true);
    EXPECT_EQ(f.radio1Clicks, 2);
    EXPECT_FALSE(f.Radio2.Checked());
    EXPECT_FALSE(f.Inner.Checked());  // a check box among them is left alone
}

TEST(TkRadioGroup, ItemIndexFromCodeAndFromClicks) {
    CheckForm f;
    tk::RadioGroup& g = f.RadioGroup1;
    EXPECT_EQ(g.ItemIndex(), 0);
    EXPECT_TRUE(g.Buttons(0).Checked());
    g.SetItemIndex(2);
    EXPECT_EQ(f.groupClicks, 1);
    EXPECT_TRUE(g.Buttons(2).Checked());
    EXPECT_FALSE(g.Buttons(0).Checked());
    g.SetItemIndex(2);
    EXPECT_EQ(f.groupClicks, 1);
    g.SetItemIndex(7);  // pulled to the last item: no change
    EXPECT_EQ(g.ItemIndex(), 2);
    EXPECT_EQ(f.groupClicks, 1);

    int seen = -2;
    g.OnClick = [&] {
        ++f.groupClicks;
        seen = g.ItemIndex();  // already the new index inside the handler
    };
    SendMessageA(g.Buttons(1).Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(g.ItemIndex(), 1);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(f.groupClicks, 2);
    EXPECT_FALSE(g.Buttons(2).Checked());

    g.SetItemIndex(-1);
    EXPECT_EQ(g.ItemIndex(), -1);
    EXPECT_FALSE(g.Buttons(1).Checked());
    EXPECT_EQ(f.groupClicks, 2);
}

TEST(TkRadioGroup, ButtonsFollowItemsColumnsAndEnabling) {
    CheckForm f;
    tk::RadioGroup& g = f.RadioGroup1;
    g.SetItemIndex(1);
    g.Items.Add("休日");
    EXPECT_EQ(g.ItemIndex(), 1);
    EXPECT_TRUE(g.Buttons(1).Checked());
    ASSERT_EQ(GetWindowTextLengthA(g.Buttons(3).Handle), 4);
    g.Items.SetStrings(0, "変更");
    EXPECT_EQ(g.Buttons(0).Caption(), "変更");

    g.SetColumns(2);
    EXPECT_GT(g.Buttons(2).Left(), g.Buttons(0).Left());  // four items: two per column
    EXPECT_EQ(g.Buttons(2).Top(), g.Buttons(0).Top());
    for (int i = 0; i < 4; ++i) {  // every button lies inside the frame, below the caption
        EXPECT_GE(g.Buttons(i).Top(), 10);
        EXPECT_LE(g.Buttons(i).Top() + g.Buttons(i).Height(), g.ClientHeight());
        EXPECT_LE(g.Buttons(i).Left() + g.Buttons(i).Width(), g.ClientWidth());
    }

    g.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(g.Buttons(2).Handle));
    g.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(g.Buttons(2).Handle));

    g.Items.Delete(3);
    EXPECT_EQ(g.ItemIndex(), 1);
    g.Items.Clear();
    EXPECT_EQ(g.ItemIndex(), -1);
    EXPECT_EQ(f.groupClicks, 1);  // only the first SetItemIndex
}
