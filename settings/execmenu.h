// The user's launcher menus as stored: "Main" and its submenus, two levels below it at most
// ("Main-" + title, then "Main-" + title + "-" + title).
#pragma once
#include <string>
#include <vector>

#include "toolkit/IniFiles.h"

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
