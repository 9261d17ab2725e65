// Safe replacement of a user's file: a save stopped between its steps leaves the old file as it
// was, a finished one replaces it, and a failed one says so and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

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

TEST(TkSafeWrite, AFailedSaveSaysSoAndLeavesNoTemporaryFile) {
    Wipe();
    std::string readOnly = kDir + "\\固定.txt", got;
    ASSERT_TRUE(tk::WriteFileBytes(readOnly, "古い内容"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA((kDir + "\\folder.txt").c_str(), nullptr);
    for (const std::string& path : {kDir + "\\無い\\a.txt", readOnly, kDir + "\\folder.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(tk::WriteFileSafely(path, "新しい内容"));
        EXPECT_EQ(Names().size(), 2u);
    }
    ASSERT_TRUE(tk::ReadFileBytes(readOnly, got));
    EXPECT_EQ(got, "古い内容");
    Wipe();
}
