// Wine's rich edit writes a paragraph's indents as \li<offset> \fi<first line> (its PARAFORMAT
// fields as they stand), where RTF means \li<left edge of the other lines> \fi<first line
// relative to them>; every reader, Wine's own included, takes them in RTF's sense, so its files
// come back with the first line and the other lines' indents mixed up.
#pragma once
#include <string>

namespace tk {

// Rewrites the paragraph indents of RTF that Wine's writer made ("{\*\generator Wine Riched20")
// in RTF's sense: \li = first + offset, \fi = −offset. RTF from any other writer comes back
// unchanged.
std::string FixWineParagraphIndents(const std::string& rtf);

}  // namespace tk
