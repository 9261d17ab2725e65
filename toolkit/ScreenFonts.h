// The face names of the screen's fonts, for font boxes.
#pragma once
#include <string>
#include <vector>

namespace tk {

// Every face name the screen device offers, once each, sorted; the vertical-writing faces ("@"
// before the name) are left out, as no box of the program writes vertically.
std::vector<std::string> ScreenFontNames();

}  // namespace tk
