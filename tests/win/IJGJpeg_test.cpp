// JPEG <-> BMP through the codec component: round trips, codec failures, stops and the busy flag.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/IJGJpeg.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/ProgressBar.h"

namespace {

// Colour blocks with a gradient: something a lossy codec keeps roughly.
void Paint(tk::TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int r = x < w / 2 ? 220 : 30, g = y < h / 2 ? 200 : 40, bl = (x * 255) / w;
            b.Canvas().SetPixel(x, y, RGB(r, g, bl));
        }
}

std::string BmpBytes(int w, int h) {
    tk::TBitmap b;
    Paint(b, w, h);
    rtl::TMemoryStream s;
    SaveBitmapToStream(b, s);
    return s.Bytes();
}

// One conversion of bytes to bytes; the result is read in OnFinish as the windows do.
struct Converter {
    TIJGJpeg jpeg;
    std::string result;
    std::vector<std::string> errors;
    std::vector<std::pair<int, int>> reports;
    bool finished = false;
    Converter() {
        jpeg.OnFinish = [this] {
            finished = true;
            auto* out = (rtl::TMemoryStream*)jpeg.OutStream();
            EXPECT_EQ(out->Position(), 0);
            result = out->Bytes();
        };
        jpeg.OnError = [this](const std::string& m) { errors.push_back(m); };
        jpeg.OnCallback = [this](int max, int pos) { reports.push_back({max, pos}); };
    }
    bool Run(const std::string& in, bool compress) {
        auto* s = new rtl::TMemoryStream;
        s->LoadFromString(in);
        jpeg.SetInStream(s);
        jpeg.SetOutStream(new rtl::TMemoryStream);
        return compress ? jpeg.Compress() : jpeg.Decompress();
    }
};

std::string Encode(const std::string& bmp, bool progressive = false, int quality = 90) {
    Converter c;
    c.jpeg.Progressive = progressive;
    c.jpeg.SetQuality(quality);
    EXPECT_TRUE(c.Run(bmp, true));
    return c.result;
}

std::string TempFile(const std::string& name) {
    char buf[MAX_PATH];
    GetTempPathA(sizeof buf, buf);
    return std::string(buf) + name;
}

}  // namespace

TEST(IJGJpegRoundTrip, BitmapSurvivesEncodeAndDecode) {
    Converter enc;
    enc.jpeg.SetQuality(90);
    ASSERT_TRUE(enc.Run(BmpBytes(96, 64), true));
    ASSERT_GT(enc.result.size(), 4u);
    EXPECT_EQ((unsigned char)enc.result[0], 0xFF);
    EXPECT_EQ((unsigned char)enc.result[1], 0xD8);
    EXPECT_EQ(enc.jpeg.InStream(), nullptr);  // both streams freed by the run
    EXPECT_EQ(enc.jpeg.OutStream(), nullptr);
    EXPECT_TRUE(enc.errors.empty());
    ASSERT_FALSE(enc.reports.empty());
    EXPECT_EQ(enc.reports.back(), std::make_pair(0, -1));  // the final report

    Converter dec;
    ASSERT_TRUE(dec.Run(enc.result, false));
    rtl::TMemoryStream bmp;
    bmp.LoadFromString(dec.result);
    tk::TBitmap got, want;
    ASSERT_TRUE(LoadBitmapFromStream(got, bmp));
    Paint(want, 96, 64);
    ASSERT_EQ(got.Width(), 96);
    ASSERT_EQ(got.Height(), 64);
    int worst = 0;
    for (int y = 2; y < 64; y += 7)
        for (int x = 1; x < 96; x += 5) {
            COLORREF a = (COLORREF)got.Canvas().GetPixel(x, y), b = (COLORREF)want.Canvas().GetPixel(x, y);
            for (int sh : {0, 8, 16}) worst = std::max(worst, std::abs((int)((a >> sh) & 255) - (int)((b >> sh) & 255)));
        }
    EXPECT_LT(worst, 40);  // block edges blur a little; swapped or shifted channels would not pass
}

TEST(IJGJpegRoundTrip, ProgressiveAnd256ColourOutputDecode) {
    std::string jpg = Encode(BmpBytes(64, 48), true);
    EXPECT_NE(jpg.find("\xFF\xC2"), std::string::npos);  // progressive frame
    tk::Form f({.caption = "進行"});
    tk::ProgressBar bar;
    bar.Create(f, {.at = {8, 8, 200, 7}});
    Converter dec;
    dec.jpeg.Color256 = true;
    dec.jpeg.Dct = dctFast;
    dec.jpeg.SetProgressBar(&bar);
    int posAtFinish = -1;
    auto keep = dec.jpeg.OnFinish;
    dec.jpeg.OnFinish = [&] {
        posAtFinish = bar.Position();
        keep();
    };
    ASSERT_TRUE(dec.Run(jpg, false));
    // The bar took the first report's maximum, was full when the run finished, and is back at 0.
    EXPECT_EQ(bar.Max(), dec.reports.front().first);
    EXPECT_EQ(posAtFinish, bar.Max());
    EXPECT_EQ(bar.Position(), 0);
    // A BMP with a palette, and progress over several passes ending at the final report.
    EXPECT_EQ((unsigned char)dec.result[28], 8);
    ASSERT_GE(dec.reports.size(), 3u);
    EXPECT_GE(dec.reports.front().first, 300);
    EXPECT_EQ(dec.reports.back(), std::make_pair(0, -1));
    rtl::TMemoryStream bmp;
    bmp.LoadFromString(dec.result);
    tk::TBitmap got;
    ASSERT_TRUE(LoadBitmapFromStream(got, bmp));
    EXPECT_EQ(got.Width(), 64);
    COLORREF c = (COLORREF)got.Canvas().GetPixel(5, 5);  // red-green block, little blue
    EXPECT_GT(GetRValue(c), 150);
    EXPECT_GT(GetGValue(c), 140);

    TIJGJpeg j;
    j.SetQuality(150);
    EXPECT_EQ(j.Quality(), 100);
    j.SetQuality(-5);
    EXPECT_EQ(j.Quality(), 0);
}

TEST(IJGJpegFailure, CorruptJpegRaisesAfterCleanUpAndClearsTheBusyFlag) {
    std::string jpg = Encode(BmpBytes(32, 32));
    // A frame header claiming a zero width: fatal, with no warning before it.
    std::string corrupt = jpg;
    size_t sof = corrupt.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    corrupt[sof + 7] = corrupt[sof + 8] = 0;
    Converter c;
    bool refused = false;
    EXPECT_THROW(RunJpegConversion([&] {
                     // Another conversion asked for meanwhile is refused at once.
                     refused = !RunJpegConversion([] { FAIL() << "ran while busy"; });
                     c.Run(corrupt, false);
                 }),
                 EIJGJpegError);
    EXPECT_TRUE(refused);
    EXPECT_EQ(JpegBusyFlag(), 0);
    EXPECT_FALSE(c.finished);
    EXPECT_EQ(c.errors.size(), 1u);  // the codec's message, once
    EXPECT_EQ(c.jpeg.InStream(), nullptr);
    EXPECT_EQ(c.jpeg.RunState(), 0);

    // Not a JPEG at all, and no streams: both are errors the caller sees.
    Converter n;
    EXPECT_THROW(n.Run("BM not a jpeg", false), EIJGJpegError);
    TIJGJpeg none;
    try {
        none.Decompress();
        FAIL();
    } catch (const EIJGJpegError& e) {
        EXPECT_EQ(e.Message, "入出力ストリームの準備が出来ていません。");
    }
    // The flag follows its binding (the main window's menu item later).
    int tag = 1;
    BindJpegBusyFlag(&tag);
    EXPECT_FALSE(RunJpegConversion([] {}));
    tag = 0;
    EXPECT_TRUE(RunJpegConversion([] {}));
    BindJpegBusyFlag(nullptr);
}

TEST(IJGJpegFailure, BadBmpFilesAreRefusedWithAClearMessage) {
    std::string good = BmpBytes(40, 30);
    auto withInt = [&](int offset, int v) {
        std::string b = good;
        for (int i = 0; i < 4; ++i) b[offset + i] = (char)((unsigned)v >> (8 * i));
        return b;
    };
    struct Case {
        std::string bytes, message;
    } cases[] = {
        {withInt(18, 0), "BMPファイルの画像の幅または高さが正しくありません（1以上が必要です）。"},
        {withInt(22, -30), "BMPファイルの画像の幅または高さが正しくありません（1以上が必要です）。"},
        {good.substr(0, good.size() / 2), "BMPファイルが途中で切れています。"},
        {good.substr(0, 30), "BMPファイルが途中で切れています。"},
        {withInt(18, 60000), "BMPファイルが途中で切れています。"},  // claims far more than it holds
        {"XX" + good.substr(2), "BMPファイルではありません。"},
    };
    for (const Case& k : cases) {
        Converter c;
        try {
            c.Run(k.bytes, true);
            ADD_FAILURE() << k.message;
        } catch (const EIJGJpegError& e) {
            EXPECT_EQ(e.Message, k.message);
        }
        EXPECT_EQ(c.errors, std::vector<std::string>{k.message});
        EXPECT_FALSE(c.finished);
    }
}

TEST(IJGJpegStop, AUserStopEndsQuietlyAndRemovesThePartialFile) {
    std::string jpg = Encode(BmpBytes(64, 64));
    size_t sos = jpg.find("\xFF\xDA");
    ASSERT_NE(sos, std::string::npos);
    std::string truncated = jpg.substr(0, sos + (jpg.size() - sos) / 2);  // cut in the scan data
    std::string path = TempFile("orbal_stop.bmp");

    // The user answers "stop" to the warning: no second message, no picture, no file.
    TIJGJpeg j;
    int boxes = 0;
    bool finished = false;
    j.OnError = [&](const std::string&) {
        ++boxes;
        j.ErrorStop = true;
        // A conversion started from under the open question (past the busy flag) is refused
        // without disturbing this one.
        TIJGJpeg other;
        other.SetInStream(new rtl::TMemoryStream);
        other.SetOutStream(new rtl::TMemoryStream);
        EXPECT_THROW(other.Decompress(), EIJGJpegError);
    };
    j.OnFinish = [&] { finished = true; };
    auto* in = new rtl::TMemoryStream;
    in->LoadFromString(truncated);
    j.SetInStream(in);
    j.SetOutStream(new rtl::TFileStream(path, rtl::fmCreate));
    EXPECT_FALSE(j.Decompress());
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(finished);
    EXPECT_FALSE(tk::FileExists(path));

    // The user goes on instead: the picture is finished with what there is.
    j.OnError = [&](const std::string&) {
        ++boxes;
        j.ErrorStop = false;
    };
    in = new rtl::TMemoryStream;
    in->LoadFromString(truncated);
    j.SetInStream(in);
    j.SetOutStream(new rtl::TFileStream(path, rtl::fmCreate));
    EXPECT_TRUE(j.Decompress());
    EXPECT_TRUE(finished);
    EXPECT_TRUE(tk::FileExists(path));
    DeleteFileA(path.c_str());

    // A handler can end a compression from inside; its file goes too.
    std::string jpath = TempFile("orbal_stop.jpg");
    TIJGJpeg k;
    k.OnCallback = [](int, int pos) {
        if (pos > 50) throw EIJGInnerError("処理を中断します。");
    };
    in = new rtl::TMemoryStream;
    in->LoadFromString(BmpBytes(200, 200));
    k.SetInStream(in);
    k.SetOutStream(new rtl::TFileStream(jpath, rtl::fmCreate));
    EXPECT_FALSE(k.Compress());
    EXPECT_FALSE(tk::FileExists(jpath));
}
