// The memo group editor (moves and reorders, saves, layout and place), the title dialog, the
// rename of a memo through it, and the main window's memo menu built from the groups.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "notes/Memo_cap.h"
#include "notes/Memo_chg.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

namespace ms = inikey::MemoStore;

namespace {

using Names = std::vector<std::string>;

class MemoGroups : public ::testing::Test {
public:
    std::string dir, M;
    std::vector<std::string> cues, boxes;
    std::shared_ptr<void> held;  // the settings file, by another program

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-groups-");
        wintest::UseAsDataFolder(dir, false);
        settings::Open().WriteInteger("Form", "Delete", 1);
        M = dir + "\\Memo\\";
        tk::ForceDirectories(dir + "\\Memo");
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) { cues.push_back(c.name); });
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            return IDOK;
        });
    }
    void TearDown() override {
        editor.reset();
        for (TForm18* m : OpenMemoWindows()) m->Destroy();
        if (Form1) Form1->Destroy();
        wintest::Pump();
        memo::SetTitleDialogHookForTest(nullptr);
        SetMemoGroupEditorHookForTest(nullptr);
        tk::SetSoundHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    void Start() {
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    // A group list as stored: names titled "T" + name; every memo closed unless listed in open.
    void Store(int group, const Names& names, const Names& open = {}) {
        auto ini = settings::Open();
        ini.EraseSection(ms::GroupSection(group, M));
        for (const std::string& n : names) {
            ini.WriteString(ms::GroupSection(group, M), n, "T" + n);
            bool shown = std::find(open.begin(), open.end(), n) != open.end();
            ini.WriteInteger(ms::MemoSection(n, M), ms::Show, shown ? 1 : 0);
        }
    }
    Names Stored(int group) {
        rtl::TStringList keys;
        settings::Open().ReadSection(ms::GroupSection(group, M), keys);
        return keys.Strings;
    }
    std::unique_ptr<TForm21> editor;
    TForm21& Open(int sourceGroup) {
        Form1->ComboBox1.SetItemIndex(sourceGroup);
        editor = std::make_unique<TForm21>();
        editor->Show();
        return *editor;
    }
    // The source memo named name picked and moved.
    static void Move(TForm21& e, const std::string& name) {
        int i = e.ListBox2.Items.IndexOf(name);
        ASSERT_GE(i, 0) << name;
        e.ListBox1.SetItemIndex(i);
        e.ListBox1Click();
        e.BitBtn2Click();
    }
    // A group picked in a box as the dropped list does it with the mouse.
    static void PickWithMouse(tk::ComboBox& box, int group) {
        box.SetItemIndex(group);
        box.HandleCommand(CBN_SELCHANGE);
    }
    // The next or the previous group chosen with an arrow key in the closed box.
    static void StepWithKey(tk::ComboBox& box, bool down) {
        SendMessageA(box.Handle, WM_KEYDOWN, down ? VK_DOWN : VK_UP, 0);
        SendMessageA(box.Handle, WM_KEYUP, down ? VK_DOWN : VK_UP, 0);
    }
};

TEST_F(MemoGroups, SavesTheListsTheMovesBuilt) {
    struct Case {
        const char* what;
        int source;
        std::function<void(MemoGroups&, TForm21&)> steps;
        bool save;
        std::map<int, Names> expected;
        bool held = false;  // the settings file, while the editor opens
    } cases[] = {
        {"reorder a group: the memos not moved follow in their old order", 0,
         [](MemoGroups&, TForm21& e) {
             Move(e, "Memo3");
             Move(e, "Memo1");
         },
         true, {{0, {"Memo3", "Memo1", "Memo2", "Memo4"}}, {2, {"Memo7", "Memo8"}}}},
        {"two memos to another group: after its own memos", 0,
         [](MemoGroups&, TForm21& e) {
             PickWithMouse(e.ComboBox2, 2);
             Move(e, "Memo2");
             Move(e, "Memo4");
         },
         true, {{0, {"Memo1", "Memo3"}}, {2, {"Memo7", "Memo8", "Memo2", "Memo4"}}}},
        {"the rest moved at once within the group", 0,
         [](MemoGroups&, TForm21& e) {
             Move(e, "Memo4");
             e.BitBtn1Click();
         },
         true, {{0, {"Memo4", "Memo1", "Memo2", "Memo3"}}, {2, {"Memo7", "Memo8"}}}},
        {"into an empty group", 2,
         [](MemoGroups&, TForm21& e) {
             PickWithMouse(e.ComboBox2, 5);
             Move(e, "Memo8");
         },
         true, {{2, {"Memo7"}}, {5, {"Memo8"}}}},
        {"start again forgets the moves", 0,
         [](MemoGroups&, TForm21& e) {
             PickWithMouse(e.ComboBox2, 2);
             Move(e, "Memo1");
             e.BitBtn5Click();
         },
         true, {{0, {"Memo1", "Memo2", "Memo3", "Memo4"}}, {2, {"Memo7", "Memo8"}}}},
        {"closed without saving: nothing changes", 0,
         [](MemoGroups&, TForm21& e) {
             PickWithMouse(e.ComboBox2, 2);
             Move(e, "Memo1");
             Move(e, "Memo3");
         },
         false, {{0, {"Memo1", "Memo2", "Memo3", "Memo4"}}, {2, {"Memo7", "Memo8"}}}},
        {"the settings file held while it opens: said, and what it read never saved", 0,
         [](MemoGroups& t, TForm21& e) {
             EXPECT_EQ(t.boxes.size(), 1u);
             for (const std::string& b : t.boxes) EXPECT_NE(b.find("使用中"), std::string::npos);
             t.held.reset();
             if (e.BitBtn6.Enabled()) e.BitBtn6Click();
             PickWithMouse(e.ComboBox1, 2);
             EXPECT_FALSE(e.BitBtn6.Enabled());
         },
         false, {{0, {"Memo1", "Memo2", "Memo3", "Memo4"}}, {2, {"Memo7", "Memo8"}}}, true},
        {"an open memo stays in its group but moves within it", 0,
         [](MemoGroups& t, TForm21& e) {
             t.Store(0, {"Memo1", "Memo2", "Memo3", "Memo4"}, {"Memo2"});
             e.BitBtn5Click();
             Move(e, "Memo2");  // same group: allowed
             PickWithMouse(e.ComboBox2, 2);
             Move(e, "Memo2");  // another group: refused with the message
             Move(e, "Memo3");
         },
         true, {{0, {"Memo1", "Memo2", "Memo4"}}, {2, {"Memo7", "Memo8", "Memo3"}}}},
    };
    Start();
    for (const Case& c : cases) {
        Store(0, {"Memo1", "Memo2", "Memo3", "Memo4"});
        Store(2, {"Memo7", "Memo8"});
        Store(5, {});
        boxes.clear();
        std::string before, after;
        if (c.held) {
            // Another program has written the file since it was read here, and holds it.
            tk::ReadFileBytes(settings::IniPath(), before);
            tk::WriteFileBytes(settings::IniPath(), before += "\r\n");
            held = wintest::HeldByAnotherProgram(settings::IniPath());
        }
        TForm21& e = Open(c.source);
        c.steps(*this, e);
        if (c.save) e.BitBtn6Click();
        editor.reset();
        held.reset();
        for (auto& [group, names] : c.expected) EXPECT_EQ(Stored(group), names) << c.what << ", group " << group;
        EXPECT_TRUE(!c.held || (tk::ReadFileBytes(settings::IniPath(), after) && after == before)) << c.what;
    }
    // Only the open memo's move to another group was refused, with the reason.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("現在、このメモが開かれています。"), std::string::npos);
}

// Whatever the order of moves and group changes, by mouse or by keyboard, every memo is in
// exactly one group after each save.
TEST_F(MemoGroups, NoMemoIsLostOrDoubledByAnySequenceOfMoves) {
    Start();
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 rng(seed);
        std::map<std::string, int> all;
        int number = 1;
        for (int g : {0, 1, 2, 3}) {
            Names names;
            for (int k = 0; k < 1 + int(rng() % 4); ++k) names.push_back("Memo" + std::to_string(number++));
            Names open;
            if (rng() % 3 == 0) open.push_back(names[0]);
            Store(g, names, open);
            for (auto& n : names) all[n] = 0;
        }
        for (int g = 4; g < ms::Groups; ++g) Store(g, {});
        TForm21& e = Open(int(rng() % 4));
        std::string trail;
        auto check = [&] {
            std::map<std::string, int> seen;
            for (int g = 0; g < ms::Groups; ++g)
                for (auto& n : Stored(g)) ++seen[n];
            for (auto& [name, _] : all) EXPECT_EQ(seen[name], 1) << "seed " << seed << ": " << name << trail;
            EXPECT_EQ(seen.size(), all.size()) << "seed " << seed << trail;
        };
        for (int step = 0; step < 40; ++step) {
            switch (rng() % 8) {
                case 0:
                case 1:
                    if (e.ListBox1.Items.Count() > 0) {
                        std::string name = e.ListBox2.Items[int(rng() % e.ListBox2.Items.Count())];
                        Move(e, name);
                        trail += " move " + name;
                    }
                    break;
                case 2:
                    if (e.BitBtn1.Enabled()) e.BitBtn1Click(), trail += " rest";
                    break;
                case 3: {
                    int g = int(rng() % 5);
                    PickWithMouse(e.ComboBox2, g);
                    trail += " target(mouse) " + std::to_string(g);
                    break;
                }
                case 4: {
                    bool down = rng() % 2 == 0;
                    StepWithKey(e.ComboBox2, down);
                    trail += std::string(" target(key) ") + (down ? "down" : "up");
                    break;
                }
                case 5: {
                    int g = int(rng() % 5);
                    PickWithMouse(e.ComboBox1, g);
                    trail += " source " + std::to_string(g);
                    break;
                }
                case 6:
                    if (rng() % 3 == 0) e.BitBtn5Click(), trail += " again";
                    break;
                case 7:
                    if (e.BitBtn6.Enabled()) {
                        e.BitBtn6Click();
                        trail += " save";
                        check();
                    }
                    break;
            }
        }
        if (e.BitBtn6.Enabled()) e.BitBtn6Click();
        check();
        editor.reset();
    }
}

TEST_F(MemoGroups, KeyboardChangeOfTheTargetReloadsTheSource) {
    Start();
    Store(0, {"Memo1", "Memo2"});
    Store(1, {"Memo5"});
    TForm21& e = Open(0);
    Move(e, "Memo1");
    ASSERT_EQ(e.ListBox1.Items.Count(), 1);
    StepWithKey(e.ComboBox2, true);
    ASSERT_EQ(e.ComboBox2.ItemIndex(), 1);
    // The moved memo is back in the source; the target holds its own list only.
    EXPECT_EQ(e.ListBox2.Items.List().Strings, (Names{"Memo1", "Memo2"}));
    EXPECT_EQ(e.ListBox4.Items.List().Strings, (Names{"Memo5"}));
    EXPECT_TRUE(e.BitBtn6.Enabled());
    EXPECT_FALSE(e.BitBtn1.Enabled());  // the rest moves only within a group
}

TEST_F(MemoGroups, FollowsItsHeightAndKeepsItsWidthAndPlace) {
    Start();
    settings::Open().WriteInteger("Memo_chg", "top", -40);
    settings::Open().WriteInteger("Memo_chg", "left", 60);
    settings::Open().WriteInteger("Memo_chg", "Height", 480);
    TForm21& e = Open(0);
    EXPECT_EQ(e.Top(), 0);  // negative: 0
    EXPECT_EQ(e.Left(), 60);
    EXPECT_EQ(e.Height(), 480);
    EXPECT_EQ(e.Width(), 517);
    for (int height : {300, 420, 640}) {
        e.SetHeight(height);
        const int bottom = e.Panel1.ClientHeight();
        EXPECT_EQ(e.BitBtn3.Top(), bottom - 30) << height;
        EXPECT_EQ(e.GroupBox1.Top() + e.GroupBox1.Height(), e.Bevel1.Top() - 31) << height;
        EXPECT_EQ(e.GroupBox2.Top() + e.GroupBox2.Height(), e.Bevel1.Top() - 3) << height;
        EXPECT_EQ(e.ListBox1.Top() + e.ListBox1.Height(), e.GroupBox1.Height() - 40) << height;
        EXPECT_EQ(e.ListBox3.Top() + e.ListBox3.Height(), e.BitBtn6.Top() - 1) << height;
        EXPECT_EQ(e.BitBtn6.Top(), e.GroupBox2.Height() - 31) << height;
        EXPECT_EQ(e.BitBtn2.Top() - e.BitBtn5.Top(), 32) << height;
        EXPECT_EQ(e.BitBtn1.Top() - e.BitBtn2.Top(), 32) << height;
        // The move buttons stay beside the source list.
        EXPECT_GT(e.BitBtn5.Top(), e.GroupBox1.Top() + e.ListBox1.Top()) << height;
        EXPECT_LT(e.BitBtn1.Top() + e.BitBtn1.Height(), e.GroupBox1.Top() + e.GroupBox1.Height()) << height;
    }
    MINMAXINFO info{};
    info.ptMaxTrackSize = {2000, 2000};
    SendMessageA(e.Handle, WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(info.ptMinTrackSize.x, 517);
    EXPECT_EQ(info.ptMaxTrackSize.x, 517);
    EXPECT_EQ(info.ptMaxSize.x, 517);
    EXPECT_EQ(info.ptMaxPosition.x, e.Left());
    RECT w;
    GetWindowRect(e.Handle, &w);
    const int y = (w.top + w.bottom) / 2;
    EXPECT_EQ(SendMessageA(e.Handle, WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(e.Handle, WM_NCHITTEST, 0, MAKELPARAM(w.right - 2, y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(e.Handle, WM_NCHITTEST, 0, MAKELPARAM((w.left + w.right) / 2, w.bottom - 2)), HTBOTTOM);
    EXPECT_FALSE(GetWindowLongA(e.Handle, GWL_STYLE) & WS_SYSMENU);  // no title-bar buttons

    // Run modally and closed: the place is kept, the main window's memo menu built again.
    editor.reset();
    settings::Open().WriteInteger("Memo_chg", "top", 40);
    settings::Open().WriteInteger("Memo_chg", "left", 30);
    settings::Open().WriteInteger("Memo_chg", "Height", 500);
    SetMemoGroupEditorHookForTest([](TForm21& f) { PostMessageA(f.BitBtn3.Handle, BM_CLICK, 0, 0); });
    Form1->PopupMenu4.Tag = 0;
    cues.clear();
    EXPECT_FALSE(RunMemoGroupEditor(*Form1));
    EXPECT_EQ(Form21, nullptr);
    auto ini = settings::Open();
    EXPECT_EQ(ini.ReadInteger("Memo_chg", "top", -1), 40);
    EXPECT_EQ(ini.ReadInteger("Memo_chg", "left", -1), 30);
    EXPECT_EQ(ini.ReadInteger("Memo_chg", "height", -1), 500);
    EXPECT_EQ(cues, (Names{"ope", "clo"}));
    EXPECT_EQ(Form1->PopupMenu4.Tag, 0);
    EXPECT_EQ(Form1->PopupMenu4.Items.Count(), ms::Groups + 2);
}

// How the user ends the title dialog.
enum class End { SetButton, SetItem, Close };

void EndDialog(TForm19& d, End how) {
    if (how == End::SetButton) PostMessageA(d.BitBtn1.Handle, BM_CLICK, 0, 0);
    if (how == End::SetItem) PostMessageA(tk::Application.Handle, WM_COMMAND, d.Set1->Command(), 0);
    if (how == End::Close) PostMessageA(d.Handle, WM_CLOSE, 0, 0);
}

TEST_F(MemoGroups, TitleDialogSetsOrRestoresTheTitle) {
    struct Case {
        const char* what;
        std::function<void(TForm19&)> user;
        End end;
        bool changed;
        const char* title;
    } cases[] = {
        {"typed and set", [](TForm19& d) { d.Edit1.SetCaption("買い物"); }, End::SetButton, true, "買い物"},
        {"set from the menu", [](TForm19& d) { d.Edit1.SetCaption("電話"); }, End::SetItem, true, "電話"},
        {"restored, then set",
         [](TForm19& d) {
             d.Edit1.SetCaption("間違い");
             d.BitBtn2.Click();
             EXPECT_EQ(d.Edit1.Caption(), "元の題名");
         },
         End::SetButton, false, "元の題名"},
        {"restored from the menu",
         [](TForm19& d) {
             d.Edit1.SetCaption("間違い");
             d.Undo1->Click();
             EXPECT_EQ(d.Edit1.Caption(), "元の題名");
         },
         End::SetButton, false, "元の題名"},
        {"emptied and set: the old title stays", [](TForm19& d) { d.Edit1.SetCaption(""); }, End::SetButton, false,
         "元の題名"},
        {"closed without setting", [](TForm19& d) { d.Edit1.SetCaption("新しい"); }, End::Close, false, "元の題名"},
    };
    Start();
    for (const Case& c : cases) {
        memo::SetTitleDialogHookForTest([&](TForm19& d) {
            EXPECT_EQ(d.Caption(), "元の題名") << c.what;
            EXPECT_EQ(d.Edit1.Caption(), "元の題名") << c.what;
            EXPECT_EQ(d.Left(), Form1->Left()) << c.what;
            c.user(d);
            EndDialog(d, c.end);
        });
        std::string title = "元の題名";
        EXPECT_EQ(memo::EditTitle(*Form1, title), c.changed) << c.what;
        EXPECT_EQ(title, c.title) << c.what;
        EXPECT_EQ(Form19, nullptr) << c.what;
    }
}

TEST_F(MemoGroups, RenameUpdatesCaptionGroupListAndMemoMenu) {
    struct Case {
        const char* what;
        bool readOnly;
        bool viaMenu;
        const char* caption;
    } cases[] = {
        {"from the system menu", false, false, "新しい題名"},
        {"from the context menu, read-only", true, true, "新しい題名 (RO)"},
    };
    Start();
    for (const Case& c : cases) {
        Form1->ComboBox1.SetItemIndex(3);
        Form1->BitBtn9Click();
        TForm18* m = Form18;
        ASSERT_NE(m, nullptr);
        if (c.readOnly) m->ReadOnly1Click();
        memo::SetTitleDialogHookForTest([&](TForm19& d) {
            EXPECT_EQ(d.Edit1.Caption(), m->Name) << c.what;  // the title without the mark
            d.Edit1.SetCaption("新しい題名");
            EndDialog(d, End::SetButton);
        });
        if (c.viaMenu) m->Aline2->Click();
        else SendMessageA(m->Handle, WM_SYSCOMMAND, 10, 0);
        EXPECT_EQ(m->Caption(), c.caption) << c.what;
        EXPECT_EQ(settings::Open().ReadString(ms::GroupSection(3, M), m->Name, ""), "新しい題名") << c.what;
        EXPECT_EQ(m->Cloze1->Tag, 1) << c.what;
        tk::MenuItem& group = Form1->PopupMenu4.Items[3];
        int i = Form1->ListBox2.Items.IndexOf(m->Name);
        ASSERT_GE(i, 0) << c.what;
        EXPECT_EQ(group[i].Caption(), "新しい題名") << c.what;
        m->Destroy();
    }
}

TEST_F(MemoGroups, NewMemoAsksForItsTitleWhenTheSettingsSaySo) {
    Start();
    settings::Open().WriteBool("Memo", "Caption", true);
    memo::SetTitleDialogHookForTest([](TForm19& d) {
        d.Edit1.SetCaption("はじめの題名");
        EndDialog(d, End::SetButton);
    });
    Form1->ComboBox1.SetItemIndex(0);
    Form1->BitBtn9Click();
    ASSERT_NE(Form18, nullptr);
    EXPECT_EQ(Form18->Caption(), "はじめの題名");
    EXPECT_EQ(settings::Open().ReadString(ms::GroupSection(0, M), Form18->Name, ""), "はじめの題名");
}

TEST_F(MemoGroups, MemoMenuListsEveryGroupInOrderWithItsTags) {
    Store(0, {"Memo1", "Memo2", "Memo3"});
    Store(4, {"Memo9"});
    settings::Open().WriteString("Memo_bun", "4", "仕事");
    Start();
    // Built at the start, and built again on request without doubling.
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            Form1->ComboBox1.SetItemIndex(4);
            Form1->BitBtn10Click();
            Form1->ListBox1.SetItemIndex(0);
            Form1->PopupMenu4.Tag = 1;
            Form1->FormResize();
        }
        auto& items = Form1->PopupMenu4.Items;
        ASSERT_EQ(items.Count(), ms::Groups + 2) << round;
        EXPECT_EQ(Form1->PopupMenu4.Tag, 0);
        for (int g = 0; g < ms::Groups; ++g) {
            tk::MenuItem& sub = items[g];
            Names expected = g == 0 ? Names{"TMemo1", "TMemo2", "TMemo3"} : g == 4 ? Names{"TMemo9"} : Names{};
            EXPECT_EQ(sub.Caption(), g == 4 ? std::string("仕事") : MemoGroupName(settings::Open(), g));
            ASSERT_EQ(sub.Count(), (int)expected.size() + 2) << g;
            for (int i = 0; i < (int)expected.size(); ++i) {
                EXPECT_EQ(sub[i].Caption(), expected[i]);
                EXPECT_EQ(sub[i].Tag, i);
                EXPECT_EQ(sub[i].Hint, std::to_string(g));
            }
            EXPECT_TRUE(sub[sub.Count() - 2].IsLine());
            tk::MenuItem& add = sub[sub.Count() - 1];
            EXPECT_EQ(add.Caption(), "メモの新規作成");
            EXPECT_EQ(add.Tag, -1);
            EXPECT_EQ(add.Hint, std::to_string(g));
            EXPECT_TRUE(add.Default());
            EXPECT_TRUE(add.Checked());
        }
        EXPECT_TRUE(items[ms::Groups].IsLine());
        EXPECT_EQ(items[ms::Groups + 1].Caption(), "メモ一覧");
    }
    // The group and memo selected before the build are selected again.
    EXPECT_EQ(Form1->ComboBox1.ItemIndex(), 4);
    EXPECT_EQ(Form1->ListBox2.Items[Form1->ListBox1.ItemIndex()], "Memo9");

    // A memo item opens its memo; "メモの新規作成" makes a memo in its group.
    Form1->PopupMenu4.Items[0][1].Click();
    TForm18* opened = FindMemoWindow("Memo2");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Group(), 0);
    Form1->PopupMenu4.Items[4][2].Click();
    EXPECT_EQ(Stored(4).size(), 2u);
    ASSERT_NE(Form18, nullptr);
    EXPECT_EQ(Form18->Group(), 4);
    // The new memo is in the menu at once.
    EXPECT_EQ(Form1->PopupMenu4.Items[4].Count(), 4);
}

}  // namespace
