#include "toolkit/IniFiles.h"

#include <windows.h>

#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/rtl/DateTime.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

namespace tk {

static const char kAbsent[] = "\x01\x02orbal-absent\x02\x01";

// Open KeepFailedWrites scopes: main thread only, like every settings access.
static int gKeepFailed = 0;

// Bumped by every write of the program, so that no object keeps a parse from before a change of ours.
static unsigned gWrites = 1;

namespace {
// One change of a file: made on its text, or by the profile functions on a copy of a file in a
// Unicode encoding; what names it to the user.
struct Edit {
    std::function<bool(rtl::IniText&)> text;
    std::function<BOOL(const char*)> profile;
    std::string what;
};

struct Cached {
    std::string file;
    FILETIME time{};
    DWORD size = 0;
    bool exists = false;
    std::shared_ptr<const rtl::IniText> text;
    // Changes whose write failed (the file held by another program), in order: the next write
    // that succeeds makes them first, and reads see them meanwhile, as the program uses them.
    std::vector<Edit> kept;
    std::shared_ptr<const rtl::IniText> shown, shownFrom;  // text with the kept changes, and the text they were made on
};
// Parses by file, each kept with the file's state when it was read or written: main thread only,
// like every settings access.
std::map<std::string, Cached>& Cache() {
    static std::map<std::string, Cached> cache;
    return cache;
}
Cached& CacheOf(const std::string& file) {
    Cached& c = Cache()[rtl::UpperCaseAscii(file)];
    if (c.file.empty()) c.file = file;
    return c;
}

struct FileState {
    WIN32_FILE_ATTRIBUTE_DATA a{};
    bool exists;
    explicit FileState(const std::string& file)
        : exists(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &a) &&
                 !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {}
};

void Remember(const std::string& file, const FileState& f, std::shared_ptr<const rtl::IniText> text) {
    Cached& c = CacheOf(file);
    c.time = f.a.ftLastWriteTime;
    c.size = f.a.nFileSizeLow;
    c.exists = f.exists;
    c.text = std::move(text);
}

// The file's text as it is now: the kept parse while the file is as it was seen, else read again.
// Null when the file cannot be read, or is in a Unicode encoding (*unicode says which). wait: a
// file another program holds is waited for, as a save waits. lastRead: a file that cannot be read
// now (held for a moment by a backup or a scanner) gives the text it had when last read, which is
// nearer the truth than the callers' defaults; never for a write, which needs the file as it is.
std::shared_ptr<const rtl::IniText> Load(const std::string& file, bool* unicode = nullptr, bool wait = false,
                                         bool lastRead = false) {
    FileState f(file);
    const Cached& c = CacheOf(file);
    if (c.text && c.exists == f.exists &&
        (!f.exists || (CompareFileTime(&c.time, &f.a.ftLastWriteTime) == 0 && c.size == f.a.nFileSizeLow)))
        return c.text;
    std::string bytes;
    if (f.exists && !ReadFileBytes(file, bytes, wait)) return lastRead && c.exists ? c.text : nullptr;
    // Files in a Unicode encoding are left to the profile functions themselves.
    if (rtl::StartsWithUnicodeMark(bytes)) {
        if (unicode) *unicode = true;
        return nullptr;
    }
    Remember(file, f, std::make_shared<const rtl::IniText>(std::move(bytes)));
    return c.text;
}

// A file in a Unicode encoding is changed by the profile functions on a copy beside it, which
// then replaces it whole.
bool ProfileChange(const std::string& file, const std::function<BOOL(const char*)>& change) {
    std::string bytes, changed;
    std::string dir = rtl::ExtractFilePath(file);
    char temp[MAX_PATH + 16] = {};
    if (!ReadFileBytes(file, bytes) || !GetTempFileNameA(dir.empty() ? "." : dir.c_str(), "o98", 0, temp))
        return false;
    bool ok = WriteFileBytes(temp, bytes) && change(temp) && ReadFileBytes(temp, changed);
    DeleteFileA(temp);
    return ok && (changed == bytes || WriteFileSafely(file, changed));
}

// The file's text with the changes kept for it: what the program uses.
std::shared_ptr<const rtl::IniText> Shown(const std::string& file) {
    std::shared_ptr<const rtl::IniText> t = Load(file, nullptr, false, true);
    Cached& c = CacheOf(file);
    if (!t || c.kept.empty()) return t;
    if (c.shownFrom != t) {
        auto shown = std::make_shared<rtl::IniText>(*t);
        for (const Edit& e : c.kept) e.text(*shown);
        c.shown = std::move(shown);
        c.shownFrom = t;
    }
    return c.shown;
}

// The kept changes and then edit (if any) in one write: the whole new text replaces the file in
// one step, so that a crash leaves the old file or the new.
bool WriteChanges(const std::string& file, const std::vector<Edit>& kept, const Edit* edit) {
    bool unicode = false;
    std::shared_ptr<const rtl::IniText> now = Load(file, &unicode);
    if (unicode)
        return ProfileChange(file, [&](const char* copy) {
            for (const Edit& e : kept)
                if (!e.profile(copy)) return FALSE;
            return edit ? edit->profile(copy) : TRUE;
        });
    if (!now) return false;  // a file that could not be read is not written over
    auto next = std::make_shared<rtl::IniText>(*now);
    bool changed = false;
    for (const Edit& e : kept) changed = e.text(*next) || changed;
    if (edit) changed = edit->text(*next) || changed;
    if (!changed) return true;
    if (!WriteFileSafely(file, next->Bytes())) return false;
    Remember(file, FileState(file), std::move(next));
    return true;
}

std::string SaveKeptChanges();

// A change that could not be written is kept for the next write of its file; the program's end
// tries once more and says what could not be kept.
bool Apply(const std::string& file, const Edit* edit) {
    ++gWrites;
    Cached& c = CacheOf(file);
    if (WriteChanges(file, c.kept, edit)) {
        c.kept.clear();
        return true;
    }
    if (edit) {
        c.kept.push_back(*edit);
        c.shownFrom.reset();
        static bool atTheEnd = false;
        if (!atTheEnd) Application.EndSavers.push_back(SaveKeptChanges);
        atTheEnd = true;
    }
    return false;
}

std::string SaveKeptChanges() {
    std::string said;
    for (auto& [name, c] : Cache()) {
        if (c.kept.empty() || Apply(c.file, nullptr)) continue;
        std::vector<std::string> lost;
        for (const Edit& e : c.kept)
            if (std::find(lost.begin(), lost.end(), e.what) == lost.end()) lost.push_back(e.what);
        said += (said.empty() ? "" : "\r\r") + std::string("設定ファイル ") + c.file + " に書き込めませんでした。\r保存されていない設定: ";
        for (size_t i = 0; i < lost.size(); ++i) said += (i ? "、" : "") + lost[i];
    }
    return said;
}
}  // namespace

void DropKeptIniChangesForTest() {
    for (auto& [name, c] : Cache()) c.kept.clear();
}

const rtl::IniText* TIniFile::Text() const {
    if (text_ && generation_ == gWrites) return text_.get();
    std::shared_ptr<const rtl::IniText> t = Shown(FileName);
    if (!t) return nullptr;
    text_ = std::move(t);
    generation_ = gWrites;
    return text_.get();
}

bool TIniFile::Change(std::function<bool(rtl::IniText&)> edit, std::function<BOOL(const char*)> profile,
                      std::string what) {
    Edit e{std::move(edit), std::move(profile), std::move(what)};
    return Apply(FileName, &e);
}

void TIniFile::Raise() const {
    if (gKeepFailed == 0) throw EIniFileError("設定ファイル " + FileName + " に書き込めません。");
}

KeepFailedWrites::KeepFailedWrites() { ++gKeepFailed; }
KeepFailedWrites::~KeepFailedWrites() { --gKeepFailed; }

TIniFile::Readable TIniFile::ReadState() const {
    if (!FileState(FileName).exists) return Readable::Yes;
    bool unicode = false;
    std::shared_ptr<const rtl::IniText> t = Load(FileName, &unicode, true);
    if (unicode) return Readable::Yes;  // read by the profile functions themselves
    if (!t) return Readable::Held;
    return t->Bytes().find('\0') != std::string::npos ? Readable::NotText : Readable::Yes;
}

std::string TIniFile::ReadError() const { return ReadError(ReadState()); }

std::string TIniFile::ReadError(Readable r) const {
    if (r == Readable::Yes) return "";
    return "ファイル " + FileName + " を読み込めませんでした（" +
           (r == Readable::Held ? "ほかのプログラムが使用中です" : "テキストではありません") + "）。";
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
    if (!Change([=](rtl::IniText& t) { return t.Write(section, key, value); },
                [=](const char* file) {
                    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file);
                },
                "[" + section + "] " + key))
        Raise();
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
    if (!Change([=](rtl::IniText& t) { return t.EraseSection(section); },
                [=](const char* file) { return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file); },
                "[" + section + "]"))
        Raise();
}

void TIniFile::WriteSection(const std::string& section, const IniKeys& values) {
    if (values.empty()) return EraseSection(section);
    if (!Change([=](rtl::IniText& t) { return t.WriteSection(section, values); },
                [=](const char* file) {
                    std::string block;
                    for (const auto& [key, value] : values) {
                        // A key written alone loses its value's trailing blanks; a section written whole would not.
                        size_t end = value.find_last_not_of(" \t");
                        block.append(key).append("=").append(value, 0, end == std::string::npos ? 0 : end + 1);
                        block.push_back('\0');
                    }
                    block.push_back('\0');
                    return WritePrivateProfileSectionA(section.c_str(), block.c_str(), file);
                },
                "[" + section + "]"))
        Raise();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    // A key that cannot be removed now is removed by the next write that can be made.
    Change([=](rtl::IniText& t) { return t.DeleteKey(section, key); },
           [=](const char* file) { return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file); },
           "[" + section + "] " + key);
}

bool TIniFile::CopyAside(std::string& copy) const {
    copy.clear();
    // A file that cannot be read at all (held open by another program) is not known to be
    // damaged: it is left alone, and the writes that follow say that it cannot be written.
    std::string bytes;
    if (!FileExists(FileName) || !ReadFileBytes(FileName, bytes)) return false;
    std::string name = FileName + ".broken-" + rtl::FormatDateTime("yyyymmdd-hhnnss", rtl::Now());
    for (int n = 1; n < 100; ++n) {
        std::string candidate = n == 1 ? name : name + "-" + std::to_string(n);
        if (CopyFileA(FileName.c_str(), candidate.c_str(), TRUE)) {
            copy = candidate;
            break;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return true;
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
