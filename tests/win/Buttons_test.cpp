// Push buttons: clicks, modal results, the Enter and Escape keys of a form, and the glyphs
// that BitBtn draws.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "tests/win/WinTest.h"
#include "toolkit/Application.h"
#include "toolkit/Buttons.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

namespace {

struct ButtonForm : tk::Form {
    tk::Button Ok, Cancel;
    tk::Edit Edit1;
    tk::Memo Memo1;
    int okClicks = 0, cancelClicks = 0;
    ButtonForm() : Form({.caption = "ボタン", .width = 300, .height = 200}) {
        Edit1.Create(*this, {.at = {8, 8, 100, 22}});
        Memo1.Create(*this, {.at = {8, 40, 100, 60}});
        Ok.Create(*this, {.at = {120, 120, 75, 25}, .caption = "OK", .style = tk::btDefault});
        Cancel.Create(*this, {.at = {200, 120, 75, 25}, .caption = "キャンセル", .style = tk::btCancel});
        Ok.OnClick = [this] { ++okClicks; };
        Cancel.OnClick = [this] { ++cancelClicks; };
    }
    // A key as the message loop delivers it to the focused control.
    void Key(WORD vk) {
        MSG m{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
        tk::Application.Dispatch(m);
        wintest::Pump();
    }
};

int CountPixels(HWND h, COLORREF want) {
    RECT r;
    GetClientRect(h, &r);
    HDC dc = GetDC(h);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(dc, x, y) == want) ++n;
    ReleaseDC(h, dc);
    return n;
}

}  // namespace

TEST(TkButton, ClickMessageFiresOnClickOnce) {
    ButtonForm f;
    SendMessageA(f.Ok.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(f.okClicks, 1);
    EXPECT_EQ(f.cancelClicks, 0);
    EXPECT_EQ(f.ModalResult, tk::mrNone);  // a form that is not modal keeps no result
}

TEST(TkButton, ModalResultEndsTheModalRunUnlessTheHandlerTakesItBack) {
    ButtonForm f;
    f.Ok.ModalResult = tk::mrOk;
    // The first click is refused by its handler; the second one ends the run.
    f.Ok.OnClick = [&] {
        if (++f.okClicks == 1) f.ModalResult = tk::mrNone;
    };
    PostMessageA(f.Ok.Handle, BM_CLICK, 0, 0);
    PostMessageA(f.Ok.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(f.ShowModal(), tk::mrOk);
    EXPECT_EQ(f.okClicks, 2);
}

TEST(TkButton, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    ButtonForm f;
    f.Show();
    f.BringForward();
    wintest::Pump();
    f.Edit1.SetFocus();
    f.Key(VK_RETURN);
    EXPECT_EQ(f.okClicks, 1);
    f.Key(VK_ESCAPE);
    EXPECT_EQ(f.cancelClicks, 1);

    // A memo makes a new line of Enter; a focused button takes Enter itself.
    f.Memo1.SetFocus();
    f.Key(VK_RETURN);
    EXPECT_EQ(f.okClicks, 1);
    f.Cancel.SetFocus();
    MSG m{f.Cancel.Handle, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    tk::Application.Dispatch(m);
    wintest::Pump();
    EXPECT_EQ(f.okClicks, 1);
    EXPECT_EQ(f.cancelClicks, 2);

    // Disabled buttons do nothing; a freed default button leaves the key alone.
    f.Edit1.SetFocus();
    f.Ok.SetEnabled(false);
    f.Key(VK_RETURN);
    EXPECT_EQ(f.okClicks, 1);
    auto extra = std::make_unique<tk::Button>();
    int extraClicks = 0;
    extra->Create(f, {.at = {8, 120, 75, 25}, .caption = "追加", .style = tk::btDefault});
    extra->OnClick = [&] { ++extraClicks; };
    f.Key(VK_RETURN);
    EXPECT_EQ(extraClicks, 1);
    extra.reset();
    f.Key(VK_RETURN);
    EXPECT_EQ(extraClicks, 1);
}

TEST(TkBitBtn, KindsBringCaptionResultAndKeys) {
    tk::Form f({.caption = "種類"});
    tk::BitBtn ok, cancel, close;
    ok.Create(f, {.at = {8, 8, 90, 25}, .style = tk::bkOK});
    cancel.Create(f, {.at = {100, 8, 90, 25}, .style = tk::bkCancel});
    close.Create(f, {.at = {200, 8, 90, 25}, .caption = "終了", .style = tk::bkClose});
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_EQ(cancel.Caption(), "キャンセル");
    EXPECT_EQ(close.Caption(), "終了");  // a caption given stays
    EXPECT_EQ(ok.ModalResult, tk::mrOk);
    EXPECT_TRUE(ok.Default());
    EXPECT_TRUE(cancel.Cancel());
    ok.SetKind(tk::bkYes);
    EXPECT_EQ(ok.Caption(), "はい(&Y)");  // the stock caption follows the kind
    EXPECT_EQ(ok.ModalResult, tk::mrYes);

    PostMessageA(cancel.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(f.ShowModal(), tk::mrCancel);
}

TEST(TkBitBtn, CloseKindClosesTheFormInsteadOfClicking) {
    tk::Form f({.caption = "閉じる"});
    tk::BitBtn close;
    close.Create(f, {.at = {8, 8, 90, 25}, .style = tk::bkClose});
    int clicks = 0, closes = 0;
    close.OnClick = [&] { ++clicks; };
    f.OnClose = [&](tk::CloseAction& a) {
        ++closes;
        a = tk::CloseAction::None;
    };
    SendMessageA(close.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(clicks, 0);
}

TEST(TkBitBtn, GlyphIsDrawnInColourAndGreyedWhenDisabled) {
    tk::Form f({.caption = "絵", .width = 300, .height = 120});
    tk::BitBtn ok;
    ok.Create(f, {.at = {8, 8, 100, 30}, .style = tk::bkOK});
    f.Show();
    wintest::Pump();
    UpdateWindow(ok.Handle);
    const COLORREF green = RGB(0, 128, 0);
    EXPECT_GT(CountPixels(ok.Handle, green), 10);
    ok.SetEnabled(false);
    RedrawWindow(ok.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(CountPixels(ok.Handle, green), 0);
    EXPECT_GT(CountPixels(ok.Handle, GetSysColor(COLOR_BTNSHADOW)), 10);

    // A glyph of our own, with its bottom-left colour left out.
    tk::TBitmap g(12, 12);
    g.Canvas().Brush.Color = tk::clFuchsia;
    g.Canvas().FillRect({0, 0, 12, 12});
    g.Canvas().Brush.Color = tk::clBlue;
    g.Canvas().FillRect({3, 3, 9, 9});
    ok.SetEnabled(true);
    ok.SetGlyph(g);
    RedrawWindow(ok.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(CountPixels(ok.Handle, RGB(0, 0, 255)), 36);
    EXPECT_EQ(CountPixels(ok.Handle, RGB(255, 0, 255)), 0);
}
