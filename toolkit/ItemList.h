// The Items of list-like controls: a string list kept in step with the control that shows it.
// Every change goes to the list first and then, item by item, to the control.
#pragma once
#include <string>
#include <vector>

#include "toolkit/rtl/StringList.h"

namespace tk {

// Implemented by the control that shows the items; called only while it has a window.
class ItemSink {
public:
    virtual ~ItemSink() = default;
    virtual bool ItemsLive() const = 0;        // the control exists and wants updates
    virtual void ItemInserted(int index) = 0;  // list already holds the item at index
    virtual void ItemDeleted(int index) = 0;
    virtual void ItemsCleared() = 0;
    virtual void ItemChanged(int index) {
        ItemDeleted(index);
        ItemInserted(index);
    }
};

class ItemList {
public:
    explicit ItemList(ItemSink* sink) : sink_(sink) {}
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    int Count() const { return list_.Count(); }
    const std::string& operator[](int i) const { return list_[i]; }
    const std::string& Strings(int i) const { return list_[i]; }
    // Replaces item i in place (a sorted list keeps it where it is, as the list control does).
    void SetStrings(int i, const std::string& s);
    int Objects(int i) const { return list_.Objects.at(i); }
    void SetObjects(int i, int v) { list_.Objects.at(i) = v; }

    // Returns the index the item landed on (its sorted place when Sorted).
    int Add(const std::string& s, int obj = 0);
    void AddStrings(const std::vector<std::string>& items);
    void Insert(int i, const std::string& s, int obj = 0);
    void Delete(int i);
    void Clear();
    void Exchange(int a, int b);
    int IndexOf(const std::string& s) const { return list_.IndexOf(s); }

    std::string CommaText() const { return list_.CommaText(); }
    void SetCommaText(const std::string& text);
    std::string Text() const { return list_.Text(); }
    void SetText(const std::string& text);
    void Assign(const rtl::TStringList& other);
    void Assign(const std::vector<std::string>& items);
    const rtl::TStringList& List() const { return list_; }

    bool Sorted() const { return list_.Sorted; }
    // Turning sorting on sorts the items now (a selection does not survive that).
    void SetSorted(bool on);

    // The control pushes every item after it has created its window.
    void Reload();

private:
    void CheckIndex(int i, int limit) const;
    rtl::TStringList list_;
    ItemSink* sink_;
};

}  // namespace tk
