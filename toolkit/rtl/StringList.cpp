#include "toolkit/rtl/StringList.h"

#include <algorithm>
#include <cstdio>

#include "toolkit/rtl/SysUtils.h"

namespace rtl {

static bool Equal(const std::string& a, const std::string& b, bool cs) { return cs ? a == b : SameTextAscii(a, b); }

int TStringList::Add(const std::string& s, int obj) {
    if (Sorted) {
        auto less = [&](const std::string& a, const std::string& b) {
            return CaseSensitive ? a < b : UpperCaseAscii(a) < UpperCaseAscii(b);
        };
        auto it = std::upper_bound(Strings.begin(), Strings.end(), s, less);
        int i = (int)(it - Strings.begin());
        Insert(i, s, obj);
        return i;
    }
    Strings.push_back(s);
    Objects.push_back(obj);
    return Count() - 1;
}

void TStringList::Insert(int i, const std::string& s, int obj) {
    Strings.insert(Strings.begin() + i, s);
    Objects.insert(Objects.begin() + i, obj);
}

void TStringList::Delete(int i) {
    Strings.erase(Strings.begin() + i);
    Objects.erase(Objects.begin() + i);
}

void TStringList::Clear() { Strings.clear(); Objects.clear(); }

void TStringList::Exchange(int a, int b) {
    std::swap(Strings.at(a), Strings.at(b));
    std::swap(Objects.at(a), Objects.at(b));
}

int TStringList::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (Equal(Strings[i], s, CaseSensitive)) return i;
    return -1;
}

void TStringList::Sort() {
    std::vector<int> idx(Strings.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = (int)i;
    std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) {
        return CaseSensitive ? Strings[a] < Strings[b] : UpperCaseAscii(Strings[a]) < UpperCaseAscii(Strings[b]);
    });
    std::vector<std::string> s;
    std::vector<int> o;
    for (int i : idx) { s.push_back(Strings[i]); o.push_back(Objects[i]); }
    Strings.swap(s);
    Objects.swap(o);
}

std::string TStringList::CommaText() const {
    if (Count() == 1 && Strings[0].empty()) return "\"\"";
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = Strings[i];
        bool quote = s.empty();  // quoted so that a trailing empty item survives a round trip
        size_t last = 0;
        for (size_t p = 0; p < s.size(); p += SjisCharLen(s, p)) {
            unsigned char c = (unsigned char)s[p];
            if (SjisCharLen(s, p) == 1 && (c <= ' ' || c == '"' || c == ',')) quote = true;
            last = p;
        }
        // A lone lead byte at the end is kept apart from the delimiter by the quote after it.
        if (!s.empty() && SjisCharLen(s, last) == 1 && IsSjisLead((unsigned char)s[last])) quote = true;
        if (quote) {
            std::string q = "\"";
            for (size_t p = 0; p < s.size(); p += SjisCharLen(s, p)) {
                q += s.substr(p, SjisCharLen(s, p));
                if (s[p] == '"' && SjisCharLen(s, p) == 1) q += '"';
            }
            out += q + "\"";
        } else {
            out += s;
        }
        if (i + 1 < Count()) out += ',';
    }
    return out;
}

void TStringList::SetCommaText(const std::string& text) {
    Clear();
    size_t p = 0, n = text.size();
    // Control bytes, 0x00 included, separate items as blanks do.
    auto blank = [&](size_t i) { return i < n && (unsigned char)text[i] <= ' '; };
    while (blank(p)) ++p;
    while (p < n) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                size_t len = SjisCharLen(text, p);
                if (len == 1 && text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') { item += '"'; p += 2; continue; }
                    ++p;
                    break;
                }
                item += text.substr(p, len);
                p += len;
            }
        } else {
            size_t b = p;
            while (p < n && (unsigned char)text[p] > ' ' && text[p] != ',') p += SjisCharLen(text, p);
            item = text.substr(b, p - b);
        }
        Add(item);
        while (blank(p)) ++p;
        if (p < n && text[p] == ',') {
            do ++p; while (blank(p));
        }
    }
}

std::string TStringList::Text() const {
    std::string out;
    for (auto& s : Strings) out += s + "\r\n";
    return out;
}

void TStringList::SetText(const std::string& text) {
    Clear();
    size_t p = 0;
    while (p < text.size()) {
        size_t e = p;
        while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
        Add(text.substr(p, e - p));
        if (e < text.size() && text[e] == '\r') ++e;
        if (e < text.size() && text[e] == '\n') ++e;
        p = e;
    }
}

std::string TStringList::Name(int i) const {
    size_t e = SjisFind(Strings.at(i), '=');
    return e == std::string::npos ? std::string() : Strings[i].substr(0, e);
}

int TStringList::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        size_t e = SjisFind(Strings[i], '=');
        if (e != std::string::npos && Equal(Strings[i].substr(0, e), name, CaseSensitive)) return i;
    }
    return -1;
}

std::string TStringList::Value(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : Strings[i].substr(SjisFind(Strings[i], '=') + 1);
}

bool TStringList::LoadFromFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char buf[8192];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok) SetText(data);
    return ok;
}

bool TStringList::SaveToFile(const std::string& path) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::string data = Text();
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace rtl
