// The image list: pictures by index, masked transparency, and bitmaps whose canvas is in use.
#include <gtest/gtest.h>

#include "toolkit/ImageList.h"

namespace {

void Fill(tk::TBitmap& b, int w, int h, tk::TColor c) {
    b.SetSize(w, h);
    b.Canvas().Brush.Color = c;
    b.Canvas().FillRect({0, 0, w, h});
}

}  // namespace

TEST(TkImageList, AddsDrawsAndGivesBackPictures) {
    tk::ImageList il(16, 16);
    tk::TBitmap red, blue, big;
    Fill(red, 16, 16, tk::clRed);
    Fill(blue, 16, 16, tk::clBlue);
    Fill(big, 32, 20, tk::clGreen);  // cut to the list's size
    EXPECT_EQ(il.Add(red), 0);
    EXPECT_EQ(il.Add(blue), 1);
    EXPECT_EQ(il.Add(big), 2);
    EXPECT_EQ(il.Count(), 3);

    tk::TBitmap got;
    ASSERT_TRUE(il.GetBitmap(1, got));
    EXPECT_EQ(got.Width(), 16);
    EXPECT_EQ(got.Canvas().GetPixel(8, 8), tk::clBlue);
    EXPECT_FALSE(il.GetBitmap(3, got));
    EXPECT_FALSE(il.GetBitmap(-1, got));

    tk::TBitmap canvas;
    Fill(canvas, 40, 40, tk::clWhite);
    il.Draw(canvas.Canvas(), 10, 10, 0);
    il.Draw(canvas.Canvas(), 30, 30, 7);  // a bad index draws nothing
    EXPECT_EQ(canvas.Canvas().GetPixel(10, 10), tk::clRed);
    EXPECT_EQ(canvas.Canvas().GetPixel(25, 25), tk::clRed);
    EXPECT_EQ(canvas.Canvas().GetPixel(9, 9), tk::clWhite);
    EXPECT_EQ(canvas.Canvas().GetPixel(32, 32), tk::clWhite);

    il.Delete(0);
    EXPECT_EQ(il.Count(), 2);
    ASSERT_TRUE(il.GetBitmap(0, got));
    EXPECT_EQ(got.Canvas().GetPixel(0, 0), tk::clBlue);
    HICON icon = il.GetIcon(1);
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST(TkImageList, MaskedColourIsLeftOutAndTheFirstPictureSetsTheSize) {
    tk::ImageList il;
    tk::TBitmap pic;
    Fill(pic, 8, 6, tk::clFuchsia);
    pic.Canvas().Brush.Color = tk::clNavy;
    pic.Canvas().FillRect({2, 2, 6, 4});
    EXPECT_EQ(il.AddMasked(pic, tk::clFuchsia), 0);
    EXPECT_EQ(il.Width(), 8);
    EXPECT_EQ(il.Height(), 6);
    tk::TBitmap canvas;
    Fill(canvas, 8, 6, tk::clYellow);
    il.Draw(canvas.Canvas(), 0, 0, 0);
    EXPECT_EQ(canvas.Canvas().GetPixel(0, 0), tk::clYellow);
    EXPECT_EQ(canvas.Canvas().GetPixel(3, 3), tk::clNavy);
    tk::TBitmap empty;
    EXPECT_EQ(il.Add(empty), -1);
}
