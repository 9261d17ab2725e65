// Number boxes: the range, the steps of the arrows and keys, typing, and handlers that set
// the value again (as the date fields do when a day does not exist).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/win/WinTest.h"
#include "schedule/EntryControls.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/SpinEdit.h"

namespace {

struct SpinForm : tk::Form {
    tk::SpinEdit Month, Year;
    int changes = 0;
    SpinForm() : Form({.caption = "日付", .width = 300, .height = 120}) {
        Month.Create(*this, {.at = {8, 8, 60, 22}, .min = 1, .max = 12, .value = 5});
        Year.Create(*this, {.at = {80, 8, 80, 22}, .min = 1, .max = 9999, .value = 2024});
        Month.OnChange = [this] { ++changes; };
    }
    HWND Arrows(tk::SpinEdit& s) { return GetWindow(s.Handle, GW_CHILD); }
};

}  // namespace

TEST(TkSpinEdit, ValueIsClampedAndChangesFireOnce) {
    SpinForm f;
    EXPECT_EQ(f.Month.Value(), 5);
    f.Month.SetValue(15);
    EXPECT_EQ(f.Month.Value(), 12);
    EXPECT_EQ(f.Month.Text(), "12");
    EXPECT_EQ(f.changes, 1);
    f.Month.SetValue(13);  // clamps to what it already is
    EXPECT_EQ(f.changes, 1);
    f.Month.SetValue(-3);
    EXPECT_EQ(f.Month.Value(), 1);
    EXPECT_EQ(f.changes, 2);

    f.Month.SetText("");  // no number: the lowest value
    EXPECT_EQ(f.Month.Value(), 1);
    f.Month.MinValue = f.Month.MaxValue = 0;  // equal bounds: no range at all
    f.Month.SetValue(123456);
    EXPECT_EQ(f.Month.Value(), 123456);
}

TEST(TkSpinEdit, ArrowsAndKeysStepByIncrementWithinRange) {
    SpinForm f;
    f.Show();
    wintest::Pump();
    HWND arrows = f.Arrows(f.Month);
    ASSERT_TRUE(arrows);
    RECT r;
    GetClientRect(arrows, &r);
    // A click on the upper arrow, then on the lower one.
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
    SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
    EXPECT_EQ(f.Month.Value(), 6);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 2));
    SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 2));
    EXPECT_EQ(f.Month.Value(), 5);
    EXPECT_EQ(f.changes, 2);

    f.Year.Increment = 10;
    SendMessageA(f.Year.Handle, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(f.Year.Value(), 2034);
    f.Year.SetValue(9995);
    SendMessageA(f.Year.Handle, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(f.Year.Value(), 9999);
    SendMessageA(f.Year.Handle, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(f.Year.Value(), 9989);

    // The arrows sit inside the box, at its right edge, and text stays clear of them.
    RECT box, a;
    GetWindowRect(f.Month.Handle, &box);
    GetWindowRect(arrows, &a);
    EXPECT_LE(a.right, box.right);
    EXPECT_GT(a.left, box.left + (box.right - box.left) / 2);
    DWORD margins = (DWORD)SendMessageA(f.Month.Handle, EM_GETMARGINS, 0, 0);
    EXPECT_GE((int)HIWORD(margins), a.right - a.left);
}

TEST(TkSpinEdit, TypingTakesDigitsOnlyAndLeavingPullsTheValueIn) {
    SpinForm f;
    SendMessageA(f.Month.Handle, EM_SETSEL, 0, -1);
    for (char c : std::string("1a0")) SendMessageA(f.Month.Handle, WM_CHAR, c, 1);
    EXPECT_EQ(f.Month.Text(), "10");
    EXPECT_EQ(f.changes, 2);
    f.Month.SetText("15");  // set by the program: pulled in without a word
    EXPECT_EQ(f.Month.Value(), 12);  // read clamped while the text still says 15
    SendMessageA(f.Month.Handle, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(f.Month.Text(), "12");
    EXPECT_EQ(f.changes, 4);
}

const std::string kYearRange = "1～9999の範囲で入力してください。";

namespace {
// The real message box: what it says is kept and whether it took the focus noted; a real Enter
// closes it, or its OK when it has no focus or the Enter never reaches it.
struct RealBoxes {
    std::vector<std::string> said;
    bool tookFocus = true;
    HWND last = nullptr;
    int waited = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    static inline RealBoxes* on = nullptr;
    RealBoxes() { on = this; }
    ~RealBoxes() { KillTimer(nullptr, timer), on = nullptr; }
    static BOOL CALLBACK FindBox(HWND h, LPARAM out) {
        char kind[16] = {};
        if (!IsWindowVisible(h) || !GetClassNameA(h, kind, sizeof kind) || std::string(kind) != "#32770") return TRUE;
        *(HWND*)out = h;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, (LPARAM)&box);
        if (!on) return;
        if (box && box == on->last) {
            if (++on->waited > 100) PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
        on->waited = 0;
        if (!(on->last = box)) return;
        HWND focus = GetFocus();
        bool focused = focus == box || IsChild(box, focus);
        on->tookFocus = on->tookFocus && focused;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        on->said.push_back(text);
        if (focused) wintest::PressKey(VK_RETURN);
        else PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
};
}  // namespace

// Real keys into the focused box and the real box saying the range: one message, the text as it
// was before the refused key or paste, and the focus back in the box with its caret.
TEST(TkSpinEdit, AYearTypedOutOfRangeIsRefusedOrToldNeverChangedSilently) {
    SpinForm f;
    f.Show();
    SetForegroundWindow(f.Handle);
    wintest::Pump();
    enum How { Keys, CtrlV, ShiftIns, PasteMsg, Leave };
    const struct {
        How how;
        const char* text;
        int min, max, maxLength;
        const char* shown;
        size_t told;
    } cases[] = {
        {Keys, "10000", 1, 9999, 4, "1000", 1},  // the fifth digit is refused, with the range
        {Keys, "10000", 1, 9999, 0, "1000", 1},  // past 9999
        {Leave, "0", 1, 9999, 0, "1999", 1},     // below 1: the year before comes back, with the range
        {Leave, "2100", 1930, 2029, 0, "1999", 1},  // refused at "210" and said: not said again
        {Keys, "2024", 1, 9999, 4, "2024", 0},
        {Keys, "2030", 1930, 2029, 4, "203", 1},  // "203" is a number half typed
        {Keys, "2030", 1930, 2029, 0, "203", 1},
        {CtrlV, "2030", 1930, 2029, 4, "1999", 1},  // pasted over "1999"
        {ShiftIns, "20001", 1, 9999, 4, "1999", 1},  // longer than the box: not cut
        {PasteMsg, "2030", 1930, 2029, 0, "1999", 1},
        {CtrlV, "2001", 1930, 2029, 4, "2001", 0},
        {CtrlV, "20a1", 1930, 2029, 4, "1999", 0},  // no number: a beep, as for the key
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.min) + ".." + std::to_string(c.max));
        RealBoxes boxes;
        f.Year.MinValue = c.min;
        f.Year.MaxValue = c.max;
        f.Year.SetMaxLength(c.maxLength);
        bool paste = c.how == CtrlV || c.how == ShiftIns || c.how == PasteMsg;
        f.Year.SetText(paste || c.how == Leave ? "1999" : "");
        f.Year.SelectAll();
        SetFocus(f.Year.Handle);
        if (paste) {
            ASSERT_TRUE(tk::SetClipboardText(f.Handle, c.text));
        }
        if (c.how == CtrlV) wintest::PressKey('V', VK_CONTROL);
        if (c.how == ShiftIns) wintest::PressKey(VK_INSERT, VK_SHIFT);
        if (c.how == PasteMsg) f.Year.PasteFromClipboard();
        if (!paste)
            for (const char* k = c.text; *k; ++k) wintest::PressKey((WORD)*k);
        if (c.how == Leave) {
            wintest::PumpUntil([&] { return f.Year.Text() == c.text || !boxes.said.empty(); });
            SetFocus(f.Month.Handle);
        }
        std::string range = std::to_string(c.min) + "～" + std::to_string(c.max) + "の範囲で入力してください。";
        EXPECT_TRUE(wintest::PumpUntil([&] { return f.Year.Text() == c.shown && boxes.said.size() >= c.told; }));
        wintest::Pump();
        EXPECT_EQ(f.Year.Text(), c.shown);
        EXPECT_EQ(boxes.said, std::vector<std::string>(c.told, range));
        EXPECT_TRUE(boxes.tookFocus);
        if (c.how == Leave) continue;
        EXPECT_EQ(GetFocus(), f.Year.Handle);
        bool refusedPaste = paste && std::string(c.shown) == "1999";
        EXPECT_EQ(f.Year.SelStart(), refusedPaste ? 0 : (int)strlen(c.shown));
        EXPECT_EQ(f.Year.SelLength(), refusedPaste ? 4 : 0);
    }
}

// The schedule windows' date fields: a year typed below the range is told on leaving, not when set.
TEST(TkSpinEdit, DateFieldsTellAYearTypedBelowTheRange) {
    wintest::Hooks hooks;
    tk::Form form({.caption = "日付"});
    tk::SpinEdit y, m, d;
    tk::Label units[3];
    entry::CreateDateFields(form, y, m, d, {&units[0], &units[1], &units[2]}, 2024, 5, 1);
    y.OnChange = [&] { entry::SettleDateFields(y, m, d); };
    y.SetText("0");
    EXPECT_TRUE(hooks.boxes.empty());
    SendMessageA(y.Handle, EM_SETSEL, 0, -1);
    SendMessageA(y.Handle, WM_CHAR, '0', 1);
    EXPECT_TRUE(hooks.boxes.empty());
    SendMessageA(y.Handle, WM_KILLFOCUS, 0, 0);
    wintest::Pump();
    EXPECT_EQ(y.Text(), "1");
    EXPECT_EQ(hooks.boxes, std::vector<std::string>{kYearRange});
}

TEST(TkSpinEdit, HandlerThatLowersTheValueSettlesOnTheLastGoodOne) {
    tk::Form form({.caption = "日"});
    tk::SpinEdit day;
    day.Create(form, {.at = {8, 8, 60, 22}, .min = 1, .max = 31, .value = 1});
    int calls = 0;
    day.OnChange = [&] {
        ++calls;
        if (day.Value() > 29) day.SetValue(day.Value() - 1);  // February of a leap year
    };
    day.SetValue(31);
    EXPECT_EQ(day.Value(), 29);
    EXPECT_EQ(calls, 3);  // 31, 30, 29
}
