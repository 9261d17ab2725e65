// Paragraph indents of any RTF: text from another writer comes back unchanged, and every indent
// word the rewrite makes holds a number the control can keep (a 32-bit LONG).
#include <set>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/RtfIndents.h"

namespace {
// The \li and \fi words with numbers in s, as written; an escaped backslash starts no word.
std::set<std::string> IndentWords(const std::string& s) {
    std::set<std::string> words;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '\\') continue;
        if (s[i + 1] == '\\') {
            ++i;
            continue;
        }
        if (s.compare(i + 1, 2, "li") != 0 && s.compare(i + 1, 2, "fi") != 0) continue;
        size_t j = i + 3;
        if (j < s.size() && s[j] == '-') ++j;
        const size_t digits = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        if (j > digits) words.insert(s.substr(i, j - i));
    }
    return words;
}

bool FitsLong(const std::string& word) {
    const std::string number = word.substr(3);
    const bool negative = number[0] == '-';
    const std::string digits = number.substr(negative ? 1 : 0);
    if (digits.size() > 10) return false;
    const long long v = std::stoll(digits);
    return negative ? v <= 2147483648LL : v <= 2147483647LL;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const bool wine = in.Byte() & 1;
    const std::string rtf = (wine ? "{\\rtf1{\\*\\generator Wine Riched20 2.0;}" : "") + in.Rest();
    const std::string out = tk::FixWineParagraphIndents(rtf);
    if (rtf.find("{\\*\\generator Wine Riched20") == std::string::npos) {
        FUZZ_CHECK(out == rtf);
        return 0;
    }
    // Words the input already had may stay as they were; the new ones are in range.
    const std::set<std::string> before = IndentWords(rtf);
    for (const std::string& w : IndentWords(out))
        if (!before.count(w)) FUZZ_CHECK(FitsLong(w));
    return 0;
}
