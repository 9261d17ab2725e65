// Settings text: any bytes parse; every listed section and key can be asked for, and the values
// read as the settings object reads them (cut to 1023 bytes, then as numbers).
#include <set>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/IniText.h"
#include "toolkit/rtl/SysUtils.h"

static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);
    rtl::IniText ini(text);
    size_t listed = 0;
    std::set<std::string> asked;  // a repeated section name lists the first one's keys again
    for (const std::string& section : ini.Sections()) {
        FUZZ_CHECK(section.empty() || (!Blank(section.front()) && !Blank(section.back())));
        if (!asked.insert(rtl::UpperCaseAscii(section)).second) continue;
        for (const std::string& key : ini.Keys(section)) {
            ++listed;
            FUZZ_CHECK(!key.empty() && key[0] != ';' && !Blank(key.front()) && !Blank(key.back()));
            std::string v;
            if (!ini.Find(section, key, v)) continue;  // an earlier line of that name without '='
            std::string cut = rtl::SjisTruncate(v, 1023);
            FUZZ_CHECK(cut.size() <= 1023 && v.compare(0, cut.size(), cut) == 0);
            (void)rtl::StrToIntDef(cut, 0);
            (void)rtl::StrToFloatDef(cut, 0);
        }
    }
    FUZZ_CHECK(listed <= size);
    std::string v;
    (void)ini.Find("", "", v);
    (void)ini.Find(text, text, v);
    return 0;
}
