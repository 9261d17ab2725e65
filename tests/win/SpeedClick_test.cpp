// Speed buttons pressed as a user presses them: the mouse rests until the tip shows, then clicks.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "controls/EdDial.h"
#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "notes/Nikki.h"
#include "schedule/Todo.h"
#include "tests/win/WinTest.h"
#include "toolkit/Hint.h"
#include "toolkit/Telephony.h"

namespace {

// Rests the mouse on b until its form's tip shows, then presses and releases the left button
// there, running `between` while it is held. False when no tip showed.
bool Press(tk::SpeedButton& b, const std::function<void()>& between = {}) {
    tk::Control* top = &b;
    while (top->Parent) top = top->Parent;
    HWND tip = static_cast<tk::Form*>(top)->Hints().Handle;
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 20);  // quicker, same behaviour
    // From elsewhere on the form first, so the tip starts over for this button.
    POINT away = top->ClientToScreen({top->ClientWidth() - 2, top->ClientHeight() - 2});
    bool shown = wintest::RestCursor(away, b.ClientToScreen({b.Width() / 2, b.Height() / 2}),
                                     [&] { return IsWindowVisible(tip) != FALSE; });
    LPARAM at = MAKELPARAM(b.Width() / 2, b.Height() / 2);
    PostMessageA(b.Handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
    wintest::Pump();
    EXPECT_EQ(GetCapture(), b.Handle) << "held by the press";
    EXPECT_FALSE(IsWindowVisible(tip)) << "the press takes the tip down";
    if (between) between();
    PostMessageA(b.Handle, WM_LBUTTONUP, 0, at);
    wintest::Pump();
    return shown;
}

// A rich-text bar's buttons in order: B, I, U, S, then left, centre, right.
const struct {
    const char* name;
    int style;             // 0: an alignment button
    tk::TAlignment align;  // an alignment button's
} kButtons[] = {{"B", tk::fsBold, {}},          {"I", tk::fsItalic, {}},       {"U", tk::fsUnderline, {}},
                {"S", tk::fsStrikeOut, {}},     {"left", 0, tk::taLeftJustify}, {"centre", 0, tk::taCenter},
                {"right", 0, tk::taRightJustify}};

// Each button on a selection in the first line and at a bare caret there (the text typed next),
// from plain text aligned otherwise; the second line stays plain.
void PressEveryButton(tk::RichEdit& text, tk::RichToolbar& bar, std::vector<tk::SpeedButton*> buttons) {
    for (size_t i = 0; i < buttons.size(); ++i)
        for (bool caret : {false, true}) {
            auto& k = kButtons[i];
            SCOPED_TRACE(std::string(k.name) + (caret ? " at the caret" : " on a selection"));
            text.SetText("abc\r\ndef");
            text.SelectAll();
            text.SelAttributes.SetStyle(0);
            text.Paragraph.SetAlignment(k.align == tk::taLeftJustify ? tk::taRightJustify : tk::taLeftJustify);
            text.Select(caret ? 1 : 0, caret ? 0 : 3);
            bar.Sync();
            ASSERT_FALSE(buttons[i]->Down());
            EXPECT_TRUE(Press(*buttons[i])) << "the tip shows";
            EXPECT_TRUE(buttons[i]->Down());
            if (!k.style) {
                EXPECT_EQ(text.Paragraph.Alignment(), k.align);
                continue;
            }
            if (caret) SendMessageA(text.Handle, WM_CHAR, 'x', 0), text.Select(1, 1);
            EXPECT_TRUE(text.SelAttributes.Style() & k.style);
            text.Select(5, 3);
            EXPECT_FALSE(text.SelAttributes.Style() & k.style);
        }
}

class SpeedClick : public wintest::WindowTest {
protected:
    void SetUp() override { FreshDataFolder("orbal-speed-"); }
    void TearDown() override {
        DestroyOpen<TForm8, TForm15, TForm18>();
        if (Form1) Form1->Destroy();
        wintest::Pump();
    }
};

}  // namespace

TEST_F(SpeedClick, FormattingButtonsOfTheDiary) {
    TForm8& d = *OpenDiary((int)rtl::EncodeDate(2024, 5, 3));
    wintest::Pump();
    PressEveryButton(d.RichEdit1, *d.Toolbar,
                     {&d.SpeedButton1, &d.SpeedButton2, &d.SpeedButton3, &d.SpeedButton4, &d.SpeedButton6,
                      &d.SpeedButton7, &d.SpeedButton8});
}

TEST_F(SpeedClick, FormattingButtonsOfTheToDoBoard) {
    tk::Application.CreateForm(Form15);
    Form15->Show();
    Form15->BitBtn2Click();  // an item to write in
    Form15->TreeView1.EndEdit(true);
    wintest::Pump();
    TForm15& b = *Form15;
    PressEveryButton(b.RichEdit1, *b.Toolbar, {&b.Bold1, &b.Italic1, &b.Underline1, &b.Strikeout1});
}

TEST_F(SpeedClick, FormattingButtonsOfAMemo) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->BitBtn9Click();
    ASSERT_TRUE(Form18);
    TForm18& m = *Form18;
    m.K5Click();  // the toolbar on
    wintest::Pump();
    PressEveryButton(m.RichEdit1, m.Bar(),
                     {&m.SpeedButton1, &m.SpeedButton2, &m.SpeedButton3, &m.SpeedButton4, &m.SpeedButton6,
                      &m.SpeedButton7, &m.SpeedButton8});
}

TEST_F(SpeedClick, APressWhoseCaptureIsTakenClicksNothing) {
    TForm8& d = *OpenDiary((int)rtl::EncodeDate(2024, 5, 3));
    wintest::Pump();
    d.RichEdit1.SetText("abc");
    d.RichEdit1.SelectAll();
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"another window takes it", [&] { SetCapture(d.Handle); }},
        {"a message box cancels the mode", [&] { SendMessageA(d.SpeedButton1.Handle, WM_CANCELMODE, 0, 0); }}};
    for (auto& [name, between] : cases) {
        SCOPED_TRACE(name);
        Press(d.SpeedButton1, between);
        ReleaseCapture();
        EXPECT_FALSE(d.SpeedButton1.Down());
        EXPECT_FALSE(d.RichEdit1.SelAttributes.Style() & tk::fsBold);
    }
}

TEST_F(SpeedClick, TheDialButtonDials) {
    tk::Form f({.caption = "dial", .width = 300, .height = 80});
    TEditAndDial dial;
    dial.Create(f, {.at = {8, 8, 200, 24}, .caption = "03-1234"});
    dial.SetButtonHint("ダイヤル");
    f.Show();
    std::vector<std::string> dialled;
    tk::SetMakeCallHookForTest([&](const tk::MakeCall& c) { return dialled.push_back(c.number), true; });
    EXPECT_TRUE(Press(dial.InnerButton()));
    tk::SetMakeCallHookForTest(nullptr);
    EXPECT_EQ(dialled, std::vector<std::string>{"03-1234"});
}
