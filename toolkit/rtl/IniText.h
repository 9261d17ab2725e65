// Reading the text of a private-profile file the way the profile functions read it, so that
// a handler's reads can be answered from one parse of the file instead of one file access each;
// and changing that text as the profile functions would change the file, so that the new text
// can be written whole.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace rtl {

class IniText {
public:
    IniText() = default;
    // Lines end at CR LF, at a CR alone or at an LF alone.
    explicit IniText(std::string bytes);

    // The value of the first matching key (names ignore ASCII case and surrounding blanks),
    // blanks trimmed and one pair of enclosing quotes removed; false when the key is absent or
    // has no '='.
    bool Find(const std::string& section, const std::string& key, std::string& value) const;
    // Key names of the first section of that name, in file order. Section names are compared
    // without their surrounding blanks. A line starting with ';' can be read as a key but is not
    // listed, nor is a line without '='.
    std::vector<std::string> Keys(const std::string& section) const;
    std::vector<std::string> Sections() const;

    // Edits. Each touches only the lines it is about: every other byte, line end, comment and
    // unknown key stays as it was. New lines end in CR LF. Names and values are stored without
    // surrounding blanks, and a value ends at a NUL, as through the profile functions.
    // Each returns false when the text did not change.
    //
    // The first matching key of the first matching section takes the value; a missing key is
    // added after the last key of the section, a missing section at the end of the text.
    bool Write(const std::string& section, const std::string& key, const std::string& value);
    // The first matching section loses its keys (and the comments among them) for these,
    // keeping its place; a missing section is added at the end.
    bool WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys);
    // The first matching section goes, with everything up to the next section.
    bool EraseSection(const std::string& section);
    // The first matching key's line goes.
    bool DeleteKey(const std::string& section, const std::string& key);

    const std::string& Bytes() const { return bytes_; }
    bool operator==(const IniText&) const = default;

private:
    // Offsets are byte positions in bytes_; lengths include the line's end.
    struct Entry {
        std::string key, value;
        bool hasValue;
        size_t begin, length;
        size_t valueAt;  // from begin: where the value starts (after '='), or the key's end
        size_t valueEnd;  // from begin: the end of the line's text, before its line end
        bool operator==(const Entry&) const = default;
    };
    struct Section {
        std::string name;
        size_t begin, length;  // the header line; a section before any header has none
        std::vector<Entry> entries;
        bool operator==(const Section&) const = default;
        size_t KeysEnd() const {
            return entries.empty() ? begin + length : entries.back().begin + entries.back().length;
        }
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;
    static const Entry* FindEntry(const Section& s, const std::string& key);
    // Replaces bytes [from, to) by text and moves every later line by the difference.
    void Splice(size_t from, size_t to, const std::string& text);
    // Gives the text's last line its line end, so that a line can follow.
    void EndLastLine();
    // Inserts key lines at pos, after the last key of s, as its last keys.
    void InsertEntries(Section& s, size_t pos, const std::vector<std::pair<std::string, std::string>>& keys);
    // The first section of that name, added at the end when there is none.
    Section& SectionToWrite(const std::string& name);

    std::string bytes_;
    std::vector<Section> sections_;
};

}  // namespace rtl
