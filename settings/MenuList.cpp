#include "settings/MenuList.h"

#include "toolkit/rtl/SysUtils.h"

bool ReservedMenuTitle(const std::string& title) { return rtl::UpperCaseAscii(title) == "MAIN"; }

MenuEditList::MenuEditList(std::string name, int depth, std::function<bool(const std::string&)> hasEntries)
    : name_(std::move(name)), depth_(depth), hasEntries_(std::move(hasEntries)) {}

void MenuEditList::SetItems(std::vector<MenuEntry> items) {
    items_ = std::move(items);
    if (!AllowsSubmenus())
        for (MenuEntry& e : items_) e.submenu = false;
    stack_.clear();
    selected_ = items_.empty() ? -1 : 0;
    stackSelected_ = -1;
}

void MenuEditList::Select(int index) { selected_ = index >= 0 && index < int(items_.size()) ? index : -1; }

void MenuEditList::SelectStack(int index) {
    stackSelected_ = index >= 0 && index < int(stack_.size()) ? index : -1;
}

bool MenuEditList::Locked(const MenuEntry& item) const {
    return item.submenu && hasEntries_ && hasEntries_(SubmenuOf(item));
}

EntryControls MenuEditList::Controls() const {
    EntryControls c;
    if (selected_ < 0) return c;
    const MenuEntry& e = items_[selected_];
    c.title = e.title;
    c.file = e.command;
    if (e.title == "-") {
        c.title = kSeparatorShown;
        return c;
    }
    if (e.submenu) {
        bool free = !Locked(e);
        c.titleEnabled = c.writeEnabled = c.submenuBox = free;
        c.submenuChecked = c.submenuEdit = true;
        return c;
    }
    c.titleEnabled = c.fileEnabled = c.writeEnabled = true;
    c.submenuBox = AllowsSubmenus();
    return c;
}

void MenuEditList::Insert(MenuEntry entry) {
    int at = selected_ >= 0 ? selected_ : int(items_.size());
    items_.insert(items_.begin() + at, std::move(entry));
    selected_ = at;
}

void MenuEditList::AddNew() { Insert({kNewEntryTitle, "", false}); }
void MenuEditList::AddSeparator() { Insert({"-", "-", false}); }

bool MenuEditList::Write(const std::string& title, const std::string& command) {
    if (!Controls().writeEnabled) return false;
    MenuEntry& e = items_[selected_];
    e.title = title;
    e.command = e.submenu ? "" : command;
    return true;
}

bool MenuEditList::SetSubmenu(bool on) {
    if (on && !AllowsSubmenus()) return false;
    EntryControls c = Controls();
    if (!c.submenuBox) return false;
    MenuEntry& e = items_[selected_];
    e.submenu = on;
    if (on) e.command.clear();
    return true;
}

bool MenuEditList::ToStack() {
    if (selected_ < 0) return false;
    stack_.push_back(std::move(items_[selected_]));
    items_.erase(items_.begin() + selected_);
    if (selected_ >= int(items_.size())) selected_ = int(items_.size()) - 1;
    stackSelected_ = int(stack_.size()) - 1;
    return true;
}

bool MenuEditList::FromStack() {
    if (stackSelected_ < 0) return false;
    int at = selected_ >= 0 ? selected_ + 1 : int(items_.size());
    items_.insert(items_.begin() + at, std::move(stack_[stackSelected_]));
    stack_.erase(stack_.begin() + stackSelected_);
    selected_ = at;
    if (stackSelected_ >= int(stack_.size())) stackSelected_ = int(stack_.size()) - 1;
    return true;
}

bool MenuEditList::CanDeleteFromStack() const { return stackSelected_ >= 0 && !Locked(stack_[stackSelected_]); }

bool MenuEditList::DeleteFromStack() {
    if (!CanDeleteFromStack()) return false;
    stack_.erase(stack_.begin() + stackSelected_);
    if (stackSelected_ >= int(stack_.size())) stackSelected_ = int(stack_.size()) - 1;
    return true;
}

int MenuEditList::DropFiles(const std::vector<std::string>& paths) {
    int added = 0;
    for (const std::string& p : paths) {
        // A cut path would launch nothing; it is left out rather than stored broken.
        if (p.empty() || p.size() > kLongestDroppedPath) continue;
        stack_.push_back({rtl::ExtractFileName(p), p, false});
        ++added;
    }
    if (added) stackSelected_ = int(stack_.size()) - 1;
    return added;
}
