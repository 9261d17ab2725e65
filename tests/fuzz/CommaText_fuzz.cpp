// Comma text both ways: any text reads in and what it read writes out and reads back the same;
// any list of items (the input cut at 0xFF bytes) writes out and reads back the same.
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/StringList.h"

static rtl::TStringList ReadBack(const rtl::TStringList& l) {
    rtl::TStringList back;
    back.SetCommaText(l.CommaText());
    return back;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);

    rtl::TStringList read;
    read.SetCommaText(text);
    FUZZ_CHECK(read.Count() <= (int)size);  // every item takes at least one byte of the text
    FUZZ_CHECK(ReadBack(read).Strings == read.Strings);

    rtl::TStringList items;
    size_t b = 0;
    for (size_t i = 0; i <= size; ++i)
        if (i == size || text[i] == '\xFF') {
            items.Add(text.substr(b, i - b));
            b = i + 1;
        }
    rtl::TStringList back = ReadBack(items);
    FUZZ_CHECK(back.Strings == items.Strings);
    FUZZ_CHECK(back.Objects.size() == back.Strings.size());

    // Line text: items without line breaks read back too.
    if (text.find_first_of("\r\n") == std::string::npos) {
        rtl::TStringList lines;
        lines.SetText(items.Text());
        FUZZ_CHECK(lines.Strings == items.Strings);
    }
    return 0;
}
