// Image: where the picture lands (plain, centred, stretched, transparent), pictures whose canvas is
// in use, and auto size.
#include <gtest/gtest.h>

#include "toolkit/Form.h"
#include "toolkit/Image.h"

namespace {

// A picture filled with one colour; drawing on it leaves its canvas open (the case that matters).
void Fill(tk::TBitmap& b, int w, int h, tk::TColor c) {
    b.SetSize(w, h);
    b.Canvas().Brush.Color = c;
    b.Canvas().FillRect({0, 0, w, h});
}

struct PaintedImage : tk::Image {
    // Paints the control into a bitmap the size of its client area, on the background colour.
    void PaintTo(tk::TBitmap& out) {
        RECT r = ClientRect();
        Fill(out, r.right, r.bottom, tk::clWhite);
        Paint(out.Canvas());
    }
};

}  // namespace

TEST(TkImage, CopiesAndDrawsPicturesWhoseCanvasIsInUse) {
    tk::TBitmap red, copy;
    Fill(red, 4, 3, tk::clRed);
    copy.Assign(red);
    ASSERT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Canvas().GetPixel(3, 2), tk::clRed);
    tk::TBitmap target;
    Fill(target, 10, 10, tk::clWhite);
    tk::DrawBitmap(target.Canvas().Handle, {2, 2, 10, 10}, red);  // stretched to 8 x 8
    EXPECT_EQ(target.Canvas().GetPixel(9, 9), tk::clRed);
    EXPECT_EQ(target.Canvas().GetPixel(1, 1), tk::clWhite);
}

TEST(TkImage, PlainCentredStretchedAndTransparent) {
    tk::Form f({.caption = "image"});
    PaintedImage img;
    img.Create(f, {.at = {0, 0, 40, 30}});
    tk::TBitmap pic, out;
    Fill(pic, 10, 10, tk::clBlue);
    pic.Canvas().SetPixel(0, 9, tk::clLime);  // bottom-left: the transparent colour
    img.Assign(pic);

    img.PaintTo(out);
    EXPECT_EQ(out.Canvas().GetPixel(5, 5), tk::clBlue);
    EXPECT_EQ(out.Canvas().GetPixel(15, 5), tk::clWhite);

    img.SetCenter(true);
    img.PaintTo(out);
    EXPECT_EQ(out.Canvas().GetPixel(5, 5), tk::clWhite);
    EXPECT_EQ(out.Canvas().GetPixel(16, 11), tk::clBlue);  // from (15, 10) to (25, 20)
    EXPECT_EQ(out.Canvas().GetPixel(24, 19), tk::clBlue);
    EXPECT_EQ(out.Canvas().GetPixel(26, 21), tk::clWhite);

    img.SetStretch(true);  // stretch wins over centre
    img.PaintTo(out);
    EXPECT_EQ(out.Canvas().GetPixel(39, 0), tk::clBlue);
    EXPECT_EQ(out.Canvas().GetPixel(0, 0), tk::clBlue);

    img.SetStretch(false);
    img.SetTransparent(true);
    img.PaintTo(out);
    EXPECT_EQ(out.Canvas().GetPixel(15, 19), tk::clWhite);  // the lime pixel is left out
    EXPECT_EQ(out.Canvas().GetPixel(20, 15), tk::clBlue);
}

TEST(TkImage, AutoSizeAndCanvasOnAnEmptyPicture) {
    tk::Form f({.caption = "image"});
    tk::Image img;
    img.Create(f, {.at = {5, 5, 64, 48}});
    // Drawing on an empty picture gives it the control's size first.
    img.Canvas().Brush.Color = tk::clRed;
    img.Canvas().FillRect({0, 0, 8, 8});
    EXPECT_EQ(img.Picture().Width(), 64);
    EXPECT_EQ(img.Picture().Height(), 48);
    tk::TBitmap pic;
    Fill(pic, 216, 79, tk::clGreen);
    img.SetAutoSize(true);
    img.Assign(pic);
    EXPECT_EQ(img.Width(), 216);
    EXPECT_EQ(img.Height(), 79);
    EXPECT_EQ(img.Left(), 5);
    img.Clear();
    EXPECT_TRUE(img.Picture().Empty());
    EXPECT_FALSE(img.LoadFromFile("Z:\\no\\such\\picture.bmp"));
}
