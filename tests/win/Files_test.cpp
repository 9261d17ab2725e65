// Safe replacement of a user's file: a save stopped between its steps leaves the old file as it
// was, a finished one replaces it, and a failed one says so and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Files.h"

namespace {

struct SafeWriteFolder {
    std::string dir = tk::ExeDir() + "\\orbal_safewrite";
    SafeWriteFolder() {
        Clear();
        tk::ForceDirectories(dir);
    }
    ~SafeWriteFolder() {
        tk::WriteFileSafelyStep = nullptr;
        Clear();
        RemoveDirectoryA(dir.c_str());
    }
    void Clear() {
        for (auto& n : Names()) {
            std::string p = dir + "\\" + n;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(p.c_str());
        }
    }
    std::vector<std::string> Names() {
        std::vector<std::string> v;
        tk::TSearchRec r;
        for (int e = tk::FindFirst(dir + "\\*", tk::faAnyFile & ~tk::faDirectory, r); e == 0; e = tk::FindNext(r))
            v.push_back(r.Name);
        tk::FindClose(r);
        return v;
    }
    std::string Read(const std::string& name) {
        std::string s;
        tk::ReadFileBytes(dir + "\\" + name, s);
        return s;
    }
};

}  // namespace

TEST(TkSafeWrite, StoppedBetweenStepsTheOldFileStaysWhole) {
    for (const char* stopAt : {"temp", "flushed"}) {
        SCOPED_TRACE(stopAt);
        SafeWriteFolder d;
        std::string path = d.dir + "\\予定.txt";
        ASSERT_TRUE(tk::WriteFileBytes(path, "古い内容"));
        static const char* stop;
        stop = stopAt;
        tk::WriteFileSafelyStep = [](const char* step) { return std::string(step) != stop; };
        EXPECT_FALSE(tk::WriteFileSafely(path, std::string(100000, 'x')));
        tk::WriteFileSafelyStep = nullptr;
        EXPECT_EQ(d.Read("予定.txt"), "古い内容");
        EXPECT_EQ(d.Names().size(), 2u);  // a crash there leaves the temporary file beside it
    }
}

TEST(TkSafeWrite, AFinishedSaveReplacesTheFile) {
    struct Case {
        const char* name;
        std::string old, data;
        bool existed;
    } cases[] = {{"replace", "古い内容", "新しい内容", true},
                 {"new file", "", "新しい内容", false},
                 {"empty data", "古い内容", "", true}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        SafeWriteFolder d;
        std::string path = d.dir + "\\日記.txt";
        if (c.existed) ASSERT_TRUE(tk::WriteFileBytes(path, c.old));
        std::vector<std::string> steps;
        static std::vector<std::string>* seen;
        seen = &steps;
        tk::WriteFileSafelyStep = [](const char* step) {
            seen->push_back(step);
            return true;
        };
        EXPECT_TRUE(tk::WriteFileSafely(path, c.data));
        EXPECT_EQ(steps, (std::vector<std::string>{"temp", "flushed"}));
        EXPECT_EQ(d.Read("日記.txt"), c.data);
        EXPECT_EQ(d.Names(), std::vector<std::string>{"日記.txt"});
    }
}

TEST(TkSafeWrite, AFailedSaveSaysSoAndLeavesNoTemporaryFile) {
    SafeWriteFolder d;
    std::string readOnly = d.dir + "\\固定.txt";
    ASSERT_TRUE(tk::WriteFileBytes(readOnly, "古い内容"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    tk::ForceDirectories(d.dir + "\\folder.txt");
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {{"missing folder", d.dir + "\\無い\\a.txt"},
                 {"read-only target", readOnly},
                 {"target is a folder", d.dir + "\\folder.txt"}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(tk::WriteFileSafely(c.path, "新しい内容"));
        EXPECT_EQ(d.Names(), std::vector<std::string>{"固定.txt"});
    }
    EXPECT_EQ(d.Read("固定.txt"), "古い内容");
    RemoveDirectoryA((d.dir + "\\folder.txt").c_str());
}
