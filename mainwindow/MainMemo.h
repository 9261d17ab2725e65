// The main window's memo store: the hidden lists of the current memo group and the commands that
// create, reload, open and delete memos. TForm1 carries it; the memo menu and the memo list
// window work through it.
#pragma once
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/IniFiles.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"

struct TForm18;

// The name the user gave memo group g ([Memo_bun] g), else "メモ１" .. "メモ１０".
std::string MemoGroupName(const tk::TIniFile& ini, int group);
// Appends the memos of group's list, in its order, to names and their titles to titles.
void ReadMemoGroup(const tk::TIniFile& ini, int group, tk::ItemList& names, tk::ItemList& titles);

struct TMemoStore {
    // The current group's memos, in group-list order: titles (ListBox1, the selection) and names
    // (ListBox2, its items only: no window is made for it).
    tk::ListBox ListBox1, ListBox2;
    tk::BitBtn BitBtn9, BitBtn10, BitBtn11;  // "&Add", "reLoad", "Delete"

    // New memo in the current group, shown.
    void BitBtn9Click();
    // Reads the current group's list; at program start also reopens the memos left open.
    void BitBtn10Click();
    void ListBox1Click();
    // Opens the selected memo; with Shift held only copies its text.
    void ListBox1DblClick();
    void OpenMemo(int index, bool copyOnly);
    // Deletes the selected memo.
    void BitBtn11Click();
    // The same, the question shown at askAt's corner.
    void DeleteSelectedMemo(HWND askAt);

    // A new memo of group: number, group entry and its window, not yet shown. Null when no data
    // folder is chosen or no number is left.
    TForm18* NewMemo(int group, const std::string& title = "");
    // After a memo was added, deleted, renamed or moved: the lists read again and the memo menu
    // built anew.
    void MemosChanged();

    // The memo menu (the main window's PopupMenu4): a submenu per group with its memos (Tag =
    // place in the group, Hint = the group), a line and "メモの新規作成" (Tag -1), above two
    // fixed items, a line and K1 "メモ一覧". Built by the main window's FormResize while
    // PopupMenu4.Tag is 1.
    tk::MenuItem* K1 = nullptr;
    void RebuildMemoMenu();
    // A memo menu item: opens the memo at index of group, or makes a new memo there (index -1).
    void MemoMenu1Click(int group, int index);
    // Program start: the group names, then every group's list with its open memos reopened
    // while the please-wait window shows.
    void LoadMemoGroups(const tk::TIniFile& ini);

protected:
    // The hidden controls on the main window.
    void CreateMemoStore();

private:
    int listGroup_ = 0;  // the group the lists were read for
};
