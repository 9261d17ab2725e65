#include "toolkit/Header.h"

#include <commctrl.h>

namespace tk {

void HeaderControl::Create(Control& parent, const Ctl& p) {
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, WC_HEADERA, HDS_HORZ, 0, q);
    int n = (int)p.items.size();
    int width = p.value > 0 ? p.value : n > 0 ? p.at.width / n : 0;
    for (const std::string& s : p.items) AddSection(s, width);
}

int HeaderControl::SectionCount() const { return (int)SendMessageA(Handle, HDM_GETITEMCOUNT, 0, 0); }

int HeaderControl::AddSection(const std::string& text, int width) {
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<char*>(text.c_str());
    item.cxy = width;
    item.fmt = HDF_LEFT | HDF_STRING;
    return (int)SendMessageA(Handle, HDM_INSERTITEMA, SectionCount(), (LPARAM)&item);
}

std::string HeaderControl::SectionText(int i) const {
    char buf[1024] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    if (i < 0 || i >= SectionCount() || !SendMessageA(Handle, HDM_GETITEMA, i, (LPARAM)&item)) return "";
    return item.pszText ? item.pszText : "";
}

void HeaderControl::SetSectionText(int i, const std::string& text) {
    if (i < 0 || i >= SectionCount()) return;
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle, HDM_SETITEMA, i, (LPARAM)&item);
}

int HeaderControl::SectionWidth(int i) const {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    if (i < 0 || i >= SectionCount() || !SendMessageA(Handle, HDM_GETITEMA, i, (LPARAM)&item)) return 0;
    return item.cxy;
}

}  // namespace tk
