#include "settings/MenuList.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Stored menus that hold items, as the settings file would tell.
MenuEditList Make(int depth, std::vector<MenuEntry> items, std::set<std::string> filled = {}) {
    MenuEditList l("Main", depth, [filled](const std::string& name) { return filled.count(name) > 0; });
    l.SetItems(std::move(items));
    return l;
}

std::string Titles(const std::vector<MenuEntry>& v) {
    std::string s;
    for (const MenuEntry& e : v) s += (s.empty() ? "" : ",") + e.title;
    return s;
}

const MenuEntry A{"A", "C:\\a.exe", false}, B{"B", "C:\\b.exe?x", false}, Sep{"-", "-", false},
    S{"S", "", true}, Full{"Full", "", true};

}  // namespace

TEST(MenuList, AddingGoesBeforeTheSelectionAndIsSelected) {
    struct Case {
        int select;
        bool separator;
        const char* titles;
        int selected;
    } cases[] = {
        {0, false, "(新規登録),A,B", 0},
        {1, false, "A,(新規登録),B", 1},
        {-1, false, "A,B,(新規登録)", 2},
        {1, true, "A,-,B", 1},
    };
    for (const Case& c : cases) {
        MenuEditList l = Make(1, {A, B});
        l.Select(c.select);
        c.separator ? l.AddSeparator() : l.AddNew();
        EXPECT_EQ(Titles(l.Items()), c.titles) << c.select;
        EXPECT_EQ(l.Selected(), c.selected) << c.select;
        const MenuEntry& added = l.Items()[c.selected];
        EXPECT_EQ(added.command, c.separator ? "-" : "") << c.select;
        EXPECT_FALSE(added.submenu);
    }
}

TEST(MenuList, WhatTheSelectionAllows) {
    struct Case {
        const char* name;
        int depth;
        MenuEntry item;
        EntryControls want;
    } cases[] = {
        {"plain", 1, A, {"A", "C:\\a.exe", true, true, true, true, false, false}},
        {"separator", 1, Sep, {"(ｾﾊﾟﾚｰﾀ)", "-", false, false, false, false, false, false}},
        {"empty submenu", 1, S, {"S", "", true, false, true, true, true, true}},
        {"submenu with items", 2, Full, {"Full", "", false, false, false, false, true, true}},
        {"deepest", 3, A, {"A", "C:\\a.exe", true, true, true, false, false, false}},
        {"deepest, stored as a submenu", 3, S, {"S", "", true, true, true, false, false, false}},
    };
    for (const Case& c : cases) {
        MenuEditList l = Make(c.depth, {c.item}, {"Main-Full"});
        EntryControls got = l.Controls();
        const EntryControls& w = c.want;
        EXPECT_EQ(got.title, w.title) << c.name;
        EXPECT_EQ(got.file, w.file) << c.name;
        EXPECT_EQ(got.titleEnabled, w.titleEnabled) << c.name;
        EXPECT_EQ(got.fileEnabled, w.fileEnabled) << c.name;
        EXPECT_EQ(got.writeEnabled, w.writeEnabled) << c.name;
        EXPECT_EQ(got.submenuBox, w.submenuBox) << c.name;
        EXPECT_EQ(got.submenuChecked, w.submenuChecked) << c.name;
        EXPECT_EQ(got.submenuEdit, w.submenuEdit) << c.name;
    }
    EntryControls none = Make(1, {}).Controls();
    EXPECT_FALSE(none.titleEnabled || none.writeEnabled || none.submenuBox || none.submenuEdit);
}

TEST(MenuList, WriteAndTheSubmenuFlag) {
    struct Case {
        const char* name;
        MenuEntry item;
        bool submenu;  // the flag set before writing
        bool written;
        MenuEntry after;
    } cases[] = {
        {"plain", A, false, true, {"New", "C:\\new.exe?p", false}},
        {"plain made a submenu loses its command", A, true, true, {"New", "", true}},
        {"empty submenu made plain", S, false, true, {"New", "C:\\new.exe?p", false}},
        {"separator", Sep, false, false, Sep},
        {"submenu with items: neither renamed nor made plain", Full, false, false, Full},
    };
    for (const Case& c : cases) {
        MenuEditList l = Make(1, {c.item}, {"Main-Full"});
        l.SetSubmenu(c.submenu);
        EXPECT_EQ(l.Write("New", "C:\\new.exe?p"), c.written) << c.name;
        EXPECT_EQ(l.Items()[0], c.after) << c.name;
    }
    // Nothing selected: nothing to write.
    MenuEditList l = Make(1, {A});
    l.Select(-1);
    EXPECT_FALSE(l.Write("New", ""));
    EXPECT_FALSE(l.SetSubmenu(true));
    EXPECT_EQ(l.Items()[0], A);
    // The deepest menu has no submenus.
    MenuEditList deepest = Make(3, {A});
    EXPECT_FALSE(deepest.SetSubmenu(true));
    EXPECT_FALSE(deepest.Items()[0].submenu);
}

TEST(MenuList, StackRoundTripReorders) {
    MenuEditList l = Make(1, {A, S, B});
    EXPECT_TRUE(l.CanSave());
    l.Select(0);
    ASSERT_TRUE(l.ToStack());  // A parked
    EXPECT_FALSE(l.CanSave());
    EXPECT_EQ(Titles(l.Items()), "S,B");
    EXPECT_EQ(l.Selected(), 0);
    l.Select(1);
    ASSERT_TRUE(l.ToStack());  // B parked; the last one goes, the selection moves up
    EXPECT_EQ(l.Selected(), 0);
    EXPECT_EQ(Titles(l.Stack()), "A,B");
    l.SelectStack(1);
    ASSERT_TRUE(l.FromStack());  // B after S
    EXPECT_EQ(Titles(l.Items()), "S,B");
    EXPECT_EQ(l.Selected(), 1);
    l.Select(-1);
    l.SelectStack(0);
    ASSERT_TRUE(l.FromStack());  // nothing selected: A goes to the end
    EXPECT_EQ(Titles(l.Items()), "S,B,A");
    EXPECT_EQ(l.Selected(), 2);
    EXPECT_TRUE(l.CanSave());
    EXPECT_EQ(l.Items()[2], A);  // the command and the flag went along
    EXPECT_EQ(l.Items()[0], S);
    // Nothing selected on either side: nothing moves.
    l.Select(-1);
    EXPECT_FALSE(l.ToStack());
    l.SelectStack(-1);
    EXPECT_FALSE(l.FromStack());
    EXPECT_EQ(Titles(l.Items()), "S,B,A");
}

TEST(MenuList, StackDeletionSparesSubmenusWithItems) {
    MenuEditList l = Make(1, {Full, S, A}, {"Main-Full"});
    for (int i = 0; i < 3; ++i) {
        l.Select(0);
        l.ToStack();
    }
    struct Step {
        int select;
        bool deleted;
        const char* left;
    } steps[] = {{0, false, "Full,S,A"}, {2, true, "Full,S"}, {1, true, "Full"}, {0, false, "Full"}, {-1, false, "Full"}};
    for (const Step& s : steps) {
        l.SelectStack(s.select);
        EXPECT_EQ(l.DeleteFromStack(), s.deleted) << s.select;
        EXPECT_EQ(Titles(l.Stack()), s.left) << s.select;
    }
    EXPECT_FALSE(l.CanSave());
}

TEST(MenuList, DroppedFilesGoOntoTheStack) {
    MenuEditList l = Make(2, {A});
    std::string tooLong = "C:\\" + std::string(253, 'x');  // 256 characters
    std::vector<std::string> files = {"C:\\Tools\\表示.exe", tooLong, "D:\\doc\\note.txt", ""};
    EXPECT_EQ(l.DropFiles(files), 2);
    ASSERT_EQ(l.Stack().size(), 2u);
    EXPECT_EQ(l.Stack()[0], (MenuEntry{"表示.exe", "C:\\Tools\\表示.exe", false}));
    EXPECT_EQ(l.Stack()[1], (MenuEntry{"note.txt", "D:\\doc\\note.txt", false}));
    EXPECT_EQ(l.StackSelected(), 1);
    EXPECT_FALSE(l.CanSave());
    EXPECT_EQ(Titles(l.Items()), "A");
    EXPECT_EQ(l.DropFiles({tooLong}), 0);
    EXPECT_EQ(l.DropFiles({tooLong.substr(1)}), 1);  // 255 characters still fit
}

TEST(MenuList, TheTopMenusNameIsNoTitle) {
    for (const char* t : {"main", "MAIN", "Main", "mAiN"}) EXPECT_TRUE(ReservedMenuTitle(t)) << t;
    for (const char* t : {"", "mains", " main", "Main-1", "ＭＡＩＮ"}) EXPECT_FALSE(ReservedMenuTitle(t)) << t;
}
