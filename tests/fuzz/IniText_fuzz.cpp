// Settings text: any bytes parse; every listed section and key can be asked for, and the values
// read as the settings object reads them (cut to 1023 bytes, then as numbers). Edits of existing
// and new sections and keys leave a text whose fresh parse is the one kept with it, that reads
// the edit back, and in which every other section and key reads as before.
#include <set>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/IniText.h"
#include "toolkit/rtl/SysUtils.h"

static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// A name as the program writes them: one line, no '=' or NUL, not starting as a section header.
static bool Writable(const std::string& name) {
    return name.find_first_of(std::string("\r\n=\0[", 5)) == std::string::npos;
}

// Every section but the edited one (and every key of it but the edited one) reads as before.
static void CheckEdit(const rtl::IniText& before, const rtl::IniText& after, const std::string& section,
                      const std::string* key) {
    FUZZ_CHECK(after == rtl::IniText(after.Bytes()));
    for (const std::string& s : before.Sections()) {
        bool edited = rtl::SameTextAscii(s, section);
        if (edited && !key) continue;
        for (const std::string& k : before.Keys(s)) {
            if (edited && rtl::SameTextAscii(k, *key)) continue;
            std::string a, b;
            bool inBefore = before.Find(s, k, a), inAfter = after.Find(s, k, b);
            FUZZ_CHECK(inBefore == inAfter && a == b);
        }
    }
}

static void Edit(const rtl::IniText& ini, const std::string& section, const std::string& key, const std::string& value) {
    std::string v, stored = value.substr(0, value.find('\0'));
    stored = stored.substr(0, stored.find_first_of("\r\n"));
    rtl::IniText t = ini;
    t.Write(section, key, stored);
    CheckEdit(ini, t, section, &key);
    FUZZ_CHECK(t.Find(section, key, v));
    rtl::IniText expect("[s]\nk=" + stored);
    std::string want;
    FUZZ_CHECK(expect.Find("s", "k", want) && v == want);

    t = ini;
    t.DeleteKey(section, key);
    CheckEdit(ini, t, section, &key);

    t = ini;
    std::vector<std::pair<std::string, std::string>> keys = {{key, stored}, {"新", "1"}};
    t.WriteSection(section, keys);
    CheckEdit(ini, t, section, nullptr);
    FUZZ_CHECK(t.Keys(section).size() == 2 && t.Find(section, key, v) && v == want);

    t = ini;
    t.EraseSection(section);
    CheckEdit(ini, t, section, nullptr);
}

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
    // Edits of the first few sections and keys, of a new key and of a new section.
    int edits = 0;
    for (const std::string& section : ini.Sections()) {
        if (++edits > 4) break;
        if (!Writable(section) || section.find(']') != std::string::npos) continue;
        for (const std::string& key : ini.Keys(section))
            if (Writable(key)) {
                Edit(ini, section, key, text.substr(0, 40));
                break;
            }
        Edit(ini, section, "New", section);
    }
    Edit(ini, "新しい節", "鍵", text.substr(text.size() / 2));
    std::string v;
    (void)ini.Find("", "", v);
    (void)ini.Find(text, text, v);
    return 0;
}
