#include "toolkit/Menus.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

// ---- shortcuts ----

namespace {
struct KeyName {
    WORD key;
    const char* name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyToText(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, (char)key);
    if (key >= VK_F1 && key <= VK_F24) return std::string("F").append(std::to_string(key - VK_F1 + 1));
    for (const auto& k : kKeyNames)
        if (k.key == key) return k.name;
    return "";
}

bool EqualNoCase(const std::string& a, const char* b) {
    size_t n = strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}
}  // namespace

TShortCut ShortCut(WORD key, int shift) {
    TShortCut sc = key & 0xFF;
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    return sc;
}

std::string ShortCutToText(TShortCut sc) {
    std::string key = KeyToText(sc & 0xFF);
    if (key.empty()) return "";
    std::string s;
    if (sc & scShift) s += "Shift+";
    if (sc & scCtrl) s += "Ctrl+";
    if (sc & scAlt) s += "Alt+";
    return s + key;
}

TShortCut TextToShortCut(const std::string& text) {
    TShortCut mods = 0;
    std::string rest = text;
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 >= rest.size()) break;  // "Ctrl++" is not supported
        std::string m = rest.substr(0, plus);
        if (EqualNoCase(m, "Ctrl")) mods |= scCtrl;
        else if (EqualNoCase(m, "Shift")) mods |= scShift;
        else if (EqualNoCase(m, "Alt")) mods |= scAlt;
        else return 0;
        rest = rest.substr(plus + 1);
    }
    for (int k = 1; k < 256; ++k)
        if (std::string name = KeyToText((WORD)k); !name.empty() && EqualNoCase(rest, name.c_str()))
            return (TShortCut)(mods | k);
    return 0;
}

// ---- items ----

MenuItem::MenuItem(const std::string& caption, std::function<void()> onClick, const std::string& shortCut)
    : OnClick(std::move(onClick)), caption_(caption), shortCut_(TextToShortCut(shortCut)) {
    // The handler may free the item (a menu rebuilt from its own click): nothing touches it afterwards.
    id_ = Application.AddCommand([this] { Guard([this] { Click(); }); });
}

MenuItem::~MenuItem() {
    if (sub_) {
        // Take the children out first so that destroying this menu does not destroy theirs twice.
        while (GetMenuItemCount(sub_) > 0 && RemoveMenu(sub_, 0, MF_BYPOSITION)) {
        }
        for (auto& c : items_) c->parent_ = nullptr;
        items_.clear();
        DestroyMenu(sub_);
        sub_ = nullptr;
    }
    Application.RemoveCommand(id_);
}

void MenuItem::MakeRoot(HMENU h) {
    root_ = true;
    sub_ = h;
}

int MenuItem::Position() const {
    int pos = 0;
    for (const auto& c : parent_->items_) {
        if (c.get() == this) break;
        if (c->visible_) ++pos;
    }
    return pos;
}

void MenuItem::Attach() {
    if (!parent_ || !visible_ || !parent_->sub_) return;
    std::string text = caption_;
    if (shortCut_) text.append("\t").append(ShortCutToText(shortCut_));
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    mi.fType = IsLine() ? MFT_SEPARATOR : radio_ ? MFT_RADIOCHECK : MFT_STRING;
    if (!IsLine()) {
        mi.fMask |= MIIM_STRING;
        mi.dwTypeData = text.data();
    }
    mi.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED) | (default_ ? MFS_DEFAULT : 0);
    mi.wID = id_;
    mi.hSubMenu = items_.empty() ? nullptr : sub_;
    InsertMenuItemA(parent_->sub_, Position(), TRUE, &mi);
    Changed();
}

void MenuItem::Detach() {
    if (!parent_ || !visible_ || !parent_->sub_) return;
    RemoveMenu(parent_->sub_, Position(), MF_BYPOSITION);
    Changed();
}

void MenuItem::Update() {
    if (!parent_ || !visible_ || !parent_->sub_) return;
    // Replacing the entry keeps every field in step (type, text, state, submenu) in one place.
    RemoveMenu(parent_->sub_, Position(), MF_BYPOSITION);
    Attach();
}

void MenuItem::Changed() {
    const MenuItem* r = this;
    while (r->parent_) r = r->parent_;
    if (r->window_ && IsWindow(r->window_)) DrawMenuBar(r->window_);
}

void MenuItem::SetCaption(const std::string& s) {
    if (s == caption_) return;
    caption_ = s;
    Update();
}

void MenuItem::UncheckGroup() {
    if (!parent_) return;
    for (auto& c : parent_->items_)
        if (c.get() != this && c->radio_ && c->GroupIndex == GroupIndex && c->checked_) {
            c->checked_ = false;
            c->Update();
        }
}

void MenuItem::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    if (on && radio_) UncheckGroup();
    Update();
}

void MenuItem::SetRadioItem(bool on) {
    if (on == radio_) return;
    radio_ = on;
    if (on && checked_) UncheckGroup();
    Update();
}

void MenuItem::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    Update();
}

void MenuItem::SetVisible(bool on) {
    if (on == visible_) return;
    if (on) {
        visible_ = true;
        Attach();
    } else {
        Detach();
        visible_ = false;
    }
}

void MenuItem::SetDefault(bool on) {
    if (on == default_) return;
    default_ = on;
    if (on && parent_)
        for (auto& c : parent_->items_)
            if (c.get() != this && c->default_) {
                c->default_ = false;
                c->Update();
            }
    Update();
}

void MenuItem::SetShortCut(TShortCut sc) {
    if (sc == shortCut_) return;
    shortCut_ = sc;
    Update();
}

MenuItem& MenuItem::Add(const std::string& caption, std::function<void()> onClick, const std::string& shortCut) {
    return Insert(Count(), std::make_unique<MenuItem>(caption, std::move(onClick), shortCut));
}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }

MenuItem& MenuItem::Insert(int index, const std::string& caption, std::function<void()> onClick,
                           const std::string& shortCut) {
    return Insert(index, std::make_unique<MenuItem>(caption, std::move(onClick), shortCut));
}

MenuItem& MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
    index = std::clamp(index, 0, Count());
    MenuItem* it = item.get();
    it->parent_ = this;
    items_.insert(items_.begin() + index, std::move(item));
    bool first = !sub_;
    if (!sub_) sub_ = CreatePopupMenu();
    it->Attach();
    if (first && !root_) Update();  // a plain item becomes a submenu
    return *it;
}

std::unique_ptr<MenuItem> MenuItem::Remove(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    MenuItem* it = items_[index].get();
    it->Detach();
    std::unique_ptr<MenuItem> out = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    it->parent_ = nullptr;
    if (items_.empty() && !root_) {
        // Back to a plain item; the empty submenu goes.
        HMENU old = sub_;
        sub_ = nullptr;
        Update();
        DestroyMenu(old);
    }
    return out;
}

void MenuItem::Delete(int index) { Remove(index); }

void MenuItem::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

int MenuItem::IndexOf(const MenuItem* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i].get() == item) return i;
    return -1;
}

void MenuItem::Click() {
    if (!enabled_) return;
    std::function<void()> fn = OnClick;  // survives the item being freed by its own handler
    if (fn) fn();
}

MenuItem* MenuItem::FindShortCut(TShortCut sc) {
    for (auto& c : items_) {
        if (!c->visible_) continue;
        if (c->shortCut_ == sc) return c.get();
        if (MenuItem* f = c->FindShortCut(sc)) return f;
    }
    return nullptr;
}

// ---- menus ----

Menu::Menu(HMENU h) : alive_(std::make_shared<Menu*>(this)) { Items.MakeRoot(h); }

Menu::~Menu() { *alive_ = nullptr; }

bool Menu::IsShortCut(WORD key, int shift) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == 0) return false;
    MenuItem* item = Items.FindShortCut(ShortCut(key, shift));
    if (!item) return false;
    for (MenuItem* p = item; p; p = p->Parent())
        if (!p->Enabled()) return true;  // the key belongs to the item even while it is greyed
    Guard([item] { item->Click(); });
    return true;
}

void Menu::HookShortCuts(Form& form) {
    std::shared_ptr<Menu*> alive = alive_;
    form.ShortCuts.push_back([alive](WORD key, int shift) { return *alive && (*alive)->IsShortCut(key, shift); });
}

MainMenu::MainMenu() : Menu(CreateMenu()) {}

MainMenu::~MainMenu() {
    HWND w = Items.window_;
    if (w && IsWindow(w) && GetMenu(w) == Items.Handle()) {
        SetMenu(w, nullptr);
    } else if (w) {
        // The window went first and took its menu bar, submenus and all, with it.
        Items.sub_ = nullptr;
    }
}

void MainMenu::Create(Form& form) {
    Items.window_ = form.Handle;
    SetMenu(form.Handle, Items.Handle());
    HookShortCuts(form);
}

PopupMenu::PopupMenu() : Menu(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() = default;

void PopupMenu::Create(Form& owner) {
    owner_ = owner.Handle;
    HookShortCuts(owner);
}

// At least the height the system gives the menu: a menu line for each item, half for a line
// between items, and the frame.
static int HeightAtLeast(HMENU m) {
    const int line = GetSystemMetrics(SM_CYMENU) + 2;
    int h = 2 * (GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYEDGE));
    for (int i = 0, n = GetMenuItemCount(m); i < n; ++i) {
        MENUITEMINFOA mi{sizeof mi, MIIM_FTYPE};
        GetMenuItemInfoA(m, i, TRUE, &mi);
        h += (mi.fType & MFT_SEPARATOR) ? line / 2 : line;
    }
    return h;
}

// The menu goes beside `clear` within `room`, not over it: below it, above it where there is no
// room below (as by the tray icon), and to its side when it is taller than both. The pointer, still
// where the button went down, then rests on no item, and a second click (a double click on the
// tray icon) chooses nothing.
static UINT PlaceClearOf(HMENU m, const RECT& clear, const RECT& room, LONG& x, LONG& y) {
    const int h = HeightAtLeast(m);
    UINT flags = TPM_LEFTALIGN;
    if (x >= room.right) {
        x = room.right;
        flags = TPM_RIGHTALIGN;
    } else {
        x = std::max(x, room.left);
    }
    const int below = std::max(clear.bottom, room.top), above = std::min(clear.top, room.bottom);
    if (below + h <= room.bottom) {
        y = below;
        return flags | TPM_TOPALIGN;
    }
    if (above - h >= room.top) {
        y = above;
        return flags | TPM_BOTTOMALIGN;
    }
    const bool up = above - room.top > room.bottom - below;
    y = up ? std::min(clear.bottom, room.bottom) : std::max(clear.top, room.top);
    flags = up ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
    if (clear.left - room.left > room.right - clear.right) {
        x = clear.left;  // ends just left of it
        return flags | TPM_RIGHTALIGN;
    }
    x = clear.right;
    return flags | TPM_LEFTALIGN;
}

void PopupMenu::Popup(int x, int y) {
    MONITORINFO mon{sizeof mon};
    GetMonitorInfoA(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mon);
    Popup(POINT{x, y}, RECT{x, y, x + 1, y + 1}, mon.rcWork);
}

void PopupMenu::Popup(POINT at, const RECT& clear, const RECT& room) {
    std::shared_ptr<Menu*> alive = alive_;
    if (OnPopup) OnPopup();
    if (!*alive) return;
    HWND owner = Application.Handle;
    if (owner_ && IsWindow(owner_) && IsWindowVisible(owner_)) owner = owner_;
    else if (Form* f = Application.ActiveForm()) owner = f->Handle;
    UINT flags = PlaceClearOf(Items.Handle(), clear, room, at.x, at.y);
    UINT cmd = TrackPopupMenu(Items.Handle(), flags | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr);
    // Like a menu bar click, the item runs from the message queue once the menu has closed.
    if (cmd) PostMessageA(Application.Handle, WM_COMMAND, cmd, 0);
}

}  // namespace tk
