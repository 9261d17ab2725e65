// The busy cursor: guards nest, every window of the program shows the shape while one lives, and
// the windows get their own cursors back however the work ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <stdexcept>

#include "controls/Jpeg.h"
#include "toolkit/Cursor.h"
#include "toolkit/Edit.h"

namespace {

// The cursor a window sets when the mouse moves over it.
HCURSOR CursorOver(const tk::Control& c) {
    SetCursor(nullptr);
    SendMessageA(c.Handle, WM_SETCURSOR, (WPARAM)c.Handle, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

const HCURSOR kWait = LoadCursor(nullptr, IDC_WAIT), kAppStart = LoadCursor(nullptr, IDC_APPSTARTING);

}  // namespace

TEST(TkBusyCursor, GuardsNestAndTheNewestShapeShowsOverEveryWindow) {
    tk::Form f({.caption = "待ち"});
    tk::Edit edit;
    edit.Create(f, {.at = {8, 8, 120, 22}});
    std::optional<tk::BusyCursor> outer, inner;
    outer.emplace(tk::crHourGlass);
    EXPECT_EQ(GetCursor(), kWait);
    inner.emplace(tk::crAppStart);
    EXPECT_EQ(GetCursor(), kAppStart);
    EXPECT_EQ(CursorOver(edit), kAppStart);
    inner.reset();
    EXPECT_EQ(tk::ScreenCursor(), tk::crHourGlass);
    EXPECT_EQ(CursorOver(f), kWait);
    EXPECT_EQ(CursorOver(edit), kWait);
    inner.emplace(tk::crAppStart);
    outer.reset();  // an older guard ending leaves the newer one's shape
    EXPECT_EQ(CursorOver(edit), kAppStart);
    inner.reset();
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
    EXPECT_EQ(CursorOver(edit), LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(CursorOver(f), LoadCursor(nullptr, IDC_ARROW));
}

TEST(TkBusyCursor, RestoredAfterAnExceptionInsideTheWork) {
    for (tk::TCursor shape : {tk::crHourGlass, tk::crAppStart}) {
        try {
            tk::BusyCursor outer(shape);
            tk::BusyCursor inner(tk::crHourGlass);
            throw std::runtime_error("作業の途中で失敗");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
        EXPECT_NE(GetCursor(), kWait);
        EXPECT_NE(GetCursor(), kAppStart);
    }
}

TEST(TkBusyCursor, JpegWindowShowsTheAppStartingArrowWhileItRuns) {
    rtl::TMemoryStream bmp;
    SaveBitmapToStream(tk::TBitmap(40, 30), bmp);
    TForm37 f;
    f.Image1.Tag = 1;
    f.MemoJpeg1.Tag = 1;
    tk::TCursor during = tk::crDefault;
    f.MemoJpeg1.OnCallback = [&](int, int) { during = tk::ScreenCursor(); };
    auto* in = new rtl::TMemoryStream;
    in->LoadFromString(bmp.Bytes());
    f.MemoJpeg1.SetInStream(in);
    f.MemoJpeg1.SetOutStream(new rtl::TMemoryStream);
    EXPECT_TRUE(f.MemoJpeg1.Compress());
    EXPECT_EQ(during, tk::crAppStart);
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
}
