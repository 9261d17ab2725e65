// The picture chooser: the path line, the BMP and JPEG previews and the busy flag.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "controls/Bmp_sel.h"
#include "controls/Jpeg.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

namespace {

// A picture worth looking at: sky gradient, a sun and a hill.
void Scene(tk::TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(60 + y * 120 / h, 110 + y * 100 / h, 230));
        HGDIOBJ old = SelectObject(b.Canvas().Handle, pen);
        MoveToEx(b.Canvas().Handle, 0, y, nullptr);
        LineTo(b.Canvas().Handle, w, y);
        DeleteObject(SelectObject(b.Canvas().Handle, old));
    }
    b.Canvas().Pen.Color = tk::clYellow;
    b.Canvas().Brush.Color = RGB(255, 200, 40);
    b.Canvas().Ellipse(w * 6 / 10, h / 10, w * 6 / 10 + h / 3, h / 10 + h / 3);
    b.Canvas().Pen.Color = tk::clGreen;
    b.Canvas().Brush.Color = RGB(40, 150, 60);
    b.Canvas().Ellipse(-w / 2, h * 6 / 10, w * 3 / 2, h * 2);
}

std::string MakeFolder() {
    std::string dir = tk::ExeDir() + "\\orbal_bmpsel";
    tk::ForceDirectories(dir);
    tk::TBitmap b;
    Scene(b, 240, 180);
    TIJGJpeg j;
    j.SetQuality(85);
    rtl::TMemoryStream* bmp = new rtl::TMemoryStream;
    SaveBitmapToStream(b, *bmp);
    j.SetInStream(bmp);
    j.SetOutStream(new rtl::TFileStream(dir + "\\景色.jpg", rtl::fmCreate));
    j.Compress();
    tk::TBitmap small(50, 40);
    small.SaveToFile(dir + "\\small.bmp");
    tk::WriteFileBytes(dir + "\\note.txt", "x");
    return dir;
}

int IndexOf(tk::FileListBox& l, const std::string& name) {
    for (int i = 0; i < l.Count(); ++i)
        if (l.Items(i) == name) return i;
    return -1;
}

}  // namespace

TEST(BmpSelChooser, PreviewShowsBmpAndJpegFilesUnderTheBusyFlag) {
    std::string dir = MakeFolder();
    TForm20 f;
    ASSERT_TRUE(f.FileListBox1.SetDirectory(dir));
    EXPECT_EQ(f.FileListBox1.Count(), 2);  // the text file is not offered
    int jpg = IndexOf(f.FileListBox1, "景色.jpg"), bmp = IndexOf(f.FileListBox1, "small.bmp");
    ASSERT_GE(jpg, 0);
    ASSERT_GE(bmp, 0);

    f.FileListBox1.SetItemIndex(jpg);  // preview off: only the path line
    EXPECT_EQ(f.Label1.Caption(), dir + "\\景色.jpg");
    EXPECT_FALSE(f.Image1.Visible());
    EXPECT_TRUE(f.Image1.Picture().Empty());

    f.CheckBox1.SetChecked(true);
    EXPECT_TRUE(f.Image1.Visible());
    EXPECT_EQ(f.Image1.Picture().Width(), 240);
    EXPECT_EQ(f.Image1.Picture().Height(), 180);
    EXPECT_EQ(JpegBusyFlag(), 0);

    f.FileListBox1.SetItemIndex(bmp);
    EXPECT_EQ(f.Image1.Picture().Width(), 50);

    // While another conversion runs, a JPEG preview is refused (an empty preview) and the flag
    // left as it was.
    JpegBusyFlag() = 1;
    f.FileListBox1.SetItemIndex(jpg);
    EXPECT_TRUE(f.Image1.Picture().Empty());
    EXPECT_EQ(JpegBusyFlag(), 1);
    JpegBusyFlag() = 0;

    f.CheckBox1.SetChecked(false);
    EXPECT_FALSE(f.Image1.Visible());
    for (const char* n : {"\\景色.jpg", "\\small.bmp", "\\note.txt"}) DeleteFileA((dir + n).c_str());
}

// A newly selected file that cannot be shown empties the preview: it never goes on showing the
// file selected before it.
TEST(BmpSelChooser, PreviewClearsForAFileThatCannotBeShown) {
    std::string dir = MakeFolder();
    tk::WriteFileBytes(dir + "\\broken.bmp", "BM not really a bitmap");
    tk::WriteFileBytes(dir + "\\short.bmp", tk::TBitmap(200, 200).BmpFileBytes().substr(0, 154));
    tk::WriteFileBytes(dir + "\\fake.jpg", "not a JPEG at all");
    tk::WriteFileBytes(dir + "\\gone.bmp", "x");
    int boxes = 0;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall&) {
        ++boxes;
        return IDYES;
    });
    TForm20 f;
    ASSERT_TRUE(f.FileListBox1.SetDirectory(dir));
    f.CheckBox1.SetChecked(true);
    ASSERT_TRUE(DeleteFileA((dir + "\\gone.bmp").c_str()));  // listed, then removed
    for (const char* bad : {"broken.bmp", "short.bmp", "fake.jpg", "gone.bmp"}) {
        SCOPED_TRACE(bad);
        f.FileListBox1.SetItemIndex(IndexOf(f.FileListBox1, "small.bmp"));
        ASSERT_EQ(f.Image1.Picture().Width(), 50);
        f.FileListBox1.SetItemIndex(IndexOf(f.FileListBox1, bad));
        EXPECT_EQ(f.Label1.Caption(), dir + "\\" + bad);
        EXPECT_TRUE(f.Image1.Picture().Empty());
        EXPECT_EQ(JpegBusyFlag(), 0);
    }
    EXPECT_EQ(boxes, 1);  // the codec's message about the false JPEG, nothing else
    tk::SetMessageBoxHookForTest(nullptr);
    for (const char* n : {"\\景色.jpg", "\\small.bmp", "\\note.txt", "\\broken.bmp", "\\short.bmp", "\\fake.jpg"})
        DeleteFileA((dir + n).c_str());
}

// Shows the chooser with a JPEG preview and the JPEG window beside it, for a screenshot.
// Run by hand: win_tests.exe --gtest_also_run_disabled_tests --gtest_filter=BmpSelChooser.DISABLED_*
// (ORBAL_SHOW_MS sets how long they stay up.)
TEST(BmpSelChooser, DISABLED_ShowChooserWithPreview) {
    std::string dir = MakeFolder();
    TForm20 f;
    f.SetBounds(40, 40, f.Width(), f.Height());
    f.FileListBox1.SetDirectory(dir);
    f.CheckBox1.SetChecked(true);
    f.FileListBox1.SetItemIndex(IndexOf(f.FileListBox1, "景色.jpg"));
    f.Show();
    TForm37 j;
    j.SetBounds(560, 60, j.Width(), j.Height());
    j.Label3.SetCaption("Ver 1.00");
    j.Label1.SetCaption("Jpegファイルの読み込み中です。");
    j.ProgressBar1.SetRange(0, 100);
    j.ProgressBar1.SetPosition(60);
    j.Show();
    const char* ms = std::getenv("ORBAL_SHOW_MS");
    DWORD until = GetTickCount() + (ms ? atoi(ms) : 3000);
    while (GetTickCount() < until) wintest::Pump(1);
}
