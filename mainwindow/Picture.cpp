#include "mainwindow/Picture.h"

#include "controls/Jpeg.h"
#include "toolkit/rtl/Streams.h"
#include "toolkit/rtl/SysUtils.h"

bool LoadPicture(const std::string& path, tk::TBitmap& picture) {
    std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(path));
    try {
        if (ext == ".BMP") return picture.LoadFromFile(path);
        if (ext != ".JPG") return false;
        bool ok = false;
        // Refused at once while another conversion runs: the picture then counts as missing.
        RunJpegConversion([&] {
            TForm37 jpeg;
            jpeg.MemoJpeg1.Tag = 0;
            jpeg.MemoJpeg1.SetInStream(new rtl::TFileStream(path, rtl::fmOpenRead));
            if (jpeg.MemoJpeg1.Decompress() && !jpeg.Image1.Picture().Empty()) {
                picture.Assign(jpeg.Image1.Picture());
                ok = true;
            }
        });
        return ok;
    } catch (const std::exception&) {
        return false;  // an unreadable picture is treated as no picture
    }
}
