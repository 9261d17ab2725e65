// The user's launcher menus as stored: "Main" and its submenus, two levels below it at most
// ("Main-" + title, then "Main-" + title + "-" + title), and their editor TForm30.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "settings/MenuList.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/StatusBar.h"

struct LauncherItem {
    std::string title;    // "-" makes a separator
    std::string command;  // program, optionally "?" and parameters; empty for a submenu
    bool submenu = false;
    int tag = 0;  // unique across all levels, numbered in menu order; submenus take one too
    std::vector<LauncherItem> items;
};

// The stored name of the menu that the item titled title in menu opens.
inline std::string SubmenuName(const std::string& menu, const std::string& title) { return menu + "-" + title; }

// "Main" with its submenus, tags numbered depth first from 0. The deepest level's items are
// never submenus.
std::vector<LauncherItem> LoadLauncherMenu(const tk::TIniFile& ini);
// Replaces [ExecCommand] by the commands of the plain items, keyed by tag.
void WriteLauncherCommands(tk::TIniFile& ini, const std::vector<LauncherItem>& menu);
// Whether [ExecCommand] holds exactly those commands already.
bool LauncherCommandsCurrent(const tk::TIniFile& ini, const std::vector<LauncherItem>& menu);

// One stored menu as its editor shows it.
std::vector<MenuEntry> LoadMenuEntries(const tk::TIniFile& ini, const std::string& name);
// Replaces the menu's title, flag and command sections; "Main" also gets its flat copy in
// [ExecTitle] and [ExecCommand].
void SaveMenuEntries(tk::TIniFile& ini, const std::string& name, const std::vector<MenuEntry>& items);
bool MenuHasEntries(const tk::TIniFile& ini, const std::string& name);

// The menu editor: the menu named by [Execmenu] SubStack at the depth [Execmenu] SubCount, shown
// modally; a submenu's editor is a second one over it.
struct TForm30 : tk::Form {
    tk::GroupBox GroupBox1;  // captioned with the edited menu's name
    tk::ListBox ListBox1;    // titles; the commands and flags are the list model's
    tk::Label Label1, Label2;
    tk::Edit Edit1, Edit2;
    tk::BitBtn BitBtn5, BitBtn7;
    tk::CheckBox CheckBox1;
    tk::BitBtn BitBtn10, BitBtn1, BitBtn6;
    tk::GroupBox GroupBox2;  // the stack
    tk::ListBox ListBox2;
    tk::BitBtn BitBtn3, BitBtn4, BitBtn2;
    tk::BitBtn BitBtn8, BitBtn9;
    tk::StatusBar StatusBar1;
    tk::PopupMenu PopupMenu1;

    std::unique_ptr<MenuEditList> List;

    explicit TForm30(bool submenu = false);
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormDropFiles(const std::vector<std::string>& files);
    void ListBox1Click();
    void ListBox1DblClick();
    void ListBox2Click();
    void Edit1Change();
    void CheckBox1Click();
    void BitBtn1Click();   // add
    void BitBtn6Click();   // separator
    void BitBtn7Click();   // write
    void BitBtn5Click();   // browse
    void BitBtn3Click();   // to the stack
    void BitBtn4Click();   // back from the stack
    void BitBtn2Click();   // delete the stack's item
    void BitBtn8Click();   // save and close
    void BitBtn9Click();   // cancel
    void BitBtn10Click();  // edit the submenu
    void SubMenuEdit1Click();

private:
    void BuildHints();
    void BuildMenu();
    bool SaveMenu();
    // The lists and every button's state from the list model.
    void ShowLists();
    // The selected item's fields (texts too, unless only its flag changed) and buttons.
    void ShowSelection(bool texts);
    // Loaded from a settings file that could be read: only then may the menu change.
    bool Editable() const { return List && unreadable_.empty(); }
    bool filling_ = false;  // the check box follows the selection, not the user
    std::string unreadable_;  // why the settings file could not be read when the editor opened
};

// The top-level editor while it runs.
extern TForm30* Form30;

// Opens the launcher menu editor on "Main", modally, and frees it after.
void EditLauncherMenu();
// Test seam: runs with each editor once it has loaded, inside its modal run (closing it there
// ends the run).
void SetMenuEditorHookForTest(std::function<void(TForm30&)> hook);
