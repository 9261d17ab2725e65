// Menus: what the HMENU shows for the items (text with shortcut, marks, order with hidden items,
// submenus), and the three ways an item runs: WM_COMMAND, a shortcut key, a pop-up choice.
#include <gtest/gtest.h>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"

namespace {

std::string TextAt(HMENU m, int pos) {
    char buf[256] = {};
    GetMenuStringA(m, pos, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

// The texts of a menu in HMENU order, separators as "-".
std::string Texts(HMENU m) {
    std::string s;
    for (int i = 0; i < GetMenuItemCount(m); ++i) {
        if (i) s += ",";
        MENUITEMINFOA mi{sizeof mi, MIIM_FTYPE};
        GetMenuItemInfoA(m, i, TRUE, &mi);
        s += (mi.fType & MFT_SEPARATOR) ? std::string("-") : TextAt(m, i);
    }
    return s;
}

UINT State(HMENU m, int pos) { return GetMenuState(m, pos, MF_BYPOSITION); }

}  // namespace

TEST(TkMenuShortCut, TextRoundTripAndTheItemText) {
    EXPECT_EQ(tk::ShortCutToText(tk::ShortCut('S', tk::ssCtrl)), "Ctrl+S");
    EXPECT_EQ(tk::ShortCutToText(tk::ShortCut(VK_F2, 0)), "F2");
    EXPECT_EQ(tk::ShortCutToText(tk::ShortCut(VK_DELETE, tk::ssShift | tk::ssCtrl)), "Shift+Ctrl+Del");
    for (const char* t : {"Ctrl+S", "F12", "Shift+Ctrl+Del", "Alt+F4", "Ctrl+0", "Enter"})
        EXPECT_EQ(tk::ShortCutToText(tk::TextToShortCut(t)), t);
    EXPECT_EQ(tk::TextToShortCut("ctrl+s"), tk::ShortCut('S', tk::ssCtrl));
    EXPECT_EQ(tk::TextToShortCut(""), 0);
    EXPECT_EQ(tk::TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(tk::TextToShortCut("Hyper+S"), 0);
    EXPECT_EQ(tk::TextToShortCut("Ctrl+Q2"), 0);

    tk::PopupMenu pm;
    tk::MenuItem& save = pm.Items.Add("保存(&S)", {}, "Ctrl+S");
    pm.Items.Add("-");
    EXPECT_EQ(Texts(pm.Handle()), "保存(&S)\tCtrl+S,-");
    save.SetShortCut(0);
    save.SetCaption("上書き(&W)");
    EXPECT_EQ(Texts(pm.Handle()), "上書き(&W),-");
}

TEST(TkMenuItem, HiddenItemsComeBackInTheirPlace) {
    tk::PopupMenu pm;
    tk::MenuItem& a = pm.Items.Add("A");
    tk::MenuItem& b = pm.Items.Add("B");
    tk::MenuItem& c = pm.Items.Add("C");
    pm.Items.Add("D");
    b.SetVisible(false);
    c.SetVisible(false);
    EXPECT_EQ(Texts(pm.Handle()), "A,D");
    c.SetVisible(true);
    EXPECT_EQ(Texts(pm.Handle()), "A,C,D");
    a.SetVisible(false);
    b.SetVisible(true);
    EXPECT_EQ(Texts(pm.Handle()), "B,C,D");
    // A hidden item keeps its changes and shows them when it comes back.
    a.SetCaption("A2");
    a.SetChecked(true);
    pm.Items.Insert(0, "Z");  // inserted among hidden items by list index
    a.SetVisible(true);
    EXPECT_EQ(Texts(pm.Handle()), "Z,A2,B,C,D");
    EXPECT_TRUE(State(pm.Handle(), 1) & MF_CHECKED);
    EXPECT_EQ(pm.Items.IndexOf(&a), 1);
}

TEST(TkMenuItem, ChecksRadioGroupsEnabledAndDefault) {
    tk::PopupMenu pm;
    tk::MenuItem& all = pm.Items.Add("全ての一覧");
    tk::MenuItem& past = pm.Items.Add("過去の一覧");
    tk::MenuItem& other = pm.Items.Add("別グループ");
    for (tk::MenuItem* m : {&all, &past, &other}) m->SetRadioItem(true);
    other.GroupIndex = 1;
    other.SetChecked(true);
    all.SetChecked(true);
    past.SetChecked(true);  // unchecks "all" of the same group, not "other"
    EXPECT_FALSE(all.Checked());
    EXPECT_TRUE(other.Checked());
    HMENU h = pm.Handle();
    EXPECT_FALSE(State(h, 0) & MF_CHECKED);
    EXPECT_TRUE(State(h, 1) & MF_CHECKED);
    EXPECT_TRUE(State(h, 2) & MF_CHECKED);
    MENUITEMINFOA mi{sizeof mi, MIIM_FTYPE};
    GetMenuItemInfoA(h, 1, TRUE, &mi);
    EXPECT_TRUE(mi.fType & MFT_RADIOCHECK);

    past.SetEnabled(false);
    EXPECT_TRUE(State(h, 1) & MF_GRAYED);
    int clicks = 0;
    past.OnClick = [&] { ++clicks; };
    past.Click();  // a greyed item does nothing
    EXPECT_EQ(clicks, 0);

    all.SetDefault(true);
    other.SetDefault(true);  // one default per menu
    EXPECT_EQ(GetMenuDefaultItem(h, TRUE, 0), 2u);
}

TEST(TkMenuItem, SubmenusAtAnyDepthAndBackToPlainItems) {
    tk::MainMenu mm;
    tk::MenuItem& file = mm.Items.Add("ファイル(&F)");
    tk::MenuItem& recent = file.Add("最近(&R)");
    int deep = 0;
    tk::MenuItem& leaf = recent.Add("一").Add("二").Add("三", [&] { ++deep; });
    HMENU fileMenu = GetSubMenu(mm.Handle(), 0);
    ASSERT_NE(fileMenu, nullptr);
    HMENU l1 = GetSubMenu(fileMenu, 0);
    ASSERT_NE(l1, nullptr);
    HMENU l2 = GetSubMenu(l1, 0);
    ASSERT_NE(l2, nullptr);
    HMENU l3 = GetSubMenu(l2, 0);
    ASSERT_NE(l3, nullptr);
    EXPECT_EQ(Texts(l3), "三");
    EXPECT_EQ(GetMenuItemID(l3, 0), leaf.Command());
    EXPECT_EQ(leaf.Parent()->Parent()->Parent(), &recent);

    // Hiding and showing an item keeps its submenu.
    recent.SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(fileMenu), 0);
    recent.SetVisible(true);
    EXPECT_EQ(GetSubMenu(fileMenu, 0), recent.Handle());

    // Emptied, the item is a plain command again.
    recent.Clear();
    EXPECT_EQ(recent.Handle(), nullptr);
    EXPECT_EQ(GetSubMenu(fileMenu, 0), nullptr);
    EXPECT_EQ(GetMenuItemID(fileMenu, 0), recent.Command());
}

TEST(TkMenuItem, RebuiltAboveFixedItemsLikeTheLauncher) {
    // The launcher keeps five fixed items and rebuilds everything above them, inserting at 0.
    tk::PopupMenu pm;
    int closes = 0;
    pm.Items.Add("-");
    pm.Items.Add("メニューの編集");
    pm.Items.Add("-");
    pm.Items.Add("Windowsの終了").Add("Windowsの再起動");
    pm.Items.Add("終了(&X)", [&] { ++closes; });
    tk::MenuItem& close = pm.Items[4];
    std::vector<int> clicked;
    auto build = [&](std::vector<std::string> titles) {
        while (pm.Items.Count() > 5) pm.Items.Delete(0);
        for (int i = (int)titles.size() - 1; i >= 0; --i) {
            tk::MenuItem& it = pm.Items.Insert(0, titles[i]);
            it.Tag = i;
            it.OnClick = [&clicked, &it] { clicked.push_back(it.Tag); };
        }
    };
    build({"メモ帳", "電卓", "-", "ペイント"});
    EXPECT_EQ(Texts(pm.Handle()), "メモ帳,電卓,-,ペイント,-,メニューの編集,-,Windowsの終了,終了(&X)");
    build({"計算機"});
    EXPECT_EQ(Texts(pm.Handle()), "計算機,-,メニューの編集,-,Windowsの終了,終了(&X)");
    EXPECT_EQ(pm.Items.Count(), 6);
    tk::Application.DispatchCommand(pm.Items[0].Command());
    tk::Application.DispatchCommand(close.Command());
    EXPECT_EQ(clicked, std::vector<int>{0});
    EXPECT_EQ(closes, 1);
}

TEST(TkMenuItem, AnItemMayRebuildItsOwnMenuFromItsClick) {
    tk::PopupMenu pm;
    int rebuilt = 0;
    std::function<void()> rebuild = [&] {
        ++rebuilt;
        pm.Items.Clear();  // frees the item whose click is running
        pm.Items.Add("new", rebuild);
    };
    pm.Items.Add("old", rebuild);
    UINT oldId = pm.Items[0].Command();
    tk::Form f({.caption = "menu"});
    SendMessageA(f.Handle, WM_COMMAND, oldId, 0);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(Texts(pm.Handle()), "new");
    SendMessageA(f.Handle, WM_COMMAND, oldId, 0);  // the freed item's id is gone
    EXPECT_EQ(rebuilt, 1);
}

TEST(TkMenuMain, CommandsAndShortCutsReachTheItems) {
    tk::Form f({.caption = "メイン"});
    tk::MainMenu mm;
    mm.Create(f);
    EXPECT_EQ(GetMenu(f.Handle), mm.Handle());
    int saves = 0, jumps = 0, hidden = 0;
    tk::MenuItem& file = mm.Items.Add("ファイル(&F)");
    tk::MenuItem& save = file.Add("ｽｹｼﾞｭｰﾙの登録", [&] { ++saves; }, "Ctrl+S");
    tk::MenuItem& sub = file.Add("移動");
    sub.Add("指定日に移動", [&] { ++jumps; }, "Ctrl+J");
    tk::MenuItem& secret = file.Add("隠し", [&] { ++hidden; }, "F2");
    secret.SetVisible(false);

    SendMessageA(f.Handle, WM_COMMAND, save.Command(), 0);
    EXPECT_EQ(saves, 1);

    EXPECT_TRUE(f.IsShortCut('S', tk::ssCtrl));
    EXPECT_TRUE(f.IsShortCut('J', tk::ssCtrl));  // inside a submenu
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(jumps, 1);
    EXPECT_FALSE(f.IsShortCut('S', tk::ssCtrl | tk::ssShift));
    EXPECT_FALSE(f.IsShortCut('S', 0));
    EXPECT_FALSE(f.IsShortCut(VK_F2, 0));  // hidden items have no shortcut
    EXPECT_EQ(hidden, 0);
    // A greyed item (or one under a greyed submenu) keeps its key but does not run.
    sub.SetEnabled(false);
    EXPECT_TRUE(f.IsShortCut('J', tk::ssCtrl));
    EXPECT_EQ(jumps, 1);

    // Through the message loop: the key goes to the active form's shortcuts first.
    f.Show();
    SetActiveWindow(f.Handle);
    wintest::Pump();
    ASSERT_EQ(tk::Application.ActiveForm(), &f);
    {
        PostMessageA(f.Handle, WM_KEYDOWN, 'S', 0);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        wintest::Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(saves, 3);
    }
}

TEST(TkMenuMain, EitherTheFormOrTheMenuMayGoFirst) {
    auto* f = new tk::Form({.caption = "a"});
    {
        tk::MainMenu mm;
        mm.Create(*f);
        mm.Items.Add("表示").Add("項目");
    }
    EXPECT_EQ(GetMenu(f->Handle), nullptr);
    EXPECT_FALSE(f->IsShortCut('S', tk::ssCtrl));  // the hook of the freed menu is inert
    auto mm = std::make_unique<tk::MainMenu>();
    mm->Create(*f);
    tk::MenuItem& view = mm->Items.Add("表示");
    view.Add("項目", {}, "Ctrl+S");
    f->Destroy();
    view.SetCaption("後");  // the window took the menu bar with it
    mm.reset();
}

TEST(TkMenuPopup, OnPopupRunsFirstAndTheChoiceRunsAfterTheMenuCloses) {
    tk::Form f({.caption = "popup"});
    tk::PopupMenu pm;
    pm.Create(f);
    std::vector<std::string> log;
    tk::MenuItem& first = pm.Items.Add("最初", [&] { log.push_back("first"); });
    pm.Items.Add("次", [&] { log.push_back("second"); });
    first.SetVisible(false);
    pm.OnPopup = [&] {
        log.push_back("popup");
        first.SetVisible(true);  // the handler may change the items before they show
    };
    // The menu's own loop reads these keys: down to the first item, then choose it.
    PostMessageA(f.Handle, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(f.Handle, WM_KEYDOWN, VK_RETURN, 0);
    pm.Popup(100, 100);
    log.push_back("returned");
    wintest::Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "returned", "first"}));
}

TEST(TkMenuPopup, RightClickOnAControlShowsItsMenuOrItsParents) {
    tk::Form f({.caption = "ctx"});
    tk::PopupMenu formMenu, panelMenu;
    formMenu.Items.Add("a");
    panelMenu.Items.Add("b");
    int formShown = 0, panelShown = 0;
    formMenu.OnPopup = [&] {
        ++formShown;
        PostMessageA(f.Handle, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    panelMenu.OnPopup = [&] {
        ++panelShown;
        PostMessageA(f.Handle, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    struct Box : tk::Control {
        void Create(tk::Control& p) { CreateCustom(p, 0, 0, {.at = {10, 10, 50, 50}}); }
    } box, plain;
    box.Create(f);
    plain.Create(f);
    f.SetPopupMenu(&formMenu);
    box.SetPopupMenu(&panelMenu);
    SendMessageA(box.Handle, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(panelShown, 1);
    EXPECT_EQ(panelMenu.PopupComponent, &box);
    SendMessageA(plain.Handle, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // no menu of its own: the form's
    EXPECT_EQ(formShown, 1);
    EXPECT_EQ(panelShown, 1);
    panelMenu.AutoPopup = false;
    SendMessageA(box.Handle, WM_CONTEXTMENU, (WPARAM)box.Handle, MAKELPARAM(-1, -1));
    EXPECT_EQ(panelShown, 1);
    {
        tk::PopupMenu shortLived;
        plain.SetPopupMenu(&shortLived);
    }
    EXPECT_EQ(plain.GetPopupMenu(), nullptr);  // a freed menu is not shown
}

TEST(TkMenuItem, CommandIdsStayUniqueWhenTheyWrapAround) {
    // A launcher rebuilt on every resize creates items for as long as the program runs.
    int quits = 0;
    tk::MenuItem quit("終了(&X)", [&] { ++quits; });
    for (int i = 0; i < 0xD000 + 10; ++i) {
        tk::MenuItem temp("一時");
        ASSERT_NE(temp.Command(), quit.Command()) << i;
    }
    EXPECT_TRUE(tk::Application.DispatchCommand(quit.Command()));
    EXPECT_EQ(quits, 1);
}
