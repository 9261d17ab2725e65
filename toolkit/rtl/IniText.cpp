#include "toolkit/rtl/IniText.h"

#include "toolkit/rtl/SysUtils.h"

namespace rtl {

static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

static std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && Blank(s[b])) ++b;
    while (e > b && Blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

IniText::IniText(const std::string& bytes) {
    size_t p = 0;
    while (p <= bytes.size()) {
        size_t e = bytes.find('\n', p);
        if (e == std::string::npos) e = bytes.size();
        std::string line = TrimBlanks(bytes.substr(p, e - p));
        p = e + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            // The name runs to the last ']' of the line (a Shift-JIS trail byte is not one).
            size_t close = SjisFindLast(line, ']');
            if (close != std::string::npos) {
                sections_.push_back({TrimBlanks(line.substr(1, close - 1)), {}});
                continue;
            }
        }
        if (sections_.empty()) sections_.push_back({"", {}});
        size_t eq = SjisFind(line, '=');
        Entry entry;
        entry.hasValue = eq != std::string::npos;
        entry.key = TrimBlanks(entry.hasValue ? line.substr(0, eq) : line);
        if (entry.hasValue) {
            std::string v = TrimBlanks(line.substr(eq + 1));
            if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
            entry.value = v;
        }
        sections_.back().entries.push_back(std::move(entry));
        if (e == bytes.size()) break;
    }
}

const IniText::Section* IniText::FindSection(const std::string& name) const {
    std::string wanted = TrimBlanks(name);
    for (const Section& s : sections_)
        if (SameTextAscii(s.name, wanted)) return &s;
    return nullptr;
}

bool IniText::Find(const std::string& section, const std::string& key, std::string& value) const {
    const Section* s = FindSection(section);
    if (!s) return false;
    for (const Entry& e : s->entries)
        if (SameTextAscii(e.key, key)) {
            if (!e.hasValue) return false;
            value = e.value;
            return true;
        }
    return false;
}

std::vector<std::string> IniText::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (e.hasValue && !e.key.empty() && e.key[0] != ';') keys.push_back(e.key);
    return keys;
}

std::vector<std::string> IniText::Sections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

}  // namespace rtl
