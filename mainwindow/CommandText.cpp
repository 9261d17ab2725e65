#include "mainwindow/CommandText.h"

#include "toolkit/rtl/SysUtils.h"

CommandText SplitCommandText(const std::string& text) {
    CommandText c;
    size_t q = rtl::SjisFind(text, '?');
    if (q == std::string::npos) {
        c.program = text;
    } else if (q == 0) {
        c.program = text.substr(1);
    } else {
        c.program = text.substr(0, q);
        c.parameters = rtl::SjisTruncate(text.substr(q + 1), 1024);
    }
    c.folder = rtl::ExtractFilePath(c.program);
    return c;
}
