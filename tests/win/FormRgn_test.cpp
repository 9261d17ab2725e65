// Window shapes: the region the owner window ends up with after each property change.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/FormRgn.h"
#include "toolkit/Form.h"

namespace {

struct Shape {
    int type;  // NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR (no shape)
    RECT box;
    bool corner, centre;  // do (1, 1) and the box's centre lie inside
};

Shape ShapeOf(HWND h) {
    Shape s{};
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    s.type = GetWindowRgn(h, r);
    if (s.type != ERROR) {
        GetRgnBox(r, &s.box);
        s.corner = PtInRegion(r, 1, 1);
        s.centre = PtInRegion(r, (s.box.left + s.box.right) / 2, (s.box.top + s.box.bottom) / 2);
    }
    DeleteObject(r);
    return s;
}

}  // namespace

TEST(FormRgn, EachStyleGivesItsShapeOverTheRectangle) {
    tk::Form f({.caption = "形", .width = 300, .height = 200, .border = tk::Border::None});
    TFormRgn rgn(f);
    EXPECT_EQ(ShapeOf(f.Handle).type, ERROR);  // nothing applied before a property is set
    EXPECT_EQ(rgn.RgnRight(), 400);
    EXPECT_EQ(rgn.GetStyle(), TFormRgn::rsRoundRect);

    rgn.SetRgnLeft(10);
    rgn.SetRgnTop(5);
    rgn.SetRgnRight(239);
    rgn.SetRgnBottom(75);
    Shape s = ShapeOf(f.Handle);
    EXPECT_EQ(s.type, COMPLEXREGION);  // rounded, 30 x 30 corners
    EXPECT_EQ(s.box.left, 10);
    EXPECT_EQ(s.box.top, 5);
    EXPECT_NEAR(s.box.right, 239, 1);  // rounded regions leave out the last column and row
    EXPECT_NEAR(s.box.bottom, 75, 1);

    rgn.SetStyle(TFormRgn::rsRect);
    s = ShapeOf(f.Handle);
    EXPECT_EQ(s.type, SIMPLEREGION);
    EXPECT_EQ(s.box.right, 239);

    rgn.SetStyle(TFormRgn::rsRoundRect);
    rgn.SetRgnWidth(0);
    rgn.SetRgnHeight(0);
    EXPECT_EQ(ShapeOf(f.Handle).type, SIMPLEREGION);  // no corners: a plain rectangle

    rgn.SetRgnLeft(0);
    rgn.SetRgnTop(0);
    rgn.SetRgnRight(100);
    rgn.SetRgnBottom(100);
    rgn.SetStyle(TFormRgn::rsEllipse);
    s = ShapeOf(f.Handle);
    EXPECT_EQ(s.type, COMPLEXREGION);
    EXPECT_FALSE(s.corner);
    EXPECT_TRUE(s.centre);
    EXPECT_LE(s.box.right, 100);
}

TEST(FormRgn, EnableRemovesAndRestoresAndSettersAlwaysReapply) {
    tk::Form f({.caption = "形", .width = 300, .height = 200, .border = tk::Border::None});
    {
        TFormRgn rgn(f);
        rgn.SetStyle(TFormRgn::rsRect);
        rgn.SetRgnRight(200);
        ASSERT_EQ(ShapeOf(f.Handle).type, SIMPLEREGION);
        rgn.SetEnable(false);
        EXPECT_EQ(ShapeOf(f.Handle).type, ERROR);
        rgn.SetRgnBottom(50);  // stored, not applied while disabled
        EXPECT_EQ(ShapeOf(f.Handle).type, ERROR);
        rgn.SetEnable(true);
        Shape s = ShapeOf(f.Handle);
        EXPECT_EQ(s.type, SIMPLEREGION);
        EXPECT_EQ(s.box.bottom, 50);

        // Someone else removed the shape: setting an unchanged value brings it back.
        SetWindowRgn(f.Handle, nullptr, TRUE);
        rgn.SetRgnBottom(50);
        EXPECT_EQ(ShapeOf(f.Handle).type, SIMPLEREGION);
    }
    EXPECT_EQ(ShapeOf(f.Handle).type, ERROR);  // gone with the component
}
