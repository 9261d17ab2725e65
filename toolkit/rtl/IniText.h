// Reading the text of a private-profile file the way the profile functions read it, so that
// a handler's reads can be answered from one parse of the file instead of one file access each.
#pragma once
#include <string>
#include <vector>

namespace rtl {

class IniText {
public:
    IniText() = default;
    explicit IniText(const std::string& bytes);

    // The value of the first matching key (names ignore ASCII case), blanks trimmed and one pair
    // of enclosing quotes removed; false when the key is absent or has no '='.
    bool Find(const std::string& section, const std::string& key, std::string& value) const;
    // Key names of the first section of that name, in file order. Section names are compared
    // without their surrounding blanks. A line starting with ';' can be read as a key but is not
    // listed, nor is a line without '='.
    std::vector<std::string> Keys(const std::string& section) const;
    std::vector<std::string> Sections() const;

private:
    struct Entry {
        std::string key, value;
        bool hasValue;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> sections_;
};

}  // namespace rtl
