#include "notes/MemoNames.h"

#include <climits>

#include "toolkit/rtl/SysUtils.h"

namespace memo {

namespace {
const char kReadOnlyMark[] = " (RO)";
const size_t kMarkLength = sizeof kReadOnlyMark - 1;
}  // namespace

std::string MemoName(int number) { return "Memo" + std::to_string(number); }

int MemoNumber(const std::string& name) {
    if (name.size() <= 4 || name.size() > 13 || rtl::UpperCaseAscii(name.substr(0, 4)) != "MEMO") return 0;
    long long n = 0;
    for (size_t i = 4; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n <= INT_MAX ? (int)n : 0;
}

int NextMemoNumber(int count, const std::function<bool(int)>& taken) {
    int n = count < 0 ? 0 : count;
    do {
        if (n == INT_MAX) return 0;  // nothing left to hand out
        ++n;
    } while (taken(n));
    return n;
}

std::string CaptionOf(const std::string& title, bool readOnly) { return readOnly ? title + kReadOnlyMark : title; }

std::string TitleOf(const std::string& caption) {
    if (caption.size() >= kMarkLength && caption.compare(caption.size() - kMarkLength, kMarkLength, kReadOnlyMark) == 0)
        return caption.substr(0, caption.size() - kMarkLength);
    return caption;
}

bool IsPictureFile(const std::string& path) {
    std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(path));
    return ext == ".BMP" || ext == ".JPG";
}

}  // namespace memo
