// The names of one folder, read once and kept, so that asking whether a file exists costs a set
// look-up. Under Wine a missed existence test scans the whole folder (it emulates case-insensitive
// names), and the schedule rules ask about dozens of names that do not exist for every day and
// every minute; every such question about the data folder comes here.
//
// The folder is read again when its change stamp moves (last-write and creation time of the folder:
// creating, deleting or renaming an entry sets them, checked under Wine) or after Invalidate(),
// which our own writers call. The stamp is looked at on a question at most every kRecheckMs, so a
// burst of questions (a month's marks) costs one look; a change made by another program shows
// after that interval. A stamp that was still fresh when the folder was read may share its clock
// tick with a later change, so such a read is repeated at the next look.
// Main thread only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_set>

#include "toolkit/rtl/NameSource.h"

namespace tk {

class FolderIndex : public rtl::NameSource {
public:
    // The index of the folder that dir + "\" + name names, dir as the settings hold it ("" the
    // current drive's root, "." the current folder at the time of this call). One per folder.
    static FolderIndex& For(const std::string& dir);
    // After a write whose folder is not at hand.
    static void InvalidateAll();

    // A file (not a folder) of this bare name, matched ignoring ASCII case; Shift-JIS bytes are
    // compared as they are.
    bool Exists(const std::string& name) override;
    // Our own write happened: the next question reads the folder again.
    void Invalidate() { dirty_ = true; }
    // Look at the change stamp now rather than at the next interval.
    void Revalidate();

    const std::string& Path() const { return path_; }  // full path, no trailing backslash
    size_t Count();                                    // files in the folder
    int Reads() const { return reads_; }               // how often the folder was read

    static constexpr DWORD kRecheckMs = 50;

    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

private:
    struct Stamp {
        bool exists = false;
        uint64_t written = 0, created = 0;
        bool operator==(const Stamp&) const = default;
    };
    explicit FolderIndex(std::string path) : path_(std::move(path)) {}
    Stamp ReadStamp() const;
    void Check();
    void Read();

    std::string path_;
    std::unordered_set<std::string> names_;  // upper-cased (ASCII letters only)
    Stamp stamp_;
    bool dirty_ = true;     // read before the first answer
    bool settled_ = false;  // the stamp was old enough at the read to show any later change
    DWORD lastCheck_ = 0;
    int reads_ = 0;

};

}  // namespace tk
