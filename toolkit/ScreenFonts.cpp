#include "toolkit/ScreenFonts.h"

#include <windows.h>

#include <algorithm>
#include <set>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

namespace {
int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM list) {
    if (lf->lfFaceName[0] != '@') ((std::vector<FontFace>*)list)->push_back({lf->lfFaceName, lf->lfCharSet});
    return 1;
}
int CALLBACK AddName(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM set) {
    ((std::set<std::string>*)set)->insert(lf->lfFaceName);
    return 1;
}
bool Less(const std::string& a, const std::string& b) {
    return rtl::UpperCaseAscii(a) < rtl::UpperCaseAscii(b);
}
}  // namespace

const std::vector<FontFace>& ScreenFonts() {
    static const std::vector<FontFace> faces = [] {
        std::vector<FontFace> v;
        std::set<std::string> japanese;
        HDC dc = GetDC(nullptr);
        EnumFontsA(dc, nullptr, (FONTENUMPROCA)AddFace, (LPARAM)&v);
        // EnumFonts names one set per face; a face that also has Shift-JIS is written in it,
        // so its Japanese text stays Japanese in the file.
        LOGFONTA lf{};
        lf.lfCharSet = SHIFTJIS_CHARSET;
        EnumFontFamiliesExA(dc, &lf, (FONTENUMPROCA)AddName, (LPARAM)&japanese, 0);
        ReleaseDC(nullptr, dc);
        for (FontFace& f : v)
            if (japanese.count(f.name)) f.charset = SHIFTJIS_CHARSET;
        std::stable_sort(v.begin(), v.end(), [](const FontFace& a, const FontFace& b) { return Less(a.name, b.name); });
        v.erase(std::unique(v.begin(), v.end(), [](const FontFace& a, const FontFace& b) { return a.name == b.name; }),
                v.end());
        return v;
    }();
    return faces;
}

int FaceCharset(const std::string& face) {
    for (const FontFace& f : ScreenFonts())
        if (rtl::SameTextAscii(f.name, face)) return f.charset;
    return -1;
}

std::vector<std::string> ScreenFontNames() {
    std::vector<std::string> names;
    for (const FontFace& f : ScreenFonts()) names.push_back(f.name);
    return names;
}

}  // namespace tk
