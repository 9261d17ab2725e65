// The main window's cue player and the actions of reminders and dropped files, driven through
// the sound, shell and window-closing seams with a settings file of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "mainwindow/Actions.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

namespace {

std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "orbal_act_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// A fresh settings file and recording seams for one test; all undone at its end.
struct ActionsFixture : testing::Test {
    std::string ini = TempPath("orbal98.ini");
    std::vector<std::string> log;  // "sound ope", "close x", "launch p|params|folder"
    std::vector<tk::ShellCall> launches;
    void SetUp() override {
        DeleteFileA(ini.c_str());
        settings::SetIniPathForTest(ini);
        tk::SetSoundHookForTest([this](const tk::SoundCall& c) {
            log.push_back(std::string(c.sync ? "sync " : "sound ") + c.name);
        });
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c);
            log.push_back("launch " + c.file + "|" + c.parameters + "|" + c.directory);
            return true;
        });
        tk::SetCloseWindowHookForTest([this](const std::string& part) {
            log.push_back("close " + part);
            return false;
        });
    }
    void TearDown() override {
        tk::SetSoundHookForTest(nullptr);
        tk::SetShellLaunchHookForTest(nullptr);
        tk::SetCloseWindowHookForTest(nullptr);
        tk::SetMciHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        settings::SetIniPathForTest("");
        DeleteFileA(ini.c_str());
    }
    void Write(const std::string& section, const std::string& key, const std::string& value) {
        settings::Open().WriteString(section, key, value);
    }
};

using ActionsCue = ActionsFixture;
using ActionsReminder = ActionsFixture;
using ActionsDrop = ActionsFixture;

}  // namespace

TEST_F(ActionsCue, PlaysAsynchronouslyUnlessWaveplayIsOff) {
    PlayWaveRes("ope");  // no setting: on
    Write("Form", "Waveplay", "1");
    PlayWaveRes("c1");
    PlayWaveRes("nosuchcue");
    Write("Form", "Waveplay", "0");
    PlayWaveRes("clo");
    EXPECT_EQ(log, (std::vector<std::string>{"sound ope", "sound c1"}));
}

TEST_F(ActionsCue, StartupSoundIsTheDataFolderFileElseTheBuiltInOneToItsEnd) {
    Write("Form", "Waveplay", "0");  // does not apply to the start-up sound
    std::vector<std::string> mci;
    tk::SetMciHookForTest([&](const std::string& c, std::string& reply) -> unsigned {
        mci.push_back(c);
        if (c.find(" mode") != std::string::npos) reply = "stopped";
        return 0;
    });
    tk::MediaPlayer player;
    std::string data = TempPath("data");
    PlayStartupSound(player, data);
    EXPECT_EQ(log, std::vector<std::string>{"sync tav"});
    EXPECT_TRUE(mci.empty());

    ASSERT_TRUE(tk::ForceDirectories(data + "\\orbal_data"));
    std::string title = data + "\\orbal_data\\title.wav";
    tk::WriteFileBytes(title, "RIFF");
    log.clear();
    PlayStartupSound(player, data);
    EXPECT_TRUE(log.empty());
    ASSERT_FALSE(mci.empty());
    EXPECT_EQ(mci[0].rfind("open \"" + title + "\" alias ", 0), 0u);
    EXPECT_EQ(mci[0].find("shareable"), std::string::npos);
    bool polled = false;
    for (auto& c : mci) polled |= c.find(" mode") != std::string::npos;
    EXPECT_TRUE(polled);  // waited for the end
    EXPECT_FALSE(player.Wait);
    player.Close();

    // A sound file the device refuses falls back to the built-in sound.
    tk::SetMciHookForTest([](const std::string& c, std::string&) -> unsigned { return c.rfind("open", 0) == 0 ? 263 : 0; });
    log.clear();
    PlayStartupSound(player, data);
    EXPECT_EQ(log, std::vector<std::string>{"sync tav"});
    DeleteFileA(title.c_str());
    RemoveDirectoryA((data + "\\orbal_data").c_str());
    RemoveDirectoryA(data.c_str());
}

TEST_F(ActionsReminder, ClosesThenLaunchesInTheProgramsFolder) {
    std::string section = "C:\\予定\\1230____.__";
    Write(section, "Execlose", "メモ帳");
    Write(section, "Execute", "C:\\表\\ソフト.exe?-open \"C:\\能\\a.txt\"");
    RunPopupExec(section);
    EXPECT_EQ(log, (std::vector<std::string>{"close メモ帳",
                                             "launch C:\\表\\ソフト.exe|-open \"C:\\能\\a.txt\"|C:\\表\\"}));
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].verb, "OPEN");
    EXPECT_EQ(launches[0].show, SW_SHOW);
}

TEST_F(ActionsReminder, EmptyKeysDoNothingAndAQuestionMarkFirstRunsTheRest) {
    RunPopupExec("C:\\予定\\0900____.__");
    EXPECT_TRUE(log.empty());
    Write("C:\\予定\\0900____.__", "Execute", "?C:\\tools\\run.bat");
    RunPopupExec("C:\\予定\\0900____.__");
    EXPECT_EQ(log, std::vector<std::string>{"launch C:\\tools\\run.bat||C:\\tools\\"});
    log.clear();
    EXPECT_FALSE(ExecuteCommand("?"));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(ExecuteCommand("calc.exe"));
    EXPECT_EQ(log, std::vector<std::string>{"launch calc.exe||"});
}

TEST_F(ActionsDrop, EachFileOpensWithItsExtensionsProgramOrTheFallback) {
    Write("Ext_Exec", ".txt", "C:\\ed\\ed.exe?-r");
    Write("Ext_Form", "Exec", "C:\\view\\v.exe");
    EXPECT_TRUE(OpenDroppedFiles(nullptr, {"D:\\a\\memo.TXT", "D:\\表\\pic.jpg", "D:\\c\\noext"}));
    EXPECT_EQ(log, (std::vector<std::string>{"launch C:\\ed\\ed.exe|-r \"D:\\a\\memo.TXT\"|C:\\ed\\",
                                             "launch C:\\view\\v.exe| \"D:\\表\\pic.jpg\"|C:\\view\\",
                                             "launch C:\\view\\v.exe| \"D:\\c\\noext\"|C:\\view\\"}));
    // Without a fallback, files of other kinds are skipped and the rest still open.
    log.clear();
    settings::Open().DeleteKey("Ext_Form", "Exec");
    EXPECT_TRUE(OpenDroppedFiles(nullptr, {"D:\\b.jpg", "D:\\c.txt"}));
    EXPECT_EQ(log, std::vector<std::string>{"launch C:\\ed\\ed.exe|-r \"D:\\c.txt\"|C:\\ed\\"});
}
