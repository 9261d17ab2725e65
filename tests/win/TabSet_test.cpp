// The tab set without pages, the file-type box of the file lists, and the number box's text when
// it is left empty.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/WinTest.h"
#include "toolkit/Edit.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/TabSet.h"

TEST(TkTabSet, ChangeMayRefuseThenClickFollows) {
    tk::Form f({.caption = "タブ", .width = 400, .height = 100});
    tk::TabSet tabs;
    tabs.Create(f, {.at = {8, 8, 360, 22}, .items = {"2001/01/15", "01/15", "15", "月曜", "毎日"}, .value = 0});
    std::vector<std::string> log;
    bool refuse = false;
    tabs.OnChange = [&](int to, bool& allow) {
        log.push_back("change " + std::to_string(to));
        allow = !refuse;
    };
    tabs.OnClick = [&] { log.push_back("click " + std::to_string(tabs.TabIndex())); };

    tabs.SetTabIndex(2);
    tabs.SetTabIndex(2);  // the same tab: nothing
    refuse = true;
    tabs.SetTabIndex(4);
    EXPECT_EQ(tabs.TabIndex(), 2);
    refuse = false;
    tabs.SetTabIndex(9);  // out of range: no tab
    EXPECT_EQ(log, (std::vector<std::string>{"change 2", "click 2", "change 4", "change -1", "click -1"}));

    // The mouse chooses as the button goes down; a click on the chosen tab changes nothing.
    log.clear();
    f.Show();
    wintest::Pump();
    RECT r = tabs.TabRect(3);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, 10);
    SendMessageA(tabs.Handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs.Handle, WM_LBUTTONUP, 0, at);
    SendMessageA(tabs.Handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs.Handle, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(log, (std::vector<std::string>{"change 3", "click 3"}));
    EXPECT_EQ(tabs.TabAt(r.right + 300, 10), -1);

    // Tabs follow their captions; too many for the width are narrowed to fit.
    int narrow = tabs.TabRect(2).right - tabs.TabRect(2).left;
    tabs.Tabs.SetStrings(2, "2001年1月15日(月)");
    EXPECT_GT(tabs.TabRect(2).right - tabs.TabRect(2).left, narrow);
    for (int i = 0; i < 10; ++i) tabs.Tabs.Add("もうひとつのタブ");
    EXPECT_LE(tabs.TabRect(tabs.Tabs.Count() - 1).right, tabs.ClientWidth());
    EXPECT_EQ(tabs.TabIndex(), 3);
    tabs.Tabs.Clear();
    EXPECT_EQ(tabs.TabIndex(), -1);
}

TEST(TkFilterComboBox, ChoosingATypeSetsTheFileListsMask) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "tkfilter_" + std::to_string(GetCurrentProcessId());
    tk::ForceDirectories(dir);
    for (const char* n : {"a.wav", "b.MID", "c.txt", "音.WAV"}) tk::WriteFileBytes(dir + "\\" + n, "x");

    tk::Form f({.caption = "種類", .width = 300, .height = 300});
    tk::FileListBox files;
    files.Create(f, {.at = {8, 8, 200, 150}});
    files.SetDirectory(dir);
    tk::FilterComboBox types;
    types.Create(f, {.at = {8, 170, 200, 20}, .caption = "*.WAV;*.MID|*.WAV;*.MID|*.WAV|*.WAV|*.MID|*.MID"});
    int changes = 0;
    types.OnChange = [&] { ++changes; };
    ASSERT_EQ(types.Count(), 3);
    EXPECT_EQ(types.Items(1), "*.WAV");
    EXPECT_EQ(types.ItemIndex(), 0);
    EXPECT_EQ(files.Count(), 4);  // no link yet: every file
    types.SetFileList(&files);
    EXPECT_EQ(files.Count(), 3);
    types.SetItemIndex(2);
    EXPECT_EQ(types.Mask(), "*.MID");
    EXPECT_EQ(files.Count(), 1);
    EXPECT_EQ(files.Items(0), "b.MID");
    EXPECT_EQ(changes, 1);

    types.SetFilter("テキスト (*.txt)|*.txt|すべて|");
    EXPECT_EQ(types.Count(), 2);
    EXPECT_EQ(files.Count(), 1);
    types.SetItemIndex(1);
    EXPECT_EQ(types.Mask(), "*.*");  // a type without masks shows everything
    EXPECT_EQ(files.Count(), 4);

    // Either may go first.
    {
        tk::FilterComboBox other;
        other.Create(f, {.at = {8, 200, 200, 20}, .caption = "WAVE|*.wav"});
        other.SetFileList(&files);
        EXPECT_EQ(files.Count(), 2);
    }
    types.SetItemIndex(0);  // the list is no longer linked to this box
    EXPECT_EQ(files.Count(), 2);
    for (const char* n : {"a.wav", "b.MID", "c.txt", "音.WAV"}) DeleteFileA((dir + "\\" + n).c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(TkSpinEdit, TextLeftWithoutANumberTakesTheNearestValue) {
    tk::Form f({.caption = "数", .width = 300, .height = 100});
    tk::SpinEdit day;
    tk::Edit other;
    day.Create(f, {.at = {8, 8, 60, 22}, .min = 1, .max = 31, .value = 15});
    other.Create(f, {.at = {80, 8, 60, 22}});
    std::vector<std::string> seen;
    day.OnChange = [&] { seen.push_back(day.Text()); };
    f.Show();
    wintest::Pump();
    day.SetFocus();
    day.SetText("");  // mid-typing: left as it is
    EXPECT_EQ(day.Text(), "");
    other.SetFocus();
    EXPECT_EQ(day.Text(), "1");
    day.SetFocus();
    day.SetText("45");
    other.SetFocus();
    EXPECT_EQ(seen, (std::vector<std::string>{"", "1", "45", "31"}));
}

TEST(TkEdit, EditCommandsGoThroughTheClipboard) {
    tk::Form f({.caption = "編集", .width = 300, .height = 100});
    tk::Edit e;
    e.Create(f, {.at = {8, 8, 200, 22}, .caption = "予定の文字"});
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    e.Select(0, 4);  // "予定" (positions count bytes)
    e.CutToClipboard();
    EXPECT_EQ(e.Text(), "の文字");
    e.SelectAll();
    e.CopyToClipboard();
    e.SetSelStart(6);
    e.PasteFromClipboard();
    EXPECT_EQ(e.Text(), "の文字の文字");
    e.Undo();
    EXPECT_EQ(e.Text(), "の文字");
    EXPECT_EQ(changes, 3);
}
