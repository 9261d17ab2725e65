#include "toolkit/ItemList.h"

#include "toolkit/rtl/SysUtils.h"

namespace tk {

void ItemList::CheckIndex(int i, int limit) const {
    if (i < 0 || i > limit) throw rtl::Exception("リストのインデックスが範囲を超えています (" + rtl::IntToStr(i) + ")");
}

void ItemList::SetStrings(int i, const std::string& s) {
    CheckIndex(i, Count() - 1);
    if (list_.Strings[i] == s) return;
    list_.Strings[i] = s;
    if (sink_->ItemsLive()) sink_->ItemChanged(i);
}

int ItemList::Add(const std::string& s, int obj) {
    int i = list_.Add(s, obj);
    if (sink_->ItemsLive()) sink_->ItemInserted(i);
    return i;
}

void ItemList::AddStrings(const std::vector<std::string>& items) {
    for (auto& s : items) Add(s);
}

void ItemList::Insert(int i, const std::string& s, int obj) {
    CheckIndex(i, Count());
    list_.Insert(i, s, obj);
    if (sink_->ItemsLive()) sink_->ItemInserted(i);
}

void ItemList::Delete(int i) {
    CheckIndex(i, Count() - 1);
    list_.Delete(i);
    if (sink_->ItemsLive()) sink_->ItemDeleted(i);
}

void ItemList::Clear() {
    list_.Clear();
    if (sink_->ItemsLive()) sink_->ItemsCleared();
}

void ItemList::Exchange(int a, int b) {
    CheckIndex(a, Count() - 1);
    CheckIndex(b, Count() - 1);
    if (a == b) return;
    list_.Exchange(a, b);
    if (sink_->ItemsLive()) {
        sink_->ItemChanged(a);
        sink_->ItemChanged(b);
    }
}

void ItemList::SetCommaText(const std::string& text) {
    rtl::TStringList l;
    l.SetCommaText(text);
    Assign(l);
}

void ItemList::SetText(const std::string& text) {
    rtl::TStringList l;
    l.SetText(text);
    Assign(l);
}

void ItemList::Assign(const rtl::TStringList& other) {
    bool sorted = list_.Sorted, cs = list_.CaseSensitive;
    list_ = other;
    list_.Sorted = sorted;
    list_.CaseSensitive = cs;
    if (sorted) list_.Sort();
    Reload();
}

void ItemList::Assign(const std::vector<std::string>& items) {
    rtl::TStringList l;
    for (auto& s : items) l.Add(s);
    Assign(l);
}

void ItemList::SetSorted(bool on) {
    if (list_.Sorted == on) return;
    list_.Sorted = on;
    if (on) {
        list_.Sort();
        Reload();
    }
}

void ItemList::Reload() {
    if (!sink_->ItemsLive()) return;
    sink_->ItemsCleared();
    for (int i = 0; i < Count(); ++i) sink_->ItemInserted(i);
}

}  // namespace tk
