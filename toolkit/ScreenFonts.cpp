#include "toolkit/ScreenFonts.h"

#include <windows.h>

#include <algorithm>

namespace tk {

static int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
    if (lf->lfFaceName[0] != '@') ((std::vector<std::string>*)data)->push_back(lf->lfFaceName);
    return 1;
}

std::vector<std::string> ScreenFontNames() {
    std::vector<std::string> names;
    HDC dc = GetDC(nullptr);
    EnumFontsA(dc, nullptr, AddFace, (LPARAM)&names);
    ReleaseDC(nullptr, dc);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace tk
