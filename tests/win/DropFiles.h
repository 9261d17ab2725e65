// Files handed over as the shell hands them in a drop: an HDROP block for WM_DROPFILES, which
// the receiving window frees with DragFinish.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace wintest {

inline HGLOBAL BuildDrop(const std::vector<std::string>& files) {
    size_t size = sizeof(DROPFILES) + 1;
    for (auto& f : files) size += f.size() + 1;
    HGLOBAL h = GlobalAlloc(GHND, size);  // zeroed: the list ends in two NULs
    auto* d = (DROPFILES*)GlobalLock(h);
    d->pFiles = sizeof(DROPFILES);
    char* p = (char*)d + sizeof(DROPFILES);
    for (auto& f : files) p = std::copy(f.begin(), f.end(), p) + 1;
    GlobalUnlock(h);
    return h;
}

}  // namespace wintest
