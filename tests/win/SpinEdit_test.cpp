// Number boxes: the range, the steps of the arrows and keys, typing, and handlers that set
// the value again (as the date fields do when a day does not exist).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/WinTest.h"
#include "schedule/EntryControls.h"
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

TEST(TkSpinEdit, AYearTypedOutOfRangeIsRefusedOrToldNeverChangedSilently) {
    wintest::Hooks hooks;
    SpinForm f;
    const struct { const char* typed; int maxLength; const char* shown; size_t told; } cases[] = {
        {"10000", 4, "1000", 1},  // the fifth digit is refused, with the range
        {"10000", 0, "1000", 1},  // past 9999
        {"0", 0, "1", 1},         // below 1: pulled in on leaving, with the range
        {"2024", 4, "2024", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in " + std::to_string(c.maxLength));
        hooks.boxes.clear();
        f.Year.SetMaxLength(c.maxLength);
        f.Year.SetText("");
        for (const char* k = c.typed; *k; ++k) SendMessageA(f.Year.Handle, WM_CHAR, *k, 1);
        SendMessageA(f.Year.Handle, WM_KILLFOCUS, 0, 0);
        wintest::Pump();
        EXPECT_EQ(f.Year.Text(), c.shown);
        EXPECT_EQ(hooks.boxes, std::vector<std::string>(c.told, kYearRange));
    }
}

// The schedule windows' date fields correct a year at once: told when typed, not when set.
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
