#include "toolkit/Files.h"

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

bool ReadFileBytes(const std::string& path, std::string& out) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    out.clear();
    char buf[16384];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(f, buf, sizeof buf, &got, nullptr)) && got) out.append(buf, got);
    CloseHandle(f);
    return ok;
}

bool (*WriteFileSafelyStep)(const char* step) = nullptr;

bool WriteFileSafely(const std::string& path, const std::string& data) { return WriteFilesSafely({{path, data}}); }

bool WriteFilesSafely(const std::vector<std::pair<std::string, std::string>>& files) {
    // A read-only file is not to be replaced (Wine's move would replace it all the same).
    for (const auto& [path, data] : files) {
        DWORD attr = GetFileAttributesA(path.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
    }
    std::vector<std::string> temps;
    auto dropTemps = [&] {
        for (const std::string& t : temps) DeleteFileA(t.c_str());
    };
    for (const auto& [path, data] : files) {
        // The temporary name sits beside the target so the final move never crosses volumes.
        std::string dir = rtl::ExtractFilePath(path);
        char temp[MAX_PATH + 16] = {};
        if (!GetTempFileNameA(dir.empty() ? "." : dir.c_str(), "o98", 0, temp)) { dropTemps(); return false; }
        temps.push_back(temp);
        HANDLE f = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) { dropTemps(); return false; }
        DWORD put = 0;
        bool ok = WriteFile(f, data.data(), (DWORD)data.size(), &put, nullptr) && put == data.size();
        if (ok && WriteFileSafelyStep && !WriteFileSafelyStep("temp")) { CloseHandle(f); return false; }
        ok = ok && FlushFileBuffers(f);
        ok = CloseHandle(f) && ok;
        if (ok && WriteFileSafelyStep && !WriteFileSafelyStep("flushed")) return false;
        if (!ok) { dropTemps(); return false; }
    }
    for (size_t i = 0; i < files.size(); ++i)
        if (!MoveFileExA(temps[i].c_str(), files[i].first.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            temps.erase(temps.begin(), temps.begin() + i);
            dropTemps();
            return false;
        }
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
