// The please-wait window: its texts, shape and style, and the helper that shows it for the length
// of a piece of work and closes it however the work ends.
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

    // Closing frees it.
    f->Show();
    f->Close();
    wintest::Pump();
    EXPECT_TRUE(std::find(tk::Application.Forms.begin(), tk::Application.Forms.end(), f) == tk::Application.Forms.end());
}

TEST(PleaseWaitWindow, TheVersionComesFromTheMainWindowsAboutPanel) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "orbal-wait";
    tk::ForceDirectories(dir);
    settings::SetIniPathForTest(dir + "\\orbal98.ini");
    settings::Open().WriteInteger("Form", "Open", 1);
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Label12.SetCaption("Version 9.87");
    {
        PleaseWait wait("メモを読み込んでいます。");
        EXPECT_EQ(Form35->Label3.Caption(), "Version 9.87");
    }
    Form1->Destroy();
    tk::SetSoundHookForTest(nullptr);
    settings::SetIniPathForTest("");
}

TEST(PleaseWaitWindow, TheHelperClosesTheWindowHoweverTheWorkEnds) {
    struct Case {
        const char* what;
        bool throws, closedEarly;
    } cases[] = {{"work done", false, false}, {"work failed", true, false}, {"closed by itself", false, true}};
    for (auto& c : cases) {
        HWND h = nullptr;
        try {
            PleaseWait wait(c.what);
            ASSERT_NE(wait.Window(), nullptr) << c.what;
            EXPECT_EQ(Form35, wait.Window()) << c.what;
            h = Form35->Handle;
            EXPECT_TRUE(IsWindowVisible(h)) << c.what;
            EXPECT_EQ(Form35->Label1.Caption(), c.what);
            if (c.closedEarly) {
                Form35->Close();
                wintest::Pump();
                EXPECT_EQ(wait.Window(), nullptr) << c.what;
            }
            if (c.throws) throw std::runtime_error("stop");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(Form35, nullptr) << c.what;
        EXPECT_FALSE(IsWindow(h)) << c.what;
    }
}
