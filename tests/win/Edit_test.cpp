// Text boxes driven as the user and the program drive them: change events, Shift-JIS
// positions, limits, colours, and the memo's lines.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/WinTest.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

struct EditForm : tk::Form {
    tk::Edit Edit1;
    tk::Memo Memo1;
    int changes = 0, memoChanges = 0;
    EditForm() : Form({.caption = "入力", .width = 400, .height = 300}) {
        Edit1.Create(*this, {.at = {8, 8, 200, 22}});
        Memo1.Create(*this, {.at = {8, 40, 120, 150}, .style = tk::esVScroll});
        Edit1.OnChange = [this] { ++changes; };
        Memo1.OnChange = [this] { ++memoChanges; };
        // Not shown: hiding a shown window costs Wine two seconds without a window manager.
        wintest::Pump();
    }
};

void Type(HWND h, const char* s) {
    for (; *s; ++s) SendMessageA(h, WM_CHAR, (unsigned char)*s, 1);
}

}  // namespace

TEST(TkEdit, OnChangeFiresOncePerChangeAndNeverForTheSameText) {
    EditForm f;
    f.Edit1.SetText("予定");
    EXPECT_EQ(f.changes, 1);
    f.Edit1.SetText("予定");
    EXPECT_EQ(f.changes, 1);
    f.Edit1.Clear();
    EXPECT_EQ(f.changes, 2);
    Type(f.Edit1.Handle, "ab");
    EXPECT_EQ(f.Edit1.Text(), "ab");
    EXPECT_EQ(f.changes, 4);
    f.Edit1.SelectAll();
    f.Edit1.SetSelText("表示");
    EXPECT_EQ(f.Edit1.Text(), "表示");
    EXPECT_EQ(f.changes, 5);
}

TEST(TkEdit, HandlerThatSetsTheTextAgainSeesEachStepOnce) {
    EditForm f;
    std::vector<std::string> seen;
    f.Edit1.OnChange = [&] {
        seen.push_back(f.Edit1.Text());
        if (f.Edit1.Text().size() > 3) f.Edit1.SetText(f.Edit1.Text().substr(0, 3));
    };
    f.Edit1.SetText("abcdef");
    EXPECT_EQ(f.Edit1.Text(), "abc");
    EXPECT_EQ(seen, (std::vector<std::string>{"abcdef", "abc"}));
}

TEST(TkEdit, SelectionCountsShiftJisBytes) {
    EditForm f;
    f.Edit1.SetText("日本語abc表");
    f.Edit1.Select(6, 2);  // after the three double-byte characters
    EXPECT_EQ(f.Edit1.SelText(), "ab");
    EXPECT_EQ(f.Edit1.SelStart(), 6);
    EXPECT_EQ(f.Edit1.SelLength(), 2);
    f.Edit1.Select(2, 4);
    EXPECT_EQ(f.Edit1.SelText(), "本語");
    f.Edit1.SetSelStart(11);
    EXPECT_EQ(f.Edit1.SelStart(), 11);
    EXPECT_EQ(f.Edit1.SelLength(), 0);
    f.Edit1.SetSelText("X");
    EXPECT_EQ(f.Edit1.Text(), "日本語abc表X");
}

TEST(TkEdit, LimitsReadOnlyAndPassword) {
    EditForm f;
    f.Edit1.SetMaxLength(3);
    Type(f.Edit1.Handle, "12345");
    EXPECT_EQ(f.Edit1.Text(), "123");
    EXPECT_EQ(f.changes, 3);

    f.Edit1.SetReadOnly(true);
    EXPECT_TRUE(f.Edit1.ReadOnly());
    Type(f.Edit1.Handle, "9");
    EXPECT_EQ(f.Edit1.Text(), "123");
    EXPECT_EQ(f.changes, 3);
    f.Edit1.SetText("456");  // the program may still write
    EXPECT_EQ(f.changes, 4);

    f.Edit1.SetPasswordChar('*');
    EXPECT_EQ(f.Edit1.PasswordChar(), '*');
    EXPECT_EQ(f.Edit1.Text(), "456");
    f.Edit1.SetPasswordChar(0);
    EXPECT_EQ(f.Edit1.PasswordChar(), 0);
}

TEST(TkEdit, ColoursComeFromColorAndFontColor) {
    EditForm f;
    HDC dc = GetDC(f.Handle);
    SendMessageA(f.Handle, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)f.Edit1.Handle);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));  // not the form's face colour
    f.Edit1.SetColor(tk::clYellow);
    tk::TFont font = f.Edit1.Font;
    font.Color = tk::clRed;
    f.Edit1.SetFont(font);
    HBRUSH b = (HBRUSH)SendMessageA(f.Handle, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)f.Edit1.Handle);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    LOGBRUSH lb{};
    GetObjectA(b, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 0));
    // Read-only boxes ask with the static message; they keep the colour too.
    f.Edit1.SetReadOnly(true);
    SendMessageA(f.Handle, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)f.Edit1.Handle);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    ReleaseDC(f.Handle, dc);
}

TEST(TkMemo, LinesRoundTripWithJapaneseAndEmptyLines) {
    EditForm f;
    rtl::TStringList l;
    l.Add("表示する予定");  // 表 ends in a 0x5C byte
    l.Add("");
    l.Add("ソ連");
    f.Memo1.Lines.Assign(l);
    EXPECT_EQ(f.memoChanges, 1);  // multi-line boxes get no notice from the system for this
    f.Memo1.Lines.Assign(l);
    EXPECT_EQ(f.memoChanges, 1);
    rtl::TStringList back = f.Memo1.Lines.List();
    EXPECT_EQ(back.Strings, l.Strings);
    EXPECT_EQ(f.Memo1.Lines.Count(), 3);
    EXPECT_EQ(f.Memo1.Lines[2], "ソ連");
    EXPECT_THROW(f.Memo1.Lines[3], rtl::Exception);
}

TEST(TkMemo, LineEditsAreOneChangeEachAndWorkWhenReadOnly) {
    EditForm f;
    f.Memo1.SetText("一行目");  // no line end yet
    f.Memo1.SetReadOnly(true);
    f.Memo1.Lines.Add("二行目");
    f.Memo1.Lines.Add("三行目");
    EXPECT_EQ(f.Memo1.Lines.List().Strings, (std::vector<std::string>{"一行目", "二行目", "三行目"}));
    EXPECT_EQ(f.memoChanges, 3);
    f.Memo1.Lines.Insert(1, "挿入");
    f.Memo1.Lines.Delete(0);
    f.Memo1.Lines.SetStrings(2, "最後");
    EXPECT_EQ(f.Memo1.Lines.List().Strings, (std::vector<std::string>{"挿入", "二行目", "最後"}));
    EXPECT_EQ(f.memoChanges, 6);
    f.Memo1.Lines.SetStrings(2, "最後");
    EXPECT_EQ(f.memoChanges, 6);
    EXPECT_THROW(f.Memo1.Lines.Insert(5, "x"), rtl::Exception);
}

TEST(TkMemo, WrappedLineIsStillOneLineAndWrapCanBeTurnedOff) {
    EditForm f;
    std::string longLine;
    for (int i = 0; i < 12; ++i) longLine += "長い行です";
    f.Memo1.Lines.Assign(std::vector<std::string>{longLine, "次"});
    EXPECT_GT(SendMessageA(f.Memo1.Handle, EM_GETLINECOUNT, 0, 0), 3);  // shown wrapped
    EXPECT_EQ(f.Memo1.Lines.Count(), 2);
    EXPECT_EQ(f.Memo1.Lines[0], longLine);

    int before = f.memoChanges;
    HWND old = f.Memo1.Handle;
    f.Memo1.SetWordWrap(false);
    EXPECT_NE(f.Memo1.Handle, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(SendMessageA(f.Memo1.Handle, EM_GETLINECOUNT, 0, 0), 3);  // two lines and the empty last one
    EXPECT_EQ(f.Memo1.Lines[0], longLine);
    EXPECT_EQ(f.memoChanges, before);
    EXPECT_EQ(GetParent(f.Memo1.Handle), f.Handle);
    // The new window is wired like the old one.
    SendMessageA(f.Memo1.Handle, EM_SETSEL, 0, 0);
    SendMessageA(f.Memo1.Handle, WM_CHAR, 'x', 1);
    EXPECT_EQ(f.memoChanges, before + 1);
    EXPECT_EQ(f.Memo1.Lines[0], "x" + longLine);
}

TEST(TkMemo, TabMovesOnUnlessTheMemoWantsTabs) {
    EditForm f;
    MSG m{f.Memo1.Handle, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    LRESULT code = SendMessageA(f.Memo1.Handle, WM_GETDLGCODE, VK_TAB, (LPARAM)&m);
    EXPECT_FALSE(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS));
    f.Memo1.WantTabs = true;
    code = SendMessageA(f.Memo1.Handle, WM_GETDLGCODE, VK_TAB, (LPARAM)&m);
    EXPECT_TRUE(code & DLGC_WANTTAB);
}
