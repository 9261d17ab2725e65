// The JPEG window driving one conversion each way, and its question after a codec message.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/Jpeg.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

namespace {

std::string Bmp(int w, int h) {
    tk::TBitmap b(w, h);
    b.Canvas().Brush.Color = tk::clNavy;
    RECT r{0, 0, w / 2, h};
    b.Canvas().FillRect(r);
    rtl::TMemoryStream s;
    SaveBitmapToStream(b, s);
    return s.Bytes();
}

rtl::TMemoryStream* StreamOf(const std::string& bytes) {
    auto* s = new rtl::TMemoryStream;
    s->LoadFromString(bytes);
    return s;
}

std::string JpegOf(const std::string& bmp) {
    TIJGJpeg j;
    std::string out;
    j.OnFinish = [&] { out = ((rtl::TMemoryStream*)j.OutStream())->Bytes(); };
    j.SetInStream(StreamOf(bmp));
    j.SetOutStream(new rtl::TMemoryStream);
    j.Compress();
    return out;
}

}  // namespace

TEST(JpegWindow, WritesThenReadsBackIntoImage1) {
    std::string path = tk::ExeDir() + "\\orbal_jpegwindow.jpg";
    {
        TForm37 f;
        bool shownWhileRunning = false;
        std::string status;
        f.MemoJpeg1.OnCallback = [&](int, int) {
            shownWhileRunning = f.Visible();
            status = f.Label1.Caption();
        };
        f.MemoJpeg1.Tag = 1;
        f.MemoJpeg1.SetInStream(StreamOf(Bmp(160, 120)));
        f.MemoJpeg1.SetOutStream(new rtl::TFileStream(path, rtl::fmCreate));
        EXPECT_TRUE(f.MemoJpeg1.Compress());
        EXPECT_TRUE(shownWhileRunning);
        EXPECT_EQ(status, "Jpegファイルの書き出し中です。");
        EXPECT_EQ(f.MemoJpeg1.Tag, 0);
        EXPECT_TRUE(f.Image1.Picture().Empty());  // writing leaves the picture alone
        // Shaped as a rounded box.
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(f.Handle, r), COMPLEXREGION);
        EXPECT_FALSE(PtInRegion(r, 1, 1));
        EXPECT_TRUE(PtInRegion(r, 114, 35));
        DeleteObject(r);
    }
    ASSERT_TRUE(tk::FileExists(path));
    TForm37 g;
    g.Image1.Tag = 1;  // stays hidden
    g.MemoJpeg1.Tag = 0;
    g.MemoJpeg1.SetInStream(new rtl::TFileStream(path, rtl::fmOpenRead));
    EXPECT_TRUE(g.MemoJpeg1.Decompress());
    EXPECT_FALSE(g.Visible());
    EXPECT_EQ(g.Image1.Picture().Width(), 160);
    EXPECT_EQ(g.Image1.Picture().Height(), 120);
    EXPECT_EQ(g.Image1.Width(), 160);  // AutoSize
    COLORREF c = (COLORREF)g.Image1.Canvas().GetPixel(20, 60);
    EXPECT_GT(GetBValue(c), 90);  // the navy half, through 256 colours
    EXPECT_LT(GetRValue(c), 40);
    DeleteFileA(path.c_str());
}

TEST(JpegWindow, CodecMessageAsksWhetherToStop) {
    std::string jpg = JpegOf(Bmp(64, 64));
    size_t sos = jpg.find("\xFF\xDA");
    std::string truncated = jpg.substr(0, sos + (jpg.size() - sos) / 2);
    std::vector<tk::MsgBoxCall> calls;
    int answer = IDYES;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
        calls.push_back(c);
        return answer;
    });
    TForm37 f;
    f.Image1.Tag = 1;
    f.MemoJpeg1.SetInStream(StreamOf(truncated));
    EXPECT_FALSE(f.MemoJpeg1.Decompress());  // "Yes": stopped, no picture, no second box
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "Premature end of JPEG file\n\r\rエラーです。\r処理を中断しますか？");
    EXPECT_EQ(calls[0].type, (UINT)(MB_YESNO | MB_ICONERROR));
    EXPECT_TRUE(f.Image1.Picture().Empty());

    answer = IDNO;  // go on: the picture comes with what there was
    f.MemoJpeg1.SetInStream(StreamOf(truncated));
    EXPECT_TRUE(f.MemoJpeg1.Decompress());
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(f.Image1.Picture().Width(), 64);
    tk::SetMessageBoxHookForTest(nullptr);
}
