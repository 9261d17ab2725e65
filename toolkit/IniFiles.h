// The INI object over the private-profile files: typed reads with the caller's default, writes
// that report failure, key names in file order, erasing sections and keys. Every write replaces
// the file whole through a temporary file, so that a crash leaves the old file or the new one;
// the program's reads see it at once.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/rtl/IniText.h"
#include "toolkit/rtl/StringList.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

class EIniFileError : public rtl::Exception {
public:
    using Exception::Exception;
};

// A numeric key together with the range its settings control allows. A stored value outside
// the range reads as the caller's default, as an absent or unreadable one does, so a hand-edited
// or damaged file cannot push a reader into arithmetic it was never meant for.
struct RangedKey {
    const char* Name;
    int Min, Max;
    operator std::string() const { return Name; }
};

// A section's keys with their values, in file order.
using IniKeys = std::vector<std::pair<std::string, std::string>>;

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : FileName(std::move(fileName)) {}
    std::string FileName;

    // At most 1023 bytes, never ending in half a character; the default when the key is absent.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal or "0x" hexadecimal; empty or not a number gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // The same, but a value outside min..max also gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def, int min, int max) const;
    int ReadInteger(const std::string& section, const RangedKey& key, int def) const {
        return ReadInteger(section, key.Name, def, key.Min, key.Max);
    }
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    double ReadFloat(const std::string& section, const std::string& key, double def) const;
    // Raise EIniFileError when the file cannot be written; the value is kept all the same (Change).
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteFloat(const std::string& section, const std::string& key, double value);
    void ReadSection(const std::string& section, rtl::TStringList& keys) const;
    void ReadSections(rtl::TStringList& sections) const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    void EraseSection(const std::string& section);
    // Replaces the section's keys by these (distinct) keys in this order, in one write of the
    // file: the section keeps its place, and the values are stored as WriteString would store
    // them. No keys: the section goes.
    void WriteSection(const std::string& section, const IniKeys& values);
    void DeleteKey(const std::string& section, const std::string& key);
    // Empty when the file was read, or is not there; else the word that says it could not be
    // read: another program held it (waited for about a second) or it is not text. A read that
    // fails gives the caller's defaults, as an absent file does, so a window that writes back
    // whole a list it read asks this first, and keeps such a file as it is.
    std::string ReadError() const;
    enum class Readable { Yes, Held, NotText };
    Readable ReadState() const;
    // The word for a state already asked, without reading the file again.
    std::string ReadError(Readable state) const;
    // Copies the file beside it as "<name>.broken-yyyymmdd-hhnnss", as it is before settings of
    // a first run go into it. False when the file is not there or cannot be read; else copy
    // names the copy, empty when none could be made.
    bool CopyAside(std::string& copy) const;

private:
    // Reads are answered from one parse of the file per object (the file is checked once when
    // the object first reads, and parsed again after any write of the program).
    const rtl::IniText* Text() const;
    // One change of the file's text; profile makes it instead on a copy of a file in a Unicode
    // encoding; what names it. False when the file could not be read or written: the change is
    // then kept, read as made, and made by the next write of the file that succeeds; at the
    // program's end what is still kept is tried once more, and named to the user if it fails.
    bool Change(std::function<bool(rtl::IniText&)> edit, std::function<int(const char*)> profile, std::string what);
    void Raise() const;  // unless inside KeepFailedWrites
    mutable std::shared_ptr<const rtl::IniText> text_;
    mutable unsigned generation_ = 0;
};

// While one lives, a settings write that fails does not raise: it is kept and named at the
// program's end like every failed write. A form's close runs in one, since what a window writes
// about itself as it goes (its place, its size) is no reason to keep it open.
class KeepFailedWrites {
public:
    KeepFailedWrites();
    ~KeepFailedWrites();
    KeepFailedWrites(const KeepFailedWrites&) = delete;
    KeepFailedWrites& operator=(const KeepFailedWrites&) = delete;
};

// Forgets the changes kept after failed writes, so that a test starts from none.
void DropKeptIniChangesForTest();

// The profile functions trim blanks around a value and strip one pair of enclosing quotes, on
// write and on read. True when value comes back from the file exactly as written.
bool IniKeepsValue(const std::string& value);

}  // namespace tk
