#include "toolkit/rtl/IniText.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"

namespace rtl {

static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

static std::string TrimBlanks(const std::string& s, size_t b = 0, size_t e = std::string::npos) {
    e = std::min(e, s.size());
    while (b < e && Blank(s[b])) ++b;
    while (e > b && Blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

static std::string Unquote(std::string v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    return v;
}

// A value as the profile functions store it: up to a NUL, without surrounding blanks.
static std::string Stored(const std::string& value) { return TrimBlanks(value, 0, value.find('\0')); }

// Where c stands as a character of its own in [from, to) (a Shift-JIS trail byte is not one):
// the first, or with last, the last; npos when nowhere.
static size_t FindChar(const std::string& s, size_t from, size_t to, char c, bool last) {
    size_t found = std::string::npos;
    for (size_t i = from; i < to;) {
        if (s[i] == c) {
            found = i;
            if (!last) break;
        }
        i += IsSjisLead((unsigned char)s[i]) && i + 1 < to && IsSjisTrail((unsigned char)s[i + 1]) ? 2 : 1;
    }
    return found;
}

IniText::IniText(std::string bytes) : bytes_(std::move(bytes)) {
    const std::string& b = bytes_;
    // A line ends at CR LF, at a CR alone or at an LF alone, as the profile functions read it.
    // One look at each byte finds either (as fast as the search for an LF alone was).
    const size_t n = b.size();
    const unsigned char* u = (const unsigned char*)b.data();
    for (size_t p = 0; p < n;) {
        size_t textEnd = p;
        for (;; ++textEnd) {
            while (textEnd < n && u[textEnd] > '\r') ++textEnd;
            if (textEnd == n || u[textEnd] == '\n' || u[textEnd] == '\r') break;
        }
        size_t next = textEnd == n ? n : textEnd + (u[textEnd] == '\r' && textEnd + 1 < n && u[textEnd + 1] == '\n' ? 2 : 1);
        size_t s = p, e = textEnd;
        while (s < e && Blank(b[s])) ++s;
        while (e > s && Blank(b[e - 1])) --e;
        size_t begin = p;
        p = next;
        if (s == e) continue;
        if (b[s] == '[') {
            // The name runs to the last ']' of the line.
            size_t close = FindChar(b, s, e, ']', true);
            if (close != std::string::npos) {
                sections_.push_back({TrimBlanks(b, s + 1, close), begin, next - begin, {}});
                continue;
            }
        }
        if (sections_.empty()) sections_.push_back({"", begin, 0, {}});
        size_t eq = FindChar(b, s, e, '=', false);
        Entry entry;
        entry.hasValue = eq != std::string::npos;
        entry.key = TrimBlanks(b, s, entry.hasValue ? eq : e);
        if (entry.hasValue) entry.value = Unquote(TrimBlanks(b, eq + 1, e));
        entry.begin = begin;
        entry.length = next - begin;
        entry.valueAt = (entry.hasValue ? eq + 1 : e) - begin;
        entry.valueEnd = textEnd - begin;
        sections_.back().entries.push_back(std::move(entry));
    }
}

const IniText::Section* IniText::FindSection(const std::string& name) const {
    std::string wanted = TrimBlanks(name);
    for (const Section& s : sections_)
        if (SameTextAscii(s.name, wanted)) return &s;
    return nullptr;
}

IniText::Section* IniText::FindSection(const std::string& name) {
    return const_cast<Section*>(static_cast<const IniText*>(this)->FindSection(name));
}

const IniText::Entry* IniText::FindEntry(const Section& s, const std::string& key) {
    std::string wanted = TrimBlanks(key);
    for (const Entry& e : s.entries)
        if (SameTextAscii(e.key, wanted)) return &e;
    return nullptr;
}

bool IniText::Find(const std::string& section, const std::string& key, std::string& value) const {
    const Section* s = FindSection(section);
    if (!s) return false;
    const Entry* e = FindEntry(*s, key);
    if (!e || !e->hasValue) return false;
    value = e->value;
    return true;
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

void IniText::Splice(size_t from, size_t to, const std::string& text) {
    bytes_.replace(from, to - from, text);
    size_t delta = text.size() - (to - from);  // wraps when the text shrinks, as the sums do back
    for (Section& s : sections_) {
        if (s.begin >= to) s.begin += delta;
        for (Entry& e : s.entries)
            if (e.begin >= to) e.begin += delta;
    }
    // A line that ended in a CR alone and now meets an LF ends in CR LF (the LF was a blank line).
    if (text.empty() && from > 0 && from < bytes_.size() && bytes_[from - 1] == '\r' && bytes_[from] == '\n')
        for (Section& s : sections_) {
            if (s.length && s.begin + s.length == from) ++s.length;
            for (Entry& e : s.entries)
                if (e.begin + e.length == from) ++e.length;
        }
}

void IniText::EndLastLine() {
    if (bytes_.empty() || bytes_.back() == '\n' || bytes_.back() == '\r') return;
    // The last line belongs to the last section's header or last key, or is blank.
    if (!sections_.empty()) {
        Section& s = sections_.back();
        if (!s.entries.empty() && s.entries.back().begin + s.entries.back().length == bytes_.size())
            s.entries.back().length += 2;
        else if (s.begin + s.length == bytes_.size())
            s.length += 2;
    }
    bytes_ += "\r\n";
}

void IniText::InsertEntries(Section& s, size_t pos, const std::vector<std::pair<std::string, std::string>>& keys) {
    if (pos == bytes_.size()) {
        EndLastLine();
        pos = bytes_.size();
    }
    std::string text;
    std::vector<Entry> added;
    for (const auto& [key, value] : keys) {
        Entry e{TrimBlanks(key), "", true, pos + text.size(), 0, 0, 0};
        std::string v = Stored(value);
        e.value = Unquote(v);
        e.valueAt = e.key.size() + 1;
        e.valueEnd = e.valueAt + v.size();
        e.length = e.valueEnd + 2;
        text += e.key + "=" + v + "\r\n";
        added.push_back(std::move(e));
    }
    Splice(pos, pos, text);
    s.entries.insert(s.entries.end(), added.begin(), added.end());
    if (s.length == 0) s.begin = s.entries.front().begin;  // keys before any section start at their first
}

IniText::Section& IniText::SectionToWrite(const std::string& name) {
    if (Section* s = FindSection(name)) return *s;
    EndLastLine();
    std::string n = TrimBlanks(name);
    sections_.push_back({n, bytes_.size(), n.size() + 4, {}});
    bytes_ += "[" + n + "]\r\n";
    return sections_.back();
}

bool IniText::Write(const std::string& section, const std::string& key, const std::string& value) {
    Section& s = SectionToWrite(section);
    Entry* e = const_cast<Entry*>(FindEntry(s, key));
    if (!e) {
        InsertEntries(s, s.KeysEnd(), {{key, value}});
        return true;
    }
    std::string v = Stored(value);
    if (e->hasValue && TrimBlanks(bytes_, e->begin + e->valueAt, e->begin + e->valueEnd) == v) return false;
    std::string text = (e->hasValue ? "" : "=") + v;
    size_t from = e->begin + e->valueAt, to = e->begin + e->valueEnd;
    e->length += text.size() - (to - from);
    if (!e->hasValue) ++e->valueAt;
    e->valueEnd = e->valueAt + v.size();
    e->hasValue = true;
    e->value = Unquote(v);
    Splice(from, to, text);
    return true;
}

bool IniText::WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys) {
    if (const Section* s = FindSection(section)) {
        std::string lines;
        for (const auto& [key, value] : keys) lines += TrimBlanks(key) + "=" + Stored(value) + "\r\n";
        size_t body = s->begin + s->length;
        if (bytes_.compare(body, s->KeysEnd() - body, lines) == 0) return false;
    } else if (keys.empty()) {
        return false;
    }
    Section& s = SectionToWrite(section);
    size_t body = s.begin + s.length;
    Splice(body, s.KeysEnd(), "");
    s.entries.clear();
    body = s.begin + s.length;  // a header whose CR now meets an LF ends after it
    if (!keys.empty()) InsertEntries(s, body, keys);
    if (s.length == 0 && s.entries.empty()) sections_.erase(sections_.begin() + (&s - sections_.data()));
    return true;
}

bool IniText::EraseSection(const std::string& section) {
    Section* s = FindSection(section);
    if (!s) return false;
    size_t i = s - sections_.data();
    size_t end = i + 1 < sections_.size() ? sections_[i + 1].begin : bytes_.size();
    Splice(s->begin, end, "");
    sections_.erase(sections_.begin() + i);
    return true;
}

bool IniText::DeleteKey(const std::string& section, const std::string& key) {
    Section* s = FindSection(section);
    Entry* e = s ? const_cast<Entry*>(FindEntry(*s, key)) : nullptr;
    if (!e) return false;
    Splice(e->begin, e->begin + e->length, "");
    s->entries.erase(s->entries.begin() + (e - s->entries.data()));
    // Keys before any section start at their first; without them there is no such section.
    if (s->length == 0 && s->entries.empty())
        sections_.erase(sections_.begin() + (s - sections_.data()));
    else if (s->length == 0)
        s->begin = s->entries.front().begin;
    return true;
}

}  // namespace rtl
