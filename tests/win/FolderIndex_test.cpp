#include "toolkit/FolderIndex.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/WinTest.h"
#include "toolkit/Files.h"

namespace {

// A fresh folder under %TEMP% (emptied of files left by an earlier run).
std::string FreshDir(const std::string& name) {
    std::string d = wintest::TempPath(name);
    tk::ForceDirectories(d);
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((d + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((d + "\\" + f.cFileName).c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    return d;
}

void Touch(const std::string& path) { ASSERT_TRUE(tk::WriteFileBytes(path, "x")) << path; }

// Long enough for the index to look at the folder's stamp again.
void PastRecheck() { Sleep(tk::FolderIndex::kRecheckMs + 30); }

}  // namespace

TEST(FolderIndexTest, HitsMissesAndCase) {
    std::string dir = FreshDir("orbal_fi_basic");
    Touch(dir + "\\____0115.71");
    Touch(dir + "\\Mixed.Txt");
    Touch(dir + "\\ヂ.txt");  // trail byte 0x61, 'a'
    tk::ForceDirectories(dir + "\\1230____.__");
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    EXPECT_TRUE(ix.Exists("____0115.71"));
    EXPECT_FALSE(ix.Exists("____0115.72"));
    EXPECT_TRUE(ix.Exists("mixed.txt"));
    EXPECT_TRUE(ix.Exists("MIXED.TXT"));
    EXPECT_TRUE(ix.Exists("ヂ.TXT"));
    EXPECT_FALSE(ix.Exists("ア.txt"));        // trail byte 0x41, 'A': no case folding inside a character
    EXPECT_FALSE(ix.Exists("1230____.__"));  // a folder is no file
    EXPECT_FALSE(ix.Exists(""));
    EXPECT_FALSE(ix.Exists("*.*"));
    EXPECT_FALSE(ix.Exists("x\\____0115.71"));
    EXPECT_EQ(ix.Count(), 3u);
    EXPECT_EQ(ix.Reads(), 1);  // all of that from one reading
}

TEST(FolderIndexTest, OneIndexPerFolder) {
    std::string dir = FreshDir("orbal_fi_same\\表ソ能");  // 0x5C trail bytes at the end
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    EXPECT_EQ(&tk::FolderIndex::For(dir + "\\"), &ix);
    EXPECT_EQ(&tk::FolderIndex::For(dir + "\\..\\表ソ能"), &ix);
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    SetCurrentDirectoryA(dir.c_str());
    EXPECT_EQ(&tk::FolderIndex::For("."), &ix);
    SetCurrentDirectoryA(cwd);
    EXPECT_NE(&tk::FolderIndex::For("."), &ix);
    EXPECT_EQ(ix.Path().substr(ix.Path().size() - 6), "表ソ能");
}

TEST(FolderIndexTest, SeesChangesMadeBehindItsBack) {
    std::string dir = FreshDir("orbal_fi_change");
    Touch(dir + "\\keep.txt");
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    EXPECT_FALSE(ix.Exists("12300115.71"));
    // Written through another spelling of the folder, as another program would.
    std::string other = dir + "\\..\\orbal_fi_change\\12300115.71";
    Touch(other);
    PastRecheck();
    EXPECT_TRUE(ix.Exists("12300115.71"));
    MoveFileA(other.c_str(), (dir + "\\12300116.71").c_str());
    PastRecheck();
    EXPECT_FALSE(ix.Exists("12300115.71"));
    EXPECT_TRUE(ix.Exists("12300116.71"));
    DeleteFileA((dir + "\\12300116.71").c_str());
    PastRecheck();
    EXPECT_FALSE(ix.Exists("12300116.71"));
    // Changing a file's contents changes no name and needs no reading.
    PastRecheck();
    ix.Revalidate();
    int reads = ix.Reads();
    tk::WriteFileBytes(dir + "\\keep.txt", "changed");
    PastRecheck();
    EXPECT_TRUE(ix.Exists("keep.txt"));
    EXPECT_EQ(ix.Reads(), reads);
}

TEST(FolderIndexTest, InvalidateAndMissingFolder) {
    std::string dir = FreshDir("orbal_fi_inval");
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    EXPECT_FALSE(ix.Exists("a.txt"));
    Touch(dir + "\\a.txt");
    ix.Invalidate();  // our own write: no waiting
    EXPECT_TRUE(ix.Exists("a.txt"));
    DeleteFileA((dir + "\\a.txt").c_str());
    tk::FolderIndex::InvalidateAll();
    EXPECT_FALSE(ix.Exists("a.txt"));

    std::string gone = dir + "\\not_yet";
    tk::FolderIndex& g = tk::FolderIndex::For(gone);
    EXPECT_FALSE(g.Exists("b.txt"));
    EXPECT_EQ(g.Count(), 0u);
    tk::ForceDirectories(gone);
    Touch(gone + "\\b.txt");
    g.Revalidate();
    EXPECT_TRUE(g.Exists("b.txt"));
    DeleteFileA((gone + "\\b.txt").c_str());
    RemoveDirectoryA(gone.c_str());
    g.Revalidate();
    EXPECT_FALSE(g.Exists("b.txt"));
}

TEST(FolderIndexTest, FreshStampIsReadAgainOnce) {
    // A reading right after a change cannot tell a later change in the same clock tick, so the
    // next look reads again; once the stamp is old enough, looks stop reading.
    std::string dir = FreshDir("orbal_fi_racy");
    tk::FolderIndex& ix = tk::FolderIndex::For(dir);
    Touch(dir + "\\c.txt");
    ix.Invalidate();
    EXPECT_TRUE(ix.Exists("c.txt"));
    int reads = ix.Reads();
    Sleep(40);
    ix.Revalidate();
    EXPECT_EQ(ix.Reads(), reads + 1);
    ix.Revalidate();
    EXPECT_EQ(ix.Reads(), reads + 1);
}
