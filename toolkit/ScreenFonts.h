// The face names of the screen's fonts, for font boxes.
#pragma once
#include <string>
#include <vector>

namespace tk {

// Every face name the screen device offers, once each, sorted.
std::vector<std::string> ScreenFontNames();

}  // namespace tk
