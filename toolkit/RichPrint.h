// Printing a rich edit with lines above its text (a title, a date), from a copy: the text in
// the window is never changed, so no header line can stay behind in it or be saved with it.
//
//   if (tk::ExecutePrintDialog(Handle)) tk::PrintRichCopy(RichEdit1, {"Title:" + title, ""}, Caption());
#pragma once
#include <string>
#include <vector>

#include "toolkit/RichEdit.h"

namespace tk {

// Prints source's text after the given lines as job title (see PrintRichEdit): the number of
// pages printed, 0 when nothing was (the user has been told why).
int PrintRichCopy(RichEdit& source, const std::vector<std::string>& lines, const std::string& title);

}  // namespace tk
