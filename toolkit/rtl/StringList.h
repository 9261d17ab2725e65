// An ordered list of Shift-JIS strings with comma text and line text, as the windows exchange them.
#pragma once
#include <string>
#include <vector>

namespace rtl {

class TStringList {
public:
    std::vector<std::string> Strings;
    std::vector<int> Objects;  // one integer per item (what the windows hang on list items)
    bool Sorted = false;
    bool CaseSensitive = false;

    int Count() const { return (int)Strings.size(); }
    const std::string& operator[](int i) const { return Strings.at(i); }
    int Add(const std::string& s, int obj = 0);
    void Insert(int i, const std::string& s, int obj = 0);
    void Delete(int i);
    void Clear();
    void Exchange(int a, int b);
    int IndexOf(const std::string& s) const;
    void Sort();

    // Comma text: items separated by commas; an item holding a blank, comma or quote is quoted
    // with '"' and its quotes doubled, as is one ending in a lone Shift-JIS lead byte. On reading,
    // unquoted blanks and control bytes also separate items. Any list reads back as written.
    std::string CommaText() const;
    void SetCommaText(const std::string& text);
    // Line text: items each followed by CR LF; reading splits at CR LF, LF or CR.
    std::string Text() const;
    void SetText(const std::string& text);

    // name=value items.
    std::string Name(int i) const;
    std::string Value(const std::string& name) const;
    int IndexOfName(const std::string& name) const;

    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;
};

}  // namespace rtl
