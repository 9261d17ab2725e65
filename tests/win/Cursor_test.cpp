// The busy cursor: guards nest, every window of the program shows the shape while one lives,
// and the windows get their own cursors back however the work ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <stdexcept>

#include "controls/Jpeg.h"
#include "tests/win/WinTest.h"
#include "toolkit/Cursor.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

namespace {

HCURSOR Shape(LPCSTR id) { return LoadCursor(nullptr, id); }

// The cursor a window sets when the mouse moves over it.
HCURSOR CursorOver(HWND h) {
    SetCursor(nullptr);
    SendMessageA(h, WM_SETCURSOR, (WPARAM)h, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

}  // namespace

TEST(TkBusyCursor, GuardsNestAndTheNewestShapeShowsOverEveryWindow) {
    tk::Form f({.caption = "待ち"});
    tk::Edit edit;
    edit.Create(f, {.at = {8, 8, 120, 22}});
    ASSERT_EQ(tk::ScreenCursor(), tk::crDefault);
    {
        tk::BusyCursor outer(tk::crHourGlass);
        EXPECT_EQ(GetCursor(), Shape(IDC_WAIT));
        {
            tk::BusyCursor inner(tk::crAppStart);
            EXPECT_EQ(tk::ScreenCursor(), tk::crAppStart);
            EXPECT_EQ(GetCursor(), Shape(IDC_APPSTARTING));
            EXPECT_EQ(CursorOver(edit.Handle), Shape(IDC_APPSTARTING));
        }
        EXPECT_EQ(tk::ScreenCursor(), tk::crHourGlass);
        EXPECT_EQ(GetCursor(), Shape(IDC_WAIT));
        EXPECT_EQ(CursorOver(f.Handle), Shape(IDC_WAIT));
        EXPECT_EQ(CursorOver(edit.Handle), Shape(IDC_WAIT));
    }
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
    EXPECT_NE(GetCursor(), Shape(IDC_WAIT));
    EXPECT_EQ(CursorOver(edit.Handle), Shape(IDC_IBEAM));
    EXPECT_EQ(CursorOver(f.Handle), Shape(IDC_ARROW));
}

TEST(TkBusyCursor, GuardsMayEndInAnyOrder) {
    std::optional<tk::BusyCursor> first, second;
    first.emplace(tk::crAppStart);
    second.emplace(tk::crHourGlass);
    first.reset();  // the newer guard still shows its shape
    EXPECT_EQ(tk::ScreenCursor(), tk::crHourGlass);
    EXPECT_EQ(GetCursor(), Shape(IDC_WAIT));
    second.reset();
    EXPECT_EQ(tk::ScreenCursor(), tk::crDefault);
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
        EXPECT_NE(GetCursor(), Shape(IDC_WAIT));
        EXPECT_NE(GetCursor(), Shape(IDC_APPSTARTING));
    }
}

TEST(TkBusyCursor, JpegWindowShowsTheAppStartingArrowWhileItRuns) {
    tk::TBitmap b(40, 30);
    rtl::TMemoryStream bmp;
    SaveBitmapToStream(b, bmp);
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
