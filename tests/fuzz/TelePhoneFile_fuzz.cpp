// Phone-book page files: any file reads into a full page that saves and reads back the same, any
// row (cells cut at 0xFF bytes) reads back as written but for a single-space cell, which is read as
// empty, and the search finds exactly the lines a plain walk over the lines finds.
#include <algorithm>

#include "settings/TelePhoneFile.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/StringList.h"
#include "toolkit/rtl/SysUtils.h"

using namespace telbook;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const std::string needle = in.Text();
    const std::string text = in.Rest();

    // Saving what was read keeps it: tab changes and closes save every page they show.
    const Page page = ParsePage(text);
    FUZZ_CHECK(page.size() == (size_t)kRows);
    const std::string saved = PageText(page);
    FUZZ_CHECK(std::count(saved.begin(), saved.end(), '\n') == kRows);
    FUZZ_CHECK(ParsePage(saved) == page);

    // The whole-text test before the line walk drops no hit.
    rtl::TStringList lines;
    lines.SetText(text);
    std::vector<std::string> walked;
    for (const std::string& line : lines.Strings)
        if (rtl::SjisPos(line, needle) != std::string::npos) walked.push_back(line);
    FUZZ_CHECK(MatchingLines(text, needle) == walked);

    // A grid row: cells hold no line breaks (the cell editor is one line).
    Row row;
    size_t cell = 0;
    for (char c : text) {
        if (c == '\xFF') {
            if (++cell == kColumns) break;
        } else if (c != '\r' && c != '\n') {
            row[cell] += c;
        }
    }
    Row back = ParseRow(RowLine(row));
    for (std::string& c : row)
        if (c == " ") c.clear();
    FUZZ_CHECK(back == row);
    return 0;
}
