// Phone-book page files: any file reads into a full page that saves and reads back the same; a
// page said to be whole lost no field that held something; any row (cells cut at 0xFF bytes)
// reads back as written but for a single-space cell, which is read as empty; and the search finds
// exactly the lines a plain walk over the lines finds.
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
    bool whole = false;
    const Page page = ParsePage(text, &whole);
    FUZZ_CHECK(page.size() == (size_t)kRows);
    FUZZ_CHECK(ParsePage(text) == page);
    const std::string saved = PageText(page);
    FUZZ_CHECK(std::count(saved.begin(), saved.end(), '\n') == kRows);
    FUZZ_CHECK(ParsePage(saved) == page);

    // A page said to be whole holds every field of the file that is not blank, in order.
    rtl::TStringList lines;
    lines.SetText(text);
    if (whole) {
        std::vector<std::string> stored, held;
        for (const std::string& line : lines.Strings) {
            rtl::TStringList fields;
            fields.SetCommaText(line);
            for (const std::string& f : fields.Strings)
                if (!f.empty() && f != " ") stored.push_back(f);
        }
        for (const Row& r : page)
            for (const std::string& c : r)
                if (!c.empty()) held.push_back(c);
        FUZZ_CHECK(stored == held);
        FUZZ_CHECK(text.find('\0') == std::string::npos);
    }

    // The whole-text test before the line walk drops no hit.
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
