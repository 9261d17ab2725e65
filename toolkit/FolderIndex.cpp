#include "toolkit/FolderIndex.h"

#include <map>
#include <memory>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

namespace {

// A stamp younger than this at the read may share its clock tick with a change made just after
// (kernels stamp files from a coarse clock, at worst 10 ms).
constexpr uint64_t kRacyWindow = 20 * 10000;  // 100 ns units

uint64_t U64(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// The folder that dir + "\" + name is in, as a full path: "C:\" for a root, else no trailing "\".
std::string FullFolder(const std::string& dir) {
    std::string joined = dir + "\\";
    char buf[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(joined.c_str(), sizeof buf, buf, nullptr);
    std::string full = n > 0 && n < sizeof buf ? std::string(buf, n) : joined;
    if (full.size() == 3 && full[1] == ':') return full;
    return rtl::ExcludeTrailingBackslash(full);
}

bool IsBareName(const std::string& name) {
    if (name.empty()) return false;
    for (size_t i = 0; i < name.size(); i += rtl::SjisCharLen(name, i)) {
        char c = name[i];
        if (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?') return false;
    }
    return true;
}

std::map<std::string, std::unique_ptr<FolderIndex>>& Registry() {
    static std::map<std::string, std::unique_ptr<FolderIndex>> r;
    return r;
}

}  // namespace

FolderIndex& FolderIndex::For(const std::string& dir) {
    std::string full = FullFolder(dir);
    auto& slot = Registry()[rtl::UpperCaseAscii(full)];
    if (!slot) slot.reset(new FolderIndex(full));
    return *slot;
}

void FolderIndex::InvalidateAll() {
    for (auto& kv : Registry()) kv.second->Invalidate();
}

FolderIndex::Stamp FolderIndex::ReadStamp() const {
    Stamp s;
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &d) && (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        s.exists = true;
        s.written = U64(d.ftLastWriteTime);
        s.created = U64(d.ftCreationTime);
    }
    return s;
}

void FolderIndex::Read() {
    // The stamp is taken first: a change during the scan moves it past what we keep.
    stamp_ = ReadStamp();
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    settled_ = !stamp_.exists || U64(now) >= stamp_.written + kRacyWindow;
    names_.clear();
    WIN32_FIND_DATAA f;
    std::string mask = (path_.size() == 3 && path_[1] == ':' ? path_ : path_ + "\\") + "*";
    HANDLE h = stamp_.exists ? FindFirstFileA(mask.c_str(), &f) : INVALID_HANDLE_VALUE;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names_.insert(rtl::UpperCaseAscii(f.cFileName));
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    dirty_ = false;
    lastCheck_ = GetTickCount();
    ++reads_;
}

void FolderIndex::Revalidate() {
    lastCheck_ = GetTickCount();
    if (dirty_ || !settled_ || !(ReadStamp() == stamp_)) Read();
}

void FolderIndex::Check() {
    if (dirty_) Read();
    else if (GetTickCount() - lastCheck_ >= kRecheckMs) Revalidate();
}

bool FolderIndex::Exists(const std::string& name) {
    if (!IsBareName(name)) return false;
    Check();
    return names_.count(rtl::UpperCaseAscii(name)) != 0;
}

size_t FolderIndex::Count() {
    Check();
    return names_.size();
}

}  // namespace tk
