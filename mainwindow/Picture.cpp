#include "mainwindow/Picture.h"

#include "toolkit/rtl/SysUtils.h"

bool LoadPicture(const std::string& path, tk::Image& image) {
    std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(path));
    if (ext == ".BMP") return image.LoadFromFile(path);
    return false;
}
