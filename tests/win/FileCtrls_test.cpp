// The drive box, folder list and file list: masks, Japanese folder names, links and navigation.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "tests/win/WinTest.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A fresh folder under the temp folder whose name holds 表 and ソ (trail byte 0x5C).
struct Tree {
    std::string base;
    Tree() {
        char buf[MAX_PATH];
        GetTempPathA(sizeof buf, buf);
        base = std::string(buf) + "tkfile_" + std::to_string(GetCurrentProcessId()) + "\\表ソ";
        tk::ForceDirectories(base);
    }
    ~Tree() { Remove(rtl::ExtractFileDir(base)); }
    void File(const std::string& rel) { tk::WriteFileBytes(base + "\\" + rel, "x"); }
    void Dir(const std::string& rel) { tk::ForceDirectories(base + "\\" + rel); }
    static void Remove(const std::string& dir) {
        tk::TSearchRec r;
        if (tk::FindFirst(dir + "\\*", tk::faAnyFile, r) == 0) {
            do {
                std::string p = dir + "\\" + r.Name;
                SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (r.Attr & tk::faDirectory) Remove(p);
                else DeleteFileA(p.c_str());
            } while (tk::FindNext(r) == 0);
        }
        tk::FindClose(r);
        RemoveDirectoryA(dir.c_str());
    }
};

std::vector<std::string> Items(const tk::FileListBox& f) {
    std::vector<std::string> v;
    for (int i = 0; i < f.Count(); ++i) v.push_back(f.Items(i));
    return v;
}

std::vector<std::string> Items(const tk::DirectoryListBox& d) {
    std::vector<std::string> v;
    for (int i = 0; i < d.Count(); ++i) v.push_back(d.Items(i));
    return v;
}

// A real double click on row i of a list box.
void DoubleClickRow(HWND list, int i) {
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, i, (LPARAM)&r);
    LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST(TkFileListMask, MasksMatchWholeCharactersIgnoringCase) {
    EXPECT_TRUE(tk::MatchesMask("写真.BMP", "*.bmp;*.jpg"));
    EXPECT_TRUE(tk::MatchesMask("a.jpg", " *.bmp ; *.JPG "));
    EXPECT_FALSE(tk::MatchesMask("a.bmpx", "*.bmp;*.jpg"));  // no 8.3-name surprises
    EXPECT_TRUE(tk::MatchesMask("ソ.wav", "?.wav"));       // one double-byte character is one '?'
    EXPECT_FALSE(tk::MatchesMask("ソ.wav", "??.wav"));
    // ピ ends in the byte 's', and a trail byte is no letter.
    EXPECT_FALSE(tk::MatchesMask("ピ", "*s"));
    EXPECT_FALSE(tk::MatchesMask("ピ", "*S"));
    EXPECT_TRUE(tk::MatchesMask("readme", "*.*"));
    EXPECT_TRUE(tk::MatchesMask("readme", "readme.*"));
    EXPECT_FALSE(tk::MatchesMask("readme", "*.txt"));
    EXPECT_TRUE(tk::MatchesMask("anything", ""));
}

TEST(TkFileList, ListsExactlyTheMatchingFilesOfAJapaneseFolder) {
    Tree t;
    for (auto n : {"表a.bmp", "ソ.JPG", "b.jpg", "x.txt", "a.bmpx", "ピs.jpeg"}) t.File(n);
    t.File("hidden.bmp");
    SetFileAttributesA((t.base + "\\hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    t.Dir("folder.bmp");

    tk::Form form({.caption = "files"});
    tk::FileListBox files;
    files.Create(form, {.at = {8, 8, 200, 200}, .style = tk::flShowGlyphs});
    int changes = 0;
    files.OnChange = [&] { ++changes; };
    files.SetMask("*.bmp;*.jpg");
    ASSERT_TRUE(files.SetDirectory(t.base));
    EXPECT_EQ(files.Directory(), t.base);
    EXPECT_EQ(Items(files), (std::vector<std::string>{"b.jpg", "ソ.JPG", "表a.bmp"}));
    EXPECT_EQ(files.FileName(), "");
    EXPECT_EQ(changes, 0);

    files.SetItemIndex(2);
    EXPECT_EQ(files.FileName(), t.base + "\\表a.bmp");
    EXPECT_EQ(changes, 1);
    files.SetMask("*.*");  // re-read: the selection goes
    EXPECT_EQ(files.Count(), 6);
    EXPECT_EQ(files.FileName(), "");
    EXPECT_EQ(changes, 2);

    files.SetFileName(t.base + "\\ソ.JPG");
    EXPECT_EQ(files.FileName(), t.base + "\\ソ.JPG");
    EXPECT_FALSE(files.SetDirectory(t.base + "\\missing"));
    EXPECT_EQ(files.Directory(), t.base);
}

TEST(TkFileList, FolderListOpensItemsAndTheLinkedListsFollow) {
    Tree t;
    t.Dir("表\\ソ");
    t.Dir("表\\別");
    t.File("表\\ソ\\音.wav");
    t.File("表\\一.wav");

    tk::Form form({.caption = "folders", .width = 500, .height = 400});
    tk::DriveComboBox drives;
    tk::DirectoryListBox dirs;
    tk::FileListBox files;
    drives.Create(form, {.at = {8, 8, 200, 22}});
    dirs.Create(form, {.at = {8, 40, 200, 300}});
    files.Create(form, {.at = {220, 40, 200, 300}});
    files.SetMask("*.wav");
    drives.SetDirList(&dirs);
    dirs.SetFileList(&files);
    int dirChanges = 0;
    dirs.OnChange = [&] { ++dirChanges; };

    ASSERT_TRUE(dirs.SetDirectory(t.base + "\\表\\"));
    EXPECT_EQ(dirs.Directory(), t.base + "\\表");
    EXPECT_EQ(files.Directory(), t.base + "\\表");
    EXPECT_EQ(Items(files), (std::vector<std::string>{"一.wav"}));
    EXPECT_EQ(drives.Drive(), (char)tolower(t.base[0]));
    // The path down to 表, then its two subfolders; 表ソ is one folder, not split at its 0x5C.
    std::vector<std::string> items = Items(dirs);
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[items.size() - 4], "表ソ");
    EXPECT_EQ(items[items.size() - 3], "表");
    int current = dirs.ItemIndex();
    EXPECT_EQ(current, (int)items.size() - 3);
    EXPECT_EQ(dirs.GetItemPath(current - 1), t.base);
    std::set<std::string> subs{items.end() - 2, items.end()};
    EXPECT_EQ(subs, (std::set<std::string>{"ソ", "別"}));

    int row = items[items.size() - 2] == "ソ" ? current + 1 : current + 2;
    DoubleClickRow(dirs.Handle, row);
    EXPECT_EQ(dirs.Directory(), t.base + "\\表\\ソ");
    EXPECT_EQ(Items(files), (std::vector<std::string>{"音.wav"}));
    EXPECT_EQ(dirChanges, 2);

    DoubleClickRow(dirs.Handle, current - 1);  // up two levels, to 表ソ
    EXPECT_EQ(dirs.Directory(), t.base);
    EXPECT_EQ(files.Count(), 0);
    EXPECT_EQ(dirs.Items(dirs.ItemIndex()), "表ソ");

    // The file list, linked, moves the folder list with it; one change for folder and file.
    ASSERT_TRUE(files.SetDirectory(t.base + "\\表"));
    EXPECT_EQ(dirs.Directory(), t.base + "\\表");
    files.SetItemIndex(0);
    int fileChanges = 0;
    files.OnChange = [&] { ++fileChanges; };
    files.SetFileName(t.base + "\\表\\ソ\\音.wav");
    EXPECT_EQ(dirs.Directory(), t.base + "\\表\\ソ");
    EXPECT_EQ(files.FileName(), t.base + "\\表\\ソ\\音.wav");
    EXPECT_EQ(fileChanges, 1);
}
