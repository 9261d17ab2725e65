// "Is there a file of this name in the folder?" — the one question the day and reminder rules ask
// of the data folder. The Win32 side answers it from a folder index; tests answer from a set.
#pragma once
#include <string>

namespace rtl {

struct NameSource {
    virtual ~NameSource() = default;
    // A bare file name (no folder part); folders of that name do not count.
    virtual bool Exists(const std::string& name) = 0;
};

}  // namespace rtl
