// The launcher menu built into the main window from the stored menus, and launching its items
// through the shell seam.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "mainwindow/Main.h"
#include "settings/execmenu.h"
#include "tests/win/DropFiles.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

namespace {

class Launcher : public ::testing::Test {
protected:
    std::vector<std::string> launches;

    void SetUp() override {
        wintest::UseAsDataFolder(wintest::FreshTestDir("orbal-launcher-"), false);
        tk::SetSoundHookForTest([](const tk::SoundCall&) {});
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c.file + "|" + c.parameters + "|" + c.directory);
            return true;
        });
    }
    void TearDown() override {
        if (Form1) Form1->Destroy();
        SetMenuEditorHookForTest(nullptr);
        tk::SetDialogHookForTest(nullptr);
        tk::SetSoundHookForTest(nullptr);
        tk::SetShellLaunchHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    // One stored menu: {title, command, submenu flag} per item.
    static void Store(const std::string& name, const std::vector<std::vector<std::string>>& items) {
        auto ini = settings::Open();
        ini.WriteInteger("ExecTitle_" + name, "Count", int(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            std::string k = std::to_string(i);
            ini.WriteString("ExecTitle_" + name, k, items[i][0]);
            ini.WriteString("ExecCommand_" + name, k, items[i][1]);
            ini.WriteString("ExecSub_" + name, k, items[i][2]);
        }
    }
    static std::vector<std::string> Keys(const std::string& section) {
        rtl::TStringList keys;
        settings::Open().ReadSection(section, keys);
        std::vector<std::string> v;
        for (int i = 0; i < keys.Count(); ++i) v.push_back(keys[i]);
        return v;
    }
    static std::vector<std::string> Titles(const std::string& menu) {
        std::vector<std::string> v;
        for (const MenuEntry& e : LoadMenuEntries(settings::Open(), menu)) v.push_back(e.title);
        return v;
    }
    static void MakeMainWindow() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    // Types an item into the editor and writes it.
    static void Put(TForm30& e, const std::string& title, const std::string& command) {
        e.BitBtn1Click();
        e.Edit1.SetText(title);
        e.Edit2.SetText(command);
        e.BitBtn7Click();
        e.ListBox1.SetItemIndex(-1);  // the next one is appended
        e.ListBox1Click();
    }
};

}  // namespace

TEST_F(Launcher, TagsRunThroughEveryLevelAndSubmenusHaveNoCommand) {
    Store("Main", {{"A", "C:\\a\\a.exe", "0"}, {"S", "", "1"}, {"B", "?C:\\b\\b.exe", "0"}});
    Store("Main-S", {{"S1", "C:\\s\\one.exe?x.txt", "0"}, {"S2", "", "1"}});
    Store("Main-S-S2", {{"T", "C:\\t\\t.exe", "1"}});  // the deepest level has no submenus
    auto menu = LoadLauncherMenu(settings::Open());
    ASSERT_EQ(menu.size(), 3u);
    struct Want {
        const LauncherItem* item;
        const char* title;
        int tag;
        bool submenu;
    } wants[] = {{&menu[0], "A", 0, false},          {&menu[1], "S", 1, true},
                 {&menu[1].items[0], "S1", 2, false}, {&menu[1].items[1], "S2", 3, true},
                 {&menu[1].items[1].items[0], "T", 4, false}, {&menu[2], "B", 5, false}};
    for (const Want& w : wants) {
        EXPECT_EQ(w.item->title, w.title);
        EXPECT_EQ(w.item->tag, w.tag) << w.title;
        EXPECT_EQ(w.item->submenu, w.submenu) << w.title;
    }

    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    EXPECT_EQ(Keys("ExecCommand"), (std::vector<std::string>{"0", "2", "4", "5"}));
    auto& m = Form1->PopupMenu2.Items;
    ASSERT_EQ(m.Count(), 3 + 5);
    EXPECT_EQ(m[1][1][0].Caption(), "T");
    EXPECT_EQ(m[1][1][0].Tag, 4);
    EXPECT_EQ(m[3].Caption(), "-");  // the fixed items follow
    m[1][0].Click();
    m[2].Click();  // a leading "?" runs the rest as the program
    EXPECT_EQ(launches, (std::vector<std::string>{"C:\\s\\one.exe|x.txt|C:\\s\\", "C:\\b\\b.exe||C:\\b\\"}));

    // A resize rebuilds from the stored menus: an emptied "Main" leaves the fixed items alone.
    Store("Main", {});
    Form1->SetBounds(Form1->Left(), Form1->Top(), Form1->Width() + 1, Form1->Height());
    wintest::Pump();
    EXPECT_EQ(m.Count(), 5);
    EXPECT_EQ(m[1].Caption(), "メニューの編集");
    EXPECT_TRUE(Keys("ExecCommand").empty());
    launches.clear();
    Form1->ExecMenuClick(0);
    EXPECT_TRUE(launches.empty());
}

TEST_F(Launcher, StoredMenusRoundTripAndOnlyMainKeepsAFlatCopy) {
    struct Case {
        const char* menu;
        std::vector<MenuEntry> items;
    } cases[] = {
        {"Main", {{"A", "C:\\a\\a.exe", false}, {"-", "-", false}, {"表示", "", true}}},
        {"Main-表示", {{"One", "C:\\s\\one.exe?x.txt", false}, {"Deeper", "", true}}},
        {"Main-表示-Deeper", {}},
    };
    for (const Case& c : cases) {
        auto ini = settings::Open();
        ini.WriteString("ExecTitle_" + std::string(c.menu), "7", "left over");
        SaveMenuEntries(ini, c.menu, c.items);
        EXPECT_EQ(LoadMenuEntries(ini, c.menu), c.items) << c.menu;
        EXPECT_EQ(Keys("ExecTitle_" + std::string(c.menu)).size(), c.items.size() + 1) << c.menu;
        EXPECT_EQ(MenuHasEntries(ini, c.menu), !c.items.empty()) << c.menu;
    }
    // The flat copy is Main's, by position.
    EXPECT_EQ(Keys("ExecTitle"), (std::vector<std::string>{"Count", "0", "1", "2"}));
    auto ini = settings::Open();
    EXPECT_EQ(ini.ReadString("ExecTitle", "2", ""), "表示");
    EXPECT_EQ(ini.ReadString("ExecCommand", "0", ""), "C:\\a\\a.exe");
    // A damaged count reads no further than the titles there are.
    ini.WriteString("ExecTitle_Main-表示", "Count", "99999999");
    EXPECT_EQ(LoadMenuEntries(ini, "Main-表示").size(), 2u);
}

// Built through the editors as a user would: A, a submenu S with S1 and S2 edited in its own
// editor, then B. The main window numbers every level and gives submenus no command.
TEST_F(Launcher, EditorsBuildNestedMenusThatTheMainWindowTags) {
    MakeMainWindow();
    std::vector<std::string> seen;
    SetMenuEditorHookForTest([&](TForm30& e) {
        seen.push_back(e.Caption() + ":" + e.GroupBox1.Caption());
        if (e.List->Depth() == 2) {
            Put(e, "S1", "C:\\s\\one.exe?x.txt");
            Put(e, "S2", "C:\\s\\two.exe");
            e.BitBtn8Click();
            return;
        }
        Put(e, "A", "C:\\a\\a.exe");
        e.BitBtn1Click();
        e.Edit1.SetText("S");
        e.SubMenuEdit1Click();  // checks the box, writes, saves and opens the submenu's editor
        // Back here this editor still edits Main; S has items now and keeps its title.
        EXPECT_EQ(e.GroupBox1.Caption(), "Main");
        EXPECT_FALSE(e.Edit1.Enabled());
        EXPECT_FALSE(e.CheckBox1.Enabled());
        e.Edit1.SetText("Renamed");
        e.BitBtn7Click();
        EXPECT_EQ(e.ListBox1.Items[1], "S");
        e.ListBox1.SetItemIndex(-1);
        e.ListBox1Click();
        Put(e, "B", "C:\\b\\b.exe");
        e.BitBtn8Click();
    });
    Form1->Config1->Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Menu Editor:Main", "SubMenu Editor:Main-S"}));
    EXPECT_EQ(Titles("Main"), (std::vector<std::string>{"A", "S", "B"}));
    EXPECT_EQ(Titles("Main-S"), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_EQ(settings::Open().ReadInteger("Execmenu", "SubCount", -1), 0);

    // Closing the top editor rebuilt the launcher menu.
    auto& m = Form1->PopupMenu2.Items;
    ASSERT_EQ(m.Count(), 3 + 5);
    struct Want {
        const tk::MenuItem* item;
        const char* title;
        int tag;
    } wants[] = {{&m[0], "A", 0}, {&m[1], "S", 1}, {&m[1][0], "S1", 2}, {&m[1][1], "S2", 3}, {&m[2], "B", 4}};
    for (const Want& w : wants) {
        EXPECT_EQ(w.item->Caption(), w.title);
        EXPECT_EQ(w.item->Tag, w.tag) << w.title;
    }
    EXPECT_EQ(Keys("ExecCommand"), (std::vector<std::string>{"0", "2", "3", "4"}));
    m[1][0].Click();
    EXPECT_EQ(launches, std::vector<std::string>{"C:\\s\\one.exe|x.txt|C:\\s\\"});
}

TEST_F(Launcher, EditorReordersThroughTheStackAndTakesDrops) {
    Store("Main", {{"A", "C:\\a.exe", "0"}, {"Full", "", "1"}, {"B", "C:\\b.exe", "0"}});
    Store("Main-Full", {{"F1", "C:\\f.exe", "0"}});
    MakeMainWindow();
    std::string chosenFilter;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        auto& open = static_cast<tk::OpenDialog&>(d);
        chosenFilter = open.Filter;
        open.FileName = "C:\\Tools\\tool.exe";
        return true;
    });
    int runs = 0;
    SetMenuEditorHookForTest([&](TForm30& e) {
        if (++runs == 1) {
            // Dropped files are parked on the stack, which keeps the menu from being saved.
            std::string tooLong = "C:\\" + std::string(300, 'x');
            PostMessageA(e.Handle, WM_DROPFILES, (WPARAM)wintest::BuildDrop({"D:\\doc\\memo.txt", tooLong}), 0);
            wintest::Pump();
            EXPECT_EQ(e.ListBox2.Items.Count(), 1);
            EXPECT_EQ(e.ListBox2.Items[0], "memo.txt");
            EXPECT_FALSE(e.BitBtn8.Enabled());
            e.BitBtn8Click();  // refused: nothing is saved, the editor stays
            EXPECT_EQ(e.ModalResult, tk::mrNone);
            // A submenu with items may be parked but not deleted.
            e.ListBox1.SetItemIndex(1);
            e.ListBox1Click();
            e.BitBtn3Click();
            e.ListBox2.SetItemIndex(1);
            e.ListBox2Click();
            EXPECT_FALSE(e.BitBtn2.Enabled());
            e.BitBtn2Click();
            EXPECT_EQ(e.ListBox2.Items.Count(), 2);
            // Back after B, and the drop after A; then the menu may be saved.
            e.ListBox1.SetItemIndex(1);
            e.ListBox1Click();
            e.BitBtn4Click();
            e.ListBox1.SetItemIndex(0);
            e.ListBox1Click();
            e.ListBox2.SetItemIndex(0);
            e.ListBox2Click();
            e.BitBtn4Click();
            EXPECT_TRUE(e.BitBtn8.Enabled());
            // The top menu's name is no title.
            e.Edit1.SetText("main");
            EXPECT_EQ(e.Edit1.Text(), "");
            // Browsing names a new item after the chosen file.
            e.BitBtn1Click();
            e.BitBtn5Click();
            EXPECT_EQ(e.Edit1.Text(), "tool.exe");
            EXPECT_EQ(e.Edit2.Text(), "C:\\Tools\\tool.exe");
            e.BitBtn7Click();
            e.BitBtn9Click();  // cancel: nothing of it is stored
            return;
        }
        // Buttons that need a selection do nothing without one.
        e.ListBox1.SetItemIndex(-1);
        e.ListBox1Click();
        e.Edit1.SetText("X");
        e.BitBtn7Click();
        e.BitBtn3Click();
        e.BitBtn4Click();
        e.BitBtn10Click();
        EXPECT_EQ(e.ListBox1.Items.Count(), 3);
        EXPECT_EQ(e.ListBox2.Items.Count(), 0);
        // Park B and A, then bring them back after Full, B first.
        for (int i : {2, 0}) {
            e.ListBox1.SetItemIndex(i);
            e.ListBox1Click();
            e.BitBtn3Click();
        }
        e.ListBox1.SetItemIndex(0);
        e.ListBox1Click();
        for (int i = 0; i < 2; ++i) {
            e.ListBox2.SetItemIndex(0);
            e.ListBox2Click();
            e.BitBtn4Click();
        }
        e.BitBtn8Click();
    });
    Form1->Config1Click();
    EXPECT_EQ(Titles("Main"), (std::vector<std::string>{"A", "Full", "B"}));
    EXPECT_NE(chosenFilter.find("*.exe;*.com;*.bat;*.lnk"), std::string::npos);
    Form1->Config1Click();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Titles("Main"), (std::vector<std::string>{"Full", "B", "A"}));
    EXPECT_EQ(Titles("Main-Full"), std::vector<std::string>{"F1"});
}

TEST_F(Launcher, TheDeepestEditorOffersNoSubmenusAndStaysOnScreen) {
    Store("Main-S-T", {{"X", "", "1"}});
    auto ini = settings::Open();
    ini.WriteString("Execmenu", "SubStack", "Main-S-T");
    ini.WriteInteger("Execmenu", "SubCount", 3);
    ini.WriteInteger("Execmenu", "left3", 5000);
    ini.WriteInteger("Execmenu", "top3", -40);
    bool ran = false;
    SetMenuEditorHookForTest([&](TForm30& e) {
        ran = true;
        EXPECT_FALSE(e.CheckBox1.Visible());
        EXPECT_FALSE(e.BitBtn10.Visible());
        EXPECT_FALSE(e.List->Items()[0].submenu);
        EXPECT_EQ(e.Top(), 0);
        EXPECT_LE(e.Left() + e.Width(), GetSystemMetrics(SM_CXSCREEN));
        e.SubMenuEdit1Click();  // no fourth level
        e.BitBtn9Click();
    });
    {
        TForm30 editor(true);
        editor.ShowModal();
    }
    EXPECT_TRUE(ran);
    EXPECT_EQ(ini.ReadInteger("Execmenu", "SubCount", -1), 2);
    EXPECT_EQ(ini.ReadInteger("Execmenu", "top3", -1), 0);
    EXPECT_EQ(ini.ReadString("Execmenu", "SubStack", ""), "Main-S-T");
}

// Every resize asks for the launcher menu; it is made again only when something it is made from
// changed, the commands by tag included (saving "Main" puts its flat copy there).
TEST_F(Launcher, AResizeRemakesTheMenuOnlyWhenItsShapeChanged) {
    Store("Main", {{"A", "C:\\a.exe", "0"}, {"S", "", "1"}});
    Store("Main-S", {{"S1", "C:\\s1.exe", "0"}});
    MakeMainWindow();
    auto& m = Form1->PopupMenu2.Items;
    struct Step {
        const char* change;
        std::function<void()> apply;
        bool remade;
        const char* command0;
        std::vector<std::string> keys = {"0", "2"};
    } steps[] = {
        {"nothing", [] {}, false, "C:\\a.exe"},
        {"the flat copy over the commands",
         [] {
             auto ini = settings::Open();
             SaveMenuEntries(ini, "Main", LoadMenuEntries(ini, "Main"));
         },
         false, "C:\\a.exe"},
        {"a command", [] { Store("Main", {{"A", "C:\\new.exe", "0"}, {"S", "", "1"}}); }, false, "C:\\new.exe"},
        {"a title in a submenu", [] { Store("Main-S", {{"S1b", "C:\\s1.exe", "0"}}); }, false, "C:\\new.exe"},
        {"a submenu made plain", [] { Store("Main", {{"A", "C:\\new.exe", "0"}, {"S", "", "0"}}); }, true, "C:\\new.exe",
         {"0", "1"}},
        {"nothing again", [] {}, false, "C:\\new.exe", {"0", "1"}},
    };
    for (const Step& s : steps) {
        m[0].Hint = "built before";
        s.apply();
        Form1->FormResize();
        EXPECT_EQ(m[0].Hint.empty(), s.remade) << s.change;
        EXPECT_EQ(Keys("ExecCommand"), s.keys) << s.change;
        EXPECT_EQ(settings::Open().ReadString("ExecCommand", "0", ""), s.command0) << s.change;
    }
    EXPECT_EQ(m[1].Count(), 0);  // S is plain now
}

TEST_F(Launcher, AMenuChangedInPlaceEqualsOneBuiltAfresh) {
    using Items = std::vector<std::vector<std::string>>;
    const Items main = {{"A", "C:\\a.exe", "0"}, {"-", "-", "0"}, {"S", "", "1"}, {"B", "C:\\b.exe", "0"}};
    const Items sub = {{"S1", "C:\\s1.exe", "0"}, {"T", "", "1"}};
    const Items deep = {{"T1", "C:\\t1.exe", "0"}};
    struct Case {
        const char* change;
        Items main, sub, deep;
    } cases[] = {
        {"a top title", {{"A2", "C:\\a.exe", "0"}, main[1], main[2], main[3]}, sub, deep},
        {"a separator made an item", {main[0], {"Z", "C:\\z.exe", "0"}, main[2], main[3]}, sub, deep},
        {"an item made a separator", {{"-", "-", "0"}, main[1], main[2], main[3]}, sub, deep},
        {"the deepest title", main, sub, {{"T1b", "C:\\t1.exe", "0"}}},
        {"a submenu title and an item added below it", main, {{"S1", "C:\\s1.exe", "0"}, {"T", "", "1"}, {"N", "n", "0"}}, deep},
        {"the deepest menu emptied", main, sub, {}},
        {"an item gone", {main[0], main[2], main[3]}, sub, deep},
    };
    // Each built item as text: title, tag, whether it runs a command, and what the menu shows.
    std::function<void(const tk::MenuItem&, int, std::string&)> dump = [&](const tk::MenuItem& m, int n, std::string& out) {
        for (int i = 0; i < n; ++i) {
            char shown[64] = "";
            GetMenuStringA(m.Handle(), i, shown, sizeof shown, MF_BYPOSITION);
            out += m[i].Caption() + "/" + std::to_string(m[i].Tag) + (m[i].OnClick ? "/run/" : "/sub/") + shown + "(";
            dump(m[i], m[i].Count(), out);
            out += ")";
        }
        out += "#" + std::to_string(GetMenuItemCount(m.Handle()));
    };
    for (const Case& c : cases) {
        Store("Main", main);
        Store("Main-S", sub);
        Store("Main-S-T", deep);
        MakeMainWindow();
        Store("Main", c.main);
        Store("Main-S", c.sub);
        Store("Main-S-T", c.deep);
        Form1->FormResize();
        std::string changed, fresh;
        dump(Form1->PopupMenu2.Items, Form1->PopupMenu2.Items.Count(), changed);
        const std::vector<std::string> commands = Keys("ExecCommand");
        Form1->Destroy();
        MakeMainWindow();
        dump(Form1->PopupMenu2.Items, Form1->PopupMenu2.Items.Count(), fresh);
        EXPECT_EQ(changed, fresh) << c.change;
        EXPECT_EQ(commands, Keys("ExecCommand")) << c.change;
        Form1->Destroy();
    }
}

// With a submenu's editor open after Main was saved, each launcher item runs its own command.
TEST_F(Launcher, ItemsClickedWhileTheEditorRunsStartTheirOwnPrograms) {
    Store("Main", {{"A", "C:\\a.exe", "0"}, {"S", "", "1"}, {"B", "C:\\b.exe", "0"}});
    MakeMainWindow();
    SetMenuEditorHookForTest([&](TForm30& e) {
        if (e.List->Depth() == 2) {  // every clickable item of the launcher menu, in order
            auto& m = Form1->PopupMenu2.Items;
            for (int i = 0; i + 5 < m.Count(); ++i)
                if (m[i].OnClick) m[i].Click();
            e.BitBtn9Click();
            return;
        }
        // A new item in front moves every later item one place on.
        e.ListBox1.SetItemIndex(0);
        e.ListBox1Click();
        Put(e, "N", "C:\\n.exe");
        e.ListBox1.SetItemIndex(2);
        e.ListBox1Click();
        e.BitBtn10Click();  // saves Main, then opens S's editor
        e.BitBtn9Click();
    });
    Form1->Config1Click();
    EXPECT_EQ(launches, (std::vector<std::string>{"C:\\n.exe||C:\\", "C:\\a.exe||C:\\", "C:\\b.exe||C:\\"}));
}
