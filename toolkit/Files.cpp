#include "toolkit/Files.h"

#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
    std::string p = rtl::ExcludeTrailingBackslash(path);
    if (p.empty() || DirectoryExists(p)) return true;
    std::string parent = rtl::ExtractFileDir(p);
    if (!parent.empty() && parent != p && !ForceDirectories(parent)) return false;
    return CreateDirectoryA(p.c_str(), nullptr) || DirectoryExists(p);
}

bool DeleteFileA_(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool RenameFile(const std::string& from, const std::string& to) { return MoveFileA(from.c_str(), to.c_str()) != 0; }

std::string ExeDir() {
    char buf[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return rtl::ExcludeTrailingBackslash(rtl::ExtractFilePath(std::string(buf, n)));
}

namespace {
std::atomic<unsigned> gStep{1}, gGaveUpIn{0};

// Another program (a virus scanner, a backup) may hold a file for a moment: a step it refuses
// for that is tried again, for about a second, unless a wait already ran out in this user step.
bool Retrying(const std::function<bool()>& step) {
    for (int tries = 0;; ++tries) {
        if (step()) return true;
        DWORD e = GetLastError();
        if (e != ERROR_SHARING_VIOLATION && e != ERROR_ACCESS_DENIED) return false;
        if (tries == 20 || gGaveUpIn == gStep) {
            gGaveUpIn = gStep.load();
            SetLastError(e);
            return false;
        }
        Sleep(50);
        SetLastError(e);
    }
}
}  // namespace

void NewUserStep() { ++gStep; }

bool ReadFileBytes(const std::string& path, std::string& out, bool waitIfHeld) {
    HANDLE f = INVALID_HANDLE_VALUE;
    auto open = [&] {
        f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return f != INVALID_HANDLE_VALUE;
    };
    if (!(waitIfHeld && !DirectoryExists(path) ? Retrying(open) : open())) return false;
    out.clear();
    char buf[16384];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(f, buf, sizeof buf, &got, nullptr)) && got) out.append(buf, got);
    CloseHandle(f);
    return ok;
}

bool FileIsReadOnly(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool (*WriteFileSafelyStep)(const char* step) = nullptr;

namespace {

const char kTempPrefix[] = "o98";  // GetTempFileNameA makes "o98" + up to four hex digits + ".tmp"

bool IsTempName(const char* name) {
    size_t n = strlen(name), hex = n - 7;
    if (n < 8 || n > 11 || _strnicmp(name, kTempPrefix, 3) != 0 || _stricmp(name + n - 4, ".tmp") != 0) return false;
    for (size_t i = 3; i < 3 + hex; ++i)
        if (!isxdigit((unsigned char)name[i])) return false;
    return true;
}

uint64_t U64(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

std::function<std::vector<OwnFolder>()> gOwnFolders;

// The folder's full name with a trailing backslash, in upper case; empty when it has none.
std::string FolderKey(const std::string& dir) {
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(dir.c_str(), sizeof full, full, nullptr);
    if (!n || n >= sizeof full) return "";
    return rtl::UpperCaseAscii(rtl::IncludeTrailingBackslash(std::string(full, n)));
}

bool IsOwnFolder(const std::string& key) {
    if (!gOwnFolders) return false;
    for (const OwnFolder& f : gOwnFolders()) {
        if (f.Path.empty() || f.Path == ".") continue;  // "." is no folder chosen, not the current one
        std::string own = FolderKey(f.Path);
        if (!own.empty() && (f.SubFolders ? key.compare(0, own.size(), own) == 0 : key == own)) return true;
    }
    return false;
}

// Removes the temporary files that saves into dir left when the program was ended in their middle.
// Once per folder and run, and only in the program's own folders: elsewhere a file of that name
// is the user's. The look costs a scan of the folder (4 ms with 10,000 files under Wine).
// This program saves on one thread, so none of them is a save of its own in flight; a young one
// may be another program's, and one held open cannot go: both stay.
void RemoveLeftovers(const std::string& dir) {
    static std::set<std::string> swept;
    static std::mutex guard;
    std::string key = FolderKey(dir);
    if (key.empty()) return;
    {
        std::lock_guard<std::mutex> lock(guard);
        if (swept.count(key)) return;
    }
    if (!IsOwnFolder(key)) return;
    {
        std::lock_guard<std::mutex> lock(guard);
        if (!swept.insert(key).second) return;
    }
    std::string folder = rtl::IncludeTrailingBackslash(dir.empty() ? "." : dir);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + kTempPrefix + "*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    constexpr uint64_t kYoung = 5ull * 10000000;  // 5 s in 100 ns units
    do {
        if (!(fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) && IsTempName(fd.cFileName) &&
            U64(now) - U64(fd.ftLastWriteTime) >= kYoung)
            DeleteFileA((folder + fd.cFileName).c_str());
    } while (FindNextFileA(h, &fd));
    ::FindClose(h);
}

bool Replace(const std::string& temp, const std::string& path) {
    return Retrying([&] {
        return MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

// Nobody holds path in a way that stops its replacement. Asked before its old file is kept
// aside: a second link to a file held so could not be removed again when the save fails.
bool Replaceable(const std::string& path) {
    return Retrying([&] {
        HANDLE h = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        return h != INVALID_HANDLE_VALUE && CloseHandle(h);
    });
}

// A new temporary file beside path (so that moving it over path never crosses volumes).
bool MakeTemp(const std::string& path, std::string& temp) {
    std::string dir = rtl::ExtractFilePath(path);
    char name[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(dir.empty() ? "." : dir.c_str(), kTempPrefix, 0, name)) return false;
    temp = name;
    return true;
}

// The old file kept under a temporary name until the save is over, so that a later failure can
// put it back: a second link to it where the volume has them (no copying), else a copy. The link
// is named after the save's own temporary file: asking for a free name first would cost one more
// scan of the folder.
bool KeepOld(const std::string& path, const std::string& temp, std::string& backup) {
    std::string dir = rtl::ExtractFilePath(temp);
    unsigned n = strtoul(temp.c_str() + dir.size() + 3, nullptr, 16);
    for (int tries = 0; tries < 16; ++tries) {
        n = (n + 1) & 0xFFFF;
        char name[16];
        snprintf(name, sizeof name, "%s%X.tmp", kTempPrefix, n ? n : 1);
        backup = dir + name;
        if (CreateHardLinkA(backup.c_str(), path.c_str(), nullptr)) return true;
        DWORD e = GetLastError();
        if (e != ERROR_ALREADY_EXISTS && e != ERROR_FILE_EXISTS) break;
    }
    backup.clear();
    if (MakeTemp(path, backup) && CopyFileA(path.c_str(), backup.c_str(), FALSE)) return true;
    if (!backup.empty()) DeleteFileA(backup.c_str());
    backup.clear();
    return false;
}

}  // namespace

void SetOwnFolders(std::function<std::vector<OwnFolder>()> folders) { gOwnFolders = std::move(folders); }

bool WriteFileSafely(const std::string& path, const std::string& data) { return WriteFilesSafely({{path, data}}); }

bool WriteFilesSafely(const std::vector<std::pair<std::string, std::string>>& files) {
    // A read-only file is not to be replaced (Wine's move would replace it all the same).
    std::vector<bool> existed;
    for (const auto& [path, data] : files) {
        if (FileIsReadOnly(path)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        existed.push_back(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    }
    for (const auto& file : files) {
        std::string dir = rtl::ExtractFilePath(file.first);
        RemoveLeftovers(dir.empty() ? "." : dir);
    }
    std::vector<std::string> temps, backups(files.size());
    // Removes the temporary files not yet moved into place and the old files kept aside.
    auto drop = [&](size_t moved) {
        DWORD error = GetLastError();
        for (size_t i = moved; i < temps.size(); ++i) DeleteFileA(temps[i].c_str());
        for (const std::string& b : backups)
            if (!b.empty()) DeleteFileA(b.c_str());
        SetLastError(error);
        return false;
    };
    for (const auto& [path, data] : files) {
        std::string temp;
        if (!MakeTemp(path, temp)) return drop(0);
        temps.push_back(temp);
        HANDLE f = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return drop(0);
        DWORD put = 0;
        bool ok = WriteFile(f, data.data(), (DWORD)data.size(), &put, nullptr) && put == data.size();
        if (ok && WriteFileSafelyStep && !WriteFileSafelyStep("temp")) { CloseHandle(f); return false; }
        ok = ok && FlushFileBuffers(f);
        ok = CloseHandle(f) && ok;
        if (ok && WriteFileSafelyStep && !WriteFileSafelyStep("flushed")) return false;
        if (!ok) return drop(0);
    }
    // Every file but the last may have to be put back when a later one cannot be replaced.
    for (size_t i = 0; i + 1 < files.size(); ++i)
        if (existed[i] && !(Replaceable(files[i].first) && KeepOld(files[i].first, temps[i], backups[i])))
            return drop(0);
    // Each move replaces one name in one step: the file is old or new whole at every instant.
    for (size_t i = 0; i < files.size(); ++i) {
        if (Replace(temps[i], files[i].first)) continue;
        // Put back what was replaced. An old file that cannot be put back goes all the same: the
        // new one stands in its place, and no temporary file is left.
        DWORD error = GetLastError();
        for (size_t j = 0; j < i; ++j) {
            if (backups[j].empty()) DeleteFileA(files[j].first.c_str());
            else if (Replace(backups[j], files[j].first)) backups[j].clear();
        }
        SetLastError(error);
        return drop(i);
    }
    drop(files.size());
    return true;
}

bool WriteFileBytes(const std::string& path, const std::string& data) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = WriteFile(f, data.data(), (DWORD)data.size(), &put, nullptr) && put == data.size();
    ok = CloseHandle(f) && ok;
    return ok;
}

static bool Fill(TSearchRec& rec, const WIN32_FIND_DATAA& fd) {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") return false;
    int a = (int)(fd.dwFileAttributes & faAnyFile);
    if (a & rec.ExcludeAttr) return false;
    rec.Name = name;
    rec.Attr = a;
    rec.Size = ((int64_t)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
    rec.Time = fd.ftLastWriteTime;
    return true;
}

int FindFirst(const std::string& mask, int attr, TSearchRec& rec) {
    rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faDirectory);
    WIN32_FIND_DATAA fd;
    rec.FindHandle = FindFirstFileA(mask.c_str(), &fd);
    if (rec.FindHandle == INVALID_HANDLE_VALUE) return (int)GetLastError();
    if (Fill(rec, fd)) return 0;
    int r = FindNext(rec);
    return r;
}

int FindNext(TSearchRec& rec) {
    WIN32_FIND_DATAA fd;
    while (FindNextFileA(rec.FindHandle, &fd))
        if (Fill(rec, fd)) return 0;
    return (int)GetLastError();
}

void FindClose(TSearchRec& rec) {
    if (rec.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(rec.FindHandle);
    rec.FindHandle = INVALID_HANDLE_VALUE;
}

}  // namespace tk
