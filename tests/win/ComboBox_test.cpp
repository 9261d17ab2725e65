// Combo boxes: Items in step with the control, which changes raise OnChange, the text after a
// pick, keys from the typing field, and colours.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/WinTest.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"

namespace {

struct ComboForm : tk::Form {
    tk::ComboBox Combo1, List1;
    int changes = 0, listChanges = 0;
    ComboForm() : Form({.caption = "コンボ", .width = 400, .height = 300}) {
        Combo1.Create(*this, {.at = {8, 8, 150, 22}, .items = {"1", "2", "3", "5", "10"}});
        List1.Create(*this, {.at = {8, 40, 150, 22}, .items = {"メモ１", "メモ２", "メモ３"}, .style = tk::csDropDownList});
        Combo1.OnChange = [this] { ++changes; };
        List1.OnChange = [this] { ++listChanges; };
    }
    // What the control holds, read back from it.
    static std::vector<std::string> Shown(const tk::ComboBox& c) {
        std::vector<std::string> v;
        int n = (int)SendMessageA(c.Handle, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; ++i) {
            std::string s(SendMessageA(c.Handle, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
            s.resize(SendMessageA(c.Handle, CB_GETLBTEXT, i, (LPARAM)s.data()));
            v.push_back(s);
        }
        return v;
    }
    // The user picks item i in the drop-down list: the list moves, the notice comes, and only
    // then does the box update its typing field.
    void Pick(tk::ComboBox& c, int i) {
        COMBOBOXINFO info{sizeof info};
        GetComboBoxInfo(c.Handle, &info);
        SendMessageA(info.hwndList, LB_SETCURSEL, i, 0);
        SendMessageA(Handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.Handle), CBN_SELCHANGE), (LPARAM)c.Handle);
    }
};

}  // namespace

TEST(TkCombo, ItemsStayInStepWithTheControl) {
    ComboForm f;
    tk::ComboBox& c = f.Combo1;
    EXPECT_EQ(ComboForm::Shown(c), c.Items.List().Strings);
    c.Items.Insert(0, "表示");
    c.Items.Delete(3);
    c.Items.Add("十");
    c.Items.SetStrings(1, "一");
    EXPECT_EQ(ComboForm::Shown(c), (std::vector<std::string>{"表示", "一", "2", "5", "10", "十"}));
    EXPECT_EQ(c.Items.Count(), 6);
    c.Items.SetCommaText("a,\"b c\",d");
    EXPECT_EQ(ComboForm::Shown(c), (std::vector<std::string>{"a", "b c", "d"}));
    EXPECT_EQ(c.Items.CommaText(), "a,\"b c\",d");
    EXPECT_THROW(c.Items.Delete(3), std::exception);
    c.Items.Clear();
    EXPECT_TRUE(ComboForm::Shown(c).empty());
    EXPECT_EQ(f.changes, 0);  // none of this is the user's doing
}

TEST(TkCombo, SortedListPlacesItemsAndReportsWhere) {
    tk::Form form({.caption = "並び"});
    tk::ComboBox c;
    c.Items.Add("c");  // before the window exists
    c.Create(form, {.at = {8, 8, 150, 22}, .items = {"b"}, .style = tk::cbSorted});
    EXPECT_EQ(c.Items.Add("a"), 0);
    EXPECT_EQ(c.Items.Add("bb"), 2);
    EXPECT_EQ(ComboForm::Shown(c), (std::vector<std::string>{"a", "b", "bb", "c"}));
}

TEST(TkCombo, OnlyTheUsersChangesRaiseOnChange) {
    ComboForm f;
    f.Combo1.SetItemIndex(2);
    f.Combo1.SetText("20");
    f.List1.SetItemIndex(1);
    EXPECT_EQ(f.changes, 0);
    EXPECT_EQ(f.listChanges, 0);
    EXPECT_EQ(f.Combo1.Text(), "20");

    // A pick: the handler already sees the picked text.
    std::string seen;
    f.Combo1.OnChange = [&] {
        ++f.changes;
        seen = f.Combo1.Text();
    };
    f.Pick(f.Combo1, 4);
    EXPECT_EQ(f.changes, 1);
    EXPECT_EQ(seen, "10");
    EXPECT_EQ(f.Combo1.ItemIndex(), 4);
    f.Pick(f.List1, 2);
    EXPECT_EQ(f.listChanges, 1);
    EXPECT_EQ(f.List1.Text(), "メモ３");

    // Typing, once per key that changes the text.
    HWND field = GetWindow(f.Combo1.Handle, GW_CHILD);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (char ch : std::string("15")) SendMessageA(field, WM_CHAR, ch, 1);
    EXPECT_EQ(f.Combo1.Text(), "15");
    EXPECT_EQ(f.changes, 3);
}

TEST(TkCombo, KeysFromTheTypingField) {
    ComboForm f;
    std::string pressed;
    int downs = 0;
    f.Combo1.OnKeyPress = [&](char& k) {
        pressed += k;
        if (k == 'x') k = 0;  // swallowed
    };
    f.Combo1.OnKeyDown = [&](WORD& key, int) {
        if (key == VK_RETURN) ++downs;
    };
    HWND field = GetWindow(f.Combo1.Handle, GW_CHILD);
    SendMessageA(field, WM_SETTEXT, 0, (LPARAM)"");
    SendMessageA(field, WM_CHAR, 'a', 1);
    SendMessageA(field, WM_CHAR, 'x', 1);
    SendMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(pressed, "ax");
    EXPECT_EQ(f.Combo1.Text(), "a");
    EXPECT_EQ(downs, 1);
}

TEST(TkCombo, ListStyleTextSelectsAndReplacingAnItemKeepsTheSelection) {
    ComboForm f;
    f.List1.SetText("メモ２");
    EXPECT_EQ(f.List1.ItemIndex(), 1);
    f.List1.SetText("ない");
    EXPECT_EQ(f.List1.ItemIndex(), -1);
    f.List1.SetItemIndex(2);
    f.List1.Items.SetStrings(2, "仕事");
    EXPECT_EQ(f.List1.ItemIndex(), 2);
    EXPECT_EQ(f.List1.Text(), "仕事");
    f.List1.Items.SetStrings(0, "私用");
    EXPECT_EQ(f.List1.ItemIndex(), 2);
    EXPECT_EQ(f.listChanges, 0);
}

TEST(TkCombo, TypingFieldAndListTakeTheColours) {
    ComboForm f;
    f.Combo1.SetColor(tk::clBtnFace);
    HWND field = GetWindow(f.Combo1.Handle, GW_CHILD);
    HDC dc = GetDC(field);
    SendMessageA(f.Combo1.Handle, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)field);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    f.Combo1.SetColor(tk::clWindow);
    SendMessageA(f.Combo1.Handle, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)field);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    ReleaseDC(field, dc);
}

namespace {
TEST(TkCombo, TheOpenListShowsTheRowsAskedForEvenWhenSetAfterCreation) {
    for (int rows : {3, 16}) {
        SCOPED_TRACE(rows);
        ComboForm f;
        for (int i = 0; i < 30; ++i) f.List1.Items.Add(std::to_string(i));
        f.List1.DropDownCount = rows;
        f.Show();
        SendMessageA(f.List1.Handle, CB_SHOWDROPDOWN, TRUE, 0);
        wintest::Pump();
        COMBOBOXINFO info{sizeof info};
        GetComboBoxInfo(f.List1.Handle, &info);
        RECT r;
        GetClientRect(info.hwndList, &r);
        int item = (int)SendMessageA(info.hwndList, LB_GETITEMHEIGHT, 0, 0);
        EXPECT_EQ(r.bottom / item, rows);
        SendMessageA(f.List1.Handle, CB_SHOWDROPDOWN, FALSE, 0);
    }
}
}  // namespace

// Real double clicks through the input queue. A drop-down list's second click lands in the list
// the first one dropped; the box still reports the pair once, with the list closed and the item
// as it was. Slow clicks drop and close the list as ever.
TEST(TkCombo, RealDoubleClicksReachOnDblClickOnce) {
    const DWORD slow = GetDoubleClickTime() + 200;
    const struct {
        const char* what;
        bool list, arrow, down;
        DWORD gap;
        int dbl;
    } cases[] = {
        {"list box, quick", true, false, false, 0, 1},
        {"list box, its list already down", true, false, true, 0, 1},
        {"list box, slow", true, false, false, slow, 0},
        {"typing field, quick", false, false, false, 0, 1},
        {"typing box's arrow, quick", false, true, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ComboForm f;
        f.Show();
        SetForegroundWindow(f.Handle);
        wintest::Pump();
        tk::ComboBox& box = c.list ? f.List1 : f.Combo1;
        box.SetItemIndex(1);
        int dbl = 0, ups = 0;
        box.OnDblClick = [&] {
            ++dbl;
            EXPECT_FALSE(box.DroppedDown());
        };
        box.OnMouseUp = [&](tk::MouseButton, int, int, int) { ++ups; };
        RECT r;
        GetWindowRect(box.Handle, &r);
        POINT at{c.arrow ? r.right - 6 : r.left + 30, (r.top + r.bottom) / 2};
        HWND target = c.list || c.arrow ? box.Handle : GetWindow(box.Handle, GW_CHILD);  // or its typing field
        if (c.down) box.SetDroppedDown(true);
        wintest::Click(target, at, c.gap ? 1 : 2);
        if (c.gap) {
            EXPECT_TRUE(wintest::PumpUntil([&] { return box.DroppedDown() && ups == 1; }));
            DWORD t0 = GetTickCount();
            wintest::PumpUntil([&] { return GetTickCount() - t0 > c.gap; }, c.gap + 1000);
            wintest::Click(target, at);
        }
        // The button's releases reach the box itself (the typing field keeps its own).
        EXPECT_TRUE(wintest::PumpUntil([&] { return dbl >= c.dbl && ((!c.list && !c.arrow) || ups == 2); }));
        wintest::Pump();
        EXPECT_EQ(dbl, c.dbl);
        EXPECT_FALSE(box.DroppedDown());
        EXPECT_EQ(box.ItemIndex(), 1);
        EXPECT_EQ(f.changes + f.listChanges, 0);
    }
}
