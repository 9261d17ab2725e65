// The launcher menu built into the main window from the stored menus, and launching its items
// through the shell seam.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "settings/execmenu.h"
#include "tests/win/WinTest.h"
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
