// The MCI media player: failures come back as results (never as exceptions), each device is
// opened and closed by its own alias, and Wait is bounded even when the driver never reports
// the end.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "toolkit/Files.h"
#include "toolkit/MediaPlayer.h"

namespace {

std::string TempFile(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "orbal_mp_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// A real WAVE file: the built-in click cue written out.
std::string WriteCueFile(const char* cue) {
    HMODULE m = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(m, cue, RT_RCDATA);
    std::string bytes(static_cast<const char*>(LockResource(LoadResource(m, r))), SizeofResource(m, r));
    std::string path = TempFile(std::string(cue) + ".wav");
    tk::WriteFileBytes(path, bytes);
    return path;
}

// Records every MCI command and answers from a script.
struct FakeMci {
    std::vector<std::string> commands;
    int playingPolls = 0;  // "status ... mode" answers "playing" this many times, -1 for ever
    std::string length = "200";
    FakeMci() {
        tk::SetMciHookForTest([this](const std::string& c, std::string& reply) -> unsigned {
            commands.push_back(c);
            if (c.find(" mode") != std::string::npos) {
                reply = playingPolls != 0 ? "playing" : "stopped";
                if (playingPolls > 0) --playingPolls;
            } else if (c.find(" length") != std::string::npos) {
                reply = length;
            }
            return 0;
        });
    }
    ~FakeMci() { tk::SetMciHookForTest(nullptr); }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (auto& c : commands) n += c.rfind(prefix, 0) == 0;
        return n;
    }
};

}  // namespace

TEST(MediaPlayerFailures, MissingGarbageAndUnopenedAreReportedNotThrown) {
    tk::MediaPlayer mp;
    mp.FileName = TempFile("absent.wav");
    EXPECT_NO_THROW(EXPECT_FALSE(mp.Open()));
    EXPECT_FALSE(mp.IsOpen());
    EXPECT_NE(mp.Error, 0u);
    EXPECT_FALSE(mp.ErrorMessage.empty());

    std::string garbage = TempFile("garbage.wav");
    std::string junk(3000, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = char(i * 7919 % 251);
    tk::WriteFileBytes(garbage, junk);
    mp.FileName = garbage;
    EXPECT_NO_THROW(EXPECT_FALSE(mp.Open()));
    EXPECT_FALSE(mp.IsOpen());
    DeleteFileA(garbage.c_str());

    mp.FileName.clear();
    EXPECT_FALSE(mp.Open());
    EXPECT_FALSE(mp.Play());
    EXPECT_FALSE(mp.Stop());
    EXPECT_EQ(mp.Length(), -1);
    EXPECT_EQ(mp.Mode(), "");
    EXPECT_TRUE(mp.Close());  // nothing open: nothing to do
}

TEST(MediaPlayerReal, OpensPlaysWaitsAndCloses) {
    std::string path = WriteCueFile("sav");
    {
        tk::MediaPlayer mp;
        mp.FileName = path;
        ASSERT_TRUE(mp.Open()) << mp.ErrorMessage;
        EXPECT_NEAR(mp.Length(), 450, 5);
        EXPECT_TRUE(mp.Play());
        mp.Wait = true;
        DWORD start = GetTickCount();
        EXPECT_TRUE(mp.Play());
        EXPECT_LT(GetTickCount() - start, 450u + 1000u + 500u);
        // Opening again replaces the device; the player still closes cleanly.
        EXPECT_TRUE(mp.Open());
        EXPECT_TRUE(mp.Close());
        EXPECT_FALSE(mp.IsOpen());
        EXPECT_TRUE(mp.Close());
        EXPECT_TRUE(mp.Open());
    }  // the destructor closes the device opened last
    tk::MediaPlayer other;  // the file is free again
    other.FileName = path;
    EXPECT_TRUE(other.Open());
    other.Close();
    DeleteFileA(path.c_str());
}

TEST(MediaPlayerCommands, EachDeviceIsOpenedAndClosedByItsOwnAlias) {
    FakeMci mci;
    {
        tk::MediaPlayer a, b;
        a.FileName = "C:\\snd\\a b.wav";
        b.FileName = "C:\\snd\\b.mid";
        b.Shareable = true;
        ASSERT_TRUE(a.Open());
        ASSERT_TRUE(b.Open());
        ASSERT_TRUE(a.Open());  // reopening closes the first device before
        a.Play();
        a.Stop();
    }
    ASSERT_GE(mci.commands.size(), 2u);
    std::string openA = mci.commands[0];
    ASSERT_EQ(openA.rfind("open \"C:\\snd\\a b.wav\" alias ", 0), 0u) << openA;
    std::string aliasA = openA.substr(openA.rfind(' ') + 1);
    EXPECT_EQ(openA.find("shareable"), std::string::npos);
    std::string openB;
    for (auto& c : mci.commands)
        if (c.rfind("open \"C:\\snd\\b.mid\"", 0) == 0) openB = c;
    ASSERT_NE(openB.find(" shareable"), std::string::npos);
    std::string aliasB = openB.substr(openB.find(" alias ") + 7);
    aliasB = aliasB.substr(0, aliasB.find(' '));
    EXPECT_NE(aliasA, aliasB);
    EXPECT_EQ(mci.Count("close " + aliasA), 2);  // the reopen and the destructor
    EXPECT_EQ(mci.Count("close " + aliasB), 1);
    EXPECT_EQ(mci.Count("play " + aliasA + " from 0"), 1);
    EXPECT_EQ(mci.Count("stop " + aliasA), 1);
    for (auto& c : mci.commands) {
        EXPECT_EQ(c.find("close all"), std::string::npos);
        EXPECT_EQ(c.find(" wait"), std::string::npos) << c;
    }
}

TEST(MediaPlayerCommands, WaitPollsUntilTheDeviceStopsAndIsCapped) {
    FakeMci mci;
    tk::MediaPlayer mp;
    mp.FileName = "C:\\x.wav";
    ASSERT_TRUE(mp.Open());
    mp.Wait = true;
    mci.playingPolls = 3;
    ASSERT_TRUE(mp.Play());
    EXPECT_EQ(mci.playingPolls, 0);
    EXPECT_EQ(mci.Count("status"), 1 + 4);  // length, then three "playing" and one "stopped"

    // A driver that never reports the end: bounded by the length plus a margin.
    mci.playingPolls = -1;
    mci.length = "100";
    DWORD start = GetTickCount();
    EXPECT_TRUE(mp.Play());
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 1000u);
    EXPECT_LT(took, 3000u);
}

TEST(MediaPlayerCommands, OtherThreadsAreRefused) {
    FakeMci mci;
    tk::MediaPlayer mp;
    mp.FileName = "C:\\x.wav";
    ASSERT_TRUE(mp.Open());
    bool played = true, closed = true;
    std::thread([&] {
        played = mp.Play();
        closed = mp.Close();
    }).join();
    EXPECT_FALSE(played);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(mp.IsOpen());
    EXPECT_EQ(mci.Count("play"), 0);
    EXPECT_TRUE(mp.Close());
}
