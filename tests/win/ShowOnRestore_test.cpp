// Minimising the program and restoring it hides and shows its windows with their owner: no
// window's show or hide handler runs for that, so nothing a window holds is reloaded or reset.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "settings/TelePhone.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

// Ways the program goes to the task bar and comes back, on the owner of every form.
struct Route {
    const char* what;
    bool hidesForms;  // the owned forms really go out of sight meanwhile
    void (*minimise)(HWND owner);
};
const Route kRoutes[] = {
    // What the system does for an owner minimised from its window menu: the owned windows are
    // hidden with it, and shown again when it is restored.
    {"minimised by the system", true, [](HWND h) { DefWindowProcA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
    {"task-bar button", false, [](HWND h) { SendMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
};

class ShowOnRestore : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-restore-");
        ShowWindow(tk::Application.Handle, SW_SHOWNOACTIVATE);  // the task-bar button, as in the program
    }
    void TearDown() override {
        DestroyOpen<TForm18>();
        DestroyOpen<TForm3>();
        if (Form1) Form1->Destroy();  // last: it takes windows of its own along
        ShowWindow(tk::Application.Handle, SW_HIDE);
        wintest::Pump();
    }
    // Minimises and restores the program along r; the forms are checked hidden in between.
    void MinimiseAndRestore(const Route& r, const std::vector<tk::Form*>& forms) {
        HWND owner = tk::Application.Handle;
        r.minimise(owner);
        wintest::Pump();
        ASSERT_TRUE(IsIconic(owner));
        for (tk::Form* f : forms) EXPECT_EQ(IsWindowVisible(f->Handle), !r.hidesForms);
        SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        wintest::Pump();
        ASSERT_FALSE(IsIconic(owner));
        for (tk::Form* f : forms) EXPECT_TRUE(IsWindowVisible(f->Handle));
    }
};

}  // namespace

TEST_F(ShowOnRestore, HandlersRunForTheFormsOwnShowingOnly) {
    tk::Form f({.caption = "表示", .width = 200, .height = 120});
    int shows = 0, hides = 0;
    f.OnShow = [&] { ++shows; };
    f.OnHide = [&] { ++hides; };
    f.Show();
    for (const Route& r : kRoutes) {
        SCOPED_TRACE(r.what);
        MinimiseAndRestore(r, {&f});
        EXPECT_EQ(shows, 1);
        EXPECT_EQ(hides, 0);
    }
    // While the program is down: brought forward (from the tray) it was never hidden; hidden by
    // itself, it runs its hide handler, and its next showing is its own.
    HWND owner = tk::Application.Handle;
    auto restore = [owner] { SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0); };
    const struct {
        const char* what;
        std::function<void()> act;
        int shows, hides;
        bool visible;
    } steps[] = {
        {"brought forward", [&] { kRoutes[0].minimise(owner), f.BringForward(); }, 1, 0, true},
        {"hidden", [&] { restore(), kRoutes[0].minimise(owner), f.Hide(); }, 1, 1, false},
        {"the program restored", restore, 1, 1, false},
        {"shown again", [&] { f.Show(); }, 2, 1, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        wintest::Pump();
        EXPECT_EQ(shows, s.shows);
        EXPECT_EQ(hides, s.hides);
        EXPECT_EQ(f.Visible(), s.visible);
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
    std::vector<TForm18*> memos;
    for (int group : {0, 2}) {
        Form1->ComboBox1.SetItemIndex(group);
        Form1->BitBtn9Click();
        memos.push_back(Form18);
    }
    ASSERT_TRUE(memos[0] && memos[1] && memos[0] != memos[1]);
    memos[0]->SetBounds(40, 300, 220, 150);
    memos[1]->SetBounds(560, 320, 240, 160);
    memos[1]->RichEdit1.SetText("二つ目");
    cues.clear();
    for (const Route& r : kRoutes) {
        SCOPED_TRACE(r.what);
        MinimiseAndRestore(r, {Form1, Form3, memos[0], memos[1]});
        EXPECT_EQ(Form3->StringGrid1.Cells(1, 3), "x");
        EXPECT_EQ(Form3->StringGrid1.Row(), 3);
        EXPECT_EQ(memos[0]->Left(), 40);
        EXPECT_EQ(memos[0]->Top(), 300);
        EXPECT_EQ(memos[1]->Left(), 560);
        EXPECT_EQ(memos[1]->Width(), 240);
        EXPECT_EQ(memos[1]->RichEdit1.Text(), "二つ目");
        EXPECT_EQ(std::count(cues.begin(), cues.end(), "ope"), 0);
    }
}
