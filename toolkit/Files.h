// File and folder helpers over the Win32 file functions (Shift-JIS paths).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tk {

bool FileExists(const std::string& path);       // false for folders
bool DirectoryExists(const std::string& path);  // true only for folders
bool ForceDirectories(const std::string& path);
bool DeleteFileA_(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// The executable's folder, without a trailing backslash.
std::string ExeDir();
// False when the file is not there or cannot be read. waitIfHeld: a file another program holds
// is waited for as a save waits (see WriteFileSafely), for a reader that must tell a held file
// from an absent one.
bool ReadFileBytes(const std::string& path, std::string& out, bool waitIfHeld = false);
// A file held by another program is waited for once per thing the user does: after a wait that
// ran out, the other steps of the same message fail at once, so that one click or key press
// never waits a second per file. The message loop and each answered box start a new step.
void NewUserStep();
// A name the program may not save over: a file marked read-only, or a folder. A name with
// nothing there is not read-only (a save makes the file). Windows check it when they open a
// file, so that the user learns it before typing.
bool FileIsReadOnly(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& data);
// Replaces a file the user owns so that a crash or a full disk mid-save leaves either the old
// file or the new one: the data goes to a temporary file in the same folder, is flushed, and is
// moved over the old name in one step. False (old file untouched, temporary removed) on failure.
// The first save into one of the program's own folders in a run removes the temporary files
// ("o98*.tmp") that saves there left when the program was ended in their middle. A file held by
// another program is waited for, for about a second, before the save fails.
bool WriteFileSafely(const std::string& path, const std::string& data);
// The same for files that belong together: every new file is written and flushed before the
// first old one is replaced, and the old ones are kept aside until the last is replaced, so a
// failed save puts back those already replaced (and removes those that were new) before it
// returns false. Only a crash between two of the moves can leave some files new and some old.
bool WriteFilesSafely(const std::vector<std::pair<std::string, std::string>>& files);
// The program's own folders, handed in by the program: leftover temporaries are removed there
// only, never in a folder the user picked for an export. Asked at the first save into a folder.
struct OwnFolder {
    std::string Path;  // "." or empty: none
    bool SubFolders;   // its sub-folders too
};
void SetOwnFolders(std::function<std::vector<OwnFolder>()> folders);
// Test seam: called after each step ("temp", "flushed"); returning false stops the save there
// as a crash would, leaving the temporary file behind.
extern bool (*WriteFileSafelyStep)(const char* step);

enum FileAttr { faReadOnly = 1, faHidden = 2, faSysFile = 4, faDirectory = 16, faArchive = 32, faAnyFile = 0x3F };

struct TSearchRec {
    std::string Name;
    int Attr = 0;
    int64_t Size = 0;
    FILETIME Time{};
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    int ExcludeAttr = 0;
};
// Lists the entries matching mask whose attributes are allowed by attr (folders, hidden and
// system entries only when asked for); "." and ".." are skipped. Returns 0 on success.
int FindFirst(const std::string& mask, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

}  // namespace tk
