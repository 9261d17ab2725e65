// The string grid: moving and extending the selection by keys and mouse, editing in place,
// dragging rows by their fixed cells, and the bounds it keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "controls/EdDial.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/StringGrid.h"
#include "toolkit/Telephony.h"

namespace {

// Appended, not "a" + std::to_string(n): GCC 12 warns falsely (-Wrestrict) on that form.
std::string Joined(std::string head, int n) { return head += std::to_string(n); }

struct GridForm : tk::Form {
    tk::StringGrid Grid;
    std::vector<std::string> log;
    GridForm() : Form({.caption = "グリッド", .width = 420, .height = 260}) {
        Grid.Create(*this, {.at = {0, 0, 400, 220}, .min = 3, .value = 20,
                            .style = tk::goEditing | tk::goRangeSelect | tk::goRowMoving});
        for (int r = 0; r < 20; ++r) Grid.SetRows(r, {Joined("a", r), Joined("b", r), ""});
        Grid.OnClick = [this] { log.push_back(Joined("click ", Grid.Col()) + Joined(",", Grid.Row())); };
        Grid.OnSetEditText = [this](int c, int r, const std::string& s) {
            log.push_back(Joined("edit ", c) + Joined(",", r) + "=" + s);
        };
        Show();
        Grid.SetFocus();
        wintest::Pump();
    }
    void Key(WORD vk) { SendMessageA(Grid.Handle, WM_KEYDOWN, vk, 0); }
    void ClickCell(int c, int r, WPARAM keys = MK_LBUTTON) {
        RECT cell = Grid.CellRect(c, r);
        LPARAM at = MAKELPARAM(cell.left + 3, cell.top + 3);
        SendMessageA(Grid.Handle, WM_LBUTTONDOWN, keys, at);
        SendMessageA(Grid.Handle, WM_LBUTTONUP, keys & ~MK_LBUTTON, at);
    }
};

}  // namespace

TEST(TkStringGrid, KeysAndClicksMoveAndExtendTheSelection) {
    GridForm f;
    struct Step {
        const char* what;
        std::function<void()> act;
        int col, row;
        tk::GridRect sel;
    };
    const Step steps[] = {
        {"down", [&] { f.Key(VK_DOWN); }, 0, 1, {0, 1, 0, 1}},
        {"right twice stops at the edge", [&] { f.Key(VK_RIGHT), f.Key(VK_RIGHT), f.Key(VK_RIGHT); }, 2, 1, {2, 1, 2, 1}},
        {"up past the top", [&] { f.Key(VK_UP), f.Key(VK_UP); }, 2, 0, {2, 0, 2, 0}},
        {"click", [&] { f.ClickCell(1, 3); }, 1, 3, {1, 3, 1, 3}},
        {"shift click extends", [&] { f.ClickCell(0, 5, MK_LBUTTON | MK_SHIFT); }, 0, 5, {0, 3, 1, 5}},
        {"page down", [&] { f.Key(VK_NEXT); }, 0, 5 + f.Grid.VisibleRowCount(), {0, 5 + f.Grid.VisibleRowCount(), 0, 5 + f.Grid.VisibleRowCount()}},
        {"end of the grid", [&] { f.Key(VK_NEXT), f.Key(VK_NEXT); }, 0, 19, {0, 19, 0, 19}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(f.Grid.Col(), s.col);
        EXPECT_EQ(f.Grid.Row(), s.row);
        EXPECT_EQ(f.Grid.Selection(), s.sel);
        EXPECT_GE(f.Grid.Row(), f.Grid.TopRow());  // the current row is in view
        EXPECT_LT(f.Grid.Row(), f.Grid.TopRow() + f.Grid.VisibleRowCount());
    }
    // Whole rows: the selection spans the row, and a shift click does not make a range.
    f.Grid.SetOptions(tk::goRowSelect);
    f.Grid.SetTopRow(0);
    f.ClickCell(1, 2);
    f.ClickCell(1, 4, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(f.Grid.Selection(), (tk::GridRect{0, 4, 2, 4}));
    EXPECT_EQ(f.log.front(), "click 0,1");
}

TEST(TkStringGrid, EditsInPlaceAndEscapePutsTheTextBack) {
    GridForm f;
    f.Grid.FocusCell(1, 2);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool editing;
        const char* cell;
    };
    const Step steps[] = {
        {"F2 opens", [&] { f.Key(VK_F2); }, true, "b2"},
        {"typing changes the cell", [&] { f.Grid.InplaceEditor().SetText("new"); }, true, "new"},
        {"escape restores", [&] { SendMessageA(f.Grid.InplaceEditor().Handle, WM_KEYDOWN, VK_ESCAPE, 0); }, false, "b2"},
        {"a typed character starts over", [&] { SendMessageA(f.Grid.Handle, WM_CHAR, 'x', 0); }, true, "x"},
        {"enter keeps", [&] { SendMessageA(f.Grid.InplaceEditor().Handle, WM_KEYDOWN, VK_RETURN, 0); }, false, "x"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(f.Grid.EditorMode(), s.editing);
        EXPECT_EQ(f.Grid.Cells(1, 2), s.cell);
    }
    EXPECT_NE(std::find(f.log.begin(), f.log.end(), "edit 1,2=new"), f.log.end());
    // Without editing (or with whole rows) nothing opens.
    for (int options : {int(tk::goRangeSelect), tk::goEditing | tk::goRowSelect}) {
        f.Grid.SetOptions(options);
        f.Key(VK_F2);
        SendMessageA(f.Grid.Handle, WM_CHAR, 'y', 0);
        EXPECT_FALSE(f.Grid.EditorMode()) << options;
        EXPECT_EQ(f.Grid.Cells(1, 2), "x");
    }
}

// Keys through the input queue and the message loop: letters and digits, '|' Tab, '^' Shift+Tab, '#' Enter.
void Press(const std::string& keys) {
    auto key = [](WORD vk, DWORD up) { keybd_event((BYTE)vk, (BYTE)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC), up, 0); };
    for (char ch : keys) {
        WORD vk = ch == '|' || ch == '^' ? VK_TAB : ch == '#' ? VK_RETURN : (WORD)toupper((unsigned char)ch);
        if (ch == '^') key(VK_SHIFT, 0);
        key(vk, 0), key(vk, KEYEVENTF_KEYUP);
        if (ch == '^') key(VK_SHIFT, KEYEVENTF_KEYUP);
        wintest::Pump();
    }
}

TEST(TkStringGrid, TabCommitsTheCellAndTypingGoesOnInTheNext) {
    GridForm f;
    f.Grid.FocusCell(1, 0);
    SetForegroundWindow(f.Handle);
    f.Grid.SetFocus();
    const struct { const char* keys; int col, row; bool editing; } steps[] = {
        {"ab", 1, 0, true},
        {"|cd", 2, 0, true},    // Tab committed "ab"; typing went on in the next cell
        {"|e", 0, 1, true},     // past the row's end: the next row's first cell
        {"^f", 2, 0, true},     // Shift+Tab: back over the row's start
        {"#", 2, 0, false},
        {"|", 0, 1, false},     // without the editor too
        {"^^^^", 0, 0, false},  // the grid's first cell holds it
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        Press(s.keys);
        EXPECT_EQ(std::tuple(f.Grid.Col(), f.Grid.Row(), f.Grid.EditorMode()), std::tuple(s.col, s.row, s.editing));
    }
    EXPECT_EQ(f.Grid.Rows(0), (std::vector<std::string>{"a0", "ab", "f"}));
    EXPECT_EQ(f.Grid.Cells(0, 1), "e");
    EXPECT_TRUE(f.Grid.Focused());
    f.Grid.FocusCell(2, 19);  // the last cell holds it too
    Press("|z#");
    EXPECT_EQ(f.Grid.Cells(2, 19), "z");
}

TEST(TkStringGrid, RowsMoveAndKeepToTheGrid) {
    GridForm f;
    struct Case {
        int from, to;
        std::vector<std::string> first;  // column 0 of rows 0..3 after the move
    };
    const Case cases[] = {
        {0, 2, {"a1", "a2", "a0", "a3"}},
        {2, 0, {"a0", "a1", "a2", "a3"}},
        {3, 1, {"a0", "a3", "a1", "a2"}},
        {1, 99, {"a0", "a3", "a1", "a2"}},  // outside: nothing
    };
    for (const Case& c : cases) {
        f.Grid.MoveRow(c.from, c.to);
        std::vector<std::string> got;
        for (int r = 0; r < 4; ++r) got.push_back(f.Grid.Cells(0, r));
        EXPECT_EQ(got, c.first) << c.from << "->" << c.to;
    }
    // Dragging a fixed cell moves its row; the current cell never sits in a fixed column.
    f.Grid.SetFixedCols(2);
    EXPECT_EQ(f.Grid.Col(), 2);
    RECT from = f.Grid.CellRect(0, 0), to = f.Grid.CellRect(0, 2);
    SendMessageA(f.Grid.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.left + 3, from.top + 3));
    SendMessageA(f.Grid.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.left + 3, to.top + 3));
    SendMessageA(f.Grid.Handle, WM_LBUTTONUP, 0, MAKELPARAM(to.left + 3, to.top + 3));
    EXPECT_EQ(f.Grid.Cells(0, 2), "a0");
    // Extra fields are dropped, and the grid never has fewer than one row or column.
    f.Grid.SetRows(5, {"1", "2", "3", "4", "5"});
    EXPECT_EQ(f.Grid.Rows(5), (std::vector<std::string>{"1", "2", "3"}));
    f.Grid.SetRowCount(0);
    EXPECT_EQ(f.Grid.RowCount(), 1);
    EXPECT_EQ(f.Grid.Row(), 0);
}

TEST(TkEditAndDial, ShortcutAndButtonDialWithTheNamedParty) {
    tk::Form f({.caption = "dial", .width = 300, .height = 80});
    TEditAndDial d;
    d.Create(f, {.at = {8, 8, 200, 10}, .caption = "0123"});
    EXPECT_EQ(d.Height(), 24);  // never lower than the button
    EXPECT_EQ(d.InnerEdit().Width(), 170);
    EXPECT_EQ(d.InnerButton().Left(), 176);
    EXPECT_EQ(d.ButtonKind(), dkStandard);
    EXPECT_EQ(d.ButtonGlyph().Width(), 32);  // the standard glyph, two images
    std::vector<tk::MakeCall> calls;
    tk::SetMakeCallHookForTest([&](const tk::MakeCall& c) { return calls.push_back(c), true; });
    std::vector<std::string> log;
    d.OnButtonClick = [&] { log.push_back("button"); };
    d.BeforeDial = [&](tk::Control&, std::string& party) { log.push_back("before:" + party), party = "Taro"; };
    d.OnKeyDown = [&](WORD& key, int) { log.push_back("key " + std::to_string(key)); };
    d.ButtonShortCut = tk::TextToShortCut("F5");
    SendMessageA(d.InnerEdit().Handle, WM_KEYDOWN, VK_F5, 0);
    SendMessageA(d.InnerEdit().Handle, WM_KEYDOWN, 'A', 0);
    d.InnerButton().Click();
    tk::SetMakeCallHookForTest(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"button", "before:", "key 65", "button", "before:"}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1], (tk::MakeCall{"0123", "", "Taro", ""}));

    tk::TBitmap own(16, 16);
    d.SetButtonGlyphDial(own);
    EXPECT_EQ(d.ButtonKind(), dkCustom);
    d.SetButtonKind(dkStandard);
    EXPECT_EQ(d.ButtonGlyph().Width(), 32);
}
