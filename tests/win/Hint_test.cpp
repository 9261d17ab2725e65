// Hints on screen: the tip of the control under a resting mouse, its lines, a text changed while
// it is up, and the switches that keep it away.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "controls/SGaugeEx.h"
#include "tests/win/WinTest.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Hint.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

namespace {

struct HintScene {
    tk::Form form{{.caption = "ヒント", .left = 100, .top = 100, .width = 320, .height = 200, .topmost = true}};
    tk::Panel panel;
    tk::Label label;

    HintScene() {
        panel.Create(form, {.at = {10, 10, 140, 60}, .hint = "ヒント"});
        label.Create(panel, {.at = {4, 4, 60, 16}, .caption = "中"});
        form.Show();
        SendMessageA(Tip(), TTM_SETDELAYTIME, TTDT_INITIAL, 50);  // quicker, same behaviour
    }
    ~HintScene() { tk::Application.ShowHint = true; }
    HWND Tip() { return form.Hints().Handle; }
    int TipHeight() {
        RECT r{};
        GetWindowRect(Tip(), &r);
        return r.bottom - r.top;
    }
    const std::string& Shown() { return form.Hints().LastText(); }
    // Rests the mouse on c (from the screen's top edge); true when the tip of c, or of the parent
    // whose hint c shows, comes within ms.
    bool RestOn(tk::Control& c, int ms = 10000) {
        return wintest::RestCursor({20, 0}, c.ClientToScreen({c.Width() / 2, c.Height() / 2}), [&] {
            for (tk::Control* o = &c; o; o = o->Parent)
                if (o == form.Hints().Shown()) return IsWindowVisible(Tip()) != FALSE;
            return false;
        }, ms);
    }
};

}  // namespace

TEST(TkHint, EveryKindOfControlShowsItsHintUnderARestingMouse) {
    HintScene s;
    tk::Button button;
    tk::Edit edit;
    tk::ComboBox combo;
    tk::StatusBar status;
    TSGauge gauge;
    button.Create(s.form, {.at = {170, 10, 100, 30}, .caption = "ボタン"});
    edit.Create(s.form, {.at = {80, 80, 80, 22}});
    combo.Create(s.form, {.at = {170, 80, 120, 22}, .items = {"一", "二"}});
    gauge.Create(s.form, {.at = {10, 110, 280, 15}});
    status.Create(s.form, {.caption = "状態"});
    struct Case {
        const char* name;
        tk::Control& control;
    } cases[] = {{"panel", s.panel},  {"button", button}, {"edit", edit},
                 {"combo box", combo}, {"gauge", gauge},  {"status bar", status}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.control.Hint = std::string(c.name) + "のヒント";
        ASSERT_TRUE(s.RestOn(c.control));
        EXPECT_EQ(s.form.Hints().Shown(), &c.control);
        EXPECT_EQ(s.Shown(), c.control.Hint);
        EXPECT_EQ(tk::Application.Hint, c.control.Hint);
    }
    // A control without a hint shows its parent's.
    ASSERT_TRUE(s.RestOn(s.label));
    EXPECT_EQ(s.Shown(), "panelのヒント");
}

TEST(TkHint, LineBreaksInAHintMakeLinesOfTheTip) {
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
        int h = s.TipHeight();
        if (c.lines == 1) oneLine = h;
        else if (!perLine) perLine = (h - oneLine) / (c.lines - 1);
        EXPECT_GT(perLine > 0 ? perLine : h, 8);  // each line adds the same height
        EXPECT_NEAR(h, oneLine + (c.lines - 1) * perLine, 1);
        EXPECT_EQ(std::count(s.Shown().begin(), s.Shown().end(), '\n'), c.lines - 1);
    }
}

TEST(TkHint, AHintChangedWhileShownShowsTheNewText) {
    HintScene s;
    s.panel.Hint = "1分間の割合\r現在 5秒経過";
    ASSERT_TRUE(s.RestOn(s.label));  // the label shows its parent's hint
    int before = s.TipHeight();
    s.panel.Hint = "1分間の割合\r現在 6秒経過\rもう一行";
    EXPECT_TRUE(IsWindowVisible(s.Tip()));
    EXPECT_EQ(s.Shown(), "1分間の割合\r\n現在 6秒経過\r\nもう一行");
    EXPECT_GT(s.TipHeight(), before);
    s.form.SetShowHint(false);  // hints turned off take the tip down
    EXPECT_FALSE(IsWindowVisible(s.Tip()));
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
        {"form off, control on", [](HintScene& s) { s.form.SetShowHint(false), s.panel.SetShowHint(true); }, true},
        {"application off", [](HintScene&) { tk::Application.ShowHint = false; }, false},
        {"disabled control", [](HintScene& s) { s.panel.SetEnabled(false); }, true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        HintScene s;
        c.setUp(s);
        EXPECT_EQ(s.RestOn(s.panel, c.shown ? 10000 : 400), c.shown);
    }
}
