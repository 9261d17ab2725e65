// Hints on screen: the tip of the control under a resting mouse, its lines, a text changed while
// it is up, and the switches that keep it away.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "controls/SGaugeEx.h"
#include "tests/win/WinTest.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Hint.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

namespace {

struct HintScene {
    tk::Form form{{.caption = "ヒント", .left = 100, .top = 100, .width = 320, .height = 200, .topmost = true}};
    tk::Panel panel;
    tk::Button button;

    HintScene() {
        panel.Create(form, {.at = {10, 10, 140, 60}, .caption = "パネル"});
        button.Create(form, {.at = {170, 10, 100, 30}, .caption = "ボタン"});
        form.Show();
        wintest::Pump();
        // Short delays keep the test quick; the tip behaves the same.
        HWND tip = form.Hints().Handle;
        SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
        SendMessageA(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    }
    ~HintScene() {
        SetCursorPos(0, 0);
        tk::Application.ShowHint = true;
    }
    HWND Tip() { return form.Hints().Handle; }
    bool TipShown() { return IsWindowVisible(Tip()) != FALSE; }
    RECT TipRect() {
        RECT r{};
        GetWindowRect(Tip(), &r);
        return r;
    }
    // Rests the mouse on c and waits until the tip shows (or ms pass).
    bool RestOn(tk::Control& c, int ms = 1500) {
        SetCursorPos(0, 0);
        wintest::Pump();
        POINT p = c.ClientToScreen({c.Width() / 2, c.Height() / 2});
        SetCursorPos(p.x - 2, p.y);
        wintest::Pump();
        SetCursorPos(p.x, p.y);
        return WaitFor([&] { return TipShown(); }, ms);
    }
    static bool WaitFor(const std::function<bool()>& done, int ms) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < (DWORD)ms;) {
            wintest::Pump(1);
            if (done()) return true;
            Sleep(10);
        }
        return done();
    }
};

}  // namespace

TEST(TkHint, EveryKindOfControlShowsItsHintUnderARestingMouse) {
    HintScene s;
    tk::Label label;
    tk::Edit edit;
    tk::ComboBox combo;
    tk::StatusBar status;
    TSGauge gauge;
    label.Create(s.form, {.at = {10, 80, 60, 16}, .caption = "ラベル"});
    edit.Create(s.form, {.at = {80, 80, 80, 22}});
    combo.Create(s.form, {.at = {170, 80, 120, 22}, .items = {"一", "二"}});
    gauge.Create(s.form, {.at = {10, 110, 280, 15}});
    status.Create(s.form, {.caption = "状態"});
    struct Case {
        const char* name;
        tk::Control& control;
    } cases[] = {{"panel", s.panel}, {"button", s.button}, {"label", label}, {"edit", edit},
                 {"combo box", combo}, {"gauge", gauge}, {"status bar", status}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.control.Hint = std::string(c.name) + "のヒント";
        ASSERT_TRUE(s.RestOn(c.control));
        EXPECT_EQ(s.form.Hints().Shown(), &c.control);
        EXPECT_EQ(s.form.Hints().LastText(), c.control.Hint);
        EXPECT_EQ(tk::Application.Hint, c.control.Hint);
    }
}

TEST(TkHint, AControlWithoutAHintShowsItsParentsHint) {
    HintScene s;
    tk::Label label;
    label.Create(s.panel, {.at = {4, 4, 60, 16}, .caption = "中"});
    s.panel.Hint = "ダブルクリック：月齢表示";
    ASSERT_TRUE(s.RestOn(label));
    EXPECT_EQ(s.form.Hints().Shown(), &label);
    EXPECT_EQ(s.form.Hints().LastText(), "ダブルクリック：月齢表示");
    EXPECT_EQ(tk::Application.Hint, "ダブルクリック：月齢表示");
    s.panel.Hint = "ダブルクリック：ゲージ表示";  // the parent's text changing shows too
    EXPECT_EQ(s.form.Hints().LastText(), "ダブルクリック：ゲージ表示");
}

TEST(TkHint, LineBreaksInAHintMakeLinesOfTheTip) {
    // Each line adds the same height; "\r", "\n" and "\r\n" all break a line.
    struct Case {
        const char* hint;
        int lines;
    } cases[] = {{"一行目", 1}, {"一行目\r二行目", 2}, {"一行目\r\n二行目", 2}, {"一\r二\n三", 3}};
    HintScene s;
    int oneLine = 0, perLine = 0;
    for (auto& c : cases) {
        SCOPED_TRACE(c.hint);
        s.panel.Hint = c.hint;
        ASSERT_TRUE(s.RestOn(s.panel));
        RECT r = s.TipRect();
        int h = r.bottom - r.top;
        if (c.lines == 1) oneLine = h;
        else if (!perLine) perLine = (h - oneLine) / (c.lines - 1);
        EXPECT_GT(perLine > 0 ? perLine : h, 8);
        EXPECT_NEAR(h, oneLine + (c.lines - 1) * perLine, 1);
        EXPECT_EQ(std::count(s.form.Hints().LastText().begin(), s.form.Hints().LastText().end(), '\n'), c.lines - 1);
    }
}

TEST(TkHint, AHintChangedWhileShownShowsTheNewText) {
    HintScene s;
    s.panel.Hint = "1分間の割合\r現在 5秒経過";
    ASSERT_TRUE(s.RestOn(s.panel));
    RECT before = s.TipRect();
    s.panel.Hint = "1分間の割合\r現在 6秒経過\rもう一行";
    wintest::Pump();
    EXPECT_TRUE(s.TipShown());
    EXPECT_EQ(s.form.Hints().LastText(), "1分間の割合\r\n現在 6秒経過\r\nもう一行");
    RECT after = s.TipRect();
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
    // Another control's hint changing leaves the shown text alone.
    s.button.Hint = "ボタン";
    wintest::Pump();
    EXPECT_EQ(s.form.Hints().LastText(), "1分間の割合\r\n現在 6秒経過\r\nもう一行");
}

TEST(TkHint, NoTipWhereHintsAreOff) {
    struct Case {
        const char* name;
        std::function<void(HintScene&)> setUp;
        bool shown;
    } cases[] = {
        {"plain", [](HintScene&) {}, true},
        {"empty hint", [](HintScene& s) { s.panel.Hint = ""; }, false},
        {"control off", [](HintScene& s) { s.panel.SetShowHint(false); }, false},
        {"form off", [](HintScene& s) { s.form.SetShowHint(false); }, false},
        {"form off, control on", [](HintScene& s) { s.form.SetShowHint(false); s.panel.SetShowHint(true); }, true},
        {"application off", [](HintScene&) { tk::Application.ShowHint = false; }, false},
        {"disabled control", [](HintScene& s) { s.panel.SetEnabled(false); }, true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        HintScene s;
        s.panel.Hint = "ヒント";
        c.setUp(s);
        EXPECT_EQ(s.RestOn(s.panel, c.shown ? 1500 : 400), c.shown);
        if (c.shown) EXPECT_EQ(s.form.Hints().LastText(), "ヒント");
    }
}

TEST(TkHint, TurningHintsOffTakesTheShownTipDown) {
    HintScene s;
    s.button.Hint = "押します。";
    ASSERT_TRUE(s.RestOn(s.button));
    EXPECT_EQ(s.form.Hints().Shown(), &s.button);
    s.form.SetShowHint(false);
    EXPECT_FALSE(s.TipShown());
}
