// What the launcher menu editor edits, without its window: one stored menu's items (title,
// command, submenu flag) and the stack that items are parked on while the menu is reordered.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct MenuEntry {
    std::string title;    // "-" makes a separator
    std::string command;  // program, optionally "?" and parameters; empty for a submenu
    bool submenu = false;
    bool operator==(const MenuEntry&) const = default;
};

inline constexpr char kNewEntryTitle[] = "(新規登録)";
inline constexpr char kSeparatorShown[] = "(ｾﾊﾟﾚｰﾀ)";
inline constexpr int kDeepestMenu = 3;  // "Main", a submenu and a submenu of that
inline constexpr size_t kLongestDroppedPath = 255;

// "MAIN" in any case is the top menu's own name and is no title.
bool ReservedMenuTitle(const std::string& title);

// Which controls an item's selection enables, and what the title field shows.
struct EntryControls {
    std::string title, file;
    bool titleEnabled = false, fileEnabled = false, writeEnabled = false;
    bool submenuBox = false;      // the submenu check box may be changed
    bool submenuChecked = false;
    bool submenuEdit = false;     // the submenu can be opened
};

class MenuEditList {
public:
    // hasEntries tells whether the stored menu of that name holds items: such a submenu keeps
    // its title and its flag, and is never deleted, so its items are not orphaned.
    MenuEditList(std::string name, int depth, std::function<bool(const std::string&)> hasEntries);

    const std::string& Name() const { return name_; }
    int Depth() const { return depth_; }
    bool AllowsSubmenus() const { return depth_ < kDeepestMenu; }

    const std::vector<MenuEntry>& Items() const { return items_; }
    const std::vector<MenuEntry>& Stack() const { return stack_; }
    void SetItems(std::vector<MenuEntry> items);  // the deepest menu holds no submenus
    int Selected() const { return selected_; }
    void Select(int index);  // out of range: none
    int StackSelected() const { return stackSelected_; }
    void SelectStack(int index);

    // The stored name of the submenu the item opens.
    std::string SubmenuOf(const MenuEntry& item) const { return name_ + "-" + item.title; }
    // A submenu item whose submenu holds items.
    bool Locked(const MenuEntry& item) const;
    EntryControls Controls() const;

    // Inserted before the selection (appended without one) and selected.
    void AddNew();
    void AddSeparator();
    // The selected item takes the title and the command; false when it cannot (nothing selected,
    // a separator, a locked submenu). A submenu keeps no command.
    bool Write(const std::string& title, const std::string& command);
    // The selected item becomes a submenu (its command goes) or a plain item.
    bool SetSubmenu(bool on);

    // The selected item with its command and flag to the end of the stack.
    bool ToStack();
    // The stack's selected item to just after the selected item (the end without one), selected.
    bool FromStack();
    // The stack's selected item is dropped, unless it is a locked submenu.
    bool CanDeleteFromStack() const;
    bool DeleteFromStack();
    // Each file onto the stack as a plain item titled with its name; paths longer than a
    // stored path may be are left out. The number added.
    int DropFiles(const std::vector<std::string>& paths);
    // Saving is allowed only while nothing is parked on the stack.
    bool CanSave() const { return stack_.empty(); }

private:
    void Insert(MenuEntry entry);
    std::string name_;
    int depth_;
    std::function<bool(const std::string&)> hasEntries_;
    std::vector<MenuEntry> items_, stack_;
    int selected_ = -1, stackSelected_ = -1;
};
