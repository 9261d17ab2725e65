#include "toolkit/RichPrint.h"

#include "toolkit/Printer.h"
#include "toolkit/rtl/Streams.h"

namespace tk {

int PrintRichCopy(RichEdit& source, const std::vector<std::string>& lines, const std::string& title) {
    // A hidden twin on the same window, so any message about the printing is placed there.
    RichEdit copy;
    copy.Create(source.Parent ? *source.Parent : source, {.at = {0, 0, source.Width(), source.Height()}, .visible = false});
    copy.PlainText = source.PlainText;
    rtl::TMemoryStream text;
    source.SaveToStream(text);
    text.Seek(0, rtl::SeekOrigin::Begin);
    copy.LoadFromStream(text);
    for (int i = 0; i < (int)lines.size(); ++i) copy.Lines.Insert(i, lines[i]);
    return PrintRichEdit(copy, title);
}

}  // namespace tk
