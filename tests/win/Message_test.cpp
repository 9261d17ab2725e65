// The please-wait window: its texts, shape and style, and the helper that shows the one window
// for the length of a piece of work and hides it however the work ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

TEST(PleaseWaitWindow, ShowsItsTextsOnARoundedTopmostCard) {
    TForm35* f = new TForm35;
    EXPECT_EQ(f->Label1.Caption(), "ランチャーメニューを再構築しています。");
    EXPECT_EQ(f->Label2.Caption(), "ぬぺの Lumet");
    if (!Form1) {  // no main window: the version it would show
        EXPECT_EQ(f->Label3.Caption(), kVersion);
    }
    LONG style = GetWindowLongA(f->Handle, GWL_STYLE), ex = GetWindowLongA(f->Handle, GWL_EXSTYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_EQ(f->Panel1.Color, tk::clInfoBk);

    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(f->Handle, r), COMPLEXREGION);
    RECT box;
    GetRgnBox(r, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_NEAR(box.right, f->Width(), 1);
    EXPECT_NEAR(box.bottom, f->Height(), 1);
    EXPECT_FALSE(PtInRegion(r, 1, 1));  // the corners are cut
    EXPECT_TRUE(PtInRegion(r, f->Width() / 2, f->Height() / 2));
    DeleteObject(r);

    // Every text fits on the card.
    for (tk::Label* l : {&f->Label1, &f->Label2, &f->Label3}) {
        EXPECT_LE(l->Left() + l->Width(), f->ClientWidth()) << l->Caption();
        EXPECT_LE(l->Top() + l->Height(), f->ClientHeight()) << l->Caption();
    }

    // Closing hides it for the next use.
    f->ShowNote();
    f->Close();
    wintest::Pump();
    EXPECT_TRUE(std::find(tk::Application.Forms.begin(), tk::Application.Forms.end(), f) != tk::Application.Forms.end());
    EXPECT_FALSE(IsWindowVisible(f->Handle));
    f->Destroy();
}

TEST(PleaseWaitWindow, TheVersionComesFromTheMainWindowsAboutPanel) {
    wintest::Hooks hooks;
    std::string dir = wintest::FreshTestDir("orbal-wait-");
    settings::SetIniPathForTest(dir + "\\orbal98.ini");
    settings::Open().WriteInteger("Form", "Open", 1);
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    // Each use shows the panel's text as it reads then (the About panel's button rewrites it).
    for (const char* version : {"Version 9.87", "↓の言う事は聞こうね｡"}) {
        Form1->Label12.SetCaption(version);
        PleaseWait wait("メモを読み込んでいます。");
        EXPECT_EQ(Form35->Label3.Caption(), version);
    }
    Form1->Destroy();
}

TEST(PleaseWaitWindow, TheHelperHidesTheOneWindowHoweverTheWorkEnds) {
    struct Case {
        const char* what;
        bool throws, closedEarly;
    } cases[] = {{"work done", false, false}, {"work failed", true, false}, {"closed by itself", false, true}};
    HWND first = nullptr;
    for (auto& c : cases) {
        HWND h = nullptr;
        try {
            PleaseWait wait(c.what);
            ASSERT_NE(wait.Window(), nullptr) << c.what;
            EXPECT_EQ(Form35, wait.Window()) << c.what;
            h = Form35->Handle;
            EXPECT_TRUE(IsWindowVisible(h)) << c.what;
            EXPECT_EQ(Form35->Label1.Caption(), c.what);
            // Centred, at the top of the stay-on-top windows, and the focus stays where it was.
            RECT r;
            GetWindowRect(h, &r);
            EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << c.what;
            EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2) << c.what;
            EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) << c.what;
            EXPECT_NE(GetActiveWindow(), h) << c.what;
            if (c.closedEarly) {
                Form35->Close();
                wintest::Pump();
                EXPECT_FALSE(IsWindowVisible(h)) << c.what;
            }
            if (c.throws) throw std::runtime_error("stop");
        } catch (const std::runtime_error&) {
        }
        // Gone from the screen, kept for the next use.
        ASSERT_NE(Form35, nullptr) << c.what;
        EXPECT_FALSE(IsWindowVisible(h)) << c.what;
        EXPECT_TRUE(IsWindow(h)) << c.what;
        if (!first) first = h;
        EXPECT_EQ(h, first) << c.what;
    }
}

TEST(PleaseWaitWindow, AnInnerWaitShowsItsTextThenTheOuterOnesAgain) {
    {
        PleaseWait outer("メモを読み込んでいます。");
        {
            PleaseWait inner("メモを再構築しています。");
            EXPECT_EQ(Form35->Label1.Caption(), "メモを再構築しています。");
        }
        EXPECT_EQ(Form35->Label1.Caption(), "メモを読み込んでいます。");
        EXPECT_TRUE(IsWindowVisible(Form35->Handle));
    }
    EXPECT_FALSE(IsWindowVisible(Form35->Handle));

    // Freed by something else in between: the next use makes it anew.
    Form35->Destroy();
    EXPECT_EQ(Form35, nullptr);
    {
        PleaseWait wait("スケジュールを読み込んでいます。");
        ASSERT_NE(Form35, nullptr);
        EXPECT_TRUE(IsWindowVisible(Form35->Handle));
    }
    EXPECT_FALSE(IsWindowVisible(Form35->Handle));
}
