// Menus: the menu bar of a form, pop-up menus and their items, with shortcuts shown after a tab and
// run through the form's ShortCuts. Hidden items leave the HMENU and come back at their place.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class Control;
class Form;

// A key with its shift state in one word: the virtual key in the low byte plus these bits.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// key and the ssShift/ssCtrl/ssAlt bits of Control::KeyShift().
TShortCut ShortCut(WORD key, int shift);
// "Ctrl+S", "Shift+F2", "Del"; empty for 0.
std::string ShortCutToText(TShortCut sc);
// The reverse; 0 when the text names no key.
TShortCut TextToShortCut(const std::string& text);

class MenuItem {
public:
    explicit MenuItem(const std::string& caption = "", std::function<void()> onClick = {},
                      const std::string& shortCut = "");
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    int Tag = 0;
    std::string Hint;
    int GroupIndex = 0;  // radio items of one group in one submenu exclude each other
    std::function<void()> OnClick;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);  // "-" makes a separator
    bool IsLine() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool on);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    bool Default() const { return default_; }
    void SetDefault(bool on);  // drawn in bold
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut sc);
    void SetShortCut(const std::string& text) { SetShortCut(TextToShortCut(text)); }

    // Sub-items; the item owns them.
    int Count() const { return (int)items_.size(); }
    MenuItem& operator[](int i) const { return *items_.at(i); }
    MenuItem& Items(int i) const { return *items_.at(i); }
    MenuItem& Add(const std::string& caption, std::function<void()> onClick = {}, const std::string& shortCut = "");
    MenuItem& Add(std::unique_ptr<MenuItem> item);
    MenuItem& Insert(int index, const std::string& caption, std::function<void()> onClick = {},
                     const std::string& shortCut = "");
    MenuItem& Insert(int index, std::unique_ptr<MenuItem> item);
    void Delete(int index);  // frees the item and its sub-items
    std::unique_ptr<MenuItem> Remove(int index);  // hands the item over without freeing it
    void Clear();
    int IndexOf(const MenuItem* item) const;
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    MenuItem* Parent() const { return parent_; }

    // Runs OnClick (what choosing the item does).
    void Click();
    // The WM_COMMAND id of the item.
    UINT Command() const { return id_; }
    // The item's own submenu, or the menu of a MainMenu / PopupMenu root; null for a plain item.
    HMENU Handle() const { return sub_; }
    // The first visible item under this one with the shortcut, or null.
    MenuItem* FindShortCut(TShortCut sc);

private:
    friend class Menu;
    friend class MainMenu;
    void MakeRoot(HMENU h);
    int Position() const;  // place among the visible items of the parent's HMENU
    void Attach();  // puts this visible item into the parent's HMENU
    void Detach();  // takes it out
    void Update();  // re-applies text, state and submenu
    void Changed();  // redraws the menu bar that shows the item
    void UncheckGroup();
    std::string caption_;
    bool checked_ = false, radio_ = false, enabled_ = true, visible_ = true, default_ = false;
    TShortCut shortCut_ = 0;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
    HMENU sub_ = nullptr;
    bool root_ = false;
    HWND window_ = nullptr;  // the form whose menu bar this root is
    UINT id_ = 0;
};

// The common part of the menu bar and the pop-up menu: a root item and the shortcut hook.
class Menu {
public:
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    virtual ~Menu();
    MenuItem Items;
    int Tag = 0;
    HMENU Handle() const { return Items.Handle(); }
    // Runs the item with this key, as Form::ShortCuts does; true when an item has it.
    bool IsShortCut(WORD key, int shift);

protected:
    explicit Menu(HMENU h);
    // Lets the form's key handling reach this menu's shortcuts for as long as both live.
    void HookShortCuts(Form& form);
    std::shared_ptr<Menu*> alive_;
};

class MainMenu : public Menu {
public:
    MainMenu();
    ~MainMenu() override;
    // Becomes the form's menu bar.
    void Create(Form& form);
};

class PopupMenu : public Menu {
public:
    PopupMenu();
    ~PopupMenu() override;
    // The form owns the menu's shortcuts and receives its messages; without one the menu still pops up.
    void Create(Form& owner);

    bool AutoPopup = true;  // a right click on a control that has the menu shows it
    Control* PopupComponent = nullptr;  // the control it was last shown for
    std::function<void()> OnPopup;  // before the menu shows; it may change the items

    // Shows the menu beside a point in screen co-ordinates, never with an item under the point; the
    // chosen item's OnClick runs after the menu closed.
    void Popup(int x, int y);
    // The same with the pointer at `at`, clear of the rectangle `clear` (a tray icon) and within
    // `room` (the work area without the task bar).
    void Popup(POINT at, const RECT& clear, const RECT& room);
    // For Control::SetPopupMenu: a handle that empties when the menu is destroyed.
    std::shared_ptr<Menu*> Token() const { return alive_; }

private:
    HWND owner_ = nullptr;
};

}  // namespace tk
