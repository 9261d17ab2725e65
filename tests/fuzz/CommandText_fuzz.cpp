// Command-text splitting and the Shift-JIS path helpers it rests on, over any bytes.
#include <algorithm>

#include "mainwindow/CommandText.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);

    CommandText c = SplitCommandText(text);
    size_t q = rtl::SjisFind(text, '?');
    if (q == std::string::npos) {
        FUZZ_CHECK(c.program == text && c.parameters.empty());
    } else if (q == 0) {
        FUZZ_CHECK(c.program == text.substr(1) && c.parameters.empty());
    } else {
        FUZZ_CHECK(c.program == text.substr(0, q));
        std::string after = text.substr(q + 1);
        FUZZ_CHECK(c.parameters.size() <= 1024 && after.compare(0, c.parameters.size(), c.parameters) == 0);
        FUZZ_CHECK(c.parameters.size() == after.size() || c.parameters.size() >= 1023);
    }
    FUZZ_CHECK(c.program.compare(0, c.folder.size(), c.folder) == 0);

    // Paths: the folder and the name make the whole; the extension ends the name.
    const std::string& p = text;
    FUZZ_CHECK(rtl::ExtractFilePath(p) + rtl::ExtractFileName(p) == p);
    std::string ext = rtl::ExtractFileExt(p), name = rtl::ExtractFileName(p);
    FUZZ_CHECK(name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0);
    FUZZ_CHECK(rtl::ExtractFileExt(rtl::ChangeFileExt(p, ".txt")) == ".txt");
    // A path ending in half a character takes the backslash as that character's trail byte, as
    // Windows reads it too: there is no way to end such a path with a backslash.
    bool brokenEnd = size && rtl::SjisIsCharStart(p, size - 1) && rtl::IsSjisLead((unsigned char)p.back());
    FUZZ_CHECK(rtl::EndsWithBackslash(rtl::IncludeTrailingBackslash(p)) || brokenEnd);
    FUZZ_CHECK(rtl::ExcludeTrailingBackslash(p).size() == p.size() - (rtl::EndsWithBackslash(p) ? 1 : 0));
    std::string dir = rtl::ExtractFileDir(p);
    FUZZ_CHECK(p.compare(0, dir.size(), dir) == 0);

    // Character-wise helpers keep whole characters.
    size_t chars = rtl::SjisLength(p);
    FUZZ_CHECK(chars <= p.size() && 2 * chars >= p.size());
    for (size_t max : {(size_t)0, (size_t)1, size / 2, size})
        FUZZ_CHECK(rtl::SjisTruncate(p, max).size() <= max && rtl::SjisTruncate(p, max).size() + 1 >= std::min(max, p.size()));
    std::string r = rtl::SjisRotateLeft(p);
    FUZZ_CHECK(r.size() == p.size());
    size_t slash = rtl::SjisFind(p, '\\');
    FUZZ_CHECK(slash == std::string::npos || (p[slash] == '\\' && rtl::SjisIsCharStart(p, slash)));
    FUZZ_CHECK(rtl::UpperCaseAscii(p).size() == p.size() && rtl::SameTextAscii(rtl::LowerCaseAscii(p), p));
    return 0;
}
