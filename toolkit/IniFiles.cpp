#include "toolkit/IniFiles.h"

#include <windows.h>

#include "toolkit/Files.h"

#include <cstring>
#include <map>
#include <vector>

namespace tk {

static const char kAbsent[] = "\x01\x02orbal-absent\x02\x01";

// Bumped by every write of the program, so that no parse outlives a change of ours.
static unsigned gWrites = 1;

namespace {
struct Cached {
    FILETIME time{};
    DWORD size = 0;
    bool exists = false;
    unsigned generation = 0;
    std::shared_ptr<const rtl::IniText> text;
};
}  // namespace

const rtl::IniText* TIniFile::Text() const {
    if (text_ && generation_ == gWrites) return text_.get();
    static std::map<std::string, Cached> cache;  // main thread only, like every settings access
    WIN32_FILE_ATTRIBUTE_DATA a{};
    bool exists = GetFileAttributesExA(FileName.c_str(), GetFileExInfoStandard, &a) &&
                  !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    Cached& c = cache[rtl::UpperCaseAscii(FileName)];
    bool same = c.text && c.generation == gWrites && c.exists == exists &&
                (!exists || (CompareFileTime(&c.time, &a.ftLastWriteTime) == 0 && c.size == a.nFileSizeLow));
    if (!same) {
        std::string bytes;
        if (exists && !ReadFileBytes(FileName, bytes)) return nullptr;
        // Files in a Unicode encoding are left to the profile functions themselves.
        if (bytes.rfind("\xEF\xBB\xBF", 0) == 0 || bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0)
            return nullptr;
        c.text = std::make_shared<const rtl::IniText>(bytes);
        c.time = a.ftLastWriteTime;
        c.size = a.nFileSizeLow;
        c.exists = exists;
        c.generation = gWrites;
    }
    text_ = c.text;
    generation_ = gWrites;
    return text_.get();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    if (const rtl::IniText* t = Text()) {
        std::string v;
        return t->Find(section, key, v) ? rtl::SjisTruncate(v, 1023) : def;
    }
    char buf[1024];
    ZeroMemory(buf, sizeof buf);  // a cut Japanese value must not leave stale bytes behind
    GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buf, sizeof buf, FileName.c_str());
    std::string s(buf);
    if (s == kAbsent) return def;
    return rtl::SjisTruncate(s, 1023);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    return rtl::StrToIntDef(ReadString(section, key, ""), def);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def, int min, int max) const {
    int v = ReadInteger(section, key, def);
    return v < min || v > max ? def : v;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double def) const {
    return rtl::StrToFloatDef(ReadString(section, key, ""), def);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    ++gWrites;
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), FileName.c_str()))
        throw EIniFileError("設定ファイル " + FileName + " に書き込めません。");
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, rtl::IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
    WriteString(section, key, rtl::FloatToStr(value));
}

// Reads a double-NUL list, growing the buffer until it fits.
static void ReadList(const char* section, const std::string& file, rtl::TStringList& out) {
    out.Clear();
    std::vector<char> buf(16384);
    DWORD n;
    while (true) {
        n = GetPrivateProfileStringA(section, nullptr, "", buf.data(), (DWORD)buf.size(), file.c_str());
        if (n < buf.size() - 2) break;
        buf.resize(buf.size() * 4);
    }
    for (const char* p = buf.data(); *p; p += strlen(p) + 1) out.Add(p);
}

void TIniFile::ReadSection(const std::string& section, rtl::TStringList& keys) const {
    if (const rtl::IniText* t = Text()) {
        keys.Clear();
        for (const std::string& k : t->Keys(section)) keys.Add(k);
        return;
    }
    ReadList(section.c_str(), FileName, keys);
}

void TIniFile::ReadSections(rtl::TStringList& sections) const {
    sections.Clear();
    if (const rtl::IniText* t = Text()) {
        for (const std::string& s : t->Sections()) sections.Add(s);
        return;
    }
    std::vector<char> buf(16384);
    DWORD n;
    while (true) {
        n = GetPrivateProfileSectionNamesA(buf.data(), (DWORD)buf.size(), FileName.c_str());
        if (n < buf.size() - 2) break;
        buf.resize(buf.size() * 4);
    }
    for (const char* p = buf.data(); *p; p += strlen(p) + 1) sections.Add(p);
}

bool TIniFile::SectionExists(const std::string& section) const {
    rtl::TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    rtl::TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(key) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
    ++gWrites;
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FileName.c_str()))
        throw EIniFileError("設定ファイル " + FileName + " に書き込めません。");
}

void TIniFile::WriteSection(const std::string& section, const IniKeys& values) {
    // One write: erasing first would leave the section gone if the program ended in between.
    if (values.empty()) return EraseSection(section);
    std::string block;
    for (const auto& [key, value] : values) {
        // A key written alone loses its value's trailing blanks; a section written whole would not.
        size_t end = value.find_last_not_of(" \t");
        block.append(key).append("=").append(value, 0, end == std::string::npos ? 0 : end + 1).push_back('\0');
    }
    block.push_back('\0');
    ++gWrites;
    if (!WritePrivateProfileSectionA(section.c_str(), block.c_str(), FileName.c_str()))
        throw EIniFileError("設定ファイル " + FileName + " に書き込めません。");
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    ++gWrites;
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, FileName.c_str());
}

bool IniKeepsValue(const std::string& value) {
    if (value.empty()) return true;
    if (rtl::Trim(value) != value) return false;
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        return false;
    return true;
}

}  // namespace tk
