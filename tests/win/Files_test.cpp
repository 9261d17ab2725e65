// Safe replacement of a user's file: a save stopped between its steps leaves the old file as it
// was, a finished one replaces it, and a failed one says so and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win/WinTest.h"
#include "toolkit/Files.h"

namespace {

const std::string kDir = tk::ExeDir() + "\\orbal_safewrite";

std::vector<std::string> Names() {
    std::vector<std::string> v;
    tk::TSearchRec r;
    for (int e = tk::FindFirst(kDir + "\\*", tk::faAnyFile, r); e == 0; e = tk::FindNext(r)) v.push_back(r.Name);
    tk::FindClose(r);
    return v;
}

void Wipe() {
    for (auto& n : Names()) {
        std::string p = kDir + "\\" + n;
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(p.c_str())) RemoveDirectoryA(p.c_str());
    }
    tk::ForceDirectories(kDir);
}

const char* gStopAt = "";

}  // namespace

TEST(TkSafeWrite, AStoppedSaveKeepsTheOldFileAndAFinishedOneReplacesIt) {
    struct Case {
        const char* stopAt;  // the step where the save stops as a crash would
        const char* content;
        size_t files;  // a crash leaves the temporary file beside the old one
    } cases[] = {{"temp", "古い内容", 2}, {"flushed", "古い内容", 2}, {"", "新しい内容", 1}};
    tk::WriteFileSafelyStep = [](const char* step) { return std::string(step) != gStopAt; };
    for (auto& c : cases) {
        SCOPED_TRACE(c.stopAt);
        Wipe();
        std::string path = kDir + "\\予定.txt", got;
        ASSERT_TRUE(tk::WriteFileBytes(path, "古い内容"));
        gStopAt = c.stopAt;
        EXPECT_EQ(tk::WriteFileSafely(path, "新しい内容"), !*c.stopAt);
        ASSERT_TRUE(tk::ReadFileBytes(path, got));
        EXPECT_EQ(got, c.content);
        EXPECT_EQ(Names().size(), c.files);
    }
    tk::WriteFileSafelyStep = nullptr;
    Wipe();
}

TEST(TkSafeWrite, AFailedSaveSaysSoAndLeavesEveryFileAsItWasWithNoTemporaryFile) {
    Wipe();
    std::string readOnly = kDir + "\\固定.txt", titles = kDir + "\\TreeData.z32", twins = kDir + "\\TreeFile.z32";
    for (const std::string& p : {readOnly, titles, twins}) ASSERT_TRUE(tk::WriteFileBytes(p, "古い内容"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA((kDir + "\\folder.txt").c_str(), nullptr);
    const std::vector<std::string> before = Names();
    // Another program holds the second file of a pair open without sharing: the first, already
    // replaced by then, is put back (or removed again when it is new). Held first, it keeps no
    // old file aside that could not be removed.
    HANDLE held = CreateFileA(twins.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::vector<std::vector<std::string>> saves = {{kDir + "\\無い\\a.txt"}, {readOnly}, {kDir + "\\folder.txt"},
                                                         {titles, twins}, {kDir + "\\新規.z32", twins}, {twins, titles}};
    for (const auto& save : saves) {
        SCOPED_TRACE(save[0]);
        std::vector<std::pair<std::string, std::string>> files;
        for (const std::string& p : save) files.push_back({p, "新しい内容"});
        EXPECT_FALSE(tk::WriteFilesSafely(files));
        EXPECT_EQ(Names(), before);
    }
    CloseHandle(held);
    for (const std::string& p : {readOnly, titles, twins}) {
        std::string got;
        ASSERT_TRUE(tk::ReadFileBytes(p, got));
        EXPECT_EQ(got, "古い内容") << p;
    }
    Wipe();
}

// Temporary files of saves the program was ended in the middle of go at the next save into their
// folder, if it is one of the program's own; one still written or held open by another program
// stays, as does any other name, and any file in a folder the user picked for an export.
TEST(TkSafeWrite, TheFirstSaveIntoAFolderRemovesTemporariesLeftByAnEndedRun) {
    std::string dir = wintest::FreshTestDir("orbal-leftovers");
    tk::SetOwnFolders([dir] { return std::vector<tk::OwnFolder>{{dir + "\\data", true}}; });
    struct Leftover {
        const char* name;
        int age;  // seconds since last written
        bool held, kept;
        const char* folder = "data";
    } rows[] = {{"o98A1B2.tmp", 60, false, false}, {"O98F.TMP", 86400, false, false},
                {"o98C3D4.tmp", 60, true, true},   {"o98E5F6.tmp", 0, false, true},
                {"o98memo.tmp", 60, false, true},  {"o98A1B2.tmp.txt", 60, false, true},
                {"o981.tmp", 60, false, false, "data\\Memo"}, {"o981.tmp", 60, false, true, "export"}};
    std::vector<HANDLE> held;
    for (auto& r : rows) {
        std::string p = dir + "\\" + r.folder + "\\" + r.name;
        tk::ForceDirectories(rtl::ExtractFileDir(p));
        ASSERT_TRUE(tk::WriteFileBytes(p, "途中"));
        HANDLE f = CreateFileA(p.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= r.age * 10000000ull;
        FILETIME then{t.LowPart, t.HighPart};
        SetFileTime(f, nullptr, nullptr, &then);
        if (r.held) held.push_back(f);
        else CloseHandle(f);
    }
    for (const char* folder : {"data", "data\\Memo", "export"})
        ASSERT_TRUE(tk::WriteFileSafely(dir + "\\" + folder + "\\予定.txt", "新しい内容"));
    for (HANDLE f : held) CloseHandle(f);
    for (auto& r : rows) EXPECT_EQ(tk::FileExists(dir + "\\" + r.folder + "\\" + r.name), r.kept) << r.folder << r.name;
    tk::SetOwnFolders(nullptr);
}
