// A minimise and restore hides and shows the windows with their owner: no show or hide handler runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "settings/TelePhone.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

class ShowOnRestore : public wintest::WindowTest {
protected:
    HWND owner = nullptr;
    void SetUp() override {
        FreshDataFolder("orbal-restore-");
        tk::Application.Initialize();
        owner = tk::Application.Handle;
        ShowWindow(owner, SW_SHOWNOACTIVATE);  // with its task-bar button, as in the program
    }
    void TearDown() override {
        DestroyOpen<TForm18, TForm3>();
        if (Form1) Form1->Destroy();  // last: it takes windows of its own along
        ShowWindow(owner, SW_HIDE);
        wintest::Pump();
    }
    // As the system does it from the owner's window menu.
    void Minimise() { DefWindowProcA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0), wintest::Pump(); ASSERT_TRUE(IsIconic(owner)); }
    static void MinimiseItself(tk::Form& f) {
        SendMessageA(f.Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0), wintest::Pump();
        ASSERT_TRUE(IsIconic(f.Handle));
    }
    void Restore() { SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0), wintest::Pump(); }
};

}  // namespace

TEST_F(ShowOnRestore, HandlersRunForTheFormsOwnShowingOnly) {
    tk::Form f({.caption = "表示", .width = 200, .height = 120});
    int shows = 0, hides = 0;
    f.OnShow = [&] { ++shows; };
    f.OnHide = [&] { ++hides; };
    f.Show();
    // Brought forward while the owner is down it was never hidden; hidden by itself it stays so.
    const struct { const char* what; std::function<void()> act; int shows, hides; bool visible; } steps[] = {
        {"minimised", [&] { Minimise(); }, 1, 0, false},
        {"restored", [&] { Restore(); }, 1, 0, true},
        {"brought forward", [&] { Minimise(), f.BringForward(), Restore(); }, 1, 0, true},
        {"hidden", [&] { Minimise(), f.Hide(), Restore(); }, 1, 1, false},
        {"shown again", [&] { f.Show(); }, 2, 1, true},
        // Its own minimise button: showing brings it back without running the handler again.
        {"minimised itself, shown", [&] { MinimiseItself(f), f.Show(); }, 2, 1, true},
        {"minimised itself, hidden and shown", [&] { MinimiseItself(f), f.Hide(), f.Show(); }, 3, 2, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(std::tuple(shows, hides, f.Visible() && !IsIconic(f.Handle)), std::tuple(s.shows, s.hides, s.visible));
    }
}

TEST_F(ShowOnRestore, PhoneBookEditAndMovedMemosSurvive) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Show();
    tk::Application.CreateForm(Form3);
    Form3->Show();
    Form3->StringGrid1.FocusCell(1, 3);
    SendMessageA(Form3->StringGrid1.Handle, WM_CHAR, 'x', 0);  // typed, not saved yet
    TForm18* memos[2];
    for (int i : {0, 1}) {
        Form1->ComboBox1.SetItemIndex(2 * i);
        Form1->BitBtn9Click();
        (memos[i] = Form18)->SetBounds(40 + 500 * i, 300, 220 + 20 * i, 150);
    }
    cues.clear();
    Minimise();
    EXPECT_FALSE(Form3->Visible() || memos[0]->Visible() || memos[1]->Visible());
    Restore();
    EXPECT_EQ(Form3->StringGrid1.Cells(1, 3), "x");
    EXPECT_EQ(Form3->StringGrid1.Row(), 3);
    for (int i : {0, 1})
        EXPECT_EQ(std::tuple(memos[i]->Visible(), memos[i]->Left(), memos[i]->Width()),
                  std::tuple(true, 40 + 500 * i, 220 + 20 * i));
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "ope"), 0);
}
