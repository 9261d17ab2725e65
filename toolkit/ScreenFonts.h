// The screen's font faces, as a font box lists them, each with the character set its text is
// written in.
#pragma once
#include <string>
#include <vector>

namespace tk {

struct FontFace {
    std::string name;
    int charset = 0;  // Shift-JIS for a face that has Japanese, else the face's own set
};

// Every face EnumFonts reports, once, sorted by name (letter case aside, byte order otherwise,
// so the order is the same on every system). Vertical faces ("@" names) are left out: they
// set Japanese on its side. Read once per run.
const std::vector<FontFace>& ScreenFonts();
// The character set of a listed face (letter case aside), or -1.
int FaceCharset(const std::string& face);
// Just the names of ScreenFonts(), in the same order.
std::vector<std::string> ScreenFontNames();

}  // namespace tk
